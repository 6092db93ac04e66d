#include "framework/HelperWindow.h"

#include <set>
#include <string>

WindowHandle CreateHelperWindow(const THelperWindowParams& params) {
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registered.insert(params.ClassName).second) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = params.Proc;
        wc.hInstance = instance;
        wc.hIcon = params.Icon;
        wc.lpszClassName = params.ClassName;
        RegisterClassA(&wc);
    }
    return WindowHandle(CreateWindowExA(params.ExStyle, params.ClassName, params.Text, params.Style,
                                        params.X, params.Y, 0, 0, params.Parent, nullptr, instance,
                                        params.CreateParam));
}
