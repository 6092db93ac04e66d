#include "framework/Icon.h"

#include "framework/Exceptions.h"

#include <cstdlib>
#include <vector>

const ClassInfo& TIcon::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TIcon>().Build();
    return info;
}

void TIcon::SetHandle(HICON icon) {
    icon_.Reset(icon);
    if (OnChange) OnChange();
}

void TIcon::Assign(const TIcon& source) {
    SetHandle(source.Empty() ? nullptr : CopyIcon(source.Handle()));
}

namespace {
// The icon's size: the mask holds both halves when there is no colour bitmap.
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
    GdiObject mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    return SIZE{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}
} // namespace

int TIcon::Width() const {
    return IconSize(icon_.Get()).cx;
}

int TIcon::Height() const {
    return IconSize(icon_.Get()).cy;
}

void TIcon::LoadFromResourceName(const std::string& name, int size) {
    if (size == 0) size = GetSystemMetrics(SM_CXSMICON);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, size, size, 0));
    if (!icon) throw EResNotFound(Format("Resource %s not found", name));
    SetHandle(icon);
}

void TIcon::LoadFromStream(TStream& stream) {
    struct IconDir {
        WORD reserved, type, count;
    };
#pragma pack(push, 1)
    struct IconDirEntry {
        BYTE width, height, colors, reserved;
        WORD planes, bitCount;
        DWORD bytes, offset;
    };
#pragma pack(pop)
    const int64_t start = stream.Position();
    IconDir dir{};
    stream.ReadBuffer(&dir, 6);
    if (dir.reserved != 0 || dir.type != 1 || dir.count == 0)
        throw EInvalidGraphic("Icon image is not valid");
    std::vector<IconDirEntry> entries(dir.count);
    stream.ReadBuffer(entries.data(), entries.size() * sizeof(IconDirEntry));
    const int wanted = GetSystemMetrics(SM_CXSMICON);
    const IconDirEntry* best = &entries[0];
    for (const auto& e : entries) {
        const int w = e.width ? e.width : 256, bw = best->width ? best->width : 256;
        if (std::abs(w - wanted) < std::abs(bw - wanted) ||
            (w == bw && e.bitCount > best->bitCount))
            best = &e;
    }
    if (int64_t(best->offset) + best->bytes > stream.Size() - start || best->bytes < 40)
        throw EInvalidGraphic("Icon image is not valid");
    std::vector<BYTE> image(best->bytes);
    stream.SetPosition(start + best->offset);
    stream.ReadBuffer(image.data(), image.size());
    const int size = best->width ? best->width : 256;
    HICON icon =
        CreateIconFromResourceEx(image.data(), best->bytes, TRUE, 0x00030000, size, size, 0);
    if (!icon) throw EInvalidGraphic("Icon image is not valid");
    SetHandle(icon);
}
