// References from a control to a component it does not own (a picture list
// on another form), dropped when that component goes away.
#pragma once

#include "framework/Classes.h"

// Points field at value and asks to be told (by holder's Notification)
// when value is freed; the previous target is no longer watched.
template <class T>
void SetComponentRef(TComponent* holder, T*& field, T* value) {
  if (field == value) return;
  if (field) field->RemoveFreeNotification(holder);
  field = value;
  if (value) value->FreeNotification(holder);
}
