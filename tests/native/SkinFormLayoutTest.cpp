// The skinned frame's arithmetic: the client rectangle of WM_NCCALCSIZE for
// border lines of every width and for skin-file border pictures, and the
// skin-file values that are checked before use.

#include "skin/SkinFormLayout.h"

#include <gtest/gtest.h>

namespace {

TskFrameReserve Lines(int borderWidth) {
    TskFrameReserve reserve;
    reserve.BorderWidth = borderWidth;
    return reserve;
}

} // namespace

TEST(SkinFormLayout, BorderLinesReserveTheBottomByTheirWidth) {
    // A one-pixel line leaves the bottom one row beyond the window; the
    // system's own frame is taken off afterwards.
    EXPECT_EQ(FrameClientRect(10, 20, 276, 243, Lines(1)), Rect(10, 20, 286, 264));
    EXPECT_EQ(FrameClientRect(10, 20, 276, 243, Lines(2)), Rect(10, 20, 286, 263));
    EXPECT_EQ(FrameClientRect(10, 20, 276, 243, Lines(3)), Rect(10, 20, 286, 263));
    EXPECT_EQ(FrameClientRect(10, 20, 276, 243, Lines(5)), Rect(10, 20, 286, 260));
}

TEST(SkinFormLayout, SideAndBottomPicturesReserveTheirExtentLessTwo) {
    TskFrameReserve reserve;
    reserve.SideBorder = 6;
    reserve.BottomBorderHeight = 8;
    reserve.BorderWidth = 1;
    EXPECT_EQ(FrameClientRect(0, 0, 300, 200, reserve), Rect(4, 0, 296, 194));
    // A bottom picture decides the bottom whatever the line's width.
    reserve.BorderWidth = 3;
    EXPECT_EQ(FrameClientRect(0, 0, 300, 200, reserve).Bottom, 194);
}

TEST(SkinFormLayout, OversizedPicturesAndLinesNeverInvertTheRectangle) {
    TskFrameReserve reserve;
    reserve.SideBorder = 5000;
    reserve.BottomBorderHeight = 5000;
    const TRect r = FrameClientRect(0, 0, 100, 60, reserve);
    // Capped at half the window.
    EXPECT_EQ(r, Rect(48, 0, 52, 32));
    EXPECT_GE(FrameClientRect(0, 0, 4, 3, Lines(1000)).Height(), 0);
    EXPECT_GE(FrameClientRect(0, 0, 0, 0, reserve).Width(), 0);
}

TEST(SkinFormLayout, SkinFileBorderWidthIsCheckedAndBorderExtentsCapped) {
    EXPECT_EQ(CheckedBorderWidth(-1), 0) << "missing";
    EXPECT_EQ(CheckedBorderWidth(-40), 0);
    EXPECT_EQ(CheckedBorderWidth(3), 3);
    EXPECT_EQ(CheckedBorderWidth(100000), MaxFormBorderWidth);
    EXPECT_EQ(CappedBorderExtent(200, 300), 150);
    EXPECT_EQ(CappedBorderExtent(-5, 300), 0);
    EXPECT_EQ(CappedBorderExtent(7, -1), 0);
}
