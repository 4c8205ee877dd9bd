#include "framework/LayoutParser.h"

#include <cctype>
#include <utility>

#include "framework/Classes.h"

namespace {

class TParser {
 public:
  TParser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  TLayoutObject ReadRoot() {
    SkipSpace();
    TLayoutObject root = ReadObject();
    SkipSpace();
    if (pos_ < text_.size()) Fail("text after the final end");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& problem) const { throw ELayoutError(file_, line_, "", "", problem); }

  void SkipSpace() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  static bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  // An identifier, with dotted parts when dotted is set.
  std::string ReadIdent(bool dotted) {
    SkipSpace();
    if (pos_ >= text_.size() || !IdentStart(text_[pos_])) Fail("a name is expected");
    size_t start = pos_;
    while (pos_ < text_.size() && (IdentChar(text_[pos_]) || (dotted && text_[pos_] == '.'))) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  void Expect(char c) {
    SkipSpace();
    if (pos_ >= text_.size() || text_[pos_] != c) Fail(std::string("'") + c + "' is expected");
    ++pos_;
  }

  bool PeekKeyword(const char* word) {
    SkipSpace();
    size_t n = std::char_traits<char>::length(word);
    if (text_.size() - pos_ < n) return false;
    if (!SameName(std::string(text_.substr(pos_, n)), word)) return false;
    return pos_ + n == text_.size() || !IdentChar(text_[pos_ + n]);
  }

  TLayoutObject ReadObject() {
    if (!PeekKeyword("object")) Fail("'object' is expected");
    TLayoutObject object;
    object.Line = line_;
    ReadIdent(false);
    object.Name = ReadIdent(false);
    Expect(':');
    object.ClassName = ReadIdent(false);
    for (;;) {
      if (PeekKeyword("end")) {
        ReadIdent(false);
        return object;
      }
      if (PeekKeyword("object")) {
        object.Children.push_back(ReadObject());
        continue;
      }
      if (pos_ >= text_.size()) Fail("'end' is missing for object " + object.Name);
      object.Properties.push_back(ReadProperty());
    }
  }

  TLayoutProperty ReadProperty() {
    TLayoutProperty property;
    property.Name = ReadIdent(true);
    property.Line = line_;
    Expect('=');
    property.Value = ReadValue();
    return property;
  }

  TLayoutValue ReadValue() {
    SkipSpace();
    TLayoutValue value;
    value.Line = line_;
    if (pos_ >= text_.size()) Fail("a value is expected");
    char c = text_[pos_];
    if (c == '\'' || c == '#') {
      value.Kind = TLayoutValue::vkString;
      value.String = ReadString();
    } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      value.Kind = TLayoutValue::vkInteger;
      value.Integer = ReadInteger();
    } else if (c == '[') {
      value.Kind = TLayoutValue::vkSet;
      value.Set = ReadSet();
    } else if (c == '(') {
      value.Kind = TLayoutValue::vkList;
      value.List = ReadList();
    } else if (c == '<') {
      value.Kind = TLayoutValue::vkCollection;
      value.Items = ReadCollection();
    } else if (c == '{') {
      Fail("binary data is not supported; name pictures by their path");
    } else if (IdentStart(c)) {
      value.Kind = TLayoutValue::vkIdent;
      value.Ident = ReadIdent(true);
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return value;
  }

  // [a, b]: the names of a set's members.
  std::vector<std::string> ReadSet() {
    std::vector<std::string> members;
    ++pos_;
    SkipSpace();
    while (pos_ < text_.size() && text_[pos_] != ']') {
      members.push_back(ReadIdent(false));
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
      SkipSpace();
    }
    Expect(']');
    return members;
  }

  // ('a' 'b'): values one after another.
  std::vector<TLayoutValue> ReadList() {
    std::vector<TLayoutValue> list;
    ++pos_;
    SkipSpace();
    while (pos_ < text_.size() && text_[pos_] != ')') {
      list.push_back(ReadValue());
      SkipSpace();
    }
    Expect(')');
    return list;
  }

  // <item ... end item ... end>: the properties of each item.
  std::vector<std::vector<TLayoutProperty>> ReadCollection() {
    std::vector<std::vector<TLayoutProperty>> items;
    ++pos_;
    while (!(SkipSpace(), pos_ < text_.size() && text_[pos_] == '>')) {
      if (!PeekKeyword("item")) Fail("'item' is expected");
      ReadIdent(false);
      std::vector<TLayoutProperty> item;
      while (!PeekKeyword("end")) {
        if (pos_ >= text_.size()) Fail("'end' is missing for an item");
        item.push_back(ReadProperty());
      }
      ReadIdent(false);
      items.push_back(std::move(item));
    }
    Expect('>');
    return items;
  }

  int64_t ReadInteger() {
    bool negative = false;
    if (text_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int base = 10;
    if (pos_ < text_.size() && text_[pos_] == '$') {
      base = 16;
      ++pos_;
    }
    size_t start = pos_;
    uint64_t value = 0;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
      char d = text_[pos_];
      int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : std::tolower(d) - 'a' + 10;
      if (digit >= base) break;
      if (value > (UINT64_MAX - digit) / base) Fail("number too large");
      value = value * base + digit;
      ++pos_;
    }
    if (pos_ == start) Fail("digits are expected");
    if (pos_ < text_.size() && (IdentChar(text_[pos_]) || text_[pos_] == '.')) Fail("not a whole number");
    if (value > static_cast<uint64_t>(INT64_MAX)) Fail("number too large");
    return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
  }

  // 'text' parts, #code characters, joined directly or by + across lines.
  std::wstring ReadString() {
    std::string utf8;
    std::wstring result;
    for (;;) {
      if (At('\'')) {
        utf8 += ReadQuoted();
      } else if (At('#')) {
        result += Utf8ToWide(std::exchange(utf8, {}));
        result += ReadCharacterCode();
      } else if (!SkipJoin()) {
        break;
      }
    }
    return result + Utf8ToWide(utf8);
  }

  bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

  // 'text' with '' for a quote, as its UTF-8 bytes.
  std::string ReadQuoted() {
    std::string utf8;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("unterminated string");
      if (text_[pos_] == '\'') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
          utf8 += '\'';
          pos_ += 2;
          continue;
        }
        ++pos_;
        return utf8;
      }
      utf8 += text_[pos_++];
    }
  }

  // #13: one UTF-16 code unit.
  wchar_t ReadCharacterCode() {
    ++pos_;
    int64_t code = ReadInteger();
    if (code < 0 || code > 0xFFFF) Fail("character code out of range");
    return static_cast<wchar_t>(code);
  }

  // A + that joins the next part of a string, perhaps on a later line;
  // without one nothing is consumed.
  bool SkipJoin() {
    size_t save = pos_;
    int saveLine = line_;
    SkipSpace();
    if (At('+')) {
      ++pos_;
      SkipSpace();
      if (At('\'') || At('#')) return true;
      Fail("a string is expected after +");
    }
    pos_ = save;
    line_ = saveLine;
    return false;
  }

  std::string_view text_;
  std::string file_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

ELayoutError::ELayoutError(std::string file, int line, std::string object, std::string property,
                           const std::string& problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " +
                         (object.empty() ? "" : "object " + object + ": ") +
                         (property.empty() ? "" : "property " + property + ": ") + problem),
      File(std::move(file)),
      Line(line),
      Object(std::move(object)),
      Property(std::move(property)) {}

TLayoutObject ParseLayout(std::string_view text, const std::string& fileName) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return TParser(text, fileName).ReadRoot();
}
