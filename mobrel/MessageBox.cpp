// The library's modal message box: a frameless window in the skin's colours with
// a title strip, the system icon of its kind, the wrapped text and one or two buttons.
// Keys: Enter or Space press the focused button, Esc answers No (or OK), Y and N
// answer Yes and No, Tab and the arrow keys move the focus.
#include "mobrel/Draw.h"
#include "mobrel/Mobrel.h"
#include "mobrel/Skin.h"

#include <algorithm>
#include <vector>

namespace mobrel {
namespace {

const wchar_t kClassName[] = L"MobrelMessageBox";
constexpr int kTitleHeight = 30, kMargin = 18, kIconSize = 32, kGap = 14;
constexpr int kButtonWidth = 84, kButtonHeight = 28, kButtonGap = 10, kMaxTextWidth = 380;

struct Button {
  std::wstring Text;
  int Result;
  RECT Bounds;
};

struct Box {
  std::wstring Text, Title;
  HICON Icon = nullptr;
  std::vector<Button> Buttons;
  int Focus = 0, Hot = -1, Pressed = -1;
  int CancelResult = IDOK;
  int Result = 0;
  bool Done = false;
  HFONT TitleFont = nullptr, TextFont = nullptr;
  RECT TextRect{};

  void Finish(int result) {
    Result = result;
    Done = true;
  }
  int ButtonAt(POINT p) const {
    for (size_t i = 0; i < Buttons.size(); ++i)
      if (PtInRect(&Buttons[i].Bounds, p)) return static_cast<int>(i);
    return -1;
  }
};

Box* BoxOf(HWND window) { return reinterpret_cast<Box*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void Paint(HWND window, Box& box) {
  BufferedPaint paint(window);
  HDC dc = paint.Dc();
  const RECT& client = paint.Client();
  Palette p = CurrentPalette();
  FillSolid(dc, client, RGB(255, 255, 255));
  RECT title{0, 0, client.right, kTitleHeight};
  FillSolid(dc, title, p.Accent);
  RECT titleText{kMargin - 6, 0, client.right - kMargin, kTitleHeight};
  HGDIOBJ old = SelectObject(dc, box.TitleFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Caption);
  DrawTextW(dc, box.Title.c_str(), -1, &titleText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  // A light band behind the buttons separates them from the text.
  RECT band{1, client.bottom - kButtonHeight - 2 * 12, client.right - 1, client.bottom - 1};
  FillSolid(dc, band, RGB(0xF4, 0xF4, 0xF4));
  if (box.Icon) DrawIconEx(dc, kMargin, kTitleHeight + kMargin, box.Icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  DrawWrapped(dc, box.Text, box.TextRect, box.TextFont, p.Text);
  for (size_t i = 0; i < box.Buttons.size(); ++i) {
    int index = static_cast<int>(i);
    ButtonState state{box.Hot == index, box.Pressed == index && box.Hot == index,
                      box.Focus == index && GetFocus() == window};
    DrawButton(dc, box.Buttons[i].Bounds, box.Buttons[i].Text, i == 0 ? ButtonLook::Primary : ButtonLook::Secondary,
               state, box.TextFont);
  }
  FrameSolid(dc, client, p.AccentDark);
}

void MoveFocus(HWND window, Box& box, int step) {
  int count = static_cast<int>(box.Buttons.size());
  box.Focus = (box.Focus + step + count) % count;
  InvalidateRect(window, nullptr, FALSE);
}

bool HasResult(const Box& box, int result) {
  return std::any_of(box.Buttons.begin(), box.Buttons.end(), [&](const Button& b) { return b.Result == result; });
}

LRESULT BoxMessage(HWND window, Box* box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window, *box);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ScreenToClient(window, &p);
      return p.y < kTitleHeight ? HTCAPTION : HTCLIENT;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_RETURN:
        case VK_SPACE:
          box->Finish(box->Buttons[box->Focus].Result);
          return 0;
        case VK_ESCAPE:
          box->Finish(box->CancelResult);
          return 0;
        case 'Y':
          if (HasResult(*box, IDYES)) box->Finish(IDYES);
          return 0;
        case 'N':
          if (HasResult(*box, IDNO)) box->Finish(IDNO);
          return 0;
        case VK_TAB:
          MoveFocus(window, *box, GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
          return 0;
        case VK_LEFT:
        case VK_UP:
          MoveFocus(window, *box, -1);
          return 0;
        case VK_RIGHT:
        case VK_DOWN:
          MoveFocus(window, *box, 1);
          return 0;
      }
      break;
    case WM_MOUSEMOVE: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      int hot = box->ButtonAt(p);
      if (hot != box->Hot) {
        box->Hot = hot;
        InvalidateRect(window, nullptr, FALSE);
      }
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      box->Hot = -1;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      box->Pressed = box->Hot = box->ButtonAt(p);
      if (box->Pressed >= 0) {
        box->Focus = box->Pressed;
        SetCapture(window);
      }
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case WM_LBUTTONUP: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      int pressed = box->Pressed;
      box->Pressed = -1;
      if (GetCapture() == window) ReleaseCapture();
      if (pressed >= 0 && box->ButtonAt(p) == pressed) box->Finish(box->Buttons[pressed].Result);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case WM_CLOSE:
      box->Finish(box->CancelResult);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Box* box = BoxOf(window);
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (!box) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return BoxMessage(window, box, message, wParam, lParam);
  } catch (...) {
    // A box that fails to handle a message ends with its cancel answer
    // rather than stay up unable to paint or answer.
    box->Finish(box->CancelResult);
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterBoxClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = CS_DROPSHADOW;
  wc.lpfnWndProc = BoxProc;
  wc.hInstance = Module();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  registered = RegisterClassExW(&wc) != 0;
}

void SetButtons(Box& box, UINT style) {
  if ((style & MB_TYPEMASK) == MB_YESNO) {
    box.Buttons = {{L"Yes", IDYES, {}}, {L"No", IDNO, {}}};
    box.CancelResult = IDNO;
  } else {
    box.Buttons = {{L"OK", IDOK, {}}};
    box.CancelResult = IDOK;
  }
}

HICON IconFor(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONWARNING: return LoadIconW(nullptr, IDI_WARNING);
    case MB_ICONINFORMATION: return LoadIconW(nullptr, IDI_INFORMATION);
    case MB_ICONQUESTION: return LoadIconW(nullptr, IDI_QUESTION);
    case MB_ICONERROR: return LoadIconW(nullptr, IDI_ERROR);
  }
  return nullptr;
}

// Lays the box out and answers its outer size.
SIZE Layout(Box& box) {
  HDC dc = GetDC(nullptr);
  int textWidth = kMaxTextWidth;
  RECT measure{0, 0, kMaxTextWidth, 0};
  HGDIOBJ old = SelectObject(dc, box.TextFont);
  DrawTextW(dc, box.Text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  SelectObject(dc, old);
  textWidth = std::max<int>(measure.right, 120);
  int textHeight = std::max<int>(measure.bottom, kIconSize);
  ReleaseDC(nullptr, dc);

  int buttonsWidth = static_cast<int>(box.Buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  int width = std::max(kMargin + kIconSize + kGap + textWidth + kMargin, buttonsWidth + 2 * kMargin);
  width = std::max(width, 280);
  int textTop = kTitleHeight + kMargin;
  int textOffset = std::max(0, (kIconSize - static_cast<int>(measure.bottom)) / 2);
  box.TextRect = {kMargin + kIconSize + kGap, textTop + textOffset, width - kMargin, textTop + textOffset + textHeight};
  int buttonsTop = textTop + textHeight + kMargin + 12;
  int x = width - kMargin - buttonsWidth;
  for (Button& b : box.Buttons) {
    b.Bounds = {x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight};
    x += kButtonWidth + kButtonGap;
  }
  return {width, buttonsTop + kButtonHeight + 12};
}

// Centred on the owner, or on the screen without one, and kept inside the work area.
POINT Placement(HWND owner, SIZE size) {
  RECT area;
  HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(monitor, &info);
  area = info.rcWork;
  RECT around = area;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  LONG x = around.left + (around.right - around.left - size.cx) / 2;
  LONG y = around.top + (around.bottom - around.top - size.cy) / 2;
  x = std::max(area.left, std::min(x, area.right - size.cx));
  y = std::max(area.top, std::min(y, area.bottom - size.cy));
  return {x, y};
}

}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) {
  RegisterBoxClass();
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  Box box;
  box.Text = text;
  box.Title = title;
  box.Icon = IconFor(style);
  box.TitleFont = CreateUiFont(13, true);
  box.TextFont = CreateUiFont(13, false);
  SetButtons(box, style);
  SIZE size = Layout(box);
  POINT at = Placement(owner, size);

  HWND window = CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP, at.x, at.y, size.cx,
                                size.cy, owner, nullptr, Module(), &box);
  int result = box.CancelResult;
  if (window) {
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    MessageBeep(style & MB_ICONMASK);
    MSG msg;
    while (!box.Done) {
      BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
        break;
      }
      if (got < 0) break;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (box.Done) result = box.Result;
    // Re-enable the owner before the box goes, so that activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    DestroyWindow(window);
    if (owner) SetActiveWindow(owner);
  }
  DeleteObject(box.TitleFont);
  DeleteObject(box.TextFont);
  return result;
}

}  // namespace mobrel
