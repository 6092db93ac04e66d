#pragma once
// Windowed controls: TWinControl (a window bound to the object, whose
// procedure is replaceable and chainable, with child controls, focus and the
// paint cycle) and TCustomControl (a window with a canvas and a Paint hook).

#include "framework/Control.h"
#include "framework/WindowBinding.h"

#include <vector>

struct TCreateParams {
    std::string ClassName;   // registered from the object's class name when empty
    std::string SystemClass; // a system class to superclass (BUTTON), or empty
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    HWND WndParent = nullptr;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class TBitmap;
class TWinControl;

// The control behind a window the framework created in this process, or nullptr.
TWinControl* FindControl(HWND window);

class TWinControl : public TControl, public TWindowTarget {
    DECLARE_PUBLISHED(TWinControl, TControl)
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }

    // The procedure every message of the window goes through; replace it to hook
    // the window, keep the old one and call it to chain (put it back when done).
    std::function<void(TMessage&)> WindowProc;
    void WndProc(TMessage& message) override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_[index]; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetText(const std::string& text) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Lays out the aligned children within AdjustClientRect's rectangle.
    void Realign();

    // Called on every control of a form when the form's focused control changes.
    virtual void FocusChanged(TWinControl* focused);
    // Keys the form offers its controls (Enter, Escape) and accelerator
    // characters; true when the control acted on it.
    virtual bool DialogKey(WORD key, TShiftState shift);
    virtual bool DialogChar(char key);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

  protected:
    virtual void CreateParams(TCreateParams& params);
    // After the window exists (children get theirs then too).
    virtual void CreateWnd();
    void CreateHandle();
    void DestroyHandle();
    // The area aligned children share.
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void AlignControls();
    // Painting: WM_PAINT paints into the dc given in wParam when there is one.
    // A double-buffered control paints itself and its graphic children into
    // an off-screen bitmap that is copied in one step, and never erases its
    // background (the paint covers every pixel), so it does not flicker.
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    // The off-screen bitmap while a double-buffered paint runs, else nullptr.
    TBitmap* PaintBuffer() const { return paintBuffer_; }
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    virtual bool EraseBackground(HDC dc);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    void BoundsChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;

  private:
    void WindowMessage(HWND, TMessage& message) override { WindowProc(message); }
    void WindowBound(HWND window) override { handle_ = window; }
    void WindowUnbound() override { handle_ = nullptr; }
    void PaintHandler(HDC dc);
    void UpdateBoundsFromWindow();
    TControl* GraphicControlAt(int x, int y);
    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = DefWindowProcA;
    std::vector<TControl*> controls_;
    TControl* captureChild_ = nullptr;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    bool settingBounds_ = false;
    bool doubleBuffered_ = false;
    TBitmap* paintBuffer_ = nullptr;
    friend class TControl;
};

// A windowed control with a canvas and a Paint hook.
class TCustomControl : public TWinControl {
    DECLARE_PUBLISHED(TCustomControl, TWinControl)
  public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    TCanvas& Canvas() { return canvas_; }

  protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint();

  private:
    TCanvas canvas_;
};
