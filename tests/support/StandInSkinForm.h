#pragma once
// A stand-in for the skinned form frame (TskForm), which the skin library
// knows by its class name, publishing UIStyle as the frame does. Each test
// file that includes it gets its own.

#include "framework/WinControl.h"
#include "skin/SkinThemeTables.h"

namespace {

class TskForm : public TCustomControl {
    DECLARE_PUBLISHED(TskForm, TCustomControl)
  public:
    explicit TskForm(TComponent* owner) : TCustomControl(owner) {}
    TskUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TskUIStyle style) { style_ = style; }
    TskUIStyle style_ = TskUIStyle::DeepBlue;
};

const ClassInfo& TskForm::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskForm>()
            .Enum("UIStyle", TskUIStyleInfo, &TskForm::UIStyle, &TskForm::SetUIStyle)
            .Build();
    return info;
}

} // namespace
