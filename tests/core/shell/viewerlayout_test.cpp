// SPDX-License-Identifier: MIT
#include "shell/viewerlayout.h"

#include <gtest/gtest.h>

#include <string>

#include "row_name.h"

namespace qm {
namespace {

struct PlacementRow {
  std::string Name;
  int AreaWidth;
  int AreaHeight;
  int OpenViewers;
  TViewerRect Expected;
};

class ViewerPlacementTest : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(ViewerPlacementTest, OpensWholeInsideTheArea) {
  const PlacementRow& row = GetParam();
  const TViewerRect rect = ViewerPlacement(row.AreaWidth, row.AreaHeight, row.OpenViewers);
  EXPECT_EQ(rect, row.Expected);
  EXPECT_LE(rect.Left + rect.Width, std::max(row.AreaWidth, 1));
  EXPECT_LE(rect.Top + rect.Height, std::max(row.AreaHeight, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Areas, ViewerPlacementTest,
    ::testing::Values(PlacementRow{"FirstInAMaximisedWindow", 1000, 800, 0, {0, 0, 750, 600}},
                      PlacementRow{"SecondStepsOneTitleBar", 1000, 800, 1, {24, 24, 750, 600}},
                      PlacementRow{"StepsWrapBeforeTheEdge", 1000, 800, 9, {0, 0, 750, 600}},
                      PlacementRow{"SmallAreaGetsAUsefulMinimum", 560, 400, 0, {0, 0, 480, 320}},
                      PlacementRow{"TinyAreaIsFilled", 300, 200, 3, {0, 0, 300, 200}},
                      PlacementRow{"NoAreaYet", 0, 0, 0, {0, 0, 1, 1}}),
    test::RowName(&PlacementRow::Name));

struct TopRow {
  std::string Name;
  int Hit;
  int Top;
  int Visible;
  int Range;
  int Expected;
};

class TopLineForHitTest : public ::testing::TestWithParam<TopRow> {};

TEST_P(TopLineForHitTest, ScrollsOnlyWhenTheHitIsOffScreen) {
  const TopRow& row = GetParam();
  EXPECT_EQ(TopLineForHit(row.Hit, row.Top, row.Visible, row.Range), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hits, TopLineForHitTest,
    ::testing::Values(TopRow{"VisibleHitKeepsTheView", 15, 10, 30, 100, 10},
                      TopRow{"LastVisibleRowKeepsTheView", 39, 10, 30, 100, 10},
                      TopRow{"BelowGoesAThirdDown", 40, 10, 30, 100, 30},
                      TopRow{"AboveGoesAThirdDown", 5, 10, 30, 100, 0},
                      TopRow{"NearTheEndStopsAtTheRange", 118, 0, 30, 90, 90},
                      TopRow{"ShortTextNeverScrolls", 3, 0, 30, 0, 0}),
    test::RowName(&TopRow::Name));

struct ColumnRow {
  std::string Name;
  int Start;
  int Length;
  int HorzPos;
  int Visible;
  int Range;
  int Expected;
};

class HorzPosForHitTest : public ::testing::TestWithParam<ColumnRow> {};

TEST_P(HorzPosForHitTest, BringsTheWordIntoView) {
  const ColumnRow& row = GetParam();
  EXPECT_EQ(HorzPosForHit(row.Start, row.Length, row.HorzPos, row.Visible, row.Range), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hits, HorzPosForHitTest,
    ::testing::Values(ColumnRow{"VisibleStays", 10, 5, 0, 80, 175, 0},
                      ColumnRow{"OnTheFirstPageGoesHome", 10, 5, 40, 80, 175, 0},
                      ColumnRow{"FarRightKeepsAMargin", 120, 5, 0, 80, 175, 112},
                      ColumnRow{"WiderThanTheViewStartsAtTheHit", 100, 90, 0, 80, 175, 100},
                      ColumnRow{"ClampedToTheRange", 250, 4, 0, 80, 175, 175}),
    test::RowName(&ColumnRow::Name));

}  // namespace
}  // namespace qm

namespace qm {
namespace {

struct DialogRow {
  std::string Name;
  int PagesWidth;
  int PagesHeight;
  bool Preview;
  int ScreenWidth;
  int ScreenHeight;
  TOptionsDialogSize Expected;
};

class FitOptionsDialogTest : public ::testing::TestWithParam<DialogRow> {};

TEST_P(FitOptionsDialogTest, KeepsTheDialogOnTheScreen) {
  const DialogRow& row = GetParam();
  const TOptionsDialogSize size =
      FitOptionsDialog(row.PagesWidth, row.PagesHeight, row.Preview, row.ScreenWidth, row.ScreenHeight);
  EXPECT_EQ(size, row.Expected);
  EXPECT_LE(size.Width + 16, row.ScreenWidth);
  EXPECT_LE(size.Height + 64, row.ScreenHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FitOptionsDialogTest,
    ::testing::Values(DialogRow{"PagesAlone", 640, 450, false, 1280, 1024, {640, 450, 0}},
                      DialogRow{"SmallPagesGetTheClassicSize", 500, 300, false, 1280, 1024, {600, 420, 0}},
                      DialogRow{"PreviewBelowOn1280x1024", 640, 450, true, 1280, 1024, {760, 750, 300}},
                      DialogRow{"PreviewGivesUpHeightOn1024x768", 640, 450, true, 1024, 768, {760, 704, 254}},
                      DialogRow{"TinyScreenShrinksEverything", 640, 450, true, 640, 480, {624, 416, 160}}),
    test::RowName(&DialogRow::Name));

}  // namespace
}  // namespace qm
