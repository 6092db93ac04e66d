#pragma once
// A framed group box with a caption in its top edge, coloured from the theme.

#include "skin/SkinImagePanel.h"
#include "skin/SkinThemeLink.h"

class TskCustomGroupBox : public TskCustomPanel {
    DECLARE_PUBLISHED(TskCustomGroupBox, TskCustomPanel)
  public:
    explicit TskCustomGroupBox(TComponent* owner);

    // Held apart from the window text, which stays a single blank.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TskUIStyle UIStyle() const { return theme_.Style(); }
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Sets UIStyle again, so the look follows the (re)loaded skin file.
    void SetFileTheme(TskFileTheme* theme) { theme_.SetFileTheme(theme); }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);

  protected:
    // Hands the style and file theme to the children, then colours the frame
    // and caption from the theme.
    virtual void ApplyUIStyle(TskUIStyle style, TskFileTheme* fileTheme);
    void Notification(TComponent* component, TOperation operation) override;
    void AdjustClientRect(TRect& rect) const override;
    void FontChanged() override;
    void TextChanged() override { Repaint(); }
    void Paint() override;

  private:
    std::string caption_;
    TskThemeLink theme_;
    TColor borderColor_ = clBlack;
};
