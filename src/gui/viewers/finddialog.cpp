// SPDX-License-Identifier: MIT
#include "viewers/finddialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "viewers/viewertexts.h"
#include "viewers/viewerservices.h"

namespace qm {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QText(viewmsg::FindCaption));
  setModal(false);

  auto* lblFindText = new QLabel(QText(viewmsg::FindWhat), this);
  edtFindText = new QLineEdit(this);
  lblFindText->setBuddy(edtFindText);
  chkWholeWord = new QCheckBox(QText(viewmsg::FindWholeWord), this);
  chkMatchCase = new QCheckBox(QText(viewmsg::FindMatchCase), this);

  auto* grpDirection = new QGroupBox(QText(viewmsg::FindDirection), this);
  rdoUp = new QRadioButton(QText(viewmsg::FindUp), grpDirection);
  rdoDown = new QRadioButton(QText(viewmsg::FindDown), grpDirection);
  rdoDown->setChecked(true);
  auto* directionLayout = new QHBoxLayout(grpDirection);
  directionLayout->addWidget(rdoUp);
  directionLayout->addWidget(rdoDown);

  btnFindNext = new QPushButton(QText(viewmsg::FindNext), this);
  btnFindNext->setDefault(true);
  btnFindNext->setEnabled(false);
  auto* btnCancel = new QPushButton(QText(viewmsg::FindCancel), this);

  auto* textRow = new QHBoxLayout;
  textRow->addWidget(lblFindText);
  textRow->addWidget(edtFindText, 1);
  auto* optionsColumn = new QVBoxLayout;
  optionsColumn->addWidget(chkWholeWord);
  optionsColumn->addWidget(chkMatchCase);
  auto* optionsRow = new QHBoxLayout;
  optionsRow->addLayout(optionsColumn);
  optionsRow->addWidget(grpDirection);
  lblResult = new QLabel(this);
  lblResult->setObjectName(QStringLiteral("lblResult"));
  auto* leftColumn = new QVBoxLayout;
  leftColumn->addLayout(textRow);
  leftColumn->addLayout(optionsRow);
  leftColumn->addWidget(lblResult);
  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->addWidget(btnFindNext);
  buttonColumn->addWidget(btnCancel);
  buttonColumn->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(leftColumn, 1);
  layout->addLayout(buttonColumn);

  // Like the platform's find box: Find Next needs something to look for.
  connect(edtFindText, &QLineEdit::textChanged, this, [this](const QString& text) {
    btnFindNext->setEnabled(!text.isEmpty());
    lblResult->clear();
  });
  connect(btnFindNext, &QPushButton::clicked, this, [this] {
    if (!edtFindText->text().isEmpty()) emit Find();
  });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const { return edtFindText->text(); }
void TFindDialog::SetFindText(const QString& text) { edtFindText->setText(text); }
bool TFindDialog::MatchCase() const { return chkMatchCase->isChecked(); }
void TFindDialog::SetMatchCase(bool on) { chkMatchCase->setChecked(on); }
bool TFindDialog::WholeWord() const { return chkWholeWord->isChecked(); }
bool TFindDialog::Down() const { return rdoDown->isChecked(); }

void TFindDialog::SetDown(bool down) {
  if (down) {
    rdoDown->setChecked(true);
  } else {
    rdoUp->setChecked(true);
  }
}

void TFindDialog::ShowResult(const QString& text) { lblResult->setText(text); }

QString TFindDialog::Result() const { return lblResult->text(); }

void TFindDialog::Execute() {
  show();
  raise();
  activateWindow();
  edtFindText->setFocus();
  edtFindText->selectAll();
}

}  // namespace qm
