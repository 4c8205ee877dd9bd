#include "controls/OrvVclPublic.h"

#include <algorithm>

#include "framework/Controls.h"

void RepaintNow(HWND wnd) {
  if (!wnd) return;
  UpdateWindow(wnd);
  HDC dc = GetDC(wnd);
  SendMessageW(wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  ReleaseDC(wnd, dc);
}

namespace {

void FrameOnce(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

void DrawWindowFrame(HWND wnd, TColor outer, TColor inner, bool twoLines) {
  if (!wnd) return;
  RECT r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  HDC dc = GetWindowDC(wnd);
  FrameOnce(dc, r, outer);
  if (twoLines) {
    InflateRect(&r, -1, -1);
    FrameOnce(dc, r, inner);
  }
  ReleaseDC(wnd, dc);
}

void DrawWindowFrame(TWinControl& list, TColor outer, TColor inner, bool twoLines) {
  if (list.HandleAllocated()) DrawWindowFrame(list.Handle(), outer, inner, twoLines);
}

void PaintParentBackground(HDC dc, HWND child, HWND parent, int offset) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  OffsetRect(&r, -offset, 0);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -r.left, -r.top, nullptr);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

std::wstring FitTextWithEllipsis(TCanvas& canvas, const std::wstring& text, int maxWidth) {
  if (canvas.TextWidth(text) <= maxWidth) return text;
  for (size_t length = 1; length < text.size(); ++length) {
    std::wstring shortened = text.substr(0, length) + L"...";
    if (canvas.TextWidth(shortened) >= maxWidth) return shortened;
  }
  return text;
}

void TileBlt(HDC dest, const TRect& destRect, HDC src, int direction, const TRect& srcRect) {
  const bool alongY = direction == tdAlongY;
  const int step = alongY ? srcRect.Height() : srcRect.Width();
  const int end = alongY ? destRect.Bottom : destRect.Right;
  if (step <= 0 || srcRect.IsEmpty()) return;
  for (int at = alongY ? destRect.Top : destRect.Left; at < end; at += step) {
    const int length = std::min(step, end - at);
    TRect to = destRect, from = srcRect;
    if (alongY) {
      to.Top = at;
      to.Bottom = at + length;
      from.Bottom = from.Top + length;
    } else {
      to.Left = at;
      to.Right = at + length;
      from.Right = from.Left + length;
    }
    CopyPixels(dest, to, src, from);
  }
}

std::unique_ptr<TBitmap> PictureBitmap(const TPicture& picture) {
  if (picture.Empty()) return nullptr;
  auto bitmap = std::make_unique<TBitmap>(picture.Width(), picture.Height());
  bitmap->Canvas().Brush.SetColor(clWhite);
  bitmap->Canvas().FillRect(Rect(0, 0, picture.Width(), picture.Height()));
  bitmap->Canvas().Draw(0, 0, *picture.Graphic());
  return bitmap;
}

bool ThemesAvailable(HWND wnd) {
  HMODULE library = LoadLibraryW(L"uxtheme.dll");
  if (!library) return false;
  using TOpen = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using TClose = HRESULT(WINAPI*)(HANDLE);
  auto open = reinterpret_cast<TOpen>(reinterpret_cast<void*>(GetProcAddress(library, "OpenThemeData")));
  auto close = reinterpret_cast<TClose>(reinterpret_cast<void*>(GetProcAddress(library, "CloseThemeData")));
  bool available = false;
  if (open && close) {
    if (HANDLE theme = open(wnd, L"Listview")) {
      available = true;
      close(theme);
    }
  }
  FreeLibrary(library);
  return available;
}

int BorderInset(HWND wnd) {
  int inset = 0;
  if (GetWindowLongW(wnd, GWL_STYLE) & WS_BORDER) inset += GetSystemMetrics(SM_CXBORDER);
  if (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) inset += GetSystemMetrics(SM_CXEDGE);
  return inset;
}
