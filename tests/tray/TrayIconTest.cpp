// TTrayIcon against the real notification area of the virtual desktop: the
// shell calls it makes for each property change, the record it hands over,
// its hooks of the application window and the owner form.

#include "tray/TrayIcon.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "tests/tray/ShellRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <utility>

using ::testing::ElementsAre;

namespace {

class TrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = application.CreateForm<TForm>();
        form->HandleNeeded();
    }
    // An icon owned by the form, named and loaded as the form reader leaves it.
    TTrayIcon* LoadedIcon(const std::string& name, bool visible = true) {
        auto* icon = new TTrayIcon(form);
        icon->SetName(name);
        icon->Icon()->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
        if (!visible) icon->SetIconVisible(false);
        icon->Loaded();
        return icon;
    }
    WNDPROC ProcOf(HWND window) {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    }

    TApplication application;
    TForm* form = nullptr;
    ShellRecorder shell;
};

std::string TipOf(const ShellCall& call) {
    return std::string(call.Data.szTip);
}

bool TipAllZero(const ShellCall& call) {
    for (char c : call.Data.szTip)
        if (c != 0) return false;
    return true;
}

// ---- the record and the calls --------------------------------------------

TEST_F(TrayIconTest, LoadingEndModifiesThenAddsWithTheFixedRecord) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    ASSERT_THAT(shell.Messages(icon->IconWindow()), ElementsAre(NIM_MODIFY, NIM_ADD));
    const ShellCall& add = shell.Calls.back();
    EXPECT_TRUE(add.Succeeded) << "the virtual desktop's notification area takes the icon";
    EXPECT_EQ(sizeof(TNotifyIconData), add.Data.cbSize);
    EXPECT_EQ(icon->IconWindow(), add.Data.hWnd);
    EXPECT_EQ(1u, add.Data.uID);
    EXPECT_EQ(7u, add.Data.uFlags);
    EXPECT_EQ(0x0800u, add.Data.uCallbackMessage);
    EXPECT_EQ(icon->Icon()->Handle(), add.Data.hIcon);
    EXPECT_TRUE(TipAllZero(add));
    EXPECT_EQ(0u, add.Data.dwState);
    EXPECT_EQ(0u, add.Data.uTimeout);
    EXPECT_EQ(0, add.Data.szInfo[0]);
}

TEST_F(TrayIconTest, RecordHasTheShellsSecondLayoutSize) {
    // 488 bytes in the 32-bit program (checked at compile time there).
    EXPECT_EQ(static_cast<size_t>(NOTIFYICONDATAA_V2_SIZE), sizeof(TNotifyIconData));
}

TEST_F(TrayIconTest, HintChangeIsOneModifyCarryingTheTip) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    shell.Clear();
    icon->SetHint("800x480x32");
    ASSERT_THAT(shell.Messages(), ElementsAre(NIM_MODIFY));
    EXPECT_TRUE(shell.Calls[0].Succeeded);
    EXPECT_EQ("800x480x32", TipOf(shell.Calls[0]));
}

TEST_F(TrayIconTest, HintLongerThan127IsCut) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    icon->SetHint(std::string(200, 'x'));
    const ShellCall& call = shell.Calls.back();
    EXPECT_EQ(std::string(127, 'x'), std::string(call.Data.szTip, 127));
    EXPECT_EQ(0, call.Data.szTip[127]);
    EXPECT_EQ(std::string(200, 'x'), icon->Hint()) << "the property keeps the whole text";
}

TEST_F(TrayIconTest, EmptyOrHiddenHintZeroesTheWholeTipButKeepsTheIcon) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    icon->SetHint("Num Lock ON");
    icon->SetHint("");
    EXPECT_TRUE(TipAllZero(shell.Calls.back()));
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), shell.Calls.back().Message);
    EXPECT_TRUE(shell.Calls.back().Succeeded) << "the icon is still there";

    icon->SetHint("a long hint that leaves bytes behind when it is shortened");
    icon->SetShowHint(false);
    EXPECT_TRUE(TipAllZero(shell.Calls.back()));
    icon->SetShowHint(true);
    EXPECT_EQ(icon->Hint(), TipOf(shell.Calls.back()));
}

TEST_F(TrayIconTest, ShortHintAfterLongOneLeavesNoTailOfTheOld) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    icon->SetHint("1024x768x32 and more");
    icon->SetHint("OFF");
    const ShellCall& call = shell.Calls.back();
    EXPECT_EQ("OFF", TipOf(call));
    for (size_t i = 3; i < sizeof call.Data.szTip; ++i)
        ASSERT_EQ(0, call.Data.szTip[i]) << i;
}

// Calls whose effect is in place are left out (the indicators set every
// property every 50 ms): the tray shows the same either way.

TEST_F(TrayIconTest, VisibleTwiceAddsOnce) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    shell.Clear();
    icon->SetIconVisible(true);
    EXPECT_TRUE(shell.Calls.empty()) << "the tray holds the icon already";
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(TrayHolds(icon->IconWindow()));
}

TEST_F(TrayIconTest, UnchangedPictureAndTipAreNotSentAgain) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    icon->SetHint("800x480x32");
    shell.Clear();
    icon->SetHint("800x480x32");
    icon->RefreshIcon();
    TIcon copy;
    copy.Assign(*icon->Icon());
    icon->SetIcon(copy); // another handle, the same pixels
    EXPECT_TRUE(shell.Calls.empty());

    icon->SetIcon(*SquareIcon(clRed));
    ASSERT_THAT(shell.Messages(), ElementsAre(NIM_MODIFY));
    EXPECT_EQ(clRed, shell.Shown(icon->IconWindow())->PixelAt(8, 8));
    EXPECT_EQ("800x480x32", TipOf(*shell.Shown(icon->IconWindow())));
    icon->SetShowHint(false);
    EXPECT_TRUE(TipAllZero(*shell.Shown(icon->IconWindow()))) << "a tip change alone is sent";
}

TEST_F(TrayIconTest, HiddenIconIsDeletedOnceAndItsModifiesAreRefused) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    shell.Clear();
    icon->SetIconVisible(false);
    icon->SetIconVisible(false);
    icon->SetHint("x");
    ASSERT_THAT(shell.Messages(), ElementsAre(NIM_DELETE, NIM_MODIFY));
    EXPECT_TRUE(shell.Calls[0].Succeeded);
    EXPECT_FALSE(shell.Calls[1].Succeeded);
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_FALSE(TrayHolds(icon->IconWindow()));
}

TEST_F(TrayIconTest, DescriptionWithIconVisibleFalseNeverAdds) {
    TTrayIcon* icon = LoadedIcon("TextTrayIcon1", false);
    for (DWORD message : shell.Messages(icon->IconWindow()))
        EXPECT_NE(DWORD(NIM_ADD), message);
    EXPECT_FALSE(icon->IconVisible());
}

TEST_F(TrayIconTest, DestructionDeletesTheIconAndTheWindow) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    const HWND window = icon->IconWindow();
    shell.Clear();
    delete icon;
    ASSERT_FALSE(shell.Calls.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), shell.Calls[0].Message);
    EXPECT_TRUE(shell.Calls[0].Succeeded);
    for (const auto& call : shell.Calls)
        EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), call.Message);
    EXPECT_FALSE(IsWindow(window));
}

// ---- the taskbar comes back ----------------------------------------------

TEST_F(TrayIconTest, TaskbarCreatedReAddsVisibleIconsOnlyWithTheirLook) {
    TTrayIcon* shown = LoadedIcon("TrayIcon1");
    TTrayIcon* hidden = LoadedIcon("TextTrayIcon1", false);
    shown->SetHint("Num Lock ON");
    const ShellCall before = *shell.Shown(shown->IconWindow());
    shell.Clear();
    // The icon still takes itself for shown: its memory must not hold the re-add back.
    LoseBehindItsBack(shown->IconWindow());

    SendMessageA(application.Handle(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_THAT(shell.Messages(shown->IconWindow()), ElementsAre(NIM_ADD));
    EXPECT_TRUE(shell.Calls.at(0).Succeeded);
    EXPECT_TRUE(shell.Messages(hidden->IconWindow()).empty());
    EXPECT_TRUE(TrayHolds(shown->IconWindow()));
    EXPECT_FALSE(TrayHolds(hidden->IconWindow()));
    EXPECT_EQ("Num Lock ON", TipOf(shell.Calls.at(0)));
    EXPECT_EQ(before.Picture, shell.Calls.at(0).Picture);
}

// ---- hooks -----------------------------------------------------------------

TEST_F(TrayIconTest, HooksChainInCreationOrderAndComeOffInReverse) {
    const WNDPROC appBefore = ProcOf(application.Handle());
    const WNDPROC formBefore = ProcOf(form->Handle());
    TTrayIcon* first = LoadedIcon("TrayIcon1");
    const WNDPROC appAfterFirst = ProcOf(application.Handle());
    const WNDPROC formAfterFirst = ProcOf(form->Handle());
    EXPECT_NE(appBefore, appAfterFirst);
    EXPECT_NE(formBefore, formAfterFirst);
    TTrayIcon* second = LoadedIcon("TrayIcon2");
    EXPECT_NE(appAfterFirst, ProcOf(application.Handle()));

    delete second;
    EXPECT_EQ(appAfterFirst, ProcOf(application.Handle()));
    EXPECT_EQ(formAfterFirst, ProcOf(form->Handle()));
    delete first;
    EXPECT_EQ(appBefore, ProcOf(application.Handle()));
    EXPECT_EQ(formBefore, ProcOf(form->Handle()));
}

TEST_F(TrayIconTest, DestroyingTheFirstHookerFirstKeepsTheChainWhole) {
    const WNDPROC appBefore = ProcOf(application.Handle());
    TTrayIcon* first = LoadedIcon("TrayIcon1");
    TTrayIcon* second = LoadedIcon("TrayIcon2");
    delete first;
    // The second icon's hook still reaches the application's own procedure.
    shell.Clear();
    SendMessageA(application.Handle(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_THAT(shell.Messages(second->IconWindow()), ElementsAre(NIM_ADD));
    char title[64] = {};
    application.SetTitle("still answering");
    GetWindowTextA(application.Handle(), title, sizeof title);
    EXPECT_STREQ("still answering", title);
    delete second;
    EXPECT_EQ(appBefore, ProcOf(application.Handle()));
}

// ---- what the icon lets go of ------------------------------------------------

// Records the removals it is told of.
template <class Base> class Listening : public Base {
  public:
    using Base::Base;
    std::vector<TComponent*> removals;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        Base::Notification(component, operation);
        if (operation == TOperation::opRemove) removals.push_back(component);
    }
};

TEST_F(TrayIconTest, ListAndMenuReplacedAreNotToldOfTheIconsEnd) {
    auto* oldList = new Listening<TImageList>(form, 16, 16);
    auto* oldMenu = new Listening<TPopupMenu>(form);
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    icon->SetIconList(oldList);
    icon->SetPopupMenu(oldMenu);
    icon->SetIconList(new TImageList(form, 16, 16));
    icon->SetPopupMenu(new TPopupMenu(form));
    // Owned siblings hear of each other anyway; an old reference must not
    // hear twice (it might be freed before the icon).
    delete icon;
    EXPECT_EQ(1, std::count(oldList->removals.begin(), oldList->removals.end(), icon));
    EXPECT_EQ(1, std::count(oldMenu->removals.begin(), oldMenu->removals.end(), icon));
}

TEST_F(TrayIconTest, ConstructorOutOfHookPlacesLeavesTheApplicationWindowAsItWas) {
    // Icons without a form take one place each (the application window's).
    std::vector<TTrayIcon*> loose;
    try {
        for (;;)
            loose.push_back(new TTrayIcon(nullptr));
    } catch (const Exception& full) {
        EXPECT_STREQ("Too many tray icons", full.what());
    }
    ASSERT_FALSE(loose.empty());
    delete loose.back();
    loose.pop_back();
    // One place left: the application window's hook takes it, the form's fails.
    const WNDPROC before = ProcOf(application.Handle());
    EXPECT_THROW(new TTrayIcon(form), Exception);
    EXPECT_EQ(before, ProcOf(application.Handle())) << "no hook left behind for the freed icon";
    SendMessageA(application.Handle(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    loose.push_back(new TTrayIcon(nullptr)); // the place was given back
    for (auto it = loose.rbegin(); it != loose.rend(); ++it)
        delete *it;
}

} // namespace

namespace {

// ---- mouse: the click rules ------------------------------------------------

class TrayIconMouseTest : public TrayIconTest {
  protected:
    void SetUp() override {
        TrayIconTest::SetUp();
        icon = LoadedIcon("TrayIcon1");
        icon->OnClick = [this](TObject*) { events += "click "; };
        icon->OnDblClick = [this](TObject*) { events += "dblclick "; };
        icon->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
            events += "down" + std::to_string(int(button)) + " ";
            lastShift = shift;
            lastX = x;
            lastY = y;
        };
        icon->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            events += "up" + std::to_string(int(button)) + " ";
        };
    }
    void Mouse(UINT message) { SendMessageA(icon->IconWindow(), TrayIconMessage, 0, message); }
    // What the double-click time running out does.
    void ClickTimeRunsOut() {
        ASSERT_TRUE(icon->ClickTimer()->Enabled());
        icon->ClickTimer()->OnTimer(icon->ClickTimer());
    }

    TTrayIcon* icon = nullptr;
    std::string events;
    TShiftState lastShift = 0;
    int lastX = -1, lastY = -1;
    CursorAt cursor{700, 750};
};

TEST_F(TrayIconMouseTest, ClickFiresWhenTheDoubleClickTimeRunsOut) {
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ("down0 up0 ", events) << "no click before the timer";
    ClickTimeRunsOut();
    EXPECT_EQ("down0 up0 click ", events);
    EXPECT_FALSE(icon->ClickTimer()->Enabled());
}

TEST_F(TrayIconMouseTest, ClickTimerRunsForTheSystemDoubleClickTime) {
    EXPECT_EQ(GetDoubleClickTime(), icon->ClickTimer()->Interval());
    EXPECT_FALSE(icon->ClickTimer()->Enabled());
    Mouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(icon->ClickTimer()->Enabled());
}

TEST_F(TrayIconMouseTest, ReleaseAfterTheTimerClicksAtOnce) {
    Mouse(WM_LBUTTONDOWN);
    ClickTimeRunsOut();
    EXPECT_EQ("down0 ", events);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ("down0 click up0 ", events);
}

TEST_F(TrayIconMouseTest, DoubleClickFiresNoClick) {
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    ClickTimeRunsOut();
    EXPECT_EQ("down0 up0 dblclick up0 ", events);
}

TEST_F(TrayIconMouseTest, RightClickNeverClicks) {
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    EXPECT_FALSE(icon->ClickTimer()->Enabled());
    EXPECT_EQ("down1 up1 ", events);
}

TEST_F(TrayIconMouseTest, MouseEventsCarryTheCursorAndTheButton) {
    Mouse(WM_MBUTTONDOWN);
    EXPECT_EQ(700, lastX);
    EXPECT_EQ(750, lastY);
    EXPECT_TRUE(lastShift & ssMiddle);
    Mouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(lastShift & ssLeft);
    EXPECT_FALSE(lastShift & (ssRight | ssMiddle));
}

TEST_F(TrayIconMouseTest, DisabledIconIgnoresTheMouse) {
    icon->SetEnabled(false);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN})
        Mouse(message);
    EXPECT_EQ("", events);
    EXPECT_FALSE(icon->ClickTimer()->Enabled());
}

// A menu that records where it was asked to open instead of tracking.
class RecordingMenu : public TPopupMenu {
  public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        opened.push_back({x, y});
        foreground = GetForegroundWindow();
        if (whileOpen) whileOpen(); // what a chosen item's handler would do
    }
    std::vector<POINT> opened;
    HWND foreground = nullptr;
    std::function<void()> whileOpen;
};

TEST_F(TrayIconMouseTest, RightPressOpensTheMenuAtTheCursorWithUsInFront) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    Mouse(WM_RBUTTONDOWN);
    ASSERT_EQ(1u, menu->opened.size()) << "on the press, not the release";
    EXPECT_EQ(700, menu->opened[0].x);
    EXPECT_EQ(750, menu->opened[0].y);
    EXPECT_EQ(icon, menu->PopupComponent());
    DWORD process = 0;
    GetWindowThreadProcessId(menu->foreground, &process);
    EXPECT_EQ(GetCurrentProcessId(), process);
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(1u, menu->opened.size());
}

TEST_F(TrayIconMouseTest, MenuWithoutAutoPopupStaysShut) {
    auto* menu = new RecordingMenu(form);
    menu->SetAutoPopup(false);
    icon->SetPopupMenu(menu);
    Mouse(WM_RBUTTONDOWN);
    EXPECT_TRUE(menu->opened.empty());
}

TEST_F(TrayIconMouseTest, LeftPopupOpensOnTheLeftPress) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    Mouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(menu->opened.empty());
    icon->SetLeftPopup(true);
    Mouse(WM_LBUTTONDOWN);
    EXPECT_EQ(1u, menu->opened.size());
}

TEST_F(TrayIconMouseTest, DoubleClickRunsTheFirstDefaultItem) {
    auto* menu = new RecordingMenu(form);
    std::string clicked;
    for (const char* name : {"Plain", "First", "Second"}) {
        auto* item = new TMenuItem(form);
        item->SetCaption(name);
        item->SetDefault(std::string(name) != "Plain");
        item->OnClick = [&clicked, name](TObject*) { clicked += name; };
        menu->Items()->Add(item);
    }
    icon->SetPopupMenu(menu);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ("dblclick ", events);
    EXPECT_EQ("First", clicked);
}

TEST_F(TrayIconMouseTest, DoubleClickWithoutDefaultItemOnlyReportsIt) {
    auto* menu = new RecordingMenu(form);
    auto* item = new TMenuItem(form);
    bool clicked = false;
    item->OnClick = [&clicked](TObject*) { clicked = true; };
    menu->Items()->Add(item);
    icon->SetPopupMenu(menu);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ("dblclick ", events);
    EXPECT_FALSE(clicked);
    EXPECT_TRUE(menu->opened.empty());
}

TEST_F(TrayIconMouseTest, RemovedMenuIsForgotten) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(nullptr, icon->PopupMenu());
    Mouse(WM_RBUTTONDOWN); // must not reach the freed menu
    EXPECT_EQ("down1 ", events);
}

// The messages pumped before the menu opens, and the menu's own loop, run
// handlers that may free the menu or the icon.
class TrayIconPumpTest : public TrayIconMouseTest {
  protected:
    // Runs action from a message the icon's pump will handle.
    void DuringThePump(std::function<void()> action) {
        TTrayIcon* other = LoadedIcon("TrayIcon2");
        other->OnMouseMove = [action](TObject*, TShiftState, int, int) { action(); };
        PostMessageA(other->IconWindow(), TrayIconMessage, 0, WM_MOUSEMOVE);
    }
};

TEST_F(TrayIconPumpTest, MenuFreedWhileMessagesArePumpedIsNotOpened) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    DuringThePump([&] { delete std::exchange(menu, nullptr); });
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(nullptr, menu) << "the pump ran the handler";
    EXPECT_EQ(nullptr, icon->PopupMenu());
    EXPECT_EQ("down1 ", events);
}

TEST_F(TrayIconPumpTest, IconFreedWhileMessagesArePumpedOpensNothing) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    DuringThePump([&] { delete std::exchange(icon, nullptr); });
    SendMessageA(icon->IconWindow(), TrayIconMessage, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(nullptr, icon) << "the pump ran the handler";
    EXPECT_TRUE(menu->opened.empty());
    EXPECT_EQ(nullptr, menu->PopupComponent());
}

// Sees the messages this thread takes from its queue.
class PostedMessages {
  public:
    PostedMessages() {
        Current() = this;
        hook_ = SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, GetCurrentThreadId());
    }
    ~PostedMessages() {
        UnhookWindowsHookEx(hook_);
        Current() = nullptr;
    }
    PostedMessages(const PostedMessages&) = delete;
    PostedMessages& operator=(const PostedMessages&) = delete;
    std::vector<MSG> taken;

  private:
    static PostedMessages*& Current() {
        static PostedMessages* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && wParam == PM_REMOVE && Current())
            Current()->taken.push_back(*reinterpret_cast<MSG*>(lParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

TEST_F(TrayIconPumpTest, IconFreedByAMenuCommandIsLeftAlone) {
    auto* menu = new RecordingMenu(form);
    icon->SetPopupMenu(menu);
    menu->whileOpen = [&] { delete std::exchange(icon, nullptr); };
    const HWND window = icon->IconWindow();
    application.ProcessMessages();
    PostedMessages posted;
    SendMessageA(window, TrayIconMessage, 0, WM_RBUTTONDOWN);
    application.ProcessMessages();
    EXPECT_EQ(1u, menu->opened.size());
    for (const MSG& message : posted.taken)
        EXPECT_FALSE(message.hwnd == form->Handle() && message.message == WM_NULL)
            << "the freed icon's owner was still sent its wake-up";
}

// ---- minimize to tray --------------------------------------------------------

TEST_F(TrayIconTest, MinimizeWithMinimizeToTrayHidesWindowAndTaskbarButton) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    form->Show();
    icon->SetMinimizeToTray(true);
    shell.Clear();
    application.Minimize();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(application.Handle()));
    EXPECT_TRUE(TrayHolds(icon->IconWindow())) << "the icon stays";
    EXPECT_TRUE(shell.Messages(icon->IconWindow()).empty()) << "it was there: no second add";

    // Showing the form again restores the application and brings both forward.
    form->Show();
    EXPECT_FALSE(IsIconic(application.Handle()));
    EXPECT_TRUE(IsWindowVisible(application.Handle()));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

// Where a hook's exception stops: the error box, read and closed from another
// thread; the window's own handling still runs.
class TThrowingTrayIcon : public TTrayIcon {
  public:
    using TTrayIcon::TTrayIcon;

  protected:
    void PerformMinimizeToTray() override { throw Exception("Tray is busy"); }
};

TEST_F(TrayIconTest, AnExceptionInTheApplicationWindowHookShowsTheBoxAndTheWindowGoesOn) {
    application.SetTitle("MOXEL Utility V1.1");
    auto* icon = new TThrowingTrayIcon(form);
    icon->Loaded();
    icon->SetMinimizeToTray(true);
    form->Show();
    std::atomic<bool> seen{false};
    std::string text;
    std::thread watcher([&] {
        for (int i = 0; i < 500 && !seen; ++i) {
            if (HWND box = FindWindowA("#32770", "MOXEL Utility V1.1")) {
                char buffer[256] = {};
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                text = buffer;
                seen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(10);
        }
    });
    application.Minimize();
    watcher.join();
    EXPECT_TRUE(seen);
    EXPECT_EQ(text, "Tray is busy.");
    EXPECT_TRUE(IsIconic(application.Handle())) << "the minimize itself went through";
}

TEST_F(TrayIconTest, MinimizeWithoutMinimizeToTrayStaysAnOrdinaryMinimize) {
    LoadedIcon("TrayIcon1");
    form->Show();
    application.Minimize();
    EXPECT_TRUE(IsIconic(application.Handle()));
    EXPECT_TRUE(IsWindowVisible(application.Handle()));
}

TEST_F(TrayIconTest, StartMinimizedKeepsTheMainFormFromShowing) {
    auto* icon = new TTrayIcon(form);
    icon->SetStartMinimized(true);
    icon->Loaded();
    EXPECT_FALSE(application.ShowMainForm());
    EXPECT_FALSE(IsWindowVisible(application.Handle()));
}

// ---- image list ----------------------------------------------------------------

class TrayIconListTest : public TrayIconTest {
  protected:
    void SetUp() override {
        TrayIconTest::SetUp();
        list = new TImageList(form, 16, 16);
        for (TColor color : {clRed, clLime, clBlue}) {
            TBitmap picture(16, 16);
            picture.Canvas().Brush().SetColor(color);
            picture.Canvas().FillRect(TRect{0, 0, 16, 16});
            list->AddMasked(picture, clNone);
        }
        icon = LoadedIcon("TrayIcon1");
    }
    // The centre colour of the icon the tray gets.
    TColor ShownColor() { return PixelOf(PictureOf(icon->Icon()->Handle()), 8, 8); }
    TImageList* list = nullptr;
    TTrayIcon* icon = nullptr;
};

TEST_F(TrayIconListTest, IconIndexPicksTheImageAndClampsToTheList) {
    icon->SetIconList(list);
    icon->SetIconIndex(1);
    EXPECT_EQ(clLime, ShownColor());
    icon->SetIconIndex(7);
    EXPECT_EQ(2, icon->IconIndex());
    EXPECT_EQ(clBlue, ShownColor());
    icon->SetIconIndex(-3);
    EXPECT_EQ(0, icon->IconIndex());
    EXPECT_EQ(clRed, ShownColor());
}

TEST_F(TrayIconListTest, IconIndexWithoutListIsZero) {
    icon->SetIconIndex(2);
    EXPECT_EQ(0, icon->IconIndex());
    auto* empty = new TImageList(form, 16, 16);
    icon->SetIconList(empty);
    icon->SetIconIndex(1);
    EXPECT_EQ(0, icon->IconIndex()) << "an empty list has no image to clamp to";
}

TEST_F(TrayIconListTest, CycleReportsNextIndexWhileShowingTheCurrent) {
    icon->SetIconList(list);
    std::vector<int> reported;
    std::vector<TColor> shown;
    icon->OnCycle = [&](TObject*, int next) { reported.push_back(next); };
    icon->SetCycleInterval(100000); // ticks come from the test
    icon->SetCycleIcons(true);
    auto* cycleTimer = dynamic_cast<TTimer*>(icon->Components(0));
    ASSERT_NE(nullptr, cycleTimer);
    EXPECT_TRUE(cycleTimer->Enabled());
    std::vector<TColor> inTray;
    for (int tick = 0; tick < 4; ++tick) {
        shell.Clear();
        cycleTimer->OnTimer(cycleTimer);
        shown.push_back(ShownColor());
        inTray.push_back(shell.Shown(icon->IconWindow())->PixelAt(8, 8));
        EXPECT_LE(shell.Calls.size(), 1u) << "at most one modify a step";
    }
    EXPECT_THAT(reported, ElementsAre(1, 2, 0, 1));
    EXPECT_THAT(shown, ElementsAre(clRed, clLime, clBlue, clRed));
    EXPECT_THAT(inTray, ElementsAre(clRed, clLime, clBlue, clRed));
}

TEST_F(TrayIconListTest, RemovedListIsForgotten) {
    icon->SetIconList(list);
    icon->SetIconIndex(2);
    delete list;
    EXPECT_EQ(nullptr, icon->IconList());
    EXPECT_EQ(0, icon->IconIndex());
}

TEST_F(TrayIconListTest, BitmapToIconMakesOnlyTheMaskColourTransparent) {
    TBitmap picture(16, 16);
    picture.Canvas().Brush().SetColor(clFuchsia);
    picture.Canvas().FillRect(TRect{0, 0, 16, 16});
    picture.Canvas().Brush().SetColor(clLime);
    picture.Canvas().FillRect(TRect{4, 4, 12, 12});
    TIcon opaque, masked;
    EXPECT_TRUE(TTrayIcon::BitmapToIcon(picture, opaque, clNone));
    EXPECT_TRUE(TTrayIcon::BitmapToIcon(picture, masked, clFuchsia));
    const std::vector<TColor> whole = PictureOf(opaque.Handle());
    const std::vector<TColor> cut = PictureOf(masked.Handle());
    for (auto [x, y] : {std::pair{0, 0}, {15, 3}, {12, 12}, {15, 15}}) {
        EXPECT_EQ(clFuchsia, PixelOf(whole, x, y)) << "clNone keeps every pixel";
        EXPECT_EQ(clWhite, PixelOf(cut, x, y)) << "the mask colour lets the white through";
    }
    for (auto [x, y] : {std::pair{4, 4}, {11, 11}}) {
        EXPECT_EQ(clLime, PixelOf(whole, x, y));
        EXPECT_EQ(clLime, PixelOf(cut, x, y));
    }
}

} // namespace
