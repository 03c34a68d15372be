// SPDX-License-Identifier: MIT
#pragma once

// The find dialog of the viewers: a modeless box with the text to look for, "Match case", the
// direction (downward when it opens for the first time), the whole-word option and Find Next.
// The viewers honour every option: a whole-word search finds the text only where neither
// neighbour is a letter, a digit or an underscore.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm {

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* parent = nullptr);

  QString FindText() const;
  void SetFindText(const QString& text);
  bool MatchCase() const;
  void SetMatchCase(bool on);
  bool WholeWord() const;
  bool Down() const;
  void SetDown(bool down);

  // Shows the dialog (modeless) in front, with the text selected.
  void Execute();
  // The outcome of the last Find Next under the options ("Not Found"); empty clears it.
  void ShowResult(const QString& text);
  QString Result() const;

  QPushButton* btnFindNext = nullptr;

 signals:
  // Find Next was chosen.
  void Find();

 private:
  QLineEdit* edtFindText = nullptr;
  QCheckBox* chkWholeWord = nullptr;
  QCheckBox* chkMatchCase = nullptr;
  QRadioButton* rdoUp = nullptr;
  QRadioButton* rdoDown = nullptr;
  QLabel* lblResult = nullptr;
};

}  // namespace qm
