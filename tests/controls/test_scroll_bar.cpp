// The skinned scroll bar: its geometry over a table of lengths, pages and
// ranges (empty ranges included), drag clamping, the mirror, the repeat
// timers driven tick by tick, the painted cells, and a real list view
// scrolled, followed and released by the bars laid over it.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/OrvVclScrollBar.h"
#include "framework/ComCtrls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

SCROLLINFO Info(int min, int max, int page, int pos = 0) {
  return SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, min, max, static_cast<UINT>(page), pos, -1};
}

// ---------------------------------------------------------------- geometry

struct TGeometryCase {
  const char* What;
  int Length, Min, Max, Page, Pos;
  int Arrow, ThumbStart, ThumbLength;
};

// Scrollwidth 17, THUMBMINSIZE 6, a system thumb of 17.
const TGeometryCase kGeometry[] = {
    {"page 10 of 100 at the start", 100, 0, 99, 10, 0, 17, 17, 6},
    {"in the middle: 17 + 60 * 45 / 90", 100, 0, 99, 10, 45, 17, 47, 6},
    {"at the last position", 100, 0, 99, 10, 90, 17, 77, 6},
    {"beyond the range: the end position", 100, 0, 99, 10, 99, 17, 77, 6},
    {"long thumb: 50 * 166 / 100", 200, 0, 99, 50, 25, 17, 17 + 83 * 25 / 50, 83},
    {"page covering the range: tracks meet in the middle", 100, 0, 99, 100, 0, 17, 50, 0},
    {"page larger than the range", 100, 0, 9, 50, 0, 17, 50, 0},
    {"empty range (nMax < nMin), no page", 100, 0, -1, 0, 0, 17, 50, 0},
    {"empty range with a page", 100, 0, -1, 10, 0, 17, 50, 0},
    {"bar shorter than two arrows: each half", 30, 0, 99, 10, 5, 15, 15, 0},
    {"exactly two arrows", 34, 0, 99, 10, 5, 17, 17, 0},
    {"thumb raised to 6", 100, 0, 999, 1, 0, 17, 17, 6},
    {"track of 6 still has a thumb", 40, 0, 999, 1, 0, 17, 17, 6},
    {"track of 5: no thumb", 39, 0, 999, 1, 0, 17, 17, 0},
    {"no page: system thumb, F * p / R", 100, 0, 100, 0, 50, 17, 17 + 49 * 50 / 100, 17},
    {"no page at the end", 100, 0, 100, 0, 100, 17, 66, 17},
    {"no page, one position only", 100, 5, 5, 0, 5, 17, 50, 0},
    {"large values in 64 bits", 100, 0, 2000000000, 1000000000, 1000000000, 17, 17 + 34 * 1000000000LL / 1000000001, 32},
};

TEST(ScrollBarGeometry, ThumbAndTracksFollowTheTable) {
  for (const auto& c : kGeometry) {
    SCOPED_TRACE(c.What);
    const TBarGeometry g = BarGeometry(c.Length, 17, 6, 17, Info(c.Min, c.Max, c.Page), c.Pos);
    EXPECT_EQ(g.Arrow, c.Arrow);
    EXPECT_EQ(g.ThumbStart, c.ThumbStart);
    EXPECT_EQ(g.ThumbLength, c.ThumbLength);
  }
}

struct TDragCase {
  const char* What;
  int Length, Min, Max, Page, Start, Offset;
  int Position;
};

const TDragCase kDrags[] = {
    {"60 pixels of travel for 90 positions", 100, 0, 99, 10, 0, 30, 30 * 90 / 60},
    {"upwards", 100, 0, 99, 10, 50, -20, 50 - 20 * 90 / 60},
    {"past the end holds R - page + 1", 100, 0, 99, 10, 45, 500, 90},
    {"past the start holds nMin", 100, 0, 99, 10, 45, -500, 0},
    {"nMin above zero", 100, 20, 99, 10, 30, -500, 20},
    {"page covering the range: no travel", 100, 0, 99, 100, 0, 40, 0},
    {"empty range stays at nMin", 100, 0, -1, 10, 0, 40, 0},
    {"no track: no travel", 30, 0, 99, 10, 7, 40, 7},
};

TEST(ScrollBarGeometry, DragsAreClampedAndNeverDivideByZero) {
  for (const auto& c : kDrags) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(DragPosition(c.Length, 17, 6, Info(c.Min, c.Max, c.Page), c.Start, c.Offset), c.Position);
  }
}

// ---------------------------------------------------------------- a bar on a form

// A bar that records the timers it starts instead of starting them, so
// that the test hands it the ticks.
class TRecordingBar : public TOrvVclScrollBar {
 public:
  using TOrvVclScrollBar::TOrvVclScrollBar;
  std::vector<std::pair<UINT, UINT>> Timers;

 protected:
  void StartTimer(UINT id, UINT milliseconds) override { Timers.emplace_back(id, milliseconds); }
};

// Cell (column, row) of the test sheets has colour CellColour; the thumb
// body cells have caps of their own colour at both ends.
constexpr int S = 17;
TColor CellColour(int column, int row) { return static_cast<TColor>(0x400000 | (column * 20 + 10) << 8 | (row * 50 + 10)); }
TColor ThumbColour(int column, int row) { return static_cast<TColor>(0x800000 | (column * 40 + 10) << 8 | (row * 60 + 10)); }
constexpr TColor kFirstCap = 0x00102030, kLastCap = 0x00302010;

void FillSheet(TPicture& sheet, int columns, int rows, TColor (*colour)(int, int), bool caps) {
  TBitmap bitmap(columns * S, rows * S);
  TCanvas& canvas = bitmap.Canvas();
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row) {
      canvas.Brush.SetColor(colour(column, row));
      canvas.FillRect(Bounds(column * S, row * S, S, S));
      if (!caps || (column != 0 && column != 2)) continue;
      const bool vertical = column == 0;
      canvas.Brush.SetColor(kFirstCap);
      canvas.FillRect(vertical ? Bounds(0, row * S, S, 2) : Bounds(column * S, row * S, 2, S));
      canvas.Brush.SetColor(kLastCap);
      canvas.FillRect(vertical ? Bounds(0, row * S + S - 2, S, 2) : Bounds(column * S + S - 2, row * S, 2, S));
    }
  TPngImage png;
  png.Assign(bitmap);
  sheet.SetGraphic(&png);
}

class ScrollBar : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm("object F: TEventForm\n  BorderStyle = bsNone\n  ClientWidth = 300\n  ClientHeight = 200\nend\n");
    list = new TOrvVclScrollbarPicList(form);
    FillSheet(list->Pic(2), 9, 4, CellColour, false);
    FillSheet(list->PicThumb(2), 4, 3, ThumbColour, true);
    bar = new TRecordingBar(form);
    bar->SetKind(sbVertical);
    bar->SetBounds(10, 10, S, 100);
    bar->SetParent(form);
    bar->SetPicList(list);
    bar->SetPicstyle(2);
    bar->SetPageSize(10);
    bar->SetParams(0, 0, 99);
    bar->OnChange = [this](TObject*) { changes.push_back(bar->Position()); };
  }
  void TearDown() override {
    harness::ParkMouse();
    form->Free();
  }
  void Tick(UINT id) { SendMessageW(bar->Handle(), WM_TIMER, id, 0); }
  std::unique_ptr<TBitmap> Picture() {
    auto shot = std::make_unique<TBitmap>(bar->Width(), bar->Height());
    SendMessageW(bar->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot->Canvas().Handle()), PRF_CLIENT);
    return shot;
  }

  TEventForm* form = nullptr;
  TOrvVclScrollbarPicList* list = nullptr;
  TRecordingBar* bar = nullptr;
  std::vector<int> changes;
};

TEST_F(ScrollBar, TheMirrorTakesAndGivesOnlyTheMaskedFields) {
  SCROLLINFO set{sizeof(set), SIF_POS, 50, 60, 7, 33, 0};
  EXPECT_EQ(SendMessageW(bar->Handle(), SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&set)), 1);
  SCROLLINFO all{sizeof(all), SIF_ALL, -9, -9, 99, -9, -9}, page = all;
  page.fMask = SIF_PAGE;
  EXPECT_EQ(SendMessageW(bar->Handle(), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&all)), 1);
  SendMessageW(bar->Handle(), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&page));
  EXPECT_EQ((std::vector<int>{all.nMin, all.nMax, static_cast<int>(all.nPage), all.nPos, all.nTrackPos}),
            (std::vector<int>{0, 99, 10, 33, -1}));
  EXPECT_EQ((std::vector<int>{page.nMin, page.nMax, static_cast<int>(page.nPage), page.nPos}),
            (std::vector<int>{-9, -9, 10, -9}));
}

TEST_F(ScrollBar, PartsAndHitsMeetAtTheirBoundaries) {
  // Page 10 of 100 on a 100-pixel bar at position 45: thumb [47, 53).
  bar->SetPosition(45);
  EXPECT_EQ(bar->PartRect(spFirstArrow), Rect(0, 0, S, 17));
  EXPECT_EQ(bar->PartRect(spTrackBefore), Rect(0, 17, S, 47));
  EXPECT_EQ(bar->PartRect(spThumb), Rect(0, 47, S, 53));
  EXPECT_EQ(bar->PartRect(spTrackAfter), Rect(0, 53, S, 83));
  EXPECT_EQ(bar->PartRect(spSecondArrow), Rect(0, 83, S, 100));
  const std::pair<int, int> hits[] = {{-1, spNone}, {0, spFirstArrow},  {16, spFirstArrow}, {17, spTrackBefore},
                                      {46, spTrackBefore}, {47, spThumb}, {52, spThumb},      {53, spTrackAfter},
                                      {82, spTrackAfter}, {83, spSecondArrow}, {99, spSecondArrow}};
  for (auto [y, part] : hits) EXPECT_EQ(bar->HitTest({5, y}), part) << "y " << y;
}

TEST_F(ScrollBar, HoldingAnArrowStepsAtOnceThenRepeatsPausesAndResumes) {
  harness::MouseDown(bar, mbLeft, 8, 90);
  EXPECT_EQ(changes, std::vector<int>{1});
  ASSERT_EQ(bar->Timers, (std::vector<std::pair<UINT, UINT>>{{200, 500}}));
  EXPECT_EQ(bar->PartState(spSecondArrow), psPressed);
  Tick(200);  // the first delay is over: one step, and the repeat timer runs
  EXPECT_EQ(changes, (std::vector<int>{1, 2}));
  EXPECT_EQ(bar->Timers.back(), (std::pair<UINT, UINT>{100, 100}));
  Tick(100);
  EXPECT_EQ(changes.back(), 3);
  harness::MouseMove(bar, 8, 60);  // off the arrow: paused, shown normal
  EXPECT_EQ(bar->PartState(spSecondArrow), psNormal);
  Tick(100);
  Tick(100);
  EXPECT_EQ(changes.size(), 3u);
  harness::MouseMove(bar, 8, 95);  // back: resumes
  EXPECT_EQ(bar->PartState(spSecondArrow), psPressed);
  Tick(100);
  EXPECT_EQ(changes.back(), 4);
  harness::MouseUp(bar, mbLeft, 8, 95);
  EXPECT_EQ(bar->PartState(spSecondArrow), psNormal);
  Tick(100);  // a late tick after the release does nothing
  EXPECT_EQ(changes.size(), 4u);
}

// A box or a switch to another program takes the mouse during a press: the
// repeat stops, a drag ends where it was, and later plain moves move nothing.
TEST_F(ScrollBar, LosingTheMouseEndsTheRepeatAndTheDrag) {
  for (const bool cancelMode : {false, true}) {
    SCOPED_TRACE(cancelMode ? "WM_CANCELMODE" : "capture taken by another window");
    auto loseTheMouse = [&] {
      if (cancelMode) SendMessageW(bar->Handle(), WM_CANCELMODE, 0, 0);
      else SetCapture(form->Handle());
    };
    bar->SetPosition(0);
    changes.clear();
    harness::MouseDown(bar, mbLeft, 8, 90);  // the second arrow: one step, then the delay
    loseTheMouse();
    EXPECT_EQ(bar->PartState(spSecondArrow), psNormal);
    Tick(200);
    Tick(100);
    EXPECT_EQ(changes, std::vector<int>{1});
    ReleaseCapture();

    const int y = bar->PartRect(spThumb).Top + 2;
    harness::MouseDown(bar, mbLeft, 8, y);
    harness::MouseMove(bar, 8, y + 12);
    ASSERT_NE(bar->Mirror().nTrackPos, -1);
    loseTheMouse();
    EXPECT_EQ(bar->Mirror().nTrackPos, -1);
    EXPECT_EQ(bar->PartState(spThumb), psNormal);
    const int position = bar->Position();
    harness::MouseMove(bar, 8, y + 40);  // a plain move after the drag ended
    EXPECT_EQ(bar->Position(), position);
    ReleaseCapture();
  }
}

// Built with its defaults, a bar raises a small thumb to 6 pixels and has
// none on a track shorter than that.
TEST_F(ScrollBar, ADefaultBarKeepsItsThumbAtLeastSixLong) {
  bar->SetParams(0, 0, 999);
  bar->SetPageSize(1);
  EXPECT_EQ(bar->PartRect(spThumb).Height(), 6);
  bar->SetBounds(10, 10, S, 40);  // a track of 6
  EXPECT_EQ(bar->PartRect(spThumb).Height(), 6);
  bar->SetBounds(10, 10, S, 39);  // a track of 5
  EXPECT_EQ(bar->PartRect(spThumb).Height(), 0);
}

TEST_F(ScrollBar, HoldingTheTrackPagesUntilTheThumbReachesTheCursor) {
  bar->SetLargeChange(10);
  harness::MouseDown(bar, mbLeft, 8, 70);
  Tick(200);
  for (int i = 0; i < 10; ++i) Tick(100);
  // Pages of 10 until the thumb covers y 70: at 70 the thumb is [17 + 60 * 70 / 90, +6) = [63, 69), at 80 [70, 76).
  EXPECT_EQ(changes, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80}));
  EXPECT_TRUE(bar->PartRect(spThumb).Contains({8, 70}));
  harness::MouseUp(bar, mbLeft, 8, 70);
}

TEST_F(ScrollBar, PaintsArrowsTracksAndAThumbWithCapsAndGrip) {
  bar->SetPageSize(50);
  bar->SetPosition(0);  // thumb [17, 50): 33 long, grip of 13 centred at 27
  auto shot = Picture();
  auto at = [&](int y) { return harness::PixelAt(*shot, 8, y); };
  EXPECT_EQ(at(0), CellColour(0, 0));
  EXPECT_EQ(at(99), CellColour(1, 0));
  EXPECT_EQ(at(17), kFirstCap);
  EXPECT_EQ(at(18), kFirstCap);
  EXPECT_EQ(at(19), ThumbColour(0, 0));
  EXPECT_EQ(at(27), ThumbColour(1, 0));
  EXPECT_EQ(at(39), ThumbColour(1, 0));
  EXPECT_EQ(at(40), ThumbColour(0, 0));
  EXPECT_EQ(at(49), kLastCap);
  EXPECT_EQ(at(50), CellColour(3, 0));
  EXPECT_EQ(at(82), CellColour(3, 0));
  // Pressing the first arrow shows its pressed row.
  harness::MouseDown(bar, mbLeft, 8, 5);
  EXPECT_EQ(harness::PixelAt(*Picture(), 8, 5), CellColour(0, 2));
  harness::MouseUp(bar, mbLeft, 8, 5);

  // Disabled: the disabled row everywhere and no thumb.
  bar->SetEnabled(false);
  shot = Picture();
  EXPECT_EQ(at(0), CellColour(0, 3));
  EXPECT_EQ(at(99), CellColour(1, 3));
  for (int y = 17; y < 83; y += 4) EXPECT_EQ(at(y), CellColour(3, 3)) << y;
}

// Hot tracking lights arrows and thumb, never the track; the screen itself
// shows a hot arrow and a new style at once (no pending invalidation would).
TEST_F(ScrollBar, HotPartsAndStyleChangesReachTheScreenAtOnce) {
  harness::MouseMove(bar, 8, 5);
  EXPECT_EQ(harness::PixelAt(*harness::CaptureScreen(form), 18, 15), CellColour(0, 1));
  harness::MouseMove(bar, 8, 30);  // the track
  EXPECT_EQ(bar->PartState(spFirstArrow) + bar->PartState(spTrackAfter), psNormal);
  harness::MouseMove(bar, 8, 19);
  EXPECT_EQ(bar->PartState(spThumb), psHot);
  SendMessageW(bar->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(bar->PartState(spThumb), psNormal);
  FillSheet(list->Pic(3), 9, 4, ThumbColour, false);
  bar->SetPicstyle(3);
  EXPECT_EQ(harness::PixelAt(*harness::CaptureScreen(form), 18, 105), ThumbColour(1, 0));
}

TEST_F(ScrollBar, AHorizontalBarTakesTheHorizontalColumns) {
  bar->SetKind(sbHorizontal);
  bar->SetBounds(10, 10, 100, S);
  bar->SetPageSize(10);
  bar->SetParams(0, 0, 99);
  auto shot = Picture();
  EXPECT_EQ(harness::PixelAt(*shot, 0, 8), CellColour(4, 0));
  EXPECT_EQ(harness::PixelAt(*shot, 99, 8), CellColour(5, 0));
  EXPECT_EQ(harness::PixelAt(*shot, 17, 8), kFirstCap);
  EXPECT_EQ(harness::PixelAt(*shot, 22, 8), kLastCap);
  EXPECT_EQ(harness::PixelAt(*shot, 50, 8), CellColour(7, 0));
}

// A list box host in drop-down mode, its bar on the left: the bar follows
// through its own bounds and visibility, and scrolls the list itself.
TEST_F(ScrollBar, InDropDownModeTheBarFollowsTheHostThroughItsBounds) {
  HWND host = CreateWindowExW(WS_EX_LEFTSCROLLBAR, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 100, 20, 150,
                              120, form->Handle(), nullptr, nullptr, nullptr);
  for (int i = 0; i < 30; ++i) SendMessageW(host, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  bar->AttachToHost(host, nullptr, form->Handle());
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->BoundsRect(), Rect(101, 21, 101 + w, 139));  // inside the one-pixel border
  EXPECT_FALSE(bar->CornerBox()->Visible());
  EXPECT_EQ(bar->Mirror().nMax, 29);
  ShowWindow(host, SW_HIDE);
  EXPECT_FALSE(bar->Visible());
  ShowWindow(host, SW_SHOW);
  ASSERT_TRUE(bar->Visible());
  harness::Click(bar, 8, bar->Height() - 5);
  EXPECT_EQ(SendMessageW(host, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(bar->Mirror().nPos, 1);
  DestroyWindow(host);
}

// ---------------------------------------------------------------- a list view host

class ListHost : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinLists();
    form = MakeForm(
        "object F: TEventForm\n  BorderStyle = bsNone\n  ClientWidth = 400\n  ClientHeight = 300\n"
        "  object List: TListView\n    Left = 10\n    Top = 10\n    Width = 300\n    Height = 200\n"
        "    ViewStyle = vsReport\n    ReadOnly = True\n"
        "    Columns = <\n      item\n        Caption = 'File name'\n        Width = 500\n      end>\n  end\n"
        "  object HBar: TOrvVclScrollBar\n    Kind = sbHorizontal\n"
        "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = 4\n  end\n"
        "  object VBar: TOrvVclScrollBar\n    Kind = sbVertical\n"
        "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = 4\n  end\nend\n",
        false);
    listView = harness::Find<TListView>(form, "List");
    hbar = harness::Find<TOrvVclScrollBar>(form, "HBar");
    vbar = harness::Find<TOrvVclScrollBar>(form, "VBar");
    for (int i = 0; i < 40; ++i) listView->Items().Add()->SetCaption(L"Part " + std::to_wstring(i));
    harness::ShowFresh(form);
    hbar->SetPartnerBar(vbar);
    hbar->AttachToHost(listView->Handle(), listView, nullptr);
    harness::Pump();
  }
  void TearDown() override {
    harness::ParkMouse();
    if (form) form->Free();
  }
  HWND Host() { return listView->Handle(); }
  static bool Shown(TWinControl* c) { return IsWindowVisible(c->Handle()) != FALSE; }
  // The rectangle of a window in the form's client coordinates.
  TRect Place(TWinControl* c) {
    RECT r;
    GetWindowRect(c->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return TRect::FromRECT(r);
  }
  int HostPos(int axis) {
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(Host(), axis, &info);
    return info.nPos;
  }

  TEventForm* form = nullptr;
  TListView* listView = nullptr;
  TOrvVclScrollBar *hbar = nullptr, *vbar = nullptr;
};

TEST_F(ListHost, ThePiecesLieOverTheHostsBarsAndFollowIt) {
  // Inside the two-pixel client edge; w = SM_CXVSCROLL.
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(Place(vbar), Rect(308 - w, 12, 308, 208 - w));
  EXPECT_EQ(Place(hbar), Rect(12, 208 - w, 308 - w, 208));
  EXPECT_EQ(Place(hbar->CornerBox()), Rect(308 - w, 208 - w, 308, 208));
  EXPECT_EQ(GetWindowLongPtrW(Host(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(hbar));
  // The mirror holds the host's values; the framework's took them without the page passing Max.
  const int page = listView->VisibleRowCount();
  const SCROLLINFO& m = vbar->Mirror();
  EXPECT_EQ((std::vector<int>{m.nMin, m.nMax, static_cast<int>(m.nPage), m.nTrackPos}),
            (std::vector<int>{0, 39, page, -1}));
  EXPECT_EQ((std::vector<int>{vbar->Max(), vbar->PageSize(), vbar->LargeChange()}), (std::vector<int>{39, page, page}));

  SendMessageW(Host(), WM_KEYDOWN, VK_END, 0);  // the keyboard scrolls the list: the thumb follows
  EXPECT_EQ(vbar->Mirror().nPos, 40 - page);
  EXPECT_EQ(vbar->PartRect(spThumb).Bottom, vbar->Height() - 17);

  listView->Hide();
  EXPECT_FALSE(Shown(vbar) || Shown(hbar) || Shown(hbar->CornerBox()));
  listView->Show();
  EXPECT_TRUE(Shown(vbar) && Shown(hbar) && Shown(hbar->CornerBox()));
  listView->SetBounds(20, 30, 250, 150);
  EXPECT_EQ(Place(vbar), Rect(268 - w, 32, 268, 178 - w));
  // Emptied: the vertical bar goes, the horizontal one runs the full width.
  listView->Items().Clear();
  EXPECT_FALSE(Shown(vbar) || Shown(hbar->CornerBox()));
  ASSERT_TRUE(Shown(hbar));
  EXPECT_EQ(Place(hbar), Rect(22, 178 - w, 268, 178));
}

TEST_F(ListHost, ArrowTrackAndThumbsScrollTheList) {
  const int page = listView->VisibleRowCount();
  harness::Click(vbar, 8, vbar->Height() - 5);  // second arrow
  EXPECT_EQ(listView->TopIndex(), 1);
  harness::Click(vbar, 8, vbar->PartRect(spThumb).Bottom + 2);  // track after the thumb
  EXPECT_EQ(listView->TopIndex(), 1 + page);
  EXPECT_EQ(vbar->Mirror().nPos, 1 + page);

  // The thumb 20 pixels up: the list follows during the drag, by whole rows.
  const TRect thumb = vbar->PartRect(spThumb);
  const int y = (thumb.Top + thumb.Bottom) / 2;
  const int expected = DragPosition(vbar->Height(), 17, 6, vbar->Mirror(), 1 + page, -20);
  ASSERT_TRUE(expected > 0 && expected < 1 + page);
  harness::MouseDown(vbar, mbLeft, 8, y);
  harness::MouseMove(vbar, 8, y - 20);
  EXPECT_EQ(listView->TopIndex(), expected);
  EXPECT_EQ(vbar->PartState(spThumb), psPressed);
  harness::MouseUp(vbar, mbLeft, 8, y - 20);
  EXPECT_EQ(HostPos(SB_VERT), expected);
  EXPECT_EQ(vbar->Mirror().nPos, expected);
  EXPECT_EQ(vbar->Mirror().nTrackPos, -1);

  // The horizontal thumb scrolls by pixels.
  const TRect across = hbar->PartRect(spThumb);
  const int x = (across.Left + across.Right) / 2;
  harness::MouseDown(hbar, mbLeft, x, 8);
  harness::MouseUp(hbar, mbLeft, x + 30, 8);
  EXPECT_GT(HostPos(SB_HORZ), 0);
  EXPECT_EQ(HostPos(SB_HORZ), hbar->Mirror().nPos);
}

TEST_F(ListHost, ADisabledHostBarGivesADisabledBarWithoutThumb) {
  // A range the page covers, kept visible: the host shows its bar disabled.
  SCROLLINFO fixed{sizeof(fixed), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 5, 10, 0, 0};
  SetScrollInfo(Host(), SB_VERT, &fixed, TRUE);
  SendMessageW(Host(), CM_ENABLEDCHANGED, 0, 0);
  ASSERT_TRUE(Shown(vbar));
  EXPECT_FALSE(vbar->Enabled());
  EXPECT_EQ(vbar->PartState(spFirstArrow), psDisabled);
  EXPECT_EQ(vbar->PartState(spTrackBefore), psDisabled);

  SCROLLINFO scrollable{sizeof(scrollable), SIF_RANGE | SIF_PAGE, 0, 39, 10, 0, 0};
  SetScrollInfo(Host(), SB_VERT, &scrollable, TRUE);
  SendMessageW(Host(), CM_ENABLEDCHANGED, 0, 0);
  EXPECT_TRUE(vbar->Enabled());
  EXPECT_EQ(vbar->PartState(spTrackBefore), psNormal);
}

TEST_F(ListHost, TheHostCanGoFirstAndTheBarStaysSafe) {
  harness::Click(vbar, 8, vbar->Height() - 5);
  const SCROLLINFO before = vbar->Mirror();
  listView->Free();
  listView = nullptr;
  harness::Pump();
  // The bars outlive their host: a host that cannot be read leaves the
  // mirror as it was, and input and destruction touch nothing freed.
  hbar->SyncFromHost();
  EXPECT_EQ(vbar->Mirror().nPos, before.nPos);
  EXPECT_EQ(vbar->Mirror().nMax, before.nMax);
  harness::Click(vbar, 8, vbar->Height() - 5);
  EXPECT_TRUE(IsWindow(vbar->Handle()));
  form->Free();
  form = nullptr;
}

TEST_F(ListHost, TheBarCanGoFirstAndTheHostGetsItsProcedureBack) {
  const LONG_PTR hooked = GetWindowLongPtrW(Host(), GWLP_WNDPROC);
  hbar->Free();
  EXPECT_NE(GetWindowLongPtrW(Host(), GWLP_WNDPROC), hooked);
  EXPECT_EQ(GetWindowLongPtrW(Host(), GWLP_USERDATA), 0);
  // The host still works, and the partner forgot nothing it needs.
  SendMessageW(Host(), WM_VSCROLL, SB_LINEDOWN, 0);
  listView->SetBounds(10, 10, 280, 180);
  harness::Pump();
  EXPECT_EQ(listView->TopIndex(), 1);
}

}  // namespace
