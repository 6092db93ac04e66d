#include "tools/skinfile/SkinFileWriter.h"

#include "framework/BitmapFile.h"
#include "framework/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

std::vector<uint8_t> Int32Bytes(int32_t value) {
    std::vector<uint8_t> bytes(4);
    SkinFile::WriteInt32(bytes.data(), value);
    return bytes;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError(Format("Cannot open file \"%s\"", path.string()));
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

} // namespace

SkinFileItem IntItem(const std::string& name, int32_t value) {
    return {name, SkinFile::ekInteger, Int32Bytes(value)};
}

SkinFileItem BoolItem(const std::string& name, bool value) {
    return {name, SkinFile::ekBoolean, {static_cast<uint8_t>(value ? 1 : 0)}};
}

SkinFileItem TextItem(const std::string& name, const std::string& text) {
    return {name, SkinFile::ekText, std::vector<uint8_t>(text.begin(), text.end())};
}

SkinFileItem PictureItem(const std::string& name, std::vector<uint8_t> bitmapFile) {
    return {name, SkinFile::ekPicture, std::move(bitmapFile)};
}

std::vector<uint8_t> BuildSkinImage(const std::vector<SkinFileItem>& items) {
    using namespace SkinFile;
    std::vector<uint8_t> out(HeaderSize, 0);
    std::memcpy(out.data(), Magic, sizeof(Magic) - 1);
    WriteInt32(out.data() + 12, HeaderSize);
    WriteInt32(out.data() + 20, HeaderSize);

    auto record = [&](const std::string& name, uint8_t kind, int32_t dataOffset, int32_t dataSize,
                      int32_t next) {
        uint8_t r[EntrySize] = {};
        std::memcpy(r, name.data(), name.size());
        r[64] = kind;
        WriteInt32(r + 65, dataOffset);
        WriteInt32(r + 69, dataSize);
        WriteInt32(r + 73, next);
        out.insert(out.end(), r, r + EntrySize);
    };
    for (const SkinFileItem& item : items) {
        const std::string what = "entry \"" + item.Name + "\"";
        if (item.Name.size() > static_cast<size_t>(NameSize))
            throw ESkinFileError(what + ": the name is longer than 64 bytes");
        if (item.Name.find('\0') != std::string::npos)
            throw ESkinFileError(what + ": a name may not contain a zero byte");
        if (item.Kind == ekInteger && item.Data.size() != 4)
            throw ESkinFileError(what + ": an integer takes 4 bytes");
        if (item.Kind == ekBoolean && item.Data.size() != 1)
            throw ESkinFileError(what + ": a Boolean takes 1 byte");
        if (item.Kind == ekPicture) {
            BitmapFile::Layout layout;
            const std::string why = BitmapFile::Parse(item.Data.data(), item.Data.size(), layout);
            if (!why.empty()) throw ESkinFileError(what + ": the picture " + why);
        }
        const int64_t at = static_cast<int64_t>(out.size());
        const int64_t next = at + EntrySize + static_cast<int64_t>(item.Data.size());
        if (next + EntrySize > MaxFileSize)
            throw ESkinFileError("the skin file would grow too large");
        record(item.Name, item.Kind, static_cast<int32_t>(at + EntrySize),
               static_cast<int32_t>(item.Data.size()), static_cast<int32_t>(next));
        out.insert(out.end(), item.Data.begin(), item.Data.end());
    }
    record("", 0, 0, 0, 0);
    return out;
}

std::vector<uint8_t> MakeBitmapImage(int width, int height, uint32_t color) {
    const int stride = (width * 3 + 3) & ~3;
    const int pixels = stride * height;
    std::vector<uint8_t> out(54 + pixels, 0);
    out[0] = 'B';
    out[1] = 'M';
    SkinFile::WriteInt32(&out[2], static_cast<int32_t>(out.size()));
    SkinFile::WriteInt32(&out[10], 54);
    SkinFile::WriteInt32(&out[14], 40);
    SkinFile::WriteInt32(&out[18], width);
    SkinFile::WriteInt32(&out[22], height);
    out[26] = 1;  // planes
    out[28] = 24; // bits per pixel
    SkinFile::WriteInt32(&out[34], pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &out[54 + y * stride + x * 3];
            p[0] = static_cast<uint8_t>(color >> 16); // blue
            p[1] = static_cast<uint8_t>(color >> 8);  // green
            p[2] = static_cast<uint8_t>(color);       // red
        }
    return out;
}

int32_t ParseColor(const std::string& text) {
    const std::string t = Trim(text);
    auto bad = [&]() {
        return EConvertError("'" + t + "' is not a colour (r,g,b, 0xBBGGRR or #RRGGBB)");
    };
    if (t.find(',') != std::string::npos) {
        int32_t part[3];
        size_t start = 0;
        for (int i = 0; i < 3; ++i) {
            const size_t comma = t.find(',', start);
            if ((i < 2) != (comma != std::string::npos)) throw bad();
            const std::string piece = Trim(
                t.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (!TryStrToInt(piece, part[i]) || part[i] < 0 || part[i] > 255) throw bad();
            start = comma + 1;
        }
        return part[0] | (part[1] << 8) | (part[2] << 16);
    }
    int32_t value = 0;
    if (!t.empty() && t[0] == '#') {
        if (t.size() != 7 || !TryStrToInt("$" + t.substr(1), value)) throw bad();
        return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
    }
    if (!TryStrToInt(t, value)) throw bad();
    return value;
}

bool ParseEntryLine(const std::string& line, EntryLine& out) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#' || t[0] == ';') return false;
    const size_t nameEnd = t.find_first_of(" \t");
    if (nameEnd == std::string::npos) throw EConvertError("'" + t + "' has no type and value");
    out.Name = t.substr(0, nameEnd);
    const std::string rest = Trim(t.substr(nameEnd));
    const size_t typeEnd = rest.find_first_of(" \t");
    out.Type = Lower(rest.substr(0, typeEnd));
    // Text keeps its inner spacing; only the separator after the type goes.
    out.Value = typeEnd == std::string::npos ? std::string() : rest.substr(typeEnd + 1);
    if (out.Type != "text") out.Value = Trim(out.Value);
    static const std::set<std::string> types{"int", "color", "colour", "bool", "text", "picture"};
    if (!types.count(out.Type))
        throw EConvertError("'" + t + "': unknown type \"" + out.Type + "\"");
    if (out.Type == "colour") out.Type = "color";
    return true;
}

std::vector<SkinFileItem> ReadSkinFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path dir(folder);
    if (!fs::is_directory(dir)) throw EFOpenError(Format("\"%s\" is not a folder", folder));

    std::vector<EntryLine> lines;
    const fs::path listPath = dir / "entries.txt";
    if (fs::exists(listPath)) {
        std::ifstream in(listPath);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            EntryLine e;
            try {
                if (ParseEntryLine(line, e)) {
                    e.Line = number;
                    lines.push_back(e);
                }
            } catch (const EConvertError& error) {
                throw EConvertError("entries.txt line " + IntToStr(number) + ": " +
                                    error.Message());
            }
        }
    }

    std::set<std::string> named;
    for (const EntryLine& e : lines)
        if (e.Type == "picture") named.insert(Lower(e.Value));
    std::vector<fs::path> pictures;
    for (const fs::directory_entry& f : fs::directory_iterator(dir))
        if (f.is_regular_file() && Lower(f.path().extension().string()) == ".bmp" &&
            !named.count(Lower(f.path().filename().string())))
            pictures.push_back(f.path());
    std::sort(pictures.begin(), pictures.end());

    std::vector<SkinFileItem> items;
    for (const fs::path& p : pictures)
        items.push_back(PictureItem(p.stem().string(), ReadWholeFile(p)));
    for (const EntryLine& e : lines) {
        const std::string where = "entries.txt line " + IntToStr(e.Line) + ": ";
        if (e.Type == "int") {
            int32_t value;
            if (!TryStrToInt(e.Value, value))
                throw EConvertError(where + "'" + e.Value + "' is not an integer");
            items.push_back(IntItem(e.Name, value));
        } else if (e.Type == "color") {
            try {
                items.push_back(IntItem(e.Name, ParseColor(e.Value)));
            } catch (const EConvertError& error) {
                throw EConvertError(where + error.Message());
            }
        } else if (e.Type == "bool") {
            const std::string v = Lower(e.Value);
            if (v != "true" && v != "false" && v != "1" && v != "0")
                throw EConvertError(where + "'" + e.Value + "' is not true, false, 1 or 0");
            items.push_back(BoolItem(e.Name, v == "true" || v == "1"));
        } else if (e.Type == "text") {
            items.push_back(TextItem(e.Name, e.Value));
        } else {
            items.push_back(PictureItem(e.Name, ReadWholeFile(dir / e.Value)));
        }
    }
    return items;
}
