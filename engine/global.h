// Sizes, names and volumes: the plain rules that both workers and both pages
// share. None of them keeps state or reports an error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

enum TFileSystemKind { fskOther = -1, fskFAT = 0, fskFAT32 = 1, fskNTFS = 2 };

// Windows (without long-path support) and the command interpreter open only
// paths shorter than this many characters.
constexpr std::size_t MaxPathLength = 260;

constexpr int64_t UnbufferedChunk = 4194304;
constexpr int64_t BufferedChunk = 409600;
constexpr int64_t AlignmentUnit = 4096;
// Smallest block that takes the unbuffered path; larger counted blocks are
// rounded up to the alignment unit.
constexpr int64_t UnbufferedThreshold = 10485760;

// The largest file that FAT and FAT32 volumes hold.
constexpr int64_t FatLargestFile = 2147483647;
constexpr int64_t Fat32LargestFile = 4294967295;

// "<Base>.QuenlorSp<Index>", the index in decimal from 0.
std::wstring PartFileName(const std::wstring& Base, int64_t Index);

// The name a job writes a file under until the file is whole:
// "<Path>.partial". No series, record or script ends so.
std::wstring TemporaryName(const std::wstring& Path);
// The final name of a file written under its temporary name; any other
// path as it is.
std::wstring FinalName(const std::wstring& Path);

// "1.50 KB", "4.66 GB", "1023 byte(s)": the unit is chosen before rounding.
std::wstring SizeText(int64_t Count);

// Size of the file of exactly that name; 0 when there is none or it is no
// regular file.
int64_t FileSizeOf(const std::wstring& Path);

// True when Count bytes plus 409,600 bytes of slack fit strictly into the
// total free space of Drive ("C:"); false when the system cannot tell.
bool HasFreeSpace(const std::wstring& Drive, int64_t Count);

// False when the folder searched with Pattern ("<folder>*.*") holds an entry,
// file or folder, whose name begins with Name ignoring case: a folder would
// keep a part or the rejoin script from being made.
bool NameIsFree(const std::wstring& Pattern, const std::wstring& Name);

// Block sizes above 10 MiB are rounded up to a multiple of 4,096.
int64_t RoundUpTo4K(int64_t Size);

// Maps the file-system name that the installed provider reports for Drive's
// letter: "FAT", "FAT32" and "NTFS" exactly, anything else fskOther.
TFileSystemKind FileSystemKind(const std::wstring& Drive);
// The same mapping of a file-system name.
TFileSystemKind FileSystemKindOf(const std::wstring& Name);
// The largest file a volume of Kind holds; FAT32's and FAT's limits, no
// limit for the others.
int64_t LargestFileOf(TFileSystemKind Kind);

// The app installs a provider that asks the support library; until then
// every drive answers "" (fskOther).
void SetFileSystemNameProvider(std::function<std::wstring(wchar_t DriveLetter)> Provider);
