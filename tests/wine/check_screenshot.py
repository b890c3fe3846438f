#!/usr/bin/python3
"""Checks a screenshot of a test program's windows and saves a part as a PNG.

    check_screenshot.py SCREEN.xwd READY OUTPUT.png

SCREEN.xwd is the X screen as xwd wrote it; READY is the program's list of screen
rectangles ("name x y width height"). The one named "window" is saved as OUTPUT.png;
every other one holds text, which must show ink (dark pixels); one whose name starts
with "glyph" holds a single small character (a key's caption), which needs less. The font sample's two
lines ("nivo" and "ir") must also differ from each other and stand on a blank
background. Exits 1 with the reasons otherwise.
"""
import struct
import sys
import zlib

DARK = 128  # luminance below this is ink
MIN_INK = 0.01  # of a text's rectangle
MAX_INK = 0.6  # more is no text on its background but a dark patch
MIN_INK_PIXELS = 15
MIN_GLYPH_INK_PIXELS = 2
MIN_DIFFERENCE = 0.2  # of the ink of the lines, pixel by pixel
MAX_BACKGROUND_INK = 0.002


class Screen:
    """An xwd ZPixmap of 24 or 32 bits a pixel, as rows of (r, g, b)."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, pixmap_format, width, height = fields[0], fields[2], fields[4], fields[5]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        masks, colors = fields[14:17], fields[19]
        if pixmap_format != 2 or bits_per_pixel not in (24, 32):
            raise SystemExit(f"unexpected xwd image: format {pixmap_format}, {bits_per_pixel} bits")
        start = header_size + 12 * colors
        self.width, self.height = width, height
        step = bits_per_pixel // 8
        endian = "little" if byte_order == 0 else "big"
        shifts = [(mask & -mask).bit_length() - 1 for mask in masks]
        self.rows = []
        for y in range(height):
            line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
            pixels = (int.from_bytes(line[i:i + step], endian) for i in range(0, len(line), step))
            self.rows.append([tuple((p & m) >> s for m, s in zip(masks, shifts)) for p in pixels])

    def crop(self, x, y, width, height):
        if x < 0 or y < 0 or x + width > self.width or y + height > self.height or width <= 0 or height <= 0:
            raise SystemExit(f"rectangle {x},{y} {width}x{height} is not on the {self.width}x{self.height} screen")
        return [row[x:x + width] for row in self.rows[y:y + height]]


def ink(pixels):
    """The dark pixels as a set of (x, y)."""
    return {(x, y) for y, row in enumerate(pixels) for x, (r, g, b) in enumerate(row)
            if 0.299 * r + 0.587 * g + 0.114 * b < DARK}


def read_rects(path):
    with open(path) as ready:
        return {name: tuple(map(int, values)) for name, *values in (line.split() for line in ready if line.strip())}


def failures(screen, rects):
    found = []
    texts = {name: ink(screen.crop(*rect)) for name, rect in rects.items() if name != "window"}
    for name, dark in texts.items():
        area = rects[name][2] * rects[name][3]
        least = MIN_GLYPH_INK_PIXELS if name.startswith("glyph") else max(MIN_INK_PIXELS, MIN_INK * area)
        if not least <= len(dark) <= MAX_INK * area:
            found.append(f"{name} has {len(dark)} dark pixels of {area}")
    if "nivo" in texts and "ir" in texts:
        found += font_sample_failures(screen, rects, texts)
    return found


def font_sample_failures(screen, rects, lines):
    found = []
    difference = lines["nivo"] ^ lines["ir"]
    if len(difference) < MIN_DIFFERENCE * max(1, len(lines["nivo"]) + len(lines["ir"])):
        found.append(f"the two lines differ in {len(difference)} pixels only")
    # The rows between the lines, as wide as the wider line: blank.
    x, nivo_y, _, nivo_height = rects["nivo"]
    width = max(rects["nivo"][2], rects["ir"][2])
    gap_top = nivo_y + nivo_height
    gap = screen.crop(x, gap_top, width, rects["ir"][1] - gap_top)
    stray = ink(gap)
    if len(stray) > MAX_BACKGROUND_INK * width * len(gap):
        found.append(f"the background between the lines has {len(stray)} dark pixels")
    return found


def png(pixels):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(value for pixel in row for value in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    with open(sys.argv[1], "rb") as shot:
        screen = Screen(shot.read())
    rects = read_rects(sys.argv[2])
    with open(sys.argv[3], "wb") as out:
        out.write(png(screen.crop(*rects["window"])))
    found = failures(screen, rects)
    for failure in found:
        print(f"check_screenshot: {failure}", file=sys.stderr)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
