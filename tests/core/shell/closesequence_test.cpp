// SPDX-License-Identifier: MIT
// The order of ending the program: File > Exit saves the recent-files list before anything can
// keep the program open; a child window with unsaved work stops the close.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/closesequence.h"

namespace qm {
namespace {

struct CloseRow {
  const char* Name;
  bool Exit;               // File > Exit, else the close box
  bool ChildKeepsOpen;     // a commentor's unsaved edits are kept
  std::vector<std::string> Steps;
  bool Closed;
};

class CloseSequenceTest : public ::testing::TestWithParam<CloseRow> {};

TEST_P(CloseSequenceTest, RunsTheStepsInOrder) {
  const CloseRow& r = GetParam();
  std::vector<std::string> done;
  TCloseSteps steps;
  steps.SaveRecentFiles = [&] { done.push_back("list"); };
  steps.CloseChildWindows = [&] {
    done.push_back("children");
    return !r.ChildKeepsOpen;
  };
  steps.CloseProject = [&] { done.push_back("project"); };
  steps.SavePlacement = [&] { done.push_back("placement"); };
  if (r.Exit) BeginExit(steps);
  EXPECT_EQ(CloseMainWindow(steps, r.Exit), r.Closed);
  EXPECT_EQ(done, r.Steps);
}

INSTANTIATE_TEST_SUITE_P(
    Closing, CloseSequenceTest,
    ::testing::Values(
        CloseRow{"ExitSavesTheListThenEnds", true, false, {"list", "children", "project", "placement"}, true},
        CloseRow{"ExitStoppedByACommentorHasSavedTheList", true, true, {"list", "children"}, false},
        CloseRow{"CloseBoxSavesTheListOnce", false, false, {"children", "project", "list", "placement"}, true},
        CloseRow{"CloseBoxStoppedSavesNothing", false, true, {"children"}, false}),
    [](const ::testing::TestParamInfo<CloseRow>& info) { return info.param.Name; });

}  // namespace
}  // namespace qm
