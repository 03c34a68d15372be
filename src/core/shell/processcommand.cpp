// SPDX-License-Identifier: MIT
#include "shell/processcommand.h"

#include <exception>
#include <memory>

#include "messages.h"
#include "shell/runstatus.h"
#include "ui/prompts.h"

namespace qm {

namespace {

// Runs the End hook however the command is left.
class TEndScope {
 public:
  explicit TEndScope(const std::function<void()>& end) : end_(end) {}
  ~TEndScope() {
    if (end_) end_();
  }
  TEndScope(const TEndScope&) = delete;
  TEndScope& operator=(const TEndScope&) = delete;

 private:
  const std::function<void()>& end_;
};

constexpr std::string_view kUnknownError = "The processing run stopped on an unexpected error.";

}  // namespace

bool ReportsCompletion(TRunOutcome outcome) {
  return outcome == TRunOutcome::Completed || outcome == TRunOutcome::Cancelled || outcome == TRunOutcome::NotRun ||
         outcome == TRunOutcome::NoOutputDir;
}

std::string ClosingMessage(const TRunReport& report) {
  if (report.Outcome != TRunOutcome::Cancelled) return std::string(msg::ConversionCompleted);
  return std::string(report.OutputDeleted ? msg::ConversionCancelledDeleted : msg::ConversionCancelled);
}

TProcessResult RunProcessCommand(TSourceMgt* project, const TEngineServices& services,
                                 const TProcessingHooks& hooks) {
  IPrompts& prompts = services.Prompts;
  if (prompts.Ask(TMsgKind::Confirmation, TButtons::YesNo, std::string(msg::ProcessAllSelected)) !=
      TAnswer::Yes) {
    return TProcessResult::Declined;
  }

  std::string error;
  {
    TEndScope end(hooks.End);
    try {
      auto run = std::make_unique<TProcessingRun>(services, project);
      const int selected = project ? SelectedFileCount(*project) : 0;
      if (hooks.Begin) hooks.Begin();
      if (hooks.Run) {
        hooks.Run(*run, project);
      } else {
        run->Process();
      }
      if (hooks.Enable) hooks.Enable();
      const TRunReport& report = run->Report();
      if (hooks.Finished) hooks.Finished(RunStatusText(report, selected), report);
      if (ReportsCompletion(report.Outcome)) prompts.Show(TMsgKind::Information, ClosingMessage(report));
      return TProcessResult::Completed;
    } catch (const std::exception& e) {
      error = e.what();
    } catch (...) {
      error = kUnknownError;
    }
  }
  // Shown once the main window is usable again.
  prompts.Show(TMsgKind::Error, error.empty() ? std::string(kUnknownError) : error);
  return TProcessResult::Failed;
}

}  // namespace qm
