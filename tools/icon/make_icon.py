#!/usr/bin/env python3
"""Draws the program icon: a small display with a blue screen, a down-scaling
arrow pair and a stand. Writes resources/MoxelUtility.ico with the sizes 256,
128, 64, 48, 32, 24, 22 and 16, 32 bits per pixel with alpha. The 256 image
is stored as PNG, as Windows Vista and later read it: uncompressed it would
be a quarter of a megabyte of the program's size.

Run from the repository root: python3 tools/icon/make_icon.py
"""
import struct
import zlib

SIZES = [256, 128, 64, 48, 32, 24, 22, 16]
SUPER = 4  # supersampling for smooth edges


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def sample(u, v):
    """Colour (r, g, b, a) at unit coordinates u, v in [0, 1)."""
    # Bezel of the display.
    if inside_round_rect(u, v, 0.04, 0.08, 0.96, 0.74, 0.07):
        if inside_round_rect(u, v, 0.10, 0.14, 0.90, 0.68, 0.03):
            # Screen: blue gradient with a glossy upper half.
            t = (v - 0.14) / 0.54
            colour = lerp((90, 160, 240), (20, 60, 160), t)
            if v < 0.36:
                colour = lerp(colour, (255, 255, 255), 0.25)
            # Two arrows pointing inwards: the desktop scaled down to the panel.
            for sx in (-1, 1):
                ax = 0.5 + sx * 0.26
                dx = (u - ax) * -sx
                if 0 <= dx <= 0.12 and abs(v - 0.41) <= 0.12 - dx:
                    return (255, 255, 255, 255)
                if -0.08 <= dx < 0 and abs(v - 0.41) <= 0.035:
                    return (255, 255, 255, 255)
            return colour + (255,)
        t = (v - 0.08) / 0.66
        return lerp((70, 70, 78), (30, 30, 36), t) + (255,)
    # Neck and foot of the stand.
    if 0.42 <= u <= 0.58 and 0.74 <= v <= 0.84:
        return (60, 60, 66, 255)
    if inside_round_rect(u, v, 0.24, 0.84, 0.76, 0.92, 0.03):
        return lerp((90, 90, 98), (40, 40, 46), (v - 0.84) / 0.08) + (255,)
    return (0, 0, 0, 0)


def render(size):
    pixels = []
    n = SUPER * SUPER
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    r, g, b, a = sample((x + (sx + 0.5) / SUPER) / size,
                                        (y + (sy + 0.5) / SUPER) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / n
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], int(round(a))))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def png_image(pixels):
    size = len(pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def icon_image(size):
    pixels = render(size)
    if size == 256:
        return png_image(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main():
    images = [icon_image(s) for s in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(SIZES)))
    offset = 6 + 16 * len(SIZES)
    for size, image in zip(SIZES, images):
        dim = 0 if size == 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open("resources/MoxelUtility.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
