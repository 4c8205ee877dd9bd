#include "framework/LayoutRegistry.h"

#include <cctype>
#include <memory>
#include <unordered_map>

namespace {

std::string Lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Keyed by hash: the ordering of type_info is not a strict order when
// types of anonymous namespaces take part.
struct TRegistry {
  std::unordered_map<std::type_index, std::unique_ptr<TLayoutType>> types;
  std::map<std::string, TLayoutType*, TNameLess> byName;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

bool TNameLess::operator()(const std::string& a, const std::string& b) const { return Lower(a) < Lower(b); }

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

const TLayoutType* BaseLayoutType(const TLayoutType* type) {
  return type->Base ? FindLayoutType(*type->Base) : nullptr;
}

std::wstring LayoutPathOf(const TComponent& root) {
  for (const TLayoutType* type = FindLayoutType(typeid(root)); type; type = BaseLayoutType(type))
    if (!type->LayoutPath.empty()) return type->LayoutPath;
  return {};
}
