// SPDX-License-Identifier: MIT
#pragma once

// The modal before/after window of a processing run: the file as read and the engine's output with
// its change marks, side by side, shown once per file when previews are on. Created once and
// hidden on close; its Cancel button asks the run to stop after this file, its Diff button shows
// the two texts aligned as the before/after window does.

#include <QDialog>

#include <string>

#include "engine/preview.h"

class QToolButton;

namespace qm {

class TBigText;
class TDualPanes;
class TViewerStatus;

class TfrmViewDual : public QDialog, public IPreview {
  Q_OBJECT

 public:
  explicit TfrmViewDual(QWidget* parent = nullptr);

  // Fills the panes (LoadPreview) and runs the window modally until it is closed; false when
  // closed by Cancel.
  bool ShowPreview(const std::string& caption, const TLines& before,
                   const TMarkedList& after) override;

  // Clears both panes and fills them without painting: the before lines in black on the window
  // colour, the after lines in the colours of their marks; then repaints both once.
  void LoadPreview(const std::string& caption, const TLines& before, const TMarkedList& after);

  const std::string& Caption() const { return FCaption; }

  TDualPanes* Panes = nullptr;
  TBigText* memoCodeBefore = nullptr;
  TBigText* memoCodeAfter = nullptr;
  QToolButton* btnClose = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnCancel = nullptr;
  QToolButton* btnDiff = nullptr;
  QToolButton* btnPrevChange = nullptr;
  QToolButton* btnNextChange = nullptr;
  TViewerStatus* Status = nullptr;

  void btnCloseClick();
  void btnPrintClick();
  // Aligns the file as read with the engine's output by the line difference engine.
  void btnDiffClick();
  // Closes the window, cancelling the run that shows it.
  void btnCancelClick();

 private:
  bool FCancelled = false;
  std::string FCaption;
  TLines FBefore;
  TLines FAfter;
};

}  // namespace qm
