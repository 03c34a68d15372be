// SPDX-License-Identifier: MIT
#include "shell/runstatus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_ui.h"
#include "shell/projecttree.h"
#include "temp_dir.h"

namespace qm {
namespace {

enum class F { Saved, Skipped, Unsaved };

struct StatusRow {
  const char* name;
  TRunOutcome outcome;
  std::vector<F> files;
  int selected;
  bool deleted;
  const char* expected;  // "<DIR>" stands for the output directory
};

class RunStatusTest : public ::testing::TestWithParam<StatusRow> {};

TEST_P(RunStatusTest, SaysWhatTheRunDid) {
  const StatusRow& row = GetParam();
  test::TempDir dir;
  TRunReport report;
  report.Outcome = row.outcome;
  // As a project directory and the default setting resolve it: Windows separators, a "." part.
  report.OutputDir = dir.Dir() + ".\\STYLED\\";
  report.OutputDeleted = row.deleted;
  for (F f : row.files) {
    TRunFileReport& file = report.Files.emplace_back();
    file.Saved = f == F::Saved;
    if (f == F::Skipped) file.SkippedFor = "/elsewhere/A.BAS";
  }
  std::string expected = row.expected;
  if (const auto at = expected.find("<DIR>"); at != std::string::npos) {
    expected.replace(at, 5, dir.Dir() + "STYLED/");
  }
  EXPECT_EQ(RunStatusText(report, row.selected), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RunStatusTest,
    ::testing::Values(
        StatusRow{"AllRestyled", TRunOutcome::Completed, {F::Saved, F::Saved, F::Saved}, 3, false,
                  "Restyled 3 files into <DIR>"},
        StatusRow{"OneFile", TRunOutcome::Completed, {F::Saved}, 1, false, "Restyled 1 file into <DIR>"},
        StatusRow{"NothingSelected", TRunOutcome::Completed, {}, 0, false, "Restyled 0 files into <DIR>"},
        StatusRow{"Cancelled", TRunOutcome::Cancelled, {F::Saved, F::Saved, F::Unsaved}, 5, false,
                  "Restyled 2 of 5 files into <DIR> (cancelled)"},
        StatusRow{"CancelledAndDeleted", TRunOutcome::Cancelled, {F::Saved}, 4, true,
                  "Restyled 1 of 4 files into <DIR> (cancelled, output deleted)"},
        StatusRow{"SkippedForTheirNames", TRunOutcome::Completed, {F::Saved, F::Skipped, F::Saved}, 3, false,
                  "Restyled 2 of 3 files into <DIR> (1 skipped)"},
        StatusRow{"SaveFailed", TRunOutcome::SaveFailed, {F::Saved, F::Skipped, F::Unsaved}, 5, false,
                  "Restyled 1 of 5 files into <DIR> (1 skipped, 1 not saved)"},
        StatusRow{"Refused", TRunOutcome::Refused, {}, 2, false,
                  "Nothing restyled: the output directory <DIR> holds source files of the project"},
        StatusRow{"NoOutputDirectory", TRunOutcome::NoOutputDir, {}, 2, false,
                  "Nothing restyled: <DIR> could not be created"}),
    [](const auto& info) { return std::string(info.param.name); });

// A project whose entries use Windows separators, as VB wrote them.
class NodeToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("Forms/frmAbout.frm", "VERSION 4.00\r\nBegin VB.Form frmAbout\r\nEnd\r\n");
    dir_.Write("Util.bas", "Attribute VB_Name = \"Util\"\r\n");
    dir_.Write("P.VBP", "Form=Forms\\frmAbout.frm\r\nModule=Util; Util.bas\r\n");
    test::FakePrompts prompts;
    ASSERT_EQ(project_.ReadProjectFile(dir_ / "P.VBP", prompts), TReadOutcome::Read);
    tree_.Build(project_, "P.VBP");
  }

  test::TempDir dir_;
  TSourceMgt project_;
  TProjectTree tree_;
};

TEST_F(NodeToolTipTest, ShowsNativePathsAndTheOutputOfRestyledItems) {
  ASSERT_EQ(tree_.Size(), 3u);
  EXPECT_EQ(tree_.Nodes()[0].ToolTip, "P.VBP\n" + dir_.Dir() + "P.VBP");
  const TProjectNode& form = tree_.Nodes()[1];
  EXPECT_FALSE(form.Processed);
  EXPECT_EQ(form.ToolTip.substr(form.ToolTip.find('\n') + 1), dir_.Dir() + "Forms/frmAbout.frm");

  form.Item->Processed = true;
  form.Item->OutputPath = dir_.Dir() + ".\\STYLED\\frmAbout.frm";
  dir_.Write("STYLED/frmAbout.frm", "x");
  tree_.Refresh();
  EXPECT_TRUE(tree_.Nodes()[1].Processed);
  EXPECT_FALSE(tree_.Nodes()[2].Processed);
  const std::string& tip = tree_.Nodes()[1].ToolTip;
  EXPECT_EQ(tip.substr(tip.rfind('\n') + 1), "Restyled into " + dir_.Dir() + "STYLED/frmAbout.frm");
  EXPECT_EQ(tip.find('\\'), std::string::npos) << tip;
}

}  // namespace
}  // namespace qm
