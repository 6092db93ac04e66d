#include "framework/MessageReflection.h"

#include "framework/Menus.h"

namespace {
bool ReflectCommand(TWinControl& parent, TMessage& message) {
    HWND from = reinterpret_cast<HWND>(message.LParam);
    if (TWinControl* child = FindControl(from); child && child != &parent) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return true;
    }
    if (from == nullptr && HIWORD(message.WParam) == 0) {
        if (TMenuItem* item = TMenuItem::FindByCommand(LOWORD(message.WParam))) {
            item->Click();
            return true;
        }
    }
    return false;
}

bool ReflectOwnerDraw(TWinControl& parent, TMessage& message) {
    const bool draw = message.Msg == WM_DRAWITEM;
    const UINT type = draw ? reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->CtlType
                           : reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlType;
    if (type == ODT_MENU) {
        message.Result = TMenuItem::DispatchOwnerDraw(message.Msg, message.LParam);
        return true;
    }
    HWND item = draw ? reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem
                     : GetDlgItem(parent.Handle(), static_cast<int>(message.WParam));
    if (TWinControl* child = FindControl(item)) {
        message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return true;
    }
    return false;
}
} // namespace

bool ReflectNotification(TWinControl& parent, TMessage& message) {
    switch (message.Msg) {
    case WM_COMMAND:
        return ReflectCommand(parent, message);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ReflectOwnerDraw(parent, message);
    }
    return false;
}
