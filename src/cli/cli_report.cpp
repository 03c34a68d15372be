// SPDX-License-Identifier: MIT
#include "cli_report.h"

#include <nlohmann/json.hpp>

#include <cstddef>

#include "platform/paths.h"
#include "project/sourcemgt.h"

namespace qm::cli {

namespace {

// Keys in the order written, schemaVersion first.
using json = nlohmann::ordered_json;

const char* RunOutcomeName(TRunOutcome outcome) {
  switch (outcome) {
    case TRunOutcome::NotRun: return "not run";
    case TRunOutcome::Completed: return "completed";
    case TRunOutcome::Cancelled: return "cancelled";
    case TRunOutcome::Refused: return "refused";
    case TRunOutcome::NoOutputDir: return "no output directory";
    case TRunOutcome::SaveFailed: return "not saved";
    case TRunOutcome::OutputInUse: return "output directory in use";
    case TRunOutcome::OutputReadOnly: return "output directory not writable";
  }
  return "not run";
}

// Why an item the run did not take up, or did not finish, has no output file.
std::string NotSavedReason(TRunOutcome outcome) {
  switch (outcome) {
    case TRunOutcome::Refused: return "the output directory holds source files of the project";
    case TRunOutcome::NoOutputDir: return "the output directory could not be made";
    case TRunOutcome::Cancelled: return "the run was cancelled before this file was saved";
    case TRunOutcome::SaveFailed: return "the run stopped when a restyled file could not be written";
    case TRunOutcome::OutputInUse: return "another run was writing into the output directory";
    case TRunOutcome::OutputReadOnly: return "the output directory cannot be written";
    default: return "the run did not reach this file";
  }
}

json Counts(json item, int read, int written, int changed) {
  item["linesRead"] = read;
  item["linesWritten"] = written;
  item["linesChanged"] = changed;
  return item;
}

std::string ProgramChangeReason(std::size_t line) {
  return "the restyled text would change the program near line " + std::to_string(line);
}

json RunItem(json item, const TRunFileReport* file, TRunOutcome run, bool lastTaken, const std::string& outputDir) {
  if (!file) {
    item = Counts(std::move(item), 0, 0, 0);
    item["outcome"] = "not saved";
    item["reason"] = NotSavedReason(run);
    return item;
  }
  item = Counts(std::move(item), file->LinesRead, file->LinesWritten, file->LinesChanged);
  if (!file->SkippedFor.empty()) {
    item["outcome"] = "skipped";
    item["reason"] = "same file name as " + NativePath(file->SkippedFor);
  } else if (!file->Saved) {
    item["outcome"] = "not saved";
    if (file->NotSavedNearLine > 0) {
      item["reason"] = ProgramChangeReason(file->NotSavedNearLine);
    } else if (!file->NotSavedReason.empty()) {
      item["reason"] = file->NotSavedReason;
    } else {
      item["reason"] = run == TRunOutcome::SaveFailed && lastTaken
                           ? "cannot write " + NativePath(IncludeTrailingSeparator(outputDir) + file->Name)
                           : NotSavedReason(run);
    }
  } else {
    const bool changed = file->LinesChanged > 0 || file->LinesRead != file->LinesWritten;
    item["outcome"] = changed ? "restyled" : "unchanged";
    item["outputPath"] = NativePath(file->OutputPath);
  }
  return item;
}

}  // namespace

std::string ProjectReportJson(const TSourceMgt& project, const TReportInput& input) {
  json report;
  report["schemaVersion"] = 1;
  report["project"] = NativePath(input.Project);
  report["settings"] = input.Settings.empty() ? json(nullptr) : json(input.Settings);
  report["outputDirectory"] = input.InPlace ? json(nullptr) : json(NativePath(IncludeTrailingSeparator(input.OutputDir)));
  if (input.Run) {
    report["outcome"] = RunOutcomeName(input.Run->Outcome);
  } else if (input.InPlace) {
    report["outcome"] = input.CheckCancelled ? "cancelled" : "completed";
  } else {
    report["outcome"] = input.CheckCancelled ? "cancelled" : "checked";
  }
  json items = json::array();
  const std::vector<RFile*> all = project.Items();
  for (std::size_t i = 0; i < all.size(); ++i) {
    json item;
    item["name"] = input.NameToUtf8 ? input.NameToUtf8(all[i]->Name) : all[i]->Name;
    item["path"] = NativePath(all[i]->Path);
    if (input.Run) {
      const std::vector<TRunFileReport>& files = input.Run->Files;
      item = RunItem(std::move(item), i < files.size() ? &files[i] : nullptr, input.Run->Outcome,
                     i + 1 == files.size(), input.OutputDir);
    } else if (i < input.Checked.size() && !input.Checked[i].SkippedFor.empty()) {
      item = Counts(std::move(item), 0, 0, 0);
      item["outcome"] = "skipped";
      item["reason"] = "same file name as " + NativePath(input.Checked[i].SkippedFor);
    } else if (i < input.Checked.size()) {
      const TCheckedItem& checked = input.Checked[i];
      item = Counts(std::move(item), checked.LinesRead, checked.LinesWritten, checked.LinesChanged);
      if (checked.ProgramChangeNearLine > 0) {
        item["outcome"] = "not saved";
        item["reason"] = ProgramChangeReason(checked.ProgramChangeNearLine);
      } else if (!checked.NotWrittenReason.empty()) {
        item["outcome"] = "not saved";
        item["reason"] = checked.NotWrittenReason;
      } else if (input.InPlace) {
        item["outcome"] = checked.Written ? "restyled" : "unchanged";
      } else {
        item["outcome"] = checked.WouldChange ? "would change" : "unchanged";
      }
    } else {
      item = Counts(std::move(item), 0, 0, 0);
      item["outcome"] = "not checked";
      item["reason"] = "the check was cancelled before this file";
    }
    items.push_back(std::move(item));
  }
  report["items"] = std::move(items);
  return report.dump(2, ' ', false, json::error_handler_t::replace) + '\n';
}

}  // namespace qm::cli
