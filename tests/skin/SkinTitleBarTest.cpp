// The skinned title bar on hidden forms far off the screen, so the pointer is
// never over it: style application, the button and section rules, copies and
// references that go away, off-screen paints checked against positions
// computed here, a stored form description, and handle counts.

#include "framework/Application.h"
#include "framework/FormReader.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "skin/SkinTitleBar.h"
#include "tests/support/GdiCount.h"
#include "tests/support/Pixels.h"
#include "tests/support/StandInSkinForm.h"
#include "tests/support/UserCount.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

namespace {

// A form that answers the frame's side-border question.
class TSideBorderForm : public TForm {
  public:
    explicit TSideBorderForm(TComponent* owner) : TForm(owner) {}
    int SideBorder = 0;
    void WndProc(TMessage& message) override {
        if (message.Msg == SKM_SIDEBORDERWIDTH)
            message.Result = SideBorder;
        else
            TForm::WndProc(message);
    }
};

struct Solid : TBitmap {
    Solid(int width, int height, TColor color) : TBitmap(width, height) {
        Canvas().Brush().SetColor(color);
        Canvas().FillRect(Rect(0, 0, width, height));
    }
};

// Picture k of the MacOS title button strip.
struct MacOSButtonPicture : TBitmap {
    explicit MacOSButtonPicture(int k) {
        GetThemeImage(TskUIStyle::MacOS, ThemeElement::TitleBarButtonImage, this, 18, k);
    }
};

std::string Hex(TBitmap& picture) {
    TMemoryStream stream;
    picture.SaveToStream(stream);
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (uint8_t byte : stream.Bytes()) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

class TitleBar : public testing::Test {
  protected:
    void SetUp() override {
        previousDialog =
            SetSkinRefusalDialog([this](const std::string& t) { refusals.push_back(t); });
        form = std::make_unique<TSideBorderForm>(nullptr);
        form->SetBounds(-4000, -4000, 400, 200);
        form->HandleNeeded();
    }
    void TearDown() override {
        form.reset();
        SetSkinRefusalDialog(previousDialog);
    }
    // The program's title bar (MacOS; control box, close, hidden maximize,
    // minimize; its caption), on the form or on a stand-in frame.
    TskTitleBar* Make(int width = 270, TWinControl* parent = nullptr) {
        if (!parent) parent = form.get();
        auto* bar = new TskTitleBar(parent);
        bar->SetParent(parent);
        bar->SetAlign(alNone);
        bar->SetWidth(width);
        bar->SetUIStyle(TskUIStyle::MacOS);
        bar->Buttons()->Items(2)->SetVisible(false);
        bar->SetCaption("MOXEL Utility V1.2 20080204");
        return bar;
    }
    TskForm* MakeFrame() {
        auto* frame = new TskForm(form.get());
        frame->SetParent(form.get());
        return frame;
    }
    // One paint through the title bar's own paint cycle, into a bitmap.
    static void Paint(TskTitleBar* bar, TBitmap& into) {
        into.SetSize(bar->Width(), bar->Height());
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()), 0);
    }
    // The paint must be the captionless paint with text drawn at x, centred on
    // the 17-pixel band at y 4.
    static void ExpectCaption(TskTitleBar* bar, const std::string& text, int x, TColor color) {
        const std::string caption = bar->Caption();
        TBitmap expected, actual;
        bar->SetCaption("");
        Paint(bar, expected);
        bar->SetCaption(caption);
        Paint(bar, actual);
        TCanvas& canvas = expected.Canvas();
        canvas.Font().Assign(*bar->Font());
        canvas.Font().SetColor(color);
        canvas.Brush().SetStyle(bsClear);
        const int y = 4 + (17 - canvas.TextHeight(text)) / 2;
        if (!text.empty()) canvas.TextOut(x, y, text);
        EXPECT_TRUE(SamePixels(actual, expected)) << "'" << text << "' at " << x << ", " << y;
    }
    std::unique_ptr<TSideBorderForm> form;
    std::vector<std::string> refusals;
    TSkinRefusalDialog previousDialog;
};

} // namespace

// ------------------------------------------------------------------ style application

TEST_F(TitleBar, StyleApplicationSetsOffsetsPicturesHeightAndCaptionColour) {
    auto* fresh = new TskTitleBar(form.get());
    const TskTitleBarBtnType order[] = {skControlBox, skClose, skMax, skMin};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(fresh->Buttons()->Items(i)->ButtonType(), order[i]);
    EXPECT_EQ(fresh->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(fresh->Font()->Color(), clWhite);

    TskTitleBar* bar = Make();
    EXPECT_EQ(bar->LeftBtnXOffset(), 3);
    EXPECT_EQ(bar->RightBtnXOffset(), -2);
    EXPECT_EQ(bar->ButtonTop(), 4);
    EXPECT_EQ(bar->CaptionBandHeight(), 17);
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_EQ(form->Constraints()->MinWidth(), 130);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    EXPECT_EQ(bar->Sections()->Items(1)->Align(), skRight);
    EXPECT_TRUE(bar->Sections()->Items(2)->Stretch());
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    EXPECT_EQ(close->Top(), 4);
    EXPECT_TRUE(SamePixels(*close->PicNormal(), MacOSButtonPicture(16)));
    EXPECT_TRUE(SamePixels(*close->PicMouseDown(), MacOSButtonPicture(18)));

    TskTitleBar* framed = Make(270, MakeFrame());
    EXPECT_EQ(framed->ButtonTop(), 1) << "4 less the frame's 3";
    EXPECT_EQ(framed->Height(), 20);
}

TEST_F(TitleBar, CustomKeepsEverythingAndACustomButtonKeepsItsPicturesAndTop) {
    TskTitleBar* bar = Make();
    TskTitleBarButton* custom = bar->Buttons()->Add();
    Solid red(9, 9, clRed);
    custom->SetPicNormal(red);
    custom->SetTop(7);
    bar->SetUIStyle(TskUIStyle::Protein);
    EXPECT_TRUE(custom->Transparent()) << "only transparency follows the theme";
    EXPECT_EQ(custom->Top(), 7);
    EXPECT_TRUE(SamePixels(*custom->PicNormal(), red));

    bar->SetUIStyle(TskUIStyle::MacOS);
    bar->SetCustom(true);
    bar->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(bar->Sections()->Items(0)->Picture()->Width(), 48);
    EXPECT_EQ(bar->LeftBtnXOffset(), 3);
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    EXPECT_TRUE(SamePixels(*bar->Buttons()->Items(1)->PicNormal(), MacOSButtonPicture(16)));
}

TEST_F(TitleBar, ASkinFileKeepsTheFontColourAndIsReadAgainWhenItsFileChanges) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    // A file whose 18 button pictures are 2 x 2 pixels of one colour.
    const auto write = [&](const std::string& name, uint32_t buttons) {
        const std::vector<uint8_t> bytes =
            BuildSkinImage({IntItem("TitleBarFontColor", -1), IntItem("ControlFontColor", 0x30000),
                            PictureItem("TitleBarLeftImage", MakeBitmapImage(30, 26, 0x00FF00)),
                            PictureItem("TitleBarButtonImage", MakeBitmapImage(36, 2, buttons))});
        const std::string path = std::string(dir) + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    };
    const std::string green = write("titlebar-green.skin", clLime),
                      red = write("titlebar-red.skin", clRed);
    auto* theme = new TskFileTheme(form.get());
    theme->SetThemeFile(green);
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    bar->Font()->SetColor(clRed);
    bar->SetFileTheme(theme);
    EXPECT_EQ(bar->Font()->Color(), clRed);
    EXPECT_EQ(bar->Height(), 26) << "the file's left picture";
    EXPECT_EQ(bar->Buttons()->Items(1)->PicNormal()->Pixel(0, 0), clLime);
    theme->SetThemeFile(red);
    EXPECT_EQ(bar->Buttons()->Items(1)->PicNormal()->Pixel(0, 0), clRed) << "not the old file's";
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(bar->Font()->Color(), clBlack) << "no TitleBarFontColor, ControlFontColor 0x30000";
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->Font()->Color(), clWhite) << "DeepBlue";
    std::remove(green.c_str());
    std::remove(red.c_str());
}

// ------------------------------------------------------------------ rules, copies, references

TEST_F(TitleBar, OnlyOneControlBoxAndOneClientSection) {
    TskTitleBar* bar = Make();
    TskTitleBarButton* box = bar->Buttons()->Items(0);
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    box->SetButtonType(skControlBox);
    close->SetButtonType(skControlBox);
    EXPECT_EQ(box->ButtonType(), skControlBox);
    EXPECT_EQ(close->ButtonType(), skClose);
    TskTitleBarSection* client = bar->Sections()->Items(2);
    client->SetAlign(skClient);
    bar->Sections()->Items(0)->SetAlign(skClient);
    EXPECT_EQ(bar->Sections()->Items(0)->Align(), skLeft);
    const std::string button =
        "Sorry, only one button's ButtonType property can be \"skControlBox\"";
    const std::string section = "Sorry, only one section's Align property can be \"skClient\"";
    EXPECT_EQ(refusals, (std::vector<std::string>{button, button, section, section}));
    client->SetStretch(false);
    EXPECT_TRUE(client->Stretch());
}

TEST_F(TitleBar, CopiesKeepEveryValueAndAMenuThatGoesAwayIsForgotten) {
    TskTitleBar* source = Make();
    TForm elsewhere(nullptr); // its menu's removal notice reaches no owner or sibling of the bars
    auto* menu = new TPopupMenu(&elsewhere);
    TskTitleBarButton* close = source->Buttons()->Items(1);
    close->SetTransparent(true);
    close->SetTop(9);
    close->SetPicMouseOn(Solid(17, 17, clLime));
    source->Buttons()->Items(0)->SetControlBoxMenu(menu);
    TskTitleBar* copy = Make();
    copy->SetButtons(*source->Buttons());
    copy->SetSections(*source->Sections());
    TskTitleBarButton* copied = copy->Buttons()->Items(1);
    EXPECT_TRUE(copied->Transparent()) << "the theme's is False";
    EXPECT_EQ(copied->Top(), 9);
    EXPECT_TRUE(SamePixels(*copied->PicMouseOn(), *close->PicMouseOn()));
    EXPECT_EQ(copy->Buttons()->Items(0)->ControlBoxMenu(), menu);
    EXPECT_EQ(copy->Sections()->Items(2)->Align(), skClient);
    EXPECT_TRUE(refusals.empty());
    delete menu;
    EXPECT_EQ(copy->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
    EXPECT_EQ(source->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
}

TEST_F(TitleBar, TheSystemMenuAlwaysReadsTheTitleBarsSkinFile) {
    TskTitleBar* bar = Make();
    TskTitleBarPopupMenu* menu = bar->SystemMenu();
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::MacOS);
    bar->SetCustom(true);
    auto* theme = new TskFileTheme(form.get());
    bar->SetFileTheme(theme);
    EXPECT_EQ(menu->FileTheme(), theme) << "also while Custom keeps everything else";
    delete theme;
    EXPECT_EQ(menu->FileTheme(), nullptr);
}

// ------------------------------------------------------------------ painting

TEST_F(TitleBar, ButtonsGoLeftwardsFromTheRightEdgeAndOnePixelInside) {
    TskTitleBar* bar = Make();
    bar->Buttons()->Items(2)->SetVisible(true);
    auto normal = [&](int i) -> TBitmap& { return *bar->Buttons()->Items(i)->PicNormal(); };
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_TRUE(DrawnAt(paint, 270 - 2 - 18, 4, normal(1))) << "close at 250";
    EXPECT_TRUE(DrawnAt(paint, 250 - 18, 4, normal(2)));
    EXPECT_TRUE(DrawnAt(paint, 232 - 18, 4, normal(3)));
    EXPECT_TRUE(DrawnAt(paint, 4, 3, normal(0))) << "control box a pixel higher";

    bar->SetRightBtnXOffset(12);
    Paint(bar, paint);
    EXPECT_TRUE(DrawnAt(paint, 270 - 17 - 1, 4, normal(1))) << "pulled back";
    EXPECT_TRUE(DrawnAt(paint, 252 - 18, 4, normal(2)));

    bar->SetRightBtnXOffset(-2);
    bar->SetButtonInterval(4);
    form->SideBorder = 5;
    Paint(bar, paint);
    EXPECT_TRUE(DrawnAt(paint, 270 - 2 + 5 - 22, 4, normal(1)));
    EXPECT_TRUE(DrawnAt(paint, 0, 3, normal(0))) << "3 - (5 - 1) is left of the edge";
}

TEST_F(TitleBar, OnASkinnedFormTheSectionsStartUnderTheFrameBorder) {
    TskTitleBar* bar = Make(200, MakeFrame());
    for (int i = 0; i < 4; ++i)
        bar->Buttons()->Items(i)->SetVisible(false);
    Solid left(20, 23, clRed), right(30, 23, clBlue);
    left.SetPixel(3, 3, clYellow);
    left.SetPixel(5, 3, clAqua);
    right.SetPixel(3, 3, clYellow);
    bar->Sections()->Items(0)->SetPicture(left);
    bar->Sections()->Items(1)->SetPicture(right);
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(0, 0), clYellow) << "no side border: from (-3, -3)";
    EXPECT_EQ(paint.Pixel(200 - 30 + 3 + 3, 0), clYellow);
    form->SideBorder = 5;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(0, 0), clAqua) << "side border 5: from (-5, -3)";
}

TEST_F(TitleBar, TheCaptionStartsAfterTheControlBoxOrAtTheLeftOffset) {
    TskTitleBar* bar = Make();
    ExpectCaption(bar, bar->Caption(), 4 + 17 + 5, clBlack);
    bar->Buttons()->Items(0)->SetVisible(false);
    bar->SetLeftBtnXOffset(0);
    ExpectCaption(bar, bar->Caption(), 1, clBlack);
    bar->SetLeftBtnXOffset(-1);
    ExpectCaption(bar, bar->Caption(), 6, clBlack);
}

TEST_F(TitleBar, ACaptionTooWideEndsInAnEllipsisOrIsLeftOut) {
    TskTitleBar* bar = Make(150);
    const int room = (150 - 2 - 18 - 18) - 26; // minimize's left edge less the caption's
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(*bar->Font());
    const std::string caption = bar->Caption();
    std::string expected;
    for (size_t n = caption.size(); n-- > 0 && expected.empty();)
        if (scratch.Canvas().TextWidth(caption.substr(0, n) + "...") <= room)
            expected = caption.substr(0, n) + "...";
    ASSERT_GT(expected.size(), 3u);
    ExpectCaption(bar, expected, 26, clBlack);
    ExpectCaption(Make(36), "", 0, clBlack); // not even "..." fits
}

TEST_F(TitleBar, AnInactiveWindowDrawsTheCaptionInTheInactiveCaptionColour) {
    TskTitleBar* bar = Make();
    bar->SetFormActive(false);
    ExpectCaption(bar, bar->Caption(), 26, clInactiveCaption);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    bar->SetFormActive(true);
    ExpectCaption(bar, bar->Caption(), 26, clBlack);
}

// ------------------------------------------------------------------ a stored description

TEST_F(TitleBar, AStoredButtonTakesItsStoredPicturesAfterTheThemes) {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    Solid normal(15, 13, clRed), on(15, 13, clLime), down(15, 13, clBlue), left(40, 25, clNavy);
    normal.SetPixel(0, 12, clFuchsia); // the transparent colour
    TForm root(nullptr);
    ReadComponentFromText(&root,
                          "object Form1: TForm\n"
                          "  object PopupMenu1: TPopupMenu\n  end\n"
                          "  object skTitleBar1: TskTitleBar\n"
                          "    UIStyle = MacOS\n"
                          "    Sections = <\n      item\n        AutoSize = True\n"
                          "        Width = 48\n        Picture = {" +
                              Hex(left) +
                              "}\n"
                              "      end>\n"
                              "    Buttons = <\n"
                              "      item\n        UIStyle = MacOS\n"
                              "        ButtonType = skControlBox\n"
                              "        ControlBoxMenu = PopupMenu1\n      end\n"
                              "      item\n        UIStyle = MacOS\n        ButtonType = skClose\n"
                              "        Transparent = True\n        Top = 4\n"
                              "        PicNormal = {" +
                              Hex(normal) +
                              "}\n"
                              "        PicMouseOn = {" +
                              Hex(on) +
                              "}\n"
                              "        PicMouseDown = {" +
                              Hex(down) +
                              "}\n"
                              "      end>\n"
                              "  end\n"
                              "end\n");
    auto* bar = dynamic_cast<TskTitleBar*>(root.FindComponent("skTitleBar1"));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Buttons()->Count(), 2);
    TskTitleBarButton* box = bar->Buttons()->Items(0);
    EXPECT_TRUE(SamePixels(*box->PicNormal(), MacOSButtonPicture(1))) << "none stored";
    EXPECT_EQ(box->ControlBoxMenu(), root.FindComponent("PopupMenu1"));
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    EXPECT_TRUE(close->Transparent()) << "stored after the style";
    EXPECT_TRUE(SamePixels(*close->PicNormal(), normal));
    EXPECT_TRUE(SamePixels(*close->PicMouseOn(), on));
    EXPECT_TRUE(SamePixels(*close->PicMouseDown(), down));
    EXPECT_EQ(bar->Sections()->Items(0)->Width(), 40);
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(0, 0), clNavy);
    EXPECT_EQ(paint.Pixel(bar->Width() - 2 - 16 + 7, 4 + 6), clRed);
}

// ------------------------------------------------------------------ handles

TEST(HandleCounts, CountTheIconsAndMenusOfTheProcess) {
    LoadIconA(nullptr, IDI_APPLICATION); // the shared system icon, once
    const int before = LiveUserObjects();
    std::vector<HICON> icons;
    for (int i = 0; i < 20; ++i)
        icons.push_back(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(LiveUserObjects(), before + 21);
    for (HICON icon : icons)
        DestroyIcon(icon);
    DestroyMenu(menu);
    EXPECT_EQ(LiveUserObjects(), before);
}

TEST_F(TitleBar, TenThousandPaintsWithTheApplicationIconKeepGdiAndUserObjectsFlat) {
    TApplication application;
    application.Icon().SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    TskTitleBar* bar = Make();
    bar->SetDrawAppIcon(true);
    TBitmap target(270, 23);
    HDC dc = target.Canvas().Handle();
    SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); // warm up
    const int gdi = LiveGdiObjects(), user = LiveUserObjects();
    for (int i = 0; i < 10000; ++i)
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveUserObjects(), user);
}
