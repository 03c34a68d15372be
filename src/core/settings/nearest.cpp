// SPDX-License-Identifier: MIT
#include "settings/nearest.h"

#include "platform/paths.h"
#include "settings/catalogue.h"

namespace qm {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsRepositoryRoot(const std::string& dir) {
  for (std::string_view marker : {".git", ".hg", ".svn"}) {
    const std::string path = dir + std::string(marker);
    // A worktree's or a submodule's .git is a file naming the real one.
    if (DirectoryExists(path) || FileExists(path)) return true;
  }
  return false;
}

// The name as the disk spells it, the exact spelling first when several differ only in case.
std::string SettingsFileIn(const std::string& dir) {
  std::string found;
  for (const std::string& name : ListFiles(dir)) {
    if (name == kSettingsFileName) return dir + name;
    if (found.empty() && SameTextIgnoringCase(name, kSettingsFileName)) found = dir + name;
  }
  return found;
}

}  // namespace

std::string ParentFolder(std::string_view directory) {
  std::string_view dir = directory;
  while (dir.size() > 1 && IsSeparator(dir.back())) dir.remove_suffix(1);
  std::size_t cut = dir.size();
  while (cut > 0 && !IsSeparator(dir[cut - 1])) --cut;
  // No separator left ("name", "C:") or the folder is a root ("/", "C:\"): nothing above it.
  if (cut == 0 || cut == dir.size()) return {};
  return std::string(dir.substr(0, cut));
}

std::string NearestSettingsFile(std::string_view directory) {
  for (std::string dir = IncludeTrailingSeparator(directory); !dir.empty(); dir = ParentFolder(dir)) {
    if (std::string file = SettingsFileIn(dir); !file.empty()) return file;
    if (IsRepositoryRoot(dir)) break;
  }
  return {};
}

}  // namespace qm
