// SPDX-License-Identifier: MIT
// What the speed-ups of a pass must not change: the passes that write into the buffers of the
// lines they have read give the output of passes that read a copy, and the search outside
// literals that jumps from quote to quote finds what a scan of every character finds.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "engine/linefuncs.h"
#include "engine/templates.h"
#include "format_verify.h"
#include "line_generator.h"
#include "rule_sets.h"

namespace qm {
namespace {

using K = SettingKey;

// --- Passes that reuse the read lines' buffers ------------------------------------------------

struct ReuseRow {
  const char* name;
  std::function<void(TSettings&)> apply;
  friend void PrintTo(const ReuseRow& r, std::ostream* os) { *os << r.name; }
};

using test::EveryRuleOn;

struct Formatted {
  TMarkedList Output;
  bool ThirdPass = false;
};

class PassReuseTest : public ::testing::TestWithParam<ReuseRow> {
 protected:
  void SetUp() override {
    templates_.DateText = [] { return std::string("12/08/96"); };
    GetParam().apply(settings_);
  }

  // The passes as a run takes them (passes 2 and 3 write into the buffers of FPassInput).
  Formatted ByRun(const TLines& lines) {
    TVBSrcFormatter fmt({settings_, prompts_, processing_, copying_, nullptr, &templates_});
    Formatted f;
    fmt.FormatPasses(lines, [&](int pass) { f.ThirdPass = f.ThirdPass || pass == 3; });
    f.Output = fmt.FOutput;
    return f;
  }

  // The same passes, each reading a copy of the previous pass's output that nothing reuses.
  Formatted ByCopies(const TLines& lines) {
    TVBSrcFormatter fmt({settings_, prompts_, processing_, copying_, nullptr, &templates_});
    Formatted f;
    fmt.FormatFile(lines, kPass1);
    for (const int pass : {kPass2, kPass3}) {
      if (pass == kPass3 && !fmt.FModified) break;
      f.ThirdPass = pass == kPass3;
      fmt.FModified = false;
      const TMarkedList previous = fmt.FOutput;
      fmt.FOutput.clear();
      fmt.FormatFile(previous, pass);
    }
    f.Output = fmt.FOutput;
    return f;
  }

  TSettings settings_;
  TCommentTemplates templates_;
  test::FakePrompts prompts_;
  TNullProgress processing_, copying_;
};

TEST_P(PassReuseTest, GivesTheOutputOfPassesThatReadCopies) {
  std::vector<TLines> inputs;
  for (unsigned seed : {3u, 7u, 11u, 19u}) inputs.push_back(test::LineGenerator(seed).Module(10));
  // A region left as written is appended from the read line itself.
  inputs.push_back({"Sub A()", "' quillmate: off", "x=1 :  y=2", "' quillmate: on", "If a Then b = 1: c = 2",
                    "Dim p As Integer, q As Long ' two", "End Sub"});
  for (const TLines& lines : inputs) {
    const Formatted run = ByRun(lines);
    const Formatted copies = ByCopies(lines);
    EXPECT_EQ(run.ThirdPass, copies.ThirdPass);
    EXPECT_EQ(test::RenderMarked(run.Output), test::RenderMarked(copies.Output));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PassReuseTest,
    ::testing::Values(ReuseRow{"EveryRule", EveryRuleOn},
                      ReuseRow{"EveryRuleCommentsToNextLine",
                               [](TSettings& s) {
                                 EveryRuleOn(s), s.SetInt(K::GrpInLineCommentsFixedColUnavail, 2),
                                     s.SetInt(K::InLineCommentsFixedColumn, 10);
                               }},
                      ReuseRow{"EveryRuleBlankLinesKept", [](TSettings& s) { EveryRuleOn(s), s.SetInt(K::GrpBlankLines, 0); }},
                      ReuseRow{"IndentationOnly", [](TSettings& s) { s.SetBool(K::CodeIndentPerform, true); }}),
    [](const ::testing::TestParamInfo<ReuseRow>& info) { return std::string(info.param.name); });

// --- The search outside literals ---------------------------------------------------------------

// The position the definition gives: the first ch outside literals, every quote toggling.
int PosByEveryCharacter(std::string_view line, char ch, char quote) {
  bool inside = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ch && !inside) return static_cast<int>(i) + 1;
    if (line[i] == quote) inside = !inside;
  }
  return 0;
}

struct SearchRow {
  const char* name;
  char ch;
  char quote;
  std::string alphabet;
};

class OutsideQuotesSearchTest : public ::testing::TestWithParam<SearchRow> {};

TEST_P(OutsideQuotesSearchTest, FindsWhatAScanOfEveryCharacterFinds) {
  const SearchRow& row = GetParam();
  std::mt19937 rng(17);
  for (int n = 0; n < 4000; ++n) {
    std::string line(std::uniform_int_distribution<std::size_t>(0, 24)(rng), ' ');
    for (char& c : line) c = row.alphabet[std::uniform_int_distribution<std::size_t>(0, row.alphabet.size() - 1)(rng)];
    ASSERT_EQ(PosOutsideQuotes(line, row.ch, row.quote), PosByEveryCharacter(line, row.ch, row.quote)) << line;
    if (row.ch == '\'' && row.quote == '"') {
      ASSERT_EQ(CommentPos(line), PosByEveryCharacter(line, '\'', '"')) << line;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, OutsideQuotesSearchTest,
                         ::testing::Values(SearchRow{"ApostropheAmongQuotes", '\'', '"', "a \"\"'x"},
                                           SearchRow{"ApostropheRareQuotesMany", '\'', '"', "\"\"\"\"'ab"},
                                           SearchRow{"ColonOutsideDates", ':', '#', "#:1 a"},
                                           SearchRow{"CharacterIsTheQuote", '"', '"', "\"a'b"}),
                         [](const ::testing::TestParamInfo<SearchRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
