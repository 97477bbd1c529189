#!/usr/bin/env python3
"""Converts 24-bit uncompressed BMP files into PNG files.

Usage: bmp2png.py INPUT.bmp OUTPUT.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, 'rb') as source:
        data = source.read()
    if data[:2] != b'BM':
        sys.exit('bmp2png: %s is not a BMP file' % path)
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    if bits != 24 or compression != 0:
        sys.exit('bmp2png: %s is not a 24-bit uncompressed BMP' % path)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source_row = y if height < 0 else abs(height) - 1 - y
        start = offset + source_row * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def chunk(kind, body):
    return (struct.pack('>I', len(body)) + kind + body +
            struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))


def write_png(path, width, height, rows):
    raw = b''.join(b'\x00' + row for row in rows)
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as target:
        target.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
                     chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit('usage: bmp2png.py INPUT.bmp OUTPUT.png')
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))
