// Where a skinned menu item's parts go, left to right and mirrored; sizes
// below zero count as zero.

#include "skin/SkinMenuLayout.h"

#include <gtest/gtest.h>

namespace {

const TRect R = Rect(10, 5, 210, 26);

TEST(SkinMenuLayout, MirroredLayoutPutsTheBarRightAndTheTextBeforeIt) {
    const TskMenuItemLayout l = LayoutMenuItem(R, 26, false, 30);
    EXPECT_EQ(l.Bar, Rect(R.Right - 26, R.Top, R.Right, R.Bottom));
    EXPECT_EQ(l.Body, Rect(R.Left, R.Top, R.Right - 26, R.Bottom));
    EXPECT_EQ(l.Caption, Rect(R.Left, R.Top + 4, R.Right - 30, R.Bottom));
    EXPECT_EQ(l.ShortCut.X, R.Left + 16);
    EXPECT_EQ(l.Image.X, R.Right - 20);
    EXPECT_EQ(l.CheckFrame, Rect(R.Right - 22, R.Top + 1, R.Right - 3, R.Top + 20));
    EXPECT_EQ(l.CheckFill, Rect(R.Right - 21, R.Top + 2, R.Right - 4, R.Top + 19));
}

TEST(SkinMenuLayout, NegativeBarWidthLaysOutAsNoBarOnEitherSide) {
    for (bool leftToRight : {true, false}) {
        const TskMenuItemLayout none = LayoutMenuItem(R, 0, leftToRight, 0);
        const TskMenuItemLayout negative = LayoutMenuItem(R, -40, leftToRight, 0);
        EXPECT_EQ(negative.Bar.Width(), 0);
        EXPECT_EQ(negative.Body, R);
        EXPECT_EQ(negative.Caption, none.Caption);
    }
}

TEST(SkinMenuLayout, ExtentAddsCaptionShortCutBarAndFortyAndNeverGoesNegative) {
    EXPECT_EQ(MenuItemExtent(false, 50, 20, 26, 21, 5).X, 136);
    EXPECT_EQ(MenuItemExtent(false, 50, 20, -26, 21, 5).X, 110);
    EXPECT_EQ(MenuItemExtent(true, 50, 0, 26, 21, 5).Y, 5);
    EXPECT_EQ(MenuItemExtent(false, 50, 0, 26, -21, 5).Y, 0);
    EXPECT_EQ(MenuItemExtent(true, 50, 0, 26, 21, -5).Y, 0);
}

} // namespace
