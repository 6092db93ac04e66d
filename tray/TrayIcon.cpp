#include "tray/TrayIcon.h"

#include "framework/Application.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/HelperWindow.h"
#include "framework/Streams.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace TrayPlatform {
namespace {
BOOL WINAPI RealShellNotifyIcon(DWORD message, TNotifyIconData* data) {
    // The shell reads only cbSize bytes: the record is the system's, cut short.
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(data));
}
BOOL WINAPI RealGetCursorPos(POINT* point) {
    return GetCursorPos(point);
}
} // namespace
ShellNotifyFunc ShellNotifyIcon = &RealShellNotifyIcon;
CursorPosFunc GetCursorPosition = &RealGetCursorPos;
} // namespace TrayPlatform

// Window procedures placed in front of the application window's and the owner
// form's. Each hook needs a procedure address of its own so that the chain
// (each one calling the one it replaced) can be taken apart again; a fixed
// table of procedures, one per slot, gives that without generated code.
struct TrayHooks {
    struct Slot {
        bool used = false;
        TTrayIcon* icon = nullptr; // nullptr: a pass-through left in a foreign chain
        HWND window = nullptr;
        WNDPROC previous = nullptr;
        bool owner = false;
    };
    static constexpr int kCount = 64;
    static Slot slots[kCount];

    template <int N>
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Dispatch(N, window, msg, wParam, lParam);
    }
    template <int... N> static WNDPROC ProcOf(int slot, std::integer_sequence<int, N...>) {
        static const WNDPROC procs[] = {&Proc<N>...};
        return procs[slot];
    }
    static WNDPROC ProcOf(int slot) {
        return ProcOf(slot, std::make_integer_sequence<int, kCount>());
    }

    static LRESULT Dispatch(int n, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        Slot& slot = slots[n];
        WNDPROC previous = slot.previous;
        if (TTrayIcon* icon = slot.icon) {
            Guarded([&] {
                if (slot.owner)
                    icon->OwnerWindowHook(msg, wParam, lParam);
                else
                    icon->ApplicationWindowHook(msg, wParam, lParam);
            });
            // The handler may have taken hooks apart; hand on to what is there now.
            if (slot.used && slot.window == window) previous = slot.previous;
        }
        return CallWindowProcA(previous, window, msg, wParam, lParam);
    }

    static int Install(TTrayIcon* icon, HWND window, bool owner) {
        if (!window) return -1;
        for (int n = 0; n < kCount; ++n) {
            if (slots[n].used) continue;
            slots[n] = Slot{true, icon, window, nullptr, owner};
            slots[n].previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOf(n))));
            return n;
        }
        throw Exception("Too many tray icons");
    }

    static void Remove(int n) {
        if (n < 0) return;
        Slot& slot = slots[n];
        if (IsWindow(slot.window)) {
            const WNDPROC mine = ProcOf(n);
            if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(slot.window, GWLP_WNDPROC)) == mine) {
                SetWindowLongPtrA(slot.window, GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(slot.previous));
            } else if (!Unlink(n, mine)) {
                // Someone else's hook sits on top and calls us: stay as a pass-through.
                slot.icon = nullptr;
                return;
            }
        }
        slot = Slot{};
    }

    // Taken out of the middle of the chain (destroyed out of order): the hook
    // above ours calls what ours called.
    static bool Unlink(int n, WNDPROC mine) {
        for (Slot& other : slots) {
            if (other.used && other.window == slots[n].window && other.previous == mine) {
                other.previous = slots[n].previous;
                return true;
            }
        }
        return false;
    }
};
TrayHooks::Slot TrayHooks::slots[TrayHooks::kCount];

TTrayIcon::HookSlot::~HookSlot() {
    TrayHooks::Remove(Index);
}

namespace {
const char* const kIconWindowClass = "MoxelTrayIconWindow";

TShiftState AsyncShiftState() {
    TShiftState shift = 0;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000) shift |= ssShift;
    if (GetAsyncKeyState(VK_MENU) & 0x8000) shift |= ssAlt;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) shift |= ssCtrl;
    return shift;
}

POINT CursorPosition() {
    POINT point{};
    TrayPlatform::GetCursorPosition(&point);
    return point;
}

// The colour and mask bits of an icon, each behind its size and depth: icons
// with equal results look the same wherever they are drawn.
std::vector<uint8_t> PixelsOf(HICON icon) {
    std::vector<uint8_t> pixels;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return pixels;
    GdiObject mask(info.hbmMask), color(info.hbmColor);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        BITMAP bm{};
        if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) continue;
        const LONG shape[] = {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
        const auto* shapeBytes = reinterpret_cast<const uint8_t*>(shape);
        pixels.insert(pixels.end(), shapeBytes, shapeBytes + sizeof shape);
        const size_t start = pixels.size();
        pixels.resize(start + size_t(bm.bmWidthBytes) * bm.bmHeight);
        GetBitmapBits(bitmap, static_cast<LONG>(pixels.size() - start), pixels.data() + start);
    }
    return pixels;
}
} // namespace

const ClassInfo& TTrayIcon::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TTrayIcon>()
            .Bool("DesignPreview", &TTrayIcon::DesignPreview, &TTrayIcon::SetDesignPreview)
            .Reference<TImageList>("IconList", &TTrayIcon::IconList, &TTrayIcon::SetIconList)
            .Bool("CycleIcons", &TTrayIcon::CycleIcons, &TTrayIcon::SetCycleIcons)
            .Int("CycleInterval", &TTrayIcon::CycleInterval, &TTrayIcon::SetCycleInterval)
            .Bool("Enabled", &TTrayIcon::Enabled, &TTrayIcon::SetEnabled)
            .Str("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint)
            .Bool("ShowHint", &TTrayIcon::ShowHint, &TTrayIcon::SetShowHint)
            .Binary("Icon", &TTrayIcon::SetIconImage, &TTrayIcon::SetIconResource)
            .Bool("IconVisible", &TTrayIcon::IconVisible, &TTrayIcon::SetIconVisible)
            .Int("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex)
            .Reference<TPopupMenu>("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu)
            .Bool("LeftPopup", &TTrayIcon::LeftPopup, &TTrayIcon::SetLeftPopup)
            .Bool("StartMinimized", &TTrayIcon::StartMinimized, &TTrayIcon::SetStartMinimized)
            .Bool("MinimizeToTray", &TTrayIcon::MinimizeToTray, &TTrayIcon::SetMinimizeToTray)
            .Event("OnClick", &TTrayIcon::OnClick)
            .Event("OnDblClick", &TTrayIcon::OnDblClick)
            .Event("OnMouseDown", &TTrayIcon::OnMouseDown)
            .Event("OnMouseUp", &TTrayIcon::OnMouseUp)
            .Event("OnMouseMove", &TTrayIcon::OnMouseMove)
            .Event("OnCycle", &TTrayIcon::OnCycle)
            .Build();
    return info;
}

UINT TTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {
    TaskbarCreatedMessage();
    icon_.OnChange = [this] {
        iconPixelsStale_ = true;
        ++iconGeneration_;
    };
    CreateIconWindow();
    iconData_.cbSize = sizeof iconData_;
    iconData_.hWnd = iconWindow_.Get();
    iconData_.uID = 1;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.uCallbackMessage = TrayIconMessage;

    cycleTimer_ = new TTimer(this);
    cycleTimer_->SetEnabled(false);
    cycleTimer_->SetInterval(cycleInterval_);
    cycleTimer_->OnTimer = [this](TObject* sender) { CycleTimerTick(sender); };
    clickTimer_ = new TTimer(this);
    clickTimer_->SetEnabled(false);
    clickTimer_->SetInterval(GetDoubleClickTime());
    clickTimer_->OnTimer = [this](TObject* sender) { ClickTimerTick(sender); };

    if (Designing() && icon_.Empty() && DefaultIconWanted())
        icon_.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WINLOGO)));
    if (!Designing()) {
        if (Application)
            applicationHook_.Index = TrayHooks::Install(this, Application->Handle(), false);
        if (auto* form = dynamic_cast<TWinControl*>(owner)) {
            ownerWindow_ = form->Handle();
            ownerHook_.Index = TrayHooks::Install(this, ownerWindow_, true);
        }
    }
}

TTrayIcon::~TTrayIcon() {
    lifetime_.reset();
    BeginDestroy();
    SetIconVisible(false);
    SetDesignPreview(false);
    if (popupMenu_ && popupMenu_->PopupComponent() == this) popupMenu_->SetPopupComponent(nullptr);
    icon_.OnChange = nullptr;
    icon_.Clear();
    iconWindow_.Reset();
    delete cycleTimer_;
    delete clickTimer_;
    // The hooks come off with applicationHook_ and ownerHook_, owner first.
}

void TTrayIcon::CreateIconWindow() {
    // A hidden top-level window: it can be made the foreground window before
    // the menu opens, so the menu closes when the user clicks elsewhere.
    THelperWindowParams params{kIconWindowClass};
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.Parent = nullptr;
    iconWindow_ = CreateHelperWindow(*this, params);
    if (!iconWindow_) throw Exception("Cannot create the tray icon window");
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    // Tells the program's icon windows apart from outside.
    SetWindowTextA(iconWindow_.Get(), Name().c_str());
    StartMinimizedStep();
    UpdateInTray();
    SetIconVisible(iconVisible_);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == iconList_) SetIconList(nullptr);
    if (component == popupMenu_) popupMenu_ = nullptr;
}

// ---- properties ------------------------------------------------------------

void TTrayIcon::SetDesignPreview(bool value) {
    designPreview_ = value;
    previewSwitching_ = true;
    SetIconVisible(value);
    previewSwitching_ = false;
}

void TTrayIcon::SetIconList(TImageList* list) {
    if (iconList_ && iconList_ != list) iconList_->RemoveFreeNotification(this);
    iconList_ = list;
    if (iconList_) iconList_->FreeNotification(this);
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
    cycleIcons_ = value;
    if (value) SetIconIndex(0);
    cycleTimer_->SetEnabled(value);
}

void TTrayIcon::SetCycleInterval(unsigned interval) {
    cycleInterval_ = interval;
    cycleTimer_->SetInterval(interval);
}

void TTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateInTray();
}

void TTrayIcon::SetShowHint(bool value) {
    showHint_ = value;
    UpdateInTray();
}

void TTrayIcon::SetIcon(const TIcon& icon) {
    icon_.Assign(icon);
    UpdateInTray();
}

void TTrayIcon::SetIconImage(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    icon_.LoadFromStream(stream);
    UpdateInTray();
}

void TTrayIcon::SetIconResource(const std::string& name) {
    icon_.LoadFromResourceName(name);
    UpdateInTray();
}

void TTrayIcon::SetIconVisible(bool value) {
    if (value)
        AddToTray();
    else
        RemoveFromTray();
}

void TTrayIcon::SetIconIndex(int index) {
    iconIndex_ = 0;
    // Clamped at both ends: an index outside the list has no image to show.
    if (iconList_ && iconList_->Count() > 0) {
        const int last = iconList_->Count() - 1;
        iconIndex_ = index > last ? last : index < 0 ? 0 : index;
        iconList_->GetIcon(iconIndex_, icon_);
    }
    UpdateInTray();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_ && popupMenu_ != menu) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (popupMenu_) popupMenu_->FreeNotification(this);
}

// ---- the shell -------------------------------------------------------------

bool TTrayIcon::PrepareIconData() {
    if (Designing() && !previewSwitching_ && !designPreview_) return false;
    iconData_.hIcon = icon_.Handle();
    if (!hint_.empty() && showHint_) {
        const size_t length = std::min(hint_.size(), sizeof iconData_.szTip - 1);
        std::memcpy(iconData_.szTip, hint_.data(), length);
        std::memset(iconData_.szTip + length, 0, sizeof iconData_.szTip - length);
    } else {
        std::memset(iconData_.szTip, 0, sizeof iconData_.szTip);
    }
    return true;
}

// The indicators write their properties every 50 ms whether or not anything
// changed, and each shell call crosses to the shell's process. So, unlike a
// call per change, a call whose effect is already in place is not made: an
// add of an icon the tray holds, a delete of one it does not, a modify that
// would show the pixels and tip it shows already. The tray shows the same
// either way; what this icon knows of the tray comes only from its own calls,
// and is forgotten when the taskbar is created anew.
bool TTrayIcon::CallShell(DWORD message) {
    // The answer the shell would give to the call left out.
    if (ShellCallNeedless(message)) return message == NIM_MODIFY;
    const bool succeeded = TrayPlatform::ShellNotifyIcon(message, &iconData_) != FALSE;
    RememberShellCall(message, succeeded);
    return succeeded;
}

bool TTrayIcon::ShellCallNeedless(DWORD message) {
    switch (message) {
    case NIM_ADD:
        return shown_.InTray;
    case NIM_DELETE:
        return !shown_.InTray;
    case NIM_MODIFY:
        return shown_.InTray && shown_.Known &&
               std::equal(shown_.Tip.begin(), shown_.Tip.end(), iconData_.szTip) &&
               shown_.Pixels == IconPixels();
    }
    return false;
}

void TTrayIcon::RememberShellCall(DWORD message, bool succeeded) {
    // A refused add leaves the tray unknown: no taskbar, or the icon was
    // there after all (a modify will tell).
    const bool shows = succeeded && (message == NIM_ADD || message == NIM_MODIFY);
    shown_.InTray = shows;
    shown_.Known = shows;
    if (!shows) return;
    shown_.Pixels = IconPixels();
    std::copy(std::begin(iconData_.szTip), std::end(iconData_.szTip), shown_.Tip.begin());
}

void TTrayIcon::ForgetTrayState() {
    shown_ = TShownLook{};
}

const std::vector<uint8_t>& TTrayIcon::IconPixels() {
    if (iconPixelsStale_) {
        iconPixels_ = PixelsOf(icon_.Handle());
        iconPixelsStale_ = false;
    }
    return iconPixels_;
}

bool TTrayIcon::AddToTray() {
    if (!previewSwitching_) iconVisible_ = true;
    if ((!Designing() || previewSwitching_) && PrepareIconData()) return CallShell(NIM_ADD);
    return false;
}

bool TTrayIcon::RemoveFromTray() {
    if (!previewSwitching_) iconVisible_ = false;
    if ((!Designing() || previewSwitching_) && PrepareIconData()) return CallShell(NIM_DELETE);
    return false;
}

bool TTrayIcon::UpdateInTray() {
    // Also sent while the icon is not in the tray; the shell refuses it then.
    return PrepareIconData() && CallShell(NIM_MODIFY);
}

bool TTrayIcon::BitmapToIcon(TBitmap& bitmap, TIcon& icon, TColor maskColor) {
    constexpr int kSize = 16;
    BITMAP source{};
    if (bitmap.Width() != kSize || bitmap.Height() != kSize ||
        !GetObjectA(bitmap.Handle(), sizeof source, &source) || source.bmBitsPixel != 32) {
        TImageList list(kSize, kSize);
        list.AddMasked(bitmap, maskColor);
        list.GetIcon(0, icon);
        return true;
    }
    // The square's pixels go straight into the icon's colour and mask
    // bitmaps: the icon an image list would give, without making the list.
    uint32_t pixels[kSize * kSize];
    if (GetBitmapBits(bitmap.Handle(), sizeof pixels, pixels) != sizeof pixels)
        throw EInvalidGraphic("Bitmap image is not valid");
    // Pixels are 0x00RRGGBB. A transparent one is black in the colour bitmap
    // and set in the mask, whose rows are 16-bit aligned.
    const COLORREF key = ColorToRGB(maskColor);
    const uint32_t transparent =
        maskColor == clNone ? 0xFFFFFFFFu
                            : (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    uint8_t mask[kSize * 2] = {};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            uint32_t& pixel = pixels[y * kSize + x];
            pixel &= 0x00FFFFFFu; // no alpha: the mask alone decides
            if (pixel != transparent) continue;
            pixel = 0;
            mask[y * 2 + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    GdiObject color(CreateBitmap(kSize, kSize, 1, 32, pixels));
    GdiObject maskBitmap(CreateBitmap(kSize, kSize, 1, 1, mask));
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(maskBitmap.Get()),
                  static_cast<HBITMAP>(color.Get())};
    HICON made = color && maskBitmap ? CreateIconIndirect(&info) : nullptr;
    if (!made) throw EInvalidGraphic("Out of system resources");
    icon.SetHandle(made);
    return true;
}

// ---- animation -------------------------------------------------------------

void TTrayIcon::CycleTimerTick(TObject*) {
    if (!cycleIcons_ || !iconList_ || iconList_->Count() == 0) return;
    const int count = iconList_->Count();
    if (iconIndex_ >= count) iconIndex_ = count - 1;
    iconList_->GetIcon(iconIndex_, icon_);
    const int next = iconIndex_ < count - 1 ? iconIndex_ + 1 : 0;
    DoCycle(next);
    UpdateInTray();
    iconIndex_ = next;
}

// ---- mouse -----------------------------------------------------------------

void TTrayIcon::WindowMessage(HWND window, TMessage& message) {
    switch (message.Msg) {
    case TrayIconMessage:
        HandleTrayMessage(static_cast<UINT>(message.LParam));
        return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        message.Result = 1;
        return;
    }
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

void TTrayIcon::HandleTrayMessage(UINT mouseMessage) {
    if (!enabled_) return;
    const TShiftState shift = AsyncShiftState();
    const POINT at = CursorPosition();
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        DoMouseMove(shift, at.x, at.y);
        break;
    case WM_LBUTTONDOWN:
        if (!clickTimer_->Enabled()) clickTimer_->SetEnabled(true);
        DoMouseDown(TMouseButton::mbLeft, shift | ssLeft, at.x, at.y);
        buttonPressed_ = true;
        if (leftPopup_) PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (buttonPressed_) clickPending_ = true;
        // Held past the double-click time: the click comes with the release.
        if (buttonPressed_ && !clickTimer_->Enabled()) {
            buttonPressed_ = false;
            clickPending_ = false;
            DoClick();
        }
        buttonPressed_ = false;
        DoMouseUp(TMouseButton::mbLeft, shift | ssLeft, at.x, at.y);
        break;
    case WM_LBUTTONDBLCLK:
        clickPending_ = false;
        doubleClicked_ = true;
        DoDblClick();
        ClickDefaultItem();
        break;
    case WM_RBUTTONDOWN:
        DoMouseDown(TMouseButton::mbRight, shift | ssRight, at.x, at.y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        DoMouseUp(TMouseButton::mbRight, shift | ssRight, at.x, at.y);
        break;
    case WM_MBUTTONDOWN:
        DoMouseDown(TMouseButton::mbMiddle, shift | ssMiddle, at.x, at.y);
        break;
    case WM_MBUTTONUP:
        DoMouseUp(TMouseButton::mbMiddle, shift | ssMiddle, at.x, at.y);
        break;
    }
}

void TTrayIcon::ClickDefaultItem() {
    if (!popupMenu_ || !popupMenu_->AutoPopup() || leftPopup_) return;
    TMenuItem* items = popupMenu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        if (items->Items(i)->Default()) {
            items->Items(i)->Click();
            return;
        }
    }
}

void TTrayIcon::ClickTimerTick(TObject*) {
    clickTimer_->SetEnabled(false);
    if (!doubleClicked_ && clickPending_) {
        clickPending_ = false;
        DoClick();
    }
    doubleClicked_ = false;
}

void TTrayIcon::PopupAtCursor() {
    POINT at{};
    if (!popupMenu_ || !popupMenu_->AutoPopup() || !TrayPlatform::GetCursorPosition(&at)) return;
    // The pump and the menu loop run handlers that may free the menu (the
    // notification clears popupMenu_) or this icon itself.
    const std::weak_ptr<char> alive = lifetime_;
    if (Application) {
        Application->ProcessMessages();
    } else {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    if (alive.expired() || !popupMenu_ || !popupMenu_->AutoPopup()) return;
    // The menu closes on a click elsewhere only when our thread is in front.
    SetForegroundWindow(iconWindow_.Get());
    if (ownerWindow_) SetForegroundWindow(ownerWindow_);
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(at.x, at.y);
    if (alive.expired()) return;
    if (ownerWindow_) PostMessageA(ownerWindow_, WM_NULL, 0, 0);
}

void TTrayIcon::DoClick() {
    if (OnClick) OnClick(this);
}

void TTrayIcon::DoDblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::DoCycle(int nextIndex) {
    if (OnCycle) OnCycle(this, nextIndex);
}

void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

// ---- the hooked windows ----------------------------------------------------

void TTrayIcon::PerformMinimizeToTray() {
    HideMainWindow();
    SetIconVisible(true);
}

void TTrayIcon::HideMainWindow() {
    if (!ownerWindow_ || !Application || !Application->MainForm()) return;
    Application->MainForm()->Hide();
    ShowWindow(Application->Handle(), SW_HIDE);
}

void TTrayIcon::StartMinimizedStep() {
    if (!ownerWindow_ || !startMinimized_ || Designing() || !Application) return;
    Application->SetShowMainForm(false);
    ShowWindow(Application->Handle(), SW_HIDE);
}

void TTrayIcon::ApplicationWindowHook(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && minimizeToTray_) PerformMinimizeToTray();
    if (msg == WM_WINDOWPOSCHANGED && awaitFirstPosChange_ && Application &&
        Application->MainForm()) {
        auto* form = Application->MainForm();
        if (form->FormStyle() == fsMDIForm && startMinimized_)
            ShowWindow(Application->Handle(), SW_HIDE);
        awaitFirstPosChange_ = false;
    }
    if (msg == TaskbarCreatedMessage()) {
        // The new taskbar holds none of our icons, whatever our calls left.
        ForgetTrayState();
        if (iconVisible_) AddToTray();
    }
}

void TTrayIcon::OwnerWindowHook(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE)) {
        // Activation through the tray leaves the keyboard focus nowhere; give
        // it back to the control that had it.
        auto* form = dynamic_cast<TCustomForm*>(FindControl(ownerWindow_));
        TWinControl* active = form ? form->ActiveControl() : nullptr;
        if (active && active->HandleAllocated()) {
            TWinControl* container = active->Parent() ? active->Parent() : active;
            if (!container->HandleAllocated() ||
                container->Handle() != reinterpret_cast<HWND>(lParam))
                ::SetFocus(active->Handle());
        }
    }
    if (msg == WM_SHOWWINDOW && wParam == 1 && lParam == 0 && Application) {
        ShowWindow(Application->Handle(), SW_RESTORE);
        SetForegroundWindow(Application->Handle());
        SetForegroundWindow(ownerWindow_);
    }
}
