#include "tests/controls/SkinLists.h"

#include <sstream>

#include "framework/Resources.h"
#include "tests/harness/EventForm.h"

namespace {

// The top-level picture lists and image lists of a layout text.
std::string PictureListObjects(const std::string& layout) {
  std::istringstream in(layout);
  std::string line, objects;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool skinned = line.find(": TX") != std::string::npos || line.find(": TOrvVcl") != std::string::npos;
    if (line.rfind("  object ", 0) == 0 &&
        ((skinned && line.find("PicList") != std::string::npos) || line.find(": TImageList") != std::string::npos))
      inside = true;
    if (inside) objects += line + "\n";
    if (line == "  end") inside = false;
  }
  return objects;
}

}  // namespace

TForm* SkinLists() {
  static TForm* lists = [] {
    auto bytes = ResourceBytes(L"forms/frmResource.lfm");
    const std::string layout(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return MakeForm("object frmResource: TEventForm\n  Visible = False\n" + PictureListObjects(layout) + "end\n",
                    false);
  }();
  return lists;
}
