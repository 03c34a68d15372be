// SPDX-License-Identifier: MIT
#include "analysis/diffview.h"

#include <algorithm>

namespace qm {

namespace {

// Above this many token pairs a changed pair compares by its common start and end only.
constexpr std::size_t kMaxTokenGrid = 250'000;

bool IsWordByte(unsigned char c) {
  return c == '_' || c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::vector<TByteRange> Tokens(std::string_view line) {
  std::vector<TByteRange> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const auto c = static_cast<unsigned char>(line[i]);
    std::size_t end = i + 1;
    if (IsWordByte(c)) {
      while (end < line.size() && IsWordByte(static_cast<unsigned char>(line[end]))) ++end;
    } else if (c == ' ' || c == '\t') {
      while (end < line.size() && (line[end] == ' ' || line[end] == '\t')) ++end;
    }
    tokens.push_back({static_cast<int>(i), static_cast<int>(end - i)});
    i = end;
  }
  return tokens;
}

std::string_view Text(std::string_view line, const TByteRange& range) {
  return line.substr(static_cast<std::size_t>(range.Start), static_cast<std::size_t>(range.Length));
}

// Appends a range, joining it to the previous one when they touch.
void AddRange(std::vector<TByteRange>& ranges, int start, int length) {
  if (length <= 0) return;
  if (!ranges.empty() && ranges.back().Start + ranges.back().Length == start) {
    ranges.back().Length += length;
  } else {
    ranges.push_back({start, length});
  }
}

TInlineChanges ByCommonEnds(std::string_view left, std::string_view right) {
  std::size_t prefix = 0;
  while (prefix < left.size() && prefix < right.size() && left[prefix] == right[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < left.size() - prefix && suffix < right.size() - prefix &&
         left[left.size() - 1 - suffix] == right[right.size() - 1 - suffix]) {
    ++suffix;
  }
  TInlineChanges changes;
  AddRange(changes.Left, static_cast<int>(prefix), static_cast<int>(left.size() - prefix - suffix));
  AddRange(changes.Right, static_cast<int>(prefix), static_cast<int>(right.size() - prefix - suffix));
  return changes;
}

}  // namespace

TInlineChanges InlineChanges(std::string_view left, std::string_view right) {
  if (left == right) return {};
  const std::vector<TByteRange> a = Tokens(left);
  const std::vector<TByteRange> b = Tokens(right);
  if (a.empty() || b.empty() || (a.size() + 1) * (b.size() + 1) > kMaxTokenGrid) {
    return ByCommonEnds(left, right);
  }
  // Longest common subsequence of tokens, filled from the ends so that the walk below runs forward.
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  std::vector<int> grid((n + 1) * (m + 1), 0);
  auto at = [&](std::size_t i, std::size_t j) -> int& { return grid[i * (m + 1) + j]; };
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      at(i, j) = Text(left, a[i]) == Text(right, b[j]) ? at(i + 1, j + 1) + 1
                                                       : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  TInlineChanges changes;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < n && j < m) {
    if (Text(left, a[i]) == Text(right, b[j])) {
      ++i;
      ++j;
    } else if (at(i + 1, j) >= at(i, j + 1)) {
      AddRange(changes.Left, a[i].Start, a[i].Length);
      ++i;
    } else {
      AddRange(changes.Right, b[j].Start, b[j].Length);
      ++j;
    }
  }
  for (; i < n; ++i) AddRange(changes.Left, a[i].Start, a[i].Length);
  for (; j < m; ++j) AddRange(changes.Right, b[j].Start, b[j].Length);
  return changes;
}

std::vector<TChangeBlock> ChangeBlocks(const std::vector<TDiffRow>& rows) {
  std::vector<TChangeBlock> blocks;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    if (rows[static_cast<std::size_t>(row)].Kind == TDiffRowKind::Equal) continue;
    if (!blocks.empty() && blocks.back().FirstRow + blocks.back().RowCount == row) {
      ++blocks.back().RowCount;
    } else {
      blocks.push_back({row, 1});
    }
  }
  return blocks;
}

int NextChangeRow(const std::vector<TChangeBlock>& blocks, int row, bool forward) {
  if (forward) {
    for (const TChangeBlock& block : blocks) {
      if (block.FirstRow > row) return block.FirstRow;
    }
    return -1;
  }
  for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
    if (it->FirstRow < row) return it->FirstRow;
  }
  return -1;
}

std::vector<int> LeftLineNumbers(const std::vector<TDiffRow>& rows) {
  std::vector<int> numbers;
  numbers.reserve(rows.size());
  for (const TDiffRow& row : rows) numbers.push_back(row.Left + 1);
  return numbers;
}

std::vector<int> RightLineNumbers(const std::vector<TDiffRow>& rows) {
  std::vector<int> numbers;
  numbers.reserve(rows.size());
  for (const TDiffRow& row : rows) numbers.push_back(row.Right + 1);
  return numbers;
}

}  // namespace qm
