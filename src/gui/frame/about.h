// SPDX-License-Identifier: MIT
#pragma once

// The about box: the program's icon, name, version and purpose.

#include <QDialog>

class QPushButton;

namespace qm {

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  QPushButton* btnOk = nullptr;
};

}  // namespace qm
