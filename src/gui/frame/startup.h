// SPDX-License-Identifier: MIT
#pragma once

// The start of the program: the settings, the main window and then every long-lived window, in
// the order in which the program creates them. All of them live until the program ends.

#include <memory>

#include "settings/catalogue.h"

class QApplication;

namespace qm {

class TfrmChartSelector;
class TfrmCopyFiles;
class TfrmLeftorRight;
class TfrmMain;
class TfrmOptions;
class TfrmSaveOrLoad;
class TfrmProcessing;
class TfrmProcessingNotice;
class TfrmSpellDialog;
class TfrmViewDual;

class TQuillmateWindows {
 public:
  // Sets the application's title and creates the windows; the main window is not shown yet.
  TQuillmateWindows();
  ~TQuillmateWindows();
  TQuillmateWindows(const TQuillmateWindows&) = delete;
  TQuillmateWindows& operator=(const TQuillmateWindows&) = delete;

  // The one live value of every setting; the options dialog will present and edit it.
  TSettings Settings;

  // The main window first (it is the application's main window), then in order: the copy
  // progress window, the spelling dialog, the options dialog, the modal before/after viewer, the
  // "Processing..." notice, the processing window, the left-or-right chooser, the chart selector
  // and the save-or-load chooser. The windows that run while the main window is disabled are top-
  // level windows of their own, since a window owned by a disabled window is disabled with it.
  std::unique_ptr<TfrmMain> frmMain;
  std::unique_ptr<TfrmCopyFiles> frmCopyFiles;
  std::unique_ptr<TfrmSpellDialog> frmSpellDialog;
  // Its "Configure &Spell Checker" button opens the spelling dialog's speller options.
  std::unique_ptr<TfrmOptions> frmOptions;
  std::unique_ptr<TfrmViewDual> frmViewDual;
  std::unique_ptr<TfrmProcessingNotice> frmProcessingNotice;
  std::unique_ptr<TfrmProcessing> frmProcessing;
  std::unique_ptr<TfrmLeftorRight> frmLeftorRight;
  std::unique_ptr<TfrmChartSelector> frmChartSelector;
  std::unique_ptr<TfrmSaveOrLoad> frmSaveOrLoad;
};

// Sets the application's name and title; called before any window is made.
void SetUpApplication(QApplication& application);

}  // namespace qm
