// SPDX-License-Identifier: MIT
#include "settings/encoding.h"

#include "messages.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace qm {

namespace {

using P = TCodePage;

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

TCodePage ResolveCodePage(const TEncodingSettings& settings, std::size_t invalidUtf8Lines,
                          std::size_t nonAsciiLines) {
  if (settings.CodePage != TCodePage::Auto) return settings.CodePage;
  if (invalidUtf8Lines == 0 && nonAsciiLines > 0) return TCodePage::Utf8;
  return settings.AutoFallback == TCodePage::Auto ? TCodePage::Windows1252 : settings.AutoFallback;
}

TCodePage ResolveCodePage(const TEncodingSettings& settings, std::string_view bytes) {
  if (settings.CodePage != TCodePage::Auto) return settings.CodePage;
  const bool nonAscii = HasNonAscii(bytes);
  return ResolveCodePage(settings, nonAscii && !IsValidUtf8(bytes) ? 1 : 0, nonAscii ? 1 : 0);
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
  return ResolveCodePage(settings, invalid, nonAscii);
}

}  // namespace qm
