// The rejoin scripts a split leaves beside the parts, so that the parts can
// be joined where Quenlor is not installed: "<base>.bat" for the Windows
// command interpreter and "<base>.sh" for POSIX shells. Both name the parts
// relative to the folder they lie in, so the folder can move.
#pragma once

#include <string>
#include <vector>

// The paths of the scripts of the series OutputBase.
std::vector<std::wstring> RejoinScriptPaths(const std::wstring& OutputBase);

// Whether the scripts can name the parts of OutputBase and a file of
// SourcePath's name.
bool CanWriteRejoinScript(const std::wstring& SourcePath, const std::wstring& OutputBase);

// Writes both scripts. The batch script holds "copy/b" lines that append
// the parts (PartFileName(OutputBase, i) in order) into a file of the
// source's name in the current folder, or beside the parts when it runs in
// the Windows folder (as it does when started from a network folder). The
// shell script joins beside the parts, refusing to replace a file there,
// and checks the result against the record. False, and no piece of either
// script left, when one cannot be written or cannot name the files.
bool WriteRejoinScript(const std::wstring& SourcePath, const std::wstring& OutputBase,
                       const std::vector<std::wstring>& PartList);

// Removes the scripts of an earlier split of OutputBase, which would join
// parts that a new split replaces. False when one of them stays.
bool ClearRejoinScripts(const std::wstring& OutputBase);
