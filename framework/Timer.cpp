#include "framework/Timer.h"

#include "framework/HelperWindow.h"

const ClassInfo& TTimer::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TTimer, TComponent>("TTimer")
                                      .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                      .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                      .Event("OnTimer", &TTimer::OnTimer)
                                      .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    THelperWindowParams params{"TTimerWindow", &TTimer::WindowProc};
    params.CreateParam = this;
    window_ = CreateHelperWindow(params);
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

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (msg == WM_TIMER) {
        auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && self->enabled_ && self->OnTimer) {
            try {
                self->OnTimer(self);
            } catch (const std::exception& error) {
                HandleException(error);
            }
        }
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}
