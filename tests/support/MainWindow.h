#pragma once
// The program's main window as the program makes it, for the tools that paint
// or time it. Its timers are stopped before any message is handled, so the
// start-up tick (command line, stored settings, display switch, hiding into
// the tray) and the indicator ticks never run.

#include "app/Unit1.h"
#include "framework/Application.h"

inline TForm1* MakeMainWindow(TApplication& application) {
    RegisterFormClasses();
    application.SetTitle("MOXEL Utility V1.1");
    TForm1* form = application.CreateForm<TForm1>();
    form->Timer1->SetEnabled(false);
    form->Timer2->SetEnabled(false);
    return form;
}
