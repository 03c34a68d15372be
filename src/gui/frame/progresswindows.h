// SPDX-License-Identifier: MIT
#pragma once

// The two progress windows of long operations: the copy window ("Backing up files...") shown
// while the project is copied into the output directory, and the processing window
// ("Processing...") with its Cancel button, shown while the files are restyled. Both are created
// at start-up as top-level windows of their own, so that they stay usable while the main window
// is disabled, and are only shown and hidden by the operations.

#include <QDialog>
#include <QElapsedTimer>

#include "ui/progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qm {

class TProgressWindow : public QDialog, public IProgress {
  Q_OBJECT

 public:
  // Pending input is handled at most this often, so that a run of many short lines does not
  // spend its time in the event loop.
  static constexpr int kEventIntervalMs = 40;

  QLabel* lblProcessingFile = nullptr;
  QProgressBar* guageProcessing = nullptr;

  void Show() override;
  void Hide() override;
  // Shows the text: the label and the gauge are repainted at once when kEventIntervalMs have
  // passed since they were last painted (always for the first label after Show), else with the
  // next label or handling of input after that, so that thousands of short files cost no more
  // paints than a few long ones.
  void SetLabel(const std::string& text) override;
  void SetRange(int min, int max) override;
  // Moves the gauge; the bar is redrawn with the next handling of pending input.
  void SetPosition(int position) override;
  // Handles pending input when kEventIntervalMs have passed since it was last handled.
  void ProcessEvents() override;

  // How many times pending input was actually handled, and the label painted (for the
  // throttles' tests).
  long EventRounds() const { return FEventRounds; }
  long LabelPaints() const { return FLabelPaints; }

 protected:
  TProgressWindow(const QString& caption, QWidget* parent);
  void ShowPosition();
  // Puts a label waiting to be shown on the screen with the gauge.
  void PaintLabel();

  QElapsedTimer FLastEvents;
  QElapsedTimer FLastPaint;
  QString FLabel;
  bool FLabelPending = false;
  int FPosition = 0;
  long FEventRounds = 0;
  long FLabelPaints = 0;
};

// "Backing up files...": a fixed box without title-bar buttons, centred on the screen.
class TfrmCopyFiles : public TProgressWindow {
  Q_OBJECT

 public:
  explicit TfrmCopyFiles(QWidget* parent = nullptr);

 protected:
  // The copy cannot be interrupted: Escape and the close box do nothing.
  void reject() override {}
};

// "Processing...": the file in hand with its pass, the gauge over its lines, and Cancel.
class TfrmProcessing : public TProgressWindow {
  Q_OBJECT

 public:
  explicit TfrmProcessing(QWidget* parent = nullptr);

  QPushButton* btnCancel = nullptr;

  // Sets the run's cancel request; the run stops before the next line.
  void btnCancelClick();
  // The run whose progress the window shows; its Cancel button cancels that run.
  void SetCancelToken(TCancelToken* token) override { FCancel = token; }

 protected:
  // Escape and the close box cancel like the button.
  void reject() override { btnCancelClick(); }

 private:
  TCancelToken* FCancel = nullptr;
};

}  // namespace qm
