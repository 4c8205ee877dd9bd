// The second gallery: the skinned native controls on one form read from a
// layout. Free-standing scroll bars in every style, vertical and
// horizontal, at several lengths (one shorter than two arrows) and
// disabled; a skinned list view of 40 rows with both skinned bars laid over
// it, scrolled to the middle, its first column held pressed and a sort
// image on the second. Saved as build/screens/gallery_orv.png for review.
#include <gtest/gtest.h>

#include <sstream>

#include "controls/OrvVclListView.h"
#include "controls/OrvVclScrollBar.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

constexpr int kLengths[] = {200, 120, 60, 30};  // 30 is shorter than two arrows
constexpr int kStyleWidth = 150;                // the column of one style

std::string Bar(const std::string& name, bool vertical, int left, int top, int length, int style, int position,
                bool enabled) {
  std::ostringstream out;
  out << "  object " << name << ": TOrvVclScrollBar\n"
      << "    Kind = " << (vertical ? "sbVertical" : "sbHorizontal") << "\n"
      << "    Left = " << left << "\n    Top = " << top << "\n"
      << "    Width = " << (vertical ? 17 : length) << "\n    Height = " << (vertical ? length : 17) << "\n"
      << "    Max = 99\n    PageSize = 20\n    Position = " << position << "\n"
      << "    Enabled = " << (enabled ? "True" : "False") << "\n"
      << "    PicList = frmResource.OrvVclScrollbarPicList1\n    Picstyle = " << style << "\n  end\n";
  return out.str();
}

// Per style a column: vertical bars side by side at each length (the last
// one disabled), then horizontal bars below each other.
std::string FreeBars() {
  std::ostringstream out;
  for (int style = 1; style <= 5; ++style) {
    const int left = 8 + (style - 1) * kStyleWidth;
    int x = left;
    for (int i = 0; i < 4; ++i, x += 24)
      out << Bar("v" + std::to_string(style) + "_" + std::to_string(i), true, x, 8, kLengths[i], style, 40, true);
    out << Bar("v" + std::to_string(style) + "_off", true, x, 8, 120, style, 40, false);
    int y = 216;
    for (int i = 1; i < 4; ++i, y += 22)
      out << Bar("h" + std::to_string(style) + "_" + std::to_string(i), false, left, y, kLengths[i], style, 80, true);
    out << Bar("h" + std::to_string(style) + "_off", false, left, y, 120, style, 0, false);
  }
  return out.str();
}

std::string GalleryLayout() {
  std::ostringstream out;
  out << "object GalleryOrv: TEventForm\n  Left = 0\n  Top = 0\n  BorderStyle = bsNone\n"
      << "  ClientWidth = 1100\n  ClientHeight = 320\n  Color = clWhite\n"
      << FreeBars()
      << "  object Merge_list: TOrvVclListView\n    Left = 770\n    Top = 8\n    Width = 320\n    Height = 300\n"
      << "    ViewStyle = vsReport\n    ReadOnly = True\n    RowSelect = True\n"
      << "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = 4\n"
      << "    HeadImgSort = frmResource.orvImgListHeader\n    HeadHeightFont.Name = 'Tahoma'\n"
      << "    HeadHeightFont.Height = -11\n"
      << "    Columns = <\n      item\n        Caption = 'File name'\n        Width = 160\n      end\n"
      << "      item\n        Caption = 'File size'\n        Width = 100\n      end\n"
      << "      item\n        Caption = 'Modified'\n        Width = 80\n      end>\n  end\n"
      << "  object ListHBar: TOrvVclScrollBar\n    Kind = sbHorizontal\n"
      << "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = 4\n  end\n"
      << "  object ListVBar: TOrvVclScrollBar\n    Kind = sbVertical\n"
      << "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = 4\n  end\n"
      << "end\n";
  return out.str();
}

TEST(GalleryOrv, SkinnedBarsAndAListWithItsBarsAreShownAndSaved) {
  SkinLists();
  TEventForm* form = MakeForm(GalleryLayout(), false);
  auto* list = harness::Find<TOrvVclListView>(form, "Merge_list");
  for (int i = 0; i < 40; ++i) {
    TListItem* item = list->Items().Add();
    item->SetCaption(L"C:\\Data\\archive.iso.QuenlorSp" + std::to_wstring(i));
    item->SubItems().Add(std::to_wstring(1048576 + i) + L" bytes");
  }
  harness::ShowFresh(form);
  auto* hbar = harness::Find<TOrvVclScrollBar>(form, "ListHBar");
  auto* vbar = harness::Find<TOrvVclScrollBar>(form, "ListVBar");
  hbar->SetPartnerBar(vbar);
  hbar->AttachToHost(list->Handle(), list, nullptr);
  // To the middle: the top row half way down the rows a page leaves.
  const int middle = (40 - list->VisibleRowCount()) / 2;
  SendMessageW(list->Handle(), LVM_SCROLL, 0, middle * list->Items()[0]->DisplayRect().Height());
  harness::Pump();
  EXPECT_EQ(list->TopIndex(), middle);
  EXPECT_EQ(vbar->Mirror().nPos, middle);
  EXPECT_TRUE(IsWindowVisible(hbar->CornerBox()->Handle()));
  list->SetSortImage(1, 1);
  const int mid = list->HeaderHeight() / 2;
  SendMessageW(list->Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, mid));
  EXPECT_EQ(list->PressedColumn(), 0);

  auto shot = harness::CaptureScreen(form);
  EXPECT_FALSE(harness::SaveScreenshot(*shot, L"gallery_orv").empty());
  SendMessageW(list->Header(), WM_LBUTTONUP, 0, MAKELPARAM(60, mid));
  harness::ParkMouse();
  form->Free();
}

}  // namespace
