// What assistive technology reads from a window, walked as a screen reader
// would: the test program and the window probe share it.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace accessible_tree {

inline VARIANT ChildId(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// Calls visit(name, role, state) for child id of object unless it is
// invisible; answers whether it was shown.
template <class F>
bool Visit(IAccessible* object, long id, F& visit) {
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  if (object->get_accState(ChildId(id), &state) != S_OK || (state.lVal & STATE_SYSTEM_INVISIBLE)) return false;
  BSTR name = nullptr;
  object->get_accName(ChildId(id), &name);
  object->get_accRole(ChildId(id), &role);
  visit(std::wstring(name ? name : L""), role.vt == VT_I4 ? role.lVal : 0L, state.lVal);
  SysFreeString(name);
  return true;
}

// Visits every shown child of object: windowless elements, and child
// windows followed by their own children.
template <class F>
void Walk(IAccessible* object, F visit) {
  long count = 0;
  if (object->get_accChildCount(&count) != S_OK) return;
  for (long id = 1; id <= count; ++id) {
    IDispatch* dispatch = nullptr;
    if (object->get_accChild(ChildId(id), &dispatch) != S_OK || !dispatch) {
      Visit(object, id, visit);
      continue;
    }
    IAccessible* window = nullptr;
    if (dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&window)) == S_OK) {
      if (Visit(window, CHILDID_SELF, visit)) Walk(window, visit);
      window->Release();
    }
    dispatch->Release();
  }
}

}  // namespace accessible_tree
