// SPDX-License-Identifier: MIT
// Two processing runs at once in one process, each over a project of its own with settings of its
// own, write what each writes when it runs alone: nothing a run uses is shared with the other.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/run.h"
#include "engine/templates.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/outputfolder.h"
#include "project/sourcemgt.h"
#include "row_name.h"
#include "rule_sets.h"
#include "temp_dir.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using K = SettingKey;

// Records every message; a question is answered No (a cancelled run keeps what it wrote).
class RecordingPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string& text) override {
    texts.push_back(text);
    return buttons == TButtons::Ok || buttons == TButtons::OkCancel ? TAnswer::Ok : TAnswer::No;
  }
  std::vector<std::string> texts;
};

// One side of the test: an example project, its settings and how the run is made.
struct TSide {
  std::string_view Example;      // folder below the examples
  std::string_view ProjectFile;
  std::function<void(TSettings&)> Rules;
  int TabWidth = 4;
  unsigned Workers = 1;
  bool CancelAtOnce = false;
};

// What a run left behind: the files of its output directory (without the manifest and the log,
// which hold times) and its messages, with the outcome.
struct TResult {
  TRunOutcome Outcome = TRunOutcome::NotRun;
  std::map<std::string, std::string> Files;
  std::vector<std::string> Messages;
};

// Copies the example below root and runs over it; root differs between the runs, so that the
// messages naming paths are compared relative to it.
TResult RunSide(const TSide& side, const std::string& root) {
  const fs::path copy = fs::path(root) / side.Example;
  fs::create_directories(copy);
  fs::copy(fs::path(EXAMPLES_DIR) / side.Example, copy, fs::copy_options::recursive);
  TResult result;
  RecordingPrompts prompts;
  TSourceMgt project;
  if (project.ReadProjectFile((copy / side.ProjectFile).string(), prompts) != TReadOutcome::Read) return result;

  TSettings settings;
  settings.SetBool(K::PreviewBeforeSaving, false);
  settings.SetBool(K::CreateLog, false);
  side.Rules(settings);
  settings.SetTabWidth(side.TabWidth);
  TCommentTemplates templates;
  templates.DateText = [] { return std::string("12/08/96"); };
  TNullProgress processing, copying;
  TProcessingRun run(TEngineServices{settings, prompts, processing, copying, nullptr, &templates}, &project,
                     side.Workers);
  if (side.CancelAtOnce) run.Cancel().Request();
  result.Outcome = run.Process().Outcome;
  for (const fs::directory_entry& entry : fs::directory_iterator(NativePath(run.OutputDir()))) {
    const std::string name = entry.path().filename().string();
    if (IsOutputRecordName(name) || name == "VBQUILL3.LOG") continue;
    ReadFileBytes(entry.path().string(), result.Files[name]);
  }
  for (std::string text : prompts.texts) {
    for (std::size_t at; (at = text.find(root)) != std::string::npos;) text.replace(at, root.size(), "<root>");
    result.Messages.push_back(std::move(text));
  }
  return result;
}

struct TwoRunsRow {
  std::string_view Name;
  TSide A, B;
  friend void PrintTo(const TwoRunsRow& row, std::ostream* os) { *os << row.Name; }
};

class TwoRunsAtOnce : public ::testing::TestWithParam<TwoRunsRow> {};

TEST_P(TwoRunsAtOnce, EachWritesWhatItWritesAlone) {
  const TwoRunsRow& row = GetParam();
  test::TempDir tmp;
  const TResult aloneA = RunSide(row.A, tmp.Dir() + "aloneA");
  const TResult aloneB = RunSide(row.B, tmp.Dir() + "aloneB");
  ASSERT_FALSE(aloneB.Files.empty());

  TResult besideA, besideB;
  std::thread a([&] { besideA = RunSide(row.A, tmp.Dir() + "besideA"); });
  std::thread b([&] { besideB = RunSide(row.B, tmp.Dir() + "besideB"); });
  a.join();
  b.join();

  EXPECT_EQ(besideA.Outcome, aloneA.Outcome);
  EXPECT_EQ(besideB.Outcome, aloneB.Outcome);
  EXPECT_EQ(besideB.Outcome, TRunOutcome::Completed);
  EXPECT_EQ(besideA.Files, aloneA.Files);
  EXPECT_EQ(besideB.Files, aloneB.Files);
  EXPECT_EQ(besideA.Messages, aloneA.Messages);
  EXPECT_EQ(besideB.Messages, aloneB.Messages);
}

const auto kEveryRule = [](TSettings& s) { test::EveryRuleOn(s); };
const auto kNoIndent = [](TSettings& s) { s.SetBool(K::CodeIndentPerform, false); };

INSTANTIATE_TEST_SUITE_P(
    Rows, TwoRunsAtOnce,
    ::testing::Values(
        TwoRunsRow{"SameRulesTwoProjects", {"vb3", "LEDGER.MAK", kEveryRule}, {"vb4", "Inventory.vbp", kEveryRule}},
        // Tabs are expanded by each run's own width: one run's width never reaches the other.
        TwoRunsRow{"TabWidthsOfTheirOwn",
                   {"vb4", "Inventory.vbp", kNoIndent, 8},
                   {"vb4", "Inventory.vbp", kNoIndent, 2}},
        TwoRunsRow{"ProjectVersionsOfTheirOwn",
                   {"vb4", "Inventory.vbp", kEveryRule, 4, 1},
                   {"vb3", "LEDGER.MAK", kNoIndent, 8, 1}},
        TwoRunsRow{"EachOnThreadsOfItsOwn",
                   {"vb3", "LEDGER.MAK", kEveryRule, 4, 3},
                   {"vb4", "Inventory.vbp", kEveryRule, 8, 3}},
        // Cancelling one run leaves the other going.
        TwoRunsRow{"OneCancelledTheOtherNot",
                   {"vb4", "Inventory.vbp", kEveryRule, 4, 1, true},
                   {"vb4", "Inventory.vbp", kEveryRule, 4, 1}}),
    test::RowName(&TwoRunsRow::Name));

}  // namespace
}  // namespace qm
