// The Windows side of the framework on the real platform: device contexts are
// left as found, bitmaps keep their pixels, window procedures chain, timers
// tick, forms keep their client size, and an exception escaping a handler ends
// in the application's error box.

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Exceptions.h"
#include "framework/KeyboardNavigation.h"
#include "framework/Timer.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(CanvasTest, DrawingLeavesTheDeviceContextAsFound) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
    HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    {
        TCanvas canvas;
        canvas.Attach(dc.Get());
        canvas.Font().SetName("Tahoma");
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
        canvas.Rectangle(0, 0, 5, 5);
        canvas.TextOut(0, 0, "x");
        SetViewportOrgEx(dc.Get(), 7, 7, nullptr);
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
    POINT origin{};
    GetViewportOrgEx(dc.Get(), &origin);
    EXPECT_EQ(origin.x, 0);
}

TEST(BitmapTest, ResizingKeepsThePixelsThatStillFit) {
    TBitmap bitmap(4, 22);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(TRect{0, 0, 4, 12});
    bitmap.Canvas().Brush().SetColor(clLime);
    bitmap.Canvas().FillRect(TRect{0, 12, 4, 22});
    bitmap.SetHeight(12);
    EXPECT_EQ(bitmap.Height(), 12);
    EXPECT_EQ(bitmap.Pixel(3, 11), clRed);
    bitmap.SetSize(8, 12);
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Pixel(7, 0), clWhite);
}

TEST(BitmapTest, StreamRoundTripAndAutomaticTransparentColour) {
    TBitmap source(3, 2);
    source.SetPixel(0, 1, clFuchsia); // bottom-left decides the transparent colour
    source.SetPixel(2, 0, clNavy);
    TMemoryStream stream;
    source.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_EQ(copy.Pixel(2, 0), clNavy);
    EXPECT_EQ(copy.TransparentColor(), clFuchsia);
}

TEST(BitmapTest, StreamsThatHoldNoBitmapAreRefused) {
    TBitmap bitmap;
    TMemoryStream notBitmap(std::vector<uint8_t>(64, 'x'));
    EXPECT_THROW(bitmap.LoadFromStream(notBitmap), EInvalidGraphic);
    TBitmap source(16, 16);
    TMemoryStream whole;
    source.SaveToStream(whole);
    std::vector<uint8_t> cut(whole.Bytes().begin(), whole.Bytes().begin() + 100);
    TMemoryStream truncated(cut);
    EXPECT_THROW(bitmap.LoadFromStream(truncated), EInvalidGraphic);
    EXPECT_THROW(bitmap.LoadFromResourceName("NO_SUCH_BITMAP"), EResNotFound);
}

class ApplicationTest : public ::testing::Test {
  protected:
    void SetUp() override { application.SetTitle("MOXEL Utility V1.1"); }
    TApplication application;
};

TEST_F(ApplicationTest, ErrorTextGetsAFullStopOnlyAfterCharactersBeyondIt) {
    EXPECT_EQ(TApplication::ExceptionText("'abc' is not a valid integer value"),
              "'abc' is not a valid integer value.");
    EXPECT_EQ(TApplication::ExceptionText("Done."), "Done.");
    EXPECT_EQ(TApplication::ExceptionText("Why?"), "Why?."); // '?' sorts after '.'
    EXPECT_EQ(TApplication::ExceptionText("Ends in dash-"), "Ends in dash-");
    EXPECT_EQ(TApplication::ExceptionText("(1)"), "(1)");
    EXPECT_EQ(TApplication::ExceptionText(""), "");
}

// Finds the error box from another thread, reads it and presses OK.
struct BoxWatcher {
    std::atomic<bool> seen{false};
    std::string text, caption;
    std::thread thread;
    void Start() {
        thread = std::thread([this] {
            for (int i = 0; i < 500 && !seen; ++i) {
                HWND box = FindWindowA("#32770", "MOXEL Utility V1.1");
                if (box) {
                    char buffer[256] = {};
                    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                    text = buffer;
                    caption = "MOXEL Utility V1.1";
                    seen = true;
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return;
                }
                Sleep(10);
            }
        });
    }
};

TEST_F(ApplicationTest, AnExceptionFromATimerHandlerShowsTheBoxAndTheProgramGoesOn) {
    TTimer timer(&application);
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 1) throw EConvertError("'abc' is not a valid integer value");
        timer.SetEnabled(false);
    };
    BoxWatcher watcher;
    watcher.Start();
    const DWORD start = GetTickCount();
    while (ticks < 2 && GetTickCount() - start < 8000) {
        application.ProcessMessages();
        Sleep(5);
    }
    watcher.thread.join();
    EXPECT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.text, "'abc' is not a valid integer value.");
    EXPECT_EQ(ticks, 2); // the timer went on ticking after the box
}

class TTestForm : public TForm {
  public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {}
    using TForm::LoadFormResource;
};

TEST_F(ApplicationTest, FormsKeepTheirClientSizeWhenTheBorderStyleChanges) {
    TTestForm* form = application.CreateForm<TTestForm>();
    form->SetClientWidth(270);
    form->SetClientHeight(217);
    form->SetBorderStyle(bsDialog);
    EXPECT_EQ(form->ClientWidth(), 270);
    EXPECT_EQ(form->ClientHeight(), 217);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), application.Handle());
    EXPECT_GT(form->Width(), 270);
}

TEST_F(ApplicationTest, ReplacedWindowProceduresChainAndUnhookInReverse) {
    TTestForm* form = application.CreateForm<TTestForm>();
    std::string trace;
    auto original = form->WindowProc;
    form->WindowProc = [&, original](TMessage& m) {
        if (m.Msg == WM_USER + 7) trace += "first ";
        original(m);
    };
    auto firstHook = form->WindowProc;
    form->WindowProc = [&, firstHook](TMessage& m) {
        if (m.Msg == WM_USER + 7) trace += "second ";
        firstHook(m);
    };
    SendMessageA(form->Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(trace, "second first ");
    form->WindowProc = firstHook;
    form->WindowProc = original;
    trace.clear();
    SendMessageA(form->Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(trace, "");
}

TEST_F(ApplicationTest, APushButtonClickReachesItsHandler) {
    TTestForm* form = application.CreateForm<TTestForm>();
    auto* button = new TButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    application.ProcessMessages();
    EXPECT_EQ(clicks, 1);
    char className[64] = {};
    GetClassNameA(button->Handle(), className, sizeof className);
    EXPECT_STREQ(className, "TButton");
}

class TKeyProbe : public TWinControl {
  public:
    explicit TKeyProbe(TComponent* owner) : TWinControl(owner) {
        SetBounds(0, 0, 40, 20);
        SetTabStop(true);
    }
    std::string keys;
    bool DialogKey(WORD key, TShiftState) override {
        keys += key == VK_RETURN ? "enter " : key == VK_ESCAPE ? "escape " : "other ";
        return true;
    }
    bool DialogChar(char key) override {
        keys += std::string("alt+") + key + " ";
        return true;
    }
};

TEST_F(ApplicationTest, TabArrowsEnterAndAltLettersReachTheFormsControls) {
    TTestForm* form = application.CreateForm<TTestForm>();
    auto* first = new TKeyProbe(form);
    auto* second = new TKeyProbe(form);
    auto* third = new TKeyProbe(form);
    for (TKeyProbe* probe : {first, second, third})
        probe->SetParent(form);
    first->SetTabOrder(0);
    second->SetTabOrder(2);
    third->SetTabOrder(1);
    form->Show();
    SetForegroundWindow(form->Handle());
    first->SetFocus();
    const auto press = [&](HWND to, UINT msg, WPARAM key) {
        PostMessageA(to, msg, key, 0);
        application.ProcessMessages();
    };
    press(first->Handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(third->Focused()) << "Tab follows TabOrder";
    press(third->Handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(second->Focused());
    press(second->Handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(first->Focused()) << "Tab wraps around";
    press(first->Handle(), WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(third->Focused()) << "arrows step between siblings";
    press(third->Handle(), WM_KEYDOWN, VK_RETURN);
    press(third->Handle(), WM_KEYDOWN, VK_ESCAPE);
    press(third->Handle(), WM_SYSCHAR, 'a');
    EXPECT_EQ(first->keys, "enter escape alt+a ");
}

// ---- where exceptions stop

class TThrowingControl : public TWinControl {
  public:
    explicit TThrowingControl(TComponent* owner) : TWinControl(owner) {}
    int answered = 0;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_USER + 9) throw EConvertError("'x' is not a valid integer value");
        if (message.Msg == WM_USER + 10) {
            ++answered;
            message.Result = 42;
            return;
        }
        TWinControl::WndProc(message);
    }
};

TEST_F(ApplicationTest, AnExceptionInAWindowProcedureShowsTheBoxAndTheWindowGoesOn) {
    TTestForm* form = application.CreateForm<TTestForm>();
    auto* control = new TThrowingControl(form);
    control->SetParent(form);
    BoxWatcher watcher;
    watcher.Start();
    SendMessageA(control->Handle(), WM_USER + 9, 0, 0);
    watcher.thread.join();
    EXPECT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.text, "'x' is not a valid integer value.");
    EXPECT_EQ(SendMessageA(control->Handle(), WM_USER + 10, 0, 0), 42);
    EXPECT_EQ(control->answered, 1);
}

TEST_F(ApplicationTest, AnExceptionFromOnDestroyShowsTheBoxInsteadOfEndingTheProgram) {
    auto* form = new TTestForm(&application);
    form->HandleNeeded();
    form->OnDestroy = [](TObject*) { throw Exception("Closing failed"); };
    BoxWatcher watcher;
    watcher.Start();
    delete form; // from a destructor: an escaping exception would end the process
    watcher.thread.join();
    EXPECT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.text, "Closing failed.");
}

// ---- the double buffer

class TBufferedProbe : public TCustomControl {
  public:
    explicit TBufferedProbe(TComponent* owner) : TCustomControl(owner) {
        SetDoubleBuffered(true);
        SetBounds(0, 0, 40, 30);
    }
    int paints = 0;
    bool hadBuffer = false;

  protected:
    void Paint() override {
        ++paints;
        hadBuffer = PaintBuffer() != nullptr;
        Canvas().Brush().SetColor(clNavy);
        Canvas().FillRect(ClientRect());
        Canvas().Pen().SetColor(clYellow);
        Canvas().MoveTo(0, 29);
        Canvas().LineTo(40, 29);
        Canvas().Font().SetColor(clWhite);
        Canvas().Brush().SetStyle(bsClear);
        Canvas().TextOut(2, 2, "Buffered");
    }
};

TEST_F(ApplicationTest, ADoubleBufferedControlPaintsOffScreenAndNeverErases) {
    TTestForm* form = application.CreateForm<TTestForm>();
    auto* probe = new TBufferedProbe(form);
    probe->SetParent(form);
    TBitmap target(40, 30);
    target.Canvas().Brush().SetColor(clRed);
    target.Canvas().FillRect(TRect{0, 0, 40, 30});
    HDC dc = target.Canvas().Handle();
    EXPECT_EQ(SendMessageA(probe->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(target.Pixel(5, 5), clRed) << "erasing draws nothing";
    SendMessageA(probe->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_TRUE(probe->hadBuffer);
    EXPECT_EQ(target.Pixel(39, 0), clNavy);
    EXPECT_EQ(target.Pixel(20, 29), clYellow);
}

TEST_F(ApplicationTest, TenThousandBufferedPaintsLeaveTheGdiObjectsAsTheyWere) {
    TTestForm* form = application.CreateForm<TTestForm>();
    auto* probe = new TBufferedProbe(form);
    probe->SetParent(form);
    TBitmap target(40, 30);
    HDC dc = target.Canvas().Handle();
    SendMessageA(probe->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); // warm up
    const int before = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        SendMessageA(probe->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(probe->paints, 10001);
    EXPECT_EQ(LiveGdiObjects(), before);
}

// ---- keyboard navigation with real key presses

void PressKeys(std::initializer_list<WORD> down) {
    std::vector<INPUT> inputs;
    for (WORD key : down) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = down.end(); it != down.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(ApplicationTest, TabFromAGroupsItemGoesToTheControlsAroundTheGroup) {
    TTestForm* form = application.CreateForm<TTestForm>();
    form->SetBounds(100, 100, 300, 200);
    const auto make = [&](TWinControl* parent, int order, bool tabStop, int top) {
        auto* c = new TKeyProbe(form);
        c->SetParent(parent);
        c->SetTabOrder(order);
        c->SetTabStop(tabStop);
        c->SetTop(top);
        return c;
    };
    TKeyProbe* before = make(form, 0, true, 0);
    auto* group = new TKeyProbe(form);
    group->SetParent(form);
    group->SetTabOrder(1);
    group->SetBounds(0, 30, 120, 80);
    TKeyProbe* item = make(group, -1, false, 20);
    make(group, -1, false, 45);
    TKeyProbe* after = make(form, 2, true, 120);
    form->Show();
    SetForegroundWindow(form->Handle());
    const auto settle = [&](TWinControl* expected) {
        for (int i = 0; i < 200 && !expected->Focused(); ++i) {
            application.ProcessMessages();
            Sleep(5);
        }
        return expected->Focused();
    };
    item->SetFocus();
    ASSERT_TRUE(settle(item));
    PressKeys({VK_TAB});
    EXPECT_TRUE(settle(after)) << "Tab goes on to the control after the group";
    item->SetFocus();
    ASSERT_TRUE(settle(item));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(settle(before)) << "Shift+Tab leaves the group for the control before it";
}

} // namespace
