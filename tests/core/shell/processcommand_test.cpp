// SPDX-License-Identifier: MIT
#include "shell/processcommand.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::FakeProgress;
using test::TempDir;

class ProcessCommandTest : public ::testing::Test {
 protected:
  ProcessCommandTest() {
    settings_.SetBool(SettingKey::PreviewBeforeSaving, false);
    hooks_.Begin = [this] { events_.push_back("begin"); };
    hooks_.Enable = [this] { events_.push_back("enable"); };
    hooks_.End = [this] { events_.push_back("end"); };
  }

  TEngineServices Services() { return {settings_, prompts_, processing_, copying_, nullptr}; }

  void ReadProject() {
    dir_.Write("GLOBAL.BAS", "Global X As Integer\r\n");
    dir_.Write("P.MAK", "GLOBAL.BAS\r\n");
    FakePrompts reading;
    ASSERT_EQ(project_.ReadProjectFile(dir_ / "P.MAK", reading), TReadOutcome::Read);
  }

  TempDir dir_;
  TSettings settings_;
  FakePrompts prompts_;
  FakeProgress processing_, copying_;
  TSourceMgt project_;
  TProcessingHooks hooks_;
  std::vector<std::string> events_;
};

TEST_F(ProcessCommandTest, AnsweringNoDoesNothing) {
  prompts_.Answer(TAnswer::No);
  bool ran = false;
  hooks_.Run = [&](TProcessingRun&, TSourceMgt*) { ran = true; };
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Declined);
  prompts_.ExpectMessage(TMsgKind::Confirmation, "Process all selected files?");
  EXPECT_FALSE(ran);
  EXPECT_TRUE(events_.empty());
}

TEST_F(ProcessCommandTest, ARunClearsTheCancelFlagAndReportsCompletion) {
  // Each command has a run of its own: a cancelled run before it does not carry over.
  hooks_.Run = [&](TProcessingRun& run, TSourceMgt* project) {
    events_.push_back("run");
    EXPECT_EQ(project, &project_);
    EXPECT_FALSE(run.Cancel().Requested());
    run.Cancel().Request();
  };
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Completed);
  prompts_.Take();
  prompts_.Take();
  events_.clear();
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Completed);
  EXPECT_EQ(prompts_.Take().Buttons, TButtons::YesNo);
  prompts_.ExpectMessage(TMsgKind::Information, "Conversion Completed.");
  EXPECT_EQ(events_, (std::vector<std::string>{"begin", "run", "enable", "end"}));
}

TEST_F(ProcessCommandTest, AFailingRunIsCleanedUpAndReportedWithoutCompletion) {
  hooks_.Run = [&](TProcessingRun&, TSourceMgt*) {
    events_.push_back("run");
    throw std::runtime_error("Disk full");
  };
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Failed);
  prompts_.Take();
  prompts_.ExpectMessage(TMsgKind::Error, "Disk full");
  EXPECT_EQ(events_, (std::vector<std::string>{"begin", "run", "end"}));
}

TEST_F(ProcessCommandTest, AFailingEnableHookStillEnds) {
  hooks_.Run = [](TProcessingRun&, TSourceMgt*) {};
  hooks_.Enable = [] { throw 42; };
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Failed);
  prompts_.Take();
  prompts_.ExpectMessage(TMsgKind::Error, "The processing run stopped on an unexpected error.");
  EXPECT_EQ(events_, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(ProcessCommandTest, WithEveryItemDeselectedTheRunStillCompletes) {
  ReadProject();
  for (RFile* item : project_.Items()) item->Selected = false;
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Completed);
  prompts_.Take();
  prompts_.ExpectMessage(TMsgKind::Information, "Conversion Completed.");
  EXPECT_FALSE(project_.Items().front()->Processed);
}

TEST_F(ProcessCommandTest, TheEngineRunsOverTheSelectedFiles) {
  ReadProject();
  EXPECT_EQ(RunProcessCommand(&project_, Services(), hooks_), TProcessResult::Completed);
  prompts_.Take();
  prompts_.ExpectMessage(TMsgKind::Information, "Conversion Completed.");
  RFile* item = project_.Items().front();
  EXPECT_TRUE(item->Processed);
  EXPECT_FALSE(dir_.Read("STYLED/GLOBAL.BAS").empty());
}

TEST(ReportsCompletion, NotAfterTheRunsOwnErrors) {
  EXPECT_TRUE(ReportsCompletion(TRunOutcome::Completed));
  EXPECT_TRUE(ReportsCompletion(TRunOutcome::Cancelled));
  EXPECT_TRUE(ReportsCompletion(TRunOutcome::NotRun));
  EXPECT_TRUE(ReportsCompletion(TRunOutcome::NoOutputDir));
  EXPECT_FALSE(ReportsCompletion(TRunOutcome::SaveFailed));
  EXPECT_FALSE(ReportsCompletion(TRunOutcome::Refused));
  EXPECT_FALSE(ReportsCompletion(TRunOutcome::OutputInUse));
  EXPECT_FALSE(ReportsCompletion(TRunOutcome::OutputReadOnly));
}

// A cancelled run is never reported as completed; the message says what became of its files.
TEST(ClosingMessage, SaysCancelledAfterACancel) {
  TRunReport report;
  report.Outcome = TRunOutcome::Completed;
  EXPECT_EQ(ClosingMessage(report), "Conversion Completed.");
  report.Outcome = TRunOutcome::Cancelled;
  EXPECT_EQ(ClosingMessage(report), "Conversion cancelled.  The files written so far were kept.");
  report.OutputDeleted = true;
  EXPECT_EQ(ClosingMessage(report), "Conversion cancelled.  The files this run wrote were deleted.");
}

}  // namespace
}  // namespace qm
