#pragma once
// The skinned popup menu: every item of its own item tree is measured and
// drawn in the colours and pictures of its theme. The title bar's system
// menu is one of these.

#include "skin/SkinMenuLook.h"

class TskPopupMenu : public TPopupMenu, public TskMenuLook {
    DECLARE_PUBLISHED(TskPopupMenu, TPopupMenu)
  public:
    explicit TskPopupMenu(TComponent* owner);
    ~TskPopupMenu() override;

    // Always owner-drawn; writing changes nothing.
    bool OwnerDraw() const { return true; }
    void SetOwnerDraw(bool) {}

    void Loaded() override;

  protected:
    TImageList& CheckMarks() override;
    void ItemAdded(TMenuItem* item) override { LookItemAdded(item); }
    void ItemRemoved(TMenuItem* item) override { LookItemRemoved(item); }
    void Notification(TComponent* component, TOperation operation) override;
};
