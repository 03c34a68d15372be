// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "format_verify.h"
#include "row_name.h"
#include "split_fixture.h"

namespace qm {
namespace {

using K = SettingKey;
using Pieces = std::vector<std::string>;

// --- The tests --------------------------------------------------------------------------------

struct TestRow {
  std::string Line;
  bool MultiVar;
  bool MultiConst;
};

std::ostream& operator<<(std::ostream& os, const TestRow& row) { return os << '"' << row.Line << '"'; }

class DeclarationTests : public ::testing::TestWithParam<TestRow> {};

TEST_P(DeclarationTests, TellMultipleDeclarations) {
  test::SplitFixture f;
  EXPECT_EQ(f.Fmt().IsMultiVarDeclaration(GetParam().Line), GetParam().MultiVar);
  EXPECT_EQ(f.Fmt().IsMultiConstDeclaration(GetParam().Line), GetParam().MultiConst);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeclarationTests, ::testing::Values(
    TestRow{"Dim a, b As Integer", true, false},
    TestRow{"    dim a, b", true, false},
    TestRow{"ReDim a(5), b(7)", true, false},
    TestRow{"Global g1, g2", true, false},
    TestRow{"Static i, j   'counters", true, false},
    TestRow{"Dim a As Integer", false, false},
    TestRow{"Dim a   ' x, y", false, false},
    TestRow{"Dim s As String * 5: s = \"a,b\"", false, false},
    TestRow{"Dim grid(1 To 5, 1 To 3) As Long", false, false},
    TestRow{"ReDim Preserve m(1 To n, 1 To 2)", false, false},
    TestRow{"Dim a: Print x, y", false, false},          // the commas belong to another statement
    TestRow{"Static Sub Tally(a, b)", false, false},
    TestRow{"Static Function F(a, b)", false, false},
    TestRow{"Static Property Let P(a, b)", false, false},
    TestRow{"Dimension = a, b", false, false},
    TestRow{"Const A = 1, B = 2", false, true},
    TestRow{"Global Const A = 1, B = 2 'limits", false, true},
    TestRow{"Const SEP = \",\"", false, false},
    TestRow{"Const A = 1 ' a, b", false, false},
    TestRow{"Private Const A = 1, B = 2", false, false},
    TestRow{"Const D = #January 1, 1996#", false, false},
    TestRow{"", false, false}),
    test::RowName(&TestRow::Line));

// --- The splits -------------------------------------------------------------------------------

struct SplitRow {
  const char* Name;
  std::string Line;
  Pieces Expected;
};

std::ostream& operator<<(std::ostream& os, const SplitRow& row) { return os << '"' << row.Line << '"'; }

class MultiVarSplit : public ::testing::TestWithParam<SplitRow> {};

TEST_P(MultiVarSplit, WritesOneDeclarationPerName) {
  test::SplitFixture f;
  f.Fmt().FModified = false;
  f.Fmt().SplitMultiVar(GetParam().Line);
  EXPECT_EQ(f.Pieces(), GetParam().Expected);
  EXPECT_TRUE(f.Fmt().FModified);
}

INSTANTIATE_TEST_SUITE_P(Rows, MultiVarSplit, ::testing::Values(
    SplitRow{"FirstUntyped", "Dim a, b As Integer", {"Dim a", "Dim b As Integer"}},
    SplitRow{"UpperCaseKeyword", "DIM x As String, y", {"Dim x As String", "Dim y"}},
    SplitRow{"LowerCaseKeyword", "    dim x, y", {"Dim x", "Dim y"}},
    SplitRow{"ReDim", "ReDim a(5), b(7)", {"Redim a(5)", "Redim b(7)"}},
    SplitRow{"ReDimPreserveOnEveryPiece", "ReDim Preserve a(5), b(7)", {"Redim Preserve a(5)", "Redim Preserve b(7)"}},
    SplitRow{"CommentOnEveryPiece", "Static i, j   'counters", {"Static i    'counters", "Static j    'counters"}},
    SplitRow{"Global", "Global g1 As Long, g2 As String", {"Global g1 As Long", "Global g2 As String"}},
    SplitRow{"BoundsStayWhole", "Dim grid(1 To 5, 1 To 3) As Long, n",
             {"Dim grid(1 To 5, 1 To 3) As Long", "Dim n"}},
    SplitRow{"NoBlankAfterComma", "Dim a,b ,  c", {"Dim a", "Dim b", "Dim c"}},
    SplitRow{"FollowingStatementStays", "Dim a, b: Print x, y", {"Dim a", "Dim b: Print x, y"}},
    SplitRow{"FixedLengthString", "Dim s As String * 5, t", {"Dim s As String * 5", "Dim t"}}),
    test::RowName(&SplitRow::Name));

class MultiConstSplit : public ::testing::TestWithParam<SplitRow> {};

TEST_P(MultiConstSplit, WritesOneConstantPerName) {
  test::SplitFixture f;
  f.Fmt().FModified = false;
  f.Fmt().SplitMultiConst(GetParam().Line);
  EXPECT_EQ(f.Pieces(), GetParam().Expected);
  EXPECT_TRUE(f.Fmt().FModified);
}

INSTANTIATE_TEST_SUITE_P(Rows, MultiConstSplit, ::testing::Values(
    SplitRow{"GlobalWithComment", "Global Const A = 1, B = 2 'limits",
             {"Global Const A = 1     'limits", "Global Const B = 2     'limits"}},
    SplitRow{"LowerCaseKeyword", "  const A = 1, B = 2", {"Const A = 1", "Const B = 2"}},
    SplitRow{"CommaInLiteral", "Const SEP = \",\", EOL = \"a, b\"", {"Const SEP = \",\"", "Const EOL = \"a, b\""}},
    SplitRow{"CommaInDate", "Const D = #January 1, 1996#, E = 2", {"Const D = #January 1, 1996#", "Const E = 2"}},
    // The blank before a comma stays with its piece.
    SplitRow{"BlankBeforeComma", "Const A = 1 , B = 2", {"Const A = 1 ", "Const B = 2"}}),
    test::RowName(&SplitRow::Name));

// --- The As column ----------------------------------------------------------------------------

struct ColumnRow {
  std::string Line;
  int Column;
};

std::ostream& operator<<(std::ostream& os, const ColumnRow& row) { return os << '"' << row.Line << '"'; }

class AsColumn : public ::testing::TestWithParam<ColumnRow> {};

TEST_P(AsColumn, CountsWithinTheTrimmedLine) {
  test::SplitFixture f;
  EXPECT_EQ(f.Fmt().DeclarationAsColumn(GetParam().Line), GetParam().Column);
}

INSTANTIATE_TEST_SUITE_P(Rows, AsColumn, ::testing::Values(
    ColumnRow{"Dim Name As String", 10},
    ColumnRow{"        Dim i As Long", 7},
    ColumnRow{"dim i as Long", 7},
    ColumnRow{"ReDim a(5) As Integer", 12},
    ColumnRow{"Global g As Long", 10},
    ColumnRow{"Static n As Integer", 10},
    ColumnRow{"Dim Flag", 1},
    ColumnRow{"Dim Flag   ' set as needed", 1},        // an "as" in the comment is text
    ColumnRow{"Global Const A As Integer = 1", 0},
    ColumnRow{"Const A As Integer = 1", 0},
    ColumnRow{"    Static Function F() As Long", 0},
    ColumnRow{"Static Property Get P() As Long", 0},
    ColumnRow{"Private x As Long", 0},
    ColumnRow{"x = 1", 0},
    ColumnRow{"", 0}),
    test::RowName(&ColumnRow::Line));

// --- Alignment in the second pass -------------------------------------------------------------

class Alignment : public ::testing::Test {
 protected:
  Alignment() {
    s.SetBool(K::CodeIndentPerform, true);
    s.SetBool(K::AlignMultiDimAs, true);
  }
  TSettings s = test::RulesOffSettings();
};

TEST_F(Alignment, GroupLinesUpItsAsClauses) {
  verifyFormat(".Sub A ()\n"
               "*    Dim Name  As String\n"
               "*    Dim Count As Integer\n"
               "*    Dim i     As Long\n"
               "*    Dim Flag\n"
               "*    x = 1\n"
               ".End Sub\n",
               "Sub A ()\nDim Name As String\nDim Count As Integer\nDim i As Long\nDim Flag\nx = 1\nEnd Sub\n", s);
}

TEST_F(Alignment, SingleDeclarationIsLeftAlone) {
  verifyFormat(".Sub A ()\n*    Dim Name As String\n*    x = 1\n*    Dim i As Long\n.End Sub\n",
               "Sub A ()\nDim Name As String\nx = 1\nDim i As Long\nEnd Sub\n", s);
}

TEST_F(Alignment, GroupSizeComesFromTheSetting) {
  s.SetInt(K::AlignDimAsGroupQty, 3);
  verifyNoChange("Dim Name As String\nDim i As Long\nx = 1\n", s);
  s.SetInt(K::AlignDimAsGroupQty, 1);
  verifyFormat(".Dim Name As String\n.x = 1\n", "Dim Name As String\nx = 1\n", s);
}

// Const lines, comment lines and blank lines end a group; each line keeps its own indentation.
TEST_F(Alignment, GroupsEndAtAnyOtherLine) {
  s.SetBool(K::CodeIndentPerform, false);
  verifyFormat("*Dim a     As Integer\n"
               "*  Dim bbb   As Long\n"
               ".Global cc As String\n"
               ".Const K As Integer = 1\n"
               ".Dim i As Long\n"
               ".' note\n"
               "*Dim jj     As Long\n"
               ".Dim kkkkkk As Long\n"
               ".\n"
               ".Dim z As Long\n",
               "Dim a As Integer\n  Dim bbb As Long\nGlobal cc As String\nConst K As Integer = 1\nDim i As Long\n' note\n"
               "Dim jj As Long\nDim kkkkkk As Long\n\nDim z As Long\n",
               s);
}

// The group is aligned only in the second pass, and not at all when it runs to the end of the file.
TEST_F(Alignment, OpenGroupAtEndOfFileStaysAsItIs) {
  s.SetBool(K::CodeIndentPerform, false);
  verifyNoChange("Dim a As Integer\nDim bbb As Long\n", s);
}

TEST_F(Alignment, SplitPiecesAreAlignedAsAGroup) {
  s.SetBool(K::CodeIndentPerform, false);
  s.SetBool(K::MultiVarSplit, true);
  verifyFormat("*Dim a         As Integer\n*Dim bbbbbbbbb As Long\n.x = 1\n",
               "Dim a As Integer, bbbbbbbbb As Long\nx = 1\n", s);
}

// A formatter whose comment rule moves every in-line comment onto a line of its own above its
// code, as "Place on previous line" does.
class CommentAboveFormatter : public TVBSrcFormatter {
 public:
  using TVBSrcFormatter::TVBSrcFormatter;
  void PlaceInLineComment(std::string& line) override {
    FOutput.push_back({"'" + CommentText(line), NewChangedMark()});
    StripComment(line);
    FModified = true;
  }
};

// The alignment rewrites the declarations where they stand, not the comment lines moved between
// them: the pieces of a split carry their comment into the second pass, where it goes above them.
TEST_F(Alignment, CommentMovedAboveADeclarationIsNotRewritten) {
  s.SetBool(K::CodeIndentPerform, false);
  s.SetBool(K::MultiVarSplit, true);
  test::FakePrompts prompts;
  TNullProgress progress;
  CommentAboveFormatter fmt({s, prompts, progress, progress, nullptr});
  ASSERT_TRUE(fmt.FormatPasses(test::TextLines("Dim a As Integer, bbbb As Long ' both\nx = 1\n")));
  EXPECT_EQ(test::RenderMarked(fmt.FOutput), "*' both\n*Dim a    As Integer\n*' both\n*Dim bbbb As Long\n.x = 1\n");
}

// Called without a tracked group, the alignment rewrites the last lines of the output.
TEST(AlignDeclarationGroup, UntrackedGroupIsTheLastLines) {
  test::SplitFixture f;
  TVBSrcFormatter& fmt = f.Fmt();
  fmt.FOutput = {{"x = 1", NewUnchangedMark()},
                 {"  Dim a As Integer", NewUnchangedMark()},
                 {"  Dim bbb As Long", NewUnchangedMark()}};
  fmt.FModified = false;
  fmt.AlignDeclarationGroup(2, 10);
  EXPECT_EQ(test::RenderMarked(fmt.FOutput), ".x = 1\n*  Dim a    As Integer\n*  Dim bbb  As Long\n");
  EXPECT_TRUE(fmt.FModified);
}

}  // namespace
}  // namespace qm
