// libFuzzer target for the skin-file reader. Any input must either load or be
// refused with ESkinFileError; a file that loads must survive a round trip
// through the writer unchanged, and its pictures must be readable bitmaps.

#include "framework/BitmapFile.h"
#include "skin/SkinThemeFile.h"
#include "skin/SkinThemeTables.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<SkinFile::EntryRecord> entries;
    try {
        entries = SkinFile::ParseImage(data, size);
    } catch (const ESkinFileError&) {
        // The reader must refuse exactly what the parse refuses.
        try {
            TskThemeFileReader reader(data, size);
        } catch (const ESkinFileError&) {
            return 0;
        }
        std::abort();
    }

    // Memory stays in proportion to the file: records cannot be stacked.
    Require(entries.size() < size / SkinFile::EntrySize);
    TskThemeFileReader reader(data, size);
    for (int element = 1; element <= ThemeElementCount; ++element) {
        const char* key = ElementKeys[element];
        (void)reader.GetInt(key);
        (void)reader.GetBool(key);
        if (TskPictureStream* stream = reader.GetImageStream(key)) {
            Require(stream->Position() == 0);
            BitmapFile::Layout layout;
            Require(BitmapFile::Parse(stream->Memory(), static_cast<size_t>(stream->Size()), layout)
                        .empty());
            // What the bitmap loader reads must lie inside the picture's bytes.
            Require(layout.PixelOffset + layout.PixelBytes <= static_cast<size_t>(stream->Size()));
            Require(static_cast<int64_t>(layout.Width) * layout.Height <= BitmapFile::MaxPixels);
        }
    }

    // Rewritten by the writer, the same elements come back in the same order.
    std::vector<SkinFileItem> items;
    for (const SkinFile::EntryRecord& e : entries) {
        if (e.Kind > SkinFile::ekText) continue;
        const uint8_t* p = data + (e.DataSize > 0 ? e.DataOffset : 0); // empty data: any offset
        items.push_back({e.Name, e.Kind, std::vector<uint8_t>(p, p + e.DataSize)});
    }
    const std::vector<uint8_t> again = BuildSkinImage(items);
    const std::vector<SkinFile::EntryRecord> reread =
        SkinFile::ParseImage(again.data(), again.size());
    Require(reread.size() == items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        Require(reread[i].Name == items[i].Name && reread[i].Kind == items[i].Kind);
        Require(std::equal(items[i].Data.begin(), items[i].Data.end(),
                           again.begin() + reread[i].DataOffset));
    }
    return 0;
}
