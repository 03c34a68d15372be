// SPDX-License-Identifier: MIT
#include "analysis/linediff.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <functional>

#include "messages.h"

namespace qm {

namespace {

// A run of equal lines: left lines Left .. Left + Length - 1 equal right lines Right .. Right +
// Length - 1.
struct TBlock {
  int Left = 0;
  int Right = 0;
  int Length = 0;
};

// Half-open ranges of left and right lines still to be matched.
struct TRange {
  int LeftStart, LeftEnd, RightStart, RightEnd;
};

// Capacity of an open-addressing table for at most n entries: a power of two at least 4n/3, so
// that the table is at most three quarters full. Also the shift that keeps as many top bits of a
// 64-bit product.
struct TTableSize {
  explicit TTableSize(std::size_t entries) {
    while (3 * Capacity < 4 * entries) {
      Capacity *= 2;
      --Shift;
    }
  }
  std::size_t Capacity = 16;
  int Shift = 60;
};

// A map from pairs of non-negative numbers to numbers, by open addressing. It never removes
// entries and is sized up front for the most it will hold.
class TPairMap {
 public:
  explicit TPairMap(std::size_t entries) : FSize(entries), FKeys(FSize.Capacity, kEmpty), FValues(FSize.Capacity) {}

  // The value of the pair, or -1.
  int Find(int first, int second) const {
    const std::uint64_t key = Key(first, second);
    for (std::size_t at = Slot(key);; at = (at + 1) & (FSize.Capacity - 1)) {
      if (FKeys[at] == key) return FValues[at];
      if (FKeys[at] == kEmpty) return -1;
    }
  }
  // Sets the value of the pair; true when the pair was new.
  bool Set(int first, int second, int value) {
    const std::uint64_t key = Key(first, second);
    for (std::size_t at = Slot(key);; at = (at + 1) & (FSize.Capacity - 1)) {
      if (FKeys[at] == key || FKeys[at] == kEmpty) {
        const bool added = FKeys[at] == kEmpty;
        FKeys[at] = key;
        FValues[at] = value;
        return added;
      }
    }
  }

 private:
  static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
  static std::uint64_t Key(int first, int second) {
    return (static_cast<std::uint64_t>(first) << 32) | static_cast<std::uint32_t>(second);
  }
  std::size_t Slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> FSize.Shift);
  }

  TTableSize FSize;
  std::vector<std::uint64_t> FKeys;
  std::vector<int> FValues;
};

// Numbers for lines: equal lines get equal numbers, from 0 in the order the lines first come.
class TLineNumbering {
 public:
  explicit TLineNumbering(std::size_t lines) : FSize(lines), FSlots(FSize.Capacity, -1) {}

  int Number(std::string_view line) {
    const std::size_t hash = std::hash<std::string_view>{}(line);
    for (std::size_t at = hash & (FSize.Capacity - 1);; at = (at + 1) & (FSize.Capacity - 1)) {
      const int number = FSlots[at];
      if (number < 0) {
        FSlots[at] = static_cast<int>(FLines.size());
        FLines.push_back({line, hash});
        return FSlots[at];
      }
      if (FLines[number].Hash == hash && FLines[number].Text == line) return number;
    }
  }
  int Count() const { return static_cast<int>(FLines.size()); }

 private:
  struct TLine {
    std::string_view Text;
    std::size_t Hash;
  };
  TTableSize FSize;
  std::vector<int> FSlots;
  std::vector<TLine> FLines;  // by number
};

// A suffix automaton over a sequence of line numbers: it recognises every run of consecutive
// lines of the sequence, and so gives, for every position of another sequence, the longest run
// ending there that also occurs somewhere in the first, in linear time.
class TRunAutomaton {
 public:
  // A sequence of n symbols makes at most 2n states and 3n transitions.
  explicit TRunAutomaton(std::size_t length) : FNext(3 * length + 1) {
    FStates.reserve(2 * length + 1);
    FStates.push_back({0, -1, -1});
    FEdges.reserve(3 * length + 1);
  }

  void Append(int symbol) {
    const int current = static_cast<int>(FStates.size());
    FStates.push_back({FStates[FLast].Length + 1, 0, -1});
    int p = FLast;
    while (p != -1 && Next(p, symbol) < 0) {
      SetNext(p, symbol, current);
      p = FStates[p].Link;
    }
    if (p != -1) {
      const int q = Next(p, symbol);
      if (FStates[p].Length + 1 == FStates[q].Length) {
        FStates[current].Link = q;
      } else {
        const int clone = static_cast<int>(FStates.size());
        FStates.push_back({FStates[p].Length + 1, FStates[q].Link, -1});
        for (int e = FStates[q].FirstEdge; e >= 0; e = FEdges[e].Next) {
          SetNext(clone, FEdges[e].Symbol, Next(q, FEdges[e].Symbol));
        }
        while (p != -1 && Next(p, symbol) == q) {
          SetNext(p, symbol, clone);
          p = FStates[p].Link;
        }
        FStates[q].Link = clone;
        FStates[current].Link = clone;
      }
    }
    FLast = current;
  }

  // For every position of text, the length of the longest run ending there that the automaton
  // recognises.
  std::vector<int> LongestKnownEndingAt(const std::vector<int>& text) const {
    std::vector<int> lengths(text.size());
    int state = 0, length = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
      while (state != 0 && Next(state, text[k]) < 0) {
        state = FStates[state].Link;
        length = FStates[state].Length;
      }
      const int next = Next(state, text[k]);
      if (next >= 0) {
        state = next;
        ++length;
      }
      lengths[k] = length;
    }
    return lengths;
  }

 private:
  struct TState {
    int Length;     // the longest run this state stands for
    int Link;       // the state of its longest proper suffix standing elsewhere
    int FirstEdge;  // its list of symbols with a transition, in FEdges; -1 when empty
  };
  struct TEdge {
    int Symbol;
    int Next;  // the next of the same state's list, -1 at the end
  };

  int Next(int state, int symbol) const { return FNext.Find(state, symbol); }
  void SetNext(int state, int symbol, int target) {
    if (FNext.Set(state, symbol, target)) {
      FEdges.push_back({symbol, FStates[state].FirstEdge});
      FStates[state].FirstEdge = static_cast<int>(FEdges.size()) - 1;
    }
  }

  std::vector<TState> FStates;
  std::vector<TEdge> FEdges;
  TPairMap FNext;  // transitions: (state, symbol) -> state
  int FLast = 0;
};

// Right-side positions grouped by a number given to each position (a line's number, or the
// number of the pair of lines starting there), ascending within each group.
class TPositionIndex {
 public:
  // keys[j] is the number of position j, or -1 for a position that is never looked up.
  TPositionIndex(const std::vector<int>& keys, int keyCount) : FFirst(keyCount + 1, 0) {
    for (int key : keys) {
      if (key >= 0) ++FFirst[key + 1];
    }
    for (int key = 0; key < keyCount; ++key) FFirst[key + 1] += FFirst[key];
    FPositions.resize(FFirst[keyCount]);
    std::vector<int> next(FFirst.begin(), FFirst.end() - 1);
    for (std::size_t j = 0; j < keys.size(); ++j) {
      if (keys[j] >= 0) FPositions[next[keys[j]]++] = static_cast<int>(j);
    }
  }

  // The positions of a number (none for -1), and those from a given position on.
  std::span<const int> Of(int key) const {
    if (key < 0) return {};
    return {FPositions.data() + FFirst[key], FPositions.data() + FFirst[key + 1]};
  }
  std::span<const int> From(int key, int first) const {
    std::span<const int> all = Of(key);
    return all.subspan(std::lower_bound(all.begin(), all.end(), first) - all.begin());
  }

 private:
  std::vector<int> FFirst;
  std::vector<int> FPositions;
};

// Finds longest blocks. Every line is replaced by a small integer once (equal lines, equal
// numbers), and so is every pair of consecutive lines: a run of two or more equal lines can only
// start where the pairs are equal too, so the common lines (blank lines, "End If") cost nothing
// beyond their own run unless the line after them also matches.
//
// For every left line the longest run of equal lines that may start there (against the whole
// right side) is known beforehand. A search stops as soon as no line still ahead of it can start
// a run longer than the best one found; that keeps the many searches over short blocks (blank
// lines between re-indented code) from sweeping their whole ranges again and again.
class TBlockFinder {
 public:
  TBlockFinder(const TLines& left, const TLines& right, bool ignoreBlankLines)
      : FLeft(left.size()), FRight(right.size()), FCanStart(left.size(), 1) {
    TLineNumbering numbering(left.size() + right.size());
    for (std::size_t i = 0; i < left.size(); ++i) FLeft[i] = numbering.Number(left[i]);
    for (std::size_t j = 0; j < right.size(); ++j) FRight[j] = numbering.Number(right[j]);
    if (ignoreBlankLines) {
      for (std::size_t i = 0; i < left.size(); ++i) FCanStart[i] = left[i].empty() ? 0 : 1;
    }

    // Pairs of consecutive lines: numbered on the left; on the right only those the left has.
    TPairMap pairNumbers(left.size());
    int pairCount = 0;
    FLeftPair.assign(left.size(), -1);
    for (std::size_t i = 0; i + 1 < left.size(); ++i) {
      FLeftPair[i] = pairNumbers.Find(FLeft[i], FLeft[i + 1]);
      if (FLeftPair[i] < 0) {
        FLeftPair[i] = pairCount++;
        pairNumbers.Set(FLeft[i], FLeft[i + 1], FLeftPair[i]);
      }
    }
    std::vector<int> rightPair(right.size(), -1);
    for (std::size_t j = 0; j + 1 < right.size(); ++j) rightPair[j] = pairNumbers.Find(FRight[j], FRight[j + 1]);

    FLines = std::make_unique<TPositionIndex>(FRight, numbering.Count());
    FPairs = std::make_unique<TPositionIndex>(rightPair, pairCount);
    ComputeLongestRuns();
  }

  // The longest block inside the ranges; among equally long ones the one with the lowest left
  // index, then the lowest right index. False when no left line that may start a block has an
  // equal right line in the ranges.
  bool FindLongest(const TRange& r, TBlock& block) {
    int best = 0;
    TRunAhead ahead;
    for (int i = r.LeftStart; i < r.LeftEnd; ++i) {
      // Starts are visited in order and only a strictly longer run replaces the best, so the
      // search may stop when nothing ahead can be longer. The longest run ahead stays the same
      // until the search passes the last line that can start it.
      if (i > ahead.Line) ahead = LongestRunAhead(1, 0, FLeaves, i, r.LeftEnd);
      const int rowsLeft = r.LeftEnd - i;
      if (best >= rowsLeft || best >= ahead.Length) break;
      const int rowBound = std::min({FLongestRun[i], rowsLeft, r.RightEnd - r.RightStart});
      if (rowBound <= best) continue;

      // The first run found is the first equal line; after that only runs of two or more count.
      if (best == 0) {
        std::span<const int> equal = FLines->From(FLeft[i], r.RightStart);
        if (equal.empty() || equal.front() >= r.RightEnd) continue;
        Try(r, i, equal.front(), best, block);
        if (best >= rowBound) continue;
      }
      for (int j : FPairs->From(FLeftPair[i], r.RightStart)) {
        if (best >= r.RightEnd - j) break;
        if (Try(r, i, j, best, block) && best >= rowBound) break;
      }
    }
    return best > 0;
  }

 private:
  // Counts the run of equal lines at (i, j) inside the ranges and keeps it when it is longer than
  // the best so far. A run that continues one that may start on the line above is skipped: that
  // one is longer and was tried first.
  bool Try(const TRange& r, int i, int j, int& best, TBlock& block) const {
    if (i > r.LeftStart && j > r.RightStart && FCanStart[i - 1] && FLeft[i - 1] == FRight[j - 1]) return false;
    const int most = std::min(r.LeftEnd - i, r.RightEnd - j);
    int run = 1;
    while (run < most && FLeft[i + run] == FRight[j + run]) ++run;
    if (run <= best) return false;
    best = run;
    block = {i, j, run};
    return true;
  }

  // FLongestRun[i]: the longest run of equal lines starting at left line i and any right line
  // (0 when the line may not start a run): the longest run ending at the same place when both
  // sides are read backwards, found by an automaton over the reversed right side. Then a tree of
  // maxima for the greatest of these over a range of left lines.
  void ComputeLongestRuns() {
    const int leftCount = static_cast<int>(FLeft.size());
    TRunAutomaton automaton(FRight.size());
    for (auto j = FRight.rbegin(); j != FRight.rend(); ++j) automaton.Append(*j);
    const std::vector<int> longest =
        automaton.LongestKnownEndingAt(std::vector<int>(FLeft.rbegin(), FLeft.rend()));
    FLongestRun.assign(leftCount, 0);
    for (int i = 0; i < leftCount; ++i) FLongestRun[i] = FCanStart[i] ? longest[leftCount - 1 - i] : 0;

    // Node 1 covers all lines, node k's children are 2k and 2k + 1, leaf FLeaves + i is line i.
    FLeaves = 1;
    while (FLeaves < leftCount) FLeaves *= 2;
    FMaxTree.assign(2 * static_cast<std::size_t>(FLeaves), 0);
    std::copy(FLongestRun.begin(), FLongestRun.end(), FMaxTree.begin() + FLeaves);
    for (int k = FLeaves - 1; k > 0; --k) FMaxTree[k] = std::max(FMaxTree[2 * k], FMaxTree[2 * k + 1]);
  }

  struct TRunAhead {
    int Length = 0;  // the greatest FLongestRun over the lines asked for
    int Line = -1;   // the last of those lines that has it
  };

  // The greatest FLongestRun over left lines first .. last - 1 within node (covering lo .. hi - 1).
  TRunAhead LongestRunAhead(int node, int lo, int hi, int first, int last) const {
    if (last <= lo || hi <= first) return {-1, -1};
    if (first <= lo && hi <= last) {
      const int length = FMaxTree[node];
      while (node < FLeaves) node = FMaxTree[2 * node + 1] == length ? 2 * node + 1 : 2 * node;
      return {length, node - FLeaves};
    }
    const int mid = lo + (hi - lo) / 2;
    const TRunAhead later = LongestRunAhead(2 * node + 1, mid, hi, first, last);
    const TRunAhead earlier = LongestRunAhead(2 * node, lo, mid, first, last);
    return later.Length >= earlier.Length ? later : earlier;
  }

  std::vector<int> FLeft;                   // line numbers of the left lines
  std::vector<int> FRight;                  // line numbers of the right lines
  std::vector<char> FCanStart;              // whether a left line may start a block
  std::vector<int> FLeftPair;               // number of the pair of lines from each left line
  std::unique_ptr<TPositionIndex> FLines;   // right positions by line number
  std::unique_ptr<TPositionIndex> FPairs;   // right positions by pair number
  std::vector<int> FLongestRun;             // longest run that may start at a left line
  int FLeaves = 1;                          // leaves of FMaxTree: a power of two, at least the lines
  std::vector<int> FMaxTree;                // maxima of FLongestRun, see ComputeLongestRuns
};

}  // namespace

TDiffPairing MatchLines(const TLines& left, const TLines& right, bool ignoreBlankLines) {
  TDiffPairing pairing;
  pairing.LeftPartner.assign(left.size(), -1);
  pairing.RightPartner.assign(right.size(), -1);
  TBlockFinder finder(left, right, ignoreBlankLines);

  // The parts before and after a block are matched independently of each other, so an explicit
  // stack serves instead of recursion (whose depth could reach the number of blocks).
  std::vector<TRange> pending{{0, static_cast<int>(left.size()), 0, static_cast<int>(right.size())}};
  while (!pending.empty()) {
    const TRange r = pending.back();
    pending.pop_back();
    if (r.LeftStart >= r.LeftEnd || r.RightStart >= r.RightEnd) continue;
    TBlock b;
    if (!finder.FindLongest(r, b)) continue;
    for (int t = 0; t < b.Length; ++t) {
      pairing.LeftPartner[b.Left + t] = b.Right + t;
      pairing.RightPartner[b.Right + t] = b.Left + t;
    }
    pending.push_back({b.Left + b.Length, r.LeftEnd, b.Right + b.Length, r.RightEnd});
    pending.push_back({r.LeftStart, b.Left, r.RightStart, b.Right});
  }
  return pairing;
}

TDiffResult DisplayOptimalDiff(const TDiffPairing& pairing) {
  const std::vector<int>& lp = pairing.LeftPartner;
  const std::vector<int>& rp = pairing.RightPartner;
  const int leftCount = static_cast<int>(lp.size());
  const int rightCount = static_cast<int>(rp.size());
  TDiffResult result;
  result.Rows.reserve(std::max(leftCount, rightCount));
  auto add = [&result](TDiffRowKind kind, int left, int right) { result.Rows.push_back({kind, left, right}); };

  int i = 0, j = 0;
  while (i < leftCount || j < rightCount) {
    while (i < leftCount && lp[i] < 0) {
      if (j < rightCount && rp[j] < 0) {
        add(TDiffRowKind::Changed, i++, j++);
      } else {
        add(TDiffRowKind::Deleted, i++, -1);
      }
    }
    while (i >= leftCount && j < rightCount) add(TDiffRowKind::Inserted, -1, j++);
    while (j >= rightCount && i < leftCount) add(TDiffRowKind::Deleted, i++, -1);
    if (i < leftCount && lp[i] < j) {
      // The left line's partner has been shown already: the pairing crosses. Report it once and
      // show the line on its own, which also keeps the walk moving.
      if (result.Error.empty()) result.Error = msg::DiffInternalError;
      add(TDiffRowKind::Deleted, i++, -1);
      continue;
    }
    if (i < leftCount && lp[i] == j) add(TDiffRowKind::Equal, i++, j++);
    if (i < leftCount && j < rightCount) {
      while (j < rightCount && lp[i] > j) add(TDiffRowKind::Inserted, -1, j++);
    }
  }
  return result;
}

TDiffResult CompareLines(const TLines& left, const TLines& right, bool ignoreBlankLines) {
  return DisplayOptimalDiff(MatchLines(left, right, ignoreBlankLines));
}

TColorObject DiffLeftColors(TDiffRowKind kind) {
  switch (kind) {
    case TDiffRowKind::Equal: return {clBlack, clWindow};
    case TDiffRowKind::Changed: return {clBlack, clYellow};
    case TDiffRowKind::Deleted: return {clBlue, clYellow};
    case TDiffRowKind::Inserted: return {clBlack, clSilver};
  }
  return {};
}

TColorObject DiffRightColors(TDiffRowKind kind) {
  switch (kind) {
    case TDiffRowKind::Equal: return {clBlack, clWindow};
    case TDiffRowKind::Changed: return {clBlack, clYellow};
    case TDiffRowKind::Deleted: return {clBlack, clSilver};
    case TDiffRowKind::Inserted: return {clBlue, clYellow};
  }
  return {};
}

TDiffCell LeftCell(const TDiffRow& row, const TLines& left) {
  std::string_view text;
  if (row.Left >= 0 && row.Left < static_cast<int>(left.size())) text = left[row.Left];
  return {text, DiffLeftColors(row.Kind)};
}

TDiffCell RightCell(const TDiffRow& row, const TLines& right) {
  std::string_view text;
  if (row.Right >= 0 && row.Right < static_cast<int>(right.size())) text = right[row.Right];
  return {text, DiffRightColors(row.Kind)};
}

}  // namespace qm
