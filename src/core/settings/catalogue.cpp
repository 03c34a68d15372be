// SPDX-License-Identifier: MIT
#include "settings/catalogue.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "messages.h"
#include "platform/profile.h"

namespace qm {

namespace {

using K = SettingKey;

// Exclusive groups of radio buttons, each stored as one Boolean key per button.
constexpr int kSubPositionGroup = 1;
constexpr int kFunctionPositionGroup = 2;
constexpr int kBackupModeGroup = 3;

// Spin edits of the options form accept two typed digits.
constexpr int kTwoDigits = 2;

TSettingDef Def(K key, std::string_view section, std::string_view name, TSettingKind kind,
                int value) {
  TSettingDef d{};
  d.Key = key;
  d.Section = section;
  d.Name = name;
  d.Kind = kind;
  d.DefaultInt = value;
  return d;
}

TSettingDef Check(K key, std::string_view section, std::string_view name, bool on,
                  std::string_view label) {
  TSettingDef d = Def(key, section, name, TSettingKind::CheckBox, on ? 1 : 0);
  d.Label = label;
  return d;
}

TSettingDef Radio(K key, std::string_view section, std::string_view name, bool on, int group,
                  std::string_view label) {
  TSettingDef d = Def(key, section, name, TSettingKind::RadioButton, on ? 1 : 0);
  d.Label = label;
  d.RadioGroupId = group;
  return d;
}

TSettingDef Spin(K key, std::string_view section, std::string_view name, int value, int min,
                 int max, std::string_view label) {
  TSettingDef d = Def(key, section, name, TSettingKind::SpinEdit, value);
  d.Min = min;
  d.Max = max;
  d.Label = label;
  d.MaxTyped = kTwoDigits;
  return d;
}

TSettingDef Group(K key, std::string_view section, std::string_view name, int index,
                  std::vector<std::string_view> items, std::string_view label) {
  TSettingDef d = Def(key, section, name, TSettingKind::RadioGroup, index);
  d.Items = std::move(items);
  d.Label = label;
  return d;
}

TSettingDef Edit(K key, std::string_view section, std::string_view name, std::string_view text,
                 int maxTyped, std::string_view label) {
  TSettingDef d = Def(key, section, name, TSettingKind::Edit, 0);
  d.DefaultText = text;
  d.Label = label;
  d.MaxTyped = maxTyped;
  return d;
}

std::vector<TSettingDef> BuildCatalogue() {
  const std::vector<std::string_view> kCommentPlacement = {
      "Add in Form Level Code", "Add in Module Level Code",
      "Add in both Module and Form Level Code"};

  constexpr std::string_view G = "General";
  constexpr std::string_view I = "Indents";
  constexpr std::string_view S = "SingleLineComments";
  constexpr std::string_view L = "InLineComments";
  constexpr std::string_view SC = "SubComments";
  constexpr std::string_view FC = "FunctionComments";
  constexpr std::string_view B = "BlankLines";
  constexpr std::string_view SP = "SpellCheck";
  constexpr std::string_view BI = "BackupInformation";
  constexpr std::string_view U = "UserInformation";

  // The spin edits beside radio-group items (the columns and distances of the comment groups)
  // carry no label of their own: the item's caption stands for them.
  return {
      Check(K::OptionExplicitInsert, G, "OptionExplicitInsert", true,
            "Insert 'Option Explicit'"),
      Check(K::MultiVarSplit, G, "MultiVarSplit", false,
            "Split Multiple Variable Declarations on a single line"),
      Check(K::MultiConstSplit, G, "MultiConstSplit", false,
            "Split Multiple Const Declarations on a single line"),
      Check(K::IfThenSplit, G, "IfThenSplit", false, "Split Single Line 'If - Then' Statements"),
      Check(K::MultiStatementSplit, G, "MultiStatementSplit", false,
            "Split multiple statements seperated by a :"),
      Check(K::AlignMultiDimAs, G, "AlignMultiDimAs", true, "Align Multiple Dim xxx As statements"),
      Spin(K::AlignDimAsGroupQty, G, "AlignDimAsGroupQty", 2, 1, 80, "Quantity before grouping:"),
      Group(K::GrpForNextProcessing, G, "GrpForNextProcessing", 0,
            {"Ignore", "Add Variable Name to the Next", "Remove Variable Name from the Next"},
            "For - Next Processing"),
      Check(K::PreviewBeforeSaving, G, "PreviewBeforeSaving", true, "Preview Before Saving"),

      Spin(K::IfThenElseIndent, I, "IfThenElseIndent", 4, 0, 80, "If - Then - Else"),
      Spin(K::SelectCaseIndent, I, "SelectCaseIndent", 4, 0, 80, "Select - Case"),
      Spin(K::DoLoopIndent, I, "DoLoopIndent", 4, 0, 80, "Do - Loop"),
      Spin(K::WhileWendIndent, I, "WhileWendIndent", 4, 0, 80, "While - Wend"),
      Spin(K::ForNextIndent, I, "ForNextIndent", 4, 0, 80, "For - Next"),
      Spin(K::DefaultLineIndent, I, "DefaultLineIndent", 4, 0, 80, "Base Line Indent"),
      Spin(K::CaseCodeIndent, I, "CaseCodeIndent", 4, 0, 80, "Case - Code"),
      Spin(K::TypeEndIndent, I, "TypeEndIndent", 4, 0, 80, "Type - End"),
      Spin(K::WithEndIndent, I, "WithEndIndent", 4, 0, 80, "With - End"),
      Check(K::CodeIndentPerform, I, "CodeIndentPerform", true, "Perform Code Indentation"),

      Check(K::SingleLineCommentBlocks, S, "SingleLineCommentBlocks", true, "Block Comments"),
      Spin(K::SingleLineCommentGroupQty, S, "SingleLineCommentGroupQty", 5, 1, 80,
           "Quantity before grouping:"),
      Edit(K::SingleLineCommentBlockCharacters, S, "SingleLineCommentBlockCharacters", "*", 5,
           "Blocking Character(s):"),
      Spin(K::SingleLineCommentBlockCharacterTotal, S, "SingleLineCommentBlockCharacterTotal", 50,
           0, 80, "Total Blocking Characters:"),
      Group(K::GrpSingleLineComments, S, "GrpSingleLineComments", 2,
            {"Leave As Is", "Use Fixed Column", "Start at Indent Level of Prior Line",
             "Start at Indent Level of Next Line", "Remove"},
            "Single Line Comments"),
      Spin(K::SingleLineCommentColumn, S, "SingleLineCommentColumn", 4, 1, 80, ""),

      Group(K::GrpInLineComments, L, "GrpInLineComments", 1,
            {"Leave As Is", "Use Fixed Column:", "Position to the right by:", "Remove"},
            "In-Line Comments"),
      Spin(K::InLineCommentsIndent, L, "InLineCommentsIndent", 4, 1, 80, ""),
      Spin(K::InLineCommentsFixedColumn, L, "InLineCommentsFixedColumn", 40, 1, 80, ""),
      Group(K::GrpInLineCommentsFixedColUnavail, L, "GrpInLineCommentsFixedColUnavail", 0,
            {"Position to the right by:", "Place on previous line", "Place on next line",
             "Remove"},
            "If Fixed Column is unavailable..."),
      Spin(K::InLineCommentsUnavailColIndent, L, "InLineCommentsUnavailColIndent", 4, 1, 80, ""),

      Check(K::SubLevelCommentsPerform, SC, "SubLevelCommentsPerform", false,
            "Insert Sub Level Comments"),
      Radio(K::SubLevelCommentsBeforeProcedure, SC, "SubLevelCommentsBeforeProcedure", false,
            kSubPositionGroup, "Before Start of Procedure"),
      Radio(K::SubLevelCommentsAfterProcedure, SC, "SubLevelCommentsAfterProcedure", true,
            kSubPositionGroup, "After Start of Procedure"),
      Group(K::GrpSubLevelComments, SC, "GrpSubLevelComments", 2, kCommentPlacement,
            "Sub Level Comments"),
      Edit(K::SubLevelCommentsFile, SC, "SubLevelCommentsFile", "", 0, "Load From File:"),

      Check(K::FunctionLevelCommentsPerform, FC, "FunctionLevelCommentsPerform", false,
            "Insert Function Level Comments"),
      Radio(K::FunctionLevelCommentsBeforeProcedure, FC, "FunctionLevelCommentsBeforeProcedure",
            false, kFunctionPositionGroup, "Before Start of Function"),
      Radio(K::FunctionLevelCommentsAfterProcedure, FC, "FunctionLevelCommentsAfterProcedure",
            true, kFunctionPositionGroup, "After Start of Function"),
      Group(K::GrpFunctionLevelComments, FC, "GrpFunctionLevelComments", 2, kCommentPlacement,
            "Function Level Comments"),
      Edit(K::FunctionLevelCommentsFile, FC, "FunctionLevelCommentsFile", "", 0,
           "Load From File:"),

      // Labelled by the row of the form's table; the column says before or after.
      Spin(K::BlankLinesIfThenBefore, B, "BlankLinesIfThenBefore", 1, 0, 80, "If - Then"),
      Spin(K::BlankLinesSelectBefore, B, "BlankLinesSelectBefore", 1, 0, 80, "Select"),
      Spin(K::BlankLinesDoBefore, B, "BlankLinesDoBefore", 1, 0, 80, "Do"),
      Spin(K::BlankLinesWhileBefore, B, "BlankLinesWhileBefore", 1, 0, 80, "While"),
      Spin(K::BlankLinesForBefore, B, "BlankLinesForBefore", 1, 0, 80, "For"),
      Spin(K::BlankLinesDoAfter, B, "BlankLinesDoAfter", 0, 0, 80, "Do"),
      Spin(K::BlankLinesWhileAfter, B, "BlankLinesWhileAfter", 0, 0, 80, "While"),
      Spin(K::BlankLinesForAfter, B, "BlankLinesForAfter", 0, 0, 80, "For"),
      Spin(K::BlankLinesSelectAfter, B, "BlankLinesSelectAfter", 0, 0, 80, "Select"),
      Spin(K::BlankLinesIfThenAfter, B, "BlankLinesIfThenAfter", 0, 0, 80, "If - Then"),
      Spin(K::BlankLinesElseBefore, B, "BlankLinesElseBefore", 0, 0, 80, "Else - ElseIf"),
      Spin(K::BlankLinesCaseBefore, B, "BlankLinesCaseBefore", 0, 0, 80, "Case"),
      Spin(K::BlankLinesLoopBefore, B, "BlankLinesLoopBefore", 0, 0, 80, "Loop"),
      Spin(K::BlankLinesWendBefore, B, "BlankLinesWendBefore", 0, 0, 80, "Wend"),
      Spin(K::BlankLinesNextBefore, B, "BlankLinesNextBefore", 0, 0, 80, "Next"),
      Spin(K::BlankLinesLoopAfter, B, "BlankLinesLoopAfter", 1, 0, 80, "Loop"),
      Spin(K::BlankLinesWendAfter, B, "BlankLinesWendAfter", 1, 0, 80, "Wend"),
      Spin(K::BlankLinesNextAfter, B, "BlankLinesNextAfter", 1, 0, 80, "Next"),
      Spin(K::BlankLinesCaseAfter, B, "BlankLinesCaseAfter", 0, 0, 80, "Case"),
      Spin(K::BlankLinesElseAfter, B, "BlankLinesElseAfter", 0, 0, 80, "Else - ElseIf"),
      Spin(K::BlankLinesEndIfBefore, B, "BlankLinesEndIfBefore", 0, 0, 80, "End If"),
      Spin(K::BlankLinesEndIfAfter, B, "BlankLinesEndIfAfter", 1, 0, 80, "End If"),
      Spin(K::BlankLinesEndSelectBefore, B, "BlankLinesEndSelectBefore", 0, 0, 80, "End Select"),
      Spin(K::BlankLinesEndSelectAfter, B, "BlankLinesEndSelectAfter", 1, 0, 80, "End Select"),
      Group(K::GrpBlankLines, B, "GrpBlankLines", 0,
            {"No Change", "Use Below Rules", "Remove All Blank Lines"}, "Processing"),

      Check(K::SpellingLiterals, SP, "SpellingLiterals", false, "String Literals"),
      Check(K::SpellingComments, SP, "SpellingComments", false, "Comments"),
      Check(K::SpellingPerform, SP, "SpellingPerform", false, "Perform Spell Checking"),

      Edit(K::BackupNewCodeDirectory, BI, "BackupNewCodeDirectory", ".\\STYLED\\", 0,
           "Create new code in:"),
      Radio(K::BackupOnlyNewFiles, BI, "BackupOnlyNewFiles", false, kBackupModeGroup,
            "Only create new files"),
      Radio(K::BackupMAKFiles, BI, "BackupMAKFiles", true, kBackupModeGroup,
            "Copy all files in the .Mak file (including .FRX's)"),
      Radio(K::BackupAllFiles, BI, "BackupAllFiles", false, kBackupModeGroup,
            "Copy all files in the original directory"),
      Check(K::CreateLog, BI, "CreateLog", false, "Create a log file"),

      Edit(K::UserName, U, "UserName", "Unknown", 0, "User Name:"),
      Edit(K::UserCompany, U, "UserCompany", "Unknown", 0, "Company:"),
  };
}

int Index(SettingKey key) { return static_cast<int>(key); }

bool IsBoolean(TSettingKind kind) {
  return kind == TSettingKind::CheckBox || kind == TSettingKind::RadioButton;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

const std::vector<TSettingDef>& SettingsCatalogue() {
  static const std::vector<TSettingDef> catalogue = BuildCatalogue();
  return catalogue;
}

const TSettingDef& SettingDef(SettingKey key) { return SettingsCatalogue()[Index(key)]; }

std::optional<SettingKey> FindSettingKey(std::string_view name) {
  for (const TSettingDef& def : SettingsCatalogue())
    if (EqualNoCase(def.Name, name)) return def.Key;
  return std::nullopt;
}

std::optional<int> ParseProfileInt(std::string_view text) {
  // Hexadecimal takes the whole 32-bit pattern, so 0xFFFFFFFF reads as -1 as on Windows.
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint64_t value = 0;
    for (char c : text.substr(2)) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }

  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  if (at == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; at < text.size(); ++at) {
    char c = text[at];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<int>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

TSettings::TSettings() { RestoreDefaults(); }

bool TSettings::Bool(SettingKey key) const {
  int i = Index(key);
  if (SettingsCatalogue()[i].Kind == TSettingKind::Edit) return !texts_[i].empty();
  return ints_[i] != 0;
}

int TSettings::Int(SettingKey key) const {
  int i = Index(key);
  if (SettingsCatalogue()[i].Kind == TSettingKind::Edit)
    return ParseProfileInt(texts_[i]).value_or(0);
  return ints_[i];
}

const std::string& TSettings::Text(SettingKey key) const { return texts_[Index(key)]; }

void TSettings::SetBool(SettingKey key, bool on) {
  const TSettingDef& def = SettingDef(key);
  if (!IsBoolean(def.Kind)) {
    SetInt(key, on ? 1 : 0);
    return;
  }
  int i = Index(key);
  ints_[i] = on ? 1 : 0;
  texts_[i] = on ? "1" : "0";
  if (on && def.Kind == TSettingKind::RadioButton) {
    for (const TSettingDef& other : SettingsCatalogue()) {
      if (other.Key != key && other.Kind == TSettingKind::RadioButton &&
          other.RadioGroupId == def.RadioGroupId) {
        ints_[Index(other.Key)] = 0;
        texts_[Index(other.Key)] = "0";
      }
    }
  }
}

void TSettings::SetInt(SettingKey key, int value) {
  const TSettingDef& def = SettingDef(key);
  int i = Index(key);
  switch (def.Kind) {
    case TSettingKind::CheckBox:
    case TSettingKind::RadioButton:
      SetBool(key, value != 0);
      return;
    case TSettingKind::SpinEdit:
      if (def.Min != def.Max) value = std::clamp(value, def.Min, def.Max);
      break;
    case TSettingKind::RadioGroup:
      value = std::clamp(value, -1, static_cast<int>(def.Items.size()) - 1);
      break;
    case TSettingKind::Edit:
      texts_[i] = std::to_string(value);
      return;
  }
  ints_[i] = value;
  texts_[i] = std::to_string(value);
}

void TSettings::SetText(SettingKey key, std::string text) {
  int i = Index(key);
  if (SettingDef(key).Kind == TSettingKind::Edit) {
    texts_[i] = std::move(text);
    return;
  }
  // A number setting given text takes it as a load does: a non-number keeps the current value.
  if (std::optional<int> value = ParseProfileInt(text)) SetInt(key, *value);
}

void TSettings::RestoreDefaults() {
  for (const TSettingDef& def : SettingsCatalogue()) {
    int i = Index(def.Key);
    ints_[i] = def.DefaultInt;
    texts_[i] = def.Kind == TSettingKind::Edit ? std::string(def.DefaultText)
                                               : std::to_string(def.DefaultInt);
  }
}

void TSettings::LoadINIControls(std::string_view fileName) {
  // Every read passes the current value as default, so a missing file, section or key leaves the
  // setting as it is. Number settings go through SetText, which keeps the value on a non-number.
  for (const TSettingDef& def : SettingsCatalogue()) {
    int i = Index(def.Key);
    SetText(def.Key, GetPrivateProfileString(def.Section, def.Name, texts_[i], fileName));
  }
}

bool TSettings::SaveINIControls(std::string_view fileName, std::string* err) {
  // Text() holds each setting in its written form: "1"/"0", decimal, or the edit's text.
  for (const TSettingDef& def : SettingsCatalogue()) {
    if (!WritePrivateProfileString(def.Section, def.Name, texts_[Index(def.Key)], fileName)) {
      if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
      return false;
    }
  }
  return true;
}

}  // namespace qm
