// Classes: the object, persistent and component base classes, the string
// list, and the event types shared by every control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// Raised when an Assign is asked of two classes that cannot copy each other.
struct EConvertError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A failed system call: the code GetLastError gave, and the system's text
// for it in the message.
struct EOSError : std::runtime_error {
  EOSError(const std::string& call, DWORD code);
  DWORD ErrorCode;
};
// Throws EOSError for the calling thread's last error; call names what
// failed. Call it straight after the failed call.
[[noreturn]] void RaiseLastOSError(const char* call);

class TPersistent : public TObject {
 public:
  // Copies the value of another object; the base class knows no pairs.
  virtual void Assign(const TPersistent& source);
};

// ---------------------------------------------------------------- events

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : uint8_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = uint8_t;  // a set of TShiftFlag bits

// The shift state carried by a mouse message's wParam (MK_* flags).
TShiftState ShiftStateFromMouse(WPARAM keys);

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// Setting Key to 0 drops the typed character.
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// ---------------------------------------------------------------- strings

// An ordered list of texts that tells its holder of every change.
class TStrings : public TPersistent {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::wstring& operator[](int index) const;
  const std::wstring& Strings(int index) const { return (*this)[index]; }
  void SetStrings(int index, const std::wstring& text);
  int Add(const std::wstring& text);
  void Insert(int index, const std::wstring& text);
  void Delete(int index);
  void Clear();
  int IndexOf(const std::wstring& text) const;  // ignoring case; -1 when absent
  // All items, each followed by CR LF; setting splits at line ends.
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void Assign(const TPersistent& source) override;
  void Assign(const std::vector<std::wstring>& items);
  const std::vector<std::wstring>& Items() const { return items_; }

  std::function<void()> OnChange;

 private:
  void Changed();
  void CheckIndex(int index, bool forInsert) const;

  std::vector<std::wstring> items_;
};

// ---------------------------------------------------------------- components

enum TComponentStateFlag : uint8_t {
  csLoading = 1,     // being created from a stored layout
  csDestroying = 2,  // its destructor has started
};
using TComponentState = uint8_t;

enum TOperation { opInsert, opRemove };

// A component has an owner that destroys it and a name that is unique
// among the owner's components. Other components can ask to be told when
// it goes away (FreeNotification), so they can drop references to it.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Throws std::invalid_argument when the owner already has a component of that name.
  void SetName(const std::string& name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // The owned component of that name, ignoring case; null when none.
  TComponent* FindComponent(const std::string& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, the last created first.
  void DestroyComponents();

  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called by the layout reader for a component declared inside another
  // one: a control takes it as its parent window; other components keep no
  // parent. Throws std::invalid_argument when parent cannot hold this one.
  virtual void SetParentComponent(TComponent* parent);

  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }
  void SetLoading() { state_ |= csLoading; }
  // Runs when the layout that created the component has been read completely.
  virtual void Loaded();
  // Runs before the destructor when the component is freed by Free() or by
  // its owner, while the whole object is still intact.
  virtual void BeforeDestruction() { MarkDestroying(); }
  // BeforeDestruction, then delete.
  void Free();

  intptr_t Tag = 0;

 protected:
  // Told of components inserted into or removed from the owner, and of
  // free-notified components that are going away.
  virtual void Notification(TComponent* component, TOperation operation);
  // Marks this component and everything it owns as being destroyed.
  void MarkDestroying();

 private:
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  TComponentState state_ = 0;
};

// What TComponentRef keeps to be told when its component is freed.
class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(std::function<void()> freed) : TComponent(nullptr), freed_(std::move(freed)) {}
  // Stops watching old and starts watching component (either may be null).
  void Watch(TComponent* old, TComponent* component);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::function<void()> freed_;
};

// A reference to a component that its holder does not own (a picture list
// on another form). It becomes null when that component is freed, and then
// runs onFreed, so that the holder can let go of what it took from it.
template <class T>
class TComponentRef {
 public:
  explicit TComponentRef(std::function<void()> onFreed = nullptr)
      : watch_([this, onFreed = std::move(onFreed)] {
          target_ = nullptr;
          if (onFreed) onFreed();
        }) {}
  TComponentRef(const TComponentRef&) = delete;
  TComponentRef& operator=(const TComponentRef&) = delete;

  TComponentRef& operator=(T* component) {
    if (component != target_) {
      watch_.Watch(target_, component);
      target_ = component;
    }
    return *this;
  }
  T* Get() const { return target_; }
  operator T*() const { return target_; }
  T* operator->() const { return target_; }

 private:
  T* target_ = nullptr;
  TFreeWatch watch_;  // destroyed first: a freed holder stops watching
};

// Gives a variable a value for the life of the guard and then puts back the
// one it had, also when an exception ends the scope (a control left
// "updating" would never redraw).
template <class T>
class TValueGuard {
 public:
  TValueGuard(T& variable, T value) : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}
  ~TValueGuard() { variable_ = std::move(saved_); }
  TValueGuard(const TValueGuard&) = delete;
  TValueGuard& operator=(const TValueGuard&) = delete;

 private:
  T& variable_;
  T saved_;
};

// Runs a clean-up when the scope ends, however it ends.
template <class F>
class TScopeGuard {
 public:
  explicit TScopeGuard(F cleanUp) : clean_up_(std::move(cleanUp)) {}
  ~TScopeGuard() { clean_up_(); }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

 private:
  F clean_up_;
};

// Case-insensitive comparison of ASCII identifiers (component, class,
// property and handler names).
bool SameName(const std::string& a, const std::string& b);
// Upper-case ASCII copy of a text (for case-insensitive lookups).
std::wstring UpperCase(const std::wstring& text);
// Conversions between UTF-16 texts and the UTF-8 of identifiers, layout
// files and error messages.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
