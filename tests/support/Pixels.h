#pragma once
// Pixel comparisons for off-screen paints.

#include "framework/Bitmap.h"

// The same size and every pixel alike.
inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

// True when a picture that is not empty lies in bitmap at (x, y), pixel for pixel.
inline bool DrawnAt(const TBitmap& bitmap, int x, int y, const TBitmap& picture) {
    if (picture.Empty()) return false;
    for (int j = 0; j < picture.Height(); ++j)
        for (int i = 0; i < picture.Width(); ++i)
            if (bitmap.Pixel(x + i, y + j) != picture.Pixel(i, j)) return false;
    return true;
}
