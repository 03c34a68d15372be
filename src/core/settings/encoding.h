// SPDX-License-Identifier: MIT
#pragma once

// The code page through which the windows show source bytes (View > Encoding), and its section
// of the settings file. Visual Basic wrote its files in the ANSI code page of the machine that
// saved them; some projects kept in version control are UTF-8. The choice only changes how bytes
// are shown and searched: the engine reads and writes bytes and never transcodes them.
//
// Section [Encoding] of VBQUILL3.INI:
//   CodePage=Auto          the menu's choice (the keys of CodePages(), case-insensitive)
//   AutoFallback=1252      what Auto takes when the bytes are not UTF-8 (never Auto itself)
// An older file has no such section: Auto with Windows-1252, which shows every file as before
// unless it is UTF-8.

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
// valid UTF-8 holding something beyond ASCII, else the fallback (Windows-1252 when that is Auto).
TCodePage ResolveCodePage(const TEncodingSettings& settings, std::string_view bytes);
// The same over a whole text: UTF-8 only when every line is valid UTF-8 and one holds non-ASCII.
TCodePage ResolveCodePage(const TEncodingSettings& settings, const std::vector<std::string>& lines);

// What Auto decides from counts kept while lines are added: lines that are not valid UTF-8 and
// lines that hold non-ASCII bytes.
TCodePage ResolveCodePage(const TEncodingSettings& settings, std::size_t invalidUtf8Lines,
                          std::size_t nonAsciiLines);

}  // namespace qm
