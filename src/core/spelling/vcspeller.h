// SPDX-License-Identifier: MIT
#pragma once

// The spelling engine that the formatter and the spelling dialog drive, through the properties
// and methods of a spelling control: a text is checked word by word, each word not in the
// dictionary is reported through ResultCode and MisspelledWord, and the caller ignores, replaces
// or records it before resuming. The dictionary is Hunspell (or any ISpellDictionary); words are
// split for program text (spelling/words.h), looked up once per run, and checked against one
// custom word list in the settings directory.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "spelling/dictionary.h"
#include "spelling/words.h"

namespace qm {

// ResultCode values.
inline constexpr int kSpellEndOfText = 0;
inline constexpr int kSpellNotFound = -1;
inline constexpr int kSpellInIRList = -2;
inline constexpr int kSpellCancelled = -3;
// Action codes of the common ignore/replace list.
inline constexpr int kIRIgnore = 5;
inline constexpr int kIRReplace = 9;
// Bit 0 of a custom dictionary's flags: words may be added to it.
inline constexpr int kCustomDictWritable = 1;

// The speller's own options, kept in section SpellChecker of the settings file.
// The code page in which words are split for the encoding settings: the choice, or Auto's fallback.
TCodePage WordsCodePage(const TEncodingSettings& encoding);

struct TSpellerOptions {
  std::string Dictionary = "en_US";
  TWordRules Rules;

  void Load(std::string_view settingsFile);
  bool Save(std::string_view settingsFile, std::string* err) const;
  bool operator==(const TSpellerOptions& o) const {
    return Dictionary == o.Dictionary && Rules.IgnoreCapitals == o.Rules.IgnoreCapitals &&
           Rules.IgnoreWithDigits == o.Rules.IgnoreWithDigits && Rules.IgnoreCamelCase == o.Rules.IgnoreCamelCase &&
           Rules.CodePage == o.Rules.CodePage;
  }
};

inline constexpr std::string_view kCustomDictionaryFileName = "VBQUILL3.DIC";

class TVCSpeller {
 public:
  // Opens a dictionary by name; by default the installed Hunspell dictionaries.
  using TOpener = std::function<std::unique_ptr<ISpellDictionary>(std::string_view name, std::string* problem)>;
  explicit TVCSpeller(TOpener opener = OpenHunspellDictionary);

  // Where the custom word list lives; by default the settings directory's VBQUILL3.DIC.
  void SetCustomDictionaryPath(std::string path);
  const std::string& CustomDictionaryPath() const { return customPath_; }

  // The options in use; a change of dictionary takes effect at the next BeginRun.
  void SetOptions(const TSpellerOptions& options);
  const TSpellerOptions& Options() const { return options_; }

  // Where the code page of the texts comes from when it can change between runs (the program's
  // View > Encoding); asked at each BeginRun. Unset, the options' code page holds.
  std::function<TCodePage()> CodePageSource;

  // A processing run starts: the ignore/replace list and the look-up cache are emptied, the
  // dictionary is opened if it is not, and the custom word list is read. False, with the reason
  // in problem, when there is no dictionary to check with.
  bool BeginRun(std::string* problem);

  // --- Properties -------------------------------------------------------------------------------
  bool AutoSuggest = false;
  bool AutoReplace = false;
  bool AutoPopup = false;
  void SetClearCounts(int value);

  // Writing a text starts checking it; the check stops at the first word to report.
  void SetCheckText(std::string text);
  int ResultCode() const { return resultCode_; }
  void SetResultCode(int code) { resultCode_ = code; }
  // Continues after the last reported word (after its replacement, if it was replaced).
  int ResumeCheck();
  const std::string& MisspelledWord() const { return misspelledWord_; }
  void SetMisspelledWord(std::string word) { misspelledWord_ = std::move(word); }
  // Where the reported word stands in Text (0-based).
  std::size_t MisspelledPos() const { return lastPos_; }
  int IRAction() const { return irAction_; }
  const std::string& ReplacementWord() const { return replacementWord_; }
  void SetReplacementWord(std::string word) { replacementWord_ = std::move(word); }
  // Writing 1 puts ReplacementWord in the place of the last reported word, and nothing else.
  void SetReplaceLastWord(int value);
  bool ReplaceOccurred() const { return replaceOccurred_; }
  const std::string& Text() const { return text_; }
  // Checks a word (or each word of a phrase) alone: ResultCode 0 when found, else -1.
  void SetCheckWord(std::string_view word);
  void SetFindSuggestions(std::string_view word);
  int SuggestionCount() const { return static_cast<int>(suggestions_.size()); }
  // Records the current word (MisspelledWord) in the common list: kIRIgnore or kIRReplace.
  void SetAddToCommonIRList(int action);
  int CustomCount() const { return 1; }
  // Writing 1 shows the speller's options dialog (set by the window that has one).
  void SetPopupOptions(int value);
  std::function<void()> OnPopupOptions;

  // --- Methods ----------------------------------------------------------------------------------
  std::string GetSuggestion(int index) const;           // 1 to SuggestionCount
  int GetCustomDictFlags(int dictionary) const;         // dictionary: -1 for the first
  std::string GetCustomDictName(int dictionary) const;
  // Adds the current word to the custom dictionary (-1): to its file, and to the run at once.
  // False, with the reason in err, when the file cannot be written.
  bool AddToCustomDict(int dictionary, int action, std::string* err = nullptr);

  // Whether a word is in the dictionary or the custom list, looked up once per run.
  bool IsKnown(std::string_view word);
  // Words looked up in the dictionary itself since the run began (the cache's misses).
  std::size_t DictionaryLookups() const { return lookups_; }

 private:
  void Advance(std::size_t from);
  bool EnsureDictionary(std::string* problem);

  TOpener opener_;
  TSpellerOptions options_;
  std::unique_ptr<ISpellDictionary> dictionary_;
  std::string dictionaryName_;  // the name dictionary_ was opened by
  std::string customPath_;
  std::unordered_set<std::string> customWords_;
  std::unordered_map<std::string, bool> cache_;
  struct TIREntry {
    int Action;
    std::string Replacement;
  };
  std::unordered_map<std::string, TIREntry> irList_;
  std::size_t lookups_ = 0;

  std::string text_;
  std::size_t resume_ = 0;
  std::size_t lastPos_ = 0;
  std::size_t lastLen_ = 0;
  int resultCode_ = kSpellEndOfText;
  std::string misspelledWord_;
  int irAction_ = 0;
  std::string replacementWord_;
  bool replaceOccurred_ = false;
  std::vector<std::string> suggestions_;
};

}  // namespace qm

namespace qm {

// The dictionaries the speller's options dialog offers: every installed one by name, and the
// chosen one first when it is not installed (so that the choice is seen); Index is the chosen one.
struct TDictionaryChoices {
  std::vector<std::string> Names;
  int Index = -1;
};
TDictionaryChoices DictionaryChoices(std::string_view chosen, const std::vector<TDictionaryInfo>& installed);

}  // namespace qm
