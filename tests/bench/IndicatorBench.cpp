// Cost of one keyboard-indicator refresh with all three indicators ticked:
// the program's own work (rendering, icon conversion) apart from the shell
// calls, against a bare NIM_MODIFY. Prints CPU time (this process) and wall
// time per refresh. Not a test: run it by hand, e.g.
//   tools/wine-run build/x86_64/tests/bench/IndicatorBench.exe [refreshes]

#include "framework/Application.h"
#include "tests/support/WallTime.h"
#include "tests/support/ThreadTime.h"
#include "tray/TextTrayIcon.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Span {
    double Cpu = 0, Wall = 0;
};
Span shellTime;
int shellCalls = 0;
TrayPlatform::ShellNotifyFunc realShell = nullptr;

BOOL WINAPI TimedShell(DWORD message, TNotifyIconData* data) {
    const double cpu = ThreadCpuMs(), wall = WallMs();
    const BOOL result = realShell(message, data);
    shellTime.Cpu += ThreadCpuMs() - cpu;
    shellTime.Wall += WallMs() - wall;
    ++shellCalls;
    return result;
}

// What Button1Click does for one ticked indicator whose key reads on.
void RefreshOn(TTextTrayIcon& icon, const char* text, TColor color, const char* hint) {
    icon.SetIconVisible(true);
    icon.Font()->SetColor(clNavy);
    icon.SetText(text);
    icon.SetColor(color);
    icon.SetHint(hint);
}

} // namespace

int main(int argc, char** argv) {
    const int refreshes = argc > 1 ? std::atoi(argv[1]) : 500;
    TApplication application;
    TForm* form = application.CreateForm<TForm>();
    TTextTrayIcon* icons[3];
    for (auto*& icon : icons) {
        icon = new TTextTrayIcon(form);
        icon->Loaded();
    }
    realShell = TrayPlatform::ShellNotifyIcon;
    TrayPlatform::ShellNotifyIcon = &TimedShell;
    auto refresh = [&] {
        RefreshOn(*icons[0], "N", clLime, "Num Lock ON");
        RefreshOn(*icons[1], "A", clAqua, "Cap Lock ON");
        RefreshOn(*icons[2], "S", clFuchsia, "Scroll Lock ON");
    };
    for (int i = 0; i < 20; ++i)
        refresh();
    application.ProcessMessages();
    shellTime = {};
    shellCalls = 0;
    const double cpu = ThreadCpuMs(), wall = WallMs();
    for (int i = 0; i < refreshes; ++i)
        refresh();
    const Span total{ThreadCpuMs() - cpu, WallMs() - wall};
    const int callsPerRefresh = shellCalls / refreshes;

    // A bare modify of an icon that is in the tray, nothing drawn.
    TrayPlatform::ShellNotifyIcon = realShell;
    const TNotifyIconData bare = icons[0]->IconData();
    const int bareCalls = refreshes * 4;
    const double bareCpu0 = ThreadCpuMs(), bareWall0 = WallMs();
    for (int i = 0; i < bareCalls; ++i) {
        TNotifyIconData data = bare;
        realShell(NIM_MODIFY, &data);
    }
    const Span bareModify{(ThreadCpuMs() - bareCpu0) / bareCalls,
                          (WallMs() - bareWall0) / bareCalls};

    const Span own{(total.Cpu - shellTime.Cpu) / refreshes,
                   (total.Wall - shellTime.Wall) / refreshes};
    const Span shell{shellTime.Cpu / refreshes, shellTime.Wall / refreshes};
    std::printf("refreshes: %d, shell calls per refresh: %d\n", refreshes, callsPerRefresh);
    std::printf("per refresh         cpu %8.3f ms   wall %8.3f ms\n", total.Cpu / refreshes,
                total.Wall / refreshes);
    std::printf("  own work          cpu %8.3f ms   wall %8.3f ms\n", own.Cpu, own.Wall);
    std::printf("  shell calls       cpu %8.3f ms   wall %8.3f ms\n", shell.Cpu, shell.Wall);
    std::printf("bare NIM_MODIFY     cpu %8.3f ms   wall %8.3f ms\n", bareModify.Cpu,
                bareModify.Wall);
    std::printf("refresh / bare modify: cpu %.1f x, wall %.1f x; own work / bare modify: cpu %.1f "
                "x, wall %.1f x\n",
                total.Cpu / refreshes / bareModify.Cpu, total.Wall / refreshes / bareModify.Wall,
                own.Cpu / bareModify.Cpu, own.Wall / bareModify.Wall);
    return 0;
}
