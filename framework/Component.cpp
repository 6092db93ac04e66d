#include "framework/Component.h"

#include "framework/Strings.h"

#include <algorithm>

const ClassInfo& TObject::StaticClassInfo() {
    static const ClassInfo info{"TObject", nullptr, {}, {}, {}, {}};
    return info;
}

const ClassInfo& TPersistent::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TPersistent>().Build();
    return info;
}

const ClassInfo& TComponent::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TComponent>().Build();
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    BeginDestroy();
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last; // its destructor removes it from components_
    }
}

void TComponent::BeginDestroy() {
    if (Destroying()) return;
    state_ |= csDestroying;
    // Taken from the live list one at a time: a notified component may free
    // another one of the list, which then takes itself off.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.front();
        RemoveFreeNotification(other);
        other->Notification(this, TOperation::opRemove);
    }
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::SetLoading(bool loading) {
    if (loading)
        state_ |= csLoading;
    else
        state_ &= ~csLoading;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    // Both sides, as FreeNotification added both: a side left behind would
    // make the survivor's destruction call the one already gone.
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                        freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loaded() {
    SetLoading(false);
}

void TComponent::AddStreamedChild(TComponent*) {}

void TComponent::InsertComponent(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
    NotifyOwned(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    NotifyOwned(component, TOperation::opRemove);
    components_.erase(std::remove(components_.begin(), components_.end(), component),
                      components_.end());
    component->owner_ = nullptr;
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
    Notification(component, operation);
    for (TComponent* sibling : std::vector<TComponent*>(components_))
        if (sibling != component) sibling->Notification(component, operation);
}

const ClassInfo& TCollectionItem::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TCollectionItem>().Build();
    return info;
}

int TCollectionItem::Index() const {
    for (int i = 0; i < collection_->Count(); ++i)
        if (collection_->Items(i) == this) return i;
    return -1;
}

void TCollectionItem::Changed() {
    collection_->Changed();
}

const ClassInfo& TCollection::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TCollection>().Build();
    return info;
}

TCollectionItem* TCollection::Add() {
    items_.push_back(factory_(this));
    Changed();
    return items_.back().get();
}

void TCollection::Delete(int index) {
    items_.erase(items_.begin() + index);
    Changed();
}

void TCollection::Clear() {
    items_.clear();
    Changed();
}
