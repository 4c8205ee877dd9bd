#!/usr/bin/env python3
"""Writes the small picture fixtures that framework_tests embeds as
resources (under tests/framework/fixtures/). Run it from anywhere; the
output is deterministic, and the files are committed."""
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures", "pictures")


def png(width, height, color_type, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    os.makedirs(HERE, exist_ok=True)
    # 2 x 2 RGBA: red opaque, green half, blue clear, white opaque.
    rows = [[255, 0, 0, 255, 0, 255, 0, 128], [0, 0, 255, 0, 255, 255, 255, 255]]
    with open(os.path.join(HERE, "dots.png"), "wb") as f:
        f.write(png(2, 2, 6, rows))


if __name__ == "__main__":
    main()
