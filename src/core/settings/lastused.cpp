// SPDX-License-Identifier: MIT
#include "settings/lastused.h"

#include <algorithm>

#include "messages.h"
#include "platform/profile.h"

namespace qm {

namespace {

// "&1  " and the like: the accelerator mark, one digit and two blanks.
constexpr std::size_t kNumberPrefixLength = 4;

std::string ItemKey(int n) { return "Item" + std::to_string(n); }

}  // namespace

TLastUsedList::TLastUsedList(std::string name) : Name(std::move(name)) {}

void TLastUsedList::SetMaxItems(int count) { maxItems_ = std::clamp(count, 1, 9); }

std::string TLastUsedList::Caption(int index, bool escapeAmpersands) const {
  std::string path = Path(index);
  if (escapeAmpersands) {
    std::string escaped;
    for (char c : path) {
      escaped += c;
      if (c == '&') escaped += '&';
    }
    path = std::move(escaped);
  }
  if (!AddNumbers) return path;
  return "&" + std::to_string(index + 1) + "  " + path;
}

std::string TLastUsedList::PathOfCaption(std::string_view caption) const {
  if (!AddNumbers) return std::string(caption);
  return caption.size() > kNumberPrefixLength ? std::string(caption.substr(kNumberPrefixLength)) : "";
}

TLastUsedChange TLastUsedList::AddFile(std::string_view path) {
  if (!HasMenu) return TLastUsedChange::Ignored;

  auto found = std::find(paths_.begin(), paths_.end(), path);
  if (found != paths_.end()) {
    // The entries above it move down one place; the top one gets the path.
    std::rotate(paths_.begin(), found, found + 1);
    return TLastUsedChange::Moved;
  }

  if (Count() < maxItems_) {
    const bool first = paths_.empty();
    names_.insert(names_.begin(), Name + "_Menu" + std::to_string(Count()));
    paths_.insert(paths_.begin(), std::string(path));
    return first ? TLastUsedChange::Appended : TLastUsedChange::Inserted;
  }

  // Full: the last path is lost. (A list made shorter since its entries were added keeps only as
  // many entries as it now allows.)
  paths_.resize(static_cast<std::size_t>(maxItems_));
  names_.resize(static_cast<std::size_t>(maxItems_));
  std::rotate(paths_.rbegin(), paths_.rbegin() + 1, paths_.rend());
  paths_.front() = std::string(path);
  return TLastUsedChange::Shifted;
}

bool TLastUsedList::RemoveFile(std::string_view path) {
  const auto found = std::find(paths_.begin(), paths_.end(), path);
  if (found == paths_.end()) return false;
  paths_.erase(found);
  names_.pop_back();
  removed_ = true;
  return true;
}

void TLastUsedList::Clear() {
  paths_.clear();
  names_.clear();
}

std::vector<std::string> TLastUsedList::ReadINIValues(std::string_view fileName) const {
  std::vector<std::string> values;
  for (int n = maxItems_; n >= 1; --n) {
    std::string value = GetPrivateProfileString(INISection, ItemKey(n), kNothingFound, fileName);
    if (value != kNothingFound && !value.empty()) values.push_back(std::move(value));
  }
  return values;
}

void TLastUsedList::LoadFromINI(std::string_view fileName) {
  std::vector<std::string> values = ReadINIValues(fileName);
  Clear();
  for (const std::string& value : values) AddFile(value);
}

bool TLastUsedList::SaveToINI(std::string_view fileName, std::string* err) const {
  for (int n = 1; n <= Count(); ++n) {
    if (!WritePrivateProfileString(INISection, ItemKey(n), paths_[static_cast<std::size_t>(n - 1)],
                                   fileName)) {
      if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
      return false;
    }
  }
  if (removed_) {
    for (int n = Count() + 1; n <= maxItems_; ++n) {
      if (!WritePrivateProfileString(INISection, ItemKey(n), "", fileName)) {
        if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
        return false;
      }
    }
  }
  return true;
}

}  // namespace qm
