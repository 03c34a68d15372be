// SPDX-License-Identifier: MIT
#include "spelling/vcspeller.h"

#include <fstream>

#include "platform/linefile.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace qm {

namespace {

constexpr std::string_view kSection = "SpellChecker";

bool ReadFlag(std::string_view key, bool def, std::string_view file) {
  const std::string v = GetPrivateProfileString(kSection, key, def ? "1" : "0", file);
  return v != "0";
}

// The word as the dictionary is asked: a typographic apostrophe is asked as a straight one.
std::string LookupForm(std::string_view word) {
  std::string w(word);
  for (char& c : w) {
    if (static_cast<unsigned char>(c) == 0x92) c = '\'';
  }
  return w;
}

// The word with its first letter small, for a word that starts a sentence.
std::string FirstLetterLowered(std::string w) {
  if (!w.empty()) {
    const unsigned char c = static_cast<unsigned char>(w[0]);
    if (c >= 'A' && c <= 'Z') {
      w[0] = static_cast<char>(c - 'A' + 'a');
    } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
      w[0] = static_cast<char>(c + 0x20);
    }
  }
  return w;
}

}  // namespace

void TSpellerOptions::Load(std::string_view settingsFile) {
  Dictionary = GetPrivateProfileString(kSection, "Dictionary", Dictionary, settingsFile);
  Rules.IgnoreCapitals = ReadFlag("IgnoreCapitals", Rules.IgnoreCapitals, settingsFile);
  Rules.IgnoreWithDigits = ReadFlag("IgnoreWordsWithDigits", Rules.IgnoreWithDigits, settingsFile);
  Rules.IgnoreCamelCase = ReadFlag("IgnoreCamelCase", Rules.IgnoreCamelCase, settingsFile);
  // Words are split in the code page the sources are shown in (View > Encoding); Auto reads them
  // in its fallback, as the bytes of a double-byte page are never valid UTF-8 text.
  Rules.CodePage = WordsCodePage(LoadEncodingSettings(settingsFile));
}

TCodePage WordsCodePage(const TEncodingSettings& encoding) {
  return encoding.CodePage == TCodePage::Auto ? encoding.AutoFallback : encoding.CodePage;
}

bool TSpellerOptions::Save(std::string_view settingsFile, std::string* err) const {
  const bool ok = WritePrivateProfileString(kSection, "Dictionary", Dictionary, settingsFile) &&
                  WritePrivateProfileString(kSection, "IgnoreCapitals", Rules.IgnoreCapitals ? "1" : "0", settingsFile) &&
                  WritePrivateProfileString(kSection, "IgnoreWordsWithDigits", Rules.IgnoreWithDigits ? "1" : "0",
                                            settingsFile) &&
                  WritePrivateProfileString(kSection, "IgnoreCamelCase", Rules.IgnoreCamelCase ? "1" : "0", settingsFile);
  if (!ok && err) *err = ResolveProfilePath(settingsFile);
  return ok;
}

TVCSpeller::TVCSpeller(TOpener opener) : opener_(std::move(opener)) {}

void TVCSpeller::SetCustomDictionaryPath(std::string path) { customPath_ = std::move(path); }

void TVCSpeller::SetOptions(const TSpellerOptions& options) {
  if (options.Dictionary != dictionaryName_) dictionary_.reset();
  options_ = options;
  cache_.clear();
}

bool TVCSpeller::EnsureDictionary(std::string* problem) {
  if (dictionary_) return true;
  dictionary_ = opener_ ? opener_(options_.Dictionary, problem) : nullptr;
  if (!dictionary_) return false;
  dictionaryName_ = options_.Dictionary;
  for (const std::string& w : customWords_) dictionary_->Add(w);
  return true;
}

bool TVCSpeller::BeginRun(std::string* problem) {
  if (CodePageSource) options_.Rules.CodePage = CodePageSource();
  irList_.clear();
  cache_.clear();
  lookups_ = 0;
  if (customPath_.empty()) customPath_ = ResolveProfilePath(kCustomDictionaryFileName);
  customWords_.clear();
  TLines words;
  if (FileExists(customPath_) && ReadLineFile(customPath_, words)) {
    for (const std::string& w : words) {
      if (!w.empty()) customWords_.insert(w);
    }
  }
  const bool hadDictionary = dictionary_ != nullptr;
  if (!EnsureDictionary(problem)) return false;
  if (hadDictionary) {
    for (const std::string& w : customWords_) dictionary_->Add(w);
  }
  return true;
}

bool TVCSpeller::IsKnown(std::string_view word) {
  const std::string key(word);
  if (const auto hit = cache_.find(key); hit != cache_.end()) return hit->second;
  const std::string asked = LookupForm(word);
  bool known = customWords_.count(asked) > 0 || customWords_.count(FirstLetterLowered(asked)) > 0;
  if (!known) {
    // Without a dictionary nothing can be judged, and nothing is reported.
    ++lookups_;
    // A word with no letter of the dictionary's alphabet (text of another script read as
    // Windows-1252) cannot be judged by it either.
    known = !EnsureDictionary(nullptr) || !dictionary_->HasLetterOfAlphabet(asked) || dictionary_->Check(asked);
  }
  cache_.emplace(key, known);
  return known;
}

void TVCSpeller::SetClearCounts(int value) {
  if (value == 1) replaceOccurred_ = false;
}

void TVCSpeller::Advance(std::size_t from) {
  for (TWordSpan w = NextWord(text_, from, options_.Rules); w.Len > 0;
       w = NextWord(text_, w.Pos + w.Len, options_.Rules)) {
    const std::string_view word = std::string_view(text_).substr(w.Pos, w.Len);
    int code = 0;
    if (const auto ir = irList_.find(std::string(word)); ir != irList_.end()) {
      if (ir->second.Action == kIRIgnore) continue;
      code = kSpellInIRList;
      irAction_ = ir->second.Action;
      replacementWord_ = ir->second.Replacement;
    } else if (IsKnown(word)) {
      continue;
    } else {
      code = kSpellNotFound;
      irAction_ = 0;
    }
    lastPos_ = w.Pos;
    lastLen_ = w.Len;
    resume_ = w.Pos + w.Len;
    misspelledWord_.assign(word);
    resultCode_ = code;
    return;
  }
  lastLen_ = 0;
  resume_ = text_.size();
  resultCode_ = kSpellEndOfText;
}

void TVCSpeller::SetCheckText(std::string text) {
  text_ = std::move(text);
  replaceOccurred_ = false;
  lastPos_ = lastLen_ = 0;
  Advance(0);
}

int TVCSpeller::ResumeCheck() {
  Advance(resume_);
  return resultCode_;
}

void TVCSpeller::SetReplaceLastWord(int value) {
  if (value != 1 || lastLen_ == 0) return;
  text_.replace(lastPos_, lastLen_, replacementWord_);
  lastLen_ = replacementWord_.size();
  resume_ = lastPos_ + lastLen_;
  replaceOccurred_ = true;
}

void TVCSpeller::SetCheckWord(std::string_view word) {
  bool known = true;
  for (const TWordSpan& w : SplitWords(word, options_.Rules)) known = known && IsKnown(word.substr(w.Pos, w.Len));
  resultCode_ = known ? kSpellEndOfText : kSpellNotFound;
}

void TVCSpeller::SetFindSuggestions(std::string_view word) {
  suggestions_.clear();
  if (!word.empty() && EnsureDictionary(nullptr)) suggestions_ = dictionary_->Suggest(LookupForm(word));
}

std::string TVCSpeller::GetSuggestion(int index) const {
  if (index < 1 || index > SuggestionCount()) return {};
  return suggestions_[static_cast<std::size_t>(index - 1)];
}

void TVCSpeller::SetAddToCommonIRList(int action) {
  if (misspelledWord_.empty() || (action != kIRIgnore && action != kIRReplace)) return;
  irList_[misspelledWord_] = {action, action == kIRReplace ? replacementWord_ : std::string()};
}

void TVCSpeller::SetPopupOptions(int value) {
  if (value == 1 && OnPopupOptions) OnPopupOptions();
}

int TVCSpeller::GetCustomDictFlags(int dictionary) const { return dictionary == -1 ? kCustomDictWritable : 0; }

std::string TVCSpeller::GetCustomDictName(int dictionary) const {
  if (dictionary != -1) return {};
  return customPath_.empty() ? std::string(kCustomDictionaryFileName) : ExtractFileName(customPath_);
}

bool TVCSpeller::AddToCustomDict(int dictionary, int /*action*/, std::string* err) {
  if (dictionary != -1 || misspelledWord_.empty()) return true;
  if (customPath_.empty()) customPath_ = ResolveProfilePath(kCustomDictionaryFileName);
  const std::string word = LookupForm(misspelledWord_);
  if (customWords_.insert(word).second) {
    ForceDirectories(ExtractFilePath(customPath_));
    std::ofstream file(customPath_, std::ios::binary | std::ios::app);
    file << word << "\r\n";
    file.flush();
    if (!file) {
      if (err) *err = customPath_;
      return false;
    }
    if (dictionary_) dictionary_->Add(word);
  }
  cache_[misspelledWord_] = true;
  return true;
}

}  // namespace qm

namespace qm {

TDictionaryChoices DictionaryChoices(std::string_view chosen, const std::vector<TDictionaryInfo>& installed) {
  TDictionaryChoices choices;
  for (const TDictionaryInfo& info : installed) {
    if (info.Name == chosen) choices.Index = static_cast<int>(choices.Names.size());
    choices.Names.push_back(info.Name);
  }
  if (choices.Index < 0 && !chosen.empty()) {
    choices.Names.insert(choices.Names.begin(), std::string(chosen));
    choices.Index = 0;
  }
  return choices;
}

}  // namespace qm
