#pragma once
// The registry accessor: one open key at a time, always opened from the root
// key with full access. Keys that do not open are reported by OpenKey's
// result only; failed value reads and writes raise ERegistryException.

#include "framework/Handles.h"

#include <cstdint>
#include <string>

class TRegistry {
  public:
    explicit TRegistry(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens path below the root (never below the current key), creating it
    // when asked; closes the key opened before. False when it does not open.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey() { key_.Reset(); }
    bool KeyOpen() const { return static_cast<bool>(key_); }

    bool ValueExists(const std::string& name) const;
    // Reads exactly 4 bytes: longer data raises "Failed to get data for '%s'",
    // another type "Invalid data type for '%s'".
    int32_t ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    // Each raises "Failed to set data for '%s'" when the write fails.
    void WriteInteger(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteString(const std::string& name, const std::string& value);
    void WriteBinaryData(const std::string& name, const void* data, unsigned size);
    // The result is of no interest to callers: a missing value is as good as deleted.
    void DeleteValue(const std::string& name);

  private:
    void Write(const std::string& name, DWORD type, const void* data, DWORD size);
    HKEY root_;
    RegKey key_;
};
