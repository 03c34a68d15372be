#include "project/copying.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "messages.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm {

namespace {

constexpr std::size_t kCopyBlock = 1 << 20;

class TFd {
 public:
  explicit TFd(int fd = -1) : fd_(fd) {}
  ~TFd() { Close(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // True when the descriptor was closed cleanly (a failed close can mean lost data).
  bool Close() {
    if (fd_ < 0) return true;
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies until the source's end; false when a read or write fails.
bool CopyContent(int in, int out) {
  std::unique_ptr<char[]> buffer(new char[kCopyBlock]);
  for (;;) {
    ssize_t n = ::read(in, buffer.get(), kCopyBlock);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(out, buffer.get(), static_cast<std::size_t>(n))) return false;
  }
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool CopyFileImpl(std::string_view source, std::string_view destination, bool exact) {
  if (source == destination) return false;
  std::string src = NativePath(source);
  std::string dst = NativePath(destination);

  // Non-blocking open so that a named pipe cannot hang the copy; only regular files are copied.
  TFd in(::open(src.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!in.Valid()) return false;
  struct stat srcStat {};
  if (::fstat(in.Get(), &srcStat) != 0 || !S_ISREG(srcStat.st_mode)) return false;
  int flags = ::fcntl(in.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(in.Get(), F_SETFL, flags & ~O_NONBLOCK);

  // Another spelling of the source's own path (a doubled separator, "./", a link) must not
  // truncate it: the destination is looked at before anything is created.
  struct stat dstStat {};
  if (::stat(dst.c_str(), &dstStat) == 0) {
    if (SameFile(srcStat, dstStat)) return false;
    if (S_ISDIR(dstStat.st_mode)) return false;
  }

  // The destination is replaced by a new file: a read-only file of that name gives way too, and
  // a link there is replaced rather than written through.
  struct stat linkStat {};
  if (::lstat(dst.c_str(), &linkStat) == 0 && !S_ISDIR(linkStat.st_mode)) ::unlink(dst.c_str());
  TFd out(::open(dst.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!out.Valid()) {
    // The directory may refuse the removal while the old file itself stays writable.
    out.Reset(::open(dst.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!out.Valid()) return false;
  }

  bool ok = CopyContent(in.Get(), out.Get());
  if (ok && exact) {
    ok = ::fchmod(out.Get(), srcStat.st_mode & 0777) == 0;
    const struct timespec times[2] = {srcStat.st_atim, srcStat.st_mtim};
    ok = ::futimens(out.Get(), times) == 0 && ok;
  }
  ok = out.Close() && ok;
  if (!ok) {
    // A half-written copy is worse than none.
    ::unlink(dst.c_str());
    return false;
  }
  return true;
}

// Shows the copy window for the length of one copy operation.
class TCopyWindow {
 public:
  TCopyWindow(IProgress& progress, std::size_t count) : progress_(progress) {
    int last = count > 0 ? static_cast<int>(count) - 1 : 0;
    progress_.SetRange(0, last);
    progress_.SetPosition(0);
    progress_.Show();
  }
  ~TCopyWindow() { progress_.Hide(); }
  TCopyWindow(const TCopyWindow&) = delete;
  TCopyWindow& operator=(const TCopyWindow&) = delete;

  void Step(int index) { progress_.SetPosition(index); }
  void Label(std::string_view name) { progress_.SetLabel(msg::Format(msg::BackingUpFile, name)); }

 private:
  IProgress& progress_;
};

bool BothDirectoriesExist(std::string_view projectDir, std::string_view outputDir) {
  return DirectoryExists(NativePath(projectDir)) && DirectoryExists(NativePath(outputDir));
}

std::string Joined(std::string_view dir, std::string_view name) {
  std::string path(dir);
  path += name;
  return path;
}

// Copies dir-relative name and its form companion (.FRX) from one directory to the other.
void CopyWithCompanion(std::string_view name, std::string_view projectDir, std::string_view outputDir) {
  CopyFileAsNew(Joined(projectDir, name), Joined(outputDir, name));
  std::string companion = ChangeFileExt(name, ".FRX");
  std::string source = Joined(projectDir, companion);
  // The form names its companion as the disk spells it (frmMain.frx): keep that spelling in the
  // copy so that the copied project finds it on a case-sensitive disk too.
  std::string found = NativePath(source);
  if (FileExists(found)) companion = ExtractFilePath(companion) + ExtractFileName(found);
  CopyFileAsNew(source, Joined(outputDir, companion));
}

// Rewrites a file line by line, keeping its permission bits; a read-only file is opened up for
// the moment of writing.
template <typename Rewrite>
bool RewriteLines(std::string_view path, Rewrite rewrite) {
  std::string native = NativePath(path);
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  TLines lines;
  if (!ReadLineFile(native, lines)) return false;
  for (std::string& line : lines) line = rewrite(line);
  mode_t mode = st.st_mode & 07777;
  if (!(mode & S_IWUSR)) ::chmod(native.c_str(), mode | S_IWUSR);
  bool ok = WriteLineFile(native, lines);
  ::chmod(native.c_str(), mode);
  return ok;
}

}  // namespace

bool CopyFileAsNew(std::string_view source, std::string_view destination) {
  return CopyFileImpl(source, destination, false);
}

bool CopyFileExact(std::string_view source, std::string_view destination) {
  return CopyFileImpl(source, destination, true);
}

bool CopyMAKEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, projectLines.size());
  int index = 0;
  for (const std::string& line : projectLines) {
    window.Step(index++);
    window.Label(line);
    // Settings and absolute paths name no file under the project directory and copy nothing.
    CopyWithCompanion(line, projectDir, outputDir);
  }
  return true;
}

bool CopyVBPEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, projectLines.size());
  int index = 0;
  for (const std::string& line : projectLines) {
    window.Step(index++);
    std::string name = VBPEntryName(line);
    if (name.size() < 2) continue;
    window.Label(name);
    CopyWithCompanion(name, projectDir, outputDir);
  }
  return true;
}

bool CopyDirectoryFiles(const std::vector<std::string>& names, std::string_view projectDir,
                        std::string_view outputDir, IProgress& progress) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, names.size());
  int index = 0;
  for (const std::string& name : names) {
    window.Step(index++);
    window.Label(name);
    CopyFileAsNew(Joined(projectDir, name), Joined(outputDir, name));
  }
  return true;
}

bool CopyDirectoryFiles(std::string_view projectDir, std::string_view outputDir, IProgress& progress) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  return CopyDirectoryFiles(ListFiles(NativePath(projectDir)), projectDir, outputDir, progress);
}

std::string LocalizeMAKLine(std::string_view line) {
  // Native separators count as well as backslashes: a project may name a file by a Linux path.
  if (line.find_first_of("\\/") == std::string_view::npos) return std::string(line);
  if (line.find('=') != std::string_view::npos) return std::string(line);
  std::string ext = EntryExtension(line);
  if (ext == ".DLL" || ext == ".VBX" || ext == ".OCX") return std::string(line);
  return EntryFileName(line);
}

std::string LocalizeVBPLine(std::string_view line) {
  if (!IsVBPEntry(line)) return std::string(line);
  bool form = UpperCase(line.substr(0, 4)) == "FORM";
  std::size_t at = line.find(form ? '=' : ';');
  if (at == std::string_view::npos) return std::string(line);
  std::string out = TrimBlanks(line.substr(0, at + 1));
  if (!form) out += ' ';
  out += EntryFileName(TrimBlanks(line.substr(at + 1)));
  return out;
}

bool LocalizeMAKFile(std::string_view projectFilePath) {
  return RewriteLines(projectFilePath, [](const std::string& line) { return LocalizeMAKLine(line); });
}

bool LocalizeVBPFile(std::string_view projectFilePath) {
  return RewriteLines(projectFilePath, [](const std::string& line) { return LocalizeVBPLine(line); });
}

bool DeleteFiles(const std::vector<std::string>& names, std::string_view directory, IPrompts& prompts) {
  if (directory.empty()) return names.empty();
  TBusyScope busy(prompts);
  bool all = true;
  for (const std::string& name : names) {
    if (::unlink(NativePath(Joined(directory, name)).c_str()) != 0) all = false;
  }
  return all;
}

bool DeleteFiles(std::string_view directory, IPrompts& prompts) {
  // An empty directory would mean the working directory: never delete there by accident.
  if (directory.empty()) return false;
  return DeleteFiles(ListFiles(NativePath(directory)), directory, prompts);
}

}  // namespace qm
