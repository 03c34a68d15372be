// SPDX-License-Identifier: MIT
#include "engine/run.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <iomanip>
#include <locale>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "engine/formatter.h"
#include "engine/outputtext.h"
#include "engine/preview.h"
#include "engine/programcheck.h"
#include "globals.h"
#include "messages.h"
#include "platform/inorder.h"
#include "platform/linefile.h"
#include "platform/localtime.h"
#include "platform/paths.h"
#include "project/copying.h"
#include "project/sourcemgt.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm {

using msg::Fill;

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLogFileName = "VBQUILL3.LOG";
// Lines longer than this are listed in the log (they do not fit the Visual Basic editor's line).
constexpr std::size_t kLogLineLimit = 223;
// The log measures lines in a buffer of this size; a line that does not fit with its CR stops it.
constexpr std::size_t kLogBufferSize = 2000;

// A directory in a message: the native path, with its trailing separator.
std::string ShownDir(std::string_view dir) { return DisplayPath(IncludeTrailingSeparator(dir)); }

// Directory and file name with one separator between them.
std::string JoinName(std::string_view dir, std::string_view name) {
  return IncludeTrailingSeparator(dir) + std::string(name);
}

// The date and time in the user's locale: short date, a blank, long time.
std::string LogTimestamp() { return FormatLocalNow("%x %X"); }

// The real directory a (Windows-style or native) directory path names: letters' case resolved
// against the disk, symbolic links, "." and ".." followed, no trailing separator. Parts that do
// not exist yet are kept as spelled.
std::string RealDirectory(std::string_view dir) {
  const std::string native = dir.empty() ? std::string(1, '.') : NativePath(dir);
  std::error_code ec;
  fs::path absolute = fs::absolute(native, ec);
  if (ec) absolute = fs::path(native);
  fs::path real = fs::weakly_canonical(absolute, ec);
  if (ec) real = absolute.lexically_normal();
  std::string text = real.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

bool SameDirectory(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code ec;
  return fs::is_directory(a, ec) && fs::is_directory(b, ec) && fs::equivalent(a, b, ec) && !ec;
}

// The selected item that an item's name collides with, when it is skipped for that.
const RFile* CollidesWith(const std::vector<TNameCollision>& collisions, const RFile* item) {
  for (const TNameCollision& c : collisions) {
    if (c.Skipped == item) return c.Kept;
  }
  return nullptr;
}

// Hides the processing window and frees the output list however the run ends.
class TRunWindowScope {
 public:
  TRunWindowScope(IProgress& window, TMarkedList& output) : window_(window), output_(output) {
    window_.Show();
  }
  ~TRunWindowScope() {
    window_.Hide();
    TMarkedList().swap(output_);
  }
  TRunWindowScope(const TRunWindowScope&) = delete;
  TRunWindowScope& operator=(const TRunWindowScope&) = delete;

 private:
  IProgress& window_;
  TMarkedList& output_;
};

// The texts of a list, joined by "; ".
template <typename T, typename Text>
std::string Listed(const std::vector<T>& entries, Text text) {
  std::string out;
  for (const T& entry : entries) {
    if (!out.empty()) out += "; ";
    out += text(entry);
  }
  return out;
}

// Points the formatter at the run's output guard for as long as the run lasts.
class TGuardScope {
 public:
  TGuardScope(TCopyStep*& slot, TCopyStep& guard) : slot_(slot) { slot_ = &guard; }
  ~TGuardScope() { slot_ = nullptr; }
  TGuardScope(const TGuardScope&) = delete;
  TGuardScope& operator=(const TGuardScope&) = delete;

 private:
  TCopyStep*& slot_;
};

// The files a run must never write: the project file, every source file and the binary companion
// of every form and designer. (The copy step adds every file it reads.)
void ProtectProjectFiles(TCopyStep& guard, const TSourceMgt& project) {
  guard.Protect(project.ProjectDir + project.ProjectName);
  for (const RFile* item : project.Items()) {
    guard.Protect(item->Path);
    if (HasControlDescription(item->Kind)) {
      guard.Protect(ChangeFileExt(item->Path, CompanionExt(UpperCase(ExtractFileExt(item->Path)))));
    }
  }
}

// Points the formatter at the run's record of the output directory for as long as the run lasts.
class TRecordScope {
 public:
  TRecordScope(TOutputRecord*& slot, TOutputRecord& record) : slot_(slot) { slot_ = &record; }
  ~TRecordScope() { slot_ = nullptr; }
  TRecordScope(const TRecordScope&) = delete;
  TRecordScope& operator=(const TRecordScope&) = delete;

 private:
  TOutputRecord*& slot_;
};

// Names the copies that failed and the names two files would have shared, in one warning each.
void ReportCopyProblems(const TCopyStep& step, TRunReport& report, IPrompts& prompts) {
  report.CopyCollisions = step.Collisions();
  report.CopyFailures = step.Failures();
  if (!step.Collisions().empty()) {
    const std::string pairs = Listed(step.Collisions(), [](const TCopyCollision& c) {
      return Fill(msg::DuplicateFilePair, {c.Kept, c.Skipped});
    });
    prompts.Show(TMsgKind::Warning, Fill(msg::CopyDuplicateNames, {pairs}));
  }
  if (!step.Failures().empty()) {
    const std::string names = Listed(step.Failures(), [](const TCopyFailure& f) {
      return Fill(msg::CopyFailure, {f.Name, f.Reason});
    });
    prompts.Show(TMsgKind::Warning, Fill(msg::CopiesFailed, {names}));
  }
}

}  // namespace

bool SameRealDirectory(std::string_view a, std::string_view b) { return SameDirectory(RealDirectory(a), RealDirectory(b)); }

std::string ResolveOutputDirectory(std::string_view projectDir, std::string_view setting) {
  if (setting.find(':') != std::string_view::npos || (!setting.empty() && setting.front() == '/')) {
    return std::string(setting);
  }
  return std::string(projectDir) + std::string(setting);
}

bool OutputOverlapsSources(const TSourceMgt& project, std::string_view outputDir, std::string* conflict) {
  const std::string output = RealDirectory(outputDir);
  auto hit = [&](std::string_view dir, std::string_view file) {
    if (!SameDirectory(output, RealDirectory(dir))) return false;
    if (conflict) *conflict = std::string(file);
    return true;
  };
  if (hit(project.ProjectDir, project.ProjectDir + project.ProjectName)) return true;
  // Most items share a folder: each folder is resolved and compared once.
  std::set<std::string> checked{project.ProjectDir};
  for (const RFile* item : project.Items()) {
    std::string dir = ExtractFilePath(item->Path);
    if (!checked.insert(dir).second) continue;
    if (hit(dir, item->Path)) return true;
  }
  return false;
}

std::vector<TNameCollision> FindNameCollisions(const TSourceMgt& project) {
  std::vector<TNameCollision> collisions;
  std::map<std::string, const RFile*> first;
  for (const RFile* item : project.Items()) {
    if (!item->Selected) continue;
    auto [at, inserted] = first.emplace(UpperCase(item->Name), item);
    if (!inserted) collisions.push_back({at->second, item});
  }
  return collisions;
}

std::string NameCollisionWarning(const std::vector<TNameCollision>& collisions) {
  // The skipped files of each kept one, in the order met, each path once with its count.
  std::vector<std::pair<const RFile*, std::vector<std::pair<std::string, int>>>> groups;
  std::map<const RFile*, std::size_t> groupOf;
  for (const TNameCollision& c : collisions) {
    auto [at, inserted] = groupOf.emplace(c.Kept, groups.size());
    if (inserted) groups.push_back({c.Kept, {}});
    auto& skipped = groups[at->second].second;
    auto same = std::find_if(skipped.begin(), skipped.end(), [&](const auto& s) { return s.first == c.Skipped->Path; });
    if (same == skipped.end()) {
      skipped.push_back({c.Skipped->Path, 1});
    } else {
      ++same->second;
    }
  }
  std::vector<std::string> pieces;
  for (const auto& [kept, skipped] : groups) {
    for (const auto& [path, count] : skipped) {
      if (path == kept->Path) {
        pieces.push_back(Fill(msg::DuplicateFileListed, {DisplayPath(kept->Path), std::to_string(count + 1)}));
      } else {
        pieces.push_back(Fill(msg::DuplicateFilePair, {DisplayPath(kept->Path), DisplayPath(path)}));
      }
    }
  }
  return Fill(msg::DuplicateFileNames, {Listed(pieces, [](const std::string& p) { return p; })});
}

bool FindLongLines(std::string_view bytes, std::vector<TLongLine>& found) {
  int number = 1;
  std::string line;
  auto endLine = [&] {
    if (line.size() > kLogLineLimit) found.push_back({number, line});
    ++number;
    line.clear();
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      endLine();
      continue;
    }
    line += c;
    if (line.size() >= kLogBufferSize) return false;
  }
  if (!line.empty()) endLine();
  return true;
}

void TVBSrcFormatter::WriteProcessingLog() {
  if (!FProject) return;
  TCopyStep own(FOutputDir);
  if (!FOutputGuard) ProtectProjectFiles(own, *FProject);
  std::string path;
  bool ok = (FOutputGuard ? *FOutputGuard : own).Destination(kLogFileName, path);
  // The log is small: it is built in memory and written in one go, so a failure leaves what was
  // measured so far.
  std::string log;
  auto write = [&](const std::string& text) {
    if (!ok) return;
    log += text;
    log += "\r\n";
  };

  const std::vector<TNameCollision> collisions = FindNameCollisions(*FProject);
  write(Fill(msg::LogStarted, {LogTimestamp()}));
  for (const RFile* item : FProject->Items()) {
    if (!ok) break;
    if (!item->Selected) continue;
    if (const RFile* kept = CollidesWith(collisions, item)) {
      write(Fill(msg::LogSkippedFile, {item->Name, kept->Path}));
      continue;
    }
    write(Fill(msg::LogProcessingFile, {item->Name}));
    std::string bytes;
    std::vector<TLongLine> longLines;
    if (!ReadFileBytes(item->Path, bytes)) {
      ok = false;
      break;
    }
    const bool measured = FindLongLines(bytes, longLines);
    for (const TLongLine& line : longLines) write(Fill(msg::LogCheckLine, {std::to_string(line.Number), line.Text}));
    if (!measured) {
      ok = false;
      break;
    }
    write(Fill(msg::LogEndOfFile, {item->Name}));
  }
  write(Fill(msg::LogCompleted, {LogTimestamp()}));
  const bool written = !path.empty() && ReplaceFileBytes(path, log);
  if (written && FOutputRecord) FOutputRecord->Written(kLogFileName, log, false);
  if (!ok || !written) services_.Prompts.Show(TMsgKind::Error, std::string(msg::ErrorCreatingLog));
}

// A line added to the log of this run, when the run keeps one.
void TVBSrcFormatter::AppendToLog(const std::string& text) {
  if (!On(SettingKey::CreateLog) || !FProject) return;
  // Through the output guard, as every file the run writes: a link there is replaced, not followed.
  TCopyStep own(FOutputDir);
  if (!FOutputGuard) ProtectProjectFiles(own, *FProject);
  std::string path;
  if (!(FOutputGuard ? *FOutputGuard : own).Destination(kLogFileName, path)) return;
  std::string log;
  if (!ReadFileBytes(path, log)) log.clear();
  log += text;
  log += "\r\n";
  if (ReplaceFileBytes(path, log) && FOutputRecord) FOutputRecord->Written(kLogFileName, log, false);
}

bool TVBSrcFormatter::PrepareOutputDirectory() {
  if (!DirectoryExists(FOutputDir)) {
    ForceDirectories(FOutputDir);
    if (!DirectoryExists(FOutputDir)) return false;
  }
  if (!FProject) return true;

  TBusyScope busy(services_.Prompts);
  const std::string& projectDir = FProject->ProjectDir;
  // The copy operations join names to the directory as they stand, so give it its separator.
  const std::string outputDir = IncludeTrailingSeparator(FOutputDir);
  TCopyStep own(outputDir);
  if (!FOutputGuard) ProtectProjectFiles(own, *FProject);
  TCopyStep& step = FOutputGuard ? *FOutputGuard : own;
  const bool vbp = VBVersion >= 4;
  auto copyEntries = [&] {
    if (vbp) {
      CopyVBPEntries(FProject->ProjectFile, projectDir, outputDir, services_.Copying, &step);
    } else {
      CopyMAKEntries(FProject->ProjectFile, projectDir, outputDir, services_.Copying, &step);
    }
  };
  // The copied project file names its sources in the output directory; a copy that was not made
  // now (the copy failed, or it is no regular file of its own) is never rewritten.
  auto localize = [&](bool copied) {
    if (!copied) return;
    const std::string copy = outputDir + FProject->ProjectName;
    if (!(vbp ? LocalizeVBPFile(copy) : LocalizeMAKFile(copy))) {
      step.AddFailure(FProject->ProjectName, projectDir + FProject->ProjectName, msg::ProjectCopyNotRewritten);
    } else if (std::string bytes; FOutputRecord && ReadFileBytes(copy, bytes)) {
      // The manifest holds the rewritten copy, as it now stands.
      FOutputRecord->Written(FProject->ProjectName, bytes);
    }
  };
  auto clearProcessed = [&] {
    for (RFile* item : FProject->Items()) item->Processed = false;
  };

  const std::string projectFile = projectDir + FProject->ProjectName;
  if (On(SettingKey::BackupMAKFiles)) {
    copyEntries();
    localize(step.Copy(projectFile, FProject->ProjectName, true));
    clearProcessed();
  }
  if (On(SettingKey::BackupAllFiles)) {
    copyEntries();
    const bool copied = step.Copy(projectFile, FProject->ProjectName);
    CopyDirectoryFiles(projectDir, outputDir, services_.Copying, &step);
    localize(copied);
    clearProcessed();
  }
  ReportCopyProblems(step, FRunReport, services_.Prompts);
  return true;
}

bool TVBSrcFormatter::FormatProjectItem(TSourceMgt& project, RFile& item) {
  FProject = &project;
  project.CurrentFile = &item;
  project.CurrentLineCount();
  return FormatItem(item);
}

bool TVBSrcFormatter::FormatItem(const RFile& item) {
  TMarkedList().swap(FOutput);
  FFileName = item.Name;
  FFileKind = item.Kind;
  services_.Processing.SetRange(0, static_cast<int>(item.Lines.size()));
  services_.Processing.SetPosition(0);
  const bool done = FormatPasses(item.Lines, [this](int shownPass) {
    services_.Processing.SetLabel(Fill(msg::ProcessingPass, {FFileName, std::to_string(shownPass)}));
  });
  return done && !CancelRequested;
}

TVBSrcFormatter::TFormattedItem TVBSrcFormatter::FormatAndCheckItem(TSourceMgt& project, RFile& item,
                                                                  std::string_view readFrom,
                                                                  const TProgramCheckOptions& options) {
  TFormattedItem result;
  project.LoadLines(item, readFrom);
  result.Done = FormatItem(item);
  result.Output.swap(FOutput);
  result.Lines.swap(item.Lines);
  project.FreeLines(&item);
  if (result.Done) result.MismatchLine = ProgramMismatchLine(result.Lines, result.Output, options);
  return result;
}

std::vector<std::unique_ptr<TVBSrcFormatter>> TVBSrcFormatter::ThreadFormatters(const TEngineServices& services,
                                                                                IProgress& progress, unsigned count) {
  std::vector<std::unique_ptr<TVBSrcFormatter>> formatters;
  for (unsigned i = 0; i < count; ++i) {
    formatters.push_back(std::make_unique<TVBSrcFormatter>(
        TEngineServices{services.Settings, services.Prompts, progress, progress, nullptr, services.Templates}));
  }
  return formatters;
}

void TVBSrcFormatter::ProcessProject(TSourceMgt* project, unsigned workers) {
  // The project's folders are listed once for the whole run, not once per file looked up.
  TDirectoryCacheScope listings;
  FRunReport = TRunReport{};
  if (!project || !project->FirstFile || !project->FirstFile->Next) return;
  FProject = project;
  FOutputDir = ResolveOutputDirectory(project->ProjectDir, Str(SettingKey::BackupNewCodeDirectory));
  FRunReport.OutputDir = FOutputDir;
  IPrompts& prompts = services_.Prompts;

  // Nothing is copied or written when the restyled files would land on their own sources.
  if (std::string conflict; OutputOverlapsSources(*project, FOutputDir, &conflict)) {
    prompts.Show(TMsgKind::Error, Fill(msg::OutputDirHoldsSources, {ShownDir(FOutputDir), DisplayPath(conflict)}));
    FRunReport.Outcome = TRunOutcome::Refused;
    return;
  }

  // Files of one name would overwrite each other in the flat output directory: the first wins.
  const std::vector<TNameCollision> collisions = FindNameCollisions(*project);
  if (!collisions.empty()) prompts.Show(TMsgKind::Warning, NameCollisionWarning(collisions));

  // Every file the run writes passes this guard: directly in the output directory, and never a
  // file of the project.
  TCopyStep guard(IncludeTrailingSeparator(FOutputDir));
  ProtectProjectFiles(guard, *project);
  TGuardScope guardScope(FOutputGuard, guard);

  if (!DirectoryExists(FOutputDir)) ForceDirectories(FOutputDir);
  if (!DirectoryExists(FOutputDir)) {
    prompts.Show(TMsgKind::Error, std::string(msg::UnableToCreateBackup));
    FRunReport.Outcome = TRunOutcome::NoOutputDir;
    return;
  }
  // One run at a time writes into an output directory; the second stops before writing anything.
  TOutputLock lock;
  if (std::string detail; !LockOutputDirectory(lock, detail)) return;

  // What the program wrote there before, so that a file changed since is not replaced unasked,
  // and what this run writes, which is all that a cancel deletes.
  TOutputRecord record(FOutputDir, FEditedOutput, &prompts);
  FRunReport.Manifest = record.Load();
  guard.SetRecord(&record);
  TRecordScope recordScope(FOutputRecord, record);
  const auto saveRecord = [&] {
    if (!record.Save()) prompts.Show(TMsgKind::Warning, Fill(msg::ManifestNotSaved, {DisplayPath(FOutputDir)}));
  };

  if (!PrepareOutputDirectory()) {
    prompts.Show(TMsgKind::Error, std::string(msg::UnableToCreateBackup));
    FRunReport.Outcome = TRunOutcome::NoOutputDir;
    saveRecord();
    return;
  }
  // Cancel at the question about a changed copy cancels the run.
  if (record.Cancelled()) CancelRequested = true;
  if (On(SettingKey::CreateLog)) WriteProcessingLog();

  TMarkedList().swap(FOutput);
  FSpellCancelled = false;
  TRunWindowScope window(services_.Processing, FOutput);
  const TProgramCheckOptions checkOptions = ProgramCheckOptionsFor(services_.Settings, services_.Templates);
  FRunReport.Outcome = TRunOutcome::Completed;

  // Without the preview and the spelling dialog, which need the file in hand, the files' passes
  // and safety checks can run ahead on other threads, each with a formatter of its own; every
  // decision of the run below (saving, messages, the log, the report) stays on this thread and in
  // project order. The other threads read each file by the name found here, with this thread's
  // folder listings.
  if (On(SettingKey::PreviewBeforeSaving) || On(SettingKey::SpellingPerform)) workers = 1;
  const std::vector<RFile*> items = project->Items();
  std::vector<std::string> readFrom(workers > 1 ? items.size() : 0);
  std::vector<TFormattedItem> ahead(readFrom.size());
  TNullProgress silent;
  const auto pool = ThreadFormatters(services_, silent, workers > 1 ? workers : 0);
  for (std::size_t i = 0; i < readFrom.size(); ++i) {
    if (items[i]->Selected && !CollidesWith(collisions, items[i])) readFrom[i] = NativePath(items[i]->Path);
  }
  const auto formatAhead = [&](std::size_t index, unsigned worker) {
    if (workers > 1 && !readFrom[index].empty()) {
      ahead[index] = pool[worker]->FormatAndCheckItem(*project, *items[index], readFrom[index], checkOptions);
    }
    return true;
  };

  bool saveFailed = false;
  const auto runFile = [&](std::size_t index) {
    if (CancelRequested) return false;
    RFile* item = items[index];
    project->CurrentFile = item;
    if (!item->Selected) {
      project->FreeCurrentLines();
      return true;
    }
    TRunFileReport& file = FRunReport.Files.emplace_back();
    file.Name = item->Name;
    file.Path = item->Path;
    if (const RFile* kept = CollidesWith(collisions, item)) {
      file.SkippedFor = kept->Path;
      project->FreeCurrentLines();
      return true;
    }

    bool done = false;
    std::optional<std::size_t> mismatchLine;
    if (workers > 1) {
      TFormattedItem result = std::move(ahead[index]);
      done = result.Done;
      file.LinesRead = static_cast<int>(result.Lines.size());
      FOutput = std::move(result.Output);
      mismatchLine = result.MismatchLine;
    } else {
      done = FormatProjectItem(*project, *item);
      file.LinesRead = static_cast<int>(item->Lines.size());
    }
    file.LinesWritten = static_cast<int>(FOutput.size());
    for (const TMarkedLine& line : FOutput) file.LinesChanged += line.Mark.IsChanged() ? 1 : 0;
    if (!done) {
      // An interrupted file is not written.
      project->CurrentFile = item;
      project->FreeCurrentLines();
      return false;
    }
    item->Processed = true;

    // Frees what the run holds of this file, which is not written.
    auto drop = [&] {
      item->Processed = false;
      TMarkedList().swap(FOutput);
      project->CurrentFile = item;
      project->FreeCurrentLines();
    };
    if (On(SettingKey::PreviewBeforeSaving) && services_.Preview) {
      services_.Preview->ShowPreview(Fill(msg::PreviewCaption, {item->Name}), item->Lines, FOutput);
      // A Cancel in the preview is a cancel of this file too: it is not written.
      if (CancelRequested) {
        drop();
        return false;
      }
    }

    // A file that is not written is not processed either (there is no output to compare it
    // with); the run says why and goes on with the next file.
    auto notSaved = [&](const std::string& text) {
      prompts.Show(TMsgKind::Error, text);
      AppendToLog(text);
      item->Processed = false;
      TMarkedList().swap(FOutput);
      project->CurrentFile = item;
      project->FreeCurrentLines();
    };
    // A file whose restyled text would read as another program is not written.
    if (const auto line = workers > 1 ? mismatchLine : ProgramMismatchLine(item->Lines, FOutput, checkOptions)) {
      file.NotSavedNearLine = *line;
      notSaved(Fill(msg::NotSavedProgramChange, {item->Name, std::to_string(*line)}));
      return true;
    }

    const std::string outputPath = JoinName(FOutputDir, item->Name);
    std::string target, refusal;
    if (!guard.Destination(item->Name, target, &refusal)) {
      file.NotSavedReason = refusal;
      notSaved(Fill(msg::NotSaved, {item->Name, refusal}));
      return true;
    }
    const std::string bytes = OutputText(FOutput);
    // A file there changed since the program wrote it is kept, unless the user says otherwise.
    if (!record.MayReplace(item->Name, target, bytes)) {
      drop();
      if (record.Cancelled()) {
        CancelRequested = true;
        return false;
      }
      file.Kept = true;
      file.NotSavedReason = FEditedOutput == TEditedOutput::Keep ? msg::OutputFileKeptForce : msg::OutputFileKept;
      return true;
    }
    if (!ReplaceFileBytes(target, bytes)) {
      prompts.Show(TMsgKind::Error, Fill(msg::UnableToSave, {DisplayPath(outputPath)}));
      FRunReport.Outcome = TRunOutcome::SaveFailed;
      project->CurrentFile = item;
      project->FreeCurrentLines();
      saveFailed = true;
      return false;
    }
    record.Written(item->Name, bytes);
    item->OutputPath = outputPath;
    file.Saved = true;
    file.OutputPath = outputPath;
    TMarkedList().swap(FOutput);

    project->CurrentFile = item;
    project->FreeCurrentLines();
    return true;
  };
  RunInOrder(items.size(), workers, 2 * std::size_t{workers}, formatAhead, runFile);
  FRunReport.KeptCopies = std::vector<std::string>(record.KeptNames().begin(), record.KeptNames().end());
  // The kept copies are named in the report; the kept restyled files in their entries.
  std::erase_if(FRunReport.KeptCopies, [&](const std::string& name) {
    return std::any_of(FRunReport.Files.begin(), FRunReport.Files.end(),
                       [&](const TRunFileReport& f) { return f.Kept && f.Name == name; });
  });
  if (saveFailed) {
    saveRecord();
    return;
  }

  if (CancelRequested) {
    FRunReport.Outcome = TRunOutcome::Cancelled;
    // Only what this run created or replaced is offered for deletion; the user's own files, and
    // whatever earlier runs left, stay. No is the default: Yes cannot be undone.
    const std::vector<std::string>& written = record.WrittenNames();
    if (!written.empty()) {
      const std::string question =
          written.size() == 1 ? Fill(msg::DeleteRunFile, {ShownDir(FOutputDir)})
                              : Fill(msg::DeleteRunFiles, {std::to_string(written.size()), ShownDir(FOutputDir)});
      if (prompts.Ask(TMsgKind::Confirmation, TButtons::YesNoDefaultNo, question) == TAnswer::Yes) {
        DeleteFiles(written, IncludeTrailingSeparator(FOutputDir), prompts);
        record.Deleted(written);
        for (RFile* item : project->Items()) {
          item->Processed = false;
          item->OutputPath.clear();
        }
        FRunReport.OutputDeleted = true;
        FRunReport.FilesDeleted = written.size();
      }
    }
  }
  saveRecord();
}

bool TVBSrcFormatter::LockOutputDirectory(TOutputLock& lock, std::string& detail) {
  IPrompts& prompts = services_.Prompts;
  const std::string dir = ShownDir(FOutputDir);
  switch (lock.Acquire(FOutputDir, &detail)) {
    case TLockResult::Locked: return true;
    case TLockResult::InUse:
      prompts.Show(TMsgKind::Error,
                   Fill(msg::OutputInUse, {dir, detail.empty() ? std::string() : Fill(msg::OutputInUseProcess, {detail})}));
      FRunReport.Outcome = TRunOutcome::OutputInUse;
      return false;
    case TLockResult::ReadOnly:
      prompts.Show(TMsgKind::Error, Fill(msg::OutputReadOnly, {dir, detail}));
      FRunReport.Outcome = TRunOutcome::OutputReadOnly;
      return false;
    case TLockResult::Failed: break;
  }
  prompts.Show(TMsgKind::Error, Fill(msg::OutputNotWritable, {dir, detail}));
  FRunReport.Outcome = TRunOutcome::OutputReadOnly;
  return false;
}

}  // namespace qm
