#pragma once
// Wall-clock time in milliseconds: what a benchmark waited for, the work of
// other processes (the Wine server) included.

#include <windows.h>

inline double WallMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}
