#pragma once
// Byte streams: a memory stream and a read-only file stream. Free of windows.h.

#include "framework/Component.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A TObject so that string lists can own streams (skin file pictures).
class TStream : public TObject {
  public:
    // Reads up to count bytes; returns how many were read.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    // Reads exactly count bytes or raises EReadError "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source at its position (all of it when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }

    const std::vector<uint8_t>& Bytes() const { return data_; }
    const uint8_t* Memory() const { return data_.data(); }
    void Clear();
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

  private:
    std::vector<uint8_t> data_;
    size_t position_ = 0;
};

// Reads a file through the C runtime; shared with other readers and writers.
class TFileStream : public TStream {
  public:
    // Raises EFOpenError "Cannot open file "%s"" when the file cannot be opened.
    explicit TFileStream(const std::string& path);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override;

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

bool FileExists(const std::string& path);
