// SPDX-License-Identifier: MIT
#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "row_name.h"

namespace qm {
namespace {

using K = SettingKey;

TEST(SettingsCatalogue, EveryEntrySitsAtItsKeysIndex) {
  const auto& catalogue = SettingsCatalogue();
  ASSERT_EQ(catalogue.size(), static_cast<std::size_t>(kSettingCount));
  std::set<std::string_view> names;
  for (int i = 0; i < kSettingCount; ++i) {
    EXPECT_EQ(catalogue[i].Key, static_cast<SettingKey>(i)) << catalogue[i].Name;
    EXPECT_TRUE(names.insert(catalogue[i].Name).second) << "duplicate " << catalogue[i].Name;
  }
}

TEST(SettingsCatalogue, TenSectionsEachInOneRun) {
  struct Run {
    std::string_view Section;
    int Count;
  };
  const std::vector<Run> expected = {
      {"General", 9},      {"Indents", 10},         {"SingleLineComments", 6},
      {"InLineComments", 5}, {"SubComments", 5},    {"FunctionComments", 5},
      {"BlankLines", 25},  {"SpellCheck", 3},       {"BackupInformation", 5},
      {"UserInformation", 2},
  };
  std::vector<Run> runs;
  for (const TSettingDef& def : SettingsCatalogue()) {
    if (runs.empty() || runs.back().Section != def.Section) runs.push_back({def.Section, 0});
    ++runs.back().Count;
  }
  ASSERT_EQ(runs.size(), expected.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].Section, expected[i].Section);
    EXPECT_EQ(runs[i].Count, expected[i].Count) << expected[i].Section;
  }
}

TEST(SettingsCatalogue, BlankLinesRunInCatalogueOrderNotTableOrder) {
  const std::vector<std::string_view> order = {
      "BlankLinesIfThenBefore", "BlankLinesSelectBefore", "BlankLinesDoBefore",
      "BlankLinesWhileBefore", "BlankLinesForBefore", "BlankLinesDoAfter",
      "BlankLinesWhileAfter", "BlankLinesForAfter", "BlankLinesSelectAfter",
      "BlankLinesIfThenAfter", "BlankLinesElseBefore", "BlankLinesCaseBefore",
      "BlankLinesLoopBefore", "BlankLinesWendBefore", "BlankLinesNextBefore",
      "BlankLinesLoopAfter", "BlankLinesWendAfter", "BlankLinesNextAfter",
      "BlankLinesCaseAfter", "BlankLinesElseAfter", "BlankLinesEndIfBefore",
      "BlankLinesEndIfAfter", "BlankLinesEndSelectBefore", "BlankLinesEndSelectAfter",
      "GrpBlankLines"};
  int first = static_cast<int>(K::BlankLinesIfThenBefore);
  for (std::size_t i = 0; i < order.size(); ++i)
    EXPECT_EQ(SettingsCatalogue()[first + i].Name, order[i]);
}

struct DefaultRow {
  SettingKey Key;
  std::string_view Name;
  TSettingKind Kind;
  int Value;
  std::string_view Text = {};
  int Min = 0, Max = 0;
};

class SettingDefaults : public ::testing::TestWithParam<DefaultRow> {};

TEST_P(SettingDefaults, DefinitionAndFreshValueMatch) {
  const DefaultRow& row = GetParam();
  const TSettingDef& def = SettingDef(row.Key);
  EXPECT_EQ(def.Name, row.Name);
  EXPECT_EQ(def.Kind, row.Kind);
  TSettings settings;
  if (row.Kind == TSettingKind::Edit) {
    EXPECT_EQ(settings.Text(row.Key), row.Text);
  } else {
    EXPECT_EQ(settings.Int(row.Key), row.Value);
  }
  if (row.Kind == TSettingKind::SpinEdit) {
    EXPECT_EQ(def.Min, row.Min);
    EXPECT_EQ(def.Max, row.Max);
    EXPECT_EQ(def.MaxTyped, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, SettingDefaults,
    ::testing::Values(
        DefaultRow{K::OptionExplicitInsert, "OptionExplicitInsert", TSettingKind::CheckBox, 1},
        DefaultRow{K::AlignDimAsGroupQty, "AlignDimAsGroupQty", TSettingKind::SpinEdit, 2, "", 1, 80},
        DefaultRow{K::GrpForNextProcessing, "GrpForNextProcessing", TSettingKind::RadioGroup, 0},
        DefaultRow{K::IfThenElseIndent, "IfThenElseIndent", TSettingKind::SpinEdit, 4, "", 0, 80},
        DefaultRow{K::CodeIndentPerform, "CodeIndentPerform", TSettingKind::CheckBox, 1},
        DefaultRow{K::SingleLineCommentBlockCharacters, "SingleLineCommentBlockCharacters", TSettingKind::Edit, 0, "*"},
        DefaultRow{K::SingleLineCommentBlockCharacterTotal, "SingleLineCommentBlockCharacterTotal", TSettingKind::SpinEdit, 50, "", 0, 80},
        DefaultRow{K::GrpSingleLineComments, "GrpSingleLineComments", TSettingKind::RadioGroup, 2},
        DefaultRow{K::SingleLineCommentColumn, "SingleLineCommentColumn", TSettingKind::SpinEdit, 4, "", 1, 80},
        DefaultRow{K::InLineCommentsFixedColumn, "InLineCommentsFixedColumn", TSettingKind::SpinEdit, 40, "", 1, 80},
        DefaultRow{K::GrpInLineCommentsFixedColUnavail, "GrpInLineCommentsFixedColUnavail", TSettingKind::RadioGroup, 0},
        DefaultRow{K::SubLevelCommentsBeforeProcedure, "SubLevelCommentsBeforeProcedure", TSettingKind::RadioButton, 0},
        DefaultRow{K::SubLevelCommentsAfterProcedure, "SubLevelCommentsAfterProcedure", TSettingKind::RadioButton, 1},
        DefaultRow{K::FunctionLevelCommentsFile, "FunctionLevelCommentsFile", TSettingKind::Edit, 0, ""},
        DefaultRow{K::BlankLinesIfThenBefore, "BlankLinesIfThenBefore", TSettingKind::SpinEdit, 1, "", 0, 80},
        DefaultRow{K::BlankLinesLoopAfter, "BlankLinesLoopAfter", TSettingKind::SpinEdit, 1, "", 0, 80},
        DefaultRow{K::BlankLinesEndSelectAfter, "BlankLinesEndSelectAfter", TSettingKind::SpinEdit, 1, "", 0, 80},
        DefaultRow{K::GrpBlankLines, "GrpBlankLines", TSettingKind::RadioGroup, 0},
        DefaultRow{K::BackupNewCodeDirectory, "BackupNewCodeDirectory", TSettingKind::Edit, 0, ".\\STYLED\\"},
        DefaultRow{K::BackupMAKFiles, "BackupMAKFiles", TSettingKind::RadioButton, 1},
        DefaultRow{K::CreateLog, "CreateLog", TSettingKind::CheckBox, 0},
        DefaultRow{K::UserName, "UserName", TSettingKind::Edit, 0, "Unknown"},
        DefaultRow{K::UserCompany, "UserCompany", TSettingKind::Edit, 0, "Unknown"}),
    test::RowName(&DefaultRow::Name));

TEST(SettingsCatalogue, LabelsAndCaptionsAreTheFormsTexts) {
  EXPECT_EQ(SettingDef(K::MultiStatementSplit).Label, "Split multiple statements seperated by a :");
  EXPECT_EQ(SettingDef(K::OptionExplicitInsert).Label, "Insert 'Option Explicit'");
  EXPECT_EQ(SettingDef(K::BackupMAKFiles).Label,
            "Copy all files in the .Mak file (including .FRX's)");
  EXPECT_EQ(SettingDef(K::GrpInLineCommentsFixedColUnavail).Label,
            "If Fixed Column is unavailable...");
  EXPECT_EQ(SettingDef(K::BlankLinesElseAfter).Label, "Else - ElseIf");
  EXPECT_EQ(SettingDef(K::SingleLineCommentBlockCharacters).MaxTyped, 5);

  const std::vector<std::string_view> single = {
      "Leave As Is", "Use Fixed Column", "Start at Indent Level of Prior Line",
      "Start at Indent Level of Next Line", "Remove"};
  EXPECT_EQ(SettingDef(K::GrpSingleLineComments).Items, single);
  const std::vector<std::string_view> inLine = {"Leave As Is", "Use Fixed Column:",
                                                "Position to the right by:", "Remove"};
  EXPECT_EQ(SettingDef(K::GrpInLineComments).Items, inLine);
  EXPECT_EQ(SettingDef(K::GrpSubLevelComments).Items.at(2),
            "Add in both Module and Form Level Code");
  EXPECT_EQ(SettingDef(K::GrpBlankLines).Items.at(2), "Remove All Blank Lines");
}

TEST(SettingsCatalogue, RadioButtonsFormThreeGroups) {
  auto group = [](SettingKey k) { return SettingDef(k).RadioGroupId; };
  EXPECT_GT(group(K::BackupOnlyNewFiles), 0);
  EXPECT_EQ(group(K::BackupOnlyNewFiles), group(K::BackupMAKFiles));
  EXPECT_EQ(group(K::BackupOnlyNewFiles), group(K::BackupAllFiles));
  EXPECT_EQ(group(K::SubLevelCommentsBeforeProcedure), group(K::SubLevelCommentsAfterProcedure));
  EXPECT_EQ(group(K::FunctionLevelCommentsBeforeProcedure),
            group(K::FunctionLevelCommentsAfterProcedure));
  std::set<int> ids = {group(K::BackupAllFiles), group(K::SubLevelCommentsAfterProcedure),
                       group(K::FunctionLevelCommentsAfterProcedure)};
  EXPECT_EQ(ids.size(), 3u);
}

TEST(SettingsCatalogue, FindSettingKeyIgnoresCase) {
  EXPECT_EQ(FindSettingKey("GrpBlankLines"), K::GrpBlankLines);
  EXPECT_EQ(FindSettingKey("grpblanklines"), K::GrpBlankLines);
  EXPECT_EQ(FindSettingKey("USERNAME"), K::UserName);
  EXPECT_EQ(FindSettingKey("UserNam"), std::nullopt);
  EXPECT_EQ(FindSettingKey(""), std::nullopt);
}

struct IntRow {
  std::string_view Text;
  std::optional<int> Value;
};

class ProfileInt : public ::testing::TestWithParam<IntRow> {};

TEST_P(ProfileInt, Parses) { EXPECT_EQ(ParseProfileInt(GetParam().Text), GetParam().Value); }

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileInt,
    ::testing::Values(IntRow{"12", 12}, IntRow{"0", 0}, IntRow{"-3", -3}, IntRow{"+7", 7},
                      IntRow{"0x1", 1}, IntRow{"0x1A", 26}, IntRow{"0X1a", 26},
                      IntRow{"0xFFFFFFFF", -1}, IntRow{"-2147483648", INT_MIN},
                      IntRow{"2147483647", INT_MAX}, IntRow{"2147483648", std::nullopt},
                      IntRow{"0x100000000", std::nullopt}, IntRow{"0x", std::nullopt},
                      IntRow{"0xG", std::nullopt}, IntRow{"", std::nullopt},
                      IntRow{"-", std::nullopt}, IntRow{"abc", std::nullopt},
                      IntRow{"yes", std::nullopt}, IntRow{"12abc", std::nullopt},
                      IntRow{"1 2", std::nullopt}, IntRow{"99999999999999999999", std::nullopt}),
    test::RowName([](const IntRow& r) {
      std::string spelled;
      for (char c : r.Text) {
        if (c == '-') spelled += "Minus";
        else if (c == '+') spelled += "Plus";
        else spelled += c;
      }
      return spelled;
    }));

TEST(TSettings, BooleansAndNumbersReadAcrossKinds) {
  TSettings s;
  EXPECT_EQ(s.Int(K::CodeIndentPerform), 1);
  EXPECT_EQ(s.Text(K::CodeIndentPerform), "1");
  s.SetInt(K::CodeIndentPerform, 7);
  EXPECT_EQ(s.Int(K::CodeIndentPerform), 1);
  s.SetInt(K::IfThenElseIndent, 0);
  EXPECT_FALSE(s.Bool(K::IfThenElseIndent));
  s.SetInt(K::IfThenElseIndent, 3);
  EXPECT_TRUE(s.Bool(K::IfThenElseIndent));
  EXPECT_EQ(s.Text(K::IfThenElseIndent), "3");
}

TEST(TSettings, RadioButtonOnTurnsItsGroupOffAndOffTouchesNothingElse) {
  TSettings s;
  s.SetBool(K::BackupAllFiles, true);
  EXPECT_FALSE(s.Bool(K::BackupOnlyNewFiles));
  EXPECT_FALSE(s.Bool(K::BackupMAKFiles));
  EXPECT_TRUE(s.Bool(K::BackupAllFiles));
  // Other groups are untouched.
  EXPECT_TRUE(s.Bool(K::SubLevelCommentsAfterProcedure));

  s.SetBool(K::BackupAllFiles, false);
  EXPECT_FALSE(s.Bool(K::BackupOnlyNewFiles));
  EXPECT_FALSE(s.Bool(K::BackupMAKFiles));
  EXPECT_FALSE(s.Bool(K::BackupAllFiles));

  s.SetBool(K::SubLevelCommentsBeforeProcedure, true);
  EXPECT_FALSE(s.Bool(K::SubLevelCommentsAfterProcedure));
  EXPECT_TRUE(s.Bool(K::FunctionLevelCommentsAfterProcedure));
}

TEST(TSettings, SetTextOnANumberKeepsTheValueWhenNotANumber) {
  TSettings s;
  s.SetText(K::IfThenElseIndent, "abc");
  EXPECT_EQ(s.Int(K::IfThenElseIndent), 4);
  s.SetText(K::IfThenElseIndent, "0x10");
  EXPECT_EQ(s.Int(K::IfThenElseIndent), 16);
}

TEST(TSettings, RestoreDefaultsUndoesEdits) {
  TSettings s;
  s.SetInt(K::ForNextIndent, 9);
  s.SetText(K::UserName, "Ann");
  s.SetBool(K::BackupOnlyNewFiles, true);
  s.RestoreDefaults();
  EXPECT_EQ(s.Int(K::ForNextIndent), 4);
  EXPECT_EQ(s.Text(K::UserName), "Unknown");
  EXPECT_TRUE(s.Bool(K::BackupMAKFiles));
  EXPECT_FALSE(s.Bool(K::BackupOnlyNewFiles));
}

// The tab width comes from VB.INI, not from the settings file: restoring the defaults leaves it,
// and a copy of the settings (what a run takes) carries it.
TEST(TSettings, TabWidthTravelsWithACopyAndOutlivesRestoreDefaults) {
  TSettings s;
  EXPECT_EQ(s.TabWidth(), kDefaultTabWidth);
  s.SetTabWidth(8);
  s.RestoreDefaults();
  const TSettings copy = s;
  EXPECT_EQ(copy.TabWidth(), 8);
}

// Each radio group's enum names its catalogue items in order, the last one included, so that a
// choice read through Choice means the item the options dialog shows.
struct ChoiceRow {
  std::string_view Name;
  K Key;
  int LastChoice;  // the enum's last value
  std::string_view LastItem;
};

class ChoiceEnums : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(ChoiceEnums, MatchTheCatalogueItems) {
  const TSettingDef& def = SettingDef(GetParam().Key);
  ASSERT_EQ(def.Kind, TSettingKind::RadioGroup);
  ASSERT_EQ(static_cast<int>(def.Items.size()), GetParam().LastChoice + 1);
  EXPECT_EQ(def.Items.back(), GetParam().LastItem);
  TSettings s;
  s.SetInt(GetParam().Key, GetParam().LastChoice);
  EXPECT_EQ(s.Choice<int>(GetParam().Key), GetParam().LastChoice);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChoiceEnums,
    ::testing::Values(
        ChoiceRow{"ForNext", K::GrpForNextProcessing, static_cast<int>(TForNextProcessing::RemoveVariable),
                  "Remove Variable Name from the Next"},
        ChoiceRow{"SingleLine", K::GrpSingleLineComments, static_cast<int>(TSingleLinePlacement::Remove), "Remove"},
        ChoiceRow{"InLine", K::GrpInLineComments, static_cast<int>(TInLinePlacement::Remove), "Remove"},
        ChoiceRow{"FixedColumnFallback", K::GrpInLineCommentsFixedColUnavail,
                  static_cast<int>(TFixedColumnFallback::Remove), "Remove"},
        ChoiceRow{"SubHeaders", K::GrpSubLevelComments, static_cast<int>(THeaderFiles::Both),
                  "Add in both Module and Form Level Code"},
        ChoiceRow{"FunctionHeaders", K::GrpFunctionLevelComments, static_cast<int>(THeaderFiles::Both),
                  "Add in both Module and Form Level Code"},
        ChoiceRow{"BlankLines", K::GrpBlankLines, static_cast<int>(TBlankLineProcessing::RemoveAll),
                  "Remove All Blank Lines"}),
    test::RowName(&ChoiceRow::Name));

}  // namespace
}  // namespace qm
