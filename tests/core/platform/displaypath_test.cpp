// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"
#include "temp_dir.h"

namespace qm {
namespace {

struct DisplayRow {
  const char* name;
  const char* asked;     // below the tree unless it names a drive or share
  const char* expected;  // below the tree unless it names a drive or share
  bool inTree;
};

class DisplayPathTest : public ::testing::TestWithParam<DisplayRow> {};

TEST_P(DisplayPathTest, ShowsTheNativePath) {
  test::TempDir dir;
  dir.Write("vb4/Forms/frmAbout.frm", "x");
  const DisplayRow& row = GetParam();
  const std::string base = row.inTree ? dir.Dir() : "";
  EXPECT_EQ(DisplayPath(base + row.asked), base + row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DisplayPathTest,
    ::testing::Values(
        DisplayRow{"ProjectEntry", "vb4/Forms\\frmAbout.frm", "vb4/Forms/frmAbout.frm", true},
        DisplayRow{"CaseAsOnDisk", "vb4\\FORMS\\FRMABOUT.FRM", "vb4/Forms/frmAbout.frm", true},
        DisplayRow{"DefaultOutputDirectory", "vb4/.\\STYLED\\", "vb4/STYLED/", true},
        DisplayRow{"DriveStaysAsWritten", "C:\\LIB\\UTIL.BAS", "C:\\LIB\\UTIL.BAS", false},
        DisplayRow{"ShareStaysAsWritten", "\\\\server\\vb\\A.BAS", "\\\\server\\vb\\A.BAS", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
