// The built-in theme catalogue and its kind-checked look-ups.

#include "skin/SkinThemeTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
constexpr TColor Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
} // namespace

TEST(ThemeLookups, ReturnTheCatalogueValuesOfTheBuiltInStyles) {
    EXPECT_EQ(GetThemeColor(TskUIStyle::MacOS, 15), Rgb(231, 231, 231));
    EXPECT_EQ(GetThemeInt(TskUIStyle::WinXP, 17), 3);
    EXPECT_TRUE(GetThemeBool(TskUIStyle::BlueGlass, 2));
    EXPECT_EQ(GetThemeInt(TskUIStyle::BlueGlass, 8), -3);
    EXPECT_EQ(GetThemeColor(TskUIStyle::WinXP, ThemeElement::FormBorderColor), Rgb(0, 44, 200));
    EXPECT_EQ(GetThemeColor(TskUIStyle::Protein, ThemeElement::MenuMenuBarColor),
              Rgb(251, 251, 251));
    EXPECT_EQ(GetThemeInt(TskUIStyle::BlueGlass, ThemeElement::FormMinWidthInt), 270);
    EXPECT_FALSE(GetThemeBool(TskUIStyle::MacOS, ThemeElement::TitleBarButtonTransparentBool));
    EXPECT_TRUE(GetThemeBool(TskUIStyle::Protein, ThemeElement::TitleBarButtonTransparentBool));
}

TEST(ThemeLookups, AnElementOfAnotherKindGivesTheLookupsDefault) {
    EXPECT_EQ(GetThemeColor(TskUIStyle::MacOS, 17), 0); // an integer element
    EXPECT_EQ(GetThemeInt(TskUIStyle::MacOS, 15), -1);  // a colour element
    EXPECT_FALSE(GetThemeBool(TskUIStyle::MacOS, 7));   // an integer 3 is no Boolean
    EXPECT_EQ(GetThemeInt(TskUIStyle::MacOS, ThemeElement::ButtonImage), -1);
    EXPECT_EQ(GetThemeImageName(TskUIStyle::MacOS, 15), nullptr);
}

TEST(ThemeLookups, FromThemeFileAndUnknownStylesGiveDefaults) {
    EXPECT_EQ(GetThemeInt(TskUIStyle::FromThemeFile, 9), -1);
    EXPECT_FALSE(GetThemeBool(TskUIStyle::FromThemeFile, 2));
    EXPECT_EQ(GetThemeColor(TskUIStyle::FromThemeFile, 15), 0);
    EXPECT_EQ(GetThemeImageName(TskUIStyle::FromThemeFile, 1), nullptr);
    const TThemeValue v = GetThemeValue(static_cast<TskUIStyle>(6), 15);
    EXPECT_EQ(v.Kind, ThemeValueKind::Integer);
    EXPECT_EQ(v.Value, -1);
    EXPECT_EQ(GetThemeInt(static_cast<TskUIStyle>(6), 17), -1);
}

TEST(ThemeLookups, OnlyTheLowSevenBitsOfTheStyleCount) {
    EXPECT_EQ(GetThemeInt(static_cast<TskUIStyle>(0x82), 17), 3); // WinXP
    EXPECT_TRUE(GetThemeBool(static_cast<TskUIStyle>(0x85), 2));  // BlueGlass
    EXPECT_EQ(GetThemeInt(static_cast<TskUIStyle>(0x80), 9), -1); // FromThemeFile
}

TEST(ThemeLookups, ImageElementsNameTheirResources) {
    EXPECT_STREQ(GetThemeImageName(TskUIStyle::MacOS, 1), "MACOS_BUTTON");
    EXPECT_STREQ(GetThemeImageName(TskUIStyle::DeepBlue, 38), "MORE_SCROLLBUTTON");
    EXPECT_STREQ(GetThemeImageName(TskUIStyle::WinXP, 38), "WINXP_SCROLLBUTTON");
    EXPECT_STREQ(GetThemeImageName(TskUIStyle::Protein, 41), "PROTEIN_SIDECHENNEL_HANDLE");
    // Only skin files have these pictures.
    for (int element : {43, 45, 46})
        EXPECT_STREQ(GetThemeImageName(TskUIStyle::BlueGlass, element), "");
}

TEST(ThemeCatalogue, EveryBuiltInPictureIsAListedResourceAndEveryResourceIsUsed) {
    std::set<std::string> named;
    for (int style = 1; style <= 5; ++style)
        for (int element = 1; element <= ThemeElementCount; ++element) {
            const char* name = GetThemeImageName(static_cast<TskUIStyle>(style), element);
            if (!name || !*name) continue;
            named.insert(name);
            EXPECT_NE(FindBuiltInBitmap(name), nullptr) << name;
        }
    const std::set<std::string> loadedDirectly{"MACOS_MENU_BAR", "MACOS_MENU_SELECT",
                                               "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND",
                                               "MENU_CHECKED"};
    for (int i = 0; i < BuiltInBitmapCount; ++i) {
        const std::string name = BuiltInBitmaps[i].Name;
        EXPECT_TRUE(named.count(name) || loadedDirectly.count(name)) << name << " is never used";
    }
    EXPECT_EQ(BuiltInBitmapCount, static_cast<int>(named.size() + loadedDirectly.size()));
}

TEST(ThemeCatalogue, StripsDivideIntoTheirFramesAsTheControlsCutThem) {
    EXPECT_EQ(FindBuiltInBitmap("MACOS_BUTTON")->Width / 3, 84);
    EXPECT_EQ(FindBuiltInBitmap("MACOS_TITLEBTN")->Width / 18, 17);
    EXPECT_EQ(FindBuiltInBitmap("WINXP_TITLEBTN")->Width / 18, 21);
    EXPECT_EQ(FindBuiltInBitmap("MACOS_RADIOBUTTON")->Width / 4, 16);
    EXPECT_EQ(FindBuiltInBitmap("macos_checkbox")->Width / 4, 15);
}

TEST(ThemeCatalogue, StyleNamesAreStoredInTheirFixedOrder) {
    EXPECT_EQ(TskUIStyleInfo.ValueOf("FromThemeFile"), 0);
    EXPECT_EQ(TskUIStyleInfo.ValueOf("MacOS"), 1);
    EXPECT_EQ(TskUIStyleInfo.ValueOf("BlueGlass"), 5);
    EXPECT_EQ(TskUIStyleInfo.Names.size(), 6u);
}
