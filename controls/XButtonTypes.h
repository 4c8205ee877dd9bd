// The values the skinned controls share: the skin colour, the caption
// placement of the image buttons and the picture slots of a button state.
#pragma once

#include <cstdint>
#include <utility>

#include "framework/Graphics.h"

// The skin colour every skinned control (and the support library) takes.
enum TButtonColor : uint8_t { fBlue = 0, fGreen = 1, fBlack = 2, fYellow = 3, fRed = 4 };
constexpr int ButtonColorCount = 5;

// The colour names in the skin properties of the picture lists
// (PicRedNormal, PicRedBorder, ...), in their published order.
inline constexpr std::pair<const char*, TButtonColor> ButtonColorNames[] = {
    {"Red", fRed}, {"Green", fGreen}, {"Blue", fBlue}, {"Yellow", fYellow}, {"Black", fBlack}};

// Caption placement of an image button. Scoped because the framework's
// TAlignment already owns the name taCenter.
enum class TTextAlign : uint8_t { taCustom = 0, taLeft = 1, taCenter = 2, taRight = 3 };

// The four state pictures of an image button.
enum class TButtonState : uint8_t { Normal, MouseOn, MouseDown, Disabled };
constexpr int ButtonStateCount = 4;

// The caption colour a colour button takes with each skin ($00BBGGRR).
constexpr TColor DefaultCaptionColor(TButtonColor color) {
  switch (color) {
    case fGreen: return 0x00116D0D;
    case fBlack: return 0x00FEFEFE;
    case fYellow: return 0x00002D7F;
    case fRed: return 0x000000B4;
    case fBlue: break;
  }
  return 0x009D4700;
}
