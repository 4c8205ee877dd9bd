"""Review images of the skin pictures (not part of the program).

contact-<folder>.png: every picture of a folder enlarged three times, on
white and on the skin colour. window-<skin>.png: the main window at 100 %
composed from the pictures at the places the program puts them, with a
merge list below it, so the artwork can be judged as a user sees it.
Text is a stand-in font; only the pictures are the real thing.
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

from paint import WHITE, blank
from skins import BY_NAME, EDIT_BORDER, PAGE_LINE, SKINS

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
ZOOM = 3


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    try:
        return ImageFont.truetype(FONT_DIR + name, size)
    except OSError:
        return ImageFont.load_default()


def read_manifest(resources):
    rows = []
    with open(os.path.join(resources, "skins", "manifest.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            path, w, h, fmt, bindings, role = line.rstrip("\n").split("\t")
            rows.append((path, int(w), int(h), fmt, bindings, role))
    return rows


def load(resources, path):
    return Image.open(os.path.join(resources, path)).convert("RGBA")


def contact_sheet(resources, folder, rows):
    """One folder's pictures, each at three times its size on white and on the skin colour."""
    background = BY_NAME[folder].form if folder in BY_NAME else (0x3A, 0x8B, 0xD5)
    label = font(11)
    items = [r for r in rows if r[0].split("/")[1] == folder]
    width = 1500
    x, y, line_h = 10, 10, 0
    placed = []
    for path, w, h, *_ in items:
        cell_w = max(2 * w * ZOOM + 30, 150)
        cell_h = h * ZOOM + 26
        if x + cell_w > width:
            x, y, line_h = 10, y + line_h + 10, 0
        placed.append((path, x, y))
        x += cell_w + 10
        line_h = max(line_h, cell_h)
    sheet = Image.new("RGBA", (width, y + line_h + 10), (0xDD, 0xDD, 0xDD, 255))
    draw = ImageDraw.Draw(sheet)
    for path, x, y in placed:
        img = load(resources, path)
        big = img.resize((img.width * ZOOM, img.height * ZOOM), Image.Resampling.NEAREST)
        for i, bg in enumerate((WHITE, background)):
            tile = blank(big.width + 8, big.height + 8, bg)
            tile.alpha_composite(big, (4, 4))
            sheet.alpha_composite(tile, (x + i * (big.width + 12), y))
        draw.text((x, y + big.height + 10), os.path.basename(path), fill=(0, 0, 0), font=label)
    return sheet


# --- the window at 100 % -------------------------------------------------------

W, H = 700, 524


def stretch_caps(img, width):
    """The button's stretch: quarter caps kept, the middle repeated from the first middle column."""
    sw = img.width
    cap = sw // 4
    out = blank(width, img.height)
    out.paste(img.crop((0, 0, cap, img.height)), (0, 0))
    column = img.crop((cap, 0, cap + 1, img.height))
    for x in range(cap, width - cap):
        out.paste(column, (x, 0))
    out.paste(img.crop((sw - cap, 0, sw, img.height)), (width - cap, 0))
    return out


def frame(win, bmp):
    """The window frame, copied and stretched from the 20 x 20 bitmap in nine steps."""
    def copy(src, dst):
        piece = bmp.crop(src)
        size = (dst[2] - dst[0], dst[3] - dst[1])
        win.paste(piece.resize(size, Image.Resampling.NEAREST), dst[:2])
    copy((0, 0, 5, 15), (0, 0, 5, 15))
    copy((5, 0, 10, 15), (5, 0, W - 5, 15))
    copy((15, 0, 20, 15), (W - 5, 0, W, 15))
    copy((15, 15, 20, 17), (W - 5, 15, W, H - 5))
    copy((15, 15, 20, 20), (W - 5, H - 5, W, H))
    copy((10, 15, 15, 20), (5, H - 5, W - 5, H))
    copy((0, 15, 5, 20), (0, H - 5, 5, H))
    copy((0, 15, 5, 17), (0, 15, 5, H - 5))


def put(win, img, x, y, size=None):
    if size is not None and size != img.size:
        img = img.resize(size, Image.Resampling.NEAREST)
    win.alpha_composite(img, (x, y))


def text(draw, xy, s, colour, f, anchor="la"):
    draw.text(xy, s, fill=colour, font=f, anchor=anchor)


def edit(draw, x, y, w, h, value=""):
    draw.rectangle((x, y, x + w - 1, y + h - 1), fill=WHITE, outline=EDIT_BORDER)
    text(draw, (x + 4, y + 3), value, (0x33, 0x33, 0x33), font(11))


def button(win, draw, img, x, y, w, caption, colour):
    img = stretch_caps(img, w) if w != img.width else img
    put(win, img, x, y)
    if caption:
        text(draw, (x + w // 2, y + img.height // 2), caption, colour, font(12, True), "mm")


def progress(win, draw, skin, x, y, w, h, percent, res):
    draw.rectangle((x, y, x + w - 1, y + h - 1), fill=WHITE, outline=skin.bar_border)
    put(win, res("progress_trough"), x + 1, y + 1, (w - 2, h - 2))
    filled = (w - 4) * percent // 100
    if filled:
        put(win, res("progress_bar"), x + 2, y + 2, (filled, h - 4))
    f = font(10)
    text(draw, (x + w // 2 - 10, y + (h - 16) // 2 + 2), "%d%%" % percent, WHITE, f)
    text(draw, (x + w // 2 - 11, y + (h - 16) // 2 + 1), "%d%%" % percent, (0, 0, 0), f)


def window(resources, skin):
    def res(name, folder=None):
        folder = folder or skin.name
        for ext in ("png", "bmp", "jpg"):
            path = os.path.join(resources, "skins", folder, "%s.%s" % (name, ext))
            if os.path.exists(path):
                return Image.open(path).convert("RGBA")
        raise FileNotFoundError(name)

    def common(name):
        return res(name, "common")

    win = blank(W, H, skin.form)
    frame(win, res("frame"))
    put(win, res("decoration"), W - 230, 0)
    draw = ImageDraw.Draw(win)
    draw.rectangle((14, 65, W - 15, H - 39), fill=WHITE)
    draw.rectangle((20, H - 38, W - 21, H - 33), fill=WHITE)
    draw.line((14, 65, W - 15, 65), fill=PAGE_LINE)
    draw.line((14, 65, 14, H - 39), fill=PAGE_LINE)
    put(win, common("page_shade_right_bottom"), W - 20, H - 38)
    put(win, common("page_shade_left_bottom"), 14, H - 38)
    put(win, common("page_shade_bottom"), 22, H - 38, (W - 42, 8))
    put(win, common("page_shade_right"), W - 20, 66, (8, H - 104))
    put(win, res("grip"), 689, 513)

    # Split page panel and its controls (positions inside the panel).
    px, py = 15, 72
    draw.rectangle((px, py, px + 667, py + 416), fill=WHITE)
    put(win, common("page_logo"), px + 18, py + 14)
    text(draw, (px + 103, py + 15), "Quenlor", (0, 0, 0), font(14, True))
    text(draw, (px + 103, py + 37), "Splits a file into blocks of a number or a size, and merges them back.",
         (0x33, 0x33, 0x33), font(11))
    text(draw, (px + 18, py + 91), "Source file:", (0, 0, 0), font(11))
    text(draw, (px + 358, py + 91), "Output path:", (0, 0, 0), font(11))
    edit(draw, px + 19, py + 108, 249, 19, "C:\\Video\\movie.avi")
    put(win, common("browse_normal"), px + 268, py + 108)
    edit(draw, px + 359, py + 108, 249, 19, "D:\\out\\")
    put(win, common("browse_mouseon"), px + 607, py + 108)
    qx, qy = px + 18, py + 137
    draw.rectangle((qx, qy, qx + 630, qy + 140), fill=skin.panel)
    for corner, (cx, cy) in (("lt", (0, 0)), ("rt", (626, 0)), ("lb", (0, 136)), ("rb", (626, 136))):
        put(win, res("panel_corner_" + corner), qx + cx, qy + cy)
    put(win, common("radio_checked_normal"), qx + 16 + 2, qy + 25 + 2)
    text(draw, (qx + 16 + 18, qy + 25), "Specify number of blocks:", (0, 0, 0), font(11))
    put(win, common("radio_unchecked_mouseon"), qx + 323 + 2, qy + 25 + 2)
    text(draw, (qx + 323 + 18, qy + 25), "Specify block size:", (0, 0, 0), font(11))
    edit(draw, qx + 27, qy + 45, 207, 19, "2")
    draw.rectangle((qx + 235, qy + 45, qx + 249, qy + 63), fill=skin.light)
    put(win, common("updown_up_normal"), qx + 235, qy + 45)
    put(win, common("updown_down_mouseon"), qx + 235, qy + 55)
    edit(draw, qx + 343, qy + 45, 194, 19, "0")
    edit(draw, qx + 539, qy + 45, 57, 19, "MB")
    put(win, common("combo_drop_normal"), qx + 539 + 57 - 2 - 17, qy + 47)
    for label, value, x in (("Source file size:", "700.00 MB", 20), ("Block size:", "350.00 MB", 230),
                            ("Number of split files:", "2", 420)):
        text(draw, (qx + x, qy + 95), label + " " + value, (0, 0, 0), font(11))
    text(draw, (px + 18, py + 284), "Current progress:", (0, 0, 0), font(11))
    progress(win, draw, skin, px + 18, py + 300, 631, 16, 50, res)
    text(draw, (px + 18, py + 323), "Overall progress:", (0, 0, 0), font(11))
    progress(win, draw, skin, px + 18, py + 339, 631, 16, 25, res)
    button(win, draw, res("button_large_normal"), px + 410, py + 374, 114, "Split", skin.caption)
    button(win, draw, res("button_large_disabled"), px + 539, py + 374, 114, "Cancel", (0x80, 0x80, 0x80))

    # Chrome over everything: tabs (left over right, the selected one on top), caption and skin buttons.
    lefts = [12, 127, 242, 357]
    names = ["Split File", "Merge Files", "Our Products", "Mobrel"]
    states = ["disabled", "mouseon", "normal", "normal"]
    for i in (3, 2, 1, 0):
        button(win, draw, res("tab_" + states[i]), lefts[i], 35, 128, "", None)
        colour = (0, 0, 0) if states[i] == "disabled" else WHITE
        text(draw, (lefts[i] + 64, 35 + 15 + 2), names[i], colour, font(12, True), "mm")
    for i, name in enumerate(("green", "red", "yellow", "blue", "black")):
        put(win, common("skin_%s_%s" % (name, "mouseon" if name == skin.name else "normal")), 525 + 15 * i, 5)
    put(win, res("caption_min_normal"), 602, 1)
    put(win, res("caption_max_mouseon"), 627, 1)
    put(win, res("caption_close_normal"), 652, 1)
    text(draw, (31, 8), "Quenlor", WHITE, font(13, True))
    text(draw, (684, 49), "www.example.com", WHITE, font(12), "ra")
    return win


def merge_list(resources, skin):
    """The merge list: skinned header, rows with the icon, both scroll bars and the corner box."""
    def res(name, folder=None):
        return Image.open(os.path.join(resources, "skins", folder or skin.name, name + ".png")).convert("RGBA")

    lw, lh = 634, 109
    img = blank(lw + 20, lh + 20, WHITE)
    draw = ImageDraw.Draw(img)
    ox, oy = 10, 10
    draw.rectangle((ox, oy, ox + lw - 1, oy + lh - 1), outline=EDIT_BORDER)
    inner_w = lw - 4 - 17
    header = res("header_normal")
    for x in range(ox + 2, ox + 2 + inner_w, header.width):
        put(img, header.crop((0, 0, min(header.width, ox + 2 + inner_w - x), header.height)), x, oy + 2)
    put(img, stretch_tile(res("header_down"), 100, header.height), ox + 2 + 500, oy + 2)
    split = res("header_split")
    put(img, split, ox + 2 + 500 - 2, oy + 2 + (header.height - split.height) // 2)
    put(img, res("sort_up", "common"), ox + 2 + 500 - 4 - 16, oy + 4)
    f = font(11)
    text(draw, (ox + 10, oy + 5), "File name", (0, 0, 0), f)
    text(draw, (ox + 511, oy + 6), "File size", (0, 0, 0), f)
    icon = res("list_row_icon", "common")
    for i in range(3):
        y = oy + 2 + header.height + 22 * i
        if i == 1:
            draw.rectangle((ox + 2, y, ox + 1 + inner_w, y + 21), fill=(0x33, 0x99, 0xFF))
        put(img, icon, ox + 2 + 4, y + 4)
        colour = WHITE if i == 1 else (0, 0, 0)
        text(draw, (ox + 24, y + 5), "D:\\out\\movie.avi.QuenlorSp%d" % i, colour, f)
        text(draw, (ox + 510, y + 5), "350.00 MB", colour, f)
    sheet, thumbs = res("scroll"), res("scroll_thumb")
    c = 17
    vx, vy, vlen = ox + lw - 2 - c, oy + 2, lh - 4 - c
    cell = lambda s, col, row: s.crop((col * c, row * c, col * c + c, row * c + c))
    put(img, cell(sheet, 0, 0), vx, vy)
    for y in range(vy + c, vy + vlen - c):
        put(img, cell(sheet, 3, 0).crop((0, 0, c, 1)), vx, y)
    put(img, cell(sheet, 1, 1), vx, vy + vlen - c)
    thumb(img, cell(thumbs, 0, 1), cell(thumbs, 1, 1), vx, vy + c + 10, 40, True)
    hx, hy, hlen = ox + 2, oy + lh - 2 - c, lw - 4 - c
    put(img, cell(sheet, 4, 2), hx, hy)
    for x in range(hx + c, hx + hlen - c):
        put(img, cell(sheet, 7, 0).crop((0, 0, 1, c)), x, hy)
    put(img, cell(sheet, 5, 0), hx + hlen - c, hy)
    thumb(img, cell(thumbs, 2, 0), cell(thumbs, 3, 0), hx + c + 30, hy, 420, False)
    put(img, cell(sheet, 8, 0), vx, hy)
    return img


def stretch_tile(tile, w, h):
    out = blank(w, h)
    for x in range(0, w, tile.width):
        out.paste(tile, (x, 0))
    return out


def thumb(img, body, grip, x, y, n, vertical):
    """A thumb of length n: 2-pixel end caps, grip centred, the rest tiled from the body's middle."""
    if not vertical:
        body, grip = body.transpose(Image.Transpose.TRANSPOSE), grip.transpose(Image.Transpose.TRANSPOSE)
    b, c = 2, 17
    strip = blank(c, n)
    middle = body.crop((0, b, c, c - b))
    for yy in range(b, n - b, middle.height):
        strip.paste(middle.crop((0, 0, c, min(middle.height, n - b - yy))), (0, yy))
    strip.paste(body.crop((0, 0, c, b)), (0, 0))
    strip.paste(body.crop((0, c - b, c, c)), (0, n - b))
    if n > c:
        strip.paste(grip.crop((0, b, c, c - b)), (0, (n - (c - 2 * b)) // 2))
    if not vertical:
        strip = strip.transpose(Image.Transpose.TRANSPOSE)
    put(img, strip, x, y)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draw review images of the skin pictures.")
    parser.add_argument("--resources", default=os.path.join(here, "..", "..", "resources"))
    parser.add_argument("--out", default=os.path.join(here, "..", "..", "build", "artwork"))
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    rows = read_manifest(args.resources)
    for folder in sorted({r[0].split("/")[1] for r in rows}):
        contact_sheet(args.resources, folder, rows).save(os.path.join(args.out, "contact-%s.png" % folder))
    for skin in SKINS:
        win = window(args.resources, skin)
        lst = merge_list(args.resources, skin)
        both = blank(W, H + lst.height + 10, (0xDD, 0xDD, 0xDD))
        both.alpha_composite(win, (0, 0))
        both.alpha_composite(lst, (0, H + 10))
        both.save(os.path.join(args.out, "window-%s.png" % skin.name))
    print("review images in " + os.path.normpath(args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
