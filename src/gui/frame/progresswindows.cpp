// SPDX-License-Identifier: MIT
#include "frame/progresswindows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/cancel.h"
#include "messages.h"
#include "frame/shelltexts.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

void CentreOnScreen(QWidget& window) {
  QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace

TProgressWindow::TProgressWindow(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  setModal(false);
  lblProcessingFile = new QLabel(this);
  lblProcessingFile->setObjectName(QStringLiteral("lblProcessingFile"));
  lblProcessingFile->setAlignment(Qt::AlignCenter);
  lblProcessingFile->setMinimumWidth(320);
  guageProcessing = new QProgressBar(this);
  guageProcessing->setObjectName(QStringLiteral("guageProcessing"));
  guageProcessing->setRange(0, 100);
  guageProcessing->setValue(0);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(lblProcessingFile);
  layout->addWidget(guageProcessing);
}

void TProgressWindow::Show() {
  FLastEvents.invalidate();
  FLastPaint.invalidate();
  adjustSize();
  CentreOnScreen(*this);
  show();
  raise();
}

void TProgressWindow::Hide() { hide(); }

void TProgressWindow::SetLabel(const std::string& text) {
  FLabel = QText(text);
  FLabelPending = true;
  if (FLastPaint.isValid() && FLastPaint.elapsed() < kEventIntervalMs) return;
  PaintLabel();
}

void TProgressWindow::PaintLabel() {
  if (!FLabelPending) return;
  FLabelPending = false;
  lblProcessingFile->setText(FLabel);
  ShowPosition();
  if (isVisible()) {
    lblProcessingFile->repaint();
    guageProcessing->repaint();
  }
  FLastPaint.start();
  ++FLabelPaints;
}

void TProgressWindow::SetRange(int min, int max) {
  guageProcessing->setRange(min, std::max(min, max));
  FPosition = min;
  ShowPosition();
}

void TProgressWindow::SetPosition(int position) { FPosition = position; }

void TProgressWindow::ShowPosition() {
  guageProcessing->setValue(std::clamp(FPosition, guageProcessing->minimum(), guageProcessing->maximum()));
}

void TProgressWindow::ProcessEvents() {
  if (FLastEvents.isValid() && FLastEvents.elapsed() < kEventIntervalMs) return;
  PaintLabel();
  ShowPosition();
  QCoreApplication::processEvents();
  FLastEvents.start();
  ++FEventRounds;
}

TfrmCopyFiles::TfrmCopyFiles(QWidget* parent) : TProgressWindow(QText(msg::BackingUpCaption), parent) {
  setObjectName(QStringLiteral("frmCopyFiles"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TfrmProcessing::TfrmProcessing(QWidget* parent) : TProgressWindow(QText(msg::ProcessingCaption), parent) {
  setObjectName(QStringLiteral("frmProcessing"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  btnCancel = new QPushButton(QText(shellmsg::ProcessingCancel), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCancel);
  buttons->addStretch();
  static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmProcessing::btnCancelClick);
}

void TfrmProcessing::btnCancelClick() {
  if (FCancel) FCancel->Request();
}

}  // namespace qm
