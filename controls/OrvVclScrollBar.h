// TOrvVclScrollBar: a scroll bar painted from the sheets of a
// TOrvVclScrollbarPicList. Free-standing it behaves as the framework's
// scroll bar. Attached to a host window (a list view, a combo box's
// drop-down list) it lies over the host's own scroll bar: it subclasses the
// host (keeping itself in the host's GWLP_USERDATA), mirrors the host's
// scroll information, places itself and a partner bar of the other
// orientation over the host's bars, and turns its mouse input into the
// host's scroll messages.
#pragma once

#include <cstdint>

#include "controls/OrvVclScrollbarPicList.h"
#include "framework/StdCtrls.h"
#include "framework/WindowHook.h"

class TCustomListView;

// Part codes: the scroll request each part sends (SB_LINEUP ... SB_THUMBTRACK).
enum TScrollPart : int {
  spNone = -1,
  spFirstArrow = SB_LINEUP,
  spSecondArrow = SB_LINEDOWN,
  spTrackBefore = SB_PAGEUP,
  spTrackAfter = SB_PAGEDOWN,
  spThumb = SB_THUMBTRACK,
};

// Part states: the rows of the sheets.
enum TPartState : int { psNormal = 0, psHot = 1, psPressed = 2, psDisabled = 3 };

// Where the parts lie along a bar: arrows of length Arrow at both ends, the
// thumb from ThumbStart, ThumbLength long (0: no thumb).
struct TBarGeometry {
  int Length = 0;
  int Arrow = 0;
  int ThumbStart = 0;
  int ThumbLength = 0;
};

// The geometry of a bar of length along its axis with cells of scrollWidth,
// for the range, page and position in info (position p). systemThumb is the
// thumb length of a bar without a page. A range the page covers, or one that
// is empty (nMax < nMin), has no thumb; the track parts meet in the middle.
TBarGeometry BarGeometry(int length, int scrollWidth, int minThumb, int systemThumb, const SCROLLINFO& info,
                         int position);
// The track position for a drag d pixels from where it started at start.
int DragPosition(int length, int scrollWidth, int minThumb, const SCROLLINFO& info, int start, int d);

class TOrvVclScrollBar : public TScrollBar {
 public:
  explicit TOrvVclScrollBar(TComponent* AOwner);

  TOrvVclScrollbarPicList* PicList() const { return pic_list_; }
  void SetPicList(TOrvVclScrollbarPicList* value);
  int Scrollwidth() const { return scroll_width_; }
  void SetScrollwidth(int value);
  int ScrollBorder() const { return scroll_border_; }
  void SetScrollBorder(int value);
  // Only 1 to 5 are taken; other values are ignored.
  int Picstyle() const { return picstyle_; }
  void SetPicstyle(int value);
  int THUMBMINSIZE() const { return thumb_min_size_; }
  void SetTHUMBMINSIZE(int value);
  // Stored only.
  uint32_t THUMBBORDER() const { return thumb_border_; }
  void SetTHUMBBORDER(uint32_t value) { thumb_border_ = value; }

  // The bar of the other orientation on the same host; call before AttachToHost.
  void SetPartnerBar(TOrvVclScrollBar* partner);
  // Lays the bar (and its partner) over host's scroll bars. listView is the
  // host's list view object, or null for another host; dropDownOwner is the
  // combo box window when the host is its drop-down list, else null.
  void AttachToHost(HWND host, TCustomListView* listView, HWND dropDownOwner);
  // Reads the host's scroll information into this bar and the partner.
  void SyncFromHost();
  // Shows, enables and places the bars and the corner box as the host's
  // own scroll bars are.
  void UpdateBarLayout();

  // The rectangle of a part in client coordinates (empty for no thumb).
  TRect PartRect(int part);
  // The part at a client point; spNone for a negative coordinate.
  int HitTest(TPoint p);
  // The geometry of the bar as it is now.
  TBarGeometry Geometry();
  // The state of a part (TPartState).
  int PartState(int part) const;
  // The mirrored scroll information; nTrackPos is -1 outside a drag (a host
  // that is not a list view hands over its own).
  const SCROLLINFO& Mirror() const { return info_; }
  // The square where a host's two bars meet.
  TWinControl* CornerBox() const { return corner_; }

  void Loaded() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
  // Starts one of the repeat timers (200: the first delay, 100: the repeat).
  virtual void StartTimer(UINT id, UINT milliseconds);

 private:
  friend class TCornerBox;
  static constexpr UINT kDelayTimer = 200;
  static constexpr UINT kRepeatTimer = 100;

  bool Vertical() const { return Kind() == sbVertical; }
  int Along(TPoint p) const { return Vertical() ? p.Y : p.X; }
  UINT ScrollMessage() const { return Vertical() ? WM_VSCROLL : WM_HSCROLL; }
  int& State(int part);
  void CreateCornerBox();
  // Messages of the bar's window, by kind; each answers whether it took m.
  bool MirrorMessage(TMessage& m);
  bool PaintMessage(TMessage& m);
  bool MouseMessage(TMessage& m);
  // The corner box's messages: its previous procedure, then the skin.
  LRESULT CornerMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target);
  void PaintCorner(HDC target, const TRect& box);
  void PaintThumb(HDC dc, HDC thumbs, const TRect& thumb);

  // Mouse.
  void MouseDownAt(TPoint p);
  void MouseMoveAt(TPoint p);
  void MouseUpAt(TPoint p);
  // Ends a drag or a held part: on release at p, or when the capture goes.
  void EndPress(TPoint p);
  void CaptureLost();
  // The state changes of a mouse move: drag, pressed part or hot part.
  void TrackMouse(TPoint p);
  void DragTo(TPoint p);
  void TrackPressedPart(TPoint p);
  void TrackHotPart(TPoint p);
  void TimerTick(UINT id);
  TPoint CursorInClient();

  // Notifications.
  bool NotifiesContainer() const;
  void NotifyContainer(int code, int position);
  // The scroll request of a part to the container (when asked) and the host.
  void NotifyScroll(int code, bool container);
  void UpdateHostFromDrag();

  // The host.
  LRESULT HostMessage(HWND host, UINT msg, WPARAM wParam, LPARAM lParam);
  void FollowHost(UINT msg, WPARAM wParam, LRESULT& result);
  void HostShown(bool shown);
  void RefreshHostHeader();
  void DrawHostFrame();
  // One bar's share of SyncFromHost, for the given axis of the host.
  void SyncAxis(int axis);
  // Shows and enables bar as the host's bar of that object is; answers
  // whether it is visible.
  bool FollowHostBar(TOrvVclScrollBar* bar, LONG object);
  // Places the bar (bit 0 of visible), the partner (bit 1) and the corner box.
  void Place(int visible);
  void PlacePiece(TWinControl* piece, const TRect& r, bool visible);

  TComponentRef<TOrvVclScrollbarPicList> pic_list_;
  int scroll_width_ = 17;
  int scroll_border_ = 2;
  int picstyle_ = 1;
  int thumb_min_size_ = 6;
  uint32_t thumb_border_ = 3;

  SCROLLINFO info_{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, -1};
  int states_[5] = {};
  bool dragging_ = false;
  TPoint drag_point_;
  int drag_start_ = 0;
  int pressed_part_ = spNone;
  int hot_part_ = spNone;
  bool repeating_ = false;
  bool paused_ = false;
  bool leave_requested_ = false;
  bool syncing_ = false;  // SyncFromHost is writing the framework's values

  HWND host_ = nullptr;
  TWindowHook host_hook_;
  bool list_view_host_ = false;
  HWND drop_down_owner_ = nullptr;
  bool shown_ = false;
  bool themes_ = false;

  TComponentRef<TOrvVclScrollBar> partner_;
  TWinControl* corner_ = nullptr;
  TWindowHook corner_hook_;
  TRect corner_cell_;
};
