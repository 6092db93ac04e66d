#pragma once
// Controls: TControl (position, text, font, colour, mouse) and
// TGraphicControl (no window; painted on its parent's surface).

#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/Types.h"

#include <functional>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;

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

// Shift state of the keyboard at this moment (Shift, Alt, Ctrl).
TShiftState KeyboardShiftState();

class TControl : public TComponent {
    DECLARE_PUBLISHED(TControl, TComponent)
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
    DECLARE_PUBLISHED(TGraphicControl, TControl)
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
