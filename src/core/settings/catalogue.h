// SPDX-License-Identifier: MIT
#pragma once

// The catalogue of the seventy-five settings and the one live value of each. The engine reads a
// setting at the moment of use by its key; the options dialog presents and edits this same model.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/choices.h"

namespace qm {

inline constexpr std::string_view kSettingsFileName = "VBQUILL3.INI";
// The tab width of the Visual Basic editor when VB.INI does not give one.
inline constexpr int kDefaultTabWidth = 4;

// Keys in catalogue order (the order in which settings are created, loaded and saved).
enum class SettingKey : int {
  // General
  OptionExplicitInsert, MultiVarSplit, MultiConstSplit, IfThenSplit, MultiStatementSplit,
  AlignMultiDimAs, AlignDimAsGroupQty, GrpForNextProcessing, PreviewBeforeSaving,
  // Indents
  IfThenElseIndent, SelectCaseIndent, DoLoopIndent, WhileWendIndent, ForNextIndent,
  DefaultLineIndent, CaseCodeIndent, TypeEndIndent, WithEndIndent, CodeIndentPerform,
  // SingleLineComments
  SingleLineCommentBlocks, SingleLineCommentGroupQty, SingleLineCommentBlockCharacters,
  SingleLineCommentBlockCharacterTotal, GrpSingleLineComments, SingleLineCommentColumn,
  // InLineComments
  GrpInLineComments, InLineCommentsIndent, InLineCommentsFixedColumn,
  GrpInLineCommentsFixedColUnavail, InLineCommentsUnavailColIndent,
  // SubComments
  SubLevelCommentsPerform, SubLevelCommentsBeforeProcedure, SubLevelCommentsAfterProcedure,
  GrpSubLevelComments, SubLevelCommentsFile,
  // FunctionComments
  FunctionLevelCommentsPerform, FunctionLevelCommentsBeforeProcedure,
  FunctionLevelCommentsAfterProcedure, GrpFunctionLevelComments, FunctionLevelCommentsFile,
  // BlankLines
  BlankLinesIfThenBefore, BlankLinesSelectBefore, BlankLinesDoBefore, BlankLinesWhileBefore,
  BlankLinesForBefore, BlankLinesDoAfter, BlankLinesWhileAfter, BlankLinesForAfter,
  BlankLinesSelectAfter, BlankLinesIfThenAfter, BlankLinesElseBefore, BlankLinesCaseBefore,
  BlankLinesLoopBefore, BlankLinesWendBefore, BlankLinesNextBefore, BlankLinesLoopAfter,
  BlankLinesWendAfter, BlankLinesNextAfter, BlankLinesCaseAfter, BlankLinesElseAfter,
  BlankLinesEndIfBefore, BlankLinesEndIfAfter, BlankLinesEndSelectBefore,
  BlankLinesEndSelectAfter, GrpBlankLines,
  // SpellCheck
  SpellingLiterals, SpellingComments, SpellingPerform,
  // BackupInformation
  BackupNewCodeDirectory, BackupOnlyNewFiles, BackupMAKFiles, BackupAllFiles, CreateLog,
  // UserInformation
  UserName, UserCompany,
};

inline constexpr int kSettingCount = 75;

// What kind of control holds the setting, which fixes how it is stored and clamped.
enum class TSettingKind {
  CheckBox,     // Boolean
  RadioButton,  // Boolean, one of an exclusive group (RadioGroupId)
  SpinEdit,     // Integer, clamped to Min .. Max (no clamping when Min == Max)
  RadioGroup,   // Integer item index, -1 for none, clamped to -1 .. Items.size() - 1
  Edit,         // String, used in full
};

struct TSettingDef {
  SettingKey Key;
  std::string_view Section;
  std::string_view Name;  // the key in the settings file
  TSettingKind Kind;
  int DefaultInt;                 // check box / radio button 0 or 1, spin value, group index
  std::string_view DefaultText;   // edits only
  int Min = 0, Max = 0;           // spin edits
  std::vector<std::string_view> Items;  // radio-group captions
  std::string_view Label;         // the control's label on the options form
  int MaxTyped = 0;               // typing limit of spin edits and edits (0: none)
  int RadioGroupId = 0;           // radio buttons of one exclusive group share an id (> 0)
};

// The catalogue, in catalogue order: SettingsCatalogue()[int(key)].Key == key.
const std::vector<TSettingDef>& SettingsCatalogue();
const TSettingDef& SettingDef(SettingKey key);
// Looks a key up by its name in the settings file, without regard to letter case.
std::optional<SettingKey> FindSettingKey(std::string_view name);

// The live values of the catalogue. Starts on the built-in defaults.
class TSettings {
 public:
  TSettings();

  // Check boxes and radio buttons: on or off. Spin edits and radio groups: the number. Int() of a
  // Boolean is 0 or 1, Bool() of a number is value != 0. Text() of a Boolean or number is its
  // written form in the settings file ("1"/"0", decimal).
  bool Bool(SettingKey key) const;
  int Int(SettingKey key) const;
  const std::string& Text(SettingKey key) const;
  // A radio group's chosen item as its enum (settings/choices.h).
  template <typename TChoice>
  TChoice Choice(SettingKey key) const {
    return static_cast<TChoice>(Int(key));
  }

  // Setting a radio button on turns the other buttons of its group off; off changes nothing else.
  void SetBool(SettingKey key, bool on);
  // Clamped as a load clamps (spin range, radio-group index range).
  void SetInt(SettingKey key, int value);
  // A Boolean or number setting reads the text as a load does; a non-number changes nothing.
  void SetText(SettingKey key, std::string text);

  void RestoreDefaults();

  // The width of a tab in the user's Visual Basic editor (VB.INI, ReadVBTabStops), by which the
  // engine expands tabs. It is no setting of the catalogue: loading, saving and restoring the
  // defaults leave it alone, and it travels with every copy of the settings a run takes.
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width) { tabWidth_ = width; }

  // Loads every setting from the profile file in catalogue order, the current value as default.
  void LoadINIControls(std::string_view fileName = kSettingsFileName);
  // Saves every setting in catalogue order. On a refused write stops there and returns false with
  // "Unable to write to <file>" in err; entries written before it stay written.
  bool SaveINIControls(std::string_view fileName = kSettingsFileName, std::string* err = nullptr);

 private:
  std::array<int, kSettingCount> ints_{};
  std::array<std::string, kSettingCount> texts_{};
  int tabWidth_ = kDefaultTabWidth;
};

// Integer reading of a profile value: decimal, or hexadecimal after "0x"/"0X" when longer than
// two characters; nullopt when it is not a number.
std::optional<int> ParseProfileInt(std::string_view text);

}  // namespace qm
