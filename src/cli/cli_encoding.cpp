// SPDX-License-Identifier: MIT
#include "cli_encoding.h"

#include "platform/utf8.h"

namespace qm::cli {

namespace {

std::string Key(const std::string& name) {
  std::string key;
  for (char c : name) {
    if (c == '-' || c == '_') continue;
    key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return key;
}

// The name both systems' converters know for a code page of the desktop's menu.
std::string ConverterName(TCodePage page) {
  switch (page) {
    case TCodePage::ShiftJIS: return "CP932";
    case TCodePage::GBK: return "CP936";
    case TCodePage::Big5: return "CP950";
    case TCodePage::Korean949: return "CP949";
    case TCodePage::Thai874: return "CP874";
    case TCodePage::Utf8: return "UTF-8";
    case TCodePage::Auto:
    case TCodePage::Windows1252: return "CP1252";
    default: return "CP" + std::string(CodePageInfo(page).Key);
  }
}

}  // namespace

std::optional<TCodePage> WordsCodePageOfName(const std::string& name) {
  const std::string key = Key(name);
  static const struct {
    const char* Name;
    TCodePage Page;
  } names[] = {
      {"shiftjis", TCodePage::ShiftJIS}, {"sjis", TCodePage::ShiftJIS},    {"cp932", TCodePage::ShiftJIS},
      {"ms932", TCodePage::ShiftJIS},    {"windows31j", TCodePage::ShiftJIS}, {"gbk", TCodePage::GBK},
      {"cp936", TCodePage::GBK},         {"gb2312", TCodePage::GBK},       {"gb18030", TCodePage::GBK},
      {"big5", TCodePage::Big5},         {"cp950", TCodePage::Big5},       {"big5hkscs", TCodePage::Big5},
      {"cp949", TCodePage::Korean949},   {"uhc", TCodePage::Korean949},    {"euckr", TCodePage::Korean949},
      {"windows949", TCodePage::Korean949}, {"utf8", TCodePage::Utf8},
  };
  for (const auto& entry : names) {
    if (key == entry.Name) return entry.Page;
  }
  for (const TCodePageInfo& info : CodePages()) {
    if (info.Page == TCodePage::Auto || info.Page == TCodePage::Utf8) continue;
    if (key == "windows" + std::string(info.Key) || key == "cp" + std::string(info.Key)) return info.Page;
  }
  const os::TTextDecoder decoder(name);
  if (!decoder.Ok()) return std::nullopt;
  // A high byte alone is a whole character only in a single-byte encoding (where a few bytes may
  // be undefined).
  int whole = 0;
  for (int byte = 0xC0; byte <= 0xFF; ++byte) {
    const char c = static_cast<char>(byte);
    whole += decoder.ToUtf8(std::string_view(&c, 1)).find("\xEF\xBF\xBD") == std::string::npos ? 1 : 0;
  }
  return whole >= 48 ? TCodePage::Windows1252 : TCodePage::GBK;
}

bool TCliEncoding::Choose(const std::string& option, const std::string& settingsFile, std::string& problem) {
  settings_ = LoadEncodingSettings(settingsFile.empty() ? kSettingsFileName : std::string_view(settingsFile));
  if (option.empty()) {
    UsePage(settings_.CodePage == TCodePage::Auto ? settings_.AutoFallback : settings_.CodePage);
    return true;
  }
  if (Key(option) == "auto") {
    settings_.CodePage = TCodePage::Auto;
    UsePage(settings_.AutoFallback);
    return true;
  }
  const std::optional<TCodePage> words = WordsCodePageOfName(option);
  if (!words) {
    problem = "unknown encoding " + option;
    return false;
  }
  settings_.CodePage = *words;  // not Auto: Resolve keeps the named encoding
  wordsPage_ = *words;
  cp1252_ = Key(option) == "cp1252" || Key(option) == "windows1252";
  decoder_.reset();
  if (!cp1252_) decoder_ = std::make_unique<os::TTextDecoder>(option);
  // A name the speller knows that this system cannot convert from.
  if (decoder_ && !decoder_->Ok()) {
    problem = "unknown encoding " + option;
    return false;
  }
  return true;
}

void TCliEncoding::UsePage(TCodePage page) {
  wordsPage_ = page == TCodePage::Auto ? TCodePage::Windows1252 : page;
  cp1252_ = wordsPage_ == TCodePage::Windows1252;
  decoder_.reset();
  if (!cp1252_) decoder_ = std::make_unique<os::TTextDecoder>(ConverterName(wordsPage_));
}

void TCliEncoding::Resolve(const std::vector<std::string>& lines) {
  if (settings_.CodePage != TCodePage::Auto) return;
  UsePage(ResolveCodePage(settings_, lines));
}

std::string TCliEncoding::ToUtf8(std::string_view bytes) const {
  if (cp1252_ || !decoder_ || !decoder_->Ok()) return Cp1252ToUtf8(bytes);
  return decoder_->ToUtf8(bytes);
}

}  // namespace qm::cli
