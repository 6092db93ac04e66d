#include "framework/Button.h"

#include "framework/Forms.h"

const ClassInfo& TButton::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TButton>()
            .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
            .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    frameworkClicks_ = false; // BN_CLICKED brings the click
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClass = "BUTTON";
    params.ClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_PARENTDC;
    params.Style |= BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) {
            if (TCustomForm* form = ParentForm(); form && modalResult_)
                form->SetModalResult(modalResult_);
            Click();
        }
        return;
    case WM_ERASEBKGND:
    case WM_PAINT:
        // The system class paints itself.
        DefaultHandler(message);
        return;
    }
    TWinControl::WndProc(message);
}
