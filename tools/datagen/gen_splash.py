"""Writes "splash.dat", the picture of the start-up window: a 459 x 300
Windows bitmap (8 bits per pixel, uncompressed), drawn here from nothing: a
night sky darkening towards the zenith, a faint Milky Way band, stars from a
fixed pseudo-random sequence, a hill line and the program's name in a small
pixel font.  No outside picture is used, and every run draws the same bytes.
"""
import math
import struct

import common

WIDTH, HEIGHT = 459, 300

# Palette: 0-63 sky from zenith to horizon, 64-127 star brightness, 128 the
# ground, 129 the title, 130 the subtitle, 131-191 Milky Way glow over the sky.
SKY, STAR, GROUND, TITLE, SUBTITLE, GLOW = 0, 64, 128, 129, 130, 131


def palette():
    colours = []
    for k in range(64):
        t = k / 63.0
        colours.append((int(4 + 18 * t), int(6 + 30 * t), int(22 + 58 * t)))
    for k in range(64):
        v = int(70 + 185 * k / 63.0)
        colours.append((v, v, min(255, v + 12)))
    colours.append((2, 3, 8))
    colours.append((255, 214, 110))
    colours.append((170, 190, 230))
    for k in range(61):
        t = k / 60.0
        colours.append((int(16 + 40 * t), int(24 + 46 * t), int(60 + 60 * t)))
    while len(colours) < 256:
        colours.append((0, 0, 0))
    return colours


class Lcg:
    """Fixed pseudo-random sequence (64-bit linear congruential)."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % 2 ** 64
        return (self.state >> 11) / float(2 ** 53)


# 5 x 7 pixel glyphs of the letters used.
GLYPHS = {
    "z": ["00000", "00000", "11111", "00010", "00100", "01000", "11111"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    " ": ["00000"] * 7,
}


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def draw_text(pixels, text, x0, y0, scale, colour):
    for n, ch in enumerate(text):
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit != "1":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x, y = x0 + (n * 6 + col) * scale + dx, y0 + row * scale + dy
                        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                            pixels[y][x] = colour


def horizon_height(x):
    """Height in pixels of the hill line above the bottom edge."""
    return int(34 + 10 * math.sin(x / 37.0) + 6 * math.sin(x / 13.0 + 1.3) + 4 * math.sin(x / 71.0 + 0.4))


def draw():
    pixels = [[SKY + min(63, int(63 * y / (HEIGHT - 1)))] * WIDTH for y in range(HEIGHT)]
    # Milky Way: a soft band running diagonally across the picture.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = abs((x - 0.9 * y) - 120) / 55.0
            glow = math.exp(-d * d) * (0.6 + 0.4 * math.sin(x / 23.0 + y / 17.0) ** 2)
            if glow > 0.08:
                pixels[y][x] = GLOW + min(60, int(60 * glow))
    rng = Lcg(20240601)
    for _ in range(900):
        x, y = int(rng.next() * WIDTH), int(rng.next() * HEIGHT)
        level = int(63 * rng.next() ** 3)
        pixels[y][x] = STAR + level
        if level > 52:
            # A few bright stars get a small cross.
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if 0 <= x + dx < WIDTH and 0 <= y + dy < HEIGHT:
                    pixels[y + dy][x + dx] = STAR + level // 2
    for x in range(WIDTH):
        for y in range(HEIGHT - horizon_height(x), HEIGHT):
            pixels[y][x] = GROUND
    title, subtitle = "zu", "SKY CHART"
    draw_text(pixels, title, (WIDTH - text_width(title, 12)) // 2, 78, 12, TITLE)
    draw_text(pixels, subtitle, (WIDTH - text_width(subtitle, 3)) // 2, 182, 3, SUBTITLE)
    return pixels


def bmp_bytes(pixels):
    row_size = (WIDTH + 3) & ~3
    colours = palette()
    offset = 14 + 40 + 4 * 256
    size = offset + row_size * HEIGHT
    out = bytearray()
    out += b"BM" + struct.pack("<IHHI", size, 0, 0, offset)
    out += struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, row_size * HEIGHT, 2835, 2835, 256, 0)
    for r, g, b in colours:
        out += bytes((b, g, r, 0))
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up rows
        out += bytes(pixels[y]) + bytes(row_size - WIDTH)
    return bytes(out)


def main():
    data = bmp_bytes(draw())
    common.write_bytes("splash.dat", data)
    print(f"splash.dat: {WIDTH} x {HEIGHT} bitmap, 8 bits per pixel, {len(data)} bytes")


if __name__ == "__main__":
    main()
