#pragma once
// The number of GDI objects the process holds. Windows answers through
// GetGuiResources; Wine's is a stub that says 0, but Wine keeps the process's
// GDI handle table where the PEB's GdiSharedHandleTable points: 0x10000
// entries of 24 bytes (object pointer, owner, unique, type, flags, user
// pointer), an entry live while its type byte is set. Bitmaps, fonts, brushes
// and the bitmaps inside icons all count.

#include <windows.h>

#include <cstdint>

// GCC takes the segment-relative read of the PEB's address for an access
// through a null pointer once it is inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
inline const uint8_t* ProcessEnvironmentBlock() {
#ifdef _WIN64
    return reinterpret_cast<const uint8_t*>(__readgsqword(0x60));
#else
    return reinterpret_cast<const uint8_t*>(__readfsdword(0x30));
#endif
}
#pragma GCC diagnostic pop

// Where Wine keeps a process's GDI handle table, and how its entries read.
namespace gdi_table {
#ifdef _WIN64
constexpr size_t kPebField = 0xF8;
#else
constexpr size_t kPebField = 0x94;
#endif
constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
constexpr size_t kBytes = kEntries * kEntrySize;

inline int CountLive(const uint8_t* table) {
    int live = 0;
    for (size_t i = 0; i < kEntries; ++i)
        if (table[i * kEntrySize + kTypeOffset] != 0) ++live;
    return live;
}
} // namespace gdi_table

inline int LiveGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<int>(reported + GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    const uint8_t* peb = ProcessEnvironmentBlock();
    const auto* table = *reinterpret_cast<const uint8_t* const*>(peb + gdi_table::kPebField);
    if (!table) return -1;
    return gdi_table::CountLive(table);
}
