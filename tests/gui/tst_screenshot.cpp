// SPDX-License-Identifier: MIT
// Takes the pictures of the main window for the documentation: the example project open, a form
// selected and its source in a viewer; the before/after window after Diff of a tab-indented file;
// a Japanese form shown through Shift-JIS; the status line after a run. Runs only when
// QUILLMATE_SCREENSHOT names the main picture's PNG (the others are written beside it), under a
// real display server, e.g. xvfb-run -a tst_screenshot -platform xcb.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringEncoder>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <string>

#include "bigtext.h"
#include "cp1252.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
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
  void statusLineAfterARun();
};

void TestScreenshot::mainWindowWithTheExampleProject() {
  const QString target = qEnvironmentVariable("QUILLMATE_SCREENSHOT");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT is not set");

  test::TempDir dir;
  const std::filesystem::path project = std::filesystem::path(dir.Dir()) / "Inventory";
  std::filesystem::copy(EXAMPLES_DIR "/vb4", project, std::filesystem::copy_options::recursive);

  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  main.resize(980, 640);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));
  main.treeProject->setCurrentItem(main.TreeItem(1));
  main.btnViewSourceClick();
  QMdiSubWindow* viewer = main.mdiClient->activeSubWindow();
  QVERIFY(viewer);
  viewer->setGeometry(24, 18, 560, 380);
  main.ToolbarAction(TShellCommand::ViewCurrentSource)->showStatusText(&main);
  QTest::qWait(300);
  QVERIFY(main.grab().save(target));
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
  window.resize(820, 300);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.btnDiffClick();
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
  SetDisplayEncoding({TCodePage::ShiftJIS, TCodePage::Windows1252});
  TfrmViewSingleMDI window("File: KOKYAKU.FRM", form);
  window.resize(560, 230);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(300);
  QVERIFY(window.grab().save(target));
  SetDisplayEncoding({});
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
