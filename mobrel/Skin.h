// The skin colour the library draws with, remembered between runs.
#pragma once
#include <windows.h>

namespace mobrel {

// Skin colour ordinal: 0 blue, 1 green, 2 black, 3 yellow, 4 red.
int CurrentColor();
void SetCurrentColor(int color);

// Skin number 1..5 stored by an earlier run, or 0 when none is stored.
int StoredSkinNumber();
void StoreSkinNumber(int number);

// The palette derived from the current skin colour.
struct Palette {
  COLORREF Accent;      // the window colour of the skin
  COLORREF AccentDark;  // borders and pressed buttons
  COLORREF AccentLight; // hot buttons and soft backgrounds
  COLORREF Caption;     // text on the accent colour
  COLORREF Text;        // body text on white
};
Palette CurrentPalette();

}  // namespace mobrel
