// SPDX-License-Identifier: MIT
// The project run of quillmate-cli: the processing run of the desktop program without a window.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_args.h"
#include "cli_encoding.h"
#include "cli_prompts.h"
#include "cli_report.h"
#include "cli_settings.h"
#include "cli_spell.h"
#include "engine/formatter.h"
#include "engine/outputtext.h"
#include "engine/programcheck.h"
#include "messages.h"
#include "platform/inorder.h"
#include "platform/linefile.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "settings/profile_entries.h"
#include "ui/progress.h"
#include "ui/prompts.h"
#include "unified_diff.h"

namespace qm::cli {

namespace {

namespace fs = std::filesystem;

// The run that Ctrl+C cancels; a signal handler reaches it only through a global.
std::atomic<TCancelToken*> InterruptedRun{nullptr};
static_assert(std::atomic<TCancelToken*>::is_always_lock_free, "the run is looked up from a signal handler");

void OnInterrupt() {
  if (TCancelToken* run = InterruptedRun.load()) run->Request();
}

// Ctrl+C (and a termination request) during a run cancel it as the Cancel button does; the run
// then ends after the line in hand. A second Ctrl+C ends the program at once.
class TInterruptScope : public os::TInterruptScope {
 public:
  explicit TInterruptScope(TCancelToken& run) : os::TInterruptScope(OnInterrupt) { InterruptedRun.store(&run); }
  ~TInterruptScope() { InterruptedRun.store(nullptr); }
  TInterruptScope(const TInterruptScope&) = delete;
  TInterruptScope& operator=(const TInterruptScope&) = delete;
};

struct TProcessOptions {
  std::string Settings;
  std::optional<std::string> Output;
  std::string Project;
  std::string Encoding;  // of the names in the JSON report
  bool InPlace = false;  // restyle the sources themselves; no output directory
  bool Check = false;
  bool Diff = false;
  bool Quiet = false;
  bool Verbose = false;
  bool Json = false;  // --report json
  bool Force = false;  // replace output files changed since the program wrote them
};

bool ParseOptions(const TArgs& args, TProcessOptions& options, std::string& problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // An empty value would silently mean the default (the settings directory, the output
    // directory of the settings): refused, so that a script's empty variable is noticed.
    auto take = [&](std::string_view option, std::string text, const char* what, std::string& into) {
      if (text.empty()) {
        problem = "option " + std::string(option) + " needs " + what + ", not an empty text";
        return false;
      }
      into = std::move(text);
      return true;
    };
    auto value = [&](const char* what, std::string& into) {
      if (i + 1 >= args.size()) {
        problem = "option " + arg + " needs a value";
        return false;
      }
      ++i;
      return take(arg, args[i], what, into);
    };
    if (arg == "--settings") {
      if (!value("a file", options.Settings)) return false;
    } else if (arg.rfind("--settings=", 0) == 0) {
      if (!take("--settings", arg.substr(11), "a file", options.Settings)) return false;
    } else if (arg == "--output") {
      if (!value("a directory", options.Output.emplace())) return false;
    } else if (arg.rfind("--output=", 0) == 0) {
      if (!take("--output", arg.substr(9), "a directory", options.Output.emplace())) return false;
    } else if (arg == "--encoding") {
      if (!value("a name", options.Encoding)) return false;
    } else if (arg.rfind("--encoding=", 0) == 0) {
      if (!take("--encoding", arg.substr(11), "a name", options.Encoding)) return false;
    } else if (arg == "--in-place") {
      options.InPlace = true;
    } else if (arg == "--check") {
      options.Check = true;
    } else if (arg == "--diff") {
      options.Diff = true;
    } else if (arg == "--force") {
      options.Force = true;
    } else if (arg == "--quiet" || arg == "-q") {
      options.Quiet = true;
    } else if (arg == "--verbose" || arg == "-v") {
      options.Verbose = true;
    } else if (arg == "--report" || arg.rfind("--report=", 0) == 0) {
      std::string format = arg.size() > 8 ? arg.substr(9) : std::string();
      if (arg.size() == 8 && !value("a format", format)) return false;
      if (format != "json") {
        problem = "unknown report format " + format + " (json)";
        return false;
      }
      options.Json = true;
    } else if (arg == "--") {
      if (i + 2 != args.size() || !options.Project.empty()) {
        problem = "give exactly one project file";
        return false;
      }
      options.Project = args[i + 1];
      break;
    } else if (IsOptionLike(arg)) {
      return UnknownOption(arg, problem);
    } else if (!TakeTheFile(arg, options.Project, "project", problem)) {
      return false;
    }
  }
  if (!HasTheFile(options.Project, false, "project", problem)) return false;
  if (options.InPlace && options.Output) {
    problem = "--in-place writes no output directory; give --in-place or --output";
    return false;
  }
  if (options.Json && options.Diff) {
    problem = "--report json and --diff both write to standard output; give one of them";
    return false;
  }
  return true;
}

// The line of the summary for one file.
void PrintFileLine(std::ostream& out, const TRunFileReport& file) {
  out << file.Name << ": ";
  if (!file.SkippedFor.empty()) {
    out << "skipped, same file name as " << NativePath(file.SkippedFor) << '\n';
    return;
  }
  out << file.LinesRead << " lines read, " << file.LinesWritten << " written, " << file.LinesChanged
      << " marked changed";
  if (!file.NotSavedReason.empty()) {
    out << " (not written: " << file.NotSavedReason << ")";
  } else if (file.NotSavedNearLine > 0) {
    out << " (not written: the program would change near line " << file.NotSavedNearLine << ")";
  } else if (!file.Saved) {
    out << " (not written)";
  }
  out << '\n';
}

// The lines of the summary for the copy step's problems: the files of the output directory that
// are missing or incomplete, and those that were not copied for another file of their name.
void PrintCopyLines(std::ostream& out, const TRunReport& report) {
  for (const TCopyFailure& failure : report.CopyFailures) {
    out << failure.Name << ": not copied from " << NativePath(failure.Source) << ": " << failure.Reason << '\n';
  }
  for (const std::string& name : report.KeptCopies) {
    out << name << ": not copied: " << msg::OutputFileKeptForce << '\n';
  }
  for (const TCopyCollision& collision : report.CopyCollisions) {
    out << ExtractFileName(NativePath(collision.Skipped)) << ": not copied from " << NativePath(collision.Skipped)
        << ", same file name as " << NativePath(collision.Kept) << '\n';
  }
}

// Why a project file could not be read, for the line after the reader's own message.
std::string WhyUnreadable(const std::string& path) {
  const std::string native = NativePath(path);
  os::TFileInfo info;
  if (!os::GetFileInfo(native, info)) return errno == ENOENT || errno == ENOTDIR ? "missing" : std::strerror(errno);
  if (info.Kind == os::TFileKind::Directory) return std::string(kIsDirectory);
  if (info.Kind != os::TFileKind::Regular) return std::string(kNotRegularFile);
  if (info.Size == 0) return "is empty";
  std::string bytes, reason;
  if (!ReadSmallFile(native, bytes, &reason, 1)) {
    if (reason != kTooLarge) return "cannot be read: " + reason;
  }
  return "is not a text file";
}

// Writes the restyled bytes over a source whose passes started from before; the reason when not.
std::optional<std::string> RestyleInPlace(const std::string& path, const TLines& before, const TMarkedList& after,
                                          bool& written) {
  written = false;
  std::string source, why;
  if (!ReadFileBytes(path, source, &why)) return "cannot read " + path + (why.empty() ? "" : ": " + why);
  // The line ends are taken from the bytes read now: they must still be the lines restyled.
  if (SplitLines(source) != before) return "cannot write " + path + ": " + std::string(kChangedMeanwhile);
  const std::string restyled = RestyledBytes(source, after);
  if (restyled == source) return std::nullopt;
  if (!RewriteFileBytes(path, source, restyled, &why)) return "cannot write " + path + ": " + why;
  written = true;
  return std::nullopt;
}

// --check and --diff: every selected file through its passes, nothing copied or written. The run
// takes files through on several threads (one per core) unless spell checking is on, and hands
// them over in project order. --in-place alone writes every file that changes over its source (the
// others, the project file and the output directory are left alone).
int FormatOnly(TProcessingRun& run, TSourceMgt& project, const TProcessOptions& options, TReportInput& report,
               std::ostream& out, std::ostream& err) {
  // The report names every selected item: a file whose name an earlier selected file has (the
  // same file listed again, or another file of that name), which the run leaves out, says for which
  // file.
  std::map<const RFile*, const RFile*> keptFor;  // a left-out item: the item kept for it
  for (const TNameCollision& c : FindNameCollisions(project)) keptFor.emplace(c.Skipped, c.Kept);
  std::map<const RFile*, std::size_t> entryOf;  // the place of each item taken among the selected ones
  std::vector<TCheckedItem> checkedOut;
  for (RFile* item : project.Items()) {
    if (!item->Selected) continue;
    TCheckedItem& entry = checkedOut.emplace_back();
    if (const auto kept = keptFor.find(item); kept != keptFor.end()) {
      entry.SkippedFor = kept->second->Path;
      continue;
    }
    entryOf.emplace(item, checkedOut.size() - 1);
  }
  const bool inPlace = options.InPlace && !options.Check && !options.Diff;

  // With --diff standard output holds the patch alone; the lines per file go to standard error.
  std::ostream& status = options.Diff ? err : out;
  int changedFiles = 0;
  int refusedFiles = 0;
  int writtenFiles = 0;
  const auto finish = [&](TCheckedFile& file) {
    const RFile& item = *file.Item;
    const TMarkedList& output = file.After;
    int marked = 0;
    for (const TMarkedLine& line : output) marked += line.Mark.IsChanged() ? 1 : 0;
    const bool changed = !std::equal(output.begin(), output.end(), file.Before.begin(), file.Before.end(),
                                     [](const TMarkedLine& a, const std::string& b) { return a.Text == b; });
    changedFiles += changed ? 1 : 0;
    TCheckedItem& checked = checkedOut[entryOf.at(&item)];
    checked = TCheckedItem{};
    checked.LinesRead = static_cast<int>(file.Before.size());
    checked.LinesWritten = static_cast<int>(output.size());
    checked.LinesChanged = marked;
    checked.WouldChange = changed;
    checked.Reached = true;
    // The run would not write a file whose restyled text reads as another program: the check
    // names it, and fails.
    if (file.MismatchLine) {
      checked.ProgramChangeNearLine = *file.MismatchLine;
      ++refusedFiles;
      err << "quillmate-cli: error: "
          << msg::Fill(msg::NotSavedProgramChange, {item.Name, std::to_string(*file.MismatchLine)}) << '\n';
    }
    if (inPlace && changed && !file.MismatchLine) {
      if (const auto problem = RestyleInPlace(NativePath(item.Path), file.Before, file.After, checked.Written)) {
        ++refusedFiles;
        checked.NotWrittenReason = *problem;
        err << "quillmate-cli: error: " << *problem << '\n';
      }
      writtenFiles += checked.Written ? 1 : 0;
    }
    if (!options.Quiet) {
      status << item.Name << ": " << checked.LinesRead << " lines read, " << checked.LinesWritten << " lines out, "
          << marked << " marked changed, ";
      if (!inPlace) {
        status << (changed ? "would change" : "unchanged");
        if (checked.ProgramChangeNearLine > 0) status << " (would not be written: the program would change)";
      } else if (checked.Written || !changed) {
        status << (checked.Written ? "restyled" : "unchanged");
      } else {
        status << "not written";
      }
      status << '\n';
    }
    // A patch of the source file that gives, applied, the bytes the writing run would write for
    // it; a file the run would not write gets none. The source's bytes are read again here, as
    // the passes keep only its lines.
    if (options.Diff && changed && !file.MismatchLine) {
      std::string source, why;
      if (ReadFileBytes(NativePath(item.Path), source, &why)) {
        const std::string name = PatchName(NativePath(item.Path));
        WriteUnifiedPatch(out, "a/" + name, "b/" + name, source, RestyledBytes(source, file.After));
      } else {
        ++refusedFiles;
        err << "quillmate-cli: error: cannot read " << NativePath(item.Path) << (why.empty() ? "" : ": ") << why
            << '\n';
      }
    }
    return true;
  };
  const bool cancelled = !run.Check(finish);
  report.CheckCancelled = cancelled;
  // The entries up to the last one reached (the left-out ones among them), in project order.
  std::size_t reached = 0;
  for (std::size_t i = 0; i < checkedOut.size(); ++i) {
    if (checkedOut[i].Reached || (!cancelled && !checkedOut[i].SkippedFor.empty())) reached = i + 1;
  }
  checkedOut.resize(reached);
  report.Checked = std::move(checkedOut);
  if (options.Json) out << ProjectReportJson(project, report);
  if (cancelled) {
    err << "quillmate-cli: cancelled\n";
    return kExitError;
  }
  if (options.Check && !options.Quiet) {
    status << changedFiles << (changedFiles == 1 ? " file" : " files") << " would change\n";
  }
  if (inPlace && !options.Quiet) {
    status << writtenFiles << (writtenFiles == 1 ? " file" : " files") << " restyled in place\n";
  }
  if (refusedFiles > 0) return kExitError;
  return options.Check && changedFiles > 0 ? kExitFindings : kExitOk;
}

}  // namespace

int CmdProcess(const TArgs& args, std::ostream& out, std::ostream& err) {
  TProcessOptions options;
  if (std::string problem; !ParseOptions(args, options, problem)) {
    err << "quillmate-cli: " << problem << "\nTry 'quillmate-cli --help'.\n";
    return kExitError;
  }

  // --report json replaces the lines per file; standard output then holds nothing else.
  if (options.Json) options.Quiet = true;

  TSettings settings;
  TCommentTemplates templates;
  TCliPrompts prompts(err);
  const std::string settingsFile =
      FindCliSettings(options.Settings, fs::path(Absolute(options.Project)).parent_path().string());
  if (std::string problem; !LoadCliSettings(settingsFile, settings, templates, prompts, problem)) {
    err << "quillmate-cli: error: " << problem << "\n";
    return kExitError;
  }
  if (options.Verbose) err << "quillmate-cli: " << DescribeCliSettings(settingsFile) << '\n';
  // Relative to the working directory, as a command line reads it (the setting is relative to
  // the project's directory).
  if (options.Output) {
    settings.SetText(SettingKey::BackupNewCodeDirectory, IncludeTrailingSeparator(Absolute(*options.Output)));
  }

  TSourceMgt project;
  const std::string projectPath = Absolute(options.Project);
  switch (project.ReadProjectFile(projectPath, prompts)) {
    case TReadOutcome::Read: break;
    case TReadOutcome::NotText:
      err << "quillmate-cli: " << projectPath << ": " << WhyUnreadable(projectPath) << '\n';
      return kExitError;
    default: return kExitError;
  }

  // With spell checking on, every word not in the dictionary is listed on standard error and
  // left as it stands: nobody is there to answer the spelling dialog.
  TSpellLister speller(err, prompts, options.Settings.empty() ? std::string(kSettingsFileName) : Absolute(options.Settings));
  speller.FollowProject(&project, options.Project);
  speller.SetTabWidth(settings.TabWidth());
  TNullProgress copying;
  const TEngineServices services{settings, prompts, speller, copying, nullptr, &templates, &speller.Dialog()};
  TProcessingRun run(services, &project, WorkerThreads());
  // Nobody is there to answer a question: a changed output file is kept (and the run fails) unless
  // --force says to replace it.
  run.SetEditedOutput(options.Force ? TEditedOutput::Replace : TEditedOutput::Keep);
  TInterruptScope interrupt(run.Cancel());

  TCliEncoding encoding;
  if (std::string problem; !encoding.Choose(options.Encoding, settingsFile, problem)) {
    err << "quillmate-cli: " << problem << '\n';
    return kExitError;
  }
  encoding.Resolve(project.ProjectFile);
  TReportInput json;
  json.NameToUtf8 = [&encoding](std::string_view name) { return encoding.ToUtf8(name); };
  json.Project = Absolute(options.Project);
  json.Settings = settingsFile.empty() ? std::string() : Absolute(settingsFile);
  json.OutputDir = run.OutputDir();
  if (options.Check || options.Diff || options.InPlace) {
    json.InPlace = options.InPlace && !options.Check && !options.Diff;
    return FormatOnly(run, project, options, json, out, err);
  }

  const TRunReport& report = run.Process();
  if (options.Json) {
    json.Run = &report;
    out << ProjectReportJson(project, json);
  }
  if (!options.Quiet) {
    PrintCopyLines(out, report);
    for (const TRunFileReport& file : report.Files) {
      // The same file listed again is named once, with its count, in the warning.
      if (file.SkippedFor != file.Path) PrintFileLine(out, file);
    }
  }
  // A run that left files of the output directory missing or incomplete (a failed copy, a file the
  // safety check or the name guard kept from being written) has not succeeded.
  const bool incomplete = !report.CopyFailures.empty() || !report.KeptCopies.empty() ||
                          std::any_of(report.Files.begin(), report.Files.end(), [](const TRunFileReport& file) {
                            return !file.NotSavedReason.empty() || file.NotSavedNearLine > 0;
                          });
  switch (report.Outcome) {
    case TRunOutcome::Completed: {
      if (!options.Quiet) out << "Output: " << NativePath(IncludeTrailingSeparator(report.OutputDir)) << '\n';
      return incomplete ? kExitError : kExitOk;
    }
    case TRunOutcome::Cancelled:
      err << "quillmate-cli: cancelled; the files written so far are in "
          << NativePath(IncludeTrailingSeparator(report.OutputDir)) << '\n';
      return kExitError;
    default:
      return kExitError;
  }
}

}  // namespace qm::cli
