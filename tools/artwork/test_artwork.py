"""Checks of the committed skin pictures against what the program does with them.

Run with tools/artwork/test (needs Debian's python3-pil).
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.normpath(os.path.join(HERE, "..", "..", "resources"))
SKINS = os.path.join(RESOURCES, "skins")
ICON = os.path.normpath(os.path.join(HERE, "..", "..", "app", "Quenlor.ico"))
COLOURS = ("Blue", "Green", "Black", "Yellow", "Red")
ALL_STATES = ("Normal", "MouseOn", "MouseDown", "Disabled")
PAGE_LINE = (0x66, 0x66, 0x66)


def read_manifest():
    rows = {}
    with open(os.path.join(SKINS, "manifest.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            path, w, h, fmt, bindings, role = line.rstrip("\n").split("\t")
            rows[path] = (int(w), int(h), fmt, [] if bindings == "-" else bindings.split(","), role)
    return rows


MANIFEST = read_manifest()
BOUND = {b: path for path, row in MANIFEST.items() for b in row[3]}


def load(path):
    with Image.open(os.path.join(RESOURCES, path)) as img:
        img.load()
        return img


def picture(binding):
    return load(BOUND[binding]).convert("RGBA")


def luma(img):
    """Mean luminance of the opaque pixels."""
    px = [p for p in img.getdata() if p[3] == 255]
    return sum(0.299 * r + 0.587 * g + 0.114 * b for r, g, b, _ in px) / len(px)


def columns(img, x0, x1):
    return [tuple(img.getpixel((x, y)) for y in range(img.height)) for x in range(x0, x1)]


def rows(img, y0, y1):
    return [tuple(img.getpixel((x, y)) for x in range(img.width)) for y in range(y0, y1)]


def png_chunks(data):
    pos, names = 8, []
    while pos < len(data):
        length, name = struct.unpack(">I4s", data[pos:pos + 8])
        names.append(name.decode("ascii"))
        pos += 12 + length
    return names


class StoredFiles(unittest.TestCase):
    def test_manifest_lists_every_file_with_its_size_and_format(self):
        on_disk = set()
        for folder, _, files in os.walk(SKINS):
            for f in files:
                if f not in ("manifest.txt", "colours.txt"):
                    on_disk.add(os.path.relpath(os.path.join(folder, f), RESOURCES).replace(os.sep, "/"))
        self.assertEqual(on_disk, set(MANIFEST))
        for path, (w, h, fmt, _, _) in MANIFEST.items():
            with open(os.path.join(RESOURCES, path), "rb") as f:
                data = f.read()
            img = load(path)
            self.assertEqual(img.size, (w, h), path)
            if fmt == "png-rgba":
                self.assertEqual((img.format, img.mode), ("PNG", "RGBA"), path)
                self.assertFalse({"tIME", "tEXt", "zTXt", "iTXt"} & set(png_chunks(data)), path)
            elif fmt == "bmp24":
                self.assertEqual(img.format, "BMP", path)
                self.assertEqual(struct.unpack("<H", data[28:30])[0], 24, path)
            else:
                self.assertEqual((fmt, img.format), ("jpeg", "JPEG"), path)

    def test_generator_reproduces_the_committed_files_whatever_the_hash_seed(self):
        outputs = []
        for seed in ("1", "2"):
            out = tempfile.mkdtemp()
            env = dict(os.environ, PYTHONHASHSEED=seed)
            subprocess.run([sys.executable, "-B", os.path.join(HERE, "catalogue.py"), "--resources", out,
                            "--icon", os.path.join(out, "Quenlor.ico")],
                           check=True, env=env, stdout=subprocess.DEVNULL)
            outputs.append(out)
        stored = [(os.path.join(RESOURCES, p), p) for p in list(MANIFEST) + ["skins/manifest.txt", "skins/colours.txt"]]
        stored.append((ICON, "Quenlor.ico"))
        for committed_path, path in stored:
            with open(committed_path, "rb") as f:
                committed = f.read()
            for out in outputs:
                with open(os.path.join(out, path), "rb") as f:
                    self.assertEqual(f.read(), committed, path)

    def test_icon_holds_every_size_the_largest_as_png(self):
        with open(ICON, "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind), (0, 1))
        entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
        self.assertEqual([e[0] or 256 for e in entries], [16, 24, 32, 48, 256])
        for w, h, _, _, planes, bits, size, offset in entries:
            blob = data[offset:offset + size]
            self.assertEqual((len(blob), planes, bits), (size, 1, 32))
            self.assertEqual(blob.startswith(b"\x89PNG"), (w or 256) == 256, w)
        with Image.open(ICON) as img:
            img.size = (256, 256)
            img.load()
            big = img.convert("RGBA")
        # Transparent round the tile's rounded corners, opaque in its middle.
        self.assertEqual([big.getpixel(p)[3] for p in ((0, 0), (255, 0), (0, 255), (255, 255))], [0] * 4)
        self.assertEqual(big.getpixel((128, 128))[3], 255)


class Bindings(unittest.TestCase):
    """Every slot the forms fill has a picture of the size the control needs."""

    def expect(self, binding, size):
        self.assertIn(binding, BOUND)
        self.assertEqual(MANIFEST[BOUND[binding]][:2], size, binding)

    def test_picture_lists_of_the_skinned_buttons(self):
        lists = {"imgListMin": ((25, 17), ALL_STATES[:3]), "imgListMax": ((25, 18), ALL_STATES),
                 "imgListRestore": ((25, 18), ALL_STATES[:3]), "imgListClose": ((43, 17), ALL_STATES[:3]),
                 "imgListTab": ((128, 31), ALL_STATES), "XImageButtonPicList5": ((101, 33), ALL_STATES),
                 "XImageButtonPicList6": ((31, 21), ALL_STATES), "XImageButtonPicList7": ((31, 21), ALL_STATES)}
        for lst, (size, states) in lists.items():
            for colour in COLOURS:
                for state in states:
                    self.expect("%s.Pic%s%s" % (lst, colour, state), size)
        for state in ALL_STATES:
            self.expect("XImageButtonPicList1.PicBlue" + state, (41, 19))
            for colour in ("Blue", "Black"):
                up = MANIFEST[BOUND["XImageButtonPicList9.Pic%s%s" % (colour, state)]]
                down = MANIFEST[BOUND["XImageButtonPicList8.Pic%s%s" % (colour, state)]]
                self.assertEqual(up[1] + 1 + down[1], 19, "up-down must stack to the edit's height")
                self.assertIn("XImageButtonPicList2.Pic%s%s" % (colour, state), BOUND)
        self.assertIn("XImageButtonPicList2.PicGreenDisabled", BOUND)

    def test_window_chrome_and_controls(self):
        for colour in COLOURS:
            self.expect("imgBK%s.Picture" % colour, (20, 20))
            self.expect("imgBK%s2.Picture" % colour, (230, 150))
            self.expect("XProcessBarPicList1.Pic%sBottom" % colour, (14, 14))
            self.expect("XProcessBarPicList1.Pic%sBar" % colour, (12, 12))
            self.expect("btnSkin%s.PicNormal" % colour, (14, 12))
            self.expect("btnSkin%s.PicMouseOn" % colour, (14, 12))
        for t in range(1, 6):
            self.expect("imgRBJiao%d.Picture" % t, (7, 7))
            for lst in ("left_top", "right_top", "left_b", "right_b"):
                self.expect("%s[%d]" % (lst, t - 1), (5, 5))
            for n in (1, 2, 3):
                self.expect("OrvVclScrollbarPicList%d.Pic%d" % (n, t), (153, 68))
                self.expect("OrvVclScrollbarPicList%d.PicThumb%d" % (n, t), (68, 51))
            for state in ("Normal", "Over", "Down", "Disable"):
                self.assertIn("OrvVclScrollbarPicList2.PicHeaderBG%s%d" % (state, t), BOUND)
            self.assertIn("OrvVclScrollbarPicList2.PicSplit%d" % t, BOUND)
        for part in ("LeftBottom", "Bottom", "RightBottom", "Right"):
            self.expect("imgBKWhite%s.Picture" % part, (8, 8))
        for word in ("Checked", "UnChecked"):
            for state in ("Normal", "MouseOn", "Disabled"):
                self.expect("XCheckBoxPicList1.Pic%s%s" % (word, state), (9, 9))
        for i in range(3):
            self.expect("orvImgListHeader[%d]" % i, (16, 16))
        self.expect("Image3.Picture", (14, 14))
        self.assertEqual(MANIFEST[BOUND["imgBKBlue.Picture"]][2], "bmp24")
        self.assertEqual([p for p, row in MANIFEST.items() if row[2] == "jpeg"], ["skins/common/page_logo.jpg"])


class Stretching(unittest.TestCase):
    """Pictures that are stretched or tiled must not change along that direction."""

    def test_large_buttons_have_a_uniform_middle(self):
        for colour in COLOURS:
            for state in ALL_STATES:
                img = picture("XImageButtonPicList5.Pic%s%s" % (colour, state))
                cap = img.width // 4
                middle = columns(img, cap, img.width - cap)
                self.assertEqual(middle, [middle[0]] * len(middle), (colour, state))

    def test_progress_header_and_shading_pieces(self):
        along_x = ["XProcessBarPicList1.Pic%s%s" % (c, p) for c in COLOURS for p in ("Bottom", "Bar")]
        along_x += ["OrvVclScrollbarPicList2.PicHeaderBG%s%d" % (s, t)
                    for s in ("Normal", "Over", "Down", "Disable") for t in range(1, 6)]
        along_x += ["imgBKWhiteBottom.Picture"]
        for binding in along_x:
            img = picture(binding)
            cols = columns(img, 0, img.width)
            self.assertEqual(cols, [cols[0]] * img.width, binding)
        img = picture("imgBKWhiteRight.Picture")
        self.assertEqual(rows(img, 0, 8), [rows(img, 0, 1)[0]] * 8)

    def test_frame_slices(self):
        for colour in COLOURS:
            frame = picture("imgBK%s.Picture" % colour)
            top_edge = columns(frame.crop((5, 0, 10, 15)), 0, 5)
            bottom_edge = columns(frame.crop((10, 15, 15, 20)), 0, 5)
            self.assertEqual(top_edge, [top_edge[0]] * 5, colour)
            self.assertEqual(bottom_edge, [bottom_edge[0]] * 5, colour)
            for x0 in (0, 15):  # side edges are stretched from rows 15-16 of the bottom corners
                side = rows(frame.crop((x0, 15, x0 + 5, 17)), 0, 2)
                self.assertEqual(side[0], side[1], colour)

    def test_scroll_tracks_and_thumb_middles_tile(self):
        for t in range(1, 6):
            sheet = picture("OrvVclScrollbarPicList1.Pic%d" % t)
            thumbs = picture("OrvVclScrollbarPicList1.PicThumb%d" % t)
            for state in range(4):
                vertical = sheet.crop((3 * 17, state * 17, 4 * 17, state * 17 + 17))
                horizontal = sheet.crop((7 * 17, state * 17, 8 * 17, state * 17 + 17))
                self.assertEqual(rows(vertical, 0, 17), [rows(vertical, 0, 1)[0]] * 17)
                self.assertEqual(columns(horizontal, 0, 17), [columns(horizontal, 0, 1)[0]] * 17)
            for state in range(3):
                body = thumbs.crop((0, state * 17, 17, state * 17 + 17))
                body_h = thumbs.crop((34, state * 17, 51, state * 17 + 17))
                self.assertEqual(rows(body, 2, 15), [rows(body, 2, 3)[0]] * 13)
                self.assertEqual(columns(body_h, 2, 15), [columns(body_h, 2, 3)[0]] * 13)


class Look(unittest.TestCase):
    def test_button_states_read_clearly(self):
        for lst in ("XImageButtonPicList5", "XImageButtonPicList6", "imgListOK"):
            for colour in COLOURS:
                normal, on, down, off = (picture("%s.Pic%s%s" % (lst, colour, s)) for s in ALL_STATES)
                self.assertGreater(luma(on), luma(normal) + 3, (lst, colour))
                self.assertLess(luma(down), luma(normal) - 3, (lst, colour))
                grey = [p for p in off.getdata() if p[3] == 255]
                self.assertTrue(all(max(p[:3]) - min(p[:3]) <= 8 for p in grey), (lst, colour, "disabled is grey"))

    def test_caption_glyphs_are_centred_on_a_clear_background(self):
        for lst in ("imgListMin", "imgListMax", "imgListRestore", "imgListClose"):
            for colour in COLOURS:
                img = picture("%s.Pic%sNormal" % (lst, colour))
                solid = [(x, y) for y in range(img.height) for x in range(img.width)
                         if img.getpixel((x, y))[3] == 255]
                faint = [p for p in img.getdata() if 0 < p[3] < 255]
                xs, ys = [x for x, _ in solid], [y for _, y in solid]
                self.assertEqual(min(xs), img.width - 1 - max(xs), (lst, colour))
                self.assertEqual(min(ys) + max(ys), 16, (lst, colour))  # centred on the 17 visible rows
                self.assertTrue(all(p[3] <= 0x38 for p in faint), (lst, colour))
                hover = picture("%s.Pic%sMouseOn" % (lst, colour))
                self.assertNotEqual(list(img.getdata()), list(hover.getdata()))
                if img.height == 18:  # the taller lists keep a clear last row to line up with the others
                    self.assertTrue(all(hover.getpixel((x, 17))[3] == 0 for x in range(img.width)))

    def test_arrow_heads_are_centred(self):
        sheet = picture("OrvVclScrollbarPicList1.Pic4")
        for col in (0, 1):
            cell = sheet.crop((col * 17, 0, col * 17 + 17, 17))
            dark = [x for y in range(4, 13) for x in range(4, 13) if luma_of(cell.getpixel((x, y))) < 110]
            self.assertEqual(min(dark) + max(dark), 16)
        for binding in ("XImageButtonPicList9.PicBlueNormal", "XImageButtonPicList2.PicBlueNormal"):
            img = picture(binding)
            dark = [x for y in range(img.height) for x in range(2, img.width - 2)
                    if luma_of(img.getpixel((x, y))) < 110]
            self.assertEqual(min(dark) + max(dark), img.width - 1, binding)

    def test_tabs_sit_on_the_page_line(self):
        for colour in COLOURS:
            for state in ALL_STATES[:3]:
                tab = picture("imgListTab.Pic%s%s" % (colour, state))
                self.assertEqual({tab.getpixel((x, 30)) for x in range(128)}, {PAGE_LINE + (255,)})
            selected = picture("imgListTab.Pic%sDisabled" % colour)
            self.assertEqual({selected.getpixel((x, 30)) for x in range(8, 120)}, {(255, 255, 255, 255)})

    def test_decoration_fades_out_at_its_edges(self):
        for colour in COLOURS:
            alpha = picture("imgBK%s2.Picture" % colour).getchannel("A")
            edges = [(0, y) for y in range(150)] + [(229, y) for y in range(150)]
            edges += [(x, 0) for x in range(230)] + [(x, 149) for x in range(230)]
            self.assertEqual({alpha.getpixel(p) for p in edges}, {0}, colour)
            self.assertGreater(max(alpha.getdata()), 40, colour)


def luma_of(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


if __name__ == "__main__":
    unittest.main()
