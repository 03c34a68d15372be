// SPDX-License-Identifier: MIT
// The procedure commentor window on a module of the VB4 example restyled with header comments:
// open, step, edit and save as a user does, and the saved file against its source byte for byte.

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/commentor.h"
#include "analysis/commentorwindow.h"
#include "bigtext.h"
#include "displaytext.h"
#include "engine/formatter.h"
#include "platform/linefile.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "ui/progress.h"
#include "viewers/viewerservices.h"

using namespace qm;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(qm::TAnswer)

namespace {

class TRecordedPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string& text) override {
    Texts.push_back(text);
    if (!Answers.empty()) {
      const TAnswer answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }
  std::vector<std::string> Texts;
  std::deque<TAnswer> Answers;
};

constexpr char kTyped[] = "Counts what it is given";

// Restyles a module of the example with Sub and Function headers on, as a run would, and writes
// it to target: the commentor's source.
void WriteRestyledModule(const std::string& source, const std::string& target) {
  TSettings settings;
  settings.SetBool(SettingKey::SubLevelCommentsPerform, true);
  settings.SetBool(SettingKey::FunctionLevelCommentsPerform, true);
  TRecordedPrompts prompts;
  TNullProgress processing, copying;
  TVBSrcFormatter formatter({settings, prompts, processing, copying, nullptr});
  formatter.FFileKind = rkModule;
  TLines lines;
  QVERIFY(ReadLineFile(source, lines));
  QVERIFY(formatter.FormatPasses(lines));
  TLines out;
  for (const TMarkedLine& line : formatter.FOutput) out.push_back(line.Text);
  fs::create_directories(fs::path(target).parent_path());
  QVERIFY(WriteLineFile(target, out));
}

std::string FileBytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

// The box's block (paragraph) that begins with prefix, or an invalid block.
QTextBlock BlockStartingWith(QPlainTextEdit* box, const QString& prefix) {
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
    if (block.text().startsWith(prefix)) return block;
  }
  return {};
}

}  // namespace

class TestCommentor : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void openStepEditSave_data();
  void openStepEditSave();
  void closingAsksAboutUnsavedEdits_data();
  void closingAsksAboutUnsavedEdits();
  void insertTemplateAndRoutineList();
  void mainWindowOpensSeveralCommentors();
  void insertTemplateKeepsTheTypedAuthor();
  void aUtf8ModuleIsEditedInUtf8();

 private:
  std::unique_ptr<test::TempDir> dir_;
  std::string module_;  // the restyled module
  RFile item_;
  TSettings settings_;
  TRecordedPrompts prompts_;
};

void TestCommentor::init() {
  dir_ = std::make_unique<test::TempDir>();
  module_ = dir_->Dir() + "proj/UTILS.BAS";
  WriteRestyledModule(EXAMPLES_DIR "/vb4/Modules/Utils.bas", module_);
  item_ = RFile();
  item_.Path = module_;
  item_.Name = "UTILS.BAS";
  settings_ = TSettings();
  prompts_ = TRecordedPrompts();
}

void TestCommentor::cleanup() { dir_.reset(); }

void TestCommentor::openStepEditSave_data() {
  QTest::addColumn<QString>("steps");
  QTest::newRow("first routine") << "";
  QTest::newRow("third routine") << "NN";
  QTest::newRow("second, reached back from the third") << "NNP";
}

void TestCommentor::openStepEditSave() {
  QFETCH(QString, steps);
  TfrmCommentor window(settings_, prompts_, nullptr);
  window.resize(820, 620);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Function/Sub Commentor"));
  QVERIFY(window.OpenModule(item_));
  QCOMPARE(window.windowTitle(), QString::fromStdString("Module: " + module_));
  for (QChar step : steps) QTest::mouseClick(step == 'N' ? window.btnNext : window.btnPrior, Qt::LeftButton);
  QVERIFY(prompts_.Texts.empty());

  const TCommentorSession& session = window.Session();
  const TLines source = SplitLines(FileBytes(module_));
  const int current = session.CurrentLine();
  QCOMPARE(RoutineKindOf(source[static_cast<std::size_t>(current)]) != TRoutineKind::None, true);
  QCOMPARE(window.lblRoutine->text(), FromDisplayBytes(source[static_cast<std::size_t>(current)]));
  QVERIFY(window.lblRoutine->font().bold());
  // "Module Name:" names the module; the routine's declaration has a label of its own.
  QCOMPARE(window.lblModule->text(), QString::fromStdString(item_.Name));
  QCOMPARE(qobject_cast<QLabel*>(qobject_cast<QFormLayout*>(window.pnlInfo->layout())->labelForField(window.lblModule))
               ->text(),
           QStringLiteral("Module Name:"));
  QCOMPARE(window.edtAuthor->text(), QStringLiteral("Unknown"));
  QVERIFY(window.edtAuthor->isReadOnly());
  QCOMPARE(window.memoSource->GetLineAttributes(current).TextColor, clNavy);
  QCOMPARE(window.memoSource->GetLineAttributes(session.RoutineEnd()).TextColor, clNavy);
  QCOMPARE(window.memoSource->GetLineAttributes(session.RoutineEnd() + 1).TextColor, clGray);
  QCOMPARE(window.memoSource->GetLineAttributes(0).TextColor, clGray);
  QCOMPARE(window.memoSource->TopLine(), std::min(current, window.memoSource->VertRange()));
  QCOMPARE(window.cboRoutines->currentData().toInt(), current);

  // The engine's header sits below the routine's first line (the example's own comment, where
  // there is one, above it); the box shows them all.
  QVERIFY(session.HeaderStart() <= current);
  QVERIFY(session.HeaderEnd() >= current + 11);
  QCOMPARE(window.memoComments->document()->blockCount(), session.HeaderEnd() - session.HeaderStart() + 1);

  // Type at the end of the Purpose line, as a user does.
  const QTextBlock purpose = BlockStartingWith(window.memoComments, QStringLiteral("'  Purpose:"));
  QVERIFY(purpose.isValid());
  const int edited = session.HeaderStart() + purpose.blockNumber();
  QTextCursor cursor(purpose);
  cursor.movePosition(QTextCursor::EndOfBlock);
  window.memoComments->setTextCursor(cursor);
  window.memoComments->setFocus();
  QTest::keyClicks(window.memoComments, QString::fromLatin1(kTyped));
  QVERIFY(session.Modified());

  QTest::mouseClick(window.btnSave, Qt::LeftButton);
  const std::string savePath = dir_->Dir() + "proj/STYLED/UTILS.BAS";
  QCOMPARE(prompts_.Texts, (std::vector<std::string>{"File saved as: " + savePath + "."}));
  QVERIFY(!session.Unsaved());
  QCOMPARE(session.CurrentLine(), current);

  // Byte for byte the source with the typed text at the end of that one line.
  std::string expected = FileBytes(module_);
  std::size_t at = 0;
  for (int line = 0; line <= edited; ++line) at = expected.find("\r\n", line == 0 ? 0 : at + 2);
  expected.insert(at, kTyped);
  QCOMPARE(FileBytes(savePath), expected);
  QCOMPARE(SplitLines(FileBytes(module_)), source);
}

void TestCommentor::closingAsksAboutUnsavedEdits_data() {
  QTest::addColumn<TAnswer>("answer");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<bool>("saved");
  QTest::newRow("Yes saves and closes") << TAnswer::Yes << true << true;
  QTest::newRow("No closes without saving") << TAnswer::No << true << false;
  QTest::newRow("Cancel stays open") << TAnswer::Cancel << false << false;
}

void TestCommentor::closingAsksAboutUnsavedEdits() {
  QFETCH(TAnswer, answer);
  QFETCH(bool, closed);
  QFETCH(bool, saved);
  QPointer<TfrmCommentor> window = new TfrmCommentor(settings_, prompts_, nullptr);
  window->show();
  QVERIFY(window->OpenModule(item_));
  window->memoComments->appendPlainText(QStringLiteral("' one more line"));
  prompts_.Answers.push_back(answer);
  QCOMPARE(window->close(), closed);
  QCOMPARE(prompts_.Texts.front(), std::string("Comments have changed.  Do you wish to save?"));
  QCOMPARE(fs::exists(dir_->Dir() + "proj/STYLED/UTILS.BAS"), saved);
  if (!closed) {
    QVERIFY(window);
    QVERIFY(window->memoComments->toPlainText().endsWith(QStringLiteral("' one more line")));
    delete window;
  }
}

void TestCommentor::insertTemplateAndRoutineList() {
  // The example's own module, not restyled: its routines have no header blocks.
  item_.Path = dir_->Write("plain/UTILS.BAS", FileBytes(EXAMPLES_DIR "/vb4/Modules/Utils.bas"));
  settings_.SetText(SettingKey::UserName, "Ann Lee");
  TfrmCommentor window(settings_, prompts_, nullptr);
  window.show();
  QVERIFY(window.OpenModule(item_));
  const std::vector<TRoutineEntry> routines = window.Session().Routines();
  QCOMPARE(window.cboRoutines->count(), static_cast<int>(routines.size()));
  const int last = window.cboRoutines->count() - 1;
  QVERIFY(!window.cboRoutines->itemText(0).endsWith(QStringLiteral("[no header]")));  // a comment above
  QVERIFY(window.cboRoutines->itemText(last).endsWith(QStringLiteral("[no header]")));

  // Jump to the last routine through the list.
  window.cboRoutines->setCurrentIndex(last);
  emit window.cboRoutines->activated(last);
  QCOMPARE(window.Session().CurrentLine(), routines.back().Line);

  QVERIFY(window.btnInsertTemplate->isEnabled());
  QTest::mouseClick(window.btnInsertTemplate, Qt::LeftButton);
  QVERIFY(!window.btnInsertTemplate->isEnabled());
  QCOMPARE(window.edtAuthor->text(), QStringLiteral("Ann Lee"));
  QVERIFY(BlockStartingWith(window.memoComments, QStringLiteral("'  Name   :  ")).isValid());
  QTest::mouseClick(window.btnSave, Qt::LeftButton);
  QCOMPARE(prompts_.Texts.size(), std::size_t(1));
  QVERIFY(!window.cboRoutines->itemText(last).endsWith(QStringLiteral("[no header]")));
}

// The user types the author before inserting the template: the header names that author and the
// Author box keeps it (the settings' "Unknown" does not come back).
void TestCommentor::insertTemplateKeepsTheTypedAuthor() {
  item_.Path = dir_->Write("plain/UTILS.BAS", FileBytes(EXAMPLES_DIR "/vb4/Modules/Utils.bas"));
  settings_.SetText(SettingKey::UserName, "Unknown");
  TfrmCommentor window(settings_, prompts_, nullptr);
  window.resize(760, 560);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.OpenModule(item_));
  const int last = window.cboRoutines->count() - 1;
  window.cboRoutines->setCurrentIndex(last);
  emit window.cboRoutines->activated(last);
  QVERIFY(window.btnInsertTemplate->isEnabled());
  QVERIFY(!window.edtAuthor->isReadOnly());

  QTest::mouseClick(window.edtAuthor, Qt::LeftButton);
  QTest::keyClicks(window.edtAuthor, QStringLiteral("Zoe Park"));
  QTest::mouseClick(window.btnInsertTemplate, Qt::LeftButton);
  QCOMPARE(window.edtAuthor->text(), QStringLiteral("Zoe Park"));
  QVERIFY(window.edtAuthor->isReadOnly());
  QVERIFY(BlockStartingWith(window.memoComments, QStringLiteral("'  Author :  Zoe Park")).isValid());
  QVERIFY(!BlockStartingWith(window.memoComments, QStringLiteral("'  Author :  Unknown")).isValid());
  if (const QString shots = qEnvironmentVariable("QUILLMATE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    window.grab().save(shots + QStringLiteral("/screenshot-commentor-author.png"));
  }
  QTest::mouseClick(window.btnSave, Qt::LeftButton);
  QVERIFY(FileBytes(window.Session().SavePath()).find("'  Author :  Zoe Park") != std::string::npos);
}

void TestCommentor::mainWindowOpensSeveralCommentors() {
  const fs::path project = fs::path(dir_->Dir()) / "Inventory";
  fs::copy(EXAMPLES_DIR "/vb4", project, fs::copy_options::recursive);
  WriteRestyledModule((project / "Modules/Utils.bas").string(), (project / "Modules/Utils.bas").string());

  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  main.SetPrompts(&prompts_);
  ViewerServices().Prompts = &prompts_;
  main.resize(1000, 760);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));

  const QList<QAction*>& actions = main.CommandActions(TShellCommand::Commentor);
  QCOMPARE(actions.size(), 3);  // menu, toolbar, pop-up
  main.treeProject->setCurrentItem(main.TreeItem(0));
  for (QAction* action : actions) QVERIFY(!action->isEnabled());
  main.treeProject->setCurrentItem(main.TreeItem(3));  // Modules\UTILS.BAS
  for (QAction* action : actions) QVERIFY(action->isEnabled());

  main.btnShowCommentorClick();
  main.btnShowCommentorClick();
  const QList<QMdiSubWindow*> subs = main.mdiClient->subWindowList();
  QCOMPARE(subs.size(), 2);
  for (QMdiSubWindow* sub : subs) {
    auto* commentor = qobject_cast<TfrmCommentor*>(sub->widget());
    QVERIFY(commentor);
    QCOMPARE(commentor->windowTitle(), QString::fromStdString("Module: " + (project / "Modules/Utils.bas").string()));
    QVERIFY(commentor->Session().HasRoutine());
  }
  // Each window walks on its own.
  auto* second = qobject_cast<TfrmCommentor*>(subs[1]->widget());
  QTest::mouseClick(second->btnNext, Qt::LeftButton);
  QVERIFY(qobject_cast<TfrmCommentor*>(subs[0]->widget())->Session().CurrentLine() <
          second->Session().CurrentLine());

  // An edit, shown in the documentation's picture when one is asked for.
  QTextCursor cursor(BlockStartingWith(second->memoComments, QStringLiteral("'  Purpose:")));
  cursor.movePosition(QTextCursor::EndOfBlock);
  second->memoComments->setTextCursor(cursor);
  second->memoComments->setFocus();
  QTest::keyClicks(second->memoComments, QStringLiteral("Counts the words of a line"));
  const QString shot = qEnvironmentVariable("QUILLMATE_COMMENTOR_SCREENSHOT");
  if (!shot.isEmpty()) {
    subs[0]->setGeometry(420, 200, 560, 400);
    subs[1]->setGeometry(8, 8, 740, 640);
    main.mdiClient->setActiveSubWindow(subs[1]);
    QTest::qWait(300);
    QVERIFY(main.grab().save(shot));
  }

  // Unsaved edits keep the program open when the user cancels.
  prompts_.Answers.push_back(TAnswer::Cancel);
  QVERIFY(!main.close());
  QVERIFY(main.isVisible());
  int open = 0;
  for (QMdiSubWindow* sub : main.mdiClient->subWindowList()) open += sub->isVisible() ? 1 : 0;
  QCOMPARE(open, 1);
  prompts_.Answers.push_back(TAnswer::No);
  QVERIFY(main.close());
  ViewerServices() = TViewerServices();
}

QTEST_MAIN(TestCommentor)
// With the display code page on Auto, a module written in UTF-8 is shown and saved in UTF-8: an
// accented letter typed into the box is not written in Windows-1252 among UTF-8 lines.
void TestCommentor::aUtf8ModuleIsEditedInUtf8() {
  dir_->Write("proj/UTILS.BAS", "Attribute VB_Name = \"U\"\r\nSub Caf\xC3\xA9()\r\n' \xC3\xA9t\xC3\xA9\r\nEnd Sub\r\n");
  TfrmCommentor window(settings_, prompts_, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.OpenModule(item_));
  QCOMPARE(window.lblRoutine->text(), QString::fromUtf8("Sub Caf\xC3\xA9()"));
  QTextCursor cursor(window.memoComments->document()->lastBlock());
  cursor.movePosition(QTextCursor::EndOfBlock);
  cursor.insertText(QString::fromUtf8(" \xC3\xA0"));
  // For a look at the window under Xvfb: QUILLMATE_SCREENSHOT_DIR names where the picture goes.
  if (const QString shots = qEnvironmentVariable("QUILLMATE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    window.resize(820, 520);
    QVERIFY(window.grab().save(shots + QStringLiteral("/commentor-utf8.png")));
  }
  QTest::mouseClick(window.btnSave, Qt::LeftButton);
  QCOMPARE(FileBytes(dir_->Dir() + "proj/STYLED/UTILS.BAS"),
           std::string("Attribute VB_Name = \"U\"\r\nSub Caf\xC3\xA9()\r\n' \xC3\xA9t\xC3\xA9 \xC3\xA0\r\nEnd Sub\r\n"));
}

#include "tst_commentor.moc"
