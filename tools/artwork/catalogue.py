"""Every picture of the skins: where it is stored, its format, and the
component properties of the two forms that it fills.

Running this module writes all pictures under <resources>/skins/ and the
index <resources>/skins/manifest.txt (one line per picture) plus
<resources>/skins/colours.txt (the colour properties the pictures are
designed with). Files under skins/ that the catalogue no longer names are
removed, so the folder always equals one run of the generator.
"""

import argparse
import os
import sys
from dataclasses import dataclass, field

import buttons
import chrome
import icon
import widgets
from paint import encode, tint
from skins import BY_NAME, EDIT_BORDER, EDIT_TEXT, PROPERTY_STATE, SKINS, STATES, tcolor

SCROLL_LISTS = ("OrvVclScrollbarPicList1", "OrvVclScrollbarPicList2", "OrvVclScrollbarPicList3")
HEADER_LIST = "OrvVclScrollbarPicList2"  # the merge list's header draws from this one


@dataclass
class Picture:
    path: str        # under resources/, with forward slashes
    image: object    # PIL image
    fmt: str         # png-rgba, bmp24 or jpeg
    role: str
    bindings: list = field(default_factory=list)


class Catalogue:
    def __init__(self):
        self.pictures = {}

    def add(self, folder, name, image, role, bindings=(), fmt="png-rgba"):
        ext = {"png-rgba": "png", "bmp24": "bmp", "jpeg": "jpg"}[fmt]
        path = "skins/%s/%s.%s" % (folder, name, ext)
        if path in self.pictures:
            raise ValueError("picture stored twice: " + path)
        self.pictures[path] = Picture(path, image, fmt, role, list(bindings))
        return path

    def bind(self, path, binding):
        self.pictures[path].bindings.append(binding)


def state_list(cat, folder, stem, role, lists, colour_word, states, make):
    """A picture per state for one colour slot of picture lists; returns the paths by state."""
    paths = {}
    for state in states:
        props = ["%s.Pic%s%s" % (lst, colour_word, PROPERTY_STATE[state]) for lst in lists]
        paths[state] = cat.add(folder, "%s_%s" % (stem, state), make(state), "%s, %s" % (role, state), props)
    return paths


def add_window_chrome(cat):
    for skin in SKINS:
        t, n = skin.title, skin.name
        cat.add(n, "frame", chrome.frame_bitmap(skin), "window frame source (corners and edge slices)",
                ["imgBK%s.Picture" % t], fmt="bmp24")
        cat.add(n, "decoration", chrome.decoration(skin), "light over the top right of the window",
                ["imgBK%s2.Picture" % t])
        cat.add(n, "grip", chrome.grip(skin), "resize grip at the bottom right", ["imgRBJiao%d.Picture" % skin.tint])
        for corner, lst in (("lt", "left_top"), ("rt", "right_top"), ("lb", "left_b"), ("rb", "right_b")):
            cat.add(n, "panel_corner_" + corner, chrome.panel_corner(skin, corner),
                    "rounded corner of the settings panel", ["%s[%d]" % (lst, skin.tint - 1)])
    for part, comp in (("left_bottom", "LeftBottom"), ("bottom", "Bottom"), ("right_bottom", "RightBottom"),
                       ("right", "Right")):
        cat.add("common", "page_shade_" + part, chrome.page_shading(part), "edge of the page area",
                ["imgBKWhite%s.Picture" % comp])
    for skin in SKINS:
        for state in ("normal", "mouseon"):
            cat.add("common", "skin_%s_%s" % (skin.name, state), chrome.skin_button(skin, state),
                    "skin button, " + state, ["btnSkin%s.Pic%s" % (skin.title, PROPERTY_STATE[state])])


CAPTION_BUTTONS = (  # glyph, list, width, height, states
    ("min", "imgListMin", 25, 17, STATES[:3]),
    ("max", "imgListMax", 25, 18, STATES),
    ("restore", "imgListRestore", 25, 18, STATES[:3]),
    ("close", "imgListClose", 43, 17, STATES[:3]),
    ("language", "imgListLanguage", 25, 17, STATES[:3]),
    ("help", "XImageButtonPicList3", 25, 17, STATES[:3]),
    ("menu", "XImageButtonPicList4", 25, 17, STATES[:3]),
)


def add_skinned_buttons(cat):
    for skin in SKINS:
        n, t = skin.name, skin.title
        for kind, lst, w, h, states in CAPTION_BUTTONS:
            state_list(cat, n, "caption_" + kind, "caption-bar %s button" % kind, [lst], t, states,
                       lambda s, kind=kind, w=w, h=h: chrome.caption_button(skin, kind, s, w, h))
        state_list(cat, n, "tab", "page tab (disabled = selected)", ["imgListTab"], t, STATES,
                   lambda s: chrome.tab(skin, s))
        state_list(cat, n, "button_large", "large button, stretched to 114", ["XImageButtonPicList5"], t, STATES,
                   lambda s: buttons.large_button(skin, s))
        state_list(cat, n, "button_ok", "OK button", ["imgListOK"], t, STATES, lambda s: buttons.ok_button(skin, s))
        state_list(cat, n, "list_add", "add-files button", ["XImageButtonPicList6"], t, STATES,
                   lambda s: buttons.list_add_button(skin, s))
        state_list(cat, n, "list_clear", "clear-list button", ["XImageButtonPicList7"], t, STATES,
                   lambda s: buttons.list_clear_button(skin, s))


def add_input_buttons(cat):
    """Buttons beside the edits; never recoloured, so their Blue slot is a light set for every skin."""
    state_list(cat, "common", "browse", "browse button", ["XImageButtonPicList1"], "Blue", STATES,
               buttons.browse_button)
    black = BY_NAME["black"]
    for stem, lst, pointing in (("updown_up", "XImageButtonPicList9", "up"),
                                ("updown_down", "XImageButtonPicList8", "down")):
        state_list(cat, "common", stem, "up-down %s arrow" % pointing, [lst], "Blue", STATES,
                   lambda s, p=pointing: buttons.updown_button(None, s, p))
        state_list(cat, "black", stem, "up-down %s arrow" % pointing, [lst], "Black", STATES,
                   lambda s, p=pointing: buttons.updown_button(black, s, p))
    light = state_list(cat, "common", "combo_drop", "combo drop-down button", ["XImageButtonPicList2"], "Blue",
                       STATES, lambda s: buttons.combo_button(None, s))
    cat.bind(light["disabled"], "XImageButtonPicList2.PicGreenDisabled")
    state_list(cat, "black", "combo_drop", "combo drop-down button", ["XImageButtonPicList2"], "Black", STATES,
               lambda s: buttons.combo_button(black, s))


def add_controls(cat):
    for checked in (True, False):
        word = "Checked" if checked else "UnChecked"
        for state in ("normal", "mouseon", "disabled"):
            cat.add("common", "radio_%s_%s" % (word.lower(), state), widgets.radio_box(checked, state),
                    "mode radio box, %s, %s" % (word.lower(), state),
                    ["XCheckBoxPicList1.Pic%s%s" % (word, PROPERTY_STATE[state])])
    for skin in SKINS:
        n, t, s = skin.name, skin.title, skin.tint
        cat.add(n, "progress_trough", widgets.progress_trough(skin), "progress trough, stretched",
                ["XProcessBarPicList1.Pic%sBottom" % t])
        cat.add(n, "progress_bar", widgets.progress_bar(skin), "progress bar fill, stretched",
                ["XProcessBarPicList1.Pic%sBar" % t])
        cat.add(n, "scroll", widgets.scroll_sheet(skin), "scroll-bar sheet, 17-pixel cells",
                ["%s.Pic%d" % (lst, s) for lst in SCROLL_LISTS])
        cat.add(n, "scroll_thumb", widgets.thumb_sheet(skin), "scroll-bar thumb sheet, 17-pixel cells",
                ["%s.PicThumb%d" % (lst, s) for lst in SCROLL_LISTS])
        for state, prop in (("normal", "Normal"), ("over", "Over"), ("down", "Down"), ("disable", "Disable")):
            cat.add(n, "header_" + state, widgets.header_background(skin, state),
                    "list header background, tiled along x", ["%s.PicHeaderBG%s%d" % (HEADER_LIST, prop, s)])
        cat.add(n, "header_split", widgets.header_split(skin), "list header column separator",
                ["%s.PicSplit%d" % (HEADER_LIST, s)])
        if s == 1:
            for side in ("left", "right"):
                cat.add(n, "header_cap_" + side, widgets.header_cap(skin, side), "list header end cap",
                        ["%s.PicHeader%sNormal1" % (HEADER_LIST, side.capitalize())])
    for i, kind in enumerate(("up", "down", "both")):
        cat.add("common", "sort_" + kind, widgets.sort_image(kind), "header sort mark",
                ["orvImgListHeader[%d]" % i])
    cat.add("common", "list_row_icon", widgets.row_icon(), "icon at the start of each merge-list row",
            ["Image3.Picture"])
    cat.add("common", "page_logo", widgets.page_logo(), "logo of the split and merge pages", fmt="jpeg")


def build():
    cat = Catalogue()
    add_window_chrome(cat)
    add_skinned_buttons(cat)
    add_input_buttons(cat)
    add_controls(cat)
    return cat


def colour_lines():
    """Colour properties that belong with the pictures, as $00BBGGRR values."""
    lines = []
    for skin in SKINS:
        lines.append("XProcessBarPicList1.Pic%sBorder\t%s\tprogress-bar outline"
                     % (skin.title, tcolor(skin.bar_border)))
    for skin in sorted(SKINS, key=lambda k: k.tint):
        s = skin.tint
        header_text = (0x33, 0x33, 0x33) if skin.dark else skin.caption
        for lst in SCROLL_LISTS:
            lines.append("%s.HeaderColor%d\t%s\theader colour (%s)"
                         % (lst, s, tcolor(tint(skin.form, 0.86)), skin.name))
            lines.append("%s.HeaderFontColor%d\t%s\tcombo box and drop-down text" % (lst, s, tcolor(EDIT_TEXT)))
            lines.append("%s.BorderColor%d\t%s\tlist and drop-down border" % (lst, s, tcolor(EDIT_BORDER)))
            lines.append("%s.MyFont%d.Color\t%s\theader text (%s)" % (lst, s, tcolor(header_text), skin.name))
    return lines


def manifest_lines(cat):
    lines = []
    for path in sorted(cat.pictures):
        p = cat.pictures[path]
        w, h = p.image.size
        lines.append("\t".join([path, str(w), str(h), p.fmt, ",".join(p.bindings) or "-", p.role]))
    return lines


MANIFEST_HEAD = """\
# Skin pictures, generated by tools/artwork/generate; do not edit.
# path (under resources/)\twidth\theight\tformat\tbindings (component.Property, list[index])\trole
"""

COLOURS_HEAD = """\
# Colour properties designed with the skin pictures, generated by tools/artwork/generate.
# component.Property\tvalue ($00BBGGRR)\trole
"""


def write(cat, resources):
    """Write every picture, the manifest and the colour list under resources/skins."""
    root = os.path.join(resources, "skins")
    wanted = set()
    for p in cat.pictures.values():
        target = os.path.join(resources, p.path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        write_if_changed(target, encode(p.image, p.fmt))
        wanted.add(os.path.normpath(target))
    for name, head, lines in (("manifest.txt", MANIFEST_HEAD, manifest_lines(cat)),
                              ("colours.txt", COLOURS_HEAD, colour_lines())):
        target = os.path.join(root, name)
        write_if_changed(target, (head + "\n".join(lines) + "\n").encode("utf-8"))
        wanted.add(os.path.normpath(target))
    for folder, dirs, files in os.walk(root, topdown=False):
        for f in files:
            path = os.path.normpath(os.path.join(folder, f))
            if path not in wanted:
                os.remove(path)
        if folder != root and not os.listdir(folder):
            os.rmdir(folder)


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    with open(path, "wb") as f:
        f.write(data)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Generate the skin pictures.")
    parser.add_argument("--resources", default=os.path.join(here, "..", "..", "resources"),
                        help="resources folder to write skins/ into")
    parser.add_argument("--icon", default=os.path.join(here, "..", "..", "app", "Quenlor.ico"),
                        help="where to write the program's icon")
    args = parser.parse_args(argv)
    cat = build()
    write(cat, args.resources)
    write_if_changed(args.icon, icon.icon_bytes())
    print("%d pictures written under %s" % (len(cat.pictures), os.path.normpath(os.path.join(args.resources, "skins"))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
