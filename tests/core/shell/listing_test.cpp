// SPDX-License-Identifier: MIT
// Printed listings: the names a listing carries, and how long lines wrap.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/listing.h"

namespace qm {
namespace {

struct NameRow {
  const char* Name;
  std::string Title;
  std::string File;
  std::string DocName;
};

class ListingNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(ListingNameTest, NamesTheFileOnce) {
  EXPECT_EQ(ListingFile(GetParam().Title), GetParam().File);
  EXPECT_EQ(ListingDocName(GetParam().Title), GetParam().DocName);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ListingNameTest,
    ::testing::Values(NameRow{"ViewerOfAFile", "File: /tmp/vb4/frmMain.frm", "/tmp/vb4/frmMain.frm", "frmMain"},
                      NameRow{"ProjectFile", "Project File: Inventory.vbp", "Inventory.vbp", "Inventory"},
                      NameRow{"WindowsPath", "File: C:\\VB\\MAIN.FRM", "C:\\VB\\MAIN.FRM", "MAIN"},
                      NameRow{"DotsInTheDirectory", "File: /home/a.b/Module1", "/home/a.b/Module1", "Module1"},
                      NameRow{"NoCaption", "Report.bas", "Report.bas", "Report"}),
    [](const auto& info) { return info.param.Name; });

struct WrapRow {
  const char* Name;
  std::u16string Line;
  int Columns;
  std::vector<TListingRow> Rows;
};

class WrapListingTest : public ::testing::TestWithParam<WrapRow> {};

TEST_P(WrapListingTest, RowsOfALine) {
  EXPECT_EQ(WrapListingLine(GetParam().Line, GetParam().Columns, 2), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WrapListingTest,
    ::testing::Values(WrapRow{"Empty", u"", 10, {{0, 0, false}}},
                      WrapRow{"FitsExactly", u"0123456789", 10, {{0, 10, false}}},
                      WrapRow{"CutAtTheWidthWithoutBlanks", u"0123456789abcdefghij", 10,
                              {{0, 10, false}, {10, 8, true}, {18, 2, true}}},
                      WrapRow{"AfterTheLastBlankOfTheRow", u"abc defgh ijklmnop", 10,
                              {{0, 10, false}, {10, 8, true}}},
                      WrapRow{"ABlankTooEarlyIsNoBreak", u"a bcdefghijklmnop", 10, {{0, 10, false}, {10, 7, true}}},
                      WrapRow{"WordsStayWhole", u"one two three four", 10,
                              {{0, 8, false}, {8, 6, true}, {14, 4, true}}},
                      WrapRow{"NarrowerThanTheMark", u"abc", 1, {{0, 1, false}, {1, 1, true}, {2, 1, true}}}),
    [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace qm
