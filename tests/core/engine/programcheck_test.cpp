// SPDX-License-Identifier: MIT
// The safety check before a restyled file is written: what the rules do by design passes, and
// every change to the program or to a comment's text is found, near the line where it is.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/programcheck.h"
#include "engine/templates.h"
#include "format_verify.h"

namespace qm {
namespace {

struct CheckRow {
  const char* name;
  std::vector<std::string> input;
  std::vector<std::string> output;
  std::optional<std::size_t> mismatch;  // line of input
  bool commentsMayGo = false;
};

class ProgramCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(ProgramCheck, FindsWhatChangesTheProgram) {
  const CheckRow& r = GetParam();
  TProgramCheckOptions options = ProgramCheckOptionsFor(test::RulesOffSettings(), nullptr);
  options.CommentsMayBeRemoved = r.commentsMayGo;
  EXPECT_EQ(ProgramMismatchLine(r.input, r.output, options), r.mismatch);
}

const std::string kBlock = "'" + std::string(50, '*');

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramCheck,
    ::testing::Values(
        // What the rules do by design.
        CheckRow{"Indentation", {"Sub A ()", "x = 1", "\tIf x Then", "y = \"a\tb\"", "End If", "End Sub"},
                 {"Sub A ()", "    x = 1", "    If x Then", "        y = \"a\tb\"", "    End If", "End Sub"}, {}},
        CheckRow{"SingleLineIfWithElse",
                 {"  If a Then b = 1 Else c = 2 ' why"},
                 {"If a Then      ' why", "b = 1 ", "Else", "c = 2", "End If"}, {}},
        CheckRow{"NestedSingleLineIfs",
                 {"If a Then If b Then c Else d"},
                 {"If a Then", "If b Then", "c", "Else", "d", "End If", "End If"}, {}},
        CheckRow{"ColonsAndRepeatedSuffix",
                 {"    x = 1: y = F(a, \"b:c\"): Rem z: w ' note"},
                 {"x = 1     ' note", "y = F(a, \"b:c\")     ' note", "Rem z: w     ' note"}, {}},
        CheckRow{"DeclarationsPerName",
                 {"DIM a(1 To 5, 2), b As Integer 'n", "Global Const X = 1, Y = \",\"", "ReDim Preserve p(5), q(7)"},
                 {"Dim a(1 To 5, 2)    'n", "Dim b As Integer    'n", "Global Const X = 1", "Global Const Y = \",\"",
                  "Redim Preserve p(5)", "Redim Preserve q(7)"},
                 {}},
        CheckRow{"NextVariableAndOptionExplicit",
                 {"Sub A ()", "For i = 1 To 3", "Next", "End Sub"},
                 {"Option Explicit     'Force all variables to be declared before their use", "", "Sub A ()",
                  "For i = 1 To 3", "Next i    ", "End Sub"},
                 {}},
        CheckRow{"ElsesOfNestedIfs",
                 {"If a Then If b Then If c Then x Else y Else z Else w"},
                 {"If a Then", "If b Then", "If c Then", "x", "Else", "y", "End If", "Else", "z", "End If", "Else", "w",
                  "End If"},
                 {}},
        CheckRow{"TabInAComment", {"' a\tb"}, {"' a   b"}, {}},
        CheckRow{"ContinuationKept", {"x = F(a, _", "  b)"}, {"    x = F(a, _", "        b)"}, {}},
        CheckRow{"BlocksHeadersAndMovedComments",
                 {"Sub A ()", "' one", "x = 1 ' far"},
                 {"Sub A ()", "' -----------------------------------------------------------", "'  Name   :  A",
                  "'  Purpose:  ", kBlock, "    ' one", "    ' far", kBlock, "    x = 1"},
                 {}},
        CheckRow{"CommentRemovedWhereAllowed", {"x = 1 ' gone", "' kept"}, {"x = 1", "' kept"}, {}, true},
        CheckRow{"ContinuedCommentMoved", {"x = 1 ' why _", "  For each: Next"},
                 {"x = 1", "' why _", "  For each: Next"}, {}},
        CheckRow{"ContinuedCommentRemovedWithItsLines", {"' gone _", "  Next", "x = 1"}, {"x = 1"}, {}, true},
        CheckRow{"EndOfFileByteAndWhatFollows", {"Sub A ()", "End Sub", "\x1A", "junk = 1"},
                 {"Sub A ()", "End Sub", "\x1A"}, {}},
        CheckRow{"EndOfFileByteOnACodeLine", {"x = 1\x1A\r"}, {"x = 1"}, {}},
        CheckRow{"NextCounterWithTypeSuffix", {"For i% = 1 To 3", "Next", "Next j&"}, {"For i% = 1 To 3", "Next i%", "Next"}, {}},
        CheckRow{"NextCounterOfAWithObject", {"For .Index = 1 To 3", "Next"}, {"For .Index = 1 To 3", "Next .Index    "}, {}},
        // Faults.
        CheckRow{"StatementLost", {"a = 1", "b = 2: c = 3", "d = 4"}, {"a = 1", "b = 2", "d = 4"}, 2},
        CheckRow{"StatementDuplicated", {"a = 1", "b = 2"}, {"a = 1", "a = 1", "b = 2"}, 2},
        CheckRow{"LiteralCut", {"x = \"a: b\""}, {"x = \"a", "b\""}, 1},
        CheckRow{"LiteralCaseChanged", {"x = 1", "y = \"Then\""}, {"x = 1", "y = \"THEN\""}, 2},
        CheckRow{"DateLiteralCut", {"t = #12:30:00 PM#"}, {"t = #12", "30:00 PM#"}, 1},
        CheckRow{"ContinuationBroken", {"x = F(a, _", "b)"}, {"x = F(a,", "b)"}, 2},
        CheckRow{"DeclarationNameLost", {"Dim a, b, c"}, {"Dim a", "Dim c"}, 1},
        CheckRow{"ElseMovedToTheWrongIf", {"If a Then If b Then c Else d"},
                 {"If a Then", "If b Then", "c", "End If", "Else", "d", "End If"}, 1},
        CheckRow{"CommentTextChanged", {"x = 1 ' note", "' two"}, {"x = 1 ' nope", "' two"}, 1},
        CheckRow{"CommentLost", {"' one", "' two", "x = 1"}, {"' one", "x = 1"}, 2},
        CheckRow{"CommentLostEvenWhereOthersMayGo", {"' one", "x = 1"}, {"' two", "x = 1"}, 1, true},
        CheckRow{"TextAddedAtTheEnd", {"a = 1"}, {"a = 1", "b = 2"}, 1},
        CheckRow{"BlockLineBetweenACommentAndItsContinuation", {"' one _", "  two", "x = 1"},
                 {"' one _", kBlock, "  two", "x = 1"}, 3},
        CheckRow{"ContinuationOfACommentReadAsCode", {"' one _", "  x = 2"}, {"' one", "  x = 2"}, 2},
        CheckRow{"NextNamingTwoLoopsCut", {"Next j, i"}, {"Next j"}, 1},
        CheckRow{"CodeAfterTheEndOfFileByteDropped", {"a = 1", "b = 2\x1A"}, {"a = 1"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramCheckOptions, FollowTheSettings) {
  TSettings s = test::RulesOffSettings();
  EXPECT_FALSE(ProgramCheckOptionsFor(s, nullptr).CommentsMayBeRemoved);
  s.SetInt(SettingKey::GrpInLineComments, 3);
  EXPECT_TRUE(ProgramCheckOptionsFor(s, nullptr).CommentsMayBeRemoved);
  s.SetBool(SettingKey::SpellingPerform, true);
  EXPECT_TRUE(ProgramCheckOptionsFor(s, nullptr).TextMayBeCorrected);
  TCommentTemplates templates;
  templates.Sub = {"' Written by %a", "'"};
  templates.Function = {};
  EXPECT_EQ(ProgramCheckOptionsFor(s, &templates).HeaderLines, std::vector<std::string>{"Written by"});
}

}  // namespace
}  // namespace qm
