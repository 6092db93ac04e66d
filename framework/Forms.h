#pragma once
// Forms: top-level windows owned by the application window, created from
// their form description, with border styles, client size, size constraints,
// window state and the create / resize / close-query events.

#include "framework/WinControl.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poScreenCenter };
using TModalResult = int;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TSizeConstraints : public TPersistent {
    DECLARE_PUBLISHED(TSizeConstraints, TPersistent)
  public:
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int v) { minWidth_ = v; }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int v) { minHeight_ = v; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int v) { maxWidth_ = v; }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int v) { maxHeight_ = v; }

  private:
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TCustomForm : public TWinControl {
    DECLARE_PUBLISHED(TCustomForm, TWinControl)
  public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style) { formStyle_ = style; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TSizeConstraints* Constraints() { return &constraints_; }
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) { borderWidth_ = width; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) {}
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Active() const;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Records the focused control and tells every control of the form.
    void SetActiveControl(TWinControl* control);

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery; the main form's closing ends the application.
    void Close();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& message) override;

  protected:
    // Reads the form description stored as an RCDATA resource of that name, then
    // runs OnCreate. Derived form classes call it from their constructor.
    void LoadFormResource(const std::string& resourceName);
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual bool CloseQuery();
    void SetVisible(bool visible) override;

  private:
    void ApplyBorderStyle();
    void ConstrainTracking(MINMAXINFO& info) const;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TSizeConstraints constraints_;
    int borderWidth_ = 0;
    bool scaled_ = true;
    int textHeight_ = 13;
    bool autoScroll_ = false;
    bool keyPreview_ = false;
    TMainMenu* menu_ = nullptr;
    TModalResult modalResult_ = 0;
    TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
    DECLARE_PUBLISHED(TForm, TCustomForm)
  public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// Makes the framework's classes known to the form reader.
void RegisterFrameworkClasses();
