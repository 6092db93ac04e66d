#pragma once
// Skinned push button, check box and radio button: their state machines,
// events, sizing and pictures. The pictures come from the skin file named by
// FileTheme when UIStyle is FromThemeFile, else from the built-in theme.

#include "framework/Bitmap.h"
#include "framework/WinControl.h"
#include "framework/Forms.h"
#include "framework/Timer.h"
#include "skin/SkinThemeLink.h"

#include <memory>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutNames();

// Where the glyph and the caption go on a button of width x height. Window-free,
// so the arithmetic can be checked on its own.
struct TGlyphLayout {
    TPoint Glyph;
    TPoint Text;
};
TGlyphLayout LayoutGlyph(TButtonLayout layout, int width, int height, int textWidth, int textHeight,
                         int glyphWidth, int glyphHeight, int spacing);

// True while the component or one of its owners is being read from a form
// description: change events stay silent then.
bool ComponentLoading(const TComponent* component);

class TskCustomButton : public TCustomControl {
    DECLARE_PUBLISHED(TskCustomButton, TCustomControl)
  public:
    explicit TskCustomButton(TComponent* owner);
    ~TskCustomButton() override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    TskUIStyle UIStyle() const { return theme_.Style(); }
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Sets UIStyle again, so the look follows the (re)loaded skin file.
    void SetFileTheme(TskFileTheme* theme) { theme_.SetFileTheme(theme); }
    int FocusedRectMargin() const { return focusedRectMargin_; }
    void SetFocusedRectMargin(int value);
    int MouseContinuouslyDownInterval() const { return repeatInterval_; }
    void SetMouseContinuouslyDownInterval(int value) { repeatInterval_ = value; }

    // The state the look follows.
    bool MouseOn() const { return mouseOn_; }
    bool Pressed() const { return pressed_; }
    bool ActiveDefault() const { return activeDefault_; }
    bool Repeating() const { return repeatTimer_ != nullptr; }

    void Click() override;
    void FocusChanged(TWinControl* focused) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    bool DialogChar(char key) override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

  protected:
    virtual void UpdateAutoSize();
    virtual void CaptionChanged() {}
    void FontChanged() override;
    virtual void TransparentChanged();
    void EnabledChanged() override;
    virtual void UIStyleChanged() {}
    virtual void PaintPic(TCanvas& canvas, TBitmap& picture);
    virtual void PaintText(TCanvas& canvas, const std::string& text);
    virtual void PaintFocus(TCanvas& canvas);
    virtual void GetPicNormal(TBitmap& picture) { GetButtonFrame(picture, 1); }
    virtual void GetPicMouseOn(TBitmap& picture) { GetButtonFrame(picture, 2); }
    virtual void GetPicMouseDown(TBitmap& picture) { GetButtonFrame(picture, 3); }
    virtual void GetPicDisabled(TBitmap& picture) { GetButtonFrame(picture, 1); }
    // Frame (from 1) of 3 of the theme's button strip.
    void GetButtonFrame(TBitmap& picture, int frame);

    void Notification(TComponent* component, TOperation operation) override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void TextChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

    bool boldCaption_ = false;
    bool picTransparent_ = false;

  private:
    void StartRepeat();
    void StopRepeat();
    bool autoSize_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    TModalResult modalResult_ = 0;
    TskThemeLink theme_;
    int focusedRectMargin_ = 2;
    int repeatInterval_ = 100;
    bool mouseOn_ = false;
    bool pressed_ = false;
    bool activeDefault_ = false;
    TTimer* repeatTimer_ = nullptr;
};

class TskButton : public TskCustomButton {
    DECLARE_PUBLISHED(TskButton, TskCustomButton)
  public:
    explicit TskButton(TComponent* owner);

    TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(const TBitmap& glyph);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    // Kept for form descriptions that store it; always 0.
    unsigned ResHandle() const { return 0; }
    void SetResHandle(unsigned) {}
    TPoint TextPos() const { return textPos_; }

  protected:
    void UIStyleChanged() override;
    void PaintPic(TCanvas& canvas, TBitmap& picture) override;
    void PaintText(TCanvas& canvas, const std::string& text) override;
    void PaintFocus(TCanvas& canvas) override;

  private:
    void LoadGlyph(const std::vector<uint8_t>& bytes);
    void LoadGlyphResource(const std::string& name);
    TBitmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    TPoint textPos_;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateNames();

class TskCheckBox : public TCustomControl {
    DECLARE_PUBLISHED(TskCheckBox, TCustomControl)
  public:
    explicit TskCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TCheckBoxState State() const { return checked_ ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState state) { SetChecked(state == cbChecked); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TskUIStyle UIStyle() const { return theme_.Style(); }
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Sets UIStyle again, so the look follows the (re)loaded skin file.
    void SetFileTheme(TskFileTheme* theme) { theme_.SetFileTheme(theme); }

    void Click() override;
    bool DialogChar(char key) override;
    // The size AutoSize gives: picture plus caption in the current font.
    TPoint AutoSizeExtent();

  protected:
    virtual bool FocusVisible();
    virtual bool IsPicTransparent() { return false; }
    virtual int ThemeItem() { return ThemeElement::CheckBoxImage; }
    virtual void CheckedChanged();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    virtual bool WantKeyClick() { return true; }
    // Fires OnClick unless the form is being read.
    void NotifyClick();
    // The state picture: frame 1 to 4 of ThemeItem (checked, unchecked, then
    // both disabled).
    void GetPicture(TBitmap& picture);

    void Notification(TComponent* component, TOperation operation) override;
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void TextChanged() override { Repaint(); }
    void EnabledChanged() override { Repaint(); }

  private:
    void TakeFocus();
    void GetPictureOrNone(TBitmap& picture);
    TPoint ExtentWith(const TBitmap& picture);
    bool checked_ = false;
    bool autoSize_ = true;
    bool transparent_ = false;
    TskThemeLink theme_;
};

class TskRadioButton : public TskCheckBox {
    DECLARE_PUBLISHED(TskRadioButton, TskCheckBox)
  public:
    explicit TskRadioButton(TComponent* owner) : TskCheckBox(owner) {}

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    void WndProc(TMessage& message) override;

  protected:
    bool IsPicTransparent() override { return true; }
    int ThemeItem() override { return ThemeElement::RadioButtonImage; }
    void CheckedChanged() override;
    void Toggle() override;
    bool WantKeyClick() override { return false; }
    void CreateParams(TCreateParams& params) override;

  private:
    int groupIndex_ = 0;
};
