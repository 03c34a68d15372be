// SPDX-License-Identifier: MIT
#pragma once

// The JSON report of a project run (--report json), for CI dashboards and editor plug-ins: one
// object naming the project, the settings file, the output directory and the run's outcome, and
// per item of the project its name, path, lines read and written, lines marked changed, and what
// came of it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run.h"

namespace qm {
class TSourceMgt;
}

namespace qm::cli {

// What a --check or --diff run found for one item.
struct TCheckedItem {
  int LinesRead = 0;
  int LinesWritten = 0;
  int LinesChanged = 0;
  bool WouldChange = false;
  // The line near which the restyled text would read as another program (0: it would not).
  std::size_t ProgramChangeNearLine = 0;
  // Left out because an earlier selected item has its file name: that item's path.
  std::string SkippedFor;
  bool Reached = false;  // the check took this item up
  // --in-place: the source was written over; or why a changed source was not.
  bool Written = false;
  std::string NotWrittenReason;
};

struct TReportInput {
  std::string Project;   // the project file
  std::string Settings;  // the settings file read; empty for the saved settings
  std::string OutputDir;
  // A processing run: its report. A check: one entry per item the check reached, in order.
  const TRunReport* Run = nullptr;
  std::vector<TCheckedItem> Checked;
  bool CheckCancelled = false;
  bool InPlace = false;  // the sources were restyled in place: no output directory
  // How the names read from the project file become UTF-8; none: shown when they are UTF-8.
  std::function<std::string(std::string_view)> NameToUtf8;
};

// The report as JSON text (two-space indentation, ending with a line feed). Bytes of names that
// are not UTF-8 are shown as U+FFFD.
std::string ProjectReportJson(const TSourceMgt& project, const TReportInput& input);

}  // namespace qm::cli
