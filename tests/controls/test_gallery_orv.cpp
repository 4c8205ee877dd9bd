// The second gallery: the skinned native controls on one form read from a
// layout. Free-standing scroll bars in every style, vertical and
// horizontal, at several lengths (one shorter than two arrows) and
// disabled; a skinned list view of 40 rows with both skinned bars laid over
// it, scrolled to the middle, its first column held pressed and a sort
// image on the second; below, a smaller list with its bars in each of the
// five styles. Saved as build/screens/gallery_orv.png for review.
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

// A list view and its two bars in one style.
std::string ListWithBars(const std::string& name, int left, int top, int width, int height, int style) {
  const std::string look = "    PicList = frmResource.OrvVclScrollbarPicList2\n    Picstyle = " + std::to_string(style) + "\n";
  std::ostringstream out;
  out << "  object " << name << ": TOrvVclListView\n    Left = " << left << "\n    Top = " << top
      << "\n    Width = " << width << "\n    Height = " << height << "\n"
      << "    ViewStyle = vsReport\n    ReadOnly = True\n    RowSelect = True\n" << look
      << "    HeadImgSort = frmResource.orvImgListHeader\n    HeadHeightFont.Name = 'Tahoma'\n"
      << "    HeadHeightFont.Height = -11\n"
      << "    Columns = <\n      item\n        Caption = 'File name'\n        Width = 160\n      end\n"
      << "      item\n        Caption = 'File size'\n        Width = 100\n      end\n"
      << "      item\n        Caption = 'Modified'\n        Width = 80\n      end>\n  end\n"
      << "  object " << name << "HBar: TOrvVclScrollBar\n    Kind = sbHorizontal\n" << look << "  end\n"
      << "  object " << name << "VBar: TOrvVclScrollBar\n    Kind = sbVertical\n" << look << "  end\n";
  return out.str();
}

std::string GalleryLayout() {
  std::ostringstream out;
  out << "object GalleryOrv: TEventForm\n  Left = 0\n  Top = 0\n  BorderStyle = bsNone\n"
      << "  ClientWidth = 1100\n  ClientHeight = 500\n  Color = clWhite\n"
      << FreeBars()
      << ListWithBars("Merge_list", 770, 8, 320, 300, 4);
  for (int style = 1; style <= 5; ++style)
    out << ListWithBars("List" + std::to_string(style), 8 + (style - 1) * 218, 320, 210, 170, style);
  out << "end\n";
  return out.str();
}

// 40 rows, both bars attached, scrolled so that the top row is half way
// down the rows a page leaves; answers that row.
int FillAttachAndScroll(TEventForm* form, const std::string& name) {
  auto* list = harness::Find<TOrvVclListView>(form, name);
  for (int i = 0; i < 40; ++i) {
    TListItem* item = list->Items().Add();
    item->SetCaption(L"C:\\Data\\archive.iso.QuenlorSp" + std::to_wstring(i));
    item->SubItems().Add(std::to_wstring(1048576 + i) + L" bytes");
  }
  auto* hbar = harness::Find<TOrvVclScrollBar>(form, name + "HBar");
  hbar->SetPartnerBar(harness::Find<TOrvVclScrollBar>(form, name + "VBar"));
  hbar->AttachToHost(list->Handle(), list, nullptr);
  const int middle = (40 - list->VisibleRowCount()) / 2;
  SendMessageW(list->Handle(), LVM_SCROLL, 0, middle * list->Items()[0]->DisplayRect().Height());
  list->SetSortImage(1, 1);
  return middle;
}

TEST(GalleryOrv, SkinnedBarsAndAListWithItsBarsAreShownAndSaved) {
  SkinLists();
  TEventForm* form = MakeForm(GalleryLayout(), false);
  harness::ShowFresh(form);
  for (int style = 1; style <= 5; ++style) FillAttachAndScroll(form, "List" + std::to_string(style));
  const int middle = FillAttachAndScroll(form, "Merge_list");
  harness::Pump();
  auto* list = harness::Find<TOrvVclListView>(form, "Merge_list");
  auto* vbar = harness::Find<TOrvVclScrollBar>(form, "Merge_listVBar");
  EXPECT_EQ(list->TopIndex(), middle);
  EXPECT_EQ(vbar->Mirror().nPos, middle);
  EXPECT_TRUE(IsWindowVisible(harness::Find<TOrvVclScrollBar>(form, "Merge_listHBar")->CornerBox()->Handle()));
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
