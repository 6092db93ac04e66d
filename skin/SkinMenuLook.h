#pragma once
// The look the skinned popup and main menus share: the appearance
// properties, the theme values UIStyle applies, and the handlers that measure
// and draw every item of the menu's own item tree.
//
// A menu class derives from its framework menu first and from TskMenuLook
// second, forwards its Loaded, item and Notification hooks here, and
// publishes the shared properties with PublishMenuLook.

#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/SkinMenuLayout.h"
#include "skin/SkinThemeLink.h"

class TskMenuLook {
  public:
    // Applies the default style of menu's owner (GetFormUIStyle).
    explicit TskMenuLook(TMenu& menu);
    // The items outlive the menu: they keep no handler of it.
    virtual ~TskMenuLook();
    TskMenuLook(const TskMenuLook&) = delete;
    TskMenuLook& operator=(const TskMenuLook&) = delete;

    TskUIStyle UIStyle() const { return theme_.Style(); }
    // Sets the colours, the bar width, the heights and the separator colour.
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Applies UIStyle again, so the colours follow the (re)loaded skin file.
    void SetFileTheme(TskFileTheme* theme) { theme_.SetFileTheme(theme); }
    // The two heights keep their MacOS values while UIStyle is MacOS.
    int MenuItemHeight() const { return menuItemHeight_; }
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return separatorHeight_; }
    void SetSeparatorHeight(int value);
    int BarWidth() const { return barWidth_; }
    void SetBarWidth(int value) { barWidth_ = value; }
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value) { barColor_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(TColor value) { separatorColor_ = value; }
    TColor SelectedBorderColor() const { return selectedBorderColor_; }
    void SetSelectedBorderColor(TColor value) { selectedBorderColor_ = value; }
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value) { selectedColor_ = value; }
    TColor SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(TColor value) { selectedFontColor_ = value; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value) { fontColor_ = value; }
    // Stored only: the flat border's outer frame is always black.
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value) { borderColor_ = value; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool value) { flatMenu_ = value; }
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& value) { fontName_ = value; }
    int FontSize() const { return fontSize_; }
    void SetFontSize(int value) { fontSize_ = value; }
    int FontCharset() const { return fontCharset_; }
    void SetFontCharset(int value) { fontCharset_ = value; }
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value);

    // The handlers every item of the menu gets.
    void MeasureMenuItem(TObject* sender, TCanvas& canvas, int& width, int& height);
    void DrawMenuItem(TObject* sender, TCanvas& canvas, TRect rect, bool selected);
    // Installs both handlers on every item of the menu, depth first.
    void AssignDrawHandlers();

  protected:
    // The 16 x 16 check-mark picture in a list (image 0).
    virtual TImageList& CheckMarks() = 0;
    virtual void UseSystemFontChanged() {}

    // For the menu's overrides of the same hooks.
    void LookItemAdded(TMenuItem* item);
    void LookItemRemoved(TMenuItem* item);
    void LookNotification(TComponent* component, TOperation operation);

  private:
    void ApplyStyle();
    // The font an item is drawn in, also when it is measured.
    void PrepareFont(TCanvas& canvas, const TMenuItem& item) const;
    // The steps of DrawMenuItem.
    void DrawFlatBorder(TCanvas& canvas);
    void DrawSeparator(TCanvas& canvas, const TRect& rect, bool leftToRight);
    void DrawBackground(TCanvas& canvas, const TRect& rect, bool highlighted, bool leftToRight);
    void DrawTexts(TCanvas& canvas, const TMenuItem& item, const TRect& rect, bool highlighted,
                   bool leftToRight);
    void DrawCheckAndImage(TCanvas& canvas, const TMenuItem& item, const TskMenuItemLayout& layout);
    void DrawBarAndBody(TCanvas& canvas, const TRect& rect, bool leftToRight) const;
    bool HasImage(const TMenuItem& item) const;

    TMenu& menu_;
    TskThemeLink theme_;
    int menuItemHeight_ = 21;
    int separatorHeight_ = 5;
    int barWidth_ = 26;
    TColor barColor_ = 0;
    TColor color_ = 0;
    TColor separatorColor_ = 0x848284;
    TColor selectedBorderColor_ = 0;
    TColor selectedColor_ = 0;
    TColor selectedFontColor_ = 0;
    TColor fontColor_ = 0;
    TColor borderColor_ = clBlack;
    bool flatMenu_ = false;
    std::string fontName_ = "MS Sans Serif";
    int fontSize_ = 8;
    int fontCharset_ = 1; // DEFAULT_CHARSET
    bool useSystemFont_ = true;
};

// The check-mark picture "MENU_CHECKED" with white as its transparent colour.
void LoadMenuCheckMark(TImageList& list);

// Adds the shared appearance properties to a menu class's description.
template <class C> ClassBuilder<C> PublishMenuLook(ClassBuilder<C> builder) {
    builder.template Reference<TskFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme)
        .Enum("UIStyle", TskUIStyleInfo, &C::UIStyle, &C::SetUIStyle)
        .Int("MenuItemHeight", &C::MenuItemHeight, &C::SetMenuItemHeight)
        .Int("SeparatorHeight", &C::SeparatorHeight, &C::SetSeparatorHeight)
        .Int("BarWidth", &C::BarWidth, &C::SetBarWidth)
        .Color("BarColor", &C::BarColor, &C::SetBarColor)
        .Color("Color", &C::Color, &C::SetColor)
        .Color("SeparatorColor", &C::SeparatorColor, &C::SetSeparatorColor)
        .Color("SelectedBorderColor", &C::SelectedBorderColor, &C::SetSelectedBorderColor)
        .Color("SelectedColor", &C::SelectedColor, &C::SetSelectedColor)
        .Color("SelectedFontColor", &C::SelectedFontColor, &C::SetSelectedFontColor)
        .Color("FontColor", &C::FontColor, &C::SetFontColor)
        .Color("BorderColor", &C::BorderColor, &C::SetBorderColor)
        .Bool("FlatMenu", &C::FlatMenu, &C::SetFlatMenu)
        .Str("FontName", &C::FontName, &C::SetFontName)
        .Int("FontSize", &C::FontSize, &C::SetFontSize)
        .Int("FontCharset", &C::FontCharset, &C::SetFontCharset)
        .Bool("UseSystemFont", &C::UseSystemFont, &C::SetUseSystemFont)
        .Bool("OwnerDraw", &C::OwnerDraw, &C::SetOwnerDraw);
    return builder;
}
