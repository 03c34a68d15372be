// SPDX-License-Identifier: MIT
#pragma once

// The mark that travels with every output line: black text on yellow for a line the engine
// inserted or changed, on the window colour for a line passed through unchanged. Marks are held by
// value beside their line, so every line has exactly one and it goes with its list.

#include <string>
#include <vector>

#include "ui/colors.h"

namespace qm {

struct TColorObject {
  TColor TextColor = clBlack;
  TColor BackColor = clWindow;

  bool IsChanged() const { return BackColor == clYellow; }
  friend bool operator==(const TColorObject&, const TColorObject&) = default;
};

inline TColorObject NewChangedMark() { return {clBlack, clYellow}; }
inline TColorObject NewUnchangedMark() { return {clBlack, clWindow}; }

struct TMarkedLine {
  std::string Text;
  TColorObject Mark;
};

using TMarkedList = std::vector<TMarkedLine>;

// Appends count empty lines, each marked changed; nothing for a count of 0 or less.
void AddBlankLines(int count, TMarkedList& list);

}  // namespace qm
