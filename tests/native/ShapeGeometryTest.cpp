// The text shape control's arithmetic natively, under the sanitizers: angles,
// figure points, where rotated text starts, which repeated copies can show
// and the fitted sizes, near the integer limits too.

#include "shapes/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

template <size_t N> std::vector<TShapePoint> V(const std::array<TShapePoint, N>& points) {
    return std::vector<TShapePoint>(points.begin(), points.end());
}

TEST(NormalizeAngle, FoldsIntoMinus179To180AndSnapsTrianglesAndLines) {
    const struct {
        TMultiShapeType type;
        int value, stored;
    } table[] = {{msRectangle, 540, 180}, {msText, -180, 180},     {msText, 200, -160},
                 {msTriangle, 30, 45},    {msTriangle, -170, 180}, {msLine, -170, 180},
                 {msLine, 22, 0},         {msText, INT_MIN, -128}, {msLine, INT_MAX, 135}};
    for (const auto& c : table)
        EXPECT_EQ(c.stored, NormalizeAngle(c.value, c.type)) << c.value;
    for (int v = -1000; v <= 1000; ++v) {
        const int a = NormalizeAngle(v, msText), snapped = NormalizeAngle(v, msLine);
        ASSERT_TRUE(a > -180 && a <= 180 && (v - a) % 360 == 0) << v;
        ASSERT_TRUE(snapped % 45 == 0 && snapped > -180 && snapped <= 180) << v;
    }
}

// Odd sizes: triangles use 2 * (W div 2) = 8 and 2 * (H div 2) = 6.
constexpr TShapeBox Box{10, 20, 9, 7};

TEST(TrianglePoints, EachOfTheEightAnglesAndSnappedOnesInBetween) {
    const std::vector<std::pair<int, std::vector<TShapePoint>>> table{
        {0, {{10, 20}, {18, 23}, {10, 26}}},   {45, {{10, 20}, {18, 20}, {18, 26}}},
        {90, {{14, 20}, {18, 26}, {10, 26}}},  {135, {{10, 20}, {18, 20}, {10, 26}}},
        {180, {{10, 23}, {18, 20}, {18, 26}}}, {-45, {{18, 20}, {18, 26}, {10, 26}}},
        {-90, {{10, 20}, {18, 20}, {14, 26}}}, {-135, {{10, 20}, {10, 26}, {18, 26}}}};
    for (const auto& [angle, points] : table)
        EXPECT_EQ(points, V(TrianglePoints(Box, angle))) << angle;
    EXPECT_EQ(V(TrianglePoints(Box, 45)), V(TrianglePoints(Box, 30)));
}

TEST(LinePoints, FourDirectionsWithNegativeAnglesMirrored) {
    EXPECT_EQ((std::vector<TShapePoint>{{10, 23}, {19, 23}}), V(LinePoints(Box, 0)));
    EXPECT_EQ((std::vector<TShapePoint>{{10, 27}, {19, 20}}), V(LinePoints(Box, 45)));
    EXPECT_EQ((std::vector<TShapePoint>{{14, 20}, {14, 27}}), V(LinePoints(Box, 90)));
    EXPECT_EQ((std::vector<TShapePoint>{{10, 20}, {19, 27}}), V(LinePoints(Box, 135)));
    EXPECT_EQ(V(LinePoints(Box, 45)), V(LinePoints(Box, -45)));
    EXPECT_EQ(V(LinePoints(Box, 0)), V(LinePoints(Box, 180)));
}

TEST(TextOffset, HalvesRoundToEvenAndTurnWithTheText) {
    EXPECT_EQ(2, TextOffset(0, 5, 4).X) << "2.5 goes to 2, not 3";
    EXPECT_EQ(-2, TextOffset(0, 4, -5).Y) << "extents count by their size";
    // The version label: text 40 x 19 in a 57 x 30 box starts at (28 - 20, 15 - 10).
    EXPECT_EQ((TShapePoint{8, 5}), TextOrigin(TShapeBox{0, 0, 57, 30}, TextOffset(0, 40, 19)));
    // Turned upwards, it starts below the centre by half its length.
    EXPECT_EQ((TShapePoint{20, 82}), TextOrigin(TShapeBox{0, 0, 60, 100}, TextOffset(90, 63, 19)));
}

TEST(VisibleRepeats, AgreesWithTryingEveryCopy) {
    const TSpan reach = CopyReach(4, 1, true, -3);
    for (int spacing : {1, 3, 20})
        for (int margin : {-45, 0, 33})
            for (int count : {0, 1, 5, 13})
                for (int from : {-10, 0, 21})
                    for (int width : {0, 1, 50}) {
                        const TSpan visible{from, from + width};
                        int64_t first = -1, end = -1;
                        for (int64_t i = 0; i < count && width > 0; ++i) {
                            const int64_t at = RepeatPosition(i, spacing, margin);
                            if (at + reach.To > visible.From && at + reach.From < visible.To) {
                                if (first < 0) first = i;
                                end = i + 1;
                            }
                        }
                        const TRepeatRange r =
                            VisibleRepeats(count, spacing, margin, reach, visible);
                        ASSERT_EQ(std::max<int64_t>(end - first, 0), r.End - r.First)
                            << spacing << " " << margin << " " << count << " " << from;
                        if (first >= 0) ASSERT_EQ(first, r.First);
                    }
}

TEST(VisibleRepeats, OnePixelSpacingOnAHugeControlDrawsOnlyWhatShows) {
    const int64_t count = RepeatCount(true, INT_MAX, 1);
    EXPECT_EQ(int64_t{INT_MAX} + 1, count);
    const TRepeatRange near = VisibleRepeats(count, 1, 0, CopyReach(10, 2, false, 0), {0, 1280});
    EXPECT_EQ(0, near.First);
    EXPECT_EQ(1282, near.End);
    const TRepeatRange far = VisibleRepeats(count, 1, INT_MIN, CopyReach(10, 2, false, 0), {0, 9});
    EXPECT_EQ(-int64_t{INT_MIN} - 12, far.First);
    EXPECT_EQ(count, far.End);
    EXPECT_EQ(-12, RepeatPosition(far.First, 1, INT_MIN));
    EXPECT_EQ(int64_t{INT_MAX} * INT_MAX, RepeatPosition(INT_MAX, INT_MAX, 0));
}

TEST(Clamping, SizesAndFiguresPastThe32BitRangeStayDefinedAndDrawable) {
    EXPECT_EQ(INT_MAX, FittedControlSize(INT_MAX, INT_MAX, true, INT_MAX));
    EXPECT_EQ(INT_MIN, FittedShapeSize(INT_MIN, INT_MAX, true, INT_MAX));
    const TShapePoint corner = BoxCorners(TShapeBox{INT_MAX, INT_MIN, INT_MAX, INT_MAX})[1];
    EXPECT_EQ((TShapePoint{2 * int64_t{INT_MAX}, -1}), corner);
    const TPoint drawn = ClampPoint(corner, DrawingLimits(TRect{0, 0, 57, 30}, 3));
    EXPECT_EQ(57 + GuardBand + 6, drawn.X);
    EXPECT_EQ(-1, drawn.Y);
    EXPECT_EQ((1 << 27) - 1, DrawingLimits(TRect{0, 0, INT_MAX, INT_MAX}, INT64_MAX).Right);
    EXPECT_EQ(MaxPenWidth, DrawablePenWidth(INT_MAX));
}

} // namespace
