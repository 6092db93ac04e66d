#pragma once
// Tests that change machine-wide state (keys under HKEY_LOCAL_MACHINE, the
// display mode) run only inside a Wine prefix made by tools/make-prefix.sh,
// which leaves a mark in that prefix's registry. On any other machine they
// fail without touching anything. What they do touch is put back as found.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

constexpr const char* HarnessMarkKey = "Software\\MOXEL Utility Test Prefix";
constexpr const char* HarnessMark = "made by tools/make-prefix.sh";

// Success inside a prefix the harness made; otherwise why the test refuses.
inline ::testing::AssertionResult InHarnessPrefix() {
    char text[64] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, HarnessMarkKey, "Marker", RRF_RT_REG_SZ, nullptr, text,
                     &size) == ERROR_SUCCESS &&
        std::string(text) == HarnessMark)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "refused: this test changes machine-wide settings and runs only in a Wine prefix "
              "made by tools/make-prefix.sh (HKLM\\"
           << HarnessMarkKey << " has no Marker \"" << HarnessMark << "\" here)";
}

inline bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Remembers keys and values under HKEY_LOCAL_MACHINE before a test changes
// them and puts them back when it goes, in reverse order: a value that was
// there gets its old type and data again, one that was not is deleted; a key
// is deleted only when it was not there before.
class RegistryRestorer {
  public:
    RegistryRestorer() = default;
    RegistryRestorer(const RegistryRestorer&) = delete;
    RegistryRestorer& operator=(const RegistryRestorer&) = delete;
    ~RegistryRestorer() {
        for (auto it = kept_.rbegin(); it != kept_.rend(); ++it)
            it->Restore();
    }

    // Remembers whether key exists; returns that.
    bool KeepKey(const std::string& key) {
        kept_.push_back(Kept{key, "", true, KeyExists(key), REG_NONE, {}});
        return kept_.back().Existed;
    }
    void KeepValue(const std::string& key, const std::string& name) {
        Kept kept{key, name, false, false, REG_NONE, {}};
        DWORD size = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                         &kept.Type, nullptr, &size) == ERROR_SUCCESS) {
            kept.Data.resize(size);
            kept.Existed = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(),
                                        RRF_RT_ANY | RRF_NOEXPAND, &kept.Type, kept.Data.data(),
                                        &size) == ERROR_SUCCESS;
            kept.Data.resize(size);
        }
        kept_.push_back(kept);
    }
    // Every value the key has now.
    void KeepValues(const std::string& key) {
        for (const std::string& name : ValueNames(key))
            KeepValue(key, name);
    }
    // Deletes the key's values (kept first, so they come back).
    void ClearValues(const std::string& key) {
        for (const std::string& name : ValueNames(key)) {
            KeepValue(key, name);
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str());
        }
    }

  private:
    struct Kept {
        std::string Key;
        std::string Name;
        bool IsKey;
        bool Existed;
        DWORD Type = REG_NONE;
        std::vector<BYTE> Data;
        void Restore() const {
            if (IsKey) {
                if (!Existed) RegDeleteTreeA(HKEY_LOCAL_MACHINE, Key.c_str());
            } else if (Existed) {
                RegSetKeyValueA(HKEY_LOCAL_MACHINE, Key.c_str(), Name.c_str(), Type, Data.data(),
                                static_cast<DWORD>(Data.size()));
            } else {
                RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, Key.c_str(), Name.c_str());
            }
        }
    };
    static std::vector<std::string> ValueNames(const std::string& path) {
        std::vector<std::string> names;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        RegCloseKey(key);
        return names;
    }
    std::vector<Kept> kept_;
};
