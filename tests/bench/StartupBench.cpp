// How long the program takes from its process start to its first painted
// main window, beside a minimal Win32 program that shows one empty window
// (MinimalWindow). The two start in turns, one at a time, the order swapped
// every round, so a drift in the machine's load favours neither; the figure
// is the ratio of each round. A window counts as painted once it is visible
// and neither it nor any of its visible child windows waits for a paint.
// Not a test: tests/bench/run.sh runs it.
//   StartupBench PROGRAM.exe MINIMAL.exe [rounds=10]

#include "tests/bench/BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bench;

BOOL CALLBACK FindPendingPaint(HWND window, LPARAM pending) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(pending) = true;
        return FALSE;
    }
    return TRUE;
}

bool Painted(HWND window) {
    if (!window || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, &FindPendingPaint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// Milliseconds from CreateProcess to the painted window; the program is then
// closed and waited for, so the next start finds no running copy.
double TimeToPaintedWindow(const std::string& exe, const std::string& title) {
    Child child("\"" + exe + "\"", title);
    for (;;) {
        if (Painted(child.Window())) return WallMs() - child.StartedMs();
        if (WallMs() - child.StartedMs() > 60000 || !child.Running()) {
            std::fprintf(stderr, "%s showed no painted window\n", exe.c_str());
            std::exit(2);
        }
        Sleep(2);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench PROGRAM.exe MINIMAL.exe [rounds]\n");
        return 2;
    }
    const std::string program = argv[1], minimal = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 10;

    // The first start of each reads its file and Wine's libraries from disk.
    TimeToPaintedWindow(program, kMainTitle);
    TimeToPaintedWindow(minimal, "MinimalWindow");

    std::vector<double> ratios, programMs, minimalMs;
    for (int round = 1; round <= rounds; ++round) {
        double p, m;
        if (round % 2) {
            p = TimeToPaintedWindow(program, kMainTitle);
            m = TimeToPaintedWindow(minimal, "MinimalWindow");
        } else {
            m = TimeToPaintedWindow(minimal, "MinimalWindow");
            p = TimeToPaintedWindow(program, kMainTitle);
        }
        programMs.push_back(p);
        minimalMs.push_back(m);
        ratios.push_back(p / m);
        std::printf("round %2d: program %5.0f ms, minimal window %5.0f ms, ratio %.2f\n", round, p,
                    m, p / m);
        std::fflush(stdout);
    }
    const Spread ratio = SpreadOf(ratios), p = SpreadOf(programMs), m = SpreadOf(minimalMs);
    std::printf("start to first painted window: program median %.0f ms (%.0f to %.0f), minimal "
                "window median %.0f ms (%.0f to %.0f)\n",
                p.Median, p.Low, p.High, m.Median, m.Low, m.High);
    std::printf("start-up program / minimal window: median %.2f (%.2f to %.2f), goal <= 1.5: %s\n",
                ratio.Median, ratio.Low, ratio.High, Verdict(ratio.Median <= 1.5));
    return 0;
}
