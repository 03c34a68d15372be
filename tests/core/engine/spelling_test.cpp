// SPDX-License-Identifier: MIT
// The formatter's spelling step: which texts of a line go to the spelling dialog, and what comes
// back into the line.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "messages.h"
#include "ui/spelling.h"

namespace qm {
namespace {

using K = SettingKey;

// Answers for the dialog: each word of the map is replaced where it appears; a text holding
// "CANCEL" cancels. Records every text it was handed.
class ScriptedSpellCheck final : public ISpellCheck {
 public:
  std::map<std::string, std::string> Replace;
  bool Available = true;
  int Runs = 0;
  struct Call {
    std::string Text;
    TSpellTarget Target;
  };
  std::vector<Call> Calls;

  bool BeginSpellRun(std::string* problem) override {
    ++Runs;
    if (!Available) *problem = "no dictionary en_US in /nowhere";
    return Available;
  }
  void RunSpellCheck(const std::string&, std::string& text, const TSpellTarget& target, bool& cancelled,
                     bool& changed) override {
    Calls.push_back({text, target});
    cancelled = text.find("CANCEL") != std::string::npos;
    changed = false;
    for (const auto& [from, to] : Replace) {
      for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        changed = true;
      }
    }
  }
};

struct SpellFixture {
  TSettings settings = test::RulesOffSettings();
  test::FakePrompts prompts;
  TNullProgress progress;
  ScriptedSpellCheck spelling;
  TVBSrcFormatter fmt{{settings, prompts, progress, progress, nullptr, nullptr, &spelling}};

  SpellFixture(bool literals = true, bool comments = true) {
    settings.SetBool(K::SpellingPerform, true);
    settings.SetBool(K::SpellingLiterals, literals);
    settings.SetBool(K::SpellingComments, comments);
    spelling.Replace = {{"teh", "the"}, {"alot", "a lot"}, {"thier", "their"}, {"recieved", "received"}};
  }

  std::string Line(std::string line, int pass = kPass1) {
    fmt.ApplyBeforeLineRules(line, pass);
    return line;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& c : spelling.Calls) out.push_back(c.Text);
    return out;
  }
};

struct LineRow {
  const char* name;
  std::string line;
  std::string expected;
  std::vector<std::string> texts;  // handed to the dialog, in order
  bool modified;
};

class SpellLineTest : public ::testing::TestWithParam<LineRow> {};

TEST_P(SpellLineTest, ChecksLiteralsThenTheComment) {
  const LineRow& r = GetParam();
  SpellFixture f;
  EXPECT_EQ(f.Line(r.line), r.expected);
  EXPECT_EQ(f.Texts(), r.texts);
  EXPECT_EQ(f.fmt.FModified, r.modified);
}

INSTANTIATE_TEST_SUITE_P(
    Spelling, SpellLineTest,
    ::testing::Values(
        LineRow{"NoLiteralNoComment", "    x = y + 1", "    x = y + 1", {}, false},
        LineRow{"CorrectLiteralUnchanged", "MsgBox \"All done\"", "MsgBox \"All done\"", {"All done"}, false},
        LineRow{"LiteralsCorrected", "s = \"teh\" & \"alot of thier\"", "s = \"the\" & \"a lot of their\"",
                {"teh", "alot of thier"}, false},
        LineRow{"EmptyLiteral", "s = \"\"", "s = \"\"", {""}, false},
        LineRow{"DoubledQuotes", "s = \"say \"\"teh\"\" now\"", "s = \"say \"\"the\"\" now\"",
                {"say ", "teh", " now"}, false},
        LineRow{"UnbalancedQuoteKeepsTheRest", "s = \"ok\" ' teh \"odd", "s = \"ok\"     ' the \"odd",
                {"ok", " teh \"odd"}, true},
        LineRow{"OnlyCodeQuotesCount", "x = 1 ' teh \"quoted\" word", "x = 1     ' the \"quoted\" word",
                {" teh \"quoted\" word"}, true},
        LineRow{"CommentCorrected", "x = 1 ' recieved it", "x = 1     ' received it", {" recieved it"}, true},
        LineRow{"WholeLineCommentCorrected", "    ' teh end", "     ' the end", {" teh end"}, true},
        LineRow{"CorrectCommentUnchanged", "x = 1   ' fine", "x = 1   ' fine", {" fine"}, false},
        LineRow{"ApostropheInLiteralIsNoComment", "s = \"it's teh\"", "s = \"it's the\"", {"it's teh"}, false},
        // A module's name and a control's properties are the program's, never prose.
        LineRow{"AttributeLineNeverChecked", "Attribute VB_Name = \"teh\"", "Attribute VB_Name = \"teh\"", {}, false},
        LineRow{"IndentedAttributeWithComment", "  attribute VB_Description = \"teh\" ' teh",
                "  attribute VB_Description = \"teh\" ' teh", {}, false},
        LineRow{"AttributeAsAWordIsChecked", "Attributes = \"teh\"", "Attributes = \"the\"", {"teh"}, false},
        // The fixed words of a header template line are the program's; what follows is the author's.
        LineRow{"TemplateWordsNotOffered", "'  Params :  ", "'  Params :  ", {}, false},
        LineRow{"TemplateValueChecked", "'  Purpose:  teh loop", "     '  Purpose:  the loop", {"  teh loop"}, true},
        LineRow{"TemplateHeadingLine", "' DATE      WHO         WHAT", "' DATE      WHO         WHAT", {}, false},
        LineRow{"CommentLikeNoTemplateLine", "' Params teh", "     ' Params the", {" Params teh"}, true}),
    [](const ::testing::TestParamInfo<LineRow>& info) { return info.param.name; });

// Each text reaches the dialog with where it starts in the line.
TEST(SpellStepTest, TextsCarryTheirKindAndColumn) {
  SpellFixture f;
  f.Line("a = \"xy\" & \"z\" ' note");
  ASSERT_EQ(f.spelling.Calls.size(), 3u);
  EXPECT_TRUE(f.spelling.Calls[0].Target.Literal);
  EXPECT_EQ(f.spelling.Calls[0].Target.Column, 6);
  EXPECT_EQ(f.spelling.Calls[1].Target.Column, 13);
  EXPECT_FALSE(f.spelling.Calls[2].Target.Literal);
  EXPECT_EQ(f.spelling.Calls[2].Target.Column, 17);
}

struct SettingRow {
  const char* name;
  bool literals;
  bool comments;
  int pass;
  std::vector<std::string> texts;
};

class SpellSettingsTest : public ::testing::TestWithParam<SettingRow> {};

TEST_P(SpellSettingsTest, CheckWhatTheSettingsAskInTheFirstPass) {
  const SettingRow& r = GetParam();
  SpellFixture f(r.literals, r.comments);
  f.Line("s = \"lit\" ' comment", r.pass);
  EXPECT_EQ(f.Texts(), r.texts);
}

INSTANTIATE_TEST_SUITE_P(Spelling, SpellSettingsTest,
                         ::testing::Values(SettingRow{"Both", true, true, kPass1, {"lit", " comment"}},
                                           SettingRow{"LiteralsOnly", true, false, kPass1, {"lit"}},
                                           SettingRow{"CommentsOnly", false, true, kPass1, {" comment"}},
                                           SettingRow{"SecondPass", true, true, kPass2, {}},
                                           SettingRow{"ThirdPass", true, true, kPass3, {}}),
                         [](const ::testing::TestParamInfo<SettingRow>& info) { return info.param.name; });

TEST(SpellStepTest, PerformOffChecksNothing) {
  SpellFixture f;
  f.settings.SetBool(K::SpellingPerform, false);
  f.Line("s = \"teh\" ' teh");
  EXPECT_TRUE(f.spelling.Calls.empty());
}

// A cancel on the first literal ends checking: not the rest of the line, nor any later line.
TEST(SpellStepTest, CancelEndsTheRun) {
  SpellFixture f;
  EXPECT_EQ(f.Line("s = \"CANCEL teh\" & \"teh\" ' teh"), "s = \"CANCEL the\" & \"teh\" ' teh");
  EXPECT_EQ(f.Line("t = \"teh\" ' teh"), "t = \"teh\" ' teh");
  EXPECT_EQ(f.Texts(), (std::vector<std::string>{"CANCEL teh"}));
  EXPECT_TRUE(f.fmt.FSpellCancelled);
}

// Without a dictionary the run is told once and goes on unchecked.
TEST(SpellStepTest, NoDictionaryToldOnce) {
  SpellFixture f;
  f.spelling.Available = false;
  EXPECT_EQ(f.Line("s = \"teh\""), "s = \"teh\"");
  EXPECT_EQ(f.Line("' teh"), "' teh");
  EXPECT_EQ(f.spelling.Runs, 1);
  EXPECT_TRUE(f.spelling.Calls.empty());
  f.prompts.ExpectMessage(TMsgKind::Warning, msg::Format(msg::NoSpellingDictionary, "no dictionary en_US in /nowhere"));
}

// Through the whole pipeline: the corrected line is written marked changed, the others as read.
TEST(SpellStepTest, CorrectedLinesMarkedChanged) {
  SpellFixture f;
  ASSERT_TRUE(f.fmt.FormatPasses(test::TextLines("Sub Main()\n  MsgBox \"teh end\"\n  ' fine\nEnd Sub\n")));
  EXPECT_EQ(test::RenderMarked(f.fmt.FOutput), ".Sub Main()\n*  MsgBox \"the end\"\n.  ' fine\n.End Sub\n");
  EXPECT_EQ(f.spelling.Runs, 1);
}

}  // namespace
}  // namespace qm
