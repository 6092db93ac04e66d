// The title bar of a shown form driven with real mouse and key input, as a
// user works it: the pictures under the pointer, a release over another
// button, a press that is no press, dragging, double clicks, the system menu
// and its accelerator letters, and the maximize button's restore pictures.

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
#include <utility>
#include <vector>

namespace {

class TitleBarInput : public testing::Test {
  protected:
    void SetUp() override {
        application.SetTitle("MOXEL Utility V1.1");
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
        PumpFor(200);
        HoverOver(TPoint{5, 700});
    }
    void TearDown() override {
        LeftButton(false);
        form.reset();
        Pump();
    }
    // A point of the title bar on the screen.
    TPoint At(int x, int y) const { return bar->ClientToScreen(TPoint{x, y}); }
    // The middle of a button's 17 x 17 picture on the screen.
    TPoint Centre(int button) const {
        const int x = button == 0 ? 4 : RightButtonX(button);
        return At(x + 8, bar->ButtonTop() + 8);
    }
    // Where the layout puts a right-hand button of the program's title bar.
    // From the right edge, offset -2, each visible button one pixel apart.
    int RightButtonX(int button) const {
        int x = bar->Width() - 2;
        for (int i = 0; i <= button; ++i) {
            TskTitleBarButton* b = bar->Buttons()->Items(i);
            if (b->Visible() && b->ButtonType() != skControlBox) x -= b->PicNormal()->Width() + 1;
        }
        return x;
    }
    void Click(TPoint screen) {
        HoverOver(screen);
        LeftButton(true);
        LeftButton(false);
        PumpFor(200);
    }
    void Paint(TBitmap& into) const {
        into.SetSize(bar->Width(), bar->Height());
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(into.Canvas().Handle()), 0);
    }
    // Moves the pointer and waits until the system has it there (a window
    // just shown may see its first move overtaken by the old position).
    void HoverOver(TPoint screen) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            MoveMouse(screen);
            const bool there = PumpUntil(
                [&] {
                    POINT p{};
                    GetCursorPos(&p);
                    return p.x == screen.X && p.y == screen.Y;
                },
                150);
            // A move still on its way can overtake this one: wait until the
            // pointer stays.
            if (there && !PumpUntil(
                             [&] {
                                 POINT p{};
                                 GetCursorPos(&p);
                                 return p.x != screen.X || p.y != screen.Y;
                             },
                             150))
                break;
        }
    }
    RECT WindowRect() const {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return r;
    }
    TApplication application;
    std::unique_ptr<TForm> form;
    TskTitleBar* bar = nullptr;
};

} // namespace

TEST_F(TitleBarInput, TheButtonUnderThePointerShowsItsMouseOnAndThenItsPressedPicture) {
    TskTitleBarButton* close = bar->Buttons()->Items(1);
    HoverOver(Centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 1; }));
    TBitmap paint;
    Paint(paint);
    EXPECT_TRUE(DrawnAt(paint, RightButtonX(1), 4, *close->PicMouseOn()));
    EXPECT_TRUE(DrawnAt(paint, RightButtonX(3), 4, *bar->Buttons()->Items(3)->PicNormal()));
    // What the screen shows is the same paint.
    TBitmap screen(bar->Width(), bar->Height());
    {
        WindowDc dc(bar->Handle());
        BitBlt(screen.Canvas().Handle(), 0, 0, bar->Width(), bar->Height(), dc.Get(), 0, 0,
               SRCCOPY);
    }
    EXPECT_TRUE(DrawnAt(screen, RightButtonX(1), 4, *close->PicMouseOn()));

    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown(); }));
    Paint(paint);
    EXPECT_TRUE(DrawnAt(paint, RightButtonX(1), 4, *close->PicMouseDown()));
    // Dragged off the title bar, released: nothing runs.
    HoverOver(At(bar->Width() / 2, bar->Height() + 60));
    LeftButton(false);
    PumpFor(200);
    EXPECT_FALSE(bar->MouseIsDown());
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarInput, CustomAndHelpButtonsReportTheirClicksWithTheirIndex) {
    TskTitleBarButton* custom = bar->Buttons()->Add();
    TBitmap picture(17, 17);
    custom->SetPicNormal(picture);
    bar->Buttons()->Add()->SetButtonType(skHelp);
    std::vector<std::pair<std::string, int>> clicks;
    bar->OnCustomBtnsClick = [&](TObject* sender, int index) {
        EXPECT_EQ(sender, bar);
        clicks.emplace_back("custom", index);
    };
    bar->OnHelpBtnClick = [&](TObject*, int index) { clicks.emplace_back("help", index); };
    Click(Centre(4));
    Click(Centre(5));
    EXPECT_EQ(clicks, (std::vector<std::pair<std::string, int>>{{"custom", 4}, {"help", 5}}));
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarInput, MinimizeOnTheMainFormMinimizesTheApplication) {
    TForm* main = application.CreateForm<TForm>();
    main->SetBounds(300, 300, 200, 100);
    main->HandleNeeded();
    auto* mainBar = new TskTitleBar(main);
    mainBar->SetParent(main);
    main->Show();
    PumpFor(100);
    mainBar->Buttons()->Items(3)->DoAction();
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(application.Handle()) != 0; }))
        << "the application as a whole";
    application.Restore();
    PumpFor(100);
    bar->Buttons()->Items(3)->DoAction();
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != 0; })) << "only that form";
    EXPECT_FALSE(IsIconic(application.Handle()));
}

TEST_F(TitleBarInput, ReleasingOverAnotherButtonRunsThatOne) {
    HoverOver(Centre(3));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown(); }));
    HoverOver(Centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 1; }));
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !form->Visible(); })) << "close ran";
    EXPECT_FALSE(IsIconic(form->Handle())) << "minimize did not";
}

TEST_F(TitleBarInput, AButtonUpWithoutAPressOnTheTitleBarRunsNothing) {
    HoverOver(Centre(1));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 1; }));
    const TPoint inside = bar->ScreenToClient(Centre(1));
    PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inside.X, inside.Y));
    PumpFor(300);
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarInput, AHotButtonThatWentAwayRunsNothing) {
    HoverOver(Centre(3));
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == 3; }));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->MouseIsDown(); }));
    bar->Buttons()->Delete(3);
    bar->Buttons()->Delete(2);
    LeftButton(false);
    PumpFor(300);
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_TRUE(form->Visible());
}

TEST_F(TitleBarInput, DraggingTheEmptyTitleMovesTheWindow) {
    const RECT before = WindowRect();
    const TPoint start = At(120, 10);
    HoverOver(start);
    Script drag([&] {
        LeftButton(true);
        for (int step = 1; step <= 10; ++step) {
            Sleep(30);
            MoveMouse(TPoint{start.X + 6 * step, start.Y + 4 * step});
        }
        Sleep(50);
        LeftButton(false);
    });
    drag.RunToEnd();
    const RECT after = WindowRect();
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_FALSE(bar->MouseIsDown());
}

TEST_F(TitleBarInput, APressMessageWithoutTheButtonDownStartsNoDrag) {
    const RECT before = WindowRect();
    const TPoint start = At(120, 10);
    HoverOver(start);
    // Were the window stuck to the pointer, this would move it; the click
    // ends such a move.
    Script user([&] {
        MoveMouse(TPoint{start.X + 50, start.Y + 50});
        Sleep(200);
        LeftButton(true);
        LeftButton(false);
    });
    PostMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 10));
    user.RunToEnd();
    const RECT after = WindowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(TitleBarInput, ADoubleClickOnTheEmptyTitleMaximizesOnlyThroughAVisibleMaximizeButton) {
    const RECT before = WindowRect();
    const auto doubleClick = [&] {
        HoverOver(At(120, 10));
        Script clicks([&] {
            LeftButton(true);
            LeftButton(false);
            Sleep(30);
            LeftButton(true);
            LeftButton(false);
        });
        clicks.RunToEnd();
    };
    doubleClick();
    EXPECT_FALSE(IsZoomed(form->Handle())) << "the maximize button is hidden";
    const RECT still = WindowRect();
    EXPECT_EQ(still.left, before.left);
    EXPECT_EQ(still.top, before.top);
    EXPECT_TRUE(form->Visible());

    bar->Buttons()->Items(2)->SetVisible(true);
    doubleClick();
    EXPECT_TRUE(IsZoomed(form->Handle())) << "the same double click with the button shown";
}

TEST_F(TitleBarInput, AMaximizeButtonShowsTheRestorePicturesWhileItsWindowIsMaximized) {
    TskTitleBarButton* max = bar->Buttons()->Items(2);
    max->SetVisible(true);
    TBitmap expected;
    const auto shows = [&](int first) {
        bool all = true;
        TBitmap* pictures[] = {max->PicNormal(), max->PicMouseOn(), max->PicMouseDown()};
        for (int k = 0; k < 3; ++k) {
            GetThemeImage(TskUIStyle::MacOS, ThemeElement::TitleBarButtonImage, &expected, 18,
                          first + k);
            all = all && SamePixels(*pictures[k], expected);
        }
        return all;
    };
    EXPECT_TRUE(shows(7));
    max->DoAction();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    EXPECT_TRUE(shows(10));
    TRect area;
    GetWorkArea(area);
    const RECT r = WindowRect();
    EXPECT_EQ(r.left, area.Left - 2);
    EXPECT_EQ(r.top, area.Top - 2);
    EXPECT_EQ(r.right, area.Right + 2);
    EXPECT_EQ(r.bottom, area.Bottom - 1);

    // Pressing the title of a maximized window does not drag it.
    const TPoint start = At(120, 10);
    HoverOver(start);
    Script drag([&] {
        LeftButton(true);
        MoveMouse(TPoint{start.X + 50, start.Y + 50});
        Sleep(50);
        LeftButton(false);
    });
    drag.RunToEnd();
    EXPECT_EQ(WindowRect().left, r.left);
    EXPECT_TRUE(IsZoomed(form->Handle()));

    max->DoAction();
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_TRUE(shows(7));
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    bar->RefreshMaxButtons();
    EXPECT_TRUE(shows(10)) << "after a size change made elsewhere";
    bar->SystemMenu()->MaximizeRestoreClick(nullptr);
    EXPECT_FALSE(IsZoomed(form->Handle())) << "the system menu's Maximize/Restore";
    EXPECT_TRUE(shows(7));
}

TEST_F(TitleBarInput, AClickOnTheControlBoxOpensTheSystemMenuAndItsLettersChoose) {
    TskTitleBarPopupMenu* menu = bar->SystemMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 4);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Mi&nimize");
    EXPECT_EQ(menu->Items()->Items(1)->Caption(), "Ma&ximize/Restore");
    EXPECT_EQ(menu->Items()->Items(2)->Caption(), "-");
    EXPECT_EQ(menu->Items()->Items(3)->Caption(), "&Close");
    UINT states[4] = {};
    int entries = -1;
    RECT menuRect{};
    Script user([&] {
        HWND open = nullptr;
        for (int i = 0; i < 300 && !(open = OpenMenuWindow()); ++i)
            Sleep(10);
        if (!open) return;
        HMENU handle = reinterpret_cast<HMENU>(SendMessageA(open, MN_GETHMENU, 0, 0));
        entries = GetMenuItemCount(handle);
        for (int i = 0; i < 4; ++i)
            states[i] = GetMenuState(handle, i, MF_BYPOSITION);
        GetWindowRect(open, &menuRect);
        Key('C', true);
        Key('C', false);
    });
    HoverOver(Centre(0));
    LeftButton(true);
    LeftButton(false);
    user.RunToEnd();
    EXPECT_EQ(entries, 4);
    EXPECT_FALSE(states[0] & (MF_GRAYED | MF_DISABLED)) << "a minimize button shows";
    EXPECT_TRUE(states[1] & MF_GRAYED) << "the only maximize button is hidden";
    EXPECT_FALSE(states[3] & (MF_GRAYED | MF_DISABLED));
    const TPoint below = bar->ClientToScreen(TPoint{0, bar->Height()});
    EXPECT_EQ(menuRect.left, below.X);
    EXPECT_EQ(menuRect.top, below.Y);
    EXPECT_FALSE(form->Visible()) << "C chose Close";
    EXPECT_FALSE(OpenMenuWindow());
}

TEST_F(TitleBarInput, AltAndALetterChooseInTheOpenSystemMenu) {
    // Alt is held from before the menu opens, as with Alt+Space; pressed
    // inside an open menu it would close the menu.
    Key(VK_MENU, true);
    PumpFor(50);
    Script user([&] {
        for (int i = 0; i < 300 && !OpenMenuWindow(); ++i)
            Sleep(10);
        Key('N', true);
        Key('N', false);
        Sleep(100);
        Key(VK_MENU, false);
        // Alt let go alone would put the window into menu mode: leave it.
        Sleep(100);
        Key(VK_ESCAPE, true);
        Key(VK_ESCAPE, false);
    });
    const TPoint below = At(0, bar->Height());
    bar->SystemMenu()->Popup(below.X, below.Y);
    user.RunToEnd();
    EXPECT_TRUE(IsIconic(form->Handle())) << "Alt+N chose Minimize";
    EXPECT_FALSE(OpenMenuWindow());
}
