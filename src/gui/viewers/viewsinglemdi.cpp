// SPDX-License-Identifier: MIT
#include "viewers/viewsinglemdi.h"

#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include "bigtext.h"
#include "displaytext.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

TfrmViewSingleMDI::TfrmViewSingleMDI(const std::string& caption, const std::string& fileName,
                                     QWidget* parent)
    : QWidget(parent), FCaption(caption), FFileName(fileName) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(CaptionText("", FCaption));

  btnClose = MakeViewerButton(this, QStyle::SP_DialogCloseButton, viewmsg::CloseHint);
  btnPrint = MakeViewerButton(this, QStyle::SP_FileIcon, viewmsg::PrintHint);
  btnSearch = MakeViewerButton(this, QStyle::SP_FileDialogContentsView, viewmsg::SearchHint);
  memoSource = new TBigText(this);
  memoSource->setObjectName(QStringLiteral("memoSource"));
  SetUpSourcePane(*memoSource);

  mnuPopup = new QMenu(this);
  mnuPopup->addAction(QText(viewmsg::SearchMenuItem), this, &TfrmViewSingleMDI::mnuSearchClick);
  memoSource->SetPopUpMenu(mnuPopup);
  Search = new TPaneSearch(this, [this] { return memoSource; });
  Status = new TViewerStatus(this, {memoSource});
  Search->ShowStatus = [this](const QString& text) { Status->ShowMessage(text); };

  ArrangeViewer(this, {btnClose, btnPrint, btnSearch}, memoSource, Status);

  connect(btnClose, &QToolButton::clicked, this, &TfrmViewSingleMDI::btnCloseClick);
  connect(btnPrint, &QToolButton::clicked, this, &TfrmViewSingleMDI::btnPrintClick);
  connect(btnSearch, &QToolButton::clicked, this, &TfrmViewSingleMDI::mnuSearchClick);

  LoadPane(*memoSource, fileName);
}

void TfrmViewSingleMDI::RememberEncodingFor(const std::string& projectPath) {
  Status->RememberFor(projectPath, FFileName);
}

void TfrmViewSingleMDI::btnCloseClick() { CloseViewerWindow(this); }

void TfrmViewSingleMDI::btnPrintClick() { PrintPane(*memoSource, FCaption, this); }

void TfrmViewSingleMDI::mnuSearchClick() { Search->Open(); }

}  // namespace qm
