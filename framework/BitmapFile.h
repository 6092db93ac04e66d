#pragma once
// The layout of a bitmap file image ("BM", a file header, an info or core
// header, colour masks or a palette, pixel rows). The bitmap loader and the
// readers that keep bitmaps inside their own files check pictures with the
// same rules, so whatever one accepts the other can load. Free of windows.h.

#include <cstddef>
#include <cstdint>
#include <string>

namespace BitmapFile {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr int MaxSide = 32767;
// 64 MB once unpacked to 32 bits per pixel: compressed or 1-bit pictures can
// ask for far more pixels than their bytes hold.
constexpr int64_t MaxPixels = 16 * 1024 * 1024;
// Headers, masks and palette take under 2 KB, and no picture within MaxPixels
// needs more than 4 bytes a pixel, run-length coded or not.
constexpr int64_t MaxImageSize = 2048 + MaxPixels * 4;

enum Compression : uint32_t { bcRGB = 0, bcRLE8 = 1, bcRLE4 = 2, bcBitFields = 3 };

// Where the parts of an accepted image lie, as offsets from its first byte.
struct Layout {
    uint32_t HeaderSize = 0; // 12 for a core header, else 40, 52, 56, 108 or 124
    int Width = 0;
    int Height = 0; // always positive
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = bcRGB;
    size_t MasksOffset = 0;   // three 32-bit colour masks (bcBitFields only)
    size_t PaletteOffset = 0; // pictures of 8 bits per pixel or fewer
    int PaletteCount = 0;
    int PaletteEntrySize = 4; // 3 in core-header images
    size_t PixelOffset = 0;
    size_t PixelBytes = 0; // the rows, or for run-length data everything up to the end
};

// Empty when data holds a bitmap file image whose headers, masks, palette and
// pixels all lie inside size bytes; otherwise what is wrong with it. The size
// field of the file header is not used: many writers leave it 0 or wrong.
std::string Parse(const uint8_t* data, size_t size, Layout& layout);

} // namespace BitmapFile
