#pragma once
// File themes: a component that loads a skin file and serves its elements to
// the skinned controls that refer to it, and the rule that decides between a
// control's skin file and a built-in theme.

#include "framework/Component.h"
#include "skin/SkinThemes.h"

class TBitmap;

class TskFileTheme : public TComponent {
    DECLARE_PUBLISHED(TskFileTheme, TComponent)
  public:
    explicit TskFileTheme(TComponent* owner);

    const std::string& ThemeFile() const { return themeFile_; }
    // Finds the file as given, else by its name beside the program, in the
    // Windows folder or in the system folder (nothing happens when it is in
    // none of them), loads it and re-applies the controls that use this theme.
    // A file that is no skin file or fails to load raises an error whose
    // message names the fault; the theme then keeps its file, ThemeFile,
    // IsLoaded and data.
    void SetThemeFile(const std::string& value);
    bool IsLoaded() const { return isLoaded_; }

    void GetBitmap(int element, TBitmap* bitmap) const { mgr_.GetBitmap(element, bitmap); }
    void GetImage(int element, TBitmap* target, int frameCount, int frameNumber) const {
        mgr_.GetImage(element, target, frameCount, frameNumber);
    }
    bool GetBool(int element) const { return mgr_.GetBool(element); }
    TColor GetColor(int element) const { return mgr_.GetColor(element); }
    int32_t GetInt(int element) const { return mgr_.GetInt(element); }

  private:
    TskFileThemeMgr mgr_;
    std::string themeFile_;
    bool isLoaded_ = false;
};

// True when a control of this style and file theme reads the skin file.
// effective is the style to use otherwise: FromThemeFile without a loaded
// file theme looks like DeepBlue.
bool UsesFileTheme(const TskFileTheme* fileTheme, TskUIStyle style, TskUIStyle& effective);

// Points field at theme and asks to be told when theme goes away; the theme
// it pointed at before is let go.
void ReferToFileTheme(TComponent* control, TskFileTheme*& field, TskFileTheme* theme);

// Makes the skin library's classes known to the form reader.
void RegisterSkinClasses();
