#pragma once
// Writing skin files: the program only reads them; the skin-file tool and the
// tests make them with this. Lays a file out as header, then each entry
// record followed by its data, then the closing record.

#include "skin/SkinThemeFile.h"

#include <cstdint>
#include <string>
#include <vector>

struct SkinFileItem {
    std::string Name;
    uint8_t Kind = SkinFile::ekInteger;
    std::vector<uint8_t> Data;
};

SkinFileItem IntItem(const std::string& name, int32_t value);
SkinFileItem BoolItem(const std::string& name, bool value);
SkinFileItem TextItem(const std::string& name, const std::string& text);
SkinFileItem PictureItem(const std::string& name, std::vector<uint8_t> bitmapFile);

// The file image. Raises ESkinFileError for a name longer than 64 bytes or
// containing a zero byte, an integer not of 4 bytes, a Boolean not of 1 byte, a
// picture that is not a bitmap file image: the tool never writes a file the
// reader would refuse.
std::vector<uint8_t> BuildSkinImage(const std::vector<SkinFileItem>& items);

// A 24-bit bitmap file image of one colour (0x00BBGGRR).
std::vector<uint8_t> MakeBitmapImage(int width, int height, uint32_t color);

// One line of entries.txt: "Name int 123", "Name color 231,231,231",
// "Name color 0xE7E7E7" (0x00BBGGRR, as stored), "Name color #E7E7E7"
// (red, green, blue), "Name bool true|false|1|0", "Name text the rest of the line",
// "Name picture FILE.bmp" (relative to the folder). Blank lines and lines
// starting with '#' or ';' are skipped. Returns false for those; raises
// EConvertError for a line it cannot read.
struct EntryLine {
    std::string Name;
    std::string Type; // int, color, bool, text, picture
    std::string Value;
    int Line = 0; // in entries.txt, for messages
};
bool ParseEntryLine(const std::string& line, EntryLine& out);
// Colour text in any of the forms above to 0x00BBGGRR; raises EConvertError.
int32_t ParseColor(const std::string& text);

// Reads a folder: pictures NAME.bmp (in name order) that no "picture" line
// names, then the lines of entries.txt in order. Raises on any fault.
std::vector<SkinFileItem> ReadSkinFolder(const std::string& folder);
