// Dialogs: the open and save dialogs, the shell folder browser and the
// framework's message box. Each can be answered by a script instead
// (tests), so that no test ever waits on a real dialog.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/Classes.h"

enum TOpenOptionFlag : uint32_t {
  ofHideReadOnly = 1,
  ofNoDereferenceLinks = 2,
  ofEnableSizing = 4,
  ofOverwritePrompt = 8,
  ofFileMustExist = 16,
  ofPathMustExist = 32,
  ofNoChangeDir = 64,
};
using TOpenOptions = uint32_t;

enum TDialogKind { dkOpen, dkSave, dkFolder, dkMessage };

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

  // Shows the dialog owned by owner (the main form when null). True when
  // the user chose a file; FileName then holds its full path.
  bool Execute(HWND owner = nullptr);

  const std::wstring& FileName() const { return file_name_; }
  void SetFileName(const std::wstring& value) { file_name_ = value; }
  // Pairs of description and pattern: "Split File|*.QuenlorSp0".
  const std::wstring& Filter() const { return filter_; }
  void SetFilter(const std::wstring& value) { filter_ = value; }
  int FilterIndex() const { return filter_index_; }
  void SetFilterIndex(int value) { filter_index_ = value; }
  const std::wstring& InitialDir() const { return initial_dir_; }
  void SetInitialDir(const std::wstring& value) { initial_dir_ = value; }
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& value) { title_ = value; }
  const std::wstring& DefaultExt() const { return default_ext_; }
  void SetDefaultExt(const std::wstring& value) { default_ext_ = value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }

 protected:
  virtual TDialogKind Kind() const { return dkOpen; }

 private:
  std::wstring file_name_, filter_, initial_dir_, title_, default_ext_;
  int filter_index_ = 1;
  TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  TDialogKind Kind() const override { return dkSave; }
};

enum TBrowseResult { brCancelled, brNoPath, brPath };

// The shell's folder browser. brPath fills path with the chosen folder
// (without a trailing backslash unless it is a root); brNoPath means an
// item without a file-system path was chosen.
TBrowseResult BrowseForFolder(HWND owner, const std::wstring& title, UINT flags, std::wstring& path);

// The system message box owned by owner (the main form when null), with
// MB_* style flags; answers the button chosen (IDOK ...). A scripted one
// is only recorded, and answers IDOK.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

// What a scripted dialog was shown with.
struct TDialogCall {
  TDialogKind Kind;
  HWND Owner;
  std::wstring Title;
  std::wstring FileName;  // proposed file name (open and save)
  std::wstring Filter;
  UINT Flags;  // folder browser flags, message box style
  std::wstring Text;  // message box text
};

// While active, dialogs take their answers from the queue and record how
// they were called; a dialog without a queued answer records an error and
// answers as if cancelled. Message boxes need no answer.
class TDialogScript {
 public:
  bool Active = false;
  void QueueFile(TDialogKind kind, const std::wstring& path);
  void QueueFolder(const std::wstring& path);
  void QueueFolderWithoutPath();
  void QueueCancel(TDialogKind kind);
  void Reset();

  std::vector<TDialogCall> Calls;
  std::vector<std::string> Errors;

  // Used by the dialogs: the next answer for kind, or brCancelled.
  TBrowseResult Answer(const TDialogCall& call, std::wstring& path);

 private:
  struct TAnswer {
    TDialogKind Kind;
    TBrowseResult Result;
    std::wstring Path;
  };
  std::deque<TAnswer> answers_;
};

TDialogScript& DialogScript();
