#include "skin/SkinPopupMenu.h"

const ClassInfo& TskPopupMenu::StaticClassInfo() {
    static const ClassInfo info = PublishMenuLook(ClassBuilder<TskPopupMenu>()).Build();
    return info;
}

TskPopupMenu::TskPopupMenu(TComponent* owner)
    : TPopupMenu(owner), TskMenuLook(static_cast<TMenu&>(*this)) {
    TPopupMenu::SetOwnerDraw(true);
}

TskPopupMenu::~TskPopupMenu() {
    BeginDestroy();
}

void TskPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    AssignDrawHandlers();
}

TImageList& TskPopupMenu::CheckMarks() {
    // One list for every skinned popup menu; the picture never changes.
    static TImageList shared(16, 16);
    static const bool loaded = (LoadMenuCheckMark(shared), true);
    (void)loaded;
    return shared;
}

void TskPopupMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    LookNotification(component, operation);
}
