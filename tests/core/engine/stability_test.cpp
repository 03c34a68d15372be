// SPDX-License-Identifier: MIT
// Restyling the output again changes nothing: every example source, the golden inputs and
// generated modules, formatted with every rule on and with each rule alone, come back from a
// second run as the first run left them. Blank lines the rules insert are empty lines.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/programcheck.h"
#include "engine/templates.h"
#include "format_verify.h"
#include "line_generator.h"
#include "platform/linefile.h"
#include "rule_sets.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using K = SettingKey;

// --- Rule sets ------------------------------------------------------------------------------------

using test::EveryRuleOn;

void HeadersAbove(TSettings& s) {
  s.SetBool(K::SubLevelCommentsBeforeProcedure, true);
  s.SetBool(K::SubLevelCommentsAfterProcedure, false);
  s.SetBool(K::FunctionLevelCommentsBeforeProcedure, true);
  s.SetBool(K::FunctionLevelCommentsAfterProcedure, false);
}

struct RuleSet {
  const char* name;
  std::function<void(TSettings&)> apply;
  friend void PrintTo(const RuleSet& r, std::ostream* os) { *os << r.name; }
};

const std::vector<RuleSet>& RuleSets() {
  static const std::vector<RuleSet> sets = {
      {"Defaults", [](TSettings& s) { s = TSettings(); }},
      {"EveryRule", EveryRuleOn},
      {"EveryRuleHeadersAbove", [](TSettings& s) { EveryRuleOn(s), HeadersAbove(s); }},
      {"EveryRuleCommentsToNextLine",
       [](TSettings& s) { EveryRuleOn(s), s.SetInt(K::GrpSingleLineComments, 3), s.SetInt(K::GrpInLineCommentsFixedColUnavail, 2); }},
      {"EveryRuleCommentsToPreviousLine",
       [](TSettings& s) { EveryRuleOn(s), s.SetInt(K::GrpSingleLineComments, 1), s.SetInt(K::GrpInLineCommentsFixedColUnavail, 1); }},
      {"EveryRuleBlankLinesRemoved", [](TSettings& s) { EveryRuleOn(s), s.SetInt(K::GrpBlankLines, 2); }},
      {"OptionExplicit", [](TSettings& s) { s.SetBool(K::OptionExplicitInsert, true); }},
      {"Indentation", [](TSettings& s) { s.SetBool(K::CodeIndentPerform, true); }},
      {"MultiVarSplit", [](TSettings& s) { s.SetBool(K::MultiVarSplit, true); }},
      {"MultiConstSplit", [](TSettings& s) { s.SetBool(K::MultiConstSplit, true); }},
      {"IfThenSplit", [](TSettings& s) { s.SetBool(K::IfThenSplit, true); }},
      {"MultiStatementSplit", [](TSettings& s) { s.SetBool(K::MultiStatementSplit, true); }},
      {"AlignAs", [](TSettings& s) { s.SetBool(K::AlignMultiDimAs, true); }},
      {"NextAdd", [](TSettings& s) { s.SetInt(K::GrpForNextProcessing, 1); }},
      {"NextRemove", [](TSettings& s) { s.SetInt(K::GrpForNextProcessing, 2); }},
      {"CommentsFixedColumn", [](TSettings& s) { s.SetInt(K::GrpSingleLineComments, 1); }},
      {"CommentsPriorIndent", [](TSettings& s) { s.SetInt(K::GrpSingleLineComments, 2); }},
      {"CommentsNextIndent", [](TSettings& s) { s.SetInt(K::GrpSingleLineComments, 3); }},
      {"CommentsRemoved", [](TSettings& s) { s.SetInt(K::GrpSingleLineComments, 4); }},
      {"InLineFixedColumn", [](TSettings& s) { s.SetInt(K::GrpInLineComments, 1); }},
      {"InLineToPreviousLine",
       [](TSettings& s) { s.SetInt(K::GrpInLineComments, 1), s.SetInt(K::GrpInLineCommentsFixedColUnavail, 1); }},
      {"InLineToNextLine",
       [](TSettings& s) { s.SetInt(K::GrpInLineComments, 1), s.SetInt(K::GrpInLineCommentsFixedColUnavail, 2); }},
      {"InLineRightBy", [](TSettings& s) { s.SetInt(K::GrpInLineComments, 2); }},
      {"InLineRemoved", [](TSettings& s) { s.SetInt(K::GrpInLineComments, 3); }},
      {"CommentBlocks", [](TSettings& s) { s.SetBool(K::SingleLineCommentBlocks, true); }},
      {"BlankLineRules", [](TSettings& s) { s.SetInt(K::GrpBlankLines, 1); }},
      {"BlankLinesRemoved", [](TSettings& s) { s.SetInt(K::GrpBlankLines, 2); }},
      {"HeadersBelow",
       [](TSettings& s) { s.SetBool(K::SubLevelCommentsPerform, true), s.SetBool(K::FunctionLevelCommentsPerform, true); }},
      {"HeadersAbove",
       [](TSettings& s) {
         s.SetBool(K::SubLevelCommentsPerform, true), s.SetBool(K::FunctionLevelCommentsPerform, true), HeadersAbove(s);
       }},
  };
  return sets;
}

// --- Inputs ---------------------------------------------------------------------------------------

struct Source {
  std::string name;
  TLines lines;
  std::uint8_t kind;
};

std::vector<Source> FileSources() {
  std::vector<Source> out;
  for (const fs::path& dir : {fs::path(EXAMPLES_DIR), fs::path(TEST_DATA_DIR)}) {
    for (const test::VBSource& s : test::VBSourcesBelow(dir)) {
      std::string bytes;
      if (ReadFileBytes(s.Path.string(), bytes)) out.push_back({s.Path.string(), SplitLines(bytes), s.Kind});
    }
  }
  // The golden cases' inputs have no extension.
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(TEST_DATA_DIR) / "format", ec)) {
    if (entry.path().filename() != "input") continue;
    std::string bytes;
    if (ReadFileBytes(entry.path().string(), bytes)) out.push_back({entry.path().string(), SplitLines(bytes), rkModule});
  }
  return out;
}

std::vector<Source> GeneratedSources() {
  std::vector<Source> out;
  for (unsigned seed : {1u, 2u, 3u, 5u, 8u, 13u}) {
    test::LineGenerator gen(seed);
    out.push_back({"generated seed " + std::to_string(seed), gen.Module(12), seed % 2 ? rkModule : rkForm});
  }
  return out;
}

// --- Running twice --------------------------------------------------------------------------------

TLines RunOnce(const TLines& lines, TSettings& settings, std::uint8_t kind) {
  TCommentTemplates templates;
  templates.DateText = [] { return std::string("12/08/96"); };
  test::FakePrompts prompts;
  TNullProgress processing, copying;
  TVBSrcFormatter fmt({settings, prompts, processing, copying, nullptr, &templates});
  fmt.FFileKind = kind;
  fmt.FormatPasses(lines);
  TLines out;
  out.reserve(fmt.FOutput.size());
  for (const TMarkedLine& l : fmt.FOutput) out.push_back(l.Text);
  return out;
}

std::string Joined(const TLines& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

// The first run's output is a fixpoint, and holds no blank line with blanks on it that the input
// lacked (indentation gives blank lines none).
::testing::AssertionResult Stable(const Source& source, TSettings& settings) {
  const TLines first = RunOnce(source.lines, settings, source.kind);
  const TLines second = RunOnce(first, settings, source.kind);
  if (first != second) {
    return ::testing::AssertionFailure() << source.name << " changes on a second run\n(- first, + second)\n"
                                         << test::LineDiff(Joined(first), Joined(second));
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (!first[i].empty() && Trim(first[i]).empty() && settings.Bool(K::CodeIndentPerform)) {
      return ::testing::AssertionFailure() << source.name << ": output line " << i + 1 << " is blanks only";
    }
  }
  return ::testing::AssertionSuccess();
}

class SecondRun : public ::testing::TestWithParam<RuleSet> {};

TEST_P(SecondRun, ChangesNothingInTheSampleFiles) {
  const std::vector<Source> sources = FileSources();
  ASSERT_FALSE(sources.empty());
  for (const Source& source : sources) {
    TSettings settings = test::RulesOffSettings();
    GetParam().apply(settings);
    EXPECT_TRUE(Stable(source, settings));
  }
}

TEST_P(SecondRun, ChangesNothingInGeneratedModules) {
  for (const Source& source : GeneratedSources()) {
    TSettings settings = test::RulesOffSettings();
    GetParam().apply(settings);
    EXPECT_TRUE(Stable(source, settings));
  }
}

// The safety check passes every sample and generated file restyled by every rule set.
TEST_P(SecondRun, RestyledFilesPassTheSafetyCheck) {
  std::vector<Source> sources = FileSources();
  for (Source& s : GeneratedSources()) sources.push_back(std::move(s));
  for (const Source& source : sources) {
    TSettings settings = test::RulesOffSettings();
    GetParam().apply(settings);
    const TLines out = RunOnce(source.lines, settings, source.kind);
    const auto line = ProgramMismatchLine(source.lines, out, ProgramCheckOptionsFor(settings, nullptr));
    EXPECT_FALSE(line.has_value()) << source.name << " near line " << line.value_or(0) << "\n"
                                   << (line && *line <= source.lines.size() ? source.lines[*line - 1] : "");
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, SecondRun, ::testing::ValuesIn(RuleSets()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
