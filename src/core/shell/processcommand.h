// SPDX-License-Identifier: MIT
#pragma once

// The "Begin Processing" command: the question, one processing run, the main
// window disabled under the hourglass while it runs, "Conversion Completed." afterwards, and the
// clean-up in every case, also when the run fails with an exception.

#include <functional>
#include <string>

#include "engine/run.h"

namespace qm {

class TSourceMgt;

// What the main window does around the run.
struct TProcessingHooks {
  // Remember the cursor, show the hourglass and disable the main window.
  std::function<void()> Begin;
  // Enable the main window and let pending input be handled, before the completion message.
  std::function<void()> Enable;
  // In every case, last: enable the main window, restore its cursor and repaint it.
  std::function<void()> End;
  // Runs the engine over the project; the run's Process when not set.
  std::function<void(TProcessingRun&, TSourceMgt*)> Run;
  // After a run that ended (not on an error), before the completion message: the status line
  // text (RunStatusText) and the run's report, for the tree's processed marks.
  std::function<void(const std::string& status, const TRunReport& report)> Finished;
};

enum class TProcessResult {
  Declined,   // "Process all selected files?" answered No
  Completed,  // the run ended (finished, cancelled, or stopped with its own message)
  Failed,     // the run ended with an error, shown as an error message
};

TProcessResult RunProcessCommand(TSourceMgt* project, const TEngineServices& services,
                                 const TProcessingHooks& hooks);

// Whether a run that ended this way gets a closing message: not when it stopped on an error of
// its own (a file that could not be saved, an output directory over the sources, in use by
// another run or read-only), which it has shown already.
bool ReportsCompletion(TRunOutcome outcome);
// The closing message: "Conversion Completed.", or after a cancel that the run was cancelled and
// whether its files were kept or deleted (a cancelled run is never reported as completed).
std::string ClosingMessage(const TRunReport& report);

}  // namespace qm
