#include "framework/LayoutValues.h"

#include <unordered_map>

#include "framework/Classes.h"
#include "framework/Picture.h"
#include "framework/Resources.h"

namespace {

// Keyed by hash: the ordering of type_info is not a strict order when
// types of anonymous namespaces take part.
std::unordered_map<std::type_index, TEnumNames>& EnumRegistry() {
  static std::unordered_map<std::type_index, TEnumNames> enums;
  return enums;
}

}  // namespace

void RegisterEnumNames(std::type_index type, TEnumNames names) { EnumRegistry()[type] = std::move(names); }

const TEnumNames* FindEnumNames(std::type_index type) {
  auto& enums = EnumRegistry();
  auto it = enums.find(type);
  return it == enums.end() ? nullptr : &it->second;
}

int64_t ValueToInteger(const TLayoutValue& value, int64_t min, int64_t max) {
  if (value.Kind != TLayoutValue::vkInteger) throw EPropertyValue("a whole number is expected");
  if (value.Integer < min || value.Integer > max)
    throw EPropertyValue("the number " + std::to_string(value.Integer) + " is out of range");
  return value.Integer;
}

bool ValueToBool(const TLayoutValue& value) {
  if (value.Kind == TLayoutValue::vkIdent) {
    if (SameName(value.Ident, "True")) return true;
    if (SameName(value.Ident, "False")) return false;
  }
  throw EPropertyValue("True or False is expected");
}

std::wstring ValueToString(const TLayoutValue& value) {
  if (value.Kind != TLayoutValue::vkString) throw EPropertyValue("a quoted string is expected");
  return value.String;
}

const TEnumNames& ColorNames() {
  static const TEnumNames names = {
      {"clBlack", clBlack},       {"clMaroon", clMaroon},     {"clGreen", clGreen},
      {"clOlive", clOlive},       {"clNavy", clNavy},         {"clPurple", clPurple},
      {"clTeal", clTeal},         {"clGray", clGray},         {"clSilver", clSilver},
      {"clRed", clRed},           {"clLime", clLime},         {"clYellow", clYellow},
      {"clBlue", clBlue},         {"clFuchsia", clFuchsia},   {"clAqua", clAqua},
      {"clWhite", clWhite},       {"clNone", clNone},         {"clDefault", clDefault},
      {"clBtnFace", clBtnFace},   {"clBtnShadow", clBtnShadow}, {"clBtnHighlight", clBtnHighlight},
      {"clBtnText", clBtnText},   {"clWindow", clWindow},     {"clWindowText", clWindowText},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clGrayText", clGrayText},
  };
  return names;
}

TColor ValueToColor(const TLayoutValue& value) {
  if (value.Kind == TLayoutValue::vkInteger) {
    if (value.Integer < INT32_MIN || value.Integer > UINT32_MAX) throw EPropertyValue("colour out of range");
    return static_cast<TColor>(value.Integer);
  }
  if (value.Kind == TLayoutValue::vkIdent) return static_cast<TColor>(ValueToEnum(value, ColorNames(), "TColor"));
  throw EPropertyValue("a colour ($00BBGGRR or a clXxx name) is expected");
}

int64_t ValueToEnum(const TLayoutValue& value, const TEnumNames& names, const char* typeName) {
  if (value.Kind != TLayoutValue::vkIdent) throw EPropertyValue("a name is expected");
  for (auto& [name, number] : names)
    if (SameName(name, value.Ident)) return number;
  throw EPropertyValue("unknown value " + value.Ident + " (" + typeName + ")");
}

int64_t ValueToSet(const TLayoutValue& value, const TEnumNames& names) {
  if (value.Kind != TLayoutValue::vkSet) throw EPropertyValue("a set [a, b] is expected");
  int64_t bits = 0;
  for (const auto& member : value.Set) {
    TLayoutValue one;
    one.Kind = TLayoutValue::vkIdent;
    one.Ident = member;
    bits |= ValueToEnum(one, names, "set member");
  }
  return bits;
}

std::vector<std::wstring> ValueToStrings(const TLayoutValue& value) {
  if (value.Kind != TLayoutValue::vkList) throw EPropertyValue("a list ('a' 'b') is expected");
  std::vector<std::wstring> items;
  for (const auto& item : value.List) items.push_back(ValueToString(item));
  return items;
}

void ValueToPicture(const TLayoutValue& value, TPicture& picture) {
  std::wstring path = ValueToString(value);
  if (path.empty()) {
    picture.Clear();
    return;
  }
  if (!ResourceExists(path)) throw EPropertyValue("no resource " + WideToUtf8(path));
  try {
    picture.LoadFromResource(path);
  } catch (const std::exception& e) {
    throw EPropertyValue("cannot load " + WideToUtf8(path) + ": " + e.what());
  }
}

void ValueToNewPicture(const TLayoutValue& value, const std::function<void(TPicture*)>& use) {
  TPicture picture;
  ValueToPicture(value, picture);
  use(&picture);
}
