#pragma once
// Icons as the tray tests see them: a square icon of one colour to hand to
// an icon, and an icon's picture drawn over white, as a tray would show it.

#include "framework/Bitmap.h"
#include "tray/TrayIcon.h"

#include <memory>
#include <vector>

// A 16 x 16 icon in one opaque colour.
inline std::unique_ptr<TIcon> SquareIcon(TColor color) {
    TBitmap square(16, 16);
    square.Canvas().Brush().SetColor(color);
    square.Canvas().FillRect(TRect{0, 0, 16, 16});
    auto icon = std::make_unique<TIcon>();
    TTrayIcon::BitmapToIcon(square, *icon, clNone);
    return icon;
}

// The 16 x 16 pixels of icon drawn over white, row by row; empty for none.
inline std::vector<TColor> PictureOf(HICON icon) {
    if (!icon) return {};
    TBitmap target(16, 16); // starts white
    DrawIconEx(target.Canvas().Handle(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::vector<TColor> picture;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            picture.push_back(target.Pixel(x, y));
    return picture;
}
inline TColor PixelOf(const std::vector<TColor>& picture, int x, int y) {
    return picture.empty() ? clNone : picture[y * 16 + x];
}
