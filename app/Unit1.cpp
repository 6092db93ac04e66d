#include "app/Unit1.h"

#include "app/DisplayMode.h"
#include "app/Settings.h"
#include "framework/Strings.h"
#include "shapes/MShape.h"

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Panel.h"

int32_t StartupTicks = 0;
int32_t IndicatorBusy = 0;
SHORT(WINAPI* ReadKeyState)(int key) = &GetKeyState;

const ClassInfo& TForm1::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TForm1>()
                                      .Field("skForm1", &TForm1::skForm1)
                                      .Field("MultiShape2", &TForm1::MultiShape2)
                                      .Field("MultiShape3", &TForm1::MultiShape3)
                                      .Field("Timer1", &TForm1::Timer1)
                                      .Field("TrayIcon1", &TForm1::TrayIcon1)
                                      .Field("PopupMenu1", &TForm1::PopupMenu1)
                                      .Field("N1024x7681", &TForm1::N1024x7681)
                                      .Field("N800x6001", &TForm1::N800x6001)
                                      .Field("N800x4801", &TForm1::N800x4801)
                                      .Field("Exit1", &TForm1::Exit1)
                                      .Field("N1", &TForm1::N1)
                                      .Field("TextTrayIcon1", &TForm1::TextTrayIcon1)
                                      .Field("Timer2", &TForm1::Timer2)
                                      .Field("TextTrayIcon2", &TForm1::TextTrayIcon2)
                                      .Field("TextTrayIcon3", &TForm1::TextTrayIcon3)
                                      .Field("skCheckBox1", &TForm1::skCheckBox1)
                                      .Field("skRadioGroup1", &TForm1::skRadioGroup1)
                                      .Field("skButton1", &TForm1::skButton1)
                                      .Field("Button1", &TForm1::Button1)
                                      .Field("skCheckBox2", &TForm1::skCheckBox2)
                                      .Field("skCheckGroup1", &TForm1::skCheckGroup1)
                                      .Field("N1024x7682", &TForm1::N1024x7682)
                                      .Field("N800x6002", &TForm1::N800x6002)
                                      .Field("N800x4802", &TForm1::N800x4802)
                                      .Field("N2", &TForm1::N2)
                                      .Method("FormCreate", &TForm1::FormCreate)
                                      .Method("FormResize", &TForm1::FormResize)
                                      .Method("FormCloseQuery", &TForm1::FormCloseQuery)
                                      .Method("Timer1Timer", &TForm1::Timer1Timer)
                                      .Method("Exit1Click", &TForm1::Exit1Click)
                                      .Method("TrayIcon1DblClick", &TForm1::TrayIcon1DblClick)
                                      .Method("skButton1Click", &TForm1::skButton1Click)
                                      .Method("N1024x7681Click", &TForm1::N1024x7681Click)
                                      .Method("N800x6001Click", &TForm1::N800x6001Click)
                                      .Method("N800x4801Click", &TForm1::N800x4801Click)
                                      .Method("N1024x7682Click", &TForm1::N1024x7682Click)
                                      .Method("N800x6002Click", &TForm1::N800x6002Click)
                                      .Method("N800x4802Click", &TForm1::N800x4802Click)
                                      .Method("LoadSetting", &TForm1::LoadSetting)
                                      .Method("SetResolution", &TForm1::SetResolution)
                                      .Method("Button1Click", &TForm1::Button1Click)
                                      .Method("Timer2Timer", &TForm1::Timer2Timer)
                                      .Build();
    return info;
}

void RegisterFormClasses() {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    RegisterTrayClasses();
    RegisterShapesClasses();
    RegisterClasses<TForm1>();
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    LoadFormResource("TFORM1");
}

void TForm1::FormCreate(TObject*) {
    StartupTicks = 0;
    fixedWidth_ = Width();
    fixedHeight_ = Height();
    SetLeft(GetSystemMetrics(SM_CXSCREEN) / 2 - Width() / 2);
    SetTop(GetSystemMetrics(SM_CYSCREEN) / 2 - Height() / 2);
    // The tray icons need the shell's taskbar; at log-on it may not exist yet.
    do {
        Sleep(1);
    } while (!FindWindowA("Shell_TrayWnd", nullptr));
    Timer1->SetEnabled(true);
}

void TForm1::Timer1Timer(TObject*) {
    if (++StartupTicks != 1) return;
    Timer1->SetEnabled(false);
    // An error in either step ends the tick here: the window stays shown.
    ApplyCommandLine(ProgramArguments());
    LoadSetting();
    HideIntoTray();
    TrayIcon1->SetMinimizeToTray(true);
}

void TForm1::FormResize(TObject*) {
    if (fixedWidth_ > 0) SetBounds(Left(), Top(), fixedWidth_, fixedHeight_);
}

void TForm1::FormCloseQuery(TObject*, bool&) {}

void TForm1::Exit1Click(TObject*) {
    Close();
}

void TForm1::HideIntoTray() {
    SetVisible(false);
    // The application window carries the taskbar button; the tray icon's
    // owner hook restores it when the window is shown again.
    if (Application) ShowWindow(Application->Handle(), SW_HIDE);
}

void TForm1::TrayIcon1DblClick(TObject*) {
    SetVisible(true);
}

void TForm1::ApplyCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.size() >= 2) {
        if (arguments[0] == "0")
            SetScaling(false);
        else if (arguments[0] == "1")
            SetScaling(true);
    }
    if (arguments.size() != 4) return;
    // This order decides which bad argument the error names.
    const int32_t bits = StrToInt(arguments[3]);
    const int32_t height = StrToInt(arguments[2]);
    const int32_t width = StrToInt(arguments[1]);
    SetResolution(width, height, bits);
    TrayIcon1->SetHint(arguments[1] + "x" + arguments[2] + "x" + arguments[3]);
}

void TForm1::LoadSetting() {
    LoadSettings(
        TSettingsControls{skCheckBox1, skCheckBox2, skCheckGroup1, skRadioGroup1,
                          [this](int32_t w, int32_t h, int32_t b) { SetResolution(w, h, b); }});
}

void TForm1::SetResolution(int32_t width, int32_t height, int32_t bits) {
    const DEVMODEA mode = FirstModeRecord();
    // Heights below the panel's own are reached by way of 800 x 480.
    if (height < 480) SetResolution(800, 480, bits);
    SwitchDisplayMode(mode, width, height, bits);
    HideIntoTray();
    TrayIcon1->SetHint(ModeText(DisplayMode.Width, DisplayMode.Height, DisplayMode.Bits));
    TrayIcon1->SetMinimizeToTray(true);
    StoreDisplayMode();
}

void TForm1::skButton1Click(TObject*) {
    // The driver learns of the scaling before the mode changes.
    SetScaling(skCheckBox1->Checked());
    const int row = skRadioGroup1->ItemIndex();
    if (row >= 0 && row < ModeRowCount) {
        TrayIcon1->SetHint(ModeRows[row].Text);
        SetResolution(ModeRows[row].Width, ModeRows[row].Height, ModeRows[row].Bits);
    }
    SaveIndicators(*skCheckGroup1);
    UpdateAutostart(skCheckBox2->Checked(), ProgramPath());
}

void TForm1::ChooseMode(int row) {
    skCheckBox1->SetChecked(true);
    skRadioGroup1->SetItemIndex(row);
    skButton1Click(this);
}

void TForm1::N1024x7681Click(TObject*) {
    ChooseMode(0);
}
void TForm1::N800x6001Click(TObject*) {
    ChooseMode(1);
}
void TForm1::N800x4801Click(TObject*) {
    ChooseMode(2);
}
void TForm1::N1024x7682Click(TObject*) {
    ChooseMode(3);
}
void TForm1::N800x6002Click(TObject*) {
    ChooseMode(4);
}
void TForm1::N800x4802Click(TObject*) {
    ChooseMode(5);
}

void TForm1::Timer2Timer(TObject*) {
    if (IndicatorBusy == 0) Button1Click(this);
}

namespace {
// Lets the shell and the other handlers run between the icon updates, but
// not from inside a menu's own loop (a tick comes there while the tray menu
// is open): the keys and clicks waiting for the menu would be taken from it.
void PauseAndProcessMessages() {
    Sleep(1);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    const bool inMenu =
        GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE);
    if (Application && !inMenu) Application->ProcessMessages();
}

// An error in one refresh must not leave the indicators switched off for good.
struct IndicatorBusyScope {
    IndicatorBusyScope() { IndicatorBusy = 1; }
    ~IndicatorBusyScope() { IndicatorBusy = 0; }
};
} // namespace

void TForm1::Button1Click(TObject*) {
    IndicatorBusyScope busy;
    // With no indicator ticked there are no icon updates to pause between;
    // under Wine the pause and the pump would be most of an idle tick's cost.
    const bool anyTicked = skCheckGroup1->ItemChecked(0) || skCheckGroup1->ItemChecked(1) ||
                           skCheckGroup1->ItemChecked(2);
    if (anyTicked) PauseAndProcessMessages();

    if (skCheckGroup1->ItemChecked(1)) {
        TextTrayIcon1->SetIconVisible(true);
        if (ReadKeyState(VK_NUMLOCK) != 0) {
            TextTrayIcon1->Font()->SetColor(clNavy);
            TextTrayIcon1->SetText("N");
            TextTrayIcon1->SetColor(clLime);
            TextTrayIcon1->SetHint("Num Lock ON");
        } else {
            TextTrayIcon1->SetColor(clBtnFace);
            TextTrayIcon1->SetText("");
            TextTrayIcon1->SetHint("Num Lock OFF");
        }
    } else {
        TextTrayIcon1->SetIconVisible(false);
    }

    if (skCheckGroup1->ItemChecked(0)) {
        PauseAndProcessMessages();
        TextTrayIcon2->SetIconVisible(true);
        if (ReadKeyState(VK_CAPITAL) != 0) {
            TextTrayIcon2->SetText("A");
            TextTrayIcon2->SetColor(clAqua);
            TextTrayIcon2->Font()->SetColor(clNavy);
            TextTrayIcon2->SetHint("Cap Lock ON");
        } else {
            TextTrayIcon2->SetText("a");
            TextTrayIcon2->SetHint("Cap Lock OFF");
        }
    } else {
        TextTrayIcon2->SetIconVisible(false);
    }

    if (skCheckGroup1->ItemChecked(2)) {
        TextTrayIcon3->SetIconVisible(true);
        PauseAndProcessMessages();
        if (ReadKeyState(VK_SCROLL) != 0) {
            TextTrayIcon3->Font()->SetColor(clNavy);
            TextTrayIcon3->SetText("S");
            TextTrayIcon3->SetColor(clFuchsia);
            TextTrayIcon3->SetHint("Scroll Lock ON");
        } else {
            TextTrayIcon3->SetText("");
            TextTrayIcon3->SetColor(clBtnFace);
            TextTrayIcon3->SetHint("Scroll Lock OFF");
        }
    } else {
        TextTrayIcon3->SetIconVisible(false);
    }
}
