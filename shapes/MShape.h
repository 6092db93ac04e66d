#pragma once
// TMultiShape: a windowless decorative control that paints one shape, or a
// grid of repeated copies of it, into its rectangle: rectangle, rounded
// rectangle, diamond, ellipse, triangle, line or a line of text. Shapes can be
// filled or outlined, bordered and shadowed; triangles, lines and text turn by
// Angle. While RepeatMode is rpNone the shape box and the control size follow
// each other.

#include "framework/Control.h"
#include "shapes/ShapeGeometry.h"

#include <optional>

const TEnumInfo& MultiShapeTypeNames();
const TEnumInfo& RepeatModeNames();

// Registers the layer's classes for the form reader.
void RegisterShapesClasses();

class TMultiShape : public TGraphicControl {
    DECLARE_PUBLISHED(TMultiShape, TGraphicControl)
  public:
    explicit TMultiShape(TComponent* owner);

    int Angle() const { return angle_; }
    void SetAngle(int value);
    bool Filled() const { return filled_; }
    void SetFilled(bool value);
    TRepeatMode RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(TRepeatMode value);
    TMultiShapeType ShapeType() const { return shapeType_; }
    void SetShapeType(TMultiShapeType value);
    int ShapeH() const { return shapeH_; }
    void SetShapeH(int value);
    int ShapeW() const { return shapeW_; }
    void SetShapeW(int value);
    int XSpacing() const { return xSpacing_; }
    void SetXSpacing(int value);
    int YSpacing() const { return ySpacing_; }
    void SetYSpacing(int value);
    int XMargin() const { return xMargin_; }
    void SetXMargin(int value);
    int YMargin() const { return yMargin_; }
    void SetYMargin(int value);
    bool Border() const { return border_; }
    void SetBorder(bool value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    bool Shadow() const { return shadow_; }
    void SetShadow(bool value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int ShadowX() const { return shadowX_; }
    void SetShadowX(int value);
    int ShadowY() const { return shadowY_; }
    void SetShadowY(int value);

    // Every move or resize; while FitShapeToBounds the shape box follows.
    void SetBounds(int left, int top, int width, int height) override;

  protected:
    void Paint() override;
    void FontChanged() override;
    void ColorChanged() override;

  private:
    void FitShapeToControl();
    void FitControlToShape();
    // The rotated font of one msText paint: created, selected into the paint's
    // device context inside a saved state, measured; released by ReleaseTextFont.
    void PrepareTextFont(HDC dc);
    void ReleaseTextFont();
    TRect VisibleArea(HDC dc) const;
    // One copy in its box: the shadow first, then the figure.
    void DrawShape(HDC dc, const TShapeBox& box, const TRect& limits);
    void DrawFigure(HDC dc, const TShapeBox& box, const TRect& limits, bool shadow);
    void DrawText(HDC dc, TPoint origin, TColor color);
    // Stores a setter's value and repaints; false when nothing changed.
    template <class T> bool Store(T& field, T value);

    int angle_ = 0;
    bool filled_ = true;
    TRepeatMode repeatMode_ = rpBoth;
    TMultiShapeType shapeType_ = msRectangle;
    int shapeH_ = 10;
    int shapeW_ = 10;
    int xSpacing_ = 20;
    int ySpacing_ = 20;
    int xMargin_ = 0;
    int yMargin_ = 0;
    bool border_ = false;
    TColor borderColor_ = clBlack;
    int borderWidth_ = 1;
    bool shadow_ = false;
    TColor shadowColor_ = clGray;
    int shadowX_ = 2;
    int shadowY_ = 2;
    // True while RepeatMode is rpNone: shape box and control size follow each other.
    bool fitShapeToBounds_ = false;

    // Only during the paint of an msText shape. Declared in the order they
    // are taken, so that they go in reverse: the font is deselected before it
    // is deleted, and the device context's state is put back last.
    std::optional<DcStateScope> textState_;
    GdiObject textFontHandle_;
    std::optional<SelectionScope> savedFontHandle_;
    TTextOffset textOffset_; // TextOffsetX, TextOffsetY
    // How far the text can reach from the centre of its box, in any direction.
    int64_t textReach_ = 0;
};
