// The integrity record: the digests, the record a split writes, how a record
// is read, and the merge's check against it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Digests.h"
#include "Merge_thread.h"
#include "Record.h"
#include "Series.h"
#include "Split_thread.h"
#include "global.h"
#include "TestFiles.h"
#include "platform/Sha256.h"

using namespace testfiles;

namespace {

constexpr int64_t MiB = 1 << 20;

std::string DigestOf(const std::string& bytes) {
  platform::Sha256 digest;
  digest.Update(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size());
  return digest.HexDigest();
}

class RecordTest : public FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    ResetJobState();
  }
  std::wstring Base() const { return Path(L"source.bin"); }

  // Merges the series of Base with its record; answers the mismatch the
  // worker reported, or -2 when the merge succeeded.
  int64_t MergeChecked(bool unbuffered) {
    const TSeries series = ListSeriesOfBase(Base(), TSeriesNaming::Quenlor);
    EXPECT_EQ(series.Record.State, rsValid);
    std::vector<std::wstring> names, sizes;
    for (const TSeriesPart& part : series.Parts) {
      names.push_back(part.Path);
      sizes.push_back(std::to_wstring(part.Size));
    }
    UnbufferedMode = unbuffered ? 1 : 0;
    MergeThread merge(Path(L"merged.bin"), names, sizes, series.TotalSize, nullptr, series.Record);
    merge.WaitFor();
    if (WorkerState == wsSucceeded) return -2;
    EXPECT_EQ(WorkerState, wsFailed);
    return merge.RecordMismatch();
  }
};

}  // namespace

TEST(Sha256, KnownDigestsInAnyPiecesAndOneAfterAnother) {
  platform::Sha256 digest;
  EXPECT_EQ(digest.HexDigest(), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  digest.Update(reinterpret_cast<const std::byte*>("abc"), 3);
  EXPECT_EQ(digest.HexDigest(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string million(1000000, 'a');
  for (std::size_t at = 0, piece = 1; at < million.size(); at += piece, piece = piece * 3 + 1)
    digest.Update(reinterpret_cast<const std::byte*>(million.data() + at), std::min(piece, million.size() - at));
  EXPECT_EQ(digest.HexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Buffers handed in many small pieces and across part ends give the digests
// of each part and of all the bytes, on either buffer set.
TEST(Digests, PartsAndWholeOfTheBytesHanded) {
  for (const bool unbuffered : {false, true}) {
    TDigests digests(unbuffered);
    std::string whole;
    std::vector<std::string> parts;
    for (int part = 0; part < 5; ++part) {
      std::string bytes;
      for (int piece = 0; piece < 3 + part * 7; ++piece) {
        std::byte* buffer = digests.Take();
        const std::size_t count = 1 + (piece * 977 + part) % 4096;
        for (std::size_t i = 0; i < count; ++i) buffer[i] = std::byte(i * 31 + piece + part);
        bytes.append(reinterpret_cast<const char*>(buffer), count);
        digests.Hand(buffer, static_cast<int64_t>(count));
      }
      digests.Hand(digests.Take(), 0);  // a buffer given back unused adds nothing
      digests.EndPart();
      parts.push_back(DigestOf(bytes));
      whole += bytes;
    }
    const TJobDigests result = digests.Finish();
    EXPECT_TRUE(result.Computed);
    EXPECT_EQ(result.Parts, parts);
    EXPECT_EQ(result.Whole, DigestOf(whole));
  }
}

// Both targets write these bytes for this source and plan; the digests are
// those of sha256sum.
TEST_F(RecordTest, SplitWritesTheSameRecordOnEveryTarget) {
  for (const bool unbuffered : {false, true}) {
    WritePattern(Path(L"source.bin"), 5000);
    ASSERT_EQ(RunSplit(Path(L"source.bin"), Base(), 2000, unbuffered), wsSucceeded);
    EXPECT_EQ(ReadAll(RecordPath(Base())),
              "99f32aa1c3a975de13e4919d2e3f0d40c31d9c445d1239d9f37345dfde1532ca *source.bin.QuenlorSp0\n"
              "d53c09bafc9ddfa8631eb0cf0dea0e3b5e7332ffa2a01fe03f826f54963c2019 *source.bin.QuenlorSp1\n"
              "7d4d4348de831f7a4619e733f37c3bed60b18c6ca5347d8e235e91f978a92320 *source.bin.QuenlorSp2\n"
              "436f3bd546335d0310dc447b3029f740ca7386ebebdf93772a84346a178c4917 *source.bin\n");
    EXPECT_FALSE(Exists(RecordPath(Base()) + L".tmp"));
    for (const std::wstring& part : Series(Base())) std::filesystem::remove(ToPath(part));
  }
}

#ifndef _WIN32
// The system's own tools accept the record, whatever the names hold.
TEST_F(RecordTest, SystemToolsCheckTheRecord) {
  for (const std::wstring name : {L"a b%&.bin", L"caf\u00e9 \u00fc.bin", L"\u6587\u4ef6 100%.bin"}) {
    SCOPED_TRACE(platform::ToUtf8(name));
    WritePattern(Path(name), 3 * MiB + 11);
    ASSERT_EQ(RunSplit(Path(name), Path(name), MiB, false), wsSucceeded);
    std::filesystem::rename(ToPath(Path(name)), ToPath(Path(L"moved")));
    const std::string record = "'" + platform::ToUtf8(name) + ".sha256'";
    const std::string folder = "cd '" + platform::ToUtf8(Folder.wstring()) + "' && ";
    // Only the whole-file line fails while the source is away, and it checks
    // once the joined file is there.
    EXPECT_NE(std::system((folder + "sha256sum -c --quiet " + record + " >/dev/null 2>&1").c_str()), 0);
    EXPECT_EQ(std::system((folder + "sha256sum -c --quiet --ignore-missing " + record).c_str()), 0);
    std::filesystem::rename(ToPath(Path(L"moved")), ToPath(Path(name)));
    EXPECT_EQ(std::system((folder + "sha256sum -c --quiet " + record).c_str()), 0);
    EXPECT_EQ(std::system((folder + "shasum -a 256 -c --quiet " + record).c_str()), 0);
  }
}
#endif

// A changed, cut or missing part fails the merge and names the part; an
// intact series merges; on both copy paths.
TEST_F(RecordTest, MergeChecksEveryPartAndTheOutput) {
  struct Case {
    const char* Label;
    int Part;        // the part changed
    int64_t Offset;  // where one byte flips; -1 cuts the part by one byte
    int64_t Mismatch;
  };
  const Case cases[] = {{"intact", 0, 0, -2},       {"first part", 0, 0, 0},      {"middle part", 1, 5 * MiB, 1},
                        {"last part", 3, 1, 3},     {"last byte", 3, 4095, 3},   {"cut middle part", 2, -1, 2}};
  for (const bool unbuffered : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.Label) + (unbuffered ? " unbuffered" : " buffered"));
      ResetJobState();
      WritePattern(Path(L"source.bin"), 30 * MiB + 4096);
      ASSERT_EQ(RunSplit(Path(L"source.bin"), Base(), 10 * MiB, unbuffered), wsSucceeded);
      const std::wstring part = PartFileName(Base(), c.Part);
      if (c.Offset >= 0 && c.Mismatch >= 0) {
        std::string byte = ReadAll(part).substr(static_cast<std::size_t>(c.Offset), 1);
        byte[0] = static_cast<char>(byte[0] ^ 1);
        platform::File(part, platform::Access::Write, platform::Share::None, platform::Creation::OpenExisting,
                       platform::Caching::Normal)
            .WriteFullyAt(c.Offset, byte.data(), 1);
      }
      if (c.Offset < 0) std::filesystem::resize_file(ToPath(part), SizeOf(part) - 1);
      EXPECT_EQ(MergeChecked(unbuffered), c.Mismatch);
      if (c.Mismatch == -2) {
        EXPECT_TRUE(SameContent(Path(L"source.bin"), Path(L"merged.bin")));
      }
      std::filesystem::remove(ToPath(Path(L"merged.bin")));
    }
  }
}

// A record that cannot be trusted is reported as such, never taken as valid.
TEST_F(RecordTest, ReadsOnlyARecordOfTheSeries) {
  WritePattern(Path(L"source.bin.QuenlorSp0"), 10);
  WritePattern(Path(L"source.bin.QuenlorSp1"), 10);
  const std::string part0 = std::string(64, 'a') + " *source.bin.QuenlorSp0\n";
  const std::string part1 = std::string(64, 'B') + "  source.bin.QuenlorSp1\r\n";  // text mode, capitals, CRLF
  const std::string whole = std::string(64, 'c') + " *source.bin\n";
  struct Case {
    const char* Label;
    std::string Bytes;
    TRecordState State;
    int64_t Part = -1;
  };
  const Case cases[] = {
      {"valid", part0 + part1 + whole, rsValid},
      {"cut", (part0 + part1 + whole).substr(0, 150), rsUnreadable},
      {"no last line end", part0 + whole.substr(0, whole.size() - 1), rsUnreadable},
      {"empty", "", rsUnreadable},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + "\n", rsUnreadable},
      {"short digest", std::string(63, 'a') + " *source.bin.QuenlorSp0\n" + whole, rsUnreadable},
      {"whole file only", whole, rsUnreadable},
      {"another series", std::string(64, 'a') + " *other.bin.QuenlorSp0\n" + whole, rsForeign},
      {"parts out of order", part1 + part0 + whole, rsForeign},
      {"another whole file", part0 + std::string(64, 'c') + " *other.bin\n", rsForeign},
      {"a part more", part0 + part1 + std::string(64, 'd') + " *source.bin.QuenlorSp2\n" + whole, rsMissingPart, 2},
      {"a part less", part0 + whole, rsExtraPart, 1},
  };
  const auto judged = [&] { return ListSeriesOfBase(Base(), TSeriesNaming::Quenlor).Record; };
  for (const Case& c : cases) {
    WriteText(RecordPath(Base()), c.Bytes);
    const TRecord record = judged();
    EXPECT_EQ(record.State, c.State) << c.Label;
    EXPECT_EQ(record.Part, c.Part) << c.Label;
    if (record.State == rsValid) {
      EXPECT_EQ(record.PartDigests, (std::vector<std::string>{std::string(64, 'a'), std::string(64, 'b')}));
      EXPECT_EQ(record.WholeDigest, std::string(64, 'c'));
    }
  }
  std::filesystem::remove(ToPath(RecordPath(Base())));
  EXPECT_EQ(judged().State, rsNone);
  std::filesystem::create_directory(ToPath(RecordPath(Base())));
  EXPECT_EQ(judged().State, rsUnreadable);
}

// The disk filling up while the record is written fails the job as a
// script that cannot be written does, and leaves no piece of the record.
TEST_F(RecordTest, FullDiskLeavesNoPieceOfTheRecord) {
  WritePattern(Path(L"source.bin"), 1000);
  ASSERT_EQ(RunSplit(Path(L"source.bin"), Base(), 300, false), wsSucceeded);
  const int64_t scriptSize = SizeOf(Base() + L".bat") + SizeOf(Base() + L".sh");
  std::filesystem::remove(ToPath(RecordPath(Base())));
  ResetJobState();
  {
    FullDiskAfter full(1000 + scriptSize + 100);
    UnbufferedMode = 0;
    Splitthread split(Path(L"source.bin"), Base(), 1000, 300, nullptr);
    split.WaitFor();
  }
  EXPECT_EQ(WorkerState, wsFailed);
  EXPECT_TRUE(Exists(Base() + L".bat"));
  EXPECT_FALSE(Exists(RecordPath(Base())));
  EXPECT_FALSE(Exists(RecordPath(Base()) + L".tmp"));
}
