// SPDX-License-Identifier: MIT
#pragma once

// The steps of ending the program, in their order. File > Exit saves the recent-files list first
// (the list is the Exit command's to save), and then closes the main window; closing the window
// by any means asks the child windows to close (a commentor with unsaved edits may keep the
// program open), closes the project, saves the list (unless Exit already has) and the window's
// placement.

#include <functional>

namespace qm {

struct TCloseSteps {
  std::function<void()> SaveRecentFiles;
  // Closes the child windows; false when one stays open (the user kept its unsaved work).
  std::function<bool()> CloseChildWindows;
  std::function<void()> CloseProject;
  std::function<void()> SavePlacement;
};

// What File > Exit does before the window closes.
void BeginExit(const TCloseSteps& steps);

// Closing the main window; false when a child window kept the program open. listSaved: Exit has
// saved the list already.
bool CloseMainWindow(const TCloseSteps& steps, bool listSaved);

}  // namespace qm
