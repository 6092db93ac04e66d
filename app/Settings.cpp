#include "app/Settings.h"

#include "app/DisplayMode.h"
#include "framework/Registry.h"

const char* const SettingsKey = "Software\\MOXEL Utility";
const char* const RunKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Run";
const char* const DriverKey = "SYSTEM\\CurrentControlSet\\Services\\ialm\\Device0";
const char* const AutostartValueName = "MOXEL Utility";

namespace {
const char* const IndicatorValueNames[3] = {"CapLock", "NumLock", "ScrollLock"};
const char* const VendorTrayToolValueName = "Korbtray";
} // namespace

void SetScaling(bool on) {
    TRegistry registry;
    // Another display driver has no such key; it is never created.
    if (registry.OpenKey(DriverKey, false)) {
        const uint8_t flag[4] = {static_cast<uint8_t>(on ? 1 : 0), 0, 0, 0};
        registry.WriteBinaryData("Display1_DownScalingEnabled", flag, sizeof flag);
    }
    registry.CloseKey();
    if (registry.OpenKey(SettingsKey, true)) registry.WriteBool("scaling", on);
}

void LoadSettings(const TSettingsControls& controls) {
    DisplayMode = TDisplayMode{};
    // Its own accessor: SetScaling and SetResolution open keys of their own.
    TRegistry settings;
    if (!settings.OpenKey(SettingsKey, true)) return;

    if (settings.ValueExists("scaling")) {
        if (settings.ReadBool("scaling")) {
            controls.EnableScaling->SetChecked(true);
            SetScaling(true);
        } else {
            SetScaling(false);
            controls.EnableScaling->SetChecked(false);
        }
    }
    for (int i = 0; i < 3; ++i)
        if (settings.ValueExists(IndicatorValueNames[i]))
            controls.KeyboardIndicator->SetItemChecked(i,
                                                       settings.ReadBool(IndicatorValueNames[i]));

    if (settings.ValueExists("Width")) DisplayMode.Width = settings.ReadInteger("Width");
    if (settings.ValueExists("Height")) DisplayMode.Height = settings.ReadInteger("Height");
    if (settings.ValueExists("Bits")) DisplayMode.Bits = settings.ReadInteger("Bits");
    if (DisplayMode.Width != 0 && DisplayMode.Height != 0 && DisplayMode.Bits != 0) {
        const TDisplayMode stored = DisplayMode;
        controls.SetResolution(stored.Width, stored.Height, stored.Bits);
        const int row = RowOfSize(stored.Width, stored.Height);
        if (row >= 0) controls.Resolution->SetItemIndex(row);
    }
    settings.CloseKey();

    TRegistry run;
    if (run.OpenKey(RunKey, false))
        controls.StartupWithWindows->SetChecked(run.ValueExists(AutostartValueName));
}

void SaveIndicators(const TskCheckGroup& indicators) {
    TRegistry registry;
    if (!registry.OpenKey(SettingsKey, true)) return;
    for (int i = 0; i < 3; ++i)
        registry.WriteBool(IndicatorValueNames[i], indicators.ItemChecked(i));
}

void UpdateAutostart(bool startWithWindows, const std::string& programPath) {
    TRegistry registry;
    if (!registry.OpenKey(RunKey, false)) return;
    if (startWithWindows) {
        // The vendor's tray tool does the same job; only one of them may start.
        if (registry.ValueExists(VendorTrayToolValueName))
            registry.DeleteValue(VendorTrayToolValueName);
        registry.WriteString(AutostartValueName, AutostartCommand(programPath));
    } else if (registry.ValueExists(AutostartValueName)) {
        registry.DeleteValue(AutostartValueName);
    }
}

std::string AutostartCommand(const std::string& programPath) {
    if (programPath.find(' ') == std::string::npos) return programPath;
    return "\"" + programPath + "\"";
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}
