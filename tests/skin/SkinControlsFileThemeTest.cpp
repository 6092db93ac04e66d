// Skinned controls with a FileTheme: they read the skin file only while their
// UIStyle is FromThemeFile, follow a new ThemeFile, and fall back to DeepBlue
// when the file theme goes away.

#include "framework/Forms.h"
#include "skin/SkinButton.h"
#include "skin/SkinGroupBox.h"
#include "skin/SkinRadioGroup.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class ControlsFileTheme : public testing::Test {
  protected:
    void SetUp() override {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        folder = dir;
        form = std::make_unique<TForm>(nullptr);
        theme = new TskFileTheme(form.get());
    }
    void TearDown() override {
        form.reset();
        for (const std::string& f : files)
            std::remove(f.c_str());
    }
    std::string Make(const std::string& name, const std::vector<SkinFileItem>& items) {
        const std::string path = folder + name;
        const std::vector<uint8_t> bytes = BuildSkinImage(items);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        files.push_back(path);
        return path;
    }
    template <class C> C* Make(TWinControl* parent = nullptr) {
        auto* control = new C(form.get());
        control->SetParent(parent ? parent : form.get());
        return control;
    }
    std::string folder;
    std::vector<std::string> files;
    std::unique_ptr<TForm> form;
    TskFileTheme* theme = nullptr;
};

// DeepBlue and WinXP buttons are opaque; these files say otherwise.
std::vector<SkinFileItem> TransparentButtons(bool transparent) {
    return {BoolItem("ButtonTransparentBool", transparent), IntItem("ControlBorderColor", 0x123456),
            IntItem("ControlFontColor", 0x0000FF),
            PictureItem("CheckBoxImage", MakeBitmapImage(40, 30, 0x00FF00))};
}

} // namespace

TEST_F(ControlsFileTheme, EveryControlPublishesFileThemeBeforeUIStyle) {
    for (const ClassInfo* info :
         {&TskButton::StaticClassInfo(), &TskCheckBox::StaticClassInfo(),
          &TskRadioButton::StaticClassInfo(), &TskCheckGroup::StaticClassInfo(),
          &TskRadioGroup::StaticClassInfo(), &TskRadioGroupButton::StaticClassInfo()}) {
        const TPropertyInfo* fileTheme = info->FindProperty("FileTheme");
        ASSERT_NE(fileTheme, nullptr) << info->Name;
        EXPECT_EQ(fileTheme->Kind, TPropKind::Component) << info->Name;
        EXPECT_TRUE(TskFileTheme::StaticClassInfo().InheritsFrom(fileTheme->RefClass()));
        // Declared by the same class, the file theme first.
        const ClassInfo* declaring = info;
        auto indexOf = [&](const char* name) {
            for (size_t i = 0; i < declaring->Properties.size(); ++i)
                if (declaring->Properties[i].Name == name) return static_cast<int>(i);
            return -1;
        };
        while (declaring && indexOf("FileTheme") < 0)
            declaring = declaring->Parent;
        ASSERT_NE(declaring, nullptr) << info->Name;
        EXPECT_LT(indexOf("FileTheme"), indexOf("UIStyle")) << info->Name;
    }
}

TEST_F(ControlsFileTheme, FromThemeFileButtonTakesItsTransparencyFromTheFile) {
    theme->SetThemeFile(Make("ctltest-transparent.skin", TransparentButtons(true)));
    auto* button = Make<TskButton>();
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_FALSE(button->Transparent()); // no file theme yet: DeepBlue
    button->SetFileTheme(theme);
    EXPECT_EQ(button->FileTheme(), theme);
    EXPECT_TRUE(button->Transparent());
}

TEST_F(ControlsFileTheme, ABuiltInStyleIgnoresTheFileTheme) {
    theme->SetThemeFile(Make("ctltest-opaque.skin", TransparentButtons(false)));
    auto* button = Make<TskButton>();
    button->SetUIStyle(TskUIStyle::MacOS);
    button->SetFileTheme(theme);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::MacOS);
    EXPECT_TRUE(button->Transparent()); // MacOS's own value, not the file's
    auto* box = Make<TskCheckBox>();
    box->SetUIStyle(TskUIStyle::MacOS);
    box->SetFileTheme(theme);
    EXPECT_EQ(box->AutoSizeExtent().Y, 21); // the 15 x 17 MacOS picture
}

TEST_F(ControlsFileTheme, CheckBoxAndGroupReadPictureAndColoursFromTheFile) {
    theme->SetThemeFile(Make("ctltest-colours.skin", TransparentButtons(true)));
    auto* box = Make<TskCheckBox>();
    box->SetFileTheme(theme);
    box->SetUIStyle(TskUIStyle::FromThemeFile);
    const TPoint extent = box->AutoSizeExtent();
    EXPECT_EQ(extent.Y, 30 + 4); // one 10 x 30 frame of the file's 40 x 30 strip
    auto* group = Make<TskCheckGroup>();
    group->SetFileTheme(theme);
    group->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(group->BorderColor(), TColor(0x123456));
    EXPECT_EQ(group->Font()->Color(), TColor(0x0000FF));
}

TEST_F(ControlsFileTheme, AssigningThemeFileAgainReappliesTheControlsThatReferToIt) {
    theme->SetThemeFile(Make("ctltest-first.skin", TransparentButtons(true)));
    auto* button = Make<TskButton>();
    button->SetFileTheme(theme);
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    auto* group = Make<TskCheckGroup>();
    group->SetFileTheme(theme);
    group->SetUIStyle(TskUIStyle::FromThemeFile);
    ASSERT_TRUE(button->Transparent());
    std::vector<SkinFileItem> second = TransparentButtons(false);
    second[1] = IntItem("ControlBorderColor", 0x654321);
    theme->SetThemeFile(Make("ctltest-second.skin", second));
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(group->BorderColor(), TColor(0x654321));
}

TEST_F(ControlsFileTheme, DestroyingTheFileThemeTurnsButtonAndCheckGroupToDeepBlue) {
    theme->SetThemeFile(Make("ctltest-gone.skin", TransparentButtons(true)));
    auto* button = Make<TskButton>();
    button->SetFileTheme(theme);
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    auto* group = Make<TskCheckGroup>();
    group->Items()->SetStrings({"Show Cap Lock", "Show Num Lock", "Show Scroll Lock"});
    auto* child = Make<TskCheckBox>(group); // not an item: reached as a child
    group->SetFileTheme(theme);
    group->SetUIStyle(TskUIStyle::FromThemeFile);
    ASSERT_TRUE(button->Transparent());
    for (int i = 0; i < group->ItemCount(); ++i)
        ASSERT_EQ(group->ItemButton(i)->FileTheme(), theme) << i;
    ASSERT_EQ(child->FileTheme(), theme);

    delete theme;
    theme = nullptr;

    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(group->FileTheme(), nullptr);
    EXPECT_EQ(group->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(group->BorderColor(), clBlack);
    for (int i = 0; i < group->ItemCount(); ++i) {
        EXPECT_EQ(group->ItemButton(i)->FileTheme(), nullptr) << i;
        EXPECT_EQ(group->ItemButton(i)->UIStyle(), TskUIStyle::DeepBlue) << i;
    }
    EXPECT_EQ(child->FileTheme(), nullptr);
    EXPECT_EQ(child->UIStyle(), TskUIStyle::DeepBlue);
    // Painting and restyling afterwards touch nothing that is gone.
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    group->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_GT(child->AutoSizeExtent().Y, 0);
}

TEST_F(ControlsFileTheme, AControlLetsGoOfAThemeItNoLongerUses) {
    auto* other = new TskFileTheme(nullptr);
    other->SetThemeFile(Make("ctltest-other.skin", TransparentButtons(true)));
    auto* button = Make<TskButton>();
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    button->SetFileTheme(other);
    button->SetFileTheme(theme);
    delete other; // owned by no form: only the free notification could reach the button
    EXPECT_EQ(button->FileTheme(), theme);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::FromThemeFile);

    auto* third = new TskFileTheme(nullptr);
    button->SetFileTheme(third);
    delete third;
    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::DeepBlue);
}
