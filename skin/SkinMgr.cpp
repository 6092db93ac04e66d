#include "skin/SkinMgr.h"

#include "framework/Forms.h"
#include "framework/Streams.h"
#include "skin/SkinForm.h"
#include "skin/SkinMainMenu.h"
#include "skin/SkinPopupMenu.h"
#include "skin/SkinPublic.h"
#include "skin/SkinRadioGroup.h"
#include "skin/SkinTitleBar.h"

namespace {

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

// The value as given, else its file name in the program's, the Windows and
// the system folder; empty when none exists.
std::string LocateSkinFile(const std::string& value) {
    if (FileExists(value)) return value;
    const std::string name = FileNamePart(value);
    char buffer[MAX_PATH];
    std::vector<std::string> folders;
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        const std::string program(buffer, n);
        folders.push_back(program.substr(0, program.find_last_of("\\/") + 1));
    }
    if (UINT len = GetWindowsDirectoryA(buffer, MAX_PATH); len > 0 && len < MAX_PATH)
        folders.push_back(WithBackslash(std::string(buffer, len)));
    if (UINT len = GetSystemDirectoryA(buffer, MAX_PATH); len > 0 && len < MAX_PATH)
        folders.push_back(WithBackslash(std::string(buffer, len)));
    for (const std::string& folder : folders)
        if (FileExists(folder + name)) return folder + name;
    return {};
}

} // namespace

const ClassInfo& TskFileTheme::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskFileTheme>()
            .Str("ThemeFile", &TskFileTheme::ThemeFile, &TskFileTheme::SetThemeFile)
            .Build();
    return info;
}

TskFileTheme::TskFileTheme(TComponent* owner) : TComponent(owner) {}

void TskFileTheme::SetThemeFile(const std::string& value) {
    const bool first = themeFile_.empty();
    if (value == themeFile_) return;
    const std::string located = LocateSkinFile(value);
    if (located.empty()) return;
    if (!IsValidSkinFile(located)) throw Exception("Invalid skin file for Quvelto!");
    // Loads completely or raises before anything here changes.
    const bool loaded = mgr_.LoadFromFile(located);
    themeFile_ = located;
    isLoaded_ = loaded;
    if (!isLoaded_) return;

    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form) return;
    bool formAffected = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        const TPropertyInfo* fileTheme = c->ClassType().FindProperty("FileTheme");
        const bool refersHere = fileTheme && fileTheme->Kind == TPropKind::Component &&
                                fileTheme->GetRef && fileTheme->GetRef(c) == this;
        if (IsSkinFormClass(c) && refersHere) formAffected = true;
        // Assigning the same theme again makes the control re-apply its look.
        if (c->ClassName().compare(0, 3, "Tsk") == 0 && refersHere)
            SetComponentProp(c, "FileTheme", this);
    }
    if (formAffected && !first && form->HandleAllocated())
        SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool UsesFileTheme(const TskFileTheme* fileTheme, TskUIStyle style, TskUIStyle& effective) {
    effective = style;
    if (style != TskUIStyle::FromThemeFile) return false;
    if (fileTheme && fileTheme->IsLoaded()) return true;
    effective = TskUIStyle::DeepBlue;
    return false;
}

void ReferToFileTheme(TComponent* control, TskFileTheme*& field, TskFileTheme* theme) {
    if (field && field != theme) field->RemoveFreeNotification(control);
    field = theme;
    if (theme) control->FreeNotification(theme);
}

void RegisterSkinClasses() {
    RegisterClasses<TskFileTheme, TskButton, TskCheckBox, TskRadioButton, TskCheckGroup,
                    TskRadioGroup, TskPopupMenu, TskMainMenu, TskTitleBar, TskForm>();
}
