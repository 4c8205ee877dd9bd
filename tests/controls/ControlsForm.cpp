#include "tests/controls/ControlsForm.h"

#include <cstring>
#include <sstream>
#include <utility>

#include "framework/Layout.h"
#include "framework/Resources.h"
#include "tests/harness/Harness.h"

namespace {

std::string NameOf(TObject* sender) {
  auto* component = dynamic_cast<TComponent*>(sender);
  return component ? component->Name() : "?";
}

const bool registered = [] {
  RegisterClass<TControlsForm, TForm>("TControlsForm")
      .Handler("ItemClick", &TControlsForm::ItemClick)
      .Handler("ItemEnter", &TControlsForm::ItemEnter)
      .Handler("ItemLeave", &TControlsForm::ItemLeave)
      .Handler("ItemDown", &TControlsForm::ItemDown)
      .Handler("ItemUp", &TControlsForm::ItemUp);
  return true;
}();

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

std::vector<std::string> TControlsForm::Take() { return std::exchange(Log, {}); }

void TControlsForm::ItemClick(TObject* Sender) { Log.push_back("click " + NameOf(Sender)); }
void TControlsForm::ItemEnter(TObject* Sender) { Log.push_back("enter " + NameOf(Sender)); }
void TControlsForm::ItemLeave(TObject* Sender) { Log.push_back("leave " + NameOf(Sender)); }

void TControlsForm::ItemDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  Log.push_back("down " + NameOf(Sender) + " " + std::to_string(Button));
}

void TControlsForm::ItemUp(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  Log.push_back("up " + NameOf(Sender) + " " + std::to_string(Button));
}

TControlsForm* MakeForm(const std::string& layout, bool show) { return harness::MakeForm<TControlsForm>(layout, show); }

TForm* SkinLists() {
  static TForm* lists = [] {
    auto bytes = ResourceBytes(L"forms/frmResource.lfm");
    const std::string layout(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return MakeForm("object frmResource: TControlsForm\n  Visible = False\n" + PictureListObjects(layout) + "end\n",
                    false);
  }();
  return lists;
}

const char* const kUpdownObjects = R"(
  object XImageButtonColor2: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList9
  end
  object XImageButtonColor1: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList8
  end
  object MyUpdown1: TMyUpdown
    Width = 15
    Height = 19
    BevelOuter = bvNone
    Color = $00F9EEE3
    Max = 999
    Min = 2
    Associate = block_edt
    UpButton = XImageButtonColor2
    DownButton = XImageButtonColor1
  end
)";

const char* const kComboObjects = R"(
  object OrvVclButton2: TOrvVclButton
    XPicList = frmResource.XImageButtonPicList2
  end
  object OrvVclScrollBar4: TOrvVclScrollBar
    Kind = sbVertical
    Visible = False
    PicList = frmResource.OrvVclScrollbarPicList3
    Picstyle = 4
  end
  object size_com_box: TOrvVclComboBox
    Left = 300
    Top = 96
    Width = 120
    Style = csDropDownList
    Color = clWhite
    Items.Strings = ('MB' 'KB' 'byte(s)' 'unit 4' 'unit 5' 'unit 6' 'unit 7' 'unit 8' 'unit 9' 'unit 10' 'unit 11' 'unit 12')
    ItemIndex = 0
    MyButton = OrvVclButton2
    MyScrollbar = OrvVclScrollBar4
    PicList = frmResource.OrvVclScrollbarPicList3
    Picstyle = 4
  end
)";

std::unique_ptr<TPicture> SolidPicture(int width, int height, TColor color, uint8_t alpha) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = png.Scanline(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(color >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(color >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(color);
    }
    std::memset(png.AlphaScanline(y), alpha, static_cast<size_t>(width));
  }
  auto picture = std::make_unique<TPicture>();
  picture->SetGraphic(&png);
  return picture;
}

TColor PngPixel(const TPngImage& png, int x, int y) {
  const uint8_t* p = png.Scanline(y) + 3 * x;
  return TColor{p[2]} | TColor{p[1]} << 8 | TColor{p[0]} << 16;
}

TColor WindowPixel(HWND wnd, int x, int y, bool wholeWindow) {
  HDC dc = wholeWindow ? GetWindowDC(wnd) : GetDC(wnd);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return pixel;
}

bool SamePixels(const TPngImage& a, const TPngImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.HasAlpha() != b.HasAlpha()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Scanline(y), b.Scanline(y), 3 * static_cast<size_t>(a.Width())) != 0) return false;
    if (a.HasAlpha() && std::memcmp(a.AlphaScanline(y), b.AlphaScanline(y), static_cast<size_t>(a.Width())) != 0)
      return false;
  }
  return true;
}
