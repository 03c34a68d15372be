// SPDX-License-Identifier: MIT
#include "editor/misspellings.h"

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "settings/catalogue.h"

namespace qm {

namespace {

// No more suggestions than a message shows.
constexpr std::size_t kMaxSuggestions = 5;

}  // namespace

std::size_t RawOffset(std::string_view raw, int expandedColumn, int tabWidth) {
  if (expandedColumn < 1) return 0;
  if (raw.find('\t') == std::string_view::npos) return std::min(raw.size(), static_cast<std::size_t>(expandedColumn - 1));
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (static_cast<int>(ExpandTabs(raw.substr(0, i), tabWidth).size()) >= expandedColumn - 1) return i;
  }
  return raw.size();
}

TMisspellingFinder::TMisspellingFinder(IPrompts& prompts, std::string_view settingsFile, TVCSpeller::TOpener opener)
    : prompts_(prompts), speller_(std::move(opener)), dialog_(speller_, prompts) {
  TSpellerOptions options;
  options.Load(settingsFile);
  speller_.SetOptions(options);
  // Every word is recorded and ignored, so that nothing is ever changed.
  dialog_.ShowModal = [this] {
    Record();
    dialog_.IgnoreButtonClick();
  };
}

bool TMisspellingFinder::Find(const TLines& lines, TSettings& settings, const TCommentTemplates* templates,
                              std::uint8_t kind, std::vector<TMisspelling>& found, std::string* problem) {
  found.clear();
  if (!dialog_.BeginSpellRun(problem)) return false;
  lines_ = &lines;
  found_ = &found;
  line_ = 0;
  tabWidth_ = settings.TabWidth();
  TNullProgress copying;
  TVBSrcFormatter formatter(TEngineServices{settings, prompts_, *this, copying, nullptr, templates, &dialog_});
  formatter.FFileKind = kind;
  formatter.FormatFile(lines, kPass1);
  lines_ = nullptr;
  found_ = nullptr;
  return true;
}

void TMisspellingFinder::Record() {
  if (!found_ || !lines_) return;
  TMisspelling word;
  word.Word = dialog_.State.Misspell;
  word.Line = line_ >= 0 ? static_cast<std::size_t>(line_) : 0;
  const int column = dialog_.WordColumn();
  if (word.Line < lines_->size()) {
    word.Column = RawOffset((*lines_)[word.Line], column, tabWidth_);
    const std::string_view line = (*lines_)[word.Line];
    // The word as it stands in the line (a tab inside it would make it longer).
    word.Length = line.compare(word.Column, word.Word.size(), word.Word) == 0 ? word.Word.size()
                                                                                 : std::min(word.Word.size(), line.size() - word.Column);
  } else {
    word.Column = column > 0 ? static_cast<std::size_t>(column - 1) : 0;
    word.Length = word.Word.size();
  }
  if (dialog_.State.SuggestEnabled) {
    for (const std::string& s : dialog_.State.SuggestList) {
      if (word.Suggestions.size() == kMaxSuggestions) break;
      if (s != kNoSuggestions) word.Suggestions.push_back(s);
    }
  }
  found_->push_back(std::move(word));
}

}  // namespace qm
