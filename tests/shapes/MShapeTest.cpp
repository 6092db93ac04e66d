// TMultiShape's properties: defaults, the angle setter, shape box and
// control size kept together while rpNone, colour and font colour kept
// equal, and creation from a form description.

#include "shapes/MShape.h"

#include "framework/FormReader.h"
#include "framework/WinControl.h"

#include <gtest/gtest.h>

namespace {

TEST(MultiShape, StartsAsThirtyPixelsOfNavyTenPixelSquaresEveryTwenty) {
    TMultiShape shape(nullptr);
    EXPECT_EQ((TRect{0, 0, 30, 30}), shape.BoundsRect());
    EXPECT_EQ(clNavy, shape.Font()->Color());
    EXPECT_EQ(rpBoth, shape.RepeatMode());
    EXPECT_EQ(10, shape.ShapeW());
}

TEST(MultiShape, AngleSetterNormalisesAndSnapsOnlyForTheTypeAtTheTime) {
    TMultiShape shape(nullptr);
    shape.SetAngle(200);
    EXPECT_EQ(-160, shape.Angle());
    shape.SetAngle(30);
    shape.SetShapeType(msLine);
    EXPECT_EQ(30, shape.Angle()) << "changing the type does not snap";
    shape.SetAngle(-170);
    EXPECT_EQ(180, shape.Angle());
}

TEST(MultiShapeFitting, WidthFortyHoldsThirtyFourThenShapeWidthTwentyMakesTwentySix) {
    TMultiShape shape(nullptr);
    shape.SetRepeatMode(rpNone);
    shape.SetXMargin(2);
    shape.SetShadow(true); // ShadowX 2
    shape.SetWidth(40);
    EXPECT_EQ(34, shape.ShapeW());
    shape.SetShapeW(20);
    EXPECT_EQ(26, shape.Width());
}

TEST(MultiShapeFitting, TurningOnAndResizingKeepBothSizes) {
    TMultiShape shape(nullptr);
    shape.SetBounds(0, 0, 100, 100);
    shape.SetRepeatMode(rpNone);
    EXPECT_EQ((TRect{0, 0, 100, 100}), shape.BoundsRect()) << "not 100 x 10";
    EXPECT_EQ(100, shape.ShapeH());
    shape.SetYMargin(1);
    shape.SetBounds(0, 0, 60, 70);
    EXPECT_EQ((TRect{0, 0, 60, 70}), shape.BoundsRect());
    EXPECT_EQ(60, shape.ShapeW());
    EXPECT_EQ(68, shape.ShapeH());
    shape.SetShapeH(40);
    EXPECT_EQ((TRect{0, 0, 60, 42}), shape.BoundsRect());
}

TEST(MultiShape, ColourAndFontColourFollowEachOther) {
    TMultiShape shape(nullptr);
    shape.SetColor(clRed);
    EXPECT_EQ(clRed, shape.Font()->Color());
    shape.Font()->SetColor(clBlue);
    EXPECT_EQ(clBlue, shape.Color());
}

TEST(MultiShape, VersionLabelFromItsFormDescriptionTakesItsStoredSize) {
    RegisterShapesClasses();
    TWinControl form(nullptr);
    ReadComponentFromText(&form, "object Form1: TWinControl\n"
                                 "  object MultiShape2: TMultiShape\n"
                                 "    Left = 0\n    Top = 16\n    Width = 40\n    Height = 20\n"
                                 "    Text = 'V1.2'\n    ShapeType = msText\n"
                                 "    Font.Style = [fsBold]\n    Angle = 0\n"
                                 "    RepeatMode = rpNone\n    ShapeH = 30\n    ShapeW = 57\n"
                                 "    Shadow = False\n    ParentFont = False\n"
                                 "  end\nend\n");
    auto* label = dynamic_cast<TMultiShape*>(form.Controls(0));
    ASSERT_NE(nullptr, label);
    EXPECT_EQ((TRect{0, 16, 57, 46}), label->BoundsRect());
    EXPECT_EQ(msText, label->ShapeType());
    EXPECT_EQ("V1.2", label->Text());
}

} // namespace
