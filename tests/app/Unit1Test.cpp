// The main window made from its form description: the keyboard indicators'
// refresh (the lock keys come through the ReadKeyState seam, the icons go to
// the real notification area and are recorded on the way) and the start-up
// tick's detour by way of 800 x 480.

#include "app/DisplayMode.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "tests/app/HarnessPrefix.h"
#include "tests/app/MenuWatchdog.h"
#include "tests/tray/ShellRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// The lock keys as the tests set them: bit 0 toggled on, bit 15 held down.
std::map<int, SHORT>& Keys() {
    static std::map<int, SHORT> keys;
    return keys;
}
std::vector<int>& KeysRead() {
    static std::vector<int> read;
    return read;
}
std::function<void()>& OnKeyRead() {
    static std::function<void()> action;
    return action;
}
SHORT WINAPI FakeKeyState(int key) {
    KeysRead().push_back(key);
    if (OnKeyRead()) OnKeyRead()();
    return Keys()[key];
}

constexpr SHORT kToggled = 0x0001;
constexpr SHORT kHeldDown = SHORT(0x8000);

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        Keys().clear();
        KeysRead().clear();
        OnKeyRead() = nullptr;
        ReadKeyState = &FakeKeyState;
        RegisterFormClasses();
        form = application.CreateForm<TForm1>();
        // The ticks come from the tests.
        form->Timer1->SetEnabled(false);
        form->Timer2->SetEnabled(false);
    }
    void TearDown() override { ReadKeyState = &GetKeyState; }

    // One tick of Timer2.
    void Tick() { form->Timer2Timer(form->Timer2); }
    void Show(int item, bool shown) { form->skCheckGroup1->SetItemChecked(item, shown); }
    void ShowAll() {
        for (int item = 0; item < 3; ++item)
            Show(item, true);
    }
    void SetKeys(SHORT caps, SHORT num, SHORT scroll) {
        Keys()[VK_CAPITAL] = caps;
        Keys()[VK_NUMLOCK] = num;
        Keys()[VK_SCROLL] = scroll;
    }

    // What the tray shows for icon: its tip, its square's colour and, unless
    // ink is clNone, pixels of a letter in ink (none at all otherwise).
    void ExpectTrayShows(TTextTrayIcon* icon, const std::string& tip, TColor square, TColor ink) {
        SCOPED_TRACE(tip);
        ASSERT_TRUE(TrayHolds(icon->IconWindow())) << "the icon is in the tray";
        const ShellCall* shown = shell.Shown(icon->IconWindow());
        ASSERT_NE(nullptr, shown);
        EXPECT_EQ(tip, std::string(shown->Data.szTip));
        const TColor background = TColor(ColorToRGB(square));
        EXPECT_EQ(background, shown->PixelAt(0, 0));
        EXPECT_EQ(background, shown->PixelAt(15, 15));
        const bool inked =
            std::count(shown->Picture.begin(), shown->Picture.end(), TColor(ColorToRGB(ink))) > 0;
        const bool plain = std::all_of(shown->Picture.begin(), shown->Picture.end(),
                                       [&](TColor pixel) { return pixel == background; });
        if (ink == clNone)
            EXPECT_TRUE(plain) << "no letter";
        else
            EXPECT_TRUE(inked) << "a letter in the expected colour";
    }
    // Where each icon's calls come in the recorded order.
    std::pair<size_t, size_t> CallSpan(TTrayIcon* icon) {
        size_t first = shell.Calls.size(), last = 0;
        for (size_t i = 0; i < shell.Calls.size(); ++i)
            if (shell.Calls[i].Data.hWnd == icon->IconWindow()) {
                first = std::min(first, i);
                last = i;
            }
        return {first, last};
    }

    ShellRecorder shell; // outlives the form: sees its icons' every call
    TApplication application;
    TForm1* form = nullptr;
};

// ---- the look of each key --------------------------------------------------------

TEST_F(MainWindow, KeysOnShowTheirLettersInTheirColoursNumThenCapsThenScroll) {
    ShowAll();
    SetKeys(kToggled, kToggled, kToggled);
    shell.Clear();
    Tick();
    EXPECT_THAT(KeysRead(), ElementsAre(VK_NUMLOCK, VK_CAPITAL, VK_SCROLL));
    const auto num = CallSpan(form->TextTrayIcon1), caps = CallSpan(form->TextTrayIcon2),
               scroll = CallSpan(form->TextTrayIcon3);
    EXPECT_LT(num.second, caps.first) << "Num Lock's icon is done before Caps Lock's";
    EXPECT_LT(caps.second, scroll.first) << "Caps Lock's before Scroll Lock's";

    EXPECT_EQ("N", form->TextTrayIcon1->Text());
    EXPECT_EQ(clLime, form->TextTrayIcon1->Color());
    EXPECT_EQ(clNavy, form->TextTrayIcon1->Font()->Color());
    EXPECT_EQ("Num Lock ON", form->TextTrayIcon1->Hint());
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock ON", clLime, clNavy);
    EXPECT_EQ("A", form->TextTrayIcon2->Text());
    EXPECT_EQ(clAqua, form->TextTrayIcon2->Color());
    EXPECT_EQ(clNavy, form->TextTrayIcon2->Font()->Color());
    ExpectTrayShows(form->TextTrayIcon2, "Cap Lock ON", clAqua, clNavy);
    EXPECT_EQ("S", form->TextTrayIcon3->Text());
    EXPECT_EQ(clFuchsia, form->TextTrayIcon3->Color());
    EXPECT_EQ(clNavy, form->TextTrayIcon3->Font()->Color());
    ExpectTrayShows(form->TextTrayIcon3, "Scroll Lock ON", clFuchsia, clNavy);
}

TEST_F(MainWindow, KeysOffSinceStartUpKeepTheDescriptionsWindowTextFont) {
    ShowAll();
    SetKeys(0, 0, 0);
    Tick();
    EXPECT_EQ("", form->TextTrayIcon1->Text());
    EXPECT_EQ(clBtnFace, form->TextTrayIcon1->Color());
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock OFF", clBtnFace, clNone);
    EXPECT_EQ("a", form->TextTrayIcon2->Text());
    EXPECT_EQ(clAqua, form->TextTrayIcon2->Color()) << "the description's colour";
    EXPECT_EQ(clWindowText, form->TextTrayIcon2->Font()->Color());
    ExpectTrayShows(form->TextTrayIcon2, "Cap Lock OFF", clAqua, clWindowText);
    EXPECT_EQ("", form->TextTrayIcon3->Text());
    EXPECT_EQ(clBtnFace, form->TextTrayIcon3->Color());
    ExpectTrayShows(form->TextTrayIcon3, "Scroll Lock OFF", clBtnFace, clNone);
    for (TTextTrayIcon* icon : {form->TextTrayIcon1, form->TextTrayIcon3})
        EXPECT_EQ(clWindowText, icon->Font()->Color());
}

TEST_F(MainWindow, KeysOffAfterOnKeepTheNavyFont) {
    ShowAll();
    SetKeys(kToggled, kToggled, kToggled);
    Tick();
    SetKeys(0, 0, 0);
    Tick();
    ExpectTrayShows(form->TextTrayIcon2, "Cap Lock OFF", clAqua, clNavy);
    EXPECT_EQ("a", form->TextTrayIcon2->Text());
    for (TTextTrayIcon* icon : {form->TextTrayIcon1, form->TextTrayIcon2, form->TextTrayIcon3})
        EXPECT_EQ(clNavy, icon->Font()->Color()) << icon->Name();
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock OFF", clBtnFace, clNone);
    ExpectTrayShows(form->TextTrayIcon3, "Scroll Lock OFF", clBtnFace, clNone);
}

TEST_F(MainWindow, KeyHeldDownReadsOnUntilReleased) {
    Show(1, true);
    SetKeys(0, kHeldDown, 0);
    Tick();
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock ON", clLime, clNavy);
    SetKeys(0, 0, 0);
    Tick();
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock OFF", clBtnFace, clNone);
}

// ---- showing and hiding -----------------------------------------------------------

TEST_F(MainWindow, UntickingHidesTheIconAtTheNextTick) {
    ShowAll();
    SetKeys(kToggled, 0, kToggled);
    Tick();
    Show(1, false);
    Tick();
    EXPECT_FALSE(form->TextTrayIcon1->IconVisible());
    EXPECT_FALSE(TrayHolds(form->TextTrayIcon1->IconWindow()));
    EXPECT_EQ(nullptr, shell.Shown(form->TextTrayIcon1->IconWindow()));
    EXPECT_TRUE(TrayHolds(form->TextTrayIcon2->IconWindow()));
    EXPECT_TRUE(TrayHolds(form->TextTrayIcon3->IconWindow()));
}

TEST_F(MainWindow, NoItemTickedShowsNoIndicatorAndAsksTheShellNothing) {
    shell.Clear();
    for (int tick = 0; tick < 3; ++tick)
        Tick();
    for (TTextTrayIcon* icon : {form->TextTrayIcon1, form->TextTrayIcon2, form->TextTrayIcon3}) {
        EXPECT_FALSE(icon->IconVisible());
        EXPECT_FALSE(TrayHolds(icon->IconWindow()));
        EXPECT_TRUE(shell.Messages(icon->IconWindow()).empty()) << "no delete of an absent icon";
    }
}

TEST_F(MainWindow, TicksWithUnchangedKeysAskTheShellNothing) {
    ShowAll();
    SetKeys(kToggled, 0, kToggled);
    Tick();
    shell.Clear();
    for (int tick = 0; tick < 5; ++tick)
        Tick();
    EXPECT_TRUE(shell.Calls.empty());
    ExpectTrayShows(form->TextTrayIcon1, "Num Lock OFF", clBtnFace, clNone);
    ExpectTrayShows(form->TextTrayIcon2, "Cap Lock ON", clAqua, clNavy);
    ExpectTrayShows(form->TextTrayIcon3, "Scroll Lock ON", clFuchsia, clNavy);
}

TEST_F(MainWindow, TicksDuringARefreshAreSkipped) {
    ShowAll();
    // The refresh pumps messages; a tick that arrives meanwhile must not nest.
    OnKeyRead() = [this] { Tick(); };
    Tick();
    EXPECT_EQ(3u, KeysRead().size());
    EXPECT_EQ(0, IndicatorBusy);
    OnKeyRead() = nullptr;
    IndicatorBusy = 1;
    Tick();
    IndicatorBusy = 0;
    EXPECT_EQ(3u, KeysRead().size());
}

TEST_F(MainWindow, TickDuringTheTrayMenuLeavesTheMenuItsKeys) {
    Show(1, true);
    // A tick dispatched by the menu's own loop, with a key for the menu
    // waiting behind it.
    form->TextTrayIcon2->OnMouseMove = [this](TObject*, TShiftState, int, int) { Tick(); };
    PostMessageA(form->TextTrayIcon2->IconWindow(), TrayIconMessage, 0, WM_MOUSEMOVE);
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    MenuWatchdog watchdog(3000);
    form->PopupMenu1->Popup(100, 100);
    EXPECT_EQ(1u, KeysRead().size()) << "the tick ran inside the menu";
    EXPECT_FALSE(MenuWatchdog::Fired()) << "Escape never reached the menu";
}

// ---- the start-up tick's mode below 480 lines ----------------------------------------

// Puts a function of the test in the place of one the program imports, for
// the life of this object: the calls the program makes to the platform can
// be watched where the platform's own answer cannot show them (Wine's
// virtual desktop refuses the panel's modes).
class ImportPatch {
  public:
    ImportPatch(void* original, void* replacement) : original_(original) {
        auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* module =
                 reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name; ++module)
            for (auto* slot = reinterpret_cast<void**>(base + module->FirstThunk); *slot; ++slot)
                if (*slot == original) slots_.push_back(slot);
        for (void** slot : slots_)
            Write(slot, replacement);
    }
    ~ImportPatch() {
        for (void** slot : slots_)
            Write(slot, original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    bool Patched() const { return !slots_.empty(); }

  private:
    static void Write(void** slot, void* value) {
        DWORD was = 0;
        VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
        *slot = value;
        VirtualProtect(slot, sizeof *slot, was, &was);
    }
    void* original_;
    std::vector<void**> slots_;
};

struct ModeRequest {
    DWORD Fields, Width, Height, Bits, Flags;
};
std::vector<ModeRequest>& ModeRequests() {
    static std::vector<ModeRequest> requests;
    return requests;
}
using ChangeDisplaySettingsFunc = LONG(WINAPI*)(DEVMODEA*, DWORD);
// The platform's own function, read before the patch (a constant would be
// read from the patched place at each call).
ChangeDisplaySettingsFunc RealChangeDisplaySettings = nullptr;
LONG WINAPI RecordModeChange(DEVMODEA* mode, DWORD flags) {
    ModeRequests().push_back(
        {mode->dmFields, mode->dmPelsWidth, mode->dmPelsHeight, mode->dmBitsPerPel, flags});
    return RealChangeDisplaySettings(mode, flags);
}

MATCHER_P3(Mode, width, height, bits, "") {
    return arg.Width == DWORD(width) && arg.Height == DWORD(height) && arg.Bits == DWORD(bits) &&
           arg.Fields == 0x001C0000u && arg.Flags == DWORD(CDS_UPDATEREGISTRY);
}

// The start-up tick changes machine-wide state: the display mode and the
// program's keys. Only in the harness's prefix, and all of it put back.
class MainWindowStartup : public MainWindow {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InHarnessPrefix());
        registry.KeepKey(SettingsKey);
        for (const char* name :
             {"scaling", "CapLock", "NumLock", "ScrollLock", "Width", "Height", "Bits"})
            registry.KeepValue(SettingsKey, name);
        registry.ClearValues(SettingsKey);
        registry.KeepValue(RunKey, AutostartValueName);
        registry.KeepKey(DriverKey);
        registry.KeepValue(DriverKey, "Display1_DownScalingEnabled");
        displayBefore.dmSize = sizeof displayBefore;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &displayBefore));
        MainWindow::SetUp();
        ModeRequests().clear();
    }
    void TearDown() override {
        MainWindow::TearDown();
        DEVMODEA now{};
        now.dmSize = sizeof now;
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &now);
        if (displayBefore.dmSize && (now.dmPelsWidth != displayBefore.dmPelsWidth ||
                                     now.dmPelsHeight != displayBefore.dmPelsHeight)) {
            displayBefore.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
            ChangeDisplaySettingsA(&displayBefore, CDS_UPDATEREGISTRY);
        }
    }
    // The start-up tick with the given command line.
    void StartupTickWith(std::vector<std::string> arguments) {
        std::vector<char*> argv{const_cast<char*>("MoxelUtility.exe")};
        for (std::string& argument : arguments)
            argv.push_back(&argument[0]);
        argv.push_back(nullptr);
        const int savedArgc = __argc;
        char** const savedArgv = __argv;
        __argc = static_cast<int>(argv.size() - 1);
        __argv = argv.data();
        form->Timer1Timer(form->Timer1);
        __argc = savedArgc;
        __argv = savedArgv;
    }
    std::string Stored(const char* name) {
        DWORD type = 0, value = 0, size = sizeof value;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, SettingsKey, name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS)
            return "none";
        return type == REG_DWORD ? std::to_string(value) : "not a DWORD";
    }

    RegistryRestorer registry;
    DEVMODEA displayBefore{};
};

TEST_F(MainWindowStartup, CommandLineWithHeight400GoesByWayOf800x480) {
    RealChangeDisplaySettings = &ChangeDisplaySettingsA;
    ImportPatch watch(reinterpret_cast<void*>(RealChangeDisplaySettings),
                      reinterpret_cast<void*>(&RecordModeChange));
    ASSERT_TRUE(watch.Patched()) << "the program's call to ChangeDisplaySettingsA was not found";
    shell.Clear();
    StartupTickWith({"1", "800", "400", "32"});

    // The command line's mode, then the same once more from the stored settings.
    EXPECT_THAT(ModeRequests(), ElementsAre(Mode(800, 480, 32), Mode(800, 400, 32),
                                            Mode(800, 480, 32), Mode(800, 400, 32)));
    EXPECT_EQ("800", Stored("Width"));
    EXPECT_EQ("400", Stored("Height"));
    EXPECT_EQ("32", Stored("Bits"));
    EXPECT_EQ("1", Stored("scaling"));
    EXPECT_EQ(800, DisplayMode.Width);
    EXPECT_EQ(400, DisplayMode.Height);
    EXPECT_EQ(32, DisplayMode.Bits);
    EXPECT_EQ("800x400x32", form->TrayIcon1->Hint());
    std::vector<std::string> tips;
    for (const ShellCall& call : shell.Calls)
        if (call.Data.hWnd == form->TrayIcon1->IconWindow()) tips.emplace_back(call.Data.szTip);
    ASSERT_GE(tips.size(), 2u);
    EXPECT_EQ("800x480x32", tips[0]) << "the hint of the detour first";
    EXPECT_EQ("800x400x32", tips[1]);
    EXPECT_EQ("800x400x32", std::string(shell.Shown(form->TrayIcon1->IconWindow())->Data.szTip));
    EXPECT_EQ(-1, form->skRadioGroup1->ItemIndex()) << "no row has 400 lines";
}

} // namespace
