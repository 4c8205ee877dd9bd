// Layout properties of the picture lists: one picture property per row of
// the list (a skin colour, a check state) and button state.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "controls/XButtonTypes.h"
#include "framework/Layout.h"

inline constexpr std::pair<const char*, TButtonState> ButtonStateNames[] = {
    {"Normal", TButtonState::Normal},
    {"MouseOn", TButtonState::MouseOn},
    {"MouseDown", TButtonState::MouseDown},
    {"Disabled", TButtonState::Disabled}};

// Registers Pic<row><state> (PicRedMouseOn, PicCheckedDisabled, ...) for
// every row and state; setting one loads the named picture into
// List::Picture(row, state).
template <class List, class Row, std::size_t N>
void RegisterStatePictures(TRegistration<List>& registration, const std::pair<const char*, Row> (&rows)[N]) {
  for (auto [rowName, row] : rows)
    for (auto [stateName, state] : ButtonStateNames)
      registration.Custom(std::string("Pic") + rowName + stateName,
                          [row, state](List& list, const TLayoutValue& value, TLayoutReader&) {
                            ValueToPicture(value, list.Picture(row, state));
                          });
}
