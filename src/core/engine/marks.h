// SPDX-License-Identifier: MIT
#pragma once

// The mark that travels with every output line: changed for a line the engine inserted or changed,
// unchanged for a line passed through as read. Marks are held by value beside their line, so every
// line has exactly one and it goes with its list. How a mark looks is the viewers' business.

#include <string>
#include <vector>

namespace qm {

struct TLineMark {
  bool Changed = false;

  bool IsChanged() const { return Changed; }
  friend bool operator==(const TLineMark&, const TLineMark&) = default;
};

inline constexpr TLineMark NewChangedMark() { return {true}; }
inline constexpr TLineMark NewUnchangedMark() { return {false}; }

struct TMarkedLine {
  std::string Text;
  TLineMark Mark;
};

using TMarkedList = std::vector<TMarkedLine>;

// Appends count empty lines, each marked changed; nothing for a count of 0 or less.
void AddBlankLines(int count, TMarkedList& list);

}  // namespace qm
