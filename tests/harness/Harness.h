// The GUI test harness: forms are created in-process, input is sent as
// real window messages to the windows the controls live in, dialogs and
// message boxes answer from queues, and pixels come from the framework's
// own paint path or from what a window shows.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/Picture.h"
#include "framework/PngImage.h"

namespace harness {

// Once per test program: the application object, common controls, and the
// dialog script switched on so that no real dialog can open.
void InitGui();

// Handles waiting messages (timers that are due included) for at least
// milliseconds; with 0, until the queue is empty.
void Pump(int milliseconds = 0);
// Pumps until done() holds or timeoutMs passes; answers done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// Creates a form of class F, owned by the application, from a layout text;
// when show is set it is shown with the mouse parked outside it.
void ShowFresh(TForm* form);
template <class F>
F* MakeForm(const std::string& layout, bool show = true) {
  InitGui();
  auto* form = new F(Application);
  try {
    form->ReadLayoutText(layout, "test.lfm");
  } catch (...) {
    form->Free();
    throw;
  }
  if (show) ShowFresh(form);
  return form;
}

// The component of that name owned by root, as a T; throws (and so fails
// the test) when there is none or it is of another class.
TComponent* FindComponent(TComponent* root, const std::string& name);
template <class T = TControl>
T* Find(TComponent* root, const std::string& name) {
  auto* found = dynamic_cast<T*>(FindComponent(root, name));
  if (!found) throw std::runtime_error(name + " is not of the class the test expects");
  return found;
}

// Mouse input at a point of the control's client area (its centre when
// x and y are -1), sent to the window that displays it. The real cursor
// is moved there as well, so that leave tracking sees it inside. A press
// and a release are each preceded by a move to their point, as the mouse
// would send.
void MouseMove(TControl* control, int x = -1, int y = -1);
void MouseDown(TControl* control, TMouseButton button = mbLeft, int x = -1, int y = -1);
void MouseUp(TControl* control, TMouseButton button = mbLeft, int x = -1, int y = -1);
// Move, press and release the left button over the control.
void Click(TControl* control, int x = -1, int y = -1);
void DblClick(TControl* control);
// Moves the mouse out of the control's window (the window is told it left).
void MoveAway(TControl* control);
// Puts the real cursor in the screen's top-left corner and lets the pointer
// events of earlier moves arrive, so that they reach no window made later.
void ParkMouse();

// A key pressed with the shift keys held: its key-down message goes to the
// focused window through the application's message loop, which gets the
// chance to use it before it is translated.
void Key(WORD key, TShiftState shift = 0);

// Types text into a windowed control as WM_CHAR messages, one per character.
void Type(TWinControl* control, const std::wstring& text);

// Dialog answers, in order of the dialogs to come.
void QueueOpen(const std::wstring& path);
void QueueSave(const std::wstring& path);
void QueueFolder(const std::wstring& path);
void QueueCancel(TDialogKind kind);
// Message-box answers of the support-library double (IDOK 1, IDYES 6, IDNO 7).
void QueueMessageBoxAnswer(int answer);
// Forgets queued answers and recorded calls of dialogs and message boxes.
void ResetScripts();

// The window painted into a bitmap through the framework's paint path
// (windowed children included), at the window's client size.
std::unique_ptr<TBitmap> Render(TWinControl* window);
// What the window shows once the waiting messages (paints included) are
// handled, read from its own pixels. Nothing is painted afresh, so a
// change that was never repainted shows as it was before.
std::unique_ptr<TBitmap> CaptureScreen(TWinControl* window);
// $00BBGGRR of a pixel of a bitmap.
TColor PixelAt(const TBitmap& bitmap, int x, int y);
// The smallest rectangle in area that holds every pixel of another colour
// than background (empty when there is none).
TRect InkBox(const TBitmap& bitmap, TColor background, const TRect& area);
// Writes the bitmap as build/screens/<name>.png and answers the path.
std::wstring SaveScreenshot(const TBitmap& bitmap, const std::wstring& name);

// A PNG picture of one colour and alpha.
std::unique_ptr<TPicture> SolidPicture(int width, int height, TColor color, uint8_t alpha = 255);
// $00BBGGRR of a pixel of a PNG picture.
TColor PngPixel(const TPngImage& png, int x, int y);
// Whether two PNG pictures hold the same colour and alpha bytes.
bool SamePixels(const TPngImage& a, const TPngImage& b);

}  // namespace harness
