// Small GDI helpers shared by the message box and the library pages.
#pragma once
#include <string>
#include <windows.h>

namespace mobrel {

// A Tahoma font of the given cell height; the caller deletes it.
HFONT CreateUiFont(int height, bool bold, bool underline = false);
void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);

enum class ButtonLook { Primary, Secondary };
struct ButtonState {
  bool Hot = false;
  bool Pressed = false;
  bool Focused = false;
};
// A flat button in the current skin's colours.
void DrawButton(HDC dc, const RECT& rect, const std::wstring& text, ButtonLook look, ButtonState state,
                HFONT font);

// Draws word-wrapped text into rect and answers the height it took.
int DrawWrapped(HDC dc, const std::wstring& text, RECT rect, HFONT font, COLORREF color,
                UINT extraFlags = 0);
// The height word-wrapped text needs at the given width.
int WrappedHeight(HDC dc, const std::wstring& text, int width, HFONT font);

// Double buffering: paints through a memory bitmap and copies it in one block.
class BufferedPaint {
 public:
  explicit BufferedPaint(HWND window);
  ~BufferedPaint();
  HDC Dc() const { return memory_; }
  const RECT& Client() const { return client_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC target_ = nullptr, memory_ = nullptr;
  HBITMAP bitmap_ = nullptr, old_ = nullptr;
  RECT client_{};
};

}  // namespace mobrel
