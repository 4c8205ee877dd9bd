// Stored layouts: the text format that describes a form's components and
// their properties, the class registry with the per-class property tables,
// and the reader that creates components from a layout.
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
//
// A class registers itself and its published properties once, from its
// own unit, with a static registration (programs link every unit of the
// libraries whose classes layouts name, so that these all run):
//
//   static const bool registered = [] {
//     RegisterClass<TXImageButton, TImage>("TXImageButton")
//         .Prop("Caption", &TXImageButton::SetCaption)
//         .Prop("CaptionAlign", &TXImageButton::SetCaptionAlign)
//         .Ref("PicImageList", &TXImageButtonColor::SetPicImageList);
//     return true;
//   }();
//
// A form class registers its layout, its component fields and its handlers:
//
//   RegisterClass<TfrmMain, TForm>("TfrmMain")
//       .Layout(L"forms/frmMain.lfm")
//       .Field("btnMin", &TfrmMain::btnMin)
//       .Handler("btnMinClick", &TfrmMain::btnMinClick);
//
// Unknown classes, properties, values, handlers and references are errors
// (ELayoutError) that name the file, line, object and property.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <any>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

class TPicture;

struct ELayoutError : std::runtime_error {
  ELayoutError(std::string file, int line, std::string object, std::string property,
               const std::string& problem);
  std::string File;
  int Line;
  std::string Object;
  std::string Property;
};

// Raised by a property setter for a value it cannot take; the reader adds
// the place.
struct EPropertyValue : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// ---------------------------------------------------------------- parsed text

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

TLayoutObject ParseLayout(std::string_view text, const std::string& fileName);

// ---------------------------------------------------------------- registry

class TLayoutReader;

struct TNameLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

using TPropertySetter = std::function<void(void* object, const TLayoutValue& value, TLayoutReader& reader)>;

struct TLayoutProp {
  TPropertySetter Set;                     // for a value
  std::function<void*(void*)> Sub;         // for a sub-object (Font, Items, Brush)
  std::type_index SubType = typeid(void);
};

// The property table and the factory of one class.
struct TLayoutType {
  std::string Name;
  std::type_index Type = typeid(void);
  std::optional<std::type_index> Base;
  std::function<void*(void*)> ToBase;                   // a pointer to this class as one to Base
  std::function<TComponent*(TComponent*)> Create;       // null for abstract and non-component types
  std::function<void*(TComponent*)> FromComponent;      // null for non-component types
  std::map<std::string, TLayoutProp, TNameLess> Props;
  std::map<std::string, std::function<std::any(TComponent*)>, TNameLess> Handlers;
  std::map<std::string, std::function<bool(TComponent*, TComponent*)>, TNameLess> Fields;
  std::wstring LayoutPath;
};

TLayoutType& RegisterLayoutType(std::type_index type, const std::string& name);
const TLayoutType* FindLayoutType(std::type_index type);
const TLayoutType* FindLayoutClass(const std::string& className);
// The layout registered for the class of root (or one of its bases); empty when none.
std::wstring LayoutPathOf(const TComponent& root);

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

// Fluent registration of a class's properties, fields and handlers.
template <class C>
class TRegistration {
 public:
  explicit TRegistration(TLayoutType& type) : type_(&type) {}

  // A value property with a setter: integers, bool, std::wstring, TColor
  // and registered enumerations.
  template <class Owner, class V>
  TRegistration& Prop(const std::string& name, void (Owner::*setter)(V)) {
    static_assert(std::is_base_of_v<Owner, C>);
    return Custom(name, [setter](C& object, const TLayoutValue& value, TLayoutReader&) {
      (object.*setter)(ConvertLayoutValue<V>(value));
    });
  }
  // A set of flags, by the names of its members.
  template <class Owner, class V>
  TRegistration& Set(const std::string& name, void (Owner::*setter)(V), TEnumNames names) {
    return Custom(name, [setter, names](C& object, const TLayoutValue& value, TLayoutReader&) {
      (object.*setter)(static_cast<V>(ValueToSet(value, names)));
    });
  }
  // Any property, converted by the caller.
  template <class F>
  TRegistration& Custom(const std::string& name, F apply) {
    type_->Props[name].Set = [apply](void* object, const TLayoutValue& value, TLayoutReader& reader) {
      apply(*static_cast<C*>(object), value, reader);
    };
    return *this;
  }
  // A sub-object whose own properties are set by path (Font.Name).
  template <class Owner, class S>
  TRegistration& Object(const std::string& name, S& (Owner::*accessor)()) {
    auto& prop = type_->Props[name];
    prop.Sub = [accessor](void* object) -> void* { return &(static_cast<C*>(object)->*accessor)(); };
    prop.SubType = typeid(S);
    return *this;
  }
  // A picture by its path under resources/: held by the object, or handed to a setter.
  template <class Owner>
  TRegistration& Picture(const std::string& name, TPicture& (Owner::*accessor)()) {
    return Custom(name, [accessor](C& object, const TLayoutValue& value, TLayoutReader&) {
      ValueToPicture(value, (object.*accessor)());
    });
  }
  template <class Owner>
  TRegistration& Picture(const std::string& name, void (Owner::*setter)(TPicture*));
  // An event field, bound to a handler of the root form by name.
  template <class Owner, class E>
  TRegistration& Event(const std::string& name, E Owner::*field);
  // A reference to a component of this or another form (form.name); nil clears it.
  template <class Owner, class T>
  TRegistration& Ref(const std::string& name, void (Owner::*setter)(T*));
  // A collection: every item is made by add and gets its properties.
  template <class Item, class F>
  TRegistration& Collection(const std::string& name, F add);

  // The form's component field bound to the component of that name.
  template <class T>
  TRegistration& Field(const std::string& name, T* C::*field) {
    type_->Fields[name] = [field](TComponent* root, TComponent* component) {
      T* typed = dynamic_cast<T*>(component);
      if (!typed) return false;
      dynamic_cast<C*>(root)->*field = typed;
      return true;
    };
    return *this;
  }
  // A handler method of the form, bound by name to events of its components.
  template <class... A>
  TRegistration& Handler(const std::string& name, void (C::*method)(A...)) {
    type_->Handlers[name] = [method](TComponent* root) -> std::any {
      C* form = dynamic_cast<C*>(root);
      return std::function<void(A...)>([form, method](A... args) { (form->*method)(std::forward<A>(args)...); });
    };
    return *this;
  }
  // The path under resources/ of the form's layout.
  TRegistration& Layout(const std::wstring& path) {
    type_->LayoutPath = path;
    return *this;
  }

 private:
  TLayoutType* type_;
};

// Registers a class whose instances layouts can create (when it is a
// concrete component) and whose properties they can set. Base is the
// registered class it inherits its properties from.
template <class C, class Base = void>
TRegistration<C> RegisterClass(const std::string& name) {
  TLayoutType& type = RegisterLayoutType(typeid(C), name);
  if constexpr (!std::is_void_v<Base>) {
    static_assert(std::is_base_of_v<Base, C>);
    type.Base = std::type_index(typeid(Base));
    type.ToBase = [](void* p) -> void* { return static_cast<Base*>(static_cast<C*>(p)); };
  }
  if constexpr (std::is_base_of_v<TComponent, C>) {
    type.FromComponent = [](TComponent* c) -> void* { return dynamic_cast<C*>(c); };
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>)
      type.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
  }
  return TRegistration<C>(type);
}

// ---------------------------------------------------------------- reading

// Reads one layout into its root component. References to components of
// forms that have not loaded yet wait until those forms load.
class TLayoutReader {
 public:
  TLayoutReader(TComponent* root, std::string fileName);
  void Read(const TLayoutObject& layout);

  // The handler of that name on the root (its class or a base), as the
  // std::function the handler's signature gives.
  std::any Handler(const std::string& name);
  // Resolves a component reference (name, form.name or nil) now or when
  // its form has loaded, and hands the component (null for nil) to apply.
  void Reference(const std::string& ident, std::function<void(TComponent*)> apply);
  // Sets the properties of an object of a registered type.
  void Apply(void* object, std::type_index type, const std::vector<TLayoutProperty>& properties);
  TComponent* Root() const { return root_; }

 private:
  struct TPlace {
    std::string Object;
    std::string Property;
    int Line = 0;
  };
  [[noreturn]] void Fail(const std::string& problem) const;
  void ReadObject(TComponent* component, const TLayoutObject& layout);
  void SetProperty(void* object, const TLayoutType* type, const TLayoutProperty& property);
  TComponent* CreateChild(TComponent* parent, const TLayoutObject& layout);
  void BindField(TComponent* component);

  TComponent* root_;
  std::string file_;
  TPlace place_;
  std::vector<TComponent*> loaded_;
  struct TLocalRef {
    std::string Ident;
    std::function<void(TComponent*)> Apply;
    TPlace Place;
  };
  std::vector<TLocalRef> local_refs_;
};

// Reads a layout text into root (which must be of the class the layout
// names), calls Loaded on every component it created, and resolves the
// references that waited for this root.
void LoadLayout(TComponent* root, std::string_view text, const std::string& fileName);
// The same from the embedded file under resources/.
void LoadLayoutResource(TComponent* root, const std::wstring& path);
// References that still wait for a form that has not loaded, as
// "file:line: object.property -> form.component".
std::vector<std::string> PendingLayoutReferences();

// ---------------------------------------------------------------- templates

template <class C>
template <class Owner, class E>
TRegistration<C>& TRegistration<C>::Event(const std::string& name, E Owner::*field) {
  return Custom(name, [field, name](C& object, const TLayoutValue& value, TLayoutReader& reader) {
    if (value.Kind != TLayoutValue::vkIdent) throw EPropertyValue("a handler name is expected");
    if (value.Ident == "nil") {
      object.*field = nullptr;
      return;
    }
    std::any handler = reader.Handler(value.Ident);
    E* typed = std::any_cast<E>(&handler);
    if (!typed) throw EPropertyValue("handler " + value.Ident + " does not fit the event " + name);
    object.*field = *typed;
  });
}

template <class C>
template <class Owner, class T>
TRegistration<C>& TRegistration<C>::Ref(const std::string& name, void (Owner::*setter)(T*)) {
  return Custom(name, [setter](C& object, const TLayoutValue& value, TLayoutReader& reader) {
    if (value.Kind != TLayoutValue::vkIdent) throw EPropertyValue("a component name is expected");
    C* target = &object;
    reader.Reference(value.Ident, [target, setter](TComponent* component) {
      T* typed = dynamic_cast<T*>(component);
      if (component && !typed) throw EPropertyValue(component->Name() + " is not of the class this property takes");
      (target->*setter)(typed);
    });
  });
}

template <class C>
template <class Item, class F>
TRegistration<C>& TRegistration<C>::Collection(const std::string& name, F add) {
  return Custom(name, [add](C& object, const TLayoutValue& value, TLayoutReader& reader) {
    if (value.Kind != TLayoutValue::vkCollection) throw EPropertyValue("a collection <item ... end> is expected");
    for (const auto& item : value.Items) {
      Item* created = add(object);
      reader.Apply(created, typeid(Item), item);
    }
  });
}

template <class C>
template <class Owner>
TRegistration<C>& TRegistration<C>::Picture(const std::string& name, void (Owner::*setter)(TPicture*)) {
  return Custom(name, [setter](C& object, const TLayoutValue& value, TLayoutReader&) {
    ValueToNewPicture(value, [&](TPicture* picture) { (object.*setter)(picture); });
  });
}
