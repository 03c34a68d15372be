// SPDX-License-Identifier: MIT
#pragma once

// Copying the project into the output directory, so that it opens and builds there on its own:
// the project's entries (with each form's .FRX companion), every file of the project directory,
// the project file itself, and the rewriting of that copy so that it names its files directly in
// the output directory. Also the clean-up of the output directory after a cancelled run.
//
// Every copy lands directly in the output directory under the entry's bare file name, the name
// the rewritten project file gives it, wherever the entry points (a subfolder, "..", an absolute
// path). Nothing is ever written outside the output directory or onto a file of the project; a
// later file that would take a name already taken is not copied; both are reported in TCopyStep.
// A source that does not exist (a settings line, a form without a companion) copies nothing and
// is no failure.

#include "platform/os.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linefile.h"

namespace qm {

class IProgress;
class IPrompts;
class TOutputRecord;

// A copy that was tried and failed: the output directory's file of that name is missing, or
// incomplete if the failure came while writing it.
struct TCopyFailure {
  std::string Name;    // in the output directory
  std::string Source;  // as the project names it, joined to the project directory
  std::string Reason;
};

// Two different files that would take one name in the output directory: the first was copied.
struct TCopyCollision {
  std::string Kept;
  std::string Skipped;
};

// The copies of one copy step into one output directory, and the guard in front of every file
// the run writes there. A destination is allowed only as a bare name directly in the output
// directory (compared by device and inode after resolving links, "." and ".."), and never a file
// of the project (Protect, and every source copied so far). Whoever writes there replaces a
// symbolic link of that name rather than following it.
class TCopyStep {
 public:
  // The output directory need not exist yet: it is looked at whenever a destination is asked for.
  explicit TCopyStep(std::string_view outputDir);

  // A file that must never be written; nothing happens when it does not exist.
  void Protect(std::string_view path);

  // The native path at which name may be written; false, with the reason, when it may not.
  bool Destination(std::string_view name, std::string& native, std::string* reason = nullptr) const;

  // Copies source to name in the output directory (exact: keeping the source's time and
  // permission bits). True when copied now or already copied by this step from the same file.
  // False when the source does not exist (nothing recorded), when another file took the name
  // first (a collision), or when the copy failed or was refused (a failure).
  bool Copy(std::string_view source, std::string_view name, bool exact = false);

  // The run's record of the output directory: when set, a copy over a file changed since the
  // program wrote it is made only as the record allows, and every copy made is recorded there.
  void SetRecord(TOutputRecord* record) { record_ = record; }

  void AddFailure(std::string_view name, std::string_view source, std::string_view reason);
  const std::vector<TCopyFailure>& Failures() const { return failures_; }
  const std::vector<TCopyCollision>& Collisions() const { return collisions_; }

 private:
  using TFileId = os::TFileId;
  struct TTaken {
    std::string Source;
    TFileId Id;
  };

  std::string outputDir_;
  TOutputRecord* record_ = nullptr;
  std::set<TFileId> protected_;
  std::map<std::string, TTaken> taken_;  // by the name in upper case
  std::vector<TCopyFailure> failures_;
  std::vector<TCopyCollision> collisions_;
};

// The three copy operations return false at once (nothing copied, nothing shown) when the project
// directory or the output directory is not an existing directory; otherwise they show the copy
// window (label "Backing Up File: <name>", gauge 0..count-1), copy, hide it and return true.
// They copy through step when given (so that several operations share one guard and one table
// of names taken), else through a step of their own.

// .MAK rule: every line is taken as an entry, resolved as the project reader resolves it
// (settings lines simply name no file), and copied together with its .FRX companion.
bool CopyMAKEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress, TCopyStep* step = nullptr);

// .VBP rule: the file name of each line (see VBPEntryName), when it has two characters or more,
// copied together with its .FRX companion.
bool CopyVBPEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress, TCopyStep* step = nullptr);

// Copies each named file of the project directory to the output directory.
bool CopyDirectoryFiles(const std::vector<std::string>& names, std::string_view projectDir,
                        std::string_view outputDir, IProgress& progress, TCopyStep* step = nullptr);
// The same over the ordinary files the project directory holds now.
bool CopyDirectoryFiles(std::string_view projectDir, std::string_view outputDir, IProgress& progress,
                        TCopyStep* step = nullptr);

// Rewrites a copied project file so that its source entries carry no directory. .MAK: a line with
// a backslash, no '=' and an extension other than DLL, VBX or OCX becomes its bare file name.
// .VBP: Form=Forms\About.frm becomes Form=About.frm, Module=Utils; Lib\UTILS.BAS becomes
// Module=Utils; UTILS.BAS. Returns false when the file cannot be read or written back (a missing
// file or a symbolic link included); the file's permission bits are kept, and a read-only copy is
// still rewritten.
bool LocalizeMAKFile(std::string_view projectFilePath);
bool LocalizeVBPFile(std::string_view projectFilePath);

// The line rewriting of the two Localize functions, one line at a time.
std::string LocalizeMAKLine(std::string_view line);
std::string LocalizeVBPLine(std::string_view line);

// Deletes directory + name for each name, under the busy cursor; true when every file was deleted.
bool DeleteFiles(const std::vector<std::string>& names, std::string_view directory, IPrompts& prompts);
// The same over the ordinary files the directory holds now (subdirectories are left).
bool DeleteFiles(std::string_view directory, IPrompts& prompts);

// Copies a file's bytes to a new, writable file dated now, replacing any file of that name. Refuses
// (false, nothing touched) when the two path strings are equal or name the same file on disk, so a
// file is never truncated onto itself; false also when the source is not a readable regular file or
// the destination cannot be created or written.
bool CopyFileAsNew(std::string_view source, std::string_view destination);

// As CopyFileAsNew, but the copy keeps the source's modification time and permission bits.
bool CopyFileExact(std::string_view source, std::string_view destination);

}  // namespace qm
