// SPDX-License-Identifier: MIT
#include "spelling/spelldialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "bigtext.h"
#include "displaytext.h"
#include "messages.h"
#include "settings/catalogue.h"
#include "ui/prompts.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

// MS Sans Serif where it is installed, else the system's plain font.
QFont ContextFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  if (!QFontDatabase::families().contains(font.family())) font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  return font;
}

}  // namespace

TfrmSpellDialog::TfrmSpellDialog(IPrompts& prompts, TVCSpeller::TOpener opener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      FSpeller(std::move(opener)),
      FLogic(FSpeller, prompts) {
  setWindowTitle(QStringLiteral("Word Not Found in Dictionary"));
  setModal(true);

  lblContext = new QLabel(QStringLiteral("Context of spelling error:"), this);
  txtDisplay = new TBigText(this);
  txtDisplay->SetFont(ContextFont());
  txtDisplay->SetScrollBars(ssHorizontal);
  txtDisplay->setMinimumWidth(520);
  txtDisplay->setFixedHeight(txtDisplay->CellHeight() * 2 + txtDisplay->horizontalScrollBar()->sizeHint().height() + 8);

  lblNotInDictionary = new QLabel(QStringLiteral("Not in Dictionary:"), this);
  Misspell = new QLineEdit(this);
  SuggestionsButton1 = new QPushButton(QStringLiteral("&Suggestions"), this);
  lblReplaceWith = new QLabel(QStringLiteral("Replace With:"), this);
  ReplaceWith = new QLineEdit(this);
  SuggestionsButton2 = new QPushButton(QStringLiteral("S&uggestions"), this);
  SuggestList = new QListWidget(this);
  IgnoreButton = new QPushButton(QStringLiteral("&Ignore"), this);
  IgnoreAllButton = new QPushButton(QStringLiteral("I&gnore All"), this);
  ReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
  ReplaceAllButton = new QPushButton(QStringLiteral("R&eplace All"), this);
  OptionsButton = new QPushButton(QStringLiteral("&Options"), this);
  Customs = new QComboBox(this);
  AddCustomButton = new QPushButton(QStringLiteral("&Add To Custom"), this);
  CancelSpellcheckButton = new QPushButton(QStringLiteral("&Cancel Spellcheck"), this);
  lblNotInDictionary->setBuddy(Misspell);
  lblReplaceWith->setBuddy(ReplaceWith);
  for (QPushButton* b : {SuggestionsButton1, SuggestionsButton2, IgnoreButton, IgnoreAllButton, ReplaceButton,
                         ReplaceAllButton, OptionsButton, AddCustomButton, CancelSpellcheckButton}) {
    b->setAutoDefault(false);
  }
  IgnoreButton->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(lblNotInDictionary, 0, 0);
  grid->addWidget(Misspell, 0, 1);
  grid->addWidget(SuggestionsButton1, 0, 2);
  grid->addWidget(IgnoreButton, 0, 3);
  grid->addWidget(IgnoreAllButton, 0, 4);
  grid->addWidget(lblReplaceWith, 1, 0);
  grid->addWidget(ReplaceWith, 1, 1);
  grid->addWidget(SuggestionsButton2, 1, 2);
  grid->addWidget(ReplaceButton, 1, 3);
  grid->addWidget(ReplaceAllButton, 1, 4);
  grid->addWidget(SuggestList, 2, 0, 2, 3);
  grid->addWidget(OptionsButton, 2, 3, Qt::AlignTop);
  grid->addWidget(CancelSpellcheckButton, 2, 4, Qt::AlignTop);
  grid->addWidget(Customs, 4, 0, 1, 2);
  grid->addWidget(AddCustomButton, 4, 2);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblContext);
  layout->addWidget(txtDisplay);
  layout->addLayout(grid);

  connect(SuggestionsButton1, &QPushButton::clicked, this, [this] {
    TakeEdits();
    FLogic.SuggestionsButton1Click();
    ShowState();
  });
  connect(SuggestionsButton2, &QPushButton::clicked, this, [this] {
    TakeEdits();
    FLogic.SuggestionsButton2Click();
    ShowState();
  });
  connect(SuggestList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    FLogic.SuggestListClick(SuggestList->row(item));
    ReplaceWith->setText(FromDisplayBytes(FLogic.State.ReplaceWith));
  });
  connect(IgnoreButton, &QPushButton::clicked, this, [this] { Press(&TSpellDialogLogic::IgnoreButtonClick); });
  connect(IgnoreAllButton, &QPushButton::clicked, this, [this] { Press(&TSpellDialogLogic::IgnoreAllButtonClick); });
  connect(ReplaceButton, &QPushButton::clicked, this, [this] { Press(&TSpellDialogLogic::ReplaceButtonClick); });
  connect(ReplaceAllButton, &QPushButton::clicked, this, [this] { Press(&TSpellDialogLogic::ReplaceAllButtonClick); });
  connect(OptionsButton, &QPushButton::clicked, this, &TfrmSpellDialog::OptionsButtonClick);
  connect(AddCustomButton, &QPushButton::clicked, this, [this] { Press(&TSpellDialogLogic::AddCustomButtonClick); });
  connect(CancelSpellcheckButton, &QPushButton::clicked, this,
          [this] { Press(&TSpellDialogLogic::CancelSpellcheckButtonClick); });

  TSpellerOptions options;
  options.Load(kSettingsFileName);
  FSpeller.SetOptions(options);
  FSpeller.CodePageSource = [] { return WordsCodePage(LoadEncodingSettings(kSettingsFileName)); };
  FSpeller.OnPopupOptions = [this] {
    TfrmSpellOptions dialog(FSpeller.Options(), FindDictionaries(), this);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    const TSpellerOptions chosen = dialog.Options();
    if (std::string err; !chosen.Save(kSettingsFileName, &err)) {
      ViewerPrompts().Show(TMsgKind::Error, msg::Format(msg::UnableToWriteTo, err));
    }
    FSpeller.SetOptions(chosen);
  };
  FLogic.ShowModal = [this] {
    ShowState();
    ExecModal(*this);
  };
}

void TfrmSpellDialog::OptionsButtonClick() { Apply(FLogic.OptionsButtonClick()); }

void TfrmSpellDialog::TakeEdits() {
  FLogic.State.Misspell = ToDisplayBytes(Misspell->text());
  FLogic.State.ReplaceWith = ToDisplayBytes(ReplaceWith->text());
}

void TfrmSpellDialog::Press(TSpellClose (TSpellDialogLogic::*action)()) {
  TakeEdits();
  Apply((FLogic.*action)());
}

void TfrmSpellDialog::Apply(TSpellClose close) {
  switch (close) {
    case TSpellClose::StayOpen: ShowState(); break;
    case TSpellClose::Ok: accept(); break;
    case TSpellClose::Cancel: reject(); break;
  }
}

void TfrmSpellDialog::ShowState() {
  const TSpellDialogState& s = FLogic.State;
  txtDisplay->Clear();
  for (const TSpellContextLine& line : s.Context) txtDisplay->AddLine(line.Text, line.Color, line.Background, true);
  Misspell->setText(FromDisplayBytes(s.Misspell));
  ReplaceWith->setText(FromDisplayBytes(s.ReplaceWith));
  SuggestList->clear();
  for (const std::string& entry : s.SuggestList) SuggestList->addItem(FromDisplayBytes(entry));
  SuggestList->setEnabled(s.SuggestEnabled);
  SuggestList->setCurrentRow(s.SuggestIndex);
  Customs->clear();
  for (const std::string& name : s.Customs) Customs->addItem(FromDisplayBytes(name));
  Customs->setCurrentIndex(s.CustomIndex);
  Customs->setEnabled(s.CustomsEnabled);
  AddCustomButton->setEnabled(s.AddCustomEnabled);
}

void TfrmSpellDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

// Closing by other means only hides the dialog; the check goes on with the next word.
void TfrmSpellDialog::closeEvent(QCloseEvent* event) {
  FLogic.FormClose();
  event->accept();
  QDialog::closeEvent(event);
}

TfrmSpellOptions::TfrmSpellOptions(const TSpellerOptions& options, const std::vector<TDictionaryInfo>& installed,
                                   QWidget* parent)
    : QDialog(parent), FOptions(options) {
  setWindowTitle(QStringLiteral("Spell Checker Options"));
  setModal(true);
  cmbDictionary = new QComboBox(this);
  const TDictionaryChoices choices = DictionaryChoices(options.Dictionary, installed);
  for (const std::string& name : choices.Names) cmbDictionary->addItem(QString::fromStdString(name));
  cmbDictionary->setCurrentIndex(choices.Index);
  chkIgnoreCapitals = new QCheckBox(QStringLiteral("Ignore words in &CAPITALS"), this);
  chkIgnoreDigits = new QCheckBox(QStringLiteral("Ignore words with &digits or underscores"), this);
  chkIgnoreCamelCase = new QCheckBox(QStringLiteral("Ignore Camel&Case words"), this);
  chkIgnoreCapitals->setChecked(options.Rules.IgnoreCapitals);
  chkIgnoreDigits->setChecked(options.Rules.IgnoreWithDigits);
  chkIgnoreCamelCase->setChecked(options.Rules.IgnoreCamelCase);

  auto* buttons = new QDialogButtonBox(this);
  btnOK = buttons->addButton(QDialogButtonBox::Ok);
  btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Dictionary:"), cmbDictionary);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(chkIgnoreCapitals);
  layout->addWidget(chkIgnoreDigits);
  layout->addWidget(chkIgnoreCamelCase);
  layout->addWidget(buttons);
}

TSpellerOptions TfrmSpellOptions::Options() const {
  TSpellerOptions options = FOptions;
  if (cmbDictionary->currentIndex() >= 0) options.Dictionary = cmbDictionary->currentText().toStdString();
  options.Rules.IgnoreCapitals = chkIgnoreCapitals->isChecked();
  options.Rules.IgnoreWithDigits = chkIgnoreDigits->isChecked();
  options.Rules.IgnoreCamelCase = chkIgnoreCamelCase->isChecked();
  return options;
}

}  // namespace qm
