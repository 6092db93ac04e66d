// TTrayIcon against the real notification area of the virtual desktop: the
// shell calls it makes for each property change, the record it hands over,
// its hooks of the application window and the owner form.

#include "tray/TrayIcon.h"

#include "framework/Application.h"
#include "tests/tray/ShellRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

std::string TipOf(const ShellCall& call) { return std::string(call.Data.szTip); }

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
    for (size_t i = 3; i < sizeof call.Data.szTip; ++i) ASSERT_EQ(0, call.Data.szTip[i]) << i;
}

TEST_F(TrayIconTest, VisibleTwiceAddsTwiceAndTheShellRefusesTheSecond) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    shell.Clear();
    icon->SetIconVisible(true);
    ASSERT_THAT(shell.Messages(), ElementsAre(NIM_ADD));
    EXPECT_FALSE(shell.Calls[0].Succeeded);
    EXPECT_TRUE(icon->IconVisible());
}

TEST_F(TrayIconTest, HiddenIconIsDeletedAndItsModifiesAreRefused) {
    TTrayIcon* icon = LoadedIcon("TrayIcon1");
    shell.Clear();
    icon->SetIconVisible(false);
    icon->SetHint("x");
    ASSERT_THAT(shell.Messages(), ElementsAre(NIM_DELETE, NIM_MODIFY));
    EXPECT_TRUE(shell.Calls[0].Succeeded);
    EXPECT_FALSE(shell.Calls[1].Succeeded);
    EXPECT_FALSE(icon->IconVisible());
}

TEST_F(TrayIconTest, DescriptionWithIconVisibleFalseNeverAdds) {
    TTrayIcon* icon = LoadedIcon("TextTrayIcon1", false);
    for (DWORD message : shell.Messages(icon->IconWindow())) EXPECT_NE(DWORD(NIM_ADD), message);
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
    for (const auto& call : shell.Calls) EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), call.Message);
    EXPECT_FALSE(IsWindow(window));
}

// ---- the taskbar comes back ----------------------------------------------

TEST_F(TrayIconTest, TaskbarCreatedReAddsVisibleIconsOnly) {
    TTrayIcon* shown = LoadedIcon("TrayIcon1");
    TTrayIcon* hidden = LoadedIcon("TextTrayIcon1", false);
    shown->SetIconVisible(false); // as if the shell had lost it
    shown->SetIconVisible(true);
    shown->RefreshIcon();
    shell.Clear();
    // Take it out behind the component's back, as a restarted shell would have.
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V2_SIZE;
    gone.hWnd = shown->IconWindow();
    gone.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));

    SendMessageA(application.Handle(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_THAT(shell.Messages(shown->IconWindow()), ElementsAre(NIM_ADD));
    EXPECT_TRUE(shell.Calls.at(0).Succeeded);
    EXPECT_TRUE(shell.Messages(hidden->IconWindow()).empty());
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

} // namespace
