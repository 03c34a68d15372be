#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <unordered_map>

namespace qm {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

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

// Puts a Windows-only path below /dev/null: a device is no directory, so nothing below it can be
// opened, listed or created, not even by root, and the real root is never reached. "." and ".."
// are resolved here so that no lexical clean-up by a caller can climb out of the prefix.
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
  std::string out = "/dev/null";
  for (std::string_view part : kept) {
    out += '/';
    out += part;
  }
  return out;
}

bool EntryExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of directory dir whose name equals name without regard to ASCII letter case; the
// smallest such name in byte order when several do, so the choice does not depend on the order of
// the directory listing.
bool FindIgnoringCase(const std::string& dir, std::string_view name, std::string& found) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return false;
  bool any = false;
  while (dirent* e = ::readdir(d)) {
    std::string_view candidate(e->d_name);
    if (candidate == "." || candidate == "..") continue;
    if (!SameTextIgnoringCase(candidate, name)) continue;
    if (!any || candidate < found) found = std::string(candidate);
    any = true;
  }
  ::closedir(d);
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
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    std::unordered_map<std::string, std::set<std::string>> names;
    while (dirent* e = ::readdir(d)) {
      std::string_view entry(e->d_name);
      if (entry == "." || entry == "..") continue;
      names[FoldCase(entry)].emplace(entry);
    }
    ::closedir(d);
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
  if (IsWindowsOnlyPath(path)) return std::string(path);
  return NativePath(path);
}

std::string NativePath(std::string_view path) {
  if (path.empty()) return {};
  if (IsWindowsOnlyPath(path)) return NowherePath(path);

  const bool absolute = IsSeparator(path.front());
  const bool trailing = IsSeparator(path.back());
  std::vector<std::string_view> parts = SplitComponents(path);
  std::erase(parts, std::string_view("."));

  std::string exact = absolute ? "/" : "";
  for (std::string_view part : parts) exact = JoinComponent(exact, part);
  if (exact.empty()) exact = ".";

  // The common case: the path exists as spelled.
  if (EntryExists(exact)) {
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
  return entry.find(":\\") != std::string_view::npos || (!entry.empty() && entry.front() == '/');
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
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
  if (path.empty()) return false;
  struct stat st;
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
  DIR* d = ::opendir(dir.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    std::string_view name(e->d_name);
    if (name == "." || name == "..") continue;
    // The listing's own type saves a stat per file; a link (or an unknown type) is followed.
    struct stat st;
    if (e->d_type == DT_REG ||
        (e->d_type != DT_DIR && ::stat(JoinComponent(dir, name).c_str(), &st) == 0 && S_ISREG(st.st_mode))) {
      names.emplace_back(name);
    }
  }
  ::closedir(d);
  // Sorted as a Windows file list shows them: letter case ignored, then byte order for a stable tie.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

double FileSizeOf(std::string_view path) {
  if (path.empty()) return -1;
  struct stat st;
  if (::stat(NativePath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<double>(st.st_size);
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
