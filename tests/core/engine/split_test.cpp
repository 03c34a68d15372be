// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "format_verify.h"
#include "row_name.h"
#include "split_fixture.h"

namespace qm {
namespace {

using K = SettingKey;
using Pieces = std::vector<std::string>;

// A source line and the pieces a split writes for it; no pieces means the split declines the line.
struct SplitRow {
  const char* Name;
  std::string Line;
  Pieces Expected;
};

std::ostream& operator<<(std::ostream& os, const SplitRow& row) { return os << '"' << row.Line << '"'; }

// --- Single-line If -----------------------------------------------------------------------------

class SingleLineIfSplit : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SingleLineIfSplit, WritesPiecesOrDeclines) {
  test::SplitFixture f;
  const SplitRow& row = GetParam();
  f.Fmt().FModified = false;
  const bool taken = f.Fmt().SplitSingleLineIf(row.Line);
  EXPECT_EQ(f.Pieces(), row.Expected);
  EXPECT_EQ(taken, !row.Expected.empty());
  EXPECT_EQ(f.Fmt().FModified, taken);
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleLineIfSplit, ::testing::Values(
    SplitRow{"Plain", "If Done Then Exit Sub", {"If Done Then ", "Exit Sub", "End If"}},
    SplitRow{"ElseAndComment", "If Done Then Exit Sub Else Count = 0   'reset",
             {"If Done Then      'reset", "Exit Sub ", "Else", "Count = 0", "End If"}},
    SplitRow{"NestedIfWaitsForNextPass", "If a Then If b Then c = 1", {"If a Then ", "If b Then c = 1", "End If"}},
    SplitRow{"IndentedSource", "        If a Then b = 1", {"If a Then ", "b = 1", "End If"}},
    SplitRow{"EmptyCommentAddsNoSuffix", "If a Then b = 1 '", {"If a Then ", "b = 1", "End If"}},
    // The real keywords: not in a literal, whole words, any letter case.
    SplitRow{"ThenInLiteral", "If s = \"Then\" Then x = 1", {"If s = \"Then\" Then ", "x = 1", "End If"}},
    SplitRow{"ElseInLiteral", "If s = \" Else \" Then x = \" Else \" Else y = 2",
             {"If s = \" Else \" Then ", "x = \" Else \" ", "Else", "y = 2", "End If"}},
    SplitRow{"LowerCaseKeywords", "If a then b Else c", {"If a then ", "b ", "Else", "c", "End If"}},
    SplitRow{"UpperCaseKeywords", "IF A THEN B ELSE C", {"IF A THEN ", "B ", "Else", "C", "End If"}},
    SplitRow{"ThenInsideAWord", "If Authentic Then Go", {"If Authentic Then ", "Go", "End If"}},
    SplitRow{"ElseInsideAWord", "If a Then Elsewhere = 1", {"If a Then ", "Elsewhere = 1", "End If"}},
    SplitRow{"ThenInComment", "If a Then b ' Then Else", {"If a Then      ' Then Else", "b", "End If"}},
    // An Else belongs to the nearest If in the Then part that has none.
    SplitRow{"InnerIfKeepsItsElse", "If a Then If b Then c Else d", {"If a Then ", "If b Then c Else d", "End If"}},
    SplitRow{"OuterElseAfterInner", "If a Then If b Then c Else d Else e",
             {"If a Then ", "If b Then c Else d ", "Else", "e", "End If"}},
    SplitRow{"ColonsStayWithTheirPart", "If a Then b = 1: c = 2 Else d = 3: e = 4",
             {"If a Then ", "b = 1: c = 2 ", "Else", "d = 3: e = 4", "End If"}},
    SplitRow{"ElseInRemCommentIsText", "If a Then b = 1: Rem x Else y", {"If a Then ", "b = 1: Rem x Else y", "End If"}},
    // Lines that are no single-line If, or whose parts would read differently on their own.
    SplitRow{"BlockIfWithThenInsideAWord", "If Authentic Then", {}},
    SplitRow{"BlockIfWithComment", "If a Then ' see below", {}},
    SplitRow{"JumpToLineNumber", "If x Then 100", {}},
    SplitRow{"JumpToLineNumberInElse", "If x Then y = 1 Else 200", {}},
    SplitRow{"PartWouldBecomeALabel", "If x Then Tidy: y = 1", {}},
    SplitRow{"ElsePartWouldBecomeALabel", "If x Then y = 1 Else Tidy: y = 2", {}},
    SplitRow{"EmptyStatementAfterThen", "If x Then: y = 1", {}},
    SplitRow{"OneWordStatementIsNoLabel", "If x Then Beep: y = 1", {"If x Then ", "Beep: y = 1", "End If"}},
    SplitRow{"NotAnIf", "Iffy = Then1", {}}),
    test::RowName(&SplitRow::Name));

// --- Multiple statements ------------------------------------------------------------------------

struct PreTestRow {
  std::string Line;
  bool Expected;
};

std::ostream& operator<<(std::ostream& os, const PreTestRow& row) { return os << '"' << row.Line << '"'; }

class HasMultipleStatementsTest : public ::testing::TestWithParam<PreTestRow> {};

TEST_P(HasMultipleStatementsTest, FindsColonsBetweenStatements) {
  test::SplitFixture f;
  EXPECT_EQ(f.Fmt().HasMultipleStatements(GetParam().Line), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, HasMultipleStatementsTest, ::testing::Values(
    PreTestRow{"    x = 1: y = 2", true},
    PreTestRow{"x = 1: y = 2", true},                 // no trailing blank needed
    PreTestRow{"ErrorExit:", false},                  // a label
    PreTestRow{"ErrorExit:   ' leave here", false},
    PreTestRow{"    x = \"a:b\"", false},
    PreTestRow{"    x = 1   ' a: b", false},
    PreTestRow{"    MsgBox Prompt:=\"Hi\", Title:=\"T\"", false},
    PreTestRow{"    t = #12:30:00 PM#", false},
    PreTestRow{"    If t > #5:00 PM# Then Beep", false},
    PreTestRow{"    x = 1: Rem a: b", true},
    PreTestRow{"    Rem a: b", false},
    PreTestRow{"    If a Then b: c", false},           // the colon is part of the If
    PreTestRow{"    x = 1: y = 2 _", false},           // continued
    PreTestRow{"", false}),
    test::RowName(&PreTestRow::Line));

class MultiStatementSplit : public ::testing::TestWithParam<SplitRow> {};

TEST_P(MultiStatementSplit, WritesPiecesOrDeclines) {
  test::SplitFixture f;
  const SplitRow& row = GetParam();
  f.Fmt().FModified = false;
  const bool taken = f.Fmt().SplitMultiStatement(row.Line);
  EXPECT_EQ(f.Pieces(), row.Expected);
  EXPECT_EQ(taken, !row.Expected.empty());
  EXPECT_EQ(f.Fmt().FModified, taken);
}

INSTANTIATE_TEST_SUITE_P(Rows, MultiStatementSplit, ::testing::Values(
    SplitRow{"CommentOnEveryPiece", "    x = 1: y = F(a): z = 3   'init",
             {"x = 1     'init", "y = F(a)     'init", "z = 3     'init"}},
    SplitRow{"Two", "  a = 1:b = 2", {"a = 1", "b = 2"}},
    SplitRow{"EmptyPiece", "  a = 1:: b = 2", {"a = 1", "", "b = 2"}},
    SplitRow{"EmptyPieceWithComment", "  a = 1:: b = 2 'c", {"a = 1     'c", "     'c", "b = 2     'c"}},
    SplitRow{"ColonInLiteral", "  s = \"a:b\": t = \"c\"\":\"\"d\"", {"s = \"a:b\"", "t = \"c\"\":\"\"d\""}},
    SplitRow{"ColonInComment", "  a = 1: b = 2 ' x: y", {"a = 1     ' x: y", "b = 2     ' x: y"}},
    SplitRow{"NamedArguments", "  MsgBox Prompt:=\"Hi\": Beep", {"MsgBox Prompt:=\"Hi\"", "Beep"}},
    SplitRow{"TimeLiteral", "  t = #12:30:00 PM#: u = 1", {"t = #12:30:00 PM#", "u = 1"}},
    SplitRow{"FileNumberIsNoDate", "  Print #1, a: Close #1", {"Print #1, a", "Close #1"}},
    SplitRow{"RemEndsTheCode", "  x = 1: Rem y: z", {"x = 1", "Rem y: z"}},
    SplitRow{"IfTakesTheRest", "  x = 1: If a Then b: c", {"x = 1", "If a Then b: c"}},
    SplitRow{"ElseOfBlockIf", "  Else: x = 1", {"Else", "x = 1"}},
    SplitRow{"CaseLabel", "  Case 1: x = 1", {"Case 1", "x = 1"}},
    // Declined: the pipeline writes the line as it stands.
    SplitRow{"FirstColumn", "x = 1: y = 2", {}},
    SplitRow{"LabelInFirstColumn", "Retry: x = 1", {}},
    SplitRow{"IndentedLabel", "  Retry: x = 1", {}},
    SplitRow{"IndentedLineNumber", "  100: x = 1", {}},
    SplitRow{"EndsWithColon", "  x = 1: y = 2:", {}},
    SplitRow{"OnlyNamedArguments", "  MsgBox Prompt:=\"Hi\"", {}},
    SplitRow{"Continued", "  x = 1: y = 2 + _", {}}),
    test::RowName(&SplitRow::Name));

// --- Continued statements -----------------------------------------------------------------------

// A line that another continues, or that continues another, is offered to no split.
TEST(ContinuedStatement, NoSplitTakesItsLines) {
  test::SplitFixture f;
  TVBSrcFormatter& fmt = f.Fmt();
  fmt.Line().PrevLine = "    x = Total(a, _";
  EXPECT_FALSE(fmt.HasMultipleStatements("        b): y = 2"));
  EXPECT_FALSE(fmt.SplitMultiStatement("        b): y = 2"));
  EXPECT_FALSE(fmt.IsMultiVarDeclaration("Dim p, q"));
  EXPECT_FALSE(fmt.IsMultiConstDeclaration("Const A = 1, B = 2"));
  fmt.Line().PrevLine = "    If a And _";
  EXPECT_FALSE(fmt.SplitSingleLineIf("       b Then c = 1"));
  fmt.Line().PrevLine = "";
  EXPECT_FALSE(fmt.SplitSingleLineIf("If a Then _"));
  EXPECT_FALSE(fmt.IsMultiVarDeclaration("Dim a As Integer, _"));
  EXPECT_TRUE(f.Pieces().empty());

  // "x_" ends a name, not the line.
  fmt.Line().PrevLine = "    y = x_";
  EXPECT_TRUE(fmt.IsMultiVarDeclaration("Dim p, q"));
}

// --- In the pipeline ----------------------------------------------------------------------------

class SplitFormat : public ::testing::Test {
 protected:
  TSettings s = test::RulesOffSettings();
};

TEST_F(SplitFormat, IfPiecesAreIndentedInTheNextPass) {
  s.SetBool(K::IfThenSplit, true);
  s.SetBool(K::CodeIndentPerform, true);
  // The first piece keeps the blank that followed Then.
  verifyFormat(".Sub A ()\n"
               "*    If a Then \n"
               "*        b = 1\n"
               "*    End If\n"
               ".End Sub\n",
               "Sub A ()\n    If a Then b = 1\nEnd Sub\n", s);
}

// The pieces of a split If are split at once, however deep the nesting.
TEST_F(SplitFormat, NestedIfsAreTakenApartInOnePass) {
  s.SetBool(K::IfThenSplit, true);
  verifyFormat("*If a Then \n*If b Then \n*If c Then \n*If d Then \n*e\n*End If\n*End If\n*End If\n*End If\n",
               "If a Then If b Then If c Then If d Then e\n", s);
}

// A line both splits could take is written once, by the If split, whose Then part is then split
// at its colons.
TEST_F(SplitFormat, LineForBothSplitsIsWrittenOnce) {
  s.SetBool(K::IfThenSplit, true);
  s.SetBool(K::MultiStatementSplit, true);
  verifyFormat(".Sub A ()\n*If x Then \n*a = 1\n*b = 2\n*End If\n.End Sub\n",
               "Sub A ()\n  If x Then a = 1: b = 2\nEnd Sub\n", s);
}

// Declined by the If split, a block header is left to the rules that follow.
TEST_F(SplitFormat, DeclinedIfIsWrittenAsItStands) {
  s.SetBool(K::IfThenSplit, true);
  s.SetBool(K::MultiStatementSplit, true);
  verifyNoChange("Sub A ()\n  If Authentic Then\n  End If\n  If x Then 100\nEnd Sub\n", s);
}

TEST_F(SplitFormat, ContinuedLinesStayTogether) {
  s.SetBool(K::IfThenSplit, true);
  s.SetBool(K::MultiStatementSplit, true);
  s.SetBool(K::MultiVarSplit, true);
  verifyNoChange("Sub A ()\n"
                 "  If a And _\n"
                 "     b Then c = 1: d = 2\n"
                 "  Dim p, _\n"
                 "      q\n"
                 "  x = 1: y = F(a, _\n"
                 "      b): z = 3\n"
                 "End Sub\n",
                 s);
}

// Split in pass 1 only, the pieces are not split again; the second pass is no reason for a third.
TEST_F(SplitFormat, MultiStatementPiecesAreWrittenOnceInPassOne) {
  s.SetBool(K::MultiStatementSplit, true);
  std::vector<int> passes;
  const TMarkedList out = test::FormatLines(test::TextLines("  a = 1: b = 2\n"), s, rkModule, &passes);
  EXPECT_EQ(test::RenderMarked(out), "*a = 1\n*b = 2\n");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace qm
