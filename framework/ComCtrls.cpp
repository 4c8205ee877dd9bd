#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/ImageList.h"
#include "framework/Layout.h"

namespace {

int ColumnFormat(TAlignment alignment) {
  return alignment == taCenter ? LVCFMT_CENTER : alignment == taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
}

}  // namespace

// ---------------------------------------------------------------- columns

void TListColumn::Write() const {
  if (!owner_->HandleAllocated()) return;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = ColumnFormat(alignment_);
  column.cx = width_;
  column.pszText = const_cast<wchar_t*>(caption_.c_str());
  SendMessageW(owner_->Handle(), LVM_SETCOLUMNW, index_, reinterpret_cast<LPARAM>(&column));
}

void TListColumn::SetCaption(const std::wstring& value) {
  caption_ = value;
  Write();
}

int TListColumn::Width() const {
  if (!owner_->HandleAllocated()) return width_;
  return static_cast<int>(SendMessageW(owner_->Handle(), LVM_GETCOLUMNWIDTH, index_, 0));
}

void TListColumn::SetWidth(int value) {
  width_ = value;
  Write();
}

void TListColumn::SetAlignment(TAlignment value) {
  alignment_ = value;
  Write();
}

TListColumn& TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(owner_, Count()));
  TListColumn& column = *columns_.back();
  if (owner_->HandleAllocated()) {
    LVCOLUMNW lv{};
    lv.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    lv.cx = column.width_;
    lv.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(owner_->Handle(), LVM_INSERTCOLUMNW, column.index_, reinterpret_cast<LPARAM>(&lv));
  }
  return column;
}

void TListColumns::Clear() {
  if (owner_->HandleAllocated())
    for (int i = Count() - 1; i >= 0; --i) SendMessageW(owner_->Handle(), LVM_DELETECOLUMN, i, 0);
  columns_.clear();
}

// ---------------------------------------------------------------- items

TListItem::TListItem(TCustomListView* owner) : owner_(owner) {
  sub_items_.OnChange = [this] { owner_->WriteSubItems(Index()); };
}

int TListItem::Index() const { return owner_->items_.IndexOf(this); }

void TListItem::SetCaption(const std::wstring& value) {
  caption_ = value;
  owner_->WriteItem(Index(), false);
}

bool TListItem::Selected() const {
  if (!owner_->HandleAllocated()) return false;
  return SendMessageW(owner_->Handle(), LVM_GETITEMSTATE, Index(), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool value) {
  if (!owner_->HandleAllocated()) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = value ? LVIS_SELECTED : 0;
  SendMessageW(owner_->Handle(), LVM_SETITEMSTATE, Index(), reinterpret_cast<LPARAM>(&item));
}

TRect TListItem::DisplayRect() const {
  if (!owner_->HandleAllocated()) return {};
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  if (!SendMessageW(owner_->Handle(), LVM_GETITEMRECT, Index(), reinterpret_cast<LPARAM>(&r))) return {};
  return TRect::FromRECT(r);
}

TListItem* TListItems::Add() {
  items_.push_back(std::make_unique<TListItem>(owner_));
  owner_->WriteItem(Count() - 1, true);
  return items_.back().get();
}

int TListItems::IndexOf(const TListItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].get() == item) return i;
  return -1;
}

void TListItems::Delete(int index) {
  if (owner_->HandleAllocated()) SendMessageW(owner_->Handle(), LVM_DELETEITEM, index, 0);
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  if (owner_->HandleAllocated()) SendMessageW(owner_->Handle(), LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

// ---------------------------------------------------------------- TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), columns_(this), items_(this) {
  SetAccessibleRole(arList);
  SetBounds(0, 0, 250, 150);
  SetColor(clWindow);
  Font().SetColor(clWindowText);
  SetParentFont(true);
}

TCustomListView::~TCustomListView() {
  DestroyHandle();
  for (auto& item : items_.items_) item->sub_items_.OnChange = nullptr;
}

void TCustomListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = WC_LISTVIEWW;
  params.NativeClass = true;
  params.Style |= WS_TABSTOP | LVS_SHAREIMAGELISTS;
  params.Style &= ~WS_CLIPCHILDREN;
  static const DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  params.Style |= kViews[view_style_];
  if (!read_only_) params.Style |= LVS_EDITLABELS;
  if (!show_column_headers_) params.Style |= LVS_NOCOLUMNHEADER;
  if (!hide_selection_) params.Style |= LVS_SHOWSELALWAYS;
  if (border_style_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  HWND wnd = Handle();
  WriteExtendedStyle();
  WriteColors();
  if (small_images_) SendMessageW(wnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small_images_->Handle()));
  for (int i = 0; i < columns_.Count(); ++i) {
    LVCOLUMNW lv{};
    lv.mask = LVCF_WIDTH;
    SendMessageW(wnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&lv));
    columns_[i].Write();
  }
  for (int i = 0; i < items_.Count(); ++i) WriteItem(i, true);
}

void TCustomListView::DestroyWnd() {
  // Keep the widths the user may have set.
  for (int i = 0; i < columns_.Count(); ++i) columns_[i].width_ = columns_[i].Width();
}

void TCustomListView::WriteExtendedStyle() {
  if (!HandleAllocated()) return;
  DWORD style = LVS_EX_DOUBLEBUFFER;
  if (row_select_) style |= LVS_EX_FULLROWSELECT;
  if (grid_lines_) style |= LVS_EX_GRIDLINES;
  SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER,
               style);
}

void TCustomListView::WriteColors() {
  if (!HandleAllocated()) return;
  COLORREF back = ColorToRGB(Color());
  SendMessageW(Handle(), LVM_SETBKCOLOR, 0, back);
  SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
  SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font().Color()));
}

void TCustomListView::ColorChanged() {
  TWinControl::ColorChanged();
  WriteColors();
}

void TCustomListView::FontChanged() {
  TWinControl::FontChanged();
  WriteColors();
}

void TCustomListView::WriteItem(int index, bool insert) {
  if (!HandleAllocated() || index < 0) return;
  TListItem* item = items_[index];
  LVITEMW lv{};
  lv.mask = LVIF_TEXT | (insert ? LVIF_PARAM : 0);
  lv.iItem = index;
  lv.pszText = const_cast<wchar_t*>(item->caption_.c_str());
  lv.lParam = reinterpret_cast<LPARAM>(item);
  SendMessageW(Handle(), insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
  if (insert) WriteSubItems(index);
}

void TCustomListView::WriteSubItems(int index) {
  if (!HandleAllocated() || index < 0) return;
  const TStrings& sub = items_[index]->sub_items_;
  // Every column past the first; columns without a sub-item are emptied.
  const int count = std::max(sub.Count(), columns_.Count() - 1);
  for (int i = 0; i < count; ++i) {
    std::wstring text = i < sub.Count() ? sub[i] : std::wstring();
    LVITEMW lv{};
    lv.iSubItem = i + 1;
    lv.pszText = text.data();
    SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&lv));
  }
}

void TCustomListView::SetViewStyle(TViewStyle value) {
  view_style_ = value;
  RecreateWnd();
}

void TCustomListView::SetRowSelect(bool value) {
  row_select_ = value;
  WriteExtendedStyle();
}

void TCustomListView::SetReadOnly(bool value) {
  read_only_ = value;
  RecreateWnd();
}

void TCustomListView::SetGridLines(bool value) {
  grid_lines_ = value;
  WriteExtendedStyle();
}

void TCustomListView::SetShowColumnHeaders(bool value) {
  show_column_headers_ = value;
  RecreateWnd();
}

void TCustomListView::SetHideSelection(bool value) {
  hide_selection_ = value;
  RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle value) {
  border_style_ = value;
  RecreateWnd();
}

void TCustomListView::SetSmallImages(TImageList* value) {
  small_images_ = value;
  if (HandleAllocated())
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(value ? value->Handle() : nullptr));
}

int TCustomListView::TopIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETTOPINDEX, 0, 0)) : 0;
}

int TCustomListView::VisibleRowCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETCOUNTPERPAGE, 0, 0)) : 0;
}

int TCustomListView::ItemIndex() const {
  auto* self = const_cast<TCustomListView*>(this);
  if (!self->HandleAllocated()) return -1;
  return static_cast<int>(SendMessageW(self->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int value) {
  for (int i = 0; i < items_.Count(); ++i) items_[i]->SetSelected(i == value);
}

TListItem* TCustomListView::Selected() const {
  int index = ItemIndex();
  return index >= 0 && index < items_.Count() ? items_[index] : nullptr;
}

HWND TCustomListView::HeaderHandle() {
  return reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
}

TListItem* TCustomListView::ItemOfDraw(const NMLVCUSTOMDRAW& draw) const {
  const int index = static_cast<int>(draw.nmcd.dwItemSpec);
  return index >= 0 && index < items_.Count() ? items_[index] : nullptr;
}

LRESULT TCustomListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  const DWORD stage = draw.nmcd.dwDrawStage;
  const TRect rect = TRect::FromRECT(draw.nmcd.rc);
  TCustomDrawState state = 0;
  if (draw.nmcd.uItemState & CDIS_SELECTED) state |= cdsSelected;
  if (draw.nmcd.uItemState & CDIS_GRAYED) state |= cdsGrayed;
  if (draw.nmcd.uItemState & CDIS_DISABLED) state |= cdsDisabled;
  if (draw.nmcd.uItemState & CDIS_FOCUS) state |= cdsFocused;
  if (draw.nmcd.uItemState & CDIS_HOT) state |= cdsHot;
  const bool itemEvents = OnCustomDrawItem || OnAdvancedCustomDrawItem || OnCustomDrawSubItem ||
                          OnAdvancedCustomDrawSubItem;
  const bool subItemEvents = OnCustomDrawSubItem || OnAdvancedCustomDrawSubItem;

  bool defaultDraw = true;
  LRESULT result = CDRF_DODEFAULT;
  canvas_.SetHandle(draw.nmcd.hdc);
  TScopeGuard release([this] { canvas_.SetHandle(nullptr); });
  canvas_.Font.Assign(Font());
  canvas_.Brush.SetColor(Color());
  switch (stage) {
    case CDDS_PREPAINT:
      if (OnCustomDraw) OnCustomDraw(this, rect, defaultDraw);
      if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, rect, cdPrePaint, defaultDraw);
      if (defaultDraw) {
        if (itemEvents) result |= CDRF_NOTIFYITEMDRAW;
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
      }
      break;
    case CDDS_POSTPAINT:
      if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, rect, cdPostPaint, defaultDraw);
      break;
    case CDDS_ITEMPREPAINT: {
      TListItem* item = ItemOfDraw(draw);
      if (OnCustomDrawItem) OnCustomDrawItem(this, item, state, defaultDraw);
      if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, item, state, cdPrePaint, defaultDraw);
      if (defaultDraw) {
        if (subItemEvents) result |= CDRF_NOTIFYSUBITEMDRAW;
        if (OnAdvancedCustomDrawItem) result |= CDRF_NOTIFYPOSTPAINT;
      }
      break;
    }
    case CDDS_ITEMPOSTPAINT:
      if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, ItemOfDraw(draw), state, cdPostPaint, defaultDraw);
      break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      TListItem* item = ItemOfDraw(draw);
      if (OnCustomDrawSubItem) OnCustomDrawSubItem(this, item, draw.iSubItem, state, defaultDraw);
      if (OnAdvancedCustomDrawSubItem)
        OnAdvancedCustomDrawSubItem(this, item, draw.iSubItem, state, cdPrePaint, defaultDraw);
      break;
    }
    default:
      break;
  }
  return defaultDraw ? result : CDRF_SKIPDEFAULT;
}

void TCustomListView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    switch (header->code) {
      case NM_CUSTOMDRAW:
        m.Result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(m.LParam));
        return;
      case NM_CLICK:
        Click();
        return;
      case NM_DBLCLK:
        DblClick();
        return;
      default:
        return;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TViewStyle>({{"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList}, {"vsReport", vsReport}});
  RegisterClass<TListColumn>("TListColumn")
      .Prop("Caption", &TListColumn::SetCaption)
      .Prop("Width", &TListColumn::SetWidth)
      .Prop("Alignment", &TListColumn::SetAlignment);
  RegisterClass<TCustomListView, TWinControl>("TCustomListView")
      .Collection<TListColumn>("Columns", [](TCustomListView& list) { return &list.Columns().Add(); })
      .Prop("ViewStyle", &TCustomListView::SetViewStyle)
      .Prop("RowSelect", &TCustomListView::SetRowSelect)
      .Prop("ReadOnly", &TCustomListView::SetReadOnly)
      .Prop("GridLines", &TCustomListView::SetGridLines)
      .Prop("ShowColumnHeaders", &TCustomListView::SetShowColumnHeaders)
      .Prop("HideSelection", &TCustomListView::SetHideSelection)
      .Prop("BorderStyle", &TCustomListView::SetBorderStyle)
      .Ref("SmallImages", &TCustomListView::SetSmallImages)
      .Event("OnCustomDraw", &TCustomListView::OnCustomDraw)
      .Event("OnCustomDrawItem", &TCustomListView::OnCustomDrawItem)
      .Event("OnCustomDrawSubItem", &TCustomListView::OnCustomDrawSubItem)
      .Event("OnAdvancedCustomDraw", &TCustomListView::OnAdvancedCustomDraw)
      .Event("OnAdvancedCustomDrawItem", &TCustomListView::OnAdvancedCustomDrawItem)
      .Event("OnAdvancedCustomDrawSubItem", &TCustomListView::OnAdvancedCustomDrawSubItem);
  RegisterClass<TListView, TCustomListView>("TListView");
  return true;
}();

}  // namespace
