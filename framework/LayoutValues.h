// Conversions of parsed layout values into the values that property
// setters take, and the names of the enumerations they know.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "framework/Graphics.h"
#include "framework/LayoutParser.h"

class TPicture;

// Raised by a conversion or a property setter for a value it cannot take;
// the reader adds the place.
struct EPropertyValue : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using TEnumNames = std::vector<std::pair<std::string, int64_t>>;
void RegisterEnumNames(std::type_index type, TEnumNames names);
const TEnumNames* FindEnumNames(std::type_index type);

template <class E>
void RegisterEnum(std::initializer_list<std::pair<const char*, E>> names) {
  TEnumNames list;
  for (auto& [name, value] : names) list.emplace_back(name, static_cast<int64_t>(value));
  RegisterEnumNames(typeid(E), std::move(list));
}

// Conversions of layout values; each throws EPropertyValue.
int64_t ValueToInteger(const TLayoutValue& value, int64_t min, int64_t max);
bool ValueToBool(const TLayoutValue& value);
std::wstring ValueToString(const TLayoutValue& value);
TColor ValueToColor(const TLayoutValue& value);
int64_t ValueToEnum(const TLayoutValue& value, const TEnumNames& names, const char* typeName);
int64_t ValueToSet(const TLayoutValue& value, const TEnumNames& names);
std::vector<std::wstring> ValueToStrings(const TLayoutValue& value);
// A picture path under resources/ loaded into picture ('' empties it).
void ValueToPicture(const TLayoutValue& value, TPicture& picture);
// The same into a temporary picture handed to use.
void ValueToNewPicture(const TLayoutValue& value, const std::function<void(TPicture*)>& use);
const TEnumNames& ColorNames();

template <class V>
std::remove_cvref_t<V> ConvertLayoutValue(const TLayoutValue& value) {
  using T = std::remove_cvref_t<V>;
  if constexpr (std::is_same_v<T, bool>) {
    return ValueToBool(value);
  } else if constexpr (std::is_same_v<T, std::wstring>) {
    return ValueToString(value);
  } else if constexpr (std::is_same_v<T, TColor>) {
    return ValueToColor(value);
  } else if constexpr (std::is_enum_v<T>) {
    const TEnumNames* names = FindEnumNames(typeid(T));
    if (!names) throw EPropertyValue(std::string("no names registered for the enumeration ") + typeid(T).name());
    return static_cast<T>(ValueToEnum(value, *names, typeid(T).name()));
  } else {
    static_assert(std::is_integral_v<T>, "no layout conversion for this property type");
    return static_cast<T>(ValueToInteger(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
  }
}
