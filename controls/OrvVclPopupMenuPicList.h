// TOrvVclPopupMenuPicList: the colours (and context-menu pictures) of the
// skinned edits, one set for each of the five styles (Picstyle 1 to 5).
// The edits read the border, background and font colours; the pictures
// and the other colours are kept for the layouts but drawn by no control.
#pragma once

#include <array>
#include <cstdint>

#include "framework/ImageList.h"
#include "framework/Picture.h"

// The colour entries of one style, published as <name><style>
// (BorderColor1, SelectedFontColor5, ...).
enum TPopupColor : uint8_t {
  pcBorderColor,
  pcColor,
  pcFontColor,
  pcBarColor,
  pcBarToColor,
  pcSeparatorColor,
  pcSelectedBorderColor,
  pcSelectedColor,
  pcSelectedFontColor,
};
constexpr int PopupColorCount = 9;

class TOrvVclPopupMenuPicList : public TImageList {
 public:
  // Every colour black but the backgrounds (Color1 ... Color5), white.
  explicit TOrvVclPopupMenuPicList(TComponent* AOwner);

  static constexpr int StyleCount = 5;

  // style is 1 to 5; anything else throws std::out_of_range.
  TColor Colors(TPopupColor which, int style) const { return styles_.at(style - 1).colors[which]; }
  void SetColors(TPopupColor which, int style, TColor value) { styles_.at(style - 1).colors[which] = value; }
  TColor BorderColor(int style) const { return Colors(pcBorderColor, style); }
  TColor Color(int style) const { return Colors(pcColor, style); }
  TColor FontColor(int style) const { return Colors(pcFontColor, style); }
  // Pic1 ... Pic5; setting one copies the picture.
  TPicture& Pic(int style) { return styles_.at(style - 1).pic; }

 private:
  struct TStyle {
    std::array<TColor, PopupColorCount> colors{};
    TPicture pic;
  };
  std::array<TStyle, StyleCount> styles_;
};
