// SPDX-License-Identifier: MIT
// The per-file pipeline: the code part, Option Explicit, the order of the per-line steps and what
// it does with their results, marks across passes, progress and cancel.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "row_name.h"

namespace qm {
namespace {

using K = SettingKey;
using test::FakePrompts;
using test::FakeProgress;

constexpr std::string_view kInserted =
    "*Option Explicit     'Force all variables to be declared before their use\n*\n";

// --- Locating the code part and Option Explicit ------------------------------------------------

struct CodePartRow {
  const char* name;
  std::uint8_t kind;
  std::string input;
  std::string expected;
};

class CodePart : public ::testing::TestWithParam<CodePartRow> {};

TEST_P(CodePart, FindsDescriptionAndOptionExplicit) {
  TSettings s = test::RulesOffSettings();
  s.SetBool(K::OptionExplicitInsert, true);
  verifyFormat(GetParam().expected, GetParam().input, s, GetParam().kind);
}

const std::string kForm =
    "VERSION 2.00\n"
    "Begin Form Form1\n"
    "   Caption = \"Main\"\n"
    "End\n";

INSTANTIATE_TEST_SUITE_P(
    Pipeline, CodePart,
    ::testing::Values(
        CodePartRow{"FormWithOptionExplicit", rkForm, kForm + "Option Explicit\nSub A ()\nEnd Sub\n",
                    ".VERSION 2.00\n.Begin Form Form1\n.   Caption = \"Main\"\n.End\n.Option Explicit\n"
                    ".Sub A ()\n.End Sub\n"},
        CodePartRow{"FormWithoutOptionExplicit", rkForm, kForm + "Sub A ()\nEnd Sub\n",
                    ".VERSION 2.00\n.Begin Form Form1\n.   Caption = \"Main\"\n.End\n" + std::string(kInserted) +
                        ".Sub A ()\n.End Sub\n"},
        CodePartRow{"AttributesStayAhead", rkForm,
                    kForm + "Attribute VB_Name = \"Form1\"\nAttribute VB_Creatable = False\nDim x\n",
                    ".VERSION 2.00\n.Begin Form Form1\n.   Caption = \"Main\"\n.End\n"
                    ".Attribute VB_Name = \"Form1\"\n.Attribute VB_Creatable = False\n" +
                        std::string(kInserted) + ".Dim x\n"},
        CodePartRow{"DescriptionWithoutProcedures", rkClass, kForm,
                    ".VERSION 2.00\n.Begin Form Form1\n.   Caption = \"Main\"\n.End\n" + std::string(kInserted)},
        CodePartRow{"ModuleAttributeFirst", rkModule, "Attribute VB_Name = \"Module1\"\nDim x\n",
                    ".Attribute VB_Name = \"Module1\"\n" + std::string(kInserted) + ".Dim x\n"},
        CodePartRow{"EmptyFile", rkModule, "", std::string(kInserted)},
        CodePartRow{"WithComment", rkModule, "Option Explicit ' required\nDim x\n",
                    ".Option Explicit ' required\n.Dim x\n"},
        // Recognised however it is written, so that no second one is ever inserted.
        CodePartRow{"Indented", rkModule, "  Option Explicit\nDim x\n", ".  Option Explicit\n.Dim x\n"},
        CodePartRow{"LowerCase", rkModule, "option explicit\n", ".option explicit\n"},
        CodePartRow{"TabIndented", rkModule, "\tOPTION EXPLICIT\n", ".    OPTION EXPLICIT\n"},
        CodePartRow{"LongerWordIsNot", rkModule, "Option Explicitly\n",
                    std::string(kInserted) + ".Option Explicitly\n"},
        // Only the stretch before the first procedure counts.
        CodePartRow{"AfterFirstProcedure", rkModule, "Sub A ()\nEnd Sub\nOption Explicit\n",
                    std::string(kInserted) + ".Sub A ()\n.End Sub\n.Option Explicit\n"},
        // An End statement that is indented or followed by anything ends no description.
        CodePartRow{"IndentedEndIsCode", rkModule, "x = 1\n  End\n",
                    std::string(kInserted) + ".x = 1\n.  End\n"},
        CodePartRow{"LowerCaseEndEndsDescription", rkForm, "Begin Form F\nend\nDim x\n",
                    ".Begin Form F\n.end\n" + std::string(kInserted) + ".Dim x\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Pipeline, NoInsertionWhenTheSettingIsOff) {
  TSettings s = test::RulesOffSettings();
  verifyNoChange("Sub A ()\nEnd Sub\n", s);
}

// --- Everything off -----------------------------------------------------------------------------

TEST(Pipeline, AllRulesOffGivesTheInputWithTabsExpanded) {
  TSettings s = test::RulesOffSettings();
  const std::string form =
      "VERSION 2.00\n"
      "Begin Form Form1\n"
      "\tCaption = \"A\ttab\"\n"
      "End\n"
      "Option Explicit\n"
      "\n"
      "Sub Command1_Click ()\n"
      "\tIf x Then y = 1: z = 2   \n"
      "    ' caf\xE9 \xFF\n"
      "For i = 1 To 3\n"
      "Next\n"
      "Dim a, b\n"
      "End Sub\n";
  verifyNoChange(form, s, rkForm);
  verifyNoChange(form, s, rkModule);
}

// --- Indentation through the pipeline, and marks ------------------------------------------------

TEST(Pipeline, IndentsAndMarksTheLinesItMoves) {
  TSettings s = test::RulesOffSettings();
  s.SetBool(K::CodeIndentPerform, true);
  verifyFormat(
      ".Sub A ()\n"
      "*    If x Then\n"
      "*        y = 1\n"
      ".    Else\n"
      "*        y = 2\n"
      "*    End If\n"
      ".    Select Case n\n"
      "*        Case 1\n"
      "*            z = 1\n"
      "*        Case Else\n"
      "*    End Select\n"
      ".End Sub\n",
      "Sub A ()\n"
      "If x Then\n"
      "y = 1\n"
      "    Else\n"
      "y = 2\n"
      "End If\n"
      "    Select Case n\n"
      "Case 1\n"
      "z = 1\n"
      "Case Else\n"
      "End Select\n"
      "End Sub\n",
      s);
}

TEST(Pipeline, TrailingBlanksAloneAreNoChange) {
  TSettings s = test::RulesOffSettings();
  s.SetBool(K::CodeIndentPerform, true);
  // Indentation rebuilds a blank line at the level, which is written empty; the line still counts
  // as unchanged.
  verifyFormat(".Sub A ()\n.    x = 1   \n.\n.End Sub\n", "Sub A ()\n    x = 1   \n    \nEnd Sub\n", s);
}

// A line that pass 1 changed keeps its mark when pass 2 copies it as part of a control
// description: here pass 1 brings an indented End to column 1, where pass 2 takes it for the end
// of a description.
TEST(Pipeline, MarksOfPassOneSurviveTheDescriptionCopy) {
  TSettings s = test::RulesOffSettings();
  s.SetBool(K::CodeIndentPerform, true);
  verifyFormat(".Dim x\n*End\n.Sub A ()\n.End Sub\n", "Dim x\n   End\nSub A ()\nEnd Sub\n", s);
}

// --- Passes -------------------------------------------------------------------------------------

// Stands in for transformations to see what the pipeline does with their results.
class ScriptedFormatter : public TVBSrcFormatter {
 public:
  using TVBSrcFormatter::TVBSrcFormatter;

  // "Dim a, b" lines are split into one line per name.
  bool IsMultiVarDeclaration(std::string_view line) const override {
    return Trim(line).starts_with("Dim ") && line.find(',') != std::string_view::npos;
  }
  void SplitMultiVar(std::string_view line) override {
    std::string_view rest = Trim(line).substr(4);
    for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest = Trim(rest.substr(comma + 1))) {
      FOutput.push_back({"Dim " + std::string(rest.substr(0, comma)), NewChangedMark()});
    }
    FOutput.push_back({"Dim " + std::string(rest), NewChangedMark()});
    FModified = true;
  }

  // Colon-joined lines: pieces when acceptSplit, else declined.
  bool HasMultipleStatements(std::string_view line) const override { return line.find(':') != std::string_view::npos; }
  bool SplitMultiStatement(std::string_view line) override {
    ++multiStatementCalls;
    if (!acceptSplit) return false;
    std::string_view rest = Trim(line);
    for (std::size_t colon; (colon = rest.find(':')) != std::string_view::npos; rest = Trim(rest.substr(colon + 1))) {
      FOutput.push_back({std::string(Trim(rest.substr(0, colon))), NewChangedMark()});
    }
    FOutput.push_back({std::string(rest), NewChangedMark()});
    FModified = true;
    return true;
  }

  // "Place on previous line": the comment goes above its code.
  void PlaceInLineComment(std::string& line) override {
    if (!moveComments) return;
    FOutput.push_back({"'" + CommentText(line), NewChangedMark()});
    StripComment(line);
    FModified = true;
  }

  void ApplyBeforeLineRules(std::string& line, int pass) override {
    seen.push_back({pass, Line().PrevLine, line, Line().NextLine});
    if (blankBeforeCode && !line.empty() && !IsCommentLine(line)) FOutput.push_back({"", NewChangedMark()});
  }

  // Rewrites a declaration already written in pass 2, as the As alignment does.
  void TrackDeclarationGroup(std::string_view line) override {
    if (!rewriteInPass2 || FOutput.empty() || !line.empty()) return;
    ReplaceOutputText(FOutput.size() - 1, "Dim  q");
    FModified = true;
  }

  struct Seen {
    int pass;
    std::string prev, line, next;
  };
  std::vector<Seen> seen;
  bool acceptSplit = true;
  bool blankBeforeCode = false;
  bool rewriteInPass2 = false;
  bool moveComments = false;
  int multiStatementCalls = 0;
};

class PipelineFixture : public ::testing::Test {
 protected:
  PipelineFixture() {
    test::SwitchAllRulesOff(settings);
  }

  std::string Run(const std::string& text, std::vector<int>* passes = nullptr) {
    const bool done = fmt.FormatPasses(test::TextLines(text), [&](int pass) {
      if (passes) passes->push_back(pass);
    });
    EXPECT_TRUE(done);
    return test::RenderMarked(fmt.FOutput);
  }

  TSettings settings;
  FakePrompts prompts;
  FakeProgress processing;
  TNullProgress copying;
  ScriptedFormatter fmt{{settings, prompts, processing, copying, nullptr}};
};

TEST_F(PipelineFixture, TwoPassesWhenTheSecondChangesNothing) {
  std::vector<int> passes;
  Run("Sub A ()\nEnd Sub\n", &passes);
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
}

TEST_F(PipelineFixture, HooksRunInPassOneOnlyAndSeeNeighbours) {
  settings.SetBool(K::CodeIndentPerform, true);
  Run("Begin Form F\nEnd\nSub A ()\nx = 1\nEnd Sub\n");
  ASSERT_EQ(fmt.seen.size(), 3u);
  for (const auto& s : fmt.seen) EXPECT_EQ(s.pass, kPass1);
  // The first code line's previous line is the END of the description.
  EXPECT_EQ(fmt.seen[0].prev, "End");
  EXPECT_EQ(fmt.seen[0].next, "x = 1");
  // The previous line as processed (indented), the next as read.
  EXPECT_EQ(fmt.seen[1].prev, "Sub A ()");
  EXPECT_EQ(fmt.seen[2].prev, "    x = 1");
  EXPECT_EQ(fmt.seen[2].next, "");
}

TEST_F(PipelineFixture, FirstCodeLineIsItsOwnPreviousLineAfterAnInsertion) {
  settings.SetBool(K::OptionExplicitInsert, true);
  Run("Begin Form F\nEnd\nAttribute VB_Name = \"F\"\nDim x\n");
  ASSERT_EQ(fmt.seen.size(), 1u);
  EXPECT_EQ(fmt.seen[0].prev, "Dim x");
}

// --- Lines taken over by a split ---------------------------------------------------------------

TEST_F(PipelineFixture, SplitLineIsWrittenOnlyAsItsPieces) {
  settings.SetBool(K::MultiVarSplit, true);
  EXPECT_EQ(Run("Dim a, b\nx = 1\n"), "*Dim a\n*Dim b\n.x = 1\n");
}

TEST_F(PipelineFixture, FirstSplitWinsAndAnotherSplitIsNotOffered) {
  settings.SetBool(K::MultiVarSplit, true);
  settings.SetBool(K::MultiStatementSplit, true);
  fmt.acceptSplit = false;
  // Declined by the multi-statement split, the line would be written again beside its pieces;
  // only the piece that holds the colon is offered to it.
  EXPECT_EQ(Run("Dim a, b: c = 1\n"), "*Dim a\n*Dim b: c = 1\n");
  EXPECT_EQ(fmt.multiStatementCalls, 1);
}

TEST_F(PipelineFixture, MultiStatementSplitRunsInPassOneOnly) {
  settings.SetBool(K::MultiStatementSplit, true);
  fmt.acceptSplit = false;
  Run("  a = 1: b = 2\n");
  EXPECT_EQ(fmt.multiStatementCalls, 1);
}

// The comment stands on the last piece; placed again from the taken line it would appear twice.
TEST_F(PipelineFixture, CommentOfATakenLineIsNotPlacedAgain) {
  settings.SetBool(K::MultiStatementSplit, true);
  fmt.moveComments = true;
  EXPECT_EQ(Run("  a = 1: b = 2 ' note\n"), "*a = 1\n*' note\n*b = 2\n");
}

TEST_F(PipelineFixture, LevelsAndLoopsFollowATakenLine) {
  settings.SetBool(K::MultiStatementSplit, true);
  settings.SetBool(K::CodeIndentPerform, true);
  settings.SetInt(K::GrpForNextProcessing, 1);
  EXPECT_EQ(Run("Sub A ()\n  For i = 1 To 3: x = i\n  Next\nEnd Sub\n"),
            ".Sub A ()\n*    For i = 1 To 3\n*        x = i\n*    Next i    \n.End Sub\n");
  // Already in pass 1, the Next after the taken line stands at the loop's level and names it.
  ASSERT_EQ(fmt.seen.size(), 4u);
  EXPECT_EQ(fmt.seen[3].prev, "    Next i    ");
}

// --- Marks across passes ----------------------------------------------------------------------

TEST_F(PipelineFixture, OutputLineRewrittenInPassTwoEndsMarkedChanged) {
  settings.SetBool(K::AlignMultiDimAs, true);
  fmt.rewriteInPass2 = true;
  // Pass 2 rewrites the declaration after writing it; pass 3 reads it back unchanged.
  std::vector<int> passes;
  const std::string out = Run("Dim q\n\n", &passes);
  EXPECT_EQ(passes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(out, "*Dim  q\n.\n");
}

// --- Comment blocks ----------------------------------------------------------------------------

class CommentBlocks : public PipelineFixture {
 protected:
  CommentBlocks() {
    settings.SetBool(K::SingleLineCommentBlocks, true);
    settings.SetInt(K::SingleLineCommentGroupQty, 3);
    settings.SetText(K::SingleLineCommentBlockCharacters, "*-");
    settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 5);
  }
};

TEST_F(CommentBlocks, RunLongEnoughIsFramed) {
  EXPECT_EQ(Run("x = 1\n  ' a\n  ' b\n  '\ny = 2\n"),
            ".x = 1\n*  '*-*-*\n.  ' a\n.  ' b\n.  '\n*  '*-*-*\n.y = 2\n");
}

TEST_F(CommentBlocks, ShortRunAndRunAtEndOfFileAreNotFramed) {
  EXPECT_EQ(Run("' a\n' b\nx = 1\n' c\n' d\n' e\n"), ".' a\n.' b\n.x = 1\n.' c\n.' d\n.' e\n");
}

TEST_F(CommentBlocks, FramedOutputIsNotFramedAgain) {
  const std::string once = Run("' a\n' b\n' c\nx = 1\n");
  ASSERT_EQ(once, "*'*-*-*\n.' a\n.' b\n.' c\n*'*-*-*\n.x = 1\n");
  std::string again;
  for (const TMarkedLine& l : fmt.FOutput) again += l.Text + "\n";
  EXPECT_EQ(Run(again), ".'*-*-*\n.' a\n.' b\n.' c\n.'*-*-*\n.x = 1\n");
}

TEST_F(CommentBlocks, EmptyBlockTextAndZeroLength) {
  settings.SetText(K::SingleLineCommentBlockCharacters, "");
  EXPECT_EQ(Run("' a\n' b\n' c\nx = 1\n"), "*'*****\n.' a\n.' b\n.' c\n*'*****\n.x = 1\n");
  settings.SetInt(K::SingleLineCommentBlockCharacterTotal, 0);
  EXPECT_EQ(Run("' a\n' b\n' c\nx = 1\n"), "*'\n.' a\n.' b\n.' c\n*'\n.x = 1\n");
}

TEST_F(CommentBlocks, SeveralRunsInOneFile) {
  EXPECT_EQ(Run("' a\n' b\n' c\n\n' d\n' e\n' f\nx = 1\n"),
            "*'*-*-*\n.' a\n.' b\n.' c\n*'*-*-*\n.\n*'*-*-*\n.' d\n.' e\n.' f\n*'*-*-*\n.x = 1\n");
}

// Whatever the closing line puts after the run (blank lines, the pieces of a split), the frame
// stands right around the comments.
TEST_F(CommentBlocks, FrameHugsTheRunWhenTheClosingLineAddsLines) {
  fmt.blankBeforeCode = true;
  settings.SetBool(K::MultiStatementSplit, true);
  EXPECT_EQ(Run("' a\n' b\n' c\n  x = 1: y = 2\n"),
            "*'*-*-*\n.' a\n.' b\n.' c\n*'*-*-*\n*\n*x = 1\n*y = 2\n");
}

// --- For / Next -------------------------------------------------------------------------------

// A bare Next that only gains trailing blanks counts as unchanged.
TEST_F(PipelineFixture, AddNamesTheNextLines) {
  settings.SetInt(K::GrpForNextProcessing, 1);
  EXPECT_EQ(Run("For i = 1 To 10\nFor j=1 To 5\nNext\nNext ' done\nFor Each c In Controls\nNext c\nNext\n"),
            ".For i = 1 To 10\n.For j=1 To 5\n*Next j    \n*Next i    ' done\n.For Each c In Controls\n"
            "*Next     \n.Next     \n");
}

TEST_F(PipelineFixture, NextWithSeveralNamesStaysAndClosesAsManyLoops) {
  settings.SetInt(K::GrpForNextProcessing, 1);
  EXPECT_EQ(Run("For k = 1 To 2\nFor i = 1 To 2\nFor j = 1 To 2\nNext j, i\nNext\n"),
            ".For k = 1 To 2\n.For i = 1 To 2\n.For j = 1 To 2\n.Next j, i\n*Next k    \n");
}

TEST_F(PipelineFixture, RemoveDropsTheNames) {
  settings.SetInt(K::GrpForNextProcessing, 2);
  EXPECT_EQ(Run("For i = 1 To 2\n  Next i   'done\nNext\n"), ".For i = 1 To 2\n*  Next    'done\n.Next    \n");
}

struct ForRow {
  const char* line;
  bool isFor;
  std::string variable;
};

class ForLines : public PipelineFixture, public ::testing::WithParamInterface<ForRow> {};

TEST_P(ForLines, FindTheLoopVariable) {
  EXPECT_EQ(fmt.IsForLine(GetParam().line), GetParam().isFor);
  if (GetParam().isFor) {
    EXPECT_EQ(fmt.ForVariable(GetParam().line), GetParam().variable);
  }
}

INSTANTIATE_TEST_SUITE_P(Pipeline, ForLines,
                         ::testing::Values(ForRow{"For i = 1 To 10", true, "i"},
                                           ForRow{"    for Index% = 1 To n ' x", true, "Index%"},
                                           ForRow{"For i=1 To 10", true, "i"},
                                           ForRow{"For  count   =  a To b", true, "count"},
                                           ForRow{"For Each c In Controls", true, ""},
                                           ForRow{"For Each v In Pick(a = b)", true, ""},
                                           ForRow{"For", false, ""},
                                           ForRow{"Form1.Show", false, ""},
                                           ForRow{"' For i = 1 To 2", false, ""}),
    test::RowName(&ForRow::line));

struct NextRow {
  const char* line;
  bool isNext;
  std::string added;    // AddNextVariable with the name "k"
  std::string removed;  // RemoveNextVariable
  int closes;
};

class NextLines : public PipelineFixture, public ::testing::WithParamInterface<NextRow> {};

TEST_P(NextLines, RebuildWithOrWithoutTheName) {
  const NextRow& row = GetParam();
  EXPECT_EQ(fmt.IsNextLine(row.line), row.isNext);
  if (!row.isNext) return;
  EXPECT_EQ(fmt.AddNextVariable(row.line, "k"), row.added);
  EXPECT_EQ(fmt.RemoveNextVariable(row.line), row.removed);
  EXPECT_EQ(fmt.NextVariableCount(row.line), row.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Pipeline, NextLines,
    ::testing::Values(NextRow{"Next", true, "Next k    ", "Next    ", 1},
                      NextRow{"  next i   'done", true, "  Next k    'done", "  Next    'done", 1},
                      NextRow{"Next i '", true, "Next k    ", "Next    ", 1},
                      NextRow{"    Next j, i", true, "    Next j, i", "    Next j, i", 2},
                      NextRow{"Next c,b , a ' three", true, "Next c,b , a ' three", "Next c,b , a ' three", 3},
                      // Nothing of a further statement is lost.
                      NextRow{"Next i: Beep", true, "Next i: Beep", "Next i: Beep", 1},
                      NextRow{"NextItem = 1", false, "", "", 0},
                      NextRow{"Next: x = 1", false, "", "", 0}),
    test::RowName(&NextRow::line));

// --- Progress, cancel, level across files -------------------------------------------------------

TEST_F(PipelineFixture, ProgressCoversTheCodeLines) {
  Run("Begin Form F\nEnd\na = 1\nb = 2\nc = 3\n");
  EXPECT_EQ(processing.min, 2);
  EXPECT_EQ(processing.max, 5);
  EXPECT_EQ(processing.position, 4);
  // Per pass: the scan for the first procedure reads every line, then once per code line.
  EXPECT_EQ(processing.events, 2 * (5 + 3));
}

class CancellingProgress : public FakeProgress {
 public:
  void ProcessEvents() override {
    FakeProgress::ProcessEvents();
    if (events == cancelAt) cancel->Request();
  }
  long cancelAt = 0;
  TCancelToken* cancel = nullptr;
};

TEST(PipelineCancel, StopsAfterTheLineInHand) {
  TSettings settings = test::RulesOffSettings();
  FakePrompts prompts;
  CancellingProgress processing;
  TNullProgress copying;
  TVBSrcFormatter fmt({settings, prompts, processing, copying, nullptr});
  processing.cancel = &fmt.Cancel();
  // Four events while locating the code part, then one per line: cancel while on line 2.
  processing.cancelAt = 6;
  std::vector<int> passes;
  EXPECT_FALSE(fmt.FormatPasses(test::TextLines("a\nb\nc\nd\n"), [&](int p) { passes.push_back(p); }));
  EXPECT_EQ(passes, (std::vector<int>{1}));
  EXPECT_EQ(test::RenderMarked(fmt.FOutput), ".a\n.b\n");
}

// A file that ends inside an open block hands its level on to the next file.
TEST_F(PipelineFixture, IndentLevelCarriesIntoTheNextFile) {
  settings.SetBool(K::CodeIndentPerform, true);
  Run("Sub A ()\nEnd Sub\nIf x Then\n");
  EXPECT_EQ(fmt.Line().IndentLevel, 4);
  EXPECT_EQ(Run("Dim y\nx = 1\n"), "*    Dim y\n*    x = 1\n");
}

}  // namespace
}  // namespace qm
