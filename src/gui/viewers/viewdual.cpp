#include "viewers/viewdual.h"

#include <QStyle>
#include <QToolButton>

#include "bigtext.h"
#include "cp1252.h"
#include "globals.h"
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
  Panes = new TDualPanes(this);
  memoCodeBefore = Panes->memoCodeBefore;
  memoCodeAfter = Panes->memoCodeAfter;

  ArrangeViewer(this, {btnClose, btnPrint, btnCancel}, Panes);

  connect(btnClose, &QToolButton::clicked, this, &TfrmViewDual::btnCloseClick);
  connect(btnPrint, &QToolButton::clicked, this, &TfrmViewDual::btnPrintClick);
  connect(btnCancel, &QToolButton::clicked, this, &TfrmViewDual::btnCancelClick);
}

void TfrmViewDual::LoadPreview(const std::string& caption, const TLines& before,
                               const TMarkedList& after) {
  FCaption = caption;
  setWindowTitle(FromCp1252(FCaption));
  memoCodeBefore->Clear();
  memoCodeAfter->Clear();
  for (const std::string& line : before) memoCodeBefore->AddLine(line, clBlack, clWindow, false);
  for (const TMarkedLine& line : after) {
    memoCodeAfter->AddLine(line.Text, line.Mark.TextColor, line.Mark.BackColor, false);
  }
  for (TBigText* pane : {memoCodeBefore, memoCodeAfter}) {
    pane->RecalcRange();
    pane->viewport()->update();
  }
}

void TfrmViewDual::ShowPreview(const std::string& caption, const TLines& before,
                               const TMarkedList& after) {
  LoadPreview(caption, before, after);
  ExecModal(*this);
}

void TfrmViewDual::btnCloseClick() { close(); }

void TfrmViewDual::btnPrintClick() { Panes->PrintChosenPane(FCaption); }

void TfrmViewDual::btnCancelClick() {
  CancelRequested = true;
  close();
}

}  // namespace qm
