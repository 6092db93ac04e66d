#pragma once
// The skinned form frame: a panel that fills its form and takes over the
// form's caption, border and shape. It hooks the form's window procedure,
// reserves and paints a flat border in the form's non-client frame, shapes
// the window with a region, tiles its client area, carries a skinned title
// bar in place of the system caption and, for a main menu, a menu bar of
// flat caption buttons. The form's other controls sit on the frame.

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"
#include "skin/SkinMainMenu.h"
#include "skin/SkinThemeLink.h"
#include "skin/SkinTitleBar.h"

#include <memory>
#include <string>

class TskForm;

// The frame's menu bar: a tool bar below the title bar with one flat caption
// button per top-level item of the frame's menu; the frame draws it.
class TskMenuBar : public TToolBar {
    DECLARE_PUBLISHED(TskMenuBar, TToolBar)
  public:
    explicit TskMenuBar(TComponent* owner) : TToolBar(owner) {}
    TskForm* SkinForm() const { return skinForm_; }
    void SetSkinForm(TskForm* form) { skinForm_ = form; }
    // The drop-down menus' pop-up event: they take the frame menu's hot-key setting.
    void MenuPopup(TObject* sender);

  protected:
    void DropDownMenuCreated(TToolBarDropDown& menu) override;

  private:
    TskForm* skinForm_ = nullptr;
};

class TskForm : public TCustomPanel, public TskMenuBarHost {
    DECLARE_PUBLISHED(TskForm, TCustomPanel)
  public:
    // On a form: takes the form over; a second frame on the same form is
    // refused with "Sorry, You can create only one TskForm component in one
    // form!". Owned by anything else it stays a plain panel.
    explicit TskForm(TComponent* owner);
    // Gives the form back its window procedure first, then its caption.
    ~TskForm() override;

    bool TitleBarCustom() const;
    void SetTitleBarCustom(bool value);
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Re-applies UIStyle on every assignment, so a reloaded file shows.
    void SetFileTheme(TskFileTheme* theme) { theme_.SetFileTheme(theme); }
    TskUIStyle UIStyle() const { return theme_.Style(); }
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool value) { uiStyleAutoUpdateSub_ = value; }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);
    int BorderWidth() const { return borderWidth_; }
    // Reserves the new frame (the window's frame is recomputed) and repaints it.
    void SetBorderWidth(int width);
    bool TitleBarVisible() const;
    // Also gives the window its shape again (the radii read 0 while hidden).
    void SetTitleBarVisible(bool value);
    // The title bar follows.
    void SetBiDiMode(TBiDiMode mode);
    // The title bar's caption; writing also sets the form's window text.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    TCustomPanel* FormPanel() const { return formPanel_; }
    // The frame itself is refused with "Sorry, you can't select the Form
    // assign to FormPanel property"; any other panel fills the frame.
    void SetFormPanel(TCustomPanel* panel);
    TskTitleBarButtons* TitleBarButtons();
    void SetTitleBarButtons(const TskTitleBarButtons& buttons);
    TskTitleBarSections* TitleBarSections();
    void SetTitleBarSections(const TskTitleBarSections& sections);
    bool TitleBarDrawAppIcon() const;
    void SetTitleBarDrawAppIcon(bool value);
    // Published as Font: the title bar's font.
    TFont* TitleBarFont();
    void SetTitleBarFont(const TFont& font);
    TMainMenu* Menu() const { return menu_; }
    // Shows the menu in the menu bar, or removes the bar for none.
    void SetMenu(TMainMenu* menu);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor color);
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int height);
    // The title bar's radii while it shows, else 0; writing reshapes the window.
    int RoundCorner() const;
    void SetRoundCorner(int radius);
    int RoundCornerBottom() const;
    void SetRoundCornerBottom(int radius);
    // Always "5.8"; writing changes nothing.
    std::string Version() const { return "5.8"; }
    void SetVersion(const std::string&) {}
    void SetOnTitleBarCustomBtnsClick(const TskTitleBarButtonClickEvent& handler);
    void SetOnTitleBarHelpBtnClick(const TskTitleBarButtonClickEvent& handler);

    TskTitleBar* TitleBar() const { return titleBar_; }
    TskMenuBar* MenuBar() const { return menuBar_; }
    TCustomForm* OwnerForm() const { return ownerForm_; }
    // The skin file's left border picture turned round, for the right edge; null for none.
    TBitmap* RightBorderBitmap() const { return rightBorderBitmap_.get(); }
    int BottomBorderHeight() const { return bottomBorderHeight_; }

    // Every message of the form's window passes through here.
    void FormWndProc(TMessage& message);
    // Every message the application's loop takes out of the queue.
    void AppMessage(MSG& message, bool& handled);
    // 1 when the key ran a shortcut of Menu on the active form, else 0.
    LRESULT IsMenuShortCut(const TMessage& message);

    // The border in the form's non-client frame; nothing while the form is
    // minimized, has no window or the frame goes.
    void PaintFrame();
    // The window's shape: rounded top and bottom corners, or its rectangle.
    void UpdateRegion();

    void CreateMenuBar();
    // Frees the bar and forgets Menu.
    void RemoveMenuBar();
    void RebuildMenuBar() override;
    void RefreshMenuBar() override;
    void UpdateMenuBarFont() override;
    void DrawMenuButton(TToolBar* sender, TToolButton* button, TCustomDrawState state,
                        bool& defaultDraw);
    void DrawMenuBarBackground(TToolBar* sender, const TRect& rect, bool& defaultDraw);

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void Resize() override;
    void WndProc(TMessage& message) override;
    void ColorChanged() override;

  private:
    struct HookState;
    struct FrameHook;
    void Hook();
    void Unhook();
    void CallOldWindowProc(TMessage& message);
    bool OwnerHasWindow() const;
    // Hooked, not going, with a title bar and a form window: the frame paints.
    bool InCharge() const;
    // Clears the caption bits again when something put them back; true when it did.
    bool StripCaption();
    void FrameChanged();
    void RestoreCaption();
    void ApplyUIStyle();
    void ApplyFileValues(const TskThemeSource& source);
    void ApplyBuiltInValues(const TskThemeSource& source);
    int SideBorderWidth() const;
    bool IsMdiChild() const;
    HWND MdiClient() const;
    void OwnerResized();
    void MdiChildResized(bool maximized);
    void CalcNonClientSize(TMessage& message);
    void PopupSystemMenu();
    void PaintFrameOn(HWND window);
    void PaintLineFrame(TCanvas& canvas, int width, int height);
    // Returns the height of the bottom picture it drew (0 for none).
    int PaintSideBorderFrame(TCanvas& canvas, int width, int height);
    void PaintTitleStrip(TCanvas& canvas, int width);
    void PaintSideTitleStrip(TCanvas& canvas, int width, int side);
    bool SectionsComplete() const;
    HBRUSH BackgroundPattern();
    void DetachMenu();
    void FreeMenuBar();
    // Structural changes of the menu bar wait while its drop-down runs.
    bool MenuBarBusy() const;
    void SyncMenuBar();

    TskThemeLink theme_;
    TskTitleBar* titleBar_ = nullptr;
    TskMenuBar* menuBar_ = nullptr;
    TCustomForm* ownerForm_ = nullptr;
    std::shared_ptr<HookState> hook_;
    bool hooked_ = false;
    std::unique_ptr<TBitmap> rightBorderBitmap_;
    int bottomBorderHeight_ = 0;
    TFormBorderStyle savedBorderStyle_ = bsSizeable;
    TRect savedBounds_;
    bool startedMaximized_ = false;
    // Kept per frame: shared ones would move the controls of a second window.
    int maximizeSizeCount_ = 0;
    bool mdiMaximized_ = false;
    std::unique_ptr<TApplicationEvents> appEvents_;
    bool uiStyleAutoUpdateSub_ = false;
    TColor borderColor_ = 0;
    int borderWidth_ = 1;
    TCustomPanel* formPanel_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TColor menuBarColor_ = clBtnFace;
    int menuBarHeight_ = 22;
    bool menuBarSyncPending_ = false;
    // A child's background is painted into its own context, without the frame.
    bool backgroundOnly_ = false;
    GdiObject patternBrush_;
    TskUIStyle patternStyle_ = TskUIStyle::FromThemeFile;
    // What the published collections and font read on a frame without a title bar.
    TskTitleBarButtons spareButtons_{nullptr};
    TskTitleBarSections spareSections_{nullptr};
};
