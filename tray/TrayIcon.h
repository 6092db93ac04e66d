#pragma once
// TTrayIcon: one icon in the notification area, with its tooltip, an optional
// animation through an image list, the shell's mouse callbacks turned into
// click / double-click / mouse events, a popup menu at the cursor, and
// minimize-to-tray through hooks of the application window and the owner form.

#include "framework/WinControl.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/Timer.h"

#include <shellapi.h>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

// The record the shell takes: the layout with the 128-character tip and the
// balloon fields, without the later item GUID and balloon icon (488 bytes in a
// 32-bit program). The system header always appends the later fields, so the
// record is declared here with the system's field layout and checked against it.
struct TNotifyIconData {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    UINT uTimeout;
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
};
static_assert(sizeof(TNotifyIconData) == NOTIFYICONDATAA_V2_SIZE, "shell record layout");
static_assert(offsetof(TNotifyIconData, szTip) == offsetof(NOTIFYICONDATAA, szTip), "tip offset");
static_assert(offsetof(TNotifyIconData, dwInfoFlags) == offsetof(NOTIFYICONDATAA, dwInfoFlags),
              "balloon flags offset");
#ifndef _WIN64
static_assert(sizeof(TNotifyIconData) == 488, "the 32-bit shell record is 488 bytes");
#endif

// The message the shell posts to an icon's window; lParam is the mouse message.
constexpr UINT TrayIconMessage = 0x0800;

using TCycleEvent = std::function<void(TObject* sender, int nextIndex)>;

// Platform calls the tests replace to watch or steer them; the real calls by default.
namespace TrayPlatform {
using ShellNotifyFunc = BOOL(WINAPI*)(DWORD message, TNotifyIconData* data);
using CursorPosFunc = BOOL(WINAPI*)(POINT* point);
extern ShellNotifyFunc ShellNotifyIcon;
extern CursorPosFunc GetCursorPosition;
} // namespace TrayPlatform

class TTrayIcon : public TComponent, private TWindowTarget {
    DECLARE_PUBLISHED(TTrayIcon, TComponent)
  public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool value);
    TImageList* IconList() const { return iconList_; }
    void SetIconList(TImageList* list);
    bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool value);
    unsigned CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(unsigned interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    TIcon* Icon() { return &icon_; }
    void SetIcon(const TIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool value);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    bool LeftPopup() const { return leftPopup_; }
    void SetLeftPopup(bool value) { leftPopup_ = value; }
    bool StartMinimized() const { return startMinimized_; }
    void SetStartMinimized(bool value) { startMinimized_ = value; }
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool value) { minimizeToTray_ = value; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    // Shows the current icon and tip in the tray (a NIM_MODIFY unless the
    // tray shows them already).
    void RefreshIcon() { UpdateInTray(); }
    // bitmap as a 16 x 16 icon; maskColor clNone keeps every pixel opaque.
    static bool BitmapToIcon(TBitmap& bitmap, TIcon& icon, TColor maskColor);
    // Opens PopupMenu at the cursor.
    void PopupAtCursor();

    // The hidden window the shell reports mouse actions to.
    HWND IconWindow() const { return iconWindow_.Get(); }
    const TNotifyIconData& IconData() const { return iconData_; }
    // The timer that tells a single click from a double click; tests fire it.
    TTimer* ClickTimer() const { return clickTimer_; }
    static UINT TaskbarCreatedMessage();

    void Loaded() override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

    // Counts the changes of Icon: a subclass that made the current image can
    // tell that nobody replaced it since.
    unsigned IconGeneration() const { return iconGeneration_; }

    virtual bool DefaultIconWanted() { return true; }
    virtual bool AddToTray();
    virtual bool RemoveFromTray();
    virtual bool UpdateInTray();

    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoCycle(int nextIndex);
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseMove(TShiftState shift, int x, int y);
    virtual void PerformMinimizeToTray();

  private:
    friend struct TrayHooks;
    void SetIconImage(const std::vector<uint8_t>& bytes);
    void SetIconResource(const std::string& name);
    bool PrepareIconData();
    bool CallShell(DWORD message);
    bool ShellCallNeedless(DWORD message);
    void RememberShellCall(DWORD message, bool succeeded);
    void ForgetTrayState();
    const std::vector<uint8_t>& IconPixels();
    void CreateIconWindow();
    void HandleTrayMessage(UINT mouseMessage);
    void ClickDefaultItem();
    void ClickTimerTick(TObject* sender);
    void CycleTimerTick(TObject* sender);
    void HideMainWindow();
    void StartMinimizedStep();
    // Our part of the hooked windows' message handling (the chain does the rest).
    void ApplicationWindowHook(UINT msg, WPARAM wParam, LPARAM lParam);
    void OwnerWindowHook(UINT msg, WPARAM wParam, LPARAM lParam);
    // The icon window's messages: the shell's mouse reports.
    void WindowMessage(HWND window, TMessage& message) override;

    bool designPreview_ = false;
    TImageList* iconList_ = nullptr;
    bool cycleIcons_ = false;
    unsigned cycleInterval_ = 0;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = true;
    TIcon icon_;
    bool iconVisible_ = true;
    int iconIndex_ = 0;
    TPopupMenu* popupMenu_ = nullptr;
    bool leftPopup_ = false;
    bool startMinimized_ = false;
    bool minimizeToTray_ = false;

    TNotifyIconData iconData_{};
    WindowHandle iconWindow_;
    TTimer* cycleTimer_ = nullptr;
    TTimer* clickTimer_ = nullptr;
    bool buttonPressed_ = false;
    bool clickPending_ = false;
    bool doubleClicked_ = false;
    bool previewSwitching_ = false;
    bool awaitFirstPosChange_ = true;
    // The owner form's window, kept for the destructor (the owner is gone by then).
    HWND ownerWindow_ = nullptr;

    // What the notification area holds of this icon, as our own calls left it.
    struct TShownLook {
        bool InTray = false;
        // Pixels and Tip are what the tray shows.
        bool Known = false;
        std::vector<uint8_t> Pixels;
        std::array<char, sizeof(TNotifyIconData::szTip)> Tip{};
    };
    TShownLook shown_;
    // The pixels of Icon, read again only after it changed.
    std::vector<uint8_t> iconPixels_;
    bool iconPixelsStale_ = true;
    unsigned iconGeneration_ = 0;
    // Expires with the object: code that pumps messages can tell whether a
    // handler freed the icon meanwhile.
    std::shared_ptr<char> lifetime_ = std::make_shared<char>();

    // A place in one window's hook chain, given back when this goes, also
    // when a constructor fails after taking it.
    struct HookSlot {
        int Index = -1;
        HookSlot() = default;
        HookSlot(const HookSlot&) = delete;
        HookSlot& operator=(const HookSlot&) = delete;
        ~HookSlot();
    };
    // Declared in the order of hooking: destroyed in reverse.
    HookSlot applicationHook_;
    HookSlot ownerHook_;
};
