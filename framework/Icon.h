#pragma once
// An owned icon handle.

#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/Streams.h"

#include <string>

class TIcon : public TPersistent {
    DECLARE_PUBLISHED(TIcon, TPersistent)
  public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    bool Empty() const { return !icon_; }
    HICON Handle() const { return icon_.Get(); }
    // Takes ownership of icon.
    void SetHandle(HICON icon);
    HICON ReleaseHandle() { return icon_.Release(); }
    void Clear() { SetHandle(nullptr); }
    // Copies the image into a handle of this icon's own.
    void Assign(const TIcon& source);
    int Width() const;
    int Height() const;

    // The image of the given size (0: the system's small icon size) from a named
    // icon group resource. Raises EResNotFound "Resource %s not found".
    void LoadFromResourceName(const std::string& name, int size = 0);
    // An icon file image; the entry closest to the small icon size is taken.
    // Raises EInvalidGraphic "Icon image is not valid".
    void LoadFromStream(TStream& stream);

    std::function<void()> OnChange;

  private:
    IconHandle icon_;
};
