#include "framework/WindowBinding.h"

#include "framework/ExceptionBarrier.h"

#include <map>

namespace {
// Marks the windows whose user data is a bound object: other windows (and
// other processes' windows, which answer GetWindowLongPtr too) are not ours.
constexpr const char* kBoundMark = "FwObject";
} // namespace

WNDPROC RegisterBoundClass(const TWindowClass& windowClass) {
    static std::map<std::string, WNDPROC> registered;
    if (auto it = registered.find(windowClass.Name); it != registered.end()) return it->second;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    WNDPROC defaultProc = DefWindowProcA;
    if (!windowClass.SystemClass.empty() &&
        GetClassInfoExA(nullptr, windowClass.SystemClass.c_str(), &wc)) {
        defaultProc = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
    } else {
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    }
    wc.style = windowClass.Style;
    wc.lpfnWndProc = &BoundWindowProc;
    wc.hInstance = instance;
    if (windowClass.Icon) wc.hIcon = windowClass.Icon;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = windowClass.Name.c_str();
    wc.lpszMenuName = nullptr;
    RegisterClassExA(&wc);
    registered[windowClass.Name] = defaultProc;
    return defaultProc;
}

HWND CreateBoundWindow(TWindowTarget& target, const std::string& className,
                       const TWindowParams& params) {
    // The object travels as lpCreateParams; WM_NCCREATE takes it from there.
    return CreateWindowExA(params.ExStyle, className.c_str(), params.Text, params.Style, params.X,
                           params.Y, params.Width, params.Height, params.Parent, nullptr,
                           GetModuleHandleA(nullptr), &target);
}

TWindowTarget* BoundTarget(HWND window) {
    if (!window || !GetPropA(window, kBoundMark)) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return reinterpret_cast<TWindowTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK BoundWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWindowTarget* target = BoundTarget(window);
    if (msg == WM_NCCREATE) {
        target =
            static_cast<TWindowTarget*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
        SetPropA(window, kBoundMark, reinterpret_cast<HANDLE>(1));
        target->WindowBound(window);
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (!target) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    Guarded([&] { target->WindowMessage(window, message); });
    if (msg == WM_NCDESTROY) {
        RemovePropA(window, kBoundMark);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        target->WindowUnbound();
    }
    return message.Result;
}
