#include "framework/LayoutReferences.h"

#include <algorithm>

#include "framework/LayoutValues.h"

namespace {

struct TPendingRef {
  TComponent* source;  // the root that holds the reference
  TReferencePlace place;
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

// Hands target to apply, or reports at place why it cannot be.
void Apply(TComponent* target, const std::string& form, const std::string& name, const TReferencePlace& place,
           const std::function<void(TComponent*)>& apply) {
  try {
    if (!target) throw EPropertyValue(form + " has no component " + name);
    apply(target);
  } catch (const EPropertyValue& e) {
    throw ELayoutError(place.File, place.Line, place.Object, place.Property, e.what());
  }
}

}  // namespace

void ResolveReference(TComponent* root, const std::string& ident, const TReferencePlace& place,
                      std::function<void(TComponent*)> apply) {
  const auto dot = ident.find('.');
  const bool qualified = dot != std::string::npos;
  const std::string form = qualified ? ident.substr(0, dot) : root->Name();
  const std::string name = qualified ? ident.substr(dot + 1) : ident;
  TComponent* owner = SameName(form, root->Name()) ? root : LoadedRoots().Find(form);
  if (!owner) {
    LoadedRoots().pending.push_back({root, place, form, name, std::move(apply)});
    return;
  }
  // An unqualified name of the root itself is the root.
  TComponent* target = owner == root && !qualified && SameName(name, root->Name()) ? root : owner->FindComponent(name);
  Apply(target, form, name, place, apply);
}

void RootLoaded(TComponent* root) {
  auto& loaded = LoadedRoots();
  loaded.Add(root);
  std::vector<TPendingRef> ready;
  for (auto it = loaded.pending.begin(); it != loaded.pending.end();) {
    if (SameName(it->form, root->Name())) {
      ready.push_back(std::move(*it));
      it = loaded.pending.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& ref : ready) Apply(root->FindComponent(ref.component), ref.form, ref.component, ref.place, ref.apply);
}

std::vector<std::string> PendingLayoutReferences() {
  std::vector<std::string> list;
  for (const auto& ref : LoadedRoots().pending)
    list.push_back(ref.place.File + ":" + std::to_string(ref.place.Line) + ": " + ref.place.Object + "." +
                   ref.place.Property + " -> " + ref.form + "." + ref.component);
  return list;
}
