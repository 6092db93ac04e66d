#pragma once
// Menus: items with captions (a '&' marks the accelerator), default, checked and
// enabled states, click and owner-draw events; popup menus shown at a point and
// main menus. A caption of exactly "-" is a separator line.

#include "framework/Control.h"
#include "framework/WindowBinding.h"

#include <vector>

using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect rect, bool selected)>;
using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

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
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    void AddStreamedChild(TComponent* child) override;

    // The command number the item carries in its menu.
    UINT Command() const { return command_; }
    static TMenuItem* FindByCommand(UINT command);
    // Routes WM_DRAWITEM / WM_MEASUREITEM of an owner-drawn item; false when unknown.
    static bool DispatchOwnerDraw(UINT msg, LPARAM lParam);

    virtual void Click();
    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;
    std::function<void()> OnChange; // the menu rebuilds its handle

    // Appends this item's sub-items to menu (recursively); the sub-menus made
    // for them belong to menu.
    void AppendTo(MenuRef menu) const;

  private:
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

  private:
    TMenuItem items_;
    bool ownerDraw_ = false;
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
