// SPDX-License-Identifier: MIT
#include "shell/optionspages.h"

namespace qm {

namespace {

using K = SettingKey;
using P = TOptionsPage;
constexpr int kSingleLine = static_cast<int>(TCommentsTab::SingleLine);
constexpr int kInLine = static_cast<int>(TCommentsTab::InLine);
constexpr int kSubroutines = static_cast<int>(TCommentsTab::Subroutines);
constexpr int kFunctions = static_cast<int>(TCommentsTab::Functions);

std::vector<TOptionsGroup> BuildLayout() {
  using S = TGroupStyle;
  return {
      {P::General, kNoTab, "General Options", S::Stack,
       {K::OptionExplicitInsert, K::MultiConstSplit, K::MultiVarSplit, K::IfThenSplit,
        K::MultiStatementSplit}},
      {P::General, kNoTab, "Declare As Options", S::Stack,
       {K::AlignMultiDimAs, K::AlignDimAsGroupQty}},
      {P::General, kNoTab, "", S::Stack, {K::GrpForNextProcessing}, true},
      {P::General, kNoTab, "", S::Stack, {K::PreviewBeforeSaving}},

      {P::Indents, kNoTab, "", S::Stack, {K::CodeIndentPerform}},
      {P::Indents, kNoTab, "Indent Options", S::Columns,
       {K::IfThenElseIndent, K::SelectCaseIndent, K::DoLoopIndent, K::WhileWendIndent,
        K::ForNextIndent, K::DefaultLineIndent, K::CaseCodeIndent, K::TypeEndIndent,
        K::WithEndIndent}},

      {P::Comments, kSingleLine, "", S::Stack, {K::GrpSingleLineComments}},
      {P::Comments, kSingleLine, "Blocking Options", S::Stack,
       {K::SingleLineCommentBlocks, K::SingleLineCommentGroupQty,
        K::SingleLineCommentBlockCharacters, K::SingleLineCommentBlockCharacterTotal}},
      {P::Comments, kInLine, "", S::Stack, {K::GrpInLineComments}},
      {P::Comments, kInLine, "", S::Stack, {K::GrpInLineCommentsFixedColUnavail}},
      {P::Comments, kSubroutines, "", S::Stack,
       {K::SubLevelCommentsPerform, K::GrpSubLevelComments}},
      {P::Comments, kSubroutines, "Comment Positioning", S::Stack,
       {K::SubLevelCommentsBeforeProcedure, K::SubLevelCommentsAfterProcedure}, true},
      {P::Comments, kSubroutines, "", S::Stack, {K::SubLevelCommentsFile}},
      {P::Comments, kFunctions, "", S::Stack,
       {K::FunctionLevelCommentsPerform, K::GrpFunctionLevelComments}},
      {P::Comments, kFunctions, "Comment Positioning", S::Stack,
       {K::FunctionLevelCommentsBeforeProcedure, K::FunctionLevelCommentsAfterProcedure}, true},
      {P::Comments, kFunctions, "", S::Stack, {K::FunctionLevelCommentsFile}},

      {P::BlankLines, kNoTab, "", S::Stack, {K::GrpBlankLines}},
      // The rows as the form labels them, each with its Before and After count.
      {P::BlankLines, kNoTab, "Blank Lines", S::BeforeAfterGrid,
       {K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter, K::BlankLinesElseBefore,
        K::BlankLinesElseAfter, K::BlankLinesEndIfBefore, K::BlankLinesEndIfAfter,
        K::BlankLinesSelectBefore, K::BlankLinesSelectAfter, K::BlankLinesCaseBefore,
        K::BlankLinesCaseAfter, K::BlankLinesEndSelectBefore, K::BlankLinesEndSelectAfter,
        K::BlankLinesForBefore, K::BlankLinesForAfter, K::BlankLinesNextBefore,
        K::BlankLinesNextAfter, K::BlankLinesDoBefore, K::BlankLinesDoAfter,
        K::BlankLinesLoopBefore, K::BlankLinesLoopAfter, K::BlankLinesWhileBefore,
        K::BlankLinesWhileAfter, K::BlankLinesWendBefore, K::BlankLinesWendAfter}},

      {P::SpellCheck, kNoTab, "", S::Stack, {K::SpellingPerform}},
      {P::SpellCheck, kNoTab, "Spell Check", S::Stack, {K::SpellingLiterals, K::SpellingComments}},

      {P::Save, kNoTab, "Save Styled Code", S::Stack,
       {K::BackupNewCodeDirectory, K::BackupOnlyNewFiles, K::BackupMAKFiles, K::BackupAllFiles}},
      {P::Save, kNoTab, "", S::Stack, {K::CreateLog}},

      {P::User, kNoTab, "", S::Stack, {K::UserName, K::UserCompany}},
  };
}

}  // namespace

const std::array<TOptionsPageDef, kOptionsPageCount>& OptionsPages() {
  static const std::array<TOptionsPageDef, kOptionsPageCount> pages = {{
      {P::General, "General", 0, 11},
      {P::Indents, "Indents", 1, 12},
      {P::Comments, "Comments", 2, 13},
      {P::BlankLines, "Blank Lines", 3, 15},
      {P::SpellCheck, "Spell Check", 4, 16},
      {P::Save, "Save", 5, 17},
      {P::User, "User", 6, 71},
  }};
  return pages;
}

const TOptionsPageDef& OptionsPageDef(TOptionsPage page) {
  return OptionsPages()[static_cast<std::size_t>(page)];
}

std::string_view CommentsTabCaption(TCommentsTab tab) {
  static constexpr std::array<std::string_view, kCommentsTabCount> captions = {
      "Single Line", "In-line", "Subroutines", "Functions"};
  return captions[static_cast<std::size_t>(tab)];
}

std::string OptionsCaption(TOptionsPage page) {
  return std::string(kOptionsCaption) + " - " + std::string(OptionsPageDef(page).Caption);
}

int OptionsHelpContext(TOptionsPage page, TCommentsTab tab) {
  if (page != P::Comments) return OptionsPageDef(page).HelpContext;
  static constexpr std::array<int, kCommentsTabCount> contexts = {13, 14, 29, 30};
  return contexts[static_cast<std::size_t>(tab)];
}

const std::vector<TOptionsGroup>& OptionsLayout() {
  static const std::vector<TOptionsGroup> layout = BuildLayout();
  return layout;
}

std::vector<TItemCompanion> CompanionsOf(SettingKey radioGroup) {
  switch (radioGroup) {
    case K::GrpSingleLineComments:
      return {{K::SingleLineCommentColumn, 1}};
    case K::GrpInLineComments:
      return {{K::InLineCommentsFixedColumn, 1}, {K::InLineCommentsIndent, 2}};
    case K::GrpInLineCommentsFixedColUnavail:
      return {{K::InLineCommentsUnavailColIndent, 0}};
    default:
      return {};
  }
}

std::string ApostropheColumnHint(SettingKey key, int value) {
  if (key != K::InLineCommentsFixedColumn && key != K::SingleLineCommentColumn) return {};
  return "characters: apostrophe in column " + std::to_string(value + 1);
}

TEditButton EditButtonOf(SettingKey key) {
  switch (key) {
    case K::BackupNewCodeDirectory:
      return TEditButton::ChooseDirectory;
    case K::SubLevelCommentsFile:
    case K::FunctionLevelCommentsFile:
      return TEditButton::SaveOrLoadTemplate;
    default:
      return TEditButton::None;
  }
}

std::optional<TTemplateKind> TemplateOfTab(TCommentsTab tab) {
  if (tab == TCommentsTab::Subroutines) return TTemplateKind::Sub;
  if (tab == TCommentsTab::Functions) return TTemplateKind::Function;
  return std::nullopt;
}

}  // namespace qm
