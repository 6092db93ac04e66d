#pragma once
// The skinned frame's arithmetic: the client rectangle it leaves inside the
// window (before the system takes the window's own remaining frame), and the
// skin-file values it reads, checked before use. Free of windows.h, so the
// arithmetic is also checked natively.

#include "framework/Types.h"

#include <cstdint>

// What the frame reserves around the client area.
struct TskFrameReserve {
    // Width of the side border pictures (0: plain border lines).
    int SideBorder = 0;
    // Height of the bottom border picture (0: none).
    int BottomBorderHeight = 0;
    int BorderWidth = 0;
};

// The first rectangle of WM_NCCALCSIZE for a window at (x, y) of size
// (cx, cy). A side border wider than half the window, or a bottom border
// higher than half of it, counts as half; the rectangle is never inverted.
TRect FrameClientRect(int x, int y, int cx, int cy, const TskFrameReserve& reserve);

// The widest border line a skin file may ask for.
constexpr int MaxFormBorderWidth = 64;
// A skin file's FormBorderWidthInt: missing (-1) or negative reads as 0,
// anything wider than MaxFormBorderWidth as MaxFormBorderWidth.
int CheckedBorderWidth(int32_t value);
// A side or bottom border picture's extent, at most half the window's.
int CappedBorderExtent(int extent, int windowExtent);
