// The sample skin file in resources/skins, as the program's reader sees it.

#include "framework/BitmapFile.h"
#include "skin/SkinThemeFile.h"
#include "skin/SkinThemeTables.h"

#include <gtest/gtest.h>

namespace {

const std::string SampleSkin = std::string(SOURCE_DIR) + "/resources/skins/Copper.skin";

BitmapFile::Layout PictureLayout(const TskThemeFileReader& reader, const std::string& name) {
    TskPictureStream* stream = reader.GetImageStream(name);
    BitmapFile::Layout layout;
    if (stream) BitmapFile::Parse(stream->Memory(), static_cast<size_t>(stream->Size()), layout);
    return layout;
}

} // namespace

TEST(SampleSkin, LoadsAndHoldsEveryElementAControlReadsInItsKind) {
    ASSERT_TRUE(IsValidSkinFile(SampleSkin));
    TMemoryStream file;
    file.LoadFromFile(SampleSkin);
    const std::vector<SkinFile::EntryRecord> records =
        SkinFile::ParseImage(file.Memory(), file.Bytes().size());
    for (int element = 1; element <= ThemeElementCount; ++element) {
        // No control reads the minimized title picture.
        if (element == ThemeElement::TitleBarMinimizedImage) continue;
        const std::string key = ElementKeys[element];
        const uint8_t kind = ElementKinds[element] == ThemeValueKind::Image ? SkinFile::ekPicture
                             : ElementKinds[element] == ThemeValueKind::Boolean
                                 ? SkinFile::ekBoolean
                                 : SkinFile::ekInteger;
        int found = 0;
        for (const SkinFile::EntryRecord& record : records)
            if (record.Name == key && record.Kind == kind) ++found;
        EXPECT_EQ(1, found) << key;
    }
    EXPECT_NO_THROW(TskThemeFileReader reader(SampleSkin));
}

TEST(SampleSkin, HasSideAndBottomBorderPicturesSoTheFramePaintsThem) {
    const TskThemeFileReader reader(SampleSkin);
    const BitmapFile::Layout left = PictureLayout(reader, "FormLeftBorderImage");
    EXPECT_EQ(6, left.Width);
    EXPECT_GT(left.Height, 0);
    const BitmapFile::Layout bottom = PictureLayout(reader, "FormBottomBorderImage");
    EXPECT_EQ(6, bottom.Height);
    EXPECT_EQ(3 * 6, bottom.Width) << "three frames: two corners and the stretched edge";
    EXPECT_EQ(1, reader.GetInt("FormBorderWidthInt"));
}

TEST(SampleSkin, ControlPictureStripsDivideIntoTheirFrames) {
    const TskThemeFileReader reader(SampleSkin);
    EXPECT_EQ(0, PictureLayout(reader, "ButtonImage").Width % 3);
    EXPECT_EQ(0, PictureLayout(reader, "CheckBoxImage").Width % 4);
    EXPECT_EQ(0, PictureLayout(reader, "RadioButtonImage").Width % 4);
    EXPECT_EQ(0, PictureLayout(reader, "TitleBarButtonImage").Width % 18);
}
