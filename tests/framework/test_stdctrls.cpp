// Plain and native controls and timers: the edit's change rule, key
// filtering, the combo box, the scroll bar, the list view, all of them
// rendered through the paint path, timers and scripted dialogs.
#include <gtest/gtest.h>

#include "framework/Dialogs.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

const std::string kInputs = FormLayout(360, 260, R"(  Color = $00D58B3A
  object Edit1: TEdit
    Left = 10
    Top = 10
    Text = 'start'
    OnChange = ItemChange
  end
  object Digits: TEdit
    Left = 10
    Top = 40
    OnChange = ItemChange
    OnKeyPress = DigitsOnly
  end
  object Unit: TComboBox
    Left = 10
    Top = 70
    Style = csDropDownList
    Items.Strings = ('MB' 'KB' 'byte(s)')
    ItemIndex = 0
    OnChange = ItemChange
  end
  object Bar: TScrollBar
    Left = 10
    Top = 110
    Width = 200
    Max = 50
    PageSize = 10
    LargeChange = 15
    OnChange = ItemChange
  end
  object List: TListView
    Left = 10
    Top = 140
    Width = 330
    Height = 110
    ViewStyle = vsReport
    RowSelect = True
    ReadOnly = True
    Columns = <
      item
        Caption = 'File name'
        Width = 200
      end
      item
        Caption = 'File size'
        Width = 100
      end>
  end
  object Panel1: TPanel
    Left = 220
    Top = 10
    Width = 130
    Height = 120
    Color = clWhite
    BevelOuter = bvNone
    object Shape1: TShape
      Left = 10
      Top = 10
      Width = 70
      Height = 21
      Brush.Color = $00FCEFE1
      Pen.Color = $00F3C38F
    end
    object Image1: TImage
      Left = 10
      Top = 40
      AutoSize = True
      Picture = 'skins/blue/button_large_normal.png'
    end
  end
)");

class Inputs : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kInputs);
    form->Take();
  }
  void TearDown() override { form->Free(); }
  TEdit* Edit(const char* name) { return harness::Find<TEdit>(form, name); }

  TEventForm* form = nullptr;
};

TEST_F(Inputs, EditChangeRunsOnlyWhenTheTextReallyChanges) {
  TEdit* edit = form->Edit1;
  EXPECT_EQ(edit->Text(), L"start");  // set by the layout without an event

  edit->SetText(L"start");
  EXPECT_TRUE(form->Take().empty());

  edit->SetText(L"other");
  EXPECT_EQ(form->Take(), Log({"change Edit1"}));
  EXPECT_EQ(edit->Text(), L"other");

  harness::Type(edit, L"ab");
  EXPECT_EQ(form->Take(), Log({"change Edit1", "change Edit1"}));
  EXPECT_EQ(edit->Text().size(), 7u);

  // A handler that sets the text again runs once more, then the chain ends.
  edit->OnChange = [edit, this](TObject* sender) {
    form->ItemChange(sender);
    if (edit->Text().empty()) edit->SetText(L"1");
  };
  edit->SetText(L"");
  EXPECT_EQ(form->Take(), Log({"change Edit1", "change Edit1"}));
  EXPECT_EQ(edit->Text(), L"1");
}

TEST_F(Inputs, KeyPressCanDropTypedCharacters) {
  TEdit* digits = Edit("Digits");
  harness::Type(digits, L"1a2-3");
  EXPECT_EQ(digits->Text(), L"123");
  EXPECT_EQ(form->Take(), Log({"change Digits", "change Digits", "change Digits"}));
  harness::Type(digits, L"\b");
  EXPECT_EQ(digits->Text(), L"12");
}

TEST_F(Inputs, EditKeepsItsStateAcrossANewWindow) {
  TEdit* edit = form->Edit1;
  edit->SetReadOnly(true);
  edit->SetText(L"kept");
  form->Take();
  edit->SetBorderStyle(bsNone);  // makes a new window
  EXPECT_EQ(edit->Text(), L"kept");
  EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(form->Take().empty());
}

TEST_F(Inputs, ComboBoxSelectsFromCodeSilentlyAndReportsTheUsersChoice) {
  auto* combo = harness::Find<TComboBox>(form, "Unit");
  EXPECT_EQ(combo->Text(), L"MB");
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), L"byte(s)");
  combo->SetText(L"kb");  // a drop-down list selects the item of that text
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText(L"GB");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(form->Take().empty());

  // The user picks an item: the list notifies its parent window.
  HWND wnd = combo->Handle();
  SendMessageW(wnd, CB_SETCURSEL, 2, 0);
  SendMessageW(GetParent(wnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), CBN_SELCHANGE), reinterpret_cast<LPARAM>(wnd));
  EXPECT_EQ(form->Take(), Log({"change Unit"}));
  EXPECT_EQ(combo->Text(), L"byte(s)");

  combo->Items().Delete(0);
  EXPECT_EQ(SendMessageW(wnd, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(Inputs, ScrollMessagesMovePositionWithinTheRange) {
  auto* bar = harness::Find<TScrollBar>(form, "Bar");
  HWND wnd = bar->Handle();
  auto scroll = [&](WORD code, WORD position = 0) {
    SendMessageW(GetParent(wnd), WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(wnd));
  };
  int seen = -1;
  bar->OnScroll = [&](TObject*, TScrollCode, int& position) { seen = position; };
  scroll(SB_LINEDOWN);
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(seen, 1);
  scroll(SB_THUMBTRACK, 30);
  EXPECT_EQ(bar->Position(), 30);
  scroll(SB_PAGEDOWN);
  EXPECT_EQ(bar->Position(), 41);  // with a page of 10 the bar reaches 50 - 10 + 1 at most
  scroll(SB_LINEUP);
  EXPECT_EQ(bar->Position(), 40);
  EXPECT_EQ(form->Take().size(), 4u);

  SCROLLINFO info{sizeof(info), SIF_ALL};
  SendMessageW(wnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.nPos, 40);
  EXPECT_EQ(info.nMax, 50);
  EXPECT_EQ(info.nPage, 10u);
}

std::wstring CellText(TListView* list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list->Handle(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(Inputs, ListViewShowsColumnsItemsAndSubItems) {
  auto* list = harness::Find<TListView>(form, "List");
  for (int i = 0; i < 3; ++i) {
    TListItem* item = list->Items().Add();
    item->SetCaption(L"D:\\out\\movie.avi.QuenlorSp" + std::to_wstring(i));
    item->SubItems().Add(std::to_wstring(10 + i) + L" KB");
    item->SubItems().Add(std::to_wstring(10240 + i));
  }
  HWND wnd = list->Handle();
  EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(CellText(list, 1, 0), L"D:\\out\\movie.avi.QuenlorSp1");
  EXPECT_EQ(CellText(list, 2, 1), L"12 KB");
  EXPECT_EQ(list->Items()[2]->SubItems()[1], L"10242");  // kept though no column shows it

  wchar_t caption[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = caption;
  column.cchTextMax = 64;
  SendMessageW(wnd, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(caption, L"File size");
  list->Column(0).SetCaption(L"Name");
  SendMessageW(wnd, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(caption, L"Name");

  list->Items()[1]->SubItems().SetStrings(0, L"changed");
  EXPECT_EQ(CellText(list, 1, 1), L"changed");
  list->Items().Delete(0);
  EXPECT_EQ(CellText(list, 0, 0), L"D:\\out\\movie.avi.QuenlorSp1");
  EXPECT_GT(list->Items()[0]->DisplayRect().Height(), 0);
  list->Items().Clear();
  EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(Inputs, ListViewCustomDrawEventsRunAndCanTakeOverThePainting) {
  auto* list = harness::Find<TListView>(form, "List");
  list->Items().Add()->SetCaption(L"row");
  list->OnCustomDraw = [this](TCustomListView* sender, const TRect&, bool& defaultDraw) {
    form->Log.push_back("draw " + sender->Name());
    defaultDraw = sender->Tag == 0;
  };
  list->OnCustomDrawItem = [this](TCustomListView*, TListItem* item, TCustomDrawState, bool&) {
    form->Log.push_back("draw item " + std::to_string(item ? item->Index() : -1));
  };
  list->Repaint();
  Log log = form->Take();
  EXPECT_NE(std::find(log.begin(), log.end(), "draw List"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "draw item 0"), log.end());

  list->Tag = 1;  // the list's handler now clears DefaultDraw: the items are not asked for
  list->Repaint();
  log = form->Take();
  EXPECT_NE(std::find(log.begin(), log.end(), "draw List"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), "draw item 0"), log.end());
}

TEST_F(Inputs, AllAreRenderedThroughThePaintPath) {
  auto* list = harness::Find<TListView>(form, "List");
  for (int i = 0; i < 3; ++i) {
    TListItem* item = list->Items().Add();
    item->SetCaption(L"C:\\data\\a.iso.QuenlorSp" + std::to_wstring(i));
    item->SubItems().Add(L"100 MB");
  }
  auto shot = harness::Render(form);
  harness::SaveScreenshot(*shot, L"framework_gallery");
  harness::SaveScreenshot(*harness::CaptureScreen(form), L"framework_gallery_screen");
  auto* image = harness::Find(form, "Image1");
  EXPECT_EQ(image->Width(), 101);  // the picture's own size
  EXPECT_EQ(image->Height(), 33);
  EXPECT_EQ(harness::PixelAt(*shot, 2, 2), 0x00D58B3Au);                    // the form colour
  EXPECT_EQ(harness::PixelAt(*shot, 220 + 5, 10 + 100), clWhite);           // the panel
  EXPECT_EQ(harness::PixelAt(*shot, 220 + 10 + 35, 10 + 20), 0x00FCEFE1u);  // inside the shape
  EXPECT_EQ(harness::PixelAt(*shot, 220 + 10, 10 + 20), 0x00F3C38Fu);       // its outline
}

TEST(Timers, FireWhileEnabledAndStopFromTheirOwnHandler) {
  TEventForm* form = MakeForm(FormLayout(100, 50, R"(  object Tick: TTimer
    Interval = 20
    OnTimer = TimerTick
  end
)"), false);
  auto* timer = harness::Find<TTimer>(form, "Tick");
  EXPECT_TRUE(harness::PumpUntil([&] { return form->Log.size() >= 2; }));

  timer->OnTimer = [&](TObject* sender) {
    form->TimerTick(sender);
    timer->SetEnabled(false);
  };
  form->Take();
  EXPECT_TRUE(harness::PumpUntil([&] { return !form->Log.empty(); }));
  harness::Pump(100);
  EXPECT_EQ(form->Take(), Log({"tick Tick"}));
  form->Free();
}

TEST(Dialogs, ScriptedAnswersAndRecordedCalls) {
  harness::InitGui();
  harness::ResetScripts();
  TOpenDialog open(nullptr);
  open.SetFilter(L"Split File|*.QuenlorSp0");
  harness::QueueOpen(L"C:\\data\\a.iso");
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), L"C:\\data\\a.iso");

  TSaveDialog save(nullptr);
  save.SetFileName(L"D:\\out\\movie.avi");
  harness::QueueCancel(dkSave);
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(save.FileName(), L"D:\\out\\movie.avi");

  std::wstring folder;
  harness::QueueFolder(L"C:\\data");
  EXPECT_EQ(BrowseForFolder(nullptr, L"Please specify the output path!", 0x50, folder), brPath);
  EXPECT_EQ(folder, L"C:\\data");
  DialogScript().QueueFolderWithoutPath();
  EXPECT_EQ(BrowseForFolder(nullptr, L"t", 0x50, folder), brNoPath);

  auto& calls = DialogScript().Calls;
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Filter, L"Split File|*.QuenlorSp0");
  EXPECT_EQ(calls[1].FileName, L"D:\\out\\movie.avi");
  EXPECT_EQ(calls[2].Title, L"Please specify the output path!");
  EXPECT_EQ(calls[2].Flags, 0x50u);
  EXPECT_TRUE(DialogScript().Errors.empty());

  // Without an answer no real dialog opens: the call is refused and noted.
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(DialogScript().Errors.size(), 1u);
  harness::ResetScripts();
}

}  // namespace
