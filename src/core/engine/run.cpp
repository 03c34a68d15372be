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

// Shows the processing window, its Cancel button tied to the run, and hides it however the run
// ends.
class TRunWindowScope {
 public:
  TRunWindowScope(IProgress& window, TCancelToken& cancel) : window_(window) {
    window_.SetCancelToken(&cancel);
    window_.Show();
  }
  ~TRunWindowScope() {
    window_.Hide();
    window_.SetCancelToken(nullptr);
  }
  TRunWindowScope(const TRunWindowScope&) = delete;
  TRunWindowScope& operator=(const TRunWindowScope&) = delete;

 private:
  IProgress& window_;
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

TProcessingRun::TProcessingRun(const TEngineServices& services, TSourceMgt* project, unsigned workers)
    : settings_(services.Settings),
      services_{settings_,         services.Prompts,   services.Processing, services.Copying,
                services.Preview,  services.Templates, services.Spelling},
      project_(project),
      workers_(workers == 0 ? 1 : workers),
      checkOptions_(ProgramCheckOptionsFor(settings_, services.Templates)) {
  if (project_) outputDir_ = ResolveOutputDirectory(project_->ProjectDir, settings_.Text(SettingKey::BackupNewCodeDirectory));
}

TProcessingRun::~TProcessingRun() = default;

void TProcessingRun::SetFormatterFactory(TFormatterFactory factory) {
  factory_ = std::move(factory);
  formatters_.clear();
}

TVBSrcFormatter& TProcessingRun::Formatter(unsigned index) {
  if (formatters_.size() <= index) formatters_.resize(index + 1);
  std::unique_ptr<TVBSrcFormatter>& formatter = formatters_[index];
  if (!formatter) {
    // The calling thread's formatter has the windows; a thread's has no window, no preview and no
    // spelling dialog (which need the file in hand on the calling thread).
    const TEngineServices services =
        index == 0 ? services_
                   : TEngineServices{settings_, services_.Prompts, silent_, silent_, nullptr, services_.Templates};
    formatter = factory_ ? factory_(services, &cancel_) : std::make_unique<TVBSrcFormatter>(services, &cancel_);
  }
  return *formatter;
}

unsigned TProcessingRun::ThreadsFor(bool onTheCallingThread) const { return onTheCallingThread ? 1 : workers_; }

bool TProcessingRun::FormatHere(RFile& item, TCheckedFile& file) {
  TVBSrcFormatter& formatter = Formatter(0);
  project_->CurrentFile = &item;
  project_->CurrentLineCount();
  const bool done = formatter.FormatItem(item);
  file.Item = &item;
  file.After.swap(formatter.FOutput);
  return done;
}

bool TProcessingRun::FormatAhead(TVBSrcFormatter& formatter, RFile& item, const std::string& readFrom,
                                 TCheckedFile& file) {
  project_->LoadLines(item, readFrom);
  const bool done = formatter.FormatItem(item);
  file.Item = &item;
  file.After.swap(formatter.FOutput);
  file.Before.swap(item.Lines);
  project_->FreeLines(&item);
  if (done) file.MismatchLine = ProgramMismatchLine(file.Before, file.After, checkOptions_);
  return done;
}

void TProcessingRun::WriteProcessingLog(TCopyStep& guard) {
  std::string path;
  bool ok = guard.Destination(kLogFileName, path);
  // The log is small: it is built in memory and written in one go, so a failure leaves what was
  // measured so far.
  std::string log;
  auto write = [&](const std::string& text) {
    if (!ok) return;
    log += text;
    log += "\r\n";
  };

  write(Fill(msg::LogStarted, {LogTimestamp()}));
  for (const RFile* item : project_->Items()) {
    if (!ok) break;
    if (!item->Selected) continue;
    if (const RFile* kept = CollidesWith(collisions_, item)) {
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
  if (written && record_) record_->Written(kLogFileName, log, false);
  if (!ok || !written) services_.Prompts.Show(TMsgKind::Error, std::string(msg::ErrorCreatingLog));
}

// A line added to the log of this run, when the run keeps one.
void TProcessingRun::AppendToLog(const std::string& text) {
  if (!settings_.Bool(SettingKey::CreateLog) || !guard_) return;
  // Through the output guard, as every file the run writes: a link there is replaced, not followed.
  std::string path;
  if (!guard_->Destination(kLogFileName, path)) return;
  std::string log;
  if (!ReadFileBytes(path, log)) log.clear();
  log += text;
  log += "\r\n";
  if (ReplaceFileBytes(path, log) && record_) record_->Written(kLogFileName, log, false);
}

bool TProcessingRun::PrepareOutputDirectory(TCopyStep& step, TOutputRecord* record) {
  if (!DirectoryExists(outputDir_)) {
    ForceDirectories(outputDir_);
    if (!DirectoryExists(outputDir_)) return false;
  }

  TBusyScope busy(services_.Prompts);
  const std::string& projectDir = project_->ProjectDir;
  // The copy operations join names to the directory as they stand, so give it its separator.
  const std::string outputDir = IncludeTrailingSeparator(outputDir_);
  const bool vbp = project_->VBVersion >= 4;
  auto copyEntries = [&] {
    if (vbp) {
      CopyVBPEntries(project_->ProjectFile, projectDir, outputDir, services_.Copying, &step);
    } else {
      CopyMAKEntries(project_->ProjectFile, projectDir, outputDir, services_.Copying, &step);
    }
  };
  // The copied project file names its sources in the output directory; a copy that was not made
  // now (the copy failed, or it is no regular file of its own) is never rewritten.
  auto localize = [&](bool copied) {
    if (!copied) return;
    const std::string copy = outputDir + project_->ProjectName;
    if (!(vbp ? LocalizeVBPFile(copy) : LocalizeMAKFile(copy))) {
      step.AddFailure(project_->ProjectName, projectDir + project_->ProjectName, msg::ProjectCopyNotRewritten);
    } else if (std::string bytes; record && ReadFileBytes(copy, bytes)) {
      // The manifest holds the rewritten copy, as it now stands.
      record->Written(project_->ProjectName, bytes);
    }
  };
  auto clearProcessed = [&] {
    for (RFile* item : project_->Items()) item->Processed = false;
  };

  const std::string projectFile = projectDir + project_->ProjectName;
  if (settings_.Bool(SettingKey::BackupMAKFiles)) {
    copyEntries();
    localize(step.Copy(projectFile, project_->ProjectName, true));
    clearProcessed();
  }
  if (settings_.Bool(SettingKey::BackupAllFiles)) {
    copyEntries();
    const bool copied = step.Copy(projectFile, project_->ProjectName);
    CopyDirectoryFiles(projectDir, outputDir, services_.Copying, &step);
    localize(copied);
    clearProcessed();
  }
  ReportCopyProblems(step, report_, services_.Prompts);
  return true;
}

bool TProcessingRun::RefuseOutputOverSources() {
  std::string conflict;
  if (!OutputOverlapsSources(*project_, outputDir_, &conflict)) return false;
  services_.Prompts.Show(TMsgKind::Error,
                         Fill(msg::OutputDirHoldsSources, {ShownDir(outputDir_), DisplayPath(conflict)}));
  report_.Outcome = TRunOutcome::Refused;
  return true;
}

void TProcessingRun::WarnOfNameCollisions() {
  collisions_ = FindNameCollisions(*project_);
  if (!collisions_.empty()) services_.Prompts.Show(TMsgKind::Warning, NameCollisionWarning(collisions_));
}

bool TProcessingRun::MakeOutputDirectory() {
  if (!DirectoryExists(outputDir_)) ForceDirectories(outputDir_);
  if (DirectoryExists(outputDir_)) return true;
  services_.Prompts.Show(TMsgKind::Error, std::string(msg::UnableToCreateBackup));
  report_.Outcome = TRunOutcome::NoOutputDir;
  return false;
}

void TProcessingRun::DropFile(RFile& item, bool processed) {
  item.Processed = processed;
  project_->CurrentFile = &item;
  project_->FreeCurrentLines();
}

// One file of the writing run, on the calling thread in project order: its passes (or the result
// of a thread that went ahead), the preview, the safety check and the save. False ends the run.
bool TProcessingRun::ProcessFile(std::size_t index, const std::vector<RFile*>& items, std::vector<TCheckedFile>& ahead) {
  if (cancel_.Requested()) return false;
  RFile* item = items[index];
  project_->CurrentFile = item;
  if (!item->Selected) {
    project_->FreeCurrentLines();
    return true;
  }
  TRunFileReport& file = report_.Files.emplace_back();
  file.Name = item->Name;
  file.Path = item->Path;
  if (const RFile* kept = CollidesWith(collisions_, item)) {
    file.SkippedFor = kept->Path;
    project_->FreeCurrentLines();
    return true;
  }

  TCheckedFile result;
  bool done = false;
  if (!ahead.empty()) {
    result = std::move(ahead[index]);
    done = result.Item != nullptr && !cancel_.Requested();
    file.LinesRead = static_cast<int>(result.Before.size());
  } else {
    done = FormatHere(*item, result);
    file.LinesRead = static_cast<int>(item->Lines.size());
  }
  // The file in hand keeps its restyled lines in its formatter's output list, for the preview.
  TMarkedList& output = result.After;
  file.LinesWritten = static_cast<int>(output.size());
  for (const TMarkedLine& line : output) file.LinesChanged += line.Mark.IsChanged() ? 1 : 0;
  if (!done) {
    // An interrupted file is not written.
    project_->CurrentFile = item;
    project_->FreeCurrentLines();
    return false;
  }
  item->Processed = true;

  IPrompts& prompts = services_.Prompts;
  if (settings_.Bool(SettingKey::PreviewBeforeSaving) && services_.Preview) {
    // A Cancel in the preview is a cancel of this file too: it is not written.
    if (!services_.Preview->ShowPreview(Fill(msg::PreviewCaption, {item->Name}), item->Lines, output)) {
      cancel_.Request();
    }
    if (cancel_.Requested()) {
      DropFile(*item, false);
      return false;
    }
  }

  // A file that is not written is not processed either (there is no output to compare it with);
  // the run says why and goes on with the next file.
  auto notSaved = [&](const std::string& text) {
    prompts.Show(TMsgKind::Error, text);
    AppendToLog(text);
    DropFile(*item, false);
  };
  // A file whose restyled text would read as another program is not written.
  const auto mismatch = ahead.empty() ? ProgramMismatchLine(item->Lines, output, checkOptions_) : result.MismatchLine;
  if (mismatch) {
    file.NotSavedNearLine = *mismatch;
    notSaved(Fill(msg::NotSavedProgramChange, {item->Name, std::to_string(*mismatch)}));
    return true;
  }

  const std::string outputPath = JoinName(outputDir_, item->Name);
  std::string target, refusal;
  if (!guard_->Destination(item->Name, target, &refusal)) {
    file.NotSavedReason = refusal;
    notSaved(Fill(msg::NotSaved, {item->Name, refusal}));
    return true;
  }
  const std::string bytes = OutputText(output);
  // A file there changed since the program wrote it is kept, unless the user says otherwise.
  if (!record_->MayReplace(item->Name, target, bytes)) {
    DropFile(*item, false);
    if (record_->Cancelled()) {
      cancel_.Request();
      return false;
    }
    file.Kept = true;
    file.NotSavedReason = editedOutput_ == TEditedOutput::Keep ? msg::OutputFileKeptForce : msg::OutputFileKept;
    return true;
  }
  if (!ReplaceFileBytes(target, bytes)) {
    prompts.Show(TMsgKind::Error, Fill(msg::UnableToSave, {DisplayPath(outputPath)}));
    report_.Outcome = TRunOutcome::SaveFailed;
    DropFile(*item, true);
    saveFailed_ = true;
    return false;
  }
  record_->Written(item->Name, bytes);
  item->OutputPath = outputPath;
  file.Saved = true;
  file.OutputPath = outputPath;
  DropFile(*item, true);
  return true;
}

// Only what this run created or replaced is offered for deletion; the user's own files, and
// whatever earlier runs left, stay. No is the default: Yes cannot be undone.
void TProcessingRun::OfferToDeleteWrittenFiles(TOutputRecord& record) {
  const std::vector<std::string>& written = record.WrittenNames();
  if (written.empty()) return;
  const std::string question =
      written.size() == 1 ? Fill(msg::DeleteRunFile, {ShownDir(outputDir_)})
                          : Fill(msg::DeleteRunFiles, {std::to_string(written.size()), ShownDir(outputDir_)});
  IPrompts& prompts = services_.Prompts;
  if (prompts.Ask(TMsgKind::Confirmation, TButtons::YesNoDefaultNo, question) != TAnswer::Yes) return;
  DeleteFiles(written, IncludeTrailingSeparator(outputDir_), prompts);
  record.Deleted(written);
  for (RFile* item : project_->Items()) {
    item->Processed = false;
    item->OutputPath.clear();
  }
  report_.OutputDeleted = true;
  report_.FilesDeleted = written.size();
}

const TRunReport& TProcessingRun::Process() {
  // The project's folders are listed once for the whole run, not once per file looked up.
  TDirectoryCacheScope listings;
  report_ = TRunReport{};
  if (!project_ || !project_->FirstFile || !project_->FirstFile->Next) return report_;
  report_.OutputDir = outputDir_;
  IPrompts& prompts = services_.Prompts;

  // Nothing is copied or written when the restyled files would land on their own sources. Files
  // of one name would overwrite each other in the flat output directory: the first wins.
  if (RefuseOutputOverSources()) return report_;
  WarnOfNameCollisions();

  // Every file the run writes passes this guard: directly in the output directory, and never a
  // file of the project.
  TCopyStep guard(IncludeTrailingSeparator(outputDir_));
  ProtectProjectFiles(guard, *project_);
  guard_ = &guard;
  struct TForget {
    TProcessingRun& run;
    ~TForget() {
      run.guard_ = nullptr;
      run.record_ = nullptr;
    }
  } forget{*this};
  if (!MakeOutputDirectory()) return report_;
  // One run at a time writes into an output directory; the second stops before writing anything.
  TOutputLock lock;
  if (!LockOutputDirectory(lock)) return report_;

  // What the program wrote there before, so that a file changed since is not replaced unasked,
  // and what this run writes, which is all that a cancel deletes. The run leaves through
  // saveRecord, whatever ends it from here.
  TOutputRecord record(outputDir_, editedOutput_, &prompts);
  report_.Manifest = record.Load();
  guard.SetRecord(&record);
  record_ = &record;
  std::optional<TRunWindowScope> window;
  struct TSaveRecord {
    TProcessingRun& run;
    TOutputRecord& record;
    ~TSaveRecord() {
      if (!record.Save()) {
        run.services_.Prompts.Show(TMsgKind::Warning, Fill(msg::ManifestNotSaved, {DisplayPath(run.outputDir_)}));
      }
    }
  } saveRecord{*this, record};

  if (!PrepareOutputDirectory(guard, &record)) {
    prompts.Show(TMsgKind::Error, std::string(msg::UnableToCreateBackup));
    report_.Outcome = TRunOutcome::NoOutputDir;
    return report_;
  }
  // Cancel at the question about a changed copy cancels the run.
  if (record.Cancelled()) cancel_.Request();
  if (settings_.Bool(SettingKey::CreateLog)) WriteProcessingLog(guard);

  window.emplace(services_.Processing, cancel_);
  report_.Outcome = TRunOutcome::Completed;

  // Without the preview and the spelling dialog, which need the file in hand, the files' passes
  // and safety checks can run ahead on other threads, each with a formatter of its own; every
  // decision of the run (saving, messages, the log, the report) stays on this thread and in
  // project order. The other threads read each file by the name found here, with this thread's
  // folder listings.
  const unsigned workers = ThreadsFor(settings_.Bool(SettingKey::PreviewBeforeSaving) ||
                                      settings_.Bool(SettingKey::SpellingPerform));
  const std::vector<RFile*> items = project_->Items();
  std::vector<std::string> readFrom(workers > 1 ? items.size() : 0);
  std::vector<TCheckedFile> ahead(readFrom.size());
  for (std::size_t i = 0; i < readFrom.size(); ++i) {
    if (items[i]->Selected && !CollidesWith(collisions_, items[i])) readFrom[i] = NativePath(items[i]->Path);
  }
  for (unsigned w = 1; w <= (workers > 1 ? workers : 0); ++w) Formatter(w);
  const auto formatAhead = [&](std::size_t index, unsigned worker) {
    if (workers > 1 && !readFrom[index].empty()) {
      TCheckedFile& file = ahead[index];
      if (!FormatAhead(*formatters_[worker + 1], *items[index], readFrom[index], file)) file.Item = nullptr;
    }
    return true;
  };
  saveFailed_ = false;
  RunInOrder(items.size(), workers, 2 * std::size_t{workers}, formatAhead,
             [&](std::size_t index) { return ProcessFile(index, items, ahead); });
  report_.KeptCopies = std::vector<std::string>(record.KeptNames().begin(), record.KeptNames().end());
  // The kept copies are named in the report; the kept restyled files in their entries.
  std::erase_if(report_.KeptCopies, [&](const std::string& name) {
    return std::any_of(report_.Files.begin(), report_.Files.end(),
                       [&](const TRunFileReport& f) { return f.Kept && f.Name == name; });
  });
  if (saveFailed_) return report_;

  if (cancel_.Requested()) {
    report_.Outcome = TRunOutcome::Cancelled;
    OfferToDeleteWrittenFiles(record);
  }
  return report_;
}

bool TProcessingRun::Check(const std::function<bool(TCheckedFile&)>& finish) {
  if (!project_) return true;
  WarnOfNameCollisions();
  std::vector<RFile*> items;
  for (RFile* item : project_->Items()) {
    if (item->Selected && !CollidesWith(collisions_, item)) items.push_back(item);
  }
  // Spell checking follows the project's current file: it stays on the calling thread.
  const unsigned workers = ThreadsFor(settings_.Bool(SettingKey::SpellingPerform));

  // The threads read each file by the name found here, where the folders are listed once.
  TDirectoryCacheScope listings;
  std::vector<std::string> readFrom(workers > 1 ? items.size() : 0);
  for (std::size_t i = 0; i < readFrom.size(); ++i) readFrom[i] = NativePath(items[i]->Path);
  for (unsigned w = 1; w <= (workers > 1 ? workers : 0); ++w) Formatter(w);
  std::vector<TCheckedFile> files(items.size());
  const auto work = [&](std::size_t index, unsigned worker) {
    RFile& item = *items[index];
    TCheckedFile& file = files[index];
    if (workers > 1) return FormatAhead(*formatters_[worker + 1], item, readFrom[index], file);
    const bool done = FormatHere(item, file);
    file.Before.swap(item.Lines);
    project_->FreeLines(&item);
    if (done) file.MismatchLine = ProgramMismatchLine(file.Before, file.After, checkOptions_);
    return done;
  };
  const auto report = [&](std::size_t index) {
    const bool goOn = finish(files[index]);
    files[index] = TCheckedFile{};
    return goOn;
  };
  RunInOrder(items.size(), workers, 2 * std::size_t{workers}, work, report);
  return !cancel_.Requested();
}

bool TProcessingRun::LockOutputDirectory(TOutputLock& lock) {
  IPrompts& prompts = services_.Prompts;
  const std::string dir = ShownDir(outputDir_);
  std::string detail;
  switch (lock.Acquire(outputDir_, &detail)) {
    case TLockResult::Locked: return true;
    case TLockResult::InUse:
      prompts.Show(TMsgKind::Error,
                   Fill(msg::OutputInUse, {dir, detail.empty() ? std::string() : Fill(msg::OutputInUseProcess, {detail})}));
      report_.Outcome = TRunOutcome::OutputInUse;
      return false;
    case TLockResult::ReadOnly:
      prompts.Show(TMsgKind::Error, Fill(msg::OutputReadOnly, {dir, detail}));
      report_.Outcome = TRunOutcome::OutputReadOnly;
      return false;
    case TLockResult::Failed: break;
  }
  prompts.Show(TMsgKind::Error, Fill(msg::OutputNotWritable, {dir, detail}));
  report_.Outcome = TRunOutcome::OutputReadOnly;
  return false;
}

}  // namespace qm
