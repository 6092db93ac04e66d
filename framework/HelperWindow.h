#pragma once
// Hidden windows that carry the framework's own messages: timer ticks, the
// popup menu's owner, the application window. Each is bound to its object.

#include "framework/Handles.h"
#include "framework/WindowBinding.h"

struct THelperWindowParams {
    const char* ClassName;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = HWND_MESSAGE; // message-only unless a top-level window is needed
    const char* Text = "";
    HICON Icon = nullptr;
    int X = 0, Y = 0;
};

WindowHandle CreateHelperWindow(TWindowTarget& target, const THelperWindowParams& params);
