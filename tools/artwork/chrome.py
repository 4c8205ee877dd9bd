"""Window chrome: frame bitmap, decoration, resize grip, panel corners,
page-area shading, caption-bar buttons, tabs and skin buttons."""

import math

from PIL import Image

from paint import (SHOULDER_ALPHA, WHITE, blank, cross, ellipse_mask, hline, mask, matte, paint_over, plot,
                   polygon_mask, rect_outline, rounded_mask, scale_mask, tint, vgradient, vline)
from skins import PAGE_LINE


def frame_border(skin):
    return tint(skin.form, -0.38)


def frame_bitmap(skin):
    """20 x 20 frame source: corners and edge slices cut out by the window's paint.

    Rows 0-14 are the top band (left corner 0-4, edge 5-9, right corner
    15-19); rows 15-19 the bottom band (corners 0-4 and 15-19, edge 10-14).
    The side edges are stretched from rows 15-16 of the bottom corners, so
    those rows carry the plain side pattern. Columns 10-14 on top and 5-9 at
    the bottom are never copied and hold the plain form colour.
    """
    border = frame_border(skin)
    img = blank(20, 20, skin.form)
    top = vgradient(20, 13, tint(skin.form, 0.12), tint(skin.form, 0.01))
    img.paste(top, (0, 2))
    plot(img, hline(0, 19, 1), tint(skin.form, 0.26))
    plot(img, hline(0, 19, 0) + hline(0, 19, 19) + vline(0, 0, 19) + vline(19, 0, 19), border)
    return img.convert("RGB")


def decoration(skin):
    """230 x 150 translucent light drawn over the top right of the window.

    Soft glow and thin concentric arcs around a point above the caption
    buttons, faded out towards the left and bottom so the picture has no
    visible edge; row 0 and the last column stay clear over the frame line.
    """
    w, h = 230, 150
    cx, cy = 236.0, -58.0
    colour = tint(skin.form, 0.75)
    strength = 0.75 if skin.dark else 1.0

    def fade(x, y):
        fx = min(1.0, x / 90.0)
        fy = max(0.0, 1.0 - max(0.0, y - 40.0) / 55.0)
        return (fx * fx * (3 - 2 * fx)) * (fy * fy * (3 - 2 * fy))

    def arcs(draw, s):
        for r in (96, 122, 150, 180, 212):
            draw.ellipse(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), outline=255, width=int(1.25 * s))

    rings = mask(w, h, arcs)
    alpha = Image.new("L", (w, h), 0)
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            glow = 0.30 * max(0.0, 1.0 - (d - 40.0) / 190.0) ** 2
            ring = 0.24 * rings.getpixel((x, y)) / 255.0
            a = (glow + ring) * fade(x, y) * strength
            if y == 0 or x == w - 1:
                a = 0.0
            alpha.putpixel((x, y), int(round(255 * min(a, 1.0))))
    img = blank(w, h, colour)
    img.putalpha(alpha)
    return img


def grip(skin):
    """7 x 7 resize grip: six raised dots in a triangle at the bottom right."""
    img = blank(7, 7)
    dots = [(5, 1), (3, 3), (5, 3), (1, 5), (3, 5), (5, 5)]
    plot(img, [(x + 1, y + 1) for x, y in dots], tint(skin.form, -0.35))
    plot(img, dots, tint(skin.form, 0.6))
    return img


def panel_corner(skin, corner):
    """5 x 5 rounded corner of the settings panel over the white page: corner is lt, rt, lb or rb."""
    ox = 0 if corner[0] == "l" else -5
    oy = 0 if corner[1] == "t" else -5
    cover = ellipse_mask(5, 5, (ox, oy, ox + 10, oy + 10))
    img = blank(5, 5, WHITE)
    return paint_over(img, skin.panel, cover)


def page_shading(part):
    """8 x 8 edge pieces that close the page area at the bottom and right.

    The page area has a grey line on its top and left; these pieces carry
    the white page down and right to its final edge and put a soft light
    line outside it, so the page reads as set into the window. part is
    left_bottom, bottom, right_bottom or right; bottom and right are
    stretched along their edge.
    """
    img = blank(8, 8)
    glow = (0x78, 0x2C)  # opacity of the two light rows or columns outside the page
    if part in ("left_bottom", "right_bottom"):
        plot(img, [(x, y) for x in range(0 if part == "right_bottom" else 1, 6 if part == "right_bottom" else 8)
                   for y in range(6)], WHITE)
    if part == "left_bottom":
        plot(img, vline(0, 0, 5), PAGE_LINE)
    if part in ("bottom", "left_bottom", "right_bottom"):
        x0 = 1 if part == "left_bottom" else 0
        x1 = 5 if part == "right_bottom" else 7
        for i, a in enumerate(glow):
            plot(img, hline(x0, x1, 6 + i), WHITE, a)
    if part in ("right", "right_bottom"):
        for i, a in enumerate(glow):
            plot(img, vline(6 + i, 0, 5 if part == "right_bottom" else 7), WHITE, a)
    if part == "right_bottom":
        for (x, y), a in (((6, 6), 0x50), ((7, 6), 0x20), ((6, 7), 0x20), ((7, 7), 0x0C)):
            plot(img, [(x, y)], WHITE, a)
    return matte(img, WHITE)


# --- caption-bar buttons -------------------------------------------------

CAPTION_HEIGHT = 17  # visible height; maximise and restore pictures carry one clear row below


QUESTION = (
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    "..#..",
    ".....",
    "..#..",
)

GLOBE = (
    "..#####..",
    ".#..#..#.",
    "#..#.#..#",
    "#..#.#..#",
    "#########",
    "#..#.#..#",
    "#..#.#..#",
    ".#..#..#.",
    "..#####..",
)


def bitmap_pixels(x0, y0, rows):
    """Pixels set by '#' in a small text bitmap placed at (x0, y0)."""
    return [(x0 + x, y0 + y) for y, row in enumerate(rows) for x, ch in enumerate(row) if ch == "#"]


def caption_glyph(kind, width):
    """Pixels (and an optional soft coverage mask) of a caption-bar glyph in a 9 x 9 box centred on the button."""
    x0 = (width - 9) // 2
    y0 = 4
    if kind == "min":
        return hline(x0, x0 + 8, y0 + 4), None
    if kind == "max":
        return rect_outline(x0, y0, x0 + 8, y0 + 8), None
    if kind == "restore":
        front = rect_outline(x0, y0 + 2, x0 + 6, y0 + 8)
        back = [p for p in rect_outline(x0 + 2, y0, x0 + 8, y0 + 6)
                if not (x0 <= p[0] <= x0 + 6 and y0 + 2 <= p[1] <= y0 + 8)]
        return front + back, None
    if kind == "menu":
        return hline(x0, x0 + 8, y0 + 1) + hline(x0, x0 + 8, y0 + 4) + hline(x0, x0 + 8, y0 + 7), None
    if kind == "help":
        return bitmap_pixels(x0 + 2, y0 + 1, QUESTION), None
    if kind == "close":
        diagonals, shoulders = cross(x0, y0, 9)
        soft = Image.new("L", (width, CAPTION_HEIGHT), 0)
        for p in shoulders:
            soft.putpixel(p, SHOULDER_ALPHA)
        return diagonals, soft
    if kind == "language":
        return bitmap_pixels(x0, y0, GLOBE), None
    raise ValueError(kind)


def caption_button(skin, kind, state, width, height):
    """Caption-bar button: a glyph on a clear background that lights up under the mouse."""
    img = blank(width, height)
    face = (0, 0, width, CAPTION_HEIGHT)
    if kind == "close":
        red = (0x9E, 0x1B, 0x1B) if skin.name == "red" else (0xD9, 0x33, 0x2B)
        fills = {"mouseon": (red, 1.0), "mousedown": (tint(red, -0.25), 1.0)}
    else:
        fills = {"mouseon": (WHITE, 0.24), "mousedown": ((0, 0, 0), 0.22)}
    if state in fills:
        colour, opacity = fills[state]
        paint_over(img, colour, scale_mask(rounded_mask(width, height, face, 0), opacity))
    pixels, aa = caption_glyph(kind, width)
    glyph_alpha = 0x70 if state == "disabled" else 255
    plot(img, pixels, WHITE, glyph_alpha)
    if aa is not None:
        paint_over(img, WHITE, scale_mask(pad_mask(aa, width, height), glyph_alpha / 255.0))
    return matte(img, WHITE)


def pad_mask(m, width, height):
    """Mask m placed at the top of a width x height mask."""
    out = Image.new("L", (width, height), 0)
    out.paste(m, (0, 0))
    return out


# --- tabs ----------------------------------------------------------------

TAB_W, TAB_H = 128, 31
TAB_SLANT = 9  # horizontal run of each slanted side


def tab_shape_mask(inset):
    """Trapezoid of the tab with rounded top corners, shrunk by inset pixels."""
    slope = TAB_SLANT / TAB_H
    shift = inset * math.hypot(1.0, slope)  # horizontal run of a perpendicular inset

    def left_x(y):
        return TAB_SLANT * (TAB_H - y) / TAB_H + shift

    def corner(c, p1, p2, steps=8):
        # Quadratic curve from p1 through the corner c to p2.
        pts = []
        for i in range(steps + 1):
            t = i / steps
            pts.append(tuple((1 - t) ** 2 * a + 2 * (1 - t) * t * b + t * t * d for a, b, d in zip(p1, c, p2)))
        return pts

    r = 4.0
    top = inset
    c = (left_x(top), top)
    down = (left_x(top + r), top + r)
    across = (c[0] + r, top)
    left = [(left_x(TAB_H), TAB_H)] + corner(c, down, across)
    pts = left + [(TAB_W - x, y) for x, y in reversed(left)]
    return polygon_mask(TAB_W, TAB_H, pts)


def tab_colours(skin, state):
    """(top, bottom, outline, highlight) of a tab in a state."""
    if state == "disabled":  # the selected tab: white, joined to the page below
        return WHITE, WHITE, PAGE_LINE, WHITE
    if skin.dark:
        base = {"normal": (0x4C, 0x4C, 0x4C), "mouseon": (0x62, 0x62, 0x62), "mousedown": (0x1C, 0x1C, 0x1C)}[state]
        top, bottom = (base, tint(base, -0.25)) if state != "mousedown" else (base, tint(base, 0.12))
        return top, bottom, (0x0C, 0x0C, 0x0C), tint(base, 0.18)
    step = {"normal": 0.0, "mouseon": 0.16, "mousedown": -0.22}[state]
    top = tint(skin.form, step + 0.04) if step >= -0.01 else tint(skin.form, step)
    bottom = tint(skin.form, step - 0.16) if state != "mousedown" else tint(skin.form, step + 0.08)
    return top, bottom, tint(skin.form, -0.42), tint(top, 0.28)


def tab(skin, state):
    """128 x 31 tab; the bottom row lies on the page area's top line."""
    top, bottom, outline, highlight = tab_colours(skin, state)
    outer = tab_shape_mask(0.0)
    inner = tab_shape_mask(1.0)
    img = blank(TAB_W, TAB_H)
    paint_over(img, outline, outer)
    fill = vgradient(TAB_W, TAB_H, top, bottom)
    paint_over(img, fill, inner)
    if state != "disabled":
        # One lighter row just inside the top edge.
        plot(img, [(x, 1) for x in range(TAB_W) if inner.getpixel((x, 1)) == 255], highlight)
        plot(img, hline(0, TAB_W - 1, TAB_H - 1), PAGE_LINE)
    else:
        edge = [x for x in range(TAB_W) if inner.getpixel((x, TAB_H - 1)) < 255]
        plot(img, [(x, TAB_H - 1) for x in range(TAB_W) if x not in edge], WHITE)
    return matte(img, outline)


# --- skin buttons --------------------------------------------------------

def skin_button(skin, state):
    """14 x 12 swatch of a skin with a white rim, brighter under the mouse."""
    img = blank(14, 12)
    rim = rounded_mask(14, 12, (0, 0, 14, 12), 3)
    face = rounded_mask(14, 12, (1, 1, 13, 11), 2)
    lift = 0.18 if state == "mouseon" else 0.0
    paint_over(img, WHITE, scale_mask(rim, 1.0 if state == "mouseon" else 0.62))
    paint_over(img, vgradient(14, 12, tint(skin.form, 0.22 + lift), tint(skin.form, -0.08 + lift)), face)
    return matte(img, WHITE)
