// The title bar of a shown form driven with real mouse and key input, as a
// user works it: the pictures under the pointer, a release over another
// button, messages that are no real press, dragging, double clicks, the
// maximize button's restore pictures, and the system menu with its letters.

#include "framework/Application.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "skin/SkinTitleBar.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace {

// The program's title bar (MacOS: control box, close, hidden maximize,
// minimize) on a shown form.
class TitleBarInput : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 300, 200);
        // The window first, as a form description does: the title bar then
        // takes the width of its client area.
        form->HandleNeeded();
        bar = new TskTitleBar(form.get());
        bar->SetParent(form.get());
        bar->SetUIStyle(TskUIStyle::MacOS);
        bar->SetCaption("MOXEL Utility V1.2 20080204");
        bar->Buttons()->Items(2)->SetVisible(false);
        form->Show();
        SetForegroundWindow(form->Handle());
        HoverOver(TPoint{5, 700});
    }
    void TearDown() override {
        LeftButton(false);
        form.reset();
    }
    TPoint At(int x, int y) const { return bar->ClientToScreen(TPoint{x, y}); }
    // From the right edge, offset -2, each visible button one pixel apart.
    int RightButtonX(int button) const {
        int x = bar->Width() - 2;
        for (int i = 0; i <= button; ++i) {
            TskTitleBarButton* b = bar->Buttons()->Items(i);
            if (b->Visible() && b->ButtonType() != skControlBox) x -= b->PicNormal()->Width() + 1;
        }
        return x;
    }
    // The middle of a button's 17 x 17 picture on the screen.
    TPoint Centre(int button) const {
        return At((button == 0 ? 4 : RightButtonX(button)) + 8, bar->ButtonTop() + 8);
    }
    // Moves the pointer and waits until the system has it there for good: a
    // move still on its way from a window just shown can overtake it.
    void HoverOver(TPoint screen) {
        const auto there = [&] {
            POINT p{};
            GetCursorPos(&p);
            return p.x == screen.X && p.y == screen.Y;
        };
        for (int attempt = 0; attempt < 20; ++attempt) {
            MoveMouse(screen);
            if (PumpUntil(there, 150) && !PumpUntil([&] { return !there(); }, 150)) break;
        }
    }
    void Paint(TBitmap& into) const {
        into.SetSize(bar->Width(), bar->Height());
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()), 0);
    }
    RECT WindowRect() const {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return r;
    }
    void PressOnTheTitle(std::function<void(TPoint)> then) {
        const TPoint start = At(120, 10);
        HoverOver(start);
        Script script([&] { then(start); });
        script.RunToEnd();
    }
    TApplication application;
    std::unique_ptr<TForm> form;
    TskTitleBar* bar = nullptr;
};

} // namespace

TEST_F(TitleBarInput, TheButtonUnderThePointerShowsItsMouseOnThenItsPressedPicture) {
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    HoverOver(Centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 1; }));
    TBitmap screen(bar->Width(), bar->Height());
    BitBlt(screen.Canvas().Handle(), 0, 0, bar->Width(), bar->Height(),
           WindowDc(bar->Handle()).Get(), 0, 0, SRCCOPY);
    EXPECT_TRUE(DrawnAt(screen, RightButtonX(1), 4, *close->PicMouseOn()));
    EXPECT_TRUE(DrawnAt(screen, RightButtonX(3), 4, *bar->Buttons()->Items(3)->PicNormal()));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown(); }));
    TBitmap paint;
    Paint(paint);
    EXPECT_TRUE(DrawnAt(paint, RightButtonX(1), 4, *close->PicMouseDown()));
    HoverOver(At(bar->Width() / 2, bar->Height() + 60));
    LeftButton(false);
    PumpFor(200);
    EXPECT_TRUE(form->Visible()) << "released off the title bar: nothing runs";
}

TEST_F(TitleBarInput, ReleasingOverAnotherButtonRunsThatOne) {
    HoverOver(Centre(3));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown(); }));
    HoverOver(Centre(1));
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !form->Visible(); })) << "close ran";
    EXPECT_FALSE(IsIconic(form->Handle())) << "minimize did not";
}

TEST_F(TitleBarInput, MessagesWithoutARealPressNeitherActNorDrag) {
    HoverOver(Centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 1; }));
    const TPoint inside = bar->ScreenToClient(Centre(1));
    PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inside.X, inside.Y));
    PumpFor(300);
    EXPECT_TRUE(form->Visible()) << "a button-up alone closes nothing";

    const RECT before = WindowRect();
    PostMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 10));
    // Were the window stuck to the pointer, this would move it (the click ends such a move).
    PressOnTheTitle([](TPoint start) {
        MoveMouse(TPoint{start.X + 50, start.Y + 50});
        Sleep(200);
        LeftButton(true);
        LeftButton(false);
    });
    EXPECT_EQ(WindowRect().left, before.left);
    EXPECT_EQ(WindowRect().top, before.top);
}

TEST_F(TitleBarInput, AHotButtonThatWentAwayRunsNothing) {
    HoverOver(Centre(3));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown() && bar->HotButton() == 3; }));
    bar->Buttons()->Delete(3);
    LeftButton(false);
    PumpFor(300);
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarInput, DraggingTheEmptyTitleMovesTheWindowUnlessItIsMaximized) {
    const auto drag = [](TPoint start) {
        LeftButton(true);
        for (int step = 1; step <= 10; ++step) {
            Sleep(30);
            MoveMouse(TPoint{start.X + 6 * step, start.Y + 4 * step});
        }
        Sleep(50);
        LeftButton(false);
    };
    const RECT before = WindowRect();
    PressOnTheTitle(drag);
    EXPECT_EQ(WindowRect().left - before.left, 60);
    EXPECT_EQ(WindowRect().top - before.top, 40);

    bar->Buttons()->Items(2)->SetVisible(true);
    bar->Buttons()->Items(2)->DoAction();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    const RECT maximized = WindowRect();
    PressOnTheTitle(drag);
    EXPECT_EQ(WindowRect().left, maximized.left);
    EXPECT_TRUE(IsZoomed(form->Handle()));
}

TEST_F(TitleBarInput, ADoubleClickOnTheEmptyTitleMaximizesOnlyThroughAVisibleMaximizeButton) {
    const RECT before = WindowRect();
    const auto doubleClick = [](TPoint) {
        LeftButton(true);
        LeftButton(false);
        Sleep(30);
        LeftButton(true);
        LeftButton(false);
    };
    PressOnTheTitle(doubleClick);
    EXPECT_FALSE(IsZoomed(form->Handle())) << "the maximize button is hidden";
    EXPECT_EQ(WindowRect().left, before.left);
    EXPECT_TRUE(form->Visible());
    bar->Buttons()->Items(2)->SetVisible(true);
    PressOnTheTitle(doubleClick);
    EXPECT_TRUE(IsZoomed(form->Handle())) << "the same double click with the button shown";
}

TEST_F(TitleBarInput, TheMaximizeButtonShowsTheRestorePicturesWhileItsWindowIsMaximized) {
    TskTitleBarButton* max = bar->Buttons()->Items(2);
    max->SetVisible(true);
    TBitmap expected;
    const auto shows = [&](int first) {
        GetThemeImage(TskUIStyle::MacOS, ThemeElement::TitleBarButtonImage, &expected, 18, first);
        return SamePixels(*max->PicNormal(), expected);
    };
    max->DoAction();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    EXPECT_TRUE(shows(10));
    TRect area;
    GetWorkArea(area);
    const RECT r = WindowRect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{area.Left - 2, area.Top - 2, area.Right + 2, area.Bottom - 1}));
    bar->SystemMenu()->MaximizeRestoreClick(nullptr);
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_TRUE(shows(7));
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    bar->RefreshMaxButtons();
    EXPECT_TRUE(shows(10)) << "after a size change made elsewhere";
}

TEST_F(TitleBarInput, MinimizeOnTheMainFormMinimizesTheApplicationElseOnlyItsForm) {
    TForm* main = application.CreateForm<TForm>();
    main->HandleNeeded();
    auto* mainBar = new TskTitleBar(main);
    mainBar->SetParent(main);
    main->Show();
    mainBar->Buttons()->Items(3)->DoAction();
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(application.Handle()) != 0; }));
    application.Restore();
    bar->Buttons()->Items(3)->DoAction();
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != 0; }));
    EXPECT_FALSE(IsIconic(application.Handle()));
}

TEST_F(TitleBarInput, AClickOnTheControlBoxOpensTheSystemMenuAndItsLettersChoose) {
    UINT states[4] = {};
    RECT menuRect{};
    Script user([&] {
        WaitForMenu();
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(OpenMenuWindow(), MN_GETHMENU, 0, 0));
        for (int i = 0; i < 4; ++i)
            states[i] = GetMenuState(menu, i, MF_BYPOSITION);
        GetWindowRect(OpenMenuWindow(), &menuRect);
        Key('C');
    });
    HoverOver(Centre(0));
    LeftButton(true);
    LeftButton(false);
    user.RunToEnd();
    EXPECT_FALSE(states[0] & MF_GRAYED) << "Mi&nimize: a minimize button shows";
    EXPECT_TRUE(states[1] & MF_GRAYED) << "Ma&ximize/Restore: the maximize button is hidden";
    EXPECT_TRUE(states[2] & MF_SEPARATOR);
    EXPECT_FALSE(states[3] & MF_GRAYED) << "&Close";
    const TPoint below = At(0, bar->Height());
    EXPECT_EQ(menuRect.left, below.X);
    EXPECT_EQ(menuRect.top, below.Y);
    EXPECT_FALSE(form->Visible()) << "C chose Close";
}

TEST_F(TitleBarInput, AltAndALetterChooseInTheOpenSystemMenu) {
    // Alt is held from before the menu opens, as with Alt+Space: pressed
    // inside an open menu it would close the menu.
    INPUT alt{};
    alt.type = INPUT_KEYBOARD;
    alt.ki.wVk = VK_MENU;
    Send(alt);
    PumpFor(50);
    Script user([&] {
        WaitForMenu();
        Key('N');
        Sleep(100);
        alt.ki.dwFlags = KEYEVENTF_KEYUP;
        Send(alt);
        // Alt let go alone would put the window into menu mode: leave it.
        Sleep(100);
        Key(VK_ESCAPE);
    });
    const TPoint below = At(0, bar->Height());
    bar->SystemMenu()->Popup(below.X, below.Y);
    user.RunToEnd();
    EXPECT_TRUE(IsIconic(form->Handle())) << "Alt+N chose Minimize";
}
