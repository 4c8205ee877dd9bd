// TOrvVclListView: the framework's list view in report style with a
// skinned border and a skinned column header. The header window's
// procedure is replaced (the list object kept in its GWLP_USERDATA) and the
// header painted from the header pictures of a TOrvVclScrollbarPicList
// style; the rows keep the list's own drawing and the custom-draw events.
// A TOrvVclListCheckbox can sit in the first header column.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>

#include "controls/OrvVclListCheckbox.h"
#include "controls/OrvVclScrollbarPicList.h"
#include "framework/ComCtrls.h"
#include "framework/PngImage.h"
#include "framework/WindowHook.h"

// Header states while the mouse is over the header.
enum THeaderState : int { hsNormal = 0, hsPressed = 1, hsHot = 2 };

class TOrvVclListView : public TCustomListView {
 public:
  // Columns that can carry a sort image.
  static constexpr int SortColumns = 256;

  explicit TOrvVclListView(TComponent* AOwner);
  ~TOrvVclListView() override;

  // Header pictures, header font and border colour; without it the header
  // is drawn by the system.
  TOrvVclScrollbarPicList* PicList() const { return pic_list_; }
  void SetPicList(TOrvVclScrollbarPicList* value);
  // Only 1 to 5 are taken; other values are ignored.
  int Picstyle() const { return picstyle_; }
  void SetPicstyle(int value);
  // The outer border without a picture list.
  TColor BorderColor() const { return border_color_; }
  void SetBorderColor(TColor value);
  // The font whose height decides the header's height (the rows keep Font).
  TFont& HeadHeightFont() { return head_height_font_; }
  void SetHeadHeightFont(const TFont& value);
  TImageList* HeadImgSort() const { return head_img_sort_; }
  void SetHeadImgSort(TImageList* value) { head_img_sort_ = value; }

  // Margins of the header drawing, in pixels.
  int nInterval() const { return n_interval_; }
  void SetnInterval(int value) { n_interval_ = value; }
  int TextInterval() const { return text_interval_; }
  void SetTextInterval(int value) { text_interval_ = value; }
  int StatueInterval() const { return statue_interval_; }
  void SetStatueInterval(int value) { statue_interval_ = value; }
  int SortInterval() const { return sort_interval_; }
  void SetSortInterval(int value) { sort_interval_ = value; }
  int CheckboxLeft() const { return checkbox_left_; }
  void SetCheckboxLeft(int value) { checkbox_left_ = value; }
  int HeaderupIntervar() const { return header_up_intervar_; }
  void SetHeaderupIntervar(int value) { header_up_intervar_ = value; }
  int HeaderDownX() const { return header_down_x_; }
  void SetHeaderDownX(int value) { header_down_x_ = value; }
  int HeaderDownY() const { return header_down_y_; }
  void SetHeaderDownY(int value) { header_down_y_ = value; }

  TOrvVclListCheckbox* StatueCheckbox() const { return statue_checkbox_; }
  void SetStatueCheckbox(TOrvVclListCheckbox* value);
  // Shows or hides the list window (once loaded) and the state check box.
  bool MyVisible() const { return my_visible_; }
  void SetMyVisible(bool value);
  // Header caps, and a header repainted on every move or size.
  bool HaveAngle() const { return have_angle_; }
  void SetHaveAngle(bool value) { have_angle_ = value; }
  bool isPosheader() const { return is_posheader_; }
  void SetisPosheader(bool value) { is_posheader_ = value; }
  // Stored only.
  bool UserPaint() const { return user_paint_; }
  void SetUserPaint(bool value) { user_paint_ = value; }
  bool IsHeaderEarsebkgnd() const { return is_header_earsebkgnd_; }
  void SetIsHeaderEarsebkgnd(bool value) { is_header_earsebkgnd_ = value; }
  TNotifyEvent OnMyUserPaint;

  // The sort image of a column (-1: none). Columns past SortColumns have
  // none; setting one of them is ignored.
  int SortImage(int column) const;
  void SetSortImage(int column, int image);

  // The hooked header window (null before loading or outside report style).
  HWND Header() const { return header_; }
  int HeaderHeight() const { return header_height_; }
  int PressedColumn() const { return pressed_column_; }
  int HotColumn() const { return hot_column_; }
  int HeaderState() const { return header_state_; }
  // The column whose header item holds a header point (edges included), -1 for none.
  int ColumnAt(TPoint p);
  // Paints the header into dc (header client coordinates).
  void PaintHeader(HDC dc);
  void RepaintHeader();

  void Loaded() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  LRESULT HeaderMessage(HWND header, UINT msg, WPARAM wParam, LPARAM lParam);
  // The header's mouse messages, after the header's own handling.
  void HeaderMouse(UINT msg, TPoint p);
  void HookHeader();
  void ReleaseHeader();
  // Hands HeadHeightFont to the header through the list.
  void ApplyHeaderFont();
  void MeasureHeader();
  void PositionCheckbox();
  TColor OuterBorderColor() const;
  void DrawColumn(TCanvas& canvas, const TRect& r, int index);
  // The column's caption and format flags (HDF_*) as the header holds them.
  std::wstring ColumnCaption(int index, int& format);
  TRect ItemRect(int index);
  void DrawCaps(TCanvas& canvas, const TRect& header);
  // Tiles a header picture along x over r (nothing when it is empty).
  void TileHeaderPicture(HDC dc, const TRect& r, const TPicture& picture);

  TComponentRef<TOrvVclScrollbarPicList> pic_list_;
  int picstyle_ = 1;
  TColor border_color_ = clBlack;
  TFont head_height_font_;
  TComponentRef<TImageList> head_img_sort_;
  int n_interval_ = 4;
  int text_interval_ = 4;
  int statue_interval_ = 4;
  int sort_interval_ = 4;
  int checkbox_left_ = 0;
  int header_up_intervar_ = 0;
  int header_down_x_ = 1;
  int header_down_y_ = 1;
  TComponentRef<TOrvVclListCheckbox> statue_checkbox_;
  bool my_visible_ = true;
  bool have_angle_ = false;
  bool is_posheader_ = true;
  bool user_paint_ = false;
  bool is_header_earsebkgnd_ = false;

  HWND header_ = nullptr;
  TWindowHook header_hook_;
  int header_height_ = 0;
  bool themes_ = false;
  bool loaded_ = false;
  int pressed_column_ = -1;
  int hot_column_ = -1;
  int header_state_ = hsNormal;
  TPoint last_point_;
  std::array<int, SortColumns> sort_images_;
  int os_major_ = 0;
  TBitmap header_bitmap_;
  // The header pictures as bitmaps, made once for each paint.
  std::map<const TPicture*, std::unique_ptr<TBitmap>> header_tiles_;
  TPngImage cap_left_, cap_right_;
};
