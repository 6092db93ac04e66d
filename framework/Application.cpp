#include "framework/Application.h"

#include "framework/HelperWindow.h"

#include <algorithm>

TApplication* Application = nullptr;

const ClassInfo& TApplicationEvents::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TApplicationEvents, TComponent>("TApplicationEvents").Build();
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
    static const ClassInfo info = ClassBuilder<TApplication, TComponent>("TApplication").Build();
    return info;
}

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    SetExceptionHandler([this](const std::exception& error) { ShowException(error); });
    // A zero-size popup: it never shows on screen, only as the taskbar button.
    THelperWindowParams params{"TApplication", &TApplication::WindowProc};
    params.CreateParam = this;
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.Parent = nullptr;
    params.Icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    params.X = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_ = CreateHelperWindow(params);
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

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && Application && Application->mainForm_) {
            Application->mainForm_->Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (Application && Application->mainForm_) Application->mainForm_->Close();
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

bool TApplication::ProcessMessage(MSG& message) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    try {
        for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_))
            if (events->OnMessage && !handled) events->OnMessage(message, handled);
    } catch (const std::exception& error) {
        ShowException(error);
        handled = true;
    }
    if (!handled) handled = IsKeyMessage(message);
    if (!handled) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

bool TApplication::IsKeyMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) return false;
    TWinControl* target = FindControl(message.hwnd);
    TCustomForm* form = target ? target->ParentForm() : nullptr;
    if (!form) return false;
    const LRESULT wants = SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                       reinterpret_cast<LPARAM>(&message));
    if (wants & DLGC_WANTALLKEYS) return false;
    if (message.message == WM_SYSCHAR) return form->DialogChar(static_cast<char>(message.wParam));
    const TShiftState shift = KeyboardShiftState();
    switch (message.wParam) {
    case VK_TAB:
        if ((wants & DLGC_WANTTAB) || (shift & (ssCtrl | ssAlt))) return false;
        return form->SelectNext(target, !(shift & ssShift), true);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if ((wants & DLGC_WANTARROWS) || target == form || !target->Parent()) return false;
        // Arrows step between siblings, also those without a tab stop (group items).
        const bool forward = message.wParam == VK_RIGHT || message.wParam == VK_DOWN;
        return target->Parent()->SelectNext(target, forward, false);
    }
    case VK_RETURN:
    case VK_ESCAPE:
        return form->DialogKey(static_cast<WORD>(message.wParam), shift);
    }
    return false;
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
