#include "framework/Application.h"

#include "framework/ExceptionBarrier.h"
#include "framework/HelperWindow.h"
#include "framework/KeyboardNavigation.h"

#include <algorithm>

TApplication* Application = nullptr;

const ClassInfo& TApplicationEvents::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TApplicationEvents>().Build();
    return info;
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
    if (Application) Application->events_.push_back(this);
}

TApplicationEvents::~TApplicationEvents() {
    if (Application) {
        auto& list = Application->events_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

const ClassInfo& TApplication::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TApplication>().Build();
    return info;
}

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    SetExceptionHandler([this](const std::exception& error) { ShowException(error); });
    // A zero-size popup: it never shows on screen, only as the taskbar button.
    THelperWindowParams params{"TApplication"};
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.Parent = nullptr;
    params.Icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    params.X = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_ = CreateHelperWindow(*this, params);
}

TApplication::~TApplication() {
    BeginDestroy();
    DestroyComponents();
    SetExceptionHandler(nullptr);
    window_.Reset();
    Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    SetWindowTextA(window_.Get(), title.c_str());
}

bool TApplication::Active() const {
    HWND active = GetActiveWindow();
    return active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::WindowMessage(HWND window, TMessage& message) {
    // Closing the taskbar button closes the main form, which ends the program;
    // the application window itself only goes with the application.
    if (message.Msg == WM_CLOSE) {
        if (mainForm_) mainForm_->Close();
        return;
    }
    if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_CLOSE && mainForm_) {
        mainForm_->Close();
        return;
    }
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

bool TApplication::ProcessMessage(MSG& message) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    const bool ran = Guarded([&] {
        for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
            if (events->OnMessage && !handled) events->OnMessage(message, handled);
    });
    if (!ran) handled = true;
    if (!handled) handled = IsNavigationKey(message);
    if (!handled) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG message;
    while (ProcessMessage(message)) {
    }
}

void TApplication::Run() {
    if (mainForm_ && showMainForm_) mainForm_->Show();
    MSG message;
    while (!terminated_) {
        if (!ProcessMessage(message)) WaitMessage();
    }
}

void TApplication::Terminate() {
    if (!terminated_) PostQuitMessage(0);
}

void TApplication::Minimize() {
    ShowWindow(window_.Get(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (IsIconic(window_.Get())) ShowWindow(window_.Get(), SW_RESTORE);
}

std::string TApplication::ExceptionText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void TApplication::ShowException(const std::exception& error) {
    HWND owner = GetActiveWindow();
    if (!owner) owner = window_.Get();
    MessageBoxA(owner, ExceptionText(error.what()).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}
