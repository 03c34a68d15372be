// SPDX-License-Identifier: MIT
#pragma once

// The line difference engine behind the before/after viewer's Diff command. It lines up the lines
// of a source file (left) with the lines of its restyled output (right): equal lines are paired by
// a recursive longest-common-block search, and the pairing is walked into rows that stand side by
// side in the two panes. Lines compare as exact byte strings (case and blanks count).
//
// The result is plain data: the viewer appends, for every row, LeftCell to its left pane and
// RightCell to its right pane (without painting), then repaints both panes once. When the result
// carries an error the viewer shows it in an error box; the rows are complete all the same.

#include <string>
#include <string_view>
#include <vector>

#include "ui/colors.h"
#include "platform/linefile.h"

namespace qm {

enum class TDiffRowKind {
  Equal,     // a left line and the equal right line it is paired with
  Changed,   // an unpaired left line facing an unpaired right line
  Deleted,   // a left line facing an empty filler row
  Inserted,  // an empty filler row facing a right line
};

// One row of the aligned display. Left and Right index the compared lists; -1 is a filler row.
struct TDiffRow {
  TDiffRowKind Kind = TDiffRowKind::Equal;
  int Left = -1;
  int Right = -1;
  friend bool operator==(const TDiffRow&, const TDiffRow&) = default;
};

// The pairing of equal lines: for every line the index of its partner on the other side, or -1.
// Pairs are symmetric and never cross, and equal lines come in runs of consecutive pairs.
struct TDiffPairing {
  std::vector<int> LeftPartner;
  std::vector<int> RightPartner;
  friend bool operator==(const TDiffPairing&, const TDiffPairing&) = default;
};

struct TDiffResult {
  std::vector<TDiffRow> Rows;
  std::string Error;  // empty, or msg::DiffInternalError when the pairing crossed
  bool Ok() const { return Error.empty(); }
};

// What one pane shows in a row: the text (empty for a filler) in its text and background colour.
struct TDiffCell {
  std::string_view Text;
  TColorObject Colors;
};

// Pairs the lines: the longest run of equal lines (first by left index, then by right index on
// ties) is taken, then the parts before and after it are matched the same way. With
// ignoreBlankLines an empty left line never starts a run, though a run may pass through it.
TDiffPairing MatchLines(const TLines& left, const TLines& right, bool ignoreBlankLines);

// Walks a pairing into rows. A pairing that crosses (never made by MatchLines) is reported in
// Error; the crossing left line is then shown as deleted and the walk goes on, so every line of
// both sides still appears exactly once.
TDiffResult DisplayOptimalDiff(const TDiffPairing& pairing);

// MatchLines, then DisplayOptimalDiff. The inputs are not changed.
TDiffResult CompareLines(const TLines& left, const TLines& right, bool ignoreBlankLines);

// Colours of a row kind in the left and in the right pane.
TColorObject DiffLeftColors(TDiffRowKind kind);
TColorObject DiffRightColors(TDiffRowKind kind);

// What the left and the right pane show for a row of a comparison of these lists.
TDiffCell LeftCell(const TDiffRow& row, const TLines& left);
TDiffCell RightCell(const TDiffRow& row, const TLines& right);

}  // namespace qm
