#pragma once
// Skin files a test writes into the temporary folder; they go again with
// the object.

#include "tools/skinfile/SkinFileWriter.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

class TTempSkinFiles {
  public:
    TTempSkinFiles() = default;
    TTempSkinFiles(const TTempSkinFiles&) = delete;
    TTempSkinFiles& operator=(const TTempSkinFiles&) = delete;
    ~TTempSkinFiles() {
        for (const std::string& file : files_)
            std::remove(file.c_str());
    }
    // The full path of the file written.
    std::string Write(const std::string& name, const std::vector<SkinFileItem>& items) {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        const std::string path = std::string(dir) + name;
        const std::vector<uint8_t> bytes = BuildSkinImage(items);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        files_.push_back(path);
        return path;
    }

  private:
    std::vector<std::string> files_;
};
