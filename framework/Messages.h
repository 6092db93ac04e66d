#pragma once
// A window message as the framework's objects see it, and the framework's own
// message numbers.

#include <windows.h>

// Result goes back to the sender.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// The framework's own messages, in the application band: control messages
// (CM_) and messages a parent reflects to the child that caused them (CN_).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
