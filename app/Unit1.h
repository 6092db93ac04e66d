#pragma once
// The main window: created from its form description, centred at start, shown
// for about three seconds until the start-up tick hides it into the tray.

#include "framework/Button.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "shapes/MShape.h"
#include "skin/SkinButton.h"
#include "skin/SkinForm.h"
#include "skin/SkinRadioGroup.h"
#include "tray/TextTrayIcon.h"
#include "tray/TrayIcon.h"

#include <string>
#include <vector>

class TForm1 : public TForm {
    DECLARE_PUBLISHED(TForm1, TForm)
  public:
    explicit TForm1(TComponent* owner);

    // Published fields, filled by the form description.
    TskForm* skForm1 = nullptr;
    TMultiShape* MultiShape2 = nullptr;
    TMultiShape* MultiShape3 = nullptr;
    TTimer* Timer1 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* N1024x7681 = nullptr;
    TMenuItem* N800x6001 = nullptr;
    TMenuItem* N800x4801 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* N1 = nullptr;
    TTextTrayIcon* TextTrayIcon1 = nullptr;
    TTimer* Timer2 = nullptr;
    TTextTrayIcon* TextTrayIcon2 = nullptr;
    TTextTrayIcon* TextTrayIcon3 = nullptr;
    TskCheckBox* skCheckBox1 = nullptr;
    TskRadioGroup* skRadioGroup1 = nullptr;
    TskButton* skButton1 = nullptr;
    TButton* Button1 = nullptr;
    TskCheckBox* skCheckBox2 = nullptr;
    TskCheckGroup* skCheckGroup1 = nullptr;
    TMenuItem* N1024x7682 = nullptr;
    TMenuItem* N800x6002 = nullptr;
    TMenuItem* N800x4802 = nullptr;
    TMenuItem* N2 = nullptr;

    // Published methods, bound by name from the form description.
    void FormCreate(TObject* sender);
    void FormResize(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void Timer1Timer(TObject* sender);
    void Exit1Click(TObject* sender);
    void TrayIcon1DblClick(TObject* sender);
    void skButton1Click(TObject* sender);
    void N1024x7681Click(TObject* sender);
    void N800x6001Click(TObject* sender);
    void N800x4801Click(TObject* sender);
    void N1024x7682Click(TObject* sender);
    void N800x6002Click(TObject* sender);
    void N800x4802Click(TObject* sender);
    // Called from code only.
    void LoadSetting();
    void SetResolution(int32_t width, int32_t height, int32_t bits);
    // The keyboard indicators: Timer2 runs Button1Click every 50 ms.
    void Timer2Timer(TObject* sender);
    void Button1Click(TObject* sender);

  private:
    // Start-up: the scale argument, and the mode when exactly four are given.
    void ApplyCommandLine(const std::vector<std::string>& arguments);
    // Hides the main window and the application window with it.
    void HideIntoTray();
    // A tray mode command: scaling on, row k chosen, then Apply.
    void ChooseMode(int row);
    // The outer size that shows the whole client layout; every resize returns to it.
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
};

// Makes the classes of the form description known to the form reader.
void RegisterFormClasses();

// Start-up ticks of Timer1 so far; the start-up work runs on the first only.
extern int32_t StartupTicks;

// 1 while an indicator refresh runs: ticks that arrive meanwhile skip.
extern int32_t IndicatorBusy;

// The lock keys' state as the indicators read it; GetKeyState unless a test
// puts a stand-in here.
extern SHORT(WINAPI* ReadKeyState)(int key);
