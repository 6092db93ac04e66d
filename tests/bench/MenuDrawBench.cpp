// Cost of drawing a whole nine-item skinned popup menu off screen, item by
// item through the menu's handlers, as a multiple of one BitBlt of a bitmap
// of the menu's size, for each built-in style. Thread CPU time, so other
// work on the machine counts less. Not a test: run it by hand, e.g.
//   tools/wine-run build/x86_64/tests/bench/MenuDrawBench.exe [milliseconds per style]

#include "framework/Forms.h"
#include "skin/SkinPopupMenu.h"
#include "tests/support/ThreadTime.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// CPU milliseconds per run of step, repeated for about budget milliseconds.
double PerRun(const std::function<void()>& step, double budget) {
    step(); // anything made on first use is made now
    long runs = 0;
    const double start = ThreadCpuMs();
    double spent = 0;
    do {
        for (int i = 0; i < 50; ++i)
            step();
        runs += 50;
        spent = ThreadCpuMs() - start;
    } while (spent < budget);
    return spent / runs;
}

} // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::atof(argv[1]) : 2000;
    TForm form(nullptr);
    TskPopupMenu* menu = new TskPopupMenu(&form);
    std::vector<TMenuItem*> items;
    for (const char* caption : {"&Open", "&Save", "Save &as...", "-", "&Word wrap", "&Read only",
                                "Re&cent", "-", "E&xit"}) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        items.push_back(item);
    }
    items[0]->SetDefault(true);
    items[1]->SetShortCut(scCtrl | 'S');
    items[4]->SetChecked(true);
    items[5]->SetEnabled(false);

    std::printf("9-item skinned menu drawn off screen, against one BitBlt of its size\n");
    std::printf("%-10s %8s %12s %12s %8s\n", "style", "size", "menu (us)", "BitBlt (us)", "ratio");
    const char* names[] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
    const TskUIStyle styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                                 TskUIStyle::Protein, TskUIStyle::BlueGlass};
    for (int s = 0; s < 5; ++s) {
        menu->SetUIStyle(styles[s]);
        TBitmap scratch(1, 1);
        std::vector<TRect> rects;
        int width = 0, height = 0;
        for (TMenuItem* item : items) {
            int w = 0, h = 0;
            item->OnMeasureItem(item, scratch.Canvas(), w, h);
            rects.push_back(Rect(0, height, 0, height + h));
            width = std::max(width, w);
            height += h;
        }
        for (TRect& r : rects)
            r.Right = width;
        TBitmap target(width, height), source(width, height);
        const double menuMs = PerRun(
            [&] {
                for (size_t i = 0; i < items.size(); ++i)
                    items[i]->OnDrawItem(items[i], target.Canvas(), rects[i], i == 1);
            },
            budget);
        HDC to = target.Canvas().Handle(), from = source.Canvas().Handle();
        const double bltMs =
            PerRun([&] { BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY); }, budget);
        std::printf("%-10s %3dx%-4d %12.1f %12.2f %8.0f\n", names[s], width, height, menuMs * 1000,
                    bltMs * 1000, menuMs / bltMs);
    }
    return 0;
}
