#!/usr/bin/env python3
"""Writes SetupMenu.ico (16, 32 and 48 pixels, 16 colours), hand.cur
(32, 48 and 64 pixels, monochrome, hot spot 6,0 at 32) and logo.bmp (71x17,
24 bits) from the pictures below, which are drawn at 32 pixels: the other
sizes are the same picture resampled, for the title bar, the taskbar,
Alt+Tab, Explorer and the pointer at 100 to 200 %. Run it from this folder
after changing a picture; the outputs are committed."""
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
                bits |= 1 << (len(line) - 1 - x)
        out += bits.to_bytes((len(line) + 7) // 8, 'big').ljust((len(line) + 31) // 32 * 4, b'\0')
    return out


def resample(lines, size, outline):
    """The 32-pixel picture at SIZE: each pixel the colour that covers most
    of its part of the picture, transparent only where that is most, and
    OUTLINE where it covers a third, so thin outlines stay drawn."""
    scale = len(lines) / size
    out = []
    for ty in range(size):
        row = ''
        for tx in range(size):
            cover = {}
            y0, y1, x0, x1 = ty * scale, (ty + 1) * scale, tx * scale, (tx + 1) * scale
            for y in range(int(y0), min(len(lines), int(-(-y1 // 1)))):
                for x in range(int(x0), min(len(lines), int(-(-x1 // 1)))):
                    area = (min(y1, y + 1) - max(y0, y)) * (min(x1, x + 1) - max(x0, x))
                    cover[lines[y][x]] = cover.get(lines[y][x], 0) + area
            total = sum(cover.values())
            if cover.get('.', 0) > total / 2:
                row += '.'
            elif cover.get(outline, 0) * 3 >= total:
                row += outline
            else:
                row += max((c for c in cover if c != '.'), key=lambda c: (cover[c], c))
        out.append(row)
    return out


def write_group(path, kind, images):
    """An .ico (kind 1) or .cur (kind 2) file of IMAGES: (size, colours,
    planes or hot-spot x, bits or hot-spot y, bitmap)."""
    directory = struct.pack('<HHH', 0, kind, len(images))
    at = 6 + 16 * len(images)
    for size, colours, a, b, image in images:
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, a, b, len(image), at)
        at += len(image)
    open(path, 'wb').write(directory + b''.join(i[-1] for i in images))


def write_icon(path):
    design = rows(ICON, 32, 32)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    images = []
    for size in (16, 32, 48):
        # At 16 the letters on the band are too small to read: a plain band.
        plain = [l if y < 21 else l.replace('w', 'B') for y, l in enumerate(design)] if size < 32 else design
        lines = design if size == 32 else resample(plain, size, 'K')
        header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
        xor = b''
        for line in reversed(lines):
            idx = [ICON_COLOUR[c] for c in line]
            xor += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, size, 2)).ljust((size + 7) // 8 * 4, b'\0')
        images.append((size, 16, 1, 4, header + pal + xor + mask_bits(lines, lambda c: c == '.')))
    write_group(path, 1, images)


def write_cursor(path):
    lines = rows(HAND, 32, 32)
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
    images = []
    # Windows' cursor sizes at 100, 150 and 200 %: each pixel repeated.
    for size in (32, 48, 64):
        big = [''.join(filled[y * 32 // size][x * 32 // size] for x in range(size)) for y in range(size)]
        header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 1, 0, 0, 0, 0, 2, 0)
        image = header + pal + mask_bits(big, lambda c: c == 'w') + mask_bits(big, lambda c: c == '.')
        images.append((size, 2, 6 * size // 32, 0, image))
    write_group(path, 2, images)


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
