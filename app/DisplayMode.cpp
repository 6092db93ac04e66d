#include "app/DisplayMode.h"

#include "app/Settings.h"
#include "framework/Registry.h"

#include <cstdlib>

TDisplayMode DisplayMode;

const TModeRow ModeRows[ModeRowCount] = {
    {"1024x768x32", 1024, 768, 32}, {"800x600x32", 800, 600, 32}, {"800x480x32", 800, 480, 32},
    {"1024x768x16", 1024, 768, 16}, {"800x600x16", 800, 600, 16}, {"800x480x16", 800, 480, 16},
};

std::string ModeText(int32_t width, int32_t height, int32_t bits) {
    return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits);
}

int RowOfSize(int32_t width, int32_t height) {
    for (int row = 0; row < 3; ++row)
        if (ModeRows[row].Width == width && ModeRows[row].Height == height) return row;
    return -1;
}

DEVMODEA FirstModeRecord() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, 0, &mode);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return mode;
}

void SwitchDisplayMode(DEVMODEA mode, int32_t width, int32_t height, int32_t bits) {
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    DisplayMode = TDisplayMode{width, height, bits};
    ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
}

void StoreDisplayMode() {
    TRegistry registry;
    if (!registry.OpenKey(SettingsKey, true)) return;
    registry.WriteInteger("Width", DisplayMode.Width);
    registry.WriteInteger("Height", DisplayMode.Height);
    registry.WriteInteger("Bits", DisplayMode.Bits);
}

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}
