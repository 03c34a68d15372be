// SPDX-License-Identifier: MIT
#pragma once

// What the Diff view adds around the rows of the line difference engine (linediff.h): the
// characters that differ inside a changed pair, the blocks of changed rows for the overview bar
// and the next/previous change commands, and the line numbers each pane shows beside its rows.
// The rows themselves are the engine's, unchanged.

#include <string_view>
#include <vector>

#include "analysis/linediff.h"

namespace qm {

// A run of bytes of one line: offset from 0 and length.
struct TByteRange {
  int Start = 0;
  int Length = 0;
  friend bool operator==(const TByteRange&, const TByteRange&) = default;
};

// The parts of a changed pair that differ, on each side, in order and never touching. The lines
// are cut into tokens (a run of letters, digits, '_' and bytes beyond ASCII; a run of blanks; any
// other single byte) and the longest common sequence of tokens is kept; every run of tokens
// outside it is a range. Long lines whose token grid would be too costly compare by their common
// start and end alone. Equal lines give no ranges.
struct TInlineChanges {
  std::vector<TByteRange> Left;
  std::vector<TByteRange> Right;
  friend bool operator==(const TInlineChanges&, const TInlineChanges&) = default;
};
TInlineChanges InlineChanges(std::string_view left, std::string_view right);

// A run of consecutive rows that are not Equal (changed, deleted and inserted rows together).
struct TChangeBlock {
  int FirstRow = 0;
  int RowCount = 0;
  friend bool operator==(const TChangeBlock&, const TChangeBlock&) = default;
};
std::vector<TChangeBlock> ChangeBlocks(const std::vector<TDiffRow>& rows);

// The first row of the next block that starts below row (forward) or of the nearest block that
// starts above it (backward); -1 when there is none. From row -1 forward finds the first block.
int NextChangeRow(const std::vector<TChangeBlock>& blocks, int row, bool forward);

// The number a pane shows beside each row: the line's number in its file (from 1), 0 for a filler.
std::vector<int> LeftLineNumbers(const std::vector<TDiffRow>& rows);
std::vector<int> RightLineNumbers(const std::vector<TDiffRow>& rows);

}  // namespace qm
