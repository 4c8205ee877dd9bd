// StdCtrls: the windowless label and the wrappers of the native edit,
// combo box and scroll bar windows.
#pragma once

#include "framework/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted on the parent. With AutoSize the bounds follow the
// text (the right edge stays put for right-aligned text); with WordWrap
// the width stays and the height follows.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& value) { SetText(value); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);

  // The control Alt and the label's mnemonic focus (without one the
  // label answers its mnemonic as any control does).
  TControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TControl* value) { focus_control_ = value; }
  void MnemonicPressed() override;

  void Loaded() override;
  std::wstring AccessibleName() const override;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void AdjustBounds();
  UINT DrawFlags() const;
  // The caption with the mnemonic marked for DrawText ('&' doubled).
  std::wstring PrefixedCaption() const;

 private:
  bool auto_size_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool word_wrap_ = false;
  TComponentRef<TControl> focus_control_;
};

// The native EDIT window. OnChange runs whenever the text really changes,
// from typing as from code; setting the text it already has does nothing.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);

  std::wstring Text() const { return GetText(); }
  void SetText(const std::wstring& value) override;
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  void SelectAll();
  long AccessibleState() const override;
  std::wstring AccessibleValue() const override { return GetText(); }

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();

 private:
  // Raises Change when the text differs from the last one reported.
  void CheckChange();

  std::wstring last_text_;
  bool read_only_ = false;
  int max_length_ = 0;
  TBorderStyle border_style_ = bsSingle;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// The native COMBOBOX window. Choosing an item raises OnClick and then
// OnSelect (OnChange when OnSelect is not set); typing raises OnChange.
// Setting ItemIndex or Text from code raises nothing.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  TStrings& Items() { return items_; }
  int ItemIndex() const;
  void SetItemIndex(int value);
  std::wstring Text() const { return GetText(); }
  std::wstring GetText() const override;
  // In a drop-down list, selects the item of that text (none when absent).
  void SetText(const std::wstring& value) override;
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int value) { drop_down_count_ = value; }
  bool DroppedDown() const;
  std::wstring AccessibleValue() const override { return GetText(); }

  void Loaded() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  void ItemsChanged();

  TComboBoxStyle style_ = csDropDown;
  TStrings items_;
  int item_index_ = -1;
  int drop_down_count_ = 8;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// The native SCROLLBAR window. Scroll messages from the bar (or from a
// control that stands in for it) move Position through OnScroll; every
// change of Position is written to the window as SBM_SETSCROLLINFO.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind value);
  int Min() const { return min_; }
  void SetMin(int value) { SetParams(position_, value, max_); }
  int Max() const { return max_; }
  void SetMax(int value) { SetParams(position_, min_, value); }
  int Position() const { return position_; }
  void SetPosition(int value) { SetParams(value, min_, max_); }
  int PageSize() const { return page_size_; }
  void SetPageSize(int value);
  int SmallChange() const { return small_change_; }
  void SetSmallChange(int value) { small_change_ = value; }
  int LargeChange() const { return large_change_; }
  void SetLargeChange(int value) { large_change_ = value; }
  // Sets the range and the position together (the position kept inside).
  void SetParams(int position, int min, int max);

  TScrollEvent OnScroll;
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Scroll(TScrollCode code, int& position);
  virtual void Change();

 private:
  void WriteScrollInfo(UINT mask);
  void HandleScroll(WPARAM wParam);

  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, page_size_ = 0;
  int small_change_ = 1, large_change_ = 1;
};
