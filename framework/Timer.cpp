#include "framework/Timer.h"

#include "framework/HelperWindow.h"

const ClassInfo& TTimer::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TTimer>()
                                      .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                      .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                      .Event("OnTimer", &TTimer::OnTimer)
                                      .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = CreateHelperWindow(*this, THelperWindowParams{"TTimerWindow"});
    Update();
}

TTimer::~TTimer() {
    enabled_ = false;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::Update() {
    if (running_) KillTimer(window_.Get(), 1);
    running_ = enabled_ && interval_ > 0 && window_;
    if (running_) SetTimer(window_.Get(), 1, interval_, nullptr);
}

void TTimer::WindowMessage(HWND window, TMessage& message) {
    if (message.Msg == WM_TIMER) {
        if (enabled_ && OnTimer) OnTimer(this);
        return;
    }
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}
