// File themes: finding and loading skin files, what they answer, and that a
// failed assignment changes nothing.

#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "skin/SkinMgr.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder() {
    char buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string path(buffer, n);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class FileTheme : public testing::Test {
  protected:
    void SetUp() override {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        folder = std::string(dir);
    }
    void TearDown() override {
        for (const std::string& f : files)
            std::remove(f.c_str());
    }
    std::string Make(const std::string& name, const std::vector<SkinFileItem>& items,
                     const std::string& where = "") {
        const std::string path = (where.empty() ? folder : where) + name;
        WriteBytes(path, BuildSkinImage(items));
        files.push_back(path);
        return path;
    }
    std::string folder;
    std::vector<std::string> files;
};

} // namespace

TEST_F(FileTheme, MinimalFileAnswersItsElementAndMissingValuesElsewhere) {
    TskFileTheme theme(nullptr);
    const std::string path = Make("skintest-min.skin", {IntItem("FormBorderWidthInt", 2)});
    theme.SetThemeFile(path);
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_EQ(theme.GetInt(17), 2);
    EXPECT_EQ(theme.GetColor(15), -1);
    EXPECT_EQ(theme.GetInt(13), -1);
    EXPECT_FALSE(theme.GetBool(2));
    TBitmap untouched(3, 3);
    theme.GetBitmap(1, &untouched);
    EXPECT_EQ(untouched.Width(), 3);
}

TEST_F(FileTheme, EmptyChainIsLoadedWithoutElements) {
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(Make("skintest-empty.skin", {}));
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.GetInt(17), -1);
}

TEST_F(FileTheme, PicturesLoadAndCutIntoFrames) {
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(
        Make("skintest-pic.skin", {PictureItem("buttonimage", MakeBitmapImage(9, 4, 0x0000FF))}));
    TBitmap whole, frame;
    theme.GetBitmap(1, &whole);
    EXPECT_EQ(whole.Width(), 9);
    EXPECT_EQ(whole.Pixel(0, 0), 0x0000FF);
    theme.GetImage(1, &frame, 3, 2);
    EXPECT_EQ(frame.Width(), 3);
    EXPECT_EQ(frame.Height(), 4);
}

TEST_F(FileTheme, TheSameTextTwiceLoadsOnce) {
    TskFileTheme theme(nullptr);
    const std::string path = Make("skintest-once.skin", {IntItem("FormBorderWidthInt", 2)});
    theme.SetThemeFile(path);
    WriteBytes(path, BuildSkinImage({IntItem("FormBorderWidthInt", 5)}));
    theme.SetThemeFile(path);
    EXPECT_EQ(theme.GetInt(17), 2);
}

TEST_F(FileTheme, ABareNameIsFoundBesideTheProgramAndStoredAsTheFullPath) {
    // Run from elsewhere: a bare name must not be taken from the current folder.
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(folder.c_str());
    struct RestoreFolder {
        const char* path;
        ~RestoreFolder() { SetCurrentDirectoryA(path); }
    } restore{saved};
    TskFileTheme theme(nullptr);
    const std::string full =
        Make("skintest-beside.skin", {IntItem("FormBorderWidthInt", 4)}, ProgramFolder());
    theme.SetThemeFile("skintest-beside.skin");
    EXPECT_EQ(theme.ThemeFile(), full);
    EXPECT_EQ(theme.GetInt(17), 4);
    // The stored text is the full path, so the bare name loads again.
    WriteBytes(full, BuildSkinImage({IntItem("FormBorderWidthInt", 6)}));
    theme.SetThemeFile("skintest-beside.skin");
    EXPECT_EQ(theme.GetInt(17), 6);
}

TEST_F(FileTheme, ANameFoundNowhereIsIgnoredSilently) {
    TskFileTheme theme(nullptr);
    const std::string path = Make("skintest-keep.skin", {IntItem("FormBorderWidthInt", 2)});
    theme.SetThemeFile(path);
    EXPECT_NO_THROW(theme.SetThemeFile("no-such-skin-anywhere.skin"));
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_EQ(theme.GetInt(17), 2);
}

TEST_F(FileTheme, AFileWithoutTheMagicRaisesAndChangesNothing) {
    TskFileTheme theme(nullptr);
    const std::string good = Make("skintest-good.skin", {IntItem("FormBorderWidthInt", 2)});
    theme.SetThemeFile(good);
    std::vector<uint8_t> bytes = BuildSkinImage({IntItem("FormBorderWidthInt", 9)});
    bytes[0] = 'q';
    const std::string bad = folder + "skintest-nomagic.skin";
    WriteBytes(bad, bytes);
    files.push_back(bad);
    try {
        theme.SetThemeFile(bad);
        FAIL() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid skin file for Quvelto!");
    }
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_EQ(theme.GetInt(17), 2);
}

TEST_F(FileTheme, AMalformedFileRaisesNamingTheFaultAndKeepsTheLoadedTheme) {
    TskFileTheme theme(nullptr);
    const std::string good = Make("skintest-good2.skin", {IntItem("FormBorderWidthInt", 2)});
    theme.SetThemeFile(good);
    std::vector<uint8_t> bytes = BuildSkinImage({IntItem("FormBorderWidthInt", 9)});
    bytes[24 + 73] = 24; // the record's next offset points back at itself
    bytes[24 + 74] = bytes[24 + 75] = bytes[24 + 76] = 0;
    const std::string bad = folder + "skintest-loop.skin";
    WriteBytes(bad, bytes);
    files.push_back(bad);
    try {
        theme.SetThemeFile(bad);
        FAIL() << "accepted";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("comes back to the record at offset 24"), std::string::npos)
            << e.Message();
    }
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.GetInt(17), 2);
}

namespace {

int reapplied = 0;

class TskThemed : public TComponent {
    DECLARE_PUBLISHED(TskThemed, TComponent)
  public:
    using TComponent::TComponent;
    TskFileTheme* FileTheme() const { return theme_; }
    void SetFileTheme(TskFileTheme* theme) {
        theme_ = theme;
        ++reapplied;
    }
    TskFileTheme* theme_ = nullptr;
};

const ClassInfo& TskThemed::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskThemed>()
            .Reference<TskFileTheme>("FileTheme", &TskThemed::FileTheme, &TskThemed::SetFileTheme)
            .Build();
    return info;
}

} // namespace

TEST_F(FileTheme, LoadingReappliesTheControlsOfTheFormThatUseIt) {
    TForm form(nullptr);
    auto* theme = new TskFileTheme(&form);
    auto* user = new TskThemed(&form);
    auto* other = new TskThemed(&form);
    user->SetFileTheme(theme);
    reapplied = 0;
    theme->SetThemeFile(Make("skintest-apply.skin", {IntItem("FormBorderWidthInt", 2)}));
    EXPECT_EQ(reapplied, 1);
    EXPECT_EQ(other->FileTheme(), nullptr);
}
