// SPDX-License-Identifier: MIT
#pragma once

// The edge between the program's byte strings and Qt: lines stay std::string everywhere and
// become QString only when shown, through the display code page the user chose in View > Encoding
// (Windows-1252 unless the bytes are UTF-8, when nothing was chosen). Code pages other than
// Windows-1252 and UTF-8 are decoded by the toolkit's ICU converters. Also the conversion of
// Windows colour values (TColor: 0x00BBGGRR, or a system colour 0x80000000 + index) into QColor,
// with system colours taken from the widget's palette.

#include <QColor>
#include <QObject>
#include <QString>

#include <string>
#include <string_view>

#include "platform/cp1252.h"
#include "settings/encoding.h"
#include "ui/colors.h"

class QPalette;

namespace qm {

// The colour for a TColor value. System colours come from the palette (clWindow is its base
// colour, clWindowText its text colour); indexes without a palette role get the classic Windows
// value.
QColor ToQColor(TColor color, const QPalette& palette);
// The same against the application's palette.
QColor ToQColor(TColor color);

// Source bytes to text through the display code page; with Auto the bytes themselves decide
// (UTF-8 when they are valid UTF-8 beyond ASCII, a code page the detector is sure of, else the
// fallback). Windows that show a whole file should resolve its code page once (ResolveCodePage
// over its lines) and use DecodeBytes, so that every line of one file is read alike.
QString FromDisplayBytes(std::string_view bytes);
// Text to bytes of the display code page (the fallback with Auto); a character the code page
// cannot hold becomes '?'.
std::string ToDisplayBytes(const QString& text);

// Bytes of the given code page to text (Auto resolves as in FromDisplayBytes). Windows-1252 maps
// the five bytes it leaves undefined (81, 8D, 8F, 90, 9D) to the control characters of the same
// number, so every byte string survives the round trip; invalid UTF-8 becomes U+FFFD.
QString DecodeBytes(std::string_view bytes, TCodePage page);
std::string EncodeText(const QString& text, TCodePage page);
// Whether the toolkit has a converter for the code page.
bool CanDecode(TCodePage page);

// Program texts (captions, hints, messages), which are Windows-1252 whatever the display code page.
QString FromWindows1252(std::string_view bytes);
std::string ToWindows1252(const QString& text);

// The display code page (View > Encoding). Changing it tells every window through the notifier.
const TEncodingSettings& DisplayEncoding();
void SetDisplayEncoding(const TEncodingSettings& settings);

class TDisplayEncodingNotifier : public QObject {
  Q_OBJECT

 signals:
  void Changed();
};
TDisplayEncodingNotifier& DisplayEncodingNotifier();

}  // namespace qm
