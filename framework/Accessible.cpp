#include "framework/Accessible.h"

#include <oleacc.h>

#include <atomic>

namespace {

// The visible child windows of wnd from the bottom of the z-order up,
// which is the order they were made in; index counts them, and the one at
// index is answered (null when there are fewer).
HWND ChildWindow(HWND wnd, long index, long& count) {
  HWND found = nullptr;
  count = 0;
  HWND top = GetWindow(wnd, GW_CHILD);
  for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV))
    if (IsWindowVisible(child) && count++ == index) found = child;
  return found;
}

HRESULT ReturnString(const std::wstring& text, BSTR* result) {
  *result = nullptr;
  if (text.empty()) return S_FALSE;
  *result = SysAllocString(text.c_str());
  return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetLong(VARIANT* result, long value) {
  VariantInit(result);
  result->vt = VT_I4;
  result->lVal = value;
  return S_OK;
}

// The client area of one window of ours. Ids 1..n are the provider's
// elements, n+1.. the visible child windows; CHILDID_SELF is the window.
// What the provider leaves open goes to the system's object of the window.
class TWindowAccessible final : public IAccessible {
 public:
  TWindowAccessible(HWND wnd, TAccessibleLookup lookup) : wnd_(wnd), lookup_(lookup) {
    CreateStdAccessibleObject(wnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&system_));
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: the object is reached through its interface only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!system_) return E_FAIL;
    return system_->get_accParent(parent);
  }

  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    TAccessibleProvider* provider = Provider();
    if (!provider) return E_FAIL;
    if (SystemChildren(*provider)) return system_->get_accChildCount(count);
    long windows = 0;
    ChildWindow(wnd_, -1, windows);
    *count = provider->ElementCount() + windows;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
    *result = nullptr;
    TAccessibleProvider* provider = Provider();
    if (!provider || child.vt != VT_I4) return E_INVALIDARG;
    if (SystemChildren(*provider)) return system_->get_accChild(child, result);
    const long elements = provider->ElementCount();
    if (child.lVal >= 1 && child.lVal <= elements) return S_FALSE;  // a simple element
    long windows = 0;
    HWND window = ChildWindow(wnd_, child.lVal - elements - 1, windows);
    if (!window) return E_INVALIDARG;
    return AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IDispatch), reinterpret_cast<void**>(result));
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    // A window's own name stands also when the rest is the system's.
    return Answer(
        child, [&](const TAccessibleElement& e) { return ReturnString(e.Name, name); },
        [&](const TAccessibleElement& e) {
          return e.Name.empty() ? system_->get_accName(child, name) : ReturnString(e.Name, name);
        });
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Answer(
        child, [&](const TAccessibleElement& e) { return ReturnString(e.Value, value); },
        [&](const TAccessibleElement&) { return system_->get_accValue(child, value); });
  }

  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    TAccessibleElement e;
    if (Describe(child, e) == kSystem && system_) return system_->get_accDescription(child, description);
    *description = nullptr;
    return S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Answer(
        child, [&](const TAccessibleElement& e) { return SetLong(role, e.Role); },
        [&](const TAccessibleElement&) { return system_->get_accRole(child, role); });
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Answer(
        child, [&](const TAccessibleElement& e) { return SetLong(state, e.State); },
        [&](const TAccessibleElement&) { return system_->get_accState(child, state); });
  }

  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    *help = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    *shortcut = nullptr;
    return S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    TAccessibleProvider* provider = Provider();
    if (!provider) return E_FAIL;
    if (const int id = provider->FocusedElement()) {
      SetLong(focus, id);
      return S_OK;
    }
    return system_ ? system_->get_accFocus(focus) : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    VariantInit(selection);
    return S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Answer(
        child, [&](const TAccessibleElement& e) { return ReturnString(e.DefaultAction, action); },
        [&](const TAccessibleElement&) { return system_->get_accDefaultAction(child, action); });
  }

  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    TAccessibleProvider* provider = Provider();
    if (!provider) return E_FAIL;
    if (child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= provider->ElementCount()) {
      if (!(flags & SELFLAG_TAKEFOCUS)) return E_NOTIMPL;
      provider->FocusElement(child.lVal);
      return S_OK;
    }
    return system_ ? system_->accSelect(flags, child) : E_FAIL;
  }

  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    TAccessibleElement e;
    if (Describe(child, e) == kOwn && IsElement(child)) {
      *left = e.Bounds.left;
      *top = e.Bounds.top;
      *width = e.Bounds.right - e.Bounds.left;
      *height = e.Bounds.bottom - e.Bounds.top;
      return S_OK;
    }
    return system_ ? system_->accLocation(left, top, width, height, child) : E_FAIL;
  }

  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    VariantInit(end);
    if (IsElement(start) || !system_) return S_FALSE;
    return system_->accNavigate(direction, start, end);
  }

  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    TAccessibleProvider* provider = Provider();
    if (!provider) return E_FAIL;
    const POINT p{x, y};
    for (int id = provider->ElementCount(); id >= 1; --id) {
      TAccessibleElement e;
      if (provider->DescribeElement(id, e) && PtInRect(&e.Bounds, p)) {
        SetLong(child, id);
        return S_OK;
      }
    }
    return system_ ? system_->accHitTest(x, y, child) : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TAccessibleProvider* provider = Provider();
    if (!provider) return E_FAIL;
    if (IsElement(child)) {
      provider->DoElementAction(child.lVal);
      return S_OK;
    }
    return system_ ? system_->accDoDefaultAction(child) : E_FAIL;
  }

  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  enum TSource { kInvalid, kOwn, kSystem };

  ~TWindowAccessible() {
    if (system_) system_->Release();
  }

  TAccessibleProvider* Provider() const { return IsWindow(wnd_) ? lookup_(wnd_) : nullptr; }

  // A window that paints no elements keeps the system's children (a
  // list's rows, the child windows of a panel).
  bool SystemChildren(TAccessibleProvider& provider) { return system_ && provider.ElementCount() == 0; }

  bool IsElement(const VARIANT& child) {
    TAccessibleProvider* provider = Provider();
    return provider && child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= provider->ElementCount();
  }

  // Answers for child with own (the provider's description) or with
  // system (the system's object, which is there).
  template <class Own, class System>
  HRESULT Answer(const VARIANT& child, Own own, System system) {
    TAccessibleElement e;
    switch (Describe(child, e)) {
      case kOwn: return own(e);
      case kSystem: return system_ ? system(e) : E_FAIL;
      default: return E_INVALIDARG;
    }
  }

  // Who answers for child: the provider (e filled) or the system's object.
  TSource Describe(const VARIANT& child, TAccessibleElement& e) {
    TAccessibleProvider* provider = Provider();
    if (!provider || child.vt != VT_I4) return kInvalid;
    // The window's own name may be set while the rest is left to the system.
    if (child.lVal == CHILDID_SELF) {
      provider->DescribeSelf(e);
      return e.Role ? kOwn : kSystem;
    }
    if (child.lVal < 1 || child.lVal > provider->ElementCount()) return kInvalid;
    return provider->DescribeElement(child.lVal, e) ? kOwn : kInvalid;
  }

  HWND wnd_;
  TAccessibleLookup lookup_;
  IAccessible* system_ = nullptr;
  std::atomic<ULONG> references_{1};
};

}  // namespace

LRESULT AnswerGetObject(HWND wnd, WPARAM wParam, LPARAM lParam, TAccessibleLookup lookup) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  auto* object = new TWindowAccessible(wnd, lookup);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return result > 0 ? result : 0;
}
