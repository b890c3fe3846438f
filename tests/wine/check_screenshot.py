#!/usr/bin/python3
"""check_screenshot.py SCREEN.xwd READY OUTPUT.png: saves the READY rectangle named
"window" of the screen as OUTPUT.png; every other one ("name x y width height") must
show ink (dark pixels, but no dark patch), a "glyph..." one only a small character's."""
import struct
import sys
import zlib


def read_screen(data):
    """The screen as rows of (r, g, b)."""
    fields = struct.unpack(">25I", data[:100])
    header, width, height, order, bits, stride, masks, colors = (
        fields[0], fields[4], fields[5], fields[7], fields[11], fields[12], fields[14:17], fields[19])
    if fields[2] != 2 or bits not in (24, 32):
        raise SystemExit(f"unexpected xwd image: format {fields[2]}, {bits} bits")
    start, step = header + 12 * colors, bits // 8
    shifts = [(mask & -mask).bit_length() - 1 for mask in masks]
    endian = "little" if order == 0 else "big"
    rows = []
    for y in range(height):
        line = data[start + y * stride:start + y * stride + width * step]
        pixels = (int.from_bytes(line[i:i + step], endian) for i in range(0, len(line), step))
        rows.append([tuple((p & m) >> s for m, s in zip(masks, shifts)) for p in pixels])
    return rows


def crop(rows, x, y, width, height):
    if x < 0 or y < 0 or width <= 0 or height <= 0 or y + height > len(rows) or x + width > len(rows[0]):
        raise SystemExit(f"rectangle {x},{y} {width}x{height} is not on the screen")
    return [row[x:x + width] for row in rows[y:y + height]]


def png(pixels):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + bytes(value for pixel in row for value in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main(screen, ready, output):
    with open(screen, "rb") as shot:
        rows = read_screen(shot.read())
    with open(ready) as lines:
        rects = {name: tuple(map(int, values)) for name, *values in (line.split() for line in lines if line.strip())}
    with open(output, "wb") as out:
        out.write(png(crop(rows, *rects["window"])))
    failures = []
    for name, (x, y, width, height) in rects.items():
        dark = sum(0.299 * r + 0.587 * g + 0.114 * b < 128 for row in crop(rows, x, y, width, height) for r, g, b in row)
        least = 2 if name.startswith("glyph") else max(15, 0.01 * width * height)
        if name != "window" and not least <= dark <= 0.6 * width * height:
            failures.append(f"{name} has {dark} dark pixels of {width * height}")
    for failure in failures:
        print(f"check_screenshot: {failure}", file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main(*sys.argv[1:]) if len(sys.argv) == 4 else sys.exit(__doc__)
