// Skin-file pictures under Wine: every picture the reader accepts, the bitmap
// loader paints pixel for pixel, whatever its header layout or the size its
// file header states; and what one refuses, the other refuses too.

#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"
#include "skin/SkinMgr.h"
#include "tests/native/BitmapImages.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using TestBitmaps::Encode;
using TestBitmaps::Layout;
using TestBitmaps::Quadrants;

namespace {

std::vector<uint32_t> ColorsFor(Layout layout, int width, int height) {
    return Quadrants(width, height, TestBitmaps::OneBit(layout));
}

void ExpectPixels(TBitmap& bitmap, int width, int height, const std::vector<uint32_t>& colors,
                  const std::string& label) {
    ASSERT_EQ(bitmap.Width(), width) << label;
    ASSERT_EQ(bitmap.Height(), height) << label;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(bitmap.Pixel(x, y), static_cast<TColor>(colors[y * width + x]))
                << label << " at " << x << "," << y;
}

// The picture as the skinned controls get it: packed into a skin file, loaded
// by a file theme and read back as element 1.
void LoadThroughFileTheme(const std::vector<uint8_t>& picture, TBitmap& out) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "skintest-picture.skin";
    const std::vector<uint8_t> image = BuildSkinImage({PictureItem("ButtonImage", picture)});
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    {
        TskFileTheme theme(nullptr);
        theme.SetThemeFile(path);
        theme.GetBitmap(1, &out);
    }
    std::remove(path.c_str());
}

// Whether the loader takes the image; raises nothing else.
bool LoaderTakes(const std::vector<uint8_t>& image, TBitmap& out) {
    TMemoryStream stream(image);
    try {
        out.LoadFromStream(stream);
        return true;
    } catch (const EInvalidGraphic&) {
        return false;
    } catch (const EReadError&) {
        return false;
    }
}

} // namespace

TEST(SkinFilePicture, CoreHeaderPicturesPaintTheirPixels) {
    for (const Layout layout : {Layout::Core24, Layout::Core8, Layout::Core1}) {
        const std::vector<uint32_t> colors = ColorsFor(layout, 6, 4);
        TBitmap bitmap;
        LoadThroughFileTheme(Encode(layout, 6, 4, colors), bitmap);
        ExpectPixels(bitmap, 6, 4, colors, TestBitmaps::Name(layout));
    }
}

TEST(SkinFilePicture, PicturesWhoseSizeFieldIsZeroOrWrongPaint) {
    const std::vector<uint32_t> colors = ColorsFor(Layout::Info24, 6, 4);
    for (const uint32_t stated : {0u, 54u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> picture = Encode(Layout::Info24, 6, 4, colors);
        TestBitmaps::Put32(picture, 2, stated);
        TBitmap bitmap;
        LoadThroughFileTheme(picture, bitmap);
        ExpectPixels(bitmap, 6, 4, colors, "size field " + std::to_string(stated));
    }
}

TEST(SkinFilePicture, EveryHeaderLayoutPaintsExactly) {
    std::vector<SkinFileItem> items;
    for (const Layout layout : TestBitmaps::AllLayouts)
        items.push_back(
            PictureItem(TestBitmaps::Name(layout), Encode(layout, 7, 5, ColorsFor(layout, 7, 5))));
    const std::vector<uint8_t> file = BuildSkinImage(items);
    const TskThemeFileReader reader(file.data(), file.size());
    for (const Layout layout : TestBitmaps::AllLayouts) {
        TskPictureStream* stream = reader.GetImageStream(TestBitmaps::Name(layout));
        ASSERT_NE(stream, nullptr);
        TBitmap bitmap;
        bitmap.LoadFromStream(*stream);
        ExpectPixels(bitmap, 7, 5, ColorsFor(layout, 7, 5), TestBitmaps::Name(layout));
    }
}

TEST(SkinFilePicture, LargestCompressedPictureLoadsAndOneRowMoreIsRefusedByBoth) {
    std::vector<uint8_t> image = Encode(Layout::Info8Rle, 2, 2, ColorsFor(Layout::Info8Rle, 2, 2));
    TestBitmaps::Put32(image, 18, 4096);
    TestBitmaps::Put32(image, 22, 4096);
    BitmapFile::Layout layout;
    ASSERT_EQ(BitmapFile::Parse(image.data(), image.size(), layout), "");
    TBitmap bitmap;
    ASSERT_TRUE(LoaderTakes(image, bitmap));
    EXPECT_EQ(bitmap.Width(), 4096);

    TestBitmaps::Put32(image, 22, 4097);
    EXPECT_NE(BitmapFile::Parse(image.data(), image.size(), layout), "");
    TBitmap refused;
    EXPECT_FALSE(LoaderTakes(image, refused));
}

TEST(SkinFilePicture, ReaderAndLoaderAgreeOnDamagedHeaders) {
    // Fields of every layout overwritten with edge values and random bytes;
    // the sequence is fixed, so every run checks the same images.
    std::mt19937 random(20080204);
    const uint32_t edges[] = {0,       1,          2,          3,         4,      8,      12,
                              16,      24,         32,         40,        52,     56,     108,
                              124,     255,        256,        4096,      0x7FFF, 0x8000, 0xFFFF,
                              0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    int accepted = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        const Layout layout =
            TestBitmaps::AllLayouts[random() % std::size(TestBitmaps::AllLayouts)];
        std::vector<uint8_t> image = Encode(layout, 5, 3, ColorsFor(layout, 5, 3));
        BitmapFile::Layout original;
        BitmapFile::Parse(image.data(), image.size(), original);
        // Mostly the headers; now and then the pixels (run-length codes) too.
        const size_t end = random() % 8 ? original.PixelOffset + 4 : image.size();
        for (int change = 0, changes = 1 + random() % 3; change < changes; ++change) {
            const size_t at = random() % (end - 2);
            if (random() % 2 && at + 4 <= image.size())
                TestBitmaps::Put32(image, at, edges[random() % std::size(edges)]);
            else
                image[at] = static_cast<uint8_t>(random());
        }
        if (random() % 4 == 0) image.resize(random() % image.size());

        BitmapFile::Layout parsed;
        const bool readerTakes = BitmapFile::Parse(image.data(), image.size(), parsed).empty();
        // Huge pictures are checked once above; here they would only cost time.
        if (readerTakes && int64_t(parsed.Width) * parsed.Height > 512 * 512) continue;
        TBitmap bitmap;
        const bool loaderTakes = LoaderTakes(image, bitmap);
        ASSERT_EQ(readerTakes, loaderTakes) << "round " << round << ", " << Name(layout);
        if (loaderTakes) {
            EXPECT_EQ(bitmap.Width(), parsed.Width) << "round " << round;
            EXPECT_EQ(bitmap.Height(), parsed.Height) << "round " << round;
        }
        ++(readerTakes ? accepted : refused);
    }
    // Both outcomes must be exercised for the agreement to mean something.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}
