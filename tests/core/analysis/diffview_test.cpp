// SPDX-License-Identifier: MIT
#include "analysis/diffview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "row_name.h"

namespace qm {
namespace {

// The line with every range in brackets.
std::string Marked(std::string_view line, const std::vector<TByteRange>& ranges) {
  std::string out;
  int at = 0;
  for (const TByteRange& range : ranges) {
    out += line.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(range.Start - at));
    out += '[';
    out += line.substr(static_cast<std::size_t>(range.Start), static_cast<std::size_t>(range.Length));
    out += ']';
    at = range.Start + range.Length;
  }
  out += line.substr(static_cast<std::size_t>(at));
  return out;
}

struct InlineRow {
  std::string Name;
  std::string Left;
  std::string Right;
  std::string LeftMarked;
  std::string RightMarked;
};

class InlineChangesTest : public ::testing::TestWithParam<InlineRow> {};

TEST_P(InlineChangesTest, MarksWhatDiffersInsideAChangedPair) {
  const InlineRow& row = GetParam();
  const TInlineChanges changes = InlineChanges(row.Left, row.Right);
  EXPECT_EQ(Marked(row.Left, changes.Left), row.LeftMarked);
  EXPECT_EQ(Marked(row.Right, changes.Right), row.RightMarked);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, InlineChangesTest,
    ::testing::Values(
        InlineRow{"EqualLinesHaveNone", "If a Then", "If a Then", "If a Then", "If a Then"},
        InlineRow{"IndentAdded", "x = 1", "    x = 1", "x = 1", "[    ]x = 1"},
        InlineRow{"IndentChanged", "  x = 1", "    x = 1", "[  ]x = 1", "[    ]x = 1"},
        InlineRow{"OneWordChanged", "Dim x As Integer", "Dim y As Integer", "Dim [x] As Integer",
                  "Dim [y] As Integer"},
        InlineRow{"CommentMovedRight", "x = 1 ' set", "x = 1          ' set", "x = 1[ ]' set",
                  "x = 1[          ]' set"},
        InlineRow{"LoopVariableAdded", "Next", "Next i", "Next", "Next[ i]"},
        InlineRow{"TouchingTokensMerge", "a+b", "c-d", "[a+b]", "[c-d]"},
        InlineRow{"EmptyLeft", "", "Option Explicit", "", "[Option Explicit]"},
        InlineRow{"AccentedWordStaysWhole", "' caf\xE9 ok", "' cafe ok", "' [caf\xE9] ok", "' [cafe] ok"},
        InlineRow{"CaseCounts", "end if", "End If", "[end] [if]", "[End] [If]"}),
    test::RowName(&InlineRow::Name));

TEST(InlineChanges, VeryLongLinesCompareByTheirCommonEnds) {
  std::string left;
  std::string right;
  for (int i = 0; i < 600; ++i) {
    left += "a ";
    right += "a ";
  }
  const std::string head = left;
  left += "x" + head;
  right += "yz" + head;
  const TInlineChanges changes = InlineChanges(left, right);
  ASSERT_EQ(changes.Left.size(), 1u);
  ASSERT_EQ(changes.Right.size(), 1u);
  EXPECT_EQ(changes.Left[0], (TByteRange{1200, 1}));
  EXPECT_EQ(changes.Right[0], (TByteRange{1200, 2}));
}

using K = TDiffRowKind;

std::vector<TDiffRow> RowsOf(std::string_view kinds) {
  std::vector<TDiffRow> rows;
  int left = 0;
  int right = 0;
  for (char c : kinds) {
    TDiffRow row;
    row.Kind = c == '=' ? K::Equal : c == '~' ? K::Changed : c == '-' ? K::Deleted : K::Inserted;
    row.Left = row.Kind == K::Inserted ? -1 : left++;
    row.Right = row.Kind == K::Deleted ? -1 : right++;
    rows.push_back(row);
  }
  return rows;
}

struct BlockRow {
  std::string Name;
  std::string Kinds;  // one of = ~ - + per row
  std::vector<TChangeBlock> Blocks;
};

class ChangeBlocksTest : public ::testing::TestWithParam<BlockRow> {};

TEST_P(ChangeBlocksTest, GroupsNeighbouringChangedRows) {
  EXPECT_EQ(ChangeBlocks(RowsOf(GetParam().Kinds)), GetParam().Blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeBlocksTest,
    ::testing::Values(BlockRow{"AllEqual", "===", {}},
                      BlockRow{"MixedKindsAreOneBlock", "=~-+=", {{1, 3}}},
                      BlockRow{"TwoBlocks", "~==+", {{0, 1}, {3, 1}}},
                      BlockRow{"NoRows", "", {}}),
    test::RowName(&BlockRow::Name));

struct StepRow {
  std::string Name;
  int From;
  bool Forward;
  int Expected;
};

class NextChangeTest : public ::testing::TestWithParam<StepRow> {};

TEST_P(NextChangeTest, StepsFromBlockToBlock) {
  // Blocks start at rows 2, 5 and 9.
  const std::vector<TChangeBlock> blocks{{2, 2}, {5, 1}, {9, 3}};
  EXPECT_EQ(NextChangeRow(blocks, GetParam().From, GetParam().Forward), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, NextChangeTest,
    ::testing::Values(StepRow{"FirstFromNowhere", -1, true, 2}, StepRow{"NextFromABlockStart", 2, true, 5},
                      StepRow{"NextFromInsideABlock", 3, true, 5}, StepRow{"NoneAfterTheLast", 9, true, -1},
                      StepRow{"PreviousFromTheLast", 9, false, 5}, StepRow{"PreviousFromInside", 10, false, 9},
                      StepRow{"NoneBeforeTheFirst", 2, false, -1}),
    test::RowName(&StepRow::Name));

TEST(LineNumbers, CountEachSidesLinesAndLeaveFillersBlank) {
  const std::vector<TDiffRow> rows = RowsOf("=-+~");
  EXPECT_EQ(LeftLineNumbers(rows), (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(RightLineNumbers(rows), (std::vector<int>{1, 0, 2, 3}));
}

}  // namespace
}  // namespace qm
