#include "framework/Classes.h"

#include <algorithm>
#include <cwctype>


namespace {

// The system's text for an error code, without its line end.
std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text.empty() ? "unknown error" : WideToUtf8(text);
}

}  // namespace

EOSError::EOSError(const std::string& call, DWORD code)
    : std::runtime_error(call + ": " + SystemErrorText(code) + " (error " + std::to_string(code) + ")"),
      ErrorCode(code) {}

void RaiseLastOSError(const char* call) {
  const DWORD code = GetLastError();
  throw EOSError(call, code);
}

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("cannot assign between these classes");
}

TShiftState ShiftStateFromMouse(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::wstring UpperCase(const std::wstring& text) {
  std::wstring upper = text;
  for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  return upper;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

// ---------------------------------------------------------------- TStrings

void TStrings::CheckIndex(int index, bool forInsert) const {
  if (index < 0 || index > Count() || (!forInsert && index == Count()))
    throw std::out_of_range("list index out of bounds (" + std::to_string(index) + ")");
}

const std::wstring& TStrings::operator[](int index) const {
  CheckIndex(index, false);
  return items_[index];
}

void TStrings::SetStrings(int index, const std::wstring& text) {
  CheckIndex(index, false);
  items_[index] = text;
  Changed();
}

int TStrings::Add(const std::wstring& text) {
  items_.push_back(text);
  Changed();
  return Count() - 1;
}

void TStrings::Insert(int index, const std::wstring& text) {
  CheckIndex(index, true);
  items_.insert(items_.begin() + index, text);
  Changed();
}

void TStrings::Delete(int index) {
  CheckIndex(index, false);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TStrings::IndexOf(const std::wstring& text) const {
  const std::wstring wanted = UpperCase(text);
  for (int i = 0; i < Count(); ++i)
    if (UpperCase(items_[i]) == wanted) return i;
  return -1;
}

std::wstring TStrings::Text() const {
  std::wstring text;
  for (const auto& item : items_) text += item + L"\r\n";
  return text;
}

void TStrings::SetText(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n')
      ++end;
    start = end + 1;
  }
  Assign(lines);
}

void TStrings::Assign(const TPersistent& source) {
  if (auto strings = dynamic_cast<const TStrings*>(&source)) {
    Assign(strings->items_);
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::Assign(const std::vector<std::wstring>& items) {
  items_ = items;
  Changed();
}

void TStrings::Changed() {
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  MarkDestroying();
  // Tell everyone who holds a reference to this component, then forget them.
  auto notifies = std::move(free_notifies_);
  for (auto* other : notifies) {
    other->RemoveFreeNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::MarkDestroying() {
  state_ |= csDestroying;
  for (auto* component : components_) component->MarkDestroying();
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    TComponent* existing = owner_->FindComponent(name);
    if (existing && existing != this)
      throw std::invalid_argument("a component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (auto* component : components_)
    if (SameName(component->name_, name)) return component;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) components_.back()->Free();
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end()) {
    free_notifies_.push_back(component);
    component->FreeNotification(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  auto it = std::find(free_notifies_.begin(), free_notifies_.end(), component);
  if (it == free_notifies_.end()) return;
  free_notifies_.erase(it);
  component->RemoveFreeNotification(this);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::Notification(TComponent*, TOperation) {}

// ---------------------------------------------------------------- TFreeWatch

void TFreeWatch::Watch(TComponent* old, TComponent* component) {
  if (old) RemoveFreeNotification(old);
  if (component) FreeNotification(component);
}

void TFreeWatch::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) freed_();
}
