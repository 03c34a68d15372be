// SPDX-License-Identifier: MIT
// Placement of whole-line and in-line comments, and the block lines that frame runs of comments.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/statementscan.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "settings/catalogue.h"

namespace qm {
namespace {

using K = SettingKey;

class CommentFixture : public ::testing::Test {
 protected:
  CommentFixture() { test::SwitchAllRulesOff(settings); }

  TSettings settings;
  test::FakePrompts prompts;
  TNullProgress progress;
  TVBSrcFormatter fmt{{settings, prompts, progress, progress, nullptr}};
};

// --- Whole-line comments -----------------------------------------------------------------------

struct SingleRow {
  const char* name;
  int mode;  // GrpSingleLineComments
  int column;
  int lastIndent;
  int indentLevel;
  std::string line, expected;
};

std::ostream& operator<<(std::ostream& os, const SingleRow& r) { return os << r.name; }

class SingleLineComments : public CommentFixture, public ::testing::WithParamInterface<SingleRow> {};

TEST_P(SingleLineComments, Place) {
  const SingleRow& r = GetParam();
  settings.SetInt(K::GrpSingleLineComments, r.mode);
  settings.SetInt(K::SingleLineCommentColumn, r.column);
  fmt.Line().LastIndent = r.lastIndent;
  fmt.Line().IndentLevel = r.indentLevel;
  std::string line = r.line;
  fmt.PlaceSingleLineComment(line);
  EXPECT_EQ(line, r.expected);
  EXPECT_TRUE(fmt.FOutput.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Comments, SingleLineComments,
    ::testing::Values(
        SingleRow{"LeaveAsIs", 0, 4, 8, 12, "  ' note ", "  ' note "},
        SingleRow{"FixedColumnIsTheBlanksBefore", 1, 4, 8, 12, "        ' note", "    ' note"},
        SingleRow{"FixedColumnOne", 1, 1, 8, 12, "' note", " ' note"},
        SingleRow{"PriorLineIndent", 2, 4, 6, 12, "' note", "      ' note"},
        SingleRow{"PriorLineIndentZero", 2, 4, 0, 12, "          '", "'"},
        SingleRow{"NextLineIndent", 3, 4, 6, 8, "  '  two  blanks", "        '  two  blanks"},
        SingleRow{"NegativeLevelGivesNoBlanks", 3, 4, 6, -4, "    ' x", "' x"},
        SingleRow{"Remove", 4, 4, 6, 8, "    ' gone", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// --- In-line comments --------------------------------------------------------------------------

struct InLineRow {
  const char* name;
  int mode;         // GrpInLineComments
  int unavailable;  // GrpInLineCommentsFixedColUnavail
  std::string prevLine;
  std::string line;
  std::string expected;
  std::vector<std::string> appended;  // lines the placement wrote to the output itself
};

std::ostream& operator<<(std::ostream& os, const InLineRow& r) { return os << r.name; }

class InLineComments : public CommentFixture, public ::testing::WithParamInterface<InLineRow> {};

TEST_P(InLineComments, Place) {
  const InLineRow& r = GetParam();
  settings.SetInt(K::GrpInLineComments, r.mode);
  settings.SetInt(K::InLineCommentsFixedColumn, 20);
  settings.SetInt(K::InLineCommentsIndent, 2);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, r.unavailable);
  settings.SetInt(K::InLineCommentsUnavailColIndent, 3);
  fmt.Line().LastIndent = 4;
  fmt.Line().PrevLine = r.prevLine;
  std::string line = r.line;
  fmt.PlaceInLineComment(line);
  EXPECT_EQ(line, r.expected);

  std::vector<std::string> appended;
  for (const TMarkedLine& l : fmt.FOutput) {
    appended.push_back(l.Text);
    EXPECT_TRUE(l.Mark.IsChanged()) << l.Text;
  }
  EXPECT_EQ(appended, r.appended);
  // Only a comment moved onto a line of its own calls for a further pass.
  EXPECT_EQ(fmt.FModified, !r.appended.empty());
}

//                      1         2
//             12345678901234567890
// Fixed column 20: the apostrophe stands in column 21.
INSTANTIATE_TEST_SUITE_P(
    Comments, InLineComments,
    ::testing::Values(
        InLineRow{"LeaveAsIs", 0, 0, "", "x = 1   '  note  ", "x = 1   '  note  ", {}},
        InLineRow{"Remove", 3, 0, "", "  x = 1   ' note", "  x = 1", {}},
        InLineRow{"RightByKeepsTheText", 2, 0, "", "  x = 1' note  ", "  x = 1  ' note  ", {}},
        InLineRow{"FixedColumnTrimsTheText", 1, 0, "", "  x = 1 '   note  ", "  x = 1             'note", {}},
        InLineRow{"FixedColumnCodeJustFits", 1, 0, "", "  abcdefghijklmnopqr ' n", "  abcdefghijklmnopqr'n", {}},
        InLineRow{"FixedColumnEmptyText", 1, 0, "", "x = 1 '", "x = 1               '", {}},
        InLineRow{"ApostropheInALiteralIsNoComment", 1, 0, "", "s = \"it's\"", "s = \"it's\"", {}},
        InLineRow{"CommentAfterALiteral", 1, 0, "", "s = \"it's\" ' x", "s = \"it's\"          'x", {}},
        InLineRow{"UnavailableRightBy", 1, 0, "", "  abcdefghijklmnopqrs ' n ", "  abcdefghijklmnopqrs   ' n ", {}},
        InLineRow{"UnavailablePreviousLine", 1, 1, "y = 2", "  abcdefghijklmnopqrs ' n ", "  abcdefghijklmnopqrs",
                  {"    ' n "}},
        InLineRow{"UnavailableNextLine", 1, 2, "y = 2", "  abcdefghijklmnopqrs ' n ", "    ' n ",
                  {"  abcdefghijklmnopqrs"}},
        InLineRow{"UnavailableRemove", 1, 3, "", "  abcdefghijklmnopqrs ' n ", "  abcdefghijklmnopqrs", {}},
        // Moved above a continuation line, the comment would cut the statement in two.
        InLineRow{"NotAboveAContinuationLine", 1, 1, "x = a + _", "    abcdefghijklmnopqrs ' n",
                  "    abcdefghijklmnopqrs   ' n", {}},
        // A comment ending in " _" goes on on the next line; above the code it would swallow it.
        InLineRow{"NotAboveWhenTheCommentContinues", 1, 1, "", "  abcdefghijklmnopqrs ' n _",
                  "  abcdefghijklmnopqrs   ' n _", {}},
        // The last line of a continued statement may have its comment put below it.
        InLineRow{"BelowTheLastContinuationLine", 1, 2, "x = a + _", "  abcdefghijklmnopqrs ' n",
                  "    ' n", {"  abcdefghijklmnopqrs"}},
        InLineRow{"NotBelowCodeThatContinues", 1, 2, "", "  abcdefghijklmnopq + _ ' n",
                  "  abcdefghijklmnopq + _   ' n", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Whole files -------------------------------------------------------------------------------

class CommentFiles : public ::testing::Test {
 protected:
  CommentFiles() : settings(test::RulesOffSettings()) {}
  TSettings settings;
};

// A comment moved above its code is a whole-line comment in pass 2 and placed as one there.
TEST_F(CommentFiles, CommentPutOnThePreviousLineIsPlacedInTheNextPass) {
  settings.SetBool(K::CodeIndentPerform, true);
  settings.SetInt(K::GrpInLineComments, 1);
  settings.SetInt(K::InLineCommentsFixedColumn, 12);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, 1);
  settings.SetInt(K::GrpSingleLineComments, 3);
  verifyFormat(".Sub A ()\n"
               "*    ' the sum\n"
               "*    total = a + b\n"
               ".End Sub\n",
               "Sub A ()\n"
               "total = a + b ' the sum\n"
               "End Sub\n",
               settings);
}

TEST_F(CommentFiles, CommentPutOnTheNextLine) {
  settings.SetBool(K::CodeIndentPerform, true);
  settings.SetInt(K::GrpInLineComments, 1);
  settings.SetInt(K::InLineCommentsFixedColumn, 12);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, 2);
  settings.SetInt(K::GrpSingleLineComments, 2);
  verifyFormat(".Sub A ()\n"
               "*    total = a + b\n"
               "*    ' the sum\n"
               ".    x = 1\n"
               ".End Sub\n",
               "Sub A ()\n"
               "    total = a + b ' the sum\n"
               "    x = 1\n"
               "End Sub\n",
               settings);
}

// The code of a file, comments (with the lines that continue them) and blank lines aside, in order.
std::vector<std::string> CodeOf(const std::vector<std::string>& lines) {
  std::vector<std::string> code;
  bool inComment = false;
  for (std::string line : lines) {
    if (std::exchange(inComment, ContinuesComment(line, inComment))) continue;
    StripComment(line);
    const std::string_view t = Trim(line);
    if (!t.empty()) code.emplace_back(t);
  }
  return code;
}

struct MoveRow {
  const char* name;
  int unavailable;
  int single;
  int blankLines;
};

std::ostream& operator<<(std::ostream& os, const MoveRow& r) { return os << r.name; }

class EveryStatementOnce : public ::testing::TestWithParam<MoveRow> {};

// However comments move, every statement of the input is written once, in its order, and no
// continued line is parted from its continuation.
TEST_P(EveryStatementOnce, WhenCommentsMove) {
  TSettings settings = test::RulesOffSettings();
  settings.SetBool(K::CodeIndentPerform, true);
  settings.SetBool(K::SingleLineCommentBlocks, true);
  settings.SetInt(K::SingleLineCommentGroupQty, 2);
  settings.SetInt(K::GrpInLineComments, 1);
  settings.SetInt(K::InLineCommentsFixedColumn, 16);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, GetParam().unavailable);
  settings.SetInt(K::GrpSingleLineComments, GetParam().single);
  settings.SetInt(K::GrpBlankLines, GetParam().blankLines);
  const TLines input = test::TextLines(
      "Sub A ()\n"
      "' first\n"
      "' second\n"
      "total = first_value + _ ' not a comment VB allows, kept with its code\n"
      "    second_value ' the sum\n"
      "If total > 100 Then ' big\n"
      "    message = \"it's big\" ' say so\n"
      "End If ' done\n"
      "\n"
      "label = caption_text ' continues _\n"
      "    on this line\n"
      "x = 1 ' short\n"
      "End Sub\n");
  const TMarkedList out = test::FormatLines(input, settings);

  std::vector<std::string> texts;
  for (const TMarkedLine& l : out) texts.push_back(l.Text);
  EXPECT_EQ(CodeOf(texts), CodeOf(input));
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    if (!EndsWithContinuation(texts[i])) continue;
    EXPECT_FALSE(IsCommentLine(texts[i + 1]) && !IsCommentLine(texts[i])) << "line " << i + 2 << ": " << texts[i + 1];
    EXPECT_FALSE(Trim(texts[i + 1]).empty()) << "line " << i + 2;
  }
}

INSTANTIATE_TEST_SUITE_P(Comments, EveryStatementOnce,
                         ::testing::Values(MoveRow{"PreviousLine", 1, 2, 0}, MoveRow{"NextLine", 2, 2, 0},
                                           MoveRow{"PreviousLineNextIndent", 1, 3, 1},
                                           MoveRow{"NextLineFixedColumn", 2, 1, 1},
                                           MoveRow{"PreviousLineRemoveComments", 1, 4, 2},
                                           MoveRow{"NextLineRemoveComments", 2, 4, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Comment blocks ----------------------------------------------------------------------------

class CommentBlockFiles : public CommentFiles {
 protected:
  CommentBlockFiles() { settings.SetBool(K::SingleLineCommentBlocks, true); }
};

TEST_F(CommentBlockFiles, RunOfFiveIsFramedAndRunOfFourIsNot) {
  verifyNoChange("' 1\n' 2\n' 3\n' 4\nx = 1\n", settings);
  settings.SetText(K::SingleLineCommentBlockCharacters, "=-");
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 7);
  verifyFormat("*  '=-=-=-=\n.  ' 1\n.  ' 2\n.  '\n.  ' 4\n.  ' 5\n*  '=-=-=-=\n.x = 1\n",
               "  ' 1\n  ' 2\n  '\n  ' 4\n  ' 5\nx = 1\n", settings);
}

TEST_F(CommentBlockFiles, BlockOfLengthZeroIsTheApostropheAlone) {
  settings.SetInt(K::SingleLineCommentGroupQty, 1);
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 0);
  verifyFormat("*'\n.' 1\n*'\n.x = 1\n", "' 1\nx = 1\n", settings);
}

TEST_F(CommentBlockFiles, EmptyBlockCharactersGiveAsterisks) {
  settings.SetInt(K::SingleLineCommentGroupQty, 1);
  settings.SetText(K::SingleLineCommentBlockCharacters, "");
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 3);
  verifyFormat("*'***\n.' 1\n*'***\n.x = 1\n", "' 1\nx = 1\n", settings);
}

// The block lines are placed like the comments they frame.
TEST_F(CommentBlockFiles, BlockLinesArePlacedLikeTheComments) {
  settings.SetInt(K::SingleLineCommentGroupQty, 2);
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 3);
  settings.SetInt(K::GrpSingleLineComments, 1);
  settings.SetInt(K::SingleLineCommentColumn, 2);
  verifyFormat("*  '***\n*  ' 1\n*  ' 2\n*  '***\n.x = 1\n", "' 1\n        ' 2\nx = 1\n", settings);
}

// Removed comments leave nothing to frame: no block lines, whether the emptied lines stay or go.
TEST_F(CommentBlockFiles, RemovedCommentsGetNoFrame) {
  settings.SetInt(K::SingleLineCommentGroupQty, 2);
  settings.SetInt(K::GrpSingleLineComments, 4);
  verifyFormat("*\n*\n.x = 1\n", "' 1\n' 2\nx = 1\n", settings);
  settings.SetInt(K::GrpBlankLines, 2);
  verifyFormat(".x = 1\n", "' 1\n' 2\nx = 1\n", settings);
}

// A comment moved above its code joins the run before it and stands inside its frame, where the
// next run would see it.
TEST_F(CommentBlockFiles, CommentMovedAboveTheClosingLineJoinsTheFrame) {
  settings.SetInt(K::SingleLineCommentGroupQty, 2);
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 3);
  settings.SetInt(K::GrpInLineComments, 1);
  settings.SetInt(K::InLineCommentsFixedColumn, 4);
  settings.SetInt(K::GrpInLineCommentsFixedColUnavail, 1);
  verifyFormat("*'***\n.' 1\n.' 2\n*' moved\n*'***\n*x = 10\n", "' 1\n' 2\nx = 10 ' moved\n", settings);
}

}  // namespace
}  // namespace qm
