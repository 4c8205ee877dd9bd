// The resource form's message table, placeholder filling and how messages are shown.
#include "app/frmRes.h"
#include "tests/doubles/MobrelDouble.h"

#include <gtest/gtest.h>

namespace {

class ResourceForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    Application->CreateForm(frmResource);
  }
  void SetUp() override { mobrel_double::Reset(); }
};

TEST_F(ResourceForm, HoldsTheTwentyNineMessagesUnderTheirLabelNames) {
  ASSERT_NE(frmResource, nullptr);
  for (int n = 1; n <= TfrmResource::MessageCount; ++n) {
    std::string name = (n <= 21 ? "lbl_Lan" : "Lbl_lan") + std::to_string(n);
    TComponent* label = frmResource->FindComponent(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label, frmResource->MessageLabel(n));
  }
  EXPECT_EQ(MessageText(6), L"Splitting  part %s");  // two blanks
  EXPECT_EQ(MessageText(22), L"Quenlor");
  EXPECT_EQ(MessageText(24), L"Merging part %s");
  EXPECT_EQ(MessageText(29), L"The size of source file can not be zero.");
  EXPECT_EQ(MessageText(0), L"");
  EXPECT_EQ(MessageText(30), L"");
  EXPECT_FALSE(frmResource->Visible());
}

TEST_F(ResourceForm, FillsPlaceholdersAsPlainCaseInsensitiveText) {
  EXPECT_EQ(DriveLimitText(25, L"E:", L"FAT", L"2G"),
            L"Your E: drive is a FAT partition which does not support creating a file larger than 2G. "
            L"Please select the output path again or diminish the partition blocks.");
  EXPECT_EQ(PartLine(6, 3), L"Splitting  part 3");
  EXPECT_EQ(PartLine(24, 12), L"Merging part 12");

  // A caption changed at run time is read anew, and markers match in any case.
  TLabel* label = frmResource->Lbl_lan26;
  const std::wstring saved = label->Caption();
  label->SetCaption(L"S% is n% (N%), limit F%; %s stays");
  EXPECT_EQ(DriveLimitText(26, L"D:", L"FAT32", L"4G"), L"D: is FAT32 (FAT32), limit 4G; %s stays");
  label->SetCaption(saved);
  EXPECT_EQ(ReplaceAllIgnoreCase(L"a%Sb%sc", L"%s", L"1"), L"a1b1c");
  EXPECT_EQ(ReplaceAllIgnoreCase(L"100%", L"%s", L"1"), L"100%");
}

TEST_F(ResourceForm, ShowsMessagesThroughTheLibraryWithTitleAndStyle) {
  mobrel_double::Get().Answers = {IDYES, IDNO};
  EXPECT_TRUE(AskYes(4));
  EXPECT_FALSE(AskYes(3));
  ShowMessageNumber(2);
  ShowMessageNumber(19);
  ShowMessageText(5, MessageText(5) + L" C:\\data\\a.iso", nullptr);

  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].Text, L"Do you want to exit?");
  EXPECT_EQ(calls[0].Style, 36u);
  EXPECT_EQ(calls[2].Text, L"Failed! The source file might be in use by another program.");
  EXPECT_EQ(calls[2].Style, 48u);
  EXPECT_EQ(calls[3].Style, 64u);
  EXPECT_EQ(calls[4].Text, L"Are you sure you want to split the file? C:\\data\\a.iso");
  EXPECT_EQ(calls[4].Owner, nullptr);
  EXPECT_EQ(calls[4].Style, 36u);
  for (const auto& call : calls) EXPECT_EQ(call.Title, L"Quenlor");
}

TEST_F(ResourceForm, LetsWindowsEndTheSession) {
  EXPECT_EQ(SendMessageW(frmResource->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

}  // namespace
