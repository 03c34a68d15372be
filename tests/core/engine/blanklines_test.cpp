// SPDX-License-Identifier: MIT
// Blank lines before and after constructs, the blank-line filter, and the For/Next levels.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/formatter.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "row_name.h"
#include "settings/catalogue.h"

namespace qm {
namespace {

using K = SettingKey;

constexpr int kNoChange = 0;  // also what no choice at all (-1) does
constexpr int kUseRules = 1;
constexpr int kRemoveAll = 2;

// Every blank-line count set to 0.
void ZeroAllCounts(TSettings& s) {
  for (const TSettingDef& def : SettingsCatalogue()) {
    if (def.Section == "BlankLines" && def.Key != K::GrpBlankLines) s.SetInt(def.Key, 0);
  }
}

struct KeepRow {
  int mode;
  const char* line;
  bool keep;
};

class KeepLineTest : public ::testing::TestWithParam<KeepRow> {};

TEST_P(KeepLineTest, DropsBlankLinesUnlessNoChange) {
  TSettings settings;
  test::FakePrompts prompts;
  TNullProgress progress;
  TVBSrcFormatter fmt({settings, prompts, progress, progress, nullptr});
  settings.SetInt(K::GrpBlankLines, GetParam().mode);
  EXPECT_EQ(fmt.KeepLine(GetParam().line), GetParam().keep);
}

INSTANTIATE_TEST_SUITE_P(BlankLines, KeepLineTest,
                         ::testing::Values(KeepRow{kNoChange, "", true}, KeepRow{kNoChange, "   ", true},
                                           KeepRow{kUseRules, "", false}, KeepRow{kUseRules, "    ", false},
                                           KeepRow{kUseRules, "  x", true}, KeepRow{kRemoveAll, "", false},
                                           KeepRow{kRemoveAll, "'", true},
                                           KeepRow{-1, "", true}),
    test::RowName([](const KeepRow& r) {
      const char* mode = r.mode == kNoChange ? "NoChange" : r.mode == kUseRules ? "UseRules"
                       : r.mode == kRemoveAll ? "RemoveAll" : "NoChoice";
      return std::string(mode) + " " + test::NameFromText(r.line);
    }));

// --- The twelve groups -------------------------------------------------------------------------

struct GroupRow {
  const char* name;
  const char* statement;
  K before;  // the count under test; the other counts are 0
  K after;
  bool counted;  // false: a statement without counts
};

std::ostream& operator<<(std::ostream& os, const GroupRow& r) { return os << r.name; }

class BlankLineGroups : public ::testing::TestWithParam<GroupRow> {};

// Each group's own counts, and no other, put blank lines around its statement.
TEST_P(BlankLineGroups, AddTheirCounts) {
  const GroupRow& r = GetParam();
  TSettings settings = test::RulesOffSettings();
  settings.SetInt(K::GrpBlankLines, kUseRules);
  ZeroAllCounts(settings);
  settings.SetInt(r.before, 2);
  settings.SetInt(r.after, 3);
  const std::string input = std::string("a = 1\n") + r.statement + "\nb = 2\n";
  const std::string expected = r.counted ? std::string(".a = 1\n*\n*\n.") + r.statement + "\n*\n*\n*\n.b = 2\n"
                                         : std::string(".a = 1\n.") + r.statement + "\n.b = 2\n";
  verifyFormat(expected, input, settings);
}

INSTANTIATE_TEST_SUITE_P(
    BlankLines, BlankLineGroups,
    ::testing::Values(
        GroupRow{"If", "If a Then", K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter, true},
        GroupRow{"SingleLineIf", "If a Then b = 1", K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter, true},
        GroupRow{"HashIf", "#If Win32 Then", K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter, true},
        GroupRow{"Else", "Else", K::BlankLinesElseBefore, K::BlankLinesElseAfter, true},
        GroupRow{"ElseIf", "ElseIf b Then", K::BlankLinesElseBefore, K::BlankLinesElseAfter, true},
        GroupRow{"HashElse", "#Else", K::BlankLinesElseBefore, K::BlankLinesElseAfter, true},
        GroupRow{"EndIf", "End If", K::BlankLinesEndIfBefore, K::BlankLinesEndIfAfter, true},
        GroupRow{"HashEndIf", "#End If", K::BlankLinesEndIfBefore, K::BlankLinesEndIfAfter, true},
        GroupRow{"Select", "Select Case x", K::BlankLinesSelectBefore, K::BlankLinesSelectAfter, true},
        GroupRow{"Case", "Case Else", K::BlankLinesCaseBefore, K::BlankLinesCaseAfter, true},
        GroupRow{"EndSelect", "End Select", K::BlankLinesEndSelectBefore, K::BlankLinesEndSelectAfter, true},
        GroupRow{"Do", "Do While x", K::BlankLinesDoBefore, K::BlankLinesDoAfter, true},
        GroupRow{"Loop", "Loop", K::BlankLinesLoopBefore, K::BlankLinesLoopAfter, true},
        GroupRow{"While", "While x", K::BlankLinesWhileBefore, K::BlankLinesWhileAfter, true},
        GroupRow{"Wend", "Wend", K::BlankLinesWendBefore, K::BlankLinesWendAfter, true},
        GroupRow{"For", "For i = 1 To 2", K::BlankLinesForBefore, K::BlankLinesForAfter, true},
        GroupRow{"Next", "Next i", K::BlankLinesNextBefore, K::BlankLinesNextAfter, true},
        GroupRow{"IndentedNext", "    Next", K::BlankLinesNextBefore, K::BlankLinesNextAfter, true},
        // Kinds without counts: even with every count set, nothing is added.
        GroupRow{"Sub", "Sub A ()", K::BlankLinesIfThenBefore, K::BlankLinesNextAfter, false},
        GroupRow{"EndSub", "End Sub", K::BlankLinesEndIfBefore, K::BlankLinesEndIfAfter, false},
        GroupRow{"With", "With x", K::BlankLinesWhileBefore, K::BlankLinesWhileAfter, false},
        GroupRow{"Type", "Type T", K::BlankLinesForBefore, K::BlankLinesForAfter, false},
        GroupRow{"LowerCaseIf", "if a then", K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter, false},
        GroupRow{"Comment", "' For i = 1 To 2", K::BlankLinesForBefore, K::BlankLinesForAfter, false},
        GroupRow{"NextItem", "NextItem = 1", K::BlankLinesNextBefore, K::BlankLinesNextAfter, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Whole files -------------------------------------------------------------------------------

class BlankLineFiles : public ::testing::Test {
 protected:
  BlankLineFiles() : settings(test::RulesOffSettings()) {}
  TSettings settings;
};

TEST_F(BlankLineFiles, NoChangeKeepsEveryBlankLine) {
  verifyNoChange("a = 1\n\n\n  \nFor i = 1 To 2\n\nNext\n", settings);
}

TEST_F(BlankLineFiles, RemoveAllDropsBlankLinesAndAddsNone) {
  settings.SetInt(K::GrpBlankLines, kRemoveAll);
  verifyFormat(".a = 1\n.For i = 1 To 2\n.Next\n.End If\n", "a = 1\n\n \t \n\nFor i = 1 To 2\n\nNext\n\nEnd If\n",
               settings);
}

// With the default counts: counts add up and are never merged.
TEST_F(BlankLineFiles, DefaultCountsAddUp) {
  settings.SetInt(K::GrpBlankLines, kUseRules);
  verifyFormat("*\n"
               ".For i = 1 To 2\n"
               "*\n"
               ".    If a Then\n"
               ".    End If\n"
               "*\n"
               ".Next\n"
               "*\n"
               "*\n"
               ".For j = 1 To 2\n"
               ".Next\n"
               "*\n",
               "For i = 1 To 2\n"
               "    If a Then\n"
               "    End If\n"
               "\n"
               "\n"
               "Next\n"
               "For j = 1 To 2\n"
               "Next\n",
               settings);
}

TEST_F(BlankLineFiles, AllCountsZeroLeaveNoBlankLine) {
  settings.SetInt(K::GrpBlankLines, kUseRules);
  ZeroAllCounts(settings);
  verifyFormat(".Do\n.Loop\n.x = 1\n", "\nDo\n\nLoop\n\n\nx = 1\n\n", settings);
}

// A blank line after a " _" would end the statement there: the lines before a construct are not
// put in front of a continuation line, and the lines after a continued construct follow its last
// line.
TEST_F(BlankLineFiles, ContinuedStatementsAreNotCutByBlankLines) {
  settings.SetInt(K::GrpBlankLines, kUseRules);
  ZeroAllCounts(settings);
  settings.SetInt(K::BlankLinesLoopAfter, 1);
  settings.SetInt(K::BlankLinesIfThenBefore, 1);
  settings.SetInt(K::BlankLinesIfThenAfter, 1);
  verifyFormat(".Do\n"
               ".Loop Until a Or _\n"
               ".     b Or _\n"
               ".     c\n"
               "*\n"
               ".x = y + _\n"
               ".    If (z)\n"
               "*\n"
               ".If p Then\n"
               "*\n",
               "Do\n"
               "Loop Until a Or _\n"
               "     b Or _\n"
               "     c\n"
               "x = y + _\n"
               "    If (z)\n"
               "If p Then\n",
               settings);
}

// Moved below its code by the in-line comment rule, the comment does not take the code's blank
// lines away.
TEST_F(BlankLineFiles, CommentMovedBelowKeepsTheStatementsCounts) {
  settings.SetInt(K::GrpBlankLines, kUseRules);
  ZeroAllCounts(settings);
  settings.SetInt(K::BlankLinesLoopAfter, 1);
  settings.SetInt(K::GrpInLineComments, 1);
  settings.SetInt(K::InLineCommentsFixedColumn, 8);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, 2);
  verifyFormat(".Do\n*Loop Until finished\n*' all read\n*\n.x = 1\n",
               "Do\nLoop Until finished ' all read\nx = 1\n", settings);
}

// --- For / Next --------------------------------------------------------------------------------

// A Next that names two loops closes both, for the level of the lines after it too.
TEST_F(BlankLineFiles, NextNamingTwoLoopsClosesTwoLevels) {
  settings.SetBool(K::CodeIndentPerform, true);
  verifyFormat(".Sub A ()\n"
               "*    For i = 1 To 2\n"
               "*        For j = 1 To 2\n"
               "*            x = i * j\n"
               "*    Next j, i\n"
               "*    y = 1\n"
               ".End Sub\n",
               "Sub A ()\n"
               "For i = 1 To 2\n"
               "For j = 1 To 2\n"
               "x = i * j\n"
               "Next j, i\n"
               "y = 1\n"
               "End Sub\n",
               settings);
}

// "Ignore" writes the Next lines as they stand.
TEST_F(BlankLineFiles, IgnoreLeavesTheNextLines) {
  verifyNoChange("For i = 1 To 2\nFor j = 1 To 2\nNext\nNext i\nNext\n", settings);
}

}  // namespace
}  // namespace qm
