// SPDX-License-Identifier: MIT
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "messages.h"
#include "platform/profile.h"
#include "project/sourcemgt.h"
#include "settings/profile_entries.h"
#include "analysis/commentorwindow.h"
#include "messageboxes.h"
#include "frame/about.h"
#include "frame/helpwindow.h"
#include "frame/lastusedmenu.h"
#include "frame/mainwindow.h"
#include "frame/progresswindows.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "bigtext.h"
#include "viewers/viewdual.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;
using C = TShellCommand;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(qm::TShellCommand)

namespace {

// Message boxes answered by the test: every message is recorded, questions take the scripted
// answers in order (the first button of the set when none is left).
class TScriptedPrompts : public IPrompts {
 public:
  struct TMessage {
    TMsgKind Kind;
    TButtons Buttons;
    std::string Text;
  };

  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    Messages.push_back({kind, buttons, text});
    if (OnAsk) OnAsk(Messages.back());
    if (!Answers.empty()) {
      TAnswer answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }
  void BeginBusy() override { ++Busy; }
  void EndBusy() override { --Busy; }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TMessage& m : Messages) texts.push_back(m.Text);
    return texts;
  }

  std::vector<TMessage> Messages;
  std::deque<TAnswer> Answers;
  std::function<void(const TMessage&)> OnAsk;
  int Busy = 0;
};

// Forwards to the processing window and presses its Cancel button when a chosen label is shown.
class TCancellingProgress : public IProgress {
 public:
  explicit TCancellingProgress(TfrmProcessing& window) : window_(window) {}
  void Show() override { window_.Show(); }
  void Hide() override { window_.Hide(); }
  void SetLabel(const std::string& text) override {
    window_.SetLabel(text);
    Labels.push_back(text);
    if (text == CancelAt) QTest::mouseClick(window_.btnCancel, Qt::LeftButton);
  }
  void SetRange(int min, int max) override { window_.SetRange(min, max); }
  void SetPosition(int position) override { window_.SetPosition(position); }
  void ProcessEvents() override { window_.ProcessEvents(); }
  void SetCancelToken(TCancelToken* token) override { window_.SetCancelToken(token); }

  std::string CancelAt;
  std::vector<std::string> Labels;

 private:
  TfrmProcessing& window_;
};

std::string ReadAll(const fs::path& path) {
  std::string bytes;
  ReadFileBytes(path.string(), bytes);
  return bytes;
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsWithoutAProject_data();
  void startsWithoutAProject();
  void menusAndToolbarCarryTheirCaptionsAndHints();
  void openingTheExampleEnablesTheProjectCommands_data();
  void openingTheExampleEnablesTheProjectCommands();
  void openDialogOpensTheChosenProject();
  void selectionNarrowsTheItemCommands_data();
  void selectionNarrowsTheItemCommands();
  void doubleClickTogglesAnItem();
  void selectAllAndDeselectAllReachEveryItem();
  void recentFilesKeepOneEntryPerProject();
  void recentFilesKeepTheSixNewest();
  void recentFileThatWasDeletedLeavesNoProject();
  void recentFilesAreLoadedAtStartAndSavedOnExit();
  void processingWritesEveryFileThroughThePreview();
  void processingAnsweredNoDoesNothing();
  void cancelOffersToDeleteTheOutput_data();
  void cancelOffersToDeleteTheOutput();
  void cancelInThePreviewWritesNothingMore();
  void cancelInTheRealWindowDeletesOnlyTheRunsFiles();
  void viewersOpenByProcessedState();
  void droppingFromTheTreeOpensTheSelectedItem();
  void tileAndCascadeArrangeTheViewers();
  void viewMenuTogglesToolbarAndProcessBar();
  void hintsReachTheStatusLine();
  void placementIsSavedAndRestored();
  void helpAndAboutOpen();
  void aProjectOfFourThousandFilesOpensWithItsWholeTree();
  void openingAnotherProjectClosesTheOldWindows();
  void aCommentorWithUnsavedEditsCanKeepTheProjectOpen();
  void exitStoppedByACommentorHasSavedTheList();

 private:
  TfrmMain& Main() { return *windows_->frmMain; }
  // The example project copied into the temporary directory, so nothing is written to examples/.
  std::string ExampleProject();
  void OpenExample();
  bool OpenCommentorWithUnsavedEdits();
  void WriteSettings(const std::string& text) { dir_->Write("VBQUILL3.INI", text); }
  void SelectNode(std::size_t node);
  bool Enabled(C command) const;
  fs::path OutputDir() const { return fs::path(dir_->Dir()) / "project" / "STYLED"; }

  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TQuillmateWindows> windows_;
  TScriptedPrompts prompts_;
  QStringList modalDialogs_;
  std::function<int(QDialog&)> onModal_;
};

void TestMainWindow::init() {
  dir_ = std::make_unique<test::TempDir>();
  prompts_ = TScriptedPrompts();
  modalDialogs_.clear();
  onModal_ = nullptr;
}

void TestMainWindow::cleanup() {
  windows_.reset();
  ViewerServices() = TViewerServices();
  dir_.reset();
}

std::string TestMainWindow::ExampleProject() {
  const fs::path target = fs::path(dir_->Dir()) / "project";
  if (!fs::exists(target)) fs::copy(EXAMPLES_DIR "/vb4", target, fs::copy_options::recursive);
  return (target / "Inventory.vbp").string();
}

// The windows as the program makes them, with message boxes and modal windows answered here.
void TestMainWindow::OpenExample() {
  if (!windows_) {
    windows_ = std::make_unique<TQuillmateWindows>();
    Main().SetPrompts(&prompts_);
    ViewerServices().Prompts = &prompts_;
    ViewerServices().ExecModal = [this](QDialog& dialog) {
      modalDialogs_.push_back(QString::fromLatin1(dialog.metaObject()->className()));
      return onModal_ ? onModal_(dialog) : int(QDialog::Rejected);
    };
  }
}

void TestMainWindow::SelectNode(std::size_t node) {
  QTreeWidgetItem* item = Main().TreeItem(node);
  QVERIFY(item);
  Main().treeProject->setCurrentItem(item);
}

bool TestMainWindow::Enabled(C command) const {
  const QList<QAction*>& actions = windows_->frmMain->CommandActions(command);
  bool enabled = !actions.isEmpty() && actions.front()->isEnabled();
  for (QAction* action : actions) {
    if (action->isEnabled() != enabled) return false;  // menu, button and pop-up must agree
  }
  return enabled;
}

void TestMainWindow::startsWithoutAProject_data() {
  QTest::addColumn<C>("command");
  QTest::addColumn<bool>("enabled");
  QTest::newRow("open") << C::OpenProject << true;
  QTest::newRow("close") << C::CloseProject << false;
  QTest::newRow("options") << C::Options << true;
  QTest::newRow("process") << C::Process << false;
  QTest::newRow("view project source") << C::ViewProjectSource << false;
  QTest::newRow("view selected file") << C::ViewCurrentSource << false;
  QTest::newRow("form tree") << C::FormStructure << false;
  QTest::newRow("commentor") << C::Commentor << false;
  QTest::newRow("charts") << C::Charts << false;
  QTest::newRow("select all") << C::SelectAll << false;
  QTest::newRow("deselect all") << C::DeselectAll << false;
  QTest::newRow("help") << C::HelpContents << true;
}

void TestMainWindow::startsWithoutAProject() {
  QFETCH(C, command);
  QFETCH(bool, enabled);
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QCOMPARE(Main().windowTitle(), QStringLiteral("Quillmate/VB 3.0"));
  QCOMPARE(Enabled(command), enabled);
  QVERIFY(Main().pnlOutline->isHidden());
  // The Project menu stays in the menu bar with every item greyed.
  QVERIFY(Main().mnuProject->menuAction()->isVisible());
  for (QAction* action : Main().mnuProject->actions()) QVERIFY(action->isSeparator() || !action->isEnabled());
  QVERIFY(!Main().treeProject->isEnabled());
  QVERIFY(Main().guageMain->isHidden());
  QVERIFY(Main().Project() == nullptr);
}

void TestMainWindow::menusAndToolbarCarryTheirCaptionsAndHints() {
  OpenExample();
  QStringList menus;
  for (QAction* action : Main().menuBar()->actions()) menus << action->text();
  QCOMPARE(menus, (QStringList{"&File", "&View", "&Project", "&Window", "&Help"}));

  auto items = [](QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text() + "|" + action->statusTip();
    }
    return texts;
  };
  QCOMPARE(items(Main().mnuFile), (QStringList{"&Open...|Display the open file dialog",
                                               "&Close Project|Close Current Project", "E&xit|Exit Quillmate/VB"}));
  QCOMPARE(items(Main().mnuView),
           (QStringList{"&Options...|Display the options window", "&Toolbar|Toggle the toolbar",
                        "Process &Bar|Toggle the process bar",
                        "&Encoding|Choose the code page in which sources are shown"}));
  QCOMPARE(items(Main().mnuProject),
           (QStringList{"&Begin Processing|Begin Processing", "View Project Source|View Project Source",
                        "View Current Source|View Selected File", "View Form Structure|Build Form Tree",
                        "View Sub/Function Commentor|Show Function/Module Commentor",
                        "View Charts|Display Chart Selector", "&Select All|Select All Items",
                        "&Deselect All|Deselect All Items"}));
  QCOMPARE(items(Main().mnuWindow),
           (QStringList{"&Tile|Tile all visible windows", "&Cascade|Cascade all visible windows",
                        "Close &All|Close all windows"}));
  QCOMPARE(items(Main().mnuHelp),
           (QStringList{"&Contents|Open the help file", "&About...|Display the about box"}));
  QStringList popup;
  for (QAction* action : Main().mnuTreePopup->actions()) {
    if (!action->isSeparator()) popup << action->text();
  }
  QCOMPARE(popup, (QStringList{"Begin Processing", "View Project Source", "View Current Source", "View Form Structure",
                               "View Sub/Function Commentor", "View Charts", "Toggle Selection", "Select All",
                               "Deselect All", "Options"}));
  QVERIFY(Main().mnuViewToolbar->isChecked());
  QVERIFY(Main().mnuViewProcessBar->isChecked());

  QStringList hints;
  for (QAction* action : Main().ToolBar->actions()) {
    if (!action->isSeparator()) {
      hints << action->toolTip();
      QCOMPARE(action->statusTip(), action->toolTip());
      QVERIFY(!action->icon().isNull());
    }
  }
  QCOMPARE(hints, (QStringList{"Open a VB Project", "Close Current Project", "Display Options Window",
                               "Begin Processing", "View Project Source", "View Selected File", "Build Form Tree",
                               "Show Function/Module Commentor", "Display Chart Selector", "Select All Items",
                               "Deselect All Items", "Help"}));
  QCOMPARE(Main().ToolBar->windowTitle(), QStringLiteral("Toolbar"));
  QVERIFY(Main().ToolBar->isMovable());
  QVERIFY(Main().ToolBar->isFloatable());
}

void TestMainWindow::openingTheExampleEnablesTheProjectCommands_data() { startsWithoutAProject_data(); }

void TestMainWindow::openingTheExampleEnablesTheProjectCommands() {
  QFETCH(C, command);
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  QVERIFY(Enabled(command));
  QVERIFY(!Main().pnlOutline->isHidden());
  QVERIFY(Main().mnuProject->menuAction()->isVisible());
  QVERIFY(Main().treeProject->isEnabled());
  QVERIFY(Main().guageMain->isHidden());
  QCOMPARE(prompts_.Busy, 0);
  QVERIFY(prompts_.Messages.empty());

  QCOMPARE(Main().ProjectFileName(), std::string("Inventory.vbp"));
  QCOMPARE(Main().treeProject->topLevelItemCount(), 1);
  QTreeWidgetItem* root = Main().treeProject->topLevelItem(0);
  QCOMPARE(root->text(0), QStringLiteral("Inventory.vbp"));
  QStringList children;
  for (int i = 0; i < root->childCount(); ++i) {
    children << root->child(i)->text(0);
    QCOMPARE(root->child(i)->data(0, Qt::UserRole + 1).toInt(), 1);
  }
  QCOMPARE(children, (QStringList{"frmMain.frm", "frmAbout.frm", "UTILS.BAS", "STOCK.BAS", "CItem.cls"}));
  QVERIFY(root->isExpanded());

  // Closing returns to the no-project state.
  Main().btnCloseClick();
  QVERIFY(Main().Project() == nullptr);
  QCOMPARE(Enabled(C::Process), false);
  QVERIFY(Main().pnlOutline->isHidden());
  QCOMPARE(Main().treeProject->topLevelItemCount(), 0);
}

void TestMainWindow::openDialogOpensTheChosenProject() {
  OpenExample();
  QFileDialog* dialog = Main().dlgOpenDialog;
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Open Project"));
  QCOMPARE(dialog->nameFilters(), QStringList{"Visual Basic Projects (*.MAK *.VBP)"});
  QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
  QVERIFY(!(dialog->filter() & QDir::CaseSensitive));

  const std::string path = ExampleProject();
  onModal_ = [&](QDialog& modal) {
    auto* fileDialog = qobject_cast<QFileDialog*>(&modal);
    if (!fileDialog) return int(QDialog::Rejected);
    fileDialog->selectFile(QString::fromStdString(path));
    return int(QDialog::Accepted);
  };
  Main().ToolbarAction(C::OpenProject)->trigger();
  QCOMPARE(modalDialogs_, QStringList{"QFileDialog"});
  QCOMPARE(Main().ProjectPath(), path);

  // Cancelling the dialog keeps the project.
  onModal_ = [](QDialog&) { return int(QDialog::Rejected); };
  Main().OpenProjectDialog();
  QCOMPARE(Main().ProjectPath(), path);
}

void TestMainWindow::selectionNarrowsTheItemCommands_data() {
  QTest::addColumn<int>("node");
  QTest::addColumn<bool>("viewSource");
  QTest::addColumn<bool>("formStructure");
  QTest::newRow("root") << 0 << false << false;
  QTest::newRow("form") << 1 << true << true;
  QTest::newRow("module") << 3 << true << false;
  QTest::newRow("class") << 5 << true << false;
}

void TestMainWindow::selectionNarrowsTheItemCommands() {
  QFETCH(int, node);
  QFETCH(bool, viewSource);
  QFETCH(bool, formStructure);
  OpenExample();
  // Stand-ins for the form tree and commentor windows, so that their commands are available.
  std::vector<std::string> opened;
  TfrmMain::TWindows windows;
  windows.Processing = windows_->frmProcessing.get();
  windows.OpenFormTree = [&](RFile& item, const std::string& project) {
    QVERIFY(item.Loaded);
    opened.push_back("tree " + item.Name + " " + project);
  };
  windows.OpenCommentor = [&](RFile& item) { opened.push_back("commentor " + item.Name); };
  Main().SetWindows(windows);
  QVERIFY(Main().OpenProject(ExampleProject()));

  SelectNode(static_cast<std::size_t>(node));
  QCOMPARE(Enabled(C::ViewCurrentSource), viewSource);
  QCOMPARE(Enabled(C::Commentor), viewSource);
  QCOMPARE(Enabled(C::FormStructure), formStructure);
  QVERIFY(Enabled(C::Process));

  Main().btnBuildFormTreeClick();
  Main().btnShowCommentorClick();
  const RFile* item = Main().Session().Tree.ItemAt(static_cast<std::size_t>(node));
  if (node == 0) {
    QVERIFY(opened.empty());
  } else {
    QCOMPARE(opened.size(), std::size_t(2));
    QCOMPARE(opened[0], "tree " + item->Name + " Inventory.vbp");
    QVERIFY(!item->Loaded);
  }
}

void TestMainWindow::doubleClickTogglesAnItem() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QVERIFY(Main().OpenProject(ExampleProject()));
  QTreeWidget* tree = Main().treeProject;
  RFile* module = Main().Session().Tree.ItemAt(3);
  QTreeWidgetItem* item = Main().TreeItem(3);
  QTRY_VERIFY(tree->isVisible() && tree->viewport()->rect().contains(tree->visualItemRect(item)));
  const QPoint at = tree->visualItemRect(item).center();

  int doubleClicks = 0;
  connect(tree, &QTreeWidget::itemDoubleClicked, this, [&] { ++doubleClicks; });
  // Press, release and the double click of the second press, as the window system delivers them.
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
  QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
  QMouseEvent dblClick(QEvent::MouseButtonDblClick, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &dblClick);
  QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(doubleClicks, 1);
  QVERIFY(!module->Selected);
  QCOMPARE(item->data(0, Qt::UserRole + 1).toInt(), 2);

  // "Toggle Selection" of the pop-up does the same.
  Main().CommandActions(C::ToggleSelection).front()->trigger();
  QVERIFY(module->Selected);
  QCOMPARE(item->data(0, Qt::UserRole + 1).toInt(), 1);

  // The root changes nothing.
  SelectNode(0);
  Main().treeProjectDblClick();
  for (RFile* each : Main().Project()->Items()) QVERIFY(each->Selected);
  QCOMPARE(Main().TreeItem(0)->data(0, Qt::UserRole + 1).toInt(), -1);
}

void TestMainWindow::selectAllAndDeselectAllReachEveryItem() {
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  SelectNode(2);
  Main().treeProjectDblClick();

  Main().ToolbarAction(C::DeselectAll)->trigger();
  for (std::size_t node = 1; node <= 5; ++node) {
    QVERIFY(!Main().Session().Tree.ItemAt(node)->Selected);
    QCOMPARE(Main().TreeItem(node)->data(0, Qt::UserRole + 1).toInt(), 2);
  }
  Main().mnuProject->actions().last()->trigger();  // &Deselect All again: no change
  Main().CommandActions(C::SelectAll)[1]->trigger();
  for (std::size_t node = 1; node <= 5; ++node) {
    QVERIFY(Main().Session().Tree.ItemAt(node)->Selected);
    QCOMPARE(Main().TreeItem(node)->data(0, Qt::UserRole + 1).toInt(), 1);
  }
}

void TestMainWindow::recentFilesKeepOneEntryPerProject() {
  OpenExample();
  const std::string path = ExampleProject();
  QVERIFY(Main().OpenProject(path));
  QVERIFY(Main().OpenProject(path));
  TLastUsedMenu& recent = *Main().LastFiles;
  QCOMPARE(recent.Entries().size(), 1);
  QCOMPARE(recent.Entries().front()->text(), QString::fromStdString("&1  " + path));
  QVERIFY(recent.Separator());
  QCOMPARE(recent.Separator()->objectName(), QStringLiteral("LastFiles_Seperator"));
  // The entries follow the separator at the end of the File menu.
  const QList<QAction*> file = Main().mnuFile->actions();
  QCOMPARE(file.last(), recent.Entries().front());
  QCOMPARE(file[file.size() - 2], recent.Separator());
}

void TestMainWindow::recentFilesKeepTheSixNewest() {
  OpenExample();
  const std::string example = ExampleProject();
  std::vector<std::string> paths;
  for (int n = 1; n <= 7; ++n) {
    const std::string path = dir_->Dir() + "project/P" + std::to_string(n) + ".vbp";
    fs::copy_file(example, path);
    paths.push_back(path);
    QVERIFY(Main().OpenProject(path));
  }
  const QList<QAction*>& entries = Main().LastFiles->Entries();
  QCOMPARE(entries.size(), 6);
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(entries[i]->text(), QStringLiteral("&%1  %2").arg(i + 1).arg(QString::fromStdString(paths[6 - i])));
  }

  // Choosing an entry opens its project and moves it to the top.
  bool opened = false;
  connect(entries[3], &QAction::triggered, this, [&] { opened = true; });
  entries[3]->trigger();
  QVERIFY(opened);
  QCOMPARE(Main().ProjectPath(), paths[3]);
  QCOMPARE(entries[0]->text(), QString::fromStdString("&1  " + paths[3]));
  QCOMPARE(entries[1]->text(), QString::fromStdString("&2  " + paths[6]));
}

// A recent project that no longer exists is named as missing and leaves the list (and, on Exit,
// the settings file); the project open before stays open.
void TestMainWindow::recentFileThatWasDeletedLeavesNoProject() {
  OpenExample();
  const std::string example = ExampleProject();
  const std::string other = dir_->Dir() + "project/Other.vbp";
  fs::copy_file(example, other);
  QVERIFY(Main().OpenProject(other));
  QVERIFY(Main().OpenProject(example));
  fs::remove(other);

  Main().LastFiles->Entries()[1]->trigger();
  QCOMPARE(prompts_.Texts(),
           std::vector<std::string>{other + " no longer exists.  It has been removed from the list of recent projects."});
  QCOMPARE(prompts_.Messages.front().Kind, TMsgKind::Warning);
  QVERIFY(Main().Project() != nullptr);
  QCOMPARE(Enabled(C::Process), true);
  QCOMPARE(Main().LastFiles->Entries().size(), 1);
  QCOMPARE(Main().LastFiles->List().Paths(), (std::vector<std::string>{example}));
  QCOMPARE(Main().LastFiles->Entries().front()->text(), QString::fromStdString("&1  " + example));
  Main().ExitApplication();
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item2", "", "VBQUILL3.INI"), std::string());
}

void TestMainWindow::recentFilesAreLoadedAtStartAndSavedOnExit() {
  WriteSettings("[RecentFiles]\r\nItem1=/p/NEW.VBP\r\nItem3=/p/OLD.MAK\r\n");
  OpenExample();
  QCOMPARE(Main().LastFiles->List().Paths(), (std::vector<std::string>{"/p/NEW.VBP", "/p/OLD.MAK"}));

  const std::string path = ExampleProject();
  QVERIFY(Main().OpenProject(path));
  // Closing the window any way keeps the files of the session (not only File > Exit).
  Main().close();
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), path);
  WriteSettings("[RecentFiles]\r\nItem1=/p/NEW.VBP\r\nItem3=/p/OLD.MAK\r\n");

  Main().show();
  Main().ExitApplication();
  QVERIFY(!Main().isVisible());
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), path);
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item2", "", "VBQUILL3.INI"), std::string("/p/NEW.VBP"));
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item3", "", "VBQUILL3.INI"), std::string("/p/OLD.MAK"));
}

void TestMainWindow::processingWritesEveryFileThroughThePreview() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QVERIFY(Main().OpenProject(ExampleProject()));
  const Qt::CursorShape before = Main().cursor().shape();

  std::vector<std::string> previews;
  onModal_ = [&](QDialog& dialog) {
    auto* preview = qobject_cast<TfrmViewDual*>(&dialog);
    if (!preview) return int(QDialog::Rejected);
    previews.push_back(preview->Caption());
    // During the run the main window is disabled under the hourglass; the processing window is not.
    [&] {
      QVERIFY(!Main().isEnabled());
      QCOMPARE(Main().cursor().shape(), Qt::WaitCursor);
      QVERIFY(windows_->frmProcessing->isVisible());
      QVERIFY(windows_->frmProcessing->isEnabled());
      QVERIFY(preview->memoCodeAfter->Count() > 0);
    }();
    return int(QDialog::Accepted);
  };
  bool completionWhileEnabled = false;
  prompts_.OnAsk = [&](const TScriptedPrompts::TMessage& m) {
    if (m.Text == "Conversion Completed.") completionWhileEnabled = Main().isEnabled();
  };
  Main().ToolbarAction(C::Process)->trigger();

  QCOMPARE(prompts_.Texts(), (std::vector<std::string>{"Process all selected files?", "Conversion Completed."}));
  QCOMPARE(prompts_.Messages[0].Buttons, TButtons::YesNo);
  QCOMPARE(prompts_.Messages[1].Kind, TMsgKind::Information);
  QVERIFY(completionWhileEnabled);
  QCOMPARE(previews, (std::vector<std::string>{"File: frmMain.frm", "File: frmAbout.frm", "File: UTILS.BAS",
                                               "File: STOCK.BAS", "File: CItem.cls"}));
  QVERIFY(Main().isEnabled());
  QCOMPARE(Main().cursor().shape(), before);
  QVERIFY(!windows_->frmProcessing->isVisible());
  QVERIFY(!Main().Running());

  for (const char* name : {"frmMain.frm", "frmAbout.frm", "UTILS.BAS", "STOCK.BAS", "CItem.cls"}) {
    const std::string bytes = ReadAll(OutputDir() / name);
    QVERIFY2(!bytes.empty(), name);
    QVERIFY2(bytes.find('\t') == std::string::npos, name);
    QVERIFY2(bytes.ends_with("\r\n"), name);
  }
  for (RFile* item : Main().Project()->Items()) {
    QVERIFY(item->Processed);
    QVERIFY(!item->OutputPath.empty());
  }
  // The sources are untouched.
  QCOMPARE(ReadAll(fs::path(dir_->Dir()) / "project" / "Stock.bas"), ReadAll(EXAMPLES_DIR "/vb4/Stock.bas"));
}

void TestMainWindow::processingAnsweredNoDoesNothing() {
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  prompts_.Answers = {TAnswer::No};
  Main().btnProcessClick();
  QCOMPARE(prompts_.Texts(), std::vector<std::string>{"Process all selected files?"});
  QVERIFY(!fs::exists(OutputDir()));
  QVERIFY(modalDialogs_.isEmpty());
}

void TestMainWindow::cancelOffersToDeleteTheOutput_data() {
  QTest::addColumn<bool>("deleteFiles");
  QTest::newRow("keep") << false;
  QTest::newRow("delete") << true;
}

void TestMainWindow::cancelOffersToDeleteTheOutput() {
  QFETCH(bool, deleteFiles);
  // Only the restyled files are written, without previews, so that the output shows the run alone.
  WriteSettings(
      "[General]\r\nPreviewBeforeSaving=0\r\n"
      "[BackupInformation]\r\nBackupOnlyNewFiles=1\r\nBackupMAKFiles=0\r\nBackupAllFiles=0\r\n");
  OpenExample();
  TCancellingProgress processing(*windows_->frmProcessing);
  processing.CancelAt = "UTILS.BAS (Pass 1)";
  TfrmMain::TWindows windows;
  windows.Processing = &processing;
  windows.Copying = windows_->frmCopyFiles.get();
  Main().SetWindows(windows);
  QVERIFY(Main().OpenProject(ExampleProject()));
  // A file of the user's in the output directory.
  dir_->Write("project/STYLED/my notes.txt", "mine");
  prompts_.Answers = {TAnswer::Yes, deleteFiles ? TAnswer::Yes : TAnswer::No};
  Main().btnProcessClick();

  // The question says how many files the run wrote and names the output directory as a native
  // path; the closing message says that the run was cancelled.
  const std::string outputDir = Main().Project()->ProjectDir + "STYLED/";
  QCOMPARE(prompts_.Texts(),
           (std::vector<std::string>{"Process all selected files?",
                                     "Delete the 2 files this run wrote in " + outputDir +
                                         "?  Other files there are left as they are.",
                                     deleteFiles ? "Conversion cancelled.  The files this run wrote were deleted."
                                                 : "Conversion cancelled.  The files written so far were kept."}));
  QCOMPARE(prompts_.Messages[1].Kind, TMsgKind::Confirmation);
  QCOMPARE(prompts_.Messages[1].Buttons, TButtons::YesNoDefaultNo);
  QCOMPARE(ReadAll(OutputDir() / "my notes.txt"), std::string("mine"));
  QCOMPARE(processing.Labels.back(), std::string("UTILS.BAS (Pass 1)"));
  QVERIFY(Main().isEnabled());
  QVERIFY(!windows_->frmProcessing->isVisible());

  const std::vector<RFile*> items = Main().Project()->Items();
  QVERIFY(!fs::exists(OutputDir() / "UTILS.BAS"));
  if (deleteFiles) {
    QVERIFY(!fs::exists(OutputDir() / "frmMain.frm"));
    QVERIFY(!fs::exists(OutputDir() / "frmAbout.frm"));
    for (RFile* item : items) QVERIFY(!item->Processed);
  } else {
    QVERIFY(fs::exists(OutputDir() / "frmMain.frm"));
    QVERIFY(fs::exists(OutputDir() / "frmAbout.frm"));
    QVERIFY(items[0]->Processed && items[1]->Processed);
    QVERIFY(!items[2]->Processed && !items[3]->Processed);
  }
}

// Cancel in the preview cancels the file shown: it is not written; the copies made before it are
// offered for deletion.
void TestMainWindow::cancelInThePreviewWritesNothingMore() {
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  onModal_ = [](QDialog& dialog) {
    if (auto* preview = qobject_cast<TfrmViewDual*>(&dialog)) preview->btnCancelClick();
    return int(QDialog::Rejected);
  };
  prompts_.Answers = {TAnswer::Yes, TAnswer::No};
  Main().btnProcessClick();
  QCOMPARE(modalDialogs_, QStringList{"qm::TfrmViewDual"});
  QCOMPARE(prompts_.Messages.size(), std::size_t(3));
  QVERIFY(prompts_.Messages[1].Text.starts_with("Delete the "));
  QCOMPARE(prompts_.Messages[2].Text, std::string("Conversion cancelled.  The files written so far were kept."));
  // The output directory holds the copy of the form, not a restyled one.
  QCOMPARE(ReadAll(OutputDir() / "frmMain.frm"), ReadAll(fs::path(dir_->Dir()) / "project" / "frmMain.frm"));
  QVERIFY(!Main().Project()->Items()[0]->Processed);
  QVERIFY(!Main().Project()->Items()[1]->Processed);
}

// The whole cancel as the user meets it, with the program's own message boxes: Cancel in the
// processing window, the question (No as its default button) answered Yes by a click, and the
// closing message. A file of the user's in the output directory survives; the run's files are
// gone. With QUILLMATE_SCREENSHOT_DIR set, the question is saved as screenshot-cancel-delete.png.
void TestMainWindow::cancelInTheRealWindowDeletesOnlyTheRunsFiles() {
  WriteSettings(
      "[General]\r\nPreviewBeforeSaving=0\r\n"
      "[BackupInformation]\r\nBackupOnlyNewFiles=1\r\nBackupMAKFiles=0\r\nBackupAllFiles=0\r\n");
  OpenExample();
  TMessageBoxes boxes;
  Main().SetPrompts(&boxes);
  ViewerServices().Prompts = &boxes;
  TCancellingProgress processing(*windows_->frmProcessing);
  processing.CancelAt = "UTILS.BAS (Pass 1)";
  TfrmMain::TWindows windows;
  windows.Processing = &processing;
  windows.Copying = windows_->frmCopyFiles.get();
  Main().SetWindows(windows);
  Main().resize(900, 600);
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QVERIFY(Main().OpenProject(ExampleProject()));
  dir_->Write("project/STYLED/Release notes.txt", "the user's own file");
  dir_->Write("project/STYLED/UTILS.BAS", "' an older output, not this run's\r\n");

  QStringList texts;
  bool noIsDefault = false;
  onModal_ = [&](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (!box) return int(QDialog::Rejected);
    texts.push_back(box->text());
    if (!box->text().startsWith(QStringLiteral("Delete the "))) {
      return int(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
    }
    noIsDefault = box->defaultButton() == box->button(QMessageBox::No) &&
                  box->escapeButton() == box->button(QMessageBox::No);
    box->show();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(box)); }();
    QTest::qWait(300);
    if (const QByteArray shots = qgetenv("QUILLMATE_SCREENSHOT_DIR"); !shots.isEmpty()) {
      QScreen* screen = box->screen();
      QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb") ? screen->grabWindow(0) : box->grab();
      shot.save(QString::fromLocal8Bit(shots) + QStringLiteral("/screenshot-cancel-delete.png"));
    }
    QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    return int(box->standardButton(box->clickedButton()));
  };
  Main().btnProcessClick();

  const QString outputDir = QString::fromStdString(Main().Project()->ProjectDir + "STYLED/");
  QCOMPARE(texts, (QStringList{"Process all selected files?",
                               "Delete the 2 files this run wrote in " + outputDir +
                                   "?  Other files there are left as they are.",
                               "Conversion cancelled.  The files this run wrote were deleted."}));
  QVERIFY(noIsDefault);
  QCOMPARE(ReadAll(OutputDir() / "Release notes.txt"), std::string("the user's own file"));
  QCOMPARE(ReadAll(OutputDir() / "UTILS.BAS"), std::string("' an older output, not this run's\r\n"));
  QVERIFY(!fs::exists(OutputDir() / "frmMain.frm"));
  QVERIFY(!fs::exists(OutputDir() / "frmAbout.frm"));
  QVERIFY(Main().StatusText().contains(QStringLiteral("cancelled")));
  for (RFile* item : Main().Project()->Items()) QVERIFY(!item->Processed);
}

void TestMainWindow::viewersOpenByProcessedState() {
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  RFile* form = Main().Session().Tree.ItemAt(1);
  SelectNode(1);
  Main().btnViewSourceClick();
  QMdiSubWindow* single = Main().mdiClient->activeSubWindow();
  QVERIFY(single && qobject_cast<TfrmViewSingleMDI*>(single->widget()));
  QCOMPARE(single->windowTitle(), QString::fromStdString("File: " + form->Path));

  Main().btnProcessClick();  // previews closed at once, questions answered Yes and OK
  QVERIFY(form->Processed);
  Main().btnViewSourceClick();
  QMdiSubWindow* dual = Main().mdiClient->activeSubWindow();
  QVERIFY(dual && qobject_cast<TfrmViewDualMDI*>(dual->widget()));
  QCOMPARE(static_cast<TfrmViewDualMDI*>(dual->widget())->OutputFile(), form->OutputPath);

  Main().btnViewProjFileClick();
  QCOMPARE(Main().mdiClient->activeSubWindow()->windowTitle(), QStringLiteral("Project File: Inventory.vbp"));
  QCOMPARE(Main().mdiClient->subWindowList().size(), 3);

  // With the root selected there is nothing to view.
  SelectNode(0);
  Main().btnViewSourceClick();
  QCOMPARE(Main().mdiClient->subWindowList().size(), 3);
}

void TestMainWindow::droppingFromTheTreeOpensTheSelectedItem() {
  OpenExample();
  QVERIFY(Main().OpenProject(ExampleProject()));
  QVERIFY(Main().AcceptsDropFrom(Main().treeProject));
  QVERIFY(!Main().AcceptsDropFrom(Main().ToolBar));
  QVERIFY(!Main().AcceptsDropFrom(nullptr));
  QVERIFY(Main().treeProject->dragEnabled());
  QVERIFY(Main().mdiClient->viewport()->acceptDrops());

  SelectNode(0);
  Main().DropOnClientArea();
  QVERIFY(Main().mdiClient->subWindowList().isEmpty());
  SelectNode(4);
  Main().DropOnClientArea();
  QCOMPARE(Main().mdiClient->subWindowList().size(), 1);
  // The caption names the file as it is on disk (the project says STOCK.BAS).
  QVERIFY(Main().mdiClient->subWindowList().front()->windowTitle().endsWith("/Stock.bas"));
}

void TestMainWindow::tileAndCascadeArrangeTheViewers() {
  OpenExample();
  Main().resize(900, 600);
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QVERIFY(Main().OpenProject(ExampleProject()));
  for (std::size_t node : {1, 3, 4}) {
    SelectNode(node);
    Main().btnViewSourceClick();
  }
  Main().mnuWindowTileClick();
  const QList<QMdiSubWindow*> windows = Main().mdiClient->subWindowList();
  QCOMPARE(windows.size(), 3);
  const int width = Main().mdiClient->viewport()->width();
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(windows[i]->geometry().left(), width * i / 3);
    QCOMPARE(windows[i]->geometry().top(), 0);
    QCOMPARE(windows[i]->geometry().height(), Main().mdiClient->viewport()->height());
  }

  Main().mnuWindowCascadeClick();
  QVERIFY(windows[1]->geometry().top() > windows[0]->geometry().top());

  // The Window menu lists the viewers, the active one checked.
  emit Main().mnuWindow->aboutToShow();
  QStringList listed;
  for (QAction* action : Main().mnuWindow->actions()) {
    if (!action->isSeparator() && action->isCheckable()) listed << action->text().left(3);
  }
  QCOMPARE(listed, (QStringList{"&1 ", "&2 ", "&3 "}));
  emit Main().mnuWindow->aboutToShow();  // rebuilt, not appended to
  QCOMPARE(Main().mnuWindow->actions().size(), 3 + 1 + 3);  // Tile, Cascade, Close All
}

void TestMainWindow::viewMenuTogglesToolbarAndProcessBar() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  Main().mnuViewToolbar->trigger();
  QVERIFY(Main().ToolBar->isHidden());
  QVERIFY(!Main().mnuViewToolbar->isChecked());
  Main().mnuViewToolbar->trigger();
  QVERIFY(!Main().ToolBar->isHidden());
  QVERIFY(Main().mnuViewToolbar->isChecked());

  Main().mnuViewProcessBar->trigger();
  QVERIFY(Main().pnlBottom->isHidden());
  QVERIFY(!Main().mnuViewProcessBar->isChecked());
  Main().mnuViewProcessBar->trigger();
  QVERIFY(!Main().pnlBottom->isHidden());
}

void TestMainWindow::hintsReachTheStatusLine() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  Main().CommandActions(C::OpenProject)[1]->showStatusText(&Main());
  QCOMPARE(Main().StatusBar->text(), QStringLiteral("Display the open file dialog"));
  Main().ToolbarAction(C::SelectAll)->showStatusText(Main().ToolBar);
  QCOMPARE(Main().StatusBar->text(), QStringLiteral("Select All Items"));
}

void TestMainWindow::placementIsSavedAndRestored() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  Main().setGeometry(60, 70, 700, 500);
  QTRY_COMPARE(Main().geometry().size(), QSize(700, 500));
  const QRect saved = Main().normalGeometry();
  Main().close();
  const TWindowPlacement placement = LoadWindowPlacement();
  QCOMPARE(placement.NormPosL, saved.left());
  QCOMPARE(placement.NormPosT, saved.top());
  QCOMPARE(placement.NormPosR, saved.left() + saved.width());
  QCOMPARE(placement.NormPosB, saved.top() + saved.height());
  QCOMPARE(placement.Flags, 0);

  windows_.reset();
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QCOMPARE(Main().geometry().size(), saved.size());
  QCOMPARE(Main().geometry().topLeft(), saved.topLeft());
}

void TestMainWindow::helpAndAboutOpen() {
  OpenExample();
  Main().ToolbarAction(C::HelpContents)->trigger();
  QVERIFY(Main().frmHelp->isVisible());
  QCOMPARE(Main().frmHelp->Context(), 0);
  QCOMPARE(Main().frmHelp->txtHelp->source(), QUrl("qrc:/help/index.html"));
  QVERIFY(Main().frmHelp->txtHelp->toPlainText().contains("Begin Processing"));

  ShowHelpContext(12);
  QCOMPARE(Main().frmHelp->txtHelp->source(), QUrl("qrc:/help/opt_indents.html"));
  QCOMPARE(HelpPageForContext(71), QStringLiteral("qrc:/help/opt_user.html"));
  QCOMPARE(HelpPageForContext(999), QStringLiteral("qrc:/help/index.html"));
  for (int context : {11, 13, 14, 15, 16, 17, 29, 30}) {
    ShowHelpContext(context);
    QVERIFY2(!Main().frmHelp->txtHelp->toPlainText().isEmpty(), qPrintable(QString::number(context)));
    QVERIFY(Main().frmHelp->txtHelp->source() != QUrl("qrc:/help/index.html"));
  }

  // The contents name Visual Basic 3 to 6 and lead to a page for each view of the project; a
  // click on a link shows that page.
  ShowHelpContext(0);
  QVERIFY(Main().frmHelp->txtHelp->toPlainText().contains("Visual Basic 3 to 6"));
  const QString contents = Main().frmHelp->txtHelp->toHtml();
  for (const char* page : {"charts.html", "formtree.html", "commentor.html", "spelling.html", "encodings.html",
                           "diff.html"}) {
    QVERIFY2(contents.contains(QLatin1String(page)), page);
    Main().frmHelp->txtHelp->setSource(QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page)));
    QVERIFY2(Main().frmHelp->txtHelp->toPlainText().size() > 200, page);
    Main().frmHelp->txtHelp->backward();
  }

  QString aboutText;
  onModal_ = [&](QDialog& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) aboutText += label->text() + '\n';
    return int(QDialog::Accepted);
  };
  Main().mnuHelpAboutClick();
  QCOMPARE(modalDialogs_, QStringList{"qm::TfrmAbout"});
  QVERIFY2(aboutText.contains("Visual Basic 3 to 6"), qPrintable(aboutText));
}

// Not a timed assertion: the time is logged so that a slow tree shows in the test's output.
void TestMainWindow::aProjectOfFourThousandFilesOpensWithItsWholeTree() {
  OpenExample();
  const int files = 4000;
  std::string project;
  for (int n = 0; n < files; ++n) {
    const std::string name = (n % 2 ? "modUtil" : "frmOrder") + std::to_string(n) + (n % 2 ? ".bas" : ".frm");
    dir_->Write("many/" + name, "Attribute VB_Name = \"x\"\r\nSub Main ()\r\nEnd Sub\r\n");
    project += (n % 2 ? "Module=M; " : "Form=") + name + "\r\n";
  }
  dir_->Write("many/MANY.VBP", project);
  WriteSettings("[General]\r\nPreviewBeforeSaving=0\r\n");
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  QElapsedTimer clock;
  clock.start();
  QVERIFY(Main().OpenProject(dir_->Dir() + "many/MANY.VBP"));
  QCoreApplication::processEvents();
  qInfo("opened and showed %d files in %lld ms", files, static_cast<long long>(clock.elapsed()));
  QTreeWidgetItem* root = Main().treeProject->topLevelItem(0);
  QVERIFY(root);
  QCOMPARE(root->childCount(), files);
  QVERIFY(root->isExpanded());
  QVERIFY(!Main().TreeItem(files)->icon(0).isNull());

  // Processing shows its progress without costing the run: the labels are painted a few times a
  // second, not once per file and pass.
  clock.restart();
  Main().ToolbarAction(C::Process)->trigger();
  qInfo("processed %d files in %lld ms, %ld label paints", files, static_cast<long long>(clock.elapsed()),
        windows_->frmProcessing->LabelPaints());
  QCOMPARE(prompts_.Texts().back(), std::string("Conversion Completed."));
  QVERIFY(fs::exists(fs::path(dir_->Dir()) / "many" / "STYLED" / "modUtil3999.bas"));
  QVERIFY(windows_->frmProcessing->LabelPaints() < files);
}

// Opening another project, or File > Close Project, closes the old project's windows (viewers,
// charts, commentors) and clears the last run's status text.
void TestMainWindow::openingAnotherProjectClosesTheOldWindows() {
  OpenExample();
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  const std::string example = ExampleProject();
  const std::string other = dir_->Dir() + "project/Other.vbp";
  fs::copy_file(example, other);
  QVERIFY(Main().OpenProject(example));
  SelectNode(3);
  Main().ToolbarAction(C::ViewCurrentSource)->trigger();
  Main().ToolbarAction(C::ViewProjectSource)->trigger();
  Main().ToolbarAction(C::Commentor)->trigger();
  QCOMPARE(Main().mdiClient->subWindowList().size(), 3);
  Main().SetStatusText(QStringLiteral("Restyled 5 files into somewhere"));

  QVERIFY(Main().OpenProject(other));
  QTRY_COMPARE(Main().mdiClient->subWindowList().size(), 0);
  QCOMPARE(Main().StatusText(), QString());
  QCOMPARE(Main().ProjectPath(), other);

  Main().ToolbarAction(C::ViewProjectSource)->trigger();
  QCOMPARE(Main().mdiClient->subWindowList().size(), 1);
  QAction* close = Main().findChild<QAction*>(QStringLiteral("mnuFileClose"));
  QVERIFY(close);
  QVERIFY(Main().mnuFile->actions().contains(close));
  QVERIFY(close->isEnabled());
  close->trigger();
  QTRY_COMPARE(Main().mdiClient->subWindowList().size(), 0);
  QVERIFY(Main().Project() == nullptr);
  QVERIFY(!close->isEnabled());
}

// The example project open in the shown main window, with a commentor holding typed, unsaved
// comments; false when a step fails.
bool TestMainWindow::OpenCommentorWithUnsavedEdits() {
  OpenExample();
  Main().show();
  if (!QTest::qWaitForWindowExposed(&Main()) || !Main().OpenProject(ExampleProject())) return false;
  SelectNode(3);
  Main().ToolbarAction(C::Commentor)->trigger();
  auto* commentor = qobject_cast<TfrmCommentor*>(Main().mdiClient->subWindowList().value(0)->widget());
  if (!commentor) return false;
  commentor->memoComments->setFocus();
  QTest::keyClicks(commentor->memoComments, QStringLiteral("' typed"));
  return true;
}

// A commentor whose unsaved edits the user keeps (Cancel) keeps the old project open.
void TestMainWindow::aCommentorWithUnsavedEditsCanKeepTheProjectOpen() {
  QVERIFY(OpenCommentorWithUnsavedEdits());
  prompts_.Answers = {TAnswer::Cancel};

  Main().btnCloseClick();
  QCOMPARE(prompts_.Texts().back(), std::string("Comments have changed.  Do you wish to save?"));
  QVERIFY(Main().Project() != nullptr);
  QCOMPARE(Main().mdiClient->subWindowList().size(), 1);
  prompts_.Answers = {TAnswer::No};
  Main().btnCloseClick();
  QTRY_COMPARE(Main().mdiClient->subWindowList().size(), 0);
  QVERIFY(Main().Project() == nullptr);
}

// File > Exit saves the recent-files list first: a commentor that then keeps the program open does
// not undo that.
void TestMainWindow::exitStoppedByACommentorHasSavedTheList() {
  QVERIFY(OpenCommentorWithUnsavedEdits());
  const std::string example = ExampleProject();
  prompts_.Answers = {TAnswer::Cancel};
  Main().findChild<QAction*>(QStringLiteral("mnuFileExit"))->trigger();
  QVERIFY(Main().isVisible());
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), example);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
