#pragma once
// The one place where a window meets its object. Every window the framework
// creates is made by CreateBoundWindow with its object, and its class has
// BoundWindowProc as procedure: WM_NCCREATE stores the object in the window's
// user data, each message then goes to the object through the exception
// barrier, and after WM_NCDESTROY the two are apart again.

#include "framework/Messages.h"

#include <string>

class TWindowTarget {
  public:
    // Every message of the bound window from WM_NCCREATE to WM_NCDESTROY.
    virtual void WindowMessage(HWND window, TMessage& message) = 0;
    // At WM_NCCREATE, before that message is handled; after WM_NCDESTROY.
    virtual void WindowBound(HWND) {}
    virtual void WindowUnbound() {}

  protected:
    ~TWindowTarget() = default;
};

struct TWindowClass {
    std::string Name;
    std::string SystemClass; // a system class to superclass (BUTTON), or empty
    UINT Style = 0;
    HICON Icon = nullptr;
};

// Registers the class once. Returns the procedure for the messages the
// object leaves alone: the superclassed class's, else DefWindowProcA.
WNDPROC RegisterBoundClass(const TWindowClass& windowClass);

struct TWindowParams {
    DWORD ExStyle = 0;
    DWORD Style = 0;
    const char* Text = "";
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND Parent = nullptr;
};

// The window is bound to target before CreateWindowEx returns; nullptr when
// creation failed.
HWND CreateBoundWindow(TWindowTarget& target, const std::string& className,
                       const TWindowParams& params);

LRESULT CALLBACK BoundWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The object bound to a window of this process, or nullptr.
TWindowTarget* BoundTarget(HWND window);
