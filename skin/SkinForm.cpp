#include "skin/SkinForm.h"

#include "framework/Exceptions.h"
#include "skin/SkinFormLayout.h"
#include "skin/SkinMenu.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

#include <algorithm>
#include <utility>

namespace {

// SetWindowPos flags that make the system compute and draw the frame anew
// without moving, sizing, reordering or activating the window (0x37).
constexpr UINT FrameChangedFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// Posted to the form when a menu bar change waited for a drop-down to close.
constexpr UINT SKM_SYNCMENUBAR = WM_APP + 0x2C4;
// The frame paints this much of the window's edge itself.
constexpr int FrameStrip = 3;
constexpr int ArcRoundCorner = 11;
constexpr TColor DisabledMenuTextColor = 0x808080;

void Fill(TCanvas& canvas, TColor color, const TRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

// A skin file's picture; one that cannot be read counts as absent.
void LoadSkinPicture(const TskThemeSource& source, int element, TBitmap& picture) {
    try {
        source.GetBitmap(element, picture);
    } catch (const Exception&) {
        picture.Clear();
    }
}

void LoadResourcePicture(const char* name, TBitmap& picture) {
    try {
        picture.LoadFromResourceName(name);
    } catch (const Exception&) {
        picture.Clear();
    }
}

bool IsPatternStyle(TskUIStyle style) {
    return style == TskUIStyle::MacOS || style == TskUIStyle::Protein;
}

} // namespace

// What every copy of the hook shares: the frame while it is hooked, and the
// procedure it replaced, to which a copy left behind in someone else's chain
// forwards once the frame has let go.
struct TskForm::HookState {
    TskForm* frame = nullptr;
    std::function<void(TMessage&)> oldWindowProc;
};

struct TskForm::FrameHook {
    std::shared_ptr<HookState> state;
    void operator()(TMessage& message) const {
        // A local reference: unhooking during the message may free this copy.
        const std::shared_ptr<HookState> keep = state;
        if (keep->frame)
            keep->frame->FormWndProc(message);
        else if (keep->oldWindowProc)
            keep->oldWindowProc(message);
    }
};

// ---------------------------------------------------------------------------- TskMenuBar

const ClassInfo& TskMenuBar::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskMenuBar>().Build();
    return info;
}

void TskMenuBar::DropDownMenuCreated(TToolBarDropDown& menu) {
    menu.OnPopup = [this](TObject* sender) { MenuPopup(sender); };
}

void TskMenuBar::MenuPopup(TObject* sender) {
    auto* popup = dynamic_cast<TMenu*>(sender);
    if (popup && skinForm_ && skinForm_->Menu())
        popup->SetAutoHotkeys(skinForm_->Menu()->AutoHotkeys());
}

// ---------------------------------------------------------------------------- TskForm

const ClassInfo& TskForm::StaticClassInfo() {
    using F = TskForm;
    static const ClassInfo info =
        ClassBuilder<F>()
            .Bool("TitleBarCustom", &F::TitleBarCustom, &F::SetTitleBarCustom)
            .Reference<TskFileTheme>("FileTheme", &F::FileTheme, &F::SetFileTheme)
            .Enum("UIStyle", TskUIStyleInfo, &F::UIStyle, &F::SetUIStyle)
            .Bool("UIStyleAutoUpdateSub", &F::UIStyleAutoUpdateSub, &F::SetUIStyleAutoUpdateSub)
            .Color("BorderColor", &F::BorderColor, &F::SetBorderColor)
            .Int("BorderWidth", &F::BorderWidth, &F::SetBorderWidth)
            .Bool("TitleBarVisible", &F::TitleBarVisible, &F::SetTitleBarVisible)
            .Enum("BiDiMode", BiDiModeNames(), &F::BiDiMode, &F::SetBiDiMode)
            .Color("Color", &F::Color, &F::SetColor)
            .Str("Caption", &F::Caption, &F::SetCaption)
            .Reference<TCustomPanel>("FormPanel", &F::FormPanel, &F::SetFormPanel)
            .Object("TitleBarButtons", TPropKind::Collection, &F::TitleBarButtons)
            .Object("TitleBarSections", TPropKind::Collection, &F::TitleBarSections)
            .Bool("TitleBarDrawAppIcon", &F::TitleBarDrawAppIcon, &F::SetTitleBarDrawAppIcon)
            .Object("Font", TPropKind::Object, &F::TitleBarFont)
            .Reference<TMainMenu>("Menu", &F::Menu, &F::SetMenu)
            .Color("MenuBarColor", &F::MenuBarColor, &F::SetMenuBarColor)
            .Int("MenuBarHeight", &F::MenuBarHeight, &F::SetMenuBarHeight)
            .Int("RoundCorner", &F::RoundCorner, &F::SetRoundCorner)
            .Int("RoundCornerBottom", &F::RoundCornerBottom, &F::SetRoundCornerBottom)
            .Str("Version", &F::Version, &F::SetVersion)
            .EventWriter("OnTitleBarCustomBtnsClick", &F::SetOnTitleBarCustomBtnsClick)
            .EventWriter("OnTitleBarHelpBtnClick", &F::SetOnTitleBarHelpBtnClick)
            .Build();
    return info;
}

TskForm::TskForm(TComponent* owner)
    : TCustomPanel(owner), theme_(*this, [this] { ApplyUIStyle(); }) {
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (!form) return;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (form->Components(i) != this && dynamic_cast<TskForm*>(form->Components(i)))
            throw Exception("Sorry, You can create only one TskForm component in one form!");
    for (int i = 0; i < form->ControlCount(); ++i)
        if (dynamic_cast<TskForm*>(form->Controls(i)))
            throw Exception("Sorry, You can create only one TskForm component in one form!");
    ownerForm_ = form;

    form->Constraints()->SetMinHeight(50);
    form->Constraints()->SetMinWidth(125);
    form->SetBorderWidth(0);
    savedBounds_ = form->BoundsRect();
    startedMaximized_ = form->WindowState() == wsMaximized;

    titleBar_ = new TskTitleBar(this);
    titleBar_->SetParent(this);
    menuBarColor_ = Color();
    menuBarHeight_ = 22;

    SetDoubleBuffered(true);
    SetUIStyle(TskUIStyle::DeepBlue);
    uiStyleAutoUpdateSub_ = false;

    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    TCustomPanel::SetBorderStyle(bsNoBorder);
    SetAlign(alClient);

    SetCaption(form->Caption());
    SetTitleBarVisible(true);
    TCustomPanel::SetText(" ");

    form->SetScaled(false);
    savedBorderStyle_ = form->BorderStyle();
    if (savedBorderStyle_ == bsNone || savedBorderStyle_ == bsSingle ||
        savedBorderStyle_ == bsToolWindow)
        form->SetBorderStyle(bsDialog);
    // A form whose window comes later loses its caption when it is created.
    if (OwnerHasWindow()) {
        const HWND window = form->Handle();
        SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~WS_CAPTION);
    }
    form->SetAutoScroll(false);

    appEvents_ = std::make_unique<TApplicationEvents>(nullptr);
    appEvents_->OnMessage = [this](MSG& message, bool& handled) { AppMessage(message, handled); };
    // Nothing after this may fail: the hook is this frame's to undo.
    Hook();
    FrameChanged();
}

TskForm::~TskForm() {
    BeginDestroy();
    DetachMenu();
    menu_ = nullptr;
    Unhook();
    RestoreCaption();
    appEvents_.reset();
    FreeMenuBar();
    delete std::exchange(titleBar_, nullptr);
    rightBorderBitmap_.reset();
}

// ---------------------------------------------------------------------------- hooking

void TskForm::Hook() {
    hook_ = std::make_shared<HookState>();
    hook_->frame = this;
    hook_->oldWindowProc = ownerForm_->WindowProc;
    ownerForm_->WindowProc = FrameHook{hook_};
    hooked_ = true;
}

void TskForm::Unhook() {
    if (!hooked_) return;
    hooked_ = false;
    hook_->frame = nullptr;
    // Hooked over by someone else, the copy in their chain forwards from now on.
    const auto* current = ownerForm_->WindowProc.target<FrameHook>();
    if (current && current->state == hook_) ownerForm_->WindowProc = hook_->oldWindowProc;
}

void TskForm::CallOldWindowProc(TMessage& message) {
    const std::shared_ptr<HookState> keep = hook_;
    if (keep && keep->oldWindowProc) keep->oldWindowProc(message);
}

bool TskForm::OwnerHasWindow() const {
    return ownerForm_ && ownerForm_->HandleAllocated();
}

bool TskForm::InCharge() const {
    return hooked_ && !Destroying() && titleBar_ && OwnerHasWindow();
}

bool TskForm::StripCaption() {
    if (!OwnerHasWindow()) return false;
    const HWND window = ownerForm_->Handle();
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & WS_CAPTION)) return false;
    SetWindowLongA(window, GWL_STYLE, style & ~WS_CAPTION);
    FrameChanged();
    return true;
}

void TskForm::FrameChanged() {
    if (OwnerHasWindow())
        SetWindowPos(ownerForm_->Handle(), nullptr, 0, 0, 0, 0, FrameChangedFlags);
}

void TskForm::RestoreCaption() {
    // A form that is going keeps its window as it is.
    if (!OwnerHasWindow() || ownerForm_->Destroying()) return;
    const HWND window = ownerForm_->Handle();
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CAPTION);
    FrameChanged();
}

bool TskForm::IsMdiChild() const {
    // The framework makes no real MDI children; a form only styled so is an
    // ordinary window here, and no message goes to a client window it lacks.
    return OwnerHasWindow() && ownerForm_->FormStyle() == fsMDIChild &&
           (GetWindowLongA(ownerForm_->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

HWND TskForm::MdiClient() const {
    return IsMdiChild() ? GetParent(ownerForm_->Handle()) : nullptr;
}

// ---------------------------------------------------------------------------- FormWndProc

void TskForm::FormWndProc(TMessage& message) {
    const std::shared_ptr<HookState> keep = hook_;
    // While the frame goes, the form must still come and go normally.
    if (Destroying()) {
        CallOldWindowProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        CalcNonClientSize(message);
        break;
    case SKM_SIDEBORDERWIDTH:
        message.Result = SideBorderWidth();
        return;
    case SKM_SYNCMENUBAR:
        SyncMenuBar();
        message.Result = 0;
        return;
    case WM_NCPAINT:
        if (!IsIconic(ownerForm_->Handle())) {
            PaintFrame();
            message.Result = 0;
            return;
        }
        break;
    case WM_NCACTIVATE:
        // Activation goes on, but the system draws no frame of its own over ours.
        message.LParam = -1;
        break;
    }

    CallOldWindowProc(message);
    // The frame may have gone while the message ran.
    if (keep->frame != this) return;

    switch (message.Msg) {
    case WM_CREATE:
        StripCaption();
        break;
    case WM_MDIACTIVATE: {
        const bool active = reinterpret_cast<HWND>(message.LParam) == ownerForm_->Handle();
        if (HWND client = MdiClient(); client && active)
            SendMessageA(client, WM_MDIREFRESHMENU, reinterpret_cast<WPARAM>(ownerForm_->Handle()),
                         0);
        if (titleBar_) titleBar_->SetFormActive(active);
        break;
    }
    case WM_KEYDOWN:
        message.Result = IsMenuShortCut(message);
        break;
    case WM_SHOWWINDOW:
        // Menus show in the menu bar, never in the system's.
        ownerForm_->SetMenu(nullptr);
        break;
    case WM_DESTROY:
        if (HWND client = MdiClient()) {
            const WPARAM self = reinterpret_cast<WPARAM>(ownerForm_->Handle());
            SendMessageA(client, WM_MDIREFRESHMENU, self, 0);
            if (ownerForm_->WindowState() == wsMaximized)
                SendMessageA(client, WM_MDIRESTORE, self, 0);
        }
        break;
    case WM_ACTIVATE:
        if (titleBar_) titleBar_->SetFormActive(LOWORD(message.WParam) != 0);
        break;
    case CM_RECREATEWND:
    case CN_PARENTNOTIFY:
    case CM_FLOAT:
        StripCaption();
        break;
    case WM_STYLECHANGED:
        // The framework's BorderStyle writer sets the style without the messages above.
        if (message.WParam == static_cast<WPARAM>(GWL_STYLE)) StripCaption();
        break;
    case WM_SIZE:
        OwnerResized();
        break;
    case WM_NCHITTEST:
        if (IsMdiChild() && savedBorderStyle_ == bsSingle && message.Result >= HTLEFT &&
            message.Result <= HTBOTTOMRIGHT)
            message.Result = HTBORDER;
        break;
    }
}

void TskForm::CalcNonClientSize(TMessage& message) {
    if ((message.WParam & 0xFF) == 0) {
        message.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    // The window rectangle the system proposes: the position record's values.
    const RECT proposed = params->rgrc[0];
    TskFrameReserve reserve;
    reserve.SideBorder = SideBorderWidth();
    reserve.BottomBorderHeight = bottomBorderHeight_;
    reserve.BorderWidth = borderWidth_;
    const TRect r = FrameClientRect(proposed.left, proposed.top, proposed.right - proposed.left,
                                    proposed.bottom - proposed.top, reserve);
    params->rgrc[0] = RECT{r.Left, r.Top, r.Right, r.Bottom};
    params->rgrc[1] = params->rgrc[0];
    message.Result = WVR_REDRAW;
}

int TskForm::SideBorderWidth() const {
    if (!rightBorderBitmap_) return 0;
    const int windowWidth = ownerForm_ ? ownerForm_->Width() : Width();
    return CappedBorderExtent(rightBorderBitmap_->Width(), windowWidth);
}

void TskForm::OwnerResized() {
    const bool maximized = ownerForm_->WindowState() == wsMaximized;
    if (startedMaximized_) {
        if (!maximized) {
            ownerForm_->SetBounds(savedBounds_.Left, savedBounds_.Top, savedBounds_.Width(),
                                  savedBounds_.Height());
            startedMaximized_ = false;
        } else if (maximizeSizeCount_ == 2) {
            ownerForm_->SetWindowState(wsMaximized);
        } else {
            ++maximizeSizeCount_;
        }
        mdiMaximized_ = true;
    }
    const bool mdiChild = IsMdiChild();
    if (maximized && !mdiChild) {
        // The border lies just off the screen.
        TRect area;
        GetWorkArea(area);
        ownerForm_->SetBounds(area.Left - 2, area.Top - 2, area.Width() + 4, area.Height() + 1);
    }
    PaintFrame();
    if (titleBar_) titleBar_->RefreshMaxButtons();
    if (mdiChild) MdiChildResized(maximized);
    UpdateRegion();
}

void TskForm::MdiChildResized(bool maximized) {
    if (!titleBar_) return;
    const HWND client = MdiClient();
    const int shift = titleBar_->Height() - 3;
    const auto scrollChildren = [this](int dy) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            if (child != titleBar_ && child->Align() == alNone) child->SetTop(child->Top() + dy);
        }
    };
    if (maximized) {
        SetTitleBarVisible(false);
        if (!mdiMaximized_) {
            scrollChildren(-shift);
            mdiMaximized_ = true;
            SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(ownerForm_->Handle()), 0);
        }
    } else {
        SetTitleBarVisible(true);
        if (mdiMaximized_) {
            scrollChildren(shift);
            mdiMaximized_ = false;
            titleBar_->RefreshMaxButtons();
            SendMessageA(client, WM_MDIRESTORE, 0, 0);
        }
    }
}

// ---------------------------------------------------------------------------- keys

void TskForm::AppMessage(MSG& message, bool& handled) {
    if (Destroying() || !titleBar_) return;
    if (message.message == WM_SYSCHAR && LOWORD(message.wParam) == VK_SPACE) {
        PopupSystemMenu();
        handled = true;
    } else if (message.message == WM_KEYDOWN) {
        const TMessage key{message.message, message.wParam, message.lParam, 0};
        handled = IsMenuShortCut(key) != 0;
    }
}

void TskForm::PopupSystemMenu() {
    TCustomForm* main =
        Application && Application->MainForm() ? Application->MainForm() : ownerForm_;
    if (TskTitleBarPopupMenu* menu = titleBar_->SystemMenu())
        menu->Popup(main->Left(), main->Top() + titleBar_->Height());
}

LRESULT TskForm::IsMenuShortCut(const TMessage& message) {
    if (Destroying() || !ownerForm_ || !menu_) return 0;
    if (!IsFormActive(ownerForm_) || !ownerForm_->Active()) return 0;
    const int shortCut = ShortCutOf(static_cast<WORD>(message.WParam), KeyboardShiftState());
    return menu_->IsShortCut(shortCut) ? 1 : 0;
}

// ---------------------------------------------------------------------------- style

void TskForm::ApplyUIStyle() {
    if (!titleBar_) return;
    const TRect bounds = ownerForm_->BoundsRect();
    const TskThemeSource source = theme_.Source();
    if (source.UsesFile())
        ApplyFileValues(source);
    else
        ApplyBuiltInValues(source);
    titleBar_->SetFileTheme(FileTheme());
    titleBar_->SetUIStyle(UIStyle());
    if (auto* menu = dynamic_cast<TskMainMenu*>(menu_)) {
        menu->SetFileTheme(FileTheme());
        menu->SetUIStyle(UIStyle());
    }
    if (uiStyleAutoUpdateSub_) ApplyThemeToChildren(this, UIStyle(), FileTheme());
    if (IsMdiChild())
        ownerForm_->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    // Before the hook is in place the frame's construction does this at its end.
    if (hooked_) FrameChanged();
    Invalidate();
    PaintFrame();
}

void TskForm::ApplyFileValues(const TskThemeSource& source) {
    borderColor_ = source.GetColor(ThemeElement::FormBorderColor);
    borderWidth_ = CheckedBorderWidth(source.GetInt(ThemeElement::FormBorderWidthInt));
    SetColor(source.GetColor(ThemeElement::FormBackgroundColor));
    if (menuBar_) {
        TColor color = source.GetColor(ThemeElement::MenuMenuBarColor);
        if (color == -1) {
            switch (source.GetColor(ThemeElement::ControlFontColor)) {
            case 0x20000:
                color = 0xAC5B3B;
                break;
            case 0x30000:
                color = 0x996733;
                break;
            default:
                color = Color();
            }
        }
        SetMenuBarColor(color);
    }
    titleBar_->SetRoundCorner(source.GetInt(ThemeElement::FormRoundCornerInt));
    titleBar_->SetRoundCornerBottom(source.GetInt(ThemeElement::FormBottomRoundCornerInt));
    TBitmap left;
    LoadSkinPicture(source, ThemeElement::FormLeftBorderImage, left);
    if (left.Empty()) {
        rightBorderBitmap_.reset();
    } else {
        rightBorderBitmap_ = std::make_unique<TBitmap>();
        rightBorderBitmap_->Assign(left);
        RotateBitmap180(*rightBorderBitmap_);
    }
    TBitmap bottom;
    LoadSkinPicture(source, ThemeElement::FormBottomBorderImage, bottom);
    bottomBorderHeight_ = bottom.Empty() ? 0 : bottom.Height();
}

void TskForm::ApplyBuiltInValues(const TskThemeSource& source) {
    rightBorderBitmap_.reset();
    titleBar_->SetRoundCornerBottom(0);
    bottomBorderHeight_ = 0;
    borderColor_ = source.GetColor(ThemeElement::FormBorderColor);
    borderWidth_ = CheckedBorderWidth(source.GetInt(ThemeElement::FormBorderWidthInt));
    SetColor(source.GetColor(ThemeElement::FormBackgroundColor));
    SetMenuBarColor(Color());
    titleBar_->SetRoundCorner(source.GetInt(ThemeElement::FormRoundCornerInt));
}

// ---------------------------------------------------------------------------- properties

bool TskForm::TitleBarCustom() const {
    return titleBar_ && titleBar_->Custom();
}

void TskForm::SetTitleBarCustom(bool value) {
    if (titleBar_) titleBar_->SetCustom(value);
}

void TskForm::SetBorderColor(TColor color) {
    borderColor_ = color;
    PaintFrame();
}

void TskForm::SetBorderWidth(int width) {
    borderWidth_ = width;
    FrameChanged();
    PaintFrame();
}

bool TskForm::TitleBarVisible() const {
    return titleBar_ && titleBar_->Visible();
}

void TskForm::SetTitleBarVisible(bool value) {
    if (!titleBar_ || value == titleBar_->Visible()) return;
    titleBar_->SetVisible(value);
    titleBar_->SetTop(0);
    PaintFrame();
    UpdateRegion();
}

void TskForm::SetBiDiMode(TBiDiMode mode) {
    TCustomPanel::SetBiDiMode(mode);
    if (titleBar_) {
        titleBar_->SetBiDiMode(mode);
        titleBar_->Invalidate();
    }
}

std::string TskForm::Caption() const {
    return titleBar_ ? titleBar_->Caption() : std::string();
}

void TskForm::SetCaption(const std::string& caption) {
    if (titleBar_) titleBar_->SetCaption(caption);
    if (ownerForm_) ownerForm_->SetCaption(caption);
}

void TskForm::SetFormPanel(TCustomPanel* panel) {
    if (panel == this) {
        ShowSkinRefusal("Sorry, you can't select the Form assign to FormPanel property");
        return;
    }
    if (formPanel_ && formPanel_ != panel) {
        formPanel_->RemoveFreeNotification(this);
        RemoveFreeNotification(formPanel_);
    }
    formPanel_ = panel;
    if (!panel) return;
    FreeNotification(panel);
    panel->SetAlign(alClient);
    if (auto* plain = dynamic_cast<TPanel*>(panel)) {
        plain->SetBevelOuter(bvNone);
        plain->SetBevelInner(bvNone);
        plain->SetBorderStyle(bsNoBorder);
        plain->SetCaption("");
    }
}

TskTitleBarButtons* TskForm::TitleBarButtons() {
    return titleBar_ ? titleBar_->Buttons() : &spareButtons_;
}

void TskForm::SetTitleBarButtons(const TskTitleBarButtons& buttons) {
    TitleBarButtons()->Assign(buttons);
}

TskTitleBarSections* TskForm::TitleBarSections() {
    return titleBar_ ? titleBar_->Sections() : &spareSections_;
}

void TskForm::SetTitleBarSections(const TskTitleBarSections& sections) {
    TitleBarSections()->Assign(sections);
}

bool TskForm::TitleBarDrawAppIcon() const {
    return titleBar_ && titleBar_->DrawAppIcon();
}

void TskForm::SetTitleBarDrawAppIcon(bool value) {
    if (titleBar_) titleBar_->SetDrawAppIcon(value);
}

TFont* TskForm::TitleBarFont() {
    return titleBar_ ? titleBar_->Font() : Font();
}

void TskForm::SetTitleBarFont(const TFont& font) {
    TitleBarFont()->Assign(font);
}

void TskForm::SetMenuBarColor(TColor color) {
    menuBarColor_ = color;
    if (menuBar_) menuBar_->SetColor(color);
}

void TskForm::SetMenuBarHeight(int height) {
    menuBarHeight_ = height;
    if (!menuBar_) return;
    menuBar_->SetButtonHeight(height);
    menuBar_->SetHeight(height);
}

int TskForm::RoundCorner() const {
    return TitleBarVisible() ? titleBar_->RoundCorner() : 0;
}

void TskForm::SetRoundCorner(int radius) {
    if (!titleBar_) return;
    titleBar_->SetRoundCorner(radius);
    UpdateRegion();
}

int TskForm::RoundCornerBottom() const {
    return TitleBarVisible() ? titleBar_->RoundCornerBottom() : 0;
}

void TskForm::SetRoundCornerBottom(int radius) {
    if (!titleBar_) return;
    titleBar_->SetRoundCornerBottom(radius);
    UpdateRegion();
}

void TskForm::SetOnTitleBarCustomBtnsClick(const TskTitleBarButtonClickEvent& handler) {
    if (titleBar_) titleBar_->OnCustomBtnsClick = handler;
}

void TskForm::SetOnTitleBarHelpBtnClick(const TskTitleBarButtonClickEvent& handler) {
    if (titleBar_) titleBar_->OnHelpBtnClick = handler;
}

void TskForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == titleBar_) titleBar_ = nullptr;
    if (component == menuBar_) menuBar_ = nullptr;
    if (component == formPanel_) formPanel_ = nullptr;
    if (component == menu_) {
        // The menu is gone: nothing may call it any more.
        menu_ = nullptr;
        if (!IsMdiChild()) FreeMenuBar();
    }
    theme_.Removed(component, operation,
                   [this] { ApplyThemeToChildren(this, TskUIStyle::DeepBlue, nullptr); });
}

void TskForm::Resize() {
    TCustomPanel::Resize();
    if (titleBar_) titleBar_->SetAlign(alTop);
}

void TskForm::ColorChanged() {
    TCustomPanel::ColorChanged();
    PaintFrame();
}

// ---------------------------------------------------------------------------- painting

void TskForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_PAINT:
        if (message.WParam && HandleAllocated()) {
            // A child asks for what lies behind it: drawn straight into its
            // context, which is off screen already; the window's frame is
            // not part of that.
            const HDC dc = reinterpret_cast<HDC>(message.WParam);
            backgroundOnly_ = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{backgroundOnly_};
            PaintWindow(dc);
            PaintControls(dc);
            message.Result = 0;
            return;
        }
        break;
    }
    TCustomPanel::WndProc(message);
}

HBRUSH TskForm::BackgroundPattern() {
    const TskUIStyle style = UIStyle();
    if (!IsPatternStyle(style)) return nullptr;
    if (patternStyle_ != style || !patternBrush_) {
        patternStyle_ = style;
        TBitmap tile;
        LoadResourcePicture(
            style == TskUIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND", tile);
        patternBrush_.Reset(tile.Empty() ? nullptr : CreatePatternBrush(tile.Handle()));
    }
    return static_cast<HBRUSH>(patternBrush_.Get());
}

void TskForm::Paint() {
    if (Destroying()) return;
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (HBRUSH pattern = BackgroundPattern()) {
        // The tiles start at the frame's corner whatever context this is.
        const HDC dc = canvas.Handle();
        DcStateScope state(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        const RECT r{client.Left, client.Top, client.Right, client.Bottom};
        FillRect(dc, &r, pattern);
    } else {
        Fill(canvas, Color(), client);
    }
    if (!backgroundOnly_) PaintFrame();
}

bool TskForm::SectionsComplete() const {
    if (!titleBar_ || !titleBar_->SectionsComplete()) return false;
    TskTitleBarSections* sections = titleBar_->Sections();
    for (int i = 0; i < 3; ++i)
        if (sections->Items(i)->Picture()->Empty()) return false;
    return true;
}

void TskForm::PaintFrame() {
    if (!InCharge()) return;
    const HWND window = ownerForm_->Handle();
    if (IsIconic(window)) return;
    PaintFrameOn(window);
}

void TskForm::PaintFrameOn(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);

    WindowDc dc(window, true);
    if (!dc.Get()) return;
    // The frame paints the non-client area only.
    DcStateScope state(dc.Get());
    ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
    TCanvas canvas;
    CanvasScope scope(canvas, dc.Get());

    const int bw = std::max(borderWidth_, 0);
    // How far the border reaches in from the sides and the bottom; a frame
    // the system leaves wider shows the background colour beyond it.
    int side = 0, bottom = 0;
    if (rightBorderBitmap_) {
        bottom = PaintSideBorderFrame(canvas, width, height) + 1;
        side = SideBorderWidth() + 1;
    } else {
        PaintLineFrame(canvas, width, height);
        side = bottom = std::max(FrameStrip, bw);
    }
    Fill(canvas, Color(), Rect(side, FrameStrip, width - side, height - bottom));
}

void TskForm::PaintLineFrame(TCanvas& canvas, int w, int h) {
    const int bw = std::max(borderWidth_, 0);
    const bool titleShows = titleBar_->Visible();
    const int t = titleShows ? titleBar_->Height() : 0;
    Fill(canvas, borderColor_, Rect(0, 0, bw, h));
    Fill(canvas, borderColor_, Rect(0, h - bw, w, h));
    Fill(canvas, borderColor_, Rect(w - bw, 0, w, h));
    if (bw < 4) {
        Fill(canvas, Color(), Rect(bw, t, 3, h - bw));
        Fill(canvas, Color(), Rect(bw, h - 3, w - bw, h - bw));
        Fill(canvas, Color(), Rect(w - 3, t, w - bw, h - bw));
        if (menuBar_ && menuBar_->Visible()) {
            const int top = titleBar_->Height() + 3, m = menuBar_->Height();
            Fill(canvas, menuBar_->Color(), Rect(bw, top, 3, top + m));
            Fill(canvas, menuBar_->Color(), Rect(w - 3, top, w - bw, top + m));
        }
    }
    if (titleShows && SectionsComplete() && bw < 4) {
        PaintTitleStrip(canvas, w);
    } else if (!titleShows) {
        Fill(canvas, borderColor_, Rect(0, 0, w, 1));
        Fill(canvas, Color(), Rect(bw, 1, w - bw, 3));
    } else {
        // No title pictures to show at the top.
        Fill(canvas, Color(), Rect(bw, 0, w - bw, 3));
        if (bw < 4) {
            Fill(canvas, Color(), Rect(bw, 0, 3, t));
            Fill(canvas, Color(), Rect(w - 3, 0, w - bw, t));
        }
    }
}

void TskForm::PaintTitleStrip(TCanvas& canvas, int w) {
    const int bw = std::max(borderWidth_, 0);
    TskTitleBarSections& sections = *titleBar_->Sections();
    TBitmap& left = *sections.Items(0)->Picture();
    TBitmap& right = *sections.Items(1)->Picture();
    TBitmap& middle = *sections.Items(2)->Picture();
    const int lw = left.Width(), rw = right.Width();
    if (3 - bw > 0) {
        TBitmap work(3 - bw, left.Height());
        work.Canvas().Draw(0, 0, left);
        canvas.Draw(bw, 0, work);
        if (rw < 3)
            work.Canvas().StretchDraw(Rect(0, 0, work.Width(), work.Height()), right);
        else
            work.Canvas().Draw(2 - rw, 0, right);
        canvas.Draw(w - 3, 0, work);
    }
    const int stripWidth = w - 5;
    if (stripWidth > 0) {
        TBitmap work(stripWidth, 3);
        work.Canvas().Draw(-2, 0, left);
        work.Canvas().Draw(stripWidth - rw + 3, 0, right);
        work.Canvas().StretchDraw(Rect(lw - 2, 0, stripWidth - rw + 3, middle.Height()), middle);
        canvas.Draw(2, 0, work);
    }
    if (bw == 1 && RoundCorner() == ArcRoundCorner) {
        const int r = ArcRoundCorner;
        canvas.Pen().SetColor(borderColor_);
        canvas.Arc(w - 2 * r + 1, -1, w + 1, 2 * r - 1, w + 1, r - 1, w - r + 1, -1);
        canvas.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
}

int TskForm::PaintSideBorderFrame(TCanvas& canvas, int w, int h) {
    const TskThemeSource source = theme_.Source();
    const int s = SideBorderWidth();
    const bool titleShows = titleBar_->Visible();
    const int t = titleShows ? titleBar_->Height() : 0;
    int b = 0;
    {
        TBitmap bottom;
        LoadSkinPicture(source, ThemeElement::FormBottomBorderImage, bottom);
        if (!bottom.Empty()) {
            b = CappedBorderExtent(bottom.Height(), h);
            DrawThreePartBitmap(bottom, canvas, Rect(0, h - b, w, h), false, true);
        }
    }
    TBitmap left;
    LoadSkinPicture(source, ThemeElement::FormLeftBorderImage, left);
    if (!left.Empty()) canvas.StretchDraw(Rect(0, t, s, h - b), left);
    canvas.StretchDraw(Rect(w - s, t, w, h - b), *rightBorderBitmap_);
    Fill(canvas, Color(), Rect(s, t, s + 1, h - b));
    Fill(canvas, Color(), Rect(s + 1, h - b - 1, w - s - 1, h - b));
    Fill(canvas, Color(), Rect(w - s - 1, t, w - s, h - b));
    if (menuBar_ && menuBar_->Visible()) {
        const int m = menuBar_->Height();
        Fill(canvas, menuBar_->Color(), Rect(s, t, s + 1, t + m + 3));
        Fill(canvas, menuBar_->Color(), Rect(w - s - 1, t + 3, w - s, t + m + 3));
    }
    if (titleShows && SectionsComplete()) {
        PaintSideTitleStrip(canvas, w, s);
    } else {
        Fill(canvas, menuBar_ ? menuBar_->Color() : ownerForm_->Color(), Rect(s, 0, w - s, 3));
        // The corners above the side pictures have nothing else to show.
        Fill(canvas, Color(), Rect(0, 0, s, t));
        Fill(canvas, Color(), Rect(w - s, 0, w, t));
    }
    return b;
}

void TskForm::PaintSideTitleStrip(TCanvas& canvas, int w, int s) {
    TskTitleBarSections& sections = *titleBar_->Sections();
    TBitmap& left = *sections.Items(0)->Picture();
    TBitmap& right = *sections.Items(1)->Picture();
    TBitmap& middle = *sections.Items(2)->Picture();
    const int lw = left.Width(), rw = right.Width();
    {
        TBitmap work(s + 2, left.Height());
        work.Canvas().Draw(0, 0, left);
        canvas.Draw(0, 0, work);
        if (rw < s + 2)
            work.Canvas().StretchDraw(Rect(0, 0, work.Width(), work.Height()), right);
        else
            work.Canvas().Draw(s + 2 - rw, 0, right);
        canvas.Draw(w - (s + 2), 0, work);
    }
    const int stripWidth = w - 2 * s;
    if (stripWidth <= 0) return;
    TBitmap work(stripWidth, 3);
    work.Canvas().Draw(1 - s, 0, left);
    work.Canvas().Draw(w - s - rw, 0, right);
    work.Canvas().StretchDraw(Rect(lw - s, 0, w - s - rw, middle.Height()), middle);
    canvas.Draw(s, 0, work);
}

void TskForm::UpdateRegion() {
    if (!InCharge()) return;
    const HWND window = ownerForm_->Handle();
    // A minimized window gets its shape back with the size it is restored to.
    if (IsIconic(window)) return;
    RECT outer{};
    GetWindowRect(window, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top, m = h / 2;
    const int r = std::max(RoundCorner(), 0);
    const int rb = std::max(RoundCornerBottom(), 0);
    const auto addRect = [](HRGN region, int left, int top, int right, int bottom) {
        GdiObject piece(CreateRectRgn(left, top, right, bottom));
        CombineRgn(region, region, static_cast<HRGN>(piece.Get()), RGN_OR);
    };
    GdiObject upper(CreateRoundRectRgn(0, 0, w + 1, m + 1, r, r));
    const HRGN top = static_cast<HRGN>(upper.Get());
    addRect(top, 0, m - 2 * r, 2 * r, m);
    addRect(top, w - 2 * r, m - 2 * r, w, m);
    GdiObject lower(CreateRoundRectRgn(0, m, w + 1, h + 1, rb, rb));
    const HRGN bottom = static_cast<HRGN>(lower.Get());
    addRect(bottom, 0, m, 2 * rb, m + 2 * rb);
    addRect(bottom, w - 2 * rb, m, w, m + 2 * rb);
    CombineRgn(top, top, bottom, RGN_OR);
    // The window owns the region only once it has taken it.
    if (SetWindowRgn(window, top, TRUE)) upper.Release();
}

// ---------------------------------------------------------------------------- menu bar

void TskForm::SetMenu(TMainMenu* menu) {
    DetachMenu();
    menu_ = menu;
    if (menu) {
        FreeNotification(menu);
        if (auto* skinned = dynamic_cast<TskMainMenu*>(menu)) skinned->SetSkinForm(this);
        if (!menuBar_) CreateMenuBar();
        RebuildMenuBar();
    } else {
        RemoveMenuBar();
    }
}

void TskForm::DetachMenu() {
    if (!menu_) return;
    if (auto* skinned = dynamic_cast<TskMainMenu*>(menu_); skinned && skinned->SkinForm() == this)
        skinned->SetSkinForm(nullptr);
    menu_->RemoveFreeNotification(this);
    RemoveFreeNotification(menu_);
}

void TskForm::CreateMenuBar() {
    if (menuBar_ || IsMdiChild() || !ownerForm_) return;
    menuBar_ = new TskMenuBar(this);
    menuBar_->SetSkinForm(this);
    menuBar_->SetParent(this);
    menuBar_->SetFlat(true);
    menuBar_->SetEdgeBorders(0);
    menuBar_->SetShowCaptions(true);
    menuBar_->SetButtonHeight(menuBarHeight_);
    menuBar_->SetHeight(menuBarHeight_);
    menuBar_->SetColor(menuBarColor_);
    menuBar_->OnCustomDrawButton = [this](TToolBar* sender, TToolButton* button,
                                          TCustomDrawState state, bool& defaultDraw) {
        DrawMenuButton(sender, button, state, defaultDraw);
    };
    menuBar_->OnCustomDraw = [this](TToolBar* sender, const TRect& rect, bool& defaultDraw) {
        DrawMenuBarBackground(sender, rect, defaultDraw);
    };
    menuBar_->OnTrackingEnded = [this](TObject*) {
        if (menuBarSyncPending_ && OwnerHasWindow())
            PostMessageA(ownerForm_->Handle(), SKM_SYNCMENUBAR, 0, 0);
    };
    menuBar_->SetWrapable(true);
    menuBar_->SetAutoSize(true);
    titleBar_->SetTop(0);
}

void TskForm::RemoveMenuBar() {
    if (!IsMdiChild()) FreeMenuBar();
    // Forgets the menu without going through the Menu writer, which comes here.
    DetachMenu();
    menu_ = nullptr;
}

bool TskForm::MenuBarBusy() const {
    return menuBar_ && menuBar_->Tracking();
}

void TskForm::FreeMenuBar() {
    if (!menuBar_) return;
    if (MenuBarBusy()) {
        menuBarSyncPending_ = true;
        return;
    }
    // Its buttons belong to it and go with it.
    delete std::exchange(menuBar_, nullptr);
}

void TskForm::SyncMenuBar() {
    if (!menuBarSyncPending_ || MenuBarBusy()) return;
    menuBarSyncPending_ = false;
    if (menu_) {
        CreateMenuBar();
        RebuildMenuBar();
    } else {
        FreeMenuBar();
    }
}

void TskForm::RebuildMenuBar() {
    if (!menuBar_) return;
    if (!menu_) {
        RemoveMenuBar();
        return;
    }
    if (MenuBarBusy()) {
        menuBarSyncPending_ = true;
        return;
    }
    menuBar_->SetAutoSize(false);
    while (menuBar_->ButtonCount() > 0)
        delete menuBar_->Buttons(menuBar_->ButtonCount() - 1);
    TMenuItem* items = menu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        auto* button = new TToolButton(menuBar_);
        button->SetGrouped(true);
        button->SetAutoSize(true);
        button->SetMenuItem(items->Items(i));
        button->SetParent(menuBar_);
    }
    menuBar_->SetAutoSize(true);
}

void TskForm::RefreshMenuBar() {
    if (!menuBar_) return;
    for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
        TToolButton* button = menuBar_->Buttons(i);
        if (TMenuItem* item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TskForm::UpdateMenuBarFont() {
    if (!menuBar_ || !menu_) return;
    if (auto* skinned = dynamic_cast<TskMainMenu*>(menu_)) {
        if (skinned->UseSystemFont()) {
            GetMenuFont(*menuBar_->Font());
        } else {
            menuBar_->Font()->SetName(skinned->FontName());
            menuBar_->Font()->SetSize(skinned->FontSize());
            menuBar_->Font()->SetCharset(skinned->FontCharset());
        }
    }
    menuBar_->Invalidate();
}

void TskForm::DrawMenuButton(TToolBar* sender, TToolButton* button, TCustomDrawState state,
                             bool& defaultDraw) {
    defaultDraw = false;
    TCanvas& canvas = sender->Canvas();
    TskUIStyle style = UIStyle();
    TskFileTheme* file = FileTheme();
    auto* skinned = dynamic_cast<TskMainMenu*>(menu_);
    canvas.Font().Assign(*sender->Font());
    if (skinned) {
        style = skinned->UIStyle();
        file = skinned->FileTheme();
        if (skinned->UseSystemFont()) {
            GetMenuFont(canvas.Font());
        } else {
            canvas.Font().SetName(skinned->FontName());
            canvas.Font().SetSize(skinned->FontSize());
            canvas.Font().SetCharset(skinned->FontCharset());
            canvas.Font().SetColor(skinned->FontColor());
        }
    }
    const TskThemeSource source(file, style);
    const std::string caption = button->Caption();
    TRect r = button->BoundsRect();
    constexpr unsigned format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

    if (state & (cdsHot | cdsSelected)) {
        if (style == TskUIStyle::MacOS) {
            TBitmap face(r.Width(), r.Height()), select;
            LoadResourcePicture("MACOS_MENU_SELECT", select);
            if (!select.Empty())
                face.Canvas().StretchDraw(Rect(0, 0, r.Width(), r.Height()), select);
            TFont& font = face.Canvas().Font();
            font.Assign(canvas.Font());
            if (skinned && !skinned->UseSystemFont()) {
                font.SetName(skinned->FontName());
                font.SetSize(skinned->FontSize());
                font.SetCharset(skinned->FontCharset());
            }
            font.SetColor(source.GetColor(ThemeElement::MenuSelectedFontColor));
            face.Canvas().Brush().SetStyle(bsClear);
            TRect text = Rect(0, 0, r.Width(), r.Height() + 2);
            face.Canvas().DrawText(caption, text, format);
            canvas.Draw(r.Left, r.Top, face);
            return;
        }
        if (state & cdsSelected) r.Right -= 2;
        FillRectColor(canvas, r, source.GetColor(ThemeElement::MenuSelectedBackgroundColor));
        FrameRectColor(canvas, r, source.GetColor(ThemeElement::MenuSelectedBorderColor));
        if (state & cdsSelected) r.Left += 2;
        r.Top += 2;
        canvas.Font().SetColor(source.GetColor(ThemeElement::MenuSelectedFontColor));
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(caption, r, format);
        return;
    }
    r.Top += 2;
    TColor color = source.GetColor(ThemeElement::MenuFontColor);
    if (source.UsesFile() && source.GetColor(ThemeElement::ControlFontColor) == 0x30000)
        color = clWhite;
    if (state & cdsDisabled) color = DisabledMenuTextColor;
    canvas.Font().SetColor(color);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(caption, r, format);
}

void TskForm::DrawMenuBarBackground(TToolBar*, const TRect& rect, bool& defaultDraw) {
    auto* skinned = dynamic_cast<TskMainMenu*>(menu_);
    const TskUIStyle style = skinned ? skinned->UIStyle() : UIStyle();
    if (style != TskUIStyle::MacOS || !menuBar_) return;
    TBitmap bar;
    LoadResourcePicture("MACOS_MENU_BAR", bar);
    if (bar.Empty()) return;
    menuBar_->Canvas().StretchDraw(rect, bar);
    defaultDraw = false;
}
