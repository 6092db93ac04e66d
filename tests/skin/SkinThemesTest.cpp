// Theme look-ups that load the embedded pictures, the default style of new
// controls, and pushing a theme to child controls.

#include "framework/Forms.h"
#include "skin/SkinMgr.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ThemePictures, EveryCatalogueResourceLoadsAtItsListedSize) {
    for (int i = 0; i < BuiltInBitmapCount; ++i) {
        const BuiltInBitmap& b = BuiltInBitmaps[i];
        TBitmap picture;
        ASSERT_NO_THROW(picture.LoadFromResourceName(b.Name)) << b.Name;
        EXPECT_EQ(picture.Width(), b.Width) << b.Name;
        EXPECT_EQ(picture.Height(), b.Height) << b.Name;
    }
}

TEST(ThemePictures, GetThemeImageCutsOneFrameOrTakesTheWholeStrip) {
    TBitmap b;
    GetThemeImage(TskUIStyle::MacOS, ThemeElement::ButtonImage, &b, 3, 2);
    EXPECT_EQ(b.Width(), 84);
    EXPECT_EQ(b.Height(), 23);
    GetThemeImage(TskUIStyle::MacOS, ThemeElement::ButtonImage, &b, 0, 2);
    EXPECT_EQ(b.Width(), 252);
    GetThemeImage(TskUIStyle::DeepBlue, ThemeElement::ScrollButtonImage, &b, 0, 0);
    EXPECT_EQ(b.Width(), 72);
    EXPECT_EQ(b.Height(), 17);
}

TEST(ThemePictures, NonImageElementsAndFromThemeFileLeaveTheBitmapAlone) {
    TBitmap b(5, 5);
    GetThemeBitmap(TskUIStyle::MacOS, ThemeElement::FormBackgroundColor, &b);
    GetThemeBitmap(TskUIStyle::FromThemeFile, ThemeElement::ButtonImage, &b);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_THROW(GetThemeBitmap(TskUIStyle::MacOS, ThemeElement::FormLeftBorderImage, &b),
                 EResNotFound);
}

namespace {

// Stand-ins with the published properties the theme code looks for.
class TskForm : public TCustomControl {
    DECLARE_PUBLISHED(TskForm, TCustomControl)
  public:
    explicit TskForm(TComponent* owner) : TCustomControl(owner) {}
    TskUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TskUIStyle style) { style_ = style; }
    TskUIStyle style_ = TskUIStyle::DeepBlue;
};

const ClassInfo& TskForm::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskForm>()
            .Enum("UIStyle", TskUIStyleInfo, &TskForm::UIStyle, &TskForm::SetUIStyle)
            .Build();
    return info;
}

std::vector<std::string> calls;

class TskProbe : public TControl {
    DECLARE_PUBLISHED(TskProbe, TControl)
  public:
    explicit TskProbe(TComponent* owner) : TControl(owner) {}
    TskUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TskUIStyle style) {
        style_ = style;
        calls.push_back(Name() + ".UIStyle");
    }
    TskFileTheme* FileTheme() const { return theme_; }
    void SetFileTheme(TskFileTheme* theme) {
        theme_ = theme;
        calls.push_back(Name() + ".FileTheme");
    }
    TskUIStyle style_ = TskUIStyle::DeepBlue;
    TskFileTheme* theme_ = nullptr;
};

const ClassInfo& TskProbe::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskProbe>()
            .Enum("UIStyle", TskUIStyleInfo, &TskProbe::UIStyle, &TskProbe::SetUIStyle)
            .Reference<TskFileTheme>("FileTheme", &TskProbe::FileTheme, &TskProbe::SetFileTheme)
            .Build();
    return info;
}

// Publishes a style but no file theme.
class TskHalfProbe : public TskForm {
    DECLARE_PUBLISHED(TskHalfProbe, TskForm)
  public:
    using TskForm::TskForm;
};

const ClassInfo& TskHalfProbe::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskHalfProbe>().Build();
    return info;
}

} // namespace

TEST(FormUIStyle, ComesFromTheFirstSkinnedFrameOnTheForm) {
    TForm form(nullptr);
    EXPECT_EQ(GetFormUIStyle(&form), TskUIStyle::DeepBlue);
    TskForm* frame = new TskForm(&form);
    frame->SetParent(&form);
    frame->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(GetFormUIStyle(&form), TskUIStyle::MacOS);
    EXPECT_EQ(GetFormUIStyle(frame), TskUIStyle::DeepBlue); // not a form
    EXPECT_EQ(GetFormUIStyle(nullptr), TskUIStyle::DeepBlue);
}

TEST(ApplyThemeToChildren, SetsFileThemeThenStyleOnChildrenThatPublishBoth) {
    TForm form(nullptr);
    TskFileTheme theme(nullptr);
    auto* a = new TskProbe(&form);
    a->SetName("A");
    a->SetParent(&form);
    auto* half = new TskHalfProbe(&form);
    half->SetParent(&form);
    auto* b = new TskProbe(&form);
    b->SetName("B");
    b->SetParent(&form);
    calls.clear();
    ApplyThemeToChildren(&form, TskUIStyle::Protein, &theme);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"A.FileTheme", "A.UIStyle", "B.FileTheme", "B.UIStyle"}));
    EXPECT_EQ(b->FileTheme(), &theme);
    EXPECT_EQ(b->UIStyle(), TskUIStyle::Protein);
    EXPECT_EQ(half->UIStyle(), TskUIStyle::DeepBlue);
}

TEST(UsesFileTheme, OnlyFromThemeFileWithALoadedThemeReadsTheFile) {
    TskUIStyle effective;
    EXPECT_FALSE(UsesFileTheme(nullptr, TskUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TskUIStyle::DeepBlue);
    TskFileTheme unloaded(nullptr);
    EXPECT_FALSE(UsesFileTheme(&unloaded, TskUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TskUIStyle::DeepBlue);
    EXPECT_FALSE(UsesFileTheme(&unloaded, TskUIStyle::MacOS, effective));
    EXPECT_EQ(effective, TskUIStyle::MacOS);
}
