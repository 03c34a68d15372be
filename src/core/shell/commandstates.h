// SPDX-License-Identifier: MIT
#pragma once

// The main window's commands and when each can be used: the no-project and project states, the
// narrowing by the selected node of the project tree, and whether the window a command opens
// exists at all in this build. Menu items, toolbar buttons and pop-up items of one command share
// its state.

#include <array>
#include <cstddef>

#include "shell/projecttree.h"

namespace qm {

enum class TShellCommand : int {
  OpenProject,
  CloseProject,
  Options,
  Process,
  ViewProjectSource,
  ViewCurrentSource,
  FormStructure,
  Commentor,
  Charts,
  SelectAll,
  DeselectAll,
  ToggleSelection,
  HelpContents,
  Count
};

inline constexpr std::size_t kShellCommandCount = static_cast<std::size_t>(TShellCommand::Count);

// Whether a command belongs to the project state (disabled without a project).
bool IsProjectCommand(TShellCommand command);

class TCommandStates {
 public:
  TCommandStates();

  // A command whose window is missing stays disabled in every state. All are available at first.
  void SetAvailable(TShellCommand command, bool available);
  bool Available(TShellCommand command) const;

  // No project: project commands disabled, tree and splitter hidden; the Project menu stays in
  // the menu bar with its items greyed, so that a new user sees what opening a project offers.
  void EnterNoProject();
  // Project open: every project command enabled, tree and splitter shown.
  void EnterProject();
  // A node of the tree becomes the selected one (none: the tree was emptied). Narrows viewing
  // the current source, the commentor and the form structure to what the node offers.
  void SelectionChanged(const TProjectNode* node);

  bool Enabled(TShellCommand command) const;
  bool ProjectOpen() const { return projectOpen_; }
  bool OutlineVisible() const { return projectOpen_; }
  bool ProjectMenuVisible() const { return true; }

 private:
  bool projectOpen_ = false;
  TItemCommands narrowing_;
  std::array<bool, kShellCommandCount> available_{};
};

}  // namespace qm
