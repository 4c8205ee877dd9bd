// The class registry: every class that layouts name registers itself and
// its published properties once, from its own unit, with a static
// registration (programs link every unit of the libraries whose classes
// layouts name, so that these all run):
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
// The registrations of events, references and collections, which the
// reader resolves, are defined with the reader (framework/Layout.h).
#pragma once

#include <any>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "framework/Classes.h"
#include "framework/LayoutValues.h"

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
// The registered class that type inherits its properties from; null for none.
const TLayoutType* BaseLayoutType(const TLayoutType* type);
// The layout registered for the class of root (or one of its bases); empty when none.
std::wstring LayoutPathOf(const TComponent& root);

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

template <class C>
template <class Owner>
TRegistration<C>& TRegistration<C>::Picture(const std::string& name, void (Owner::*setter)(TPicture*)) {
  return Custom(name, [setter](C& object, const TLayoutValue& value, TLayoutReader&) {
    ValueToNewPicture(value, [&](TPicture* picture) { (object.*setter)(picture); });
  });
}
