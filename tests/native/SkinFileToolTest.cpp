// The skin-file tool as skin authors use it: pack a folder, list, check.

#include "SkinTestFiles.h"
#include "skin/SkinThemeFile.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string output;
};

ToolRun Tool(const std::string& args) {
    const std::string command = std::string(SKINFILE_TOOL) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), output};
}

class SkinFileTool : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("skinfile-tool-" + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "src");
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
    fs::path dir;
};

} // namespace

TEST_F(SkinFileTool, PacksAFolderThatTheReaderLoadsAndListsIt) {
    Write(dir / "src/entries.txt", "# a test skin\n"
                                   "FormBorderWidthInt int 3\n"
                                   "FormBackgroundColor color 239,235,222\n"
                                   "FormBorderColor color 0xC82C00\n"
                                   "MenuFontColor color #0246CF\n"
                                   "ButtonTransparentBool bool true\n"
                                   "Author text  two  spaces\n"
                                   "TitleBarLeftImage picture left.bmp\n");
    ASSERT_EQ(Tool("picture " + (dir / "src/ButtonImage.bmp").string() + " 6 3 255,0,255").status,
              0);
    ASSERT_EQ(Tool("picture " + (dir / "src/left.bmp").string() + " 2 2 '#000000'").status, 0);
    const std::string skin = (dir / "test.skin").string();
    ASSERT_EQ(Tool("pack " + skin + " " + (dir / "src").string()).status, 0);

    TskThemeFileReader reader(skin);
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), 3);
    EXPECT_EQ(reader.GetInt("FormBackgroundColor"), 239 | (235 << 8) | (222 << 16));
    EXPECT_EQ(reader.GetInt("FormBorderColor"), 0xC82C00);
    EXPECT_EQ(reader.GetInt("MenuFontColor"), 0x02 | (0x46 << 8) | (0xCF << 16));
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_EQ(reader.Strings().Values("Author"), " two  spaces");
    ASSERT_NE(reader.GetImageStream("ButtonImage"), nullptr);
    ASSERT_NE(reader.GetImageStream("TitleBarLeftImage"), nullptr);
    EXPECT_EQ(reader.GetImageStream("left"), nullptr); // named by its line, not its file

    const ToolRun list = Tool("list " + skin);
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("bitmap 6x3, 24 bits per pixel"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("(239,235,222)"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("8 entries"), std::string::npos) << list.output;
    EXPECT_EQ(Tool("check " + skin).status, 0);
}

TEST_F(SkinFileTool, CheckExitsOneWithTheReasonForABrokenFile) {
    RawSkin f(24 + 77 + 4 + 77);
    f.Record(24, "FormBorderWidthInt", SkinFile::ekBoolean, 101, 4, 105);
    const fs::path path = dir / "broken.skin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size());
    const ToolRun run = Tool("check " + path.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("a Boolean takes 1 byte, not 4"), std::string::npos) << run.output;
}

TEST_F(SkinFileTool, RefusesToPackWhatTheReaderWouldRefuse) {
    Write(dir / "src/entries.txt", "FormBorderWidthInt int twelve\n");
    const ToolRun badNumber =
        Tool("pack " + (dir / "x.skin").string() + " " + (dir / "src").string());
    EXPECT_EQ(badNumber.status, 1);
    EXPECT_NE(badNumber.output.find("line 1"), std::string::npos) << badNumber.output;

    Write(dir / "src/entries.txt", "");
    Write(dir / "src/ButtonImage.bmp", "not a bitmap at all, just some text");
    const ToolRun badPicture =
        Tool("pack " + (dir / "x.skin").string() + " " + (dir / "src").string());
    EXPECT_EQ(badPicture.status, 1);
    EXPECT_NE(badPicture.output.find("BM"), std::string::npos) << badPicture.output;
    EXPECT_FALSE(fs::exists(dir / "x.skin"));
}

TEST(SkinFileColors, AllThreeNotationsGiveTheStoredLayout) {
    EXPECT_EQ(ParseColor("57,115,196"), 57 | (115 << 8) | (196 << 16));
    EXPECT_EQ(ParseColor("0xC47339"), 0xC47339);
    EXPECT_EQ(ParseColor("#3973C4"), 0xC47339);
    EXPECT_THROW(ParseColor("256,0,0"), EConvertError);
    EXPECT_THROW(ParseColor("1,2"), EConvertError);
    EXPECT_THROW(ParseColor("#12345"), EConvertError);
}
