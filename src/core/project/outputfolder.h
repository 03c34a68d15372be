// SPDX-License-Identifier: MIT
#pragma once

// The output directory's own records, kept beside the restyled files:
// - a lock file, held while a run writes there, so that a second run into the same directory
//   stops before writing anything (the lock is an flock on the file: the system releases it when
//   the holding process ends in any way, so a lock left by a killed run is simply taken over);
// - a manifest of every file the program wrote there, with its size and a hash of its content,
//   so that a file changed since (saved by the procedure commentor, edited by hand) is not
//   replaced without asking. A missing or unreadable manifest knows no file: every existing file
//   then counts as changed, unless it already holds exactly what would be written.
// And the record of one run: the files it created or replaced (all that a cancel deletes) and the
// files it kept because they had been changed.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class IPrompts;

inline constexpr std::string_view kLockFileName = ".quillmate.lock";
inline constexpr std::string_view kManifestFileName = ".quillmate.manifest";

// True for the names of the records above (letter case ignored): no copy or restyled file may
// take them.
bool IsOutputRecordName(std::string_view name);

// --- Lock ------------------------------------------------------------------------------------

enum class TLockResult {
  Locked,    // this run holds the directory
  InUse,     // another living run holds it
  ReadOnly,  // the directory cannot be written (permissions, a read-only file system)
  Failed,    // the lock file could not be made for another reason
};

class TOutputLock {
 public:
  TOutputLock() = default;
  ~TOutputLock() { Release(); }
  TOutputLock(const TOutputLock&) = delete;
  TOutputLock& operator=(const TOutputLock&) = delete;

  // Takes the lock of an existing directory. detail: for InUse the holder's process id as the
  // lock file gives it (may be empty), for ReadOnly and Failed the system's reason.
  TLockResult Acquire(std::string_view outputDir, std::string* detail = nullptr);
  // Removes the lock file and lets go; nothing when not held.
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  std::string path_;
};

// --- Manifest --------------------------------------------------------------------------------

// 64-bit FNV-1a of the bytes: enough to tell an edited file from the one written, not a
// protection against someone who wants to fool it.
std::uint64_t ContentHash(std::string_view bytes);

enum class TManifestState { Missing, Read, Unreadable };

class TOutputManifest {
 public:
  // Reads the manifest of a directory; a missing or unreadable one leaves it empty.
  TManifestState Load(std::string_view outputDir);
  // True when the manifest records name with exactly these bytes' size and hash.
  bool Matches(std::string_view name, std::string_view bytes) const;
  bool Knows(std::string_view name) const { return files_.count(std::string(name)) > 0; }
  void Record(std::string_view name, std::string_view bytes);
  void Forget(std::string_view name);
  bool Empty() const { return files_.empty(); }
  // Writes the manifest through a temporary file and a rename; false when it cannot.
  bool Save() const;
  const std::string& Directory() const { return dir_; }

  // The manifest as text, and back (false, nothing taken, when the text is not a manifest).
  std::string Text() const;
  bool Parse(std::string_view text);

 private:
  struct TEntry {
    std::uint64_t Size = 0;
    std::uint64_t Hash = 0;
  };
  std::string dir_;
  std::map<std::string, TEntry> files_;  // by the exact file name
};

// What stands at an output file's place, before the run writes it.
enum class TExistingOutput {
  Absent,   // nothing there (or no regular file): write
  Own,      // as the program last wrote it: replace freely
  Same,     // already holds what would be written: nothing is lost by replacing it
  Changed,  // changed since the program wrote it, or never written by it: ask first
};
TExistingOutput ClassifyExisting(const TOutputManifest& manifest, std::string_view name, std::string_view native,
                                 std::string_view newBytes);

// --- One run's record --------------------------------------------------------------------------

// What the run does with a changed output file.
enum class TEditedOutput {
  Ask,      // ask: Yes, Yes to all, No (keep it), Cancel (the run)
  Keep,     // keep it and report it (the command line without --force)
  Replace,  // replace it (--force)
};

class TOutputRecord {
 public:
  TOutputRecord(std::string_view outputDir, TEditedOutput policy, IPrompts* prompts);

  TManifestState Load();
  TManifestState State() const { return state_; }

  // Before the file name (at native) is written with newBytes: true to write it, false to leave
  // the file there (kept, or the run cancelled at the question; Cancelled() tells).
  bool MayReplace(std::string_view name, const std::string& native, std::string_view newBytes);
  // After name was written with bytes: remembered as this run's, and recorded in the manifest
  // (unless record is false: the log, which every run rewrites, is no file anyone edits).
  void Written(std::string_view name, std::string_view bytes, bool record = true);
  // After this run's files were deleted: the manifest forgets them.
  void Deleted(const std::vector<std::string>& names);
  // Writes the manifest (or removes it when it records nothing and this run made it).
  bool Save();

  const std::vector<std::string>& WrittenNames() const { return written_; }
  const std::vector<std::string>& KeptNames() const { return kept_; }
  bool Cancelled() const { return cancelled_; }
  const TOutputManifest& Manifest() const { return manifest_; }

 private:
  TOutputManifest manifest_;
  std::string dir_;
  TEditedOutput policy_;
  IPrompts* prompts_;
  TManifestState state_ = TManifestState::Missing;
  bool replaceAll_ = false;
  bool cancelled_ = false;
  bool changed_ = false;
  std::vector<std::string> written_;
  std::set<std::string, std::less<>> writtenSet_;
  std::vector<std::string> kept_;
};

}  // namespace qm
