#!/usr/bin/env python3
"""Turns an X window dump (xwd, 24/32 bits a pixel) into a PNG and counts the
pixels of the menu's red title letters in the upper part of the picture.

usage: xwd_picture.py IN.xwd OUT.png   -> prints "red N of M"
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    if bits_per_pixel not in (24, 32):
        raise SystemExit(f"xwd_picture: {bits_per_pixel} bits a pixel is not handled")
    at = header_size + 12 * ncolors
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [shift(m) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[at + y * bytes_per_line: at + y * bytes_per_line + width * step]
        row = bytearray()
        for x in range(width):
            chunk = line[x * step: x * step + step]
            if step == 3:
                chunk += b"\0"
            (v,) = struct.unpack(order + "I", chunk)
            row += bytes(((v >> s) & 0xFF) for s in shifts)
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + r for r in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def main():
    width, height, rows = read_xwd(sys.argv[1])
    write_png(sys.argv[2], width, height, rows)
    red = 0
    for row in rows[: height // 3]:
        for x in range(width):
            r, g, b = row[3 * x: 3 * x + 3]
            if r > 120 and r > 2 * g and r > 2 * b:
                red += 1
    print(f"red {red} of {width * (height // 3)}")


main()
