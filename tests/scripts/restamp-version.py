#!/usr/bin/env python3
"""Gives a copy of a program another version: restamp-version.py IN OUT MAJOR.MINOR

Rewrites the version resource of a built program in the bytes of a copy: the fixed file and
product versions and every version text of the same length ("1.24" becomes "1.25"). The installer
test makes the programs of a newer package this way, without a second build."""
import struct
import sys

FIXED_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
BLOCK_KEY = "VS_VERSION_INFO\0".encode("utf-16-le")


def version_block(data):
    """Start and end of the VS_VERSION_INFO block: its length is the word before its key."""
    key = data.find(BLOCK_KEY)
    if key < 6 or data.find(BLOCK_KEY, key + 1) != -1:
        sys.exit("restamp-version: no single version resource")
    start = key - 6
    (length,) = struct.unpack_from("<H", data, start)
    return start, start + length


def restamp(data, major, minor):
    start, end = version_block(data)
    fixed = data.find(FIXED_SIGNATURE, start, end)
    if fixed < 0:
        sys.exit("restamp-version: the version resource has no fixed part")
    old_ms, _ = struct.unpack_from("<II", data, fixed + 8)
    old_text = "%d.%d" % (old_ms >> 16, old_ms & 0xFFFF)
    new_text = "%d.%d" % (major, minor)
    if len(old_text) != len(new_text):
        sys.exit("restamp-version: %s and %s differ in length" % (old_text, new_text))
    ms = (major << 16) | minor
    struct.pack_into("<II", data, fixed + 8, ms, 0)
    struct.pack_into("<II", data, fixed + 16, ms, 0)
    old = (old_text + "\0").encode("utf-16-le")
    new = (new_text + "\0").encode("utf-16-le")
    block = bytes(data[start:end])
    if block.count(old) == 0:
        sys.exit("restamp-version: no version text %s" % old_text)
    data[start:end] = block.replace(old, new)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    major, minor = (int(part) for part in sys.argv[3].split("."))
    with open(sys.argv[1], "rb") as source:
        data = bytearray(source.read())
    restamp(data, major, minor)
    with open(sys.argv[2], "wb") as target:
        target.write(data)


main()
