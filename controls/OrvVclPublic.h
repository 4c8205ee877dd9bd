// OrvVclPublic: the small drawing helpers that the skinned native controls
// (scroll bar, list view, edit, combo box, push button) share.
#pragma once

#include <memory>
#include <string>

#include "framework/Graphics.h"
#include "framework/Picture.h"

class TWinControl;

// Paints the window at once: what is invalid first, then the whole window
// through WM_PAINT with the window's device context as wParam.
void RepaintNow(HWND wnd);

// A one-pixel frame in the outer colour along the edge of the window
// rectangle (drawn on the whole-window context, over the non-client area);
// with twoLines a second frame in the inner colour one pixel further in.
void DrawWindowFrame(HWND wnd, TColor outer, TColor inner, bool twoLines);
// The same for a list control (nothing while it has no window).
void DrawWindowFrame(TWinControl& list, TColor outer, TColor inner, bool twoLines);

// Lets parent paint its background and content into dc, shifted so that the
// part behind child's rectangle (moved left by offset) lands on dc's origin
// and clipped to that rectangle. Used to draw a control transparently.
void PaintParentBackground(HDC dc, HWND child, HWND parent, int offset);

// The text when it fits maxWidth; otherwise the shortest prefix of 1, 2, 3 ...
// characters plus "..." that is at least maxWidth wide, or the text unchanged
// when no prefix shorter than the whole text gets there.
std::wstring FitTextWithEllipsis(TCanvas& canvas, const std::wstring& text, int maxWidth);

// Directions of TileBlt.
constexpr int tdAlongX = 1;
constexpr int tdAlongY = 2;
// Fills destRect of dest with copies of srcRect of src laid end to end along
// y (tdAlongY) or x (any other direction); the last copy is cut short. When
// the sizes across the direction differ each copy is stretched across only.
void TileBlt(HDC dest, const TRect& destRect, HDC src, int direction, const TRect& srcRect);

// A picture drawn with its alpha onto white, as the source of cell copies
// and tiles; null when the picture holds no graphic.
std::unique_ptr<TBitmap> PictureBitmap(const TPicture& picture);

// Whether visual styles are active: theme data of class "Listview" can be
// opened for the window (false when the theme library is missing).
bool ThemesAvailable(HWND wnd);

// The width of a window's border on each side: the system border with
// WS_BORDER plus the edge with WS_EX_CLIENTEDGE.
int BorderInset(HWND wnd);
