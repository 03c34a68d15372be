// SPDX-License-Identifier: MIT
// The POSIX side of the operating-system layer (platform/os.h): Linux and other Unix systems.

#include "platform/os.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <dirent.h>
#include <iconv.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace qm::os {

namespace {

void Describe(const struct stat& st, TFileInfo& info) {
  info.Kind = S_ISREG(st.st_mode)   ? TFileKind::Regular
              : S_ISDIR(st.st_mode) ? TFileKind::Directory
              : S_ISLNK(st.st_mode) ? TFileKind::Link
                                    : TFileKind::Other;
  info.Size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  info.Mode = static_cast<unsigned>(st.st_mode & 07777);
  info.Id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

bool GetFileInfo(const std::string& native, TFileInfo& info, bool followLinks) {
  struct stat st {};
  if ((followLinks ? ::stat(native.c_str(), &st) : ::lstat(native.c_str(), &st)) != 0) return false;
  Describe(st, info);
  return true;
}

bool GetFileInfo(int fd, TFileInfo& info) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  Describe(st, info);
  return true;
}

int OpenForReading(const std::string& native, bool nonBlocking) {
  return ::open(native.c_str(), O_RDONLY | O_CLOEXEC | (nonBlocking ? O_NONBLOCK : 0));
}

bool MakeBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int CreateExclusive(const std::string& native) {
  // 0666 lets the process's umask decide, as for any newly created file.
  return ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

std::ptrdiff_t Read(int fd, void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

std::ptrdiff_t Write(int fd, const void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::write(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool Close(int fd) { return ::close(fd) == 0; }

bool SetMode(int fd, unsigned mode) { return ::fchmod(fd, static_cast<mode_t>(mode & 07777)) == 0; }

bool SetMode(const std::string& native, unsigned mode) {
  return ::chmod(native.c_str(), static_cast<mode_t>(mode & 07777)) == 0;
}

bool CopyTimes(int from, int to) {
  struct stat st {};
  if (::fstat(from, &st) != 0) return false;
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  return ::futimens(to, times) == 0;
}

bool ReplaceFile(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool RemoveFile(const std::string& native) { return ::unlink(native.c_str()) == 0; }

std::string RealPath(const std::string& native) {
  char resolved[PATH_MAX];
  return ::realpath(native.c_str(), resolved) ? std::string(resolved) : std::string();
}

int ProcessId() { return static_cast<int>(::getpid()); }

int OpenLocked(const std::string& native) {
  const int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    ::close(fd);
    errno = code;
    return -1;
  }
  return fd;
}

bool Rewrite(int fd, const std::string& text) {
  return ::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

bool CanCreateIn(const std::string& native) { return ::access(native.c_str(), W_OK | X_OK) == 0; }

bool ListDirectory(const std::string& native, std::vector<TDirectoryEntry>& entries) {
  DIR* d = ::opendir(native.empty() ? "." : native.c_str());
  if (!d) return false;
  while (dirent* e = ::readdir(d)) {
    std::string name(e->d_name);
    if (name == "." || name == "..") continue;
    const TFileKind kind = e->d_type == DT_REG ? TFileKind::Regular
                           : e->d_type == DT_DIR ? TFileKind::Directory
                                                 : TFileKind::Other;
    entries.push_back({std::move(name), kind});
  }
  ::closedir(d);
  return true;
}

bool NamesIgnoreCase() { return false; }
bool DrivePathsExist() { return false; }
std::string StoredSpelling(const std::string& native) { return native; }
// A device is no directory: nothing below it can be opened, listed or created, not even by root.
const char* NowhereRoot() { return "/dev/null"; }

std::string ConfigDirectory() {
  const auto withSlash = [](std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
  };
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // Relative values are to be ignored, as the base-directory convention asks.
  if (config && config[0] == '/') return withSlash(config) + "quillmate/";
  std::string home;
  if (const char* env = std::getenv("HOME"); env && env[0] != '\0') {
    home = env;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  if (home.empty()) return ".config/quillmate/";
  return withSlash(home) + ".config/quillmate/";
}

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  ::localtime_r(&t, &local);
  return local;
}

namespace {

void (*gInterruptHandler)() = nullptr;
struct sigaction gOldInt {};
struct sigaction gOldTerm {};

extern "C" void OnSignal(int) {
  if (gInterruptHandler) gInterruptHandler();
}

}  // namespace

TInterruptScope::TInterruptScope(void (*onInterrupt)()) {
  gInterruptHandler = onInterrupt;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // The handler is reset once it has run: a second Ctrl+C ends the program at once.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
}

TInterruptScope::~TInterruptScope() {
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
}

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseBinaryStandardStreams() {}

TTextDecoder::TTextDecoder(const std::string& encoding) {
  iconv_t cd = encoding.empty() ? reinterpret_cast<iconv_t>(-1) : ::iconv_open("UTF-8", encoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return;
  handle_ = cd;
  ok_ = true;
}

TTextDecoder::~TTextDecoder() {
  if (handle_) ::iconv_close(static_cast<iconv_t>(handle_));
}

std::string TTextDecoder::ToUtf8(std::string_view bytes) const {
  if (!ok_) return {};
  iconv_t cd = static_cast<iconv_t>(handle_);
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
  std::string out;
  char buffer[1024];
  char* in = const_cast<char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left > 0) {
    char* to = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t done = ::iconv(cd, &in, &left, &to, &room);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // An invalid or incomplete sequence: one replacement character for its first byte.
    out += "\xEF\xBF\xBD";
    ++in;
    --left;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* to = buffer;
  std::size_t room = sizeof buffer;
  ::iconv(cd, nullptr, nullptr, &to, &room);
  out.append(buffer, static_cast<std::size_t>(to - buffer));
  return out;
}

}  // namespace qm::os
