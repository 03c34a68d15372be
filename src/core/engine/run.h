// SPDX-License-Identifier: MIT
#pragma once

// What a project processing run did, file by file, and the checks made before it writes anything:
// an output directory that would put restyled files over their sources is refused, selected
// files that share a file name (and so one place in the flat output directory) are processed once,
// and every file written goes directly into the output directory, never onto a file of the project.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/copying.h"
#include "project/outputfolder.h"

namespace qm {

struct RFile;
class TSourceMgt;

enum class TRunOutcome {
  NotRun,       // no project, or no items
  Completed,    // every selected file was processed
  Cancelled,    // the user cancelled (processing window, preview or Ctrl+C)
  Refused,      // the output directory holds source files of the project
  NoOutputDir,  // the output directory could not be made
  SaveFailed,   // a restyled file could not be written; the run stopped there
  OutputInUse,  // another run holds the output directory; nothing was written
  OutputReadOnly,  // the output directory cannot be written; nothing was written
};

struct TRunFileReport {
  std::string Name;
  std::string Path;
  int LinesRead = 0;
  int LinesWritten = 0;
  int LinesChanged = 0;  // output lines marked changed
  bool Saved = false;
  std::string OutputPath;
  // Why a restyled file was not written where the output guard refused it.
  std::string NotSavedReason;
  // Set when the file was skipped because an earlier selected file has the same name: that
  // file's path.
  std::string SkippedFor;
  // Set when the restyled text would have changed the program: the line of the source near which
  // it would; the file was not written.
  std::size_t NotSavedNearLine = 0;
  // The file in the output directory had been changed since the program wrote it and was kept
  // (NotSavedReason says so).
  bool Kept = false;
};

struct TRunReport {
  TRunOutcome Outcome = TRunOutcome::NotRun;
  std::string OutputDir;  // as resolved from the setting
  std::vector<TRunFileReport> Files;  // the files taken up by the run, in project order
  bool OutputDeleted = false;         // the run's files were deleted after a cancel
  std::size_t FilesDeleted = 0;       // how many
  // Copies not made because the file there had been changed since the program wrote it.
  std::vector<std::string> KeptCopies;
  // The manifest of the output directory was missing or unreadable when the run began.
  TManifestState Manifest = TManifestState::Missing;
  // The copy step's copies that failed (their files in the output directory are missing or
  // incomplete) and the files it did not copy because an earlier one took their name.
  std::vector<TCopyFailure> CopyFailures;
  std::vector<TCopyCollision> CopyCollisions;
};

// The output directory for a setting: the setting itself when it contains a colon or begins with
// '/', else the project directory followed by the setting.
std::string ResolveOutputDirectory(std::string_view projectDir, std::string_view setting);

// True when the two (Windows-style or native) directories are one on disk: letters' case, symbolic
// links, "." and ".." resolved, or the same directory under two names.
bool SameRealDirectory(std::string_view a, std::string_view b);

// True when outputDir, resolved to a real path, is the project directory or the directory of any
// source file of the project; conflict then names that directory's file (or the project file).
bool OutputOverlapsSources(const TSourceMgt& project, std::string_view outputDir, std::string* conflict);

// Selected items whose file names equal (without regard to case) that of an earlier selected item.
struct TNameCollision {
  const RFile* Kept;
  const RFile* Skipped;
};
std::vector<TNameCollision> FindNameCollisions(const TSourceMgt& project);
// The warning about them: each pair of different files once, and a file the project lists several
// times once with its count (a project naming one class 2,000 times gives one short line).
std::string NameCollisionWarning(const std::vector<TNameCollision>& collisions);

// The numbers (from 1) and texts of the lines of a source file's bytes that are longer than the
// log's limit of 223 characters. A line ends at CR LF, a lone CR or a lone LF. False (with what
// was found so far) when a line of 2000 characters or more is met, which the log cannot measure.
struct TLongLine {
  int Number;
  std::string Text;
};
bool FindLongLines(std::string_view bytes, std::vector<TLongLine>& found);

}  // namespace qm
