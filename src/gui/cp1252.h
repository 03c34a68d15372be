#pragma once

// The edge between the program's byte strings and Qt: Visual Basic files are Windows-1252, so
// lines stay std::string everywhere and become QString only when shown, through the code page's
// table. Also the conversion of Windows colour values (TColor: 0x00BBGGRR, or a system colour
// 0x80000000 + index) into QColor, with system colours taken from the widget's palette.

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "engine/marks.h"

class QPalette;

namespace qm {

// Colour values as the Windows colour model writes them: blue in the high byte of the 24 bits.
constexpr TColor RGBToColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr TColor clMaroon = RGBToColor(128, 0, 0);
inline constexpr TColor clGreen = RGBToColor(0, 128, 0);
inline constexpr TColor clNavy = RGBToColor(0, 0, 128);
inline constexpr TColor clGray = RGBToColor(128, 128, 128);
inline constexpr TColor clSilver = RGBToColor(192, 192, 192);
inline constexpr TColor clRed = RGBToColor(255, 0, 0);
inline constexpr TColor clBlue = RGBToColor(0, 0, 255);
inline constexpr TColor clWhite = RGBToColor(255, 255, 255);

// System colours (0x80000000 + the Windows colour index).
inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clGrayText = clSystemColor | 17;
// clWindow (the window background) is defined with the line marks.

// The colour for a TColor value. System colours come from the palette (clWindow is its base
// colour, clWindowText its text colour); indexes without a palette role get the classic Windows
// value.
QColor ToQColor(TColor color, const QPalette& palette);
// The same against the application's palette.
QColor ToQColor(TColor color);

// Windows-1252 bytes to text. The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D)
// become the control characters of the same number, so every byte string survives the round trip.
QString FromCp1252(std::string_view bytes);
// Text to Windows-1252 bytes; a character the code page cannot hold becomes '?'.
std::string ToCp1252(const QString& text);

// Upper case as the Windows-1252 code page defines it: ASCII letters and the accented letters
// (a grave .. thorn except the division sign, s/z caron, oe, y diaeresis); other bytes stay.
std::string UpperCaseCp1252(std::string_view bytes);

}  // namespace qm
