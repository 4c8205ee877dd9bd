// The resource form's message table, placeholder filling and how messages are shown.
#include "app/frmRes.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"

#include <gtest/gtest.h>

namespace {

class ResourceForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override { mobrel_double::Reset(); }
};

TEST_F(ResourceForm, HoldsEveryMessageUnderItsLabelName) {
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
  EXPECT_EQ(MessageText(36), L"");
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

// The box style of each message: warning 48, information 64, question 36;
// 0 where no operation shows the message in a box.
constexpr uint32_t kStyles[TfrmResource::MessageCount + 1] = {0,
    48, 48, 36, 36, 36, 0,  36, 48, 48, 48,   //  1 to 10
    0,  48, 48, 0,  48, 36, 48, 48, 64, 0,    // 11 to 20
    0,  0,  64, 0,  48, 48, 0,  0,  48, 48,   // 21 to 30
    48, 48, 36, 36, 48};                      // 31 to 35

TEST_F(ResourceForm, ShowsEveryMessageThroughTheLibraryOwnedByTheMainWindowInItsStyle) {
  HWND main = Application->MainForm()->Handle();
  ASSERT_NE(main, nullptr);
  for (int n = 1; n <= TfrmResource::MessageCount; ++n) ShowMessageNumber(n);
  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), static_cast<size_t>(TfrmResource::MessageCount));
  for (int n = 1; n <= TfrmResource::MessageCount; ++n) {
    SCOPED_TRACE("message " + std::to_string(n));
    const auto& call = calls[n - 1];
    EXPECT_EQ(call.Text, MessageText(n));
    EXPECT_EQ(call.Title, L"Quenlor");
    EXPECT_EQ(call.Owner, main);
    if (kStyles[n] != 0) {
      EXPECT_EQ(call.Style, kStyles[n]);
    }
  }

  // Only 6 answers Yes; the split confirmation alone has no owner.
  mobrel_double::Reset();
  mobrel_double::Get().Answers = {IDYES, IDNO, IDOK};
  EXPECT_TRUE(AskYes(4));
  EXPECT_FALSE(AskYes(3));
  EXPECT_FALSE(AskYes(7));
  ShowMessageText(5, MessageText(5) + L" C:\\data\\a.iso", nullptr);
  calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[3].Text, L"Are you sure you want to split the file? C:\\data\\a.iso");
  EXPECT_EQ(calls[3].Owner, nullptr);
  EXPECT_EQ(calls[3].Style, 36u);
}

TEST_F(ResourceForm, LetsWindowsEndTheSession) {
  EXPECT_EQ(SendMessageW(frmResource->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

}  // namespace
