// SPDX-License-Identifier: MIT
#pragma once

// Colour values as the Windows colour model writes them (0x00BBGGRR), and system colours
// (0x80000000 + the Windows colour index) that a window takes from its palette. The difference
// rows, the spelling dialog's text and the text view speak in these values.

#include <cstdint>

namespace qm {

using TColor = std::uint32_t;

constexpr TColor RGBToColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline constexpr TColor clBlack = RGBToColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBToColor(128, 0, 0);
inline constexpr TColor clGreen = RGBToColor(0, 128, 0);
inline constexpr TColor clNavy = RGBToColor(0, 0, 128);
inline constexpr TColor clGray = RGBToColor(128, 128, 128);
inline constexpr TColor clSilver = RGBToColor(192, 192, 192);
inline constexpr TColor clRed = RGBToColor(255, 0, 0);
inline constexpr TColor clBlue = RGBToColor(0, 0, 255);
inline constexpr TColor clYellow = RGBToColor(255, 255, 0);
inline constexpr TColor clWhite = RGBToColor(255, 255, 255);

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;

// The text and background colours of a line.
struct TColorObject {
  TColor TextColor = clBlack;
  TColor BackColor = clWindow;

  friend bool operator==(const TColorObject&, const TColorObject&) = default;
};

}  // namespace qm
