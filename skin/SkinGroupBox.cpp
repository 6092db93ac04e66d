#include "skin/SkinGroupBox.h"

#include "framework/Bitmap.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

#include <algorithm>
#include <cstdlib>

const ClassInfo& TskCustomGroupBox::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskCustomGroupBox>()
            .Str("Caption", &TskCustomGroupBox::Caption, &TskCustomGroupBox::SetCaption)
            .Bool("Transparent", &TskCustomGroupBox::Transparent,
                  &TskCustomGroupBox::SetTransparent)
            .Reference<TskFileTheme>("FileTheme", &TskCustomGroupBox::FileTheme,
                                     &TskCustomGroupBox::SetFileTheme)
            .Enum("UIStyle", TskUIStyleInfo, &TskCustomGroupBox::UIStyle,
                  &TskCustomGroupBox::SetUIStyle)
            .Build();
    return info;
}

TskCustomGroupBox::TskCustomGroupBox(TComponent* owner)
    : TskCustomPanel(owner), theme_(*this, [this] { ApplyUIStyle(UIStyle(), FileTheme()); }) {
    SetBounds(Left(), Top(), 185, 105);
    SetParentColor(true);
    TControl::SetCaption(" ");
    theme_.SetStyle(GetFormUIStyle(owner));
}

void TskCustomGroupBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    Repaint();
}

void TskCustomGroupBox::Notification(TComponent* component, TOperation operation) {
    TskCustomPanel::Notification(component, operation);
    // The children are let go of the theme first, then the group turns DeepBlue.
    theme_.Removed(component, operation,
                   [this] { ApplyThemeToChildren(this, TskUIStyle::DeepBlue, nullptr); });
}

void TskCustomGroupBox::SetBorderColor(TColor color) {
    borderColor_ = color;
    Repaint();
}

void TskCustomGroupBox::ApplyUIStyle(TskUIStyle style, TskFileTheme* fileTheme) {
    ApplyThemeToChildren(this, style, fileTheme);
    const TskThemeSource source(fileTheme, style);
    borderColor_ = source.GetColor(ThemeElement::ControlBorderColor);
    Font()->SetColor(source.GetColor(ThemeElement::ControlFontColor));
    Repaint();
}

void TskCustomGroupBox::AdjustClientRect(TRect& rect) const {
    const int h = std::abs(const_cast<TskCustomGroupBox*>(this)->Font()->Height());
    rect = TRect{rect.Left + 3, rect.Top + h + 5, rect.Right - 3, rect.Bottom - 3};
}

void TskCustomGroupBox::FontChanged() {
    TskCustomPanel::FontChanged();
    Realign();
    Repaint();
}

void TskCustomGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    PaintBackground(canvas);
    canvas.Font().Assign(*Font());
    const TRect r = ClientRect();
    const int y = r.Top + std::abs(Font()->Height()) / 2 + 1;
    const int textWidth = caption_.empty() ? 0 : canvas.TextWidth(caption_);
    canvas.Pen().SetColor(borderColor_);
    const bool rightToLeft = BiDiMode() == bdRightToLeft && GetSystemMetrics(SM_MIDEASTENABLED);
    if (rightToLeft) {
        canvas.MoveTo(r.Right - 3, y);
        canvas.LineTo(r.Right - 1, y);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left + 1, r.Bottom - 1);
        canvas.LineTo(r.Left + 1, y);
        canvas.LineTo(caption_.empty() ? r.Right - 1 : r.Right - textWidth - 7, y);
    } else {
        canvas.MoveTo(r.Left + 2, y);
        canvas.LineTo(r.Left, y);
        canvas.LineTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Right - 1, y);
        canvas.LineTo(caption_.empty() ? r.Left : r.Left + 6 + textWidth, y);
    }
    if (!Enabled()) canvas.Font().SetColor(TColor(0x808080));
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(rightToLeft ? Width() - textWidth - 6 : 5, 0, caption_);
}
