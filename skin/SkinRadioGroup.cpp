#include "skin/SkinRadioGroup.h"

#include "framework/Exceptions.h"

#include <cstdlib>

// ---------------------------------------------------------------------------- TskCheckGroup

const ClassInfo& TskCheckGroup::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskCheckGroup>()
            .Color("BorderColor", &TskCheckGroup::BorderColor, &TskCheckGroup::SetBorderColor)
            .Int("Columns", &TskCheckGroup::Columns, &TskCheckGroup::SetColumns)
            .Color("FontColor", &TskCheckGroup::FontColor, &TskCheckGroup::SetFontColor)
            .Object("Items", TPropKind::Strings, &TskCheckGroup::Items)
            .Int("TopMargin", &TskCheckGroup::TopMargin, &TskCheckGroup::SetTopMargin)
            .Bool("Transparent", &TskCheckGroup::Transparent, &TskCheckGroup::SetTransparent)
            .Build();
    return info;
}

TskCheckGroup::TskCheckGroup(TComponent* owner) : TskCustomGroupBox(owner) {
    SetTabStop(true);
    items_.OnChange = [this] { ItemsChanged(); };
}

TskCheckGroup::~TskCheckGroup() {
    items_.OnChange = nullptr;
    for (auto it = itemButtons_.rbegin(); it != itemButtons_.rend(); ++it)
        delete *it;
    itemButtons_.clear();
}

void TskCheckGroup::SetColumns(int columns) {
    if (columns < 0) return;
    columns_ = columns;
    ArrangeItems();
}

void TskCheckGroup::SetTopMargin(int margin) {
    if (margin < 0) return;
    topMargin_ = margin;
    ArrangeItems();
}

void TskCheckGroup::SetTransparent(bool value) {
    TskCustomGroupBox::SetTransparent(value);
    for (TskCheckBox* item : itemButtons_)
        item->SetTransparent(value);
}

bool TskCheckGroup::ItemChecked(int index) const {
    if (index < 0 || index >= ItemCount()) return false;
    return itemButtons_[index]->Checked();
}

void TskCheckGroup::SetItemChecked(int index, bool checked) {
    if (index < 0 || index >= ItemCount())
        throw EListError(Format("List index out of bounds (%d)", static_cast<long long>(index)));
    itemButtons_[index]->SetChecked(checked);
}

TskCheckBox* TskCheckGroup::CreateItemButton() {
    return new TskCheckGroupButton(this, this);
}

void TskCheckGroup::FocusItem() {
    if (!itemButtons_.empty() && itemButtons_[0]->CanFocus()) itemButtons_[0]->SetFocus();
}

void TskCheckGroup::ItemClick(TObject*) {
    BeforeItemClick();
    if (!ComponentLoading(this) && OnClick) OnClick(this);
}

void TskCheckGroup::Click() {
    ItemClick(this);
}

void TskCheckGroup::WndProc(TMessage& message) {
    TskCustomGroupBox::WndProc(message);
    if (message.Msg == WM_SETFOCUS) FocusItem();
}

void TskCheckGroup::ItemsChanged() {
    const bool created = SyncItems();
    ArrangeItems();
    if (created) {
        // Hands the value to every item again, the new ones included.
        SetTransparent(!Transparent());
        SetTransparent(!Transparent());
    }
}

bool TskCheckGroup::SyncItems() {
    const int missing = items_.Count() - ItemCount();
    for (int i = 0; i < missing; ++i) {
        TskCheckBox* item = CreateItemButton();
        itemButtons_.push_back(item);
        item->SetParent(this);
        item->Font()->Assign(*Font());
        item->SetAutoSize(true);
        item->SetFileTheme(FileTheme());
        item->SetUIStyle(UIStyle());
        item->SetTransparent(Transparent());
        item->SetParentColor(true);
        item->SetTabStop(false);
        item->OnClick = [this](TObject* sender) { ItemClick(sender); };
    }
    for (int i = missing; i < 0; ++i) {
        delete itemButtons_.back();
        itemButtons_.pop_back();
    }
    for (int i = 0; i < ItemCount(); ++i) {
        itemButtons_[i]->SetCaption(items_.Strings(i));
        itemButtons_[i]->SetAutoSize(true);
    }
    return missing > 0;
}

void TskCheckGroup::ArrangeItems() {
    const int count = ItemCount();
    if (count == 0) return;
    // A group of 0 columns lays out as one column rather than dividing by zero.
    const int columns = columns_ > 0 ? columns_ : 1;
    const TRect client = ClientRect();
    const TRect area{client.Left + 3, client.Top + std::abs(Font()->Height()), client.Right - 2,
                     client.Bottom - 2};
    const int top = area.Top + topMargin_;
    const int avail = area.Bottom - top;
    const int rows = (count + columns - 1) / columns;
    const int columnWidth = (Width() - 10) / columns;
    const int rowHeight = avail / rows;
    const int firstTop = top + (avail % rows) / 2;
    const bool rightToLeft = BiDiMode() == bdRightToLeft;
    for (int i = 0; i < count; ++i) {
        TskCheckBox* item = itemButtons_[i];
        const int column = i / rows;
        const int left = rightToLeft ? Width() - column * columnWidth - item->Width() - 8
                                     : column * columnWidth + 8;
        item->SetBounds(left, (i % rows) * rowHeight + firstTop, item->Width(), item->Height());
    }
}

void TskCheckGroup::ApplyUIStyle(TskUIStyle style, TskFileTheme* fileTheme) {
    TskCustomGroupBox::ApplyUIStyle(style, fileTheme);
    for (TskCheckBox* item : itemButtons_) {
        item->SetFileTheme(fileTheme);
        item->SetUIStyle(style);
        item->SetColor(Color());
    }
}

void TskCheckGroup::BoundsChanged() {
    TskCustomGroupBox::BoundsChanged();
    ArrangeItems();
}

void TskCheckGroup::FontChanged() {
    TskCustomGroupBox::FontChanged();
    for (TskCheckBox* item : itemButtons_)
        item->Font()->Assign(*Font());
}

void TskCheckGroup::ColorChanged() {
    TskCustomGroupBox::ColorChanged();
    for (TskCheckBox* item : itemButtons_)
        item->SetParentColor(true);
}

// ---------------------------------------------------------------------------- TskRadioGroup

const ClassInfo& TskRadioGroup::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskRadioGroup>()
            .Int("ItemIndex", &TskRadioGroup::ItemIndex, &TskRadioGroup::SetItemIndex)
            .Build();
    return info;
}

int TskRadioGroup::ItemIndex() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemButton(i)->Checked()) return i;
    return -1;
}

void TskRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) return;
    if (index == -1) {
        for (int i = 0; i < ItemCount(); ++i)
            ItemButton(i)->SetChecked(false);
        return;
    }
    ItemButton(index)->SetChecked(true); // its siblings uncheck themselves
}

TskCheckBox* TskRadioGroup::CreateItemButton() {
    return new TskRadioGroupButton(this, this);
}

void TskRadioGroup::FocusItem() {
    const int index = ItemIndex();
    if (index >= 0 && index < ItemCount()) ItemButton(index)->SetFocus();
}

// ---------------------------------------------------------------------------- item buttons

const ClassInfo& TskCheckGroupButton::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskCheckGroupButton>().Build();
    return info;
}

TskCheckGroupButton::TskCheckGroupButton(TComponent* owner, TskCheckGroup* group)
    : TskCheckBox(owner), group_(group) {}

const ClassInfo& TskRadioGroupButton::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskRadioGroupButton>().Build();
    return info;
}

TskRadioGroupButton::TskRadioGroupButton(TComponent* owner, TskRadioGroup* group)
    : TskRadioButton(owner), group_(group) {}

bool TskRadioGroupButton::FocusVisible() {
    return Checked() && (Focused() || (group_ && group_->Focused()));
}

void TskRadioGroupButton::Toggle() {
    if (!group_ || group_->AllowSelect()) TskRadioButton::Toggle();
}
