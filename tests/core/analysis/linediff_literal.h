// SPDX-License-Identifier: MIT
#pragma once

// The block matching and the display walk written out step by step, the plain way: every left
// line of a range against every right line, runs counted pair by pair, a recursive call for the
// parts before and after each block, and a scratch record per line. Slow, but plainly right; the
// tests hold the fast engine against it and the benchmark measures the difference.

#include <string>
#include <vector>

#include "analysis/linediff.h"
#include "platform/linefile.h"

namespace qm::test {

class TLiteralDiff {
 public:
  struct TDiffObject {
    int Partner = -1;
    int RunLength = -1;
  };

  TLiteralDiff(const TLines& left, const TLines& right, bool ignoreBlankLines)
      : L(left), R(right), IgnoreBlankLines(ignoreBlankLines), LO(left.size()), RO(right.size()) {
    MatchRange(0, Count(L), 0, Count(R));
  }

  TDiffPairing Pairing() const {
    TDiffPairing p;
    for (const TDiffObject& o : LO) p.LeftPartner.push_back(o.Partner);
    for (const TDiffObject& o : RO) p.RightPartner.push_back(o.Partner);
    return p;
  }

  // The display walk; a crossing pairing ends it with crossed set.
  std::vector<TDiffRow> Rows(bool* crossed = nullptr) const {
    std::vector<TDiffRow> rows;
    const int nl = Count(L), nr = Count(R);
    int i = 0, j = 0;
    if (crossed) *crossed = false;
    while (i < nl || j < nr) {
      while (i < nl && LO[i].Partner == -1) {
        if (j < nr && RO[j].Partner == -1) {
          rows.push_back({TDiffRowKind::Changed, i++, j++});
        } else {
          rows.push_back({TDiffRowKind::Deleted, i++, -1});
        }
      }
      while (i >= nl && j < nr) rows.push_back({TDiffRowKind::Inserted, -1, j++});
      while (j >= nr && i < nl) rows.push_back({TDiffRowKind::Deleted, i++, -1});
      if (i < nl && LO[i].Partner < j) {
        if (crossed) *crossed = true;
        break;
      }
      if (i < nl && LO[i].Partner == j) rows.push_back({TDiffRowKind::Equal, i++, j++});
      if (i < nl && j < nr) {
        while (LO[i].Partner > j) {
          rows.push_back({TDiffRowKind::Inserted, -1, j++});
          if (j >= nr) break;
        }
      }
    }
    return rows;
  }

 private:
  static int Count(const TLines& lines) { return static_cast<int>(lines.size()); }

  void Reset(int ls, int le, int rs, int re) {
    for (int i = ls; i < le; ++i) LO[i] = {};
    for (int j = rs; j < re; ++j) RO[j] = {};
  }

  void MatchRange(int ls, int le, int rs, int re) {
    Reset(ls, le, rs, re);
    if (ls > le || rs > re) return;

    for (int i = ls; i < le; ++i) {
      for (int j = rs; j < re; ++j) {
        if (IgnoreBlankLines && L[i].empty()) continue;
        if (L[i] != R[j]) continue;
        int c = 0;
        while (i + c < le && j + c < re && L[i + c] == R[j + c]) ++c;
        if (c > LO[i].RunLength) {
          LO[i].RunLength = c;
          LO[i].Partner = j;
          RO[j].RunLength = c;
          RO[j].Partner = i;
        }
      }
    }

    int k = -1;
    for (int i = ls; i < le; ++i) {
      if (LO[i].RunLength > -1 && (k < 0 || LO[i].RunLength > LO[k].RunLength)) k = i;
    }
    if (k < 0) {
      Reset(ls, le, rs, re);
      return;
    }

    const int m = LO[k].Partner;
    const int n = LO[k].RunLength;
    for (int t = 0; t < n; ++t) {
      LO[k + t].Partner = m + t;
      RO[m + t].Partner = k + t;
    }
    MatchRange(ls, k, rs, m);
    MatchRange(k + n, le, m + n, re);
  }

  const TLines& L;
  const TLines& R;
  bool IgnoreBlankLines;
  std::vector<TDiffObject> LO;
  std::vector<TDiffObject> RO;
};

}  // namespace qm::test
