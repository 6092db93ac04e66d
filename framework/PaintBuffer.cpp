#include "framework/PaintBuffer.h"

#include <algorithm>

TPaintBuffer::TPaintBuffer(int width, int height)
    : bitmap_(std::max(width, 1), std::max(height, 1)) {}

void TPaintBuffer::CopyTo(HDC dc) {
    BitBlt(dc, 0, 0, bitmap_.Width(), bitmap_.Height(), Dc(), 0, 0, SRCCOPY);
}
