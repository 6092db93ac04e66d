#include "skin/SkinMenuLayout.h"

TskMenuItemLayout LayoutMenuItem(const TRect& r, int barWidth, bool leftToRight,
                                 int shortCutWidth) {
    const int bar = MenuSize(barWidth);
    TskMenuItemLayout layout;
    if (leftToRight) {
        layout.Bar = Rect(r.Left, r.Top, r.Left + bar, r.Bottom);
        layout.Body = Rect(r.Left + bar, r.Top, r.Right, r.Bottom);
        layout.Caption = Rect(r.Left + bar + 4, r.Top + 4, r.Right, r.Bottom);
        layout.ShortCut = TPoint{r.Right - shortCutWidth - 16, r.Top + 4};
        layout.ImageX = r.Left + 4;
    } else {
        layout.Bar = Rect(r.Right - bar, r.Top, r.Right, r.Bottom);
        layout.Body = Rect(r.Left, r.Top, r.Right - bar, r.Bottom);
        layout.Caption = Rect(r.Left, r.Top + 4, r.Right - bar - 4, r.Bottom);
        layout.ShortCut = TPoint{r.Left + 16, r.Top + 4};
        layout.ImageX = r.Right - 20;
    }
    const int x = layout.ImageX;
    layout.CheckFrame = Rect(x - 2, r.Top + 1, x + 17, r.Top + 20);
    layout.CheckFill = Rect(x - 1, r.Top + 2, x + 16, r.Top + 19);
    layout.Image = TPoint{x, r.Top + 3};
    return layout;
}

TPoint MenuItemExtent(bool separator, int captionWidth, int shortCutWidth, int barWidth,
                      int itemHeight, int separatorHeight) {
    return TPoint{captionWidth + shortCutWidth + MenuSize(barWidth) + 40,
                  MenuSize(separator ? separatorHeight : itemHeight)};
}
