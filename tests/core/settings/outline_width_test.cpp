// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "row_name.h"
#include "settings/placement.h"
#include "settings/profile_entries.h"
#include "temp_dir.h"

namespace qm {
namespace {

struct OutlineRow {
  std::string Name;
  int Stored;
  int WindowWidth;
  int Expected;
};

class OutlineWidthTest : public ::testing::TestWithParam<OutlineRow> {};

TEST_P(OutlineWidthTest, FollowsTheWindowUntilDragged) {
  EXPECT_EQ(OutlineWidthFor(GetParam().Stored, GetParam().WindowWidth), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, OutlineWidthTest,
    ::testing::Values(OutlineRow{"AFifthOfAMaximisedWindow", 0, 1280, 256},
                      OutlineRow{"NeverBelow180ByItself", 0, 640, 180},
                      OutlineRow{"NeverAbove360ByItself", 0, 2560, 360},
                      OutlineRow{"TheUsersWidthWins", 300, 1280, 300},
                      OutlineRow{"AtMostHalfTheWindow", 900, 1280, 640},
                      OutlineRow{"AtLeast120InANarrowWindow", 0, 200, 120}),
    test::RowName(&OutlineRow::Name));

TEST(OutlineWidth, IsKeptInTheMainWindowsSection) {
  test::TempDir dir;
  EXPECT_EQ(LoadOutlineWidth(), 0);
  ASSERT_TRUE(SaveOutlineWidth(312));
  EXPECT_EQ(LoadOutlineWidth(), 312);
  // The placement keys beside it are not touched.
  EXPECT_FALSE(LoadWindowPlacement().Restorable());
}

}  // namespace
}  // namespace qm
