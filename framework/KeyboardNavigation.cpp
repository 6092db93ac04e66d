#include "framework/KeyboardNavigation.h"

#include "framework/Forms.h"

#include <algorithm>

namespace {
void AddInTabOrder(const TWinControl& container, std::vector<TWinControl*>& list) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < container.ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(container.Controls(i))) children.push_back(w);
    // -1 (no tab order) sorts last as an unsigned number.
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        return static_cast<unsigned>(a->TabOrder()) < static_cast<unsigned>(b->TabOrder());
    });
    for (TWinControl* child : children) {
        if (child->CanFocus()) list.push_back(child);
        AddInTabOrder(*child, list);
    }
}

bool IsParentOf(const TWinControl* parent, const TControl* control) {
    for (const TControl* c = control ? control->Parent() : nullptr; c; c = c->Parent())
        if (c == parent) return true;
    return false;
}
} // namespace

std::vector<TWinControl*> TabOrderList(const TWinControl& container) {
    std::vector<TWinControl*> list;
    AddInTabOrder(container, list);
    return list;
}

bool SelectNext(TWinControl& container, TWinControl* current, bool forward, bool checkTabStop) {
    // Every focusable control takes part in finding current's place, also one
    // without a tab stop: from there the walk looks for the next one that fits.
    const std::vector<TWinControl*> list = TabOrderList(container);
    if (list.empty()) return false;
    const auto fits = [&](TWinControl* c) {
        if (c == current) return false;
        if (!checkTabStop) return true;
        return c->TabStop() && !IsParentOf(c, current);
    };
    const size_t n = list.size();
    const auto at = std::find(list.begin(), list.end(), current);
    size_t start =
        at == list.end() ? (forward ? n - 1 : 0) : static_cast<size_t>(at - list.begin());
    for (size_t step = 1; step <= n; ++step) {
        const size_t index = forward ? (start + step) % n : (start + n - step % n) % n;
        if (fits(list[index])) {
            list[index]->SetFocus();
            return true;
        }
    }
    return false;
}

bool IsNavigationKey(const MSG& message) {
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
        return SelectNext(*form, target, !(shift & ssShift), true);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if ((wants & DLGC_WANTARROWS) || target == form || !target->Parent()) return false;
        const bool forward = message.wParam == VK_RIGHT || message.wParam == VK_DOWN;
        return SelectNext(*target->Parent(), target, forward, false);
    }
    case VK_RETURN:
    case VK_ESCAPE:
        return form->DialogKey(static_cast<WORD>(message.wParam), shift);
    }
    return false;
}
