#include "framework/StdCtrls.h"

#include <oleacc.h>

#include <cwctype>

#include <algorithm>

#include "framework/Layout.h"

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAccessibleRole(arStaticText);
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAutoSize(bool value) {
  auto_size_ = value;
  AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
  layout_ = value;
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  word_wrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (word_wrap_) flags |= DT_WORDBREAK;
  else flags |= DT_SINGLELINE;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || Loading()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  std::wstring text = Caption().empty() ? L" " : Caption();
  RECT r{0, 0, word_wrap_ ? Width() : 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int width = word_wrap_ ? Width() : static_cast<int>(r.right);
  int left = alignment_ == taRightJustify && !word_wrap_ ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, r.bottom);
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (!transparent_) {
    canvas.Brush.SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(Font());
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  UINT flags = DrawFlags();
  std::wstring text = Caption();
  if (MnemonicShown()) {
    text = PrefixedCaption();
    flags &= ~DT_NOPREFIX;
  }
  if (layout_ != tlTop) {
    TRect measure = r;
    canvas.DrawText(text, measure, flags | DT_CALCRECT);
    int offset = r.Height() - measure.Height();
    if (layout_ == tlCenter) offset /= 2;
    r.Top += offset;
  }
  canvas.DrawText(text, r, flags);
}

std::wstring TLabel::PrefixedCaption() const {
  std::wstring text;
  bool marked = false;
  for (wchar_t c : Caption()) {
    if (c == L'&') text += L'&';
    if (!marked && static_cast<wchar_t>(towupper(c)) == Mnemonic()) {
      text += L'&';
      marked = true;
    }
    text += c;
  }
  return text;
}

void TLabel::MnemonicPressed() {
  if (focus_control_) focus_control_->SetFocus();
  else TGraphicControl::MnemonicPressed();
}

std::wstring TLabel::AccessibleName() const {
  std::wstring name = TGraphicControl::AccessibleName();
  return name.empty() ? Caption() : name;
}


// ---------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetAccessibleRole(arEditableText);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  Font().SetColor(clWindowText);
  SetParentFont(true);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"EDIT";
  params.NativeClass = true;
  params.Style |= ES_AUTOHSCROLL | WS_TABSTOP;
  params.Style &= ~WS_CLIPCHILDREN;
  if (read_only_) params.Style |= ES_READONLY;
  if (border_style_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(Handle(), EM_LIMITTEXT, max_length_, 0);
  last_text_ = GetText();
}

void TCustomEdit::DestroyWnd() { text_ = GetText(); }

void TCustomEdit::SetText(const std::wstring& value) {
  if (value == GetText()) return;
  text_ = value;
  if (HandleAllocated()) SetWindowTextW(Handle(), value.c_str());
  CheckChange();
}

void TCustomEdit::CheckChange() {
  std::wstring current = GetText();
  if (current == last_text_) return;
  last_text_ = current;
  Change();
}

void TCustomEdit::Change() {
  Notify(OnChange);
}

void TCustomEdit::SetReadOnly(bool value) {
  read_only_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  max_length_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, value, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == border_style_) return;
  border_style_ = value;
  RecreateWnd();
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    CheckChange();
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- TCustomComboBox

long TCustomEdit::AccessibleState() const { return read_only_ ? STATE_SYSTEM_READONLY : 0; }

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetAccessibleRole(arComboBox);
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  Font().SetColor(clWindowText);
  SetParentFont(true);
  items_.OnChange = [this] { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() { items_.OnChange = nullptr; }

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"COMBOBOX";
  params.NativeClass = true;
  params.Style |= WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL;
  params.Style &= ~WS_CLIPCHILDREN;
  params.Style |= style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  // The window height includes the list that drops down.
  params.Height = Height() + drop_down_count_ * 16 + 2;
}

void TCustomComboBox::CreateWnd() {
  int index = item_index_;
  std::wstring text = text_;
  TWinControl::CreateWnd();
  ItemsChanged();
  if (index >= 0) SetItemIndex(index);
  else if (style_ == csDropDown) SetWindowTextW(Handle(), text.c_str());
}

void TCustomComboBox::DestroyWnd() {
  item_index_ = ItemIndex();
  text_ = GetText();
}

void TCustomComboBox::ItemsChanged() {
  if (!HandleAllocated()) {
    if (!Loading() && item_index_ >= items_.Count()) item_index_ = -1;
    return;
  }
  HWND wnd = Handle();
  int index = ItemIndex();
  SendMessageW(wnd, CB_RESETCONTENT, 0, 0);
  for (const auto& item : items_.Items()) SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (index < items_.Count()) SendMessageW(wnd, CB_SETCURSEL, index, 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
  if (!const_cast<TCustomComboBox*>(this)->HandleAllocated()) return item_index_;
  return static_cast<int>(SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  // A layout may give ItemIndex or Text before the items.
  if (item_index_ >= items_.Count()) item_index_ = -1;
  if (style_ == csDropDownList && item_index_ < 0 && !text_.empty()) item_index_ = items_.IndexOf(text_);
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, item_index_, 0);
}

void TCustomComboBox::SetItemIndex(int value) {
  if (Loading()) {
    item_index_ = value;
    return;
  }
  if (value < -1 || value >= items_.Count()) value = -1;
  item_index_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, value, 0);
  if (value >= 0) text_ = items_[value];
}

std::wstring TCustomComboBox::GetText() const {
  if (style_ == csDropDownList) {
    int index = ItemIndex();
    return index >= 0 && index < items_.Count() ? items_[index] : std::wstring();
  }
  return TWinControl::GetText();
}

void TCustomComboBox::SetText(const std::wstring& value) {
  if (style_ == csDropDownList && !Loading()) {
    SetItemIndex(items_.IndexOf(value));
    return;
  }
  text_ = value;
  if (HandleAllocated()) SetWindowTextW(Handle(), value.c_str());
}

bool TCustomComboBox::DroppedDown() const {
  auto* self = const_cast<TCustomComboBox*>(this);
  return self->HandleAllocated() && SendMessageW(self->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::Change() {
  Notify(OnChange);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_SELCHANGE: {
        int index = ItemIndex();
        if (index >= 0) text_ = items_[index];
        Click();
        Select();
        return;
      }
      case CBN_EDITCHANGE:
        Change();
        return;
      case CBN_DROPDOWN:
        DropDown();
        return;
      case CBN_CLOSEUP:
        CloseUp();
        return;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"SCROLLBAR";
  params.NativeClass = true;
  params.Style &= ~WS_CLIPCHILDREN;
  params.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  WriteScrollInfo(SIF_ALL);
}

void TScrollBar::WriteScrollInfo(UINT mask) {
  if (!HandleAllocated()) return;
  SCROLLINFO info{sizeof(info), mask, min_, max_, static_cast<UINT>(page_size_), position_, 0};
  SendMessageW(Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (value == kind_) return;
  kind_ = value;
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) max = min;
  const bool range = min != min_ || max != max_;
  min_ = min;
  max_ = max;
  position = std::clamp(position, min_, max_);
  const bool moved = position != position_;
  position_ = position;
  if (range || moved) WriteScrollInfo((range ? SIF_RANGE : 0) | SIF_POS);
  if (moved) Change();
}

void TScrollBar::SetPageSize(int value) {
  page_size_ = std::max(value, 0);
  WriteScrollInfo(SIF_PAGE);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
  if (OnScroll) OnScroll(this, code, position);
}

void TScrollBar::Change() {
  Notify(OnChange);
}

void TScrollBar::HandleScroll(WPARAM wParam) {
  int position = position_;
  TScrollCode code = scEndScroll;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: code = scLineUp; position -= small_change_; break;
    case SB_LINEDOWN: code = scLineDown; position += small_change_; break;
    case SB_PAGEUP: code = scPageUp; position -= large_change_; break;
    case SB_PAGEDOWN: code = scPageDown; position += large_change_; break;
    case SB_THUMBPOSITION: code = scPosition; position = HIWORD(wParam); break;
    case SB_THUMBTRACK: code = scTrack; position = HIWORD(wParam); break;
    case SB_TOP: code = scTop; position = min_; break;
    case SB_BOTTOM: code = scBottom; position = max_; break;
    default: break;
  }
  // The last position a page of this size can reach.
  const int last = page_size_ > 0 ? std::max(min_, max_ - page_size_ + 1) : max_;
  position = std::clamp(position, min_, last);
  Scroll(code, position);
  SetPosition(position);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    HandleScroll(m.WParam);
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TTextLayout>({{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}});
  RegisterEnum<TComboBoxStyle>({{"csDropDown", csDropDown}, {"csDropDownList", csDropDownList}});
  RegisterEnum<TScrollBarKind>({{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}});
  RegisterClass<TLabel, TGraphicControl>("TLabel")
      .Prop("Caption", &TLabel::SetCaption)
      .Prop("AutoSize", &TLabel::SetAutoSize)
      .Prop("Transparent", &TLabel::SetTransparent)
      .Prop("Alignment", &TLabel::SetAlignment)
      .Prop("Layout", &TLabel::SetLayout)
      .Prop("WordWrap", &TLabel::SetWordWrap)
      .Ref("FocusControl", &TLabel::SetFocusControl);
  RegisterClass<TCustomEdit, TWinControl>("TCustomEdit")
      .Prop("Text", &TCustomEdit::SetText)
      .Prop("ReadOnly", &TCustomEdit::SetReadOnly)
      .Prop("MaxLength", &TCustomEdit::SetMaxLength)
      .Prop("BorderStyle", &TCustomEdit::SetBorderStyle)
      .Event("OnChange", &TCustomEdit::OnChange);
  RegisterClass<TEdit, TCustomEdit>("TEdit");
  RegisterClass<TCustomComboBox, TWinControl>("TCustomComboBox")
      .Prop("Style", &TCustomComboBox::SetStyle)
      .Object("Items", &TCustomComboBox::Items)
      .Prop("ItemIndex", &TCustomComboBox::SetItemIndex)
      .Prop("Text", &TCustomComboBox::SetText)
      .Prop("DropDownCount", &TCustomComboBox::SetDropDownCount)
      .Event("OnChange", &TCustomComboBox::OnChange)
      .Event("OnSelect", &TCustomComboBox::OnSelect)
      .Event("OnDropDown", &TCustomComboBox::OnDropDown)
      .Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
  RegisterClass<TComboBox, TCustomComboBox>("TComboBox");
  RegisterClass<TScrollBar, TWinControl>("TScrollBar")
      .Prop("Kind", &TScrollBar::SetKind)
      .Prop("Min", &TScrollBar::SetMin)
      .Prop("Max", &TScrollBar::SetMax)
      .Prop("Position", &TScrollBar::SetPosition)
      .Prop("PageSize", &TScrollBar::SetPageSize)
      .Prop("SmallChange", &TScrollBar::SetSmallChange)
      .Prop("LargeChange", &TScrollBar::SetLargeChange)
      .Event("OnScroll", &TScrollBar::OnScroll)
      .Event("OnChange", &TScrollBar::OnChange);
  return true;
}();

}  // namespace
