// Cost of one paint of a text shape: the version label (a font made, text
// measured and drawn), the default grid of squares, and a one-pixel grid on a
// control far larger than the screen, of which only a screenful is drawn.
// Not a test: run it by hand, e.g.
//   tools/wine-run build/x86_64/tests/shapes/ShapeBench.exe [paints]

#include "framework/Bitmap.h"
#include "shapes/MShape.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

void Measure(const char* what, TMultiShape& shape, TBitmap& target, int paints) {
    for (int i = 0; i < 5; ++i)
        shape.PaintOn(target.Canvas().Handle());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < paints; ++i)
        shape.PaintOn(target.Canvas().Handle());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%-44s %9.3f ms per paint\n", what, took.count() / paints);
}

} // namespace

int main(int argc, char** argv) {
    const int paints = argc > 1 ? std::atoi(argv[1]) : 2000;
    TBitmap target(1280, 1024);

    TMultiShape label(nullptr);
    label.SetShapeType(msText);
    label.SetText("V1.2");
    label.Font()->SetName("Tahoma");
    label.Font()->SetHeight(-16);
    label.Font()->SetStyle(FontStyle(fsBold));
    label.SetBounds(0, 16, 57, 30);
    label.SetRepeatMode(rpNone);
    Measure("version label, 57 x 30", label, target, paints);
    label.SetShadow(true);
    label.SetAngle(90);
    Measure("version label turned, with shadow", label, target, paints);

    TMultiShape grid(nullptr);
    Measure("default grid, 30 x 30 (4 squares)", grid, target, paints);
    grid.SetShadow(true);
    grid.SetBounds(0, 0, 400, 300);
    Measure("shadowed grid, 400 x 300 (336 squares)", grid, target, paints / 20 + 1);

    TMultiShape huge(nullptr);
    huge.SetBounds(0, 0, INT_MAX, INT_MAX);
    huge.SetXSpacing(1);
    huge.SetYSpacing(1);
    huge.SetShapeW(2);
    huge.SetShapeH(2);
    Measure("1-pixel grid on INT_MAX x INT_MAX, 1280 x 1024 shown", huge, target, 1);
    return 0;
}
