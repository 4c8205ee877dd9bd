#include "tests/harness/Harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/PngWriter.h"

namespace harness {

void InitGui() {
  static bool done = false;
  if (done) return;
  done = true;
  Application->Initialize();
  DialogScript().Active = true;
  // An error that reaches the application's handler fails the running test
  // instead of passing as a scripted box; a test of the handler sets its own.
  Application->OnException = [](TObject*, const std::exception& error) {
    ADD_FAILURE() << "an error reached the application's handler: " << error.what();
  };
}

void Pump(int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  do {
    Application->ProcessMessages();
    if (milliseconds > 0) Sleep(1);
  } while (GetTickCount64() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    Application->ProcessMessages();
    Sleep(1);
  }
  return true;
}

TComponent* FindComponent(TComponent* root, const std::string& name) {
  TComponent* component = root->FindComponent(name);
  if (!component) throw std::runtime_error(root->Name() + " has no component " + name);
  return component;
}

namespace {

// The window of the control and the message point inside it.
HWND Target(TControl* control, int x, int y, POINT& at) {
  HWND wnd = control->DisplayHandle();
  if (!wnd) throw std::runtime_error(control->Name() + " has no window to receive input");
  if (x < 0) x = control->Width() / 2;
  if (y < 0) y = control->Height() / 2;
  TPoint origin = control->OriginInDisplay();
  at = {origin.X + x, origin.Y + y};
  POINT screen = at;
  ClientToScreen(wnd, &screen);
  SetCursorPos(screen.x, screen.y);
  return wnd;
}

WPARAM ButtonFlag(TMouseButton button) {
  return button == mbRight ? MK_RBUTTON : button == mbMiddle ? MK_MBUTTON : MK_LBUTTON;
}

}  // namespace

void MouseMove(TControl* control, int x, int y) {
  POINT at;
  HWND wnd = Target(control, x, y, at);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}

void MouseDown(TControl* control, TMouseButton button, int x, int y) {
  POINT at;
  HWND wnd = Target(control, x, y, at);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  const UINT msg = button == mbRight ? WM_RBUTTONDOWN : button == mbMiddle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  SendMessageW(wnd, msg, ButtonFlag(button), MAKELPARAM(at.x, at.y));
}

void MouseUp(TControl* control, TMouseButton button, int x, int y) {
  POINT at;
  HWND wnd = Target(control, x, y, at);
  SendMessageW(wnd, WM_MOUSEMOVE, ButtonFlag(button), MAKELPARAM(at.x, at.y));
  const UINT msg = button == mbRight ? WM_RBUTTONUP : button == mbMiddle ? WM_MBUTTONUP : WM_LBUTTONUP;
  SendMessageW(wnd, msg, 0, MAKELPARAM(at.x, at.y));
}

void Click(TControl* control, int x, int y) {
  MouseDown(control, mbLeft, x, y);
  MouseUp(control, mbLeft, x, y);
}

void DblClick(TControl* control) {
  POINT at;
  HWND wnd = Target(control, -1, -1, at);
  const LPARAM pos = MAKELPARAM(at.x, at.y);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, pos);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
  SendMessageW(wnd, WM_LBUTTONUP, 0, pos);
  SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
  SendMessageW(wnd, WM_LBUTTONUP, 0, pos);
}

void MoveAway(TControl* control) {
  HWND wnd = control->DisplayHandle();
  if (!wnd) return;
  SetCursorPos(0, 0);
  SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
}

void ShowFresh(TForm* form) {
  ParkMouse();
  form->Show();
  Pump();
}

void ParkMouse() {
  SetCursorPos(0, 0);
  Pump(50);
}

void Key(WORD key, TShiftState shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  const std::pair<TShiftState, int> modifiers[] = {{ssShift, VK_SHIFT}, {ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}};
  for (const auto& [flag, vk] : modifiers) state[vk] = (shift & flag) ? 0x80 : 0;
  SetKeyboardState(state);
  HWND focus = GetFocus();
  // A repeat count of 1, and with Alt the context bit a real key-down carries.
  const LPARAM data = 1 | ((shift & ssAlt) ? LPARAM{1} << 29 : 0);
  PostMessageW(focus, (shift & ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data);
  Pump();
  for (const auto& [flag, vk] : modifiers) state[vk] = 0;
  SetKeyboardState(state);
}

void Type(TWinControl* control, const std::wstring& text) {
  HWND wnd = control->Handle();
  SetFocus(wnd);
  for (wchar_t c : text) SendMessageW(wnd, WM_CHAR, c, 1);
}

void QueueOpen(const std::wstring& path) { DialogScript().QueueFile(dkOpen, path); }
void QueueSave(const std::wstring& path) { DialogScript().QueueFile(dkSave, path); }
void QueueFolder(const std::wstring& path) { DialogScript().QueueFolder(path); }
void QueueCancel(TDialogKind kind) { DialogScript().QueueCancel(kind); }
void QueueMessageBoxAnswer(int answer) { mobrel_double::Get().Answers.push_back(answer); }

void ResetScripts() {
  DialogScript().Reset();
  mobrel_double::Reset();
}

namespace {

// Paints a window and its visible windowed children into dc, with the
// window's client origin at (x, y): our own window classes through
// WM_PRINTCLIENT (the framework's paint path), native ones through WM_PRINT.
void RenderInto(HDC dc, HWND wnd, int x, int y) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  const bool own = wcsncmp(cls, L"Quenlor", 7) == 0;
  POINT client{0, 0};
  ClientToScreen(wnd, &client);
  RECT frame;
  GetWindowRect(wnd, &frame);
  int saved = SaveDC(dc);
  if (own) {
    SetWindowOrgEx(dc, -x, -y, nullptr);
    RECT r;
    GetClientRect(wnd, &r);
    IntersectClipRect(dc, 0, 0, r.right, r.bottom);
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  } else {
    SetWindowOrgEx(dc, -(x - (client.x - frame.left)), -(y - (client.y - frame.top)), nullptr);
    SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
  }
  RestoreDC(dc, saved);

  std::vector<HWND> children;  // top of the z-order first
  for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT r;
    GetWindowRect(*it, &r);
    POINT origin{0, 0};
    ClientToScreen(*it, &origin);
    const int dx = x - client.x, dy = y - client.y;  // screen to bitmap
    int clip = SaveDC(dc);
    IntersectClipRect(dc, r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
    RenderInto(dc, *it, origin.x + dx, origin.y + dy);
    RestoreDC(dc, clip);
  }
}

}  // namespace

std::unique_ptr<TBitmap> Render(TWinControl* window) {
  HWND wnd = window->Handle();
  RECT client;
  GetClientRect(wnd, &client);
  auto bitmap = std::make_unique<TBitmap>(client.right, client.bottom);
  RenderInto(bitmap->Canvas().Handle(), wnd, 0, 0);
  return bitmap;
}

std::unique_ptr<TBitmap> CaptureScreen(TWinControl* window) {
  Pump();
  HWND wnd = window->Handle();
  RECT client;
  GetClientRect(wnd, &client);
  auto bitmap = std::make_unique<TBitmap>(client.right, client.bottom);
  HDC dc = GetDC(wnd);
  BitBlt(bitmap->Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  return bitmap;
}

TColor PixelAt(const TBitmap& bitmap, int x, int y) {
  const uint32_t argb = bitmap.ScanLine(y)[x];
  return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

TRect InkBox(const TBitmap& bitmap, TColor background, const TRect& area) {
  TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (PixelAt(bitmap, x, y) != background)
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box;
}

std::wstring SaveScreenshot(const TBitmap& bitmap, const std::wstring& name) {
  PngLayout picture(PNG_COLOR_TYPE_RGB, 8, bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    Bytes& row = picture.rows.emplace_back();
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor color = PixelAt(bitmap, x, y);
      row.insert(row.end(), {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16)});
    }
  }
  return SaveScreenshot(picture, name);
}

std::unique_ptr<TPicture> SolidPicture(int width, int height, TColor color, uint8_t alpha) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = png.Scanline(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(color >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(color >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(color);
    }
    std::memset(png.AlphaScanline(y), alpha, static_cast<size_t>(width));
  }
  auto picture = std::make_unique<TPicture>();
  picture->SetGraphic(&png);
  return picture;
}

TColor PngPixel(const TPngImage& png, int x, int y) {
  const uint8_t* p = png.Scanline(y) + 3 * x;
  return TColor{p[2]} | TColor{p[1]} << 8 | TColor{p[0]} << 16;
}

bool SamePixels(const TPngImage& a, const TPngImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.HasAlpha() != b.HasAlpha()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Scanline(y), b.Scanline(y), 3 * static_cast<size_t>(a.Width())) != 0) return false;
    if (a.HasAlpha() && std::memcmp(a.AlphaScanline(y), b.AlphaScanline(y), static_cast<size_t>(a.Width())) != 0)
      return false;
  }
  return true;
}

}  // namespace harness
