#include "framework/Menus.h"

#include "framework/HelperWindow.h"

#include <algorithm>
#include <map>

namespace {
std::map<UINT, TMenuItem*>& CommandItems() {
    static std::map<UINT, TMenuItem*> items;
    return items;
}

UINT NextCommand() {
    static UINT next = 100;
    while (CommandItems().count(next) || next == 0)
        next = next >= 0xFFFF ? 100 : next + 1;
    return next++;
}
} // namespace

const ClassInfo& TMenuItem::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TMenuItem>()
            .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
    CommandItems()[command_] = this;
}

TMenuItem::~TMenuItem() {
    BeginDestroy();
    CommandItems().erase(command_);
    for (TMenuItem* child : items_)
        child->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    auto it = CommandItems().find(command);
    return it == CommandItems().end() ? nullptr : it->second;
}

bool TMenuItem::DispatchOwnerDraw(UINT msg, LPARAM lParam) {
    if (msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        TMenuItem* item = FindByCommand(draw->itemID);
        if (!item || !item->OnDrawItem) return false;
        TCanvas canvas;
        CanvasScope scope(canvas, draw->hDC);
        const RECT& r = draw->rcItem;
        item->OnDrawItem(item, canvas, TRect{r.left, r.top, r.right, r.bottom},
                         (draw->itemState & ODS_SELECTED) != 0);
        return true;
    }
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    TMenuItem* item = FindByCommand(measure->itemID);
    if (!item || !item->OnMeasureItem) return false;
    WindowDc screen(nullptr);
    TCanvas canvas;
    CanvasScope scope(canvas, screen.Get());
    int width = static_cast<int>(measure->itemWidth),
        height = static_cast<int>(measure->itemHeight);
    item->OnMeasureItem(item, canvas, width, height);
    measure->itemWidth = width;
    measure->itemHeight = height;
    return true;
}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    checked_ = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    default_ = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    enabled_ = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    visible_ = value;
    Changed();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    const auto& siblings = parent_->items_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    item->parent_ = this;
    items_.push_back(item);
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::AddStreamedChild(TComponent* child) {
    if (auto* item = dynamic_cast<TMenuItem*>(child)) Add(item);
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

void TMenuItem::Changed() {
    for (TMenuItem* item = this; item; item = item->parent_)
        if (item->OnChange) item->OnChange();
}

void TMenuItem::AppendTo(MenuRef menu) const {
    for (const TMenuItem* item : items_) {
        if (!item->visible_) continue;
        if (item->IsLine()) {
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = (item->OnDrawItem ? MF_OWNERDRAW : MF_STRING) |
                     (item->checked_ ? MF_CHECKED : 0) | (item->enabled_ ? 0 : MF_GRAYED);
        if (!item->items_.empty()) {
            MenuHandle sub(CreatePopupMenu());
            item->AppendTo(sub);
            // From here on the sub-menu belongs to menu.
            if (AppendMenuA(menu.Get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()),
                            item->caption_.c_str()))
                sub.Release();
        } else {
            AppendMenuA(menu.Get(), flags, item->command_,
                        item->OnDrawItem ? reinterpret_cast<LPCSTR>(item) : item->caption_.c_str());
        }
        if (item->default_) SetMenuDefaultItem(menu.Get(), item->command_, FALSE);
    }
}

const ClassInfo& TMenu::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TMenu>().Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(nullptr) {}

TMenu::~TMenu() {
    BeginDestroy();
    while (items_.Count() > 0)
        items_.Remove(items_.Items(items_.Count() - 1));
}

void TMenu::AddStreamedChild(TComponent* child) {
    if (auto* item = dynamic_cast<TMenuItem*>(child)) items_.Add(item);
}

const ClassInfo& TPopupMenu::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TPopupMenu>()
            .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() {
    BeginDestroy();
}

HWND TPopupMenu::Window() {
    if (!window_) {
        // Top-level, so it can be the foreground window the open menu needs.
        THelperWindowParams params{"TPopupMenuWindow"};
        params.Style = WS_POPUP;
        params.ExStyle = WS_EX_TOOLWINDOW;
        params.Parent = nullptr;
        window_ = CreateHelperWindow(*this, params);
    }
    return window_.Get();
}

void TPopupMenu::WindowMessage(HWND window, TMessage& message) {
    if ((message.Msg == WM_DRAWITEM || message.Msg == WM_MEASUREITEM) &&
        TMenuItem::DispatchOwnerDraw(message.Msg, message.LParam)) {
        message.Result = TRUE;
        return;
    }
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    MenuHandle menu(CreatePopupMenu());
    Items()->AppendTo(menu);
    const UINT command = TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                        x, y, 0, Window(), nullptr);
    if (command)
        if (TMenuItem* item = TMenuItem::FindByCommand(command)) item->Click();
}

const ClassInfo& TMainMenu::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TMainMenu>().Build();
    return info;
}

MenuHandle TMainMenu::CreateHandle() const {
    MenuHandle bar(CreateMenu());
    const_cast<TMainMenu*>(this)->Items()->AppendTo(bar);
    return bar;
}
