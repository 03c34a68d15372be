// SPDX-License-Identifier: MIT
// The form tree window as the user meets it: opened from the main window on a form of the
// example projects, its tree, the property list, the filter, and the command-line output of the
// same form compared with what the window shows.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <sstream>

#include "analysis/formtreewindow.h"
#include "cli.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "viewers/viewerservices.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

constexpr int kImageRole = Qt::UserRole + 1;

// The tree, one node a line: two blanks per level, caption, " #" and image; "+" when open.
QStringList Outline(const QTreeWidget& tree) {
  QStringList lines;
  std::vector<std::pair<QTreeWidgetItem*, int>> pending;
  for (int i = tree.topLevelItemCount(); i-- > 0;) pending.push_back({tree.topLevelItem(i), 0});
  while (!pending.empty()) {
    auto [item, depth] = pending.back();
    pending.pop_back();
    if (item->isHidden()) continue;
    lines << QString(depth * 2, QLatin1Char(' ')) + item->text(0) + QStringLiteral(" #") +
                 QString::number(item->data(0, kImageRole).toInt()) + (item->childCount() > 0 && item->isExpanded() ? QStringLiteral("+") : QString());
    for (int i = item->childCount(); i-- > 0;) pending.push_back({item->child(i), depth + 1});
  }
  return lines;
}

QStringList PropertyRows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    rows << list.topLevelItem(i)->text(0) + QLatin1Char('=') + list.topLevelItem(i)->text(1);
  }
  return rows;
}

QTreeWidgetItem* FindNode(const QTreeWidget& tree, const QString& caption) {
  const QList<QTreeWidgetItem*> found = tree.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// The tree the window shows in the command-line form: a Properties node's list is what a click
// on it puts in the property list.
nlohmann::json WindowJson(TfrmFormTree& window, QTreeWidgetItem* node) {
  nlohmann::json json = {{"caption", Utf8(node->text(0))}, {"image", node->data(0, kImageRole).toInt()}};
  if (node->text(0) == QStringLiteral("Properties")) {
    window.treeProjectClick(node);
    nlohmann::json props = nlohmann::json::array();
    for (int i = 0; i < window.lviewProperties->topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = window.lviewProperties->topLevelItem(i);
      props.push_back({Utf8(row->text(0)), Utf8(row->text(1))});
    }
    json["properties"] = props;
  } else {
    nlohmann::json children = nlohmann::json::array();
    for (int i = 0; i < node->childCount(); ++i) children.push_back(WindowJson(window, node->child(i)));
    json["children"] = children;
  }
  return json;
}

}  // namespace

class TestFormTree : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void opensOnTheSelectedForm();
  void clickOnPropertiesFillsTheList_data();
  void clickOnPropertiesFillsTheList();
  void filterShowsMatchesWithAncestors_data();
  void filterShowsMatchesWithAncestors();
  void severalWindowsEachWithItsOwnModel();
  void binaryFormSaysSo();
  void deepNestingIsShownToAThousandLevels();
  void commandLineMatchesTheWindow_data();
  void commandLineMatchesTheWindow();

 private:
  TfrmFormTree* OpenTree(const char* example, const char* project, int node);

  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TQuillmateWindows> windows_;
};

void TestFormTree::init() {
  dir_ = std::make_unique<test::TempDir>();
  windows_ = std::make_unique<TQuillmateWindows>();
}

void TestFormTree::cleanup() {
  windows_.reset();
  ViewerServices() = TViewerServices();
  dir_.reset();
}

// Opens the example project and the form tree of its node-th item, as the command does.
TfrmFormTree* TestFormTree::OpenTree(const char* example, const char* project, int node) {
  const fs::path target = fs::path(dir_->Dir()) / example;
  if (!fs::exists(target)) fs::copy(fs::path(EXAMPLES_DIR) / example, target, fs::copy_options::recursive);
  TfrmMain& main = *windows_->frmMain;
  if (!main.Project() || main.ProjectPath() != (target / project).string()) {
    if (!main.OpenProject((target / project).string())) return nullptr;
  }
  main.treeProject->setCurrentItem(main.TreeItem(static_cast<std::size_t>(node)));
  if (!main.ToolbarAction(TShellCommand::FormStructure)->isEnabled()) return nullptr;
  main.ToolbarAction(TShellCommand::FormStructure)->trigger();
  QMdiSubWindow* sub = main.mdiClient->activeSubWindow();
  return sub ? qobject_cast<TfrmFormTree*>(sub->widget()) : nullptr;
}

void TestFormTree::opensOnTheSelectedForm() {
  TfrmFormTree* window = OpenTree("vb4", "Inventory.vbp", 1);
  QVERIFY(window);
  QCOMPARE(window->windowTitle(), QStringLiteral("Form tree for Inventory.vbp"));
  QCOMPARE(Outline(*window->treeProject),
           (QStringList{"Form: Inventory.vbp #0+", "  File: frmMain.frm #3+", "    VB.Form: frmMain #1+",
                        "      Properties #4", "      VB.CommandButton: cmdAdd #5+", "        Properties #4",
                        "      VB.CommandButton: cmdTotal #5+", "        Properties #4", "      VB.ListBox: lstItems #5+",
                        "        Properties #4"}));
  QVERIFY(!window->treeProject->topLevelItem(0)->icon(0).isNull());
  QVERIFY(window->lblNotice->isHidden());
  // The opener freed the lines once the window had its own copy.
  QVERIFY(!windows_->frmMain->Project()->FirstFile->Loaded);
  QCOMPARE(window->lviewProperties->topLevelItemCount(), 0);
  QCOMPARE(window->lviewProperties->headerItem()->text(0), QStringLiteral("Property"));
  QCOMPARE(window->lviewProperties->headerItem()->text(1), QStringLiteral("Value"));
  QCOMPARE(window->lviewProperties->columnWidth(0), 85);
  QCOMPARE(window->lviewProperties->columnWidth(1), 85);
  QCOMPARE(window->lviewProperties->editTriggers(), QAbstractItemView::NoEditTriggers);

  // Modules have no form structure.
  windows_->frmMain->treeProject->setCurrentItem(windows_->frmMain->TreeItem(3));
  QVERIFY(!windows_->frmMain->ToolbarAction(TShellCommand::FormStructure)->isEnabled());

  window->btnClose->click();
  QTRY_COMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 0);
}

void TestFormTree::clickOnPropertiesFillsTheList_data() {
  QTest::addColumn<QStringList>("clicks");
  QTest::addColumn<QStringList>("rows");
  const QStringList add = {"Caption=\"&Add\"", "Height=375", "Left=120", "TabIndex=1", "Top=3720", "Width=1215"};
  QTest::newRow("properties of a control") << QStringList{"VB.CommandButton: cmdAdd/Properties"} << add;
  QTest::newRow("file node after: unchanged") << QStringList{"VB.CommandButton: cmdAdd/Properties", "File: frmMain.frm"}
                                               << add;
  QTest::newRow("control after: unchanged")
      << QStringList{"VB.CommandButton: cmdAdd/Properties", "VB.ListBox: lstItems"} << add;
  QTest::newRow("control alone: empty") << QStringList{"VB.ListBox: lstItems"} << QStringList{};
  QTest::newRow("another properties node")
      << QStringList{"VB.CommandButton: cmdAdd/Properties", "VB.ListBox: lstItems/Properties"}
      << QStringList{"Height=3375", "Left=120", "TabIndex=0", "Top=120", "Width=6375"};
}

void TestFormTree::clickOnPropertiesFillsTheList() {
  QFETCH(QStringList, clicks);
  QFETCH(QStringList, rows);
  TfrmFormTree* window = OpenTree("vb4", "Inventory.vbp", 1);
  QVERIFY(window);
  for (const QString& click : clicks) {
    const QStringList path = click.split(QLatin1Char('/'));
    QTreeWidgetItem* node = FindNode(*window->treeProject, path[0]);
    QVERIFY2(node, qPrintable(path[0]));
    if (path.size() > 1) node = node->child(0);
    const QRect at = window->treeProject->visualItemRect(node);
    QTest::mouseClick(window->treeProject->viewport(), Qt::LeftButton, {}, at.center());
  }
  QCOMPARE(PropertyRows(*window->lviewProperties), rows);
}

void TestFormTree::filterShowsMatchesWithAncestors_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("visible");
  QTest::newRow("control name") << "lstitems"
                                << QStringList{"Form: Inventory.vbp #0+", "  File: frmMain.frm #3+",
                                               "    VB.Form: frmMain #1+", "      VB.ListBox: lstItems #5+",
                                               "        Properties #4"};
  QTest::newRow("property value") << "&Total"
                                  << QStringList{"Form: Inventory.vbp #0+", "  File: frmMain.frm #3+",
                                                 "    VB.Form: frmMain #1+", "      VB.CommandButton: cmdTotal #5+",
                                                 "        Properties #4"};
  QTest::newRow("nothing") << "no such text" << QStringList{};
}

void TestFormTree::filterShowsMatchesWithAncestors() {
  QFETCH(QString, text);
  QFETCH(QStringList, visible);
  TfrmFormTree* window = OpenTree("vb4", "Inventory.vbp", 1);
  QVERIFY(window);
  const QStringList all = Outline(*window->treeProject);
  QTest::keyClicks(window->edtFilter, text);
  QCOMPARE(Outline(*window->treeProject), visible);
  window->edtFilter->clear();
  QCOMPARE(Outline(*window->treeProject), all);
}

void TestFormTree::severalWindowsEachWithItsOwnModel() {
  TfrmFormTree* first = OpenTree("vb4", "Inventory.vbp", 1);
  TfrmFormTree* second = OpenTree("vb4", "Inventory.vbp", 2);
  QVERIFY(first && second && first != second);
  QCOMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 2);
  QCOMPARE(first->treeProject->topLevelItem(0)->child(0)->text(0), QStringLiteral("File: frmMain.frm"));
  QCOMPARE(second->treeProject->topLevelItem(0)->child(0)->text(0), QStringLiteral("File: frmAbout.frm"));
}

void TestFormTree::binaryFormSaysSo() {
  RFile item;
  item.Name = "OLD.FRM";
  item.Lines = {std::string("\xFF\x01\x00\x05Form1", 9), "Caption = 1"};
  TfrmFormTree window;
  window.BuildFormTree("OLD.MAK", item);
  QCOMPARE(Outline(*window.treeProject), (QStringList{"Form: OLD.MAK #0+", "  File: OLD.FRM #3"}));
  QVERIFY(!window.lblNotice->isHidden());
  QCOMPARE(window.lblNotice->text(), QStringLiteral("OLD.FRM is a binary form; its controls cannot be listed."));
}

void TestFormTree::deepNestingIsShownToAThousandLevels() {
  RFile item;
  item.Name = "Deep.frm";
  for (int i = 0; i < 100000; ++i) item.Lines.push_back("Begin VB.Frame F" + std::to_string(i));
  TfrmFormTree window;
  window.BuildFormTree("P", item);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.Rows().size(), std::size_t(1001));
  QCOMPARE(window.lblNotice->text(), QStringLiteral("99001 controls nested deeper than 1000 levels are not shown."));
  window.edtFilter->setText(QStringLiteral("F998"));
  QVERIFY(!window.RowItem(1000)->isHidden());
  QCOMPARE(window.RowItem(1000)->text(0), QStringLiteral("VB.Frame: F998"));
  QCOMPARE(window.Model().Nodes.size(), std::size_t(100002));
}

void TestFormTree::commandLineMatchesTheWindow_data() {
  QTest::addColumn<QString>("example");
  QTest::addColumn<QString>("project");
  QTest::addColumn<int>("node");
  QTest::newRow("vb4 frmMain") << "vb4" << "Inventory.vbp" << 1;
  QTest::newRow("vb4 frmAbout") << "vb4" << "Inventory.vbp" << 2;
  QTest::newRow("vb3 LEDGER") << "vb3" << "LEDGER.MAK" << 1;
}

void TestFormTree::commandLineMatchesTheWindow() {
  QFETCH(QString, example);
  QFETCH(QString, project);
  QFETCH(int, node);
  TfrmFormTree* window =
      OpenTree(example.toLatin1().constData(), project.toLatin1().constData(), node);
  QVERIFY(window);
  const RFile* item = windows_->frmMain->Session().Tree.ItemAt(static_cast<std::size_t>(node));
  QVERIFY(item && item->Kind == rkForm);

  std::istringstream in;
  std::ostringstream out, err;
  const int code = cli::RunCli({"formtree", "--project", windows_->frmMain->Project()->ProjectName, NativePath(item->Path)},
                               in, out, err);
  QCOMPARE(code, cli::kExitOk);
  QCOMPARE(QString::fromStdString(err.str()), QString());
  nlohmann::json fromCli = nlohmann::json::parse(out.str());
  // The command line's JSON names its schema; the tree itself must be the window's.
  QCOMPARE(fromCli.value("schemaVersion", 0), 1);
  fromCli.erase("schemaVersion");
  const nlohmann::json fromWindow = WindowJson(*window, window->treeProject->topLevelItem(0));
  QCOMPARE(QString::fromStdString(fromCli.dump(1)), QString::fromStdString(fromWindow.dump(1)));
}

QTEST_MAIN(TestFormTree)
#include "tst_formtree.moc"
