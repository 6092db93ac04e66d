#pragma once
// The skinned main menu: its drop-down items are measured and drawn like
// those of TskPopupMenu, and the skinned form that shows it in its menu bar
// is kept in step with it.

#include "skin/SkinMenuLook.h"

// What the skinned form that shows a TskMainMenu does for the menu. The form
// links itself to the menu (SetSkinForm) when its Menu is written and unlinks
// itself when the menu changes or the form goes.
class TskMenuBarHost {
  public:
    // Recreates the bar's buttons from the menu's top-level items.
    virtual void RebuildMenuBar() = 0;
    // Copies the items' captions and enabled states to the bar's buttons.
    virtual void RefreshMenuBar() = 0;
    // Takes the bar's font from the menu (UseSystemFont, FontName, ...).
    virtual void UpdateMenuBarFont() = 0;

  protected:
    virtual ~TskMenuBarHost() = default;
};

class TskMainMenu : public TMainMenu, public TskMenuLook {
    DECLARE_PUBLISHED(TskMainMenu, TMainMenu)
  public:
    // On a form, takes the form's native menu away: the menu bar shows it.
    explicit TskMainMenu(TComponent* owner);
    ~TskMainMenu() override;

    // Always owner-drawn; writing changes nothing.
    bool OwnerDraw() const { return true; }
    void SetOwnerDraw(bool) {}

    TskMenuBarHost* SkinForm() const { return skinForm_; }
    // A host that is a component is also forgotten when it goes away.
    void SetSkinForm(TskMenuBarHost* form);

    // Installs the handlers, then asks the linked form to rebuild its bar.
    void Loaded() override;

  protected:
    TImageList& CheckMarks() override;
    void UseSystemFontChanged() override;
    void ItemAdded(TMenuItem* item) override { LookItemAdded(item); }
    void ItemRemoved(TMenuItem* item) override { LookItemRemoved(item); }
    // Keeps the linked form's bar buttons in step with the items.
    void MenuChanged(TMenuItem* source) override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    bool OwnerIsForm() const;
    TImageList checkMarks_{16, 16};
    bool checkMarksLoaded_ = false;
    TskMenuBarHost* skinForm_ = nullptr;
    TComponent* hostComponent_ = nullptr;
};
