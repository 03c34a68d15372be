// SPDX-License-Identifier: MIT
#pragma once

// The question which pane of a two-pane viewer to print.

#include <QDialog>

class QPushButton;

namespace qm {

enum class TPrintSide { Cancel, Left, Right };

class TfrmLeftorRight : public QDialog {
  Q_OBJECT

 public:
  // Result codes of the dialog; Escape and the close box give Cancel (QDialog::Rejected).
  static constexpr int mrCancel = QDialog::Rejected;
  static constexpr int mrLeft = 2;
  static constexpr int mrRight = 3;

  explicit TfrmLeftorRight(QWidget* parent = nullptr);

  static TPrintSide SideOf(int result);

  QPushButton* btnCancel = nullptr;
  QPushButton* btnLeft = nullptr;
  QPushButton* btnRight = nullptr;
};

// Asks with the program's question box (or a new one over parent) and returns the answer.
TPrintSide AskLeftOrRight(QWidget* parent);

}  // namespace qm
