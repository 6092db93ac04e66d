#pragma once
// Move-only owners of Win32 handles, and borrowing helpers. Every handle the
// framework creates lives in one of these, so none can leak or be freed twice.

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }
    Handle Release() { return std::exchange(handle_, Handle()); }
    void Reset(Handle handle = Handle()) {
        if (handle_ != Handle()) Traits::Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Handle();
};

// How each kind of handle is freed.
template <class H, auto CloseFunction> struct HandleTraits {
    using Handle = H;
    static void Close(H h) { CloseFunction(h); }
};
// A window may already be gone with its parent.
inline void DestroyLiveWindow(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
}

using GdiObjectTraits = HandleTraits<HGDIOBJ, &DeleteObject>;
using IconTraits = HandleTraits<HICON, &DestroyIcon>;
using MemoryDcTraits = HandleTraits<HDC, &DeleteDC>;
using WindowTraits = HandleTraits<HWND, &DestroyLiveWindow>;
using MenuTraits = HandleTraits<HMENU, &DestroyMenu>;
using RegKeyTraits = HandleTraits<HKEY, &RegCloseKey>;
using ImageListTraits = HandleTraits<HIMAGELIST, &ImageList_Destroy>;
using KernelHandleTraits = HandleTraits<HANDLE, &CloseHandle>;

// A handle used but not owned: someone else frees it.
template <class Traits> class BorrowedHandle {
  public:
    using Handle = typename Traits::Handle;
    BorrowedHandle() = default;
    explicit BorrowedHandle(Handle handle) : handle_(handle) {}
    BorrowedHandle(const UniqueHandle<Traits>& owner) : handle_(owner.Get()) {}
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }

  private:
    Handle handle_ = Handle();
};

using GdiObject = UniqueHandle<GdiObjectTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using MenuRef = BorrowedHandle<MenuTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A device context borrowed from a window (GetDC / GetWindowDC), released on scope exit.
class WindowDc {
  public:
    explicit WindowDc(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// One paint cycle of a window: BeginPaint now, EndPaint on scope exit.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context for one scope, then puts the previous one back.
class SelectionScope {
  public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectionScope() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a device context's whole state (selections, origin, clip) for one scope.
class DcStateScope {
  public:
    explicit DcStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcStateScope() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcStateScope(const DcStateScope&) = delete;
    DcStateScope& operator=(const DcStateScope&) = delete;

  private:
    HDC dc_;
    int saved_;
};
