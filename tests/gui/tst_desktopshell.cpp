// SPDX-License-Identifier: MIT
// The main window as a new user meets it: the standard keys, the Project menu's hints, the tree's
// keyboard and state-image toggling with its tool tips and processed marks, the status line after
// a run, native paths, the recent files kept on every close, View > Encoding and the layout.

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bigtext.h"
#include "displaytext.h"
#include "platform/profile.h"
#include "frame/helpwindow.h"
#include "frame/lastusedmenu.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "viewers/finddialog.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewdual.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;
using C = TShellCommand;
namespace fs = std::filesystem;

namespace {

// Records every message; "Process all selected files?" takes ProcessAnswer, other questions
// Answer.
class AnsweringPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string& text) override {
    Texts.push_back(text);
    if (buttons != TButtons::YesNo) return TAnswer::Ok;
    return text == "Process all selected files?" ? ProcessAnswer : Answer;
  }
  void BeginBusy() override {}
  void EndBusy() override {}
  std::vector<std::string> Texts;
  TAnswer ProcessAnswer = TAnswer::Yes;
  TAnswer Answer = TAnswer::No;
};

}  // namespace

class TestDesktopShell : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void recentFilesAreSavedOnEveryClose();
  void projectMenuItemsShowTheirHints();
  void standardKeys_data();
  void standardKeys();
  void ctrlTabStepsThroughTheViewers();
  void searchKeysReachTheActiveViewer();
  void treeTogglesBySpaceAndStateImage();
  void statusLineAndTreeAfterARun_data();
  void statusLineAndTreeAfterARun();
  void viewerCaptionsShowNativePaths();
  void encodingMenuChoosesAndStoresTheCodePage();
  void layoutLeavesRoomToRead();

 private:
  TfrmMain& Main() { return *windows_->frmMain; }
  void Start();
  std::string OpenExample();

  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TQuillmateWindows> windows_;
  AnsweringPrompts prompts_;
  QStringList modal_;
};

void TestDesktopShell::init() {
  dir_ = std::make_unique<test::TempDir>();
  prompts_ = AnsweringPrompts();
  modal_.clear();
}

void TestDesktopShell::cleanup() {
  windows_.reset();
  ViewerServices() = TViewerServices();
  SetDisplayEncoding({});
  dir_.reset();
}

void TestDesktopShell::Start() {
  windows_ = std::make_unique<TQuillmateWindows>();
  Main().SetPrompts(&prompts_);
  ViewerServices().Prompts = &prompts_;
  ViewerServices().ExecModal = [this](QDialog& dialog) {
    modal_ << QString::fromLatin1(dialog.metaObject()->className());
    return int(QDialog::Rejected);
  };
  Main().resize(900, 600);
  Main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
  Main().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Main()));
}

std::string TestDesktopShell::OpenExample() {
  const fs::path target = fs::path(dir_->Dir()) / "vb4";
  fs::copy(EXAMPLES_DIR "/vb4", target, fs::copy_options::recursive);
  const std::string path = (target / "Inventory.vbp").string();
  if (!Main().OpenProject(path)) return {};
  return path;
}

void TestDesktopShell::recentFilesAreSavedOnEveryClose() {
  Start();
  const std::string path = OpenExample();
  QVERIFY(!path.empty());
  // The window's close box, not File > Exit.
  QVERIFY(Main().close());
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), path);
}

void TestDesktopShell::projectMenuItemsShowTheirHints() {
  Start();
  QVERIFY(!OpenExample().empty());
  int items = 0;
  for (QAction* action : Main().mnuProject->actions()) {
    if (action->isSeparator()) continue;
    ++items;
    QVERIFY2(!action->statusTip().isEmpty(), qPrintable(action->text()));
    action->showStatusText(&Main());
    QCOMPARE(Main().StatusBar->text(), action->statusTip());
  }
  QCOMPARE(items, 8);
}

void TestDesktopShell::standardKeys_data() {
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<QString>("effect");

  QTest::newRow("Ctrl+O opens the open dialog") << QKeySequence(QStringLiteral("Ctrl+O")) << "open dialog";
  QTest::newRow("F1 opens the help") << QKeySequence(QStringLiteral("F1")) << "help";
  QTest::newRow("F5 begins processing") << QKeySequence(QStringLiteral("F5")) << "process question";
  QTest::newRow("Ctrl+Q exits") << QKeySequence(QStringLiteral("Ctrl+Q")) << "closed";
}

void TestDesktopShell::standardKeys() {
  QFETCH(QKeySequence, keys);
  QFETCH(QString, effect);
  Start();
  QVERIFY(!OpenExample().empty());
  prompts_.ProcessAnswer = TAnswer::No;
  Main().treeProject->setFocus();
  QTest::keySequence(&Main(), keys);
  if (effect == "open dialog") QCOMPARE(modal_, QStringList{"QFileDialog"});
  if (effect == "help") QVERIFY(Main().frmHelp->isVisible());
  if (effect == "process question") QCOMPARE(prompts_.Texts, std::vector<std::string>{"Process all selected files?"});
  if (effect == "closed") QVERIFY(!Main().isVisible());
  // The key stands beside its menu item.
  bool shown = false;
  for (QMenu* menu : {Main().mnuFile, Main().mnuProject, Main().mnuHelp}) {
    for (QAction* action : menu->actions()) shown = shown || action->shortcut() == keys;
  }
  QVERIFY(shown);
}

void TestDesktopShell::ctrlTabStepsThroughTheViewers() {
  Start();
  QVERIFY(!OpenExample().empty());
  std::vector<QMdiSubWindow*> viewers;
  for (std::size_t node : {1, 2, 3}) viewers.push_back(Main().ViewSourceItem(Main().Session().Tree.ItemAt(node)));
  QCOMPARE(Main().mdiClient->activeSubWindow(), viewers[2]);
  QTest::keyClick(&Main(), Qt::Key_Tab, Qt::ControlModifier);
  QVERIFY(Main().mdiClient->activeSubWindow() != viewers[2]);
  QTest::keyClick(&Main(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(Main().mdiClient->activeSubWindow(), viewers[2]);
}

void TestDesktopShell::searchKeysReachTheActiveViewer() {
  Start();
  QVERIFY(!OpenExample().empty());
  QMdiSubWindow* first = Main().ViewSourceItem(Main().Session().Tree.ItemAt(1));
  QMdiSubWindow* second = Main().ViewSourceItem(Main().Session().Tree.ItemAt(3));
  QCOMPARE(Main().mdiClient->activeSubWindow(), second);
  TPaneSearch* search = ViewerSearch(second->widget());
  QVERIFY(search && search != ViewerSearch(first->widget()));

  QTest::keyClick(&Main(), Qt::Key_F, Qt::ControlModifier);
  QVERIFY(search->dlgFind()->isVisible());
  QVERIFY(!ViewerSearch(first->widget())->dlgFind()->isVisible());
  search->dlgFind()->SetFindText(QStringLiteral("public function"));
  search->dlgFind()->hide();
  Main().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Main()));

  // Modules\Utils.bas declares its functions on lines 17, 32 and 48.
  TBigText* pane = qobject_cast<TfrmViewSingleMDI*>(second->widget())->memoSource;
  std::vector<int> hits;
  for (auto [key, modifiers] : {std::pair{Qt::Key_F3, Qt::NoModifier}, {Qt::Key_F3, Qt::NoModifier},
                                {Qt::Key_F3, Qt::ShiftModifier}}) {
    QTest::keyClick(&Main(), key, modifiers);
    hits.push_back(pane->HitLine());
    // The hit is on screen.
    QVERIFY(pane->TopLine() <= hits.back() && hits.back() < pane->TopLine() + pane->VisibleLines());
  }
  QCOMPARE(hits, (std::vector<int>{16, 31, 16}));
  QVERIFY(prompts_.Texts.empty());
}

void TestDesktopShell::treeTogglesBySpaceAndStateImage() {
  Start();
  QVERIFY(!OpenExample().empty());
  QTreeWidget* tree = Main().treeProject;
  const auto state = [&](std::size_t node) { return Main().Session().Tree.Nodes()[node].StateIndex; };

  tree->setFocus();
  tree->setCurrentItem(Main().TreeItem(2));
  QTest::keyClick(tree, Qt::Key_Space);
  QCOMPARE(state(2), kStateDeselected);
  QVERIFY(!Main().Session().Tree.ItemAt(2)->Selected);
  QTest::keyClick(tree, Qt::Key_Space);
  QCOMPARE(state(2), kStateSelected);

  // A click on the state image of another node toggles that node; a click on the name does not.
  QTreeWidgetItem* item = Main().TreeItem(3);
  const QRect stateImage = Main().StateImageRect(item);
  QVERIFY(!stateImage.isEmpty());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, stateImage.center());
  QCOMPARE(state(3), kStateDeselected);
  QCOMPARE(tree->currentItem(), item);
  const QRect row = tree->visualItemRect(item);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(row.right() - 4, row.center().y()));
  QCOMPARE(state(3), kStateDeselected);
  QVERIFY(Main().StateImageRect(Main().TreeItem(0)).isEmpty());

  // Every item names its file in full.
  for (std::size_t node = 1; node < Main().Session().Tree.Size(); ++node) {
    const QString tip = Main().TreeItem(node)->toolTip(0);
    QVERIFY2(tip.contains(QLatin1Char('/')) && !tip.contains(QLatin1Char('\\')), qPrintable(tip));
  }
}

void TestDesktopShell::statusLineAndTreeAfterARun_data() {
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<QString>("expected");  // <DIR> stands for the output directory

  QTest::newRow("every file") << false << "Restyled 5 files into <DIR>";
  // Cancel in a preview cancels that file too: only the first is written.
  QTest::newRow("cancelled in the second preview") << true << "Restyled 1 of 5 files into <DIR> (cancelled)";
}

void TestDesktopShell::statusLineAndTreeAfterARun() {
  QFETCH(bool, cancel);
  QFETCH(QString, expected);
  dir_->Write("VBQUILL3.INI", "[General]\r\nPreviewBeforeSaving=1\r\n");
  Start();
  const std::string path = OpenExample();
  QVERIFY(!path.empty());
  int previews = 0;
  ViewerServices().ExecModal = [&](QDialog& dialog) {
    auto* preview = qobject_cast<TfrmViewDual*>(&dialog);
    if (cancel && preview && ++previews == 2) preview->btnCancelClick();
    return int(QDialog::Accepted);
  };
  // Yes to processing, No to deleting the output after the cancel.
  Main().btnProcessClick();

  const QString dir = QString::fromStdString(dir_->Dir() + "vb4/STYLED/");
  QCOMPARE(Main().StatusBar->text(), QString(expected).replace(QStringLiteral("<DIR>"), dir));
  // A hint shown and gone leaves the run's report on the status line.
  Main().ToolbarAction(C::Options)->showStatusText(&Main());
  QStatusTipEvent gone{QString()};
  QCoreApplication::sendEvent(&Main(), &gone);
  QCOMPARE(Main().StatusBar->text(), QString(expected).replace(QStringLiteral("<DIR>"), dir));

  const int restyled = cancel ? 1 : 5;
  for (std::size_t node = 1; node < Main().Session().Tree.Size(); ++node) {
    QTreeWidgetItem* item = Main().TreeItem(node);
    const bool processed = static_cast<int>(node) <= restyled;
    QCOMPARE(item->font(0).bold(), processed);
    QCOMPARE(item->toolTip(0).contains(QStringLiteral("Restyled into ") + dir), processed);
  }
}

void TestDesktopShell::viewerCaptionsShowNativePaths() {
  Start();
  QVERIFY(!OpenExample().empty());
  // The second item is Forms\frmAbout.frm in the project file.
  QMdiSubWindow* viewer = Main().ViewSourceItem(Main().Session().Tree.ItemAt(2));
  QCOMPARE(viewer->windowTitle(), QString::fromStdString("File: " + dir_->Dir() + "vb4/Forms/frmAbout.frm"));
}

void TestDesktopShell::encodingMenuChoosesAndStoresTheCodePage() {
  Start();
  QMenu* menu = Main().mnuViewEncoding;
  QVERIFY(menu);
  QStringList captions;
  QAction* japanese = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    captions << action->text();
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    if (action->text() == QStringLiteral("Japanese (Shift-JIS)")) japanese = action;
  }
  QCOMPARE(captions, (QStringList{"Auto", "Western (Windows-1252)", "Japanese (Shift-JIS)",
                                  "Chinese Simplified (GBK)", "Chinese Traditional (Big5)", "Korean (949)",
                                  "Cyrillic (1251)", "Central European (1250)", "Greek (1253)", "Turkish (1254)",
                                  "Hebrew (1255)", "Arabic (1256)", "Baltic (1257)", "Vietnamese (1258)",
                                  "Thai (874)", "UTF-8"}));
  QVERIFY(menu->actions().front()->isChecked());

  const std::string form = dir_->Write("jp/frmJapan.frm", "Begin VB.Form frmJapan\r\n   Caption = \"\x93\xFA\x96\x7B\"\r\nEnd\r\n");
  QMdiSubWindow* sub = Main().mdiClient->addSubWindow(new TfrmViewSingleMDI("File: frmJapan.frm", form));
  sub->show();
  TBigText* pane = qobject_cast<TfrmViewSingleMDI*>(sub->widget())->memoSource;
  QVERIFY(!pane->DisplayText(1).contains(QString::fromUtf8("日本")));

  japanese->trigger();
  QVERIFY(japanese->isChecked());
  QCOMPARE(DisplayEncoding().CodePage, TCodePage::ShiftJIS);
  QCOMPARE(pane->DisplayText(1), QString::fromUtf8("   Caption = \"日本\""));
  QCOMPARE(GetPrivateProfileString("Encoding", "CodePage", "", "VBQUILL3.INI"), std::string("932"));

  // The next start shows sources through the stored choice.
  windows_.reset();
  SetDisplayEncoding({});
  Start();
  QCOMPARE(DisplayEncoding().CodePage, TCodePage::ShiftJIS);
}

void TestDesktopShell::layoutLeavesRoomToRead() {
  Start();
  QVERIFY(Main().minimumWidth() >= 500);
  QVERIFY(Main().minimumHeight() >= 340);
  QVERIFY(Main().dlgOpenDialog->width() >= 700);
  QVERIFY(Main().dlgOpenDialog->height() >= 420);
}

QTEST_MAIN(TestDesktopShell)
#include "tst_desktopshell.moc"
