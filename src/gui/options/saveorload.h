// SPDX-License-Identifier: MIT
#pragma once

// The save-or-load question of the template editors: "&Save" (1), "&Load" (4) or "&Cancel" (2,
// also Escape), as a small modal window without title-bar buttons.

#include <QDialog>

#include "ui/templatefiles.h"

class QLabel;
class QPushButton;

namespace qm {

class TfrmSaveOrLoad : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSaveOrLoad(QWidget* parent = nullptr);

  // Shows the question modally and returns the answer.
  TSaveOrLoad Ask();

  QLabel* lblQuestion = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnLoad = nullptr;
  QPushButton* btnCancel = nullptr;

 public slots:
  void reject() override;
};

}  // namespace qm
