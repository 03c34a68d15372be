// SPDX-License-Identifier: MIT
#include "platform/linefile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/os.h"
#include "platform/paths.h"

namespace qm {

namespace {

constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max() - 1;

// Reads a descriptor to its end into bytes: a first buffer of initial bytes (at least one), grown
// up to limit + 1 bytes, so that a result longer than limit tells a file past the limit. False,
// with the reason's errno in code and bytes empty, when a read fails.
bool ReadToEnd(int fd, std::string& bytes, std::size_t initial, std::size_t limit, int& code) {
  bytes.resize(initial);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (bytes.size() > limit) break;
      bytes.resize(std::min(limit + 1, bytes.size() * 2));
    }
    const std::ptrdiff_t n = os::Read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      code = errno;
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return true;
}

void SetError(std::string* err, int code) {
  if (err) *err = std::strerror(code);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::ptrdiff_t n = os::Write(fd, bytes.data(), bytes.size());
    if (n < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Opens a new, exclusive temporary file beside target; its name is returned in tmp.
int CreateTemporaryBeside(const std::string& target, std::string& tmp) {
  static std::atomic<unsigned> counter{0};
  std::size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = dir + "." + name + ".tmp" + std::to_string(os::ProcessId()) + "-" +
          std::to_string(counter.fetch_add(1));
    int fd = os::CreateExclusive(tmp);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

// One per line end (CR, LF or CR LF), and one for a last line without its end. Every LF ends a
// line, and every CR not followed by an LF: counted without branches, so that the compiler can
// test many bytes at once.
std::int32_t CountLines(std::string_view bytes) {
  const std::size_t n = bytes.size();
  if (n == 0) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t lines = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    lines += static_cast<std::size_t>((p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n')));
  }
  // The last byte ends a line whether it is a line end or the last character of a line without one.
  return static_cast<std::int32_t>(lines + 1);
}

TLines SplitLines(std::string_view bytes) {
  TLines lines;
  lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t pos = 0;
  const std::size_t size = bytes.size();
  // A line ends at the first CR or LF. The next of each is looked for on its own and kept until
  // passed: a search for either of two characters looks every byte up in the pair, which made
  // reading the files a sixth of a whole run, and keeping them keeps a file without any CR (or
  // any LF) from being searched to its end for every line.
  std::size_t cr = bytes.find('\r'), lf = bytes.find('\n');
  while (pos < size) {
    if (cr < pos) cr = bytes.find('\r', pos);
    if (lf < pos) lf = bytes.find('\n', pos);
    const std::size_t end = std::min(cr, lf);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(pos));
      break;
    }
    lines.emplace_back(bytes.substr(pos, end - pos));
    pos = (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? end + 2 : end + 1;
  }
  return lines;
}

bool ReadFileBytes(std::string_view path, std::string& bytes, std::string* err) {
  bytes.clear();
  if (path.empty()) {
    SetError(err, ENOENT);
    return false;
  }
  const std::string native = NativePath(path);
  int fd = os::OpenForReading(native);
  if (fd < 0) {
    SetError(err, errno);
    return false;
  }
  os::TFileInfo info;
  const bool described = os::GetFileInfo(fd, info);
  if (!described || info.Kind == os::TFileKind::Directory) {
    int code = !described ? errno : EISDIR;
    os::Close(fd);
    SetError(err, code);
    return false;
  }
  // One read of the announced size, then on to the end in case the file grew meanwhile.
  const std::size_t capacity = info.Size > 0 ? static_cast<std::size_t>(info.Size) + 1 : 4096;
  int code = 0;
  const bool read = ReadToEnd(fd, bytes, capacity, kNoLimit, code);
  os::Close(fd);
  if (!read) SetError(err, code);
  return read;
}

bool ReadSmallFile(std::string_view path, std::string& bytes, std::string* err, std::size_t maxBytes) {
  bytes.clear();
  auto fail = [&](std::string_view reason) {
    bytes.clear();
    if (err) *err = std::string(reason);
    return false;
  };
  if (path.empty()) {
    SetError(err, ENOENT);
    return false;
  }
  const std::string native = NativePath(path);
  // Non-blocking, so that opening a named pipe returns at once; only a regular file is read.
  int fd = os::OpenForReading(native, true);
  if (fd < 0) {
    if (errno == EISDIR) return fail(kIsDirectory);
    SetError(err, errno);
    return false;
  }
  os::TFileInfo info;
  if (!os::GetFileInfo(fd, info)) {
    int code = errno;
    os::Close(fd);
    SetError(err, code);
    return false;
  }
  if (info.Kind != os::TFileKind::Regular) {
    os::Close(fd);
    return fail(info.Kind == os::TFileKind::Directory ? kIsDirectory : kNotRegularFile);
  }
  if (info.Size > maxBytes) {
    os::Close(fd);
    return fail(kTooLarge);
  }
  // One byte more than the file's size tells a file that grew since the fstat; the buffer grows up
  // to one byte more than allowed, which tells a file that grew past the limit. (A buffer of the
  // limit's size from the start would be cleared in full for every small file read.)
  int code = 0;
  const bool read = ReadToEnd(fd, bytes, static_cast<std::size_t>(info.Size) + 1, maxBytes, code);
  os::Close(fd);
  if (!read) {
    SetError(err, code);
    return false;
  }
  if (bytes.size() > maxBytes) return fail(kTooLarge);
  return true;
}

bool ReadLineFile(std::string_view path, TLines& lines, std::string* err) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, err)) {
    lines.clear();
    return false;
  }
  lines = SplitLines(bytes);
  return true;
}

namespace {

// The new content goes to a temporary file in the same directory, which then replaces the target
// in one rename: a failure at any point leaves the old file (or none) and never a partial one.
// No fsync: a run writes hundreds of files, and a sync per file would cost more than the run.
bool WriteBytes(std::string_view path, std::string_view bytes, std::string* err, bool followLink) {
  if (path.empty()) {
    SetError(err, ENOENT);
    return false;
  }
  std::string target = NativePath(path);
  if (target.back() == '/') {
    SetError(err, EISDIR);
    return false;
  }

  // Write through a symbolic link to the file it names, or replace the link itself.
  os::TFileInfo info;
  bool existed = false;
  if (os::GetFileInfo(target, info, false)) {
    const bool link = info.Kind == os::TFileKind::Link;
    if (link && followLink) {
      if (std::string resolved = os::RealPath(target); !resolved.empty()) target = std::move(resolved);
    }
    if (link && !followLink) {
      // The link's target is not looked at: the new file takes the link's place.
    } else if (os::GetFileInfo(target, info)) {
      if (info.Kind == os::TFileKind::Directory) {
        SetError(err, EISDIR);
        return false;
      }
      existed = true;
    }
  }

  std::string tmp;
  int fd = CreateTemporaryBeside(target, tmp);
  if (fd < 0) {
    SetError(err, errno);
    return false;
  }
  bool ok = WriteAll(fd, bytes);
  if (ok && existed) ok = os::SetMode(fd, info.Mode);
  int code = ok ? 0 : errno;
  if (!os::Close(fd) && ok) {
    ok = false;
    code = errno;
  }
  if (ok && !os::ReplaceFile(tmp, target)) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    os::RemoveFile(tmp);
    SetError(err, code);
  } else {
    NoteFileCreated(target);
  }
  return ok;
}

}  // namespace

bool WriteFileBytes(std::string_view path, std::string_view bytes, std::string* err) {
  return WriteBytes(path, bytes, err, true);
}

bool ReplaceFileBytes(std::string_view path, std::string_view bytes, std::string* err) {
  return WriteBytes(path, bytes, err, false);
}

bool RewriteFileBytes(std::string_view path, std::string_view before, std::string_view after, std::string* err) {
  const auto fail = [&](std::string_view reason) {
    if (err) *err = std::string(reason);
    return false;
  };
  const std::string native = NativePath(path);
  os::TFileInfo info;
  if (!os::GetFileInfo(native, info)) {
    SetError(err, errno);
    return false;
  }
  if (info.Kind == os::TFileKind::Directory) return fail(kIsDirectory);
  if (info.Kind != os::TFileKind::Regular) return fail(kNotRegularFile);
  if ((info.Mode & 0200) == 0) return fail(kReadOnly);
  std::string now;
  if (!ReadFileBytes(native, now, err)) return false;
  if (now != before) return fail(kChangedMeanwhile);
  return WriteFileBytes(native, after, err);
}

bool WriteLineFile(std::string_view path, const TLines& lines, std::string* err) {
  std::size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 2;
  std::string bytes;
  bytes.reserve(total);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteFileBytes(path, bytes, err);
}

}  // namespace qm
