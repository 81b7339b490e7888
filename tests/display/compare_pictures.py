#!/usr/bin/env python3
"""Compares two PNG pictures of the same size channel by channel.

    compare_pictures.py A.png B.png [--mean LIMIT] [--max LIMIT]

Prints the mean difference per channel (in steps of 255), the largest
difference, and how many pixels differ at all or by more than 8 steps.
Exits 1 when the mean of a channel reaches --mean (default 1.0) or a
difference exceeds --max (default: no limit), 2 when the pictures cannot be
compared. Reads 8-bit RGB and RGBA pictures without interlacing.
"""

import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG picture")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    if not header:
        raise ValueError(f"{path}: no header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA without interlacing")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 0xFF
        elif kind == 2:
            line = bytearray((a + b) & 0xFF for a, b in zip(line, previous))
        elif kind == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                corner = previous[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + paeth(left, previous[i], corner)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, bpp, rows


def main(argv):
    args, limits = [], {"--mean": 1.0, "--max": None}
    i = 1
    while i < len(argv):
        if argv[i] in limits and i + 1 < len(argv):
            limits[argv[i]] = float(argv[i + 1])
            i += 2
        else:
            args.append(argv[i])
            i += 1
    if len(args) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        wa, ha, bpa, a = read_png(args[0])
        wb, hb, bpb, b = read_png(args[1])
    except (OSError, ValueError, zlib.error) as e:
        print(f"compare_pictures: {e}", file=sys.stderr)
        return 2
    if (wa, ha) != (wb, hb):
        print(f"compare_pictures: sizes differ: {wa}x{ha} and {wb}x{hb}", file=sys.stderr)
        return 2
    sums, largest, differing, far = [0, 0, 0], 0, 0, 0
    for ra, rb in zip(a, b):
        for x in range(wa):
            pa, pb = x * bpa, x * bpb
            pixel = 0
            for c in range(3):
                d = abs(ra[pa + c] - rb[pb + c])
                sums[c] += d
                pixel = max(pixel, d)
            largest = max(largest, pixel)
            differing += pixel > 0
            far += pixel > 8
    means = [s / (wa * ha) for s in sums]
    print(f"{wa}x{ha}: mean difference r {means[0]:.4f} g {means[1]:.4f} b {means[2]:.4f} (of 255), "
          f"largest {largest}, pixels differing {differing}, by more than 8 steps {far}")
    if max(means) >= limits["--mean"] or (limits["--max"] is not None and largest > limits["--max"]):
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
