#pragma once
// Input as a user gives it and the message pumping that lets it arrive, for
// the tests that drive shown windows (they take the desktop lock).

#include "framework/Types.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>

// Handles every message waiting in this thread's queue.
inline void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        if (done()) return true;
        if (static_cast<LONG>(GetTickCount() - end) > 0) return false;
        Pump();
        Sleep(5);
    }
}

inline void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

inline void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

inline void MoveMouse(TPoint screen) {
    // The system maps 0..65535 onto the screen by x * width >> 16.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.X * 65536 + w - 1) / w;
    input.mi.dy = (screen.Y * 65536 + h - 1) / h;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

inline void LeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    Send(input);
}

// A key pressed and held, or let go.
inline void KeyDown(WORD key, bool down = true) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    if (!down) input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

inline void KeyUp(WORD key) {
    KeyDown(key, false);
}

// A key pressed and let go.
inline void Key(WORD key) {
    KeyDown(key);
    KeyUp(key);
}

// Input from another thread, for what runs inside a modal loop of this one
// (the system's window move, the open menu); this thread pumps meanwhile.
class Script {
  public:
    explicit Script(std::function<void()> steps)
        : thread_([this, steps = std::move(steps)] {
              Sleep(100);
              steps();
              done_ = true;
          }) {}
    void RunToEnd() { RunToEnd(Pump); }
    // Pumps with pump (the application's loop, where its message events run).
    void RunToEnd(const std::function<void()>& pump) {
        const auto pumpUntil = [&](const std::function<bool()>& done, DWORD milliseconds) {
            const DWORD end = GetTickCount() + milliseconds;
            while (!done() && static_cast<LONG>(GetTickCount() - end) <= 0) {
                pump();
                Sleep(5);
            }
        };
        pumpUntil([this] { return done_.load(); }, 10000);
        pumpUntil([] { return false; }, 300);
        thread_.join();
    }

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

inline HWND OpenMenuWindow() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

inline void WaitForMenu() {
    for (int i = 0; i < 300 && !OpenMenuWindow(); ++i)
        Sleep(10);
}
