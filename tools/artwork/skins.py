"""The five colour skins and the colours every picture is derived from.

All colours here are RGB tuples. The window's form colour, the settings
panel colour, the light colour of the up-down and shape, the default
caption colour of skinned buttons and the progress-bar border are fixed by
the program; everything else is derived from them.
"""

from dataclasses import dataclass


def from_tcolor(value):
    """RGB of a $00BBGGRR colour value."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


@dataclass(frozen=True)
class Skin:
    name: str          # folder name and the colour word of the picture-list properties
    button_color: int  # TButtonColor ordinal
    tint: int          # tint index, also the Picstyle of lists, scroll bars and header
    form: tuple        # window colour
    panel: tuple       # settings panel colour
    light: tuple       # up-down and shape colour
    caption: tuple     # default caption colour of skinned buttons
    bar_border: tuple  # progress-bar outline
    dark: bool         # light captions on dark buttons (Black) instead of dark on light

    @property
    def title(self):
        return self.name.capitalize()


SKINS = (
    Skin("blue", 0, 4, from_tcolor(0x00D58B3A), from_tcolor(0x00F4CA9B), from_tcolor(0x00FCEFE1),
         from_tcolor(0x009D4700), from_tcolor(0x00F3C38F), False),
    Skin("green", 1, 1, from_tcolor(0x003FAA3A), from_tcolor(0x009EDC9B), from_tcolor(0x00E2F4E1),
         from_tcolor(0x00116D0D), from_tcolor(0x00ABDAA8), False),
    Skin("black", 2, 5, from_tcolor(0x00252525), from_tcolor(0x00ABABAB), from_tcolor(0x00E6E6E6),
         from_tcolor(0x00FEFEFE), from_tcolor(0x00C1C1C1), True),
    Skin("yellow", 3, 3, from_tcolor(0x003A89E7), from_tcolor(0x009BCEFF), from_tcolor(0x00E1F0FF),
         from_tcolor(0x00002D7F), from_tcolor(0x00A8CBF4), False),
    Skin("red", 4, 2, from_tcolor(0x003A3ACC), from_tcolor(0x009B9BFF), from_tcolor(0x00E1E1FF),
         from_tcolor(0x000000B4), from_tcolor(0x00A8A8F4), False),
)

BY_NAME = {s.name: s for s in SKINS}

# Colours shared by the skin-neutral input controls (edits, browse buttons,
# up-down, combo box): the edits' frame and text colours.
EDIT_BORDER = from_tcolor(9737364)
EDIT_TEXT = from_tcolor(3355443)
PAGE_LINE = from_tcolor(0x00666666)  # top and left line of the page area

STATES = ("normal", "mouseon", "mousedown", "disabled")
PROPERTY_STATE = {"normal": "Normal", "mouseon": "MouseOn", "mousedown": "MouseDown", "disabled": "Disabled"}


def tcolor(rgb):
    """The $00BBGGRR text of an RGB colour, as the layouts write colours."""
    r, g, b = rgb
    return "$00%02X%02X%02X" % (b, g, r)
