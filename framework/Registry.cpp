#include "framework/Registry.h"

#include "framework/Exceptions.h"

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    HKEY key = nullptr;
    LONG result;
    if (canCreate)
        result = RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr);
    else
        result = RegOpenKeyExA(root_, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) return false;
    key_.Reset(key);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return key_ && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                       ERROR_SUCCESS;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    int32_t value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (!key_ || RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to get data for '%s'", name));
    if (type != REG_DWORD) throw ERegistryException(Format("Invalid data type for '%s'", name));
    return value;
}

void TRegistry::Write(const std::string& name, DWORD type, const void* data, DWORD size) {
    if (!key_ || RegSetValueExA(key_.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                size) != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to set data for '%s'", name));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    Write(name, REG_DWORD, &value, sizeof value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    Write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteBinaryData(const std::string& name, const void* data, unsigned size) {
    Write(name, REG_BINARY, data, size);
}

void TRegistry::DeleteValue(const std::string& name) {
    if (key_) RegDeleteValueA(key_.Get(), name.c_str());
}
