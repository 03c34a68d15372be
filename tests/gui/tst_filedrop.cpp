// SPDX-License-Identifier: MIT
// A project file dropped on the main window from outside the program opens; other drops do not.

#include <QMdiArea>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>

#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "ui/prompts.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

class TSilentPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons, const std::string& text) override {
    ++Asked;
    Last = text;
    return TAnswer::Ok;
  }
  int Asked = 0;
  std::string Last;
};

}  // namespace

class TestFileDrop : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void dropOpensAProject_data();
  void dropOpensAProject();

 private:
  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TQuillmateWindows> windows_;
  TSilentPrompts prompts_;
};

void TestFileDrop::init() {
  dir_ = std::make_unique<test::TempDir>();
  fs::copy(EXAMPLES_DIR "/vb4", fs::path(dir_->Dir()) / "vb4", fs::copy_options::recursive);
  dir_->Write("notes.txt", "not a project\r\n");
  windows_ = std::make_unique<TQuillmateWindows>();
  windows_->frmMain->SetPrompts(&prompts_);
  windows_->frmMain->show();
  prompts_ = TSilentPrompts();
}

void TestFileDrop::cleanup() {
  windows_.reset();
  dir_.reset();
}

void TestFileDrop::dropOpensAProject_data() {
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<bool>("onClientArea");
  QTest::addColumn<QString>("opened");
  QTest::newRow("projectOnTheWindow") << QStringList{"vb4/Inventory.vbp"} << false << "Inventory.vbp";
  QTest::newRow("projectOnTheClientArea") << QStringList{"vb4/Inventory.vbp"} << true << "Inventory.vbp";
  QTest::newRow("projectAfterASource") << QStringList{"notes.txt", "vb4/Inventory.vbp"} << true << "Inventory.vbp";
  QTest::newRow("noProjectIsRefused") << QStringList{"notes.txt"} << false << "";
}

void TestFileDrop::dropOpensAProject() {
  QFETCH(QStringList, files);
  QFETCH(bool, onClientArea);
  QFETCH(QString, opened);
  TfrmMain& main = *windows_->frmMain;
  QList<QUrl> urls;
  for (const QString& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(dir_->Dir()) + file);
  QMimeData data;
  data.setUrls(urls);
  QWidget* target = onClientArea ? main.mdiClient->viewport() : static_cast<QWidget*>(&main);
  const QPoint at = target->rect().center();

  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  QCOMPARE(enter.isAccepted(), !opened.isEmpty());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();

  QCOMPARE(QString::fromStdString(main.ProjectFileName()), opened);
  QCOMPARE(main.Project() != nullptr, !opened.isEmpty());
  QCOMPARE(prompts_.Asked, 0);
  if (!opened.isEmpty()) QVERIFY(main.treeProject->topLevelItemCount() > 0);
}

QTEST_MAIN(TestFileDrop)
#include "tst_filedrop.moc"
