#pragma once
// The CPU time the calling thread has used, in milliseconds: what a benchmark
// spent itself, however busy the machine is.

#include <windows.h>

#include <cstdint>

inline double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return ((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}
