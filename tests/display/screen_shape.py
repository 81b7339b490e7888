#!/usr/bin/env python3
"""Reads an X window dump (xwd -root) of a 24/32-bit screen and reports how
the game's picture sits on it: writes the screen as a PNG, and checks that
the picture is scaled into a box of its own shape centred in an area (the
whole screen, or the window's), with black bars beside it.

    screen_shape.py DUMP PNG PICTURE_WIDTH PICTURE_HEIGHT AREA_X AREA_Y AREA_W AREA_H
    screen_shape.py DUMP PNG --drawn AREA_X AREA_Y AREA_W AREA_H

With --drawn it only says (by its exit status) whether the centre of the
area shows something other than black, for waiting on a first frame.
"""
import struct
import sys
import zlib


def read_xwd(path):
    """Rows of B, G, R, 0 bytes, top to bottom."""
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format, depth, width, height = header[:6]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    red_mask, ncolors = header[14], header[19]
    # The server dumps four-byte pixels, or three-byte ones packed in rows.
    if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32) or byte_order != 0 or red_mask != 0xFF0000:
        sys.exit("screen_shape: expected a 24 or 32-bit little-endian BGR dump")
    size = bits_per_pixel // 8
    offset = header_size + ncolors * 12
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * size]
        row = bytearray(width * 4)
        for channel in range(3):
            row[channel::4] = line[channel::size]
        rows.append(row)
    return width, height, rows


def write_png(path, width, height, rows):
    lines = []
    for row in rows:
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        lines.append(b"\0" + bytes(rgb))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(b"".join(lines), 6)))
        out.write(chunk(b"IEND", b""))


def lit_span(segment):
    """First and last pixel of a row segment that is not exact black (the
    bars are cleared to it; the picture's darkest sky is not), or None."""
    first = len(segment) - len(segment.lstrip(b"\0"))
    if first == len(segment):
        return None
    last = len(segment.rstrip(b"\0")) - 1
    return first // 4, last // 4


def main():
    dump, png = sys.argv[1], sys.argv[2]
    width, height, rows = read_xwd(dump)
    if sys.argv[3] == "--drawn":
        ax, ay, aw, ah = (int(v) for v in sys.argv[4:8])
        cx, cy = ax + aw // 2, ay + ah // 2
        sys.exit(0 if any(lit_span(rows[y][(cx - 40) * 4:(cx + 40) * 4]) for y in range(cy - 40, cy + 40, 8)) else 1)
    write_png(png, width, height, rows)
    picture_w, picture_h = int(sys.argv[3]), int(sys.argv[4])
    ax, ay, aw, ah = (int(v) for v in sys.argv[5:9])
    scale = min(aw / picture_w, ah / picture_h)
    left = ax + (aw - int(picture_w * scale)) // 2
    top = ay + (ah - int(picture_h * scale)) // 2
    spans = {y: lit_span(rows[y][ax * 4:(ax + aw) * 4]) for y in range(ay, ay + ah)}
    lit_rows = [y for y, span in spans.items() if span]
    if not lit_rows:
        sys.exit("screen_shape: the area is black")
    found = (ax + min(spans[y][0] for y in lit_rows), lit_rows[0], ax + max(spans[y][1] for y in lit_rows) + 1,
             lit_rows[-1] + 1)
    wanted = (left, top, left + int(picture_w * scale), top + int(picture_h * scale))
    print("area %dx%d at %d,%d: picture at %s, expected %s" % (aw, ah, ax, ay, found, wanted))
    if any(abs(a - b) > 2 for a, b in zip(found, wanted)):
        sys.exit("screen_shape: the picture is not centred in its own shape")

main()
