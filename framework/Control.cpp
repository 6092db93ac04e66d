#include "framework/Control.h"

#include "framework/Forms.h"
#include "framework/Menus.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

namespace {
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
        ClassBuilder<TControl>()
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
    static const ClassInfo info = ClassBuilder<TGraphicControl>().Build();
    return info;
}

void TGraphicControl::PaintOn(HDC dc) {
    DcStateScope state(dc);
    OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    CanvasScope scope(canvas_, dc);
    canvas_.Font().Assign(*Font());
    Paint();
}

void TGraphicControl::Invalidate() {
    if (Parent() && Parent()->HandleAllocated() && Visible()) {
        const TRect b = BoundsRect();
        RECT r{b.Left, b.Top, b.Right, b.Bottom};
        InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
}
