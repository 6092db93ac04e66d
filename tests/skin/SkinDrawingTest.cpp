// The shared drawing steps on real bitmaps: which source pixels land where.

#include "skin/SkinPublic.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Sentinel = 0x123456;

// Every pixel tells where it came from: red = x, green = y.
void Coordinates(TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, (x & 0xFF) | ((y & 0xFF) << 8) | 0x070000);
}

TColor From(int x, int y) {
    return (x & 0xFF) | ((y & 0xFF) << 8) | 0x070000;
}

void Fill(TBitmap& b, int w, int h, TColor color) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, color);
}

} // namespace

TEST(ExtractFrame, CutsTheKthOfNEqualColumns) {
    TBitmap strip, frame;
    Coordinates(strip, 252, 23);
    ExtractFrame(strip, frame, 3, 1);
    EXPECT_EQ(frame.Width(), 84);
    EXPECT_EQ(frame.Height(), 23);
    EXPECT_EQ(frame.Pixel(83, 22), From(83, 22));
    ExtractFrame(strip, frame, 3, 3);
    EXPECT_EQ(frame.Pixel(0, 0), From(168, 0));
    EXPECT_EQ(frame.Pixel(83, 5), From(251, 5));
}

TEST(ExtractFrame, LeavesTheUnevenRightColumnsUnused) {
    TBitmap strip, frame;
    Coordinates(strip, 52, 13);
    ExtractFrame(strip, frame, 5, 5);
    EXPECT_EQ(frame.Width(), 10);
    EXPECT_EQ(frame.Pixel(0, 0), From(40, 0));
    EXPECT_EQ(frame.Pixel(9, 12), From(49, 12));
}

class StretchedSkin : public testing::Test {
  protected:
    void Draw(bool transparent) {
        Coordinates(picture, 84, 23);
        Fill(target, 200, 40, Sentinel);
        DrawStretchedSkin(picture, target.Canvas(), Rect(0, 0, 200, 40), transparent);
    }
    TBitmap picture, target;
};

TEST_F(StretchedSkin, CornersStayUnscaledAndTheRightAndBottomOnesAreOnePixelSmaller) {
    Draw(true);
    EXPECT_EQ(target.Pixel(0, 0), From(0, 0));
    EXPECT_EQ(target.Pixel(41, 10), From(41, 10)); // TL (0,0,42,11)
    EXPECT_EQ(target.Pixel(0, 30), From(0, 13));   // BL (0,30,42,40): bottom 10 rows
    EXPECT_EQ(target.Pixel(40, 39), From(40, 22)); // column 41 is under the bottom edge
    EXPECT_EQ(target.Pixel(159, 0), From(43, 0));  // TR (159,0,200,11): right 41 columns
    EXPECT_EQ(target.Pixel(199, 10), From(83, 10));
    EXPECT_EQ(target.Pixel(159, 30), From(43, 13)); // BR (159,30,200,40)
    EXPECT_EQ(target.Pixel(199, 39), From(83, 22));
}

TEST_F(StretchedSkin, EdgesAndCentreStretchTheMiddleRowsAndColumn) {
    Draw(true);
    EXPECT_EQ(target.Pixel(0, 11), From(0, 11)); // left edge: row 11 over (0,11,42,30)
    EXPECT_EQ(target.Pixel(41, 28), From(41, 11));
    EXPECT_EQ(target.Pixel(159, 20), From(43, 12)); // right edge: row 12, columns 43..83
    EXPECT_EQ(target.Pixel(199, 29), From(83, 12));
    EXPECT_EQ(target.Pixel(42, 0), From(42, 0)); // top edge: column 42 over (42,0,159,11)
    EXPECT_EQ(target.Pixel(158, 10), From(42, 10));
    EXPECT_EQ(target.Pixel(100, 20), From(42, 11)); // centre: one pixel over (42,11,159,29)
    EXPECT_EQ(target.Pixel(41, 29), From(42, 12));  // the bottom edge overlaps the left edge
    EXPECT_EQ(target.Pixel(100, 29),
              From(42, 12)); // bottom edge: column 42 rows 12..22 over (41,29,159,40)
    EXPECT_EQ(target.Pixel(100, 39), From(42, 22));
}

TEST_F(StretchedSkin, KeyPixelsShowInOpaqueCornersButNeverInEdges) {
    Coordinates(picture, 84, 23);
    picture.SetPixel(0, 0, SkinKeyColor);  // a corner pixel
    picture.SetPixel(0, 11, SkinKeyColor); // the left edge's source row
    Fill(target, 200, 40, Sentinel);
    DrawStretchedSkin(picture, target.Canvas(), Rect(0, 0, 200, 40), false);
    EXPECT_EQ(target.Pixel(0, 0), SkinKeyColor);
    EXPECT_EQ(target.Pixel(0, 20), Sentinel);

    Fill(target, 200, 40, Sentinel);
    DrawStretchedSkin(picture, target.Canvas(), Rect(0, 0, 200, 40), true);
    EXPECT_EQ(target.Pixel(0, 0), Sentinel);
}

TEST(ThreePartBitmap, EndsKeepTheirWidthAndTheMiddleStretches) {
    TBitmap strip, target;
    Coordinates(strip, 30, 5);
    Fill(target, 100, 5, Sentinel);
    DrawThreePartBitmap(strip, target.Canvas(), Rect(0, 0, 100, 5), false, true);
    EXPECT_EQ(target.Pixel(0, 0), From(0, 0));
    EXPECT_EQ(target.Pixel(9, 4), From(9, 4));
    EXPECT_EQ(target.Pixel(90, 0), From(20, 0));
    EXPECT_EQ(target.Pixel(99, 4), From(29, 4));
    EXPECT_EQ(target.Pixel(10, 2), From(10, 2));
    EXPECT_EQ(target.Pixel(89, 2), From(19, 2));
}

TEST(ThreePartBitmap, EndsAreMaskedByTheChosenCornerPixel) {
    TBitmap strip, target;
    Coordinates(strip, 30, 5);
    strip.SetPixel(0, 0, 0x00FF00);
    strip.SetPixel(1, 0, 0x00FF00);
    Fill(target, 100, 5, Sentinel);
    DrawThreePartBitmap(strip, target.Canvas(), Rect(0, 0, 100, 5), true, true);
    EXPECT_EQ(target.Pixel(1, 0), Sentinel);
}

TEST(TilePicture, StartsAtTheOriginAndOverrunsByUpToOneTile) {
    TBitmap tile, target;
    Fill(tile, 16, 16, 0x0000FF);
    Fill(target, 80, 80, Sentinel);
    TilePicture(target.Canvas(), tile, Rect(5, 5, 45, 25)); // only its 40 x 20 size counts
    EXPECT_EQ(target.Pixel(0, 0), 0x0000FF);
    EXPECT_EQ(target.Pixel(63, 47), 0x0000FF); // tiles at x = 48 and y = 32 are drawn
    EXPECT_EQ(target.Pixel(64, 0), Sentinel);
    EXPECT_EQ(target.Pixel(0, 48), Sentinel);
}

TEST(SkinGeometry, PointInRectCountsAllFourEdges) {
    const TRect r = Rect(10, 10, 20, 20);
    EXPECT_TRUE(PointInRect(TPoint{20, 20}, r));
    EXPECT_TRUE(PointInRect(10, 10, r));
    EXPECT_FALSE(PointInRect(21, 15, r));
}

TEST(SkinGeometry, RotateBitmap180TurnsEveryPixel) {
    TBitmap b;
    Coordinates(b, 5, 3);
    RotateBitmap180(b);
    EXPECT_EQ(b.Pixel(0, 0), From(4, 2));
    EXPECT_EQ(b.Pixel(4, 2), From(0, 0));
    EXPECT_EQ(b.Pixel(1, 2), From(3, 0));
}

TEST(SkinGeometry, PaintParentBackgroundWithoutAParentLeavesTheCanvasAlone) {
    TControl control(nullptr);
    TBitmap target;
    Fill(target, 10, 10, Sentinel);
    PaintParentBackground(target.Canvas(), &control);
    EXPECT_EQ(target.Pixel(5, 5), Sentinel);
}

TEST(SkinGeometry, PlaceControlSetsTheBoundsFromARectangle) {
    TControl control(nullptr);
    PlaceControl(&control, Rect(3, 4, 53, 24));
    EXPECT_EQ(control.BoundsRect(), Bounds(3, 4, 50, 20));
}
