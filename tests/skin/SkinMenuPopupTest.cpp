// A skinned popup menu really opened with TrackPopupMenu: the system measures
// and draws every entry (separator and sub-menu entry too) through the
// menu's handlers, and a real key press of an item's accelerator letter
// chooses it, although owner-drawn entries have no text of their own.

#include "framework/Forms.h"
#include "skin/SkinPopupMenu.h"

#include <gtest/gtest.h>

#include <set>

namespace {

WORD keyToPress = 0;
int ticksOpen = 0;

void PressKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Runs inside the menu's own loop: presses the key once the menu shows, and
// Escape when the menu is still open three seconds later.
void CALLBACK WhileOpen(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    if (++ticksOpen == 1) PressKey(keyToPress);
    if (ticksOpen == 60) PressKey(VK_ESCAPE);
}

class OpenSkinnedMenu : public testing::Test {
  protected:
    void SetUp() override {
        form.SetBounds(100, 100, 300, 200);
        form.Show();
        SetForegroundWindow(form.Handle());
        menu->SetUIStyle(TskUIStyle::WinXP);
        for (const char* caption : {"Mi&nimize", "Ma&ximize/Restore", "-", "&Close", "&More"})
            Add(caption, menu->Items());
        Add("Sub item", menu->Items()->Items(4));
        for (int i = 0; i < menu->Items()->Count(); ++i) { // notes what the system asks for
            TMenuItem* item = menu->Items()->Items(i);
            item->OnMeasureItem = [this, inner = item->OnMeasureItem](TObject* s, TCanvas& c,
                                                                      int& w, int& h) {
                measured.insert(s);
                inner(s, c, w, h);
            };
            item->OnDrawItem = [this, inner = item->OnDrawItem](TObject* s, TCanvas& c, TRect r,
                                                                bool selected) {
                drawn.insert(s);
                inner(s, c, r, selected);
            };
        }
    }
    void Add(const char* caption, TMenuItem* parent) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        item->OnClick = [this](TObject* sender) {
            clicked += static_cast<TMenuItem*>(sender)->Caption();
        };
        parent->Add(item);
    }
    void PopupPressing(WORD key) {
        keyToPress = key;
        ticksOpen = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &WhileOpen);
        menu->Popup(150, 150);
        KillTimer(nullptr, timer);
    }
    TForm form{nullptr};
    TskPopupMenu* menu = new TskPopupMenu(&form);
    std::string clicked;
    std::set<TObject*> measured, drawn;
};

TEST_F(OpenSkinnedMenu, EveryEntryIsMeasuredAndDrawnByTheMenuAndCChoosesClose) {
    PopupPressing('C');
    ASSERT_GT(ticksOpen, 0) << "the menu did not show";
    EXPECT_EQ(clicked, "&Close");
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        EXPECT_TRUE(measured.count(item) && drawn.count(item)) << item->Caption();
    }
}

TEST_F(OpenSkinnedMenu, NChoosesMinimizeAndALetterOfNoItemChoosesNothing) {
    PopupPressing('N');
    EXPECT_EQ(clicked, "Mi&nimize");
    clicked.clear();
    PopupPressing('Q');
    EXPECT_GE(ticksOpen, 60) << "the menu stays open until Escape";
    EXPECT_EQ(clicked, "");
}

} // namespace
