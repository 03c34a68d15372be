// SPDX-License-Identifier: MIT
#pragma once

// The project processing run, what it did file by file, and the checks made before it writes
// anything: an output directory that would put restyled files over their sources is refused,
// selected files that share a file name (and so one place in the flat output directory) are
// processed once, and every file written goes directly into the output directory, never onto a
// file of the project.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/formatter.h"
#include "engine/programcheck.h"
#include "project/copying.h"
#include "project/outputfolder.h"
#include "settings/catalogue.h"
#include "ui/cancel.h"
#include "ui/progress.h"

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

// A file of a check run: its lines as read and as restyled, and the line of the source near which
// the restyled text would change the program (the writing run would not write it).
struct TCheckedFile {
  RFile* Item = nullptr;
  TLines Before;
  TMarkedList After;
  std::optional<std::size_t> MismatchLine;
};

// Makes the formatter of each thread of a run (tests stand in a formatter of their own).
using TFormatterFactory = std::function<std::unique_ptr<TVBSrcFormatter>(const TEngineServices&, TCancelToken*)>;

// One processing run over one project. It owns what the whole run shares: a snapshot of the
// settings (with the tab width) taken when it is made, the project's Visual Basic version, the
// output directory, its cancel request and its formatters, one per thread. Several runs (a run
// and a preview, two editor requests, two projects) can exist and go on at once in one process.
class TProcessingRun {
 public:
  // workers: how many threads take files through their passes ahead of their turn (1: all on the
  // calling thread). The services' settings are copied: changing them later does not reach the run.
  TProcessingRun(const TEngineServices& services, TSourceMgt* project, unsigned workers = 1);
  ~TProcessingRun();
  TProcessingRun(const TProcessingRun&) = delete;
  TProcessingRun& operator=(const TProcessingRun&) = delete;

  // The run's cancel request: the processing window's Cancel, the preview's Cancel and Ctrl+C set it.
  TCancelToken& Cancel() { return cancel_; }
  const TSettings& Settings() const { return settings_; }
  // The output directory as resolved from the setting against the project's directory.
  const std::string& OutputDir() const { return outputDir_; }
  // What the run does with an output file changed since the program last wrote it (the desktop
  // program asks; the command line keeps it, or replaces it with --force).
  void SetEditedOutput(TEditedOutput mode) { editedOutput_ = mode; }
  // Before the run starts: the formatters are made by factory instead.
  void SetFormatterFactory(TFormatterFactory factory);

  // The writing run: prepares the output directory, writes the log, takes every selected item
  // through its passes and the safety check and saves it. With more than one worker, and neither
  // the preview nor spell checking on, the files' passes and checks run ahead on other threads;
  // the files are still saved, and everything else done, on the calling thread in project order.
  const TRunReport& Process();
  const TRunReport& Report() const { return report_; }

  // The check run: every selected item through its passes and the safety check, nothing copied or
  // written. Items that share a name with an earlier selected one are left out with the writing
  // run's warning. finish gets each file on the calling thread in project order, a few files at
  // most held ahead of it; it returns false to stop. False when the run was cancelled.
  bool Check(const std::function<bool(TCheckedFile&)>& finish);

 private:
  // The steps of Process, in the order in which it takes them; each false step ends the run.
  bool RefuseOutputOverSources();
  void WarnOfNameCollisions();
  bool MakeOutputDirectory();
  bool LockOutputDirectory(TOutputLock& lock);
  bool PrepareOutputDirectory(TCopyStep& guard, TOutputRecord* record);
  void WriteProcessingLog(TCopyStep& guard);
  void AppendToLog(const std::string& text);
  bool ProcessFile(std::size_t index, const std::vector<RFile*>& items, std::vector<TCheckedFile>& ahead);
  void OfferToDeleteWrittenFiles(TOutputRecord& record);
  // A file that is not written: the run frees what it holds of it.
  void DropFile(RFile& item, bool processed);

  // The threads' formatters, made on first use; the calling thread's formatter is the first.
  TVBSrcFormatter& Formatter(unsigned index);
  unsigned ThreadsFor(bool spelling) const;
  // The passes and safety check of one item on the calling thread (loaded from the project) or on
  // another (read from readFrom, the path the calling thread found, and unloaded again).
  bool FormatHere(RFile& item, TCheckedFile& file);
  bool FormatAhead(TVBSrcFormatter& formatter, RFile& item, const std::string& readFrom, TCheckedFile& file);

  TSettings settings_;
  TEngineServices services_;  // its settings are settings_
  TCancelToken cancel_;
  TSourceMgt* project_;
  unsigned workers_;
  TProgramCheckOptions checkOptions_;
  std::string outputDir_;
  TEditedOutput editedOutput_ = TEditedOutput::Ask;
  TFormatterFactory factory_;
  std::vector<std::unique_ptr<TVBSrcFormatter>> formatters_;
  TNullProgress silent_;  // the window calls of the threads ahead go nowhere
  std::vector<TNameCollision> collisions_;
  TRunReport report_;
  // While Process runs: the guard in front of every file it writes into the output directory, and
  // its record of what it wrote there.
  TCopyStep* guard_ = nullptr;
  TOutputRecord* record_ = nullptr;
  bool saveFailed_ = false;
};

}  // namespace qm
