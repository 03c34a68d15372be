// SPDX-License-Identifier: MIT
#include "shell/closesequence.h"

namespace qm {

namespace {

void Call(const std::function<void()>& step) {
  if (step) step();
}

}  // namespace

void BeginExit(const TCloseSteps& steps) { Call(steps.SaveRecentFiles); }

bool CloseMainWindow(const TCloseSteps& steps, bool listSaved) {
  if (steps.CloseChildWindows && !steps.CloseChildWindows()) return false;
  Call(steps.CloseProject);
  if (!listSaved) Call(steps.SaveRecentFiles);
  Call(steps.SavePlacement);
  return true;
}

}  // namespace qm
