// Cost of one full paint of the main window's title bar (MacOS, 270 x 23,
// caption, control box, close and minimize) through the title bar's own paint
// cycle, against one BitBlt of a bitmap of the same size: the ratio is what
// the paint costs over the bare copy to the screen it ends in. Also the cost
// of a style application, which decodes the theme pictures. Not a test: run
// it by hand, e.g.
//   tools/wine-run build/x86_64/tests/bench/TitleBarBench.exe [paints]

#include "framework/Forms.h"
#include "skin/SkinTitleBar.h"
#include "tests/support/CallCost.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The framework's part of any double-buffered paint: the buffer and the copy.
class TEmptyBuffered : public TCustomControl {
  public:
    explicit TEmptyBuffered(TComponent* owner) : TCustomControl(owner) { SetDoubleBuffered(true); }
};

} // namespace

int main(int argc, char** argv) {
    const int paints = argc > 1 ? std::atoi(argv[1]) : 2000;
    auto form = std::make_unique<TForm>(nullptr);
    // Off the screen, so the pointer is never over a button.
    form->SetBounds(-4000, -4000, 400, 200);
    auto* bar = new TskTitleBar(form.get());
    bar->SetParent(form.get());
    bar->SetAlign(alNone);
    bar->SetWidth(270);
    bar->SetUIStyle(TskUIStyle::MacOS);
    bar->Buttons()->Items(2)->SetVisible(false);
    bar->SetCaption("MOXEL Utility V1.2 20080204");

    TBitmap target(bar->Width(), bar->Height()), source(bar->Width(), bar->Height());
    HDC dc = target.Canvas().Handle();
    HDC from = source.Canvas().Handle();
    const auto paint = [&] {
        SendMessageA(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    };
    const auto blit = [&] {
        BitBlt(dc, 0, 0, target.Width(), target.Height(), from, 0, 0, SRCCOPY);
    };
    auto* empty = new TEmptyBuffered(form.get());
    empty->SetParent(form.get());
    empty->SetBounds(0, 40, bar->Width(), bar->Height());
    const auto emptyPaint = [&] {
        SendMessageA(empty->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    };
    paint();
    blit();
    emptyPaint();
    // Interleaved rounds, so a change in the machine's load hits all alike.
    Cost paintCost, blitCost, emptyCost;
    const int rounds = 5;
    for (int r = 0; r < rounds; ++r) {
        paintCost += PerCall(paints / rounds, paint);
        blitCost += PerCall(paints * 10 / rounds, blit);
        emptyCost += PerCall(paints / rounds, emptyPaint);
    }
    const Cost style = PerCall(50, [&] {
        bar->SetUIStyle(TskUIStyle::WinXP);
        bar->SetUIStyle(TskUIStyle::MacOS);
    });
    const Cost refresh = PerCall(200, [&] { bar->RefreshMaxButtons(); });

    std::printf("title bar %d x %d, %d paints\n", bar->Width(), bar->Height(), paints);
    Print("full paint", Cost{paintCost.Wall / rounds, paintCost.Cpu / rounds});
    Print("BitBlt of the same size", Cost{blitCost.Wall / rounds, blitCost.Cpu / rounds});
    std::printf("ratio: %.0f (wall), %.0f (CPU)\n", paintCost.Wall / blitCost.Wall,
                paintCost.Cpu / blitCost.Cpu);
    Print("of it the framework's buffer (empty paint)",
          Cost{emptyCost.Wall / rounds, emptyCost.Cpu / rounds});
    Print("style application", Cost{style.Wall / 2, style.Cpu / 2});
    Print("RefreshMaxButtons", refresh);
    return 0;
}
