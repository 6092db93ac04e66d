// The Windows side of the framework on the real platform: device contexts are
// left as found, bitmaps keep their pixels, window procedures chain, timers
// tick, forms keep their client size, and an exception escaping a handler ends
// in the application's error box.

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Exceptions.h"
#include "framework/Timer.h"

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

} // namespace
