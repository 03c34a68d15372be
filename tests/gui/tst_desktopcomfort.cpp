// SPDX-License-Identifier: MIT
// What a desktop user expects of the windows: the encoding of a file found by itself, shown in the
// viewer's status line and chosen per file; the Diff view's line numbers, changed characters,
// overview and change keys; windows that open whole inside their area; Window > Close All; the
// commentor's module and routine labels.

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "bigtext.h"
#include "displaytext.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "options/optionsdialog.h"
#include "platform/linefile.h"
#include "settings/fileencodings.h"
#include "temp_dir.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(qm::TCodePage)

namespace {

std::string Sample(const char* name) {
  std::string bytes;
  ReadFileBytes(std::string(TEST_DATA_DIR) + "/encodings/" + name, bytes);
  return bytes;
}

void ShowAndWait(QWidget& window, QSize size = QSize(720, 420)) {
  window.resize(size);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCoreApplication::processEvents();
}

// The main window shown at 900x640 with a copy of the VB4 example project open.
bool ShowWithTheVb4Example(TfrmMain& main, const test::TempDir& dir) {
  fs::copy(EXAMPLES_DIR "/vb4", fs::path(dir.Dir()) / "vb4", fs::copy_options::recursive);
  ShowAndWait(main, QSize(900, 640));
  return main.OpenProject(dir.Dir() + "vb4/Inventory.vbp");
}

}  // namespace

class TestDesktopComfort : public QObject {
  Q_OBJECT

 private slots:
  void init() { SetDisplayEncoding({}); }
  void autoFindsTheEncodingOfAFile_data();
  void autoFindsTheEncodingOfAFile();
  void aFilesEncodingIsRememberedPerProject();
  void diffMarksTheChangedCharacters();
  void changeKeysStepThroughTheBlocks();
  void viewersOpenWholeInsideTheArea();
  void closeAllClosesEveryViewer();
  void optionsDialogFitsTheScreen();
};

void TestDesktopComfort::autoFindsTheEncodingOfAFile_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<TCodePage>("page");
  QTest::addColumn<QString>("word");  // a word of the file as it must read
  QTest::newRow("Shift-JIS") << "shiftjis.bas" << TCodePage::ShiftJIS << QString::fromUtf8("顧客");
  QTest::newRow("GBK") << "gbk.bas" << TCodePage::GBK << QString::fromUtf8("客户");
  QTest::newRow("Big5") << "big5.bas" << TCodePage::Big5 << QString::fromUtf8("客戶");
  QTest::newRow("EUC-KR") << "korean949.bas" << TCodePage::Korean949 << QString::fromUtf8("고객");
  QTest::newRow("Windows-1251") << "cyrillic1251.bas" << TCodePage::Cyrillic1251 << QString::fromUtf8("клиент");
  QTest::newRow("UTF-8") << "utf8.bas" << TCodePage::Utf8 << QString::fromUtf8("顧客");
}

void TestDesktopComfort::autoFindsTheEncodingOfAFile() {
  QFETCH(QString, file);
  QFETCH(TCodePage, page);
  QFETCH(QString, word);
  if (!CanDecode(page)) QSKIP("the toolkit has no converter for this code page");
  test::TempDir dir;
  const std::string bytes = Sample(file.toStdString().c_str());
  const std::string path = dir.Write("MODULE1.BAS", bytes);
  TfrmViewSingleMDI viewer(FileCaption(path), path);
  ShowAndWait(viewer);
  QCOMPARE(viewer.memoSource->ShownCodePage(), page);
  QVERIFY(viewer.memoSource->Search(word, true, true) || viewer.memoSource->DisplayText(1).contains(word));
  // The status line names what Auto found.
  QVERIFY(viewer.Status->EncodingText().contains(FromWindows1252(CodePageInfo(page).Caption)));
  // Showing changes no byte of the file.
  std::string after;
  QVERIFY(ReadFileBytes(path, after));
  QVERIFY(after == bytes);
}

void TestDesktopComfort::aFilesEncodingIsRememberedPerProject() {
  test::TempDir dir;
  const std::string project = dir.Write("P.VBP", "Module=M1; M1.BAS\r\n");
  const std::string first = dir.Write("M1.BAS", Sample("cyrillic1251.bas"));
  const std::string second = dir.Write("M2.BAS", Sample("cyrillic1251.bas"));
  {
    TfrmViewSingleMDI viewer(FileCaption(first), first);
    viewer.RememberEncodingFor(project);
    ShowAndWait(viewer);
    QCOMPARE(viewer.memoSource->ShownCodePage(), TCodePage::Cyrillic1251);
    // The user picks another code page in the status line.
    const int greek = viewer.Status->cmbEncoding->findData(static_cast<int>(TCodePage::Greek1253));
    QVERIFY(greek >= 0);
    viewer.Status->cmbEncoding->setCurrentIndex(greek);
    emit viewer.Status->cmbEncoding->activated(greek);
    QCOMPARE(viewer.memoSource->ShownCodePage(), TCodePage::Greek1253);
  }
  QCOMPARE(LoadFileEncoding(project, first), TCodePage::Greek1253);
  TfrmViewSingleMDI again(FileCaption(first), first);
  again.RememberEncodingFor(project);
  QCOMPARE(again.memoSource->ShownCodePage(), TCodePage::Greek1253);
  // Another file of the project keeps Auto.
  TfrmViewSingleMDI other(FileCaption(second), second);
  other.RememberEncodingFor(project);
  QCOMPARE(other.memoSource->CodePage(), TCodePage::Auto);
  QCOMPARE(other.memoSource->ShownCodePage(), TCodePage::Cyrillic1251);
}

void TestDesktopComfort::diffMarksTheChangedCharacters() {
  test::TempDir dir;
  const std::string before = dir.Write("A.BAS", "Sub A()\r\nx=1\r\nDim Old As Integer\r\nEnd Sub\r\n");
  const std::string after = dir.Write("STYLED/A.BAS", "Sub A()\r\n    x=1\r\nDim New As Integer\r\n' added\r\nEnd Sub\r\n");
  TfrmViewDualMDI window(before, after);
  ShowAndWait(window);
  window.btnDiffClick();
  TBigText* left = window.memoCodeBefore;
  TBigText* right = window.memoCodeAfter;
  // Rows: equal, changed (indent), changed (word), inserted, equal.
  QCOMPARE(right->Count(), 5);
  QVERIFY(left->ShowLineNumbers() && right->ShowLineNumbers());
  QCOMPARE(left->LineNumber(3), 0);  // the filler facing the inserted line
  QCOMPARE(right->LineNumber(3), 4);
  QCOMPARE(left->LineNumber(4), 4);
  QVERIFY(left->GutterWidth() > 0);
  // The overview marks the one block of changed rows.
  QCOMPARE(window.Panes->Overview->Blocks(), (std::vector<TChangeBlock>{{1, 3}}));
}

void TestDesktopComfort::changeKeysStepThroughTheBlocks() {
  test::TempDir dir;
  std::string before;
  std::string after;
  for (int i = 0; i < 200; ++i) {
    const std::string line = "x = " + std::to_string(i) + "\r\n";
    before += line;
    after += (i == 20 || i == 150) ? "y = " + std::to_string(i) + "\r\n" : line;
  }
  const std::string a = dir.Write("A.BAS", before);
  const std::string b = dir.Write("STYLED/A.BAS", after);
  TfrmViewDualMDI window(a, b);
  ShowAndWait(window);
  window.btnDiffClick();
  QCOMPARE(window.Panes->Overview->Blocks().size(), std::size_t(2));
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  std::vector<int> rows;
  for (auto [key, forward] : {std::pair{Qt::Key_Down, true}, {Qt::Key_Down, true}, {Qt::Key_Down, true},
                              {Qt::Key_Up, false}}) {
    QTest::keyClick(&window, key, Qt::AltModifier);
    rows.push_back(window.Panes->CurrentChangeRow());
    const int row = rows.back();
    // The change is on screen in both panes.
    for (TBigText* pane : {window.memoCodeBefore, window.memoCodeAfter}) {
      QVERIFY2(pane->TopLine() <= row && row < pane->TopLine() + pane->VisibleLines(),
               qPrintable(QStringLiteral("row %1, top %2, visible %3").arg(row).arg(pane->TopLine()).arg(pane->VisibleLines())));
    }
    Q_UNUSED(forward);
  }
  QCOMPARE(rows, (std::vector<int>{20, 150, 150, 20}));
  QVERIFY(window.btnNextChange->isVisible() && window.btnPrevChange->isVisible());
}

void TestDesktopComfort::viewersOpenWholeInsideTheArea() {
  test::TempDir dir;
  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  QVERIFY(ShowWithTheVb4Example(main, dir));
  for (int i = 0; i < 12; ++i) {
    main.treeProject->setCurrentItem(main.TreeItem(1));
    main.btnViewSourceClick();
    QMdiSubWindow* sub = main.mdiClient->activeSubWindow();
    QVERIFY(sub);
    const QRect area = main.mdiClient->viewport()->rect();
    QVERIFY2(area.contains(sub->geometry()), qPrintable(QStringLiteral("viewer %1 is partly off its area").arg(i)));
    QVERIFY(sub->width() >= std::min(480, area.width()));
  }
}

void TestDesktopComfort::closeAllClosesEveryViewer() {
  test::TempDir dir;
  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  QVERIFY(ShowWithTheVb4Example(main, dir));
  main.treeProject->setCurrentItem(main.TreeItem(1));
  main.btnViewSourceClick();
  main.btnViewProjFileClick();
  QCOMPARE(main.mdiClient->subWindowList().size(), 2);
  auto* closeAll = main.findChild<QAction*>(QStringLiteral("mnuWindowCloseAll"));
  QVERIFY(closeAll);
  closeAll->trigger();
  QTRY_COMPARE(main.mdiClient->subWindowList().size(), 0);
}

void TestDesktopComfort::optionsDialogFitsTheScreen() {
  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  ShowAndWait(main, QSize(900, 640));
  TfrmOptions* options = windows.frmOptions.get();
  QVERIFY(options);
  options->show();
  QVERIFY(QTest::qWaitForWindowExposed(options));
  QTest::mouseClick(options->btnPreview, Qt::LeftButton);
  const QRect screen = options->screen()->availableGeometry();
  QVERIFY(options->width() <= screen.width());
  QVERIFY(options->height() <= screen.height());
  QVERIFY(options->memoPreview->VisibleColumns() >= 80 || options->width() >= screen.width() - 16);
  options->reject();
}

QTEST_MAIN(TestDesktopComfort)
#include "tst_desktopcomfort.moc"
