#pragma once
// Byte-level construction of skin files for the tests, including the broken
// ones the writer refuses to make.

#include "skin/SkinThemeFile.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct RawSkin {
    std::vector<uint8_t> bytes;

    // A header (magic, header size 24, first-entry offset) in a file of total bytes.
    explicit RawSkin(size_t total, int32_t firstEntry = 24) : bytes(total, 0) {
        std::memcpy(bytes.data(), "Quvelto_TB", 10);
        Put32(12, 24);
        Put32(20, firstEntry);
    }
    void Put32(size_t at, int32_t value) { SkinFile::WriteInt32(&bytes.at(at + 3) - 3, value); }
    void Record(size_t at, const std::string& name, uint8_t kind, int32_t dataOffset,
                int32_t dataSize, int32_t next) {
        std::memcpy(&bytes.at(at + 76) - 76, name.data(), name.size());
        bytes.at(at + 64) = kind;
        Put32(at + 65, dataOffset);
        Put32(at + 69, dataSize);
        Put32(at + 73, next);
    }
    void Put(size_t at, const std::vector<uint8_t>& data) {
        if (!data.empty())
            std::memcpy(&bytes.at(at + data.size() - 1) - (data.size() - 1), data.data(),
                        data.size());
    }
};
