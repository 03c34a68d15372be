// SPDX-License-Identifier: MIT
#include "options/saveorload.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "options/optionstexts.h"
#include "viewers/viewerservices.h"

namespace qm {

TfrmSaveOrLoad::TfrmSaveOrLoad(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmSaveOrLoad"));
  setWindowTitle(QText(optmsg::SaveOrLoadCaption));
  setModal(true);

  lblQuestion = new QLabel(QText(optmsg::SaveOrLoadText), this);
  btnSave = new QPushButton(QText(optmsg::SaveOrLoadSave), this);
  btnLoad = new QPushButton(QText(optmsg::SaveOrLoadLoad), this);
  btnCancel = new QPushButton(QText(optmsg::SaveOrLoadCancel), this);
  btnSave->setDefault(true);
  connect(btnSave, &QPushButton::clicked, this, [this] { done(static_cast<int>(TSaveOrLoad::Save)); });
  connect(btnLoad, &QPushButton::clicked, this, [this] { done(static_cast<int>(TSaveOrLoad::Load)); });
  connect(btnCancel, &QPushButton::clicked, this, &TfrmSaveOrLoad::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {btnSave, btnLoad, btnCancel}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblQuestion);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TSaveOrLoad TfrmSaveOrLoad::Ask() {
  const int result = exec();
  return result == static_cast<int>(TSaveOrLoad::Save)   ? TSaveOrLoad::Save
         : result == static_cast<int>(TSaveOrLoad::Load) ? TSaveOrLoad::Load
                                                         : TSaveOrLoad::Cancel;
}

void TfrmSaveOrLoad::reject() { done(static_cast<int>(TSaveOrLoad::Cancel)); }

}  // namespace qm
