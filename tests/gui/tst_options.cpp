// SPDX-License-Identifier: MIT
// The options dialog as a user meets it: its pages, the controls of every setting, OK and Cancel,
// the output directory's separator, the template files, the dependent controls and the preview;
// and the desktop program's View > Options... before a processing run. With QUILLMATE_OPTIONS_SHOTS
// naming a directory, also takes a picture of every page there.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "bigtext.h"
#include "options/optionsdialog.h"
#include "options/saveorload.h"
#include "platform/linefile.h"
#include "platform/profile.h"
#include "shell/viewerlayout.h"
#include "frame/helpwindow.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "ui/prompts.h"
#include "ui/templatefiles.h"
#include "viewers/viewerservices.h"

using namespace qm;
namespace fs = std::filesystem;
using K = SettingKey;

namespace {

class TRecordingPrompts final : public IPrompts {
 public:
  QStringList Messages;
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string& text) override {
    Messages << QString::fromStdString(text);
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }
};

class TScriptedTemplateDialogs final : public ITemplateFileDialogs {
 public:
  TSaveOrLoad Answer = TSaveOrLoad::Load;
  std::string File;
  TSaveOrLoad AskSaveOrLoad() override { return Answer; }
  std::string ChooseSaveFile(const std::string&) override { return File; }
  std::string ChooseOpenFile(const std::string&) override { return File; }
};

// Acts on the modal windows as they open, one step per window, until the steps run out.
void OnModals(std::vector<std::function<void(QWidget&)>> steps) {
  auto* timer = new QTimer(qApp);
  auto remaining = std::make_shared<std::vector<std::function<void(QWidget&)>>>(std::move(steps));
  auto last = std::make_shared<QWidget*>(nullptr);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, remaining, last] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == *last) return;
    *last = modal;
    auto step = remaining->front();
    remaining->erase(remaining->begin());
    if (remaining->empty()) timer->deleteLater();
    step(*modal);
  });
  timer->start(20);
}

void Reject(QWidget& modal) { QMetaObject::invokeMethod(&modal, "reject", Qt::QueuedConnection); }

int Indent(const TBigText& view, const std::string& text) {
  for (int i = 0; i < view.Count(); ++i) {
    const std::string line = view.GetLine(i);
    const std::size_t at = line.find_first_not_of(' ');
    if (at != std::string::npos && line.substr(at) == text) return static_cast<int>(at);
  }
  return -1;
}

}  // namespace

class TestOptions : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void choosingAPageShowsItsCaptionAndHelpContext_data();
  void choosingAPageShowsItsCaptionAndHelpContext();
  void everySettingHasOneControlWithItsLabel();
  void okWritesEverySettingInItsSection();
  void cancelWritesNothingAndRestoresTheValuesInForce();
  void theOutputDirectoryEndsInASeparator_data();
  void theOutputDirectoryEndsInASeparator();
  void anEmptyOutputDirectoryIsRefused();
  void cancelledTemplateDialogsChangeNothing_data();
  void cancelledTemplateDialogsChangeNothing();
  void aLoadedTemplateIsNotKeptByCancel();
  void theFallbackGroupFollowsTheInLinePlacement();
  void theSpellingBoxesFollowPerformSpellChecking();
  void thePreviewFollowsTheValuesInTheDialog();
  void theFixedColumnSaysWhereTheApostropheStands();
  void viewOptionsBeforeAProcessingRun();
  void screenshots();

 private:
  TfrmOptions& Dialog() { return *dialog_; }
  void Show() {
    Dialog().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Dialog()));
  }
  std::string IniText() const {
    std::string bytes;
    ReadFileBytes(ResolveProfilePath(kSettingsFileName), bytes);
    return bytes;
  }

  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TSettings> settings_;
  std::unique_ptr<TCommentTemplates> templates_;
  std::unique_ptr<TfrmOptions> dialog_;
  TRecordingPrompts prompts_;
};

void TestOptions::init() {
  dir_ = std::make_unique<test::TempDir>();
  settings_ = std::make_unique<TSettings>();
  templates_ = std::make_unique<TCommentTemplates>();
  dialog_ = std::make_unique<TfrmOptions>(*settings_, *templates_);
  dialog_->SetPrompts(&prompts_);
  prompts_.Messages.clear();
}

void TestOptions::cleanup() {
  dialog_.reset();
  dir_.reset();
}

void TestOptions::choosingAPageShowsItsCaptionAndHelpContext_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("tab");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("context");
  QTest::newRow("General") << 0 << 0 << "Options - General" << 11;
  QTest::newRow("Indents") << 1 << 0 << "Options - Indents" << 12;
  QTest::newRow("Comments, Single Line") << 2 << 0 << "Options - Comments" << 13;
  QTest::newRow("Comments, In-line") << 2 << 1 << "Options - Comments" << 14;
  QTest::newRow("Comments, Subroutines") << 2 << 2 << "Options - Comments" << 29;
  QTest::newRow("Comments, Functions") << 2 << 3 << "Options - Comments" << 30;
  QTest::newRow("Blank Lines") << 3 << 0 << "Options - Blank Lines" << 15;
  QTest::newRow("Spell Check") << 4 << 0 << "Options - Spell Check" << 16;
  QTest::newRow("Save") << 5 << 0 << "Options - Save" << 17;
  QTest::newRow("User") << 6 << 0 << "Options - User" << 71;
}

void TestOptions::choosingAPageShowsItsCaptionAndHelpContext() {
  QFETCH(int, row);
  QFETCH(int, tab);
  QFETCH(QString, caption);
  QFETCH(int, context);
  Show();
  QCOMPARE(Dialog().windowTitle(), QStringLiteral("Options - General"));
  QCOMPARE(Dialog().HelpContext(), 11);
  Dialog().lviewSelect->setCurrentRow(row);
  Dialog().tabComments->setCurrentIndex(tab);
  QCOMPARE(Dialog().OptionPages->currentIndex(), row);
  QCOMPARE(Dialog().OptionPages->currentWidget()->objectName(), Dialog().lviewSelect->item(row)->text());
  QCOMPARE(Dialog().windowTitle(), caption);
  QTest::mouseClick(Dialog().btnHelp, Qt::LeftButton);
  QVERIFY(Dialog().frmHelp && Dialog().frmHelp->isVisible());
  QCOMPARE(Dialog().frmHelp->Context(), context);
  QVERIFY(Dialog().isVisible());
}

void TestOptions::everySettingHasOneControlWithItsLabel() {
  // The page of every setting, from the layout table (companions with their radio group).
  std::map<K, int> pageOf;
  for (const TOptionsGroup& group : OptionsLayout()) {
    for (K key : group.Keys) {
      pageOf[key] = static_cast<int>(group.Page);
      for (const TItemCompanion& companion : CompanionsOf(key)) pageOf[companion.Spin] = static_cast<int>(group.Page);
    }
  }
  std::set<QWidget*> controls;
  for (const TSettingDef& def : SettingsCatalogue()) {
    const QString name = QString::fromLatin1(def.Name.data(), static_cast<int>(def.Name.size()));
    QWidget* control = Dialog().Control(def.Key);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(controls.insert(control).second, qPrintable(name));
    QCOMPARE(Dialog().findChildren<QWidget*>(control->objectName()).size(), 1);
    QVERIFY2(Dialog().OptionPages->widget(pageOf.at(def.Key))->isAncestorOf(control), qPrintable(name));
    const QString label = QString::fromLatin1(def.Label.data(), static_cast<int>(def.Label.size()));
    switch (def.Kind) {
      case TSettingKind::CheckBox:
      case TSettingKind::RadioButton:
        QCOMPARE(static_cast<QAbstractButton*>(control)->text(), label);
        break;
      case TSettingKind::RadioGroup: {
        auto* box = qobject_cast<QGroupBox*>(control);
        QVERIFY(box);
        QCOMPARE(box->title(), label);
        QStringList items;
        for (QRadioButton* radio : box->findChildren<QRadioButton*>()) items << radio->text();
        QCOMPARE(items.size(), static_cast<int>(def.Items.size()));
        for (std::size_t i = 0; i < def.Items.size(); ++i) QCOMPARE(items[int(i)], QString::fromLatin1(def.Items[i].data(), int(def.Items[i].size())));
        break;
      }
      case TSettingKind::SpinEdit: {
        auto* spin = qobject_cast<QSpinBox*>(control);
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), def.Min);
        QCOMPARE(spin->maximum(), def.Max);
        [[fallthrough]];
      }
      case TSettingKind::Edit: {
        if (label.isEmpty() || name.endsWith(QLatin1String("After"))) break;  // beside an item, or a row's second count
        bool labelled = false;
        for (QLabel* text : Dialog().findChildren<QLabel*>()) labelled |= text->buddy() == control && text->text() == label;
        QVERIFY2(labelled, qPrintable(name));
        break;
      }
    }
  }
  QCOMPARE(static_cast<int>(controls.size()), kSettingCount);
  QCOMPARE(qobject_cast<QLineEdit*>(Dialog().Control(K::SingleLineCommentBlockCharacters))->maxLength(), 5);
}

void TestOptions::okWritesEverySettingInItsSection() {
  Show();
  QTest::mouseClick(Dialog().btnOK, Qt::LeftButton);
  QVERIFY(!Dialog().isVisible());
  QCOMPARE(Dialog().result(), int(QDialog::Accepted));
  std::set<std::string> sections;
  for (const TSettingDef& def : SettingsCatalogue()) {
    QCOMPARE(GetPrivateProfileString(def.Section, def.Name, "<missing>", kSettingsFileName), settings_->Text(def.Key));
    sections.insert(std::string(def.Section));
  }
  QCOMPARE(sections.size(), std::size_t{10});
  const std::string ini = IniText();
  QCOMPARE(std::count(ini.begin(), ini.end(), '='), std::ptrdiff_t{kSettingCount});
  QCOMPARE(std::count(ini.begin(), ini.end(), '['), std::ptrdiff_t{10});
}

void TestOptions::cancelWritesNothingAndRestoresTheValuesInForce() {
  settings_->SetInt(K::DoLoopIndent, 6);
  Show();
  QCOMPARE(qobject_cast<QSpinBox*>(Dialog().Control(K::DoLoopIndent))->value(), 6);
  qobject_cast<QSpinBox*>(Dialog().Control(K::DoLoopIndent))->setValue(2);
  qobject_cast<QCheckBox*>(Dialog().Control(K::CreateLog))->setChecked(true);
  QCOMPARE(settings_->Int(K::DoLoopIndent), 2);  // the dialog edits the live value
  QTest::keyClick(&Dialog(), Qt::Key_Escape);
  QVERIFY(!Dialog().isVisible());
  QCOMPARE(settings_->Int(K::DoLoopIndent), 6);
  QVERIFY(!settings_->Bool(K::CreateLog));
  QVERIFY(!fs::exists(ResolveProfilePath(kSettingsFileName)));
}

void TestOptions::theOutputDirectoryEndsInASeparator_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("expected");
  QTest::newRow("typed and left") << "leave" << "C:\\OUT\\";
  QTest::newRow("typed, then Enter") << "enter" << "C:\\OUT\\";
  QTest::newRow("picked with the browse button") << "browse" << "C:\\OUT\\";
  QTest::newRow("native directory picked") << "native" << "/srv/out/";
}

void TestOptions::theOutputDirectoryEndsInASeparator() {
  QFETCH(QString, how);
  QFETCH(QString, expected);
  Show();
  auto* edit = qobject_cast<QLineEdit*>(Dialog().Control(K::BackupNewCodeDirectory));
  Dialog().lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Save));
  if (how == "browse" || how == "native") {
    std::string startedAt = "unset";
    Dialog().ChooseDirectory = [&](const std::string& start) {
      startedAt = start;
      return std::string(how == "browse" ? "C:\\OUT" : "/srv/out");
    };
    Dialog().findChild<QAbstractButton*>(QStringLiteral("btnBackupNewCodeDirectory"))->click();
    QCOMPARE(startedAt, std::string());  // .\STYLED\ with no project open: the chooser's own start
  } else {
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("C:\\OUT"));
    if (how == "leave") {
      QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(edit, &leave);
    } else {
      QTest::keyClick(edit, Qt::Key_Return);
      QVERIFY(!Dialog().isVisible());
      QCOMPARE(QString::fromStdString(GetPrivateProfileString("BackupInformation", "BackupNewCodeDirectory", "",
                                                              kSettingsFileName)),
               expected);
    }
  }
  QCOMPARE(QString::fromStdString(settings_->Text(K::BackupNewCodeDirectory)), expected);
  if (how != "enter") QCOMPARE(edit->text(), expected);
}

void TestOptions::anEmptyOutputDirectoryIsRefused() {
  Show();
  auto* edit = qobject_cast<QLineEdit*>(Dialog().Control(K::BackupNewCodeDirectory));
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral(" "));
  QTest::keyClick(edit, Qt::Key_Backspace);
  Dialog().lviewSelect->setCurrentRow(0);
  QTest::mouseClick(Dialog().btnOK, Qt::LeftButton);
  QVERIFY(Dialog().isVisible());
  QCOMPARE(prompts_.Messages.size(), 1);
  QVERIFY(prompts_.Messages[0].contains(QLatin1String("\"Create new code in:\"")));
  QCOMPARE(Dialog().CurrentPage(), TOptionsPage::Save);
  QVERIFY(!fs::exists(ResolveProfilePath(kSettingsFileName)));
}

void TestOptions::cancelledTemplateDialogsChangeNothing_data() {
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("fileDialogTitle");
  QTest::newRow("question cancelled") << "&Cancel" << "";
  QTest::newRow("open dialog cancelled") << "&Load" << "Open Comment Header";
  QTest::newRow("save dialog cancelled") << "&Save" << "Save Comment Header";
}

void TestOptions::cancelledTemplateDialogsChangeNothing() {
  QFETCH(QString, answer);
  QFETCH(QString, fileDialogTitle);
  TfrmSaveOrLoad chooser(&Dialog());
  Dialog().SetSaveOrLoad(&chooser);
  Show();
  Dialog().lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Comments));
  Dialog().tabComments->setCurrentIndex(static_cast<int>(TCommentsTab::Subroutines));
  const QString before = Dialog().memoSubLevelComments->toPlainText();
  QStringList seen;
  std::vector<std::function<void(QWidget&)>> steps = {[&](QWidget& modal) {
    seen << modal.windowTitle();
    auto* question = qobject_cast<TfrmSaveOrLoad*>(&modal);
    QVERIFY(question);
    QCOMPARE(question->lblQuestion->text(),
             QStringLiteral("Do you wish to save the current comment header or load a new one?"));
    for (QPushButton* button : {question->btnSave, question->btnLoad, question->btnCancel})
      if (button->text() == answer) QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
  }};
  if (!fileDialogTitle.isEmpty()) steps.push_back([&](QWidget& modal) {
    seen << modal.windowTitle();
    Reject(modal);
  });
  OnModals(std::move(steps));
  Dialog().findChild<QAbstractButton*>(QStringLiteral("btnSubLevelCommentsFile"))->click();
  QCOMPARE(seen.front(), QStringLiteral("Save or Load?"));
  if (!fileDialogTitle.isEmpty()) QCOMPARE(seen.value(1), fileDialogTitle);
  QCOMPARE(Dialog().memoSubLevelComments->toPlainText(), before);
  QCOMPARE(qobject_cast<QLineEdit*>(Dialog().Control(K::SubLevelCommentsFile))->text(), QString());
  QVERIFY(prompts_.Messages.isEmpty());
}

void TestOptions::aLoadedTemplateIsNotKeptByCancel() {
  const std::string file = dir_->Write("header.txt", "' Loaded header for %n\r\n'\r\n");
  TScriptedTemplateDialogs dialogs;
  dialogs.File = file;
  Dialog().SetTemplateDialogs(&dialogs);
  Show();
  Dialog().findChild<QAbstractButton*>(QStringLiteral("btnSubLevelCommentsFile"))->click();
  QCOMPARE(Dialog().memoSubLevelComments->toPlainText(), QStringLiteral("' Loaded header for %n\n'"));
  QCOMPARE(qobject_cast<QLineEdit*>(Dialog().Control(K::SubLevelCommentsFile))->text(), QString::fromStdString(file));
  QCOMPARE(templates_->Sub, (TLines{"' Loaded header for %n", "'"}));
  QTest::mouseClick(Dialog().btnCancel, Qt::LeftButton);
  QCOMPARE(templates_->Sub, DefaultSubTemplate());
  QCOMPARE(settings_->Text(K::SubLevelCommentsFile), std::string());
  QVERIFY(IniText().find("header.txt") == std::string::npos);
  Show();  // the next showing loads the editor from the file the settings file names: none
  QCOMPARE(Dialog().memoSubLevelComments->toPlainText().count(QLatin1Char('\n')), 10);
}

void TestOptions::theFallbackGroupFollowsTheInLinePlacement() {
  Show();
  Dialog().lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Comments));
  Dialog().tabComments->setCurrentIndex(static_cast<int>(TCommentsTab::InLine));
  auto* group = qobject_cast<QGroupBox*>(Dialog().Control(K::GrpInLineComments));
  const auto radio = [&](const char* text) {
    for (QRadioButton* button : group->findChildren<QRadioButton*>())
      if (button->text() == QLatin1String(text)) return button;
    return static_cast<QRadioButton*>(nullptr);
  };
  QVERIFY(Dialog().grpInLineCommentsFixedColUnavail->isVisible());  // the default is "Use Fixed Column:"
  QTest::mouseClick(radio("Leave As Is"), Qt::LeftButton);
  QVERIFY(!Dialog().grpInLineCommentsFixedColUnavail->isVisible());
  QVERIFY(!Dialog().Control(K::InLineCommentsUnavailColIndent)->isVisible());
  QCOMPARE(settings_->Int(K::GrpInLineComments), 0);
  QTest::mouseClick(radio("Use Fixed Column:"), Qt::LeftButton);
  QVERIFY(Dialog().grpInLineCommentsFixedColUnavail->isVisible());
  QVERIFY(Dialog().Control(K::InLineCommentsUnavailColIndent)->isVisible());
}

void TestOptions::theSpellingBoxesFollowPerformSpellChecking() {
  Show();
  QVERIFY(!Dialog().btnSpellerOptions->isEnabled());  // until the spelling configuration is wired
  auto* perform = qobject_cast<QCheckBox*>(Dialog().Control(K::SpellingPerform));
  QVERIFY(!Dialog().Control(K::SpellingLiterals)->isEnabled());
  perform->click();
  QVERIFY(Dialog().Control(K::SpellingLiterals)->isEnabled());
  QVERIFY(Dialog().Control(K::SpellingComments)->isEnabled());
  int opened = 0;
  Dialog().SetConfigureSpeller([&] { ++opened; });
  Dialog().btnSpellerOptions->click();
  QCOMPARE(opened, 1);
}

void TestOptions::thePreviewFollowsTheValuesInTheDialog() {
  Show();
  const int low = Dialog().height();
  QTest::mouseClick(Dialog().btnPreview, Qt::LeftButton);
  QVERIFY(Dialog().pnlPreview->isVisible());
  // The preview opens below the pages, across the dialog.
  QVERIFY(Dialog().height() > low);
  QVERIFY(Dialog().width() >= kPreviewMinWidth);
  QVERIFY(Dialog().pnlPreview->y() > Dialog().OptionPages->y() + Dialog().OptionPages->height());
  Dialog().lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Indents));
  QTRY_VERIFY_WITH_TIMEOUT(Indent(*Dialog().memoPreview, "Message = \"Ready\"") > 0, 200);
  const int before = Indent(*Dialog().memoPreview, "Message = \"Ready\"");
  qobject_cast<QSpinBox*>(Dialog().Control(K::IfThenElseIndent))->setValue(2);
  QTRY_COMPARE_WITH_TIMEOUT(Indent(*Dialog().memoPreview, "Message = \"Ready\""), before - 2, 200);
  QVERIFY(!fs::exists(ResolveProfilePath(kSettingsFileName)));

  Dialog().SetOwnSample("Sub Mine()\nx = 1\nEnd Sub\n");
  QVERIFY(Indent(*Dialog().memoPreview, "x = 1") >= 0);
  QCOMPARE(Indent(*Dialog().memoPreview, "Message = \"Ready\""), -1);
}

// The dialog names the column the apostrophe will stand in, as an editor counts from 1, and the
// preview puts it there.
void TestOptions::theFixedColumnSaysWhereTheApostropheStands() {
  Show();
  QTest::mouseClick(Dialog().btnPreview, Qt::LeftButton);
  Dialog().lviewSelect->setCurrentRow(static_cast<int>(TOptionsPage::Comments));
  Dialog().tabComments->setCurrentIndex(static_cast<int>(TCommentsTab::InLine));
  auto* spin = qobject_cast<QSpinBox*>(Dialog().Control(K::InLineCommentsFixedColumn));
  QVERIFY(spin);
  auto* hint = Dialog().findChild<QLabel*>(spin->objectName() + QStringLiteral("Hint"));
  QVERIFY(hint);
  QVERIFY(hint->isVisible());
  QCOMPARE(spin->value(), 40);
  QCOMPARE(hint->text(), QStringLiteral("characters: apostrophe in column 41"));
  Dialog().SetOwnSample("Sub S()\nx = 1 ' note\nEnd Sub\n");
  const auto apostropheColumn = [&] {
    for (int i = 0; i < Dialog().memoPreview->Count(); ++i) {
      const std::string line = Dialog().memoPreview->GetLine(i);
      if (line.find("note") != std::string::npos) return static_cast<int>(line.find('\'')) + 1;
    }
    return 0;
  };
  QTRY_COMPARE_WITH_TIMEOUT(apostropheColumn(), 41, 200);
  spin->setValue(30);
  QCOMPARE(hint->text(), QStringLiteral("characters: apostrophe in column 31"));
  QTRY_COMPARE_WITH_TIMEOUT(apostropheColumn(), 31, 200);
  auto* single = Dialog().findChild<QLabel*>(Dialog().Control(K::SingleLineCommentColumn)->objectName() +
                                            QStringLiteral("Hint"));
  QVERIFY(single);
  QCOMPARE(single->text(), QStringLiteral("characters: apostrophe in column 5"));
}

void TestOptions::viewOptionsBeforeAProcessingRun() {
  const fs::path project = fs::path(dir_->Dir()) / "project";
  fs::copy(EXAMPLES_DIR "/vb4", project, fs::copy_options::recursive);
  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  TRecordingPrompts prompts;
  main.SetPrompts(&prompts);
  ViewerServices().Prompts = &prompts;
  windows.frmOptions->SetPrompts(&prompts);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));

  QAction* menuItem = nullptr;
  for (QAction* action : main.mnuView->actions())
    if (action->text() == QLatin1String("&Options...")) menuItem = action;
  QVERIFY(menuItem && menuItem->isEnabled());
  QString caption;
  OnModals({[&](QWidget& modal) {
    caption = modal.windowTitle();
    auto& options = static_cast<TfrmOptions&>(modal);
    qobject_cast<QCheckBox*>(options.Control(K::PreviewBeforeSaving))->setChecked(false);
    qobject_cast<QCheckBox*>(options.Control(K::CreateLog))->setChecked(true);
    QMetaObject::invokeMethod(options.btnOK, "click", Qt::QueuedConnection);
  }});
  menuItem->trigger();
  QCOMPARE(caption, QStringLiteral("Options - General"));
  const std::string ini = IniText();
  QCOMPARE(std::count(ini.begin(), ini.end(), '='), std::ptrdiff_t{kSettingCount});
  QVERIFY(ini.find("CreateLog=1") != std::string::npos);

  // Opening the project reloads the settings from the file; the run then writes the log.
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));
  main.btnSelectAllClick();
  main.btnProcessClick();
  QVERIFY(prompts.Messages.contains(QStringLiteral("Conversion Completed.")));
  QVERIFY(fs::exists(project / "STYLED" / "VBQUILL3.LOG"));
  ViewerServices() = TViewerServices();
}

void TestOptions::screenshots() {
  const QString target = qEnvironmentVariable("QUILLMATE_OPTIONS_SHOTS");
  if (target.isEmpty()) QSKIP("QUILLMATE_OPTIONS_SHOTS is not set");
  Show();
  QTest::mouseClick(Dialog().btnPreview, Qt::LeftButton);
  struct Shot {
    int Page;
    int Tab;
    const char* File;
  };
  const Shot shots[] = {{0, 0, "general"},     {1, 0, "indents"},      {2, 0, "comments-singleline"},
                        {2, 1, "comments-inline"}, {2, 2, "comments-subroutines"}, {2, 3, "comments-functions"},
                        {3, 0, "blanklines"},  {4, 0, "spellcheck"},   {5, 0, "save"},
                        {6, 0, "user"}};
  for (const Shot& shot : shots) {
    Dialog().lviewSelect->setCurrentRow(shot.Page);
    Dialog().tabComments->setCurrentIndex(shot.Tab);
    QTest::qWait(120);
    QVERIFY(Dialog().grab().save(target + QStringLiteral("/options-%1.png").arg(QLatin1String(shot.File))));
  }
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
