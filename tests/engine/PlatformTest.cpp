// The file layer: unbuffered handles really bypass the cache natively, and
// the script encoding.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/Platform.h"

using namespace platform;
using namespace testfiles;

class Platform : public FolderTest {};

TEST_F(Platform, UnbufferedTransfersMustBeAligned) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine opens FILE_FLAG_NO_BUFFERING handles with the cache";
#else
  const std::wstring path = Path(L"direct.bin");
  AlignedBuffer buffer(2 * 4096);
  File file(path, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.WriteAt(0, buffer.Data(), 4096), 4096);
  EXPECT_EQ(file.WriteAt(0, buffer.Data(), 1000), -1);         // size
  EXPECT_EQ(file.WriteAt(100, buffer.Data(), 4096), -1);       // offset
  EXPECT_EQ(file.WriteAt(0, buffer.Data() + 1, 4096), -1);     // address
  EXPECT_EQ(file.ReadAt(0, buffer.Data() + 1, 4096), -1);
  EXPECT_EQ(file.ReadAt(0, buffer.Data(), 4096), 4096);
#endif
}

TEST_F(Platform, ExtendSizesANewFile) {
  const std::wstring path = Path(L"sized.bin");
  {
    File file(path, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered);
    ASSERT_TRUE(file.Extend(int64_t{5} << 30));
  }
  EXPECT_EQ(SizeOf(path), int64_t{5} << 30);
}

TEST_F(Platform, ScriptEncoding) {
#ifdef _WIN32
  // The OEM code page of the test machine (437 or 850) has e-acute at 0x82.
  EXPECT_EQ(ToScriptEncoding(L"caf\u00e9"), "caf\x82");
  // A letter that the code page lacks has no best fit or default
  // character: the text has no encoding.
  EXPECT_EQ(ToScriptEncoding(L"a\uff02b"), std::nullopt);
  EXPECT_EQ(ToScriptEncoding(L"\u65e5\u672c"), std::nullopt);
#else
  // The code page of the machine that runs the script is unknown here.
  EXPECT_EQ(ToScriptEncoding(L"plain 100%.bin"), "plain 100%.bin");
  EXPECT_EQ(ToScriptEncoding(L"caf\u00e9"), std::nullopt);
  EXPECT_EQ(ToScriptEncoding(L"\U0001F600"), std::nullopt);
#endif
}
