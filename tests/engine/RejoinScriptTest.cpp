// The rejoin scripts: the batch script's exact bytes, the same on every
// target, how it spells names, long scripts in several lines, and (under
// Windows) that the command interpreter really joins the parts byte for
// byte wherever it is started. tests/cli runs the shell script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "My_Global.h"
#include "RejoinScript.h"
#include "Split_thread.h"
#include "TestFiles.h"
#include "platform/Platform.h"
#include "platform/Sha256.h"
#include "global.h"

using namespace testfiles;
namespace fs = std::filesystem;

namespace {

const std::string BesideParts = "if /i \"%CD%\"==\"%SystemRoot%\" (";

// The line that joins the quoted sources into destination, beside the parts
// when the interpreter runs in the Windows folder.
std::string Line(const std::string& sources, const std::string& destination) {
  return BesideParts + "copy/b " + sources + " \"%~dp0" + destination + "\") else copy/b " + sources + " \"" +
         destination + "\"\r\n";
}

// "%~dp0<name>.QuenlorSp<i>" quoted, for parts first to last, joined by "+".
std::string Sources(const std::string& name, int first, int last) {
  std::string sources;
  for (int i = first; i <= last; ++i)
    sources += (i > first ? "+\"%~dp0" : "\"%~dp0") + name + ".QuenlorSp" + std::to_string(i) + '"';
  return sources;
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

// The script holds no folder: every target writes these bytes for these
// names, wherever the parts lie.
TEST_F(RejoinScript, SameBytesOnEveryTargetAndInEveryFolder) {
  const std::wstring base = Path(L"movie.avi");
  ASSERT_TRUE(WriteRejoinScript(Join(Folder / L"elsewhere", L"movie.avi"), base, Parts(base, 3)));
  EXPECT_EQ(ReadAll(base + L".bat"),
            "if /i \"%CD%\"==\"%SystemRoot%\" (copy/b \"%~dp0movie.avi.QuenlorSp0\"+\"%~dp0movie.avi.QuenlorSp1\"+"
            "\"%~dp0movie.avi.QuenlorSp2\" \"%~dp0movie.avi\") else copy/b \"%~dp0movie.avi.QuenlorSp0\"+"
            "\"%~dp0movie.avi.QuenlorSp1\"+\"%~dp0movie.avi.QuenlorSp2\" \"movie.avi\"\r\n");

  fs::create_directory(Folder / L"deeper");
  const std::wstring moved = Join(Folder / L"deeper", L"movie.avi");
  ASSERT_TRUE(WriteRejoinScript(moved, moved, Parts(moved, 1)));
  EXPECT_EQ(ReadAll(moved + L".bat"), Line("\"%~dp0movie.avi.QuenlorSp0\"", "movie.avi"));
}

TEST_F(RejoinScript, ListsPartsInNumberOrderAfterASplit) {
  WritePattern(Path(L"my movie.avi"), 12);
  ASSERT_EQ(RunSplit(Path(L"my movie.avi"), Path(L"my movie.avi"), 1, false), wsSucceeded);
  EXPECT_EQ(ReadAll(Path(L"my movie.avi.bat")), Line(Sources("my movie.avi", 0, 11), "my movie.avi"));
  EXPECT_TRUE(Exists(Path(L"my movie.avi.sh")));
}

// A name is written literally where the script can spell it ("%" doubled),
// otherwise as the script's own name: always for letters beyond ASCII when
// the script is made natively (the code page of the machine that runs it is
// unknown), and for characters no Windows name holds, which could end the
// quotes or the line.
TEST_F(RejoinScript, SpellsEachNameSoThatItStaysOneArgument) {
  struct Case {
    std::wstring Name;
    std::string Spelt;
  };
  std::vector<Case> cases = {
      {L"50% off %PATH% %1 %~dp0.bin", "50%% off %%PATH%% %%1 %%~dp0.bin"},
      {L"a\uff02 & calc \uff02.bin", "%~n0"},  // look-alike quotes never become quotes
#ifdef _WIN32
      {L"caf\u00e9.bin", "caf\x82.bin"},  // the OEM code page of the test machine has e-acute
#else
      {L"caf\u00e9.bin", "%~n0"},
      {L"a\"b.bin", "%~n0"},
      {L"a\r\ncalc.bin", "%~n0"},
      {L"a*.bin", "%~n0"},
      {L"a:b.bin", "%~n0"},
#endif
  };
  for (const Case& c : cases) {
    const std::wstring base = Path(c.Name);
    ASSERT_TRUE(WriteRejoinScript(base, base, Parts(base, 2))) << c.Spelt;
    EXPECT_EQ(ReadAll(base + L".bat"), Line(Sources(c.Spelt, 0, 1), c.Spelt)) << c.Spelt;
  }
}

// Every line stays below the interpreter's limit once expanded, with the
// parts in the deepest folder that can hold them and the current and the
// Windows folder as long as a path gets; later lines append to the file.
TEST_F(RejoinScript, LongScriptsAppendLineByLine) {
  const std::wstring base = Path(L"movie.avi");
  const auto parts = Parts(base, 999);
  ASSERT_TRUE(WriteRejoinScript(base, base, parts));
  const auto lines = Lines(ReadAll(base + L".bat"));
  ASSERT_GT(lines.size(), 1u);

  const std::string deepest(MaxPathLength - 1 - std::string("movie.avi.QuenlorSp998").size(), 'd');
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string expanded = lines[i];
    for (const auto& [form, path] : {std::pair<std::string, std::string>{"%~dp0", deepest},
                                     {"%CD%", std::string(MaxPathLength - 1, 'c')},
                                     {"%SystemRoot%", std::string(MaxPathLength - 1, 'w')}})
      for (std::size_t at; (at = expanded.find(form)) != std::string::npos;) expanded.replace(at, form.size(), path);
    EXPECT_LT(expanded.size(), 8191u);

    // Both branches copy the same sources; after the first line they begin
    // with the file being joined.
    const std::size_t split = lines[i].find(") else copy/b ");
    ASSERT_NE(split, std::string::npos);
    std::string sources = lines[i].substr(split + 14), appends;
    ASSERT_EQ(sources.substr(sources.size() - 12), " \"movie.avi\"");
    sources.resize(sources.size() - 12);
    if (i > 0) {
      ASSERT_EQ(sources.compare(0, 12, "\"movie.avi\"+"), 0) << sources.substr(0, 40);
      sources.erase(0, 12);
      appends = "\"%~dp0movie.avi\"+";
    }
    ASSERT_EQ(lines[i].substr(0, split), BesideParts + "copy/b " + appends + sources + " \"%~dp0movie.avi\"");
    std::istringstream items(sources);
    for (std::string item; std::getline(items, item, '+');) listed.push_back(item);
  }
  ASSERT_EQ(listed.size(), parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i)
    EXPECT_EQ(listed[i], "\"%~dp0movie.avi.QuenlorSp" + std::to_string(i) + '"');
}

// A split replaces the scripts of an earlier one; a script that cannot be
// written leaves neither.
TEST_F(RejoinScript, ReplacedOrWhollyAbsent) {
  const std::wstring base = Path(L"s.bin");
  WriteText(base + L".sh", "old");
  WriteText(base + L".bat", "old");
  ASSERT_TRUE(ClearRejoinScripts(base));
  EXPECT_FALSE(Exists(base + L".sh"));
  EXPECT_FALSE(Exists(base + L".bat"));
  {
    WritesFailAfter batchOnly(1);
    EXPECT_FALSE(WriteRejoinScript(base, base, Parts(base, 2)));
  }
  EXPECT_FALSE(Exists(base + L".bat"));
  EXPECT_FALSE(Exists(base + L".sh"));
}

#ifdef _WIN32

struct RunCase {
  const char* Label;
  std::wstring Folder;  // holds the folder of the parts, whose padding makes their paths as long as a split allows
  std::wstring Name;
  int64_t Block;  // of a 2,997-byte source: 3 bytes give 999 parts and a script of several lines
  bool InWindowsFolder = false;  // started there, as a script on a network folder is
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.Label; }

// Splits a source, moves the parts' folder, runs the script with the
// command interpreter from another folder, as a user starts it, and
// compares what it joined with the source: in that folder, or beside the
// parts when that is the Windows folder.
class RejoinScriptRun : public RejoinScript, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RejoinScriptRun, JoinsByteForByteWhereverItLies) {
  const std::wstring name = GetParam().Name;
  const int lastPart = static_cast<int>((999 * 3 - 1) / GetParam().Block);
  fs::create_directories(Folder / GetParam().Folder);
  const fs::path written =
      PaddedFolder(Folder / GetParam().Folder, TemporaryName(PartFileName(name, lastPart)), MaxPathLength - 1);
  const std::wstring source = Path(name);
  WritePattern(source, 999 * 3);
  ASSERT_EQ(RunSplit(source, Join(written, name), GetParam().Block, false), wsSucceeded);
  const fs::path partsFolder = written.parent_path() / (L"m" + written.filename().wstring().substr(1));
  fs::rename(written, partsFolder);

  std::wstring script = Join(partsFolder, name + L".bat");
  // The command line of cmd /c expands "%": a script whose path holds one
  // is called from a script that doubles it.
  if (script.find(L'%') != std::wstring::npos) {
    std::wstring doubled;
    for (wchar_t c : script) doubled += c == L'%' ? L"%%" : std::wstring(1, c);
    const auto caller = platform::ToScriptEncoding(L"@call \"" + doubled + L"\"\r\n");
    ASSERT_TRUE(caller);
    WriteText(Path(L"caller.bat"), *caller);
    script = Path(L"caller.bat");
  }
  const fs::path runFolder = GetParam().InWindowsFolder ? fs::path(_wgetenv(L"SystemRoot")) : Folder / L"run";
  fs::create_directories(runFolder);
  const std::wstring joined = Join(GetParam().InWindowsFolder ? partsFolder : runFolder, name);

  const fs::path previous = fs::current_path();
  fs::current_path(runFolder);
  const int status = _wsystem((L"call \"" + script + L"\" >NUL").c_str());
  fs::current_path(previous);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(SameContent(source, joined));
  if (GetParam().InWindowsFolder) EXPECT_FALSE(Exists(Join(runFolder, name)));
  // The record's whole-file line holds the digest of what the script joined.
  const std::string record = ReadAll(Join(partsFolder, name + L".sha256"));
  const std::string bytes = ReadAll(joined);
  platform::Sha256 digest;
  digest.Update(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size());
  EXPECT_EQ(record.substr(record.rfind('\n', record.size() - 2) + 1),
            digest.HexDigest() + " *" + platform::ToUtf8(name) + "\n");
}

// Names beyond the console's code page (under Wine, 437) in the file and in
// the folder. Wine's command interpreter expands "%" again in the text that
// the script's own path yields, which Windows does not: no case joins "%"
// with such a letter in one name, or puts "%" in the folder.
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
                              L"\u65e5\u672c\u8a9e.bin", 3},
                      RunCase{"PlainInWindowsFolder", L"", L"plain (1) & more.bin", 409, true},
                      RunCase{"ManyLinesCjkInWindowsFolder", L"\u041f\u0430\u043f\u043a\u0430",
                              L"\u65e5\u672c\u8a9e (1).bin", 3, true}),
    [](const auto& info) { return std::string(info.param.Label); });

#endif
