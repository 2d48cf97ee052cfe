#!/usr/bin/env python3
"""Draws the LED and sensor pictures of the sample systems (sample_systems.py) at the
picture box's size, 177 x 153 pixels, as PNG or BMP by the file name's extension.

    python3 tools/samples/make_pictures.py [PICTURE_FOLDER]

LED pictures: a front view of the acceptor with its LEDs as coloured dots and a legend.
Sensor pictures: the bill path seen from above with every sensor channel numbered 1..N
(and the extra channels L, R, M of FRAM systems at the path's edges).
"""
import os
import struct
import sys
import zlib

from sample_systems import MISSING_PICTURES, SYSTEMS

WIDTH, HEIGHT = 177, 153
PAPER, INK, BODY = (250, 250, 246), (30, 30, 40), (196, 200, 208)
SLOT, PATH, SENSOR = (40, 40, 48), (226, 232, 240), (200, 40, 40)
EXTRA_SENSOR = (40, 90, 200)

# The extra channels that FRAM systems read before channel 1, by receive data mode.
_LEFT_RIGHT = [("L", "left", "mid"), ("R", "right", "mid")]
_IN_OUT = [("IN", "mid", "bottom"), ("OUT", "mid", "top")]
EXTRA_CHANNELS = {6: _LEFT_RIGHT, 7: _LEFT_RIGHT + [("M", "mid", "bottom")],
                  8: _IN_OUT, 9: _IN_OUT, 10: _IN_OUT}

# 3 x 5 bitmap font: five rows of three columns, "#" is ink.
FONT = {
    "0": "### #.# #.# #.# ###", "1": ".#. ##. .#. .#. ###", "2": "### ..# ### #.. ###",
    "3": "### ..# .## ..# ###", "4": "#.# #.# ### ..# ..#", "5": "### #.. ### ..# ###",
    "6": "### #.. ### #.# ###", "7": "### ..# .#. .#. .#.", "8": "### #.# ### #.# ###",
    "9": "### #.# ### ..# ###", "A": ".#. #.# ### #.# #.#", "B": "##. #.# ##. #.# ##.",
    "C": ".## #.. #.. #.. .##", "D": "##. #.# #.# #.# ##.", "E": "### #.. ##. #.. ###",
    "F": "### #.. ##. #.. #..", "G": ".## #.. #.# #.# .##", "H": "#.# #.# ### #.# #.#",
    "I": "### .#. .#. .#. ###", "J": "..# ..# ..# #.# .#.", "K": "#.# #.# ##. #.# #.#",
    "L": "#.. #.. #.. #.. ###", "M": "#.# ### #.# #.# #.#", "N": "##. #.# #.# #.# #.#",
    "O": ".#. #.# #.# #.# .#.", "P": "##. #.# ##. #.. #..", "Q": ".#. #.# #.# ##. .##",
    "R": "##. #.# ##. #.# #.#", "S": ".## #.. .#. ..# ##.", "T": "### .#. .#. .#. .#.",
    "U": "#.# #.# #.# #.# ###", "V": "#.# #.# #.# #.# .#.", "W": "#.# #.# #.# ### #.#",
    "X": "#.# #.# .#. #.# #.#", "Y": "#.# #.# .#. .#. .#.", "Z": "### ..# .#. #.. ###",
    "-": "... ... ### ... ...", ".": "... ... ... ... .#.", " ": "... ... ... ... ...",
}


class Canvas:
    def __init__(self):
        self.pixels = [[PAPER] * WIDTH for _ in range(HEIGHT)]

    def dot(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour, fill=True):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if fill or x in (x0, x1) or y in (y0, y1):
                    self.dot(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.dot(x, y, INK if (x - cx) ** 2 + (y - cy) ** 2 > r * r - r else colour)

    def text(self, x, y, s, colour=INK, scale=1):
        for ch in s.upper():
            rows = FONT.get(ch, FONT[" "]).split()
            for j, row in enumerate(rows):
                for i, cell in enumerate(row):
                    if cell == "#":
                        self.rect(x + i * scale, y + j * scale, x + i * scale + scale - 1,
                                  y + j * scale + scale - 1, colour)
            x += 4 * scale

    def save(self, path):
        if path.lower().endswith(".bmp"):
            pad = b"\0" * ((4 - WIDTH * 3 % 4) % 4)
            body = b"".join(bytes(c for r, g, b in row for c in (b, g, r)) + pad
                            for row in reversed(self.pixels))  # bottom-up rows of BGR
            head = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
            info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(body),
                               2835, 2835, 0, 0)
            data = head + info + body
        else:
            def chunk(kind, payload):
                return (struct.pack(">I", len(payload)) + kind + payload +
                        struct.pack(">I", zlib.crc32(kind + payload)))
            raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in self.pixels)
            data = (b"\x89PNG\r\n\x1a\n" +
                    chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)) +
                    chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
        with open(path, "wb") as f:
            f.write(data)


def title(c, name):
    """The picture's file name without extension, as shared pictures name no one system."""
    s = os.path.splitext(name)[0].replace("_", " ")
    scale = 2 if len(s) * 8 <= WIDTH - 8 else 1
    c.text((WIDTH - len(s) * 4 * scale) // 2, 4, s, scale=scale)


def led_picture(system):
    """Front view: body, bill slot, LEDs; legend at the right."""
    c = Canvas()
    title(c, system["led"])
    x0, y0, x1, y1 = 8, 22, 108, 146
    c.rect(x0, y0, x1, y1, BODY)
    c.rect(x0, y0, x1, y1, INK, fill=False)
    c.rect(x0 + 12, y0 + 40, x1 - 12, y0 + 48, SLOT)  # bill entry slot
    c.text(x0 + 38, y0 + 60, "ZRN")
    legend, y = [], 26
    for name, colour, fx, fy in system["leds"]:
        c.disc(x0 + round(fx * (x1 - x0)), y0 + round(fy * (y1 - y0)), 4, colour)
        if name not in legend:
            legend.append(name)
            c.disc(118, y + 2, 3, colour)
            c.text(125, y, name)
            y += 12
    return c


def sensor_rows(system):
    n, rows = system["n"], system["rows"]
    if not rows:
        per_row = 10
        rows = [per_row] * (n // per_row) + ([n % per_row] if n % per_row else [])
    assert sum(rows) == n, system["system"]
    return rows


def sensor_picture(system):
    """Bill path from above, entry at the bottom; channels numbered row by row."""
    c = Canvas()
    title(c, system["sensor"])
    x0, y0, x1, y1 = 18, 18, 158, 148
    c.rect(x0, y0, x1, y1, PATH)
    c.rect(x0, y0, x1, y1, INK, fill=False)
    for y in range(y1 - 14, y1 - 2):  # arrow: the bill enters from below
        half = (y - (y1 - 14)) // 2 if y < y1 - 8 else 1
        c.rect(8 - half, y, 8 + half, y, INK)
    rows = sensor_rows(system)
    channel = 1
    pitch_y = (y1 - y0) / (len(rows) + 1)
    for r, count in enumerate(rows):
        y = round(y0 + pitch_y * (r + 1)) - 3
        pitch_x = (x1 - x0) / count
        for i in range(count):
            x = round(x0 + pitch_x * i + pitch_x / 2) - 6
            c.rect(x, y + 1, x + 2, y + 3, SENSOR)
            c.text(x + 4, y, str(channel))
            channel += 1
    x_mid, y_mid = (x0 + x1) // 2 - 4, (y0 + y1) // 2
    for name, x, y in EXTRA_CHANNELS.get(system["mode"], []):
        x, y = {"left": x0 + 3, "right": x1 - 4 * len(name) - 6, "mid": x_mid}[x], \
            {"top": y0 + 3, "bottom": y1 - 9, "mid": y_mid}[y]
        c.rect(x, y + 1, x + 2, y + 3, EXTRA_SENSOR)
        c.text(x + 4, y, name, EXTRA_SENSOR)
    return c


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Picture")
    os.makedirs(folder, exist_ok=True)
    drawn = set()
    for system in SYSTEMS:
        for name, draw in ((system["led"], led_picture), (system["sensor"], sensor_picture)):
            if name in MISSING_PICTURES or name in drawn:
                continue
            draw(system).save(os.path.join(folder, name))
            drawn.add(name)


if __name__ == "__main__":
    main()
