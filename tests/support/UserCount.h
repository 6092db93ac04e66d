#pragma once
// The number of USER objects (icons and cursors, menus, windows) the process
// holds. Windows answers through GetGuiResources; Wine's says 0, but Wine
// takes a user handle by its low word alone (index 2 * n + 0x20) and tells the
// process's own icons and menus from everything else without asking the
// server, so every possible low word is tried; windows are enumerated.

#include <windows.h>

#include <cstdint>

namespace user_count_detail {
inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}
} // namespace user_count_detail

inline int LiveUserObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int live = 0;
    for (uintptr_t low = 0x20; low <= 0xFFEE; low += 2) {
        const HANDLE handle = reinterpret_cast<HANDLE>(low);
        ICONINFO info{};
        if (GetIconInfo(static_cast<HICON>(handle), &info)) {
            if (info.hbmColor) DeleteObject(info.hbmColor);
            if (info.hbmMask) DeleteObject(info.hbmMask);
            ++live;
        } else if (IsMenu(static_cast<HMENU>(handle))) {
            ++live;
        }
    }
    EnumWindows(user_count_detail::CountTopLevel, reinterpret_cast<LPARAM>(&live));
    return live;
}
