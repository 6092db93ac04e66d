#include "skin/SkinThemeFile.h"

#include "framework/BitmapFile.h"
#include "framework/Strings.h"

#include <algorithm>
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

} // namespace

std::vector<EntryRecord> ParseImage(const uint8_t* data, size_t size) {
    const int64_t fileSize = static_cast<int64_t>(size);
    if (fileSize < HeaderSize)
        Fail("the file is " + Num(fileSize) + " bytes, shorter than the " + Num(HeaderSize) +
             "-byte header");
    if (fileSize > MaxFileSize) Fail("the file is larger than " + Num(MaxFileSize) + " bytes");
    if (!HasMagic(data, size)) Fail("it does not begin with the magic text \"Quvelto_TB\"");
    const int32_t headerSize = ReadInt32(data + 12);
    if (headerSize != HeaderSize) Fail("the header size is " + Num(headerSize) + ", not 24");

    // Offsets are checked in 64 bits so that no sum can wrap.
    auto recordFits = [&](int64_t offset) { return offset >= 0 && offset + EntrySize <= fileSize; };
    const int32_t first = ReadInt32(data + 20);
    if (!recordFits(first))
        Fail("the first entry record at offset " + Num(first) + " lies outside 0.." +
             Num(fileSize));
    // Records laid over one another could otherwise make a small file hold
    // millions of entries.
    const int64_t maxRecords = fileSize / EntrySize;

    std::vector<EntryRecord> entries;
    std::unordered_set<int32_t> visited;
    int64_t textBytes = 0;
    int32_t offset = first;
    for (;;) {
        if (!visited.insert(offset).second)
            Fail("the chain of entries comes back to the record at offset " + Num(offset));
        if (static_cast<int64_t>(visited.size()) > maxRecords)
            Fail("the chain holds more than the " + Num(maxRecords) +
                 " records that fit side by side in the file");
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
            if (e.DataSize < 0)
                Fail(Describe(e) + ": the data size " + Num(e.DataSize) + " is negative");
            // Nothing is read for empty data, so its offset does not matter.
            const int64_t end = static_cast<int64_t>(e.DataOffset) + e.DataSize;
            if (e.DataSize > 0 && (e.DataOffset < 0 || end > fileSize))
                Fail(Describe(e) + ": its data at " + Num(e.DataOffset) + ".." + Num(end) +
                     " lie outside 0.." + Num(fileSize));
            if (e.Kind == ekInteger && e.DataSize != 4)
                Fail(Describe(e) + ": an integer takes 4 bytes, not " + Num(e.DataSize));
            if (e.Kind == ekBoolean && e.DataSize != 1)
                Fail(Describe(e) + ": a Boolean takes 1 byte, not " + Num(e.DataSize));
            if (e.Kind == ekPicture) {
                BitmapFile::Layout layout;
                const std::string why =
                    BitmapFile::Parse(data + e.DataOffset, static_cast<size_t>(e.DataSize), layout);
                if (!why.empty()) Fail(Describe(e) + ": the picture " + why);
            }
            // Pictures share the file's bytes, but texts are copied into their lines.
            if (e.Kind == ekText) {
                textBytes += e.DataSize;
                if (textBytes > MaxFileSize)
                    Fail(Describe(e) + ": the texts add up to more than " + Num(MaxFileSize) +
                         " bytes");
            }
        }
        if (!recordFits(e.NextOffset))
            Fail(Describe(e) + ": the next record at offset " + Num(e.NextOffset) +
                 " lies outside 0.." + Num(fileSize));
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

TskPictureStream::TskPictureStream(std::shared_ptr<const std::vector<uint8_t>> image, size_t offset,
                                   size_t size)
    : image_(std::move(image)), offset_(offset), size_(size) {}

size_t TskPictureStream::Read(void* buffer, size_t count) {
    if (position_ >= size_) return 0;
    const size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, Memory() + position_, n);
    position_ += n;
    return n;
}

size_t TskPictureStream::Write(const void*, size_t) {
    return 0;
}

int64_t TskPictureStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = static_cast<int64_t>(position_);
    if (origin == TSeekOrigin::soEnd) base = static_cast<int64_t>(size_);
    const int64_t target = base + offset;
    position_ = target < 0 ? 0 : static_cast<size_t>(target);
    return static_cast<int64_t>(position_);
}

TskThemeFileReader::TskThemeFileReader(const std::string& path) {
    TFileStream file(path);
    const int64_t size = file.Size();
    if (size > SkinFile::MaxFileSize)
        throw ESkinFileError("Invalid skin file \"" + path + "\": it is larger than " +
                             IntToStr(SkinFile::MaxFileSize) + " bytes");
    auto bytes = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(size));
    file.ReadBuffer(bytes->data(), bytes->size());
    Load(std::move(bytes), path);
}

TskThemeFileReader::TskThemeFileReader(const uint8_t* data, size_t size,
                                       const std::string& sourceName) {
    Load(std::make_shared<const std::vector<uint8_t>>(data, data + size), sourceName);
}

void TskThemeFileReader::Load(std::shared_ptr<const std::vector<uint8_t>> image,
                              const std::string& sourceName) {
    std::vector<SkinFile::EntryRecord> entries;
    try {
        entries = SkinFile::ParseImage(image->data(), image->size());
    } catch (const ESkinFileError& e) {
        const std::string where = sourceName.empty() ? std::string("Invalid skin file")
                                                     : "Invalid skin file \"" + sourceName + "\"";
        throw ESkinFileError(where + ": " + e.Message());
    }
    // Everything below is checked already; only memory can fail from here on,
    // and then the half-built reader is never handed out.
    for (const SkinFile::EntryRecord& e : entries) {
        const uint8_t* bytes = image->data() + (e.DataSize > 0 ? e.DataOffset : 0);
        switch (e.Kind) {
        case SkinFile::ekPicture:
            imageStreams_.AddObject(
                e.Name, std::make_unique<TskPictureStream>(image, static_cast<size_t>(e.DataOffset),
                                                           static_cast<size_t>(e.DataSize)));
            break;
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

namespace {

// The value of the first "name=value" line with that name. Values are
// decimal numbers, so the name is everything before the last "=".
bool FindValue(const TStringList& list, const std::string& name, std::string& value) {
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list.Strings(i);
        const size_t equals = line.rfind('=');
        if (equals != std::string::npos && SameText(line.substr(0, equals), name)) {
            value = line.substr(equals + 1);
            return true;
        }
    }
    return false;
}

} // namespace

TskPictureStream* TskThemeFileReader::GetImageStream(const std::string& name) const {
    const int index = imageStreams_.IndexOf(name);
    if (index < 0) return nullptr;
    auto* stream = dynamic_cast<TskPictureStream*>(imageStreams_.Objects(index));
    if (stream) stream->SetPosition(0);
    return stream;
}

bool TskThemeFileReader::GetBool(const std::string& name) const {
    std::string text;
    int32_t value = 0;
    if (!FindValue(booleans_, name, text) || !TryStrToInt(text, value)) return false;
    return (value & 0xFF) != 0;
}

int32_t TskThemeFileReader::GetInt(const std::string& name) const {
    std::string text;
    int32_t value = 0;
    if (!FindValue(integers_, name, text) || !TryStrToInt(text, value)) return -1;
    return value;
}
