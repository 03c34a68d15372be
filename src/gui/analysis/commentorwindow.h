// SPDX-License-Identifier: MIT
#pragma once

// The procedure commentor window: the button bar with the routine list, the routine's first line
// with the Author, Parameters and Returns read from its block, the editable comment box and, below
// a splitter, the whole module with the current routine in navy. A child window of the main
// window; several may be open at once, each with its own copy of its module. What the window
// shows and does is decided by its TCommentorSession.

#include <QWidget>

#include <string_view>

#include "analysis/commentor.h"
#include "settings/encoding.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace qm {

class IPrompts;
class TBigText;
class TSettings;
struct RFile;
struct TCommentTemplates;

class TfrmCommentor : public QWidget {
  Q_OBJECT

 public:
  TfrmCommentor(const TSettings& settings, IPrompts& prompts, const TCommentTemplates* templates,
                QWidget* parent = nullptr);

  // Reads the item's module and shows its first routine; false when it cannot be read. Edits are
  // saved into the output directory of the project in projectDir (the module's own when empty).
  bool OpenModule(const RFile& item, const std::string& projectDir = {});

  TCommentorSession& Session() { return FSession; }

  QToolButton* btnPrior = nullptr;
  QToolButton* btnNext = nullptr;
  QToolButton* btnSave = nullptr;
  QToolButton* btnInsertTemplate = nullptr;
  QComboBox* cboRoutines = nullptr;
  QWidget* pnlInfo = nullptr;
  QLabel* lblModule = nullptr;   // the module's file name
  QLabel* lblRoutine = nullptr;  // the routine's first line, in bold
  QLineEdit* edtAuthor = nullptr;
  QLineEdit* edtParams = nullptr;
  QLineEdit* edtReturns = nullptr;
  QPlainTextEdit* memoComments = nullptr;
  QSplitter* splitComments = nullptr;
  TBigText* memoSource = nullptr;

  void btnPriorClick();
  void btnNextClick();
  void btnSaveClick();
  void btnInsertTemplateClick();
  void cboRoutinesSelect(int index);

  // The comment box's lines as bytes of the module's code page.
  TLines CommentBoxLines() const;

 protected:
  // Asks about unsaved changes; Cancel keeps the window open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowRoutine();
  void ReloadSource();
  void FillRoutineList();
  void memoCommentsChange();
  void ResolvePage();
  QString Shown(std::string_view bytes) const;

  TCommentorSession FSession;
  TCodePage FPage = TCodePage::Windows1252;
  int FShownRevision = -1;
  bool FFilling = false;
};

}  // namespace qm
