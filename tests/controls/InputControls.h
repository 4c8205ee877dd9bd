// Layout objects and pixel reading shared by the tests of the input
// controls (edit, push button, up-down, combo box).
#pragma once

#include "framework/Graphics.h"

// The split page's up-down MyUpdown1 on the edit block_edt (which the
// layout gives), with its two arrow buttons bound to the resource form's
// arrow pictures (SkinLists).
extern const char* const kUpdownObjects;
// The split page's unit box size_com_box (at 300, 96, twelve items) with
// its drop-down button OrvVclButton2 and its list bar OrvVclScrollBar4, in
// the Blue style of the resource form's third scroll-bar list.
extern const char* const kComboObjects;

// $00BBGGRR of a pixel as the window shows it now, read from its client
// area or, with wholeWindow, from the window rectangle (frame included).
// Reading the window itself needs no message pumping, so no input from the
// real cursor reaches the controls meanwhile.
TColor WindowPixel(HWND wnd, int x, int y, bool wholeWindow = false);
