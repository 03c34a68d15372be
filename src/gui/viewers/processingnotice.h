// SPDX-License-Identifier: MIT
#pragma once

// The small "Processing..." window shown while the before/after viewer compares its files.

#include <QDialog>

namespace qm {

class TfrmProcessingNotice : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmProcessingNotice(QWidget* parent = nullptr);

  // Shows the notice and lets it paint before the caller goes on with its work.
  void ShowNow();
};

}  // namespace qm
