// The yardsticks of the indicator benchmark: a program that does nothing but
// run one 50 ms timer, and, given a count n, keeps n notification-area icons
// and sends each one NIM_MODIFY (the same picture and tip) on every tick.
// With "numlock" it keeps one icon that shows Num Lock's state, read at each
// tick and sent only when it changed: the quickest a tick-driven indicator
// can be.
//   MinimalTray.exe [n | numlock]
// It ends when its window is closed.

#include "framework/Handles.h"

#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kClassName = "MoxelBenchMinimalTray";

std::vector<NOTIFYICONDATAA>& Icons() {
    static std::vector<NOTIFYICONDATAA> icons;
    return icons;
}

bool followNumLock = false;
SHORT numLockShown = 0;

void ShowNumLock(NOTIFYICONDATAA& icon) {
    numLockShown = GetKeyState(VK_NUMLOCK);
    icon.hIcon = LoadIconA(nullptr, numLockShown ? IDI_WARNING : IDI_APPLICATION);
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        for (NOTIFYICONDATAA& icon : Icons()) {
            if (followNumLock) {
                if (GetKeyState(VK_NUMLOCK) == numLockShown) continue;
                ShowNumLock(icon);
            }
            Shell_NotifyIconA(NIM_MODIFY, &icon);
        }
        return 0;
    case WM_CLOSE:
        for (NOTIFYICONDATAA& icon : Icons())
            Shell_NotifyIconA(NIM_DELETE, &icon);
        Icons().clear();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    followNumLock = __argc > 1 && std::string(__argv[1]) == "numlock";
    const int count = followNumLock ? 1 : __argc > 1 ? std::atoi(__argv[1]) : 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    // Hidden and top-level, like the program's icon windows; its title tells
    // the benchmark which one it is.
    const std::string title = "MinimalTray " + std::string(__argc > 1 ? __argv[1] : "0");
    WindowHandle window(CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, title.c_str(), WS_POPUP, 0, 0,
                                        0, 0, nullptr, nullptr, instance, nullptr));
    if (!window) return 1;
    for (int i = 0; i < count; ++i) {
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V2_SIZE;
        icon.hWnd = window.Get();
        icon.uID = static_cast<UINT>(i + 1);
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = WM_APP;
        icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION); // shared: not ours to free
        lstrcpynA(icon.szTip, ("Minimal " + std::to_string(i + 1)).c_str(), sizeof icon.szTip);
        if (followNumLock) ShowNumLock(icon);
        Shell_NotifyIconA(NIM_ADD, &icon);
        Icons().push_back(icon);
    }
    SetTimer(window.Get(), 1, 50, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    KillTimer(window.Get(), 1);
    return 0;
}
