"""Push buttons of the pages: large, OK, list add and clear, browse,
up-down arrows and the combo box's drop-down button.

Every button is a rounded face with a one-pixel outline, a vertical
gradient and a light row under its top edge; only the corners are
anti-aliased, so the middle columns are identical and the pictures can be
stretched by repeating one column.
"""

from paint import (SHOULDER_ALPHA, WHITE, blank, cross, hline, luminance, matte, paint_over, plot, rounded_mask,
                   tint, triangle, vgradient, vline)
from skins import EDIT_BORDER, EDIT_TEXT

DISABLED = ((0xF4, 0xF4, 0xF4), (0xE3, 0xE3, 0xE3), (0xBC, 0xBC, 0xBC))
DISABLED_GLYPH = (0xA8, 0xA8, 0xA8)
NEUTRAL = (0x7C, 0x86, 0x90)  # slate grey the skin-neutral buttons are tinted from


def face_colours(base, dark, state):
    """(top, bottom, outline) of a button face; base is the colour the ramp is tinted from."""
    if state == "disabled":
        return DISABLED
    if dark:
        return {"normal": ((0x52, 0x52, 0x52), (0x2A, 0x2A, 0x2A), (0x10, 0x10, 0x10)),
                "mouseon": ((0x68, 0x68, 0x68), (0x3C, 0x3C, 0x3C), (0x18, 0x18, 0x18)),
                "mousedown": ((0x1A, 0x1A, 0x1A), (0x30, 0x30, 0x30), (0x00, 0x00, 0x00))}[state]
    return {"normal": (tint(base, 0.90), tint(base, 0.66), tint(base, -0.12)),
            "mouseon": (tint(base, 0.97), tint(base, 0.80), base),
            "mousedown": (tint(base, 0.56), tint(base, 0.72), tint(base, -0.32))}[state]


def neutral_colours(state):
    """Face of the buttons that sit beside the grey-framed edits in every skin."""
    if state == "normal":
        return (0xFA, 0xFA, 0xFA), (0xE2, 0xE4, 0xE6), EDIT_BORDER
    if state == "mouseon":
        return WHITE, (0xEC, 0xEE, 0xF0), (0x70, 0x78, 0x80)
    return face_colours(NEUTRAL, False, state)


def face(w, h, colours, radius, state):
    """A button face of w x h in the given (top, bottom, outline) colours."""
    top, bottom, outline = colours
    img = blank(w, h)
    paint_over(img, outline, rounded_mask(w, h, (0, 0, w, h), radius))
    inner = rounded_mask(w, h, (1, 1, w - 1, h - 1), max(radius - 1, 0))
    paint_over(img, vgradient(w, h, top, bottom), inner)
    if state == "mousedown":
        edge = tint(top, -0.08)  # a shade under the top edge: the face looks pressed in
    else:
        edge = tint(top, 0.7 if luminance(top) > 128 else 0.16)
    row = [(x, 1) for x in range(w) if inner.getpixel((x, 1)) == 255]
    plot(img, row, edge)
    return img


def glyph_colour(skin, state, neutral=False):
    if state == "disabled":
        return DISABLED_GLYPH
    if neutral:
        return EDIT_TEXT
    return skin.caption


def push_button(skin, state, size, radius=3, glyph=None, neutral=False):
    """A skinned button picture; glyph(img, colour) draws its symbol."""
    w, h = size
    if neutral:
        colours = neutral_colours(state)
        dark = False
    else:
        colours = face_colours(skin.form, skin.dark, state)
        dark = skin.dark
    img = face(w, h, colours, radius, state)
    if glyph is not None:
        colour = WHITE if dark and state != "disabled" else glyph_colour(skin, state, neutral)
        glyph(img, colour)
    return matte(img, colours[2])


# --- glyphs ----------------------------------------------------------------

def plus_glyph(img, colour):
    w, h = img.size
    cx, cy = w // 2, h // 2
    plot(img, hline(cx - 4, cx + 4, cy) + vline(cx, cy - 4, cy + 4), colour)


def clear_glyph(img, colour):
    w, h = img.size
    diagonals, shoulders = cross(w // 2 - 3, h // 2 - 3, 7)
    plot(img, diagonals, colour)
    plot(img, shoulders, colour, SHOULDER_ALPHA)


def folder_glyph(img, colour):
    """A 13 x 10 folder centred on the button."""
    w, h = img.size
    x0, y0 = (w - 13) // 2, (h - 10) // 2
    paper = (0xF6, 0xD3, 0x6E) if colour != DISABLED_GLYPH else (0xE8, 0xE8, 0xE8)
    back = (0xE7, 0xB9, 0x4A) if colour != DISABLED_GLYPH else (0xDA, 0xDA, 0xDA)
    plot(img, [(x, y) for x in range(x0 + 1, x0 + 12) for y in range(y0 + 2, y0 + 9)], back)
    plot(img, [(x, y) for x in range(x0 + 1, x0 + 12) for y in range(y0 + 4, y0 + 9)], paper)
    outline = hline(x0, x0 + 4, y0) + [(x0 + 5, y0 + 1)] + hline(x0 + 6, x0 + 12, y0 + 1)
    outline += vline(x0, y0, y0 + 9) + vline(x0 + 12, y0 + 1, y0 + 9) + hline(x0, x0 + 12, y0 + 9)
    outline += hline(x0 + 1, x0 + 11, y0 + 3)
    plot(img, outline, colour)


def arrow_glyph(pointing, rows):
    def draw(img, colour):
        w, h = img.size
        plot(img, triangle(w // 2, (h - rows + 1) // 2, rows, pointing), colour)
    return draw


# --- the button families ---------------------------------------------------

def large_button(skin, state):
    return push_button(skin, state, (101, 33), radius=4)


def ok_button(skin, state):
    return push_button(skin, state, (75, 23), radius=3)


def list_add_button(skin, state):
    return push_button(skin, state, (31, 21), glyph=plus_glyph)


def list_clear_button(skin, state):
    return push_button(skin, state, (31, 21), glyph=clear_glyph)


def browse_button(state):
    return push_button(None, state, (41, 19), radius=2, glyph=folder_glyph, neutral=True)


def updown_button(skin, state, pointing):
    """15 x 9 half of the block-count up-down; skin None gives the light set."""
    glyph = arrow_glyph(pointing, 3)
    if skin is None:
        return push_button(None, state, (15, 9), radius=2, glyph=glyph, neutral=True)
    return push_button(skin, state, (15, 9), radius=2, glyph=glyph)


def combo_button(skin, state):
    """17 x 15 drop-down button of the unit combo box; skin None gives the light set."""
    glyph = arrow_glyph("down", 4)
    if skin is None:
        return push_button(None, state, (17, 15), radius=2, glyph=glyph, neutral=True)
    return push_button(skin, state, (17, 15), radius=2, glyph=glyph)

