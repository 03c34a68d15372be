// SPDX-License-Identifier: MIT
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <unordered_map>

#include "platform/ascii.h"
#include "platform/os.h"

namespace qm {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits at '\\' and '/', dropping empty components (doubled separators).
std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// A component that starts with a drive letter ("C:", "C:FOO.BAS") names a Windows drive.
bool IsDriveComponent(std::string_view part) {
  return part.size() >= 2 && IsAsciiLetter(part[0]) && part[1] == ':';
}

// Drive-letter paths ("C:\LIB\UTIL.BAS", also when joined behind a directory) and UNC paths
// ("\\server\share") name nothing on this disk.
bool IsWindowsOnlyPath(std::string_view path) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start && IsDriveComponent(path.substr(start, i - start))) return true;
      start = i + 1;
    }
  }
  return false;
}

// Puts a path that names nothing here below the system's nowhere root (/dev/null on Linux: a
// device is no directory, so nothing below it can be opened, listed or created, not even by root),
// and the real root is never reached. "." and ".." are resolved here so that no lexical clean-up
// by a caller can climb out of the prefix.
std::string NowherePath(std::string_view path) {
  std::vector<std::string_view> kept;
  for (std::string_view part : SplitComponents(path)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out = os::NowhereRoot();
  for (std::string_view part : kept) {
    out += '/';
    out += part;
  }
  return out;
}

bool EntryExists(const std::string& path) {
  os::TFileInfo info;
  return os::GetFileInfo(path, info, false);
}

// Where a drive or a share names a real root (Windows), a path that begins with one is real; one
// behind another directory ("dir\C:\x") still names nothing.
bool IsRealDrivePath(std::string_view path) {
  if (!os::DrivePathsExist()) return false;
  const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  if (!share && !IsDriveComponent(path.substr(0, path.find_first_of("\\/")))) return false;
  const std::vector<std::string_view> parts = SplitComponents(path);
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (IsDriveComponent(parts[i])) return false;
  }
  return !parts.empty() && !(share && IsDriveComponent(parts[0]));
}

// The entry of directory dir whose name equals name without regard to ASCII letter case; the
// smallest such name in byte order when several do, so the choice does not depend on the order of
// the directory listing.
bool FindIgnoringCase(const std::string& dir, std::string_view name, std::string& found) {
  std::vector<os::TDirectoryEntry> entries;
  if (!os::ListDirectory(dir, entries)) return false;
  bool any = false;
  for (const os::TDirectoryEntry& entry : entries) {
    const std::string& candidate = entry.Name;
    if (!SameTextIgnoringCase(candidate, name)) continue;
    if (!any || candidate < found) found = candidate;
    any = true;
  }
  return any;
}

std::string JoinComponent(const std::string& base, std::string_view part) {
  if (base.empty()) return std::string(part);
  std::string out = base;
  if (out.back() != '/') out += '/';
  out += part;
  return out;
}


std::string FoldCase(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

// The run's cache: one listing per directory searched (names by their folded spelling, each set
// in byte order so the smallest match wins as in FindIgnoringCase), and the directories already
// found, by the spelling asked for.
struct TDirectoryCache {
  int Depth = 0;
  std::unordered_map<std::string, std::unordered_map<std::string, std::set<std::string>>> Listings;
  std::unordered_map<std::string, std::string> Found;
};

// Each thread has its own: a scope caches the look-ups of the thread that opened it, and a look-up
// on another thread (a worker reading files) is never served from listings it does not own.
TDirectoryCache& Cache() {
  static thread_local TDirectoryCache cache;
  return cache;
}

// The directory part of a native path as NativePath builds it ("" for the working directory, "/"
// for the root) and its last component.
std::pair<std::string, std::string> SplitNative(std::string_view native) {
  while (native.size() > 1 && native.back() == '/') native.remove_suffix(1);
  const std::size_t slash = native.rfind('/');
  if (slash == std::string_view::npos) return {std::string(), std::string(native)};
  return {std::string(native.substr(0, slash == 0 ? 1 : slash)), std::string(native.substr(slash + 1))};
}

// FindIgnoringCase through the cache: the directory is listed the first time it is searched; a
// name taken from the listing is used only while it still exists.
bool FindIgnoringCaseCached(const std::string& dir, std::string_view name, std::string& found) {
  TDirectoryCache& cache = Cache();
  auto listing = cache.Listings.find(dir);
  if (listing == cache.Listings.end()) {
    std::vector<os::TDirectoryEntry> entries;
    if (!os::ListDirectory(dir, entries)) return false;
    std::unordered_map<std::string, std::set<std::string>> names;
    for (os::TDirectoryEntry& entry : entries) {
      std::string folded = FoldCase(entry.Name);
      names[std::move(folded)].emplace(std::move(entry.Name));
    }
    listing = cache.Listings.emplace(dir, std::move(names)).first;
  }
  auto matches = listing->second.find(FoldCase(name));
  if (matches == listing->second.end()) return false;
  std::set<std::string>& candidates = matches->second;
  for (auto it = candidates.begin(); it != candidates.end();) {
    if (EntryExists(JoinComponent(dir, *it))) {
      found = *it;
      return true;
    }
    it = candidates.erase(it);
  }
  return false;
}

// The native spelling of the first count components, each tried as written first. found is
// false once a component exists under no spelling: that one and the rest are kept as asked.
// knownMissing is the full path as written, which the caller has already found missing.
std::string ResolveCached(bool absolute, const std::vector<std::string_view>& parts, std::size_t count,
                          const std::string& knownMissing, bool& found) {
  std::string spelled = absolute ? "/" : "";
  for (std::size_t i = 0; i < count; ++i) spelled = JoinComponent(spelled, parts[i]);
  found = true;
  if (count == 0) return spelled;
  TDirectoryCache& cache = Cache();
  if (auto known = cache.Found.find(spelled); known != cache.Found.end()) return known->second;

  const std::string base = ResolveCached(absolute, parts, count - 1, knownMissing, found);
  const std::string_view part = parts[count - 1];
  std::string next = JoinComponent(base, part);
  if (!found || part == "..") return next;
  if (next == knownMissing || !EntryExists(next)) {
    std::string name;
    if (!FindIgnoringCaseCached(base, part, name)) {
      found = false;
      return next;
    }
    next = JoinComponent(base, name);
  }
  // Directories only: they are few, and a file's spelling is found again from the listing.
  if (count < parts.size()) cache.Found.emplace(std::move(spelled), next);
  return next;
}

}  // namespace

std::string DisplayPath(std::string_view path) {
  if (IsWindowsOnlyPath(path) && !IsRealDrivePath(path)) return std::string(path);
  return NativePath(path);
}

std::string NativePath(std::string_view path) {
  if (path.empty()) return {};
  const bool drivePath = IsWindowsOnlyPath(path);
  if (drivePath && !IsRealDrivePath(path)) return NowherePath(path);

  // A share keeps its two leading separators ("//server/share/...").
  const bool share = drivePath && IsSeparator(path[0]);
  const bool absolute = IsSeparator(path.front());
  const bool trailing = IsSeparator(path.back());
  std::vector<std::string_view> parts = SplitComponents(path);
  std::erase(parts, std::string_view("."));

  std::string exact = share ? "//" : absolute ? "/" : "";
  for (std::string_view part : parts) exact = JoinComponent(exact, part);
  if (exact.empty()) exact = ".";

  // The common case: the path exists as spelled. Where the system itself finds names without
  // regard to case, no directory needs searching.
  if (os::NamesIgnoreCase()) {
    // The file's name as the disk spells it, as a search would give it elsewhere.
    if (!trailing) exact = os::StoredSpelling(exact);
  } else if (EntryExists(exact)) {
    // Nothing to search.
  } else if (Cache().Depth > 0) {
    bool found = false;
    std::string built = ResolveCached(absolute, parts, parts.size(), exact, found);
    exact = built.empty() ? "." : built;
  } else {
    std::string built = absolute ? "/" : "";
    bool searching = true;
    for (std::string_view part : parts) {
      std::string next = JoinComponent(built, part);
      if (searching && part != ".." && !EntryExists(next)) {
        std::string found;
        if (FindIgnoringCase(built, part, found)) {
          next = JoinComponent(built, found);
        } else {
          // The rest does not exist: keep it as asked for (a file about to be created).
          searching = false;
        }
      }
      built = std::move(next);
    }
    exact = built.empty() ? "." : built;
  }
  if (trailing && exact.back() != '/') exact += '/';
  return exact;
}

bool IsNowherePath(std::string_view native) {
  const std::string_view root = os::NowhereRoot();
  return native.size() > root.size() && native.starts_with(root) && native[root.size()] == '/';
}

TDirectoryCacheScope::TDirectoryCacheScope() { ++Cache().Depth; }

TDirectoryCacheScope::~TDirectoryCacheScope() {
  TDirectoryCache& cache = Cache();
  if (--cache.Depth > 0) return;
  cache.Listings.clear();
  cache.Found.clear();
}

void NoteFileCreated(std::string_view nativePath) {
  TDirectoryCache& cache = Cache();
  if (cache.Depth == 0 || nativePath.empty()) return;
  auto [dir, name] = SplitNative(nativePath);
  if (auto listing = cache.Listings.find(dir); listing != cache.Listings.end()) {
    listing->second[FoldCase(name)].insert(name);
  }
}

void NoteFileRemoved(std::string_view nativePath) {
  TDirectoryCache& cache = Cache();
  if (cache.Depth == 0 || nativePath.empty()) return;
  auto [dir, name] = SplitNative(nativePath);
  if (auto listing = cache.Listings.find(dir); listing != cache.Listings.end()) {
    if (auto matches = listing->second.find(FoldCase(name)); matches != listing->second.end()) {
      matches->second.erase(name);
    }
  }
  // A directory that goes takes what was found in and below it.
  const std::string removed = dir == "/" ? "/" + name : (dir.empty() ? name : dir + "/" + name);
  std::erase_if(cache.Found, [&](const auto& entry) {
    const std::string& at = entry.second;
    return at == removed || (at.size() > removed.size() && at.starts_with(removed) && at[removed.size()] == '/');
  });
  cache.Listings.erase(removed);
}

bool IsAbsoluteEntry(std::string_view entry) {
  if (entry.find(":\\") != std::string_view::npos || (!entry.empty() && entry.front() == '/')) return true;
  // Where drives are real, a native path ("C:/VB/UTIL.BAS") is absolute too.
  return os::DrivePathsExist() && entry.size() >= 3 && IsDriveComponent(entry.substr(0, 2)) && entry[2] == '/';
}

std::string ExtractFileName(std::string_view path) {
  std::size_t pos = path.find_last_of("\\/:");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtractFileExt(std::string_view path) {
  std::size_t pos = path.find_last_of(".\\/:");
  if (pos == std::string_view::npos || path[pos] != '.') return {};
  return std::string(path.substr(pos));
}

std::string ExtractFilePath(std::string_view path) {
  std::size_t pos = path.find_last_of("\\/");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::size_t pos = path.find_last_of(".\\/:");
  std::string out(path);
  if (pos != std::string_view::npos && path[pos] == '.') out.resize(pos);
  out += ext;
  return out;
}

std::string IncludeTrailingSeparator(std::string_view path) {
  std::string out(path);
  // An empty path stays empty: a lone separator would name the root directory.
  if (out.empty() || IsSeparator(out.back())) return out;
  out += out.find('\\') != std::string::npos ? '\\' : '/';
  return out;
}

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  os::TFileInfo info;
  return os::GetFileInfo(NativePath(path), info) && info.Kind != os::TFileKind::Directory;
}

bool DirectoryExists(std::string_view path) {
  if (path.empty()) return false;
  os::TFileInfo info;
  return os::GetFileInfo(NativePath(path), info) && info.Kind == os::TFileKind::Directory;
}

bool ForceDirectories(std::string_view path) {
  std::string_view dir = path;
  if (!dir.empty() && IsSeparator(dir.back())) dir.remove_suffix(1);
  if (dir.size() < 3) return DirectoryExists(dir);
  if (DirectoryExists(dir)) return true;
  std::error_code ec;
  const std::string native = NativePath(dir);
  std::filesystem::create_directories(native, ec);
  // Any of the directories on the way may be new.
  for (std::size_t slash = native.find('/', 1); slash != std::string::npos; slash = native.find('/', slash + 1)) {
    NoteFileCreated(std::string_view(native).substr(0, slash));
  }
  NoteFileCreated(native);
  return DirectoryExists(dir);
}

std::vector<std::string> ListFiles(std::string_view directory) {
  std::vector<std::string> names;
  std::string dir = NativePath(directory);
  if (dir.empty()) dir = ".";
  std::vector<os::TDirectoryEntry> entries;
  if (!os::ListDirectory(dir, entries)) return names;
  for (os::TDirectoryEntry& entry : entries) {
    // The listing's own type saves a stat per file; a link (or an unknown type) is followed.
    os::TFileInfo info;
    if (entry.Kind == os::TFileKind::Regular ||
        (entry.Kind != os::TFileKind::Directory && os::GetFileInfo(JoinComponent(dir, entry.Name), info) &&
         info.Kind == os::TFileKind::Regular)) {
      names.push_back(std::move(entry.Name));
    }
  }
  // Sorted as a Windows file list shows them: letter case ignored, then byte order for a stable tie.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

double FileSizeOf(std::string_view path) {
  if (path.empty()) return -1;
  os::TFileInfo info;
  if (!os::GetFileInfo(NativePath(path), info) || info.Kind == os::TFileKind::Directory) return -1;
  return static_cast<double>(info.Size);
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace qm
