#!/usr/bin/env python3
"""Writes SetupMenu.ico (32x32, 16 colours), hand.cur (32x32 monochrome,
hot spot 6,0) and logo.bmp (71x17, 24 bits) from the pictures below.
Run it from this folder after changing a picture; the outputs are committed."""
import struct

# Icon: a receipt printer with paper coming out. Letters index the
# standard 16-colour palette; '.' is transparent.
ICON = """\
................................
................................
..........wwwwwwwwwwww..........
..........wkkkkkkkkkkw..........
..........wwwwwwwwwwww..........
..........wkkkkkkkkw.w..........
..........wwwwwwwwwwww..........
..........wkkkkkkkkkkw..........
....KKKKKKwwwwwwwwwwwwKKKKKK....
...KssssssssssssssssssssssssK...
..KswwwwwwwwwwwwwwwwwwwwwwwwsK..
..KswssssssssssssssssssssssssK..
..Kswsssssssssssssssssssgggs.K..
..KswsssssssssssssssssssgGgs.K..
..KswsssssssssssssssssssgggssK..
..KswssssssssssssssssssssssssK..
..KsssssssKKKKKKKKKKKKKssssssK..
..KsssssssKkkkkkkkkkkkKssssssK..
..KsssssssKKKKKKKKKKKKKssssssK..
..KssssssssssssssssssssssssssK..
..KbbbbbbbbbbbbbbbbbbbbbbbbbbK..
..KbBBBBBBBBBBBBBBBBBBBBBBBBbK..
..KbBwwBBBwwBBwwwBwBBBwwwBBBbK..
..KbBwwBBBwwBBwBBBwBBBBwBBBBbK..
..KbBBwwBwwBBBwwBBwBBBBwBBBBbK..
..KbBBBwwwBBBBwBBBwBBBBwBBBBbK..
..KbBBBBwBBBBBwwwBwwwBBwBBBBbK..
..KbBBBBBBBBBBBBBBBBBBBBBBBBbK..
..KbbbbbbbbbbbbbbbbbbbbbbbbbbK..
...KKKKKKKKKKKKKKKKKKKKKKKKKK...
................................
................................
"""
PALETTE = [  # (r, g, b) of the 16 standard colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
ICON_COLOUR = {'K': 0, 'k': 8, 's': 7, 'w': 15, 'g': 2, 'G': 10, 'b': 4, 'B': 12, '.': 0}

# Cursor: a pointing hand, finger tip at column 6 of the top row.
HAND = """\
.....XX.........................
....X..X........................
....X..X........................
....X..X........................
....X..X........................
....X..XXX......................
....X..X..XXX...................
....X..X..X..XX.................
.XX.X..X..X..X.X................
X..XX........X..X...............
X...X...........X...............
.X..............X...............
..X.............X...............
..X............X................
...X...........X................
...X..........X.................
....X.........X.................
....X.........X.................
.....XXXXXXXXX..................
"""

# Logo: VELTA in blue capitals on white, 71 x 17.
LOGO = """\
.......................................................................
.......................................................................
..##.......##..#########..##..........###########.......###............
..##.......##..#########..##..........###########......#####...........
...##.....##...##.........##..............###.........###.###..........
...##.....##...##.........##..............###........###...###.........
....##...##....#######....##..............###.......###.....###........
....##...##....#######....##..............###.......###.....###........
.....##.##.....##.........##..............###.......###########........
.....##.##.....##.........##..............###.......###########........
......###......##.........##..............###.......###.....###........
......###......#########..#########.......###.......###.....###........
.......#.......#########..#########.......###.......###.....###........
.......................................................................
..ooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooo....
.......................................................................
.......................................................................
"""


def rows(picture, width, height):
    lines = picture.splitlines()
    assert len(lines) <= height, "picture too tall"
    lines = [l.ljust(width, '.') for l in lines] + ['.' * width] * (height - len(lines))
    for l in lines:
        assert len(l) == width, "picture too wide: %r" % l
    return lines


def mask_bits(lines, is_set):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    out = b''
    for line in reversed(lines):
        bits = 0
        for x, c in enumerate(line):
            if is_set(c):
                bits |= 1 << (31 - x)
        out += struct.pack('>I', bits)
    return out


def write_icon(path):
    lines = rows(ICON, 32, 32)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor = b''
    for line in reversed(lines):
        idx = [ICON_COLOUR[c] for c in line]
        xor += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 32, 2))
    andm = mask_bits(lines, lambda c: c == '.')
    image = header + pal + xor + andm
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack(
        '<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 22)
    open(path, 'wb').write(directory + image)


def write_cursor(path):
    lines = rows(HAND, 32, 32)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    pal = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    # Black outline, white inside the hand, transparent elsewhere: AND 1 and
    # XOR 0 is transparent; AND 0 with XOR 0 black, XOR 1 white.
    inside = set()
    for y, line in enumerate(lines):
        xs = [x for x, c in enumerate(line) if c == 'X']
        if len(xs) >= 2:
            for x in range(xs[0] + 1, xs[-1]):
                if line[x] == '.':
                    inside.add((x, y))
    filled = [''.join('w' if (x, y) in inside else c for x, c in enumerate(l))
              for y, l in enumerate(lines)]
    xor = mask_bits(filled, lambda c: c == 'w')
    andm = mask_bits(filled, lambda c: c == '.')
    image = header + pal + xor + andm
    directory = struct.pack('<HHH', 0, 2, 1) + struct.pack(
        '<BBBBHHII', 32, 32, 2, 0, 6, 0, len(image), 22)
    open(path, 'wb').write(directory + image)


def write_logo(path):
    width, height = 71, 17
    lines = rows(LOGO, width, height)
    colour = {'.': (255, 255, 255), '#': (0, 70, 190), 'o': (230, 120, 0)}
    stride = (width * 3 + 3) & ~3
    pixels = b''
    for line in reversed(lines):
        row = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in (colour[c] for c in line))
        pixels += row + b'\0' * (stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    open(path, 'wb').write(head + info + pixels)


if __name__ == '__main__':
    write_icon('SetupMenu.ico')
    write_cursor('hand.cur')
    write_logo('logo.bmp')
