// Stored layouts: reading a layout into the components it describes. The
// text is parsed by framework/LayoutParser.h, its values converted by
// framework/LayoutValues.h, its classes and properties found in the class
// registry (framework/LayoutRegistry.h) and its references to components
// of other forms resolved by framework/LayoutReferences.h.
//
// Unknown classes, properties, values, handlers and references are errors
// (ELayoutError) that name the file, line, object and property.
#pragma once

#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "framework/Classes.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReferences.h"
#include "framework/LayoutRegistry.h"
#include "framework/LayoutValues.h"

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
  [[noreturn]] void Fail(const std::string& problem) const;
  // The place that messages name from now on.
  void At(const std::string& object, const std::string& property, int line);
  void ReadObject(TComponent* component, const TLayoutObject& layout);
  void SetProperty(void* object, const TLayoutType* type, const TLayoutProperty& property);
  // The property of that name on type or one of its bases; object becomes
  // a pointer to the base that declares it.
  static const TLayoutProp* FindProperty(const TLayoutType* type, const std::string& name, void*& object);
  TComponent* CreateChild(TComponent* parent, const TLayoutObject& layout);
  void BindField(TComponent* component);

  TComponent* root_;
  std::string file_;
  TReferencePlace place_;
  std::vector<TComponent*> loaded_;
  struct TLocalRef {
    std::string Ident;
    std::function<void(TComponent*)> Apply;
    TReferencePlace Place;
  };
  std::vector<TLocalRef> local_refs_;
};

// Reads a layout text into root (which must be of the class the layout
// names), calls Loaded on every component it created, and resolves the
// references that waited for this root.
void LoadLayout(TComponent* root, std::string_view text, const std::string& fileName);
// The same from the embedded file under resources/.
void LoadLayoutResource(TComponent* root, const std::wstring& path);

// ---------------------------------------------------------------- registrations that the reader resolves

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
