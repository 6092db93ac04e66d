#include "skin/SkinImagePanel.h"

#include "framework/Bitmap.h"
#include "framework/Strings.h"

#include <algorithm>

const ClassInfo& TskCustomPanel::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskCustomPanel>().Build();
    return info;
}

TskCustomPanel::TskCustomPanel(TComponent* owner) : TCustomPanel(owner) {
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetDoubleBuffered(true);
}

void TskCustomPanel::SetTransparent(bool value) {
    transparent_ = value;
    Repaint();
}

void TskCustomPanel::ClearBackground() {
    Canvas().Brush().SetColor(Color());
}

void TskCustomPanel::TextChanged() {
    CaptionRectChanged();
    Repaint();
}

void TskCustomPanel::PaintBackground(TCanvas& canvas) {
    // Until the skin helpers paint the parent's real background, the parent's
    // colour stands for it.
    const TColor color = transparent_ && Parent() ? Parent()->Color() : Color();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(ClientRect());
}

void TskCustomPanel::Paint() {
    TCanvas& canvas = Canvas();
    PaintBackground(canvas);
    canvas.Brush().SetStyle(bsClear);
    if (!Trim(Text()).empty()) {
        canvas.Font().Assign(*Font());
        TRect r = ClientRect();
        const unsigned align = Alignment() == taLeftJustify    ? DT_LEFT
                               : Alignment() == taRightJustify ? DT_RIGHT
                                                               : DT_CENTER;
        canvas.DrawText(Text(), r, DT_SINGLELINE | DT_VCENTER | align);
    }
}
