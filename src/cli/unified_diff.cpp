// SPDX-License-Identifier: MIT
#include "unified_diff.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/linediff.h"

namespace qm::cli {

namespace {

// One line of the edit script: kept (' '), removed ('-') or added ('+'), with its position in
// both lists (for a line on one side only, where it stands between the lines of the other).
struct TEdit {
  char Kind;
  int Before;
  int After;
};

// The edit script in diff order: every run of changes lists its removals before its additions.
std::vector<TEdit> EditScript(const TLines& before, const TLines& after) {
  const TDiffResult diff = CompareLines(before, after, false);
  std::vector<char> kinds;
  int removed = 0, added = 0;
  auto flush = [&] {
    kinds.insert(kinds.end(), removed, '-');
    kinds.insert(kinds.end(), added, '+');
    removed = added = 0;
  };
  for (const TDiffRow& row : diff.Rows) {
    if (row.Kind == TDiffRowKind::Equal) {
      flush();
      kinds.push_back(' ');
      continue;
    }
    if (row.Left >= 0) ++removed;
    if (row.Right >= 0) ++added;
  }
  flush();

  // The rows hold every line of both sides once and in order, so counting gives the positions.
  std::vector<TEdit> edits;
  edits.reserve(kinds.size());
  int b = 0, a = 0;
  for (char kind : kinds) {
    edits.push_back({kind, b, a});
    if (kind != '+') ++b;
    if (kind != '-') ++a;
  }
  return edits;
}

// "start,count" of one side of a hunk, from 1; an empty side names the line before it.
std::string Range(int start, int count) {
  return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}  // namespace

bool WriteUnifiedDiff(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                      const TLines& before, const TLines& after, int context) {
  if (before == after) return false;
  const std::vector<TEdit> edits = EditScript(before, after);
  const int n = static_cast<int>(edits.size());

  out << "--- " << beforeName << "\n+++ " << afterName << "\n";
  int k = 0;
  while (true) {
    while (k < n && edits[k].Kind == ' ') ++k;
    if (k >= n) break;
    // A hunk runs from the context before its first change to the context after its last, and
    // takes in every further change whose context would touch it.
    const int first = std::max(0, k - context);
    int last = k;
    for (int m = k + 1; m < n; ++m) {
      if (edits[m].Kind == ' ') continue;
      if (m - last - 1 > 2 * context) break;
      last = m;
    }
    const int end = std::min(n, last + context + 1);

    int beforeCount = 0, afterCount = 0;
    for (int m = first; m < end; ++m) {
      if (edits[m].Kind != '+') ++beforeCount;
      if (edits[m].Kind != '-') ++afterCount;
    }
    out << "@@ -" << Range(edits[first].Before, beforeCount) << " +" << Range(edits[first].After, afterCount)
        << " @@\n";
    for (int m = first; m < end; ++m) {
      const std::string& text = edits[m].Kind == '+' ? after[edits[m].After] : before[edits[m].Before];
      out << edits[m].Kind << text << "\n";
    }
    k = end;
  }
  return true;
}

}  // namespace qm::cli
