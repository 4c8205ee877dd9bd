// References from one form's layout to components of a form (its own or
// another): resolved at once when that form has loaded, else kept until it
// loads. The forms that have loaded are known by name until they go.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

// Where a reference stands, for the messages.
struct TReferencePlace {
  std::string File;
  int Line = 0;
  std::string Object;
  std::string Property;
};

// Resolves ident (name, or form.name) that the layout of root holds: now
// when the form is root or one that has loaded, else when that form loads.
// apply gets the component; a missing component, or an EPropertyValue from
// apply, is an ELayoutError at place.
void ResolveReference(TComponent* root, const std::string& ident, const TReferencePlace& place,
                      std::function<void(TComponent*)> apply);
// root has loaded: later references find it, and those that waited for it
// are resolved now.
void RootLoaded(TComponent* root);
// References that still wait for a form that has not loaded, as
// "file:line: object.property -> form.component".
std::vector<std::string> PendingLayoutReferences();
