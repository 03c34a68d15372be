// SPDX-License-Identifier: MIT
#include "viewers/viewdualmdi.h"

#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include "bigtext.h"
#include "displaytext.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "viewers/processingnotice.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

namespace {

bool ReadForDiff(const std::string& fileName, TLines& lines) {
  std::string err;
  if (ReadLineFile(fileName, lines, &err)) return true;
  ViewerPrompts().Show(TMsgKind::Error, DisplayPath(fileName) + ": " + err);
  return false;
}

}  // namespace

TfrmViewDualMDI::TfrmViewDualMDI(const std::string& sourceFile, const std::string& outputFile,
                                 QWidget* parent)
    : QWidget(parent),
      FCaption(FileCaption(sourceFile)),
      FSourceFile(sourceFile),
      FOutputFile(outputFile) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(CaptionText(viewmsg::FileCaption, DisplayPath(sourceFile)));

  btnClose = MakeViewerButton(this, QStyle::SP_DialogCloseButton, viewmsg::CloseHint);
  btnPrint = MakeViewerButton(this, QStyle::SP_FileIcon, viewmsg::PrintHint);
  btnDiff = MakeViewerButton(this, QStyle::SP_BrowserReload, viewmsg::DiffHint);
  btnPrevChange = MakeViewerButton(this, QStyle::SP_ArrowUp, viewmsg::PreviousChangeHint);
  btnNextChange = MakeViewerButton(this, QStyle::SP_ArrowDown, viewmsg::NextChangeHint);
  Panes = new TDualPanes(this);
  memoCodeBefore = Panes->memoCodeBefore;
  memoCodeAfter = Panes->memoCodeAfter;
  for (QMenu* menu : {Panes->mnuBefore, Panes->mnuAfter}) {
    menu->addAction(QText(viewmsg::DiffMenuItem), this, &TfrmViewDualMDI::btnDiffClick);
  }
  Panes->AddChangeKeys(this);
  Status = new TViewerStatus(this, {memoCodeBefore, memoCodeAfter});
  Panes->Search->ShowStatus = [this](const QString& text) { Status->ShowMessage(text); };

  ArrangeViewer(this, {btnClose, btnPrint, btnDiff, btnPrevChange, btnNextChange}, Panes, Status);
  connect(btnPrevChange, &QToolButton::clicked, this, [this] { Panes->GoToChange(false); });
  connect(btnNextChange, &QToolButton::clicked, this, [this] { Panes->GoToChange(true); });

  connect(btnClose, &QToolButton::clicked, this, &TfrmViewDualMDI::btnCloseClick);
  connect(btnPrint, &QToolButton::clicked, this, &TfrmViewDualMDI::btnPrintClick);
  connect(btnDiff, &QToolButton::clicked, this, &TfrmViewDualMDI::btnDiffClick);

  LoadPane(*memoCodeBefore, FSourceFile);
  LoadPane(*memoCodeAfter, FOutputFile);
}

void TfrmViewDualMDI::RememberEncodingFor(const std::string& projectPath) {
  Status->RememberFor(projectPath, FSourceFile);
}

void TfrmViewDualMDI::btnCloseClick() { CloseViewerWindow(this); }

void TfrmViewDualMDI::btnPrintClick() { Panes->PrintChosenPane(FCaption); }

void TfrmViewDualMDI::btnDiffClick() {
  TProcessingNoticeScope notice(this);
  // The files are read again: the output may have been rewritten since the window opened.
  TLines before;
  TLines after;
  if (!ReadForDiff(FSourceFile, before) || !ReadForDiff(FOutputFile, after)) return;
  const std::string error = Panes->ShowDiff(before, after);
  if (!error.empty()) ViewerPrompts().Show(TMsgKind::Error, error);
}

}  // namespace qm
