#pragma once
// Bitmap file images in the layouts writers use, built from a top-down grid of
// colours, for the checks of the bitmap parser, the skin-file reader and the
// bitmap loader.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace TestBitmaps {

enum class Layout {
    Info24,          // 40-byte header, 24 bits, bottom-up
    Info24TopDown,   // negative height
    Info32,          // 32 bits, no masks
    Info16BitFields, // 5-6-5 masks after a 40-byte header
    Info8,           // palette of the picture's colours
    Info4,
    Info1,
    Info8Rle,   // run-length coded 8-bit
    V5Header32, // 124-byte header with masks inside it
    Core24,     // 12-byte core header
    Core8,      // core header with a 3-byte-per-entry palette
    Core1,
};

inline const char* Name(Layout layout) {
    static const char* const names[] = {"Info24",     "Info24TopDown", "Info32", "Info16BitFields",
                                        "Info8",      "Info4",         "Info1",  "Info8Rle",
                                        "V5Header32", "Core24",        "Core8",  "Core1"};
    return names[static_cast<int>(layout)];
}

constexpr Layout AllLayouts[] = {Layout::Info24,          Layout::Info24TopDown, Layout::Info32,
                                 Layout::Info16BitFields, Layout::Info8,         Layout::Info4,
                                 Layout::Info1,           Layout::Info8Rle,      Layout::V5Header32,
                                 Layout::Core24,          Layout::Core8,         Layout::Core1};

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// colors: width * height values 0x00BBGGRR, row 0 at the top. Pictures with a
// palette take their colours in order of first appearance; 16-bit pictures
// keep each channel exact only for 0 and 255.
inline std::vector<uint8_t> Encode(Layout layout, int width, int height,
                                   const std::vector<uint32_t>& colors) {
    const bool core =
        layout == Layout::Core24 || layout == Layout::Core8 || layout == Layout::Core1;
    int bits = 24;
    switch (layout) {
    case Layout::Info32:
    case Layout::V5Header32:
        bits = 32;
        break;
    case Layout::Info16BitFields:
        bits = 16;
        break;
    case Layout::Info8:
    case Layout::Info8Rle:
    case Layout::Core8:
        bits = 8;
        break;
    case Layout::Info4:
        bits = 4;
        break;
    case Layout::Info1:
    case Layout::Core1:
        bits = 1;
        break;
    default:
        break;
    }
    std::vector<uint32_t> palette;
    auto indexOf = [&](uint32_t c) {
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == c) return static_cast<int>(i);
        palette.push_back(c);
        return static_cast<int>(palette.size() - 1);
    };
    std::vector<int> indices;
    if (bits <= 8)
        for (uint32_t c : colors)
            indices.push_back(indexOf(c));
    const int paletteCount = bits <= 8 ? 1 << bits : 0;

    const uint32_t headerSize = core ? 12 : layout == Layout::V5Header32 ? 124 : 40;
    const size_t masks = layout == Layout::Info16BitFields ? 12 : 0;
    const size_t entry = core ? 3 : 4;
    const size_t pixelOffset = 14 + headerSize + masks + paletteCount * entry;
    const bool topDown = layout == Layout::Info24TopDown;

    std::vector<uint8_t> pixels;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (layout == Layout::Info8Rle) {
        for (int row = 0; row < height; ++row) {
            const int y = height - 1 - row;
            for (int x = 0; x < width;) {
                int run = 1;
                const int index = indices[y * width + x];
                while (x + run < width && run < 255 && indices[y * width + x + run] == index)
                    ++run;
                pixels.push_back(static_cast<uint8_t>(run));
                pixels.push_back(static_cast<uint8_t>(index));
                x += run;
            }
            pixels.push_back(0);
            pixels.push_back(row + 1 == height ? 1 : 0); // end of bitmap, or of line
        }
    } else {
        pixels.assign(stride * height, 0);
        for (int row = 0; row < height; ++row) {
            const int y = topDown ? row : height - 1 - row;
            uint8_t* line = &pixels[row * stride];
            for (int x = 0; x < width; ++x) {
                const uint32_t c = colors[y * width + x];
                const uint8_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
                switch (bits) {
                case 32:
                    line[x * 4] = b, line[x * 4 + 1] = g, line[x * 4 + 2] = r;
                    break;
                case 24:
                    line[x * 3] = b, line[x * 3 + 1] = g, line[x * 3 + 2] = r;
                    break;
                case 16: {
                    const uint16_t v =
                        static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
                    line[x * 2] = v & 0xFF, line[x * 2 + 1] = v >> 8;
                    break;
                }
                case 8:
                    line[x] = static_cast<uint8_t>(indices[y * width + x]);
                    break;
                case 4:
                    line[x / 2] |= static_cast<uint8_t>(indices[y * width + x] << (x % 2 ? 0 : 4));
                    break;
                case 1:
                    line[x / 8] |= static_cast<uint8_t>(indices[y * width + x] << (7 - x % 8));
                    break;
                }
            }
        }
    }

    std::vector<uint8_t> out(pixelOffset, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 10, static_cast<uint32_t>(pixelOffset));
    Put32(out, 14, headerSize);
    if (core) {
        Put16(out, 18, width);
        Put16(out, 20, height);
        Put16(out, 22, 1);
        Put16(out, 24, bits);
    } else {
        Put32(out, 18, static_cast<uint32_t>(width));
        Put32(out, 22, static_cast<uint32_t>(topDown ? -height : height));
        Put16(out, 26, 1);
        Put16(out, 28, bits);
        const uint32_t compression =
            layout == Layout::Info8Rle                                          ? 1
            : layout == Layout::Info16BitFields || layout == Layout::V5Header32 ? 3
                                                                                : 0;
        Put32(out, 30, compression);
        Put32(out, 34, static_cast<uint32_t>(pixels.size()));
        if (layout == Layout::Info16BitFields) {
            Put32(out, 54, 0xF800);
            Put32(out, 58, 0x07E0);
            Put32(out, 62, 0x001F);
        }
        if (layout == Layout::V5Header32) {
            Put32(out, 54, 0x00FF0000);
            Put32(out, 58, 0x0000FF00);
            Put32(out, 62, 0x000000FF);
            Put32(out, 70, 0x57696E20); // "Win ": the system colour space
        }
    }
    const size_t paletteAt = 14 + headerSize + masks;
    for (size_t i = 0; i < palette.size(); ++i) {
        out[paletteAt + i * entry] = static_cast<uint8_t>(palette[i] >> 16);
        out[paletteAt + i * entry + 1] = static_cast<uint8_t>(palette[i] >> 8);
        out[paletteAt + i * entry + 2] = static_cast<uint8_t>(palette[i]);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}

// A small picture in two colours (1-bit layouts) or four, different in every
// quadrant, so that flips and shifts show.
inline std::vector<uint32_t> Quadrants(int width, int height, bool twoColours) {
    const uint32_t red = 0x0000FF, lime = 0x00FF00, blue = 0xFF0000, magenta = 0xFF00FF;
    std::vector<uint32_t> colors(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            uint32_t c = bottom ? (right ? magenta : blue) : (right ? lime : red);
            if (twoColours) c = (right != bottom) ? magenta : blue;
            colors[y * width + x] = c;
        }
    return colors;
}

inline bool OneBit(Layout layout) {
    return layout == Layout::Info1 || layout == Layout::Core1;
}

} // namespace TestBitmaps
