// What the skinned-control tests share: a form whose handlers log the
// events of its controls, the resource form's picture lists, and small
// helpers for pictures and pixels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/PngImage.h"
#include "framework/Picture.h"

class TControlsForm : public TForm {
 public:
  using TForm::TForm;

  std::vector<std::string> Log;
  // Log entries since the last call, then forgotten.
  std::vector<std::string> Take();

  void ItemClick(TObject* Sender);
  void ItemEnter(TObject* Sender);
  void ItemLeave(TObject* Sender);
  void ItemDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ItemUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};

// A form read from a layout text, shown when show is set.
TControlsForm* MakeForm(const std::string& layout, bool show = true);

// The picture lists of the resource form, read once from its stored layout
// into a form named frmResource, so that test layouts can refer to them as
// the main window does (frmResource.imgListTab).
TForm* SkinLists();

// The layout objects of the split page's up-down MyUpdown1 on the edit
// block_edt (which the layout gives), with its two arrow buttons bound to
// the resource form's arrow pictures (SkinLists).
extern const char* const kUpdownObjects;
// The split page's unit box size_com_box (at 300, 96, twelve items) with
// its drop-down button OrvVclButton2 and its list bar OrvVclScrollBar4, in
// the Blue style of the resource form's third scroll-bar list.
extern const char* const kComboObjects;

// A PNG picture of one colour and alpha.
std::unique_ptr<TPicture> SolidPicture(int width, int height, TColor color, uint8_t alpha = 255);
// $00BBGGRR of a pixel of a PNG picture.
TColor PngPixel(const TPngImage& png, int x, int y);
// $00BBGGRR of a pixel as the window shows it now, read from its client
// area or, with wholeWindow, from the window rectangle (frame included).
// Reading the window itself needs no message pumping, so no input from the
// real cursor reaches the controls meanwhile.
TColor WindowPixel(HWND wnd, int x, int y, bool wholeWindow = false);
// Whether two PNG pictures hold the same colour and alpha bytes.
bool SamePixels(const TPngImage& a, const TPngImage& b);
