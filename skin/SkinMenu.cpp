#include "skin/SkinMenu.h"

#include "framework/Bitmap.h"

void AssignMenuDrawHandlers(TMenuItem* item, const TMenuDrawItemEvent& onDrawItem,
                            const TMenuMeasureItemEvent& onMeasureItem) {
    if (!item) return;
    item->OnDrawItem = onDrawItem;
    item->OnMeasureItem = onMeasureItem;
    for (int i = 0; i < item->Count(); ++i)
        AssignMenuDrawHandlers(item->Items(i), onDrawItem, onMeasureItem);
}

void FrameRectColor(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FrameRect(rect);
}

void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void DrawMenuSeparator(TCanvas& canvas, const TRect& rect, TColor color, int barWidth,
                       bool leftToRight) {
    canvas.Pen().SetColor(color);
    const int y = rect.Top + 2;
    if (leftToRight) {
        canvas.MoveTo(rect.Left + barWidth + 4, y);
        canvas.LineTo(rect.Right - 2, y);
    } else {
        canvas.MoveTo(rect.Left + 2, y);
        canvas.LineTo(rect.Right - barWidth - 4, y);
    }
}

namespace {

void DrawMacPicture(TCanvas& canvas, const TRect& rect, const char* name, int rows) {
    TBitmap picture;
    picture.LoadFromResourceName(name);
    picture.SetHeight(rows); // keeps the top rows
    canvas.StretchDraw(rect, picture);
}

} // namespace

void DrawMacMenuBar(TCanvas& canvas, const TRect& rect) {
    DrawMacPicture(canvas, rect, "MACOS_MENU_BAR", 12);
}

void DrawMacMenuItem(TCanvas& canvas, const TRect& rect) {
    DrawMacPicture(canvas, rect, "MACOS_MENU_BAR", 20);
}

void DrawMacMenuSelection(TCanvas& canvas, const TRect& rect) {
    DrawMacPicture(canvas, rect, "MACOS_MENU_SELECT", 20);
}

void DrawMenuWindowFrame(HWND window, TColor outerColor, TColor lineColor) {
    RECT w;
    if (!GetWindowRect(window, &w)) return;
    WindowDc desktop(GetDesktopWindow(), true);
    if (!desktop.Get()) return;
    TCanvas canvas;
    CanvasScope scope(canvas, desktop.Get());
    FrameRectColor(canvas, Rect(w.left, w.top + 1, w.right - 1, w.bottom - 1), outerColor);
    FrameRectColor(canvas, Rect(w.left + 1, w.top + 2, w.right - 2, w.bottom - 2), clWhite);
    canvas.Pen().SetColor(lineColor);
    const int l = w.left, t = w.top, r = w.right, b = w.bottom;
    canvas.Polyline({{l, b - 1}, {r - 1, b - 1}, {r - 1, t}, {r, t}, {l, t}});
}

void GetMenuFont(TFont& font) {
    NONCLIENTMETRICSA metrics{};
    // The size without the padded-border field, which every system accepts.
    metrics.cbSize = 340;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0)) return;
    font.SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    font.SetColor(clMenuText);
}
