// The skin preview's command line.

#include "preview/PreviewOptions.h"

#include <gtest/gtest.h>

namespace {

TPreviewOptions Parse(std::vector<std::string> arguments) {
    return ParsePreviewArguments(arguments);
}

// The message of the usage error the arguments raise; empty when none.
std::string Refusal(std::vector<std::string> arguments) {
    try {
        ParsePreviewArguments(arguments);
    } catch (const EPreviewUsage& usage) {
        return usage.Message();
    }
    return {};
}

} // namespace

TEST(PreviewOptions, NothingGivenShowsDeepBlueAndStaysOpen) {
    const TPreviewOptions options = Parse({});
    EXPECT_EQ(TskUIStyle::DeepBlue, options.Style);
    EXPECT_TRUE(options.SkinFile.empty());
    EXPECT_TRUE(options.ShotFile.empty());
}

TEST(PreviewOptions, EveryBuiltInStyleIsNamedInAnyCase) {
    EXPECT_EQ(TskUIStyle::MacOS, Parse({"--style", "MacOS"}).Style);
    EXPECT_EQ(TskUIStyle::WinXP, Parse({"--style", "WinXP"}).Style);
    EXPECT_EQ(TskUIStyle::DeepBlue, Parse({"--style", "DeepBlue"}).Style);
    EXPECT_EQ(TskUIStyle::Protein, Parse({"--style", "Protein"}).Style);
    EXPECT_EQ(TskUIStyle::BlueGlass, Parse({"--style", "BlueGlass"}).Style);
    EXPECT_EQ(TskUIStyle::WinXP, Parse({"--style", "winxp"}).Style);
}

TEST(PreviewOptions, AnyOtherArgumentIsASkinFileInEitherOrderWithTheShot) {
    const TPreviewOptions options = Parse({"--shot", "out.bmp", "C:\\skins\\my.skin"});
    EXPECT_EQ(TskUIStyle::FromThemeFile, options.Style);
    EXPECT_EQ("C:\\skins\\my.skin", options.SkinFile);
    EXPECT_EQ("out.bmp", options.ShotFile);
    EXPECT_EQ("my.skin", Parse({"my.skin", "--shot", "a.bmp"}).SkinFile);
    // A single dash is a file name, as a path may begin with one.
    EXPECT_EQ("-dark.skin", Parse({"-dark.skin"}).SkinFile);
}

TEST(PreviewOptions, UnknownStyleIsRefusedWithTheUsageAndTheNames) {
    const std::string message = Refusal({"--style", "Aqua"});
    EXPECT_EQ(0u, message.find("Unknown style \"Aqua\".")) << message;
    EXPECT_NE(std::string::npos, message.find(PreviewUsageText));
    EXPECT_NE(std::string::npos, message.find("MacOS, WinXP, DeepBlue, Protein, BlueGlass"));
    // The file-theme ordinal is no look of its own.
    EXPECT_FALSE(Refusal({"--style", "FromThemeFile"}).empty());
}

TEST(PreviewOptions, MalformedCommandLinesAreRefused) {
    EXPECT_FALSE(Refusal({"--style"}).empty());
    EXPECT_FALSE(Refusal({"--shot"}).empty());
    EXPECT_FALSE(Refusal({"--shot", ""}).empty());
    EXPECT_FALSE(Refusal({"--shot", "a.bmp", "--shot", "b.bmp"}).empty());
    EXPECT_FALSE(Refusal({"--style", "WinXP", "my.skin"}).empty());
    EXPECT_FALSE(Refusal({"my.skin", "--style", "WinXP"}).empty());
    EXPECT_FALSE(Refusal({"a.skin", "b.skin"}).empty());
    EXPECT_FALSE(Refusal({""}).empty());
    EXPECT_EQ(0u, Refusal({"--help"}).find("Unknown option \"--help\"."));
}
