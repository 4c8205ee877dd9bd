// ComCtrls: the list view over the native SysListView32 window.
#pragma once

#include <memory>
#include <vector>

#include "framework/Controls.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

class TCustomListView;
class TImageList;

class TListColumn {
 public:
  TListColumn(TCustomListView* owner, int index) : owner_(owner), index_(index) {}

  int Index() const { return index_; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  // The width on screen (the user may have dragged it).
  int Width() const;
  void SetWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  friend class TCustomListView;
  friend class TListColumns;
  void Write() const;

  TCustomListView* owner_;
  int index_;
  std::wstring caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns {
 public:
  explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
  TListColumn& Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn& operator[](int index) const { return *columns_.at(index); }
  void Clear();

 private:
  TCustomListView* owner_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

// A row: its caption is the first column, SubItems the following ones.
class TListItem {
 public:
  TListItem(TCustomListView* owner);

  int Index() const;
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  TStrings& SubItems() { return sub_items_; }
  const TStrings& SubItems() const { return sub_items_; }
  bool Selected() const;
  void SetSelected(bool value);
  // The item's rectangle in the list's client area (LVIR_BOUNDS).
  TRect DisplayRect() const;
  void* Data = nullptr;

 private:
  friend class TCustomListView;
  TCustomListView* owner_;
  std::wstring caption_;
  TStrings sub_items_;
};

class TListItems {
 public:
  explicit TListItems(TCustomListView* owner) : owner_(owner) {}
  TListItem* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* operator[](int index) const { return items_.at(index).get(); }
  TListItem* Item(int index) const { return (*this)[index]; }
  int IndexOf(const TListItem* item) const;
  void Delete(int index);
  void Clear();

 private:
  friend class TCustomListView;
  TCustomListView* owner_;
  std::vector<std::unique_ptr<TListItem>> items_;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateFlag : uint16_t {
  cdsSelected = 1,
  cdsGrayed = 2,
  cdsDisabled = 4,
  cdsChecked = 8,
  cdsFocused = 16,
  cdsDefault = 32,
  cdsHot = 64,
};
using TCustomDrawState = uint16_t;

using TLVCustomDrawEvent = std::function<void(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item, int SubItem,
                                                     TCustomDrawState State, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawEvent =
    std::function<void(TCustomListView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item,
                                                          TCustomDrawState State, TCustomDrawStage Stage,
                                                          bool& DefaultDraw)>;
using TLVAdvancedCustomDrawSubItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, int SubItem, TCustomDrawState State,
                       TCustomDrawStage Stage, bool& DefaultDraw)>;

// The native list view. Columns and items live in the object and are
// written to the window (again, when the window is made anew). The
// custom-draw events run from the list's NM_CUSTOMDRAW notifications with
// Canvas on the list's drawing DC; clearing DefaultDraw skips the list's
// own drawing of that stage.
class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns& Columns() { return columns_; }
  TListColumn& Column(int index) { return columns_[index]; }
  TListItems& Items() { return items_; }
  TCanvas& Canvas() { return canvas_; }

  TViewStyle ViewStyle() const { return view_style_; }
  void SetViewStyle(TViewStyle value);
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool value);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  bool GridLines() const { return grid_lines_; }
  void SetGridLines(bool value);
  bool ShowColumnHeaders() const { return show_column_headers_; }
  void SetShowColumnHeaders(bool value);
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  // The small-image list; its height sets the row height in report style.
  TImageList* SmallImages() const { return small_images_; }
  void SetSmallImages(TImageList* value);

  // The first visible row and the number of rows a page shows.
  int TopIndex();
  int VisibleRowCount();
  TListItem* Selected() const;
  int ItemIndex() const;
  void SetItemIndex(int value);
  HWND HeaderHandle();

  TLVCustomDrawEvent OnCustomDraw;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVCustomDrawSubItemEvent OnCustomDrawSubItem;
  TLVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TLVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;
  TLVAdvancedCustomDrawSubItemEvent OnAdvancedCustomDrawSubItem;

  void WndProc(TMessage& message) override;

 protected:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void ColorChanged() override;
  void FontChanged() override;
  // NM_CUSTOMDRAW: runs the events and answers the list.
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);

 private:
  void WriteExtendedStyle();
  void WriteColors();
  void WriteItem(int index, bool insert);
  void WriteSubItems(int index);
  TListItem* ItemOfDraw(const NMLVCUSTOMDRAW& draw) const;

  TListColumns columns_;
  TListItems items_;
  TCanvas canvas_;
  TViewStyle view_style_ = vsIcon;
  bool row_select_ = false;
  bool read_only_ = false;
  bool grid_lines_ = false;
  bool show_column_headers_ = true;
  bool hide_selection_ = true;
  TBorderStyle border_style_ = bsSingle;
  TComponentRef<TImageList> small_images_{[this] { SetSmallImages(nullptr); }};
};

class TListView : public TCustomListView {
 public:
  using TCustomListView::TCustomListView;
};
