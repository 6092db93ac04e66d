#include "skin/SkinThemeFile.h"

#include "framework/Strings.h"

#include <cstring>
#include <memory>
#include <unordered_set>

namespace SkinFile {

int32_t ReadInt32(const uint8_t* p) {
    const uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                       (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(v);
}

void WriteInt32(uint8_t* p, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

bool HasMagic(const uint8_t* data, size_t size) {
    if (size < static_cast<size_t>(MagicSize)) return false;
    size_t length = 0;
    while (length < static_cast<size_t>(MagicSize) && data[length] != 0)
        ++length;
    return length == sizeof(Magic) - 1 && std::memcmp(data, Magic, length) == 0;
}

namespace {

uint16_t ReadUInt16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t ReadUInt32(const uint8_t* p) {
    return static_cast<uint32_t>(ReadInt32(p));
}

std::string Num(long long value) {
    return IntToStr(value);
}

[[noreturn]] void Fail(const std::string& reason) {
    throw ESkinFileError(reason);
}

std::string KindName(uint8_t kind) {
    switch (kind) {
    case ekPicture:
        return "picture";
    case ekInteger:
        return "integer";
    case ekBoolean:
        return "Boolean";
    case ekText:
        return "text";
    default:
        return "kind " + Num(kind);
    }
}

std::string Describe(const EntryRecord& e) {
    return KindName(e.Kind) + " entry \"" + e.Name + "\" (record at offset " + Num(e.RecordOffset) +
           ")";
}

// The parsed headers of a bitmap file image, or the reason it is not one.
struct BitmapHeader {
    int64_t Width = 0, Height = 0;
    int BitCount = 0;
};

std::string ParseBitmap(const uint8_t* data, size_t size, BitmapHeader& out) {
    constexpr size_t FileHeader = 14;
    if (size < FileHeader + 12)
        return "is " + Num(static_cast<long long>(size)) + " bytes, too short for a bitmap";
    if (data[0] != 'B' || data[1] != 'M') return "does not begin with \"BM\"";
    const uint32_t fileSize = ReadUInt32(data + 2);
    if (fileSize != size)
        return "says it is " + Num(fileSize) + " bytes long but holds " +
               Num(static_cast<long long>(size));
    const uint32_t pixelOffset = ReadUInt32(data + 10);
    const uint32_t infoSize = ReadUInt32(data + 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124)
        return "has an unknown bitmap header size " + Num(infoSize);
    if (FileHeader + infoSize > size) return "is cut off inside its bitmap header";

    const uint8_t* info = data + FileHeader;
    int64_t width, height;
    unsigned planes, bitCount;
    uint32_t compression = 0, colorsUsed = 0;
    size_t paletteEntry = 4;
    if (infoSize == 12) {
        width = ReadUInt16(info + 4);
        height = ReadUInt16(info + 6);
        planes = ReadUInt16(info + 8);
        bitCount = ReadUInt16(info + 10);
        paletteEntry = 3;
    } else {
        width = ReadInt32(info + 4);
        height = ReadInt32(info + 8);
        planes = ReadUInt16(info + 12);
        bitCount = ReadUInt16(info + 14);
        compression = ReadUInt32(info + 16);
        colorsUsed = ReadUInt32(info + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return "has an impossible picture size " + Num(width) + " x " + Num(height);
    if (planes != 1) return "has " + Num(planes) + " colour planes, not 1";
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return "has " + Num(bitCount) + " bits per pixel";

    const bool rle = (compression == 1 && bitCount == 8) || (compression == 2 && bitCount == 4);
    const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
    if (compression != 0 && !rle && !bitFields)
        return "has compression " + Num(compression) + " with " + Num(bitCount) + " bits per pixel";
    if (rle && topDown) return "is compressed and top-down, which bitmaps cannot be";

    uint64_t tables = FileHeader + infoSize;
    if (bitFields && infoSize == 40) tables += 12; // the three colour masks follow the header
    if (bitCount <= 8) {
        const uint64_t maxColors = 1u << bitCount;
        if (colorsUsed > maxColors)
            return "lists " + Num(colorsUsed) + " colours for " + Num(bitCount) + " bits per pixel";
        tables += (colorsUsed ? colorsUsed : maxColors) * paletteEntry;
    }
    if (pixelOffset < tables || pixelOffset > size)
        return "has its pixels at offset " + Num(pixelOffset) + ", outside " + Num(tables) + ".." +
               Num(static_cast<long long>(size));
    if (!rle) {
        const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
        const uint64_t needed = stride * static_cast<uint64_t>(height);
        if (needed > size - pixelOffset)
            return "needs " + Num(static_cast<long long>(needed)) + " bytes of pixels but holds " +
                   Num(static_cast<long long>(size - pixelOffset));
    }
    out.Width = width;
    out.Height = height;
    out.BitCount = static_cast<int>(bitCount);
    return {};
}

} // namespace

std::string CheckBitmapImage(const uint8_t* data, size_t size) {
    BitmapHeader header;
    return ParseBitmap(data, size, header);
}

bool ReadBitmapInfo(const uint8_t* data, size_t size, BitmapInfo& info) {
    BitmapHeader header;
    if (!ParseBitmap(data, size, header).empty()) return false;
    info.Width = static_cast<int>(header.Width);
    info.Height = static_cast<int>(header.Height);
    info.BitCount = header.BitCount;
    return true;
}

std::vector<EntryRecord> ParseImage(const uint8_t* data, size_t size) {
    const int64_t fileSize = static_cast<int64_t>(size);
    if (fileSize < HeaderSize)
        Fail("the file is " + Num(fileSize) + " bytes, shorter than the " + Num(HeaderSize) +
             "-byte header");
    if (fileSize > MaxFileSize) Fail("the file is larger than " + Num(MaxFileSize) + " bytes");
    if (!HasMagic(data, size)) Fail("it does not begin with the magic text \"Quvelto_TB\"");
    const int32_t headerSize = ReadInt32(data + 12);
    if (headerSize != HeaderSize) Fail("the header size is " + Num(headerSize) + ", not 24");

    // Records and data live after the header and inside the file; offsets
    // are checked in 64 bits so that no sum can wrap.
    auto recordFits = [&](int64_t offset) {
        return offset >= HeaderSize && offset + EntrySize <= fileSize;
    };
    const int32_t first = ReadInt32(data + 20);
    if (!recordFits(first))
        Fail("the first entry record at offset " + Num(first) + " lies outside " + Num(HeaderSize) +
             ".." + Num(fileSize));

    std::vector<EntryRecord> entries;
    std::unordered_set<int32_t> visited;
    int64_t copiedBytes = 0;
    int32_t offset = first;
    for (;;) {
        if (!visited.insert(offset).second)
            Fail("the chain of entries comes back to the record at offset " + Num(offset));
        const uint8_t* r = data + offset;
        EntryRecord e;
        e.RecordOffset = offset;
        size_t nameLength = 0;
        while (nameLength < static_cast<size_t>(NameSize) && r[nameLength] != 0)
            ++nameLength;
        e.Name.assign(reinterpret_cast<const char*>(r), nameLength);
        e.Kind = r[64];
        e.DataOffset = ReadInt32(r + 65);
        e.DataSize = ReadInt32(r + 69);
        e.NextOffset = ReadInt32(r + 73);
        if (e.NextOffset == 0) break; // the closing record: nothing in it counts

        if (e.Kind <= ekText) {
            if (e.Name.find('=') != std::string::npos)
                Fail(Describe(e) + ": the name contains \"=\"");
            if (e.DataSize < 0)
                Fail(Describe(e) + ": the data size " + Num(e.DataSize) + " is negative");
            const int64_t end = static_cast<int64_t>(e.DataOffset) + e.DataSize;
            if (e.DataOffset < HeaderSize || end > fileSize)
                Fail(Describe(e) + ": its data at " + Num(e.DataOffset) + ".." + Num(end) +
                     " lie outside " + Num(HeaderSize) + ".." + Num(fileSize));
            if (e.Kind == ekInteger && e.DataSize != 4)
                Fail(Describe(e) + ": an integer takes 4 bytes, not " + Num(e.DataSize));
            if (e.Kind == ekBoolean && e.DataSize != 1)
                Fail(Describe(e) + ": a Boolean takes 1 byte, not " + Num(e.DataSize));
            if (e.Kind == ekPicture) {
                const std::string why =
                    CheckBitmapImage(data + e.DataOffset, static_cast<size_t>(e.DataSize));
                if (!why.empty()) Fail(Describe(e) + ": the picture " + why);
            }
            // Pictures and texts are copied out; entries sharing their data
            // could otherwise make a small file cost a great deal of memory.
            if (e.Kind == ekPicture || e.Kind == ekText) {
                copiedBytes += e.DataSize;
                if (copiedBytes > fileSize)
                    Fail(Describe(e) +
                         ": the pictures and texts add up to more bytes than the file holds");
            }
        }
        if (!recordFits(e.NextOffset))
            Fail(Describe(e) + ": the next record at offset " + Num(e.NextOffset) +
                 " lies outside " + Num(HeaderSize) + ".." + Num(fileSize));
        offset = e.NextOffset;
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace SkinFile

bool IsValidSkinFile(const std::string& path) {
    if (!FileExists(path)) return false;
    try {
        TFileStream file(path);
        uint8_t head[16];
        file.ReadBuffer(head, sizeof head);
        return SkinFile::HasMagic(head, sizeof head);
    } catch (const Exception&) {
        return false;
    }
}

TskThemeFileReader::TskThemeFileReader(const std::string& path) {
    TFileStream file(path);
    const int64_t size = file.Size();
    if (size > SkinFile::MaxFileSize)
        throw ESkinFileError("Invalid skin file \"" + path + "\": it is larger than " +
                             IntToStr(SkinFile::MaxFileSize) + " bytes");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.ReadBuffer(bytes.data(), bytes.size());
    Load(bytes.data(), bytes.size(), path);
}

TskThemeFileReader::TskThemeFileReader(const uint8_t* data, size_t size,
                                       const std::string& sourceName) {
    Load(data, size, sourceName);
}

void TskThemeFileReader::Load(const uint8_t* data, size_t size, const std::string& sourceName) {
    std::vector<SkinFile::EntryRecord> entries;
    try {
        entries = SkinFile::ParseImage(data, size);
    } catch (const ESkinFileError& e) {
        const std::string where = sourceName.empty() ? std::string("Invalid skin file")
                                                     : "Invalid skin file \"" + sourceName + "\"";
        throw ESkinFileError(where + ": " + e.Message());
    }
    // Everything below is checked already; only memory can fail from here on,
    // and then the half-built reader is never handed out.
    for (const SkinFile::EntryRecord& e : entries) {
        const uint8_t* bytes = data + e.DataOffset;
        switch (e.Kind) {
        case SkinFile::ekPicture: {
            auto stream =
                std::make_unique<TMemoryStream>(std::vector<uint8_t>(bytes, bytes + e.DataSize));
            imageStreams_.AddObject(e.Name, std::move(stream));
            break;
        }
        case SkinFile::ekInteger:
            integers_.Add(e.Name + "=" + IntToStr(SkinFile::ReadInt32(bytes)));
            break;
        case SkinFile::ekBoolean:
            booleans_.Add(e.Name + "=" + IntToStr(bytes[0]));
            break;
        case SkinFile::ekText:
            strings_.Add(e.Name + "=" +
                         std::string(reinterpret_cast<const char*>(bytes), e.DataSize));
            break;
        default:
            break; // kinds this system does not know are skipped
        }
    }
}

TMemoryStream* TskThemeFileReader::GetImageStream(const std::string& name) const {
    const int index = imageStreams_.IndexOf(name);
    if (index < 0) return nullptr;
    auto* stream = dynamic_cast<TMemoryStream*>(imageStreams_.Objects(index));
    if (stream) stream->SetPosition(0);
    return stream;
}

bool TskThemeFileReader::GetBool(const std::string& name) const {
    const int index = booleans_.IndexOfName(name);
    int32_t value = 0;
    if (index < 0 || !TryStrToInt(booleans_.ValueFromIndex(index), value)) return false;
    return (value & 0xFF) != 0;
}

int32_t TskThemeFileReader::GetInt(const std::string& name) const {
    const int index = integers_.IndexOfName(name);
    int32_t value = 0;
    if (index < 0 || !TryStrToInt(integers_.ValueFromIndex(index), value)) return -1;
    return value;
}
