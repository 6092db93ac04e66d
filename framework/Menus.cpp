#include "framework/Menus.h"

#include "framework/HelperWindow.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace {
std::map<UINT, TMenuItem*>& CommandItems() {
    static std::map<UINT, TMenuItem*> items;
    return items;
}

std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

std::string KeyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    static const std::map<int, const char*> names{
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
        {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
    const auto it = names.find(key);
    return it == names.end() ? std::string() : it->second;
}

UINT NextCommand() {
    static UINT next = 100;
    while (CommandItems().count(next) || next == 0)
        next = next >= 0xFFFF ? 100 : next + 1;
    return next++;
}
} // namespace

std::string ShortCutToText(int shortCut) {
    const std::string key = KeyName(shortCut & 0xFF);
    if (key.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + key;
}

int ShortCutOf(WORD key, TShiftState shift) {
    int shortCut = key & 0xFF;
    if (shift & ssShift) shortCut |= scShift;
    if (shift & ssCtrl) shortCut |= scCtrl;
    if (shift & ssAlt) shortCut |= scAlt;
    return shortCut;
}

const TEnumInfo& MenuAutoFlagNames() {
    static const TEnumInfo names{{"maAutomatic", "maManual"}};
    return names;
}

namespace {
TMenuItem* FindShortCut(TMenuItem* parent, int shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible() || !item->Enabled()) continue;
        if (item->ShortCut() == shortCut && item->Count() == 0) return item;
        if (TMenuItem* found = FindShortCut(item, shortCut)) return found;
    }
    return nullptr;
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
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    BeginDestroy();
    CommandItems().erase(command_);
    LiveItems().erase(this);
    for (TMenuItem* child : items_)
        child->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    auto it = CommandItems().find(command);
    return it == CommandItems().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return LiveItems().count(item) ? item : nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

bool TMenuItem::DispatchOwnerDraw(UINT msg, LPARAM lParam) {
    // Entries with sub-menus have the sub-menu as their id: the item data
    // is what names the item.
    if (msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        TMenuItem* item = FromItemData(draw->itemData);
        if (!item || !item->OnDrawItem) return false;
        TCanvas canvas;
        CanvasScope scope(canvas, draw->hDC);
        const RECT& r = draw->rcItem;
        item->OnDrawItem(item, canvas, TRect{r.left, r.top, r.right, r.bottom},
                         (draw->itemState & ODS_SELECTED) != 0);
        return true;
    }
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    TMenuItem* item = FromItemData(measure->itemData);
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

bool TMenuItem::AnswerMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    const char key = static_cast<char>(LOWORD(wParam));
    const int count = GetMenuItemCount(menu);
    std::vector<int> matches;
    int highlighted = -1;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fState & MFS_HILITE) highlighted = i;
        if (!(info.fType & MFT_OWNERDRAW)) continue;
        const TMenuItem* item = FromItemData(info.dwItemData);
        if (item && IsAccel(key, item->caption_)) matches.push_back(i);
    }
    if (matches.empty()) return false;
    if (matches.size() == 1) {
        result = MAKELRESULT(matches.front(), MNC_EXECUTE);
        return true;
    }
    const auto next = std::find_if(matches.begin(), matches.end(),
                                   [highlighted](int i) { return i > highlighted; });
    result = MAKELRESULT(next == matches.end() ? matches.front() : *next, MNC_SELECT);
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
    if (TMenu* menu = GetParentMenu()) menu->ItemAdded(item);
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    TMenu* menu = GetParentMenu();
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
    if (menu) menu->ItemRemoved(item);
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
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::AppendTo(MenuRef menu) const {
    for (const TMenuItem* item : items_) {
        if (!item->visible_) continue;
        const bool ownerDrawn = static_cast<bool>(item->OnDrawItem);
        // An owner-drawn entry has no text: it carries its item as item data.
        const LPCSTR content = ownerDrawn ? reinterpret_cast<LPCSTR>(item) : item->caption_.c_str();
        if (item->IsLine()) {
            // A plain separator never reaches the drawing handlers.
            if (ownerDrawn)
                AppendMenuA(menu.Get(), MF_OWNERDRAW | MF_SEPARATOR, item->command_, content);
            else
                AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = (ownerDrawn ? MF_OWNERDRAW : MF_STRING) |
                           (item->checked_ ? MF_CHECKED : 0) | (item->enabled_ ? 0 : MF_GRAYED);
        if (!item->items_.empty()) {
            MenuHandle sub(CreatePopupMenu());
            item->AppendTo(sub);
            // From here on the sub-menu belongs to menu.
            if (AppendMenuA(menu.Get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()),
                            content))
                sub.Release();
        } else {
            AppendMenuA(menu.Get(), flags, item->command_, content);
        }
        // By position: an entry with a sub-menu has no command of its own.
        if (item->default_)
            SetMenuDefaultItem(menu.Get(), static_cast<UINT>(GetMenuItemCount(menu.Get()) - 1),
                               TRUE);
    }
}

const ClassInfo& TMenu::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TMenu>()
            .Enum("AutoHotkeys", MenuAutoFlagNames(), &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys)
            .Enum("BiDiMode", BiDiModeNames(), &TMenu::BiDiMode, &TMenu::SetBiDiMode)
            .Reference<TImageList>("Images", &TMenu::Images, &TMenu::SetImages)
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(nullptr) {
    items_.menu_ = this;
}

TMenu::~TMenu() {
    BeginDestroy();
    while (items_.Count() > 0)
        items_.Remove(items_.Items(items_.Count() - 1));
}

void TMenu::AddStreamedChild(TComponent* child) {
    if (auto* item = dynamic_cast<TMenuItem*>(child)) items_.Add(item);
}

void TMenu::SetImages(TImageList* images) {
    if (images_ && images_ != images) {
        images_->RemoveFreeNotification(this);
        RemoveFreeNotification(images_);
    }
    images_ = images;
    if (images_) FreeNotification(images_);
}

bool TMenu::IsShortCut(int shortCut) {
    if ((shortCut & 0xFF) == 0) return false;
    TMenuItem* item = FindShortCut(&items_, shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsRightToLeft() const {
    return bidiMode_ != bdLeftToRight && SystemLocaleRightToLeft();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
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
    if (message.Msg == WM_MENUCHAR &&
        TMenuItem::AnswerMenuChar(message.WParam, message.LParam, message.Result))
        return;
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    Track(*Items(), x, y);
}

void TPopupMenu::Track(const TMenuItem& source, int x, int y) {
    MenuHandle menu(CreatePopupMenu());
    source.AppendTo(menu);
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
