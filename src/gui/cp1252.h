#pragma once

// The edge between the program's byte strings and Qt: Visual Basic files are Windows-1252, so
// lines stay std::string everywhere and become QString only when shown, through the code page's
// table. Also the conversion of Windows colour values (TColor: 0x00BBGGRR, or a system colour
// 0x80000000 + index) into QColor, with system colours taken from the widget's palette.

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "ui/colors.h"

class QPalette;

namespace qm {

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
