// What the keyboard indicators cost, measured on the real program: the CPU
// time of its whole process (all threads) over a fixed time
// with no indicator ticked and with all three ticked (set in the registry
// before it starts). Beside it, at the same time, run the yardsticks: a bare
// program with one 50 ms timer (a) and the same with three NIM_MODIFY a tick
// (b), so whatever else loads the machine falls on all of them alike. The
// figures are ratios to those; then how long a Num Lock press takes to show
// in the tray, beside a one-icon program that shows the key's state at its
// own 50 ms tick. Not a test: tests/bench/run.sh runs it.
//   IndicatorBench PROGRAM.exe MINIMAL.exe [seconds=30] [rounds=3] [presses=10]

#include "tests/bench/BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bench;

// Milliseconds from a Num Lock press until the tray looks different; -1 when
// nothing changed within a second.
double NumLockToTray(TrayPicture& tray) {
    const std::vector<uint32_t> before = tray.Take();
    const double pressed = WallMs();
    PressKey(VK_NUMLOCK);
    while (WallMs() - pressed < 1000)
        if (tray.Take() != before) return WallMs() - pressed;
    return -1;
}

struct Window {
    double Bare, Modify, Program;
};

void PressesToTray(int presses, std::vector<double>& latencies) {
    TrayPicture tray;
    for (int i = 0; i < presses; ++i) {
        latencies.push_back(NumLockToTray(tray));
        // Off the tick's beat, so the presses land all over the period.
        Sleep(300 + 7 * i);
    }
}

// One measuring window: the program (with or without indicators) beside the
// two yardsticks, all started together; presses > 0 then times Num Lock
// presses, on the program and then on the quickest tick-driven icon.
Window Measure(const std::string& program, const std::string& minimal, bool indicators,
               double seconds, int presses, std::vector<double>& latencies,
               std::vector<double>& quickest) {
    IndicatorSettings settings;
    settings.ShowAll(indicators);
    Child bare("\"" + minimal + "\" 0", "MinimalTray 0");
    Child modify("\"" + minimal + "\" 3", "MinimalTray 3");
    Child moxel("\"" + program + "\"", kMainTitle);
    // Its start-up tick (about 3 s in) loads the settings and hides the window.
    if (!moxel.WaitForWindow(true, 30000) || !moxel.WaitForWindow(false, 30000)) {
        std::fprintf(stderr, "the program did not reach its start-up tick\n");
        std::exit(2);
    }
    Sleep(1000);
    const Window start{bare.CpuMs(), modify.CpuMs(), moxel.CpuMs()};
    Sleep(static_cast<DWORD>(seconds * 1000));
    const Window end{bare.CpuMs(), modify.CpuMs(), moxel.CpuMs()};
    if (presses > 0) {
        bare.Close();
        modify.Close();
        Sleep(500);
        PressesToTray(presses, latencies);
        moxel.Close();
        // The yardstick: one icon that follows the key at each 50 ms tick.
        Child follower("\"" + minimal + "\" numlock", "MinimalTray numlock");
        Sleep(1500);
        PressesToTray(presses, quickest);
    }
    return {end.Bare - start.Bare, end.Modify - start.Modify, end.Program - start.Program};
}

void PrintLatencies(const char* what, const std::vector<double>& latencies) {
    const bool allSeen =
        std::none_of(latencies.begin(), latencies.end(), [](double ms) { return ms < 0; });
    const Spread press = SpreadOf(latencies);
    const long withinTick = std::count_if(latencies.begin(), latencies.end(),
                                          [](double ms) { return ms >= 0 && ms <= 50; });
    std::printf("Num Lock press to tray, %s: %zu presses, median %.0f ms (%.0f to %.0f), %ld "
                "within one 50 ms tick%s\n",
                what, latencies.size(), press.Median, press.Low, press.High, withinTick,
                allSeen ? "" : "; some never showed");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr, "usage: IndicatorBench PROGRAM.exe MINIMAL.exe [seconds] [rounds] [presses]\n");
        return 2;
    }
    RequireHarnessPrefix("IndicatorBench");
    const std::string program = argv[1], minimal = argv[2];
    const double seconds = argc > 3 ? std::atof(argv[3]) : 30;
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 3;
    const int presses = argc > 5 ? std::atoi(argv[5]) : 10;

    std::printf("process CPU over %.0f s; (a) one 50 ms timer, (b) the same plus 3 NIM_MODIFY a "
                "tick, run beside the program\n",
                seconds);
    std::vector<double> idleRatios, allRatios, latencies, quickest;
    for (int round = 1; round <= rounds; ++round) {
        // Alternated, so that a drift in the machine's load favours neither.
        for (int step = 0; step < 2; ++step) {
            const bool indicators = (round + step) % 2 == 0;
            const Window w =
                Measure(program, minimal, indicators, seconds,
                        indicators && round == rounds ? presses : 0, latencies, quickest);
            const double ratio = indicators ? w.Program / w.Modify : w.Program / w.Bare;
            (indicators ? allRatios : idleRatios).push_back(ratio);
            std::printf("round %d, %-22s (a) %6.0f ms  (b) %6.0f ms  program %6.0f ms  "
                        "program/%s %.2f\n",
                        round, indicators ? "all three ticked:" : "no indicator ticked:", w.Bare,
                        w.Modify, w.Program, indicators ? "(b)" : "(a)", ratio);
            std::fflush(stdout);
        }
    }
    const Spread idle = SpreadOf(idleRatios), all = SpreadOf(allRatios);
    std::printf("no indicator ticked / (a): median %.2f (%.2f to %.2f), goal <= 2.0: %s\n",
                idle.Median, idle.Low, idle.High, Verdict(idle.Median <= 2.0));
    std::printf("all three ticked / (b):    median %.2f (%.2f to %.2f), goal <= 1.2: %s\n",
                all.Median, all.Low, all.High, Verdict(all.Median <= 1.2));
    if (!latencies.empty()) {
        PrintLatencies("the program", latencies);
        PrintLatencies("the quickest tick-driven icon", quickest);
    }
    return 0;
}
