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

#include "framework/Handles.h"

#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kSettingsKey = "Software\\MOXEL Utility";
const char* const kMainTitle = "MOXEL Utility V1.2 20080204";
const char* const kIndicatorValues[] = {"CapLock", "NumLock", "ScrollLock"};

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

struct WindowSearch {
    DWORD Process;
    const std::string& Title;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    if (owner != search->Process || search->Title != text) return TRUE;
    search->Found = window;
    return FALSE;
}

HWND WindowOf(DWORD process, const std::string& title) {
    WindowSearch search{process, title, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// User and kernel time of all threads of a process, from the system's list
// of processes: Wine answers GetProcessTimes for another process with next
// to nothing, while the list carries the kernel's own figures (on Windows
// both agree).
double ProcessCpuMs(DWORD process) {
    using QueryFunc = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFunc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<uint8_t> list(1 << 20);
    ULONG length = 0;
    if (!query ||
        query(SystemProcessInformation, list.data(), static_cast<ULONG>(list.size()), &length) != 0)
        return -1;
    for (size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&list[at]);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId)) == process)
            return (entry->UserTime.QuadPart + entry->KernelTime.QuadPart) / 1e4;
        if (!entry->NextEntryOffset) return -1;
        at += entry->NextEntryOffset;
    }
}

// A program started for the measurement; closed through its window (so its
// icons leave the tray) when this goes.
class Child {
  public:
    Child(const std::string& commandLine, std::string windowTitle)
        : windowTitle_(std::move(windowTitle)) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info)) {
            std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
            std::exit(2);
        }
        process_.Reset(info.hProcess);
        KernelHandle thread(info.hThread);
        id_ = info.dwProcessId;
    }
    ~Child() { Close(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // User and kernel time of all its threads so far.
    double CpuMs() const { return ProcessCpuMs(id_); }
    HWND Window() const { return WindowOf(id_, windowTitle_); }
    bool WaitForWindow(bool visible, double timeoutMs) const {
        for (const double start = NowMs(); NowMs() - start < timeoutMs; Sleep(50)) {
            HWND window = Window();
            if (window && (IsWindowVisible(window) != FALSE) == visible) return true;
        }
        return false;
    }
    void Close() {
        if (!process_) return;
        if (HWND window = Window()) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.Get(), 1);
        process_.Reset();
    }

  private:
    KernelHandle process_;
    DWORD id_ = 0;
    std::string windowTitle_;
};

// The indicator choices the program loads at its start-up tick; the values
// it found are put back at the end.
class IndicatorSettings {
  public:
    IndicatorSettings() {
        for (int i = 0; i < 3; ++i) {
            DWORD size = sizeof before_[i];
            existed_[i] =
                RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKey, kIndicatorValues[i],
                             RRF_RT_REG_DWORD, nullptr, &before_[i], &size) == ERROR_SUCCESS;
        }
    }
    ~IndicatorSettings() {
        for (int i = 0; i < 3; ++i)
            if (existed_[i])
                Write(kIndicatorValues[i], before_[i]);
            else
                RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, kIndicatorValues[i]);
    }
    IndicatorSettings(const IndicatorSettings&) = delete;
    IndicatorSettings& operator=(const IndicatorSettings&) = delete;
    void ShowAll(bool shown) {
        for (const char* name : kIndicatorValues)
            Write(name, shown ? 1 : 0);
    }

  private:
    static void Write(const char* name, DWORD value) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, name, REG_DWORD, &value, sizeof value);
    }
    bool existed_[3] = {};
    DWORD before_[3] = {};
};

bool InHarnessPrefix() {
    char text[64] = {};
    DWORD size = sizeof text;
    return RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\MOXEL Utility Test Prefix", "Marker",
                        RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS &&
           std::string(text) == "made by tools/make-prefix.sh";
}

// The notification area as the screen shows it: the right end of the
// taskbar, where the icons are drawn.
class TrayPicture {
  public:
    TrayPicture() {
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        if (!taskbar || !GetWindowRect(taskbar, &area_)) return;
        area_.left = std::max(area_.left, area_.right - 240);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = area_.right - area_.left;
        format.bmiHeader.biHeight = -(area_.bottom - area_.top);
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        picture_.Reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits_, nullptr, 0));
        memory_.Reset(CreateCompatibleDC(nullptr));
    }
    std::vector<uint32_t> Take() {
        if (!picture_) return {};
        const int width = area_.right - area_.left, height = area_.bottom - area_.top;
        WindowDc screen(nullptr);
        {
            SelectionScope selected(memory_.Get(), picture_.Get());
            BitBlt(memory_.Get(), 0, 0, width, height, screen.Get(), area_.left, area_.top,
                   SRCCOPY);
        }
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits_);
        return std::vector<uint32_t>(first, first + size_t(width) * height);
    }

  private:
    RECT area_{};
    void* bits_ = nullptr;
    GdiObject picture_;
    MemoryDc memory_;
};

void PressNumLock() {
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(VK_NUMLOCK, MAPVK_VK_TO_VSC));
    keybd_event(VK_NUMLOCK, scan, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_NUMLOCK, scan, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

// Milliseconds from a Num Lock press until the tray looks different; -1 when
// nothing changed within a second.
double NumLockToTray(TrayPicture& tray) {
    const std::vector<uint32_t> before = tray.Take();
    const double pressed = NowMs();
    PressNumLock();
    while (NowMs() - pressed < 1000)
        if (tray.Take() != before) return NowMs() - pressed;
    return -1;
}

struct Spread {
    double Median, Low, High;
};
Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
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
    if (!InHarnessPrefix()) {
        std::fprintf(stderr, "refused: the benchmark writes the program's settings and runs only "
                             "in a Wine prefix made by tools/make-prefix.sh\n");
        return 2;
    }
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
                idle.Median, idle.Low, idle.High, idle.Median <= 2.0 ? "met" : "MISSED");
    std::printf("all three ticked / (b):    median %.2f (%.2f to %.2f), goal <= 1.2: %s\n",
                all.Median, all.Low, all.High, all.Median <= 1.2 ? "met" : "MISSED");
    if (!latencies.empty()) {
        PrintLatencies("the program", latencies);
        PrintLatencies("the quickest tick-driven icon", quickest);
    }
    return 0;
}
