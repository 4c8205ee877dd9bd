#include "framework/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "framework/Controls.h"
#include "framework/Layout.h"

namespace {

const char* KindName(TDialogKind kind) {
  switch (kind) {
    case dkOpen: return "open dialog";
    case dkSave: return "save dialog";
    case dkFolder: return "folder browser";
    default: return "message box";
  }
}

// "a|b|c|d" as the double-NUL-terminated list the common dialogs take.
std::wstring FilterList(const std::wstring& filter) {
  if (filter.empty()) return {};
  std::wstring list = filter;
  for (auto& c : list)
    if (c == L'|') c = L'\0';
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

HWND DefaultOwner(HWND owner) { return owner || !ControlHost ? owner : ControlHost->MainWindow(); }

}  // namespace

bool TOpenDialog::Execute(HWND owner) {
  owner = DefaultOwner(owner);
  if (DialogScript().Active) {
    std::wstring path;
    TDialogCall call{Kind(), owner, title_, file_name_, filter_, 0};
    if (DialogScript().Answer(call, path) != brPath) return false;
    file_name_ = path;
    return true;
  }
  std::wstring buffer = file_name_;
  buffer.resize(std::max<size_t>(buffer.size(), 32768), L'\0');
  std::wstring filter = FilterList(filter_);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filter_index_);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = initial_dir_.empty() ? nullptr : initial_dir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = default_ext_.empty() ? nullptr : default_ext_.c_str();
  ofn.Flags = OFN_EXPLORER;
  if (options_ & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (options_ & ofNoDereferenceLinks) ofn.Flags |= OFN_NODEREFERENCELINKS;
  if (options_ & ofEnableSizing) ofn.Flags |= OFN_ENABLESIZING;
  if (options_ & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (options_ & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (options_ & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (options_ & ofNoChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
  BOOL chosen = Kind() == dkSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  file_name_ = buffer.c_str();
  filter_index_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}

TBrowseResult BrowseForFolder(HWND owner, const std::wstring& title, UINT flags, std::wstring& path) {
  owner = DefaultOwner(owner);
  if (DialogScript().Active) {
    TDialogCall call{dkFolder, owner, title, L"", L"", flags};
    return DialogScript().Answer(call, path);
  }
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = flags;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (!item) return brCancelled;
  wchar_t folder[MAX_PATH] = {};
  BOOL hasPath = SHGetPathFromIDListW(item, folder);
  CoTaskMemFree(item);
  if (!hasPath) return brNoPath;
  path = folder;
  return brPath;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
  owner = DefaultOwner(owner);
  if (DialogScript().Active) {
    DialogScript().Calls.push_back({dkMessage, owner, caption, L"", L"", style, text});
    return IDOK;
  }
  return MessageBoxW(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), style);
}

// ---------------------------------------------------------------- script

TDialogScript& DialogScript() {
  static TDialogScript script;
  return script;
}

void TDialogScript::QueueFile(TDialogKind kind, const std::wstring& path) { answers_.push_back({kind, brPath, path}); }
void TDialogScript::QueueFolder(const std::wstring& path) { answers_.push_back({dkFolder, brPath, path}); }
void TDialogScript::QueueFolderWithoutPath() { answers_.push_back({dkFolder, brNoPath, L""}); }
void TDialogScript::QueueCancel(TDialogKind kind) { answers_.push_back({kind, brCancelled, L""}); }

void TDialogScript::Reset() {
  answers_.clear();
  Calls.clear();
  Errors.clear();
}

TBrowseResult TDialogScript::Answer(const TDialogCall& call, std::wstring& path) {
  Calls.push_back(call);
  if (answers_.empty()) {
    Errors.push_back(std::string("a ") + KindName(call.Kind) + " was shown without a queued answer");
    return brCancelled;
  }
  TAnswer answer = answers_.front();
  answers_.pop_front();
  if (answer.Kind != call.Kind) {
    Errors.push_back(std::string("the queued answer for a ") + KindName(answer.Kind) + " went to a " +
                     KindName(call.Kind));
    return brCancelled;
  }
  if (answer.Result == brPath) path = answer.Path;
  return answer.Result;
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterClass<TOpenDialog, TComponent>("TOpenDialog")
      .Prop("FileName", &TOpenDialog::SetFileName)
      .Prop("Filter", &TOpenDialog::SetFilter)
      .Prop("FilterIndex", &TOpenDialog::SetFilterIndex)
      .Prop("InitialDir", &TOpenDialog::SetInitialDir)
      .Prop("Title", &TOpenDialog::SetTitle)
      .Prop("DefaultExt", &TOpenDialog::SetDefaultExt)
      .Set("Options", &TOpenDialog::SetOptions,
           {{"ofHideReadOnly", ofHideReadOnly},
            {"ofNoDereferenceLinks", ofNoDereferenceLinks},
            {"ofEnableSizing", ofEnableSizing},
            {"ofOverwritePrompt", ofOverwritePrompt},
            {"ofFileMustExist", ofFileMustExist},
            {"ofPathMustExist", ofPathMustExist},
            {"ofNoChangeDir", ofNoChangeDir}});
  RegisterClass<TSaveDialog, TOpenDialog>("TSaveDialog");
  return true;
}();

}  // namespace
