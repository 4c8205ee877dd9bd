// The two library pages: "About" (the product, its version and what it does) and
// "Products" (a card per product). Each is a child window laid out for the size
// it is given, painted in the current skin's colours, with a home-page link.
#include "mobrel/Draw.h"
#include "mobrel/Mobrel.h"
#include "mobrel/Skin.h"
#include "mobrel/MobrelDLL.h"

#include <algorithm>
#include <vector>

namespace mobrel {
namespace {

const wchar_t kClassName[] = L"MobrelPage";
constexpr int kMargin = 24;

struct Page {
  PageKind Kind;
  RECT Link{};  // where the link was painted last
  bool LinkHot = false;
};

std::vector<HWND> g_pages;

const wchar_t kDescription[] =
    L"Cuts any file into a numbered series of parts, by a number of blocks or by a block size, "
    L"and joins such a series back into a file identical to the original. Every part is checked "
    L"after the split, and a small batch script beside the parts rejoins them on any Windows "
    L"machine, with or without this tool.";
const wchar_t kFeatures[] =
    L"\x2022  Up to 999 parts, from a few bytes to many gigabytes each\r\n"
    L"\x2022  Large blocks are copied past the system cache for speed\r\n"
    L"\x2022  Progress for the part in hand and for the whole job, with cancel\r\n"
    L"\x2022  Five colour skins";

Page* PageOf(HWND window) { return reinterpret_cast<Page*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// Paints a heading line in the accent colour and answers the y below it.
int Heading(HDC dc, const std::wstring& text, int x, int y, int width, int height, COLORREF color) {
  HFONT font = CreateUiFont(height, true);
  int used = DrawWrapped(dc, text, RECT{x, y, x + width, y + 400}, font, color, DT_SINGLELINE | DT_END_ELLIPSIS);
  DeleteObject(font);
  return y + used;
}

int Paragraph(HDC dc, const std::wstring& text, int x, int y, int width, COLORREF color) {
  HFONT font = CreateUiFont(13, false);
  int used = DrawWrapped(dc, text, RECT{x, y, x + width, y + 2000}, font, color);
  DeleteObject(font);
  return y + used;
}

int LinkLine(HDC dc, Page& page, int x, int y, int width, COLORREF color) {
  HFONT font = CreateUiFont(13, true, page.LinkHot);
  std::wstring text = L"Visit the home page \x203A";
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent;
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  page.Link = {x, y, x + std::min<int>(extent.cx, width), y + extent.cy};
  DrawWrapped(dc, text, page.Link, font, color, DT_SINGLELINE);
  DeleteObject(font);
  return page.Link.bottom;
}

void PaintAbout(HDC dc, Page& page, const RECT& client, const Palette& p) {
  int width = client.right - 2 * kMargin;
  int y = kMargin;
  y = Heading(dc, ProductName(), kMargin, y, width, 26, p.Accent) + 4;
  y = Paragraph(dc, L"Version " + ProductVersion(), kMargin, y, width, RGB(0x77, 0x77, 0x77)) + 14;
  FillSolid(dc, RECT{kMargin, y, client.right - kMargin, y + 1}, p.AccentLight);
  y += 14;
  y = Paragraph(dc, kDescription, kMargin, y, width, p.Text) + 14;
  y = Paragraph(dc, kFeatures, kMargin, y, width, p.Text) + 18;
  LinkLine(dc, page, kMargin, y, width, p.Accent);
  Paragraph(dc, L"Support library by Mobrel", kMargin, client.bottom - kMargin - 16, width, RGB(0x99, 0x99, 0x99));
}

void PaintProducts(HDC dc, Page& page, const RECT& client, const Palette& p) {
  int width = client.right - 2 * kMargin;
  int y = Heading(dc, L"Our Products", kMargin, kMargin, width, 20, p.Accent) + 14;
  // One card: a coloured band on the left, the product, its version and what it does.
  int cardInner = width - 2 * 16 - 6;
  HFONT bodyFont = CreateUiFont(13, false);
  int bodyHeight = WrappedHeight(dc, kDescription, cardInner, bodyFont);
  DeleteObject(bodyFont);
  RECT card{kMargin, y, client.right - kMargin, 0};
  card.bottom = std::min<LONG>(client.bottom - kMargin, y + 16 + 24 + 20 + bodyHeight + 16 + 20 + 16);
  FillSolid(dc, card, RGB(0xFA, 0xFA, 0xFA));
  FrameSolid(dc, card, RGB(0xE0, 0xE0, 0xE0));
  FillSolid(dc, RECT{card.left, card.top, card.left + 6, card.bottom}, p.Accent);
  int x = card.left + 6 + 16;
  int cy = Heading(dc, ProductName() + L" " + ProductVersion(), x, card.top + 16, cardInner, 18, p.Text) + 6;
  cy = Paragraph(dc, kDescription, x, cy, cardInner, p.Text) + 12;
  LinkLine(dc, page, x, cy, cardInner, p.Accent);
}

LRESULT PageMessage(HWND window, Page* page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      BufferedPaint paint(window);
      FillSolid(paint.Dc(), paint.Client(), RGB(255, 255, 255));
      Palette p = CurrentPalette();
      if (page->Kind == PageKind::About)
        PaintAbout(paint.Dc(), *page, paint.Client(), p);
      else
        PaintProducts(paint.Dc(), *page, paint.Client(), p);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      bool hot = PtInRect(&page->Link, at) != 0;
      if (hot != page->LinkHot) {
        page->LinkHot = hot;
        InvalidateRect(window, &page->Link, FALSE);
      }
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      if (page->LinkHot) {
        page->LinkHot = false;
        InvalidateRect(window, &page->Link, FALSE);
      }
      return 0;
    case WM_SETCURSOR:
      if (page->LinkHot) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONUP: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&page->Link, at)) g_MobrelDLL_VisitHomePage();
      return 0;
    }
    case WM_NCDESTROY:
      g_pages.erase(std::remove(g_pages.begin(), g_pages.end(), window), g_pages.end());
      delete page;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Page* page = PageOf(window);
  if (!page) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return PageMessage(window, page, message, wParam, lParam);
  } catch (...) {
    // A message the page fails to handle gets the default handling, which
    // also validates a failed paint instead of asking for it again.
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterPageClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = PageProc;
  wc.hInstance = Module();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

void ShowPage(HWND panel, PageKind kind, RECT bounds) {
  RegisterPageClass();
  // A second call for the same panel replaces the earlier page.
  for (HWND existing : std::vector<HWND>(g_pages))
    if (GetParent(existing) == panel) DestroyWindow(existing);
  HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, panel, nullptr, Module(),
                                new Page{kind});
  if (window) g_pages.push_back(window);
}

void RepaintPages() {
  for (HWND page : g_pages) InvalidateRect(page, nullptr, FALSE);
}

}  // namespace mobrel
