#include "controls/OrvVclScrollBar.h"

#include <windowsx.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <cassert>
#include <memory>

#include "controls/OrvVclPublic.h"
#include "framework/Forms.h"
#include "framework/Layout.h"

// ---------------------------------------------------------------- geometry

TBarGeometry BarGeometry(int length, int scrollWidth, int minThumb, int systemThumb, const SCROLLINFO& info,
                         int position) {
  const int64_t track = std::max(length - 2 * scrollWidth, 0);
  const int64_t range = int64_t{info.nMax} - info.nMin;
  const int64_t page = info.nPage;
  const int64_t free = range - page + 1;  // the positions a page leaves
  // The divisor of the thumb's place must be positive: a page that covers
  // the range, or an empty range (nMax < nMin), leaves no thumb.
  const bool noThumb = page == 0 ? range <= 0 : free <= 0;
  int64_t thumb = 0;
  if (!noThumb) {
    thumb = page == 0 ? systemThumb : page * track / (range + 1);
    thumb = std::max<int64_t>(thumb, minThumb);
    if (minThumb > track) thumb = 0;
    thumb = std::min(thumb, track);
  }
  TBarGeometry g;
  g.Length = length;
  g.Arrow = track == 0 ? length / 2 : scrollWidth;
  g.ThumbLength = static_cast<int>(thumb);
  const int64_t spare = track - thumb;
  const int64_t end = length - g.Arrow - thumb;
  int64_t start = g.Arrow;
  if (spare > 0) {
    if (noThumb) start += spare / 2;
    else if (page == 0) start = position < range ? start + spare * position / range : end;
    else start = position < range + 1 ? start + spare * position / free : end;
  }
  g.ThumbStart = static_cast<int>(std::clamp<int64_t>(start, g.Arrow, std::max<int64_t>(end, g.Arrow)));
  return g;
}

int DragPosition(int length, int scrollWidth, int minThumb, const SCROLLINFO& info, int start, int d) {
  const int64_t track = std::max(length - 2 * scrollWidth, 0);
  const int64_t range = int64_t{info.nMax} - info.nMin;
  const int64_t free = range - info.nPage + 1;
  int64_t thumb = range + 1 > 0 ? int64_t{info.nPage} * track / (range + 1) : 0;
  thumb = track >= minThumb ? std::max<int64_t>(thumb, minThumb) : 0;
  const int64_t offset = track - thumb > 0 && free > 0 ? int64_t{d} * free / (track - thumb) : 0;
  return static_cast<int>(std::max<int64_t>(std::min(start + offset, free), info.nMin));
}

// ---------------------------------------------------------------- corner box

// The square where a host's two bars meet; its window procedure is replaced
// by the bar's corner procedure whenever its window is made.
class TCornerBox : public TWinControl {
 public:
  explicit TCornerBox(TOrvVclScrollBar* bar) : TWinControl(bar), bar_(bar) {
    SetBounds(0, 0, 0, 0);
    SetParent(bar);
  }

 protected:
  void CreateWnd() override {
    TWinControl::CreateWnd();
    bar_->corner_hook_.Install<&TOrvVclScrollBar::corner_hook_, &TOrvVclScrollBar::CornerMessage>(bar_, Handle());
  }

 private:
  TOrvVclScrollBar* bar_;
};

namespace {

bool IsArrowOrThumb(int part) { return part == spFirstArrow || part == spSecondArrow || part == spThumb; }

}  // namespace

// ---------------------------------------------------------------- properties

TOrvVclScrollBar::TOrvVclScrollBar(TComponent* AOwner) : TScrollBar(AOwner) {}

void TOrvVclScrollBar::SetPicList(TOrvVclScrollbarPicList* value) {
  pic_list_ = value;
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclScrollBar::SetScrollwidth(int value) {
  scroll_width_ = std::max(value, 1);
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclScrollBar::SetScrollBorder(int value) {
  scroll_border_ = std::max(value, 0);
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclScrollBar::SetPicstyle(int value) {
  if (value < 1 || value > TOrvVclScrollbarPicList::StyleCount) return;
  picstyle_ = value;
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclScrollBar::SetTHUMBMINSIZE(int value) {
  thumb_min_size_ = value;
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclScrollBar::SetPartnerBar(TOrvVclScrollBar* partner) {
  partner_ = partner;
}

// A bar made disabled gets no WM_ENABLE: its parts start disabled.
void TOrvVclScrollBar::CreateWnd() {
  TScrollBar::CreateWnd();
  if (!Enabled()) std::fill(std::begin(states_), std::end(states_), psDisabled);
}

int& TOrvVclScrollBar::State(int part) { return states_[part == spThumb ? 4 : part]; }

int TOrvVclScrollBar::PartState(int part) const {
  return part == spThumb ? states_[4] : part >= 0 && part < 4 ? states_[part] : psNormal;
}

void TOrvVclScrollBar::Loaded() {
  TScrollBar::Loaded();
  themes_ = ThemesAvailable(HandleAllocated() ? Handle() : nullptr);
  CreateCornerBox();
}

void TOrvVclScrollBar::CreateCornerBox() {
  if (!corner_) corner_ = new TCornerBox(this);
}

// ---------------------------------------------------------------- geometry of this bar

TBarGeometry TOrvVclScrollBar::Geometry() {
  const TRect client = ClientRect();
  const int length = Vertical() ? client.Height() : client.Width();
  const int position = info_.nTrackPos != -1 && !drop_down_owner_ ? info_.nTrackPos : info_.nPos;
  const int systemThumb = GetSystemMetrics(Vertical() ? SM_CYVTHUMB : SM_CXHTHUMB);
  return BarGeometry(length, scroll_width_, thumb_min_size_, systemThumb, info_, position);
}

TRect TOrvVclScrollBar::PartRect(int part) {
  const TBarGeometry g = Geometry();
  int from = 0, to = 0;
  switch (part) {
    case spFirstArrow: to = g.Arrow; break;
    case spTrackBefore: from = g.Arrow; to = g.ThumbStart; break;
    case spThumb: from = g.ThumbStart; to = g.ThumbStart + g.ThumbLength; break;
    case spTrackAfter: from = g.ThumbStart + g.ThumbLength; to = g.Length - g.Arrow; break;
    case spSecondArrow: from = g.Length - g.Arrow; to = g.Length; break;
    default: return TRect{};
  }
  const TRect client = ClientRect();
  return Vertical() ? Rect(0, from, client.Width(), to) : Rect(from, 0, to, client.Height());
}

int TOrvVclScrollBar::HitTest(TPoint p) {
  const int at = Along(p);
  if (at < 0) return spNone;
  const TBarGeometry g = Geometry();
  if (at < g.Arrow) return spFirstArrow;
  if (at < g.ThumbStart) return spTrackBefore;
  if (at < g.ThumbStart + g.ThumbLength) return spThumb;
  if (at < g.Length - g.Arrow) return spTrackAfter;
  return spSecondArrow;
}

// ---------------------------------------------------------------- painting

void TOrvVclScrollBar::Paint(HDC target) {
  const TRect client = ClientRect();
  if (!pic_list_ || !target || client.IsEmpty()) return;
  const auto sheet = PictureBitmap(pic_list_->Pic(picstyle_));
  if (!sheet) return;
  TBitmap buffer(client.Width(), client.Height());
  HDC dc = buffer.Canvas().Handle();
  HDC cells = sheet->Canvas().Handle();
  const int s = scroll_width_;
  auto cell = [s](int column, int row) { return Bounds(column * s, row * s, s, s); };
  const int column = Vertical() ? 0 : 4;
  const int direction = Vertical() ? tdAlongY : tdAlongX;
  CopyPixels(dc, PartRect(spFirstArrow), cells, cell(column, State(spFirstArrow)));
  CopyPixels(dc, PartRect(spSecondArrow), cells, cell(column + 1, State(spSecondArrow)));
  if (Enabled()) {
    if (const auto thumbs = PictureBitmap(pic_list_->PicThumb(picstyle_)))
      PaintThumb(dc, thumbs->Canvas().Handle(), PartRect(spThumb));
    TileBlt(dc, PartRect(spTrackBefore), cells, direction, cell(column + 3, State(spTrackBefore)));
    TileBlt(dc, PartRect(spTrackAfter), cells, direction, cell(column + 3, State(spTrackAfter)));
  } else {
    TRect track = PartRect(spTrackBefore);
    const TRect after = PartRect(spTrackAfter);
    track.Right = after.Right;
    track.Bottom = after.Bottom;
    TileBlt(dc, track, cells, direction, cell(column + 3, State(spTrackBefore)));
  }
  BitBlt(target, 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
}

// End caps from the body cell, the grip centred when the thumb is longer
// than a cell, and the body's middle tiled in between.
void TOrvVclScrollBar::PaintThumb(HDC dc, HDC thumbs, const TRect& thumb) {
  if (thumb.IsEmpty()) return;
  const int s = scroll_width_, b = scroll_border_;
  const int row = std::min(State(spThumb), static_cast<int>(psPressed));
  const int body = Vertical() ? 0 : 2, grip = body + 1;
  const int start = Vertical() ? thumb.Top : thumb.Left;
  const int n = Vertical() ? thumb.Height() : thumb.Width();
  const int direction = Vertical() ? tdAlongY : tdAlongX;
  // The piece [from, to) of a cell along the axis, and a stretch of the thumb.
  auto slice = [&](int column, int from, int to) {
    return Vertical() ? Rect(column * s, row * s + from, column * s + s, row * s + to)
                      : Rect(column * s + from, row * s, column * s + to, row * s + s);
  };
  auto span = [&](int from, int to) {
    return Vertical() ? Rect(thumb.Left, from, thumb.Right, to) : Rect(from, thumb.Top, to, thumb.Bottom);
  };
  auto copy = [&](int column, int from, int to, int at) {
    CopyPixels(dc, span(at, at + to - from), thumbs, slice(column, from, to));
  };
  auto tile = [&](int from, int to) {
    if (to > from) TileBlt(dc, span(from, to), thumbs, direction, slice(body, b, s - b));
  };
  copy(body, 0, b, start);
  copy(body, s - b, s, start + n - b);
  if (n > s) {
    const int gripStart = start + (n - (s - 2 * b)) / 2;
    tile(start + b, gripStart);
    copy(grip, b, s - b, gripStart);
    tile(gripStart + s - 2 * b, start + n - b);
  } else if (n < s) {
    tile(start + b, start + n - b);
  } else {
    copy(grip, b, s - b, start + b);
  }
}

void TOrvVclScrollBar::PaintCorner(HDC target, const TRect& box) {
  if (!pic_list_ || !target || box.IsEmpty()) return;
  if (const auto sheet = PictureBitmap(pic_list_->Pic(picstyle_)))
    CopyPixels(target, box, sheet->Canvas().Handle(), corner_cell_);
}

LRESULT TOrvVclScrollBar::CornerMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = corner_hook_.CallPrevious(wnd, msg, wParam, lParam);
  RECT client;
  GetClientRect(wnd, &client);
  const TRect box = TRect::FromRECT(client);
  switch (msg) {
    case WM_ERASEBKGND:
      PaintCorner(reinterpret_cast<HDC>(wParam), box);
      result = 1;
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      // The previous procedure has validated the window: paint on its whole DC.
      if (wParam) {
        PaintCorner(reinterpret_cast<HDC>(wParam), box);
      } else {
        HDC dc = GetDC(wnd);
        PaintCorner(dc, box);
        ReleaseDC(wnd, dc);
      }
      break;
  }
  return result;
}

// ---------------------------------------------------------------- window procedure

void TOrvVclScrollBar::WndProc(TMessage& m) {
  if (MirrorMessage(m) || PaintMessage(m) || MouseMessage(m)) return;
  switch (m.Msg) {
    case WM_SETFOCUS:
      ::SetFocus(GetParent(Handle()));
      return;
    case WM_TIMER:
      TimerTick(static_cast<UINT>(m.WParam));
      return;
    case WM_ENABLE:
      std::fill(std::begin(states_), std::end(states_), m.WParam ? psNormal : psDisabled);
      TScrollBar::WndProc(m);
      // The native class draws itself on this message; put the skin back.
      RepaintNow(Handle());
      return;
    case WM_DESTROY:
      host_hook_.Release();
      break;
    case WM_SIZE:
    case WM_MOVE:
      TScrollBar::WndProc(m);
      RepaintNow(Handle());
      return;
    case WM_USER + 100:
      return;
  }
  TScrollBar::WndProc(m);
}

bool TOrvVclScrollBar::MirrorMessage(TMessage& m) {
  if (m.Msg == SBM_SETSCROLLINFO) {
    if (const auto* si = reinterpret_cast<const SCROLLINFO*>(m.LParam)) {
      if (si->fMask & SIF_PAGE) info_.nPage = si->nPage;
      if (si->fMask & SIF_POS) info_.nPos = si->nPos;
      if (si->fMask & SIF_RANGE) {
        info_.nMin = si->nMin;
        info_.nMax = si->nMax;
      }
    }
    if (m.WParam && !syncing_) RepaintNow(Handle());
  } else if (m.Msg == SBM_GETSCROLLINFO) {
    if (auto* si = reinterpret_cast<SCROLLINFO*>(m.LParam)) {
      if (si->fMask & SIF_PAGE) si->nPage = info_.nPage;
      if (si->fMask & SIF_POS) si->nPos = info_.nPos;
      if (si->fMask & SIF_TRACKPOS) si->nTrackPos = info_.nTrackPos;
      if (si->fMask & SIF_RANGE) {
        si->nMin = info_.nMin;
        si->nMax = info_.nMax;
      }
    }
  } else {
    return false;
  }
  m.Result = 1;
  return true;
}

// The bar paints itself entirely; the native class never draws.
bool TOrvVclScrollBar::PaintMessage(TMessage& m) {
  HDC given = reinterpret_cast<HDC>(m.WParam);
  switch (m.Msg) {
    case WM_ERASEBKGND:
      Paint(given);
      m.Result = 1;
      return true;
    case WM_PAINT:
      if (given) {
        Paint(given);
      } else {
        PAINTSTRUCT ps;
        Paint(BeginPaint(Handle(), &ps));
        EndPaint(Handle(), &ps);
      }
      return true;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      Paint(given);
      return true;
  }
  return false;
}

// The mouse never reaches the native class, which would track it itself.
bool TOrvVclScrollBar::MouseMessage(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  switch (m.Msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      m.Result = 0;
      return true;
    case WM_LBUTTONDBLCLK:
      m.Result = 1;
      return true;
    case WM_LBUTTONDOWN:
      MouseDownAt(p);
      return true;
    case WM_MOUSEMOVE:
      MouseMoveAt(p);
      return true;
    case WM_LBUTTONUP:
      MouseUpAt(p);
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(m.LParam) != Handle()) CaptureLost();
      return false;  // the framework's mouse routing forgets its press too
    case WM_CANCELMODE:
      CaptureLost();
      if (GetCapture() == Handle()) ReleaseCapture();
      return true;
    case WM_MOUSELEAVE:
      leave_requested_ = false;
      // A drag follows the captured mouse wherever it goes.
      if (!dragging_) TrackMouse({-1, -1});
      RepaintNow(Handle());
      return true;
  }
  return false;
}

// ---------------------------------------------------------------- mouse

void TOrvVclScrollBar::MouseDownAt(TPoint p) {
  SetCapture(Handle());
  const int part = HitTest(p);
  if (part == spThumb) {
    dragging_ = true;
    drag_point_ = p;
    info_.nTrackPos = info_.nPos;
    drag_start_ = info_.nPos;
  } else if (part != spNone) {
    pressed_part_ = part;
    NotifyScroll(part, NotifiesContainer());
    StartTimer(kDelayTimer, 500);
    paused_ = false;
    State(part) = psPressed;
  }
  if (!host_) ::SetFocus(Handle());
  RepaintNow(Handle());
}

void TOrvVclScrollBar::MouseMoveAt(TPoint p) {
  if (!leave_requested_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    leave_requested_ = TrackMouseEvent(&track) != FALSE;
  }
  TrackMouse(p);
  RepaintNow(Handle());
}

void TOrvVclScrollBar::TrackMouse(TPoint p) {
  if (dragging_) DragTo(p);
  else if (pressed_part_ != spNone) TrackPressedPart(p);
  else TrackHotPart(p);
}

void TOrvVclScrollBar::DragTo(TPoint p) {
  const TRect client = ClientRect();
  const int length = Vertical() ? client.Height() : client.Width();
  const int position =
      DragPosition(length, scroll_width_, thumb_min_size_, info_, drag_start_, Along(p) - Along(drag_point_));
  if (position != info_.nTrackPos) {
    info_.nTrackPos = position;
    State(spTrackBefore) = psNormal;
    State(spThumb) = psPressed;
  }
  if (NotifiesContainer()) NotifyContainer(SB_THUMBTRACK, info_.nTrackPos);
  UpdateHostFromDrag();
}

void TOrvVclScrollBar::TrackPressedPart(TPoint p) {
  const bool inside = PartRect(pressed_part_).Contains(p);
  paused_ = !inside;
  if (pressed_part_ <= spTrackAfter) State(pressed_part_) = inside ? psPressed : psNormal;
}

void TOrvVclScrollBar::TrackHotPart(TPoint p) {
  const int part = HitTest(p);
  if (part == hot_part_) return;
  if (IsArrowOrThumb(hot_part_)) State(hot_part_) = psNormal;
  hot_part_ = part;
  if (IsArrowOrThumb(part)) State(part) = psHot;
}

// The press ends before the capture goes, so that the WM_CAPTURECHANGED
// of the release finds nothing left to end.
void TOrvVclScrollBar::MouseUpAt(TPoint p) {
  EndPress(p);
  ReleaseCapture();
  RepaintNow(Handle());
}

// A box or another program took the mouse: the press ends as a release
// away from the bar would end it, a drag where the thumb was.
void TOrvVclScrollBar::CaptureLost() {
  if (Destroying() || (!dragging_ && pressed_part_ == spNone)) return;
  EndPress({-1, -1});
  if (State(spThumb) == psPressed) State(spThumb) = psNormal;
  TrackHotPart({-1, -1});
  RepaintNow(Handle());
}

void TOrvVclScrollBar::EndPress(TPoint p) {
  if (dragging_) {
    dragging_ = false;
    if (NotifiesContainer()) NotifyContainer(SB_THUMBPOSITION, info_.nTrackPos);
    UpdateHostFromDrag();
    if (info_.nTrackPos != info_.nPos) State(spThumb) = psNormal;
    info_.nTrackPos = -1;
    if (PartRect(spThumb).Contains(p)) State(spThumb) = psHot;
  } else if (pressed_part_ != spNone) {
    KillTimer(Handle(), repeating_ ? kRepeatTimer : kDelayTimer);
    repeating_ = false;
    State(pressed_part_) = psNormal;
    pressed_part_ = spNone;
  }
}

void TOrvVclScrollBar::StartTimer(UINT id, UINT milliseconds) { SetTimer(Handle(), id, milliseconds, nullptr); }

TPoint TOrvVclScrollBar::CursorInClient() {
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  return {p.x, p.y};
}

// Timer 200 ends the first delay and hands over to timer 100, whose ticks
// repeat the pressed part until the cursor leaves it or the end is reached.
void TOrvVclScrollBar::TimerTick(UINT id) {
  if (id != kDelayTimer && id != kRepeatTimer) return;
  // A tick that was already due when the press ended.
  if (pressed_part_ == spNone) return (void)KillTimer(Handle(), id);
  if (id == kDelayTimer) {
    KillTimer(Handle(), kDelayTimer);
    StartTimer(kRepeatTimer, 100);
    repeating_ = true;
    id = kRepeatTimer;
  }
  const bool overThumb = PartRect(spThumb).Contains(CursorInClient());
  if (overThumb) paused_ = true;
  if (paused_) return;
  switch (pressed_part_) {
    case spFirstArrow:
      if (info_.nPos == info_.nMin) KillTimer(Handle(), kRepeatTimer);
      break;
    case spSecondArrow:
      if (info_.nPos == info_.nMax) KillTimer(Handle(), kRepeatTimer);
      break;
    case spTrackBefore:
    case spTrackAfter:
      if (overThumb) KillTimer(Handle(), kRepeatTimer);
      break;
    default:
      assert(!"a repeat of a part that does not repeat");
      return;
  }
  NotifyScroll(pressed_part_, Parent() != nullptr);
}

// ---------------------------------------------------------------- notifications

bool TOrvVclScrollBar::NotifiesContainer() const { return Parent() && (!host_ || list_view_host_); }

void TOrvVclScrollBar::NotifyContainer(int code, int position) {
  SendMessageW(Parent()->Handle(), ScrollMessage(), MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Handle()));
}

void TOrvVclScrollBar::NotifyScroll(int code, bool container) {
  if (container) NotifyContainer(code, 0);
  if (host_) SendMessageW(host_, ScrollMessage(), MAKEWPARAM(code, 0), 0);
}

// A list view scrolls by pixels (rows times the row height when vertical);
// any other host takes the track position.
void TOrvVclScrollBar::UpdateHostFromDrag() {
  if (!host_) return;
  const int axis = Vertical() ? SB_VERT : SB_HORZ;
  if (!list_view_host_) {
    SetScrollPos(host_, axis, info_.nTrackPos, FALSE);
    SendMessageW(host_, ScrollMessage(), MAKEWPARAM(SB_THUMBTRACK, info_.nTrackPos), 0);
    return;
  }
  SCROLLINFO host{sizeof(host), SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(host_, axis, &host)) return;
  int delta = info_.nPos - host.nTrackPos;
  if (Vertical()) {
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(host_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    delta *= item.bottom - item.top;
  }
  if (delta != 0) SendMessageW(host_, LVM_SCROLL, Vertical() ? 0 : delta, Vertical() ? delta : 0);
}

// ---------------------------------------------------------------- host

void TOrvVclScrollBar::AttachToHost(HWND host, TCustomListView* listView, HWND dropDownOwner) {
  host_hook_.Release();
  CreateCornerBox();
  drop_down_owner_ = dropDownOwner;
  list_view_host_ = false;
  host_ = host;
  HWND parent = GetAncestor(host, GA_PARENT);
  ::SetParent(Handle(), parent);
  ::SetParent(corner_->Handle(), parent);
  if (partner_) {
    ::SetParent(partner_->Handle(), parent);
    partner_->host_ = host;
    partner_->list_view_host_ = false;
  }
  if (listView) {
    list_view_host_ = true;
    if (partner_) partner_->list_view_host_ = true;
  }
  host_hook_.Install<&TOrvVclScrollBar::host_hook_, &TOrvVclScrollBar::HostMessage>(this, host);
  shown_ = true;
  SyncFromHost();
  UpdateBarLayout();
}

LRESULT TOrvVclScrollBar::HostMessage(HWND host, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCPAINT && drop_down_owner_ && pic_list_) {
    DrawHostFrame();
    SyncFromHost();
    UpdateBarLayout();
    return 0;
  }
  LRESULT result = host_hook_.CallPrevious(host, msg, wParam, lParam);
  // A host shown or hidden by SetWindowPos (as a combo box shows its
  // drop-down list each time) is not sent WM_SHOWWINDOW.
  if (msg == WM_WINDOWPOSCHANGED)
    if (const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags; flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
      HostShown((flags & SWP_SHOWWINDOW) != 0);
  FollowHost(msg, wParam, result);
  return result;
}

// What the bars do after the host has handled one of its messages.
void TOrvVclScrollBar::FollowHost(UINT msg, WPARAM wParam, LRESULT& result) {
  const bool dropDown = drop_down_owner_ != nullptr;
  switch (msg) {
    case WM_NCCALCSIZE:
      if (wParam && dropDown) {
        DrawHostFrame();
        SyncFromHost();
        UpdateBarLayout();
      }
      break;
    case WM_PAINT:
      if (list_view_host_) SyncFromHost();
      if (dropDown) {
        if (!themes_) {
          SyncFromHost();
          UpdateBarLayout();
        }
        DrawHostFrame();
      }
      break;
    case WM_ERASEBKGND:
      if (dropDown) {
        DrawHostFrame();
        result = 1;
      }
      break;
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
      SyncFromHost();
      break;
    case WM_HSCROLL:
      SyncFromHost();
      RefreshHostHeader();
      break;
    case WM_LBUTTONUP:
    case WM_MOVE:
    case WM_SIZE:
    case CM_ENABLEDCHANGED:
      SyncFromHost();
      UpdateBarLayout();
      break;
    case WM_SHOWWINDOW:
      HostShown(wParam != 0);
      break;
    case WM_DELETEITEM:
    case WM_WINDOWPOSCHANGING:
    case LVM_SETITEMCOUNT:
      SyncFromHost();
      UpdateBarLayout();
      RefreshHostHeader();
      break;
  }
}

void TOrvVclScrollBar::HostShown(bool shown) {
  shown_ = shown;
  if (shown) {
    SyncFromHost();
    UpdateBarLayout();
    return;
  }
  PlacePiece(this, TRect{}, false);
  PlacePiece(corner_, TRect{}, false);
  if (partner_) PlacePiece(partner_, TRect{}, false);
}

void TOrvVclScrollBar::RefreshHostHeader() {
  if (!list_view_host_) return;
  if (HWND header = reinterpret_cast<HWND>(SendMessageW(host_, LVM_GETHEADER, 0, 0))) {
    ::InvalidateRect(header, nullptr, TRUE);
    UpdateWindow(header);
  }
}

void TOrvVclScrollBar::DrawHostFrame() {
  if (!pic_list_) return;
  const TColor border = pic_list_->BorderColor(picstyle_);
  DrawWindowFrame(host_, border, border, false);
}

void TOrvVclScrollBar::SyncFromHost() {
  if (!host_) return;
  SyncAxis(Vertical() ? SB_VERT : SB_HORZ);
  if (partner_) partner_->SyncAxis(Vertical() ? SB_HORZ : SB_VERT);
}

// The framework's range, page and position follow first (each of their
// writes reaches the mirror through SBM_SETSCROLLINFO, unpainted); the
// host's values go into the mirror last, so that it holds them exactly.
void TOrvVclScrollBar::SyncAxis(int axis) {
  SCROLLINFO host{sizeof(host), SIF_ALL, 0, 0, 0, 0, 0};
  if (!host_ || !GetScrollInfo(host_, axis, &host)) return;
  {
    TValueGuard syncing(syncing_, true);
    const int page = static_cast<int>(host.nPage);
    const bool takeMax = host.nMax >= 0 && page < host.nMax;
    SetMin(host.nMin);
    // PageSize never exceeds Max on the way.
    if (Max() > page) {
      SetPageSize(page);
      if (takeMax) SetMax(host.nMax);
    } else {
      if (takeMax) SetMax(host.nMax);
      SetPageSize(page);
    }
    if (page != 0) SetLargeChange(page);
    SetPosition(host.nPos);
  }
  info_.nMin = host.nMin;
  info_.nMax = host.nMax;
  info_.nPos = host.nPos;
  info_.nPage = host.nPage;
  if (!list_view_host_) info_.nTrackPos = host.nTrackPos;
  RepaintNow(Handle());
}

void TOrvVclScrollBar::UpdateBarLayout() {
  if (!host_) return;
  int visible = 0;
  if (FollowHostBar(this, Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL)) visible |= 1;
  if (partner_ && FollowHostBar(partner_, Vertical() ? OBJID_HSCROLL : OBJID_VSCROLL)) visible |= 2;
  Place(visible);
}

bool TOrvVclScrollBar::FollowHostBar(TOrvVclScrollBar* bar, LONG object) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (GetScrollBarInfo(host_, object, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
    bar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
    return true;
  }
  PlacePiece(bar, TRect{}, false);
  bar->SetEnabled(true);
  return false;
}

void TOrvVclScrollBar::PlacePiece(TWinControl* piece, const TRect& r, bool visible) {
  if (!piece) return;
  if (drop_down_owner_) {
    if (visible) piece->SetBoundsRect(r);
    piece->SetVisible(visible);
  } else if (visible) {
    SetWindowPos(piece->Handle(), HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  } else if (piece->HandleAllocated()) {
    ShowWindow(piece->Handle(), SW_HIDE);
  }
}

// The host's window rectangle inside its border, in its parent's client
// coordinates; the vertical bar on the right (or left), the horizontal one
// along the bottom, the corner box where they meet.
void TOrvVclScrollBar::Place(int visible) {
  if (!shown_) return;
  if (drop_down_owner_ && !(GetWindowLongW(host_, GWL_STYLE) & WS_VISIBLE)) {
    PlacePiece(this, TRect{}, false);
    PlacePiece(corner_, TRect{}, false);
    return;
  }
  const LONG exStyle = GetWindowLongW(host_, GWL_EXSTYLE);
  RECT r;
  GetWindowRect(host_, &r);
  const int inset = BorderInset(host_);
  InflateRect(&r, -inset, -inset);
  MapWindowPoints(HWND_DESKTOP, GetAncestor(host_, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  const bool both = visible == 3;
  const bool left = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  const int barBottom = both ? r.bottom - w : r.bottom;
  const TRect vertical = left ? Rect(r.left, r.top, r.left + w, barBottom) : Rect(r.right - w, r.top, r.right, barBottom);
  const TRect horizontal =
      Rect(left && both ? r.left + w : r.left, r.bottom - w, !left && both ? r.right - w : r.right, r.bottom);
  const TRect corner = left ? Rect(r.left, r.bottom - w, r.left + w, r.bottom) : Rect(r.right - w, r.bottom - w, r.right, r.bottom);
  corner_cell_ = Bounds(8 * scroll_width_, left ? scroll_width_ : 0, scroll_width_, scroll_width_);
  if (visible & 1) PlacePiece(this, Vertical() ? vertical : horizontal, true);
  if (visible & 2) PlacePiece(partner_, Vertical() ? horizontal : vertical, true);
  PlacePiece(corner_, corner, both);
  if (both) RepaintNow(corner_->Handle());
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclScrollBar, TScrollBar>("TOrvVclScrollBar")
      .Ref("PicList", &TOrvVclScrollBar::SetPicList)
      .Prop("Scrollwidth", &TOrvVclScrollBar::SetScrollwidth)
      .Prop("ScrollBorder", &TOrvVclScrollBar::SetScrollBorder)
      .Prop("Picstyle", &TOrvVclScrollBar::SetPicstyle)
      .Prop("THUMBMINSIZE", &TOrvVclScrollBar::SetTHUMBMINSIZE)
      .Prop("THUMBBORDER", &TOrvVclScrollBar::SetTHUMBBORDER);
  return true;
}();

}  // namespace
