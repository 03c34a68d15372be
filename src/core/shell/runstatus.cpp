// SPDX-License-Identifier: MIT
#include "shell/runstatus.h"

#include <vector>

#include "messages.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"

namespace qm {

using msg::Fill;

int SelectedFileCount(const TSourceMgt& project) {
  int count = 0;
  for (const RFile* item = project.FirstFile; item && item->Next; item = item->Next) {
    if (item->Selected) ++count;
  }
  return count;
}

std::string RunStatusText(const TRunReport& report, int selectedCount) {
  const std::string dir = DisplayPath(IncludeTrailingSeparator(report.OutputDir));
  switch (report.Outcome) {
    case TRunOutcome::NotRun: return std::string(msg::StatusNothingToRestyle);
    case TRunOutcome::Refused: return Fill(msg::StatusOutputRefused, {dir});
    case TRunOutcome::NoOutputDir: return Fill(msg::StatusNoOutputDir, {dir});
    case TRunOutcome::OutputInUse: return Fill(msg::StatusOutputInUse, {dir});
    case TRunOutcome::OutputReadOnly: return Fill(msg::StatusOutputReadOnly, {dir});
    default: break;
  }
  int restyled = 0;
  int skipped = 0;
  int notSaved = 0;
  int kept = 0;
  for (const TRunFileReport& file : report.Files) {
    if (file.Saved) {
      ++restyled;
    } else if (file.Kept) {
      ++kept;
    } else if (!file.SkippedFor.empty()) {
      ++skipped;
    } else if (report.Outcome == TRunOutcome::SaveFailed) {
      ++notSaved;
    }
  }
  std::string text;
  if (restyled == selectedCount) {
    text = Fill(restyled == 1 ? msg::StatusRestyledOne : msg::StatusRestyledAll,
                {std::to_string(restyled), dir});
  } else {
    text = Fill(msg::StatusRestyledSome, {std::to_string(restyled), std::to_string(selectedCount), dir});
  }
  std::vector<std::string> notes;
  if (skipped > 0) notes.push_back(Fill(msg::StatusSkipped, {std::to_string(skipped)}));
  if (notSaved > 0) notes.push_back(Fill(msg::StatusNotSaved, {std::to_string(notSaved)}));
  if (kept > 0) notes.push_back(Fill(msg::StatusKept, {std::to_string(kept)}));
  if (report.Outcome == TRunOutcome::Cancelled) notes.emplace_back(msg::StatusCancelled);
  if (report.OutputDeleted) notes.emplace_back(msg::StatusOutputDeleted);
  if (!notes.empty()) {
    text += " (";
    for (std::size_t i = 0; i < notes.size(); ++i) text += (i ? ", " : "") + notes[i];
    text += ")";
  }
  return text;
}

}  // namespace qm
