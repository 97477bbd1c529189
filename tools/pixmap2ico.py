#!/usr/bin/env python3
"""Turns the program's pixel maps (text, one character per pixel) into a Windows .ico or .cur.

Usage: pixmap2ico.py icon|cursor OUTPUT MAP [MAP...]

A map is a text file: lines starting with '#' are comments, a line "hotspot X Y" gives the hot
spot of a cursor, every other non-empty line is one row of pixels. All rows of a map have the same
length. '.' is transparent; the other characters name the 16 standard colours (see PALETTE).
Each map becomes one 16-colour image of the file.
"""
import struct
import sys

# character -> (index, (red, green, blue)) in the standard 16-colour palette
PALETTE = {
    'K': (0, (0, 0, 0)), 'm': (1, (128, 0, 0)), 'g': (2, (0, 128, 0)), 'o': (3, (128, 128, 0)),
    'n': (4, (0, 0, 128)), 'p': (5, (128, 0, 128)), 't': (6, (0, 128, 128)),
    's': (7, (192, 192, 192)), 'a': (8, (128, 128, 128)), 'R': (9, (255, 0, 0)),
    'G': (10, (0, 255, 0)), 'Y': (11, (255, 255, 0)), 'B': (12, (0, 0, 255)),
    'F': (13, (255, 0, 255)), 'C': (14, (0, 255, 255)), 'W': (15, (255, 255, 255)),
}
TRANSPARENT = '.'


def fail(message):
    sys.stderr.write('pixmap2ico: %s\n' % message)
    sys.exit(1)


def read_map(path):
    rows, hotspot = [], (0, 0)
    with open(path, encoding='ascii') as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip('\r\n')
            if not line or line.startswith('#'):
                continue
            if line.startswith('hotspot '):
                x, y = line.split()[1:3]
                hotspot = (int(x), int(y))
                continue
            bad = [c for c in line if c != TRANSPARENT and c not in PALETTE]
            if bad:
                fail('%s:%d: unknown colour %r' % (path, number, bad[0]))
            rows.append(line)
    if not rows or any(len(r) != len(rows[0]) for r in rows):
        fail('%s: rows missing or of different lengths' % path)
    width, height = len(rows[0]), len(rows)
    if width > 256 or height > 256 or width % 8 or height % 8:
        fail('%s: %dx%d is not a usable icon size' % (path, width, height))
    if not (0 <= hotspot[0] < width and 0 <= hotspot[1] < height):
        fail('%s: hot spot outside the image' % path)
    return rows, hotspot


def row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def image_data(rows):
    """BITMAPINFOHEADER, palette, 4-bit colour bits and the 1-bit transparency mask, bottom up."""
    width, height = len(rows[0]), len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = bytearray(64)
    for index, (red, green, blue) in PALETTE.values():
        palette[index * 4:index * 4 + 4] = bytes((blue, green, red, 0))
    colour, mask = bytearray(), bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes(4, width))
        mask_line = bytearray(row_bytes(1, width))
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                mask_line[x // 8] |= 0x80 >> (x % 8)
                continue
            line[x // 2] |= PALETTE[c][0] << (0 if x % 2 else 4)
        colour += line
        mask += mask_line
    return header + bytes(palette) + bytes(colour) + bytes(mask)


def write_file(kind, output, maps):
    images = [(rows, hotspot, image_data(rows)) for rows, hotspot in maps]
    directory = struct.pack('<HHH', 0, 1 if kind == 'icon' else 2, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for rows, hotspot, data in images:
        width, height = len(rows[0]), len(rows)
        if kind == 'icon':
            planes, bits = 1, 4
        else:
            planes, bits = hotspot
        directory += struct.pack('<BBBBHHII', width % 256, height % 256, 16, 0, planes, bits,
                                 len(data), offset)
        offset += len(data)
        body += data
    with open(output, 'wb') as target:
        target.write(directory + body)


def main(arguments):
    if len(arguments) < 3 or arguments[0] not in ('icon', 'cursor'):
        fail('usage: pixmap2ico.py icon|cursor OUTPUT MAP [MAP...]')
    write_file(arguments[0], arguments[1], [read_map(path) for path in arguments[2:]])


if __name__ == '__main__':
    main(sys.argv[1:])
