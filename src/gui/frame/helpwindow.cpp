// SPDX-License-Identifier: MIT
#include "frame/helpwindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <map>

#include "frame/shelltexts.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

QPointer<TfrmHelp>& HelpWindow() {
  static QPointer<TfrmHelp> window;
  return window;
}

}  // namespace

QString HelpPageForContext(int context) {
  static const std::map<int, const char*> pages = {
      {kHelpContents, "index.html"},      {11, "opt_general.html"},    {12, "opt_indents.html"},
      {13, "opt_singleline.html"},        {14, "opt_inline.html"},     {15, "opt_blanklines.html"},
      {16, "opt_spelling.html"},          {17, "opt_save.html"},       {29, "opt_subcomments.html"},
      {30, "opt_funccomments.html"},      {71, "opt_user.html"},
  };
  auto found = pages.find(context);
  return QStringLiteral("qrc:/help/") + QLatin1String(found == pages.end() ? "index.html" : found->second);
}

TfrmHelp::TfrmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QText(shellmsg::HelpCaption));
  resize(560, 480);

  txtHelp = new QTextBrowser(this);
  txtHelp->setObjectName(QStringLiteral("txtHelp"));
  txtHelp->setOpenLinks(true);
  btnContents = new QPushButton(QText(shellmsg::HelpContents), this);
  btnBack = new QPushButton(QText(shellmsg::HelpBack), this);
  btnForward = new QPushButton(QText(shellmsg::HelpForward), this);
  btnClose = new QPushButton(QText(shellmsg::HelpClose), this);
  btnBack->setEnabled(false);
  btnForward->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnContents);
  buttons->addWidget(btnBack);
  buttons->addWidget(btnForward);
  buttons->addStretch();
  buttons->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(txtHelp, 1);

  connect(btnContents, &QPushButton::clicked, this, [this] { ShowContext(kHelpContents); });
  connect(btnBack, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
  connect(btnForward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
  connect(txtHelp, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
  connect(txtHelp, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
}

void TfrmHelp::ShowContext(int context) {
  FContext = context;
  txtHelp->setSource(QUrl(HelpPageForContext(context)));
  show();
  raise();
  activateWindow();
}

void SetHelpWindow(TfrmHelp* window) { HelpWindow() = window; }

void ShowHelpContext(int context) {
  if (!HelpWindow()) {
    // No main window: a window of its own, freed when closed.
    HelpWindow() = new TfrmHelp;
    HelpWindow()->setAttribute(Qt::WA_DeleteOnClose);
  }
  HelpWindow()->ShowContext(context);
}

}  // namespace qm
