#pragma once
// The framework's push button: the system's BUTTON window class, superclassed,
// so its clicks come back to the object as OnClick.

#include "framework/WinControl.h"

class TButton : public TWinControl {
    DECLARE_PUBLISHED(TButton, TWinControl)
  public:
    explicit TButton(TComponent* owner);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;

  private:
    int modalResult_ = 0;
};
