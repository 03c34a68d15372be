// SPDX-License-Identifier: MIT
#pragma once

// The list behind the recently-used-files menu: its entries top to bottom, their numbered
// captions, and the order rules (a file opened again moves to the top, a new file is put on top,
// the oldest falls off when the list is full). The menu itself only shows what this list holds.

#include <string>
#include <string_view>
#include <vector>

#include "settings/catalogue.h"

namespace qm {

// What AddFile did, so that a menu can mirror it.
enum class TLastUsedChange {
  Ignored,   // nothing to add to
  Moved,     // the path was in the list already and now stands at the top
  Appended,  // the first entry (after the separator, when there is one)
  Inserted,  // a new entry on top of the others
  Shifted,   // the list was full: every path moved down one place, the last one is lost
};

// The program's list of recently opened projects: Item1 (the most recent) onward of this section
// of the settings file, at most this many. TLastUsedList reads and writes it.
inline constexpr std::string_view kRecentFilesSection = "RecentFiles";
inline constexpr int kRecentFilesMax = 6;

class TLastUsedList {
 public:
  // The value a missing Item key reads as; such keys add no entry.
  static constexpr std::string_view kNothingFound = "Nothing Found";

  // name is the list's component name, the stem of the names of its menu entries.
  explicit TLastUsedList(std::string name = "LastFiles");

  std::string Name;
  std::string INISection;
  bool AddNumbers = true;
  bool AddSeperator = true;
  // Whether a menu is attached; without one AddFile does nothing.
  bool HasMenu = true;

  // Most entries kept: 4 when created. Kept between 1 and 9, since a caption's number is one digit.
  int MaxItems() const { return maxItems_; }
  void SetMaxItems(int count);

  int Count() const { return static_cast<int>(paths_.size()); }
  // Paths top to bottom.
  const std::vector<std::string>& Paths() const { return paths_; }
  const std::string& Path(int index) const { return paths_.at(static_cast<std::size_t>(index)); }
  // Component names of the entries top to bottom: the list's name, "_Menu" and the number of
  // entries there were when the entry was made. Names stay with their places, paths move.
  const std::vector<std::string>& EntryNames() const { return names_; }
  std::string SeparatorName() const { return Name + "_Seperator"; }

  // Caption of the entry at index (0 at the top): "&" followed by index + 1, two blanks and the
  // path when AddNumbers is on, else the path. With escapeAmpersands an '&' of the path is
  // doubled, so that a menu that reads '&' as an accelerator shows it as it is.
  std::string Caption(int index, bool escapeAmpersands = false) const;
  // The path a caption names: the caption without its first four characters when AddNumbers is
  // on (the number, which is a single digit, and the two blanks).
  std::string PathOfCaption(std::string_view caption) const;

  TLastUsedChange AddFile(std::string_view path);
  // Takes the path out of the list (the entries below move up; the last entry's name goes, as
  // names stay with their places). False when the path is not in the list.
  bool RemoveFile(std::string_view path);
  void Clear();

  // The values LoadFromINI adds, in the order it adds them: Item<MaxItems> down to Item1 of
  // INISection, leaving out missing keys (and empty values, which name no file).
  std::vector<std::string> ReadINIValues(std::string_view fileName = kSettingsFileName) const;
  // Empties the list, then adds every value of ReadINIValues, so that Item1 ends at the top.
  void LoadFromINI(std::string_view fileName = kSettingsFileName);
  // Writes the paths top to bottom as Item1, Item2, ... of INISection; nothing when the list is
  // empty and nothing was removed. After a removal the keys below the last entry are emptied (an
  // empty value names no file), so that a removed path does not come back. False (with the
  // message in err) when an entry cannot be written.
  bool SaveToINI(std::string_view fileName = kSettingsFileName, std::string* err = nullptr) const;

 private:
  int maxItems_ = 4;
  bool removed_ = false;
  std::vector<std::string> paths_;
  std::vector<std::string> names_;
};

}  // namespace qm
