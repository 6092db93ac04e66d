#include "shapes/ShapeGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr double Pi = 3.14159265358979323846;

// The platform takes coordinates of 27 bits only.
constexpr int64_t CoordinateLimit = (int64_t{1} << 27) - 1;

TShapePoint Point(int64_t x, int64_t y) {
    return TShapePoint{x, y};
}

int ClampCoordinate(int64_t value) {
    return static_cast<int>(std::clamp(value, -CoordinateLimit, CoordinateLimit));
}

// Integer division rounding towards minus infinity (the copies left of the
// visible stretch have negative numerators).
int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

// Rounds to nearest in the current rounding mode: ties go to even.
int64_t RoundNearest(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

} // namespace

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int SnapAngle(int angle) {
    const int snapped = static_cast<int>(RoundNearest(angle / 45.0)) * 45;
    return snapped == -180 ? 180 : snapped;
}

int NormalizeAngle(int value, TMultiShapeType type) {
    int a = value % 360;
    if (a == -180)
        a = 180;
    else if (a > 180)
        a -= 360;
    else if (a < -180)
        a += 360;
    if (type == msTriangle || type == msLine) a = SnapAngle(a);
    return a;
}

TShapeBox MovedBox(const TShapeBox& box, int dx, int dy) {
    return TShapeBox{box.X + dx, box.Y + dy, box.W, box.H};
}

std::array<TShapePoint, 2> BoxCorners(const TShapeBox& box) {
    return {Point(box.X, box.Y), Point(box.X + box.W, box.Y + box.H)};
}

std::array<TShapePoint, 4> DiamondPoints(const TShapeBox& box) {
    const int64_t x = box.X, y = box.Y, w2 = box.W / 2, h2 = box.H / 2;
    return {Point(x + w2, y), Point(x + 2 * w2, y + h2), Point(x + w2, y + 2 * h2),
            Point(x, y + h2)};
}

std::array<TShapePoint, 3> TrianglePoints(const TShapeBox& box, int angle) {
    const int64_t x = box.X, y = box.Y;
    const int64_t w2 = 2 * (box.W / 2), h2 = 2 * (box.H / 2);
    const int64_t right = x + w2, bottom = y + h2;
    switch (NormalizeAngle(angle, msTriangle)) {
    case 0:
        return {Point(x, y), Point(right, y + h2 / 2), Point(x, bottom)};
    case 45:
        return {Point(x, y), Point(right, y), Point(right, bottom)};
    case 90:
        return {Point(x + w2 / 2, y), Point(right, bottom), Point(x, bottom)};
    case 135:
        return {Point(x, y), Point(right, y), Point(x, bottom)};
    case -45:
        return {Point(right, y), Point(right, bottom), Point(x, bottom)};
    case -90:
        return {Point(x, y), Point(right, y), Point(x + w2 / 2, bottom)};
    case -135:
        return {Point(x, y), Point(x, bottom), Point(right, bottom)};
    default: // 180
        return {Point(x, y + h2 / 2), Point(right, y), Point(right, bottom)};
    }
}

std::array<TShapePoint, 2> LinePoints(const TShapeBox& box, int angle) {
    const int64_t x = box.X, y = box.Y, w = box.W, h = box.H;
    int a = NormalizeAngle(angle, msLine);
    // A negative angle is mirrored, not turned: -45 draws like 45.
    if (a < 0) a = 180 - a;
    switch (a % 180) {
    case 45:
        return {Point(x, y + h), Point(x + w, y)};
    case 90:
        return {Point(x + w / 2, y), Point(x + w / 2, y + h)};
    case 135:
        return {Point(x, y), Point(x + w, y + h)};
    default: // 0
        return {Point(x, y + h / 2), Point(x + w, y + h / 2)};
    }
}

TTextOffset TextOffset(int angle, int cx, int cy) {
    const double t = angle * Pi / 180;
    const double halfX = std::llabs(cx) / 2.0, halfY = std::llabs(cy) / 2.0;
    return TTextOffset{RoundNearest(std::cos(t) * halfX + std::sin(t) * halfY),
                       RoundNearest(std::sin(t) * halfX - std::cos(t) * halfY)};
}

TShapePoint TextOrigin(const TShapeBox& box, const TTextOffset& offset) {
    return Point(box.X + box.W / 2 - offset.X, box.Y + box.H / 2 + offset.Y);
}

TRect DrawingLimits(const TRect& visible, int64_t slack) {
    const int64_t band = GuardBand + 2 * std::clamp<int64_t>(slack, 0, CoordinateLimit);
    return TRect{ClampCoordinate(visible.Left - band), ClampCoordinate(visible.Top - band),
                 ClampCoordinate(visible.Right + band), ClampCoordinate(visible.Bottom + band)};
}

TPoint ClampPoint(const TShapePoint& point, const TRect& limits) {
    return TPoint{static_cast<int>(std::clamp<int64_t>(point.X, limits.Left, limits.Right)),
                  static_cast<int>(std::clamp<int64_t>(point.Y, limits.Top, limits.Bottom))};
}

int DrawablePenWidth(int width) {
    return std::clamp(width, -MaxPenWidth, MaxPenWidth);
}

int64_t RepeatCount(bool repeats, int extent, int spacing) {
    if (!repeats || spacing <= 0) return 1;
    return int64_t{extent} / spacing + 1;
}

bool RepeatsColumns(TRepeatMode mode) {
    return mode == rpHoriz || mode == rpBoth;
}

bool RepeatsRows(TRepeatMode mode) {
    return mode == rpVert || mode == rpBoth;
}

TSpan CopyReach(int size, int64_t slack, bool shadow, int shadowOffset) {
    const int64_t offset = shadow ? shadowOffset : 0;
    return TSpan{std::min<int64_t>(0, size) + std::min<int64_t>(0, offset) - slack,
                 std::max<int64_t>(0, size) + std::max<int64_t>(0, offset) + slack + 1};
}

int64_t RepeatPosition(int64_t index, int spacing, int margin) {
    return int64_t{margin} + index * spacing;
}

TRepeatRange VisibleRepeats(int64_t count, int spacing, int margin, const TSpan& reach,
                            const TSpan& visible) {
    if (count <= 0 || visible.From >= visible.To) return {};
    if (spacing <= 0) spacing = 1; // a single copy: any step finds it
    // Copy i shows when margin + i * spacing + reach.To > visible.From and
    // margin + i * spacing + reach.From < visible.To.
    const int64_t first = FloorDiv(visible.From - reach.To - margin, spacing) + 1;
    const int64_t end = CeilDiv(visible.To - reach.From - margin, spacing);
    TRepeatRange range{std::max<int64_t>(first, 0), std::min(end, count)};
    if (range.End < range.First) range.End = range.First;
    return range;
}

int FittedShapeSize(int controlSize, int margin, bool shadow, int shadowOffset) {
    return ClampToInt(int64_t{controlSize} - 2 * int64_t{margin} - (shadow ? shadowOffset : 0));
}

int FittedControlSize(int shapeSize, int margin, bool shadow, int shadowOffset) {
    return ClampToInt(2 * int64_t{margin} + shapeSize + (shadow ? shadowOffset : 0));
}
