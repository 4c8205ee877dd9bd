#include "controls/OrvVclListView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "controls/OrvVclPublic.h"
#include "framework/Forms.h"
#include "framework/Layout.h"

TOrvVclListView::TOrvVclListView(TComponent* AOwner) : TCustomListView(AOwner) {
  SetDoubleBuffered(true);
  sort_images_.fill(-1);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (GetVersionExW(&version)) os_major_ = static_cast<int>(version.dwMajorVersion);
  head_height_font_.OnChange = [this] { ApplyHeaderFont(); };
}

// The header goes back to its own procedure while this object is whole.
TOrvVclListView::~TOrvVclListView() {
  head_height_font_.OnChange = nullptr;
  DestroyHandle();
}

// ---------------------------------------------------------------- properties

void TOrvVclListView::SetPicList(TOrvVclScrollbarPicList* value) {
  pic_list_ = value;
  auto copyCap = [](TPngImage& cap, TPicture* picture) {
    if (picture && !picture->Empty()) cap.Assign(*picture->Graphic());
    else cap.SetSize(0, 0);
  };
  copyCap(cap_left_, value ? &value->PicHeaderLeftNormal1() : nullptr);
  copyCap(cap_right_, value ? &value->PicHeaderRightNormal1() : nullptr);
  RepaintHeader();
}

// The rows, the border and the header in the new style at once.
void TOrvVclListView::SetPicstyle(int value) {
  if (value < 1 || value > TOrvVclScrollbarPicList::StyleCount) return;
  picstyle_ = value;
  if (!HandleAllocated()) return;
  RepaintNow(Handle());
  SendMessageW(Handle(), WM_NCPAINT, 1, 0);
  RepaintHeader();
}

void TOrvVclListView::SetBorderColor(TColor value) {
  border_color_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TOrvVclListView::SetHeadHeightFont(const TFont& value) { head_height_font_.Assign(value); }

void TOrvVclListView::SetStatueCheckbox(TOrvVclListCheckbox* value) {
  if (statue_checkbox_) statue_checkbox_->SetParentdc(nullptr);
  statue_checkbox_ = value;
  if (!value) return;
  value->SetParent(Parent());
  value->SetParentdc(header_);
}

void TOrvVclListView::SetMyVisible(bool value) {
  my_visible_ = value;
  if (loaded_ && HandleAllocated()) ShowWindow(Handle(), value ? SW_SHOW : SW_HIDE);
}

int TOrvVclListView::SortImage(int column) const {
  return column >= 0 && column < SortColumns ? sort_images_[column] : -1;
}

void TOrvVclListView::SetSortImage(int column, int image) {
  if (column < 0 || column >= SortColumns) return;
  sort_images_[column] = image;
  RepaintHeader();
}

// ---------------------------------------------------------------- window

void TOrvVclListView::Loaded() {
  TCustomListView::Loaded();
  if (statue_checkbox_) statue_checkbox_->SetParent(Parent());
  loaded_ = true;
  if (HandleAllocated()) HookHeader();
}

// A window made anew (or first made after loading) gets its header hooked.
void TOrvVclListView::CreateWnd() {
  TCustomListView::CreateWnd();
  if (loaded_) HookHeader();
}

void TOrvVclListView::DestroyWnd() {
  ReleaseHeader();
  TCustomListView::DestroyWnd();
}

void TOrvVclListView::WndProc(TMessage& m) {
  TCustomListView::WndProc(m);
  switch (m.Msg) {
    case WM_NCPAINT:
      DrawWindowFrame(*this, OuterBorderColor(), Color(), true);
      break;
    case WM_SETFONT:
      // The list lays its header out after the header took the font.
      MeasureHeader();
      RepaintHeader();
      break;
    case LVM_INSERTCOLUMNW:
    case WM_SHOWWINDOW:
      // A list made hidden makes its header with the first column or show.
      if (loaded_ && !header_) HookHeader();
      break;
  }
  TOrvVclListCheckbox* box = statue_checkbox_;
  if (!box || !box->HandleAllocated() || Destroying()) return;
  const bool shown = my_visible_ && ViewStyle() == vsReport;
  if (((GetWindowLongW(box->Handle(), GWL_STYLE) & WS_VISIBLE) != 0) != shown)
    ShowWindow(box->Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

TColor TOrvVclListView::OuterBorderColor() const {
  return pic_list_ ? pic_list_->BorderColor(picstyle_) : border_color_;
}

// ---------------------------------------------------------------- header link

void TOrvVclListView::HookHeader() {
  if (header_ || ViewStyle() != vsReport) return;
  HWND header = HeaderHandle();
  if (!header) return;
  themes_ = ThemesAvailable(Handle());
  header_ = header;
  header_hook_.Install<&TOrvVclListView::header_hook_, &TOrvVclListView::HeaderMessage>(this, header);
  if (statue_checkbox_) statue_checkbox_->SetParentdc(header);
  ApplyHeaderFont();
  if (!my_visible_) ShowWindow(Handle(), SW_HIDE);
  PositionCheckbox();
  RepaintHeader();
}

void TOrvVclListView::ReleaseHeader() {
  if (!header_) return;
  header_ = nullptr;
  pressed_column_ = hot_column_ = -1;
  header_state_ = hsNormal;
  if (statue_checkbox_) statue_checkbox_->SetParentdc(nullptr);
  header_hook_.Release();
}

// The list passes its font on to the header, where the header procedure
// puts HeadHeightFont in its place. A list that ignores its unchanged font
// is handed none first, so that the header always gets the message.
void TOrvVclListView::ApplyHeaderFont() {
  if (!header_) return;
  HFONT font = Font().Handle();
  SendMessageW(Handle(), WM_SETFONT, 0, FALSE);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TOrvVclListView::MeasureHeader() {
  if (!header_) return;
  RECT r;
  GetWindowRect(header_, &r);
  header_height_ = r.bottom - r.top;
}

void TOrvVclListView::RepaintHeader() {
  if (header_) RepaintNow(header_);
}

LRESULT TOrvVclListView::HeaderMessage(HWND header, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto passOn = [&] { return header_hook_.CallPrevious(header, msg, wParam, lParam); };
  auto refresh = [header] {
    ::InvalidateRect(header, nullptr, FALSE);
    UpdateWindow(header);
  };
  HDC given = reinterpret_cast<HDC>(wParam);
  switch (msg) {
    case WM_DESTROY:
      ReleaseHeader();
      return passOn();
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!pic_list_) return passOn();
      if (given) {
        if (msg == WM_PAINT) ::InvalidateRect(header, nullptr, FALSE);
        PaintHeader(given);
      } else {
        ::InvalidateRect(header, nullptr, FALSE);
        PAINTSTRUCT ps;
        BeginPaint(header, &ps);
        EndPaint(header, &ps);
        HDC dc = GetDC(header);
        PaintHeader(dc);
        ReleaseDC(header, dc);
      }
      return 0;
    case WM_ERASEBKGND:
      if (given) PaintHeader(given);
      return 1;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = std::abs(head_height_font_.Height());
      return passOn();
    case WM_SETFONT: {
      const LRESULT result =
          header_hook_.CallPrevious(header, msg, reinterpret_cast<WPARAM>(head_height_font_.Handle()), lParam);
      MeasureHeader();
      RepaintHeader();
      return result;
    }
    case WM_MOUSELEAVE:
      pressed_column_ = hot_column_ = -1;
      header_state_ = hsNormal;
      RepaintHeader();
      return passOn();
    case WM_LBUTTONUP: {
      header_state_ = hsNormal;
      pressed_column_ = hot_column_ = -1;
      const LRESULT result = passOn();
      RepaintHeader();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
      const LRESULT result = passOn();
      HeaderMouse(msg, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return result;
    }
    case WM_MOVE:
    case WM_SIZE: {
      // The header moves with a horizontal scroll: the check box follows.
      const LRESULT result = passOn();
      PositionCheckbox();
      if (have_angle_) refresh();
      return result;
    }
    case WM_WINDOWPOSCHANGING: {
      const LRESULT result = passOn();
      const bool showing = (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0;
      if (have_angle_ && !(is_posheader_ && showing)) refresh();
      return result;
    }
  }
  return passOn();
}

// Pressed follows the cursor on and off the pressed column; with themes a
// column under a free cursor is hot.
void TOrvVclListView::HeaderMouse(UINT msg, TPoint p) {
  last_point_ = p;
  const int column = ColumnAt(p);
  if (msg == WM_LBUTTONDOWN) {
    header_state_ = hsPressed;
    pressed_column_ = column;
  } else if (pressed_column_ != -1 && column == pressed_column_) {
    header_state_ = hsPressed;
  } else if (pressed_column_ == -1 && themes_) {
    hot_column_ = column;
    header_state_ = hsHot;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, header_, 0};
    TrackMouseEvent(&track);
  } else {
    header_state_ = hsNormal;
  }
  RepaintHeader();
}

TRect TOrvVclListView::ItemRect(int index) {
  RECT r{};
  if (!header_ || !SendMessageW(header_, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return {};
  return TRect::FromRECT(r);
}

int TOrvVclListView::ColumnAt(TPoint p) {
  if (!header_ || p.Y < 0 || p.Y > header_height_) return -1;
  const int count = static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const TRect r = ItemRect(i);
    if (p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom) return i;
  }
  return -1;
}

std::wstring TOrvVclListView::ColumnCaption(int index, int& format) {
  wchar_t text[260] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT;
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(header_, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  format = item.fmt;
  return text;
}

// ---------------------------------------------------------------- header painting

void TOrvVclListView::PaintHeader(HDC dc) {
  PositionCheckbox();
  if (!pic_list_ || !header_ || !dc) return;
  RECT client;
  GetClientRect(header_, &client);
  const TRect header = TRect::FromRECT(client);
  if (header.IsEmpty()) return;
  header_bitmap_.SetSize(header.Width(), header.Height());
  TCanvas& canvas = header_bitmap_.Canvas();
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(pic_list_->MyFont(picstyle_));
  const int count = static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
  int end = 0;
  for (int i = 0; i < count; ++i) {
    const TRect r = ItemRect(i);
    DrawColumn(canvas, r, i);
    end = std::max(end, r.Right);
  }
  if (end < header.Right) {
    TPicture& rest = Enabled() ? pic_list_->PicHeaderBGNormal(picstyle_) : pic_list_->PicHeaderBGDisable(picstyle_);
    TileHeaderPicture(canvas.Handle(), Rect(end, 0, header.Right, header.Bottom), rest);
  }
  if (have_angle_) DrawCaps(canvas, header);
  BitBlt(dc, 0, 0, header.Width(), header.Height(), canvas.Handle(), 0, 0, SRCCOPY);
  header_tiles_.clear();
}

void TOrvVclListView::TileHeaderPicture(HDC dc, const TRect& r, const TPicture& picture) {
  auto& tile = header_tiles_[&picture];
  if (!tile) tile = PictureBitmap(picture);
  if (tile) TileBlt(dc, r, tile->Canvas().Handle(), tdAlongX, Rect(0, 0, tile->Width(), tile->Height()));
}

void TOrvVclListView::DrawCaps(TCanvas& canvas, const TRect& header) {
  int right = header.Right;
  if (os_major_ <= 5 && (GetWindowLongW(Handle(), GWL_STYLE) & WS_VSCROLL)) right -= GetSystemMetrics(SM_CXVSCROLL);
  if (!cap_right_.Empty()) cap_right_.Draw(canvas, Rect(right - cap_right_.Width(), 0, right, header.Height()));
  if (!cap_left_.Empty()) cap_left_.Draw(canvas, Rect(0, 0, cap_left_.Width(), header.Height()));
}

// Background by state, separator, sort image at the right end, then the
// caption placed by its alignment and cut with an ellipsis before the limit.
void TOrvVclListView::DrawColumn(TCanvas& canvas, const TRect& r, int index) {
  const bool pressed = index == pressed_column_ && header_state_ == hsPressed;
  TOrvVclScrollbarPicList& list = *pic_list_;
  TPicture* back = &list.PicHeaderBGNormal(picstyle_);
  if (!Enabled()) back = &list.PicHeaderBGDisable(picstyle_);
  else if (pressed) back = &list.PicHeaderBGDown(picstyle_);
  else if (pressed_column_ == -1 && index == hot_column_) back = &list.PicHeaderBGOver(picstyle_);
  TileHeaderPicture(canvas.Handle(), r, *back);
  const TPicture& split = list.PicSplit(picstyle_);
  if (!split.Empty() && index != hot_column_ && !pressed)
    canvas.Draw(r.Right - split.Width(), r.Top + (r.Height() - split.Height()) / 2, *split.Graphic());

  int a = n_interval_;
  if (index == 0 && statue_checkbox_) a += statue_checkbox_->BoxWidth() + statue_interval_;
  int limit = r.Right - n_interval_;
  if (TImageList* images = head_img_sort_; images && SortImage(index) >= 0) {
    const int x = std::max(r.Right - n_interval_ - images->Width(), r.Left + a);
    images->Draw(canvas, x, r.Top + (r.Height() + header_up_intervar_ - images->Height()) / 2, SortImage(index));
    limit = x - sort_interval_;
  }

  int format = 0;
  const std::wstring caption = ColumnCaption(index, format);
  const int h = canvas.TextHeight(L"hgp");
  const int w = canvas.TextWidth(caption);
  const int start = r.Left + a + text_interval_;
  const int downX = pressed ? header_down_x_ : 0;
  int x = start + downX;
  if ((format & HDF_JUSTIFYMASK) == HDF_CENTER)
    x = r.Left + std::max((r.Width() - w) / 2 + downX, a + text_interval_);
  else if ((format & HDF_JUSTIFYMASK) == HDF_RIGHT)
    x = pressed ? std::max(limit - w, start + header_down_x_) : std::max(limit - w - header_down_x_, start);
  const int top = r.Top + (r.Height() + header_up_intervar_ - h) / 2 + (pressed ? header_down_y_ : 0);
  TRect box = Rect(x, top, limit, top + h);
  canvas.DrawText(FitTextWithEllipsis(canvas, caption, limit - x), box, DT_SINGLELINE | DT_VCENTER);
}

// ---------------------------------------------------------------- state check box

// Centred on column 0's header item, nInterval in from its left; where the
// column is scrolled out past the list's edge the box is cut at its left
// (Offset) and never reaches past the column's right end.
void TOrvVclListView::PositionCheckbox() {
  TOrvVclListCheckbox* box = statue_checkbox_;
  if (!box || !box->HandleAllocated() || !HandleAllocated()) return;
  HWND wnd = box->Handle();
  if (ViewStyle() != vsReport || !my_visible_ || !header_) {
    ShowWindow(wnd, SW_HIDE);
    return;
  }
  const int e = BorderInset(Handle());
  const TRect column = ItemRect(0);
  POINT ends[2] = {{column.Left, column.Top}, {column.Right, column.Bottom}};
  MapWindowPoints(header_, GetParent(Handle()), ends, 2);
  const int top = Top() + e + BorderWidth() + (header_up_intervar_ + column.Height() - box->BoxHeight()) / 2;
  int left = n_interval_ + ends[0].x;
  const int edge = Left() + e + checkbox_left_;
  const int offset = left < edge ? edge - left : 0;
  left = std::max(left, edge);
  const int right = std::min(left + box->BoxWidth() - offset, static_cast<int>(ends[1].x) - n_interval_);
  left = std::max(left, checkbox_left_ + Left());
  const TRect bounds = Rect(left, top, std::max(right, left), top + box->BoxHeight());
  if (bounds == box->BoundsRect() && offset == box->Offset() && IsWindowVisible(wnd)) return;
  box->SetOffset(offset);
  SetWindowPos(wnd, HWND_TOP, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclListView, TCustomListView>("TOrvVclListView")
      .Ref("PicList", &TOrvVclListView::SetPicList)
      .Prop("Picstyle", &TOrvVclListView::SetPicstyle)
      .Prop("BorderColor", &TOrvVclListView::SetBorderColor)
      .Object("HeadHeightFont", &TOrvVclListView::HeadHeightFont)
      .Ref("HeadImgSort", &TOrvVclListView::SetHeadImgSort)
      .Prop("nInterval", &TOrvVclListView::SetnInterval)
      .Prop("TextInterval", &TOrvVclListView::SetTextInterval)
      .Prop("StatueInterval", &TOrvVclListView::SetStatueInterval)
      .Prop("SortInterval", &TOrvVclListView::SetSortInterval)
      .Prop("CheckboxLeft", &TOrvVclListView::SetCheckboxLeft)
      .Prop("HeaderupIntervar", &TOrvVclListView::SetHeaderupIntervar)
      .Prop("HeaderDownX", &TOrvVclListView::SetHeaderDownX)
      .Prop("HeaderDownY", &TOrvVclListView::SetHeaderDownY)
      .Ref("StatueCheckbox", &TOrvVclListView::SetStatueCheckbox)
      .Prop("MyVisible", &TOrvVclListView::SetMyVisible)
      .Prop("HaveAngle", &TOrvVclListView::SetHaveAngle)
      .Prop("isPosheader", &TOrvVclListView::SetisPosheader)
      .Prop("UserPaint", &TOrvVclListView::SetUserPaint)
      .Prop("IsHeaderEarsebkgnd", &TOrvVclListView::SetIsHeaderEarsebkgnd)
      .Event("OnMyUserPaint", &TOrvVclListView::OnMyUserPaint);
  return true;
}();

}  // namespace
