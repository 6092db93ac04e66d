#include "app/Unit1.h"

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Panel.h"

int32_t StartupTicks = 0;

const ClassInfo& TForm1::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TForm1, TForm>("TForm1")
                                      .Field("Timer1", &TForm1::Timer1)
                                      .Field("TrayIcon1", &TForm1::TrayIcon1)
                                      .Field("PopupMenu1", &TForm1::PopupMenu1)
                                      .Field("N1024x7681", &TForm1::N1024x7681)
                                      .Field("N800x6001", &TForm1::N800x6001)
                                      .Field("N800x4801", &TForm1::N800x4801)
                                      .Field("Exit1", &TForm1::Exit1)
                                      .Field("N1", &TForm1::N1)
                                      .Field("N1024x7682", &TForm1::N1024x7682)
                                      .Field("N800x6002", &TForm1::N800x6002)
                                      .Field("N800x4802", &TForm1::N800x4802)
                                      .Field("N2", &TForm1::N2)
                                      .Field("skCheckBox1", &TForm1::skCheckBox1)
                                      .Field("skRadioGroup1", &TForm1::skRadioGroup1)
                                      .Field("skButton1", &TForm1::skButton1)
                                      .Field("skCheckBox2", &TForm1::skCheckBox2)
                                      .Field("skCheckGroup1", &TForm1::skCheckGroup1)
                                      .Method("FormCreate", &TForm1::FormCreate)
                                      .Method("FormResize", &TForm1::FormResize)
                                      .Method("FormCloseQuery", &TForm1::FormCloseQuery)
                                      .Method("Timer1Timer", &TForm1::Timer1Timer)
                                      .Method("Exit1Click", &TForm1::Exit1Click)
                                      .Method("TrayIcon1DblClick", &TForm1::TrayIcon1DblClick)
                                      .Build();
    return info;
}

void RegisterFormClasses() {
    for (const ClassInfo* info :
         {&TTimer::StaticClassInfo(), &TPopupMenu::StaticClassInfo(), &TMenuItem::StaticClassInfo(),
          &TButton::StaticClassInfo(), &TPanel::StaticClassInfo(), &TTrayIcon::StaticClassInfo()})
        RegisterPublishedClass(*info);
    for (const ClassInfo* info : {&TskButton::StaticClassInfo(), &TskCheckBox::StaticClassInfo(),
                                  &TskRadioGroup::StaticClassInfo(), &TskCheckGroup::StaticClassInfo()})
        RegisterPublishedClass(*info);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) { LoadFormResource("TFORM1"); }

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
    SetVisible(false);
    TrayIcon1->SetMinimizeToTray(true);
}

void TForm1::FormResize(TObject*) {
    if (fixedWidth_ > 0) SetBounds(Left(), Top(), fixedWidth_, fixedHeight_);
}

void TForm1::FormCloseQuery(TObject*, bool&) {}

void TForm1::Exit1Click(TObject*) { Close(); }

void TForm1::TrayIcon1DblClick(TObject*) { SetVisible(true); }
