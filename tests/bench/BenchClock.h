#pragma once
// Wall-clock time for the benchmarks, in milliseconds, and the mean time of
// one call of a step, in microseconds.

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

template <class Step> double PerCallUs(int count, Step&& step) {
    const double start = WallMs();
    for (int i = 0; i < count; ++i)
        step();
    return (WallMs() - start) * 1000.0 / count;
}
