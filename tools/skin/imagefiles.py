"""Canvases written as files: BMP at 4, 8, 24 and 32 bits per pixel (bottom-up, BITMAPINFOHEADER), PNG previews and
ICO icons, with Python's standard library only."""
import struct
import zlib

# The 16-colour VGA palette (black is index 0, pure red 9, pure blue 12, white 15): what skin masks are drawn in.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]


def _byte(v):
    return max(0, min(255, int(round(v))))


def _opaque_rgb(canvas, x, y):
    r, g, b, a = canvas.get(x, y)
    if a < 0.999:
        raise ValueError(f"pixel ({x}, {y}) of an opaque image is not opaque")
    return _byte(r), _byte(g), _byte(b)


def _bmp(width, height, bits, table, rows):
    """A BMP file from rows given bottom-up, each already padded to 4 bytes."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, sum(map(len, rows)), 2835, 2835,
                         len(table) // 4, 0)
    offset = 14 + len(header) + len(table)
    body = b"".join(rows)
    return b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + header + table + body


def _pad(row):
    return row + b"\0" * (-len(row) % 4)


def bmp32(canvas):
    """Straight (not premultiplied) alpha: the reader premultiplies on load."""
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b, a = canvas.get(x, y)
            row += bytes((_byte(b), _byte(g), _byte(r), _byte(a * 255)))
        rows.append(bytes(row))
    return _bmp(canvas.width, canvas.height, 32, b"", rows)


def bmp24(canvas):
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = _opaque_rgb(canvas, x, y)
            row += bytes((b, g, r))
        rows.append(_pad(bytes(row)))
    return _bmp(canvas.width, canvas.height, 24, b"", rows)


def _palette_bytes(colours):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


def bmp8(canvas):
    """An indexed image of the canvas's own colours; when it has more than 256, they are rounded to coarser steps
    until they fit."""
    pixels = [_opaque_rgb(canvas, x, y) for y in range(canvas.height) for x in range(canvas.width)]
    step = 1
    while True:
        rounded = [tuple(min(255, (c + step // 2) // step * step) for c in p) for p in pixels]
        colours = sorted(set(rounded))
        if len(colours) <= 256:
            break
        step *= 2
    index = {c: i for i, c in enumerate(colours)}
    rows = []
    for y in reversed(range(canvas.height)):
        rows.append(_pad(bytes(index[rounded[y * canvas.width + x]] for x in range(canvas.width))))
    return _bmp(canvas.width, canvas.height, 8, _palette_bytes(colours), rows)


def bmp4_vga(canvas):
    """A mask: every pixel must be one of the VGA palette's colours."""
    index = {c: i for i, c in enumerate(VGA_PALETTE)}
    rows = []
    for y in reversed(range(canvas.height)):
        nibbles = [index[_opaque_rgb(canvas, x, y)] for x in range(canvas.width)]
        if len(nibbles) % 2:
            nibbles.append(0)
        rows.append(_pad(bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, len(nibbles), 2))))
    return _bmp(canvas.width, canvas.height, 4, _palette_bytes(VGA_PALETTE), rows)


def bmp(canvas, bits):
    return {32: bmp32, 24: bmp24, 8: bmp8, 4: bmp4_vga}[bits](canvas)


def png(canvas, scale=1, backdrop=None):
    """An RGBA PNG, each pixel a scale x scale block; `backdrop(x, y)` gives a colour to show under transparency."""
    raw = bytearray()
    for y in range(canvas.height * scale):
        raw.append(0)
        for x in range(canvas.width * scale):
            r, g, b, a = canvas.get(x // scale, y // scale)
            if backdrop:
                br, bg, bb = backdrop(x, y)
                r, g, b, a = r * a + br * (1 - a), g * a + bg * (1 - a), b * a + bb * (1 - a), 1.0
            raw += bytes((_byte(r), _byte(g), _byte(b), _byte(a * 255)))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", canvas.width * scale, canvas.height * scale, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def ico(canvases):
    """An icon group file: each canvas a 32-bit image with its AND mask (set where fully transparent)."""
    images = []
    for c in canvases:
        xor = bytearray()
        for y in reversed(range(c.height)):
            for x in range(c.width):
                r, g, b, a = c.get(x, y)
                xor += bytes((_byte(b), _byte(g), _byte(r), _byte(a * 255)))
        mask = bytearray()
        for y in reversed(range(c.height)):
            bits = [1 if c.get(x, y)[3] <= 0 else 0 for x in range(c.width)]
            row = bytearray()
            for i in range(0, len(bits), 8):
                byte = 0
                for j, bit in enumerate(bits[i:i + 8]):
                    byte |= bit << (7 - j)
                row.append(byte)
            mask += row + b"\0" * (-len(row) % 4)
        header = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c.width, c.height, header + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)
