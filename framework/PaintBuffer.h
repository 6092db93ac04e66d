#pragma once
// The double buffer: a paint goes into an off-screen bitmap of the area's size
// and reaches the screen in one copy, so nothing flickers. Windowed controls
// use it through SetDoubleBuffered; painting code that composes a picture
// off screen uses it directly.

#include "framework/Bitmap.h"

class TPaintBuffer {
  public:
    TPaintBuffer(int width, int height);
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;

    // Draw through either; do not take the bitmap's Handle() while painting,
    // which would take it out of the device context.
    TBitmap& Bitmap() { return bitmap_; }
    HDC Dc() { return bitmap_.Canvas().Handle(); }
    // Copies the whole buffer to dc at (0, 0).
    void CopyTo(HDC dc);

  private:
    TBitmap bitmap_;
};
