// Cost of one full paint of the main window's title bar (MacOS, 270 x 23,
// caption, control box, close and minimize) through the title bar's own paint
// cycle, against one BitBlt of a bitmap of the same size: the ratio is what
// the paint costs over the bare copy to the screen it ends in. Also the cost
// of a style application, which decodes the theme pictures. Not a test: run
// it by hand, e.g.
//   tools/wine-run build/x86_64/tests/bench/TitleBarBench.exe [paints]

#include "framework/Forms.h"
#include "skin/SkinTitleBar.h"
#include "tests/bench/BenchClock.h"

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
    // Interleaved rounds, so a change in the machine's load hits both alike.
    double paintUs = 0, blitUs = 0, emptyUs = 0;
    const int rounds = 5;
    for (int r = 0; r < rounds; ++r) {
        paintUs += PerCallUs(paints / rounds, paint);
        blitUs += PerCallUs(paints * 10 / rounds, blit);
        emptyUs += PerCallUs(paints / rounds, emptyPaint);
    }
    paintUs /= rounds;
    blitUs /= rounds;
    emptyUs /= rounds;
    const double styleUs = PerCallUs(50,
                                     [&] {
                                         bar->SetUIStyle(TskUIStyle::WinXP);
                                         bar->SetUIStyle(TskUIStyle::MacOS);
                                     }) /
                           2;
    const double refreshUs = PerCallUs(200, [&] { bar->RefreshMaxButtons(); });

    std::printf("title bar %d x %d, %d paints\n", bar->Width(), bar->Height(), paints);
    std::printf("full paint:        %9.1f us\n", paintUs);
    std::printf("BitBlt same size:  %9.1f us\n", blitUs);
    std::printf("ratio:             %9.1f\n", paintUs / blitUs);
    std::printf("of which the framework's buffer (an empty buffered paint): %.1f us\n", emptyUs);
    std::printf("style application: %9.1f us\n", styleUs);
    std::printf("RefreshMaxButtons: %9.1f us\n", refreshUs);
    return 0;
}
