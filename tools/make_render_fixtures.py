#!/usr/bin/env python3
"""Makes the images of the rendering tests: PNGs, a BMP and an icon with exact pixels.

Pixels are given as (R, G, B, A) rows, top row first. Usage: make_render_fixtures.py <out-dir>
"""
import os
import struct
import sys
import zlib

RED = (255, 0, 0, 255)
GREEN = (0, 255, 0, 255)
BLUE = (0, 0, 255, 255)
MAGENTA = (255, 0, 255, 255)
CLEAR = (0, 0, 0, 0)


def png_file(width, height, colour_type, image_data):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", image_data)
            + chunk(b"IEND", b""))


def png(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
    return png_file(width, height, 6, zlib.compress(raw, 9))


def zeros_zlib(size):
    """A zlib stream of size zero bytes, made without compressing them all: after a full flush
    the compressor starts afresh, so every further megabyte of zeros packs to the same bytes."""
    block = 1 << 20
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    whole, rest = divmod(size, block)
    unit = packer.compress(bytes(block)) + packer.flush(zlib.Z_FULL_FLUSH) if whole else b""
    tail = packer.compress(bytes(rest)) + packer.flush(zlib.Z_FINISH)
    adler = (size % 65521) << 16 | 1  # the sums of zero bytes
    return b"\x78\xda" + unit * whole + tail + struct.pack(">I", adler)


def bgr_rows_bottom_up(rows):
    """24-bit DIB rows, bottom row first, each padded to a multiple of 4 bytes."""
    out = b""
    for row in reversed(rows):
        line = bytes(channel for r, g, b, _ in row for channel in (b, g, r))
        out += line + b"\0" * (-len(line) % 4)
    return out


def bmp(rows):
    height, width = len(rows), len(rows[0])
    pixels = bgr_rows_bottom_up(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 54) + info + pixels


def ico(rows):
    """One 24-bit image with an AND mask: fully transparent pixels get a set mask bit."""
    height, width = len(rows), len(rows[0])
    colour = bgr_rows_bottom_up(rows)
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits |= 1 << (width - 1 - x)
        line = bits.to_bytes((width + 7) // 8, "big")
        mask += line + b"\0" * (-len(line) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = info + colour + mask
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 24, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def solid(width, height, pixel):
    return [[pixel] * width for _ in range(height)]


def nine_part(size, corner):
    """Corners red, edges blue, centre green: each part of a nine-part stretch is told apart."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            edge_x = x < corner or x >= size - corner
            edge_y = y < corner or y >= size - corner
            row.append(RED if edge_x and edge_y else BLUE if edge_x or edge_y else GREEN)
        rows.append(row)
    return rows


def partly_transparent(size):
    """An opaque disc on a clear square with a half-transparent rim, like a real button icon."""
    rows = []
    centre = (size - 1) / 2
    for y in range(size):
        row = []
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if distance < size * 0.35:
                row.append((30, 144, 255, 255))
            elif distance < size * 0.45:
                row.append((30, 144, 255, 128))
            else:
                row.append(CLEAR)
        rows.append(row)
    return rows


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    files = {
        "render_premultiplied.png": png([[(200, 100, 50, 128), (10, 20, 30, 255)],
                                         [CLEAR, (255, 255, 255, 0)]]),
        "render_opaque.png": png(solid(3, 2, (10, 20, 30, 255))),
        "render_blue.png": png(solid(8, 8, BLUE)),
        "render_magenta.png": png([[MAGENTA, (255, 0, 255, 128), GREEN]]),
        "render_magenta.bmp": bmp([[MAGENTA, GREEN], [BLUE, MAGENTA]]),
        "render_nine.png": png(nine_part(12, 4)),
        "render_disc40.png": png(partly_transparent(40)),
        "render_gradient.png": png([[(x * 8, y * 8, 100, 255) for x in range(32)] for y in range(32)]),
        "render_corners.png": png([[CLEAR if (x in (0, 9) and y in (0, 9)) or (x, y) == (1, 0) else GREEN
                                    for x in range(10)] for y in range(10)]),
        "render_icon.ico": ico([[CLEAR] * 8 + [RED] * 8 for _ in range(16)]),
        "render_broken.png": b"\x89PNG\r\n\x1a\nnot really a picture",
        # 16384 x 16384 grey pixels in a quarter of a megabyte: a gibibyte once decoded.
        "render_huge.png": png_file(16384, 16384, 0, zeros_zlib(16384 * (16384 + 1))),
        # One pixel whose image data inflates to 2 GiB in 2 MB.
        "render_bomb.png": png_file(1, 1, 6, zeros_zlib(2 << 30)),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as fh:
            fh.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
