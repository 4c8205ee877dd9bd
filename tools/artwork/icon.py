"""The program's icon: a sheet cut in two on a tile of the Blue skin.

Each size is drawn on its own pixel grid (not scaled from the largest), so
the small images keep whole-pixel edges. The .ico holds the images from
16 to 48 pixels as 32-bit bitmaps, which every Windows version reads, and
the 256-pixel image as PNG, which keeps the file small.
"""

import io
import struct

from PIL import Image

from paint import WHITE, blank, paint_over, polygon_mask, rounded_mask, tint, vgradient
from skins import BY_NAME

SIZES = (16, 24, 32, 48, 256)
PNG_FROM = 256  # images this large are stored as PNG


def image(size):
    """The icon at size x size pixels, RGBA."""
    skin = BY_NAME["blue"]
    s = size / 32.0
    img = blank(size, size)
    # The tile: the skin's caption gradient with a darker rim, as the window frame.
    margin = max(1, round(1 * s))
    tile = (margin, margin, size - margin, size - margin)
    radius = max(2, round(6 * s))
    rim = tint(skin.form, -0.38)
    paint_over(img, rim, rounded_mask(size, size, tile, radius))
    inner = (tile[0] + 1, tile[1] + 1, tile[2] - 1, tile[3] - 1)
    face = vgradient(size, size, tint(skin.form, 0.30), tint(skin.form, -0.08))
    paint_over(img, face, rounded_mask(size, size, inner, radius - 1))
    # The sheet, its top right corner folded, cut across its middle: the upper
    # piece sits a little to the left of the lower one.
    left, right = round(9 * s), round(23 * s)
    top, bottom = round(5 * s), round(27 * s)
    fold = max(2, round(5 * s))
    cut = round(16 * s)
    gap = max(1, round(2 * s))
    shift = max(1, round(1.5 * s))
    shade = tint(skin.form, -0.25)
    upper = [(left - shift, top), (right - shift - fold, top), (right - shift, top + fold),
             (right - shift, cut - gap // 2 - gap % 2), (left - shift, cut - gap // 2 - gap % 2 + max(1, round(s)))]
    lower = [(left + shift, cut + gap // 2 + max(1, round(s))), (right + shift, cut + gap // 2),
             (right + shift, bottom), (left + shift, bottom)]
    for points in (upper, lower):
        shadow = [(x + max(1, round(s)), y + max(1, round(s))) for x, y in points]
        paint_over(img, shade, polygon_mask(size, size, shadow))
        paint_over(img, WHITE, polygon_mask(size, size, points))
    # The fold: a triangle in the light of the skin.
    corner = [(right - shift - fold, top), (right - shift, top + fold), (right - shift - fold, top + fold)]
    paint_over(img, skin.light, polygon_mask(size, size, corner))
    # Text lines on the sheet from 24 pixels up.
    if size >= 24:
        line = tint(skin.form, 0.35)
        h = max(1, round(1.5 * s))
        for y in (cut - round(7 * s), cut - round(4 * s), cut + round(5 * s), cut + round(8 * s)):
            x0 = left + (shift if y > cut else -shift) + round(3 * s)
            x1 = x0 + round(8 * s)
            paint_over(img, line, rounded_mask(size, size, (x0, y, x1, y + h), 0))
    return img


def dib(img):
    """A 32-bit bitmap icon image: header, bottom-up BGRA rows, AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    rows = b"".join(bytes(c for x in range(w) for c in (px[x, y][2], px[x, y][1], px[x, y][0], px[x, y][3]))
                    for y in reversed(range(h)))
    stride = ((w + 31) // 32) * 4
    and_mask = bytearray(stride * h)
    for row, y in enumerate(reversed(range(h))):
        for x in range(w):
            if px[x, y][3] == 0:
                and_mask[row * stride + x // 8] |= 0x80 >> (x % 8)
    return header + rows + bytes(and_mask)


def png(img):
    out = io.BytesIO()
    img.save(out, "PNG", optimize=False, compress_level=9)
    return out.getvalue()


def ico(images):
    """Bytes of an .ico holding the given square RGBA images."""
    blobs = [png(i) if i.size[0] >= PNG_FROM else dib(i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w = img.size[0]
        out += struct.pack("<BBBBHHII", w % 256, w % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def icon_bytes():
    return ico([image(size) for size in SIZES])


def preview(scale=2):
    """Every size side by side on white, for looking at."""
    w = sum(SIZES) + 8 * (len(SIZES) + 1)
    sheet = Image.new("RGBA", (w, 256 + 16), WHITE + (255,))
    x = 8
    for size in SIZES:
        sheet.alpha_composite(image(size), (x, 8))
        x += size + 8
    return sheet.resize((w * scale, sheet.size[1] * scale), Image.Resampling.NEAREST)
