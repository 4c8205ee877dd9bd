// Sizes, names, volumes and the block plan.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "Jobs.h"
#include "My_Global.h"
#include "TestFiles.h"
#include "global.h"
#include "platform/Platform.h"

using namespace testfiles;

TEST(SizeText, ChoosesTheUnitBeforeRounding) {
  EXPECT_EQ(SizeText(0), L"0 byte(s)");
  EXPECT_EQ(SizeText(1023), L"1023 byte(s)");
  EXPECT_EQ(SizeText(1024), L"1.00 KB");
  EXPECT_EQ(SizeText(1536), L"1.50 KB");
  EXPECT_EQ(SizeText(1048575), L"1024.00 KB");
  EXPECT_EQ(SizeText(1048576), L"1.00 MB");
  EXPECT_EQ(SizeText(1073741823), L"1024.00 MB");
  EXPECT_EQ(SizeText(1073741824), L"1.00 GB");
  EXPECT_EQ(SizeText(5000000000), L"4.66 GB");
  EXPECT_EQ(SizeText(-5), L"-5 byte(s)");
}

TEST(PartFileName, NumbersInDecimalFromZero) {
  EXPECT_EQ(PartFileName(L"out/movie.avi", 0), L"out/movie.avi.QuenlorSp0");
  EXPECT_EQ(PartFileName(L"out/movie.avi", 10), L"out/movie.avi.QuenlorSp10");
  EXPECT_EQ(PartFileName(L"out/movie.avi", 998), L"out/movie.avi.QuenlorSp998");
}

TEST(BlockPlan, RoundsOnlyBlocksAboveTenMiB) {
  EXPECT_EQ(RoundUpTo4K(10485760), 10485760);
  EXPECT_EQ(RoundUpTo4K(10485761), 10489856);
  EXPECT_EQ(RoundUpTo4K(5000001), 5000001);
  EXPECT_EQ(RoundUpTo4K(10489856), 10489856);
}

TEST(BlockPlan, BlockSizeForCount) {
  EXPECT_EQ(BlockSizeForCount(104857600, 3), 34955264);
  EXPECT_EQ(BlockSizeForCount(9, 4), 3);
  EXPECT_EQ(BlockSizeForCount(10, 2), 5);
  EXPECT_EQ(BlockSizeForCount(int64_t{6} << 30, 2), int64_t{3} << 30);
  EXPECT_EQ(BlockSizeForCount(100, 0), 0);
}

TEST(BlockPlan, BlockSizeForUnitIn64Bits) {
  EXPECT_EQ(BlockSizeForUnit(3000, L"MB"), 3145728000);
  EXPECT_EQ(BlockSizeForUnit(5, L"KB"), 5120);
  EXPECT_EQ(BlockSizeForUnit(5, L"byte(s)"), 5);
  EXPECT_EQ(BlockSizeForUnit(std::numeric_limits<int64_t>::max() / 2, L"MB"), std::numeric_limits<int64_t>::max());
}

// The parts a plan makes: every block, the last holding the rest.
TEST(BlockPlan, PartCountOfAPlan) {
  const struct {
    int64_t Source, Block, Parts;
  } rows[] = {{100, 60, 2}, {100, 50, 2}, {101, 51, 2}, {101, 50, 3}, {100, 30, 4},
              {int64_t{5} << 30, 1 << 20, 5120}, {100, 0, 0}, {100, 100, 1}};
  for (const auto& row : rows)
    EXPECT_EQ(PlanSplitBySize(L"s", row.Source, row.Block).PartCount, row.Parts) << row.Source << " / " << row.Block;
}

TEST(BlockPlan, UnbufferedOnlyForLargeAlignedBlocks) {
  EXPECT_EQ(ChooseUnbufferedMode(10485760), 1);
  EXPECT_EQ(ChooseUnbufferedMode(34955264), 1);
  EXPECT_EQ(ChooseUnbufferedMode(10485760 - 4096), 0);
  EXPECT_EQ(ChooseUnbufferedMode(10485761), 0);
  EXPECT_EQ(ChooseUnbufferedMode(int64_t{3} << 30), 1);
}

TEST(FileSystemKind, MatchesNamesExactly) {
  EXPECT_EQ(FileSystemKind(L"C:"), fskOther);  // no provider installed
  wchar_t asked = 0;
  SetFileSystemNameProvider([&](wchar_t letter) {
    asked = letter;
    switch (letter) {
      case L'C': return std::wstring(L"NTFS");
      case L'D': return std::wstring(L"FAT");
      case L'E': return std::wstring(L"FAT32");
      case L'F': return std::wstring(L"exFAT");
      case L'G': return std::wstring(L"fat32");
      default: return std::wstring();
    }
  });
  EXPECT_EQ(FileSystemKind(L"C:"), fskNTFS);
  EXPECT_EQ(FileSystemKind(L"D:"), fskFAT);
  EXPECT_EQ(asked, L'D');
  EXPECT_EQ(FileSystemKind(L"E:"), fskFAT32);
  EXPECT_EQ(FileSystemKind(L"F:"), fskOther);
  EXPECT_EQ(FileSystemKind(L"G:"), fskOther);
  EXPECT_EQ(FileSystemKind(L"H:"), fskOther);
  SetFileSystemNameProvider(nullptr);
  EXPECT_EQ(FileSystemKind(L"C:"), fskOther);
}

class VolumeTest : public FolderTest {
 protected:
  std::wstring Pattern() const { return Path(L"*.*"); }
};

TEST_F(VolumeTest, FileSizeOfAnswersZeroForMissingFiles) {
  WritePattern(Path(L"data.bin"), 12345);
  EXPECT_EQ(FileSizeOf(Path(L"data.bin")), 12345);
  EXPECT_EQ(FileSizeOf(Path(L"missing.bin")), 0);
  // A relative path is looked up from the working directory.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(Folder);
  EXPECT_EQ(FileSizeOf(L"data.bin"), 12345);
  std::filesystem::current_path(previous);
}

TEST_F(VolumeTest, NameIsFreeSeesEveryEntryBeginningWithTheName) {
  EXPECT_TRUE(NameIsFree(Pattern(), L"movie.avi"));
  WritePattern(Path(L"movie.av"), 1);
  EXPECT_TRUE(NameIsFree(Pattern(), L"movie.avi"));  // a shorter name does not clash

  for (const wchar_t* clash : {L"movie.avi", L"MOVIE.AVI.QuenlorSp3", L"movie.avi.bat"}) {
    WritePattern(Path(clash), 1);
    EXPECT_FALSE(NameIsFree(Pattern(), L"movie.avi")) << clash;
    std::filesystem::remove(Folder / clash);
    // A folder of that name would keep the split's own file from being made.
    std::filesystem::create_directory(Folder / clash);
    EXPECT_FALSE(NameIsFree(Pattern(), L"movie.avi")) << clash << " as a folder";
    std::filesystem::remove(Folder / clash);
  }
  WritePattern(Path(L"Apple.txt"), 1);
  EXPECT_FALSE(NameIsFree(Pattern(), L"a"));
  EXPECT_TRUE(NameIsFree(Join(Folder / L"missing", L"*.*"), L"a"));
}

TEST_F(VolumeTest, HasFreeSpaceKeepsSlack) {
#ifdef _WIN32
  const std::wstring drive = Folder.wstring().substr(0, 2);
#else
  const std::wstring drive = Folder.wstring();
#endif
  EXPECT_TRUE(HasFreeSpace(drive, 0));
  // Room only while the count and the slack stay below the free bytes. Other
  // writers move the free space: the pair is asked again until it held still.
  for (int attempt = 1;; ++attempt) {
    const int64_t free = platform::FreeBytes(drive);
    const bool below = HasFreeSpace(drive, free - 409600 - 1);
    const bool at = HasFreeSpace(drive, free - 409600);
    if (platform::FreeBytes(drive) != free && attempt < 100) continue;
    EXPECT_TRUE(below);
    EXPECT_FALSE(at);
    break;
  }
  EXPECT_FALSE(HasFreeSpace(drive, std::numeric_limits<int64_t>::max() / 2));
  EXPECT_FALSE(HasFreeSpace(Join(Folder, L"missing"), 0));
}
