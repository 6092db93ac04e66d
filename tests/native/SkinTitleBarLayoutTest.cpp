// The caption shortened with "..." by whole characters, and left out where
// not even "..." fits (the layout's positions are checked as pixels under
// Wine).

#include "skin/SkinTitleBarLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One pixel per byte: widths are easy to compute.
int Width(const std::string& s) {
    return static_cast<int>(s.size());
}
bool NoLeadBytes(unsigned char) {
    return false;
}

} // namespace

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
