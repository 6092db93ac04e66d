#pragma once
// Panels: a windowed container with bevels, a border style and a centred caption.

#include "framework/WinControl.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNoBorder, bsSingleBorder };

class TCustomPanel : public TCustomControl {
    DECLARE_PUBLISHED(TCustomPanel, TCustomControl)
  public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

  protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }

  private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    TBorderStyle borderStyle_ = bsNoBorder;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    DECLARE_PUBLISHED(TPanel, TCustomPanel)
  public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
