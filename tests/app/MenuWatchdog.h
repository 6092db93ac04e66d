#pragma once
// Ends a tray menu a test left open, after a while, and tells whether it had
// to: a key meant for the menu that never reached it must not hang the test.

#include <windows.h>

class MenuWatchdog {
  public:
    explicit MenuWatchdog(UINT ms) : timer_(SetTimer(nullptr, 0, ms, &Fire)) { Fired() = false; }
    ~MenuWatchdog() { KillTimer(nullptr, timer_); }
    MenuWatchdog(const MenuWatchdog&) = delete;
    MenuWatchdog& operator=(const MenuWatchdog&) = delete;
    static bool& Fired() {
        static bool fired = false;
        return fired;
    }

  private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
        Fired() = true;
        EndMenu();
    }
    UINT_PTR timer_;
};
