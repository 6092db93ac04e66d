// skinfile: makes, lists and checks skin files with the program's own reader.
//
//   skinfile pack OUT.skin DIR      DIR holds NAME.bmp pictures and entries.txt
//   skinfile list FILE              one line per entry: name, kind, size, value
//   skinfile check FILE             exit 0 when the program would load it, else 1
//   skinfile picture OUT.bmp W H COLOR   a one-colour 24-bit picture (for drafts)
//
// entries.txt lines: "Name int 123", "Name color 231,231,231" (or 0xBBGGRR,
// or #RRGGBB), "Name bool true", "Name text some words", "Name picture file.bmp".

#include "framework/BitmapFile.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "skin/SkinThemeFile.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: skinfile pack OUT.skin DIR\n"
                         "       skinfile list FILE\n"
                         "       skinfile check FILE\n"
                         "       skinfile picture OUT.bmp WIDTH HEIGHT COLOR\n");
    return 2;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError(Format("Cannot open file \"%s\"", path));
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw EFOpenError(Format("Cannot create file \"%s\"", path));
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw EWriteError(Format("Cannot write file \"%s\"", path));
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

std::string Describe(const SkinFile::EntryRecord& e, const uint8_t* data) {
    const uint8_t* p = data + (e.DataSize > 0 ? e.DataOffset : 0); // empty data: any offset
    switch (e.Kind) {
    case SkinFile::ekPicture: {
        BitmapFile::Layout layout;
        BitmapFile::Parse(p, static_cast<size_t>(e.DataSize), layout);
        return "bitmap " + IntToStr(layout.Width) + "x" + IntToStr(layout.Height) + ", " +
               IntToStr(layout.BitCount) + " bits per pixel";
    }
    case SkinFile::ekInteger: {
        const int32_t v = SkinFile::ReadInt32(p);
        std::string text = IntToStr(v);
        if (EndsWithNoCase(e.Name, "Color"))
            text += "  (" + IntToStr(v & 0xFF) + "," + IntToStr((v >> 8) & 0xFF) + "," +
                    IntToStr((v >> 16) & 0xFF) + ")";
        return text;
    }
    case SkinFile::ekBoolean:
        return p[0] ? "true" : "false";
    case SkinFile::ekText:
        return "\"" +
               std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(e.DataSize)) +
               "\"";
    default:
        return "(unknown kind, skipped)";
    }
}

const char* KindName(uint8_t kind) {
    switch (kind) {
    case SkinFile::ekPicture:
        return "picture";
    case SkinFile::ekInteger:
        return "int";
    case SkinFile::ekBoolean:
        return "bool";
    case SkinFile::ekText:
        return "text";
    default:
        return "?";
    }
}

int Pack(const std::string& out, const std::string& dir) {
    const std::vector<uint8_t> image = BuildSkinImage(ReadSkinFolder(dir));
    // What was written must load; a fault here is the tool's own.
    TskThemeFileReader check(image.data(), image.size(), out);
    WriteFile(out, image);
    return 0;
}

int List(const std::string& path) {
    const std::vector<uint8_t> image = ReadFile(path);
    const std::vector<SkinFile::EntryRecord> entries =
        SkinFile::ParseImage(image.data(), image.size());
    for (const SkinFile::EntryRecord& e : entries)
        std::printf("%-32s %-7s %8d  %s\n", e.Name.c_str(), KindName(e.Kind), e.DataSize,
                    Describe(e, image.data()).c_str());
    std::printf("%d entries\n", static_cast<int>(entries.size()));
    return 0;
}

int Check(const std::string& path) {
    try {
        TskThemeFileReader reader(path);
    } catch (const Exception& e) {
        std::printf("invalid: %s\n", e.what());
        return 1;
    }
    std::printf("valid: %s\n", path.c_str());
    return 0;
}

int Picture(const std::string& out, const std::string& w, const std::string& h,
            const std::string& color) {
    int32_t width, height;
    if (!TryStrToInt(w, width) || !TryStrToInt(h, height) || width < 1 || height < 1 ||
        width > 4096 || height > 4096)
        throw EConvertError("width and height must be 1 to 4096");
    WriteFile(out, MakeBitmapImage(width, height, static_cast<uint32_t>(ParseColor(color))));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
        if (args.size() == 2 && args[0] == "list") return List(args[1]);
        if (args.size() == 2 && args[0] == "check") return Check(args[1]);
        if (args.size() == 5 && args[0] == "picture")
            return Picture(args[1], args[2], args[3], args[4]);
    } catch (const Exception& e) {
        std::fprintf(stderr, "skinfile: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinfile: %s\n", e.what());
        return 1;
    }
    return Usage();
}
