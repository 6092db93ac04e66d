#!/usr/bin/env bash
# Remakes the committed seed corpus of the fuzzers:
#   skin_reader/  skin files packed by the skin-file tool: one element, every
#                 kind, duplicates, an empty chain, a complete MacOS-valued
#                 theme with small pictures, and pictures in every bitmap
#                 header layout the loader reads;
#   form_reader/  the program's own form description (the hand-written
#                 variants beside it are kept as they are).
# Usage: make_seeds.sh SKINFILE_TOOL   (build/native/skinfile)
set -euo pipefail
tool=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mk() { mkdir -p "$work/$1"; cat >"$work/$1/entries.txt"; }

mk one <<<'FormBorderWidthInt int 2'
mk kinds <<'T'
FormBackgroundColor color 231,231,231
FormBorderColor color 0x7F7F7F
ButtonTransparentBool bool true
TitleBarButtonTransparentBool bool false
FormRoundCornerInt int -3
Author text made by the seed script
T
mk duplicates <<'T'
FormBorderWidthInt int 1
formborderwidthint int 3
MenuFontColor color #000000
FormBorderWidthInt=3 int 4
T
mk empty </dev/null

mk macos <<'T'
ButtonTransparentBool bool true
TitleBarButtonTransparentBool bool false
TitleBarButtonLeftOffsetInt int 3
TitleBarButtonRightOffsetInt int -2
TitleBarButtonTopInt int 4
FormMinWidthInt int 130
FormRoundCornerInt int 0
FormBackgroundColor color 231,231,231
FormBorderColor color 127,127,127
FormBorderWidthInt int 1
MenuSelectedBorderColor color 57,115,196
MenuSelectedBackgroundColor color 57,115,196
MenuSelectedFontColor color 255,255,255
MenuBackgroundColor color 0,0,0
MenuFontColor color 0,0,0
MenuBarColor color 0,0,0
ControlBorderColor color 127,127,127
ControlBackgroundColor color 231,231,231
ControlFontColor color 0,0,0
ScrollBarBackgroundColor color 201,201,201
ToolBarButtonBorderColor color 71,71,71
ToolBarButtonBackgroundColor color 239,239,239
ToolBarButtonDownBackgroundColor color 216,216,216
TitleBarFontColor color 0,0,0
FormBottomRoundCornerInt int 0
MenuMenuBarColor color 231,231,231
T
# Frame strips at one pixel a frame; the other pictures one or two pixels.
while read -r name width height color; do
  "$tool" picture "$work/macos/$name.bmp" "$width" "$height" "$color"
done <<'T'
ButtonImage 3 1 255,0,255
CheckBoxImage 4 1 231,231,231
RadioButtonImage 4 1 255,0,255
TitleBarButtonImage 18 1 127,127,127
TitleBarLeftImage 2 2 #3973C4
TitleBarClientImage 1 2 #3973C4
TitleBarRightImage 2 2 #3973C4
ProgressBarImage 1 1 0,0,255
TrackBarBarImage 2 1 201,201,201
TrackBarSliderImage 1 2 127,127,127
TrackBarSliderVImage 2 1 127,127,127
ScrollBarButtonImage 6 1 201,201,201
ScrollBarSliderImage 3 1 127,127,127
CheckListBoxImage 4 1 231,231,231
ScrollButtonImage 4 1 201,201,201
TabControlTabImage 3 1 239,239,239
TabControlBarImage 1 1 71,71,71
SideChannelHandleImage 1 3 71,71,71
SideChannelBarImage 1 1 71,71,71
TitleBarMinimizedImage 2 1 57,115,196
FormLeftBorderImage 1 2 127,127,127
FormBottomBorderImage 2 1 127,127,127
T

# One small picture in each header layout: info headers of 24, 32, 16
# (bit fields), 8, 4 and 1 bits, top-down, run-length coded, a 124-byte
# header, core headers of 24, 8 and 1 bits, and a file header whose size
# field is 0.
mkdir -p "$work/layouts"
python3 - "$work/layouts" <<'PY'
import struct, sys
out = sys.argv[1]
W, H = 3, 2
colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 0, 255), (255, 255, 255), (0, 0, 0)]
def pixel(x, y):
    return colours[(y * W + x) % len(colours)]
def rows(bits, palette, top_down=False):
    stride = (W * bits + 31) // 32 * 4
    data = b''
    for r in range(H):
        y = r if top_down else H - 1 - r
        line = bytearray(stride)
        for x in range(W):
            r_, g, b = pixel(x, y)
            if bits == 32: line[x*4:x*4+3] = bytes((b, g, r_))
            elif bits == 24: line[x*3:x*3+3] = bytes((b, g, r_))
            elif bits == 16:
                v = ((r_ >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                line[x*2:x*2+2] = struct.pack('<H', v)
            else:
                i = palette.index(pixel(x, y)) if bits > 1 else (x + y) % 2
                if bits == 8: line[x] = i
                elif bits == 4: line[x // 2] |= i << (0 if x % 2 else 4)
                else: line[x // 8] |= i << (7 - x % 8)
        data += bytes(line)
    return data
def palette_bytes(count, entry):
    p = b''
    for i in range(count):
        r_, g, b = colours[i % len(colours)]
        p += bytes((b, g, r_)) + (b'\0' if entry == 4 else b'')
    return p
def bmp(name, header, tables, pixels, stated=None):
    off = 14 + len(header) + len(tables)
    size = off + len(pixels) if stated is None else stated
    data = b'BM' + struct.pack('<IHHI', size, 0, 0, off) + header + tables + pixels
    open(f'{out}/{name}.bmp', 'wb').write(data)
def info(bits, compression=0, height=H, size=40, colours_used=0, extra=b''):
    h = struct.pack('<IiiHHIIiiII', size, W, height, 1, bits, compression, 0, 2835, 2835,
                    colours_used, 0) + extra
    return h + b'\0' * (size - len(h))
def core(bits):
    return struct.pack('<IHHHH', 12, W, H, 1, bits)
pal = colours
bmp('Info24', info(24), b'', rows(24, pal))
bmp('SizeFieldZero', info(24), b'', rows(24, pal), stated=0)
bmp('Info32', info(32), b'', rows(32, pal))
bmp('Info16BitFields', info(16, 3), struct.pack('<III', 0xF800, 0x07E0, 0x001F), rows(16, pal))
bmp('Info8', info(8, colours_used=6), palette_bytes(6, 4), rows(8, pal))
bmp('Info4', info(4), palette_bytes(16, 4), rows(4, pal))
bmp('Info1', info(1), palette_bytes(2, 4), rows(1, pal))
bmp('Info24TopDown', info(24, height=-H), b'', rows(24, pal, True))
rle = b''
for r in range(H):
    y = H - 1 - r
    for x in range(W):
        rle += bytes((1, pal.index(pixel(x, y))))
    rle += b'\0\0' if r + 1 < H else b'\0\1'
bmp('Info8Rle', info(8, 1, colours_used=6), palette_bytes(6, 4), rle)
masks = struct.pack('<IIII', 0xFF0000, 0xFF00, 0xFF, 0) + b'BGRs'
bmp('V5Header32', info(32, 3, size=124, extra=masks), b'', rows(32, pal))
bmp('Core24', core(24), b'', rows(24, pal))
bmp('Core8', core(8), palette_bytes(256, 3), rows(8, pal))
bmp('Core1', core(1), palette_bytes(2, 3), rows(1, pal))
PY
: >"$work/layouts/entries.txt"

rm -f "$here"/skin_reader/*.skin
for dir in "$work"/*/; do
  name=$(basename "$dir")
  "$tool" pack "$here/skin_reader/$name.skin" "$dir"
done
cp "$repo/resources/Unit1.form" "$here/form_reader/Unit1.form"
ls -l "$here/skin_reader" "$here/form_reader"
