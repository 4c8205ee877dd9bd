"""Pictures of the progress bars, radio boxes, scroll bars, list header,
list rows and the page logo."""

from PIL import Image

from paint import (WHITE, blank, ellipse_mask, hline, matte, paint_over, plot, polygon_mask, rounded_mask,
                   tint, triangle, vgradient, vline)
from skins import EDIT_BORDER

CELL = 17  # side of a scroll-bar cell


# --- progress bar ------------------------------------------------------------

def progress_trough(skin):
    """14 x 14 inside of the bar, stretched along its length: a faint well."""
    img = vgradient(14, 14, tint(skin.form, 0.84), tint(skin.form, 0.97))
    plot(img, hline(0, 13, 0), tint(skin.form, 0.74))
    return img


def progress_bar(skin):
    """12 x 12 filled part, stretched along its length; light enough for black text."""
    base = (0x6A, 0x6A, 0x6A) if skin.dark else skin.form
    img = vgradient(12, 12, tint(base, 0.52), tint(base, 0.16))
    plot(img, hline(0, 11, 0), tint(base, 0.72))
    plot(img, hline(0, 11, 11), tint(base, 0.02))
    return img


# --- radio box -----------------------------------------------------------------

def radio_box(checked, state):
    """9 x 9 round box of the mode radio buttons, drawn over the tinted settings panel."""
    ring, top, bottom, dot = {
        "normal": ((0x86, 0x86, 0x86), (0xEE, 0xEE, 0xEE), WHITE, (0x2A, 0x2A, 0x2A)),
        "mouseon": ((0x4A, 0x4A, 0x4A), WHITE, WHITE, (0x00, 0x00, 0x00)),
        "disabled": ((0xBA, 0xBA, 0xBA), (0xEE, 0xEE, 0xEE), (0xEE, 0xEE, 0xEE), (0xA4, 0xA4, 0xA4)),
    }[state]
    img = blank(9, 9)
    paint_over(img, ring, ellipse_mask(9, 9, (0, 0, 9, 9)))
    paint_over(img, vgradient(9, 9, top, bottom), ellipse_mask(9, 9, (1, 1, 8, 8)))
    if checked:
        paint_over(img, dot, ellipse_mask(9, 9, (2.4, 2.4, 6.6, 6.6)))
    return matte(img, ring)


# --- scroll bar sheets ---------------------------------------------------------

def scroll_colours(skin):
    """Track and line colours per part state (0 normal, 1 hot, 2 pressed, 3 disabled)."""
    f = skin.form
    track = [tint(f, 0.93), tint(f, 0.93), tint(f, 0.80), (0xF4, 0xF4, 0xF4)]
    line = [tint(f, 0.80), tint(f, 0.80), tint(f, 0.66), (0xE0, 0xE0, 0xE0)]
    return track, line


def track_cell(skin, state, vertical):
    """A track cell: plain fill with a line along the side that touches the list."""
    track, line = scroll_colours(skin)
    img = blank(CELL, CELL, track[state])
    plot(img, vline(0, 0, CELL - 1) if vertical else hline(0, CELL - 1, 0), line[state])
    return img


def arrow_cell(skin, state, pointing):
    """An arrow button cell: a rounded button on the track with a centred arrow head."""
    f = skin.form
    top, bottom, outline, glyph = [
        (tint(f, 0.90), tint(f, 0.80), tint(f, 0.56), tint(f, -0.18)),
        (tint(f, 0.97), tint(f, 0.88), tint(f, 0.36), tint(f, -0.05)),
        (tint(f, 0.64), tint(f, 0.75), tint(f, 0.14), tint(f, -0.35)),
        ((0xF2, 0xF2, 0xF2), (0xEA, 0xEA, 0xEA), (0xD4, 0xD4, 0xD4), (0xB6, 0xB6, 0xB6)),
    ][state]
    img = track_cell(skin, state if state == 3 else 0, pointing in ("up", "down"))
    paint_over(img, outline, rounded_mask(CELL, CELL, (1, 1, CELL - 1, CELL - 1), 2))
    paint_over(img, vgradient(CELL, CELL, top, bottom), rounded_mask(CELL, CELL, (2, 2, CELL - 2, CELL - 2), 1))
    centre = CELL // 2
    plot(img, triangle(centre, 6, 4, pointing), glyph)
    return img


def scroll_sheet(skin):
    """153 x 68 sheet: 9 columns of 17-pixel cells, one row per part state.

    Columns: up, down, (unused), vertical track, left, right, (unused),
    horizontal track, corner box.
    """
    sheet = blank(9 * CELL, 4 * CELL)
    for state in range(4):
        y = state * CELL
        cells = [arrow_cell(skin, state, "up"), arrow_cell(skin, state, "down"), track_cell(skin, state, True),
                 track_cell(skin, state, True), arrow_cell(skin, state, "left"), arrow_cell(skin, state, "right"),
                 track_cell(skin, state, False), track_cell(skin, state, False), corner_cell(skin)]
        for col, cell in enumerate(cells):
            sheet.paste(cell, (col * CELL, y))
    return sheet


def corner_cell(skin):
    track, line = scroll_colours(skin)
    img = blank(CELL, CELL, track[0])
    plot(img, hline(0, CELL - 1, 0) + vline(0, 0, CELL - 1), line[0])
    return img


def thumb_colours(skin, state):
    """(fill, outline) of the thumb in state 0 normal, 1 hot, 2 pressed."""
    f = skin.form
    return [(tint(f, 0.55), tint(f, 0.22)), (tint(f, 0.68), tint(f, 0.34)), (tint(f, 0.34), tint(f, 0.02))][state]


def thumb_body(skin, state, grip):
    """Vertical thumb cell: a rounded bar across the track, straight in its middle rows 2-14."""
    fill, outline = thumb_colours(skin, state)
    img = track_cell(skin, 0, True)
    paint_over(img, outline, rounded_mask(CELL, CELL, (2, 0, CELL - 2, CELL), 2))
    paint_over(img, fill, rounded_mask(CELL, CELL, (3, 1, CELL - 3, CELL - 1), 1))
    plot(img, vline(3, 2, CELL - 3), tint(fill, 0.25))
    if grip:
        for y in (6, 8, 10):
            plot(img, hline(6, 10, y), outline)
            plot(img, hline(6, 10, y + 1), tint(fill, 0.4))
    return img


def thumb_sheet(skin):
    """68 x 51 sheet: vertical body, vertical grip, horizontal body, horizontal grip; rows normal, hot, pressed."""
    sheet = blank(4 * CELL, 3 * CELL)
    for state in range(3):
        body, grip = thumb_body(skin, state, False), thumb_body(skin, state, True)
        cells = [body, grip, body.transpose(Image.Transpose.TRANSPOSE), grip.transpose(Image.Transpose.TRANSPOSE)]
        for col, cell in enumerate(cells):
            sheet.paste(cell, (col * CELL, state * CELL))
    return sheet


# --- list header ---------------------------------------------------------------

HEADER_W, HEADER_H = 8, 20


def header_background(skin, state):
    """Header background tile for a state: normal, over, down or disable."""
    f = skin.form
    top, bottom, line = {
        "normal": (WHITE, tint(f, 0.86), tint(f, 0.55)),
        "over": (WHITE, tint(f, 0.93), f),
        "down": (tint(f, 0.70), tint(f, 0.82), tint(f, 0.30)),
        "disable": ((0xF7, 0xF7, 0xF7), (0xE8, 0xE8, 0xE8), (0xCF, 0xCF, 0xCF)),
    }[state]
    img = vgradient(HEADER_W, HEADER_H, top, bottom)
    plot(img, hline(0, HEADER_W - 1, HEADER_H - 1), line)
    return img


def header_split(skin):
    """2 x 14 column separator: a tinted line with a white line beside it, faded at both ends."""
    img = blank(2, 14)
    for y in range(14):
        a = 255 if 2 <= y <= 11 else 0x70
        plot(img, [(0, y)], tint(skin.form, 0.55), a)
        plot(img, [(1, y)], WHITE, a)
    return matte(img, WHITE)


def header_cap(skin, side):
    """3 x 20 end of the header: the list's border colour at the outer column."""
    img = header_background(skin, "normal").crop((0, 0, 3, HEADER_H))
    plot(img, vline(0 if side == "left" else 2, 0, HEADER_H - 1), EDIT_BORDER)
    return img


def sort_image(kind):
    """16 x 16 sort mark of a header column: up (ascending), down (descending) or both."""
    img = blank(16, 16)
    colour = (0x5A, 0x5A, 0x5A)
    if kind == "up":
        plot(img, triangle(7, 6, 4, "up"), colour)
    elif kind == "down":
        plot(img, triangle(7, 6, 4, "down"), colour)
    else:
        plot(img, triangle(7, 3, 4, "up"), colour)
        plot(img, triangle(7, 9, 4, "down"), colour)
    return matte(img, colour)


# --- list row icon and page logo ---------------------------------------------

def row_icon():
    """14 x 14 part file: a page with a folded corner and a dashed cut across it."""
    img = blank(14, 14)
    outline = (0x6B, 0x77, 0x85)
    page = polygon_mask(14, 14, [(2, 0), (9, 0), (12, 3), (12, 14), (2, 14)])
    inside = polygon_mask(14, 14, [(3, 1), (8.6, 1), (11, 3.4), (11, 13), (3, 13)])
    paint_over(img, outline, page)
    paint_over(img, vgradient(14, 14, WHITE, (0xE9, 0xEE, 0xF4)), inside)
    plot(img, [(8, 1), (8, 2), (8, 3), (9, 3), (10, 3)], outline)
    plot(img, hline(4, 7, 3) + hline(4, 9, 5), (0x9A, 0xA8, 0xB8))
    plot(img, [(x, 8) for x in (1, 2, 4, 5, 7, 8, 10, 11)], (0xD2, 0x4B, 0x3A))
    plot(img, hline(4, 9, 10), (0x9A, 0xA8, 0xB8))
    return matte(img, outline)


def page_logo():
    """72 x 72 logo of the split and merge pages: a sheet cut into three coloured parts, on white."""
    size = 72
    img = blank(size, size, WHITE)
    parts = [((0x3A, 0x8B, 0xD5), 7, 24, -3), ((0x3A, 0xAA, 0x3F), 28, 45, 3), ((0xE7, 0x89, 0x3A), 49, 66, -1)]
    for colour, y0, y1, dx in parts:
        x0, x1 = 13 + dx, 59 + dx
        paint_over(img, (0xDD, 0xE1, 0xE6), rounded_mask(size, size, (x0 + 2, y0 + 2, x1 + 2, y1 + 2), 4))
        paint_over(img, tint(colour, -0.2), rounded_mask(size, size, (x0, y0, x1, y1), 4))
        paint_over(img, vgradient(size, size, tint(colour, 0.28), colour),
                   rounded_mask(size, size, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), 3))
        plot(img, hline(x0 + 7, x1 - 10, y0 + 6), WHITE, 0xD0)
        plot(img, hline(x0 + 7, x1 - 18, y0 + 10), WHITE, 0xA0)
    for y in (26, 47):  # dashed cut lines between the parts
        plot(img, [(x, y) for x in range(4, 68) if (x // 3) % 2 == 0], (0x8A, 0x92, 0x9C))
    return img.convert("RGB")
