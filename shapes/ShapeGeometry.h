#pragma once
// The arithmetic behind TMultiShape: angle normalisation, the rows and columns
// of repeated copies, the points of diamonds, triangles and lines, where
// rotated text starts, and the sizes that couple shape box and control. Sizes
// and offsets may come from a form description with any 32-bit value, so all
// of it computes in 64 bits and clamps what it hands back. Free of windows.h.

#include "framework/Types.h"

#include <array>
#include <cstdint>

enum TMultiShapeType { msRectangle, msRoundRect, msDiamond, msEllipse, msTriangle, msLine, msText };
enum TRepeatMode { rpNone, rpVert, rpHoriz, rpBoth };

int ClampToInt(int64_t value);

// Into -179..180; triangles and lines also onto a multiple of 45.
int NormalizeAngle(int value, TMultiShapeType type);
// The nearest multiple of 45 (ties to even), with -180 as 180.
int SnapAngle(int angle);

// One shape box, the cell a copy is drawn in, and points of the figures in
// it, all before clamping.
struct TShapeBox {
    int64_t X = 0;
    int64_t Y = 0;
    int64_t W = 0;
    int64_t H = 0;
};
struct TShapePoint {
    int64_t X = 0;
    int64_t Y = 0;
    bool operator==(const TShapePoint& o) const { return X == o.X && Y == o.Y; }
};

TShapeBox MovedBox(const TShapeBox& box, int dx, int dy);
// (x, y) and (x + W, y + H).
std::array<TShapePoint, 2> BoxCorners(const TShapeBox& box);
std::array<TShapePoint, 4> DiamondPoints(const TShapeBox& box);
// An angle that is no multiple of 45 (stored before the type became a
// triangle or line) is snapped here as the setter would have.
std::array<TShapePoint, 3> TrianglePoints(const TShapeBox& box, int angle);
std::array<TShapePoint, 2> LinePoints(const TShapeBox& box, int angle);

// TextOffsetX and TextOffsetY of text rotated by angle whose unrotated extent
// is cx by cy: the centre of the text lies at (X, -Y) from where it is drawn.
struct TTextOffset {
    int64_t X = 0;
    int64_t Y = 0;
};
TTextOffset TextOffset(int angle, int cx, int cy);
// The origin that puts the centre of the rotated text on the centre of the box.
TShapePoint TextOrigin(const TShapeBox& box, const TTextOffset& offset);

// Points go to the platform only within limits: the visible area widened by
// a guard band, and by twice the slack a figure has around its points (pen,
// text). Within the band every figure is drawn exactly; past it the platform
// would take ages or fail, and only figures tens of thousands of pixels
// beyond the visible area change shape by the clamping.
constexpr int64_t GuardBand = int64_t{1} << 15;
TRect DrawingLimits(const TRect& visible, int64_t slack);
TPoint ClampPoint(const TShapePoint& point, const TRect& limits);
// Pens wider than this are drawn this wide (much wider pens crash the
// platform's line drawing, and would cover any screen anyway).
constexpr int MaxPenWidth = 1 << 15;
int DrawablePenWidth(int width);

// How many copies the control asks for along one axis: extent div spacing + 1
// when the axis repeats and the spacing is positive, else one.
int64_t RepeatCount(bool repeats, int extent, int spacing);
bool RepeatsColumns(TRepeatMode mode);
bool RepeatsRows(TRepeatMode mode);

// A half-open stretch [From, To) of one axis.
struct TSpan {
    int64_t From = 0;
    int64_t To = 0;
};
// The stretch one copy can paint, relative to its box's position: the box of
// the given size widened by slack on both sides (pen, text) and by the shadow.
TSpan CopyReach(int size, int64_t slack, bool shadow, int shadowOffset);
// The indices [First, End) among count copies at margin + i * spacing whose
// reach meets the visible stretch: copies that cannot show are never drawn,
// however many the control asks for.
struct TRepeatRange {
    int64_t First = 0;
    int64_t End = 0;
};
TRepeatRange VisibleRepeats(int64_t count, int spacing, int margin, const TSpan& reach,
                            const TSpan& visible);
// Position of copy index along one axis.
int64_t RepeatPosition(int64_t index, int spacing, int margin);

// The shape box that fills a control of the given size, and the control size
// that holds a shape box, each with margins on both sides and the shadow.
int FittedShapeSize(int controlSize, int margin, bool shadow, int shadowOffset);
int FittedControlSize(int shapeSize, int margin, bool shadow, int shadowOffset);
