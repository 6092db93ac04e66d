#include "framework/WinControl.h"

#include "framework/Forms.h"
#include "framework/MessageReflection.h"
#include "framework/PaintBuffer.h"

#include <windowsx.h>

#include <algorithm>

const ClassInfo& TWinControl::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TWinControl>()
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
    return dynamic_cast<TWinControl*>(BoundTarget(window));
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
    defWndProc_ = RegisterBoundClass({params.ClassName, params.SystemClass, params.ClassStyle});
    TWindowParams window;
    window.ExStyle = params.ExStyle;
    window.Style = params.Style;
    window.Text = Text().c_str();
    window.X = params.X;
    window.Y = params.Y;
    window.Width = params.Width;
    window.Height = params.Height;
    window.Parent = params.WndParent;
    CreateBoundWindow(*this, params.ClassName, window);
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

void TWinControl::PaintHandler(HDC dc) {
    if (!doubleBuffered_) {
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    const TRect client = ClientRect();
    TPaintBuffer buffer(client.Width(), client.Height());
    TBitmap* const outer = paintBuffer_;
    paintBuffer_ = &buffer.Bitmap();
    struct Restore {
        TBitmap*& field;
        TBitmap* value;
        ~Restore() { field = value; }
    } restore{paintBuffer_, outer};
    PaintWindow(buffer.Dc());
    PaintControls(buffer.Dc());
    buffer.CopyTo(dc);
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

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (HDC given = reinterpret_cast<HDC>(message.WParam)) {
            PaintHandler(given);
        } else {
            PaintScope paint(handle_);
            PaintHandler(paint.Dc());
        }
        message.Result = 0;
        return;
    case WM_ERASEBKGND:
        message.Result = doubleBuffered_ || EraseBackground(reinterpret_cast<HDC>(message.WParam));
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
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // A handler that sets the key to 0 has used it up.
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
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
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (!ReflectNotification(*this, message)) DefaultHandler(message);
        return;
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
    static const ClassInfo info = ClassBuilder<TCustomControl>().Build();
    return info;
}

void TCustomControl::PaintWindow(HDC dc) {
    CanvasScope scope(canvas_, dc);
    // Every paint starts from the same canvas, whatever the last one left.
    canvas_.Font().Assign(*Font());
    canvas_.Brush().SetStyle(bsSolid);
    canvas_.Brush().SetColor(Color());
    canvas_.Pen().SetStyle(psSolid);
    canvas_.Pen().SetWidth(1);
    canvas_.Pen().SetColor(clBlack);
    Paint();
}

void TCustomControl::Paint() {}
