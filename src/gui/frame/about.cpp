// SPDX-License-Identifier: MIT
#include "frame/about.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "messages.h"
#include "frame/shellimages.h"
#include "frame/shelltexts.h"
#include "viewers/viewerservices.h"

namespace qm {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QText(shellmsg::AboutCaption));

  auto* icon = new QLabel(this);
  icon->setPixmap(ShellImage("quillmate_64"));
  icon->setAlignment(Qt::AlignTop);
  auto* product = new QLabel(QText(shellmsg::AboutProduct), this);
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  product->setFont(big);
  auto* version = new QLabel(QText(msg::Format(shellmsg::AboutVersion, QUILLMATE_VERSION)), this);
  auto* description = new QLabel(QText(shellmsg::AboutDescription), this);
  description->setWordWrap(true);
  btnOk = new QPushButton(QText(shellmsg::AboutOk), this);
  btnOk->setDefault(true);

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(description);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  setMinimumWidth(380);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qm
