// SPDX-License-Identifier: MIT
#include "project/copying.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>

#include "messages.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "project/outputfolder.h"
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
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // True when the descriptor was closed cleanly (a failed close can mean lost data).
  bool Close() {
    if (fd_ < 0) return true;
    const bool closed = os::Close(fd_);
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const std::ptrdiff_t n = os::Write(fd, data, size);
    if (n < 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies until the source's end; false (errno set) when a read or write fails.
bool CopyContent(int in, int out) {
  std::unique_ptr<char[]> buffer(new char[kCopyBlock]);
  for (;;) {
    const std::ptrdiff_t n = os::Read(in, buffer.get(), kCopyBlock);
    if (n < 0) return false;
    if (n == 0) return true;
    if (!WriteAll(out, buffer.get(), static_cast<std::size_t>(n))) return false;
  }
}


// A new file beside target, named after it with a dot in front (hidden from listings) and a
// suffix of its own; -1 with errno set when none can be made.
int CreateTemporaryFile(const std::string& target, std::string& tmp) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = dir + "." + name + ".tmp" + std::to_string(os::ProcessId()) + "-" + std::to_string(counter.fetch_add(1));
    const int fd = os::CreateExclusive(tmp);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

enum class TCopyResult { Copied, NoSource, Failed };

TCopyResult Fail(std::string* reason, std::string_view text) {
  if (reason) *reason = std::string(text);
  return TCopyResult::Failed;
}

// Copies between two native paths. Only a regular source is copied (anything else is no source);
// the destination is replaced by a new file, never written through a link or truncated in place.
TCopyResult CopyNative(const std::string& src, const std::string& dst, bool exact, std::string* reason) {
  // Non-blocking open so that a named pipe cannot hang the copy.
  TFd in(os::OpenForReading(src, true));
  if (!in.Valid()) {
    return errno == ENOENT || errno == ENOTDIR || errno == EISDIR ? TCopyResult::NoSource
                                                                   : Fail(reason, std::strerror(errno));
  }
  os::TFileInfo srcInfo;
  if (!os::GetFileInfo(in.Get(), srcInfo) || srcInfo.Kind != os::TFileKind::Regular) return TCopyResult::NoSource;
  os::MakeBlocking(in.Get());

  // Another spelling of the source's own path (a doubled separator, "./", a link) must not
  // truncate it: the destination is looked at before anything is created.
  os::TFileInfo dstInfo;
  if (os::GetFileInfo(dst, dstInfo)) {
    if (srcInfo.Id == dstInfo.Id) return Fail(reason, "it is the source itself");
    if (dstInfo.Kind == os::TFileKind::Directory) return Fail(reason, "a directory of that name is in the way");
  }

  // The copy is made under a temporary name beside the destination and renamed into place, so a
  // run stopped halfway never leaves a truncated file under the final name. The rename replaces a
  // read-only file of that name too, and a link there is replaced, not followed.
  std::string tmp;
  TFd out(CreateTemporaryFile(dst, tmp));
  if (!out.Valid()) return Fail(reason, std::strerror(errno));

  bool ok = CopyContent(in.Get(), out.Get());
  if (ok && exact) {
    ok = os::SetMode(out.Get(), srcInfo.Mode & 0777);
    ok = os::CopyTimes(in.Get(), out.Get()) && ok;
  }
  int code = ok ? 0 : errno;
  if (!out.Close() && ok) {
    ok = false;
    code = errno;
  }
  if (ok && !os::ReplaceFile(tmp, dst)) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    // A half-written copy is worse than none; the file of that name is left as it was.
    os::RemoveFile(tmp);
    return Fail(reason, std::strerror(code));
  }
  NoteFileCreated(dst);
  return TCopyResult::Copied;
}

bool CopyFileImpl(std::string_view source, std::string_view destination, bool exact) {
  if (source == destination) return false;
  return CopyNative(NativePath(source), NativePath(destination), exact, nullptr) == TCopyResult::Copied;
}

// A name that stays in the directory it is joined to: one component, no drive.
bool IsBareName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find_first_of("\\/") != std::string_view::npos) return false;
  const bool drive = name.size() >= 2 && name[1] == ':' &&
                     ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
  return !drive;
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

// Copies an entry of the project file and its binary companion (a form's .FRX, a user control's
// .CTX, a property page's .PGX, ...) under their bare names.
void CopyWithCompanion(TCopyStep& step, std::string_view entry, std::string_view projectDir) {
  step.Copy(ResolveEntry(projectDir, entry), EntryFileName(entry));
  const std::string companion = ResolveEntry(projectDir, ChangeFileExt(entry, CompanionExt(EntryExtension(entry))));
  // The source names its companion as the disk spells it (frmMain.frx): keep that spelling in the
  // copy so that the copied project finds it on a case-sensitive disk too.
  const std::string found = NativePath(companion);
  if (FileExists(found)) step.Copy(companion, ExtractFileName(found));
}

// Runs an operation through the caller's step, or through one of its own.
template <typename Operation>
bool WithStep(TCopyStep* step, std::string_view outputDir, Operation operation) {
  if (step) {
    operation(*step);
  } else {
    TCopyStep own(outputDir);
    operation(own);
  }
  return true;
}

// Rewrites a file line by line, keeping its permission bits; a read-only file is opened up for
// the moment of writing. A symbolic link is not followed: only a regular file is rewritten.
template <typename Rewrite>
bool RewriteLines(std::string_view path, Rewrite rewrite) {
  std::string native = NativePath(path);
  os::TFileInfo info;
  if (!os::GetFileInfo(native, info, false) || info.Kind != os::TFileKind::Regular) return false;
  TLines lines;
  if (!ReadLineFile(native, lines)) return false;
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += rewrite(line);
    bytes += "\r\n";
  }
  const unsigned mode = info.Mode;
  if (!(mode & 0200)) os::SetMode(native, mode | 0200);
  bool ok = ReplaceFileBytes(native, bytes);
  os::SetMode(native, mode);
  return ok;
}

}  // namespace

TCopyStep::TCopyStep(std::string_view outputDir) : outputDir_(IncludeTrailingSeparator(outputDir)) {}

void TCopyStep::Protect(std::string_view path) {
  os::TFileInfo info;
  if (!path.empty() && os::GetFileInfo(NativePath(path), info)) protected_.insert(info.Id);
}

bool TCopyStep::Destination(std::string_view name, std::string& native, std::string* reason) const {
  auto refuse = [&](std::string_view why) {
    if (reason) *reason = std::string(why);
    return false;
  };
  os::TFileInfo info;
  if (outputDir_.empty() || !os::GetFileInfo(NativePath(outputDir_), info) || info.Kind != os::TFileKind::Directory) {
    return refuse("the output directory does not exist");
  }
  const TFileId output = info.Id;
  if (!IsBareName(name)) return refuse("its name is not a plain file name");
  if (IsOutputRecordName(name)) return refuse("the name is taken by the output directory's own records");
  native = NativePath(outputDir_ + std::string(name));
  // The file's directory, after links, "." and ".." are followed, is the output directory itself.
  const std::size_t slash = native.rfind('/');
  const std::string parent = slash == std::string::npos ? std::string(".") : native.substr(0, slash + 1);
  if (!os::GetFileInfo(parent, info) || info.Id != output) {
    return refuse("it would be written outside the output directory");
  }
  if (os::GetFileInfo(native, info, false) && protected_.count(info.Id)) {
    return refuse("it is a file of the project");
  }
  return true;
}

bool TCopyStep::Copy(std::string_view source, std::string_view name, bool exact) {
  const std::string src = NativePath(source);
  os::TFileInfo info;
  if (!os::GetFileInfo(src, info) || info.Kind != os::TFileKind::Regular) return false;
  const TFileId id = info.Id;
  auto [at, inserted] = taken_.emplace(UpperCase(name), TTaken{std::string(source), id});
  if (!inserted) {
    if (at->second.Id == id) return true;
    collisions_.push_back({at->second.Source, std::string(source)});
    return false;
  }
  // What has been read must never be written: the sources are files of the project.
  protected_.insert(id);
  std::string destination, reason;
  if (!Destination(name, destination, &reason)) {
    AddFailure(name, source, reason);
    return false;
  }
  // A file there that was changed since the program wrote it is replaced only when allowed.
  std::string bytes;
  if (record_) {
    if (!ReadFileBytes(src, bytes, &reason)) {
      AddFailure(name, source, reason);
      return false;
    }
    if (!record_->MayReplace(name, destination, bytes)) return false;
  }
  switch (CopyNative(src, destination, exact, &reason)) {
    case TCopyResult::Copied:
      if (record_) record_->Written(name, bytes);
      return true;
    case TCopyResult::NoSource: return false;
    case TCopyResult::Failed: break;
  }
  AddFailure(name, source, reason);
  return false;
}

void TCopyStep::AddFailure(std::string_view name, std::string_view source, std::string_view reason) {
  failures_.push_back({std::string(name), std::string(source), std::string(reason)});
}

bool CopyFileAsNew(std::string_view source, std::string_view destination) {
  return CopyFileImpl(source, destination, false);
}

bool CopyFileExact(std::string_view source, std::string_view destination) {
  return CopyFileImpl(source, destination, true);
}

bool CopyMAKEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress, TCopyStep* step) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, projectLines.size());
  return WithStep(step, outputDir, [&](TCopyStep& copies) {
    int index = 0;
    for (const std::string& line : projectLines) {
      window.Step(index++);
      window.Label(line);
      // Settings lines name no file and copy nothing.
      CopyWithCompanion(copies, line, projectDir);
    }
  });
}

bool CopyVBPEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress, TCopyStep* step) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, projectLines.size());
  return WithStep(step, outputDir, [&](TCopyStep& copies) {
    int index = 0;
    for (const std::string& line : projectLines) {
      window.Step(index++);
      std::string name = VBPEntryName(line);
      if (name.size() < 2) continue;
      window.Label(name);
      CopyWithCompanion(copies, name, projectDir);
    }
  });
}

bool CopyDirectoryFiles(const std::vector<std::string>& names, std::string_view projectDir,
                        std::string_view outputDir, IProgress& progress, TCopyStep* step) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  TCopyWindow window(progress, names.size());
  return WithStep(step, outputDir, [&](TCopyStep& copies) {
    int index = 0;
    for (const std::string& name : names) {
      window.Step(index++);
      // A project folder that was once an output directory holds that directory's records: they
      // are no files of the project.
      if (IsOutputRecordName(name)) continue;
      window.Label(name);
      copies.Copy(Joined(projectDir, name), EntryFileName(name));
    }
  });
}

bool CopyDirectoryFiles(std::string_view projectDir, std::string_view outputDir, IProgress& progress,
                        TCopyStep* step) {
  if (!BothDirectoriesExist(projectDir, outputDir)) return false;
  return CopyDirectoryFiles(ListFiles(NativePath(projectDir)), projectDir, outputDir, progress, step);
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
  // Forms and designers name their file after the '=', modules and classes after "Name; ".
  const bool afterEquals = IsVBPNameAfterEquals(line);
  std::size_t at = line.find(afterEquals ? '=' : ';');
  if (at == std::string_view::npos) return std::string(line);
  std::string out = TrimBlanks(line.substr(0, at + 1));
  if (!afterEquals) out += ' ';
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
    const std::string native = NativePath(Joined(directory, name));
    if (!os::RemoveFile(native)) {
      all = false;
    } else {
      NoteFileRemoved(native);
    }
  }
  return all;
}

bool DeleteFiles(std::string_view directory, IPrompts& prompts) {
  // An empty directory would mean the working directory: never delete there by accident.
  if (directory.empty()) return false;
  return DeleteFiles(ListFiles(NativePath(directory)), directory, prompts);
}

}  // namespace qm
