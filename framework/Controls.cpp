#include "framework/Controls.h"

#include "framework/Forms.h"
#include "framework/Menus.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

namespace {
std::function<void(const std::exception&)>& ExceptionHandler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}
} // namespace

void SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    ExceptionHandler() = std::move(handler);
}

void HandleException(const std::exception& error) {
    if (ExceptionHandler())
        ExceptionHandler()(error);
    else
        MessageBoxA(nullptr, error.what(), "Error", MB_OK | MB_ICONERROR);
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

const TEnumInfo& AlignNames() {
    static const TEnumInfo names{
        {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
    return names;
}

const TEnumInfo& BiDiModeNames() {
    static const TEnumInfo names{
        {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
    return names;
}

// ---------------------------------------------------------------------------- TControl

const ClassInfo& TControl::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TControl, TComponent>("TControl")
            .Enum("Align", AlignNames(), &TControl::Align, &TControl::SetAlign)
            .Enum("BiDiMode", BiDiModeNames(), &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Str("Caption", &TControl::Caption, &TControl::SetCaption)
            .Color("Color", &TControl::Color, &TControl::SetColor)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Object("Font", TPropKind::Object, &TControl::Font)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Str("Hint", &TControl::Hint, &TControl::SetHint)
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Reference<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Int("Tag", &TControl::Tag, &TControl::SetTag)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnResize", &TControl::OnResize)
            .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!copyingParentFont_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    BeginDestroy();
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    if (parent_) {
        if (parentFont_) ParentFontChanged();
        if (parentColor_) ParentColorChanged();
    }
}

void TControl::AddStreamedChild(TComponent* child) {
    auto* control = dynamic_cast<TControl*>(child);
    auto* self = dynamic_cast<TWinControl*>(this);
    if (control && self) control->SetParent(self);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const TRect old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_ && parent_->HandleAllocated()) {
        RECT r{old.Left, old.Top, old.Right, old.Bottom};
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
    Invalidate();
    BoundsChanged();
}

void TControl::BoundsChanged() {
    Resize();
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin{left_, top_};
    if (auto* self = dynamic_cast<const TWinControl*>(this); self && self->handle_) {
        POINT p{point.X, point.Y};
        ::ClientToScreen(self->handle_, &p);
        return TPoint{p.x, p.y};
    }
    if (parent_) return parent_->ClientToScreen(TPoint{point.X + origin.X, point.Y + origin.Y});
    return point;
}

TPoint TControl::ScreenToClient(TPoint point) const {
    const TPoint origin = ClientToScreen(TPoint{0, 0});
    return TPoint{point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (parent_ && parent_->HandleAllocated()) {
        const TRect b = BoundsRect();
        RECT r{b.Left, b.Top, b.Right, b.Bottom};
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
    if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    TextChanged();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    copyingParentFont_ = true;
    font_.Assign(*parent_->Font());
    copyingParentFont_ = false;
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_ || parent_->Color() == color_) return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Invalidate() {}

void TControl::Repaint() {
    Invalidate();
    const TControl* window = this;
    while (window && !dynamic_cast<const TWinControl*>(window))
        window = window->parent_;
    if (auto* w = dynamic_cast<const TWinControl*>(window); w && w->handle_)
        UpdateWindow(w->handle_);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    if (auto* self = dynamic_cast<TWinControl*>(this); self && self->WindowProc)
        self->WindowProc(message);
    else
        WndProc(message);
    return message.Result;
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
        HandleMouse(message);
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::HandleMouse(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = MouseShiftState(message.WParam);
    auto* window = dynamic_cast<TWinControl*>(this);
    const auto capture = [&](bool on) {
        if (!frameworkClicks_) return;
        mouseCaptured_ = on;
        if (window && window->handle_) {
            if (on)
                SetCapture(window->handle_);
            else if (GetCapture() == window->handle_)
                ReleaseCapture();
        }
    };
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (!mouseInside_ && window && window->handle_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window->handle_, 0};
            TrackMouseEvent(&track);
            MouseEnter();
        }
        MouseMove(shift, x, y);
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        MouseLeave();
        break;
    case WM_LBUTTONDOWN:
        capture(true);
        MouseDown(TMouseButton::mbLeft, shift | ssLeft, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        capture(true);
        DblClick();
        MouseDown(TMouseButton::mbLeft, shift | ssLeft | ssDouble, x, y);
        break;
    case WM_LBUTTONUP: {
        const bool wasCaptured = mouseCaptured_;
        capture(false);
        if (wasCaptured && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
        MouseUp(TMouseButton::mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, shift | ssRight, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, shift, x, y);
        if (popupMenu_ && popupMenu_->AutoPopup()) {
            const TPoint at = ClientToScreen(TPoint{x, y});
            popupMenu_->Popup(at.X, at.Y);
        }
        break;
    case WM_MBUTTONDOWN:
        MouseDown(TMouseButton::mbMiddle, shift | ssMiddle, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, x, y);
        break;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) {
    auto* window = dynamic_cast<TWinControl*>(this);
    if (window && window->handle_)
        message.Result = CallWindowProcA(window->defWndProc_, window->handle_, message.Msg,
                                         message.WParam, message.LParam);
}

// ---------------------------------------------------------------------------- TGraphicControl

const ClassInfo& TGraphicControl::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
    return info;
}

void TGraphicControl::PaintOn(HDC dc) {
    DcStateScope state(dc);
    SetViewportOrgEx(dc, Left(), Top(), nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    canvas_.Attach(dc);
    canvas_.Font().Assign(*Font());
    Paint();
    canvas_.Detach();
}

void TGraphicControl::Invalidate() {
    if (Parent() && Parent()->HandleAllocated() && Visible()) {
        const TRect b = BoundsRect();
        RECT r{b.Left, b.Top, b.Right, b.Bottom};
        InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
}

// ---------------------------------------------------------------------------- TWinControl

const ClassInfo& TWinControl::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TWinControl, TControl>("TWinControl")
            .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Event("OnEnter", &TWinControl::OnEnter)
            .Event("OnExit", &TWinControl::OnExit)
            .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnKeyPress", &TWinControl::OnKeyPress)
            .Event("OnKeyUp", &TWinControl::OnKeyUp)
            .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    WindowProc = [this](TMessage& message) { WndProc(message); };
}

TWinControl::~TWinControl() {
    BeginDestroy();
    for (TControl* child : std::vector<TControl*>(controls_))
        child->parent_ = nullptr;
    controls_.clear();
    DestroyHandle();
}

TWinControl* FindControl(HWND window) {
    // Only windows the framework created carry the mark and an object in their user data.
    if (!window || !GetPropA(window, "FwObject")) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropA(window, "FwObject", reinterpret_cast<HANDLE>(1));
        self->handle_ = window;
    }
    if (!self) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        self->WindowProc(message);
    } catch (const std::exception& error) {
        HandleException(error);
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(window, "FwObject");
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return message.Result;
}

std::string TWinControl::RegisterWindowClass(const TCreateParams& params, WNDPROC& defaultProc) {
    static std::map<std::string, WNDPROC> registered;
    const std::string name = params.ClassName;
    auto it = registered.find(name);
    if (it != registered.end()) {
        defaultProc = it->second;
        return name;
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    defaultProc = DefWindowProcA;
    if (!params.SystemClass.empty() && GetClassInfoExA(nullptr, params.SystemClass.c_str(), &wc)) {
        defaultProc = wc.lpfnWndProc;
    } else {
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    }
    wc.cbSize = sizeof wc;
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = name.c_str();
    wc.lpszMenuName = nullptr;
    RegisterClassExA(&wc);
    registered[name] = defaultProc;
    return name;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.ClassName = ClassName();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent()) params.WndParent = Parent()->Handle();
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    if (handle_ || Destroying()) return;
    TCreateParams params;
    CreateParams(params);
    const std::string className = RegisterWindowClass(params, defWndProc_);
    CreateWindowExA(params.ExStyle, className.c_str(), Text().c_str(), params.Style, params.X,
                    params.Y, params.Width, params.Height, params.WndParent, nullptr,
                    GetModuleHandleA(nullptr), this);
    if (handle_) CreateWnd();
}

void TWinControl::CreateWnd() {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    for (TControl* child : controls_)
        if (auto* window = dynamic_cast<TWinControl*>(child)) window->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (handle_) DestroyWindow(handle_); // WM_NCDESTROY clears handle_
    handle_ = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        if (handle_) window->CreateHandle();
    } else {
        control->Invalidate();
    }
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (captureChild_ == control) captureChild_ = nullptr;
    control->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    if (auto* window = dynamic_cast<TWinControl*>(control)) window->DestroyHandle();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) {
        settingBounds_ = true;
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        settingBounds_ = false;
    }
    BoundsChanged();
}

void TWinControl::BoundsChanged() {
    TControl::BoundsChanged();
    AlignControls();
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_ || settingBounds_) return;
    RECT r{};
    GetWindowRect(handle_, &r);
    HWND parent = GetParent(handle_);
    if (parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == Left() && r.top == Top() && r.right - r.left == Width() &&
        r.bottom - r.top == Height())
        return;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    BoundsChanged();
}

TRect TWinControl::ClientRect() const {
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return TRect{0, 0, r.right, r.bottom};
    }
    return TRect{0, 0, Width(), Height()};
}

void TWinControl::SetText(const std::string& text) {
    if (text == Text()) return;
    text_ = text;
    if (handle_) SetWindowTextA(handle_, text.c_str());
    TextChanged();
}

void TWinControl::SetVisible(bool visible) {
    if (visible == Visible()) return;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    VisibleChanged();
}

void TWinControl::VisibleChanged() {
    if (Parent() && Align() != alNone) Parent()->Realign();
}

void TWinControl::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
    EnabledChanged();
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::SetTabStop(bool value) {
    tabStop_ = value;
    if (handle_) {
        LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return handle_ != nullptr;
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
    if (Handle()) ::SetFocus(handle_);
}

void TWinControl::FocusChanged(TWinControl* focused) {
    for (TControl* child : controls_)
        if (auto* window = dynamic_cast<TWinControl*>(child)) window->FocusChanged(focused);
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
    for (TControl* child : controls_)
        if (auto* window = dynamic_cast<TWinControl*>(child))
            if (window->Visible() && window->DialogKey(key, shift)) return true;
    return false;
}

bool TWinControl::DialogChar(char key) {
    for (TControl* child : controls_)
        if (auto* window = dynamic_cast<TWinControl*>(child))
            if (window->Visible() && window->DialogChar(key)) return true;
    return false;
}

void TWinControl::Realign() {
    AlignControls();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list, bool checkTabStop) const {
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
    // Controls without a tab order keep their creation order after the others.
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        const unsigned ka = static_cast<unsigned>(a->tabOrder_),
                       kb = static_cast<unsigned>(b->tabOrder_);
        return ka < kb;
    });
    for (TWinControl* child : children) {
        if (child->CanFocus() && (!checkTabStop || child->tabStop_)) list.push_back(child);
        child->GetTabOrderList(list, checkTabStop);
    }
}

bool TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list, checkTabStop);
    if (list.empty()) return false;
    auto at = std::find(list.begin(), list.end(), current);
    size_t index;
    if (at == list.end())
        index = forward ? 0 : list.size() - 1;
    else if (forward)
        index = (static_cast<size_t>(at - list.begin()) + 1) % list.size();
    else
        index = (static_cast<size_t>(at - list.begin()) + list.size() - 1) % list.size();
    if (list[index] == current) return false;
    list[index]->SetFocus();
    return true;
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::AlignControls() {
    TRect area = ClientRect();
    AdjustClientRect(area);
    const auto place = [](TControl* c, const TRect& r) {
        c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    };
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->Align() != pass || !c->Visible()) continue;
            switch (pass) {
            case alTop:
                place(c, TRect{area.Left, area.Top, area.Right, area.Top + c->Height()});
                area.Top += c->Height();
                break;
            case alBottom:
                place(c, TRect{area.Left, area.Bottom - c->Height(), area.Right, area.Bottom});
                area.Bottom -= c->Height();
                break;
            case alLeft:
                place(c, TRect{area.Left, area.Top, area.Left + c->Width(), area.Bottom});
                area.Left += c->Width();
                break;
            case alRight:
                place(c, TRect{area.Right - c->Width(), area.Top, area.Right, area.Bottom});
                area.Right -= c->Width();
                break;
            default:
                place(c, area);
                break;
            }
        }
    }
}

void TWinControl::FontChanged() {
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    Invalidate();
    for (TControl* child : controls_)
        child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (TControl* child : controls_)
        child->ParentColorChanged();
}

bool TWinControl::EraseBackground(HDC dc) {
    TBrush brush;
    brush.SetColor(Color());
    RECT r{};
    GetClientRect(handle_, &r);
    FillRect(dc, &r, brush.Handle());
    return true;
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* child : controls_)
        if (auto* graphic = dynamic_cast<TGraphicControl*>(child); graphic && graphic->Visible())
            graphic->PaintOn(dc);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

TControl* TWinControl::GraphicControlAt(int x, int y) {
    if (captureChild_) return captureChild_;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TGraphicControl*>(c) && c->Visible() && c->Enabled() && x >= c->Left() &&
            y >= c->Top() && x < c->Left() + c->Width() && y < c->Top() + c->Height())
            return c;
    }
    return nullptr;
}

void TWinControl::ReflectCommand(TMessage& message) {
    HWND from = reinterpret_cast<HWND>(message.LParam);
    if (TWinControl* child = FindControl(from); child && child != this) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return;
    }
    if (from == nullptr && HIWORD(message.WParam) == 0) {
        if (TMenuItem* item = TMenuItem::FindByCommand(LOWORD(message.WParam))) {
            item->Click();
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: {
        HDC given = reinterpret_cast<HDC>(message.WParam);
        if (given) {
            PaintWindow(given);
            PaintControls(given);
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle_, &ps);
            PaintWindow(dc);
            PaintControls(dc);
            EndPaint(handle_, &ps);
        }
        message.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        message.Result = EraseBackground(reinterpret_cast<HDC>(message.WParam)) ? 1 : 0;
        return;
    case WM_SIZE:
    case WM_MOVE:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        return;
    case WM_SETFOCUS:
        DefaultHandler(message);
        if (TCustomForm* form = ParentForm(); form && form != this) form->SetActiveControl(this);
        DoEnter();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        DoExit();
        Invalidate();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyDown(key, KeyboardShiftState());
        if (key == 0) return;
        message.WParam = key;
        DefaultHandler(message);
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0) return;
        message.WParam = key;
        DefaultHandler(message);
        return;
    }
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0) return;
        message.WParam = static_cast<unsigned char>(key);
        DefaultHandler(message);
        return;
    }
    case WM_COMMAND:
        ReflectCommand(message);
        return;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        const bool isMenu =
            message.Msg == WM_DRAWITEM
                ? reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU
                : reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU;
        if (isMenu) {
            message.Result =
                TMenuItem::DispatchOwnerDraw(message.Msg, message.LParam) ? TRUE : FALSE;
            return;
        }
        HWND item = message.Msg == WM_DRAWITEM
                        ? reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem
                        : GetDlgItem(handle_, static_cast<int>(message.WParam));
        if (TWinControl* child = FindControl(item)) {
            message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
            return;
        }
        DefaultHandler(message);
        return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
        if (TControl* graphic = GraphicControlAt(x, y)) {
            if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
                captureChild_ = graphic;
                SetCapture(handle_);
            }
            TMessage routed{message.Msg, message.WParam,
                            MAKELPARAM(x - graphic->Left(), y - graphic->Top()), 0};
            graphic->mouseCaptured_ = captureChild_ == graphic;
            if (message.Msg == WM_LBUTTONUP) {
                captureChild_ = nullptr;
                if (GetCapture() == handle_) ReleaseCapture();
            }
            graphic->WndProc(routed);
            return;
        }
        TControl::WndProc(message);
        return;
    }
    default:
        TControl::WndProc(message);
    }
}

// ---------------------------------------------------------------------------- TCustomControl

const ClassInfo& TCustomControl::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TCustomControl, TWinControl>("TCustomControl").Build();
    return info;
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_.Attach(dc);
    canvas_.Font().Assign(*Font());
    canvas_.Brush().SetColor(Color());
    Paint();
    canvas_.Detach();
}

void TCustomControl::Paint() {}
