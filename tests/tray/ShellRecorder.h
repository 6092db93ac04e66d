#pragma once
// Records every shell notification call of the tray icons (and passes it on
// to the real shell), keeps what the tray shows for each icon window, and
// steers the cursor position the icons read.

#include "tests/tray/IconPictures.h"
#include "tray/TrayIcon.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

struct ShellCall {
    DWORD Message;
    TNotifyIconData Data;
    bool Succeeded;
    // The icon handed over, drawn over white at the time of the call (the
    // handle may be gone later); empty without an icon or when not captured.
    std::vector<TColor> Picture;
    TColor PixelAt(int x, int y) const { return PixelOf(Picture, x, y); }
};

// Whether the notification area holds window's icon: a modify that changes
// nothing succeeds only for an icon it has. Asks the shell directly, so the
// question is not recorded.
inline bool TrayHolds(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = window;
    probe.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

// Takes window's icon out of the notification area behind the icon's back,
// as a restarted shell would have lost it.
inline void LoseBehindItsBack(HWND window) {
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V2_SIZE;
    gone.hWnd = window;
    gone.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
}

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
    // False: calls carry no Picture (long runs).
    bool CaptureIcons = true;
    // What the tray shows for window after the calls recorded so far (kept
    // across Clear): the last add or modify it took; nullptr when it holds
    // nothing of that window.
    const ShellCall* Shown(HWND window) const {
        auto found = shown_.find(window);
        return found == shown_.end() ? nullptr : &found->second;
    }
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
        self->Calls.push_back(
            {message, *data, result != FALSE,
             self->CaptureIcons ? PictureOf(data->hIcon) : std::vector<TColor>{}});
        if (result && (message == NIM_ADD || message == NIM_MODIFY))
            self->shown_[data->hWnd] = self->Calls.back();
        else if (result && message == NIM_DELETE)
            self->shown_.erase(data->hWnd);
        return result;
    }
    TrayPlatform::ShellNotifyFunc previous_;
    std::map<HWND, ShellCall> shown_;
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
