// Takes the picture of the main window for the documentation: the example project open, a form
// selected and its source in a viewer. Runs only when QUILLMATE_SCREENSHOT names the PNG to write
// (under a real display server, e.g. xvfb-run -a tst_screenshot -platform xcb).

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>

#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "temp_dir.h"
#include "viewers/viewerservices.h"

using namespace qm;

class TestScreenshot : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowWithTheExampleProject();
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

QTEST_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
