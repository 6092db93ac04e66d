#include "skin/SkinThemes.h"

#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "skin/SkinPublic.h"

void GetThemeBitmap(TskUIStyle style, int element, TBitmap* bitmap) {
    if (!bitmap) return;
    const char* name = GetThemeImageName(style, element);
    if (!name) return;
    bitmap->LoadFromResourceName(name);
}

void GetThemeImage(TskUIStyle style, int element, TBitmap* target, int frameCount,
                   int frameNumber) {
    if (!target) return;
    if (frameCount == 0) {
        GetThemeBitmap(style, element, target);
        return;
    }
    TBitmap whole;
    GetThemeBitmap(style, element, &whole);
    ExtractFrame(whole, *target, frameCount, frameNumber);
}

TskUIStyle GetFormUIStyle(TComponent* owner) {
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (!form) return TskUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* control = form->Controls(i);
        if (IsSkinFormClass(control))
            return static_cast<TskUIStyle>(GetOrdProp(control, "UIStyle"));
    }
    return TskUIStyle::DeepBlue;
}

bool TskFileThemeMgr::LoadFromFile(const std::string& path) {
    if (!FileExists(path)) return false;
    // Built completely before it replaces the current reader: a file that
    // fails to load leaves the loaded theme as it was.
    auto fresh = std::make_unique<TskThemeFileReader>(path);
    reader_ = std::move(fresh);
    return true;
}

namespace {

const char* KeyOf(int element) {
    return element >= 1 && element <= ThemeElementCount ? ElementKeys[element] : nullptr;
}

} // namespace

void TskFileThemeMgr::GetBitmap(int element, TBitmap* bitmap) const {
    const char* key = KeyOf(element);
    if (!reader_ || !bitmap || !key) return;
    if (TStream* stream = reader_->GetImageStream(key)) bitmap->LoadFromStream(*stream);
}

void TskFileThemeMgr::GetImage(int element, TBitmap* target, int frameCount,
                               int frameNumber) const {
    if (!target) return;
    TBitmap whole;
    GetBitmap(element, &whole);
    ExtractFrame(whole, *target, frameCount, frameNumber);
}

bool TskFileThemeMgr::GetBool(int element) const {
    const char* key = KeyOf(element);
    return reader_ && key && reader_->GetBool(key);
}

TColor TskFileThemeMgr::GetColor(int element) const {
    const char* key = KeyOf(element);
    return reader_ && key ? reader_->GetInt(key) : 0;
}

int32_t TskFileThemeMgr::GetInt(int element) const {
    const char* key = KeyOf(element);
    return reader_ && key ? reader_->GetInt(key) : 0;
}
