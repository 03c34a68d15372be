// SPDX-License-Identifier: MIT
#pragma once

// What the operating system does differently: files by descriptor and by name, directory
// listings, file identity, the user's configuration directory, local time, Ctrl+C, and the
// program's arguments and standard streams. os_posix.cpp and os_windows.cpp implement it; the
// build compiles the one for its target. Paths are UTF-8 and native (NativePath's output).
// Functions that fail return false or -1 and leave the reason in errno.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace qm::os {

// A file's identity on its volume: two names with equal ids are the same file.
struct TFileId {
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  auto operator<=>(const TFileId&) const = default;
};

enum class TFileKind { Regular, Directory, Link, Other };

struct TFileInfo {
  TFileKind Kind = TFileKind::Other;
  std::uint64_t Size = 0;
  unsigned Mode = 0;  // the permission bits (07777); on Windows 0666 or, read-only, 0444
  TFileId Id;
};

// The file at a path; with followLinks false a symbolic link is described itself.
bool GetFileInfo(const std::string& native, TFileInfo& info, bool followLinks = true);
bool GetFileInfo(int fd, TFileInfo& info);

// Opens for reading, in binary, not inherited by child processes. nonBlocking keeps the open of a
// named pipe from waiting for a writer (MakeBlocking undoes it once the file is known regular).
int OpenForReading(const std::string& native, bool nonBlocking = false);
bool MakeBlocking(int fd);
// Creates a new file for writing (failing with EEXIST when one is there), in binary, not inherited.
int CreateExclusive(const std::string& native);
// A part of the file; fewer bytes than asked (0 at the end) or -1. EINTR is retried inside.
std::ptrdiff_t Read(int fd, void* buffer, std::size_t size);
std::ptrdiff_t Write(int fd, const void* buffer, std::size_t size);
bool Close(int fd);

// Sets the permission bits of an open file (Windows: only whether the owner may write).
bool SetMode(int fd, unsigned mode);
bool SetMode(const std::string& native, unsigned mode);
// Gives the file open as to the access and modification times of the file open as from.
bool CopyTimes(int from, int to);
// Replaces to by from in one step (to may exist; it must not be a directory).
bool ReplaceFile(const std::string& from, const std::string& to);
// Removes a file (also a read-only one on Windows, as an unlink does on Linux).
bool RemoveFile(const std::string& native);
// The path with every link followed and made absolute; empty when that fails.
std::string RealPath(const std::string& native);
int ProcessId();

// Opens a file for reading and writing (creating it when missing; a symbolic link in its place is
// not followed: ELOOP) and takes an exclusive advisory lock on it without waiting. The descriptor
// holds the lock until it is closed, also when the process ends in any way; -1 with errno
// EWOULDBLOCK when another process holds the lock.
int OpenLocked(const std::string& native);
// Empties an open file and writes text at its start.
bool Rewrite(int fd, const std::string& text);
// Whether the process may create files in the directory (errno tells why not).
bool CanCreateIn(const std::string& native);

// One directory entry; Kind is Other when the listing does not tell (a link, an unknown type).
struct TDirectoryEntry {
  std::string Name;
  TFileKind Kind = TFileKind::Other;
};
// The entries of a directory but "." and ".."; false when it cannot be listed.
bool ListDirectory(const std::string& native, std::vector<TDirectoryEntry>& entries);

// Whether the file system finds names without regard to letter case, as Windows does: then no
// directory needs to be searched for another spelling of a name.
bool NamesIgnoreCase();
// The path with its last component spelled as the file system stores it, where names are found
// without regard to case (elsewhere, and when nothing is found, the path as given).
std::string StoredSpelling(const std::string& native);
// Whether a path beginning with a drive ("C:\") or a share ("\\server\share") names a file here.
bool DrivePathsExist();
// A directory under which nothing can exist, for the paths that name nothing on this machine.
const char* NowhereRoot();

// The directory of the user's saved settings, with a trailing '/': on Linux
// $XDG_CONFIG_HOME/quillmate/ (an absolute value only), else ~/.config/quillmate/; on Windows
// %APPDATA%/quillmate/.
std::string ConfigDirectory();

// The broken-down local time of t.
std::tm LocalTime(std::time_t t);

// For its lifetime, Ctrl+C (and a termination request) call onInterrupt instead of ending the
// program; a second one ends it. onInterrupt may run on a signal handler or on another thread:
// it should only set an atomic flag.
class TInterruptScope {
 public:
  explicit TInterruptScope(void (*onInterrupt)());
  ~TInterruptScope();
  TInterruptScope(const TInterruptScope&) = delete;
  TInterruptScope& operator=(const TInterruptScope&) = delete;
};

// Text in a named encoding read as UTF-8, for output that must be Unicode. On Linux any name the
// system's iconv knows; on Windows the names of the ANSI code pages the desktop offers (windows-125x,
// shift_jis, gbk, big5, windows-949, windows-874, utf-8, and cpNNN), by their code page. A byte
// sequence that does not decode becomes U+FFFD, and the conversion goes on after it.
class TTextDecoder {
 public:
  // Ok() is false when the name is not known here.
  explicit TTextDecoder(const std::string& encoding);
  ~TTextDecoder();
  TTextDecoder(const TTextDecoder&) = delete;
  TTextDecoder& operator=(const TTextDecoder&) = delete;

  bool Ok() const { return ok_; }
  std::string ToUtf8(std::string_view bytes) const;

 private:
  bool ok_ = false;
  void* handle_ = nullptr;  // iconv's converter
  unsigned codePage_ = 0;   // Windows' code page
};

// The program's arguments in UTF-8 (on Windows from the wide command line, whatever the code
// page), without the program's name.
std::vector<std::string> Arguments(int argc, char** argv);
// Standard input and output carry bytes as they are (no CR LF translation on Windows).
void UseBinaryStandardStreams();

}  // namespace qm::os
