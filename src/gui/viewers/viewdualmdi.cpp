#include "viewers/viewdualmdi.h"

#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <memory>

#include "analysis/linediff.h"
#include "bigtext.h"
#include "cp1252.h"
#include "platform/linefile.h"
#include "viewers/processingnotice.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

namespace {

// Replaces both panes' contents with the rows of a comparison, then repaints them once.
void ShowDiffRows(const TDiffResult& result, const TLines& left, const TLines& right,
                  TBigText& leftPane, TBigText& rightPane) {
  leftPane.Clear();
  rightPane.Clear();
  for (const TDiffRow& row : result.Rows) {
    const TDiffCell l = LeftCell(row, left);
    const TDiffCell r = RightCell(row, right);
    leftPane.AddLine(l.Text, l.Colors.TextColor, l.Colors.BackColor, false);
    rightPane.AddLine(r.Text, r.Colors.TextColor, r.Colors.BackColor, false);
  }
  for (TBigText* pane : {&leftPane, &rightPane}) {
    pane->RecalcRange();
    pane->viewport()->update();
  }
}

bool ReadForDiff(const std::string& fileName, TLines& lines) {
  std::string err;
  if (ReadLineFile(fileName, lines, &err)) return true;
  ViewerPrompts().Show(TMsgKind::Error, fileName + ": " + err);
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
  setWindowTitle(FromCp1252(FCaption));

  btnClose = MakeViewerButton(this, QStyle::SP_DialogCloseButton, viewmsg::CloseHint);
  btnPrint = MakeViewerButton(this, QStyle::SP_FileIcon, viewmsg::PrintHint);
  btnDiff = MakeViewerButton(this, QStyle::SP_BrowserReload, viewmsg::DiffHint);
  Panes = new TDualPanes(this);
  memoCodeBefore = Panes->memoCodeBefore;
  memoCodeAfter = Panes->memoCodeAfter;
  for (QMenu* menu : {Panes->mnuBefore, Panes->mnuAfter}) {
    menu->addAction(QText(viewmsg::DiffMenuItem), this, &TfrmViewDualMDI::btnDiffClick);
  }

  ArrangeViewer(this, {btnClose, btnPrint, btnDiff}, Panes);

  connect(btnClose, &QToolButton::clicked, this, &TfrmViewDualMDI::btnCloseClick);
  connect(btnPrint, &QToolButton::clicked, this, &TfrmViewDualMDI::btnPrintClick);
  connect(btnDiff, &QToolButton::clicked, this, &TfrmViewDualMDI::btnDiffClick);

  LoadPane(*memoCodeBefore, FSourceFile);
  LoadPane(*memoCodeAfter, FOutputFile);
}

void TfrmViewDualMDI::btnCloseClick() { CloseViewerWindow(this); }

void TfrmViewDualMDI::btnPrintClick() { Panes->PrintChosenPane(FCaption); }

void TfrmViewDualMDI::btnDiffClick() {
  std::unique_ptr<TfrmProcessingNotice> ownNotice;
  TfrmProcessingNotice* notice = ViewerServices().ProcessingNotice;
  if (!notice) {
    ownNotice = std::make_unique<TfrmProcessingNotice>(this);
    notice = ownNotice.get();
  }
  notice->ShowNow();

  // The files are read again: the output may have been rewritten since the window opened.
  TLines before;
  TLines after;
  if (ReadForDiff(FSourceFile, before) && ReadForDiff(FOutputFile, after)) {
    TDiffResult result;
    {
      TBusyScope busy(ViewerPrompts());
      result = CompareLines(before, after, /*ignoreBlankLines=*/false);
      ShowDiffRows(result, before, after, *memoCodeBefore, *memoCodeAfter);
    }
    if (!result.Ok()) ViewerPrompts().Show(TMsgKind::Error, result.Error);
    // The refilled panes start at their first row; the shared bar goes there with them.
    Panes->ScrollBothBar->setValue(0);
    Panes->SyncScrollBar();
  }
  notice->hide();
}

}  // namespace qm
