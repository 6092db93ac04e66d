#include "skin/SkinMenuLook.h"

#include "skin/SkinMenu.h"
#include "skin/SkinThemes.h"

namespace {
constexpr TColor DisabledFontColor = 0x808080;
constexpr TColor MacSeparatorColor = clBlack;
constexpr TColor SeparatorGrey = 0x848284;
} // namespace

void LoadMenuCheckMark(TImageList& list) {
    TBitmap picture;
    picture.LoadFromResourceName("MENU_CHECKED");
    list.AddMasked(picture, clWhite);
}

TskMenuLook::TskMenuLook(TMenu& menu) : menu_(menu), theme_(menu, [this] { ApplyStyle(); }) {
    theme_.SetStyle(GetFormUIStyle(menu.Owner()));
}

TskMenuLook::~TskMenuLook() {
    TMenuItem* items = menu_.Items();
    for (int i = 0; i < items->Count(); ++i)
        AssignMenuDrawHandlers(items->Items(i), {}, {});
}

void TskMenuLook::ApplyStyle() {
    const TskThemeSource source = theme_.Source();
    barColor_ = source.GetColor(ThemeElement::MenuBarColor);
    color_ = source.GetColor(ThemeElement::MenuBackgroundColor);
    fontColor_ = source.GetColor(ThemeElement::MenuFontColor);
    selectedBorderColor_ = source.GetColor(ThemeElement::MenuSelectedBorderColor);
    selectedColor_ = source.GetColor(ThemeElement::MenuSelectedBackgroundColor);
    selectedFontColor_ = source.GetColor(ThemeElement::MenuSelectedFontColor);
    barWidth_ = 26;
    // The style as set, not as resolved: FromThemeFile takes the plain sizes.
    const bool mac = UIStyle() == TskUIStyle::MacOS;
    menuItemHeight_ = mac ? 20 : 21;
    separatorHeight_ = mac ? 12 : 5;
    separatorColor_ = mac ? MacSeparatorColor : SeparatorGrey;
}

void TskMenuLook::SetMenuItemHeight(int value) {
    // The MacOS pictures are cut to their own heights.
    if (UIStyle() != TskUIStyle::MacOS) menuItemHeight_ = value;
}

void TskMenuLook::SetSeparatorHeight(int value) {
    if (UIStyle() != TskUIStyle::MacOS) separatorHeight_ = value;
}

void TskMenuLook::SetUseSystemFont(bool value) {
    useSystemFont_ = value;
    UseSystemFontChanged();
}

void TskMenuLook::AssignDrawHandlers() {
    TMenuItem* items = menu_.Items();
    for (int i = 0; i < items->Count(); ++i)
        LookItemAdded(items->Items(i));
}

void TskMenuLook::LookItemAdded(TMenuItem* item) {
    AssignMenuDrawHandlers(
        item,
        [this](TObject* sender, TCanvas& canvas, TRect rect, bool selected) {
            DrawMenuItem(sender, canvas, rect, selected);
        },
        [this](TObject* sender, TCanvas& canvas, int& width, int& height) {
            MeasureMenuItem(sender, canvas, width, height);
        });
}

void TskMenuLook::LookItemRemoved(TMenuItem* item) {
    AssignMenuDrawHandlers(item, {}, {});
}

void TskMenuLook::LookNotification(TComponent* component, TOperation operation) {
    theme_.Removed(component, operation);
}

void TskMenuLook::PrepareFont(TCanvas& canvas, const TMenuItem& item) const {
    TFont& font = canvas.Font();
    if (useSystemFont_) {
        GetMenuFont(font);
    } else {
        font.SetName(fontName_);
        font.SetSize(fontSize_);
        font.SetCharset(fontCharset_);
        font.SetStyle(0);
    }
    if (item.Default()) font.SetStyle(font.Style() | FontStyle(fsBold));
}

void TskMenuLook::MeasureMenuItem(TObject* sender, TCanvas& canvas, int& width, int& height) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    // Measured in the font the item is drawn in, so its caption is not clipped.
    PrepareFont(canvas, *item);
    const TPoint extent = MenuItemExtent(item->IsLine(), canvas.TextWidth(item->Caption()),
                                         canvas.TextWidth(ShortCutToText(item->ShortCut())),
                                         barWidth_, menuItemHeight_, separatorHeight_);
    width = extent.X;
    height = extent.Y;
}

void TskMenuLook::DrawBarAndBody(TCanvas& canvas, const TRect& rect, bool leftToRight) const {
    const TskMenuItemLayout layout = LayoutMenuItem(rect, barWidth_, leftToRight, 0);
    if (MenuSize(barWidth_) > 0) FillRectColor(canvas, layout.Bar, barColor_);
    FillRectColor(canvas, layout.Body, color_);
}

bool TskMenuLook::HasImage(const TMenuItem& item) const {
    const TImageList* images = menu_.Images();
    // Only a real index: -2 and the like name no image.
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

void TskMenuLook::DrawMenuItem(TObject* sender, TCanvas& canvas, TRect rect, bool selected) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    const bool leftToRight = !menu_.IsRightToLeft();
    if (flatMenu_) DrawFlatBorder(canvas);
    if (item->IsLine()) {
        DrawSeparator(canvas, rect, leftToRight);
        return;
    }
    // A disabled item never looks selected.
    const bool highlighted = selected && item->Enabled();
    DrawBackground(canvas, rect, highlighted, leftToRight);
    DrawTexts(canvas, *item, rect, highlighted, leftToRight);
    DrawCheckAndImage(canvas, *item, LayoutMenuItem(rect, barWidth_, leftToRight, 0));
}

void TskMenuLook::DrawFlatBorder(TCanvas& canvas) {
    // Only a menu window's canvas has a window to frame.
    if (HWND window = WindowFromDC(canvas.Handle()))
        DrawMenuWindowFrame(window, clBlack,
                            theme_.Source().GetColor(ThemeElement::FormBackgroundColor));
}

void TskMenuLook::DrawSeparator(TCanvas& canvas, const TRect& rect, bool leftToRight) {
    if (UIStyle() == TskUIStyle::MacOS) {
        DrawMacMenuBar(canvas, rect);
        return;
    }
    DrawBarAndBody(canvas, rect, leftToRight);
    DrawMenuSeparator(canvas, rect, separatorColor_, MenuSize(barWidth_), leftToRight);
}

void TskMenuLook::DrawBackground(TCanvas& canvas, const TRect& rect, bool highlighted,
                                 bool leftToRight) {
    const bool mac = UIStyle() == TskUIStyle::MacOS;
    if (highlighted && mac) {
        DrawMacMenuSelection(canvas, rect);
    } else if (highlighted) {
        FillRectColor(canvas, rect, selectedColor_);
        FrameRectColor(canvas, rect, selectedBorderColor_);
    } else if (mac) {
        DrawMacMenuItem(canvas, rect);
    } else {
        DrawBarAndBody(canvas, rect, leftToRight);
    }
}

void TskMenuLook::DrawTexts(TCanvas& canvas, const TMenuItem& item, const TRect& rect,
                            bool highlighted, bool leftToRight) {
    PrepareFont(canvas, item);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(!item.Enabled() ? DisabledFontColor
                           : highlighted   ? selectedFontColor_
                                           : fontColor_);
    const std::string shortCut = ShortCutToText(item.ShortCut());
    const TskMenuItemLayout layout =
        LayoutMenuItem(rect, barWidth_, leftToRight, canvas.TextWidth(shortCut));
    TRect caption = layout.Caption;
    canvas.DrawText(item.Caption(), caption, DT_SINGLELINE | (leftToRight ? DT_LEFT : DT_RIGHT));
    if (!shortCut.empty()) canvas.TextOut(layout.ShortCut.X, layout.ShortCut.Y, shortCut);
}

void TskMenuLook::DrawCheckAndImage(TCanvas& canvas, const TMenuItem& item,
                                    const TskMenuItemLayout& layout) {
    const bool hasImage = HasImage(item);
    if (item.Checked()) {
        if (hasImage) {
            FrameRectColor(canvas, layout.CheckFrame, clBlack);
            FillRectColor(canvas, layout.CheckFill, selectedColor_);
        } else {
            CheckMarks().Draw(canvas, layout.Image.X, layout.Image.Y, 0, item.Enabled());
        }
    }
    if (hasImage)
        menu_.Images()->Draw(canvas, layout.Image.X, layout.Image.Y, item.ImageIndex(),
                             item.Enabled());
}
