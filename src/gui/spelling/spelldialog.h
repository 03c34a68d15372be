// SPDX-License-Identifier: MIT
#pragma once

// The spelling dialog "Word Not Found in Dictionary": shown for each word the speller reports
// while a run checks comments and literals. What it shows and what its buttons do is decided by
// TSpellDialogLogic; this window paints its state and forwards the clicks. Created once at
// start-up and reused for every word.

#include <QDialog>

#include "spelling/spelldialoglogic.h"
#include "spelling/vcspeller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qm {

class IPrompts;
class TBigText;

class TfrmSpellDialog : public QDialog {
  Q_OBJECT

 public:
  // The speller opens its dictionaries through opener (the installed Hunspell ones by default).
  explicit TfrmSpellDialog(IPrompts& prompts, TVCSpeller::TOpener opener = OpenHunspellDictionary,
                           QWidget* parent = nullptr);

  // The dialog as the formatter drives it.
  ISpellCheck& Spelling() { return FLogic; }
  TSpellDialogLogic& Logic() { return FLogic; }
  TVCSpeller& VCSpeller() { return FSpeller; }

  QLabel* lblContext = nullptr;
  TBigText* txtDisplay = nullptr;
  QLabel* lblNotInDictionary = nullptr;
  QLineEdit* Misspell = nullptr;
  QPushButton* SuggestionsButton1 = nullptr;
  QLabel* lblReplaceWith = nullptr;
  QLineEdit* ReplaceWith = nullptr;
  QPushButton* SuggestionsButton2 = nullptr;
  QListWidget* SuggestList = nullptr;
  QPushButton* IgnoreButton = nullptr;
  QPushButton* IgnoreAllButton = nullptr;
  QPushButton* ReplaceButton = nullptr;
  QPushButton* ReplaceAllButton = nullptr;
  QPushButton* OptionsButton = nullptr;
  QComboBox* Customs = nullptr;
  QPushButton* AddCustomButton = nullptr;
  QPushButton* CancelSpellcheckButton = nullptr;

  // Shows the speller's options dialog (also for the options dialog's "Configure &Spell Checker").
  void OptionsButtonClick();
  // Paints the logic's state into the controls.
  void ShowState();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Takes what the user typed, runs a button's action and closes the dialog as it says.
  void Press(TSpellClose (TSpellDialogLogic::*action)());
  void Apply(TSpellClose close);
  void TakeEdits();

  TVCSpeller FSpeller;
  TSpellDialogLogic FLogic;
};

// The speller's own options: the dictionary and which words of program text are passed over.
class TfrmSpellOptions : public QDialog {
  Q_OBJECT

 public:
  TfrmSpellOptions(const TSpellerOptions& options, const std::vector<TDictionaryInfo>& installed,
                   QWidget* parent = nullptr);
  TSpellerOptions Options() const;

  QComboBox* cmbDictionary = nullptr;
  QCheckBox* chkIgnoreCapitals = nullptr;
  QCheckBox* chkIgnoreDigits = nullptr;
  QCheckBox* chkIgnoreCamelCase = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  TSpellerOptions FOptions;
};

}  // namespace qm
