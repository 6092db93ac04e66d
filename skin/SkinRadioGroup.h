#pragma once
// Check and radio groups: a group box that turns its Items into a column
// layout of skinned check boxes or radio buttons.

#include "framework/StringList.h"
#include "skin/SkinButton.h"
#include "skin/SkinGroupBox.h"

#include <vector>

class TskCheckGroup;

class TskCheckGroup : public TskCustomGroupBox {
    DECLARE_PUBLISHED(TskCheckGroup, TskCustomGroupBox)
  public:
    explicit TskCheckGroup(TComponent* owner);
    ~TskCheckGroup() override;

    TStringList* Items() { return &items_; }
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int margin);
    TColor FontColor() { return Font()->Color(); }
    void SetFontColor(TColor color) { Font()->SetColor(color); }
    void SetTransparent(bool value) override;

    int ItemCount() const { return static_cast<int>(itemButtons_.size()); }
    TskCheckBox* ItemButton(int index) const { return itemButtons_.at(index); }
    // False outside 0..count-1.
    bool ItemChecked(int index) const;
    // Raises EListError "List index out of bounds (%d)" outside 0..count-1.
    void SetItemChecked(int index, bool checked);

    // Places the items in columns, top to bottom, then left to right.
    void ArrangeItems();
    void Click() override;
    void WndProc(TMessage& message) override;

  protected:
    void ApplyUIStyle(TskUIStyle style, TskFileTheme* fileTheme) override;
    virtual void BeforeItemClick() {}
    virtual TskCheckBox* CreateItemButton();
    virtual void FocusItem();
    // Every item reports here; the group reports on as its own OnClick.
    void ItemClick(TObject* sender);
    void BoundsChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

  private:
    void ItemsChanged();
    bool SyncItems();
    TStringList items_;
    std::vector<TskCheckBox*> itemButtons_;
    int columns_ = 1;
    int topMargin_ = 8;
};

class TskRadioGroup : public TskCheckGroup {
    DECLARE_PUBLISHED(TskRadioGroup, TskCheckGroup)
  public:
    explicit TskRadioGroup(TComponent* owner) : TskCheckGroup(owner) {}

    // The first checked item, or -1.
    int ItemIndex() const;
    // -1 clears every item; values outside -1..count-1 are ignored.
    void SetItemIndex(int index);
    virtual bool AllowSelect() { return true; }

  protected:
    TskCheckBox* CreateItemButton() override;
    void FocusItem() override;
};

class TskCheckGroupButton : public TskCheckBox {
    DECLARE_PUBLISHED(TskCheckGroupButton, TskCheckBox)
  public:
    TskCheckGroupButton(TComponent* owner, TskCheckGroup* group);
    explicit TskCheckGroupButton(TComponent* owner) : TskCheckGroupButton(owner, nullptr) {}
    TskCheckGroup* Group() const { return group_; }

  protected:
    bool FocusVisible() override { return Focused(); }

  private:
    TskCheckGroup* group_;
};

class TskRadioGroupButton : public TskRadioButton {
    DECLARE_PUBLISHED(TskRadioGroupButton, TskRadioButton)
  public:
    TskRadioGroupButton(TComponent* owner, TskRadioGroup* group);
    explicit TskRadioGroupButton(TComponent* owner) : TskRadioGroupButton(owner, nullptr) {}
    TskRadioGroup* Group() const { return group_; }

  protected:
    bool FocusVisible() override;
    void Toggle() override;

  private:
    TskRadioGroup* group_;
};
