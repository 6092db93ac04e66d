// Cost of the skinned main window. Not a test: run it by hand, e.g.
//   tools/wine-run build/x86_64/tests/bench/FrameBench.exe [repaints] [starts]
//
// 1. A full repaint of the main window (frame, title bar, every control),
//    against one BitBlt of a bitmap of the window's size to the window, and
//    the same repaint taken apart by window.
// 2. Start-up to the first painted frame of the main window, against a
//    minimal Win32 program that shows one empty window: each is started as
//    a fresh process (this program with --child), which reports the time
//    from its creation to its window painted.

#include "app/Unit1.h"
#include "framework/Application.h"
#include "skin/SkinForm.h"
#include "tests/support/CallCost.h"
#include "tests/support/MainWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Milliseconds since this process was created.
double SinceCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// Everything of the window painted, frame included.
void PaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int ChildProgram() {
    TApplication application;
    TForm1* form = MakeMainWindow(application);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    return static_cast<int>(SinceCreation() * 100);
}

LRESULT CALLBACK PlainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, msg, wParam, lParam);
}

int ChildMinimal() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "FrameBenchPlain";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "plain", WS_OVERLAPPEDWINDOW, 100, 100, 276,
                                  243, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const int result = static_cast<int>(SinceCreation() * 100);
    DestroyWindow(window);
    return result;
}

// Starts this program with the argument; its exit code is its start-up time in 1/100 ms.
double TimedStart(const char* argument) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code / 100.0;
}

void RepaintBenchmark(int repaints) {
    TApplication application;
    TForm1* form = MakeMainWindow(application);
    form->Show();
    SetCursorPos(0, 0);
    HWND window = form->Handle();
    for (int i = 0; i < 20; ++i) {
        Pump();
        Sleep(10);
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    TBitmap picture(w, h);
    HDC from = picture.Canvas().Handle();
    HDC windowDc = GetWindowDC(window);
    const auto blit = [&] { BitBlt(windowDc, 0, 0, w, h, from, 0, 0, SRCCOPY); };
    const auto repaint = [&] { PaintAll(window); };
    repaint();
    blit();
    GdiFlush();
    Cost repaintCost, blitCost;
    const int rounds = 5;
    for (int r = 0; r < rounds; ++r) {
        repaintCost += PerCall(repaints / rounds, [&] {
            repaint();
            GdiFlush();
        });
        blitCost += PerCall(repaints * 10 / rounds, [&] {
            blit();
            GdiFlush();
        });
    }
    ReleaseDC(window, windowDc);
    const Cost repaintMean{repaintCost.Wall / rounds, repaintCost.Cpu / rounds};
    const Cost blitMean{blitCost.Wall / rounds, blitCost.Cpu / rounds};

    std::printf("main window %d x %d, %d repaints\n", w, h, repaints);
    Print("full repaint", repaintMean);
    Print("BitBlt of the window's size to the window", blitMean);
    std::printf("ratio: %.1f wall, %.1f CPU\n", repaintMean.Wall / blitMean.Wall,
                repaintMean.Cpu / blitMean.Cpu);

    // Each window's own paint, to see what the repaint is made of.
    std::printf("by part, one paint each:\n");
    const int parts = std::max(repaints / 5, 20);
    Print("  frame border (WM_NCPAINT)",
          PerCall(parts, [&] { SendMessageA(window, WM_NCPAINT, 1, 0); }));
    const auto partPaint = [&](TWinControl* control) {
        return PerCall(parts, [&] {
            RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        });
    };
    TskForm* frame = form->skForm1;
    Print("  frame client (tiles, then border)", partPaint(frame));
    Print("  title bar", partPaint(frame->TitleBar()));
    for (int i = 0; i < frame->ControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(frame->Controls(i));
        if (!control || control == frame->TitleBar() || !control->Visible()) continue;
        Cost cost = partPaint(control);
        int items = 0;
        for (int k = 0; k < control->ControlCount(); ++k)
            if (auto* item = dynamic_cast<TWinControl*>(control->Controls(k))) {
                cost += partPaint(item);
                ++items;
            }
        std::string what = "  " + control->Name();
        if (items) what += " and its " + std::to_string(items) + " items";
        Print(what.c_str(), cost);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child-program") == 0) return ChildProgram();
    if (argc > 1 && std::strcmp(argv[1], "--child-minimal") == 0) return ChildMinimal();
    const int repaints = argc > 1 ? std::atoi(argv[1]) : 500;
    const int starts = argc > 2 ? std::atoi(argv[2]) : 5;
    RepaintBenchmark(repaints);

    // Alternated, so a change in the machine's load hits both alike.
    std::vector<double> program, minimal;
    for (int i = 0; i < starts; ++i) {
        minimal.push_back(TimedStart("--child-minimal"));
        program.push_back(TimedStart("--child-program"));
    }
    const auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return v.empty() ? 0 : sum / v.size();
    };
    std::printf("start-up to the first painted window, %d starts each:\n", starts);
    std::printf("  minimal Win32 window:    %8.1f ms\n", mean(minimal));
    std::printf("  the program's window:    %8.1f ms\n", mean(program));
    std::printf("  ratio:                   %8.1f\n", mean(program) / mean(minimal));
    return 0;
}
