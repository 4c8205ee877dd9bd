// The skinned list view: its header painted by state from solid test
// pictures and read back from the screen, the border, sort images and the
// ellipsis, the header font, the state check box, and the header procedure
// given back when either window goes first.
#include <gtest/gtest.h>

#include "controls/OrvVclListView.h"
#include "controls/OrvVclPublic.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

constexpr TColor kNormal = 0x00C08040, kOver = 0x0040C080, kDown = 0x008040C0, kDisable = 0x00808080;
constexpr TColor kSplit = 0x00202020, kSort = 0x0000C0C0, kBorder = 0x00123456;
constexpr int kList = 10;            // the list's left and top on the form
constexpr int kOrigin = kList + 2;  // its header's origin, inside the client edge

class ListView : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinLists();
    form = MakeForm(FormLayout(420, 300, R"(  object Pics: TOrvVclScrollbarPicList
    MyFont2.Color = clRed
  end
  object Sorts: TImageList
  end
  object Check: TOrvVclListCheckbox
    Left = 350
    Width = 9
    Height = 9
    nIndex = 7
    OnOrvclick = ItemOrvClick
  end
  object List: TOrvVclListView
    Left = 10
    Top = 10
    Width = 300
    Height = 200
    ViewStyle = vsReport
    ReadOnly = True
    RowSelect = True
    Picstyle = 2
    HeadImgSort = Sorts
    HeaderDownX = 3
    HeaderDownY = 2
    Columns = <
      item
        Caption = 'File name'
        Width = 150
      end
      item
        Caption = 'File size'
        Width = 80
        Alignment = taRightJustify
      end>
  end
)"),
                    false);
    pics = harness::Find<TOrvVclScrollbarPicList>(form, "Pics");
    for (int style : {2, 3}) {
      const TColor shade = style == 2 ? 0 : 0x00101010;
      pics->PicHeaderBGNormal(style).Assign(*harness::SolidPicture(8, 20, kNormal + shade));
      pics->PicHeaderBGOver(style).Assign(*harness::SolidPicture(8, 20, kOver));
      pics->PicHeaderBGDown(style).Assign(*harness::SolidPicture(8, 20, kDown));
      pics->PicHeaderBGDisable(style).Assign(*harness::SolidPicture(8, 20, kDisable));
      pics->PicSplit(style).Assign(*harness::SolidPicture(2, 14, kSplit));
    }
    pics->SetBorderColor(2, kBorder);
    harness::Find<TImageList>(form, "Sorts")->Add(*harness::SolidPicture(16, 16, kSort)->Graphic());
    list = harness::Find<TOrvVclListView>(form, "List");
    for (int i = 0; i < 40; ++i) list->Items().Add()->SetCaption(L"Part " + std::to_wstring(i));
    list->SetPicList(pics);
    harness::ShowFresh(form);
  }
  void TearDown() override {
    harness::ParkMouse();
    if (form) form->Free();
  }
  // A mouse message to the header at a header point.
  void Mouse(UINT msg, int x, int y) {
    SendMessageW(list->Header(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  // A header pixel as the screen shows it.
  TColor Screen(int x, int y) { return harness::PixelAt(*harness::CaptureScreen(form), kOrigin + x, kOrigin + y); }
  // Where a column's caption is drawn on the screen, in header coordinates.
  TRect TextBox(const TRect& column, TColor background) {
    const TRect ink = harness::InkBox(*harness::CaptureScreen(form), background,
                                      Rect(kOrigin + column.Left + 2, kOrigin, kOrigin + column.Right - 4,
                                           kOrigin + list->HeaderHeight()));
    return Rect(ink.Left - kOrigin, ink.Top - kOrigin, ink.Right - kOrigin, ink.Bottom - kOrigin);
  }
  TRect Column(int i) {
    RECT r{};
    SendMessageW(list->Header(), HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    return TRect::FromRECT(r);
  }

  TEventForm* form = nullptr;
  TOrvVclScrollbarPicList* pics = nullptr;
  TOrvVclListView* list = nullptr;
};

TEST_F(ListView, AColumnShowsPressedWhileTheCursorIsOnItAndNeverHot) {
  const TRect name = Column(0), size = Column(1);
  const int mid = list->HeaderHeight() / 2;
  EXPECT_EQ(Screen(3, mid), kNormal);
  EXPECT_EQ(Screen(name.Right - 1, mid), kSplit);
  EXPECT_EQ(Screen(size.Right + 20, mid), kNormal);  // the rest of the header
  const TRect text = TextBox(name, kNormal);
  ASSERT_FALSE(text.IsEmpty());
  EXPECT_NEAR(text.Left, name.Left + 4 + 4, 1);  // nInterval + TextInterval (and the glyph's bearing)
  // Right-aligned and not pressed: HeaderDownX further left of the limit.
  EXPECT_NEAR(TextBox(size, kNormal).Right, size.Right - 4 - 3, 1);

  Mouse(WM_LBUTTONDOWN, 60, mid);
  EXPECT_EQ((std::vector<int>{list->PressedColumn(), list->HeaderState()}), (std::vector<int>{0, hsPressed}));
  EXPECT_EQ(Screen(3, mid), kDown);
  EXPECT_EQ(Screen(name.Right - 1, mid), kDown);  // no separator
  const TRect shifted = TextBox(name, kDown);
  EXPECT_EQ((std::vector<int>{shifted.Left - text.Left, shifted.Top - text.Top}), (std::vector<int>{3, 2}));

  Mouse(WM_MOUSEMOVE, size.Left + 10, mid);  // dragged off: normal again
  EXPECT_EQ(list->HeaderState(), hsNormal);
  EXPECT_EQ(Screen(3, mid), kNormal);
  EXPECT_EQ(Screen(name.Right - 1, mid), kSplit);
  Mouse(WM_MOUSEMOVE, 60, mid);  // back on it
  EXPECT_EQ(Screen(3, mid), kDown);
  Mouse(WM_LBUTTONUP, 60, mid);
  EXPECT_EQ((std::vector<int>{list->PressedColumn(), list->HeaderState()}), (std::vector<int>{-1, hsNormal}));

  Mouse(WM_MOUSEMOVE, size.Left + 10, mid);
  const bool themes = ThemesAvailable(list->Handle());
  EXPECT_EQ(list->HotColumn(), themes ? 1 : -1);
  EXPECT_EQ(Screen(size.Left + 5, mid), themes ? kOver : kNormal);
}

TEST_F(ListView, StyleBorderAndEnabledStateReachTheScreenAtOnce) {
  const int mid = list->HeaderHeight() / 2;
  auto frame = [&](int inset) {
    return harness::PixelAt(*harness::CaptureScreen(form), kList + inset, kList + 50);
  };
  EXPECT_EQ(frame(0), kBorder);
  EXPECT_EQ(frame(1), ColorToRGB(list->Color()));
  list->SetPicstyle(0);
  list->SetPicstyle(6);
  EXPECT_EQ(list->Picstyle(), 2);
  list->SetPicstyle(3);
  EXPECT_EQ(Screen(3, mid), kNormal + 0x00101010);
  EXPECT_EQ(frame(0), clBlack);  // style 3 keeps the default border colour
  // The caps at both ends of the header, copied from the list when it is set.
  pics->PicHeaderLeftNormal1().Assign(*harness::SolidPicture(3, 20, kSort));
  pics->PicHeaderRightNormal1().Assign(*harness::SolidPicture(3, 20, kSplit));
  list->SetPicList(pics);
  list->SetHaveAngle(true);
  list->SetBounds(kList, kList, 280, 200);  // a size change repaints the caps' header
  RECT header;
  GetClientRect(list->Header(), &header);
  EXPECT_EQ((std::vector<TColor>{Screen(2, mid), Screen(3, mid), Screen(header.right - 3, mid)}),
            (std::vector<TColor>{kSort, kNormal + 0x00101010, kSplit}));
  list->SetEnabled(false);
  list->RepaintHeader();
  EXPECT_EQ(Screen(3, mid), kDisable);
  EXPECT_EQ(Screen(Column(1).Right + 20, mid), kDisable);
  // Without a picture list: the system's header and the list's own border colour.
  list->SetPicList(nullptr);
  list->SetBorderColor(clRed);
  EXPECT_EQ(frame(0), clRed);
  EXPECT_NE(Screen(3, mid), kDisable);
}

TEST_F(ListView, TheSortImageSitsAtTheRightAndTheCaptionIsCutBeforeIt) {
  list->Column(1).SetCaption(L"File size in bytes");
  list->SetSortImage(1, 0);
  const TRect size = Column(1);
  const int mid = list->HeaderHeight() / 2;
  const int imageLeft = size.Right - 4 - 16;
  EXPECT_EQ(Screen(imageLeft, mid), kSort);
  EXPECT_EQ(Screen(imageLeft - 1, mid), kNormal);
  const TRect text = TextBox(Rect(size.Left, 0, imageLeft, 0), kNormal);
  ASSERT_FALSE(text.IsEmpty());
  EXPECT_LE(text.Right, imageLeft - 4);  // the limit: the image less SortInterval
  // The table ends at 256 columns: nothing past it is kept or read.
  list->SetSortImage(256, 0);
  list->SetSortImage(-1, 0);
  EXPECT_EQ((std::vector<int>{list->SortImage(256), list->SortImage(-1), list->SortImage(1)}),
            (std::vector<int>{-1, -1, 0}));
  list->Items().Clear();
  for (int i = 0; i < 257; ++i) list->Columns().Add();
  list->RepaintHeader();
  EXPECT_EQ(SendMessageW(list->Header(), HDM_GETITEMCOUNT, 0, 0), 259);
}

TEST_F(ListView, HeadHeightFontSetsTheHeaderHeightButNotTheRows) {
  const int rows = list->Items()[0]->DisplayRect().Height(), header = list->HeaderHeight();
  list->HeadHeightFont().SetHeight(-24);
  EXPECT_GT(list->HeaderHeight(), header + 10);
  RECT r;
  GetWindowRect(list->Header(), &r);
  EXPECT_EQ(list->HeaderHeight(), r.bottom - r.top);
  EXPECT_EQ(list->Items()[0]->DisplayRect().Height(), rows);
  // Columns are found up to the header's last line, edges included.
  const TRect name = Column(0);
  EXPECT_EQ(list->ColumnAt({name.Right, list->HeaderHeight()}), 0);
  EXPECT_EQ(list->ColumnAt({name.Right + 1, 0}), 1);
  EXPECT_EQ(list->ColumnAt({5, list->HeaderHeight() + 1}), -1);
  EXPECT_EQ(list->ColumnAt({5, -1}), -1);
}

TEST_F(ListView, TheStateCheckboxSitsInColumnZeroAndReportsClicks) {
  auto* box = harness::Find<TOrvVclListCheckbox>(form, "Check");
  box->SetXPicList(harness::Find<TXCheckBoxPicList>(SkinLists(), "XCheckBoxPicList1"));  // 9 x 9
  list->SetStatueCheckbox(box);
  list->RepaintHeader();
  const int top = kOrigin + (Column(0).Height() - 9) / 2;
  EXPECT_EQ(box->BoundsRect(), Bounds(kOrigin + 4, top, 9, 9));
  EXPECT_EQ(box->parentdc(), list->Header());
  list->Column(0).SetWidth(400);
  // Column 0 scrolled 10 pixels out: 6 pixels of the box are hidden at the list's edge.
  SendMessageW(list->Handle(), LVM_SCROLL, 10, 0);
  harness::Pump();
  EXPECT_EQ(box->BoundsRect(), Rect(kOrigin, top, kOrigin + 3, top + 9));
  EXPECT_EQ(box->Offset(), 6);
  SendMessageW(list->Handle(), LVM_SCROLL, -10, 0);
  harness::Pump();

  harness::Click(box);
  harness::MouseDown(box);
  harness::MouseUp(box, mbLeft, 20, 4);  // released outside: no click
  EXPECT_EQ(form->Take(), std::vector<std::string>{"orvclick Check 7 3"});
  box->SetCheckStatue(4);
  box->SetCheckStatue(0);
  EXPECT_EQ(box->CheckStatue(), 0);
  list->SetMyVisible(false);
  EXPECT_FALSE(IsWindowVisible(list->Handle()) || IsWindowVisible(box->Handle()));
}

// Either window may go first; neither calls the other afterwards.
TEST_F(ListView, TheHeaderIsHookedAgainWithANewWindowAndCanGoFirst) {
  EXPECT_EQ(GetWindowLongPtrW(list->Header(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(list));
  list->SetReadOnly(false);  // a new window and header
  ASSERT_NE(list->Header(), nullptr);
  EXPECT_EQ(list->Header(), list->HeaderHandle());
  EXPECT_EQ(Screen(3, list->HeaderHeight() / 2), kNormal);
  DestroyWindow(list->Header());
  EXPECT_EQ(list->Header(), nullptr);
  list->RepaintHeader();
  SendMessageW(list->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(list->TopIndex(), 1);
  list->Free();
  harness::Pump();
}

}  // namespace
