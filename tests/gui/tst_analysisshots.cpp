// SPDX-License-Identifier: MIT
// Takes the pictures of the analysis windows for the documentation: a bar and a pie chart and the
// form tree of the VB4 example. Runs only when QUILLMATE_SCREENSHOT_DIR names the directory to
// write them to (screenshot-chart-bar.png, screenshot-chart-pie.png, screenshot-formtree.png).

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>

#include "analysis/chartselector.h"
#include "analysis/chartwindow.h"
#include "analysis/formtreewindow.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"

using namespace qm;

class TestAnalysisShots : public QObject {
  Q_OBJECT

 private slots:
  void chartsAndFormTreeOfTheExample();
};

void TestAnalysisShots::chartsAndFormTreeOfTheExample() {
  const QString target = qEnvironmentVariable("QUILLMATE_SCREENSHOT_DIR");
  if (target.isEmpty()) QSKIP("QUILLMATE_SCREENSHOT_DIR is not set");

  test::TempDir dir;
  const std::filesystem::path project = std::filesystem::path(dir.Dir()) / "Inventory";
  std::filesystem::copy(EXAMPLES_DIR "/vb4", project, std::filesystem::copy_options::recursive);

  TQuillmateWindows windows;
  TfrmMain& main = *windows.frmMain;
  main.resize(980, 660);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QVERIFY(main.OpenProject((project / "Inventory.vbp").string()));

  const auto shoot = [&](const char* name) {
    QTest::qWait(300);
    QVERIFY(main.grab().save(target + QLatin1Char('/') + QLatin1String(name)));
  };
  const auto placeActive = [&] {
    QMdiSubWindow* sub = main.mdiClient->activeSubWindow();
    QVERIFY(sub);
    sub->setGeometry(12, 10, 700, 500);
  };

  TfrmChartSelector& selector = *windows.frmChartSelector;
  selector.lbxChoices->setCurrentRow(4);
  TfrmChart* bars = selector.btnCreateChartClick();
  QVERIFY(bars);
  placeActive();
  shoot("screenshot-chart-bar.png");
  bars->close();

  selector.lbxChoices->setCurrentRow(1);
  TfrmChart* pie = selector.btnCreateChartClick();
  QVERIFY(pie);
  placeActive();
  shoot("screenshot-chart-pie.png");
  pie->close();

  main.treeProject->setCurrentItem(main.TreeItem(1));
  main.btnBuildFormTreeClick();
  placeActive();
  auto* tree = qobject_cast<TfrmFormTree*>(main.mdiClient->activeSubWindow()->widget());
  QVERIFY(tree);
  QTreeWidgetItem* properties =
      tree->treeProject->findItems(QStringLiteral("VB.CommandButton: cmdAdd"), Qt::MatchExactly | Qt::MatchRecursive)
          .value(0)
          ->child(0);
  tree->treeProject->setCurrentItem(properties);
  shoot("screenshot-formtree.png");
}

QTEST_MAIN(TestAnalysisShots)
#include "tst_analysisshots.moc"
