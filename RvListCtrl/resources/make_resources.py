#!/usr/bin/env python3
"""Draws the list's bitmap and cursor resources:

list_images.bmp  160 x 16, 24 bits per pixel, magenta transparent; 16 x 16
                 images: 0 descending arrow, 1 ascending arrow, 2 unchecked
                 box, 3 checked box, 4 checked box of a three-state cell,
                 5 indeterminate box (6 to 9 are empty).
divider.cur      column divider: two bars with arrows left and right.
hand.cur         pointing hand for links.

Run it from anywhere; it writes next to itself."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)
BORDER = (96, 96, 96)
WHITE = (255, 255, 255)
TICK = (32, 32, 32)
TICK3 = (0, 96, 160)
GREY = (128, 128, 128)
ARROW = (80, 80, 80)


def images():
    w, h = 160, 16
    px = [[MAGENTA] * w for _ in range(h)]

    def put(x, y, c):
        if 0 <= x < w and 0 <= y < h:
            px[y][x] = c

    def arrow(left, down):
        # a 9 pixel wide triangle in rows 5 .. 9
        for row in range(5):
            y = 5 + row if down else 10 - row
            for x in range(left + 3 + row, left + 12 - row):
                put(x, y, ARROW)

    def box(left, fill=WHITE):
        for y in range(2, 15):
            for x in range(left + 2, left + 15):
                edge = x in (left + 2, left + 14) or y in (2, 14)
                put(x, y, BORDER if edge else fill)

    def tick(left, colour):
        points = [(5, 8), (6, 9), (7, 10), (8, 9), (9, 8), (10, 7), (11, 6), (12, 5)]
        for dx, dy in points:
            for t in range(2):
                put(left + dx, dy + t, colour)

    arrow(0, True)
    arrow(16, False)
    box(32)
    box(48)
    tick(48, TICK)
    box(64)
    tick(64, TICK3)
    box(80)
    for y in range(5, 12):
        for x in range(85, 92):
            put(x, y, GREY)

    row_bytes = w * 3  # 480, already a multiple of 4
    data = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        for r, g, b in px[y]:
            data += bytes((b, g, r))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    assert len(data) == row_bytes * h
    return file_header + header + bytes(data)


def cursor(shape, hotspot):
    """`shape`: 32 strings of 32 characters, '#' black, 'o' white, else transparent."""
    size = 32
    xor_rows, and_rows = [], []
    for line in reversed(shape):  # bottom-up
        xor_bits = and_bits = 0
        for x, c in enumerate(line.ljust(size)):
            bit = 1 << (31 - x)
            if c == 'o':
                xor_bits |= bit
            elif c != '#':
                and_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def divider_shape():
    rows = [''] * 32
    for y in range(8, 25):
        rows[y] = ' ' * 14 + '#o#' + ' ' + '#o#'
    for y, half in zip(range(13, 20), (1, 2, 3, 3, 3, 2, 1)):
        line = list(rows[y].ljust(32))
        for d in range(half):
            line[13 - d - (3 - half)] = '#'
            line[19 + d + (3 - half)] = '#'
        for x in range(6, 13):
            if y == 16:
                line[x] = '#'
        for x in range(20, 27):
            if y == 16:
                line[x] = '#'
        rows[y] = ''.join(line)
    return rows


def hand_shape():
    art = [
        "     ##",
        "    #oo#",
        "    #oo#",
        "    #oo#",
        "    #oo#",
        "    #oo###",
        "    #oo#oo###",
        "    #oo#oo#oo##",
        " ## #oo#oo#oo#o#",
        "#oo##oooooooo#o#",
        "#ooo#oooooooooo#",
        " #oo#oooooooooo#",
        "  #ooooooooooooo#",
        "  #oooooooooooo#",
        "   #ooooooooooo#",
        "   #oooooooooo#",
        "    #ooooooooo#",
        "    #ooooooooo#",
        "    ###########",
    ]
    return art + [''] * (32 - len(art))


def main():
    with open(os.path.join(HERE, 'list_images.bmp'), 'wb') as f:
        f.write(images())
    with open(os.path.join(HERE, 'divider.cur'), 'wb') as f:
        f.write(cursor(divider_shape(), (17, 16)))
    with open(os.path.join(HERE, 'hand.cur'), 'wb') as f:
        f.write(cursor(hand_shape(), (6, 0)))


if __name__ == '__main__':
    main()
