// The bitmap file layout check that the bitmap loader and the skin-file reader
// share: where it finds the parts of each header layout, and what it refuses.

#include "BitmapImages.h"
#include "framework/BitmapFile.h"

#include <gtest/gtest.h>

using TestBitmaps::Encode;
using TestBitmaps::Layout;
using TestBitmaps::Quadrants;

namespace {

std::vector<uint8_t> Picture(Layout layout, int width = 5, int height = 3) {
    return Encode(layout, width, height, Quadrants(width, height, TestBitmaps::OneBit(layout)));
}

std::string Why(const std::vector<uint8_t>& image) {
    BitmapFile::Layout layout;
    return BitmapFile::Parse(image.data(), image.size(), layout);
}

} // namespace

TEST(BitmapFileLayout, FindsThePartsOfEveryHeaderLayout) {
    struct Expected {
        Layout layout;
        uint32_t headerSize;
        int bits;
        size_t masks, palette;
        int colors, entry;
    };
    const Expected cases[] = {
        {Layout::Info24, 40, 24, 0, 0, 0, 4},
        {Layout::Info32, 40, 32, 0, 0, 0, 4},
        {Layout::Info16BitFields, 40, 16, 54, 0, 0, 4},
        {Layout::Info8, 40, 8, 0, 54, 256, 4},
        {Layout::Info1, 40, 1, 0, 54, 2, 4},
        {Layout::V5Header32, 124, 32, 54, 0, 0, 4},
        {Layout::Core24, 12, 24, 0, 0, 0, 3},
        {Layout::Core8, 12, 8, 0, 26, 256, 3},
    };
    for (const Expected& e : cases) {
        const std::vector<uint8_t> image = Picture(e.layout);
        BitmapFile::Layout got;
        ASSERT_EQ(BitmapFile::Parse(image.data(), image.size(), got), "")
            << TestBitmaps::Name(e.layout);
        EXPECT_EQ(got.HeaderSize, e.headerSize) << TestBitmaps::Name(e.layout);
        EXPECT_EQ(got.Width, 5);
        EXPECT_EQ(got.Height, 3);
        EXPECT_EQ(got.BitCount, e.bits);
        EXPECT_EQ(got.MasksOffset, e.masks) << TestBitmaps::Name(e.layout);
        EXPECT_EQ(got.PaletteOffset, e.palette) << TestBitmaps::Name(e.layout);
        EXPECT_EQ(got.PaletteCount, e.colors);
        EXPECT_EQ(got.PaletteEntrySize, e.entry);
        EXPECT_EQ(got.PixelOffset + got.PixelBytes, image.size()) << TestBitmaps::Name(e.layout);
    }
}

TEST(BitmapFileLayout, TopDownPicturesReportAPositiveHeight) {
    const std::vector<uint8_t> image = Picture(Layout::Info24TopDown);
    BitmapFile::Layout got;
    ASSERT_EQ(BitmapFile::Parse(image.data(), image.size(), got), "");
    EXPECT_TRUE(got.TopDown);
    EXPECT_EQ(got.Height, 3);
}

TEST(BitmapFileLayout, CompressedPixelsRunToTheEndOfTheImage) {
    std::vector<uint8_t> image = Picture(Layout::Info8Rle);
    image.insert(image.end(), {0, 1, 0, 1}); // further end markers: still run data
    BitmapFile::Layout got;
    ASSERT_EQ(BitmapFile::Parse(image.data(), image.size(), got), "");
    EXPECT_EQ(got.PixelOffset + got.PixelBytes, image.size());
}

TEST(BitmapFileLayout, TheFileHeadersSizeFieldIsNotUsed) {
    for (const uint32_t stated : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::vector<uint8_t> image = Picture(Layout::Info24);
        TestBitmaps::Put32(image, 2, stated);
        EXPECT_EQ(Why(image), "") << stated;
    }
}

TEST(BitmapFileLayout, EveryUncompressedLayoutMissingOneByteOfPixelsIsRefused) {
    for (const Layout layout : TestBitmaps::AllLayouts) {
        if (layout == Layout::Info8Rle) continue;
        std::vector<uint8_t> image = Picture(layout);
        image.pop_back();
        EXPECT_NE(Why(image).find("bytes of pixels"), std::string::npos)
            << TestBitmaps::Name(layout);
    }
}

TEST(BitmapFileLayout, RefusesHeadersThatDescribeNoDrawablePicture) {
    std::vector<uint8_t> image = Picture(Layout::Info8);
    TestBitmaps::Put32(image, 46, 257); // colours used
    EXPECT_EQ(Why(image), "lists 257 colours for 8 bits per pixel");

    image = Picture(Layout::Info8Rle);
    TestBitmaps::Put32(image, 22, static_cast<uint32_t>(-3));
    EXPECT_EQ(Why(image), "is compressed and top-down, which bitmaps cannot be");

    image = Picture(Layout::Info8Rle);
    image.resize(14 + 40 + 256 * 4 + 1);
    EXPECT_EQ(Why(image), "has no run-length data, not even its end mark");

    image = Picture(Layout::Info24);
    TestBitmaps::Put32(image, 30, 1); // run-length coding needs 8 bits
    EXPECT_EQ(Why(image), "has compression 1 with 24 bits per pixel");

    image = Picture(Layout::Core24);
    TestBitmaps::Put16(image, 22, 2);
    EXPECT_EQ(Why(image), "has 2 colour planes, not 1");

    image = Picture(Layout::Info24);
    TestBitmaps::Put32(image, 14, 64);
    EXPECT_EQ(Why(image), "has an unknown bitmap header size 64");

    image = Picture(Layout::V5Header32);
    image.resize(100);
    EXPECT_EQ(Why(image), "is cut off inside its bitmap header");

    for (const uint32_t green : {0u, 0x0500u, 0x00FFu}) { // empty, broken up, overlapping blue
        image = Picture(Layout::Info16BitFields);
        TestBitmaps::Put32(image, 58, green);
        EXPECT_EQ(Why(image), "has colour masks that are empty, broken up or overlapping") << green;
    }

    image = Picture(Layout::Info24);
    TestBitmaps::Put32(image, 18, 40000);
    EXPECT_EQ(Why(image), "has an impossible picture size 40000 x 3");
}
