// TMultiShape's paints on off-screen bitmaps, pixel by pixel against
// positions computed here. SHAPE_TEST_BITMAPS=DIR keeps every paint there.

#include "shapes/MShape.h"

#include "framework/Bitmap.h"
#include "framework/WinControl.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr TColor Background = 0x3C6E28; // no shape draws it

void Fill(TBitmap& bitmap, TColor color) {
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

void Keep(TBitmap& bitmap, const char* suffix = "") {
    if (const char* dir = std::getenv("SHAPE_TEST_BITMAPS")) {
        TMemoryStream stream;
        bitmap.SaveToStream(stream);
        stream.SaveToFile(std::string(dir) + "/" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix +
                          ".bmp");
    }
}

// The bounding box of the pixels that are not the background.
TRect Ink(TBitmap& bitmap, TColor background = Background) {
    TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != background)
                box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                            std::max(box.Bottom, y + 1)};
    return box;
}

int Mismatches(TBitmap& bitmap, const std::function<TColor(int, int)>& expected) {
    int wrong = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != expected(x, y) && ++wrong <= 3)
                ADD_FAILURE() << "(" << x << ", " << y << ") is " << std::hex << bitmap.Pixel(x, y);
    return wrong;
}

bool In(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// One shape at the top left of a bitmap larger than itself, so that anything
// drawn outside the control would show.
class ShapePaint : public ::testing::Test {
  protected:
    void SetUp() override { Fill(target, Background); }
    void Paint() {
        shape.PaintOn(target.Canvas().Handle());
        Keep(target);
    }
    // One 20 x 20 red figure at (4, 6).
    void Figure(TMultiShapeType type) {
        shape.SetShapeType(type);
        shape.SetColor(clRed);
        shape.SetRepeatMode(rpNone);
        shape.SetXMargin(4);
        shape.SetYMargin(6);
        shape.SetShapeW(20);
        shape.SetShapeH(20);
    }

    TBitmap target{100, 100};
    TMultiShape shape{nullptr};
};

TEST_F(ShapePaint, CopiesRepeatByModeAtTheMarginPlusMultiplesOfTheSpacing) {
    shape.SetBounds(0, 0, 50, 50);
    shape.SetXMargin(3);
    shape.SetYMargin(4);
    const auto copies = [&](std::vector<int> columns, std::vector<int> rows) {
        const auto in = [](int v, const std::vector<int>& starts) {
            for (int s : starts)
                if (v >= s && v < s + 10 && v < 50) return true;
            return false;
        };
        Fill(target, Background);
        Paint();
        return Mismatches(target, [&](int x, int y) {
            return in(x, columns) && in(y, rows) ? clNavy : Background;
        });
    };
    EXPECT_EQ(0, copies({3, 23, 43}, {4, 24, 44})) << "50 div 20 + 1 each way";
    shape.SetRepeatMode(rpVert);
    EXPECT_EQ(0, copies({3}, {4, 24, 44}));
    shape.SetRepeatMode(rpHoriz);
    EXPECT_EQ(0, copies({3, 23, 43}, {4}));
    shape.SetRepeatMode(rpBoth);
    shape.SetXSpacing(0);
    EXPECT_EQ(0, copies({3}, {4, 24, 44}));
}

TEST_F(ShapePaint, HugeControlWithOnePixelSpacingDrawsOnlyTheCopiesThatShow) {
    shape.SetBounds(0, 0, INT_MAX, INT_MAX); // four billion billion copies asked for
    shape.SetXSpacing(1);
    shape.SetYSpacing(1);
    shape.SetShapeW(2);
    shape.SetShapeH(2);
    Paint();
    EXPECT_EQ(0, Mismatches(target, [](int, int) { return clNavy; }));
}

TEST_F(ShapePaint, BorderedRectangleOverItsShadowMovedByTheShadowOffsets) {
    Figure(msRectangle);
    shape.SetBorder(true);
    shape.SetShadowY(-2);
    shape.SetShadow(true);
    Paint();
    EXPECT_EQ(0, Mismatches(target, [](int x, int y) {
                  if (In(x, y, 5, 7, 23, 25)) return clRed;
                  if (In(x, y, 4, 6, 24, 26)) return clBlack;
                  return In(x, y, 6, 4, 26, 24) ? clGray : Background;
              }));
}

TEST_F(ShapePaint, RoundRectangleStaysFilledWithFilledOff) {
    Figure(msRoundRect);
    shape.SetFilled(false);
    Paint();
    EXPECT_EQ(clRed, target.Pixel(14, 16));
    EXPECT_EQ(Background, target.Pixel(4, 6)) << "round corner";
    EXPECT_EQ((TRect{4, 6, 24, 26}), Ink(target));
}

TEST_F(ShapePaint, LineAtMinus45RunsFromBottomLeftToTopRightLikeAt45) {
    Figure(msLine);
    shape.SetBorder(true); // lines take Color all the same
    shape.SetAngle(-45);
    Paint();
    EXPECT_EQ(0, Mismatches(target, [](int x, int y) {
                  return x >= 4 && x < 24 && x - 4 == 26 - y ? clRed : Background;
              }));
}

TEST_F(ShapePaint, FiguresFarPastTheIntegerRangeDrawTheirVisiblePart) {
    Figure(msRectangle);
    shape.SetBorder(true);
    shape.SetShapeW(INT_MAX);
    shape.SetShapeH(INT_MAX);
    Paint();
    EXPECT_EQ(
        0, Mismatches(target, [](int x, int y) {
            return !In(x, y, 4, 6, 100, 100) ? Background : x == 4 || y == 6 ? clBlack : clRed;
        }));
    shape.SetBorderWidth(1 << 20); // such a pen brings the platform down
    Paint();
    EXPECT_EQ(0, Mismatches(target, [](int, int) { return clBlack; }));
}

// ---- text ----------------------------------------------------------------------

class TextPaint : public ShapePaint {
  protected:
    void Label(const std::string& text, int width, int height, int angle) {
        shape.SetShapeType(msText);
        shape.SetText(text);
        shape.SetAngle(angle);
        shape.Font()->SetName("Tahoma");
        shape.Font()->SetHeight(-16);
        shape.Font()->SetStyle(FontStyle(fsBold));
        shape.SetColor(clRed);
        shape.SetBounds(0, 0, width, height);
        shape.SetRepeatMode(rpNone);
        font.Reset(CreateFontA(-16, 0, angle * 10, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                               "Tahoma"));
    }
    SIZE Extent(const std::string& text) {
        MemoryDc dc(CreateCompatibleDC(nullptr));
        SelectionScope selected(dc.Get(), font.Get());
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
        return size;
    }
    GdiObject font; // the label's font, made here as the control makes it
};

TEST_F(TextPaint, VersionLabelIsCentredInItsBox) {
    Label("V1.2", 57, 30, 0);
    Paint();
    const SIZE extent = Extent("V1.2");
    TBitmap reference(100, 100);
    Fill(reference, Background);
    HDC dc = reference.Canvas().Handle();
    IntersectClipRect(dc, 0, 0, 57, 30);
    SelectionScope selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(clRed));
    TextOutA(dc, 28 - static_cast<int>(std::nearbyint(extent.cx / 2.0)),
             15 - static_cast<int>(std::nearbyint(extent.cy / 2.0)), "V1.2", 4);
    Keep(reference, ".reference");
    EXPECT_EQ(0, Mismatches(target, [&](int x, int y) { return reference.Pixel(x, y); }));
    EXPECT_GT(Ink(target).Width(), 20);
}

TEST_F(TextPaint, TextOverColourHasNoBoxBehindIt) {
    Label("V1.2", 57, 30, 0);
    Fill(target, clYellow);
    Paint();
    const TRect ink = Ink(target, clYellow);
    EXPECT_GT(ink.Width(), 20);
    EXPECT_EQ(clYellow, target.Pixel(ink.Left, ink.Bottom - 1)) << "under the V's left arm";
    EXPECT_EQ(0, Mismatches(target, [&](int x, int y) {
                  return target.Pixel(x, y) == clWhite ? clYellow : target.Pixel(x, y);
              }));
}

TEST_F(TextPaint, NinetyDegreesRunsUpwardsCentredOnTheBox) {
    Label("MOXEL", 60, 100, 90);
    Paint();
    const SIZE extent = Extent("MOXEL");
    const TRect ink = Ink(target);
    EXPECT_GT(ink.Height(), std::max<LONG>(2 * ink.Width(), extent.cx * 3 / 4))
        << "taller than wide";
    // Within the turned cell around the box's centre (30, 50).
    EXPECT_GE(ink.Left, 30 - extent.cy / 2 - 1);
    EXPECT_LE(ink.Right, 30 + extent.cy / 2 + 2);
    EXPECT_GE(ink.Top, 50 - extent.cx / 2 - 1);
    EXPECT_LE(ink.Bottom, 50 + extent.cx / 2 + 2);
}

TEST_F(TextPaint, TenThousandTextPaintsHoldNoMoreGdiObjects) {
    Label("V1.2", 57, 30, 0);
    shape.SetShadow(true);
    const auto paint = [&](int i) {
        shape.SetAngle(i % 360); // a font of its own for every paint
        shape.PaintOn(target.Canvas().Handle());
    };
    for (int i = 0; i < 10; ++i)
        paint(i);
    const int before = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        paint(i);
    std::printf("GDI objects: %d before, %d after 10000 text paints\n", before, LiveGdiObjects());
    EXPECT_GT(before, 0);
    EXPECT_LE(LiveGdiObjects(), before);
}

TEST(ParentPaint, EachVisibleShapePaintsAtItsPlaceClippedToItsBounds) {
    TWinControl parent(nullptr);
    const auto child = [&](TColor color, int left, int top, int width, int height) {
        auto* shape = new TMultiShape(&parent);
        shape->SetParent(&parent);
        shape->SetColor(color);
        shape->SetBounds(left, top, width, height);
        return shape;
    };
    child(clNavy, 10, 20, 30, 30); // copies at 0 and 20 each way, those at 20 cut
    child(clLime, 0, 0, 100, 100)->SetVisible(false);
    TBitmap target(100, 100);
    Fill(target, Background);
    parent.Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()));
    Keep(target);
    EXPECT_EQ(0, Mismatches(target, [](int x, int y) {
                  const bool inColumn = In(x, 0, 10, 0, 20, 1) || In(x, 0, 30, 0, 40, 1);
                  const bool inRow = In(0, y, 0, 20, 1, 30) || In(0, y, 0, 40, 1, 50);
                  return inColumn && inRow ? clNavy : Background;
              }));
}

} // namespace
