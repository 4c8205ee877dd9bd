// TOrvVclScrollbarPicList: the pictures, colours and fonts of the five
// numbered styles that the scroll bar, the list view and the combo box
// choose from with their Picstyle (1 to 5). Its image-list content is unused.
#pragma once

#include <array>

#include "framework/ImageList.h"
#include "framework/Picture.h"

class TOrvVclScrollbarPicList : public TImageList {
 public:
  static constexpr int StyleCount = 5;

  explicit TOrvVclScrollbarPicList(TComponent* AOwner);

  // The pictures of a style (1 to 5; others throw std::out_of_range).
  // Published as Pic1 ... Pic5: the scroll bar sheet, square cells of the
  // bar's Scrollwidth in 9 columns (up, down, -, vertical track, left,
  // right, -, horizontal track, corner) and 4 rows (normal, hot, pressed,
  // disabled).
  TPicture& Pic(int style) { return Style(style).sheet; }
  // PicThumb1 ...: the thumb sheet, 4 columns (vertical body and grip,
  // horizontal body and grip) and 3 rows (normal, hot, pressed).
  TPicture& PicThumb(int style) { return Style(style).thumb; }
  // PicSplit1 ...: the column separator of a list header.
  TPicture& PicSplit(int style) { return Style(style).split; }
  // PicHeaderBGNormal1 ..., PicHeaderBGOver1 ..., PicHeaderBGDown1 ...,
  // PicHeaderBGDisable1 ...: list header backgrounds by header state.
  TPicture& PicHeaderBGNormal(int style) { return Style(style).headerNormal; }
  TPicture& PicHeaderBGOver(int style) { return Style(style).headerOver; }
  TPicture& PicHeaderBGDown(int style) { return Style(style).headerDown; }
  TPicture& PicHeaderBGDisable(int style) { return Style(style).headerDisable; }
  // The caps of the list header exist for style 1 only.
  TPicture& PicHeaderLeftNormal1() { return header_left_; }
  TPicture& PicHeaderRightNormal1() { return header_right_; }

  // HeaderColor1 ...: stored only. HeaderFontColor1 ...: text of the combo
  // box and its list. BorderColor1 ...: the border of a list or drop-down.
  TColor HeaderColor(int style) const { return Style(style).headerColor; }
  void SetHeaderColor(int style, TColor value) { Style(style).headerColor = value; }
  TColor HeaderFontColor(int style) const { return Style(style).headerFontColor; }
  void SetHeaderFontColor(int style, TColor value) { Style(style).headerFontColor = value; }
  TColor BorderColor(int style) const { return Style(style).borderColor; }
  void SetBorderColor(int style, TColor value) { Style(style).borderColor = value; }
  // MyFont1 ...: the header font; its colour is the header text colour.
  TFont& MyFont(int style) { return Style(style).font; }
  template <int N>
  TFont& MyFontOf() {
    return MyFont(N);
  }

 private:
  struct TStyle {
    TPicture sheet, thumb, split;
    TPicture headerNormal, headerOver, headerDown, headerDisable;
    TColor headerColor = clBtnFace;
    TColor headerFontColor = clBlack;
    TColor borderColor = clBlack;
    TFont font;
  };
  TStyle& Style(int style) { return styles_.at(static_cast<size_t>(style - 1)); }
  const TStyle& Style(int style) const { return styles_.at(static_cast<size_t>(style - 1)); }

  std::array<TStyle, StyleCount> styles_;
  TPicture header_left_, header_right_;
};
