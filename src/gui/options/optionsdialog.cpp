// SPDX-License-Identifier: MIT
#include "options/optionsdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <map>

#include "bigtext.h"
#include "displaytext.h"
#include "messageboxes.h"
#include "options/optionstexts.h"
#include "options/saveorload.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "frame/helpwindow.h"
#include "shell/optionspreview.h"
#include "shell/viewerlayout.h"
#include "shell/projectsession.h"
#include "ui/templatefiles.h"
#include "viewers/markcolors.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

using K = SettingKey;

std::size_t Index(SettingKey key) { return static_cast<std::size_t>(key); }

QString Label(SettingKey key) { return QText(SettingDef(key).Label); }

// The name of a setting's control: the prefix of its kind and the key (rGrp for a radio group,
// whose key begins with Grp).
QString ControlName(const TSettingDef& def) {
  static constexpr std::array<std::string_view, 5> prefixes = {"chk", "rdo", "spn", "r", "edt"};
  return QText(prefixes[static_cast<std::size_t>(def.Kind)]) + QText(def.Name);
}

QString JoinLines(const TLines& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << FromDisplayBytes(line);
  return texts.join(QLatin1Char('\n'));
}

// Qt's form of a classic filter: the descriptions already name their patterns.
QStringList NameFilters(std::string_view filter) {
  QStringList filters;
  for (const TFileFilter& entry : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& pattern : entry.Patterns) patterns << QString::fromStdString(pattern);
    const QString description = QText(entry.Description);
    filters << (description.endsWith(QLatin1Char(')'))
                    ? description
                    : QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
  }
  return filters;
}

QFileDialog* MakeTemplateFileDialog(QWidget* parent, std::string_view title, QFileDialog::AcceptMode mode) {
  auto* dialog = new QFileDialog(parent, QText(title));
  dialog->setOption(QFileDialog::DontUseNativeDialog);  // its filters can ignore letter case
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setNameFilters(NameFilters(optmsg::TemplateFilter));
  dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
  return dialog;
}

// Runs a file dialog from the file name edit's text; the native path chosen, or empty.
std::string RunFileDialog(QFileDialog& dialog, const std::string& start) {
  const std::filesystem::path current(NativePath(start));
  std::error_code ec;
  if (!start.empty() && std::filesystem::is_directory(current.parent_path(), ec)) {
    dialog.setDirectory(QString::fromStdString(current.parent_path().string()));
    dialog.selectFile(QString::fromStdString(current.filename().string()));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace

// The dialog's own save-or-load question and file dialogs.
class TfrmOptions::TTemplateDialogs final : public ITemplateFileDialogs {
 public:
  explicit TTemplateDialogs(TfrmOptions& owner) : owner_(owner) {}

  TSaveOrLoad AskSaveOrLoad() override {
    if (!owner_.FSaveOrLoad) owner_.FSaveOrLoad = new TfrmSaveOrLoad(&owner_);
    return owner_.FSaveOrLoad->Ask();
  }
  std::string ChooseSaveFile(const std::string& start) override { return RunFileDialog(*owner_.dlgSave, start); }
  std::string ChooseOpenFile(const std::string& start) override { return RunFileDialog(*owner_.dlgOpen, start); }

 private:
  TfrmOptions& owner_;
};

TfrmOptions::TfrmOptions(TSettings& settings, TCommentTemplates& templates, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FSettings(settings),
      FTemplates(templates),
      FSession(settings, templates),
      FMessageBoxes(std::make_unique<TMessageBoxes>()),
      FOwnTemplateDialogs(std::make_unique<TTemplateDialogs>(*this)) {
  setObjectName(QStringLiteral("frmOptions"));
  setWindowTitle(QText(kOptionsCaption));
  setModal(true);

  CreateList();
  CreatePages();
  CreatePreview();
  SetUpTemplateFileDialogs();

  btnOK = new QPushButton(QText(optmsg::ButtonOk), this);
  btnCancel = new QPushButton(QText(optmsg::ButtonCancel), this);
  btnHelp = new QPushButton(QText(optmsg::ButtonHelp), this);
  btnPreview = new QPushButton(QText(optmsg::PreviewShow), this);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &TfrmOptions::accept);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmOptions::reject);
  connect(btnHelp, &QPushButton::clicked, this, &TfrmOptions::btnHelpClick);
  connect(btnPreview, &QPushButton::clicked, this, &TfrmOptions::btnPreviewClick);
  for (QPushButton* button : {btnHelp, btnPreview}) button->setAutoDefault(false);

  auto* body = new QHBoxLayout;
  body->addWidget(lviewSelect);
  body->addWidget(OptionPages, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnPreview);
  buttons->addStretch();
  for (QPushButton* button : {btnOK, btnCancel, btnHelp}) buttons->addWidget(button);
  auto* main = new QVBoxLayout;
  main->addLayout(body, 1);
  main->addLayout(buttons);
  // The preview goes below the pages, across the dialog's width: beside them the dialog would be
  // wider than many screens, and the preview too narrow for in-line comments.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->addLayout(main, 1);
  outer->addWidget(pnlPreview);
  FMainLayout = main;

  FPreviewTimer = new QTimer(this);
  FPreviewTimer->setSingleShot(true);
  FPreviewTimer->setInterval(15);
  connect(FPreviewTimer, &QTimer::timeout, this, &TfrmOptions::RefreshPreview);

  ChooseDirectory = [this](const std::string& start) {
    return QFileDialog::getExistingDirectory(this, QText(optmsg::DirectoryTitle), QString::fromStdString(start),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog)
        .toStdString();
  };
  SetConfigureSpeller({});
  LoadControls();
  LoadTemplateEditors();
  ApplyDependentRules();
  ApplySize();
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::CreateList() {
  lviewSelect = new QListWidget(this);
  lviewSelect->setObjectName(QStringLiteral("lviewSelect"));
  lviewSelect->setToolTip(QText(optmsg::ListColumn));
  lviewSelect->setViewMode(QListView::IconMode);
  lviewSelect->setFlow(QListView::TopToBottom);
  lviewSelect->setWrapping(false);
  lviewSelect->setMovement(QListView::Static);
  lviewSelect->setIconSize(QSize(32, 32));
  lviewSelect->setGridSize(QSize(84, 50));
  lviewSelect->setFixedWidth(92);
  lviewSelect->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lviewSelect->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  static constexpr std::array<QStyle::StandardPixmap, kOptionsPageCount> icons = {
      QStyle::SP_ComputerIcon, QStyle::SP_FileDialogListView, QStyle::SP_MessageBoxInformation,
      QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogApplyButton, QStyle::SP_DialogSaveButton,
      QStyle::SP_DirHomeIcon};
  for (const TOptionsPageDef& page : OptionsPages())
    new QListWidgetItem(style()->standardIcon(icons[static_cast<std::size_t>(page.Icon)]), QText(page.Caption),
                        lviewSelect);
  connect(lviewSelect, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) lviewSelectChange(static_cast<TOptionsPage>(row));
  });
}

void TfrmOptions::CreatePages() {
  OptionPages = new QStackedWidget(this);
  OptionPages->setObjectName(QStringLiteral("OptionPages"));
  tabComments = new QTabWidget;
  tabComments->setObjectName(QStringLiteral("tabComments"));
  connect(tabComments, &QTabWidget::currentChanged, this, [this] {
    UpdateHelpContext();
    SettingChanged();
  });

  std::array<QWidget*, kOptionsPageCount> pages{};
  std::array<QWidget*, kCommentsTabCount> tabs{};
  for (const TOptionsPageDef& page : OptionsPages()) {
    QWidget* widget = new QWidget;
    widget->setObjectName(QText(page.Caption));
    pages[static_cast<std::size_t>(page.Page)] = widget;
    OptionPages->addWidget(widget);
  }
  auto* commentsLayout = new QVBoxLayout(pages[static_cast<std::size_t>(TOptionsPage::Comments)]);
  commentsLayout->setContentsMargins(0, 0, 0, 0);
  commentsLayout->addWidget(tabComments);
  for (int tab = 0; tab < kCommentsTabCount; ++tab) {
    tabs[static_cast<std::size_t>(tab)] = new QWidget;
    tabComments->addTab(tabs[static_cast<std::size_t>(tab)], QText(CommentsTabCaption(static_cast<TCommentsTab>(tab))));
  }

  // Each group is a row of its own, or joins the row before it (Beside).
  std::map<QWidget*, QHBoxLayout*> lastRow;
  for (const TOptionsGroup& group : OptionsLayout()) {
    QWidget* container = group.Tab == kNoTab ? pages[static_cast<std::size_t>(group.Page)]
                                             : tabs[static_cast<std::size_t>(group.Tab)];
    auto* column = qobject_cast<QVBoxLayout*>(container->layout());
    if (!column) {
      column = new QVBoxLayout(container);
      column->setContentsMargins(6, 6, 6, 6);
    }
    const bool templateFile = std::any_of(group.Keys.begin(), group.Keys.end(), [](K key) {
      return EditButtonOf(key) == TEditButton::SaveOrLoadTemplate;
    });
    if (templateFile && group.Tab != kNoTab) {
      if (auto kind = TemplateOfTab(static_cast<TCommentsTab>(group.Tab)))
        column->addWidget(BuildTemplateEditor(*kind, container), 1);
    }
    QWidget* widget = BuildGroup(group);
    if (!group.Beside || !lastRow[container]) {
      lastRow[container] = new QHBoxLayout;
      column->addLayout(lastRow[container]);
    }
    lastRow[container]->addWidget(widget, 0, Qt::AlignTop);
  }
  for (const auto& [container, row] : lastRow) {
    if (container != tabs[static_cast<std::size_t>(TCommentsTab::Subroutines)] &&
        container != tabs[static_cast<std::size_t>(TCommentsTab::Functions)])
      static_cast<QVBoxLayout*>(container->layout())->addStretch();
  }

  // The button of the spelling page.
  btnSpellerOptions = new QPushButton(QText(optmsg::ButtonSpellerOptions));
  btnSpellerOptions->setObjectName(QStringLiteral("btnSpellerOptions"));
  btnSpellerOptions->setAutoDefault(false);
  connect(btnSpellerOptions, &QPushButton::clicked, this, [this] {
    if (FConfigureSpeller) FConfigureSpeller();
  });
  auto* spelling = static_cast<QVBoxLayout*>(pages[static_cast<std::size_t>(TOptionsPage::SpellCheck)]->layout());
  spelling->insertWidget(spelling->count() - 1, btnSpellerOptions, 0, Qt::AlignLeft);
}

QSpinBox* TfrmOptions::MakeSpin(SettingKey key, QWidget* parent) {
  const TSettingDef& def = SettingDef(key);
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(ControlName(def));
  spin->setRange(def.Min, def.Max);
  connect(spin, &QSpinBox::valueChanged, this, [this, key](int value) {
    if (FLoading) return;
    FSettings.SetInt(key, value);
    SettingChanged();
  });
  FControls[Index(key)] = spin;
  return spin;
}

QWidget* TfrmOptions::BuildGroup(const TOptionsGroup& group) {
  QWidget* box = group.Caption.empty() ? new QWidget : new QGroupBox(QText(group.Caption));

  switch (group.Style) {
    case TGroupStyle::Stack: {
      auto* layout = new QVBoxLayout(box);
      if (group.Caption.empty()) layout->setContentsMargins(0, 0, 0, 0);
      for (K key : group.Keys) AddStackControl(key, layout, box);
      // The edits of one group start in one column.
      QList<QLabel*> editLabels;
      for (QLabel* label : box->findChildren<QLabel*>())
        if (qobject_cast<QLineEdit*>(label->buddy())) editLabels << label;
      int width = 0;
      for (QLabel* label : editLabels) width = std::max(width, label->sizeHint().width());
      for (QLabel* label : editLabels) label->setMinimumWidth(width);
      break;
    }
    case TGroupStyle::Columns: {
      auto* grid = new QGridLayout(box);
      const int rows = static_cast<int>(group.Keys.size() + 1) / 2;
      for (int i = 0; i < static_cast<int>(group.Keys.size()); ++i) {
        const K key = group.Keys[static_cast<std::size_t>(i)];
        auto* label = new QLabel(Label(key), box);
        QSpinBox* spin = MakeSpin(key, box);
        label->setBuddy(spin);
        grid->addWidget(label, i % rows, (i / rows) * 3);
        grid->addWidget(spin, i % rows, (i / rows) * 3 + 1);
      }
      grid->setColumnMinimumWidth(2, 24);
      grid->setColumnStretch(5, 1);
      break;
    }
    case TGroupStyle::BeforeAfterGrid: {
      auto* grid = new QGridLayout(box);
      const int pairs = static_cast<int>(group.Keys.size()) / 2;
      const int rows = (pairs + 1) / 2;
      for (int half = 0; half < 2; ++half) {
        grid->addWidget(new QLabel(QText(optmsg::ColumnBefore), box), 0, half * 4 + 1, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QText(optmsg::ColumnAfter), box), 0, half * 4 + 2, Qt::AlignHCenter);
      }
      for (int i = 0; i < pairs; ++i) {
        const K before = group.Keys[static_cast<std::size_t>(2 * i)];
        const K after = group.Keys[static_cast<std::size_t>(2 * i + 1)];
        const int row = 1 + i % rows, col = (i / rows) * 4;
        auto* label = new QLabel(Label(before), box);
        QSpinBox* spin = MakeSpin(before, box);
        label->setBuddy(spin);
        grid->addWidget(label, row, col);
        grid->addWidget(spin, row, col + 1);
        grid->addWidget(MakeSpin(after, box), row, col + 2);
      }
      grid->setColumnMinimumWidth(3, 24);
      grid->setColumnStretch(7, 1);
      break;
    }
  }
  return box;
}

void TfrmOptions::AddStackControl(SettingKey key, QVBoxLayout* layout, QWidget* parent) {
  const TSettingDef& def = SettingDef(key);
  QWidget* control = nullptr;
  switch (def.Kind) {
    case TSettingKind::CheckBox: {
      auto* check = new QCheckBox(Label(key), parent);
      connect(check, &QCheckBox::toggled, this, [this, key](bool on) {
        if (FLoading) return;
        FSettings.SetBool(key, on);
        ApplyDependentRules();
        SettingChanged();
      });
      layout->addWidget(check);
      control = check;
      break;
    }
    case TSettingKind::RadioButton: {
      auto* radio = new QRadioButton(Label(key), parent);
      QButtonGroup*& buttons = FRadioButtonGroups.at(static_cast<std::size_t>(def.RadioGroupId));
      if (!buttons) buttons = new QButtonGroup(this);
      buttons->addButton(radio);
      // Turning a button on turns the others of its group off, in the model as on the screen.
      connect(radio, &QRadioButton::toggled, this, [this, key](bool on) {
        if (FLoading || !on) return;
        FSettings.SetBool(key, true);
        SettingChanged();
      });
      layout->addWidget(radio);
      control = radio;
      break;
    }
    case TSettingKind::SpinEdit: {
      auto* row = new QHBoxLayout;
      auto* label = new QLabel(Label(key), parent);
      QSpinBox* spin = MakeSpin(key, parent);
      label->setBuddy(spin);
      row->addWidget(label);
      row->addWidget(spin);
      row->addStretch();
      layout->addLayout(row);
      break;
    }
    case TSettingKind::RadioGroup:
      control = BuildRadioGroup(key, parent);
      layout->addWidget(control);
      break;
    case TSettingKind::Edit: {
      auto* row = new QHBoxLayout;
      auto* label = new QLabel(Label(key), parent);
      auto* edit = new QLineEdit(parent);
      label->setBuddy(edit);
      connect(edit, &QLineEdit::textEdited, this, [this, key](const QString& text) {
        FSettings.SetText(key, ToDisplayBytes(text));
        SettingChanged();
      });
      row->addWidget(label);
      if (def.MaxTyped > 0) {
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * (def.MaxTyped + 2));
        row->addWidget(edit);
        row->addStretch();
      } else {
        row->addWidget(edit, 1);
      }
      if (const TEditButton kind = EditButtonOf(key); kind != TEditButton::None) {
        auto* button = new QToolButton(parent);
        button->setText(QStringLiteral("..."));
        button->setToolTip(QText(optmsg::HintSelectDirectory));
        button->setObjectName(QStringLiteral("btn") + QText(def.Name));
        connect(button, &QToolButton::clicked, this, [this, key] {
          if (key == K::BackupNewCodeDirectory) btnBackupNewCodeGetDirectoryClick();
          else if (key == K::SubLevelCommentsFile) btnGetSubCommentsFileClick();
          else btnGetFunctionCommentsFileClick();
        });
        row->addWidget(button);
      }
      if (key == K::BackupNewCodeDirectory) edit->installEventFilter(this);
      layout->addLayout(row);
      control = edit;
      break;
    }
  }
  if (control && !FControls[Index(key)]) {
    control->setObjectName(ControlName(def));
    FControls[Index(key)] = control;
  }
}

QWidget* TfrmOptions::BuildRadioGroup(SettingKey key, QWidget* parent) {
  const TSettingDef& def = SettingDef(key);
  auto* box = new QGroupBox(Label(key), parent);
  auto* layout = new QVBoxLayout(box);
  auto* buttons = new QButtonGroup(box);
  FRadioGroups[Index(key)] = buttons;
  const std::vector<TItemCompanion> companions = CompanionsOf(key);
  for (int item = 0; item < static_cast<int>(def.Items.size()); ++item) {
    auto* row = new QHBoxLayout;
    auto* radio = new QRadioButton(QText(def.Items[static_cast<std::size_t>(item)]), box);
    buttons->addButton(radio, item);
    row->addWidget(radio);
    for (const TItemCompanion& companion : companions) {
      if (companion.Item != item) continue;
      QSpinBox* spin = MakeSpin(companion.Spin, box);
      row->addWidget(spin);
      // Where the apostrophe will stand, counted as the editor counts columns.
      if (!ApostropheColumnHint(companion.Spin, spin->value()).empty()) {
        auto* hint = new QLabel(box);
        hint->setObjectName(spin->objectName() + QStringLiteral("Hint"));
        const SettingKey spinKey = companion.Spin;
        auto show = [hint, spinKey](int value) { hint->setText(QText(ApostropheColumnHint(spinKey, value))); };
        show(spin->value());
        connect(spin, &QSpinBox::valueChanged, hint, show);
        row->addWidget(hint);
      }
    }
    row->addStretch();
    layout->addLayout(row);
  }
  connect(buttons, &QButtonGroup::idToggled, this, [this, key](int id, bool on) {
    if (FLoading || !on) return;
    FSettings.SetInt(key, id);
    ApplyDependentRules();
    SettingChanged();
  });
  if (key == K::GrpInLineCommentsFixedColUnavail) grpInLineCommentsFixedColUnavail = box;
  return box;
}

QWidget* TfrmOptions::BuildTemplateEditor(TTemplateKind kind, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  memo->setFont(font);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TLines* lines = kind == TTemplateKind::Sub ? &FTemplates.Sub : &FTemplates.Function;
  connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, lines] {
    if (FLoading) return;
    *lines = SplitLines(ToDisplayBytes(memo->toPlainText()));
    SettingChanged();
  });
  (kind == TTemplateKind::Sub ? memoSubLevelComments : memoFunctionLevelComments) = memo;
  memo->setObjectName(kind == TTemplateKind::Sub ? QStringLiteral("memoSubLevelComments")
                                                 : QStringLiteral("memoFunctionLevelComments"));
  return memo;
}

void TfrmOptions::CreatePreview() {
  pnlPreview = new QWidget(this);
  pnlPreview->setObjectName(QStringLiteral("pnlPreview"));
  memoPreview = new TBigText(pnlPreview);
  memoPreview->setObjectName(QStringLiteral("memoPreview"));
  SetUpSourcePane(*memoPreview);
  btnOwnSample = new QPushButton(QText(optmsg::PreviewOwnSample), pnlPreview);
  btnOwnSample->setAutoDefault(false);
  connect(btnOwnSample, &QPushButton::clicked, this, &TfrmOptions::btnOwnSampleClick);
  auto* layout = new QVBoxLayout(pnlPreview);
  layout->setContentsMargins(6, 0, 0, 0);
  layout->addWidget(memoPreview, 1);
  layout->addWidget(btnOwnSample, 0, Qt::AlignLeft);
  pnlPreview->hide();
}

void TfrmOptions::SetUpTemplateFileDialogs() {
  dlgOpen = MakeTemplateFileDialog(this, optmsg::OpenTitle, QFileDialog::AcceptOpen);
  dlgOpen->setObjectName(QStringLiteral("dlgOpen"));
  dlgSave = MakeTemplateFileDialog(this, optmsg::SaveTitle, QFileDialog::AcceptSave);
  dlgSave->setObjectName(QStringLiteral("dlgSave"));
}

void TfrmOptions::SetConfigureSpeller(std::function<void()> configure) {
  FConfigureSpeller = std::move(configure);
  btnSpellerOptions->setEnabled(static_cast<bool>(FConfigureSpeller));
}

IPrompts& TfrmOptions::Prompts() const { return FPrompts ? *FPrompts : *FMessageBoxes; }

void TfrmOptions::LoadControls() {
  FLoading = true;
  for (QButtonGroup* buttons : FRadioButtonGroups)
    if (buttons) buttons->setExclusive(false);  // a group may load with none on
  for (const TSettingDef& def : SettingsCatalogue()) {
    QWidget* control = FControls[Index(def.Key)];
    switch (def.Kind) {
      case TSettingKind::CheckBox:
      case TSettingKind::RadioButton:
        static_cast<QAbstractButton*>(control)->setChecked(FSettings.Bool(def.Key));
        break;
      case TSettingKind::SpinEdit:
        static_cast<QSpinBox*>(control)->setValue(FSettings.Int(def.Key));
        break;
      case TSettingKind::RadioGroup: {
        QButtonGroup* buttons = FRadioGroups[Index(def.Key)];
        buttons->setExclusive(false);
        for (QAbstractButton* button : buttons->buttons()) button->setChecked(buttons->id(button) == FSettings.Int(def.Key));
        buttons->setExclusive(true);
        break;
      }
      case TSettingKind::Edit: {
        auto* edit = static_cast<QLineEdit*>(control);
        const QString text = FromDisplayBytes(FSettings.Text(def.Key));
        // The typing limit must not cut a longer value loaded from the file: it is used in full.
        if (def.MaxTyped > 0) edit->setMaxLength(std::max(def.MaxTyped, static_cast<int>(text.size())));
        edit->setText(text);
        break;
      }
    }
  }
  for (QButtonGroup* buttons : FRadioButtonGroups)
    if (buttons) buttons->setExclusive(true);
  FLoading = false;
}

void TfrmOptions::LoadTemplateEditors() {
  FLoading = true;
  memoSubLevelComments->setPlainText(JoinLines(FTemplates.Sub));
  memoFunctionLevelComments->setPlainText(JoinLines(FTemplates.Function));
  FLoading = false;
}

void TfrmOptions::ApplyDependentRules() {
  grpInLineCommentsFixedColUnavail->setVisible(FixedColumnFallbackVisible(FSettings.Int(K::GrpInLineComments)));
  const bool spelling = SpellingBoxesEnabled(FSettings.Bool(K::SpellingPerform));
  Control(K::SpellingLiterals)->setEnabled(spelling);
  Control(K::SpellingComments)->setEnabled(spelling);
}

void TfrmOptions::SettingChanged() {
  if (!FLoading && FPreviewShown) FPreviewTimer->start();
}

void TfrmOptions::UpdateHelpContext() {
  FHelpContext = OptionsHelpContext(FPage, static_cast<TCommentsTab>(std::max(0, tabComments->currentIndex())));
}

void TfrmOptions::ApplySize() {
  pnlPreview->setVisible(FPreviewShown);
  btnPreview->setText(QText(FPreviewShown ? optmsg::PreviewHide : optmsg::PreviewShow));
  // The pages ask for what their labels need; the screen the dialog is on sets the limit.
  const QSize pages = FMainLayout->sizeHint();
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
  const int margins = 16;
  const TOptionsDialogSize size = FitOptionsDialog(std::max(kWidth, pages.width() + margins),
                                                   std::max(kHeight, pages.height() + margins), FPreviewShown,
                                                   room.width(), room.height());
  pnlPreview->setFixedHeight(size.PreviewHeight > 0 ? size.PreviewHeight : 0);
  setFixedSize(size.Width, size.Height);
}

void TfrmOptions::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

void TfrmOptions::FormShow() {
  FSession.Begin(Prompts());
  LoadControls();
  LoadTemplateEditors();
  ApplyDependentRules();
  tabComments->setCurrentIndex(0);
  if (lviewSelect->currentRow() == 0) lviewSelectChange(TOptionsPage::General);
  else lviewSelect->setCurrentRow(0);
  ApplySize();
  RefreshPreview();
}

void TfrmOptions::lviewSelectChange(TOptionsPage page) {
  FPage = page;
  OptionPages->setCurrentIndex(static_cast<int>(page));
  setWindowTitle(QString::fromStdString(OptionsCaption(page)));
  UpdateHelpContext();
  SettingChanged();
}

void TfrmOptions::accept() { btnOKClick(); }

void TfrmOptions::reject() { btnCancelClick(); }

void TfrmOptions::btnOKClick() {
  if (!FSession.Accept(Prompts())) {
    LoadControls();  // the separator rule may have changed the directory's text
    if (IsBlankDirectory(FSettings.Text(K::BackupNewCodeDirectory))) {
      lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Save));
      Control(K::BackupNewCodeDirectory)->setFocus();
    }
    return;
  }
  QDialog::accept();
}

void TfrmOptions::btnCancelClick() {
  FSession.Cancel();
  QDialog::reject();
}

void TfrmOptions::btnHelpClick() {
  if (!frmHelp) frmHelp = new TfrmHelp(this);
  frmHelp->ShowContext(FHelpContext);
}

bool TfrmOptions::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Control(K::BackupNewCodeDirectory) && event->type() == QEvent::FocusOut) edtBackupNewCodeDirectoryExit();
  return QDialog::eventFilter(watched, event);
}

void TfrmOptions::edtBackupNewCodeDirectoryExit() {
  const std::string& text = FSettings.Text(K::BackupNewCodeDirectory);
  const std::string ended = WithTrailingSeparator(text);
  if (ended == text) return;
  FSettings.SetText(K::BackupNewCodeDirectory, ended);
  static_cast<QLineEdit*>(Control(K::BackupNewCodeDirectory))->setText(FromDisplayBytes(ended));
  SettingChanged();
}

void TfrmOptions::btnBackupNewCodeGetDirectoryClick() {
  const std::string start = DirectoryChooserStart(FSettings.Text(K::BackupNewCodeDirectory),
                                                  ProjectDirectory ? ProjectDirectory() : std::string());
  const std::string chosen = ChooseDirectory ? ChooseDirectory(start) : std::string();
  if (chosen.empty()) return;
  const std::string ended = WithTrailingSeparator(chosen);
  FSettings.SetText(K::BackupNewCodeDirectory, ended);
  static_cast<QLineEdit*>(Control(K::BackupNewCodeDirectory))->setText(FromDisplayBytes(ended));
  SettingChanged();
}

void TfrmOptions::btnGetSubCommentsFileClick() { GetTemplateFile(TTemplateKind::Sub); }

void TfrmOptions::btnGetFunctionCommentsFileClick() { GetTemplateFile(TTemplateKind::Function); }

void TfrmOptions::GetTemplateFile(TTemplateKind kind) {
  const K key = kind == TTemplateKind::Sub ? K::SubLevelCommentsFile : K::FunctionLevelCommentsFile;
  TLines& editor = kind == TTemplateKind::Sub ? FTemplates.Sub : FTemplates.Function;
  std::string fileName = FSettings.Text(key);
  ITemplateFileDialogs& dialogs = FTemplateDialogs ? *FTemplateDialogs : *FOwnTemplateDialogs;
  if (!SaveOrLoadTemplate(editor, fileName, dialogs, Prompts())) return;
  FSettings.SetText(key, fileName);
  LoadControls();
  LoadTemplateEditors();
  SettingChanged();
}

void TfrmOptions::btnPreviewClick() {
  FPreviewShown = !FPreviewShown;
  ApplySize();
  RefreshPreview();
}

void TfrmOptions::btnOwnSampleClick() {
  bool ok = false;
  const QString text = QInputDialog::getMultiLineText(this, QText(optmsg::PreviewOwnSampleTitle),
                                                      QText(optmsg::PreviewOwnSampleText), JoinLines(FOwnSample), &ok);
  if (ok) SetOwnSample(ToDisplayBytes(text));
}

void TfrmOptions::SetOwnSample(const std::string& text) {
  FOwnSample = text.find_first_not_of(" \t\r\n") == std::string::npos ? TLines{} : SplitLines(text);
  RefreshPreview();
}

void TfrmOptions::RefreshPreview() {
  FPreviewTimer->stop();
  if (!FPreviewShown) return;
  const TLines& sample = FOwnSample.empty()
                             ? PreviewSample(FPage, static_cast<TCommentsTab>(std::max(0, tabComments->currentIndex())))
                             : FOwnSample;
  const TMarkedList lines = FormatPreview(FSettings, FTemplates, sample);
  memoPreview->Clear();
  for (const TMarkedLine& line : lines) {
    const TColorObject colors = MarkColors(line.Mark);
    memoPreview->AddLine(line.Text, colors.TextColor, colors.BackColor, false);
  }
  memoPreview->RecalcRange();
  memoPreview->viewport()->update();
}

}  // namespace qm
