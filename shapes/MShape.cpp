#include "shapes/MShape.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

const TEnumInfo& MultiShapeTypeNames() {
    static const TEnumInfo names{
        {"msRectangle", "msRoundRect", "msDiamond", "msEllipse", "msTriangle", "msLine", "msText"}};
    return names;
}

const TEnumInfo& RepeatModeNames() {
    static const TEnumInfo names{{"rpNone", "rpVert", "rpHoriz", "rpBoth"}};
    return names;
}

const ClassInfo& TMultiShape::StaticClassInfo() {
    using S = TMultiShape;
    static const ClassInfo info =
        ClassBuilder<S>()
            .Enum("Align", AlignNames(), &S::Align, &S::SetAlign)
            .Color("Color", &S::Color, &S::SetColor)
            .Object("Font", TPropKind::Object, &S::Font)
            .Bool("ParentColor", &S::ParentColor, &S::SetParentColor)
            .Bool("ParentFont", &S::ParentFont, &S::SetParentFont)
            .Str("Text", &S::Text, &S::SetText)
            .Int("Angle", &S::Angle, &S::SetAngle)
            .Bool("Filled", &S::Filled, &S::SetFilled)
            .Enum("RepeatMode", RepeatModeNames(), &S::RepeatMode, &S::SetRepeatMode)
            .Enum("ShapeType", MultiShapeTypeNames(), &S::ShapeType, &S::SetShapeType)
            .Int("ShapeH", &S::ShapeH, &S::SetShapeH)
            .Int("ShapeW", &S::ShapeW, &S::SetShapeW)
            .Int("XSpacing", &S::XSpacing, &S::SetXSpacing)
            .Int("YSpacing", &S::YSpacing, &S::SetYSpacing)
            .Int("XMargin", &S::XMargin, &S::SetXMargin)
            .Int("YMargin", &S::YMargin, &S::SetYMargin)
            .Bool("Border", &S::Border, &S::SetBorder)
            .Color("BorderColor", &S::BorderColor, &S::SetBorderColor)
            .Int("BorderWidth", &S::BorderWidth, &S::SetBorderWidth)
            .Bool("Shadow", &S::Shadow, &S::SetShadow)
            .Color("ShadowColor", &S::ShadowColor, &S::SetShadowColor)
            .Int("ShadowX", &S::ShadowX, &S::SetShadowX)
            .Int("ShadowY", &S::ShadowY, &S::SetShadowY)
            .Build();
    return info;
}

void RegisterShapesClasses() {
    RegisterClasses<TMultiShape>();
}

TMultiShape::TMultiShape(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(Left(), Top(), 30, 30);
    SetColor(clNavy);
}

// ---- properties ----------------------------------------------------------------

template <class T> bool TMultiShape::Store(T& field, T value) {
    if (field == value) return false;
    field = value;
    Invalidate();
    return true;
}

void TMultiShape::SetAngle(int value) {
    Store(angle_, NormalizeAngle(value, shapeType_));
}

void TMultiShape::SetFilled(bool value) {
    Store(filled_, value);
}

void TMultiShape::SetRepeatMode(TRepeatMode value) {
    if (!Store(repeatMode_, value)) return;
    const bool turnsOn = value == rpNone && !fitShapeToBounds_;
    fitShapeToBounds_ = value == rpNone;
    if (!turnsOn) return;
    // Stored, not set: through the setters the control would first take the
    // new width with the old shape height. The shadow is not taken off here.
    shapeW_ = FittedShapeSize(Width(), xMargin_, false, 0);
    shapeH_ = FittedShapeSize(Height(), yMargin_, false, 0);
}

void TMultiShape::SetShapeType(TMultiShapeType value) {
    Store(shapeType_, value);
}

void TMultiShape::SetShapeH(int value) {
    if (Store(shapeH_, value)) FitControlToShape();
}

void TMultiShape::SetShapeW(int value) {
    if (Store(shapeW_, value)) FitControlToShape();
}

void TMultiShape::SetXSpacing(int value) {
    Store(xSpacing_, value);
}

void TMultiShape::SetYSpacing(int value) {
    Store(ySpacing_, value);
}

void TMultiShape::SetXMargin(int value) {
    if (Store(xMargin_, value)) FitControlToShape();
}

void TMultiShape::SetYMargin(int value) {
    if (Store(yMargin_, value)) FitControlToShape();
}

void TMultiShape::SetBorder(bool value) {
    Store(border_, value);
}

void TMultiShape::SetBorderColor(TColor value) {
    Store(borderColor_, value);
}

void TMultiShape::SetBorderWidth(int value) {
    Store(borderWidth_, value);
}

void TMultiShape::SetShadow(bool value) {
    if (Store(shadow_, value)) FitControlToShape();
}

void TMultiShape::SetShadowColor(TColor value) {
    Store(shadowColor_, value);
}

void TMultiShape::SetShadowX(int value) {
    if (Store(shadowX_, value)) FitControlToShape();
}

void TMultiShape::SetShadowY(int value) {
    if (Store(shadowY_, value)) FitControlToShape();
}

void TMultiShape::FontChanged() {
    TGraphicControl::FontChanged();
    if (Color() != Font()->Color()) SetColor(Font()->Color());
}

void TMultiShape::ColorChanged() {
    TGraphicControl::ColorChanged();
    Font()->SetColor(Color());
}

// ---- shape box and control size ------------------------------------------------

void TMultiShape::SetBounds(int left, int top, int width, int height) {
    TGraphicControl::SetBounds(left, top, width, height);
    FitShapeToControl();
}

void TMultiShape::FitShapeToControl() {
    if (!fitShapeToBounds_) return;
    // Both are stored before anything repaints or resizes: going through the
    // setters would resize the control from a half-updated shape box.
    const int w = FittedShapeSize(Width(), xMargin_, shadow_, shadowX_);
    const int h = FittedShapeSize(Height(), yMargin_, shadow_, shadowY_);
    if (w == shapeW_ && h == shapeH_) return;
    shapeW_ = w;
    shapeH_ = h;
    Invalidate();
}

void TMultiShape::FitControlToShape() {
    if (!fitShapeToBounds_) return;
    // Both first: setting the width refits the shape box from the old height.
    const int width = FittedControlSize(shapeW_, xMargin_, shadow_, shadowX_);
    const int height = FittedControlSize(shapeH_, yMargin_, shadow_, shadowY_);
    SetWidth(width);
    SetHeight(height);
}

// ---- painting ------------------------------------------------------------------

void TMultiShape::Paint() {
    TGraphicControl::Paint();
    if (!Canvas().HandleAllocated()) return;
    HDC dc = Canvas().Handle();
    const TRect visible = VisibleArea(dc);
    if (visible.Left >= visible.Right || visible.Top >= visible.Bottom) return;

    struct TextFontRelease {
        TMultiShape* shape;
        ~TextFontRelease() { shape->ReleaseTextFont(); }
    } release{this};
    if (shapeType_ == msText) PrepareTextFont(dc);

    // The pen, or the rotated text around the box's centre, reaches past the box.
    const int64_t slack =
        shapeType_ == msText ? textReach_ : std::abs(DrawablePenWidth(borderWidth_)) + 1;
    const TRect limits = DrawingLimits(visible, slack);
    const TRepeatRange rows = VisibleRepeats(
        RepeatCount(RepeatsRows(repeatMode_), Height(), ySpacing_), ySpacing_, yMargin_,
        CopyReach(shapeH_, slack, shadow_, shadowY_), TSpan{visible.Top, visible.Bottom});
    const TRepeatRange columns = VisibleRepeats(
        RepeatCount(RepeatsColumns(repeatMode_), Width(), xSpacing_), xSpacing_, xMargin_,
        CopyReach(shapeW_, slack, shadow_, shadowX_), TSpan{visible.Left, visible.Right});
    for (int64_t r = rows.First; r < rows.End; ++r)
        for (int64_t c = columns.First; c < columns.End; ++c)
            DrawShape(dc,
                      TShapeBox{RepeatPosition(c, xSpacing_, xMargin_),
                                RepeatPosition(r, ySpacing_, yMargin_), shapeW_, shapeH_},
                      limits);
}

TRect TMultiShape::VisibleArea(HDC dc) const {
    const TRect area{0, 0, Width(), Height()};
    RECT clip;
    switch (GetClipBox(dc, &clip)) {
    case NULLREGION:
        return {};
    case ERROR:
        return area;
    default:
        return TRect{std::max<int>(area.Left, clip.left), std::max<int>(area.Top, clip.top),
                     std::min<int>(area.Right, clip.right),
                     std::min<int>(area.Bottom, clip.bottom)};
    }
}

void TMultiShape::DrawShape(HDC dc, const TShapeBox& box, const TRect& limits) {
    if (shadow_) DrawFigure(dc, MovedBox(box, shadowX_, shadowY_), limits, true);
    DrawFigure(dc, box, limits, false);
}

void TMultiShape::DrawFigure(HDC dc, const TShapeBox& box, const TRect& limits, bool shadow) {
    const TColor color = shadow ? shadowColor_ : Color();
    if (shapeType_ == msText) {
        DrawText(dc, ClampPoint(TextOrigin(box, textOffset_), limits), color);
        return;
    }
    const auto clamped = [&limits](const auto& points) {
        std::vector<TPoint> figure;
        for (const TShapePoint& p : points)
            figure.push_back(ClampPoint(p, limits));
        return figure;
    };
    const auto closed = [&clamped](const auto& points) {
        std::vector<TPoint> figure = clamped(points);
        figure.push_back(figure.front());
        return figure;
    };
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(shadow || !border_ ? color : borderColor_);
    canvas.Pen().SetWidth(DrawablePenWidth(borderWidth_));
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    const std::vector<TPoint> corners = clamped(BoxCorners(box));
    const TPoint a = corners[0], b = corners[1];
    switch (shapeType_) {
    case msRectangle:
        if (filled_)
            canvas.Rectangle(a.X, a.Y, b.X, b.Y);
        else
            canvas.Polyline({a, {b.X, a.Y}, b, {a.X, b.Y}, a});
        break;
    case msRoundRect:
        // Always filled; the shadow's outline is one pixel wide.
        if (shadow) canvas.Pen().SetWidth(1);
        canvas.RoundRect(a.X, a.Y, b.X, b.Y, ClampToInt(box.W / 2), ClampToInt(box.H / 2));
        break;
    case msDiamond:
        if (filled_)
            canvas.Polygon(clamped(DiamondPoints(box)));
        else
            canvas.Polyline(closed(DiamondPoints(box)));
        break;
    case msEllipse:
        if (filled_)
            canvas.Ellipse(a.X, a.Y, b.X, b.Y);
        else // an arc from (x, y) round to (x, y): the whole outline
            canvas.Arc(a.X, a.Y, b.X, b.Y, a.X, a.Y, a.X, a.Y);
        break;
    case msTriangle:
        if (filled_)
            canvas.Polygon(clamped(TrianglePoints(box, angle_)));
        else
            canvas.Polyline(closed(TrianglePoints(box, angle_)));
        break;
    case msLine: {
        // Border and Filled do not apply: the line is drawn in Color.
        canvas.Pen().SetColor(color);
        const std::vector<TPoint> ends = clamped(LinePoints(box, angle_));
        canvas.MoveTo(ends[0].X, ends[0].Y);
        canvas.LineTo(ends[1].X, ends[1].Y);
        break;
    }
    case msText:
        break;
    }
}

// ---- text ----------------------------------------------------------------------

void TMultiShape::PrepareTextFont(HDC dc) {
    // Raw calls on the paint's context: the canvas selects its own font
    // around each of its calls and would lose the rotated one.
    textState_.emplace(dc);
    SetBkMode(dc, TRANSPARENT);
    TFont& font = *Font();
    const TFontStyles style = font.Style();
    textFontHandle_.Reset(CreateFontA(
        font.Height(), 0, angle_ * 10, 0, (style & FontStyle(fsBold)) ? FW_BOLD : FW_DONTCARE,
        (style & FontStyle(fsItalic)) != 0, (style & FontStyle(fsUnderline)) != 0,
        (style & FontStyle(fsStrikeOut)) != 0, DEFAULT_CHARSET, 0, 0, 0, 0, font.Name().c_str()));
    savedFontHandle_.emplace(dc, textFontHandle_.Get());
    const std::string& text = Text();
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(std::min<size_t>(text.size(), INT_MAX)),
                          &extent);
    textOffset_ = TextOffset(angle_, extent.cx, extent.cy);
    textReach_ = (std::llabs(extent.cx) + std::llabs(extent.cy)) / 2 + 2;
}

void TMultiShape::ReleaseTextFont() {
    savedFontHandle_.reset();
    textFontHandle_.Reset();
    textState_.reset();
}

void TMultiShape::DrawText(HDC dc, TPoint origin, TColor color) {
    SetTextColor(dc, ColorToRGB(color));
    const std::string& text = Text();
    TextOutA(dc, origin.X, origin.Y, text.data(),
             static_cast<int>(std::min<size_t>(text.size(), INT_MAX)));
}
