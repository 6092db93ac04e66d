#include "framework/Streams.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> chunk(64 * 1024);
    int64_t left = count;
    while (left > 0) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= data_.size()) return 0;
    const size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = static_cast<int64_t>(position_);
    if (origin == TSeekOrigin::soEnd) base = static_cast<int64_t>(data_.size());
    const int64_t target = base + offset;
    position_ = target < 0 ? 0 : static_cast<size_t>(target);
    return static_cast<int64_t>(position_);
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    TFileStream file(path);
    data_.resize(static_cast<size_t>(file.Size()));
    file.ReadBuffer(data_.data(), data_.size());
    position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw EFOpenError(Format("Cannot create file \"%s\"", path));
    const size_t written = std::fwrite(data_.data(), 1, data_.size(), file);
    std::fclose(file);
    if (written != data_.size()) throw EWriteError("Stream write error");
}

TFileStream::TFileStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    if (!file_) throw EFOpenError(Format("Cannot open file \"%s\"", path));
}

size_t TFileStream::Read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, file_.get());
}

size_t TFileStream::Write(const void*, size_t) {
    return 0;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    if (std::fseek(file_.get(), static_cast<long>(offset), whence) != 0) return -1;
    return std::ftell(file_.get());
}

int64_t TFileStream::Size() const {
    const long here = std::ftell(file_.get());
    std::fseek(file_.get(), 0, SEEK_END);
    const long size = std::ftell(file_.get());
    std::fseek(file_.get(), here, SEEK_SET);
    return size;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}
