// A skinned popup menu really opened with TrackPopupMenu: the system measures
// and draws every entry (separator and sub-menu entry too) through the
// menu's handlers, and a real key press of an item's accelerator letter
// chooses it, although owner-drawn entries have no text of their own.

#include "framework/Forms.h"
#include "skin/SkinPopupMenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

void PressKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

HWND OpenMenuWindow() {
    HWND window = FindWindowA("#32768", nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Runs while the menu's own message loop does: once the menu shows, the
// check runs and the key is pressed; a menu still open a few seconds later
// is closed with Escape, so a failing test ends.
class WhileOpen {
  public:
    WhileOpen(WORD key, std::function<void(HWND)> check) {
        current_ = this;
        key_ = key;
        check_ = std::move(check);
        timer_ = SetTimer(nullptr, 0, 50, &WhileOpen::Tick);
    }
    ~WhileOpen() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Pressed() const { return pressed_; }
    bool Escaped() const { return escaped_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileOpen* self = current_;
        if (!self) return;
        HWND menu = OpenMenuWindow();
        if (!menu) return;
        if (!self->pressed_) {
            self->pressed_ = true;
            if (self->check_) self->check_(menu);
            PressKey(self->key_);
        } else if (++self->ticksAfter_ > 60) {
            self->escaped_ = true;
            PressKey(VK_ESCAPE);
        }
    }
    static inline WhileOpen* current_ = nullptr;
    WORD key_ = 0;
    std::function<void(HWND)> check_;
    UINT_PTR timer_ = 0;
    bool pressed_ = false;
    bool escaped_ = false;
    int ticksAfter_ = 0;
};

class OpenSkinnedMenu : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        form->HandleNeeded();
        form->Show();
        SetForegroundWindow(form->Handle());
        menu = new TskPopupMenu(form.get());
        menu->SetUIStyle(TskUIStyle::WinXP);
        for (const char* caption : {"Mi&nimize", "Ma&ximize/Restore", "-", "&Close"})
            Add(caption, menu->Items());
        Add("Sub item", Add("&More", menu->Items()));
        Record();
    }
    TMenuItem* Add(const std::string& caption, TMenuItem* parent) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        item->OnClick = [this](TObject* sender) {
            clicked.push_back(static_cast<TMenuItem*>(sender)->Caption());
        };
        parent->Add(item);
        return item;
    }
    // Notes every item the system measures and draws, then lets the menu's
    // own handler do it.
    void Record() {
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            TMenuItem* item = menu->Items()->Items(i);
            item->OnMeasureItem = [this, inner = item->OnMeasureItem](TObject* sender, TCanvas& c,
                                                                      int& w, int& h) {
                measured.insert(sender);
                inner(sender, c, w, h);
            };
            item->OnDrawItem = [this, inner = item->OnDrawItem](TObject* sender, TCanvas& c,
                                                                TRect r, bool selected) {
                drawn.insert(sender);
                inner(sender, c, r, selected);
            };
        }
    }
    std::unique_ptr<TForm> form;
    TskPopupMenu* menu = nullptr;
    std::vector<std::string> clicked;
    std::set<TObject*> measured, drawn;
};

TEST_F(OpenSkinnedMenu, EveryEntryIsMeasuredAndDrawnByTheMenuAndCChoosesClose) {
    RECT menuRect{};
    {
        WhileOpen open('C', [&](HWND window) { GetWindowRect(window, &menuRect); });
        menu->Popup(150, 150);
        ASSERT_TRUE(open.Pressed()) << "the menu did not show";
        EXPECT_FALSE(open.Escaped()) << "the letter chose nothing";
    }
    EXPECT_EQ(clicked, std::vector<std::string>{"&Close"});
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        EXPECT_TRUE(measured.count(item)) << item->Caption();
        EXPECT_TRUE(drawn.count(item)) << item->Caption();
    }
    // Five entries of 21 pixels but the 5-pixel separator, inside the frame.
    const int height = menuRect.bottom - menuRect.top;
    EXPECT_GE(height, 4 * 21 + 5);
    EXPECT_LE(height, 4 * 21 + 5 + 8);
}

TEST_F(OpenSkinnedMenu, NChoosesMinimizeAndALetterOfNoItemChoosesNothing) {
    {
        WhileOpen open('N', nullptr);
        menu->Popup(150, 150);
        ASSERT_TRUE(open.Pressed());
    }
    EXPECT_EQ(clicked, std::vector<std::string>{"Mi&nimize"});
    clicked.clear();
    {
        WhileOpen open('Q', nullptr);
        menu->Popup(150, 150);
        EXPECT_TRUE(open.Escaped()) << "the menu stays open until Escape";
    }
    EXPECT_TRUE(clicked.empty());
}

} // namespace
