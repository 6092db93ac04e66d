#pragma once
// Hidden windows that carry the framework's own messages: timer ticks, the
// popup menu's owner, the application window, a tray icon's callbacks.

#include "framework/Handles.h"

struct THelperWindowParams {
    const char* ClassName; // registered on first use with Proc (and Icon)
    WNDPROC Proc;
    void* CreateParam = nullptr; // lpCreateParams of WM_NCCREATE
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = HWND_MESSAGE; // message-only unless a top-level window is needed
    const char* Text = "";
    HICON Icon = nullptr;
    int X = 0, Y = 0;
};

WindowHandle CreateHelperWindow(const THelperWindowParams& params);
