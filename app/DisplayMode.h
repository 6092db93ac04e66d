#pragma once
// The display mode: the last mode requested, the six modes the window and the
// tray menu offer, and the platform step that switches the primary display.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct TDisplayMode {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Bits = 0;
};

// The last mode requested; all zero until one is loaded or set.
extern TDisplayMode DisplayMode;

// Row k of the "Resolution" group and tray menu command k.
struct TModeRow {
    const char* Text;
    int32_t Width;
    int32_t Height;
    int32_t Bits;
};
constexpr int ModeRowCount = 6;
extern const TModeRow ModeRows[ModeRowCount];

// "800x480x32": the form of radio items, menu captions and tray hints.
std::string ModeText(int32_t width, int32_t height, int32_t bits);
// The 32-bit row of a size (bits take no part), or -1.
int RowOfSize(int32_t width, int32_t height);

// The driver's first mode record (index 0, not the current mode), with the
// fields a switch sets marked.
DEVMODEA FirstModeRecord();
// Switches the primary display and stores the mode as the system's default;
// DisplayMode follows. A mode the display cannot take is not detected.
void SwitchDisplayMode(DEVMODEA mode, int32_t width, int32_t height, int32_t bits);
// Writes "Width", "Height" and "Bits" from DisplayMode into the settings key.
void StoreDisplayMode();

// The program's arguments after its name, split as the C runtime splits them.
std::vector<std::string> ProgramArguments();
