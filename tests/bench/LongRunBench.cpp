// What months of running would cost: the program's private bytes, GDI
// objects, USER objects and kernel handles after its start, after a warm-up,
// after a stretch of indicator ticks with all three indicators shown and the
// lock keys pressed by this program once a second, and after show/hide cycles
// of its window (a double click on its tray icon, then a minimize into the
// tray). Goal: flat after the warm-up. Each figure is the least of a few
// readings, so that an object that lives only within one tick is not taken
// for one that stays. Not a test: tests/bench/run.sh runs it.
//   LongRunBench PROGRAM.exe [tick-seconds=60] [cycles=100]
// The full run is 600 s (12,000 ticks of 50 ms) and 1,000 cycles.

#include "tests/bench/BenchSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr UINT kTrayIconMessage = 0x0800;
constexpr double kTickMs = 50;
// Private bytes may move a little with the heap's own bookkeeping.
constexpr int64_t kPrivateBytesSlack = 256 * 1024;

struct Sample {
    std::string Label;
    int64_t PrivateBytes;
    int Gdi;
    int User;
    int Handles;
};

Sample Take(const Child& program, const std::string& label) {
    Sample least{label, INT64_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
    for (int i = 0; i < 5; ++i) {
        if (i) Sleep(200);
        const ProcessFigures figures = program.Figures();
        least.PrivateBytes = std::min<int64_t>(least.PrivateBytes, figures.PrivateBytes);
        least.Gdi = std::min(least.Gdi, GdiObjectsOf(program.Handle()));
        least.User = std::min(least.User, UserObjectsOf(program.Handle(), program.Id()));
        least.Handles = std::min<int>(least.Handles, figures.KernelHandles);
    }
    std::printf("  %-28s %10.0f KiB %6d GDI %6d USER %6d handles\n", label.c_str(),
                least.PrivateBytes / 1024.0, least.Gdi, least.User, least.Handles);
    std::fflush(stdout);
    return least;
}

// Presses Num Lock, Caps Lock and Scroll Lock in turn, and counts the presses
// the tray showed; each key is pressed again at the end if it was left toggled.
class LockKeys {
  public:
    ~LockKeys() {
        for (int i = 0; i < 3; ++i)
            if (presses_[i] % 2) PressKey(kKeys[i]);
    }
    void PressNext() {
        const std::vector<uint32_t> before = tray_.Take();
        PressKey(kKeys[next_]);
        ++presses_[next_];
        next_ = (next_ + 1) % 3;
        ++total_;
        for (const double pressed = WallMs(); WallMs() - pressed < 800; Sleep(20)) {
            if (tray_.Take() != before) {
                ++shown_;
                return;
            }
        }
    }
    int Total() const { return total_; }
    int Shown() const { return shown_; }

  private:
    static constexpr BYTE kKeys[3] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
    TrayPicture tray_;
    int presses_[3] = {};
    int next_ = 0;
    int total_ = 0;
    int shown_ = 0;
};

// Indicator ticks for the given time, a lock key pressed every second.
void RunTicks(double seconds, LockKeys& keys, const Child& program, int checkpoints,
              std::vector<Sample>& samples) {
    const double start = WallMs();
    for (int checkpoint = 1; checkpoint <= checkpoints; ++checkpoint) {
        const double until = start + seconds * 1000 * checkpoint / checkpoints;
        while (WallMs() + 1000 <= until) {
            const double pressed = WallMs();
            keys.PressNext();
            const double rest = 1000 - (WallMs() - pressed);
            if (rest > 0) Sleep(static_cast<DWORD>(rest));
        }
        if (WallMs() < until) Sleep(static_cast<DWORD>(until - WallMs()));
        const long ticks = static_cast<long>((WallMs() - start) / kTickMs);
        samples.push_back(Take(program, "after " + std::to_string(ticks) + " ticks"));
    }
}

bool WaitVisible(HWND window, bool visible) {
    for (const double start = WallMs(); WallMs() - start < 15000; Sleep(5))
        if ((IsWindowVisible(window) != FALSE) == visible) return true;
    return false;
}

// Shows the window from the tray and minimizes it back, count times.
void RunShowHideCycles(int count, const Child& program, int checkpoints,
                       std::vector<Sample>& samples) {
    const HWND icon = WindowOf(program.Id(), "TrayIcon1");
    const HWND main = program.Window();
    if (!icon || !main) {
        std::fprintf(stderr, "the program's tray icon window or main window is missing\n");
        std::exit(2);
    }
    const int every = checkpoints > 0 ? std::max(1, count / checkpoints) : 0;
    for (int cycle = 1; cycle <= count; ++cycle) {
        PostMessageA(icon, kTrayIconMessage, 1, WM_LBUTTONDBLCLK);
        const bool shown = WaitVisible(main, true);
        PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        if (!shown || !WaitVisible(main, false)) {
            std::fprintf(stderr, "cycle %d: the window did not %s\n", cycle,
                         shown ? "hide into the tray" : "show from the tray");
            std::exit(2);
        }
        if (every && cycle % every == 0)
            samples.push_back(Take(program, "after " + std::to_string(cycle) + " show/hide"));
    }
}

// Growth from the warm-up's end to the highest later figure.
struct Growth {
    int64_t PrivateBytes;
    int Gdi, User, Handles;
};
Growth GrowthAfter(const Sample& base, const std::vector<Sample>& later) {
    Growth most{0, 0, 0, 0};
    for (const Sample& s : later) {
        most.PrivateBytes = std::max(most.PrivateBytes, s.PrivateBytes - base.PrivateBytes);
        most.Gdi = std::max(most.Gdi, s.Gdi - base.Gdi);
        most.User = std::max(most.User, s.User - base.User);
        most.Handles = std::max(most.Handles, s.Handles - base.Handles);
    }
    return most;
}

bool Report(const char* phase, const Sample& base, const std::vector<Sample>& later) {
    const Growth g = GrowthAfter(base, later);
    const Sample& end = later.back();
    const bool flat =
        g.Gdi <= 0 && g.User <= 0 && g.Handles <= 0 && g.PrivateBytes <= kPrivateBytesSlack;
    std::printf("%s: at most %+.0f KiB private, %+d GDI, %+d USER, %+d handles over the warm-up's "
                "end (at the end %+.0f KiB, %+d, %+d, %+d); goal flat: %s\n",
                phase, g.PrivateBytes / 1024.0, g.Gdi, g.User, g.Handles,
                (end.PrivateBytes - base.PrivateBytes) / 1024.0, end.Gdi - base.Gdi,
                end.User - base.User, end.Handles - base.Handles, Verdict(flat));
    return flat;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: LongRunBench PROGRAM.exe [tick-seconds] [cycles]\n");
        return 2;
    }
    RequireHarnessPrefix("LongRunBench");
    const std::string program = argv[1];
    const double seconds = argc > 2 ? std::atof(argv[2]) : 60;
    const int cycles = argc > 3 ? std::atoi(argv[3]) : 100;

    IndicatorSettings settings;
    settings.ShowAll(true);
    Child moxel("\"" + program + "\"", kMainTitle);
    if (!moxel.WaitForWindow(true, 30000) || !moxel.WaitForWindow(false, 30000)) {
        std::fprintf(stderr, "the program did not reach its start-up tick\n");
        return 2;
    }
    Sleep(2000);
    std::printf("long run: all three indicators shown, %.0f s of ticks (%.0f ticks of 50 ms) with "
                "a lock key pressed every second, then %d show/hide cycles\n",
                seconds, seconds * 1000 / kTickMs, cycles);
    if (UserObjectsAreWindows(moxel.Handle()))
        std::printf("(USER objects: the program's windows; this system does not count the rest "
                    "for another process)\n");
    const Sample started = Take(moxel, "after start");

    LockKeys keys;
    std::vector<Sample> warmUp, ticks, showHide;
    RunTicks(20, keys, moxel, 1, warmUp);
    RunShowHideCycles(20, moxel, 0, warmUp);
    const Sample base = Take(moxel, "after the warm-up");
    RunTicks(seconds, keys, moxel, 10, ticks);
    RunShowHideCycles(cycles, moxel, 10, showHide);
    if (!moxel.Running()) {
        std::fprintf(stderr, "the program ended during the run\n");
        return 2;
    }
    std::printf("lock key presses the tray showed: %d of %d\n", keys.Shown(), keys.Total());
    std::printf("after start to the warm-up's end: %+.0f KiB private, %+d GDI, %+d USER\n",
                (base.PrivateBytes - started.PrivateBytes) / 1024.0, base.Gdi - started.Gdi,
                base.User - started.User);
    Report("indicator ticks", base, ticks);
    Report("show/hide cycles", base, showHide);
    return 0;
}
