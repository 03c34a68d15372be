// SPDX-License-Identifier: MIT
#include "project/outputfolder.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "messages.h"
#include "platform/linefile.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "ui/prompts.h"

namespace qm {

namespace {

constexpr std::string_view kManifestHeader = "# quillmate output manifest 1";

std::string Joined(std::string_view dir, std::string_view name) {
  return NativePath(IncludeTrailingSeparator(dir)) + std::string(name);
}

bool IsReadOnlyError(int code) { return code == EACCES || code == EROFS || code == EPERM; }

template <typename T>
bool ParseNumber(std::string_view text, T& value, int base) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

bool IsOutputRecordName(std::string_view name) {
  const std::string upper = UpperCase(name);
  return upper == UpperCase(kLockFileName) || upper == UpperCase(kManifestFileName);
}

// --- Lock ------------------------------------------------------------------------------------

TLockResult TOutputLock::Acquire(std::string_view outputDir, std::string* detail) {
  Release();
  auto fail = [&](TLockResult result, int code) {
    if (detail) *detail = std::strerror(code);
    return result;
  };
  const std::string dir = NativePath(IncludeTrailingSeparator(outputDir));
  if (!os::CanCreateIn(dir)) {
    const int code = errno;
    return fail(IsReadOnlyError(code) ? TLockResult::ReadOnly : TLockResult::Failed, code);
  }
  const std::string path = dir + std::string(kLockFileName);
  // The holder removes the file before it lets go, so a lock taken on a file that is no longer
  // the one at the path is worthless: look again.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int fd = os::OpenLocked(path);
    if (fd < 0) {
      const int code = errno;
      if (code == ELOOP) {
        // A symbolic link in the lock's place is not followed: it is replaced.
        os::RemoveFile(path);
        continue;
      }
      if (code == EWOULDBLOCK) {
        if (detail) {
          std::string pid;
          ReadSmallFile(path, pid, nullptr, 64);
          while (!pid.empty() && (pid.back() == '\n' || pid.back() == '\r')) pid.pop_back();
          *detail = pid;
        }
        return TLockResult::InUse;
      }
      return fail(IsReadOnlyError(code) && !os::CanCreateIn(dir) ? TLockResult::ReadOnly : TLockResult::Failed,
                  code);
    }
    os::TFileInfo held, atPath;
    if (!os::GetFileInfo(fd, held) || !os::GetFileInfo(path, atPath, false) || held.Id != atPath.Id) {
      os::Close(fd);
      continue;
    }
    // The process id is for people and for the message of a second run; the lock is the system's.
    os::Rewrite(fd, std::to_string(os::ProcessId()) + "\n");
    fd_ = fd;
    path_ = path;
    return TLockResult::Locked;
  }
  return fail(TLockResult::Failed, EAGAIN);
}

void TOutputLock::Release() {
  if (fd_ < 0) return;
  // Removed while still held, so that nobody takes a lock on a file about to disappear.
  os::RemoveFile(path_);
  NoteFileRemoved(path_);
  os::Close(fd_);
  fd_ = -1;
  path_.clear();
}

// --- Manifest --------------------------------------------------------------------------------

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

TManifestState TOutputManifest::Load(std::string_view outputDir) {
  dir_ = std::string(outputDir);
  files_.clear();
  std::string bytes, err;
  const std::string path = Joined(outputDir, kManifestFileName);
  os::TFileInfo info;
  if (!os::GetFileInfo(path, info, false)) return TManifestState::Missing;
  // Only a regular file of its own is read; a link or anything else counts as unreadable.
  if (info.Kind != os::TFileKind::Regular || !ReadSmallFile(path, bytes, &err)) return TManifestState::Unreadable;
  return Parse(bytes) ? TManifestState::Read : TManifestState::Unreadable;
}

bool TOutputManifest::Parse(std::string_view text) {
  std::map<std::string, TEntry> files;
  const TLines lines = SplitLines(text);
  if (lines.empty() || lines[0] != kManifestHeader) return false;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    // <size> <hash, 16 hex digits> <name to the end of the line>
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos || second + 1 >= line.size()) return false;
    TEntry entry;
    if (!ParseNumber(std::string_view(line).substr(0, first), entry.Size, 10) ||
        !ParseNumber(std::string_view(line).substr(first + 1, second - first - 1), entry.Hash, 16)) {
      return false;
    }
    files[line.substr(second + 1)] = entry;
  }
  files_ = std::move(files);
  return true;
}

std::string TOutputManifest::Text() const {
  std::string text(kManifestHeader);
  text += '\n';
  char hash[17];
  for (const auto& [name, entry] : files_) {
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(entry.Hash));
    text += std::to_string(entry.Size) + ' ' + hash + ' ' + name + '\n';
  }
  return text;
}

bool TOutputManifest::Matches(std::string_view name, std::string_view bytes) const {
  const auto at = files_.find(std::string(name));
  return at != files_.end() && at->second.Size == bytes.size() && at->second.Hash == ContentHash(bytes);
}

void TOutputManifest::Record(std::string_view name, std::string_view bytes) {
  // A name that would break the line format is never recorded: such a file always asks.
  if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) return;
  files_[std::string(name)] = TEntry{bytes.size(), ContentHash(bytes)};
}

void TOutputManifest::Forget(std::string_view name) { files_.erase(std::string(name)); }

bool TOutputManifest::Save() const { return ReplaceFileBytes(Joined(dir_, kManifestFileName), Text()); }

TExistingOutput ClassifyExisting(const TOutputManifest& manifest, std::string_view name, std::string_view native,
                                 std::string_view newBytes) {
  os::TFileInfo info;
  if (!os::GetFileInfo(std::string(native), info, false) || info.Kind != os::TFileKind::Regular) {
    return TExistingOutput::Absent;
  }
  std::string bytes;
  // A file that cannot be read cannot be compared: it is treated as changed.
  if (!ReadFileBytes(native, bytes)) return TExistingOutput::Changed;
  if (manifest.Matches(name, bytes)) return TExistingOutput::Own;
  if (bytes == newBytes) return TExistingOutput::Same;
  return TExistingOutput::Changed;
}

// --- One run's record --------------------------------------------------------------------------

TOutputRecord::TOutputRecord(std::string_view outputDir, TEditedOutput policy, IPrompts* prompts)
    : dir_(outputDir), policy_(policy), prompts_(prompts) {}

TManifestState TOutputRecord::Load() {
  state_ = manifest_.Load(dir_);
  return state_;
}

bool TOutputRecord::MayReplace(std::string_view name, const std::string& native, std::string_view newBytes) {
  if (cancelled_) return false;
  // Asked once per file: a file kept at the copy step is kept when the restyled file comes too.
  if (std::find(kept_.begin(), kept_.end(), name) != kept_.end()) return false;
  if (ClassifyExisting(manifest_, name, native, newBytes) != TExistingOutput::Changed) return true;
  TEditedOutput policy = replaceAll_ ? TEditedOutput::Replace : policy_;
  if (policy == TEditedOutput::Ask && !prompts_) policy = TEditedOutput::Keep;
  switch (policy) {
    case TEditedOutput::Replace: return true;
    case TEditedOutput::Keep: kept_.emplace_back(name); return false;
    case TEditedOutput::Ask: break;
  }
  const std::string question = msg::Fill(msg::OutputFileChanged, {DisplayPath(native)});
  switch (prompts_->Ask(TMsgKind::Confirmation, TButtons::YesAllNoCancel, question)) {
    case TAnswer::YesToAll: replaceAll_ = true; return true;
    case TAnswer::Yes: return true;
    case TAnswer::No: kept_.emplace_back(name); return false;
    default: cancelled_ = true; return false;
  }
}

void TOutputRecord::Written(std::string_view name, std::string_view bytes, bool record) {
  if (writtenSet_.emplace(name).second) written_.emplace_back(name);
  if (record) {
    manifest_.Record(name, bytes);
  } else {
    manifest_.Forget(name);
  }
  changed_ = true;
}

void TOutputRecord::Deleted(const std::vector<std::string>& names) {
  for (const std::string& name : names) manifest_.Forget(name);
  changed_ = true;
}

bool TOutputRecord::Save() {
  if (!changed_) return true;
  if (manifest_.Empty()) {
    // Nothing the program wrote is left: the manifest goes too (it was this run's, or it records
    // only files that are gone).
    const std::string path = Joined(dir_, kManifestFileName);
    if (os::RemoveFile(path)) NoteFileRemoved(path);
    return true;
  }
  return manifest_.Save();
}

}  // namespace qm
