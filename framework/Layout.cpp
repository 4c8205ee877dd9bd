#include "framework/Layout.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "framework/Picture.h"
#include "framework/Resources.h"

namespace {

std::string Lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// ---------------------------------------------------------------- parser

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
      ++pos_;
      SkipSpace();
      while (pos_ < text_.size() && text_[pos_] != ']') {
        value.Set.push_back(ReadIdent(false));
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        SkipSpace();
      }
      Expect(']');
    } else if (c == '(') {
      value.Kind = TLayoutValue::vkList;
      ++pos_;
      SkipSpace();
      while (pos_ < text_.size() && text_[pos_] != ')') {
        value.List.push_back(ReadValue());
        SkipSpace();
      }
      Expect(')');
    } else if (c == '<') {
      value.Kind = TLayoutValue::vkCollection;
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
        value.Items.push_back(std::move(item));
      }
      Expect('>');
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
    auto flush = [&] {
      result += Utf8ToWide(utf8);
      utf8.clear();
    };
    for (;;) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
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
            break;
          }
          utf8 += text_[pos_++];
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        int64_t code = ReadInteger();
        if (code < 0 || code > 0xFFFF) Fail("character code out of range");
        flush();
        result += static_cast<wchar_t>(code);
      } else {
        size_t save = pos_;
        int saveLine = line_;
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '+') {
          ++pos_;
          SkipSpace();
          if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
          Fail("a string is expected after +");
        }
        pos_ = save;
        line_ = saveLine;
        break;
      }
    }
    flush();
    return result;
  }

  std::string_view text_;
  std::string file_;
  size_t pos_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------- registry

// Keyed by hash: the ordering of type_info is not a strict order when
// types of anonymous namespaces take part.
struct TRegistry {
  std::unordered_map<std::type_index, std::unique_ptr<TLayoutType>> types;
  std::map<std::string, TLayoutType*, TNameLess> byName;
  std::unordered_map<std::type_index, TEnumNames> enums;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

const TLayoutType* BaseOf(const TLayoutType* type) {
  if (!type->Base) return nullptr;
  return FindLayoutType(*type->Base);
}

// ---------------------------------------------------------------- references

struct TPendingRef {
  TComponent* source;  // the root that holds the reference
  std::string file;
  int line;
  std::string object, property;
  std::string form, component;
  std::function<void(TComponent*)> apply;
};

// Keeps the loaded roots by name and the references waiting for a root;
// forgets both when a root goes away.
class TLoadedRoots : public TComponent {
 public:
  TLoadedRoots() : TComponent(nullptr) {}
  std::vector<TComponent*> roots;
  std::vector<TPendingRef> pending;

  TComponent* Find(const std::string& name) const {
    for (auto* root : roots)
      if (SameName(root->Name(), name)) return root;
    return nullptr;
  }
  void Add(TComponent* root) {
    if (std::find(roots.begin(), roots.end(), root) != roots.end()) return;
    roots.push_back(root);
    FreeNotification(root);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation != opRemove) return;
    std::erase(roots, component);
    std::erase_if(pending, [component](const TPendingRef& ref) { return ref.source == component; });
  }
};

TLoadedRoots& LoadedRoots() {
  static auto* roots = new TLoadedRoots;  // lives as long as the program
  return *roots;
}

void ResolvePending(TComponent* root) {
  auto& loaded = LoadedRoots();
  std::vector<TPendingRef> ready;
  for (auto it = loaded.pending.begin(); it != loaded.pending.end();) {
    if (SameName(it->form, root->Name())) {
      ready.push_back(std::move(*it));
      it = loaded.pending.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& ref : ready) {
    TComponent* target = root->FindComponent(ref.component);
    try {
      if (!target) throw EPropertyValue(ref.form + " has no component " + ref.component);
      ref.apply(target);
    } catch (const EPropertyValue& e) {
      throw ELayoutError(ref.file, ref.line, ref.object, ref.property, e.what());
    }
  }
}

}  // namespace

// ---------------------------------------------------------------- public

ELayoutError::ELayoutError(std::string file, int line, std::string object, std::string property,
                           const std::string& problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " +
                         (object.empty() ? "" : "object " + object + ": ") +
                         (property.empty() ? "" : "property " + property + ": ") + problem),
      File(std::move(file)),
      Line(line),
      Object(std::move(object)),
      Property(std::move(property)) {}

bool TNameLess::operator()(const std::string& a, const std::string& b) const { return Lower(a) < Lower(b); }

TLayoutObject ParseLayout(std::string_view text, const std::string& fileName) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return TParser(text, fileName).ReadRoot();
}

TLayoutType& RegisterLayoutType(std::type_index type, const std::string& name) {
  auto& registry = Registry();
  auto& slot = registry.types[type];
  if (!slot) {
    slot = std::make_unique<TLayoutType>();
    slot->Type = type;
  }
  slot->Name = name;
  registry.byName[name] = slot.get();
  return *slot;
}

const TLayoutType* FindLayoutType(std::type_index type) {
  auto& types = Registry().types;
  auto it = types.find(type);
  return it == types.end() ? nullptr : it->second.get();
}

const TLayoutType* FindLayoutClass(const std::string& className) {
  auto& byName = Registry().byName;
  auto it = byName.find(className);
  return it == byName.end() || !it->second->Create ? nullptr : it->second;
}

std::wstring LayoutPathOf(const TComponent& root) {
  for (const TLayoutType* type = FindLayoutType(typeid(root)); type; type = BaseOf(type))
    if (!type->LayoutPath.empty()) return type->LayoutPath;
  return {};
}

void RegisterEnumNames(std::type_index type, TEnumNames names) { Registry().enums[type] = std::move(names); }

const TEnumNames* FindEnumNames(std::type_index type) {
  auto& enums = Registry().enums;
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

// ---------------------------------------------------------------- reader

TLayoutReader::TLayoutReader(TComponent* root, std::string fileName) : root_(root), file_(std::move(fileName)) {}

void TLayoutReader::Fail(const std::string& problem) const {
  throw ELayoutError(file_, place_.Line, place_.Object, place_.Property, problem);
}

void TLayoutReader::Read(const TLayoutObject& layout) {
  place_ = {layout.Name, "", layout.Line};
  const TLayoutType* type = FindLayoutType(typeid(*root_));
  if (!type) Fail(std::string("the class of the root (") + typeid(*root_).name() + ") is not registered");
  if (!SameName(type->Name, layout.ClassName))
    Fail("the layout is for class " + layout.ClassName + ", not " + type->Name);
  root_->SetLoading();
  try {
    root_->SetName(layout.Name);
  } catch (const std::invalid_argument& e) {
    Fail(e.what());
  }
  loaded_.push_back(root_);
  ReadObject(root_, layout);

  auto refs = std::move(local_refs_);
  for (auto& ref : refs) {
    place_ = ref.Place;
    auto dot = ref.Ident.find('.');
    std::string form = dot == std::string::npos ? root_->Name() : ref.Ident.substr(0, dot);
    std::string name = dot == std::string::npos ? ref.Ident : ref.Ident.substr(dot + 1);
    TComponent* owner = SameName(form, root_->Name()) ? root_ : LoadedRoots().Find(form);
    try {
      if (!owner) {
        LoadedRoots().pending.push_back({root_, file_, place_.Line, place_.Object, place_.Property, form, name, ref.Apply});
        continue;
      }
      TComponent* target = SameName(name, owner->Name()) && owner == root_ && dot == std::string::npos
                               ? root_
                               : owner->FindComponent(name);
      if (!target) Fail(form + " has no component " + name);
      ref.Apply(target);
    } catch (const EPropertyValue& e) {
      Fail(e.what());
    }
  }
  for (TComponent* component : loaded_) component->Loaded();
}

void TLayoutReader::ReadObject(TComponent* component, const TLayoutObject& layout) {
  const TLayoutType* type = FindLayoutType(typeid(*component));
  void* object = type->FromComponent(component);
  for (const auto& property : layout.Properties) {
    place_ = {layout.Name, property.Name, property.Line};
    SetProperty(object, type, property);
  }
  for (const auto& child : layout.Children) {
    place_ = {child.Name, "", child.Line};
    TComponent* created = CreateChild(component, child);
    ReadObject(created, child);
  }
}

TComponent* TLayoutReader::CreateChild(TComponent* parent, const TLayoutObject& layout) {
  const TLayoutType* type = FindLayoutClass(layout.ClassName);
  if (!type) Fail("unknown class " + layout.ClassName);
  TComponent* created = type->Create(root_);
  created->SetLoading();
  loaded_.push_back(created);
  try {
    created->SetName(layout.Name);
    created->SetParentComponent(parent);
  } catch (const std::invalid_argument& e) {
    Fail(e.what());
  }
  BindField(created);
  return created;
}

void TLayoutReader::BindField(TComponent* component) {
  for (const TLayoutType* type = FindLayoutType(typeid(*root_)); type; type = BaseOf(type)) {
    auto it = type->Fields.find(component->Name());
    if (it == type->Fields.end()) continue;
    if (!it->second(root_, component))
      Fail("the field " + component->Name() + " of " + FindLayoutType(typeid(*root_))->Name +
           " does not take this class");
    return;
  }
}

void TLayoutReader::SetProperty(void* object, const TLayoutType* type, const TLayoutProperty& property) {
  std::string_view path = property.Name;
  for (;;) {
    auto dot = path.find('.');
    std::string name(path.substr(0, dot));
    const TLayoutProp* prop = nullptr;
    void* holder = object;
    for (const TLayoutType* t = type; t; t = BaseOf(t)) {
      auto it = t->Props.find(name);
      if (it != t->Props.end()) {
        prop = &it->second;
        break;
      }
      if (!t->ToBase) break;
      holder = t->ToBase(holder);
    }
    if (!prop) Fail("unknown property " + name + " of " + type->Name);
    if (dot == std::string_view::npos) {
      if (!prop->Set) Fail(name + " takes its values by sub-property (" + name + ".X = ...)");
      try {
        prop->Set(holder, property.Value, *this);
      } catch (const EPropertyValue& e) {
        Fail(e.what());
      }
      return;
    }
    if (!prop->Sub) Fail(name + " has no sub-properties");
    object = prop->Sub(holder);
    type = FindLayoutType(prop->SubType);
    if (!type) Fail("the type of " + name + " is not registered");
    path.remove_prefix(dot + 1);
  }
}

void TLayoutReader::Apply(void* object, std::type_index typeIndex, const std::vector<TLayoutProperty>& properties) {
  const TLayoutType* type = FindLayoutType(typeIndex);
  if (!type) Fail("the item type is not registered");
  std::string object_name = place_.Object;
  for (const auto& property : properties) {
    place_ = {object_name, property.Name, property.Line};
    SetProperty(object, type, property);
  }
}

std::any TLayoutReader::Handler(const std::string& name) {
  for (const TLayoutType* type = FindLayoutType(typeid(*root_)); type; type = BaseOf(type)) {
    auto it = type->Handlers.find(name);
    if (it != type->Handlers.end()) return it->second(root_);
  }
  throw EPropertyValue("unknown handler " + name);
}

void TLayoutReader::Reference(const std::string& ident, std::function<void(TComponent*)> apply) {
  if (SameName(ident, "nil")) {
    apply(nullptr);
    return;
  }
  if (std::count(ident.begin(), ident.end(), '.') > 1) throw EPropertyValue("a reference is name or form.name");
  local_refs_.push_back({ident, std::move(apply), place_});
}

void LoadLayout(TComponent* root, std::string_view text, const std::string& fileName) {
  TLayoutObject layout = ParseLayout(text, fileName);
  TLayoutReader reader(root, fileName);
  reader.Read(layout);
  LoadedRoots().Add(root);
  ResolvePending(root);
}

void LoadLayoutResource(TComponent* root, const std::wstring& path) {
  std::span<const uint8_t> bytes;
  try {
    bytes = ResourceBytes(path);
  } catch (const EResNotFound&) {
    throw ELayoutError(WideToUtf8(path), 0, "", "", "no such layout among the embedded resources");
  }
  LoadLayout(root, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), WideToUtf8(path));
}

std::vector<std::string> PendingLayoutReferences() {
  std::vector<std::string> list;
  for (const auto& ref : LoadedRoots().pending)
    list.push_back(ref.file + ":" + std::to_string(ref.line) + ": " + ref.object + "." + ref.property + " -> " +
                   ref.form + "." + ref.component);
  return list;
}
