#pragma once
// A framed group box with a caption in its top edge, coloured from the theme.

#include "skin/SkinImagePanel.h"
#include "skin/SkinThemeTables.h"

class TskCustomGroupBox : public TskCustomPanel {
    DECLARE_PUBLISHED(TskCustomGroupBox)
  public:
    explicit TskCustomGroupBox(TComponent* owner);

    // Held apart from the window text, which stays a single blank.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle style);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);

  protected:
    virtual void ApplyUIStyle(TskUIStyle style);
    void AdjustClientRect(TRect& rect) const override;
    void FontChanged() override;
    void TextChanged() override { Invalidate(); }
    void Paint() override;

  private:
    std::string caption_;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TColor borderColor_ = clBlack;
};
