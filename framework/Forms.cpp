#include "framework/Forms.h"

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/Timer.h"

namespace {
const TEnumInfo& BorderStyleNames() {
    static const TEnumInfo names{
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
    return names;
}
const TEnumInfo& WindowStateNames() {
    static const TEnumInfo names{{"wsNormal", "wsMinimized", "wsMaximized"}};
    return names;
}
const TEnumInfo& FormStyleNames() {
    static const TEnumInfo names{{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
    return names;
}
const TEnumInfo& PositionNames() {
    static const TEnumInfo names{{"poDesigned", "poDefault", "poScreenCenter"}};
    return names;
}

void StylesFor(TFormBorderStyle border, DWORD& style, DWORD& exStyle) {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (border) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsSingle:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER;
        break;
    case bsSizeable:
        style |=
            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        exStyle = WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER;
        exStyle = WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        exStyle = WS_EX_TOOLWINDOW;
        break;
    }
}
} // namespace

const ClassInfo& TSizeConstraints::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TSizeConstraints>()
            .Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
            .Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
            .Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
            .Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
            .Build();
    return info;
}

const ClassInfo& TCustomForm::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TCustomForm>()
            .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
            .Int("BorderWidth", &TCustomForm::BorderWidth, &TCustomForm::SetBorderWidth)
            .Enum("BorderStyle", BorderStyleNames(), &TCustomForm::BorderStyle,
                  &TCustomForm::SetBorderStyle)
            .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
            .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
            .Object("Constraints", TPropKind::Object, &TCustomForm::Constraints)
            .Enum("FormStyle", FormStyleNames(), &TCustomForm::FormStyle,
                  &TCustomForm::SetFormStyle)
            .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
            .Reference<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Int("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
            .Enum("Position", PositionNames(), &TCustomForm::Position, &TCustomForm::SetPosition)
            .Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
            .Int("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight)
            .Enum("WindowState", WindowStateNames(), &TCustomForm::WindowState,
                  &TCustomForm::SetWindowState)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnShow", &TCustomForm::OnShow)
            .Build();
    return info;
}

const ClassInfo& TForm::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TForm>().Build();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    BeginDestroy();
    // A handler's exception must not leave a destructor (that would end the
    // program): it goes to the error box like any other.
    if (OnDestroy) Guarded([this] { OnDestroy(this); });
    // The components may hook or paint the window: they go while it exists.
    DestroyComponents();
}

void TCustomForm::LoadFormResource(const std::string& resourceName) {
    HandleNeeded();
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!found) throw EResNotFound(Format("Resource %s not found", resourceName));
    HGLOBAL loaded = LoadResource(module, found);
    const char* data = static_cast<const char*>(LockResource(loaded));
    const std::string text(data, SizeofResource(module, found));
    ReadComponentFromText(this, text);
    if (OnCreate) OnCreate(this);
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    StylesFor(borderStyle_, params.Style, params.ExStyle);
    if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    params.WndParent = Application ? Application->Handle() : nullptr;
}

void TCustomForm::ApplyBorderStyle() {
    if (!HandleAllocated()) return;
    // The client area keeps its size; the outer size follows the new frame.
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    DWORD style, exStyle;
    StylesFor(borderStyle_, style, exStyle);
    const DWORD keep = GetWindowLongA(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(style | keep));
    SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ApplyBorderStyle();
}

TWindowState TCustomForm::WindowState() const {
    if (!HandleAllocated()) return wsNormal;
    HWND window = const_cast<TCustomForm*>(this)->Handle();
    if (IsIconic(window)) return wsMinimized;
    if (IsZoomed(window)) return wsMaximized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (!Visible() || Loading()) return;
    static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), kShow[state]);
}

void TCustomForm::SetClientWidth(int width) {
    RECT client{};
    GetClientRect(Handle(), &client);
    SetWidth(Width() + width - client.right);
}

void TCustomForm::SetClientHeight(int height) {
    RECT client{};
    GetClientRect(Handle(), &client);
    SetHeight(Height() + height - client.bottom);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_) menu_->FreeNotification(this);
}

bool TCustomForm::Active() const {
    return HandleAllocated() && GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == menu_) menu_ = nullptr;
    if (component == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    activeControl_ = control;
    FocusChanged(control);
}

void TCustomForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (visible && Application && Application->MainForm() == this &&
        !IsWindowVisible(Application->Handle()))
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
    TWinControl::SetVisible(visible);
    if (visible && OnShow) OnShow(this);
    if (!visible && OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        Hide();
}

void TCustomForm::ConstrainTracking(MINMAXINFO& info) const {
    if (constraints_.MinWidth() > 0) info.ptMinTrackSize.x = constraints_.MinWidth();
    if (constraints_.MinHeight() > 0) info.ptMinTrackSize.y = constraints_.MinHeight();
    if (constraints_.MaxWidth() > 0) info.ptMaxTrackSize.x = constraints_.MaxWidth();
    if (constraints_.MaxHeight() > 0) info.ptMaxTrackSize.y = constraints_.MaxHeight();
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_GETMINMAXINFO:
        DefaultHandler(message);
        ConstrainTracking(*reinterpret_cast<MINMAXINFO*>(message.LParam));
        return;
    case WM_SYSCOMMAND:
        // The main form minimizes the whole application (its taskbar window).
        if ((message.WParam & 0xFFF0) == SC_MINIMIZE && Application &&
            Application->MainForm() == this) {
            Application->Minimize();
            message.Result = 0;
            return;
        }
        break;
    case WM_ACTIVATE:
        TWinControl::WndProc(message);
        if (LOWORD(message.WParam) != WA_INACTIVE && OnActivate) OnActivate(this);
        return;
    }
    TWinControl::WndProc(message);
}

void RegisterFrameworkClasses() {
    RegisterClasses<TTimer, TPopupMenu, TMainMenu, TMenuItem, TButton, TPanel, TForm>();
}
