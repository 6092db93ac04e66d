#pragma once
// A timer component: OnTimer every Interval milliseconds while Enabled. Ticks
// arrive through the message loop on the GUI thread.

#include "framework/Control.h"
#include "framework/WindowBinding.h"

class TTimer : public TComponent, private TWindowTarget {
    DECLARE_PUBLISHED(TTimer, TComponent)
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // 0 means the timer never fires.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

  private:
    void Update();
    void WindowMessage(HWND window, TMessage& message) override;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    WindowHandle window_;
};
