#pragma once
// Records every shell notification call of the tray icons (and passes it on
// to the real shell), and steers the cursor position the icons read.

#include "tray/TrayIcon.h"

#include <vector>

struct ShellCall {
    DWORD Message;
    TNotifyIconData Data;
    bool Succeeded;
};

class ShellRecorder {
  public:
    ShellRecorder() {
        Instance() = this;
        previous_ = TrayPlatform::ShellNotifyIcon;
        TrayPlatform::ShellNotifyIcon = &Record;
    }
    ~ShellRecorder() {
        TrayPlatform::ShellNotifyIcon = previous_;
        Instance() = nullptr;
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    std::vector<ShellCall> Calls;
    // False: calls stop here and count as refused (the shell is not asked).
    bool PassThrough = true;
    // The messages only, in order.
    std::vector<DWORD> Messages(HWND window = nullptr) const {
        std::vector<DWORD> messages;
        for (const auto& call : Calls)
            if (!window || call.Data.hWnd == window) messages.push_back(call.Message);
        return messages;
    }
    void Clear() { Calls.clear(); }

  private:
    static ShellRecorder*& Instance() {
        static ShellRecorder* instance = nullptr;
        return instance;
    }
    static BOOL WINAPI Record(DWORD message, TNotifyIconData* data) {
        ShellRecorder* self = Instance();
        const BOOL result = self->PassThrough ? self->previous_(message, data) : FALSE;
        self->Calls.push_back({message, *data, result != FALSE});
        return result;
    }
    TrayPlatform::ShellNotifyFunc previous_;
};

// Places the cursor where a test wants it, as far as the icons can tell.
class CursorAt {
  public:
    CursorAt(int x, int y) {
        Point() = POINT{x, y};
        previous_ = TrayPlatform::GetCursorPosition;
        TrayPlatform::GetCursorPosition = &Read;
    }
    ~CursorAt() { TrayPlatform::GetCursorPosition = previous_; }
    CursorAt(const CursorAt&) = delete;
    CursorAt& operator=(const CursorAt&) = delete;

  private:
    static POINT& Point() {
        static POINT point{};
        return point;
    }
    static BOOL WINAPI Read(POINT* point) {
        *point = Point();
        return TRUE;
    }
    TrayPlatform::CursorPosFunc previous_;
};
