#pragma once
// The skinned panel base: double-buffered, optionally transparent (the parent
// shows through), caption centred. Group boxes and groups build on it.

#include "framework/Panel.h"

class TskCustomPanel : public TCustomPanel {
    DECLARE_PUBLISHED(TskCustomPanel, TCustomPanel)
  public:
    explicit TskCustomPanel(TComponent* owner);

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

  protected:
    virtual void ClearBackground();
    virtual void CaptionRectChanged() {}
    void Paint() override;
    void TextChanged() override;
    // Fills canvas with what lies behind the panel: the parent's colour when
    // transparent, else the panel's own.
    void PaintBackground(TCanvas& canvas);

  private:
    bool transparent_ = false;
};
