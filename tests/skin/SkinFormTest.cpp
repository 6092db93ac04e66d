// The skinned frame on hidden forms off the screen: taking the form over and
// giving it back, the non-client size rule, the property writers, the style
// application from built-in themes and skin files, the client background,
// the menu bar, and handle counts over many paints and style switches.

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "skin/SkinButton.h"
#include "skin/SkinForm.h"
#include "skin/SkinFormLayout.h"
#include "skin/SkinMgr.h"
#include "skin/SkinPublic.h"
#include "skin/SkinRadioGroup.h"
#include "skin/SkinThemes.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/GdiCount.h"
#include "tests/support/SkinFiles.h"
#include "tests/support/UserCount.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const OnlyOneFrame = "Sorry, You can create only one TskForm component in one form!";
const char* const NotTheFrame = "Sorry, you can't select the Form assign to FormPanel property";

// The client rectangle of window, in window coordinates.
RECT ClientInWindow(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    return client;
}

// WM_NCCALCSIZE for a window proposed at rect; the first rectangle it leaves.
RECT NcCalcSize(HWND window, WPARAM wParam, RECT proposed) {
    WINDOWPOS pos{};
    pos.hwnd = window;
    pos.x = proposed.left;
    pos.y = proposed.top;
    pos.cx = proposed.right - proposed.left;
    pos.cy = proposed.bottom - proposed.top;
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = params.rgrc[1] = params.rgrc[2] = proposed;
    params.lppos = &pos;
    SendMessageA(window, WM_NCCALCSIZE, wParam, reinterpret_cast<LPARAM>(&params));
    return params.rgrc[0];
}

// The frame the system itself keeps around the client area of window.
RECT SystemFrame(HWND window) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, GetWindowLongA(window, GWL_STYLE), FALSE,
                       GetWindowLongA(window, GWL_EXSTYLE));
    return frame;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A component that can be given to the FormPanel property.
class TTestPanel : public TPanel {
  public:
    using TPanel::TPanel;
};

class Frame : public testing::Test {
  protected:
    void SetUp() override {
        previousDialog =
            SetSkinRefusalDialog([this](const std::string& text) { refusals.push_back(text); });
        form = MakeForm();
    }
    void TearDown() override {
        form.reset();
        SetSkinRefusalDialog(previousDialog);
    }
    // A hidden dialog far off the screen, window made, as a form description has it.
    static std::unique_ptr<TForm> MakeForm() {
        auto made = std::make_unique<TForm>(nullptr);
        made->SetBorderStyle(bsDialog);
        made->SetBounds(-4000, -4000, 276, 243);
        made->SetCaption("Probe");
        made->HandleNeeded();
        return made;
    }
    TskForm* MakeFrame(TCustomForm* on = nullptr) {
        TCustomForm* owner = on ? on : form.get();
        auto* frame = new TskForm(owner);
        frame->SetParent(owner);
        return frame;
    }
    // Notes what reaches the form's procedure from here on; made before the
    // frame, it sits below the frame's hook.
    void RecordBelowTheFrame() {
        auto inner = form->WindowProc;
        form->WindowProc = [this, inner](TMessage& message) {
            reached.push_back(message.Msg);
            inner(message);
        };
    }
    bool Reached(UINT msg) const {
        for (UINT m : reached)
            if (m == msg) return true;
        return false;
    }
    HWND Window() { return form->Handle(); }
    LONG Style() { return GetWindowLongA(Window(), GWL_STYLE); }
    std::string WriteSkin(const std::string& name, const std::vector<SkinFileItem>& items) {
        return skinFiles.Write(name, items);
    }
    TskFileTheme* LoadSkin(const std::string& name, const std::vector<SkinFileItem>& items) {
        auto* theme = new TskFileTheme(form.get());
        theme->SetThemeFile(WriteSkin(name, items));
        return theme;
    }
    std::unique_ptr<TForm> form;
    std::vector<UINT> reached;
    std::vector<std::string> refusals;
    TTempSkinFiles skinFiles;
    TSkinRefusalDialog previousDialog;
};

// A skin file's picture entry of one colour.
SkinFileItem Picture(const std::string& name, int width, int height, uint32_t color) {
    return PictureItem(name, MakeBitmapImage(width, height, color));
}

} // namespace

// ------------------------------------------------------------------ taking over and giving back

TEST_F(Frame, TakesOverTheFormItsCaptionProcedureAndLayout) {
    form->SetBorderStyle(bsSingle);
    form->SetAutoScroll(true);
    form->SetBorderWidth(4);
    ASSERT_TRUE(Style() & WS_CAPTION);
    TskForm* frame = MakeFrame();
    EXPECT_EQ(Style() & WS_CAPTION, 0) << "no system caption";
    EXPECT_EQ(form->BorderStyle(), bsDialog) << "a single border becomes a dialog frame";
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_FALSE(form->Scaled());
    EXPECT_EQ(form->BorderWidth(), 0);
    EXPECT_EQ(form->Constraints()->MinHeight(), 50);
    EXPECT_EQ(frame->OwnerForm(), form.get());
    EXPECT_EQ(frame->Align(), alClient);
    EXPECT_EQ(frame->Text(), " ");
    ASSERT_NE(frame->TitleBar(), nullptr);
    EXPECT_EQ(frame->TitleBar()->Parent(), frame);
    EXPECT_EQ(frame->TitleBar()->Top(), 0);
    EXPECT_TRUE(frame->TitleBarVisible());
    EXPECT_EQ(frame->Caption(), "Probe") << "the form's caption";
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TskUIStyle::DeepBlue);
    const RECT client = ClientInWindow(Window());
    EXPECT_EQ(frame->Width(), client.right - client.left) << "fills the client area";
    EXPECT_EQ(frame->Height(), client.bottom - client.top);
}

TEST_F(Frame, ASecondFrameIsRefusedAndTheFirstStaysInCharge) {
    TskForm* first = MakeFrame();
    first->SetUIStyle(TskUIStyle::MacOS);
    const RECT before = ClientInWindow(Window());
    try {
        new TskForm(form.get());
        FAIL() << "a second frame was made";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), OnlyOneFrame);
    }
    EXPECT_EQ(Style() & WS_CAPTION, 0) << "the caption stays away";
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_TRUE(SameRect(ClientInWindow(Window()), before))
        << "the first frame's rule still applies";
    int frames = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        frames += dynamic_cast<TskForm*>(form->Components(i)) != nullptr;
    EXPECT_EQ(frames, 1);
}

TEST_F(Frame, ANotYetPlacedFrameIsCountedToo) {
    new TskForm(form.get());
    EXPECT_THROW(new TskForm(form.get()), Exception);
}

TEST_F(Frame, OwnedByAnythingButAFormItStaysAPlainPanel) {
    auto* holder = new TPanel(form.get());
    holder->SetParent(form.get());
    auto* frame = new TskForm(holder);
    frame->SetParent(holder);
    EXPECT_EQ(frame->TitleBar(), nullptr);
    EXPECT_EQ(frame->OwnerForm(), nullptr);
    EXPECT_TRUE(Style() & WS_CAPTION) << "the form is not touched";
    EXPECT_EQ(SendMessageA(Window(), SKM_SIDEBORDERWIDTH, 0, 0), 0);
    // Everything that needs a form does nothing.
    frame->PaintFrame();
    frame->UpdateRegion();
    frame->SetBorderWidth(3);
    frame->SetRoundCorner(11);
    frame->SetTitleBarVisible(false);
    EXPECT_EQ(frame->TitleBarButtons()->Count(), 0);
    EXPECT_EQ(frame->Caption(), "");
    TBitmap target(frame->Width(), frame->Height());
    SendMessageA(frame->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
}

TEST_F(Frame, FreeingTheFrameGivesTheFormBackItsCaptionAndProcedure) {
    RecordBelowTheFrame();
    TskForm* frame = MakeFrame();
    frame->SetUIStyle(TskUIStyle::MacOS);
    delete frame;
    EXPECT_TRUE(Style() & WS_CAPTION);
    reached.clear();
    SendMessageA(Window(), WM_NCPAINT, 1, 0);
    EXPECT_TRUE(Reached(WM_NCPAINT)) << "the form paints its own frame again";
    const RECT system = SystemFrame(Window());
    const RECT r = NcCalcSize(Window(), TRUE, RECT{0, 0, 276, 243});
    EXPECT_TRUE(
        SameRect(r, RECT{-system.left, -system.top, 276 - system.right, 243 - system.bottom}))
        << Text(r);
}

TEST_F(Frame, AHookLaidOverTheFrameForwardsToTheFormOnceTheFrameIsGone) {
    RecordBelowTheFrame();
    TskForm* frame = MakeFrame();
    // Someone hooks over the frame and keeps the frame's hook in its chain.
    auto beneath = form->WindowProc;
    auto above = std::make_shared<int>(0); // the hook outlives this test's body
    form->WindowProc = [above, beneath](TMessage& message) {
        ++*above;
        beneath(message);
    };
    delete frame;
    reached.clear();
    SendMessageA(Window(), WM_NCPAINT, 1, 0);
    EXPECT_GT(*above, 0);
    EXPECT_TRUE(Reached(WM_NCPAINT)) << "the stale hook passed it on";
    EXPECT_EQ(SendMessageA(Window(), SKM_SIDEBORDERWIDTH, 0, 0), 0);
}

TEST_F(Frame, AFormFreedWithItsFrameKeepsItsWindowAsItIs) {
    MakeFrame();
    form.reset(); // the frame goes first, with the form's window still there
    SUCCEED();
}

TEST_F(Frame, AFormWhoseWindowComesLaterLosesItsCaptionWhenItIsMade) {
    auto later = std::make_unique<TForm>(nullptr);
    later->SetBorderStyle(bsDialog);
    later->SetBounds(-4000, -4000, 276, 243);
    TskForm* frame = MakeFrame(later.get());
    EXPECT_FALSE(later->HandleAllocated());
    later->HandleNeeded();
    EXPECT_EQ(GetWindowLongA(later->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(SendMessageA(later->Handle(), SKM_SIDEBORDERWIDTH, 0, 0), 0);
    EXPECT_EQ(frame->TitleBar()->Parent(), frame);
}

TEST_F(Frame, TheBorderStyleWriterAndRecreateMessagesDoNotBringTheCaptionBack) {
    MakeFrame();
    form->SetBorderStyle(bsSizeable);
    EXPECT_EQ(Style() & WS_CAPTION, 0) << "the style change is noticed";
    SetWindowLongA(Window(), GWL_STYLE, Style() | WS_CAPTION);
    SendMessageA(Window(), CM_RECREATEWND, 0, 0);
    EXPECT_EQ(Style() & WS_CAPTION, 0);
}

// ------------------------------------------------------------------ non-client size

TEST_F(Frame, NcCalcSizeTakesTheBorderRuleAndPassesTheMessageOn) {
    RecordBelowTheFrame();
    TskForm* frame = MakeFrame();
    const RECT system = SystemFrame(Window());
    const RECT proposed{100, 50, 376, 293};
    // Border width 1: one row below the window, then the system's frame.
    RECT r = NcCalcSize(Window(), TRUE, proposed);
    EXPECT_TRUE(Reached(WM_NCCALCSIZE));
    EXPECT_TRUE(SameRect(
        r, RECT{100 - system.left, 50 - system.top, 376 - system.right, 294 - system.bottom}))
        << Text(r);
    frame->SetBorderWidth(3);
    r = NcCalcSize(Window(), TRUE, proposed);
    EXPECT_TRUE(SameRect(
        r, RECT{100 - system.left, 50 - system.top, 376 - system.right, 293 - system.bottom}))
        << Text(r);
    // A zero low byte: the frame leaves the rectangle to the system.
    frame->SetBorderWidth(1);
    r = NcCalcSize(Window(), 0x100, proposed);
    EXPECT_TRUE(SameRect(
        r, RECT{100 - system.left, 50 - system.top, 376 - system.right, 293 - system.bottom}))
        << Text(r);
}

TEST_F(Frame, TheBorderWidthWriterReservesTheNewFrameAtOnce) {
    TskForm* frame = MakeFrame();
    const RECT one = ClientInWindow(Window());
    frame->SetBorderWidth(3);
    const RECT three = ClientInWindow(Window());
    EXPECT_EQ(three.bottom, one.bottom - 1);
    EXPECT_EQ(frame->BorderWidth(), 3);
}

TEST_F(Frame, TheSideBorderQuestionIsAnsweredWithZeroUnderEveryBuiltInTheme) {
    RecordBelowTheFrame();
    TskForm* frame = MakeFrame();
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                             TskUIStyle::Protein, TskUIStyle::BlueGlass}) {
        frame->SetUIStyle(style);
        EXPECT_EQ(SendMessageA(Window(), SKM_SIDEBORDERWIDTH, 0, 0), 0);
    }
    EXPECT_FALSE(Reached(SKM_SIDEBORDERWIDTH)) << "answered by the frame alone";
}

// ------------------------------------------------------------------ properties

TEST_F(Frame, VersionReadsFivePointEightWhateverIsWritten) {
    TskForm* frame = MakeFrame();
    SetStrProp(frame, "Version", "9.9");
    EXPECT_EQ(GetStrProp(frame, "Version"), "5.8");
}

TEST_F(Frame, CaptionReachesTheTitleBarAndTheWindowText) {
    TskForm* frame = MakeFrame();
    frame->SetCaption("MOXEL Utility V1.2 20080204");
    EXPECT_EQ(frame->TitleBar()->Caption(), "MOXEL Utility V1.2 20080204");
    char text[64] = {};
    GetWindowTextA(Window(), text, sizeof text);
    EXPECT_STREQ(text, "MOXEL Utility V1.2 20080204");
    EXPECT_EQ(GetStrProp(frame, "Caption"), "MOXEL Utility V1.2 20080204");
}

TEST_F(Frame, RoundCornersShapeTheWindowAndAHiddenTitleBarMakesItARectangle) {
    TskForm* frame = MakeFrame();
    RECT outer{};
    GetWindowRect(Window(), &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    GdiObject region(CreateRectRgn(0, 0, 0, 0));
    const auto shape = [&] { return GetWindowRgn(Window(), static_cast<HRGN>(region.Get())); };
    const auto inside = [&](int x, int y) {
        return PtInRegion(static_cast<HRGN>(region.Get()), x, y) != FALSE;
    };
    frame->SetRoundCorner(11);
    frame->SetRoundCornerBottom(11);
    EXPECT_EQ(shape(), COMPLEXREGION);
    EXPECT_FALSE(inside(0, 0)) << "round top corners";
    EXPECT_FALSE(inside(w - 1, 0));
    EXPECT_FALSE(inside(0, h - 1)) << "round bottom corners";
    EXPECT_TRUE(inside(w / 2, 0));
    EXPECT_TRUE(inside(0, h / 2));
    EXPECT_EQ(frame->RoundCorner(), 11);
    EXPECT_EQ(frame->RoundCornerBottom(), 11);

    frame->SetTitleBarVisible(false);
    EXPECT_EQ(frame->RoundCorner(), 0);
    EXPECT_EQ(frame->RoundCornerBottom(), 0);
    EXPECT_EQ(frame->TitleBar()->RoundCorner(), 11) << "the stored value stays";
    EXPECT_EQ(shape(), SIMPLEREGION) << "reshaped at once";
    EXPECT_TRUE(inside(0, 0));
    EXPECT_TRUE(inside(w - 1, h - 1));
    frame->SetTitleBarVisible(true);
    EXPECT_EQ(shape(), COMPLEXREGION);
}

TEST_F(Frame, BothRadiiZeroGiveThePlainWindowRectangle) {
    TskForm* frame = MakeFrame();
    frame->SetRoundCorner(0);
    GdiObject region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(Window(), static_cast<HRGN>(region.Get())), SIMPLEREGION);
    RECT box{};
    GetRgnBox(static_cast<HRGN>(region.Get()), &box);
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_GE(box.right, outer.right - outer.left);
    EXPECT_GE(box.bottom, outer.bottom - outer.top);
}

TEST_F(Frame, FormPanelRefusesTheFrameAndFillsTheFrameWithAnyOtherPanel) {
    TskForm* frame = MakeFrame();
    auto* panel = new TTestPanel(form.get());
    panel->SetParent(frame);
    panel->SetCaption("panel");
    frame->SetFormPanel(frame);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0], NotTheFrame);
    EXPECT_EQ(frame->FormPanel(), nullptr);
    frame->SetFormPanel(panel);
    EXPECT_EQ(frame->FormPanel(), panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(panel->Caption(), "");
    EXPECT_EQ(panel->Top(), frame->TitleBar()->Height()) << "below the title bar";
    frame->SetFormPanel(frame);
    EXPECT_EQ(frame->FormPanel(), panel) << "kept";
    delete panel;
    EXPECT_EQ(frame->FormPanel(), nullptr);
}

// ------------------------------------------------------------------ style application

TEST_F(Frame, BuiltInStylesGiveBorderBackgroundAndCorner) {
    TskForm* frame = MakeFrame();
    EXPECT_EQ(frame->BorderColor(), 0x000000) << "DeepBlue at construction";
    EXPECT_EQ(frame->BorderWidth(), 1);
    EXPECT_EQ(frame->Color(), 0xE8E8E8);
    EXPECT_EQ(frame->RoundCorner(), 0);
    frame->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(frame->BorderColor(), 0x7F7F7F);
    EXPECT_EQ(frame->BorderWidth(), 1);
    EXPECT_EQ(frame->Color(), 0xE7E7E7);
    EXPECT_EQ(frame->MenuBarColor(), 0xE7E7E7);
    EXPECT_EQ(frame->RoundCorner(), 0);
    EXPECT_EQ(frame->TitleBar()->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(frame->TitleBar()->Height(), 20);
    frame->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(frame->BorderWidth(), 3);
    EXPECT_EQ(frame->BorderColor(), 0xC82C00);
    EXPECT_EQ(frame->RoundCorner(), 13);
    EXPECT_EQ(frame->RightBorderBitmap(), nullptr);
}

TEST_F(Frame, AutoUpdateSubPushesTheStyleToTheChildrenOnlyWhenSet) {
    TskForm* frame = MakeFrame();
    auto* button = new TskButton(form.get());
    button->SetParent(frame);
    button->SetUIStyle(TskUIStyle::WinXP);
    frame->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::WinXP);
    frame->SetUIStyleAutoUpdateSub(true);
    frame->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(button->UIStyle(), TskUIStyle::Protein);
}

TEST_F(Frame, RemovingTheSkinFileResetsFrameAndChildrenToDeepBlue) {
    TskForm* frame = MakeFrame();
    TskFileTheme* theme = LoadSkin("frame-remove.skin", {IntItem("FormBorderWidthInt", 2)});
    auto* box = new TskCheckBox(form.get());
    box->SetParent(frame);
    box->SetUIStyle(TskUIStyle::MacOS);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(frame->BorderWidth(), 2);
    ASSERT_FALSE(frame->UIStyleAutoUpdateSub());
    delete theme;
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(frame->BorderWidth(), 1);
    EXPECT_EQ(box->UIStyle(), TskUIStyle::DeepBlue) << "pushed though AutoUpdateSub is off";
    EXPECT_EQ(frame->TitleBar()->FileTheme(), nullptr);
}

TEST_F(Frame, ReloadingTheSkinFileReappliesTheFrameAndItsReservedBorder) {
    TskForm* frame = MakeFrame();
    TskFileTheme* theme = LoadSkin("frame-reload-a.skin", {IntItem("FormBorderWidthInt", 1)});
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    const RECT before = ClientInWindow(Window());
    theme->SetThemeFile(WriteSkin("frame-reload-b.skin", {IntItem("FormBorderWidthInt", 3)}));
    EXPECT_EQ(frame->BorderWidth(), 3);
    EXPECT_EQ(ClientInWindow(Window()).bottom, before.bottom - 1) << "the frame followed the file";
}

TEST_F(Frame, SkinFileValuesAreCheckedBeforeUse) {
    TskForm* frame = MakeFrame();
    TskFileTheme* theme = LoadSkin("frame-missing.skin", {IntItem("FormBorderColor", 0x0000FF)});
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(frame->BorderWidth(), 0) << "a missing width reads as 0";
    theme->SetThemeFile(WriteSkin("frame-negative.skin", {IntItem("FormBorderWidthInt", -9)}));
    EXPECT_EQ(frame->BorderWidth(), 0);
    theme->SetThemeFile(WriteSkin("frame-wide.skin", {IntItem("FormBorderWidthInt", 100000)}));
    EXPECT_EQ(frame->BorderWidth(), MaxFormBorderWidth);
    const RECT client = ClientInWindow(Window());
    EXPECT_GE(client.bottom, client.top);
    // A side picture wider than the window counts as half of it.
    theme->SetThemeFile(
        WriteSkin("frame-side.skin", {Picture("FormLeftBorderImage", 5000, 40, 0x00FF00)}));
    ASSERT_NE(frame->RightBorderBitmap(), nullptr);
    EXPECT_EQ(SendMessageA(Window(), SKM_SIDEBORDERWIDTH, 0, 0), form->Width() / 2);
    const RECT sides = ClientInWindow(Window());
    EXPECT_GE(sides.right, sides.left);
}

TEST_F(Frame, ASkinFileWithBorderPicturesGivesTheRightPictureAndTheBottomHeight) {
    TskForm* frame = MakeFrame();
    // Left half red, right half blue: turned round, blue comes first.
    std::vector<uint8_t> left = MakeBitmapImage(6, 10, 0x0000FF);
    TBitmap picture;
    TMemoryStream stream(left);
    picture.LoadFromStream(stream);
    for (int y = 0; y < 10; ++y)
        for (int x = 3; x < 6; ++x)
            picture.SetPixel(x, y, 0xFF0000);
    TMemoryStream halves;
    picture.SaveToStream(halves);
    TskFileTheme* theme =
        LoadSkin("frame-pictures.skin",
                 {PictureItem("FormLeftBorderImage", halves.Bytes()),
                  Picture("FormBottomBorderImage", 30, 8, 0x00FF00),
                  IntItem("FormBorderWidthInt", 1), IntItem("FormBottomRoundCornerInt", 5)});
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    ASSERT_NE(frame->RightBorderBitmap(), nullptr);
    EXPECT_EQ(frame->RightBorderBitmap()->Width(), 6);
    EXPECT_EQ(frame->RightBorderBitmap()->Pixel(0, 0), 0xFF0000);
    EXPECT_EQ(frame->RightBorderBitmap()->Pixel(5, 9), 0x0000FF);
    EXPECT_EQ(frame->BottomBorderHeight(), 8);
    EXPECT_EQ(frame->RoundCornerBottom(), 5);
    EXPECT_EQ(SendMessageA(Window(), SKM_SIDEBORDERWIDTH, 0, 0), 6);
    const RECT system = SystemFrame(Window());
    const RECT r = NcCalcSize(Window(), TRUE, RECT{0, 0, 276, 243});
    EXPECT_TRUE(
        SameRect(r, RECT{4 - system.left, -system.top, 272 - system.right, 237 - system.bottom}))
        << Text(r);
}

TEST_F(Frame, PicturesWithTheOldCoreHeaderServeAsBorderPictures) {
    TskForm* frame = MakeFrame();
    // A 4 x 4 bitmap with the old 12-byte header, as older writers made them.
    std::vector<uint8_t> core = {'B', 'M', 74, 0, 0, 0, 0, 0, 0, 0, 26, 0,  0,
                                 0,   12,  0,  0, 0, 4, 0, 4, 0, 1, 0,  24, 0};
    core.resize(74, 0x80);
    auto* theme = new TskFileTheme(form.get());
    theme->SetThemeFile(WriteSkin("frame-core.skin", {PictureItem("FormLeftBorderImage", core),
                                                      PictureItem("FormBottomBorderImage", core)}));
    ASSERT_TRUE(theme->IsLoaded());
    frame->SetFileTheme(theme);
    EXPECT_NO_THROW(frame->SetUIStyle(TskUIStyle::FromThemeFile));
    ASSERT_NE(frame->RightBorderBitmap(), nullptr);
    EXPECT_EQ(frame->BottomBorderHeight(), 4);
    const int gdi = LiveGdiObjects();
    for (int i = 0; i < 50; ++i)
        EXPECT_NO_THROW(SendMessageA(Window(), WM_NCPAINT, 1, 0));
    EXPECT_EQ(LiveGdiObjects(), gdi) << "no context or bitmap left behind";
}

// ------------------------------------------------------------------ client background

namespace {

// What a pattern brush of tile leaves at (x, y) of a surface it fills from (0, 0).
TColor TilePixel(TBitmap& tile, int x, int y) {
    return tile.Pixel(x % tile.Width(), y % tile.Height());
}

} // namespace

TEST_F(Frame, MacOSAndProteinTileTheClientAreaAndOtherStylesFillIt) {
    TskForm* frame = MakeFrame();
    TBitmap target(frame->Width(), frame->Height());
    const auto paint = [&] {
        SendMessageA(frame->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()),
                     0);
    };
    for (auto [style, name] : {std::pair{TskUIStyle::MacOS, "MACOS_FORM_BACKGROUND"},
                               std::pair{TskUIStyle::Protein, "PROTEIN_FORM_BACKGROUND"}}) {
        frame->SetUIStyle(style);
        frame->SetColor(0x0000FF);
        paint();
        TBitmap tile;
        tile.LoadFromResourceName(name);
        ASSERT_EQ(tile.Width(), 8);
        int wrong = 0;
        for (int y = frame->TitleBar()->Height(); y < frame->Height(); y += 3)
            for (int x = 0; x < frame->Width(); x += 5)
                wrong += target.Pixel(x, y) != TilePixel(tile, x, y);
        EXPECT_EQ(wrong, 0) << name << ": the colour is not used";
    }
    frame->SetUIStyle(TskUIStyle::WinXP);
    paint();
    EXPECT_EQ(target.Pixel(10, frame->Height() - 5), 0xDEEBEF);
    frame->SetColor(0x123456);
    paint();
    EXPECT_EQ(target.Pixel(10, frame->Height() - 5), 0x123456);
}

TEST_F(Frame, TransparentControlsShowTheTiledBackgroundBehindThem) {
    TskForm* frame = MakeFrame();
    frame->SetUIStyle(TskUIStyle::MacOS);
    TBitmap tile;
    tile.LoadFromResourceName("MACOS_FORM_BACKGROUND");
    auto* box = new TskCheckBox(form.get());
    box->SetParent(frame);
    box->SetUIStyle(TskUIStyle::MacOS);
    box->SetTransparent(true);
    box->SetAutoSize(false);
    box->SetCaption("");
    box->SetBounds(13, 37, 40, 21);
    auto* group = new TskCheckGroup(form.get());
    group->SetParent(frame);
    group->SetUIStyle(TskUIStyle::MacOS);
    group->SetTransparent(true);
    group->SetBounds(61, 45, 137, 105);
    group->Items()->SetStrings({"Show Cap Lock"});
    const auto paintOf = [](TWinControl* control, TBitmap& into) {
        into.SetSize(control->Width(), control->Height());
        SendMessageA(control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()),
                     0);
    };
    TBitmap boxPaint, groupPaint, itemPaint;
    paintOf(box, boxPaint);
    // Right of the glyph: nothing but background.
    for (int y = 0; y < box->Height(); ++y)
        EXPECT_EQ(boxPaint.Pixel(30, y), TilePixel(tile, 13 + 30, 37 + y)) << y;
    paintOf(group, groupPaint);
    EXPECT_EQ(groupPaint.Pixel(60, 50), TilePixel(tile, 61 + 60, 45 + 50));
    // An item of the group shows the frame through the group.
    TWinControl* item = dynamic_cast<TWinControl*>(group->Controls(0));
    ASSERT_NE(item, nullptr);
    paintOf(item, itemPaint); // the first paint gives the item its size
    paintOf(item, itemPaint);
    const int x = item->Width() - 3, y = item->Height() / 2;
    EXPECT_EQ(itemPaint.Pixel(x, y), TilePixel(tile, 61 + item->Left() + x, 45 + item->Top() + y));
}

// ------------------------------------------------------------------ menu bar

namespace {

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const std::string& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

} // namespace

class FrameMenuBar : public Frame {
  protected:
    void SetUp() override {
        Frame::SetUp();
        frame = MakeFrame();
        menu = new TskMainMenu(form.get());
        file = AddItem(menu->Items(), form.get(), "&File");
        AddItem(file, form.get(), "&Open");
        edit = AddItem(menu->Items(), form.get(), "&Edit");
        help = AddItem(menu->Items(), form.get(), "&Help");
    }
    TskMenuBar* Bar() const { return frame->MenuBar(); }
    void PaintBar(TBitmap& into) {
        into.SetSize(Bar()->Width(), Bar()->Height());
        SendMessageA(Bar()->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()),
                     0);
    }
    int CountIn(TBitmap& bitmap, const TRect& r, TColor color) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += bitmap.Pixel(x, y) == color;
        return n;
    }
    TskForm* frame = nullptr;
    TskMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* edit = nullptr;
    TMenuItem* help = nullptr;
};

TEST_F(FrameMenuBar, AMenuGivesOneButtonPerTopLevelItemInItsOrder) {
    frame->SetMenu(menu);
    ASSERT_NE(Bar(), nullptr);
    EXPECT_EQ(menu->SkinForm(), frame);
    EXPECT_EQ(Bar()->SkinForm(), frame);
    ASSERT_EQ(Bar()->ButtonCount(), 3);
    const TMenuItem* items[] = {file, edit, help};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Bar()->Buttons(i)->MenuItem(), items[i]);
        EXPECT_EQ(Bar()->Buttons(i)->Caption(), items[i]->Caption());
        if (i > 0) {
            EXPECT_GT(Bar()->Buttons(i)->Left(), Bar()->Buttons(i - 1)->Left());
        }
    }
    EXPECT_EQ(Bar()->Top(), frame->TitleBar()->Height()) << "below the title bar";
    EXPECT_EQ(Bar()->Height(), 22);
}

TEST_F(FrameMenuBar, ADisabledItemGreysItsButtonOnceTheMenuChanges) {
    frame->SetUIStyle(TskUIStyle::DeepBlue);
    frame->SetMenu(menu);
    // On red, no edge of black text comes out the disabled grey.
    frame->SetMenuBarColor(0x0000FF);
    edit->SetEnabled(false);
    EXPECT_FALSE(Bar()->Buttons(1)->Enabled()) << "refreshed by the menu";
    TBitmap painted;
    PaintBar(painted);
    EXPECT_GT(CountIn(painted, Bar()->Buttons(1)->BoundsRect(), 0x808080), 0);
    EXPECT_EQ(CountIn(painted, Bar()->Buttons(0)->BoundsRect(), 0x808080), 0);
    edit->SetCaption("&Change");
    EXPECT_EQ(Bar()->Buttons(1)->Caption(), "&Change");
}

TEST_F(FrameMenuBar, MacOSDrawsTheBarAndTheHotButtonFromItsPictures) {
    frame->SetUIStyle(TskUIStyle::MacOS);
    menu->SetUIStyle(TskUIStyle::MacOS);
    frame->SetMenu(menu);
    TBitmap barPicture, select;
    barPicture.LoadFromResourceName("MACOS_MENU_BAR");
    select.LoadFromResourceName("MACOS_MENU_SELECT");
    TBitmap expectedBar(Bar()->Width(), Bar()->Height());
    expectedBar.Canvas().StretchDraw(Rect(0, 0, Bar()->Width(), Bar()->Height()), barPicture);
    TBitmap painted;
    PaintBar(painted);
    const int x = Bar()->Width() - 2; // right of every button
    for (int y = 0; y < Bar()->Height(); ++y)
        EXPECT_EQ(painted.Pixel(x, y), expectedBar.Pixel(x, y)) << y;

    TToolButton* hot = Bar()->Buttons(1);
    SendMessageA(Bar()->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(hot->Left() + hot->Width() / 2, hot->Top() + 2));
    EXPECT_EQ(Bar()->HotButton(), hot);
    PaintBar(painted);
    TBitmap face(hot->Width(), hot->Height());
    face.Canvas().StretchDraw(Rect(0, 0, hot->Width(), hot->Height()), select);
    for (int y = 0; y < hot->Height(); ++y)
        EXPECT_EQ(painted.Pixel(hot->Left() + 1, hot->Top() + y), face.Pixel(1, y)) << y;
}

TEST_F(FrameMenuBar, OtherStylesDrawTheHotButtonAsAFramedRectangle) {
    frame->SetUIStyle(TskUIStyle::WinXP);
    menu->SetUIStyle(TskUIStyle::WinXP);
    frame->SetMenu(menu);
    TToolButton* hot = Bar()->Buttons(0);
    SendMessageA(Bar()->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(hot->Left() + hot->Width() / 2, hot->Top() + 2));
    TBitmap painted;
    PaintBar(painted);
    const TRect r = hot->BoundsRect();
    const TColor border = GetThemeColor(TskUIStyle::WinXP, ThemeElement::MenuSelectedBorderColor);
    const TColor fill = GetThemeColor(TskUIStyle::WinXP, ThemeElement::MenuSelectedBackgroundColor);
    EXPECT_EQ(painted.Pixel(r.Left, r.Top), border);
    EXPECT_EQ(painted.Pixel(r.Right - 1, r.Bottom - 1), border);
    EXPECT_EQ(painted.Pixel(r.Left + 1, r.Top + 1), fill);
    // The bar's own colour around it.
    EXPECT_EQ(painted.Pixel(Bar()->Width() - 2, 1), frame->MenuBarColor());
}

TEST_F(FrameMenuBar, HeightAndColourChangesReachTheBarAndItsButtons) {
    frame->SetUIStyle(TskUIStyle::DeepBlue);
    frame->SetMenu(menu);
    frame->SetMenuBarHeight(30);
    EXPECT_EQ(Bar()->Height(), 30);
    for (int i = 0; i < Bar()->ButtonCount(); ++i)
        EXPECT_EQ(Bar()->Buttons(i)->Height(), 30);
    frame->SetMenuBarColor(0x123456);
    EXPECT_EQ(Bar()->Color(), 0x123456);
    TBitmap painted;
    PaintBar(painted);
    EXPECT_EQ(painted.Pixel(Bar()->Width() - 2, 15), 0x123456);
}

TEST_F(FrameMenuBar, NoMenuOrAMenuThatGoesRemovesTheBarAndItsButtons) {
    frame->SetMenu(menu);
    const int components = frame->ComponentCount();
    frame->SetMenu(nullptr);
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_EQ(menu->SkinForm(), nullptr);
    EXPECT_EQ(frame->ComponentCount(), components - 1) << "the bar went, its buttons with it";
    frame->SetMenu(menu);
    ASSERT_NE(Bar(), nullptr);
    delete menu;
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(Bar(), nullptr);
}

TEST_F(FrameMenuBar, AMenuChangeFromAButtonsItemWaitsUntilThePressIsOver) {
    frame->SetMenu(menu);
    help->OnClick = [this](TObject*) { frame->SetMenu(nullptr); };
    TToolButton* button = Bar()->Buttons(2);
    const LPARAM at = MAKELPARAM(button->Left() + 3, button->Top() + 3);
    TskMenuBar* bar = Bar();
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(Bar(), bar) << "still there while its press ran";
    Pump();
    EXPECT_EQ(Bar(), nullptr);
}

TEST_F(FrameMenuBar, ADropDownTakesTheMenusHotKeySetting) {
    menu->SetAutoHotkeys(maManual);
    frame->SetMenu(menu);
    TToolBarDropDown* dropDown = Bar()->DropDownMenu();
    ASSERT_EQ(dropDown->Owner(), Bar());
    ASSERT_TRUE(dropDown->OnPopup);
    dropDown->OnPopup(dropDown);
    EXPECT_EQ(dropDown->AutoHotkeys(), maManual);
}

// ------------------------------------------------------------------ handle counts

TEST_F(Frame, TenThousandFramePaintsKeepGdiAndUserObjectsFlat) {
    TskForm* frame = MakeFrame();
    frame->SetUIStyle(TskUIStyle::MacOS);
    const auto paint = [&] {
        SendMessageA(Window(), WM_NCPAINT, 1, 0);
        InvalidateRect(frame->Handle(), nullptr, FALSE);
        SendMessageA(frame->Handle(), WM_PAINT, 0, 0);
    };
    paint();
    const int gdi = LiveGdiObjects(), user = LiveUserObjects();
    for (int i = 0; i < 10000; ++i)
        paint();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveUserObjects(), user);
}

TEST_F(Frame, AThousandStyleSwitchesKeepGdiAndUserObjectsFlat) {
    TskForm* frame = MakeFrame();
    TskFileTheme* theme = LoadSkin(
        "frame-switch.skin", {Picture("FormLeftBorderImage", 6, 30, 0x00FF00),
                              Picture("FormBottomBorderImage", 30, 6, 0xFF0000),
                              Picture("TitleBarLeftImage", 40, 26, 0x0000FF),
                              IntItem("FormBorderWidthInt", 1), IntItem("FormRoundCornerInt", 11)});
    frame->SetFileTheme(theme);
    const TskUIStyle styles[] = {TskUIStyle::MacOS,     TskUIStyle::WinXP,
                                 TskUIStyle::DeepBlue,  TskUIStyle::Protein,
                                 TskUIStyle::BlueGlass, TskUIStyle::FromThemeFile};
    for (TskUIStyle style : styles)
        frame->SetUIStyle(style);
    const int gdi = LiveGdiObjects(), user = LiveUserObjects();
    // Ending on the style the counts were taken with: what a style keeps
    // (its pictures, its pattern) is the same then.
    for (int i = 0; i < 1002; ++i)
        frame->SetUIStyle(styles[i % 6]);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveUserObjects(), user);
}
