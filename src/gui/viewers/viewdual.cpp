// SPDX-License-Identifier: MIT
#include "viewers/viewdual.h"

#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include "bigtext.h"
#include "displaytext.h"
#include "viewers/markcolors.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

TfrmViewDual::TfrmViewDual(QWidget* parent) : QDialog(parent) {
  setModal(true);
  setSizeGripEnabled(true);
  resize(760, 520);

  btnClose = MakeViewerButton(this, QStyle::SP_DialogCloseButton, viewmsg::CloseHint);
  btnPrint = MakeViewerButton(this, QStyle::SP_FileIcon, viewmsg::PrintHint);
  btnCancel = MakeViewerButton(this, QStyle::SP_DialogCancelButton, viewmsg::CancelProcessingHint);
  btnDiff = MakeViewerButton(this, QStyle::SP_BrowserReload, viewmsg::DiffHint);
  btnPrevChange = MakeViewerButton(this, QStyle::SP_ArrowUp, viewmsg::PreviousChangeHint);
  btnNextChange = MakeViewerButton(this, QStyle::SP_ArrowDown, viewmsg::NextChangeHint);
  Panes = new TDualPanes(this);
  memoCodeBefore = Panes->memoCodeBefore;
  memoCodeAfter = Panes->memoCodeAfter;
  for (QMenu* menu : {Panes->mnuBefore, Panes->mnuAfter}) {
    menu->addAction(QText(viewmsg::DiffMenuItem), this, &TfrmViewDual::btnDiffClick);
  }
  AddFindKeys(this, Panes->Search);
  Panes->AddChangeKeys(this);
  Status = new TViewerStatus(this, {memoCodeBefore, memoCodeAfter});
  Panes->Search->ShowStatus = [this](const QString& text) { Status->ShowMessage(text); };

  ArrangeViewer(this, {btnClose, btnPrint, btnCancel, btnDiff, btnPrevChange, btnNextChange}, Panes, Status);
  connect(btnPrevChange, &QToolButton::clicked, this, [this] { Panes->GoToChange(false); });
  connect(btnNextChange, &QToolButton::clicked, this, [this] { Panes->GoToChange(true); });

  connect(btnClose, &QToolButton::clicked, this, &TfrmViewDual::btnCloseClick);
  connect(btnPrint, &QToolButton::clicked, this, &TfrmViewDual::btnPrintClick);
  connect(btnCancel, &QToolButton::clicked, this, &TfrmViewDual::btnCancelClick);
  connect(btnDiff, &QToolButton::clicked, this, &TfrmViewDual::btnDiffClick);
}

void TfrmViewDual::LoadPreview(const std::string& caption, const TLines& before,
                               const TMarkedList& after) {
  FCaption = caption;
  setWindowTitle(CaptionText("", FCaption));
  FBefore = before;
  FAfter.clear();
  FAfter.reserve(after.size());
  for (const TMarkedLine& line : after) FAfter.push_back(line.Text);
  Panes->Unlink();
  memoCodeBefore->Clear();
  memoCodeAfter->Clear();
  for (const std::string& line : before) memoCodeBefore->AddLine(line, clBlack, clWindow, false);
  for (const TMarkedLine& line : after) {
    const TColorObject colors = MarkColors(line.Mark);
    memoCodeAfter->AddLine(line.Text, colors.TextColor, colors.BackColor, false);
  }
  for (TBigText* pane : {memoCodeBefore, memoCodeAfter}) {
    pane->RecalcRange();
    pane->viewport()->update();
  }
  Status->ShowMessage({});
}

bool TfrmViewDual::ShowPreview(const std::string& caption, const TLines& before,
                               const TMarkedList& after) {
  FCancelled = false;
  LoadPreview(caption, before, after);
  ExecModal(*this);
  return !FCancelled;
}

void TfrmViewDual::btnCloseClick() { close(); }

void TfrmViewDual::btnPrintClick() { Panes->PrintChosenPane(FCaption); }

void TfrmViewDual::btnDiffClick() {
  TProcessingNoticeScope notice(this);
  const std::string error = Panes->ShowDiff(FBefore, FAfter);
  if (!error.empty()) ViewerPrompts().Show(TMsgKind::Error, error);
}

void TfrmViewDual::btnCancelClick() {
  FCancelled = true;
  close();
}

}  // namespace qm
