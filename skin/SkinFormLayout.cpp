#include "skin/SkinFormLayout.h"

#include <algorithm>

int CheckedBorderWidth(int32_t value) {
    return std::clamp<int32_t>(value, 0, MaxFormBorderWidth);
}

int CappedBorderExtent(int extent, int windowExtent) {
    return std::clamp(extent, 0, std::max(windowExtent / 2, 0));
}

TRect FrameClientRect(int x, int y, int cx, int cy, const TskFrameReserve& reserve) {
    TRect r{x, y, x + cx, y + cy};
    if (const int side = CappedBorderExtent(reserve.SideBorder, cx); side > 0) {
        r.Left = x + side - 2;
        r.Right = x + cx - side + 2;
    }
    if (const int bottom = CappedBorderExtent(reserve.BottomBorderHeight, cy); bottom != 0)
        r.Bottom = y + cy - bottom + 2;
    else if (reserve.BorderWidth != 3)
        r.Bottom = y + cy - CheckedBorderWidth(reserve.BorderWidth) + 2;
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}
