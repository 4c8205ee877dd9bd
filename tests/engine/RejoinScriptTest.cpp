// The rejoin script: its exact bytes, the escaping of "%", look-alike
// characters, long scripts in several lines, and (under Windows) that the
// command interpreter really joins the parts byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "My_Global.h"
#include "Split_thread.h"
#include "TestFiles.h"
#include "platform/Platform.h"
#include "platform/Sha256.h"
#include "global.h"

using namespace testfiles;
namespace fs = std::filesystem;

namespace {

const char Separator = static_cast<char>(fs::path::preferred_separator);

// The test folders have ASCII paths, which every script encoding keeps.
std::string Ascii(const std::wstring& text) {
  EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; }));
  return std::string(text.begin(), text.end());
}

std::string Quoted(const std::wstring& path) {
  std::string quoted = "\"";
  quoted += Ascii(path);
  quoted += '"';
  return quoted;
}

std::vector<std::string> Lines(const std::string& script) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = script.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(script.substr(start, end - start));
  EXPECT_EQ(start, script.size()) << "every line ends with CR LF";
  return lines;
}

class RejoinScript : public FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    ResetJobState();
  }
  std::vector<std::wstring> Parts(const std::wstring& base, int count) const {
    std::vector<std::wstring> parts;
    for (int i = 0; i < count; ++i) parts.push_back(PartFileName(base, i));
    return parts;
  }
};

}  // namespace

TEST_F(RejoinScript, IsOneLineOfQuotedPartsAndTheSourceName) {
  const std::wstring base = Path(L"movie.avi");
  const auto parts = Parts(base, 3);
  WriteRejoinScript(Join(Folder / L"elsewhere", L"movie.avi"), base, parts);
  EXPECT_EQ(ReadAll(base + L".bat"),
            "copy/b " + Quoted(parts[0]) + '+' + Quoted(parts[1]) + '+' + Quoted(parts[2]) + " \"movie.avi\"\r\n");

  WriteRejoinScript(Path(L"movie.avi"), base, Parts(base, 1));
  EXPECT_EQ(ReadAll(base + L".bat"), "copy/b " + Quoted(parts[0]) + " \"movie.avi\"\r\n");
}

TEST_F(RejoinScript, ListsPartsInNumberOrderAfterASplit) {
  WritePattern(Path(L"my movie.avi"), 12);
  ASSERT_EQ(RunSplit(Path(L"my movie.avi"), Path(L"my movie.avi"), 1, false), wsSucceeded);
  std::string expected = "copy/b ";
  for (const auto& part : Parts(Path(L"my movie.avi"), 12)) expected += Quoted(part) + '+';
  expected.back() = ' ';
  EXPECT_EQ(ReadAll(Path(L"my movie.avi.bat")), expected + "\"my movie.avi\"\r\n");
}

TEST_F(RejoinScript, DoublesEveryPercentSign) {
  const std::wstring name = L"50% off %PATH% %1 %~dp0.bin";
  fs::create_directory(Folder / L"100%");
  const std::wstring base = Join(Folder / L"100%", name);
  WriteRejoinScript(Path(name), base, Parts(base, 1));
  const std::string folder = Ascii(Folder.wstring()) + Separator + "100%%" + Separator;
  EXPECT_EQ(ReadAll(base + L".bat"), "copy/b \"" + folder + "50%% off %%PATH%% %%1 %%~dp0.bin.QuenlorSp0\" " +
                                         "\"50%% off %%PATH%% %%1 %%~dp0.bin\"\r\n");
}

TEST_F(RejoinScript, LookAlikeQuotesNeverBecomeQuotes) {
  const std::wstring base = Path(L"a\uff02 & calc \uff02.bin");
  WriteRejoinScript(base, base, Parts(base, 2));
  const std::string script = ReadAll(base + L".bat");
  EXPECT_EQ(std::count(script.begin(), script.end(), '"'), 6);
}

TEST_F(RejoinScript, LongScriptsAppendLineByLine) {
  const std::wstring base = Join(PaddedFolder(Folder, TemporaryName(L"movie.avi.QuenlorSp998"), MaxPathLength - 1), L"movie.avi");
  const auto parts = Parts(base, 999);
  WriteRejoinScript(Path(L"movie.avi"), base, parts);
  const auto lines = Lines(ReadAll(base + L".bat"));
  ASSERT_GT(lines.size(), 1u);

  std::vector<std::string> listed;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    EXPECT_LE(line.size(), 8000u);
    const std::string head = i == 0 ? "copy/b " : "copy/b \"movie.avi\"+";
    const std::string tail = " \"movie.avi\"";
    ASSERT_EQ(line.compare(0, head.size(), head), 0) << line.substr(0, 40);
    ASSERT_EQ(line.compare(line.size() - tail.size(), tail.size(), tail), 0);
    std::istringstream sources(line.substr(head.size(), line.size() - head.size() - tail.size()));
    for (std::string item; std::getline(sources, item, '+');) listed.push_back(item);
  }
  ASSERT_EQ(listed.size(), parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) EXPECT_EQ(listed[i], Quoted(parts[i]));
}

#ifdef _WIN32

struct RunCase {
  const char* Label;
  std::wstring Folder;  // holds the folder of the parts, whose padding makes their paths as long as a split allows
  std::wstring Name;
  int64_t Block;  // of a 2,997-byte source: 3 bytes give 999 parts and a script of several lines
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.Label; }

// Splits a source, runs the script with the command interpreter from a
// folder of its own, as a user starts it, and compares what it joined with
// the source.
class RejoinScriptRun : public RejoinScript, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RejoinScriptRun, JoinsByteForByte) {
  const std::wstring name = GetParam().Name;
  const int lastPart = static_cast<int>((999 * 3 - 1) / GetParam().Block);
  fs::create_directories(Folder / GetParam().Folder);
  const fs::path partsFolder = PaddedFolder(Folder / GetParam().Folder, TemporaryName(PartFileName(name, lastPart)), MaxPathLength - 1);
  const fs::path runFolder = Folder / L"run";
  fs::create_directories(runFolder);
  const std::wstring source = Path(name);
  WritePattern(source, 999 * 3);
  ASSERT_EQ(RunSplit(source, Join(partsFolder, name), GetParam().Block, false), wsSucceeded);
  std::wstring script = Join(partsFolder, name + L".bat");
  // The command line of cmd /c expands "%": a script whose path holds one
  // runs from a copy (such a script names its parts in full).
  if (script.find(L'%') != std::wstring::npos) {
    fs::copy_file(script, runFolder / L"join.bat");
    script = L"join.bat";
  }

  const fs::path previous = fs::current_path();
  fs::current_path(runFolder);
  const int status = _wsystem((L"call \"" + script + L"\" >NUL").c_str());
  fs::current_path(previous);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(SameContent(source, Join(runFolder, name)));
  // The record's whole-file line holds the digest of what the script joined.
  const std::string record = ReadAll(Join(partsFolder, name + L".sha256"));
  const std::string joined = ReadAll(Join(runFolder, name));
  platform::Sha256 digest;
  digest.Update(reinterpret_cast<const std::byte*>(joined.data()), joined.size());
  EXPECT_EQ(record.substr(record.rfind('\n', record.size() - 2) + 1),
            digest.HexDigest() + " *" + platform::ToUtf8(name) + "\n");
}

// Names beyond the console's code page (under Wine, 437) in the file and in
// the folder. Wine's command interpreter expands "%" again in the text that
// the script's own path yields, which Windows does not: no case joins "%"
// with such a letter in one name.
INSTANTIATE_TEST_SUITE_P(
    Names, RejoinScriptRun,
    ::testing::Values(RunCase{"Plain", L"", L"plain.bin", 409},
                      RunCase{"PercentAndAccent", L"", L"50% off %PATH% %1 & caf\u00e9.bin", 409},
                      RunCase{"ManyLines", L"", L"long, 100% & caf\u00e9.bin", 3},
                      RunCase{"LookAlikeQuotes", L"", L"a\uff02 & calc \uff02.bin", 409},
                      RunCase{"CjkFile", L"", L"\u65e5\u672c\u8a9e & caf\u00e9.bin", 409},
                      RunCase{"CyrillicFolder", L"\u041f\u0430\u043f\u043a\u0430", L"plain.bin", 409},
                      RunCase{"EmojiFileAndFolder", L"\U0001F4C1 a&b", L"photo \U0001F600.jpg", 409},
                      RunCase{"Greek", L"\u0388\u03b3\u03b3\u03c1\u03b1\u03c6\u03b1",
                              L"\u03b1\u03c1\u03c7\u03b5\u03af\u03bf.bin", 409},
                      RunCase{"ManyLinesCjkInCyrillic", L"\u041f\u0430\u043f\u043a\u0430",
                              L"\u65e5\u672c\u8a9e.bin", 3}),
    [](const auto& info) { return std::string(info.param.Label); });

#endif
