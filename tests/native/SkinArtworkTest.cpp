// The committed theme pictures against the catalogue: every built-in bitmap
// exists at its listed size, is named in the resource script, and is
// magenta where the controls draw it see-through.

#include "framework/BitmapFile.h"
#include "skin/SkinThemeTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string Themes = std::string(SOURCE_DIR) + "/resources/themes/";

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> file;
    // Top-down coordinates; 0x00BBGGRR.
    uint32_t Pixel(int x, int y) const {
        const int stride = (width * 3 + 3) & ~3;
        const uint8_t* p = &file[54 + (height - 1 - y) * stride + x * 3];
        return p[2] | (p[1] << 8) | (p[0] << 16);
    }
};

bool LoadPicture(const std::string& name, Picture& out) {
    std::ifstream in(Themes + name + ".bmp", std::ios::binary);
    if (!in) return false;
    out.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    BitmapFile::Layout layout;
    if (!BitmapFile::Parse(out.file.data(), out.file.size(), layout).empty() ||
        layout.BitCount != 24 || layout.PixelOffset != 54 || layout.TopDown)
        return false;
    out.width = layout.Width;
    out.height = layout.Height;
    return true;
}

constexpr uint32_t Key = 0xFF00FF;

} // namespace

TEST(ThemeArtwork, EveryBuiltInBitmapExistsAtItsListedSize) {
    for (int i = 0; i < BuiltInBitmapCount; ++i) {
        const BuiltInBitmap& b = BuiltInBitmaps[i];
        Picture p;
        ASSERT_TRUE(LoadPicture(b.Name, p)) << b.Name << ": missing or not a 24-bit bitmap";
        EXPECT_EQ(p.width, b.Width) << b.Name;
        EXPECT_EQ(p.height, b.Height) << b.Name;
    }
}

TEST(ThemeArtwork, ResourceScriptNamesEveryBitmap) {
    std::ifstream in(std::string(SOURCE_DIR) + "/resources/themes.rc");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    for (int i = 0; i < BuiltInBitmapCount; ++i) {
        const std::string name = BuiltInBitmaps[i].Name;
        const std::string line = name + " BITMAP \"themes/" + name + ".bmp\"";
        EXPECT_NE(text.str().find(line), std::string::npos) << line;
    }
}

TEST(ThemeArtwork, TransparentPicturesAreMagentaInTheirCorners) {
    // Buttons of the two styles drawn with transparency, the MacOS radio
    // button (drawn keyed by its bottom-left pixel), and the title buttons of
    // the styles whose title buttons are transparent: every frame's corners.
    struct Strip {
        const char* name;
        int frames;
    };
    for (const Strip s :
         {Strip{"MACOS_BUTTON", 3}, Strip{"BLUEGLASS_BUTTON", 3}, Strip{"MACOS_RADIOBUTTON", 4},
          Strip{"PROTEIN_TITLEBTN", 18}, Strip{"BLUEGLASS_TITLEBTN", 18}}) {
        Picture p;
        ASSERT_TRUE(LoadPicture(s.name, p)) << s.name;
        const int w = p.width / s.frames;
        for (int f = 0; f < s.frames; ++f) {
            const int left = f * w, right = left + w - 1, bottom = p.height - 1;
            EXPECT_EQ(p.Pixel(left, 0), Key) << s.name << " frame " << f + 1;
            EXPECT_EQ(p.Pixel(right, 0), Key) << s.name << " frame " << f + 1;
            EXPECT_EQ(p.Pixel(left, bottom), Key) << s.name << " frame " << f + 1;
            EXPECT_EQ(p.Pixel(right, bottom), Key) << s.name << " frame " << f + 1;
            EXPECT_NE(p.Pixel(left + w / 2, p.height / 2), Key) << s.name << " frame " << f + 1;
        }
    }
}

TEST(ThemeArtwork, OpaqueButtonsShowNoKeyColour) {
    // Styles without button transparency draw their strips opaque: magenta
    // would show as magenta.
    for (const char* name : {"WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "MACOS_CHECKBOX",
                             "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "MACOS_TITLEBTN"}) {
        Picture p;
        ASSERT_TRUE(LoadPicture(name, p)) << name;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                ASSERT_NE(p.Pixel(x, y), Key) << name << " at " << x << "," << y;
    }
}

TEST(ThemeArtwork, MenuCheckMarkIsDrawnOnWhite) {
    // The menus key the check mark by white.
    Picture p;
    ASSERT_TRUE(LoadPicture("MENU_CHECKED", p));
    EXPECT_EQ(p.Pixel(0, 0), 0xFFFFFFu);
    int marked = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            marked += p.Pixel(x, y) != 0xFFFFFFu;
    EXPECT_GT(marked, 10);
}
