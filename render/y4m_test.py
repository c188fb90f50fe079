#!/usr/bin/python3
"""Checks a YUV4MPEG2 stream of wendrix-render against the PNG frames of the same run.

Usage: y4m_test.py STREAM PNG...  Each frame's planes must hold the PNG's pixels in
BT.709 limited range at 4:4:4: Y = 16 + 219 Y'/255, Cb = 128 + 224 (B - Y')/1.8556/255,
Cr = 128 + 224 (R - Y')/1.5748/255 with Y' = 0.2126 R + 0.7152 G + 0.0722 B, each
rounded, within one step (libswscale's integer arithmetic rounds a few samples up).
Prints one line: how many frames matched, or the first sample that did not.
"""
import sys

from PIL import Image


def main(stream, pngs):
    data = open(stream, "rb").read()
    header, data = data.split(b"\n", 1)
    words = header.split()
    width, height = int(words[1][1:]), int(words[2][1:])
    if words[0] != b"YUV4MPEG2" or b"C444" not in words:
        return f"not a 4:4:4 YUV4MPEG2 stream: {header!r}"
    size = width * height
    for number, png in enumerate(pngs):
        if not data.startswith(b"FRAME\n"):
            return f"frame {number}: missing"
        planes, data = data[6:6 + 3 * size], data[6 + 3 * size:]
        pixels = Image.open(png).convert("RGB")
        if pixels.size != (width, height):
            return f"{png}: {pixels.size}, the stream {width}x{height}"
        for at, (r, g, b) in enumerate(pixels.getdata()):
            luma = 0.2126 * r + 0.7152 * g + 0.0722 * b
            wanted = (16 + 219 * luma / 255, 128 + 224 * (b - luma) / 1.8556 / 255,
                      128 + 224 * (r - luma) / 1.5748 / 255)
            for plane in range(3):
                got = planes[plane * size + at]
                if abs(got - round(wanted[plane])) > 1:
                    return (f"frame {number}, pixel {at % width},{at // width}, plane "
                            f"{'YUV'[plane]}: {got}, not {wanted[plane]:.1f}")
    return f"{len(pngs)} frames as their PNGs" + (", and more" if data else "")


if __name__ == "__main__":
    print(main(sys.argv[1], sys.argv[2:]))
