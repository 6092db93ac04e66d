#pragma once
// What the program keeps in the registry under HKEY_LOCAL_MACHINE: its
// settings, its autostart entry and the display driver's down-scaling flag.

#include "skin/SkinButton.h"
#include "skin/SkinRadioGroup.h"

#include <functional>
#include <string>

extern const char* const SettingsKey;
extern const char* const RunKey;
extern const char* const DriverKey;
extern const char* const AutostartValueName;

// Writes the driver's flag (4 bytes, only when its key exists) and "scaling".
void SetScaling(bool on);

// The controls that hold the settings in memory, and the mode switch the
// load ends with.
struct TSettingsControls {
    TskCheckBox* EnableScaling;
    TskCheckBox* StartupWithWindows;
    TskCheckGroup* KeyboardIndicator;
    TskRadioGroup* Resolution;
    std::function<void(int32_t width, int32_t height, int32_t bits)> SetResolution;
};

// Reads the stored settings into the controls and applies scaling and mode.
void LoadSettings(const TSettingsControls& controls);
// Apply's saving steps: the three indicator choices, then the autostart entry.
void SaveIndicators(const TskCheckGroup& indicators);
void UpdateAutostart(bool startWithWindows, const std::string& programPath);

// The Run value for programPath: quoted when it holds a space, since Windows
// would otherwise split it there and might start another program.
std::string AutostartCommand(const std::string& programPath);
// The full path of the running executable.
std::string ProgramPath();
