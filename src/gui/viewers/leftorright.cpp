// SPDX-License-Identifier: MIT
#include "viewers/leftorright.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

TfrmLeftorRight::TfrmLeftorRight(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QText(viewmsg::LeftOrRightCaption));
  setModal(true);

  auto* lblQuestion = new QLabel(QText(viewmsg::LeftOrRightText), this);
  btnCancel = new QPushButton(QText(viewmsg::LeftOrRightCancel), this);
  btnLeft = new QPushButton(QText(viewmsg::LeftOrRightLeft), this);
  btnRight = new QPushButton(QText(viewmsg::LeftOrRightRight), this);
  // Enter must not pick a side by accident; Escape is QDialog's reject, which is Cancel.
  for (QPushButton* button : {btnCancel, btnLeft, btnRight}) button->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnLeft);
  buttons->addWidget(btnRight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblQuestion);
  layout->addLayout(buttons);

  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnLeft, &QPushButton::clicked, this, [this] { done(mrLeft); });
  connect(btnRight, &QPushButton::clicked, this, [this] { done(mrRight); });
}

TPrintSide TfrmLeftorRight::SideOf(int result) {
  switch (result) {
    case mrLeft: return TPrintSide::Left;
    case mrRight: return TPrintSide::Right;
    default: return TPrintSide::Cancel;
  }
}

TPrintSide AskLeftOrRight(QWidget* parent) {
  if (TfrmLeftorRight* shared = ViewerServices().LeftOrRight) {
    return TfrmLeftorRight::SideOf(ExecModal(*shared));
  }
  TfrmLeftorRight question(parent);
  return TfrmLeftorRight::SideOf(ExecModal(question));
}

}  // namespace qm
