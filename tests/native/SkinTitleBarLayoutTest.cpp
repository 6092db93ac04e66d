// Title bar layout arithmetic: the right-hand row from the right edge, the
// pull-back of a button that sticks out, the control box and caption at the
// left, the button under the pointer, and the caption shortened with "...".

#include "skin/SkinTitleBarLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The main window's title bar: control box, close, hidden maximize, minimize;
// MacOS pictures are 17 x 17, its offsets 3 and -2, its button top 4.
std::vector<TskTitleButtonSlot> ProgramButtons() {
    return {
        {true, true, 17, 17}, {true, false, 17, 17}, {false, false, 17, 17}, {true, false, 17, 17}};
}

TskTitleBarMetrics MacOS(int width) {
    TskTitleBarMetrics m;
    m.BufferWidth = width;
    m.LeftBtnXOffset = 3;
    m.RightBtnXOffset = -2;
    m.ButtonTop = 4;
    return m;
}

const TPoint Away{-100, -100};

// One pixel per byte: widths are easy to compute.
int Width(const std::string& s) {
    return static_cast<int>(s.size());
}
bool NoLeadBytes(unsigned char) {
    return false;
}

} // namespace

TEST(TitleBarLayout, RightButtonsGoLeftwardsFromTheRightEdgeInCollectionOrder) {
    const TskTitleBarLayout l = LayoutTitleBar(MacOS(270), ProgramButtons(), Away);
    EXPECT_EQ(l.At[1].X, 270 - 2 - 18) << "close";
    EXPECT_EQ(l.At[3].X, 250 - 18) << "minimize: the hidden maximize takes no place";
    EXPECT_EQ(l.At[1].Y, 4);
    EXPECT_EQ(l.Hit[2], TRect{}) << "hidden buttons are not hit";
    EXPECT_EQ(l.RowLeft, 232);

    TskTitleBarMetrics spaced = MacOS(270);
    spaced.ButtonInterval = 3;
    spaced.SideBorder = 5;
    const TskTitleBarLayout s = LayoutTitleBar(spaced, ProgramButtons(), Away);
    EXPECT_EQ(s.At[1].X, 270 - 2 + 5 - (17 + 3 + 1));
    EXPECT_EQ(s.At[3].X, s.At[1].X - 21);
}

TEST(TitleBarLayout, AButtonThatSticksOutIsPulledBackOnePixelInside) {
    TskTitleBarMetrics m = MacOS(270);
    m.RightBtnXOffset = 10;
    const TskTitleBarLayout l = LayoutTitleBar(m, ProgramButtons(), Away);
    EXPECT_EQ(l.At[1].X, 270 - 17 - 1);
    EXPECT_EQ(l.At[3].X, 252 - 18) << "the next one follows the pulled-back one";
}

TEST(TitleBarLayout, ControlBoxAndCaptionFollowTheLeftOffset) {
    const TskTitleBarLayout boxed = LayoutTitleBar(MacOS(270), ProgramButtons(), Away);
    EXPECT_EQ(boxed.ControlBox, 0);
    EXPECT_EQ(boxed.At[0].X, 4);
    EXPECT_EQ(boxed.At[0].Y, 3) << "one pixel above the right-hand buttons";
    EXPECT_EQ(boxed.Hit[0], Rect(4, 4, 21, 21));
    EXPECT_EQ(boxed.CaptionLeft, 4 + 17 + 5);

    std::vector<TskTitleButtonSlot> noBox = ProgramButtons();
    noBox[0].Visible = false;
    TskTitleBarMetrics m = MacOS(270);
    for (auto [offset, caption] : {std::pair{0, 1}, {-1, 6}, {-7, 6}, {3, 4}}) {
        m.LeftBtnXOffset = offset;
        EXPECT_EQ(LayoutTitleBar(m, noBox, Away).CaptionLeft, caption) << offset;
    }
    m.LeftBtnXOffset = 3;
    m.SideBorder = 5;
    EXPECT_EQ(LayoutTitleBar(m, ProgramButtons(), Away).At[0].X, 0) << "never left of the edge";
}

TEST(TitleBarLayout, TheApplicationIconTakesTheControlBoxPlace) {
    TskTitleBarMetrics m = MacOS(270);
    m.DrawAppIcon = true;
    const TskTitleBarLayout l = LayoutTitleBar(m, ProgramButtons(), TPoint{21, 21});
    EXPECT_EQ(l.At[0].X, 4 + 3);
    EXPECT_EQ(l.At[0].Y, 4);
    EXPECT_EQ(l.CaptionLeft, 4 + 21);
    EXPECT_EQ(l.HotButton, 0) << "its hit area is still the control box picture's";
}

TEST(TitleBarLayout, ThePointerCountsOnEveryEdgeOfAButton) {
    const auto hot = [](TPoint p) {
        return LayoutTitleBar(MacOS(270), ProgramButtons(), p).HotButton;
    };
    EXPECT_EQ(hot(TPoint{250, 4}), 1);
    EXPECT_EQ(hot(TPoint{267, 21}), 1);
    EXPECT_EQ(hot(TPoint{249, 10}), 3) << "the minimize button's right edge";
    EXPECT_EQ(hot(TPoint{231, 10}), -1);
    EXPECT_EQ(hot(TPoint{260, 22}), -1);
    EXPECT_EQ(hot(TPoint{4, 4}), 0);
    EXPECT_EQ(hot(TPoint{120, 10}), -1) << "the empty title";
}

TEST(TitleBarCaption, FitsWholeOrAsTheLongestPrefixWithAnEllipsis) {
    EXPECT_EQ(FitCaption("MOXEL Utility", 13, Width, NoLeadBytes), "MOXEL Utility");
    EXPECT_EQ(FitCaption("MOXEL Utility", 12, Width, NoLeadBytes), "MOXEL Uti...");
    EXPECT_EQ(FitCaption("MOXEL Utility", 4, Width, NoLeadBytes), "M...");
    EXPECT_EQ(FitCaption("MOXEL Utility", 3, Width, NoLeadBytes), "...");
    EXPECT_EQ(FitCaption("MOXEL Utility", 2, Width, NoLeadBytes), "")
        << "narrower than the ellipsis: no caption at all";
    EXPECT_EQ(FitCaption("MOXEL Utility", -40, Width, NoLeadBytes), "");
    EXPECT_EQ(FitCaption("", -1, Width, NoLeadBytes), "");
}

TEST(TitleBarCaption, RemovesDoubleByteCharactersWhole) {
    // Two double-byte characters (lead bytes 0x82) between single ones.
    const std::string caption = "A\x82\xA0\x82\xA2Z";
    const auto lead = [](unsigned char c) { return c == 0x82; };
    EXPECT_EQ(FitCaption(caption, 6, Width, lead), caption);
    EXPECT_EQ(FitCaption(caption, 5, Width, lead), "A...") << "never half a character";
    EXPECT_EQ(FitCaption("AB\x82\xA0\x82\xA2ZZ", 7, Width, lead), "AB\x82\xA0...");
    // A lead byte at the very end is a character of its own.
    EXPECT_EQ(FitCaption("ABCDE\x82", 5, Width, lead), "AB...");
}

TEST(TitleBarCaption, IsCentredOnTheButtonBandRoundingTowardsZero) {
    EXPECT_EQ(CaptionTop(4, 17, 13), 6);
    EXPECT_EQ(CaptionTop(1, 17, 14), 2);
    EXPECT_EQ(CaptionTop(4, 13, 16), 3) << "-3 / 2 is -1";
}
