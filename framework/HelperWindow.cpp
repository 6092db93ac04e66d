#include "framework/HelperWindow.h"

WindowHandle CreateHelperWindow(TWindowTarget& target, const THelperWindowParams& params) {
    TWindowClass windowClass;
    windowClass.Name = params.ClassName;
    windowClass.Icon = params.Icon;
    RegisterBoundClass(windowClass);
    TWindowParams window;
    window.ExStyle = params.ExStyle;
    window.Style = params.Style;
    window.Text = params.Text;
    window.X = params.X;
    window.Y = params.Y;
    window.Parent = params.Parent;
    return WindowHandle(CreateBoundWindow(target, params.ClassName, window));
}
