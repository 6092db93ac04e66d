#pragma once
// Controls: TControl (position, text, font, colour, mouse), TGraphicControl
// (no window; painted on its parent), TWinControl (a window whose procedure
// dispatches to the object; replaceable and chainable) and TCustomControl
// (a window with a canvas and a Paint hook).

#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/Types.h"

#include <functional>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;

// A window message as the objects see it; Result goes back to the sender.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// The framework's own messages, in the application band: control messages
// (CM_) and messages a parent reflects to the child that caused them (CN_).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TEnumInfo& AlignNames();
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TEnumInfo& BiDiModeNames();

using TShiftState = unsigned;
enum : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// Exceptions that escape a handler called from a window procedure or a timer
// end there and go to this handler (the application shows them in its box).
void SetExceptionHandler(std::function<void(const std::exception&)> handler);
void HandleException(const std::exception& error);

// The object behind a window the framework created, or nullptr.
TWinControl* FindControl(HWND window);

// Shift state of the keyboard at this moment (Shift, Alt, Ctrl).
TShiftState KeyboardShiftState();

class TControl : public TComponent {
    DECLARE_PUBLISHED(TControl)
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void AddStreamedChild(TComponent* child) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual void SetBounds(int left, int top, int width, int height);
    virtual TRect ClientRect() const { return TRect{0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int width) { SetWidth(width); }
    virtual void SetClientHeight(int height) { SetHeight(height); }
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Visible and every parent visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& text);

    TFont* Font() { return &font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TBiDiMode BiDiMode() const { return bidiMode_; }
    void SetBiDiMode(TBiDiMode mode) { bidiMode_ = mode; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Marks the control for painting; Repaint paints at once.
    virtual void Invalidate();
    void Repaint();
    // Sends a message straight to this control's message handling.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // The form this control sits on, directly or through its parents.
    TCustomForm* ParentForm() const;

    virtual void Click();
    void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

  protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Notifications after a change of the property.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void Resize();
    // The parent's font or colour changed.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // Called when the bounds really changed.
    virtual void BoundsChanged();
    void DefaultHandler(TMessage& message);

    bool mouseCaptured_ = false;
    bool mouseInside_ = false;
    // False for controls whose window class makes its own clicks (system buttons):
    // then the left button neither captures the mouse nor clicks here.
    bool frameworkClicks_ = true;

  private:
    void HandleMouse(TMessage& message);
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TBiDiMode bidiMode_ = bdLeftToRight;
    std::string hint_;
    bool showHint_ = false;
    TPopupMenu* popupMenu_ = nullptr;
    int tag_ = 0;
    bool copyingParentFont_ = false;
    friend class TWinControl;
};

// A control without a window: it paints on its parent's canvas.
class TGraphicControl : public TControl {
    DECLARE_PUBLISHED(TGraphicControl)
  public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    TCanvas& Canvas() { return canvas_; }
    // Paints into dc, whose origin is the parent's client origin.
    void PaintOn(HDC dc);
    void Invalidate() override;

  protected:
    virtual void Paint() {}

  private:
    TCanvas canvas_;
};

struct TCreateParams {
    std::string ClassName;   // registered from the object's class name when empty
    std::string SystemClass; // a system class to superclass (BUTTON), or empty
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    HWND WndParent = nullptr;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class TWinControl : public TControl {
    DECLARE_PUBLISHED(TWinControl)
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
    // The focusable controls inside this one in tab order (children by TabOrder,
    // each followed by its own); with checkTabStop only those with TabStop set.
    void GetTabOrderList(std::vector<TWinControl*>& list, bool checkTabStop) const;
    // Moves the focus from current to the next (or previous) control of the
    // list, wrapping around; false when there is none to move to.
    bool SelectNext(TWinControl* current, bool forward, bool checkTabStop);

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
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static std::string RegisterWindowClass(const TCreateParams& params, WNDPROC& defaultProc);
    void UpdateBoundsFromWindow();
    void ReflectCommand(TMessage& message);
    TControl* GraphicControlAt(int x, int y);
    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = DefWindowProcA;
    std::vector<TControl*> controls_;
    TControl* captureChild_ = nullptr;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    bool settingBounds_ = false;
    friend class TControl;
};

// A windowed control with a canvas and a Paint hook.
class TCustomControl : public TWinControl {
    DECLARE_PUBLISHED(TCustomControl)
  public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    TCanvas& Canvas() { return canvas_; }

  protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint();

  private:
    TCanvas canvas_;
};
