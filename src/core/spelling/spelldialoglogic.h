// SPDX-License-Identifier: MIT
#pragma once

// The decisions of the spelling dialog "Word Not Found in Dictionary": what it shows for each
// word the speller reports and what each button does to the speller. The window paints State and
// forwards its clicks here; the command-line driver and the tests answer in its place.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "spelling/vcspeller.h"
#include "ui/colors.h"
#include "ui/spelling.h"

namespace qm {

class IPrompts;

// How a button leaves the dialog.
enum class TSpellClose { StayOpen, Ok, Cancel };

struct TSpellContextLine {
  std::string Text;
  TColor Color;
  TColor Background;
};

// What the dialog's controls show.
struct TSpellDialogState {
  std::vector<TSpellContextLine> Context;  // txtDisplay: the line, then the text under check
  std::string Misspell;
  std::string ReplaceWith;
  std::vector<std::string> SuggestList;
  int SuggestIndex = -1;
  bool SuggestEnabled = true;
  std::vector<std::string> Customs;
  int CustomIndex = -1;
  bool CustomsEnabled = true;
  bool AddCustomEnabled = true;
};

inline constexpr std::string_view kNoSuggestions = "[No suggestions]";
// Blanks handed to the speller behind every text.
inline constexpr std::size_t kSpellPadding = 60;

class TSpellDialogLogic final : public ISpellCheck {
 public:
  TSpellDialogLogic(TVCSpeller& speller, IPrompts& prompts);

  // Shows the dialog modally for the word in State; returns when a button has closed it.
  std::function<void()> ShowModal;

  bool BeginSpellRun(std::string* problem) override;
  void RunSpellCheck(const std::string& context, std::string& text, const TSpellTarget& target, bool& cancelled,
                     bool& changed) override;

  void PrepareDialog();
  void FillSuggest(const std::string& word);

  void SuggestionsButton1Click();
  void SuggestionsButton2Click();
  void SuggestListClick(int index);
  TSpellClose IgnoreButtonClick();
  TSpellClose IgnoreAllButtonClick();
  TSpellClose ReplaceButtonClick();
  TSpellClose ReplaceAllButtonClick();
  TSpellClose OptionsButtonClick();
  TSpellClose AddCustomButtonClick();
  TSpellClose CancelSpellcheckButtonClick();
  // Closing the dialog by other means: as though nothing was pressed (the check goes on).
  void FormClose() {}

  TSpellDialogState State;
  TVCSpeller& Speller() { return speller_; }
  const TSpellTarget& Target() const { return target_; }
  // Where the reported word stands in the context line, from 1.
  int WordColumn() const { return target_.Column + static_cast<int>(speller_.MisspelledPos()); }

 private:
  // The replacement for Replace and Replace All.
  enum class TReplaceOutcome { Replaced, Declined, Refused };
  TReplaceOutcome ReplaceLastWord();

  TVCSpeller& speller_;
  IPrompts& prompts_;
  TSpellTarget target_;
};

}  // namespace qm
