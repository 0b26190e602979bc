# SPDX-License-Identifier: MIT
"""Checks the colours of Kalvo's window in an X window dump (xwd) and keeps
it as a PNG: the backgrounds at known places, and that the texts on them are
legible (WCAG AA contrast) whatever the desktop theme. With --dark, also that
the menu bar did follow a dark theme. With --scale, of a window drawn at that
scale (1.25 at 120 dpi). Needs nothing but Python's standard library.
Usage: screenshot_check.py WINDOW.xwd SCREENSHOT.png [--dark] [--scale S]
       screenshot_check.py --client-height"""
import struct
import sys
import zlib

CLIENT_HEIGHT = 284  # the client area under the menu bar, in pixels at 100 %
CLIENT_WIDTH = 566

# (what, x, y in the client area, colour a person sees)
EXPECTED = [
    ("background", 20, 200, "404040"),
    ("background right of C", 540, 150, "404040"),
    ("A_Command (input)", 62, 12, "80FF80"),
    ("B_Command (input)", 222, 12, "80FF80"),
    ("C_Command (output)", 390, 12, "FF0000"),
    ("A_Text (value)", 60, 44, "FFFFFF"),
    ("A_Anzeige (label)", 60, 68, "FFFF00"),
    ("C_Anzeige (label)", 388, 68, "FFFF00"),
    ("Text1 (formula)", 102, 118, "C0FFFF"),
]

# (what, left, top, right, bottom of a box's inside in the client area, its
# background): the background is the box's commonest colour, wherever the
# theme's font and the style's frame put the text, and the text in it must
# stand out by WCAG AA's 4.5:1.
TEXTS = [
    ("A_Command caption", 59, 11, 182, 38, "80FF80"),
    ("C_Command caption", 387, 11, 510, 38, "FF0000"),
    ("A_Text value", 59, 43, 182, 62, "FFFFFF"),
    ("C_Text result (greyed)", 387, 43, 510, 62, "FFFFFF"),
    ("A_Anzeige label", 59, 67, 182, 86, "FFFF00"),
    ("Text1 formula", 99, 115, 462, 238, "C0FFFF"),
    ("Text2 title", 99, 259, 462, 268, "FFC0FF"),
]
MIN_CONTRAST = 4.5


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def read_xwd(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    colours = fields[19]
    if bits_per_pixel != 32:
        sys.exit(f"FAIL: screenshot has {bits_per_pixel} bits per pixel, expected 32")
    pixels = data[header_size + 12 * colours:]
    endian = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + 4 * width]
        values = struct.unpack(f"{endian}{width}I", line)
        rows.append([tuple((v & m) >> shift(m) for m in masks) for v in values])
    return width, height, rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n")
        png.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        png.write(chunk(b"IDAT", zlib.compress(raw)))
        png.write(chunk(b"IEND", b""))


def main():
    if sys.argv[1:] == ["--client-height"]:
        print(CLIENT_HEIGHT)
        return 0
    scale = float(sys.argv[sys.argv.index("--scale") + 1]) if "--scale" in sys.argv else 1.0

    def at(length):
        return round(length * scale)

    width, height, rows = read_xwd(sys.argv[1])
    write_png(sys.argv[2], width, height, rows)
    menu = height - at(CLIENT_HEIGHT)
    passed = failed = 0
    # Qt rounds a fractional scale's window size either way.
    if abs(width - at(CLIENT_WIDTH)) <= (0 if scale == 1 else 1):
        passed += 1
    else:
        failed += 1
        print(f"FAIL: the window is {width} pixels wide, expected {at(CLIENT_WIDTH)}")
    for what, x, y, colour in EXPECTED:
        actual = "%02X%02X%02X" % rows[at(y) + menu][at(x)]
        if actual == colour:
            passed += 1
        else:
            failed += 1
            print(f"FAIL: {what} at ({at(x)},{at(y)}) is #{actual}, expected #{colour}")
    for what, left, top, right, bottom, colour in TEXTS:
        background = bytes.fromhex(colour)
        inside = [rows[y + menu][x] for y in range(at(top), at(bottom) + 1) for x in range(at(left), at(right) + 1)]
        commonest = max(set(inside), key=inside.count)
        if commonest == tuple(background):
            passed += 1
        else:
            failed += 1
            print(f"FAIL: {what}: background #{bytes(commonest).hex().upper()}, expected #{colour}")
        best = max(contrast(pixel, background) for pixel in inside)
        if best >= MIN_CONTRAST:
            passed += 1
        else:
            failed += 1
            print(f"FAIL: {what}: text contrast {best:.2f}, expected at least {MIN_CONTRAST}")
    if "--dark" in sys.argv:
        bar = rows[menu // 2][width - 10]
        if luminance(bar) < 0.1:
            passed += 1
        else:
            failed += 1
            print(f"FAIL: the menu bar is #{bytes(bar).hex()}, not dark: the dark theme was not applied")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
