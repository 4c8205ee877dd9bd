// The main window by keyboard and as assistive technology reads it: the
// page keys with their job guard, the radio pair and the block count by
// arrows, Enter on a page, and the accessible name, role and state of every
// control of the split and merge pages.
#include "app/Main.h"
#include "engine/global.h"
#include "tests/app/AccessibleTree.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <map>
#include <utility>
#include <string>
#include <vector>

namespace {

using harness::Key;

class KeyboardWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override {
    mobrel_double::Reset();
    harness::ResetScripts();
    frmMain->ResetJobState();
    frmMain->ResetPages();
    harness::Click(frmMain->btnFunc1);
    SetForegroundWindow(frmMain->Handle());
    frmMain->Source_E->SetFocus();
    harness::Pump();
  }
  // The other suites expect the split page.
  void TearDown() override { harness::Click(frmMain->btnFunc1); }
};

TEST_F(KeyboardWindow, CtrlTabAndCtrlDigitsSwitchPagesAndFocusTheirFirstControl) {
  Key(VK_TAB, ssCtrl);
  EXPECT_EQ(frmMain->Page(), 2);
  EXPECT_TRUE(frmMain->Merge_list->Focused());
  Key(VK_TAB, ssCtrl | ssShift);
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_TRUE(frmMain->Source_E->Focused());
  Key(VK_TAB, ssCtrl | ssShift);
  EXPECT_EQ(frmMain->Page(), 4);
  // A page without controls of ours starts at the first tab that can be pressed.
  EXPECT_TRUE(frmMain->btnFunc1->Focused());
  Key('3', ssCtrl);
  EXPECT_EQ(frmMain->Page(), 3);
  Key('1', ssCtrl);
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_TRUE(mobrel_double::CallsOf("MessageBox").empty());
}

TEST_F(KeyboardWindow, APageKeyWhileAJobRunsAsksTheStopQuestionAsTheTabDoes) {
  program::TRunningJob job;  // a split
  harness::QueueMessageBoxAnswer(IDNO);
  Key('2', ssCtrl);
  const auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, L"Do you want to stop the current work?");
  EXPECT_EQ(frmMain->Page(), 1);
}

TEST_F(KeyboardWindow, ArrowsMoveInTheRadioPairAndStepTheBlockCount) {
  // Any file will do as the source; the test program itself is one.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  frmMain->OpenFile(self);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  harness::QueueFolder(temp);
  harness::Click(frmMain->s_save_btn);
  TXCheckBox* count = frmMain->block_R_btn;
  TXCheckBox* size = frmMain->Size_R_btn;
  ASSERT_TRUE(count->Operable());
  if (count->Status() != csChecked) harness::Click(count);
  // Tab reaches only the checked radio button of the pair.
  std::vector<TControl*> order = frmMain->TabList();
  EXPECT_NE(std::find(order.begin(), order.end(), count), order.end());
  EXPECT_EQ(std::find(order.begin(), order.end(), size), order.end());

  frmMain->block_edt->SetFocus();
  const int blocks = std::stoi(frmMain->block_edt->Text());
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_DOWN);
  EXPECT_EQ(std::stoi(frmMain->block_edt->Text()), blocks + 1);

  // An arrow checks the other button as a click does, whose handler then
  // puts the focus in the mode's input; Shift+Tab goes back to the pair.
  count->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(size->Status(), csChecked);
  EXPECT_EQ(count->Status(), csUnChecked);
  EXPECT_TRUE(frmMain->Size_edt->Focused());
  // F4 and Alt+Down open the unit's list; Esc closes it without pressing Cancel.
  frmMain->size_com_box->SetFocus();
  for (const TShiftState shift : {TShiftState{0}, TShiftState{ssAlt}}) {
    Key(shift ? VK_DOWN : VK_F4, shift);
    EXPECT_TRUE(frmMain->size_com_box->DroppedDown()) << int{shift};
    Key(VK_ESCAPE);
    EXPECT_FALSE(frmMain->size_com_box->DroppedDown());
  }
  Key(VK_TAB, ssShift);
  Key(VK_TAB, ssShift);
  EXPECT_TRUE(size->Focused());
  Key(VK_LEFT);
  EXPECT_EQ(count->Status(), csChecked);
  EXPECT_TRUE(frmMain->block_edt->Focused());
}

TEST_F(KeyboardWindow, AltWithACaptionsLetterReachesItsControlOnThePageShown) {
  struct TCase {
    int Page;
    WORD Letter;
    TWinControl* Focused;
  } const cases[] = {
      {1, 'F', frmMain->Source_E}, {1, 'O', frmMain->Output_E},
      {2, 'F', frmMain->Merge_list}, {2, 'O', frmMain->Save_file_E},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Letter);
    Key(static_cast<WORD>('0' + c.Page), ssCtrl);
    Key(c.Letter, ssAlt);
    EXPECT_TRUE(c.Focused->Focused());
  }
  // Alt+S presses Split as a click does: without a source it refuses.
  Key('1', ssCtrl);
  frmMain->Source_E->SetText(L"");
  harness::Click(frmMain->Split_btn);
  const auto clicked = mobrel_double::CallsOf("MessageBox");
  ASSERT_FALSE(clicked.empty());
  mobrel_double::Reset();
  Key('S', ssAlt);
  const auto pressed = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(pressed.size(), clicked.size());
  EXPECT_EQ(pressed.back().Text, clicked.back().Text);
}

// Every control of a page as the accessible tree shows it: (name, role) -> state.
using TSeen = std::map<std::pair<std::wstring, long>, long>;

struct TNamed {
  const wchar_t* Name;
  long Role;
};

// What both pages share: the caption row and the tabs.
const TNamed kFrame[] = {
    {L"Quenlor", ROLE_SYSTEM_STATICTEXT},    {L"Green skin", ROLE_SYSTEM_PUSHBUTTON},
    {L"Red skin", ROLE_SYSTEM_PUSHBUTTON},   {L"Yellow skin", ROLE_SYSTEM_PUSHBUTTON},
    {L"Blue skin", ROLE_SYSTEM_PUSHBUTTON},  {L"Black skin", ROLE_SYSTEM_PUSHBUTTON},
    {L"Minimize", ROLE_SYSTEM_PUSHBUTTON},   {L"Maximize", ROLE_SYSTEM_PUSHBUTTON},
    {L"Close", ROLE_SYSTEM_PUSHBUTTON},      {L"Split File", ROLE_SYSTEM_PAGETAB},
    {L"Merge Files", ROLE_SYSTEM_PAGETAB},   {L"Our Products", ROLE_SYSTEM_PAGETAB},
    {L"Mobrel", ROLE_SYSTEM_PAGETAB},        {L"mobrel.example", ROLE_SYSTEM_LINK},
};

const TNamed kSplitPage[] = {
    {L"Source file", ROLE_SYSTEM_TEXT},
    {L"Browse for the source file", ROLE_SYSTEM_PUSHBUTTON},
    {L"Output path", ROLE_SYSTEM_TEXT},
    {L"Browse for the output folder", ROLE_SYSTEM_PUSHBUTTON},
    {L"Specify number of blocks:", ROLE_SYSTEM_RADIOBUTTON},
    {L"Specify block size:", ROLE_SYSTEM_RADIOBUTTON},
    {L"Number of blocks", ROLE_SYSTEM_TEXT},
    {L"One block more", ROLE_SYSTEM_PUSHBUTTON},
    {L"One block fewer", ROLE_SYSTEM_PUSHBUTTON},
    {L"Block size", ROLE_SYSTEM_TEXT},
    {L"Block size unit", ROLE_SYSTEM_COMBOBOX},
    {L"Current progress", ROLE_SYSTEM_PROGRESSBAR},
    {L"Overall progress", ROLE_SYSTEM_PROGRESSBAR},
    {L"Split", ROLE_SYSTEM_PUSHBUTTON},
    {L"Cancel", ROLE_SYSTEM_PUSHBUTTON},
    {L"Source file:", ROLE_SYSTEM_STATICTEXT},
};

const TNamed kMergePage[] = {
    {L"Files to merge", ROLE_SYSTEM_LIST},
    {L"Add a split file", ROLE_SYSTEM_PUSHBUTTON},
    {L"Clear the list", ROLE_SYSTEM_PUSHBUTTON},
    {L"Output file", ROLE_SYSTEM_TEXT},
    {L"Browse for the output file", ROLE_SYSTEM_PUSHBUTTON},
    {L"Current progress", ROLE_SYSTEM_PROGRESSBAR},
    {L"Overall progress", ROLE_SYSTEM_PROGRESSBAR},
    {L"Merge", ROLE_SYSTEM_PUSHBUTTON},
    {L"Cancel", ROLE_SYSTEM_PUSHBUTTON},
    {L"Files to merge:", ROLE_SYSTEM_STATICTEXT},
};

void ExpectNamed(const TSeen& seen, const TNamed* table, size_t n) {
  for (size_t i = 0; i < n; ++i)
    EXPECT_EQ(seen.count({table[i].Name, table[i].Role}), 1u)
        << "no " << table[i].Role << " named \"" << WideToUtf8(table[i].Name) << "\"";
}

TEST_F(KeyboardWindow, EveryControlOfBothPagesHasANameARoleAndAState) {
  for (int page : {1, 2}) {
    SCOPED_TRACE(page);
    harness::Click(page == 1 ? frmMain->btnFunc1 : frmMain->btnFunc2);
    IAccessible* window = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(frmMain->Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&window)),
              S_OK);
    TSeen seen;
    accessible_tree::Walk(window, [&seen](const std::wstring& name, long role, long state) {
      if (!name.empty()) seen[{name, role}] = state;
    });
    window->Release();
    ExpectNamed(seen, kFrame, std::size(kFrame));
    if (page == 1) ExpectNamed(seen, kSplitPage, std::size(kSplitPage));
    else ExpectNamed(seen, kMergePage, std::size(kMergePage));
    // Only the page shown is there.
    EXPECT_EQ(seen.count({page == 1 ? L"Files to merge" : L"Source file", page == 1 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_TEXT}), 0u);
    // The selected tab and Cancel (no job runs) are unavailable; the page's start button is not.
    const long tab = ROLE_SYSTEM_PAGETAB, button = ROLE_SYSTEM_PUSHBUTTON, radio = ROLE_SYSTEM_RADIOBUTTON;
    auto state = [&seen](const wchar_t* name, long role) { return seen[{name, role}]; };
    EXPECT_TRUE(state(page == 1 ? L"Split File" : L"Merge Files", tab) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(state(page == 1 ? L"Merge Files" : L"Split File", tab) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(state(L"Cancel", button) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(state(page == 1 ? L"Split" : L"Merge", button) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(state(L"Minimize", button) & STATE_SYSTEM_FOCUSABLE);
    if (page == 1) {
      const bool countMode = frmMain->block_R_btn->Status() == csChecked;
      EXPECT_EQ((state(L"Specify number of blocks:", radio) & STATE_SYSTEM_CHECKED) != 0, countMode);
      EXPECT_EQ((state(L"Specify block size:", radio) & STATE_SYSTEM_CHECKED) != 0, !countMode);
    }
  }
}

}  // namespace
