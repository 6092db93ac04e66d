#include "skin/SkinMainMenu.h"

#include "framework/Forms.h"

const ClassInfo& TskMainMenu::StaticClassInfo() {
    static const ClassInfo info = PublishMenuLook(ClassBuilder<TskMainMenu>()).Build();
    return info;
}

TskMainMenu::TskMainMenu(TComponent* owner)
    : TMainMenu(owner), TskMenuLook(static_cast<TMenu&>(*this)) {
    TMainMenu::SetOwnerDraw(true);
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) form->SetMenu(nullptr);
}

TskMainMenu::~TskMainMenu() {
    BeginDestroy();
}

bool TskMainMenu::OwnerIsForm() const {
    return dynamic_cast<TCustomForm*>(Owner()) != nullptr;
}

void TskMainMenu::SetSkinForm(TskMenuBarHost* form) {
    if (hostComponent_) {
        hostComponent_->RemoveFreeNotification(this);
        RemoveFreeNotification(hostComponent_);
    }
    skinForm_ = form;
    // Taken while the form is whole; by the time it says it goes, it may not be.
    hostComponent_ = dynamic_cast<TComponent*>(form);
    if (hostComponent_) FreeNotification(hostComponent_);
}

void TskMainMenu::Loaded() {
    TMainMenu::Loaded();
    AssignDrawHandlers();
    if (skinForm_) skinForm_->RebuildMenuBar();
}

TImageList& TskMainMenu::CheckMarks() {
    if (!checkMarksLoaded_) {
        LoadMenuCheckMark(checkMarks_);
        checkMarksLoaded_ = true;
    }
    return checkMarks_;
}

void TskMainMenu::UseSystemFontChanged() {
    if (skinForm_) skinForm_->UpdateMenuBarFont();
}

void TskMainMenu::MenuChanged(TMenuItem*) {
    if (!skinForm_ || !OwnerIsForm() || Destroying() || Owner()->Destroying()) return;
    skinForm_->RefreshMenuBar();
    if (Designing() && !Loading()) skinForm_->RebuildMenuBar();
}

void TskMainMenu::Notification(TComponent* component, TOperation operation) {
    TMainMenu::Notification(component, operation);
    LookNotification(component, operation);
    if (operation == TOperation::opRemove && component && component == hostComponent_) {
        skinForm_ = nullptr;
        hostComponent_ = nullptr;
    }
}
