"""Packs PNG files into one Windows icon (.ico): usage ico.py OUT.ico IN.png...

Windows Vista and later read PNG-compressed entries; each keeps the picture
as the Linux icons have it. The files must be square, 1 to 256 pixels."""
import struct, sys


def png_size(data, name):
    if data[:8] != b'\x89PNG\r\n\x1a\n' or data[12:16] != b'IHDR':
        sys.exit(f'ico.py: {name} is no PNG file')
    width, height = struct.unpack('>II', data[16:24])
    if width != height or not 1 <= width <= 256:
        sys.exit(f'ico.py: {name} is {width}x{height}; an icon is square, 1 to 256 pixels')
    return width


def main(out, names):
    pictures = [open(name, 'rb').read() for name in names]
    sizes = [png_size(data, name) for data, name in zip(pictures, names)]
    offset = 6 + 16 * len(pictures)
    header = struct.pack('<HHH', 0, 1, len(pictures))  # reserved, type 1 = icon, count
    entries = b''
    for size, data in zip(sizes, pictures):
        # 256 is written as 0; no palette; one plane of 32 bits a pixel.
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, 'wb') as ico:
        ico.write(header + entries + b''.join(pictures))


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
