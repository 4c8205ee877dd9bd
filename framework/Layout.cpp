#include "framework/Layout.h"

#include <algorithm>
#include <utility>

#include "framework/Resources.h"

TLayoutReader::TLayoutReader(TComponent* root, std::string fileName) : root_(root), file_(std::move(fileName)) {}

void TLayoutReader::Fail(const std::string& problem) const {
  throw ELayoutError(file_, place_.Line, place_.Object, place_.Property, problem);
}

void TLayoutReader::At(const std::string& object, const std::string& property, int line) {
  place_ = {file_, line, object, property};
}

void TLayoutReader::Read(const TLayoutObject& layout) {
  At(layout.Name, "", layout.Line);
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

  for (auto& ref : std::exchange(local_refs_, {})) ResolveReference(root_, ref.Ident, ref.Place, std::move(ref.Apply));
  for (TComponent* component : loaded_) component->Loaded();
}

void TLayoutReader::ReadObject(TComponent* component, const TLayoutObject& layout) {
  const TLayoutType* type = FindLayoutType(typeid(*component));
  void* object = type->FromComponent(component);
  for (const auto& property : layout.Properties) {
    At(layout.Name, property.Name, property.Line);
    SetProperty(object, type, property);
  }
  for (const auto& child : layout.Children) {
    At(child.Name, "", child.Line);
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
  for (const TLayoutType* type = FindLayoutType(typeid(*root_)); type; type = BaseLayoutType(type)) {
    auto it = type->Fields.find(component->Name());
    if (it == type->Fields.end()) continue;
    if (!it->second(root_, component))
      Fail("the field " + component->Name() + " of " + FindLayoutType(typeid(*root_))->Name +
           " does not take this class");
    return;
  }
}

// Follows a path (Font.Name) through the sub-objects to the last name's setter.
void TLayoutReader::SetProperty(void* object, const TLayoutType* type, const TLayoutProperty& property) {
  std::string_view path = property.Name;
  for (;;) {
    auto dot = path.find('.');
    std::string name(path.substr(0, dot));
    void* holder = object;
    const TLayoutProp* prop = FindProperty(type, name, holder);
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

const TLayoutProp* TLayoutReader::FindProperty(const TLayoutType* type, const std::string& name, void*& object) {
  for (const TLayoutType* t = type; t; t = BaseLayoutType(t)) {
    auto it = t->Props.find(name);
    if (it != t->Props.end()) return &it->second;
    if (!t->ToBase) break;
    object = t->ToBase(object);
  }
  return nullptr;
}

void TLayoutReader::Apply(void* object, std::type_index typeIndex, const std::vector<TLayoutProperty>& properties) {
  const TLayoutType* type = FindLayoutType(typeIndex);
  if (!type) Fail("the item type is not registered");
  std::string object_name = place_.Object;
  for (const auto& property : properties) {
    At(object_name, property.Name, property.Line);
    SetProperty(object, type, property);
  }
}

std::any TLayoutReader::Handler(const std::string& name) {
  for (const TLayoutType* type = FindLayoutType(typeid(*root_)); type; type = BaseLayoutType(type)) {
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
  RootLoaded(root);
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

// ---------------------------------------------------------------- the base types

namespace {

// The reader registers the framework's base types that every layout holds:
// components, string lists, fonts, pens and brushes. The units of those
// types stay below the layout reader that way.
const bool registered = [] {
  RegisterClass<TComponent>("TComponent").Custom("Tag", [](TComponent& c, const TLayoutValue& value, TLayoutReader&) {
    c.Tag = static_cast<intptr_t>(ValueToInteger(value, INTPTR_MIN, INTPTR_MAX));
  });
  RegisterClass<TStrings>("TStrings").Custom(
      "Strings", [](TStrings& strings, const TLayoutValue& value, TLayoutReader&) {
        strings.Assign(ValueToStrings(value));
      });

  RegisterEnum<TFontPitch>({{"fpDefault", fpDefault}, {"fpVariable", fpVariable}, {"fpFixed", fpFixed}});
  RegisterEnum<TPenStyle>({{"psSolid", psSolid},
                           {"psDash", psDash},
                           {"psDot", psDot},
                           {"psDashDot", psDashDot},
                           {"psDashDotDot", psDashDotDot},
                           {"psClear", psClear}});
  RegisterEnum<TBrushStyle>({{"bsSolid", bsSolid}, {"bsClear", bsClear}});
  RegisterClass<TFont>("TFont")
      .Prop("Name", &TFont::SetName)
      .Prop("Height", &TFont::SetHeight)
      .Prop("Size", &TFont::SetSize)
      .Prop("Color", &TFont::SetColor)
      .Set("Style", &TFont::SetStyle,
           {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}})
      .Custom("Charset",
              [](TFont& font, const TLayoutValue& value, TLayoutReader&) {
                static const TEnumNames names = {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                 {"ANSI_CHARSET", ANSI_CHARSET},
                                                 {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                                 {"OEM_CHARSET", OEM_CHARSET}};
                font.SetCharset(static_cast<BYTE>(value.Kind == TLayoutValue::vkIdent
                                                      ? ValueToEnum(value, names, "charset")
                                                      : ValueToInteger(value, 0, 255)));
              })
      .Prop("Pitch", &TFont::SetPitch)
      .Prop("Orientation", &TFont::SetOrientation);
  RegisterClass<TPen>("TPen")
      .Prop("Color", &TPen::SetColor)
      .Prop("Width", &TPen::SetWidth)
      .Prop("Style", &TPen::SetStyle);
  RegisterClass<TBrush>("TBrush").Prop("Color", &TBrush::SetColor).Prop("Style", &TBrush::SetStyle);
  return true;
}();

}  // namespace
