// SPDX-License-Identifier: MIT
#pragma once

// The code page through which the windows show source bytes (View > Encoding), and its section
// of the settings file. Visual Basic wrote its files in the ANSI code page of the machine that
// saved them; some projects kept in version control are UTF-8. The choice only changes how bytes
// are shown and searched: the engine reads and writes bytes and never transcodes them.
//
// Section [Encoding] of VBQUILL3.INI:
//   CodePage=Auto          the menu's choice (the keys of CodePages(), case-insensitive)
//   AutoFallback=1252      what Auto takes when the bytes are neither UTF-8 nor of a code page
//                          the detector is sure of (never Auto itself)
// An older file has no such section: Auto with Windows-1252.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8.h"
#include "settings/catalogue.h"

namespace qm {

enum class TCodePage {
  Auto,
  Windows1252,
  ShiftJIS,
  GBK,
  Big5,
  Korean949,
  Cyrillic1251,
  CentralEuropean1250,
  Greek1253,
  Turkish1254,
  Hebrew1255,
  Arabic1256,
  Baltic1257,
  Vietnamese1258,
  Thai874,
  Utf8,
};

struct TCodePageInfo {
  TCodePage Page;
  std::string_view Caption;    // the menu item
  std::string_view Key;        // the value stored in the settings file
  std::string_view Converter;  // the converter's name for the toolkit (empty for Auto)
};

// Every choice in menu order, Auto first.
const std::vector<TCodePageInfo>& CodePages();
const TCodePageInfo& CodePageInfo(TCodePage page);
// The code page stored under key (letter case ignored); none for an unknown key.
std::optional<TCodePage> CodePageFromKey(std::string_view key);

inline constexpr std::string_view kEncodingSection = "Encoding";
inline constexpr std::string_view kEncodingCodePageKey = "CodePage";
inline constexpr std::string_view kEncodingFallbackKey = "AutoFallback";

struct TEncodingSettings {
  TCodePage CodePage = TCodePage::Auto;
  TCodePage AutoFallback = TCodePage::Windows1252;
  friend bool operator==(const TEncodingSettings&, const TEncodingSettings&) = default;
};

// Unknown or missing values keep their defaults; a fallback of Auto counts as Windows-1252.
TEncodingSettings LoadEncodingSettings(std::string_view fileName = kSettingsFileName);
bool SaveEncodingSettings(const TEncodingSettings& settings,
                          std::string_view fileName = kSettingsFileName, std::string* err = nullptr);

// Whether any byte is beyond ASCII. (IsValidUtf8 comes from platform/utf8.h.)
bool HasNonAscii(std::string_view bytes);

// The code page a text is shown in: the choice itself, or for Auto UTF-8 when the bytes are
// valid UTF-8 holding something beyond ASCII; else the code page the detector finds in the bytes
// when it is sure (DetectCodePage); else the fallback (Windows-1252 when that is Auto).
TCodePage ResolveCodePage(const TEncodingSettings& settings, std::string_view bytes);
// The same over a whole text (its lines joined by CR LF for the detector).
TCodePage ResolveCodePage(const TEncodingSettings& settings, const std::vector<std::string>& lines);

// What Auto decides from counts kept while lines are added, without the bytes and so without the
// detector: lines that are not valid UTF-8 and lines that hold non-ASCII bytes.
TCodePage ResolveCodePage(const TEncodingSettings& settings, std::size_t invalidUtf8Lines,
                          std::size_t nonAsciiLines);

// The code page of a detector's character-set name (letter case ignored); none for a set the
// menu has no entry for. Latin-1 and ISO-8859-2 count as their Windows twins.
std::optional<TCodePage> CodePageOfCharsetName(std::string_view name);

// Whether the bytes read as the double-byte code page without a broken pair: every lead byte is
// followed by a trail byte of that code page. True for a page that is not double-byte.
bool IsWellFormedDoubleByte(std::string_view bytes, TCodePage page);

// The code page the detector finds for bytes that are not UTF-8, when it is sure: an East Asian
// double-byte page whose pairs are all well formed, or a single-byte page of a non-Latin script
// (Cyrillic, Greek, Hebrew, Arabic, Baltic, Thai, Vietnamese). The Latin pages (1250, 1252, 1254)
// are never taken from the detector: on a few accented letters it flips between them, and the
// fallback is the user's own word for such text. None without a detector.
std::optional<TCodePage> DetectCodePage(std::string_view bytes);

}  // namespace qm
