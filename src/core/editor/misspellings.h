// SPDX-License-Identifier: MIT
#pragma once

// The words of a document's comments and string literals that are not in the dictionary, found
// as the first pass of a restyle finds them (so never in names, Attribute lines or the fixed words
// of header templates), each left as it stands: an editor shows them and changes nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"
#include "spelling/spelldialoglogic.h"
#include "spelling/vcspeller.h"
#include "ui/progress.h"

namespace qm {

class IPrompts;
class TSettings;
struct TCommentTemplates;

struct TMisspelling {
  std::size_t Line = 0;
  std::size_t Column = 0;  // byte offset of the word in its line as read
  std::size_t Length = 0;  // bytes
  std::string Word;
  std::vector<std::string> Suggestions;
};

class TMisspellingFinder final : public IProgress {
 public:
  // The speller's options (the dictionary, the word rules) come from the settings file.
  TMisspellingFinder(IPrompts& prompts, std::string_view settingsFile, TVCSpeller::TOpener opener = OpenHunspellDictionary);

  // The misspelled words of lines, with the literals and comments the settings choose; false,
  // with the reason in problem, when no dictionary can be opened.
  bool Find(const TLines& lines, TSettings& settings, const TCommentTemplates* templates, std::uint8_t kind,
            std::vector<TMisspelling>& found, std::string* problem);

  // The formatter reports the index of the line in hand as the processing position.
  void SetPosition(int position) override { line_ = position; }

 private:
  void Record();

  IPrompts& prompts_;
  TVCSpeller speller_;
  TSpellDialogLogic dialog_;
  const TLines* lines_ = nullptr;
  std::vector<TMisspelling>* found_ = nullptr;
  int line_ = 0;
  int tabWidth_ = 4;  // the settings' tab width of the current Find
};

// The offset in a line as read of a column (from 1) of the line with its tabs expanded.
std::size_t RawOffset(std::string_view raw, int expandedColumn, int tabWidth);

}  // namespace qm
