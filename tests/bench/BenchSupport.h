#pragma once
// What the benchmarks share: a clock, the figures the system keeps of another
// process, the programs they start and close, the harness's prefix mark, the
// program's settings put back as found, and the spread of repeated figures.

#include "framework/Handles.h"
#include "tests/support/GdiCount.h"
#include "tests/support/WallTime.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace bench {

inline const char* const kSettingsKey = "Software\\MOXEL Utility";
inline const char* const kMainTitle = "MOXEL Utility V1.2 20080204";
inline const char* const kIndicatorValues[] = {"CapLock", "NumLock", "ScrollLock"};

// A process's figures as the system's list of processes has them: Wine
// answers GetProcessTimes and GetProcessMemoryInfo for another process with
// next to nothing, while the list carries the kernel's own figures (on
// Windows both agree). Under Wine the private bytes are the process's
// anonymous resident memory and swap.
struct ProcessFigures {
    bool Found = false;
    double CpuMs = 0;
    uint64_t PrivateBytes = 0;
    unsigned KernelHandles = 0;
};

inline ProcessFigures FiguresOf(DWORD process) {
    using QueryFunc = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFunc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    static std::vector<uint8_t> list(1 << 20);
    ULONG length = 0;
    ProcessFigures figures;
    if (!query ||
        query(SystemProcessInformation, list.data(), static_cast<ULONG>(list.size()), &length) != 0)
        return figures;
    for (size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&list[at]);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId)) == process) {
            figures.Found = true;
            figures.CpuMs = (entry->UserTime.QuadPart + entry->KernelTime.QuadPart) / 1e4;
            // Wine leaves PrivatePageCount at 0 and counts the process's
            // anonymous resident memory and swap as its page file usage.
            figures.PrivateBytes = entry->PrivatePageCount
                                       ? entry->PrivatePageCount
                                       : entry->VirtualMemoryCounters.PagefileUsage;
            figures.KernelHandles = entry->HandleCount;
            return figures;
        }
        if (!entry->NextEntryOffset) return figures;
        at += entry->NextEntryOffset;
    }
}

// The GDI objects a process holds: GetGuiResources where the system counts
// them, else (Wine) the live entries of the GDI handle table its PEB points to.
inline int GdiObjectsOf(HANDLE process) {
    if (const DWORD reported = GetGuiResources(process, GR_GDIOBJECTS)) return int(reported);
    using QueryFunc = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFunc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    const uint8_t* table = nullptr;
    const auto* field =
        reinterpret_cast<const uint8_t*>(basic.PebBaseAddress) + gdi_table::kPebField;
    if (!ReadProcessMemory(process, field, &table, sizeof table, nullptr) || !table) return -1;
    static std::vector<uint8_t> copy(gdi_table::kBytes);
    if (!ReadProcessMemory(process, table, copy.data(), copy.size(), nullptr)) return -1;
    return gdi_table::CountLive(copy.data());
}

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD Process;
    int Count;
};

inline BOOL CALLBACK CountProcessWindows(HWND window, LPARAM param) {
    auto* count = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count->Process) return TRUE;
    ++count->Count;
    EnumChildWindows(window, &CountChildWindow, reinterpret_cast<LPARAM>(&count->Count));
    return TRUE;
}

// The USER objects a process holds: GetGuiResources where the system counts
// them; Wine does not, and another process's icons and menus cannot be seen
// from outside there, so its windows (top-level and child) are counted. An
// icon's pictures are GDI bitmaps, counted with the GDI objects.
inline int UserObjectsOf(HANDLE process, DWORD id) {
    if (const DWORD reported = GetGuiResources(process, GR_USEROBJECTS)) return int(reported);
    WindowCount count{id, 0};
    EnumWindows(&CountProcessWindows, reinterpret_cast<LPARAM>(&count));
    return count.Count;
}

// True where the USER figure is the process's windows only.
inline bool UserObjectsAreWindows(HANDLE process) {
    return GetGuiResources(process, GR_USEROBJECTS) == 0;
}

struct WindowSearch {
    DWORD Process;
    const std::string& Title;
    HWND Found;
};

inline BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    if (owner != search->Process || search->Title != text) return TRUE;
    search->Found = window;
    return FALSE;
}

// The process's top-level window with that title, or null.
inline HWND WindowOf(DWORD process, const std::string& title) {
    WindowSearch search{process, title, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
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
        startedMs_ = WallMs();
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

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    // When CreateProcess was called, on the WallMs clock.
    double StartedMs() const { return startedMs_; }
    ProcessFigures Figures() const { return FiguresOf(id_); }
    // User and kernel time of all its threads so far.
    double CpuMs() const { return Figures().CpuMs; }
    HWND Window() const { return WindowOf(id_, windowTitle_); }
    bool WaitForWindow(bool visible, double timeoutMs) const {
        for (const double start = WallMs(); WallMs() - start < timeoutMs; Sleep(50)) {
            HWND window = Window();
            if (window && (IsWindowVisible(window) != FALSE) == visible) return true;
        }
        return false;
    }
    bool Running() const {
        return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
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
    double startedMs_ = 0;
    std::string windowTitle_;
};

inline bool InHarnessPrefix() {
    char text[64] = {};
    DWORD size = sizeof text;
    return RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\MOXEL Utility Test Prefix", "Marker",
                        RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS &&
           std::string(text) == "made by tools/make-prefix.sh";
}

// Ends the benchmark unless it runs in the harness's prefix: the benchmarks
// write the program's settings and press the lock keys.
inline void RequireHarnessPrefix(const char* benchmark) {
    if (InHarnessPrefix()) return;
    std::fprintf(stderr,
                 "%s refused: it writes the program's settings and runs only in a Wine prefix "
                 "made by tools/make-prefix.sh\n",
                 benchmark);
    std::exit(2);
}

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

// A lock key pressed and released, as a user's hand would.
inline void PressKey(BYTE key) {
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    const DWORD extended = key == VK_NUMLOCK ? KEYEVENTF_EXTENDEDKEY : 0;
    keybd_event(key, scan, extended, 0);
    keybd_event(key, scan, extended | KEYEVENTF_KEYUP, 0);
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

struct Spread {
    double Median, Low, High;
};
inline Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {0, 0, 0};
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

inline const char* Verdict(bool held) {
    return held ? "met" : "MISSED";
}

} // namespace bench
