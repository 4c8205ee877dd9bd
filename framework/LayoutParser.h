// The text of a stored layout, parsed into a tree of objects and their
// property values; nothing is created or looked up here.
//
//   object frmMain: TfrmMain
//     ClientWidth = 700
//     Caption = 'Quenlor'
//     Font.Style = [fsBold]
//     object btnMin: TXImageButtonColor
//       PicImageList = frmResource.imgListMin
//       OnClick = btnMinClick
//     end
//   end
//
// Values: integers (decimal or $hex), strings ('text', '' for a quote,
// #13 for a character code, parts joined with +), identifiers (True,
// clWhite, taCenter, handler names, component references as name or
// form.name), sets [a, b], lists ('a' 'b') and collections
// <item ... end item ... end>. A line starting with // is a comment.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A fault in a layout, naming the file, line, object and property.
struct ELayoutError : std::runtime_error {
  ELayoutError(std::string file, int line, std::string object, std::string property,
               const std::string& problem);
  std::string File;
  int Line;
  std::string Object;
  std::string Property;
};

struct TLayoutProperty;

struct TLayoutValue {
  enum TKind { vkInteger, vkString, vkIdent, vkSet, vkList, vkCollection };
  TKind Kind = vkInteger;
  int64_t Integer = 0;
  std::wstring String;
  std::string Ident;                                // also the names of a set
  std::vector<std::string> Set;
  std::vector<TLayoutValue> List;
  std::vector<std::vector<TLayoutProperty>> Items;  // collection items
  int Line = 0;
};

struct TLayoutProperty {
  std::string Name;  // may be a path: Font.Name
  TLayoutValue Value;
  int Line = 0;
};

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// The root object of a layout text (UTF-8, a byte order mark allowed);
// a syntax fault is an ELayoutError at its line.
TLayoutObject ParseLayout(std::string_view text, const std::string& fileName);
