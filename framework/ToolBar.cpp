#include "framework/ToolBar.h"

#include "framework/Bitmap.h"
#include "framework/ExceptionBarrier.h"

#include <windowsx.h>

#include <algorithm>

namespace {
// Room around a caption and the narrowest button.
constexpr int CaptionPadding = 7;
constexpr int MinButtonWidth = 23;
// An etched edge border.
constexpr int EdgeWidth = 2;

bool Has(TEdgeBorders borders, TEdgeBorder edge) {
    return (borders & (1u << edge)) != 0;
}
} // namespace

const TEnumInfo& EdgeBorderNames() {
    static const TEnumInfo names{{"ebLeft", "ebTop", "ebRight", "ebBottom"}};
    return names;
}

// ---------------------------------------------------------------------------- TToolButton

const ClassInfo& TToolButton::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TToolButton>()
            .Bool("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize)
            .Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
            .Reference<TMenuItem>("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
            .Build();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, MinButtonWidth, 22);
}

TToolButton::~TToolButton() {
    BeginDestroy();
    if (TToolBar* bar = ToolBar()) bar->RemoveButton(this);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParent(TWinControl* parent) {
    if (TToolBar* old = ToolBar(); old && parent != old) old->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (TToolBar* bar = ToolBar()) bar->AddButton(this);
}

void TToolButton::SetAutoSize(bool value) {
    autoSize_ = value;
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (menuItem_ && menuItem_ != item) {
        menuItem_->RemoveFreeNotification(this);
        RemoveFreeNotification(menuItem_);
    }
    menuItem_ = item;
    if (!item) return;
    FreeNotification(item);
    SetCaption(item->Caption());
    SetEnabled(item->Enabled());
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == menuItem_) menuItem_ = nullptr;
}

void TToolButton::TextChanged() {
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
    Invalidate();
}

void TToolButton::EnabledChanged() {
    Invalidate();
}

// ---------------------------------------------------------------------------- TToolBarDropDown

const ClassInfo& TToolBarDropDown::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TToolBarDropDown>().Build();
    return info;
}

void TToolBarDropDown::PopupItem(TMenuItem& item, int x, int y) {
    if (OnPopup) OnPopup(this);
    Track(item, x, y);
}

// ---------------------------------------------------------------------------- TToolBar

const ClassInfo& TToolBar::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TToolBar>()
            .Bool("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize)
            .Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
            .Set("EdgeBorders", EdgeBorderNames(), &TToolBar::EdgeBorders,
                 &TToolBar::SetEdgeBorders)
            .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
            .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
            .Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable)
            .Build();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetDoubleBuffered(true);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    BeginDestroy();
    for (TToolButton* button : buttons_)
        button->SetMenuItem(nullptr);
    buttons_.clear();
}

void TToolBar::AddButton(TToolButton* button) {
    if (std::find(buttons_.begin(), buttons_.end(), button) == buttons_.end())
        buttons_.push_back(button);
    ArrangeButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
    if (hot_ == button) hot_ = nullptr;
    if (pressed_ == button) pressed_ = nullptr;
    if (!Destroying()) ArrangeButtons();
}

void TToolBar::SetFlat(bool value) {
    flat_ = value;
    Invalidate();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    edgeBorders_ = value;
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
    showCaptions_ = value;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool value) {
    wrapable_ = value;
    ArrangeButtons();
}

void TToolBar::SetAutoSize(bool value) {
    autoSize_ = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    buttonHeight_ = std::max(value, 1);
    ArrangeButtons();
}

void TToolBar::BoundsChanged() {
    TCustomControl::BoundsChanged();
    ArrangeButtons();
}

void TToolBar::FontChanged() {
    TCustomControl::FontChanged();
    ArrangeButtons();
}

TRect TToolBar::ButtonArea() const {
    TRect area = TRect{0, 0, Width(), Height()};
    if (Has(edgeBorders_, ebLeft)) area.Left += EdgeWidth;
    if (Has(edgeBorders_, ebTop)) area.Top += EdgeWidth;
    if (Has(edgeBorders_, ebRight)) area.Right -= EdgeWidth;
    if (Has(edgeBorders_, ebBottom)) area.Bottom -= EdgeWidth;
    return area;
}

int TToolBar::MeasureCaption(const std::string& caption) {
    if (!showCaptions_) return MinButtonWidth;
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(*Font());
    RECT r{0, 0, 0, 0};
    DrawTextA(scratch.Canvas().Handle(), caption.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return std::max<int>(r.right + 2 * CaptionPadding, MinButtonWidth);
}

void TToolBar::ArrangeButtons() {
    if (arranging_ || Destroying()) return;
    arranging_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{arranging_};
    const TRect area = ButtonArea();
    int x = area.Left, y = area.Top, rows = 0;
    for (TToolButton* button : buttons_) {
        if (!button->Visible()) continue;
        const int width = button->AutoSize() ? MeasureCaption(button->Caption()) : button->Width();
        if (rows == 0) rows = 1;
        if (wrapable_ && x > area.Left && x + width > area.Right) {
            x = area.Left;
            y += buttonHeight_;
            ++rows;
        }
        button->SetBounds(x, y, width, buttonHeight_);
        x += width;
    }
    if (autoSize_) {
        const int edges = Height() - area.Height();
        SetHeight(std::max(rows, 1) * buttonHeight_ + edges);
    }
    Invalidate();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dropDown_) dropDown_ = nullptr;
}

TToolBarDropDown* TToolBar::DropDownMenu() {
    if (!dropDown_) {
        dropDown_ = new TToolBarDropDown(this);
        DropDownMenuCreated(*dropDown_);
    }
    return dropDown_;
}

TToolButton* TToolBar::ButtonAt(int x, int y) const {
    for (TToolButton* button : buttons_)
        if (button->Visible() && x >= button->Left() && x < button->Left() + button->Width() &&
            y >= button->Top() && y < button->Top() + button->Height())
            return button;
    return nullptr;
}

void TToolBar::SetHot(TToolButton* button) {
    if (button == hot_) return;
    hot_ = button;
    Invalidate();
}

TCustomDrawState TToolBar::StateOf(TToolButton* button) const {
    TCustomDrawState state = 0;
    if (button == pressed_) state |= cdsSelected;
    if (button == hot_ && button->Enabled()) state |= cdsHot;
    if (!button->Enabled()) state |= cdsDisabled;
    return state;
}

void TToolBar::Paint() {
    TCanvas& canvas = Canvas();
    const TRect whole = ClientRect();
    bool defaultDraw = true;
    if (OnCustomDraw) OnCustomDraw(this, whole, defaultDraw);
    if (defaultDraw) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(whole);
        RECT edge{whole.Left, whole.Top, whole.Right, whole.Bottom};
        UINT sides = 0;
        if (Has(edgeBorders_, ebLeft)) sides |= BF_LEFT;
        if (Has(edgeBorders_, ebTop)) sides |= BF_TOP;
        if (Has(edgeBorders_, ebRight)) sides |= BF_RIGHT;
        if (Has(edgeBorders_, ebBottom)) sides |= BF_BOTTOM;
        if (sides) DrawEdge(canvas.Handle(), &edge, EDGE_ETCHED, sides);
    }
    for (TToolButton* button : std::vector<TToolButton*>(buttons_)) {
        if (!button->Visible()) continue;
        const TCustomDrawState state = StateOf(button);
        bool drawDefault = true;
        if (OnCustomDrawButton) OnCustomDrawButton(this, button, state, drawDefault);
        if (drawDefault) DrawButton(button, state);
    }
}

void TToolBar::DrawButton(TToolButton* button, TCustomDrawState state) {
    TCanvas& canvas = Canvas();
    const TRect bounds = button->BoundsRect();
    RECT r{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    if (state & cdsSelected)
        DrawEdge(canvas.Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
    else if ((state & cdsHot) || !flat_)
        DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_RECT);
    if (!showCaptions_) return;
    canvas.Font().Assign(*Font());
    if (state & cdsDisabled) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    TRect text = bounds;
    canvas.DrawText(button->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TToolBar::ButtonPressed(TToolButton* button) {
    TMenuItem* item = button->MenuItem();
    if (item && item->Count() > 0) {
        DropDown(button);
        return;
    }
    if (item)
        item->Click();
    else
        button->Click();
}

void TToolBar::DropDown(TToolButton* button) {
    tracking_ = true;
    pressed_ = button;
    Repaint();
    const TPoint at = ClientToScreen(TPoint{button->Left(), button->Top() + button->Height()});
    // The item may go while its click runs; the drop-down needs it only until then.
    Guarded([&] { DropDownMenu()->PopupItem(*button->MenuItem(), at.X, at.Y); });
    pressed_ = nullptr;
    tracking_ = false;
    Invalidate();
    if (OnTrackingEnded) OnTrackingEnded(this);
}

void TToolBar::WndProc(TMessage& message) {
    // The bar takes its buttons' mouse input itself.
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        SetHot(ButtonAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)));
        message.Result = 0;
        return;
    }
    case WM_MOUSELEAVE:
        SetHot(nullptr);
        message.Result = 0;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TToolButton* button = ButtonAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        if (!button || !button->Enabled() || tracking_) break;
        TMenuItem* item = button->MenuItem();
        if (item && item->Count() > 0) {
            ButtonPressed(button);
            message.Result = 0;
            return;
        }
        pressed_ = button;
        SetCapture(Handle());
        Invalidate();
        message.Result = 0;
        return;
    }
    case WM_LBUTTONUP: {
        TToolButton* pressed = pressed_;
        if (!pressed) break;
        pressed_ = nullptr;
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
        if (ButtonAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)) == pressed) {
            tracking_ = true;
            Guarded([&] { ButtonPressed(pressed); });
            tracking_ = false;
            if (OnTrackingEnded) OnTrackingEnded(this);
        }
        message.Result = 0;
        return;
    }
    }
    TCustomControl::WndProc(message);
}
