#include "framework/BitmapFile.h"

#include "framework/Strings.h"

namespace BitmapFile {

namespace {

uint16_t ReadUInt16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ReadUInt32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string Num(long long value) {
    return IntToStr(value);
}

bool KnownHeaderSize(uint32_t size) {
    return size == CoreHeaderSize || size == InfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

// GDI refuses empty colour masks, and the format wants each mask's bits side
// by side and apart from the other masks'.
bool UsableMasks(const uint8_t* masks) {
    uint32_t seen = 0;
    for (int i = 0; i < 3; ++i) {
        const uint32_t mask = ReadUInt32(masks + 4 * i);
        const uint32_t lowest = mask & (~mask + 1);
        if (mask == 0 || ((mask + lowest) & mask) != 0 || (mask & seen) != 0) return false;
        seen |= mask;
    }
    return true;
}

bool KnownBitCount(unsigned bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::string Parse(const uint8_t* data, size_t size, Layout& out) {
    if (size < FileHeaderSize + CoreHeaderSize)
        return "is " + Num(static_cast<long long>(size)) + " bytes, too short for a bitmap";
    if (data[0] != 'B' || data[1] != 'M') return "does not begin with \"BM\"";
    const uint32_t pixelOffset = ReadUInt32(data + 10);
    const uint32_t headerSize = ReadUInt32(data + 14);
    if (!KnownHeaderSize(headerSize)) return "has an unknown bitmap header size " + Num(headerSize);
    if (FileHeaderSize + headerSize > size) return "is cut off inside its bitmap header";

    const uint8_t* info = data + FileHeaderSize;
    Layout layout;
    layout.HeaderSize = headerSize;
    int64_t width, height;
    unsigned planes, bitCount;
    uint32_t colorsUsed = 0;
    if (headerSize == CoreHeaderSize) {
        width = ReadUInt16(info + 4);
        height = ReadUInt16(info + 6);
        planes = ReadUInt16(info + 8);
        bitCount = ReadUInt16(info + 10);
        layout.PaletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(ReadUInt32(info + 4));
        height = static_cast<int32_t>(ReadUInt32(info + 8));
        planes = ReadUInt16(info + 12);
        bitCount = ReadUInt16(info + 14);
        layout.Compression = ReadUInt32(info + 16);
        colorsUsed = ReadUInt32(info + 32);
    }
    layout.TopDown = height < 0;
    if (layout.TopDown) height = -height;
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
        return "has an impossible picture size " + Num(width) + " x " + Num(height);
    if (width * height > MaxPixels)
        return "has " + Num(width * height) + " pixels, more than " + Num(MaxPixels);
    if (planes != 1) return "has " + Num(planes) + " colour planes, not 1";
    if (!KnownBitCount(bitCount)) return "has " + Num(bitCount) + " bits per pixel";

    const uint32_t compression = layout.Compression;
    const bool rle =
        (compression == bcRLE8 && bitCount == 8) || (compression == bcRLE4 && bitCount == 4);
    const bool bitFields = compression == bcBitFields && (bitCount == 16 || bitCount == 32);
    if (compression != bcRGB && !rle && !bitFields)
        return "has compression " + Num(compression) + " with " + Num(bitCount) + " bits per pixel";
    if (rle && layout.TopDown) return "is compressed and top-down, which bitmaps cannot be";

    uint64_t tables = FileHeaderSize + headerSize;
    if (bitFields) {
        // Info headers of 40 bytes are followed by the masks; larger ones hold them.
        layout.MasksOffset = headerSize == InfoHeaderSize ? tables : FileHeaderSize + 40;
        if (headerSize == InfoHeaderSize) tables += 12;
        if (tables > size) return "is cut off inside its colour masks";
        if (!UsableMasks(data + layout.MasksOffset))
            return "has colour masks that are empty, broken up or overlapping";
    }
    if (bitCount <= 8) {
        const uint32_t maxColors = 1u << bitCount;
        if (colorsUsed > maxColors)
            return "lists " + Num(colorsUsed) + " colours for " + Num(bitCount) + " bits per pixel";
        layout.PaletteOffset = static_cast<size_t>(tables);
        layout.PaletteCount = static_cast<int>(colorsUsed ? colorsUsed : maxColors);
        tables += static_cast<uint64_t>(layout.PaletteCount) * layout.PaletteEntrySize;
    }
    if (pixelOffset < tables || pixelOffset > size)
        return "has its pixels at offset " + Num(pixelOffset) + ", outside " + Num(tables) + ".." +
               Num(static_cast<long long>(size));
    const uint64_t available = size - pixelOffset;
    uint64_t needed = available;
    if (rle && available < 2) return "has no run-length data, not even its end mark";
    if (!rle) {
        const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
        needed = stride * static_cast<uint64_t>(height);
        if (needed > available)
            return "needs " + Num(static_cast<long long>(needed)) + " bytes of pixels but holds " +
                   Num(static_cast<long long>(available));
    }
    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(height);
    layout.BitCount = static_cast<int>(bitCount);
    layout.PixelOffset = pixelOffset;
    layout.PixelBytes = static_cast<size_t>(needed);
    out = layout;
    return {};
}

} // namespace BitmapFile
