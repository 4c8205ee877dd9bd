#include "controls/OrvVclEdit.h"

#include "controls/OrvVclPublic.h"
#include "framework/Layout.h"

TOrvVclEdit::TOrvVclEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetBorderWidth(2);
}

void TOrvVclEdit::SetPicList(TOrvVclPopupMenuPicList* value) {
  pic_list_ = value;
  RepaintWindow();
}

void TOrvVclEdit::SetPicstyle(int value) {
  if (value < 1 || value > TOrvVclPopupMenuPicList::StyleCount) return;
  picstyle_ = value;
  RepaintWindow();
}

void TOrvVclEdit::RepaintWindow() {
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclEdit::WndProc(TMessage& m) {
  if (m.Msg != WM_NCPAINT && m.Msg != WM_ERASEBKGND && m.Msg != WM_PAINT) return TCustomEdit::WndProc(m);
  if (!Enabled()) {
    TCustomEdit::WndProc(m);
    DrawWindowFrame(Handle(), clSilver, Color(), true);
    return;
  }
  if (pic_list_) {
    SetColor(pic_list_->Color(picstyle_));
    Font().SetColor(pic_list_->FontColor(picstyle_));
  }
  // The band of the frame belongs to the frame alone.
  if (m.Msg != WM_NCPAINT) TCustomEdit::WndProc(m);
  if (pic_list_) DrawWindowFrame(Handle(), pic_list_->BorderColor(picstyle_), pic_list_->Color(picstyle_), true);
}

void TOrvVclEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  RepaintWindow();
}

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclEdit, TCustomEdit>("TOrvVclEdit")
      .Ref("PicList", &TOrvVclEdit::SetPicList)
      .Prop("Picstyle", &TOrvVclEdit::SetPicstyle);
  return true;
}();

}  // namespace
