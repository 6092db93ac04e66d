#pragma once
// The theme a skinned control reads: its UIStyle and the skin file of its
// FileTheme, with the rules every skinned class shares.
//
// TskThemeSource answers element reads: from the skin file when the style is
// FromThemeFile and the file is loaded, else from the built-in theme, with
// DeepBlue standing in for FromThemeFile.
//
// TskThemeLink holds the pair for a control: writing the style re-applies
// it; assigning the file theme, also the same one again after its file was
// reloaded, re-applies the current style; when the file-theme component goes
// away the control forgets it and turns DeepBlue.

#include "skin/SkinMgr.h"

#include <functional>

class TBitmap;

class TskThemeSource {
  public:
    TskThemeSource(const TskFileTheme* fileTheme, TskUIStyle style);

    bool UsesFile() const { return usesFile_; }
    // FromThemeFile when the skin file answers, else the built-in style.
    TskUIStyle Effective() const { return effective_; }

    // frameCount 0 takes the whole picture (built-in themes only).
    void GetImage(int element, TBitmap& target, int frameCount, int frameNumber) const;
    void GetBitmap(int element, TBitmap& target) const;
    bool GetBool(int element) const;
    TColor GetColor(int element) const;
    int32_t GetInt(int element) const;

  private:
    const TskFileTheme* fileTheme_;
    TskUIStyle effective_;
    bool usesFile_;
};

class TskThemeLink {
  public:
    // apply runs after every change of the style or the file theme.
    TskThemeLink(TComponent& control, std::function<void()> apply);
    TskThemeLink(const TskThemeLink&) = delete;
    TskThemeLink& operator=(const TskThemeLink&) = delete;

    TskUIStyle Style() const { return style_; }
    TskFileTheme* FileTheme() const { return fileTheme_; }
    // Stores the style and applies it.
    void SetStyle(TskUIStyle style);
    // Refers to theme (told when it goes away) and applies the style again.
    void SetFileTheme(TskFileTheme* theme);
    // Stores a style without applying it (a constructor's first value).
    void InitStyle(TskUIStyle style) { style_ = style; }
    TskThemeSource Source() const { return TskThemeSource(fileTheme_, style_); }

    // Call from the control's Notification. When component is the file
    // theme going away: forgets it, runs beforeRestyle, then applies DeepBlue
    // (not while the control itself is being destroyed). True then.
    bool Removed(TComponent* component, TOperation operation,
                 const std::function<void()>& beforeRestyle = {});

  private:
    TComponent& control_;
    std::function<void()> apply_;
    TskUIStyle style_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
};
