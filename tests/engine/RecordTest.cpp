// The integrity record: the digests, the record a split writes, how a record
// is read, and the merge's check against it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
    return merge.Outcome().Part;
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
// The system's own tools accept the record, whatever the names hold; a name
// with a backslash or a line end is escaped as sha256sum escapes it (only
// POSIX names can hold them).
TEST_F(RecordTest, SystemToolsCheckTheRecord) {
  for (const std::wstring name : {L"a b%&.bin", L"caf\u00e9 \u00fc.bin", L"\u6587\u4ef6 100%.bin", L"a\\b\nc.bin"}) {
    SCOPED_TRACE(platform::ToUtf8(name));
    WritePattern(Path(name), 3 * MiB + 11);
    ASSERT_EQ(RunSplit(Path(name), Path(name), MiB, false), wsSucceeded);
    if (name.find(L'\\') != std::wstring::npos) {
      const std::string text = ReadAll(RecordPath(Path(name)));
      EXPECT_EQ(text.substr(0, 1), "\\");
      EXPECT_NE(text.find(" *a\\\\b\\nc.bin.QuenlorSp3\n\\"), std::string::npos) << text;
      const std::string wholeLine = " *a\\\\b\\nc.bin\n";
      EXPECT_EQ(text.substr(text.size() - wholeLine.size()), wholeLine);
      EXPECT_EQ(ListSeriesOfBase(Path(name), TSeriesNaming::Quenlor).Record.State, rsValid);
    }
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

// The forms of a record line that the engine reads are those sha256sum -c
// reads: for each record, the engine's lines name the files that the tool
// checks, one for one. The tool leaves a byte-order mark in the first line,
// which editors on Windows write and the engine skips, so the tool is given
// the record without it.
TEST_F(RecordTest, EngineAndSha256sumReadTheSameLines) {
  WriteText(Path(L"p.bin"), "plain");
  WriteText(Path(L"a\\b"), "backslash");
  WriteText(Path(L"n\nl"), "line feed");
  const std::string p = DigestOf("plain"), b = DigestOf("backslash"), n = DigestOf("line feed");
  std::string P = p;
  for (char& c : P) c = static_cast<char>(std::toupper(c));
  struct Case {
    const char* Label;
    std::string Bytes;
    int Lines;  // that both read
  };
  const Case cases[] = {
      {"binary marker", p + " *p.bin\n", 1},
      {"text marker", p + "  p.bin\n", 1},
      {"upper-case digest", P + " *p.bin\n", 1},
      {"CR LF", p + " *p.bin\r\n" + b + " *a\\b\r\n", 2},
      {"byte-order mark", "\xEF\xBB\xBF" + p + " *p.bin\n", 1},
      {"blank lines, no last line end", "\n" + p + " *p.bin\n\n" + p + " *p.bin", 2},
      {"blanks before", " \t" + p + " *p.bin\n", 1},
      {"escaped names", "\\" + b + " *a\\\\b\n\\" + n + " *n\\nl\n\\" + p + " *p.bin\n", 3},
      {"unknown escape", "\\" + b + " *a\\tb\n" + p + " *p.bin\n", 1},
      {"digest too short", p.substr(1) + " *p.bin\n" + p + " *p.bin\n", 1},
      {"one blank, as BSD tools write", p + " p.bin\n" + b + " a\\b\n", 2},
      {"one blank after a marker", p + " *p.bin\n" + b + " a\\b\n", 1},
      {"a marker after one blank names a file with a star", p + " p.bin\n" + b + " *a\\b\n", 2},
      {"other text", "# checksums\n" + p + " *p.bin\n", 1},
      {"no line at all", "# checksums\n\n", 0},
  };
  const std::string folder = "cd '" + platform::ToUtf8(Folder.wstring()) + "' && ";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    WriteText(Path(L"r.sha256"), c.Bytes);
    const auto lines = ReadRecordLines(Path(L"r.sha256"));
    EXPECT_EQ(lines ? static_cast<int>(lines->size()) : 0, c.Lines);

    // The tool prints a line for each line it reads, and succeeds when each
    // names a file of the line's digest: one the engine's lines name too.
    const bool mark = c.Bytes.starts_with("\xEF\xBB\xBF");
    WriteText(Path(L"r.sha256"), c.Bytes.substr(mark ? 3 : 0));
    const int status = std::system((folder + "sha256sum -c r.sha256 >out 2>/dev/null").c_str());
    const std::string out = ReadAll(Path(L"out"));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), c.Lines) << out;
    bool named = lines.has_value();
    for (const TRecordLine& line : lines.value_or(std::vector<TRecordLine>{})) named = named && Exists(Path(line.Name));
    EXPECT_EQ(status == 0, named) << out;
  }
}
#endif

// A record whose part lines are right but whose whole-file line is not
// fails the merge on the whole file.
TEST_F(RecordTest, MergeChecksTheWholeFileLine) {
  WritePattern(Path(L"source.bin"), 5000);
  ASSERT_EQ(RunSplit(Path(L"source.bin"), Base(), 2000, false), wsSucceeded);
  std::string record = ReadAll(RecordPath(Base()));
  const std::size_t whole = record.rfind('\n', record.size() - 2) + 1;
  record[whole] = record[whole] == '0' ? '1' : '0';
  WriteText(RecordPath(Base()), record);
  EXPECT_EQ(MergeChecked(false), 3);
}

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

// A record's lines are found by name, in any order, among lines for other
// files; a record that cannot be trusted is reported as such, never taken
// as valid.
TEST_F(RecordTest, JudgesARecordByTheNamesItGives) {
  WritePattern(Path(L"source.bin.QuenlorSp0"), 10);
  WritePattern(Path(L"source.bin.QuenlorSp1"), 10);
  const std::string a(64, 'a'), c(64, 'c');
  const std::string part0 = a + " *source.bin.QuenlorSp0\n";
  const std::string part1 = std::string(64, 'B') + "  source.bin.QuenlorSp1\r\n";  // text mode, capitals, CRLF
  const std::string whole = c + " *source.bin\n";
  const std::string others = std::string(64, 'e') + " *source.bin.sh\n" + std::string(64, 'f') + "  notes.txt\n";
  struct Case {
    const char* Label;
    std::string Bytes;
    TRecordState State;
    int64_t Part = -1;
    std::string Whole = std::string(64, 'c');  // of a valid record
  };
  const Case cases[] = {
      {"as written", part0 + part1 + whole, rsValid},
      {"byte-order mark, blank lines, no last line end",
       "\xEF\xBB\xBF" + part0 + "\n\r\n" + part1 + "\n" + whole.substr(0, whole.size() - 1), rsValid},
      {"any order among other files", others + whole + part1 + part0, rsValid},
      {"escaped, with blanks before", " \t\\" + part0 + part1 + whole, rsValid},
      {"no whole-file line", part0 + part1, rsValid, -1, ""},
      {"lines of another form passed over", "# made by hand\n" + part0 + part1 + "SHA256 (x) = y\n" + whole, rsValid},
      {"cut in a part's digest", (part0 + part1 + whole).substr(0, 150), rsExtraPart, 1},
      {"a part more", part0 + part1 + std::string(64, 'd') + " *source.bin.QuenlorSp2\n" + whole, rsMissingPart, 2},
      {"a later part but not the one before", part0 + a + " *source.bin.QuenlorSp2\n" + whole, rsMissingPart, 1},
      {"a part less", part0 + whole, rsExtraPart, 1},
      {"a number spelt otherwise", part0 + a + " *source.bin.QuenlorSp01\n" + whole, rsExtraPart, 1},
      {"empty", "", rsUnreadable},
      {"blank lines only", "\n\r\n\n", rsUnreadable},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + "\n", rsUnreadable},
      {"two digests for one part", part0 + part1 + std::string(64, 'd') + " *source.bin.QuenlorSp0\n" + whole,
       rsUnreadable},
      {"short digest", std::string(63, 'a') + " *source.bin.QuenlorSp0\n" + whole, rsForeign},
      {"whole file only", whole, rsForeign},
      {"another series", a + " *other.bin.QuenlorSp0\n" + a + " *other.bin\n", rsForeign},
  };
  const auto judged = [&] { return ListSeriesOfBase(Base(), TSeriesNaming::Quenlor).Record; };
  for (const Case& c : cases) {
    WriteText(RecordPath(Base()), c.Bytes);
    const TRecord record = judged();
    EXPECT_EQ(record.State, c.State) << c.Label;
    EXPECT_EQ(record.Part, c.Part) << c.Label;
    if (record.State == rsValid) {
      EXPECT_EQ(record.PartDigests, (std::vector<std::string>{std::string(64, 'a'), std::string(64, 'b')})) << c.Label;
      EXPECT_EQ(record.WholeDigest, c.Whole) << c.Label;
    }
  }
  std::filesystem::remove(ToPath(RecordPath(Base())));
  EXPECT_EQ(judged().State, rsNone);
  std::filesystem::create_directory(ToPath(RecordPath(Base())));
  EXPECT_EQ(judged().State, rsUnreadable);
}

// Records of numbered and letter series name their parts as those series do.
TEST_F(RecordTest, FindsThePartsOfEveryNaming) {
  const std::string a(64, 'a');
  for (const TSeriesNaming naming : {TSeriesNaming::Numbered, TSeriesNaming::Letters}) {
    std::string record;
    for (const int64_t index : {0, 1, 650}) {
      const std::wstring part = SeriesPartName(Path(L"x"), index, naming);
      WritePattern(part, 1);
      record += a + " *" + platform::ToUtf8(platform::ExtractFileName(part)) + "\n";
    }
    WriteText(RecordPath(Path(L"x")), record);
    const TRecord judged = ListSeriesOfBase(Path(L"x"), naming).Record;
    EXPECT_EQ(judged.State, rsMissingPart);
    EXPECT_EQ(judged.Part, 2);
  }
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
  // Nor of the split: its parts and its script go too.
  EXPECT_FALSE(Exists(Base() + L".bat"));
  EXPECT_FALSE(Exists(PartFileName(Base(), 0)));
  EXPECT_FALSE(Exists(RecordPath(Base())));
  EXPECT_FALSE(Exists(RecordPath(Base()) + L".tmp"));
}
