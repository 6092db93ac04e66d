// The skinned frame of shown windows: the border it paints in the window's
// frame, read back from the window, for border widths 1, 3 and 4, a hidden
// title bar, the corner arcs, incomplete title sections and skin-file border
// pictures; the border through activation changes; the maximized bounds;
// WM_NCPAINT of a minimized window; Alt+Space and menu shortcuts.

#include "framework/Application.h"
#include "skin/SkinForm.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/SkinFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string At(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

class FramePaint : public testing::Test {
  protected:
    void SetUp() override { form = MakeShownForm(150, 120); }
    void TearDown() override {
        form.reset();
        other.reset();
        Pump();
    }
    std::unique_ptr<TForm> MakeShownForm(int left, int top) {
        auto made = std::make_unique<TForm>(nullptr);
        made->SetBorderStyle(bsDialog);
        made->SetBounds(left, top, 276, 243);
        made->SetCaption("MOXEL Utility V1.2 20080204");
        made->HandleNeeded();
        return made;
    }
    TskForm* MakeFrame(TskUIStyle style = TskUIStyle::MacOS) {
        auto* frame = new TskForm(form.get());
        frame->SetParent(form.get());
        frame->SetUIStyle(style);
        return frame;
    }
    void Show() {
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpFor(150);
    }
    // The window's frame painted again, then read back from the window.
    void Capture() {
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(50);
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        w = r.right - r.left;
        h = r.bottom - r.top;
        shot.SetSize(w, h);
        WindowDc dc(form->Handle(), true);
        BitBlt(shot.Canvas().Handle(), 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
    }
    TColor Px(int x, int y) { return shot.Pixel(x, y); }
    // Every pixel of the rectangle is color.
    void ExpectFilled(const TRect& r, TColor color, const char* what) {
        int wrong = 0;
        std::string first;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Px(x, y) != color && wrong++ == 0) first = At(x, y);
        EXPECT_EQ(wrong, 0) << what << ", first at " << first;
    }
    std::string WriteSkin(const std::string& name, const std::vector<SkinFileItem>& items) {
        return skinFiles.Write(name, items);
    }
    std::unique_ptr<TForm> form, other;
    TTempSkinFiles skinFiles;
    TBitmap shot;
    int w = 0, h = 0;
};

} // namespace

TEST_F(FramePaint, TheProgramsFrameIsAnOutlineWithInnerStripsAndTheTopOfTheTitlePictures) {
    TskForm* frame = MakeFrame();
    Show();
    Capture();
    TskTitleBarSections& sections = *frame->TitleBar()->Sections();
    TBitmap& left = *sections.Items(0)->Picture();
    TBitmap& right = *sections.Items(1)->Picture();
    TBitmap& middle = *sections.Items(2)->Picture();
    const int lw = left.Width(), rw = right.Width(), lh = left.Height();
    const TColor border = 0x7F7F7F, strip = 0xE7E7E7;
    // The rows and columns the system leaves to the frame.
    ExpectFilled(Rect(0, 0, 1, h), border, "left line");
    ExpectFilled(Rect(w - 1, 0, w, h), border, "right line");
    ExpectFilled(Rect(0, h - 1, w, h), border, "bottom line");
    ExpectFilled(Rect(1, lh, 3, h - 1), strip, "left strip");
    ExpectFilled(Rect(w - 3, lh, w - 1, h - 1), strip, "right strip");
    ExpectFilled(Rect(1, h - 2, w - 1, h - 1), strip, "bottom strip");
    // Steps of the top: the left picture's first columns and the right
    // picture's last two beside the title bar, then its top three rows across.
    const auto rightColumn = [&](int x) { return rw + x - w + 1; };
    int wrong = 0;
    for (int y = 0; y < lh; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            if (y >= 3 && x >= 3 && x < w - 3) continue; // the title bar's own
            TColor expected;
            if (y >= 3 || x < 2)
                expected = x < 3 ? left.Pixel(x - 1, y) : right.Pixel(rightColumn(x), y);
            else if (x < lw)
                expected = left.Pixel(x, y);
            else if (x >= w - 3)
                expected = right.Pixel(rightColumn(x), y);
            else if (x >= w - rw)
                expected = right.Pixel(x - (w - rw), y);
            else
                expected = middle.Pixel(0, y); // each of its rows is one colour
            if (Px(x, y) != expected) {
                ADD_FAILURE() << "top at " << At(x, y);
                if (++wrong > 5) return;
            }
        }
    }
}

TEST_F(FramePaint, BorderWidthThreeIsAllLineAndFourLeavesTheTopToTheBackground) {
    TskForm* frame = MakeFrame(TskUIStyle::WinXP);
    frame->SetRoundCorner(0);
    Show();
    Capture();
    const TColor border = frame->BorderColor();
    ExpectFilled(Rect(0, 3, 3, h), border, "left line, three wide");
    ExpectFilled(Rect(w - 3, 0, w, h), border, "right line");
    ExpectFilled(Rect(0, h - 3, w, h), border, "bottom line");

    frame->SetUIStyle(TskUIStyle::MacOS);
    frame->SetBorderWidth(4);
    Capture();
    ExpectFilled(Rect(0, 0, 3, h), 0x7F7F7F, "left line");
    ExpectFilled(Rect(0, h - 4, w, h), 0x7F7F7F, "bottom line, four high");
    ExpectFilled(Rect(4, 0, w - 4, 3), 0xE7E7E7, "no title pictures at the top");
    ExpectFilled(Rect(4, h - 5, w - 4, h - 4), 0xE7E7E7, "the frame beyond the line");
}

TEST_F(FramePaint, AHiddenTitleBarGivesALineAndTwoRowsAtTheTop) {
    TskForm* frame = MakeFrame();
    frame->SetTitleBarVisible(false);
    Show();
    Capture();
    ExpectFilled(Rect(0, 0, w, 1), 0x7F7F7F, "top line");
    ExpectFilled(Rect(1, 1, w - 1, 3), 0xE7E7E7, "two rows below it");
    ExpectFilled(Rect(1, 1, 3, h - 1), 0xE7E7E7, "left strip from the top");
}

TEST_F(FramePaint, CornerArcsOnlyForRoundCornerElevenAndBorderWidthOne) {
    TskForm* frame = MakeFrame();
    Show();
    const auto arcPixels = [&] {
        Capture();
        GdiObject region(CreateRectRgn(0, 0, 0, 0));
        const bool shaped = GetWindowRgn(form->Handle(), static_cast<HRGN>(region.Get())) != ERROR;
        int n = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 2; x < 12; ++x)
                for (int px : {x, w - 1 - x})
                    if ((!shaped || PtInRegion(static_cast<HRGN>(region.Get()), px, y)) &&
                        Px(px, y) == frame->BorderColor())
                        ++n;
        return n;
    };
    frame->SetRoundCorner(11);
    EXPECT_GT(arcPixels(), 4);
    for (int radius : {10, 12}) {
        frame->SetRoundCorner(radius);
        EXPECT_EQ(arcPixels(), 0) << radius;
    }
    frame->SetRoundCorner(11);
    frame->SetBorderWidth(2);
    EXPECT_EQ(arcPixels(), 0) << "border width 2";
}

TEST_F(FramePaint, IncompleteTitleSectionsLeaveTheBackgroundColourAtTheTop) {
    TskForm* frame = MakeFrame();
    frame->TitleBar()->Sections()->Delete(2);
    Show();
    Capture();
    const int t = frame->TitleBar()->Height();
    ExpectFilled(Rect(1, 0, w - 1, 3), 0xE7E7E7, "top");
    ExpectFilled(Rect(1, 0, 3, t), 0xE7E7E7, "left strip beside the title bar");
    ExpectFilled(Rect(w - 3, 0, w - 1, t), 0xE7E7E7, "right strip beside the title bar");
}

TEST_F(FramePaint, SkinFileBorderPicturesFrameTheSidesAndTheBottom) {
    TskForm* frame = MakeFrame();
    auto* theme = new TskFileTheme(form.get());
    theme->SetThemeFile(
        WriteSkin("frame-paint-sides.skin",
                  {PictureItem("FormLeftBorderImage", MakeBitmapImage(6, 40, 0x00FF00)),
                   PictureItem("FormBottomBorderImage", MakeBitmapImage(30, 8, 0x0000FF)),
                   IntItem("FormBorderWidthInt", 1), IntItem("FormBackgroundColor", 0xABCDEF)}));
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    Show();
    Capture();
    // Without title pictures the title bar has no height; the top three rows
    // between the side pictures take the form's colour.
    const int t = frame->TitleBar()->Height();
    ExpectFilled(Rect(0, t, 6, h - 8), 0x00FF00, "left picture");
    ExpectFilled(Rect(w - 6, t, w, h - 8), 0x00FF00, "right picture");
    ExpectFilled(Rect(6, std::max(t, 3), 7, h - 8), 0xABCDEF, "left strip");
    ExpectFilled(Rect(w - 7, std::max(t, 3), w - 6, h - 8), 0xABCDEF, "right strip");
    ExpectFilled(Rect(0, h - 8, w, h), 0x0000FF, "bottom picture");
    ExpectFilled(Rect(7, h - 9, w - 7, h - 8), 0xABCDEF, "bottom strip");
    ExpectFilled(Rect(6, 0, w - 6, 3), ColorToRGB(form->Color()),
                 "no title pictures: the form's colour");
}

TEST_F(FramePaint, TheBorderSurvivesActivationChanges) {
    TskForm* frame = MakeFrame();
    Show();
    other = MakeShownForm(500, 300);
    const auto borderIntact = [&] {
        Capture();
        for (int y = 0; y < h; y += 7)
            if (Px(0, y) != 0x7F7F7F || Px(1, h - 2) != 0xE7E7E7) return false;
        return Px(w / 2, 0) == frame->TitleBar()->Sections()->Items(2)->Picture()->Pixel(0, 0);
    };
    ASSERT_TRUE(borderIntact());
    other->Show();
    SetForegroundWindow(other->Handle());
    PumpFor(200);
    EXPECT_FALSE(frame->TitleBar()->FormActive());
    // Read without asking the window to paint again.
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    TBitmap now(r.right - r.left, r.bottom - r.top);
    {
        WindowDc dc(form->Handle(), true);
        BitBlt(now.Canvas().Handle(), 0, 0, now.Width(), now.Height(), dc.Get(), 0, 0, SRCCOPY);
    }
    EXPECT_EQ(now.Pixel(0, 50), 0x7F7F7F) << "no system frame drawn over it";
    EXPECT_EQ(now.Pixel(1, 50), 0xE7E7E7);
    EXPECT_EQ(now.Pixel(now.Width() / 2, 0),
              frame->TitleBar()->Sections()->Items(2)->Picture()->Pixel(0, 0));
    SetForegroundWindow(form->Handle());
    PumpFor(200);
    EXPECT_TRUE(frame->TitleBar()->FormActive());
    EXPECT_TRUE(borderIntact());
}

TEST_F(FramePaint, AMaximizedWindowCoversTheWorkAreaWithItsBorderJustOffIt) {
    MakeFrame();
    Show();
    form->SetWindowState(wsMaximized);
    PumpFor(200);
    RECT area{}, r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, area.left - 2);
    EXPECT_EQ(r.top, area.top - 2);
    EXPECT_EQ(r.right, area.right + 2);
    EXPECT_EQ(r.bottom, area.bottom - 1);
    form->SetWindowState(wsNormal);
    PumpFor(200);
}

TEST_F(FramePaint, WhileMinimizedTheFormPaintsItsOwnFrame) {
    // The form's procedure keeps the note until the form goes.
    auto reached = std::make_shared<std::vector<UINT>>();
    auto inner = form->WindowProc;
    form->WindowProc = [reached, inner](TMessage& message) {
        reached->push_back(message.Msg);
        inner(message);
    };
    MakeFrame();
    Show();
    const auto ncPaintReached = [&] {
        reached->clear();
        SendMessageA(form->Handle(), WM_NCPAINT, 1, 0);
        for (UINT msg : *reached)
            if (msg == WM_NCPAINT) return true;
        return false;
    };
    EXPECT_FALSE(ncPaintReached()) << "painted by the frame";
    form->SetWindowState(wsMinimized);
    PumpFor(200);
    ASSERT_TRUE(IsIconic(form->Handle()));
    EXPECT_TRUE(ncPaintReached()) << "left to the form while minimized";
    form->SetWindowState(wsNormal);
    PumpFor(200);
    EXPECT_FALSE(ncPaintReached());
}

TEST(FrameKeys, AltSpaceOpensTheSystemMenuBelowTheTitleBarAndShortcutsRunTheirItems) {
    TApplication application;
    application.SetTitle("MOXEL Utility V1.1");
    auto* main = application.CreateForm<TForm>();
    main->SetBorderStyle(bsDialog);
    main->SetBounds(200, 150, 276, 243);
    main->HandleNeeded();
    auto* frame = new TskForm(main);
    frame->SetParent(main);
    frame->SetUIStyle(TskUIStyle::MacOS);
    auto* menu = new TskMainMenu(main);
    auto* item = new TMenuItem(main);
    item->SetCaption("&Keep");
    item->SetShortCut(scCtrl | 'K');
    int ran = 0;
    item->OnClick = [&ran](TObject*) { ++ran; };
    auto* top = new TMenuItem(main);
    top->SetCaption("&File");
    top->Add(item);
    menu->Items()->Add(top);
    frame->SetMenu(menu);
    main->Show();
    SetForegroundWindow(main->Handle());
    const auto pump = [&application] { application.ProcessMessages(); };
    for (int i = 0; i < 40; ++i) {
        pump();
        Sleep(5);
    }

    RECT opened{};
    Script user([&] {
        WaitForMenu();
        if (HWND open = OpenMenuWindow()) GetWindowRect(open, &opened);
        Key(VK_ESCAPE);
        Sleep(100);
        KeyUp(VK_MENU);
        Sleep(100);
        // Alt let go alone would leave the window in menu mode.
        Key(VK_ESCAPE);
    });
    KeyDown(VK_MENU);
    Key(VK_SPACE);
    user.RunToEnd(pump);
    EXPECT_EQ(opened.left, main->Left());
    EXPECT_EQ(opened.top, main->Top() + frame->TitleBar()->Height());
    EXPECT_FALSE(OpenMenuWindow());

    KeyDown(VK_CONTROL);
    Key('K');
    KeyUp(VK_CONTROL);
    for (int i = 0; i < 40 && ran == 0; ++i) {
        pump();
        Sleep(5);
    }
    EXPECT_EQ(ran, 1) << "Ctrl+K ran its item";
}
