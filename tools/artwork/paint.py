"""Drawing primitives shared by every picture of the skins.

Pictures are Pillow RGBA images. Shapes are anti-aliased by drawing a
coverage mask at SS times the size and reducing it with a box filter, so
straight edges on whole pixels stay crisp and only curves and slants get
partial coverage. Glyphs are plotted pixel by pixel.
"""

import io

from PIL import Image, ImageDraw

SS = 4  # supersampling factor of coverage masks

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def mix(a, b, t):
    """Colour a moved the fraction t of the way towards colour b."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def tint(c, t):
    """Lighter (t > 0, towards white) or darker (t < 0, towards black)."""
    return mix(c, WHITE, t) if t >= 0 else mix(c, BLACK, -t)


def luminance(c):
    r, g, b = c[:3]
    return 0.299 * r + 0.587 * g + 0.114 * b


def blank(w, h, colour=None):
    """A new picture, transparent or filled with an opaque colour."""
    if colour is None:
        return Image.new("RGBA", (w, h), (0, 0, 0, 0))
    return Image.new("RGBA", (w, h), tuple(colour) + (255,))


def vgradient(w, h, top, bottom):
    """Opaque w x h picture whose rows run from colour top to colour bottom."""
    img = Image.new("RGBA", (w, h))
    draw = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1) if h > 1 else 0.0
        draw.line([(0, y), (w - 1, y)], fill=mix(top, bottom, t) + (255,))
    return img


def hgradient(w, h, left, right):
    return vgradient(h, w, left, right).transpose(Image.Transpose.TRANSPOSE)


def mask(w, h, paint):
    """Coverage mask (mode L): paint(draw, s) draws in white at scale s."""
    big = Image.new("L", (w * SS, h * SS), 0)
    paint(ImageDraw.Draw(big), SS)
    return big.resize((w, h), Image.Resampling.BOX)


def rounded_mask(w, h, box, radius):
    """Mask of a rounded rectangle covering pixels box = (x0, y0, x1, y1), x1 and y1 exclusive."""
    x0, y0, x1, y1 = box

    def paint(draw, s):
        if radius <= 0:
            draw.rectangle((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255)
        else:
            draw.rounded_rectangle((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=radius * s, fill=255)

    return mask(w, h, paint)


def polygon_mask(w, h, points):
    """Mask of a polygon given in pixel-edge coordinates."""
    return mask(w, h, lambda draw, s: draw.polygon([(x * s, y * s) for x, y in points], fill=255))


def ellipse_mask(w, h, box):
    """Mask of an ellipse inscribed in box = (x0, y0, x1, y1) in pixel-edge coordinates."""
    x0, y0, x1, y1 = box
    return mask(w, h, lambda draw, s: draw.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255))


def scale_mask(m, opacity):
    """Mask m with every coverage multiplied by opacity (0..1)."""
    return m.point(lambda v: int(round(v * opacity)))


def paint_over(img, source, coverage):
    """Composite source (a picture or an RGB colour) over img where coverage says, in place."""
    w, h = img.size
    if isinstance(source, tuple):
        source = blank(w, h, source[:3])
    layer = source.copy()
    alpha = layer.getchannel("A")
    layer.putalpha(Image.composite(alpha, Image.new("L", (w, h), 0), coverage))
    img.alpha_composite(layer)
    return img


def plot(img, pixels, colour, alpha=255):
    """Set single pixels (composited over what is there) for crisp glyphs."""
    layer = blank(*img.size)
    for x, y in pixels:
        layer.putpixel((x, y), tuple(colour[:3]) + (alpha,))
    img.alpha_composite(layer)
    return img


def hline(x0, x1, y):
    return [(x, y) for x in range(x0, x1 + 1)]


def vline(x, y0, y1):
    return [(x, y) for y in range(y0, y1 + 1)]


def rect_outline(x0, y0, x1, y1):
    """Pixels of a one-pixel rectangle outline, corners inclusive."""
    return sorted(set(hline(x0, x1, y0) + hline(x0, x1, y1) + vline(x0, y0, y1) + vline(x1, y0, y1)))


def cross(x0, y0, n):
    """Pixels of an n x n diagonal cross and of its side neighbours.

    The neighbours, drawn faintly, give the thin diagonals the weight of
    horizontal and vertical one-pixel strokes.
    """
    diagonals = {(x0 + i, y0 + i) for i in range(n)} | {(x0 + n - 1 - i, y0 + i) for i in range(n)}
    shoulders = {(x + d, y) for x, y in diagonals for d in (-1, 1)} - diagonals
    return sorted(diagonals), sorted(shoulders)


SHOULDER_ALPHA = 0x38


def triangle(cx, top, rows, pointing):
    """Pixels of a solid arrow head centred on column cx.

    rows rows tall, widths 1, 3, 5, ...; pointing 'up' or 'down' along y,
    'left' or 'right' along x (then cx is the centre row and top the first column).
    """
    pts = []
    for i in range(rows):
        half = i if pointing in ("up", "left") else rows - 1 - i
        for d in range(-half, half + 1):
            pts.append((cx + d, top + i))
    if pointing in ("left", "right"):
        pts = [(y, x) for x, y in pts]
    return pts


def matte(img, rgb):
    """Give fully transparent pixels the colour rgb, so fades between states blend cleanly."""
    px = img.load()
    w, h = img.size
    for y in range(h):
        for x in range(w):
            if px[x, y][3] == 0:
                px[x, y] = tuple(rgb) + (0,)
    return img


def encode(img, fmt):
    """Bytes of a picture in one of the stored formats; no time or text chunks."""
    out = io.BytesIO()
    if fmt == "png-rgba":
        img.convert("RGBA").save(out, "PNG", optimize=False, compress_level=9)
    elif fmt == "bmp24":
        img.convert("RGB").save(out, "BMP")
    elif fmt == "jpeg":
        img.convert("RGB").save(out, "JPEG", quality=93, subsampling=0, optimize=False, progressive=False)
    else:
        raise ValueError("unknown format " + fmt)
    return out.getvalue()
