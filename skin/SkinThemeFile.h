#pragma once
// Skin files: a binary container of theme elements under their key names.
//
// Layout (little-endian, offsets from the start of the file):
//   header, 24 bytes: magic "Quvelto_TB" zero-filled to 12 bytes, header size
//   (int32, always 24), 4 unused bytes, offset of the first entry record (int32);
//   entry record, 77 bytes packed: name (64 bytes, up to the first zero byte),
//   kind (1 byte: 0 picture, 1 integer, 2 Boolean, 3 text), data offset,
//   data size, next record offset (int32 each). Records form a chain from the
//   header's first-entry offset; the record whose next offset is 0 only closes
//   the chain and carries no element.
//
// The byte-level parse is separate from the reader and free of windows.h, so
// the same code runs in the program, the skin-file tool and the fuzzer.

#include "framework/Exceptions.h"
#include "framework/StringList.h"
#include "framework/Streams.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A skin file the reader refuses: bad header, a record or data outside the
// file, a chain that loops, a value of the wrong size, a picture that is not
// a bitmap file image. A stream read error as far as callers are concerned.
class ESkinFileError : public EReadError {
    using EReadError::EReadError;
};

namespace SkinFile {

constexpr char Magic[] = "Quvelto_TB";
constexpr int MagicSize = 12;
constexpr int HeaderSize = 24;
constexpr int EntrySize = 77;
constexpr int NameSize = 64;
// Far above any real skin (a few hundred KB); keeps a stray huge file from
// being read into memory. Texts are copied out of the file, and together they
// may not exceed it either.
constexpr int64_t MaxFileSize = 64 * 1024 * 1024;

enum EntryKind : uint8_t { ekPicture = 0, ekInteger = 1, ekBoolean = 2, ekText = 3 };

// One record of the chain, as stored.
struct EntryRecord {
    int32_t RecordOffset = 0;
    std::string Name;
    uint8_t Kind = 0;
    int32_t DataOffset = 0;
    int32_t DataSize = 0;
    int32_t NextOffset = 0;
};

int32_t ReadInt32(const uint8_t* p);
void WriteInt32(uint8_t* p, int32_t value);

// True when the first 12 bytes, up to the first zero byte, are exactly the magic.
bool HasMagic(const uint8_t* data, size_t size);

// Walks and checks the chain of a whole file image. Returns the element
// records in chain order (the closing record left out). Records of unknown
// kinds are returned unchecked; readers skip them. Raises ESkinFileError
// naming the fault.
std::vector<EntryRecord> ParseImage(const uint8_t* data, size_t size);

} // namespace SkinFile

// Whether the file exists, can be read and begins with the magic (case-sensitive).
// Looks at nothing else: the reader does the full check.
bool IsValidSkinFile(const std::string& path);

// A picture entry's data: a read-only view into the loaded file image, which
// all pictures share, so entries pointing at the same data cost nothing extra.
class TskPictureStream : public TStream {
  public:
    TskPictureStream(std::shared_ptr<const std::vector<uint8_t>> image, size_t offset, size_t size);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override; // writes nothing
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(size_); }

    const uint8_t* Memory() const { return image_->data() + offset_; }

  private:
    std::shared_ptr<const std::vector<uint8_t>> image_;
    size_t offset_;
    size_t size_;
    size_t position_ = 0;
};

// The loaded contents of one skin file. Construction reads the whole file and
// either succeeds completely or raises (EFOpenError, ESkinFileError); there is
// no half-loaded reader. Names compare case-insensitively; the first entry of
// a name along the chain wins.
class TskThemeFileReader {
  public:
    explicit TskThemeFileReader(const std::string& path);
    // From a file image already in memory; sourceName only goes into messages.
    TskThemeFileReader(const uint8_t* data, size_t size, const std::string& sourceName = "");
    TskThemeFileReader(const TskThemeFileReader&) = delete;
    TskThemeFileReader& operator=(const TskThemeFileReader&) = delete;

    // The picture's stream, rewound; it stays owned by the reader. nullptr when missing.
    TskPictureStream* GetImageStream(const std::string& name) const;
    // False when missing or not a number; else whether the low byte is not 0.
    bool GetBool(const std::string& name) const;
    // -1 when missing or not a number.
    int32_t GetInt(const std::string& name) const;

    // Lines "Name" with an owned TskPictureStream; "Name=decimal"; "Name=byte";
    // "Name=text". A name may itself hold "=": look-ups take the name of an
    // integer or Boolean line as everything before its last "=".
    const TStringList& ImageStreams() const { return imageStreams_; }
    const TStringList& Integers() const { return integers_; }
    const TStringList& Booleans() const { return booleans_; }
    const TStringList& Strings() const { return strings_; }

  private:
    void Load(std::shared_ptr<const std::vector<uint8_t>> image, const std::string& sourceName);
    // Declared in this order so that they are freed texts first, pictures last.
    TStringList imageStreams_;
    TStringList integers_;
    TStringList booleans_;
    TStringList strings_;
};
