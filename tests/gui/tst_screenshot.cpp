// SPDX-License-Identifier: MIT
// Takes the pictures of the main window for the documentation: the main window maximised with a
// long project tree and a source in a viewer; the before/after window after Diff of a tab-indented
// file; a Japanese form found to be Shift-JIS by Auto; a search hit on a word; the options dialog
// with its preview; the status line after a run. Runs only when QUILLMATE_SCREENSHOT names the
// main picture's PNG (the others are written beside it, the options dialog's in options/), under a
// real display server with a window manager, e.g. Xvfb at 1280x1024 with openbox.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStringEncoder>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <string>

#include "bigtext.h"
#include "displaytext.h"
#include "frame/mainwindow.h"
#include "messageboxes.h"
#include "messages.h"
#include "frame/startup.h"
#include "options/optionsdialog.h"
#include "platform/linefile.h"
#include "temp_dir.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;

namespace {

// The path of a picture beside the main one; empty when no pictures are wanted.
QString Picture(const char* name) {
  const QString target = qEnvironmentVariable("QUILLMATE_SCREENSHOT");
  return target.isEmpty() ? QString() : QFileInfo(target).dir().filePath(QLatin1String(name));
}

// Prompts that answer every question with Yes and record nothing.
class YesPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string&) override {
    return buttons == TButtons::YesNo ? TAnswer::Yes : TAnswer::Ok;
  }
  void BeginBusy() override {}
  void EndBusy() override {}
};

}  // namespace

class TestScreenshot : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowWithTheExampleProject();
  void diffOfATabIndentedFile();
  void japaneseFormThroughShiftJis();
  void findHitOnAWord();
  void optionsDialogWithItsPreview();
  void conversionCompletedBox();
  void statusLineAfterARun();
};

// The whole screen, window manager's frames included.
QPixmap Screen() { return QGuiApplication::primaryScreen()->grabWindow(0); }

void TestScreenshot::mainWindowWithTheExampleProject() {
  const QString target = qEnvironmentVariable("QUILLMATE_SCREENSHOT");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");

  // The example project with forty more modules: a tree longer than the window.
  test::TempDir dir;
  const std::filesystem::path project = std::filesystem::path(dir.Dir()) / "Inventory";
  std::filesystem::copy(EXAMPLES_DIR "/vb4", project, std::filesystem::copy_options::recursive);
  std::string vbp;
  {
    std::string bytes;
    QVERIFY(ReadFileBytes((project / "Inventory.vbp").string(), bytes));
    vbp = bytes;
  }
  for (int i = 1; i <= 40; ++i) {
    const std::string name = "Report" + std::to_string(i);
    dir.Write("Inventory/" + name + ".bas", "Attribute VB_Name = \"" + name + "\"\r\nOption Explicit\r\n");
    vbp += "Module=" + name + "; " + name + ".bas\r\n";
  }
  dir.Write("Inventory/Inventory.vbp", vbp);

  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  main.showMaximized();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QTest::qWait(500);
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));
  main.treeProject->setCurrentItem(main.TreeItem(1));
  main.btnViewSourceClick();
  QMdiSubWindow* viewer = main.mdiClient->activeSubWindow();
  QVERIFY(viewer);
  main.ToolbarAction(TShellCommand::ViewCurrentSource)->showStatusText(&main);
  QTest::qWait(500);
  QVERIFY(Screen().save(target));
}

void TestScreenshot::diffOfATabIndentedFile() {
  const QString target = Picture("screenshot-diff-tabs.png");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  test::TempDir dir;
  const std::string before = dir.Write("Tabs.bas",
                                       "Attribute VB_Name = \"Tabs\"\r\n"
                                       "Sub Total(Items() As Long)\r\n"
                                       "\tDim i As Integer: Dim Sum As Long\r\n"
                                       "\tFor i = 0 To 9\r\n"
                                       "\t\tIf Items(i) > 0 Then Sum = Sum + Items(i)\r\n"
                                       "\tNext\r\n"
                                       "\tDebug.Print Sum\t' the total\r\n"
                                       "End Sub\r\n");
  const std::string after = dir.Write("STYLED/Tabs.bas",
                                      "Attribute VB_Name = \"Tabs\"\r\n"
                                      "Sub Total(Items() As Long)\r\n"
                                      "    Dim i As Integer\r\n"
                                      "    Dim Sum As Long\r\n"
                                      "    For i = 0 To 9\r\n"
                                      "        If Items(i) > 0 Then\r\n"
                                      "            Sum = Sum + Items(i)\r\n"
                                      "        End If\r\n"
                                      "    Next i\r\n"
                                      "    Debug.Print Sum                 ' the total\r\n"
                                      "End Sub\r\n");
  TfrmViewDualMDI window(before, after);
  window.resize(900, 330);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.btnDiffClick();
  window.Panes->GoToChange(true);
  QTest::qWait(300);
  QVERIFY(window.grab().save(target));
}

void TestScreenshot::japaneseFormThroughShiftJis() {
  const QString target = Picture("screenshot-shiftjis.png");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  test::TempDir dir;
  const QString text = QString::fromUtf8(
      "VERSION 2.00\r\n"
      "Begin Form frmKokyaku\r\n"
      "   Caption         =   \"顧客一覧\"\r\n"
      "   Begin CommandButton cmdHyouji\r\n"
      "      Caption         =   \"表示\"\r\n"
      "   End\r\n"
      "End\r\n"
      "Sub cmdHyouji_Click ()\r\n"
      "    ' 顧客の一覧を表示する\r\n"
      "    MsgBox \"ソフトウェアの表示\"\r\n"
      "End Sub\r\n");
  QStringEncoder shiftJis("Shift_JIS");
  const QByteArray bytes = shiftJis.encode(text);
  const std::string form = dir.Write("KOKYAKU.FRM", bytes.toStdString());
  // View > Encoding stays at Auto: the bytes say Shift-JIS.
  SetDisplayEncoding({});
  TfrmViewSingleMDI window("File: KOKYAKU.FRM", form);
  window.resize(620, 260);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.memoSource->ShownCodePage(), TCodePage::ShiftJIS);
  QTest::qWait(300);
  QVERIFY(window.grab().save(target));
}

void TestScreenshot::findHitOnAWord() {
  const QString target = Picture("screenshot-find.png");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  test::TempDir dir;
  std::string text = "Attribute VB_Name = \"Totals\"\r\nOption Explicit\r\n";
  for (int i = 0; i < 40; ++i) {
    text += "Sub Part" + std::to_string(i) + "()\r\n    Dim Amount As Long\r\n    Amount = Amount + " +
            std::to_string(i) + "\r\nEnd Sub\r\n";
  }
  text += "Sub Report()\r\n    Debug.Print GrandTotal, Amount   ' the GrandTotal of all parts\r\nEnd Sub\r\n";
  const std::string file = dir.Write("TOTALS.BAS", text);
  TfrmViewSingleMDI window("File: TOTALS.BAS", file);
  window.resize(620, 300);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.Search->dlgFind()->SetFindText(QStringLiteral("GrandTotal"));
  QVERIFY(window.Search->dlgFindFind());
  QVERIFY(window.Search->dlgFindFind());
  QTest::qWait(300);
  QVERIFY(window.grab().save(target));
}

void TestScreenshot::optionsDialogWithItsPreview() {
  const QString main = qEnvironmentVariable("QUILLMATE_SCREENSHOT");
  if (main.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  const QString target = QFileInfo(main).dir().filePath(QStringLiteral("options/options-preview.png"));
  test::TempDir dir;
  TQuillmateWindows windows;
  TfrmMain& frame = *windows.frmMain;
  frame.showMaximized();
  QVERIFY(QTest::qWaitForWindowExposed(&frame));
  TfrmOptions& options = *windows.frmOptions;
  options.show();
  QVERIFY(QTest::qWaitForWindowExposed(&options));
  options.lviewSelect->setCurrentRow(2);  // Comments, where the in-line comments are set
  QTest::mouseClick(options.btnPreview, Qt::LeftButton);
  QTest::qWait(800);
  QVERIFY(Screen().save(target));
  options.reject();
}

// The box at the end of a run, over the main window: its title, the program's name, is whole.
void TestScreenshot::conversionCompletedBox() {
  const QString target = Picture("screenshot-conversion-completed.png");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  main.resize(820, 420);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  main.activateWindow();
  QTest::qWait(300);
  bool saved = false;
  QTimer::singleShot(800, [&] {
    saved = Screen().copy(main.frameGeometry()).save(target);
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  TMessageBoxes boxes;
  boxes.Show(TMsgKind::Information, std::string(msg::ConversionCompleted));
  QVERIFY(saved);
}

void TestScreenshot::statusLineAfterARun() {
  const QString target = Picture("screenshot-status.png");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");
  test::TempDir dir;
  dir.Write("VBQUILL3.INI", "[General]\r\nPreviewBeforeSaving=0\r\n");
  const std::filesystem::path project = std::filesystem::path(dir.Dir()) / "vb4";
  std::filesystem::copy(EXAMPLES_DIR "/vb4", project, std::filesystem::copy_options::recursive);

  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  YesPrompts prompts;
  main.SetPrompts(&prompts);
  main.resize(820, 420);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));
  main.btnProcessClick();
  main.treeProject->setCurrentItem(main.TreeItem(2));
  QTest::qWait(300);
  QVERIFY(main.grab().save(target));
  main.SetPrompts(nullptr);
}

QTEST_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
