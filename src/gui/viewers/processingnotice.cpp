// SPDX-License-Identifier: MIT
#include "viewers/processingnotice.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

TfrmProcessingNotice::TfrmProcessingNotice(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(QText(viewmsg::Processing));
  auto* lblProcessing = new QLabel(QText(viewmsg::Processing), this);
  lblProcessing->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblProcessing);
  setMinimumWidth(200);
}

void TfrmProcessingNotice::ShowNow() {
  show();
  raise();
  repaint();
  // Paint only: the user's input waits until the work is done.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace qm
