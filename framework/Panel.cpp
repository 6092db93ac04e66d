#include "framework/Panel.h"

namespace {
const TEnumInfo& BevelNames() {
    static const TEnumInfo names{{"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
    return names;
}
const TEnumInfo& BorderStyleNames() {
    static const TEnumInfo names{{"bsNone", "bsSingle"}};
    return names;
}
const TEnumInfo& AlignmentNames() {
    static const TEnumInfo names{{"taLeftJustify", "taRightJustify", "taCenter"}};
    return names;
}
} // namespace

const ClassInfo& TCustomPanel::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TCustomPanel>()
            .Enum("Alignment", AlignmentNames(), &TCustomPanel::Alignment,
                  &TCustomPanel::SetAlignment)
            .Enum("BevelInner", BevelNames(), &TCustomPanel::BevelInner,
                  &TCustomPanel::SetBevelInner)
            .Enum("BevelOuter", BevelNames(), &TCustomPanel::BevelOuter,
                  &TCustomPanel::SetBevelOuter)
            .Enum("BorderStyle", BorderStyleNames(), &TCustomPanel::BorderStyle,
                  &TCustomPanel::SetBorderStyle)
            .Build();
    return info;
}

const ClassInfo& TPanel::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TPanel>().Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::Paint() {
    TRect r = ClientRect();
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(r);
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        RECT edge{r.Left, r.Top, r.Right, r.Bottom};
        if (cut != bvSpace)
            DrawEdge(Canvas().Handle(), &edge, cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                     BF_RECT);
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    };
    if (borderStyle_ == bsSingleBorder) {
        Canvas().Brush().SetColor(clWindowFrame);
        Canvas().FrameRect(r);
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    bevel(bevelOuter_);
    bevel(bevelInner_);
    if (Caption().empty()) return;
    static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().Assign(*Font());
    Canvas().DrawText(Caption(), r, kAlign[alignment_] | DT_VCENTER | DT_SINGLELINE);
}
