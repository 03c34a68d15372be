// SPDX-License-Identifier: MIT
#include "settings/encoding.h"

#include <array>

#include "messages.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "settings/charsetdetector.h"

namespace qm {

namespace {

using P = TCodePage;

TCodePage Fallback(const TEncodingSettings& settings) {
  return settings.AutoFallback == TCodePage::Auto ? TCodePage::Windows1252 : settings.AutoFallback;
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// Lead and trail bytes of the double-byte code pages, as Windows defines them.
bool IsLeadByte(TCodePage page, unsigned char b) {
  switch (page) {
    case P::ShiftJIS: return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
    case P::GBK:
    case P::Big5:
    case P::Korean949: return InRange(b, 0x81, 0xFE);
    default: return false;
  }
}

bool IsTrailByte(TCodePage page, unsigned char b) {
  switch (page) {
    case P::ShiftJIS: return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFC);
    case P::GBK: return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFE);
    case P::Big5: return InRange(b, 0x40, 0x7E) || InRange(b, 0xA1, 0xFE);
    case P::Korean949: return InRange(b, 0x41, 0x5A) || InRange(b, 0x61, 0x7A) || InRange(b, 0x81, 0xFE);
    default: return false;
  }
}

bool IsDoubleBytePage(TCodePage page) {
  return page == P::ShiftJIS || page == P::GBK || page == P::Big5 || page == P::Korean949;
}

}  // namespace

const std::vector<TCodePageInfo>& CodePages() {
  static const std::vector<TCodePageInfo> pages = {
      {P::Auto, "Auto", "Auto", ""},
      {P::Windows1252, "Western (Windows-1252)", "1252", "windows-1252"},
      {P::ShiftJIS, "Japanese (Shift-JIS)", "932", "Shift_JIS"},
      {P::GBK, "Chinese Simplified (GBK)", "936", "GBK"},
      {P::Big5, "Chinese Traditional (Big5)", "950", "Big5"},
      {P::Korean949, "Korean (949)", "949", "windows-949"},
      {P::Cyrillic1251, "Cyrillic (1251)", "1251", "windows-1251"},
      {P::CentralEuropean1250, "Central European (1250)", "1250", "windows-1250"},
      {P::Greek1253, "Greek (1253)", "1253", "windows-1253"},
      {P::Turkish1254, "Turkish (1254)", "1254", "windows-1254"},
      {P::Hebrew1255, "Hebrew (1255)", "1255", "windows-1255"},
      {P::Arabic1256, "Arabic (1256)", "1256", "windows-1256"},
      {P::Baltic1257, "Baltic (1257)", "1257", "windows-1257"},
      {P::Vietnamese1258, "Vietnamese (1258)", "1258", "windows-1258"},
      {P::Thai874, "Thai (874)", "874", "windows-874"},
      {P::Utf8, "UTF-8", "UTF-8", "UTF-8"},
  };
  return pages;
}

const TCodePageInfo& CodePageInfo(TCodePage page) {
  for (const TCodePageInfo& info : CodePages()) {
    if (info.Page == page) return info;
  }
  return CodePages().front();
}

std::optional<TCodePage> CodePageFromKey(std::string_view key) {
  for (const TCodePageInfo& info : CodePages()) {
    if (SameTextIgnoringCase(info.Key, key)) return info.Page;
  }
  return std::nullopt;
}

TEncodingSettings LoadEncodingSettings(std::string_view fileName) {
  TEncodingSettings settings;
  const std::string page = GetPrivateProfileString(kEncodingSection, kEncodingCodePageKey,
                                                   CodePageInfo(settings.CodePage).Key, fileName);
  const std::string fallback = GetPrivateProfileString(
      kEncodingSection, kEncodingFallbackKey, CodePageInfo(settings.AutoFallback).Key, fileName);
  if (auto known = CodePageFromKey(page)) settings.CodePage = *known;
  if (auto known = CodePageFromKey(fallback); known && *known != TCodePage::Auto) {
    settings.AutoFallback = *known;
  }
  return settings;
}

bool SaveEncodingSettings(const TEncodingSettings& settings, std::string_view fileName,
                          std::string* err) {
  const bool ok =
      WritePrivateProfileString(kEncodingSection, kEncodingCodePageKey,
                                CodePageInfo(settings.CodePage).Key, fileName) &&
      WritePrivateProfileString(kEncodingSection, kEncodingFallbackKey,
                                CodePageInfo(settings.AutoFallback).Key, fileName);
  if (!ok && err) *err = msg::Format(msg::UnableToWriteTo, fileName);
  return ok;
}

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

std::optional<TCodePage> CodePageOfCharsetName(std::string_view name) {
  struct TAlias {
    std::string_view Name;
    TCodePage Page;
  };
  static constexpr std::array<TAlias, 27> kAliases = {{
      {"SHIFT_JIS", P::ShiftJIS},        {"SJIS", P::ShiftJIS},           {"CP932", P::ShiftJIS},
      {"WINDOWS-31J", P::ShiftJIS},      {"GB18030", P::GBK},             {"GBK", P::GBK},
      {"GB2312", P::GBK},                {"CP936", P::GBK},               {"BIG5", P::Big5},
      {"CP950", P::Big5},                {"EUC-KR", P::Korean949},        {"UHC", P::Korean949},
      {"CP949", P::Korean949},           {"WINDOWS-1251", P::Cyrillic1251},
      {"WINDOWS-1250", P::CentralEuropean1250}, {"ISO-8859-2", P::CentralEuropean1250},
      {"WINDOWS-1252", P::Windows1252},  {"ISO-8859-1", P::Windows1252},  {"WINDOWS-1253", P::Greek1253},
      {"WINDOWS-1254", P::Turkish1254},  {"WINDOWS-1255", P::Hebrew1255}, {"WINDOWS-1256", P::Arabic1256},
      {"WINDOWS-1257", P::Baltic1257},   {"WINDOWS-1258", P::Vietnamese1258}, {"TIS-620", P::Thai874},
      {"WINDOWS-874", P::Thai874},       {"UTF-8", P::Utf8},
  }};
  for (const TAlias& alias : kAliases) {
    if (SameTextIgnoringCase(alias.Name, name)) return alias.Page;
  }
  return std::nullopt;
}

bool IsWellFormedDoubleByte(std::string_view bytes, TCodePage page) {
  if (!IsDoubleBytePage(page)) return true;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (!IsLeadByte(page, b)) continue;
    if (i + 1 >= bytes.size() || !IsTrailByte(page, static_cast<unsigned char>(bytes[i + 1]))) return false;
    ++i;
  }
  return true;
}

std::optional<TCodePage> DetectCodePage(std::string_view bytes) {
  const std::optional<TCodePage> page = CodePageOfCharsetName(DetectCharsetName(bytes));
  if (!page) return std::nullopt;
  switch (*page) {
    // UTF-8 is decided by validity alone; the Latin pages are left to the fallback.
    case P::Utf8:
    case P::Windows1252:
    case P::CentralEuropean1250:
    case P::Turkish1254:
    case P::Auto: return std::nullopt;
    default: break;
  }
  if (!IsWellFormedDoubleByte(bytes, *page)) return std::nullopt;
  return page;
}

TCodePage ResolveCodePage(const TEncodingSettings& settings, std::size_t invalidUtf8Lines,
                          std::size_t nonAsciiLines) {
  if (settings.CodePage != TCodePage::Auto) return settings.CodePage;
  if (invalidUtf8Lines == 0 && nonAsciiLines > 0) return TCodePage::Utf8;
  return Fallback(settings);
}

TCodePage ResolveCodePage(const TEncodingSettings& settings, std::string_view bytes) {
  if (settings.CodePage != TCodePage::Auto) return settings.CodePage;
  if (!HasNonAscii(bytes)) return Fallback(settings);
  if (IsValidUtf8(bytes)) return TCodePage::Utf8;
  return DetectCodePage(bytes).value_or(Fallback(settings));
}

TCodePage ResolveCodePage(const TEncodingSettings& settings, const std::vector<std::string>& lines) {
  if (settings.CodePage != TCodePage::Auto) return settings.CodePage;
  std::size_t invalid = 0;
  std::size_t nonAscii = 0;
  for (const std::string& line : lines) {
    if (!HasNonAscii(line)) continue;
    ++nonAscii;
    if (!IsValidUtf8(line)) {
      ++invalid;
      break;  // one line is enough to rule UTF-8 out
    }
  }
  if (invalid == 0) return ResolveCodePage(settings, invalid, nonAscii);
  // The detector reads the whole text, as it lies in the file.
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return DetectCodePage(text).value_or(Fallback(settings));
}

}  // namespace qm
