#pragma once
// Menus: items with captions (a '&' marks the accelerator), default, checked and
// enabled states, click and owner-draw events; popup menus shown at a point and
// main menus. A caption of exactly "-" is a separator line.
//
// An item with a draw handler is owner-drawn: it carries itself as the item
// data of its menu entry, and WM_MEASUREITEM / WM_DRAWITEM / WM_MENUCHAR
// reach its handlers through that data. Items without one are plain text.

#include "framework/Control.h"
#include "framework/WindowBinding.h"

#include <string>
#include <vector>

using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect rect, bool selected)>;
using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

class TImageList;
class TMenu;

// Shortcuts: a virtual key in the low byte, with these modifier bits.
enum : int { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
// The shortcut a key pressed with these modifiers (ssShift, ssCtrl, ssAlt) stands for.
int ShortCutOf(WORD key, TShiftState shift);
// Whether a menu gives its items accelerator letters of its own accord. This
// framework never assigns any; the choice is kept and handed on.
enum TMenuAutoFlag { maAutomatic, maManual };
const TEnumInfo& MenuAutoFlagNames();
// "Ctrl+S", "Shift+F5"; empty for 0.
std::string ShortCutToText(int shortCut);

class TMenuItem : public TComponent {
    DECLARE_PUBLISHED(TMenuItem, TComponent)
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int value) { shortCut_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    // The menu whose item tree holds this item; null while it is in none.
    TMenu* GetParentMenu() const;
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    void AddStreamedChild(TComponent* child) override;

    // The command number the item carries in its menu.
    UINT Command() const { return command_; }
    static TMenuItem* FindByCommand(UINT command);
    // The live item an owner-drawn entry's item data names; null for any
    // other value (the data is looked up, never followed).
    static TMenuItem* FromItemData(ULONG_PTR data);
    // Routes WM_DRAWITEM / WM_MEASUREITEM of an owner-drawn item; false when unknown.
    static bool DispatchOwnerDraw(UINT msg, LPARAM lParam);
    // Answers WM_MENUCHAR for the owner-drawn entries of the open menu, which
    // have no text for the system to match: the entry whose accelerator is
    // the key runs; of several, the next after the highlighted one is
    // selected. False when none matches.
    static bool AnswerMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result);

    virtual void Click();
    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;
    std::function<void()> OnChange; // the menu rebuilds its handle

    // Appends this item's sub-items to menu (recursively); the sub-menus made
    // for them belong to menu.
    void AppendTo(MenuRef menu) const;

  private:
    friend class TMenu;
    void Changed();
    std::string caption_;
    bool checked_ = false;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int shortCut_ = 0;
    int imageIndex_ = -1;
    std::string hint_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on a menu's root item only
    UINT command_;
};

class TMenu : public TComponent {
    DECLARE_PUBLISHED(TMenu, TComponent)
  public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    // The top-level items live under this root item, which the menu owns.
    TMenuItem* Items() { return &items_; }
    void AddStreamedChild(TComponent* child) override;
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value) { ownerDraw_ = value; }
    // Item images; told when the list goes away.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TBiDiMode BiDiMode() const { return bidiMode_; }
    void SetBiDiMode(TBiDiMode mode) { bidiMode_ = mode; }
    // The items are laid out mirrored: the menu reads right to left and the
    // system runs a right-to-left locale.
    bool IsRightToLeft() const;
    TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag value) { autoHotkeys_ = value; }
    // Runs the visible, enabled item whose shortcut is shortCut (its parents
    // visible and enabled too); false when there is none.
    bool IsShortCut(int shortCut);

  protected:
    friend class TMenuItem;
    // An item (with its sub-items) joined or left this menu's item tree.
    virtual void ItemAdded(TMenuItem*) {}
    virtual void ItemRemoved(TMenuItem*) {}
    // Something in the item tree changed: an item's state, or its structure.
    virtual void MenuChanged(TMenuItem*) {}
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TMenuItem items_;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    TBiDiMode bidiMode_ = bdLeftToRight;
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
};

class TPopupMenu : public TMenu, private TWindowTarget {
    DECLARE_PUBLISHED(TPopupMenu, TMenu)
  public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The component that last popped the menu up.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }
    // Shows the menu at a screen point and returns when it closes; a chosen
    // item's click runs before the return.
    virtual void Popup(int x, int y);
    // The hidden window that owns the open menu (and receives its messages).
    HWND Window();

    TNotifyEvent OnPopup;

  protected:
    // Shows source's sub-items at a screen point until the menu closes, then
    // runs the chosen item's click.
    void Track(const TMenuItem& source, int x, int y);

  private:
    void WindowMessage(HWND window, TMessage& message) override;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    WindowHandle window_;
};

class TMainMenu : public TMenu {
    DECLARE_PUBLISHED(TMainMenu, TMenu)
  public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    // A menu bar built from the items (anew on every call); the caller owns it.
    MenuHandle CreateHandle() const;
};
