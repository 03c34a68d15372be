// SPDX-License-Identifier: MIT
#include "settings/placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_dir.h"

namespace qm {
namespace {

const std::vector<TRect> kOneScreen = {{0, 0, 1920, 1040}};

TEST(WindowPlacement, SavesTheNormalRectangleAndWhetherItWasMaximized) {
  TWindowPlacement normal = PlacementOfWindow({10, 20, 810, 620}, false);
  EXPECT_EQ(normal.Flags, 0);
  EXPECT_EQ(normal.NormPosL, 10);
  EXPECT_EQ(normal.NormPosT, 20);
  EXPECT_EQ(normal.NormPosR, 810);
  EXPECT_EQ(normal.NormPosB, 620);
  EXPECT_EQ(normal.MinPosX, -1);
  EXPECT_EQ(normal.MaxPosY, -1);
  EXPECT_EQ(PlacementOfWindow({10, 20, 810, 620}, true).Flags, kPlaceRestoreToMaximized);
}

TEST(WindowPlacement, RoundTripsThroughTheSettingsFile) {
  test::TempDir dir;
  ASSERT_TRUE(SaveWindowPlacement(PlacementOfWindow({30, 40, 930, 740}, true)));
  TPlacementRestore restore = RestorePlacement(LoadWindowPlacement(), kOneScreen);
  EXPECT_TRUE(restore.Restore);
  EXPECT_TRUE(restore.Maximized);
  EXPECT_EQ(restore.Normal, (TRect{30, 40, 930, 740}));
}

struct RestoreRow {
  const char* Name;
  TRect Stored;
  bool Restore;
  TRect Expected;
};

class RestoreRows : public ::testing::TestWithParam<RestoreRow> {};

TEST_P(RestoreRows, RestoresOnlyAUsableRectangle) {
  const RestoreRow& row = GetParam();
  TWindowPlacement placement;
  placement.NormPosL = row.Stored.Left;
  placement.NormPosT = row.Stored.Top;
  placement.NormPosR = row.Stored.Right;
  placement.NormPosB = row.Stored.Bottom;
  TPlacementRestore restore = RestorePlacement(placement, kOneScreen);
  EXPECT_EQ(restore.Restore, row.Restore);
  if (row.Restore) {
    EXPECT_EQ(restore.Normal, row.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestoreRows,
    ::testing::Values(
        RestoreRow{"NoSection", {0, 0, 0, 0}, false, {}},
        RestoreRow{"RightNotPastLeft", {500, 10, 500, 400}, false, {}},
        RestoreRow{"RightLeftOfLeft", {500, 10, 100, 400}, false, {}},
        RestoreRow{"OnScreen", {100, 50, 900, 650}, true, {100, 50, 900, 650}},
        RestoreRow{"PartlyOffScreenButGrabbable", {1700, 900, 2500, 1500}, true, {1700, 900, 2500, 1500}},
        RestoreRow{"OnARemovedScreen", {2200, 100, 3000, 700}, true, {0, 0, 800, 600}},
        RestoreRow{"TitleAboveTheScreen", {100, -300, 900, 300}, true, {0, 0, 800, 600}},
        RestoreRow{"LargerThanTheScreen", {-5000, 0, 0, 3000}, true, {0, 0, 1920, 1040}},
        RestoreRow{"NoHeight", {100, 100, 900, 100}, true, {100, 100, 900, 130}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WindowPlacement, IsMovedOntoTheFirstScreenOnlyWhenNoScreenShowsIt) {
  TWindowPlacement placement = PlacementOfWindow({2000, 100, 2800, 700}, false);
  std::vector<TRect> twoScreens = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
  EXPECT_EQ(RestorePlacement(placement, twoScreens).Normal, (TRect{2000, 100, 2800, 700}));
  EXPECT_EQ(RestorePlacement(placement, {}).Normal, (TRect{2000, 100, 2800, 700}));
}

struct TileRow {
  const char* Name;
  int Count;
  std::vector<TRect> Expected;
};

class TileRows : public ::testing::TestWithParam<TileRow> {};

TEST_P(TileRows, PutsWindowsSideBySide) {
  EXPECT_EQ(TileVertically(GetParam().Count, {0, 0, 600, 400}), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TileRows,
    ::testing::Values(
        TileRow{"None", 0, {}},
        TileRow{"One", 1, {{0, 0, 600, 400}}},
        TileRow{"TwoColumns", 2, {{0, 0, 300, 400}, {300, 0, 600, 400}}},
        TileRow{"ThreeColumns", 3, {{0, 0, 200, 400}, {200, 0, 400, 400}, {400, 0, 600, 400}}},
        TileRow{"FourAsGrid", 4, {{0, 0, 300, 200}, {0, 200, 300, 400}, {300, 0, 600, 200}, {300, 200, 600, 400}}},
        TileRow{"FiveRightColumnTakesTheExtra",
                5,
                {{0, 0, 300, 200}, {0, 200, 300, 400}, {300, 0, 600, 133}, {300, 133, 600, 266}, {300, 266, 600, 400}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TileVertically, CoversTheAreaForManyWindows) {
  for (int count = 1; count <= 20; ++count) {
    std::vector<TRect> rects = TileVertically(count, {10, 20, 1010, 720});
    ASSERT_EQ(static_cast<int>(rects.size()), count);
    long area = 0;
    for (const TRect& r : rects) area += static_cast<long>(r.Width()) * r.Height();
    EXPECT_EQ(area, 1000L * 700L) << count << " windows";
  }
  EXPECT_TRUE(TileVertically(3, {0, 0, 0, 100}).empty());
}

}  // namespace
}  // namespace qm
