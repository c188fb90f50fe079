#!/usr/bin/env python3
"""Writes the seed corpus of fuzz/seeds/: small real BMP files of every kind the
loader reads (8, 24 and 32 bits, bottom-up and top-down, padded rows, longer
headers, gaps and trailing bytes) and the kinds it must refuse. Files named
load-* must load, reject-* must not; the replay test holds them to that.
Usage: fuzz/make_seeds.py [directory]"""
import os
import struct
import sys


def bmp(width, height, bits, pixel_rows=None, header_size=40, compression=0,
        palette=None, magic=b"BM", gap=b"", trailing=b"", offset=None, planes=1):
    """A whole file. pixel_rows: the rows as stored in the file, unpadded; pads are added."""
    if pixel_rows is None:
        bytes_per_pixel = max(bits // 8, 1)
        rows = abs(height)
        pixel_rows = [bytes((x * 37 + y * 11 + c * 5) & 0xFF
                            for x in range(width) for c in range(bytes_per_pixel))
                      for y in range(rows)]
    data = b""
    for row in pixel_rows:
        data += row + b"\x00" * (-len(row) % 4)
    palette = palette or b""
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, planes, bits,
                       compression, len(data), 2835, 2835, len(palette) // 4, 0)
    info += bytes(range(header_size - 40)) if header_size > 40 else b""
    pixel_offset = 14 + len(info) + len(palette) + len(gap) if offset is None else offset
    total = 14 + len(info) + len(palette) + len(gap) + len(data) + len(trailing)
    head = magic + struct.pack("<IHHI", total, 0, 0, pixel_offset & 0xFFFFFFFF)
    return head + info + palette + gap + data + trailing


GREY = b"".join(bytes((i, i, i, 0)) for i in range(256))


def seeds():
    yield "load-8bit-5x3-grey-palette", bmp(5, 3, 8, palette=GREY)   # 3 pad bytes a row
    yield "load-8bit-4x4", bmp(4, 4, 8, palette=GREY[:64])           # no padding
    yield "load-8bit-1x1-no-palette", bmp(1, 1, 8)
    yield "load-8bit-3x2-top-down", bmp(3, -2, 8, palette=GREY[:16])
    yield "load-24bit-3x2", bmp(3, 2, 24)                             # 9 bytes padded to 12
    yield "load-24bit-1x3", bmp(1, 3, 24)                             # 1 pad byte
    yield "load-24bit-2x2-top-down", bmp(2, -2, 24)                   # 2 pad bytes
    yield "load-24bit-4x1", bmp(4, 1, 24)
    yield "load-24bit-7x5", bmp(7, 5, 24)
    yield "load-32bit-3x3", bmp(3, 3, 32)
    yield "load-32bit-2x2-top-down", bmp(2, -2, 32)
    yield "load-32bit-2x1-zero-alpha", bmp(2, 1, 32, [bytes([1, 2, 3, 0, 4, 5, 6, 0])])
    yield "load-24bit-3x2-v4-header", bmp(3, 2, 24, header_size=108)
    yield "load-32bit-2x2-v5-header", bmp(2, 2, 32, header_size=124)
    yield "load-24bit-2x2-gap-before-pixels", bmp(2, 2, 24, gap=b"\xEE" * 10)
    yield "load-24bit-2x2-trailing-bytes", bmp(2, 2, 24, trailing=b"\xAB" * 7)
    yield "load-8bit-2x2-negative-offset", bmp(2, 2, 8, offset=-4)   # seek fails: reads on
    yield "load-24bit-1x1-offset-into-header", bmp(1, 1, 24, offset=50)
    yield "reject-1bit", bmp(8, 2, 1, [b"\x5A", b"\xA5"], palette=GREY[:8])
    yield "reject-4bit", bmp(4, 2, 4, [b"\x01\x23", b"\x45\x67"], palette=GREY[:64])
    yield "reject-16bit", bmp(2, 2, 16, [b"\x00\x7C\xE0\x03", b"\x1F\x00\xFF\x7F"])
    yield "reject-rle8", bmp(2, 2, 8, [b"\x02\x05", b"\x00\x01"], compression=1, palette=GREY)
    yield "reject-rle4", bmp(2, 2, 4, [b"\x02\x05", b"\x00\x01"], compression=2,
                             palette=GREY[:64])
    yield "reject-bitfields-32bit", bmp(2, 2, 32, compression=3,
                                        gap=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF))
    yield "reject-magic-BA", bmp(2, 2, 24, magic=b"BA")
    yield "reject-zero-width", bmp(0, 2, 24, [b"", b""])
    yield "reject-zero-height", bmp(2, 0, 24, [])
    yield "reject-negative-width", bmp(-2, 2, 24, [b"\x00" * 6] * 2)
    yield "reject-header-cut-at-30", bmp(2, 2, 24)[:30]
    yield "reject-pixels-one-byte-short", bmp(3, 2, 24)[:-1]
    yield "reject-offset-past-end", bmp(2, 2, 24, offset=4096)
    yield "reject-huge-65535x65535", bmp(65535, 65535, 32, [b"\x00" * 8])
    yield "reject-huge-32767x32767-short", bmp(32767, 32767, 32, [b"\x00" * 8])
    yield "reject-height-int-min", bmp(1, -2**31, 8, [b"\x00"])


def main():
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "seeds")
    os.makedirs(directory, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(directory, name + ".bmp"), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
