"""Packs PNG files into one Windows icon: usage ico.py OUT.ico IN.png...

Each picture becomes an entry of 32-bit pixels with alpha: a bitmap (DIB) below 256 pixels,
as every Windows reads them, and an RGBA PNG at 256, as Windows Vista and later read that
size. The inputs are square 8-bit RGB or RGBA PNG files, 1 to 256 pixels, not interlaced."""
import struct, sys, zlib


def decode(data, name):
    """(side, rows of RGBA bytes, top row first)."""
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'ico.py: {name} is no PNG file')
    chunks, at = {}, 8
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        chunks[kind] = chunks.get(kind, b'') + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', chunks[b'IHDR'])
    if width != height or not 1 <= width <= 256 or depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f'ico.py: {name}: want a square 8-bit RGB or RGBA picture of 1 to 256 pixels')
    step = 3 if colour == 2 else 4
    stride, raw, rows, previous = width * step, zlib.decompress(chunks[b'IDAT']), [], bytes(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):  # the five PNG filters, undone byte by byte
            a = line[i - step] if i >= step else 0
            b, c = previous[i], previous[i - step] if i >= step else 0
            p = a + b - c
            guess = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + [0, a, b, (a + b) // 2, guess][kind]) & 255
        previous = bytes(line)
        rows.append(previous if step == 4 else b''.join(previous[i:i + 3] + b'\xff' for i in range(0, stride, 3)))
    return width, rows


def png(side, rows):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(b''.join(b'\0' + row for row in rows), 9)) + chunk(b'IEND', b''))


def bitmap(side, rows):
    """BITMAPINFOHEADER of twice the height (picture and mask), BGRA rows bottom up, an empty mask."""
    header = struct.pack('<IiiHHIIiiII', 40, side, 2 * side, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(row[i + k] for i in range(0, 4 * side, 4) for k in (2, 1, 0, 3)) for row in reversed(rows))
    return header + pixels + bytes((side + 31) // 32 * 4 * side)


def main(out, names):
    entries = []
    for name in names:
        side, rows = decode(open(name, 'rb').read(), name)
        entries.append((side, png(side, rows) if side == 256 else bitmap(side, rows)))
    offset, directory = 6 + 16 * len(entries), struct.pack('<HHH', 0, 1, len(entries))
    for side, data in entries:
        # 256 is written as 0; no palette; one plane of 32 bits a pixel.
        directory += struct.pack('<BBBBHHII', side % 256, side % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, 'wb') as ico:
        ico.write(directory + b''.join(data for _, data in entries))


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
