// SPDX-License-Identifier: MIT
#include "shell/commandstates.h"

namespace qm {

namespace {

std::size_t Index(TShellCommand command) { return static_cast<std::size_t>(command); }

}  // namespace

bool IsProjectCommand(TShellCommand command) {
  switch (command) {
    case TShellCommand::OpenProject:
    case TShellCommand::Options:
    case TShellCommand::HelpContents:
    case TShellCommand::Count:
      return false;
    default:
      return true;
  }
}

TCommandStates::TCommandStates() {
  available_.fill(true);
  EnterNoProject();
}

void TCommandStates::SetAvailable(TShellCommand command, bool available) {
  if (command != TShellCommand::Count) available_[Index(command)] = available;
}

bool TCommandStates::Available(TShellCommand command) const {
  return command != TShellCommand::Count && available_[Index(command)];
}

void TCommandStates::EnterNoProject() {
  projectOpen_ = false;
  narrowing_ = {};
}

void TCommandStates::EnterProject() {
  projectOpen_ = true;
  // Until a node is chosen the item commands stay enabled; with no node selected they do nothing.
  narrowing_ = {true, true, true};
}

void TCommandStates::SelectionChanged(const TProjectNode* node) {
  if (!projectOpen_) return;
  narrowing_ = CommandsForNode(node);
}

bool TCommandStates::Enabled(TShellCommand command) const {
  if (!Available(command)) return false;
  if (!IsProjectCommand(command)) return true;
  if (!projectOpen_) return false;
  switch (command) {
    case TShellCommand::ViewCurrentSource: return narrowing_.ViewSource;
    case TShellCommand::Commentor: return narrowing_.Commentor;
    case TShellCommand::FormStructure: return narrowing_.FormStructure;
    default: return true;
  }
}

}  // namespace qm
