#include "skin/SkinThemeLink.h"

#include "framework/Bitmap.h"
#include "skin/SkinThemes.h"

TskThemeSource::TskThemeSource(const TskFileTheme* fileTheme, TskUIStyle style)
    : fileTheme_(fileTheme), effective_(style),
      usesFile_(UsesFileTheme(fileTheme, style, effective_)) {}

void TskThemeSource::GetImage(int element, TBitmap& target, int frameCount, int frameNumber) const {
    if (usesFile_)
        fileTheme_->GetImage(element, &target, frameCount, frameNumber);
    else
        GetThemeImage(effective_, element, &target, frameCount, frameNumber);
}

void TskThemeSource::GetBitmap(int element, TBitmap& target) const {
    if (usesFile_)
        fileTheme_->GetBitmap(element, &target);
    else
        GetThemeBitmap(effective_, element, &target);
}

bool TskThemeSource::GetBool(int element) const {
    return usesFile_ ? fileTheme_->GetBool(element) : GetThemeBool(effective_, element);
}

TColor TskThemeSource::GetColor(int element) const {
    return usesFile_ ? fileTheme_->GetColor(element) : GetThemeColor(effective_, element);
}

int32_t TskThemeSource::GetInt(int element) const {
    return usesFile_ ? fileTheme_->GetInt(element) : GetThemeInt(effective_, element);
}

TskThemeLink::TskThemeLink(TComponent& control, std::function<void()> apply)
    : control_(control), apply_(std::move(apply)) {}

void TskThemeLink::SetStyle(TskUIStyle style) {
    style_ = style;
    if (apply_) apply_();
}

void TskThemeLink::SetFileTheme(TskFileTheme* theme) {
    ReferToFileTheme(&control_, fileTheme_, theme);
    SetStyle(style_);
}

bool TskThemeLink::Removed(TComponent* component, TOperation operation,
                           const std::function<void()>& beforeRestyle) {
    if (operation != TOperation::opRemove || !fileTheme_ || component != fileTheme_) return false;
    // Never left pointing at a theme that is gone.
    fileTheme_ = nullptr;
    if (control_.Destroying()) return true;
    if (beforeRestyle) beforeRestyle();
    SetStyle(TskUIStyle::DeepBlue);
    return true;
}
