#pragma once
// What one call of a step costs, on the wall clock and in this thread's CPU
// time, for the benchmarks.

#include "tests/support/ThreadTime.h"
#include "tests/support/WallTime.h"

#include <cstdio>

// Microseconds per call.
struct Cost {
    double Wall = 0, Cpu = 0;
    Cost& operator+=(const Cost& o) {
        Wall += o.Wall;
        Cpu += o.Cpu;
        return *this;
    }
};

template <class Step> Cost PerCall(int count, Step&& step) {
    const double wall = WallMs(), cpu = ThreadCpuMs();
    for (int i = 0; i < count; ++i)
        step();
    return Cost{(WallMs() - wall) * 1000.0 / count, (ThreadCpuMs() - cpu) * 1000.0 / count};
}

inline void Print(const char* what, const Cost& cost) {
    std::printf("%-44s %9.1f us wall %9.1f us CPU\n", what, cost.Wall, cost.Cpu);
}
