// SPDX-License-Identifier: MIT
#include "spelling/spelldialoglogic.h"

#include "messages.h"
#include "ui/prompts.h"

namespace qm {

TSpellDialogLogic::TSpellDialogLogic(TVCSpeller& speller, IPrompts& prompts) : speller_(speller), prompts_(prompts) {}

bool TSpellDialogLogic::BeginSpellRun(std::string* problem) { return speller_.BeginRun(problem); }

void TSpellDialogLogic::RunSpellCheck(const std::string& context, std::string& text, const TSpellTarget& target,
                                      bool& cancelled, bool& changed) {
  cancelled = false;
  changed = false;
  target_ = target;
  speller_.AutoSuggest = false;
  speller_.AutoReplace = false;
  speller_.AutoPopup = false;
  speller_.SetClearCounts(1);
  speller_.SetCheckText(text + std::string(kSpellPadding, ' '));

  for (int r = speller_.ResultCode(); r < 0; r = speller_.ResumeCheck()) {
    if (r != kSpellNotFound && r != kSpellInIRList) continue;
    State.Context = {{context, clBlack, clWindow}, {text, clBlack, clSilver}};
    PrepareDialog();
    if (ShowModal) ShowModal();
    r = speller_.ResultCode();
    if (r > 0) break;
    if (r == kSpellCancelled) {
      cancelled = true;
      break;
    }
    if (speller_.ReplaceOccurred()) {
      // The speller's text still ends in the blanks handed to it; they never come back.
      const std::string& checked = speller_.Text();
      text = checked.substr(0, checked.size() - std::min(checked.size(), kSpellPadding));
      changed = true;
    }
  }
}

void TSpellDialogLogic::PrepareDialog() {
  State.Misspell = speller_.MisspelledWord();
  State.SuggestList.clear();
  State.ReplaceWith.clear();
  FillSuggest(State.Misspell);
  if (speller_.ResultCode() == kSpellInIRList && speller_.IRAction() == kIRReplace) {
    State.ReplaceWith = speller_.ReplacementWord();
  }
  State.Customs.clear();
  State.AddCustomEnabled = true;
  for (int i = 1; i <= speller_.CustomCount(); ++i) {
    if (speller_.GetCustomDictFlags(-i) & kCustomDictWritable) State.Customs.push_back(speller_.GetCustomDictName(-i));
  }
  State.CustomsEnabled = !State.Customs.empty();
  State.AddCustomEnabled = State.CustomsEnabled;
  State.CustomIndex = State.Customs.empty() ? -1 : 0;
}

void TSpellDialogLogic::FillSuggest(const std::string& word) {
  speller_.SetFindSuggestions(word);
  const int n = speller_.SuggestionCount();
  State.SuggestList.clear();
  if (n > 0) {
    for (int i = 1; i <= n; ++i) State.SuggestList.push_back(speller_.GetSuggestion(i));
    State.SuggestEnabled = true;
    State.SuggestIndex = 0;
    State.ReplaceWith = State.SuggestList.front();
  } else {
    State.SuggestEnabled = false;
    State.SuggestList.emplace_back(kNoSuggestions);
    State.SuggestIndex = -1;
  }
}

void TSpellDialogLogic::SuggestionsButton1Click() { FillSuggest(State.Misspell); }

void TSpellDialogLogic::SuggestionsButton2Click() { FillSuggest(State.ReplaceWith); }

void TSpellDialogLogic::SuggestListClick(int index) {
  if (!State.SuggestEnabled || index < 0 || index >= static_cast<int>(State.SuggestList.size())) return;
  State.SuggestIndex = index;
  State.ReplaceWith = State.SuggestList[static_cast<std::size_t>(index)];
}

TSpellClose TSpellDialogLogic::IgnoreButtonClick() {
  speller_.SetResultCode(kSpellEndOfText);
  return TSpellClose::Ok;
}

TSpellClose TSpellDialogLogic::IgnoreAllButtonClick() {
  speller_.SetAddToCommonIRList(kIRIgnore);
  return TSpellClose::Ok;
}

// A double quote would end the literal in the middle and break the statement, so such a
// replacement is refused and the dialog stays open for another.
TSpellDialogLogic::TReplaceOutcome TSpellDialogLogic::ReplaceLastWord() {
  if (target_.Literal && State.ReplaceWith.find('"') != std::string::npos) {
    prompts_.Show(TMsgKind::Warning, std::string(msg::SpellReplacementHasQuote));
    return TReplaceOutcome::Refused;
  }
  speller_.SetCheckWord(State.ReplaceWith);
  if (speller_.ResultCode() != kSpellEndOfText &&
      prompts_.Ask(TMsgKind::Warning, TButtons::YesNo, std::string(msg::ReplacementNotInDictionary)) != TAnswer::Yes) {
    return TReplaceOutcome::Declined;
  }
  speller_.SetReplacementWord(State.ReplaceWith);
  speller_.SetReplaceLastWord(1);
  return TReplaceOutcome::Replaced;
}

TSpellClose TSpellDialogLogic::ReplaceButtonClick() {
  return ReplaceLastWord() == TReplaceOutcome::Refused ? TSpellClose::StayOpen : TSpellClose::Ok;
}

TSpellClose TSpellDialogLogic::ReplaceAllButtonClick() {
  const TReplaceOutcome outcome = ReplaceLastWord();
  if (outcome == TReplaceOutcome::Refused) return TSpellClose::StayOpen;
  if (outcome == TReplaceOutcome::Replaced) {
    speller_.SetReplacementWord(State.ReplaceWith);
    speller_.SetMisspelledWord(State.Misspell);
    speller_.SetAddToCommonIRList(kIRReplace);
  }
  return TSpellClose::Ok;
}

TSpellClose TSpellDialogLogic::OptionsButtonClick() {
  speller_.SetPopupOptions(1);
  return TSpellClose::StayOpen;
}

TSpellClose TSpellDialogLogic::AddCustomButtonClick() {
  if (std::string where; !speller_.AddToCustomDict(-1, kIRIgnore, &where)) {
    prompts_.Show(TMsgKind::Error, msg::Format(msg::UnableToWriteTo, where));
  }
  return TSpellClose::StayOpen;
}

TSpellClose TSpellDialogLogic::CancelSpellcheckButtonClick() {
  speller_.SetResultCode(kSpellCancelled);
  return TSpellClose::Cancel;
}

}  // namespace qm
