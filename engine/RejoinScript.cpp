#include "RejoinScript.h"

#include <algorithm>
#include <cwchar>
#include <optional>

#include "Record.h"
#include "global.h"
#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

namespace {

// ---------------------------------------------------------------- batch script

// The command interpreter cuts lines at 8,191 characters, counted after it
// has expanded them; longer scripts are written as several lines that stay
// below this.
constexpr std::size_t ScriptLineLimit = 8000;

// Every "%" doubled, so that the command interpreter reads it literally
// instead of expanding a variable.
std::wstring Escaped(const std::wstring& text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    escaped += c;
    if (c == L'%') escaped += L'%';
  }
  return escaped;
}

// Whether the script can spell a name literally: the script's encoding has
// every letter, and none is one that Windows keeps out of file names. Such a
// name, made on another system, could end the quotes or the line, or be
// taken as a pattern.
bool Spells(const std::wstring& name) {
  return platform::ToScriptEncoding(name).has_value() &&
         std::none_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x20 || std::wcschr(L"\"*:<>?\\|", c); });
}

// How the script spells the parts' common name and the file it joins:
// literally where it can, otherwise through the script's own name ("%~n0",
// its name without ".bat", is the parts' name). A destination named apart from the parts that the encoding cannot
// spell leaves no form. The parts' folder is always the script's own,
// "%~dp0", so that the script works wherever its folder goes.
struct TScriptNames {
  std::wstring Name, Destination;
};

std::optional<TScriptNames> ScriptNames(const std::wstring& SourcePath, const std::wstring& OutputBase) {
  const std::wstring name = platform::ExtractFileName(OutputBase);
  const std::wstring destination = platform::ExtractFileName(SourcePath);
  TScriptNames spelt{Spells(name) ? Escaped(name) : L"%~n0", L""};
  if (destination == name)
    spelt.Destination = spelt.Name;
  else if (Spells(destination))
    spelt.Destination = Escaped(destination);
  else
    return std::nullopt;
  return spelt;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// One line: the sources appended to the destination. A script started from
// a network folder runs in the Windows folder, where no file belongs: there
// the destination is beside the parts, elsewhere in the current folder.
std::wstring ScriptLine(const std::wstring& sources, const std::wstring& besideParts, const std::wstring& inCurrent,
                        bool appends) {
  const auto copy = [&](const std::wstring& to) {
    return L"copy/b " + (appends ? to + L'+' : L"") + sources + L' ' + to;
  };
  return L"if /i \"%CD%\"==\"%SystemRoot%\" (" + copy(besideParts) + L") else " + copy(inCurrent) + L"\r\n";
}

// How many parts a line names. Every quoted path, once expanded, is one the
// system can open, and so are the current and the Windows folder: counted
// at that length, no line grows past the limit wherever the folder goes.
std::size_t PartsPerLine() {
  const std::wstring path(MaxPathLength + 2, L'x');
  const auto bound = [&](std::size_t parts) {
    std::wstring sources = path;
    for (std::size_t i = 1; i < parts; ++i) sources += L'+' + path;
    return ScriptLine(sources, path, path, true).size() + 2 * MaxPathLength;
  };
  std::size_t parts = 1;
  while (bound(parts + 1) <= ScriptLineLimit) ++parts;
  return parts;
}

std::optional<std::string> BatchScript(const std::wstring& SourcePath, const std::wstring& OutputBase,
                                       const std::vector<std::wstring>& PartList) {
  const auto names = ScriptNames(SourcePath, OutputBase);
  if (!names) return std::nullopt;
  const std::wstring besideParts = Quoted(L"%~dp0" + names->Destination), inCurrent = Quoted(names->Destination);
  const std::size_t perLine = PartsPerLine();
  std::wstring script, sources;
  for (std::size_t i = 0; i < PartList.size(); ++i) {
    const std::wstring& part = PartList[i];
    if (part.compare(0, OutputBase.size(), OutputBase) != 0) return std::nullopt;
    if (!sources.empty()) sources += L'+';
    sources += Quoted(L"%~dp0" + names->Name + Escaped(part.substr(OutputBase.size())));
    if ((i + 1) % perLine == 0 || i + 1 == PartList.size()) {
      script += ScriptLine(sources, besideParts, inCurrent, i >= perLine);
      sources.clear();
    }
  }
  return platform::ToScriptEncoding(script);
}

// ---------------------------------------------------------------- shell script

// A shell word for text exactly, whatever its bytes: single quotes, each
// quote inside closed, escaped and reopened.
std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// The shell script after the names it joins. It runs under any POSIX sh
// (dash, bash, busybox ash, zsh as sh) and reads the record the way the
// engine does: a byte-order mark, CR LF, upper-case digests, either marker
// and blank lines are accepted, and lines are found by name.
constexpr const char* ShellScriptBody = R"sh(record=$base.sha256
joined=.quenlor-join.$$
list=.quenlor-check.$$
LC_ALL=C
export LC_ALL
cr=$(printf '\r')
bom=$(printf '\357\273\277')
blank=$(printf ' \t')

fail() {
  printf '%s\n' "$*" >&2
  exit 1
}

# The parts lie beside this script, wherever it is started from.
case $0 in
  /*) cd "${0%/*}/" || exit 1 ;;
  */*) cd "./${0%/*}/" || exit 1 ;;
esac

i=0
while [ "$i" -lt "$count" ]; do
  [ -f "$base.QuenlorSp$i" ] || fail "$base.QuenlorSp$i is missing: nothing was joined"
  i=$((i + 1))
done
if [ -e "$name" ] || [ -h "$name" ]; then
  fail "$name exists and is not replaced: move it away and run this script again"
fi

trap 'rm -f "./$joined" "./$list"' EXIT
trap 'exit 130' HUP INT TERM
# Part after part, so that no command line has to hold all their names.
i=0
while [ "$i" -lt "$count" ]; do
  cat "./$base.QuenlorSp$i" || fail "$name was not joined: $base.QuenlorSp$i could not be copied"
  i=$((i + 1))
done >"./$joined" || fail "$name was not joined: this folder cannot take it"

if command -v sha256sum >/dev/null 2>&1; then
  tool=sha256sum
elif command -v shasum >/dev/null 2>&1; then
  tool=shasum
else
  tool=
fi

# Whether the file $2 has the digest $1, by the system's own checker.
matches() {
  printf '%s  -\n' "$1" | tr ABCDEF abcdef >"./$list" || return 1
  if [ "$tool" = shasum ]; then
    shasum -a 256 -c "./$list"
  else
    sha256sum -c "./$list"
  fi <"$2" >/dev/null 2>&1
}

# Runs $1 for every line of the record that gives a digest, with sum set to
# the digest and file to the name, both as the line spells them, and stem to
# the parts' name as such a line spells it.
each_line() {
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line#"$bom"}
    line=${line%"$cr"}
    line=${line#"${line%%[!$blank]*}"}
    stem=$base
    case $line in '\'*) line=${line#?}; stem=$spelt ;; esac
    rest=${line#????????????????????????????????????????????????????????????????}
    sum=${line%"$rest"}
    case $sum in '' | *[!0-9A-Fa-f]*) continue ;; esac
    [ ${#sum} -eq 64 ] || continue
    case $rest in ' *'* | '  '*) file=${rest#??} ;; *) continue ;; esac
    "$1"
  done <"./$record"
}

whole=
take_whole() {
  [ "$file" = "$stem" ] && whole=$sum
}

changed=0
check_part() {
  case $file in "$stem".QuenlorSp*) n=${file#"$stem".QuenlorSp} ;; *) return ;; esac
  case $n in '' | *[!0-9]* | 0?* | ??????????*) return ;; esac
  [ "$n" -lt "$count" ] || return
  if ! matches "$sum" "./$base.QuenlorSp$n"; then
    printf '%s\n' "$base.QuenlorSp$n has changed: it differs from $record" >&2
    changed=$((changed + 1))
  fi
}

if [ -z "$tool" ]; then
  note="not checked: neither sha256sum nor shasum was found"
elif [ ! -f "$record" ]; then
  note="not checked: $record is missing"
else
  each_line take_whole
  if [ -z "$whole" ]; then
    note="not checked: $record has no line for $base"
  elif matches "$whole" "./$joined"; then
    note="checked against $record"
  else
    each_line check_part
    [ "$changed" -gt 0 ] || fail "$name was not joined: the parts make a file that differs from $record"
    fail "$name was not joined: $changed part(s) changed"
  fi
fi

if [ -e "$name" ] || [ -h "$name" ]; then
  fail "$name exists and is not replaced: move it away and run this script again"
fi
mv -f "./$joined" "./$name" || fail "$name was not joined: the joined file could not be renamed"
printf '%s\n' "$name joined, $note"
)sh";

std::string ShellScript(const std::wstring& SourcePath, const std::wstring& OutputBase, std::size_t PartCount) {
  const std::wstring base = platform::ExtractFileName(OutputBase);
  return "#!/bin/sh\n"
         "# Joins the parts beside this script, in number order, into the file they\n"
         "# were split from and checks it against the record beside them.\n"
         "# Run it with: sh <this script>\n"
         "base=" + ShellWord(platform::ToUtf8(base)) + "\n" +
         "spelt=" + ShellWord(RecordSpelling(base)) + "\n" +
         "name=" + ShellWord(platform::ToUtf8(platform::ExtractFileName(SourcePath))) + "\n" +
         "count=" + std::to_string(PartCount) + "\n" + ShellScriptBody;
}

// ---------------------------------------------------------------- files

std::wstring BatchScriptPath(const std::wstring& OutputBase) { return OutputBase + L".bat"; }
std::wstring ShellScriptPath(const std::wstring& OutputBase) { return OutputBase + L".sh"; }

// Writes text as the file at path: under its temporary name first, which it
// renames when whole, as a cut-off script would join only some of the
// parts. Nothing stays when it fails.
bool WriteScript(const std::wstring& path, const std::string& text, bool executable) {
  const std::wstring temporary = TemporaryName(path);
  File file(temporary, Access::Write, Share::Read, Creation::CreateAlways, Caching::Normal);
  const bool written = file.IsOpen() && file.WriteFullyAt(0, text.data(), static_cast<int64_t>(text.size()));
  file.Close();
  if (written && (!executable || platform::MakeExecutable(temporary)) && platform::RenameFile(temporary, path))
    return true;
  platform::KeptError kept;
  platform::RemoveFile(temporary);
  return false;
}

bool Exists(const std::wstring& path) { return platform::Inspect(path).Kind != platform::PathKind::None; }

}  // namespace

std::vector<std::wstring> RejoinScriptPaths(const std::wstring& OutputBase) {
  return {BatchScriptPath(OutputBase), ShellScriptPath(OutputBase)};
}

bool CanWriteRejoinScript(const std::wstring& SourcePath, const std::wstring& OutputBase) {
  return ScriptNames(SourcePath, OutputBase).has_value();
}

bool WriteRejoinScript(const std::wstring& SourcePath, const std::wstring& OutputBase,
                       const std::vector<std::wstring>& PartList) {
  const auto batch = BatchScript(SourcePath, OutputBase, PartList);
  if (!batch || !WriteScript(BatchScriptPath(OutputBase), *batch, false)) return false;
  if (WriteScript(ShellScriptPath(OutputBase), ShellScript(SourcePath, OutputBase, PartList.size()), true))
    return true;
  platform::KeptError kept;
  platform::RemoveFile(BatchScriptPath(OutputBase));
  return false;
}

bool ClearRejoinScripts(const std::wstring& OutputBase) {
  bool cleared = true;
  for (const std::wstring& script : RejoinScriptPaths(OutputBase))
    cleared = (platform::RemoveFile(script) || !Exists(script)) && cleared;
  return cleared;
}
