#include "mobrel/Draw.h"

#include "mobrel/Skin.h"

namespace mobrel {

HFONT CreateUiFont(int height, bool bold, bool underline) {
  return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawButton(HDC dc, const RECT& rect, const std::wstring& text, ButtonLook look, ButtonState state,
                HFONT font) {
  Palette p = CurrentPalette();
  COLORREF face, border, ink;
  if (look == ButtonLook::Primary) {
    face = state.Pressed ? p.AccentDark : state.Hot ? p.AccentLight : p.Accent;
    border = p.AccentDark;
    ink = state.Hot && !state.Pressed ? p.AccentDark : p.Caption;
  } else {
    face = state.Pressed ? p.AccentLight : RGB(255, 255, 255);
    border = state.Hot || state.Focused ? p.Accent : RGB(0xC8, 0xC8, 0xC8);
    ink = p.Text;
  }
  FillSolid(dc, rect, face);
  FrameSolid(dc, rect, border);
  if (state.Focused) {
    RECT inner{rect.left + 3, rect.top + 3, rect.right - 3, rect.bottom - 3};
    SetTextColor(dc, ink);
    DrawFocusRect(dc, &inner);
  }
  RECT textRect = rect;
  if (state.Pressed) OffsetRect(&textRect, 1, 1);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  DrawTextW(dc, text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}

int DrawWrapped(HDC dc, const std::wstring& text, RECT rect, HFONT font, COLORREF color, UINT extraFlags) {
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  int height = DrawTextW(dc, text.c_str(), -1, &rect,
                         DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | extraFlags);
  SelectObject(dc, old);
  return height;
}

int WrappedHeight(HDC dc, const std::wstring& text, int width, HFONT font) {
  RECT rect{0, 0, width, 0};
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  SelectObject(dc, old);
  return rect.bottom;
}

BufferedPaint::BufferedPaint(HWND window) : window_(window) {
  target_ = BeginPaint(window, &paint_);
  GetClientRect(window, &client_);
  memory_ = CreateCompatibleDC(target_);
  bitmap_ = CreateCompatibleBitmap(target_, client_.right, client_.bottom);
  old_ = static_cast<HBITMAP>(SelectObject(memory_, bitmap_));
}

BufferedPaint::~BufferedPaint() {
  BitBlt(target_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
  SelectObject(memory_, old_);
  DeleteObject(bitmap_);
  DeleteDC(memory_);
  EndPaint(window_, &paint_);
}

}  // namespace mobrel
