// The skinned title bar on hidden forms far off the screen, so the pointer is
// never over it: style application, the button and section rules, off-screen
// paints checked against positions computed here, references that go away,
// the stored collections of a form description, and handle counts.

#include "framework/Application.h"
#include "framework/FormReader.h"
#include "framework/Menus.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "skin/SkinTitleBar.h"
#include "tests/support/Pixels.h"
#include "tests/support/StandInSkinForm.h"
#include "tests/support/GdiCount.h"
#include "tests/support/UserCount.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// A form that answers the frame's side-border question and notes the
// non-client mouse messages it gets.
class TProbeForm : public TForm {
  public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) {}
    int SideBorder = 0;
    std::vector<UINT> NonClient;
    int CloseQueries = 0;
    void WndProc(TMessage& message) override {
        if (message.Msg == SKM_SIDEBORDERWIDTH) {
            message.Result = SideBorder;
            return;
        }
        if (message.Msg == WM_NCMOUSEMOVE || message.Msg == WM_NCLBUTTONUP) {
            NonClient.push_back(message.Msg);
            message.Result = 0x1234;
            return;
        }
        TForm::WndProc(message);
    }
};

// A popup menu that notes where it would open instead of opening.
class TRecordingMenu : public TPopupMenu {
  public:
    explicit TRecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
    std::vector<TPoint> Popups;
    void Popup(int x, int y) override { Popups.push_back(TPoint{x, y}); }
};

struct Solid : TBitmap {
    Solid(int width, int height, TColor color) : TBitmap(width, height) {
        Canvas().Brush().SetColor(color);
        Canvas().FillRect(Rect(0, 0, width, height));
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
            SetSkinRefusalDialog([this](const std::string& text) { refusals.push_back(text); });
        form = std::make_unique<TProbeForm>(nullptr);
        form->SetBounds(-4000, -4000, 400, 200);
        form->HandleNeeded();
    }
    void TearDown() override {
        form.reset();
        SetSkinRefusalDialog(previousDialog);
    }
    // A title bar of the given width on the form (or on a stand-in frame).
    TskTitleBar* Make(int width = 270, TWinControl* parent = nullptr) {
        auto* bar = new TskTitleBar(parent ? static_cast<TComponent*>(parent) : form.get());
        bar->SetParent(parent ? parent : form.get());
        bar->SetAlign(alNone);
        bar->SetWidth(width);
        return bar;
    }
    // The program's title bar: MacOS, control box, close, hidden maximize, minimize.
    TskTitleBar* MakeProgramBar(int width = 270) {
        TskTitleBar* bar = Make(width);
        bar->SetUIStyle(TskUIStyle::MacOS);
        bar->Buttons()->Items(2)->SetVisible(false);
        bar->SetCaption("MOXEL Utility V1.2 20080204");
        return bar;
    }
    TskForm* MakeFrame() {
        auto* frame = new TskForm(form.get());
        frame->SetParent(form.get());
        frame->SetBounds(0, 0, 300, 150);
        return frame;
    }
    // One paint through the title bar's own paint cycle, into a bitmap.
    static void Paint(TskTitleBar* bar, TBitmap& into) {
        into.SetSize(bar->Width(), bar->Height());
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()), 0);
    }
    // What the paint must look like: the captionless paint with text drawn
    // in the title bar's font at (x, y).
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
        const int y = bar->ButtonTop() + (bar->CaptionBandHeight() - canvas.TextHeight(text)) / 2;
        canvas.TextOut(x, y, text);
        EXPECT_TRUE(SamePixels(actual, expected)) << "'" << text << "' at " << x << ", " << y;
    }
    std::unique_ptr<TProbeForm> form;
    std::vector<std::string> refusals;
    TSkinRefusalDialog previousDialog;
};

} // namespace

// ------------------------------------------------------------------ style application

TEST_F(TitleBar, ANewTitleBarHoldsControlBoxCloseMaximizeMinimizeAndTakesDeepBlue) {
    auto* bar = new TskTitleBar(form.get());
    EXPECT_EQ(bar->Align(), alTop);
    bar->SetParent(form.get());
    ASSERT_EQ(bar->Buttons()->Count(), 4);
    const TskTitleBarBtnType order[] = {skControlBox, skClose, skMax, skMin};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->Buttons()->Items(i)->ButtonType(), order[i]) << i;
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(bar->Font()->Name(), "Tahoma");
    EXPECT_EQ(bar->Font()->Style(), FontStyle(fsBold));
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    EXPECT_TRUE(bar->FormActive());
    EXPECT_EQ(bar->HotButton(), -1);
    EXPECT_TRUE(bar->SectionsComplete());
    EXPECT_EQ(bar->Height(), 32) << "the DeepBlue title pictures are 32 high";
}

TEST_F(TitleBar, MacOSOnAnOrdinaryFormGivesItsOffsetsPicturesAndBlackCaption) {
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(bar->LeftBtnXOffset(), 3);
    EXPECT_EQ(bar->RightBtnXOffset(), -2);
    EXPECT_EQ(bar->ButtonTop(), 4);
    EXPECT_EQ(bar->CaptionBandHeight(), 17);
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_EQ(bar->RoundCorner(), 0);
    EXPECT_EQ(bar->RoundCornerBottom(), 0);
    EXPECT_EQ(form->Constraints()->MinWidth(), 130);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    const int widths[] = {48, 48, 49};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar->Sections()->Items(i)->Picture()->Width(), widths[i]);
        EXPECT_EQ(bar->Sections()->Items(i)->Picture()->Height(), 23);
    }
    EXPECT_EQ(bar->Sections()->Items(0)->Width(), 48) << "AutoSize";
    EXPECT_EQ(bar->Sections()->Items(1)->Align(), skRight);
    EXPECT_EQ(bar->Sections()->Items(2)->Align(), skClient);
    EXPECT_TRUE(bar->Sections()->Items(2)->Stretch());
    // Each button holds its three pictures of the 306 x 17 strip.
    TBitmap expected;
    const int first[] = {1, 16, 7, 13};
    for (int i = 0; i < 4; ++i) {
        TskTitleBarButton* b = bar->Buttons()->Items(i);
        EXPECT_EQ(b->UIStyle(), TskUIStyle::MacOS);
        EXPECT_EQ(b->Top(), 4);
        EXPECT_FALSE(b->Transparent());
        TBitmap* pictures[] = {b->PicNormal(), b->PicMouseOn(), b->PicMouseDown()};
        for (int k = 0; k < 3; ++k) {
            GetThemeImage(TskUIStyle::MacOS, ThemeElement::TitleBarButtonImage, &expected, 18,
                          first[i] + k);
            EXPECT_TRUE(SamePixels(*pictures[k], expected)) << "button " << i << ", picture " << k;
        }
    }
    bar->SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    EXPECT_EQ(bar->RoundCorner(), 11);
    EXPECT_EQ(form->Constraints()->MinWidth(), 270);
    EXPECT_TRUE(bar->Buttons()->Items(1)->Transparent());
    EXPECT_EQ(bar->Buttons()->Items(1)->Top(), 6);
}

TEST_F(TitleBar, OnASkinnedFormTheButtonsAndHeightMoveUpThreePixels) {
    TskForm* frame = MakeFrame();
    TskTitleBar* bar = Make(270, frame);
    EXPECT_TRUE(bar->IsOnSkinnedForm());
    bar->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(bar->ButtonTop(), 1);
    EXPECT_EQ(bar->Height(), 20);
    EXPECT_EQ(bar->Buttons()->Items(1)->Top(), 4) << "the stored Top stays the theme's";
}

TEST_F(TitleBar, CustomKeepsSectionsOffsetsPicturesAndFontColour) {
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::MacOS);
    bar->SetCustom(true);
    TBitmap close;
    close.Assign(*bar->Buttons()->Items(1)->PicNormal());
    bar->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(bar->Sections()->Items(0)->Picture()->Width(), 48);
    EXPECT_EQ(bar->LeftBtnXOffset(), 3);
    EXPECT_EQ(bar->ButtonTop(), 4);
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    EXPECT_EQ(bar->Buttons()->Items(1)->UIStyle(), TskUIStyle::MacOS);
    EXPECT_TRUE(SamePixels(*bar->Buttons()->Items(1)->PicNormal(), close));
}

TEST_F(TitleBar, ACustomButtonKeepsItsPicturesAndTopAndFollowsOnlyTransparency) {
    TskTitleBar* bar = Make();
    TskTitleBarButton* custom = bar->Buttons()->Add();
    EXPECT_EQ(custom->ButtonType(), skCustom);
    EXPECT_EQ(custom->Top(), 2);
    EXPECT_TRUE(custom->PicNormal()->Empty());
    Solid red(9, 9, clRed);
    custom->SetPicNormal(red);
    custom->SetTop(7);
    bar->SetUIStyle(TskUIStyle::Protein);
    EXPECT_TRUE(custom->Transparent());
    EXPECT_EQ(custom->Top(), 7);
    EXPECT_TRUE(SamePixels(*custom->PicNormal(), red));
    bar->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_FALSE(custom->Transparent());
}

TEST_F(TitleBar, AssignedFileThemeKeepsTheFontColourAndAssignedStyleResetsIt) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "titlebar-font.skin";
    {
        const std::vector<uint8_t> bytes =
            BuildSkinImage({IntItem("TitleBarFontColor", -1), IntItem("ControlFontColor", 0x30000),
                            PictureItem("TitleBarLeftImage", MakeBitmapImage(30, 26, 0x00FF00)),
                            IntItem("TitleBarButtonTopInt", 7)});
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    auto* theme = new TskFileTheme(form.get());
    theme->SetThemeFile(path);
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    bar->Font()->SetColor(clRed);
    bar->SetFileTheme(theme);
    EXPECT_EQ(bar->Font()->Color(), clRed) << "a file theme keeps the font colour";
    EXPECT_EQ(bar->Height(), 26) << "the file's left picture";
    EXPECT_EQ(bar->ButtonTop(), 7);
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(bar->Font()->Color(), clBlack) << "no TitleBarFontColor, ControlFontColor 0x30000";
    bar->SetUIStyle(TskUIStyle::DeepBlue);
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    std::remove(path.c_str());
}

// ------------------------------------------------------------------ button and section rules

TEST_F(TitleBar, ASecondControlBoxIsRefusedAndTheTypeStays) {
    TskTitleBar* bar = Make();
    TskTitleBarButton* box = bar->Buttons()->Items(0);
    box->SetButtonType(skControlBox);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0], "Sorry, only one button's ButtonType property can be \"skControlBox\"");
    EXPECT_EQ(box->ButtonType(), skControlBox);
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    close->SetButtonType(skControlBox);
    EXPECT_EQ(refusals.size(), 2u);
    EXPECT_EQ(close->ButtonType(), skClose);
    box->SetButtonType(skHelp);
    close->SetButtonType(skControlBox);
    EXPECT_EQ(refusals.size(), 2u) << "with the first one gone, another may be the control box";
    EXPECT_EQ(close->ButtonType(), skControlBox);
}

TEST_F(TitleBar, ASecondClientSectionIsRefusedAndAClientSectionAlwaysStretches) {
    TskTitleBar* bar = Make();
    TskTitleBarSection* client = bar->Sections()->Items(2);
    client->SetAlign(skClient);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0], "Sorry, only one section's Align property can be \"skClient\"");
    TskTitleBarSection* left = bar->Sections()->Items(0);
    left->SetAlign(skClient);
    EXPECT_EQ(refusals.size(), 2u);
    EXPECT_EQ(left->Align(), skLeft);
    EXPECT_FALSE(left->Stretch()) << "a refused Align changes nothing";
    client->SetStretch(false);
    EXPECT_TRUE(client->Stretch());
    left->SetStretch(true);
    left->SetStretch(false);
    EXPECT_FALSE(left->Stretch());
}

TEST_F(TitleBar, ASectionTakesItsPicturesWidthOnlyWhileAutoSized) {
    TskTitleBar* bar = Make();
    TskTitleBarSection* section = bar->Sections()->Add();
    EXPECT_EQ(section->Width(), 10);
    section->SetPicture(Solid(30, 5, clBlue));
    EXPECT_EQ(section->Width(), 10);
    section->SetAutoSize(true);
    EXPECT_EQ(section->Width(), 30);
    section->SetWidth(12);
    section->SetAutoSize(false);
    EXPECT_EQ(section->Width(), 30) << "clearing AutoSize also takes the picture's width";
    section->SetAutoSize(true);
    section->SetPicture(Solid(44, 5, clBlue));
    EXPECT_EQ(section->Width(), 44);
}

TEST_F(TitleBar, CopiedCollectionsKeepEveryValueAndPicture) {
    TskTitleBar* source = Make();
    source->SetUIStyle(TskUIStyle::MacOS);
    auto* menu = new TPopupMenu(nullptr);
    TskTitleBarButton* close = source->Buttons()->Items(1);
    close->SetTransparent(true);
    close->SetTop(9);
    close->SetPicMouseOn(Solid(17, 17, clLime));
    source->Buttons()->Items(0)->SetControlBoxMenu(menu);
    source->Sections()->Items(0)->SetWidth(5);

    TskTitleBar* copy = Make();
    copy->SetButtons(*source->Buttons());
    copy->SetSections(*source->Sections());
    EXPECT_TRUE(refusals.empty());
    ASSERT_EQ(copy->Buttons()->Count(), 4);
    TskTitleBarButton* copied = copy->Buttons()->Items(1);
    EXPECT_EQ(copied->ButtonType(), skClose);
    EXPECT_EQ(copied->UIStyle(), TskUIStyle::MacOS);
    EXPECT_TRUE(copied->Transparent());
    EXPECT_EQ(copied->Top(), 9);
    EXPECT_TRUE(SamePixels(*copied->PicMouseOn(), *close->PicMouseOn()));
    EXPECT_TRUE(SamePixels(*copied->PicNormal(), *close->PicNormal()));
    EXPECT_EQ(copy->Buttons()->Items(0)->ControlBoxMenu(), menu);
    ASSERT_EQ(copy->Sections()->Count(), 3);
    EXPECT_EQ(copy->Sections()->Items(0)->Width(), 48) << "AutoSize comes last and sizes again";
    EXPECT_EQ(copy->Sections()->Items(2)->Align(), skClient);
    EXPECT_TRUE(SamePixels(*copy->Sections()->Items(2)->Picture(),
                           *source->Sections()->Items(2)->Picture()));
    delete menu;
    EXPECT_EQ(copy->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
    EXPECT_EQ(source->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
}

TEST_F(TitleBar, AControlBoxMenuThatGoesAwayIsForgotten) {
    TskTitleBar* bar = Make();
    // Owned elsewhere: its removal notice reaches neither the title bar's owner nor its siblings.
    TForm other(nullptr);
    auto* menu = new TRecordingMenu(&other);
    bar->Buttons()->Items(0)->SetControlBoxMenu(menu);
    delete menu;
    EXPECT_EQ(bar->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
    bar->Buttons()->Items(0)->DoAction(); // nothing to pop up, nothing freed touched
}

TEST_F(TitleBar, TheControlBoxMenuOpensBelowTheTitleBarAndNeverLeftOfTheScreen) {
    TskTitleBar* bar = Make();
    auto* menu = new TRecordingMenu(form.get());
    bar->Buttons()->Items(0)->SetControlBoxMenu(menu);
    bar->Buttons()->Items(0)->DoAction();
    ASSERT_EQ(menu->Popups.size(), 1u);
    EXPECT_EQ(menu->Popups[0].X, 0) << "the title bar lies left of the screen";
    EXPECT_EQ(menu->Popups[0].Y, bar->ClientToScreen(TPoint{0, bar->Height()}).Y);
}

TEST_F(TitleBar, ActionsOfATitleBarWithoutAFormDoNothing) {
    auto* bar = new TskTitleBar(form.get());
    for (int i = 0; i < bar->Buttons()->Count(); ++i)
        bar->Buttons()->Items(i)->DoAction();
    TskTitleBarButtons loose(nullptr);
    TskTitleBarButton* button = loose.Add();
    button->SetButtonType(skClose);
    EXPECT_EQ(button->PicNormal()->Width(), 19) << "a loose button reads DeepBlue by itself";
    button->DoAction();
    bar->SystemMenu()->MinimizeClick(nullptr);
    bar->SystemMenu()->MaximizeRestoreClick(nullptr);
    bar->SystemMenu()->CloseClick(nullptr);
    delete bar;
}

TEST_F(TitleBar, TheSystemMenuFollowsTheStyleAndAlwaysTheSkinFileOfItsTitleBar) {
    TskTitleBar* bar = Make();
    TskTitleBarPopupMenu* menu = bar->SystemMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->TitleBar(), bar);
    EXPECT_EQ(menu->Owner(), bar);
    bar->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    bar->SetCustom(true);
    auto* theme = new TskFileTheme(form.get());
    bar->SetFileTheme(theme);
    EXPECT_EQ(menu->FileTheme(), theme) << "also while Custom keeps everything else";
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::MacOS);
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(menu->FileTheme(), nullptr);
}

TEST_F(TitleBar, CloseAsksTheFormToClose) {
    form->OnCloseQuery = [this](TObject*, bool& canClose) {
        ++form->CloseQueries;
        canClose = false;
    };
    TskTitleBar* bar = Make();
    bar->Buttons()->Items(1)->DoAction();
    EXPECT_EQ(form->CloseQueries, 1);
    bar->SystemMenu()->CloseClick(nullptr);
    EXPECT_EQ(form->CloseQueries, 2);
}

TEST_F(TitleBar, NonClientMouseMessagesGoOnToTheForm) {
    TskTitleBar* bar = Make();
    EXPECT_EQ(SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(5, 6)), 0x1234);
    SendMessageA(bar->Handle(), WM_NCLBUTTONUP, HTCAPTION, 0);
    EXPECT_EQ(form->NonClient, (std::vector<UINT>{WM_NCMOUSEMOVE, WM_NCLBUTTONUP}));
}

// ------------------------------------------------------------------ painting

TEST_F(TitleBar, RightButtonsAreDrawnFromTheRightEdgeInCollectionOrder) {
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::MacOS);
    TBitmap paint;
    Paint(bar, paint);
    ASSERT_EQ(paint.Width(), 270);
    auto picture = [&](int i) { return bar->Buttons()->Items(i)->PicNormal(); };
    EXPECT_TRUE(DrawnAt(paint, 270 - 2 - 18, 4, *picture(1))) << "close at 250";
    EXPECT_TRUE(DrawnAt(paint, 250 - 18, 4, *picture(2))) << "maximize left of it";
    EXPECT_TRUE(DrawnAt(paint, 232 - 18, 4, *picture(3))) << "minimize left of that";
    EXPECT_TRUE(DrawnAt(paint, 4, 3, *picture(0))) << "control box at the left, a pixel higher";
    EXPECT_EQ(bar->HotButton(), -1);

    bar->Buttons()->Items(2)->SetVisible(false);
    bar->SetButtonInterval(4);
    form->SideBorder = 5;
    Paint(bar, paint);
    const int close = 270 - 2 + 5 - (17 + 4 + 1);
    EXPECT_TRUE(DrawnAt(paint, close, 4, *picture(1)));
    EXPECT_TRUE(DrawnAt(paint, close - 22, 4, *picture(3))) << "the hidden maximize takes no place";
    EXPECT_TRUE(DrawnAt(paint, 0, 3, *picture(0))) << "3 - (5 - 1) is left of the edge: 0";
}

TEST_F(TitleBar, AButtonThatWouldStickOutIsPulledBackOnePixelInside) {
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::MacOS);
    bar->SetRightBtnXOffset(12);
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_TRUE(DrawnAt(paint, 270 - 17 - 1, 4, *bar->Buttons()->Items(1)->PicNormal()));
    EXPECT_TRUE(DrawnAt(paint, 252 - 18, 4, *bar->Buttons()->Items(2)->PicNormal()));
}

TEST_F(TitleBar, TransparentButtonsLeaveTheirCornerColourOut) {
    TskTitleBar* bar = Make();
    bar->SetUIStyle(TskUIStyle::MacOS);
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    Solid picture(17, 17, clFuchsia);
    picture.SetPixel(8, 8, clNavy);
    close->SetPicNormal(picture);
    close->SetTransparent(true);
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(258, 12), clNavy);
    EXPECT_NE(paint.Pixel(251, 5), clFuchsia) << "the title picture shows through";
}

TEST_F(TitleBar, SectionsAreDrawnLeftRightAndStretchedBetweenByTheirPlaceAlone) {
    TskTitleBar* bar = Make(200);
    bar->SetUIStyle(TskUIStyle::MacOS);
    bar->SetCustom(true);
    for (int i = 0; i < 4; ++i)
        bar->Buttons()->Items(i)->SetVisible(false);
    Solid left(20, 23, clRed), right(30, 23, clBlue), client(3, 23, clLime);
    bar->Sections()->Items(0)->SetPicture(left);
    bar->Sections()->Items(1)->SetPicture(right);
    bar->Sections()->Items(2)->SetPicture(client);
    bar->Sections()->Items(0)->SetAlign(skRight); // the place decides, not Align
    TBitmap paint;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(0, 0), clRed);
    EXPECT_EQ(paint.Pixel(19, 22), clRed);
    EXPECT_EQ(paint.Pixel(20, 10), clLime);
    EXPECT_EQ(paint.Pixel(169, 10), clLime);
    EXPECT_EQ(paint.Pixel(170, 10), clBlue);
    EXPECT_EQ(paint.Pixel(199, 22), clBlue);
}

TEST_F(TitleBar, OnASkinnedFormTheSectionsStartUnderTheFrameBorder) {
    TskForm* frame = MakeFrame();
    TskTitleBar* bar = Make(200, frame);
    bar->SetCustom(true);
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
    EXPECT_EQ(paint.Pixel(0, 0), clYellow) << "no side border: origin (-3, -3)";
    EXPECT_EQ(paint.Pixel(200 - 30 + 3 + 3, 0), clYellow);
    form->SideBorder = 5;
    Paint(bar, paint);
    EXPECT_EQ(paint.Pixel(0, 0), clAqua) << "side border 5: origin (-5, -3)";
}

TEST_F(TitleBar, TheCaptionFollowsTheControlBoxOrTheLeftOffset) {
    TskTitleBar* bar = MakeProgramBar();
    ExpectCaption(bar, "MOXEL Utility V1.2 20080204", 4 + 17 + 5, clBlack);
    bar->Buttons()->Items(0)->SetVisible(false);
    bar->SetLeftBtnXOffset(0);
    ExpectCaption(bar, "MOXEL Utility V1.2 20080204", 1, clBlack);
    bar->SetLeftBtnXOffset(-1);
    ExpectCaption(bar, "MOXEL Utility V1.2 20080204", 6, clBlack);
}

TEST_F(TitleBar, ACaptionTooWideEndsInAnEllipsisAndNoneIsDrawnWhereNotEvenThatFits) {
    TskTitleBar* bar = MakeProgramBar(150);
    // Close at 150 - 2 - 18 = 130, minimize at 112; the caption starts at 26.
    const int room = 112 - 26;
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(*bar->Font());
    const std::string caption = bar->Caption();
    ASSERT_GT(scratch.Canvas().TextWidth(caption), room);
    std::string expected;
    for (size_t n = caption.size(); n-- > 0 && expected.empty();)
        if (scratch.Canvas().TextWidth(caption.substr(0, n) + "...") <= room)
            expected = caption.substr(0, n) + "...";
    ASSERT_GT(expected.size(), 3u);
    ExpectCaption(bar, expected, 26, clBlack);

    // 36 - 2 - 18 = 16 for close and -2 for minimize: even "..." is too wide.
    TskTitleBar* narrow = MakeProgramBar(36);
    TBitmap with, without;
    Paint(narrow, with);
    narrow->SetCaption("");
    Paint(narrow, without);
    EXPECT_TRUE(SamePixels(with, without));
}

TEST_F(TitleBar, AnInactiveWindowDrawsTheCaptionInTheInactiveCaptionColour) {
    TskTitleBar* bar = MakeProgramBar();
    bar->SetFormActive(false);
    ExpectCaption(bar, bar->Caption(), 26, clInactiveCaption);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    bar->SetFormActive(true);
    ExpectCaption(bar, bar->Caption(), 26, clBlack);
}

TEST_F(TitleBar, TheApplicationIconTakesTheControlBoxPlace) {
    TApplication application;
    application.Icon().SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    TskTitleBar* bar = MakeProgramBar();
    TBitmap plain;
    Paint(bar, plain);
    bar->SetDrawAppIcon(true);
    ExpectCaption(bar, bar->Caption(), 4 + 21, clBlack);
    TBitmap drawn;
    Paint(bar, drawn);
    bool differs = false;
    for (int y = 4; y < 20; ++y)
        for (int x = 7; x < 23; ++x)
            differs = differs || drawn.Pixel(x, y) != plain.Pixel(x, y);
    EXPECT_TRUE(differs) << "the icon at (4 + 3, 4)";
}

// ------------------------------------------------------------------ stored in a form description

TEST_F(TitleBar, AStoredButtonLoadsItsThemePicturesFirstThenTakesItsStoredOnes) {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    // Transparent: the bottom-left colour is left out.
    Solid normal(15, 13, clRed), on(15, 13, clLime), down(15, 13, clBlue);
    normal.SetPixel(0, 12, clFuchsia);
    Solid left(40, 25, clNavy), right(40, 25, clTeal), client(4, 25, clGray);
    const std::string text = "object Form1: TForm\n"
                             "  object PopupMenu1: TPopupMenu\n"
                             "  end\n"
                             "  object skTitleBar1: TskTitleBar\n"
                             "    UIStyle = MacOS\n"
                             "    Sections = <\n"
                             "      item\n"
                             "        AutoSize = True\n"
                             "        Width = 48\n"
                             "        Picture = {" +
                             Hex(left) +
                             "}\n"
                             "      end\n"
                             "      item\n"
                             "        AutoSize = True\n"
                             "        Align = skRight\n"
                             "        Picture = {" +
                             Hex(right) +
                             "}\n"
                             "      end\n"
                             "      item\n"
                             "        Align = skClient\n"
                             "        Picture = {" +
                             Hex(client) +
                             "}\n"
                             "        Stretch = True\n"
                             "      end>\n"
                             "    Buttons = <\n"
                             "      item\n"
                             "        UIStyle = MacOS\n"
                             "        ButtonType = skControlBox\n"
                             "        Top = 4\n"
                             "        ControlBoxMenu = PopupMenu1\n"
                             "      end\n"
                             "      item\n"
                             "        UIStyle = MacOS\n"
                             "        ButtonType = skClose\n"
                             "        Transparent = True\n"
                             "        Top = 4\n"
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
                             "    Caption = 'MOXEL Utility V1.2 20080204'\n"
                             "  end\n"
                             "end\n";
    TForm root(nullptr);
    ReadComponentFromText(&root, text);
    auto* bar = dynamic_cast<TskTitleBar*>(root.FindComponent("skTitleBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Parent(), &root);
    ASSERT_EQ(bar->Buttons()->Count(), 2);
    TskTitleBarButton* box = bar->Buttons()->Items(0);
    TBitmap theme;
    GetThemeImage(TskUIStyle::MacOS, ThemeElement::TitleBarButtonImage, &theme, 18, 1);
    EXPECT_TRUE(SamePixels(*box->PicNormal(), theme)) << "no stored picture: the theme's";
    EXPECT_EQ(box->ControlBoxMenu(), root.FindComponent("PopupMenu1"));
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    EXPECT_EQ(close->ButtonType(), skClose);
    EXPECT_TRUE(close->Transparent()) << "stored after the style, so it wins";
    EXPECT_TRUE(SamePixels(*close->PicNormal(), normal));
    EXPECT_TRUE(SamePixels(*close->PicMouseOn(), on));
    EXPECT_TRUE(SamePixels(*close->PicMouseDown(), down));
    ASSERT_EQ(bar->Sections()->Count(), 3);
    EXPECT_EQ(bar->Sections()->Items(0)->Width(), 40) << "the stored picture's width (AutoSize)";
    EXPECT_TRUE(SamePixels(*bar->Sections()->Items(1)->Picture(), right));
    EXPECT_EQ(bar->Sections()->Items(2)->Align(), skClient);
    EXPECT_TRUE(refusals.empty());
    TBitmap paint;
    Paint(bar, paint);
    const int x = bar->Width() - 2 - 16;
    EXPECT_EQ(paint.Pixel(x + 7, 4 + 6), clRed);
    EXPECT_EQ(paint.Pixel(0, 0), clNavy);
}

// ------------------------------------------------------------------ handles

TEST(HandleCounts, CountIconsMenusAndWindowsOfTheProcess) {
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
    TskTitleBar* bar = MakeProgramBar();
    bar->SetDrawAppIcon(true);
    bar->Buttons()->Items(2)->SetVisible(true);
    TBitmap target(270, 23);
    HDC dc = target.Canvas().Handle();
    SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); // warm up
    const int gdi = LiveGdiObjects(), user = LiveUserObjects();
    for (int i = 0; i < 10000; ++i)
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveUserObjects(), user);
}
