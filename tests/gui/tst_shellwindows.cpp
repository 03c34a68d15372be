// SPDX-License-Identifier: MIT
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <string>

#include "ui/cancel.h"
#include "platform/profile.h"
#include "frame/lastusedmenu.h"
#include "messageboxes.h"
#include "frame/progresswindows.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "viewers/leftorright.h"
#include "viewers/viewdual.h"
#include "viewers/viewerservices.h"

using namespace qm;

Q_DECLARE_METATYPE(qm::TMsgKind)
Q_DECLARE_METATYPE(qm::TButtons)
Q_DECLARE_METATYPE(qm::TAnswer)

class TestShellWindows : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();

  void processingWindowShowsTheFileAndCancels();
  void labelsOfManyShortFilesArePaintedAtMostEveryFewTensOfMilliseconds();
  void escapeAndTheCloseBoxCancelTheRun();
  void pendingInputIsHandledAtMostEveryFewTensOfMilliseconds();
  void theGaugeFollowsTheLinesWhenInputIsHandled();
  void copyWindowCannotBeCancelled();
  void topLevelWindowsShowTheirOwnCaptions_data();
  void topLevelWindowsShowTheirOwnCaptions();

  void messageBoxesHaveTheFixedButtonSets_data();
  void messageBoxesHaveTheFixedButtonSets();
  void messageBoxesAreNotOwnedByADisabledWindow();

  void recentFilesMenuMirrorsTheList();
  void recentFilesMenuReloadsFromTheSettingsFile();
  void recentFilesMenuWithoutNumbersOrSeparator();
};

void TestShellWindows::cleanup() {
  ViewerServices() = TViewerServices();
}

void TestShellWindows::processingWindowShowsTheFileAndCancels() {
  TfrmProcessing window;
  TCancelToken run;
  window.SetCancelToken(&run);
  QCOMPARE(window.windowTitle(), QStringLiteral("Processing..."));
  QCOMPARE(window.btnCancel->text(), QStringLiteral("Cancel"));
  QVERIFY(window.lblProcessingFile->alignment() & Qt::AlignHCenter);
  QVERIFY(!window.isModal());
  QVERIFY(window.parentWidget() == nullptr);

  window.Show();
  QVERIFY(window.isVisible());
  window.SetLabel("MAIN.FRM (Pass 2)");
  QCOMPARE(window.lblProcessingFile->text(), QStringLiteral("MAIN.FRM (Pass 2)"));
  QTest::mouseClick(window.btnCancel, Qt::LeftButton);
  QVERIFY(run.Requested());
  QVERIFY(window.isVisible());  // the run hides it when it ends
  window.Hide();
  QVERIFY(!window.isVisible());
}

void TestShellWindows::labelsOfManyShortFilesArePaintedAtMostEveryFewTensOfMilliseconds() {
  TfrmProcessing window;
  window.Show();
  QElapsedTimer clock;
  clock.start();
  long labels = 0;
  while (clock.elapsed() < 200) window.SetLabel("FILE" + std::to_string(++labels) + ".BAS (Pass 1)");
  QVERIFY(labels > 1000);
  QVERIFY2(window.LabelPaints() >= 2 && window.LabelPaints() <= 200 / TProgressWindow::kEventIntervalMs + 2,
           qPrintable(QString::number(window.LabelPaints())));
  // The last label waits for the next handling of input, not for another label.
  QTest::qWait(TProgressWindow::kEventIntervalMs + 10);
  window.ProcessEvents();
  QCOMPARE(window.lblProcessingFile->text(), QString::fromStdString("FILE" + std::to_string(labels) + ".BAS (Pass 1)"));
}

void TestShellWindows::escapeAndTheCloseBoxCancelTheRun() {
  TfrmProcessing window;
  TCancelToken run;
  window.SetCancelToken(&run);
  window.Show();
  QTest::keyClick(&window, Qt::Key_Escape);
  QVERIFY(run.Requested());
  QVERIFY(window.isVisible());
  run.Clear();
  window.close();
  QVERIFY(run.Requested());
}

void TestShellWindows::pendingInputIsHandledAtMostEveryFewTensOfMilliseconds() {
  TfrmProcessing window;
  window.Show();
  bool handled = false;
  QTimer::singleShot(0, &window, [&] { handled = true; });
  window.ProcessEvents();
  QVERIFY2(handled, "the first call after showing handles pending input at once");

  QElapsedTimer clock;
  clock.start();
  const long before = window.EventRounds();
  long calls = 0;
  while (clock.elapsed() < 200) {
    window.ProcessEvents();
    ++calls;
  }
  const long rounds = window.EventRounds() - before;
  QVERIFY(calls > 1000);
  QVERIFY2(rounds >= 2 && rounds <= 200 / TProgressWindow::kEventIntervalMs + 1,
           qPrintable(QString::number(rounds)));
}

void TestShellWindows::theGaugeFollowsTheLinesWhenInputIsHandled() {
  TfrmProcessing window;
  window.Show();
  window.SetRange(10, 110);
  QCOMPARE(window.guageProcessing->minimum(), 10);
  QCOMPARE(window.guageProcessing->maximum(), 110);
  QCOMPARE(window.guageProcessing->value(), 10);
  window.ProcessEvents();
  window.SetPosition(60);
  QTest::qWait(TProgressWindow::kEventIntervalMs + 10);
  window.ProcessEvents();
  QCOMPARE(window.guageProcessing->value(), 60);
  window.SetRange(5, 0);  // an empty file: nothing to run through
  QCOMPARE(window.guageProcessing->maximum(), 5);
}

void TestShellWindows::copyWindowCannotBeCancelled() {
  TfrmCopyFiles window;
  QCOMPARE(window.windowTitle(), QStringLiteral("Backing up files..."));
  QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
  QVERIFY(!(window.windowFlags() & Qt::WindowSystemMenuHint));
  window.Show();
  window.SetLabel("Backing Up File: MAIN.FRM");
  QCOMPARE(window.lblProcessingFile->text(), QStringLiteral("Backing Up File: MAIN.FRM"));
  TCancelToken run;
  window.SetCancelToken(&run);
  QTest::keyClick(&window, Qt::Key_Escape);
  QVERIFY(window.isVisible());
  QVERIFY(!run.Requested());
  window.Hide();
}

void TestShellWindows::topLevelWindowsShowTheirOwnCaptions_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("caption");
  QTest::newRow("processing window") << "processing" << "Processing...";
  QTest::newRow("copy window") << "copy" << "Backing up files...";
  QTest::newRow("print question") << "leftorright" << "Print left or right?";
  QTest::newRow("preview window") << "preview" << "File: MAIN.FRM";
}

void TestShellWindows::topLevelWindowsShowTheirOwnCaptions() {
  QFETCH(QString, window);
  QFETCH(QString, caption);
  SetUpApplication(*qApp);
  // A display name set on the application is appended by the platform to every top-level caption
  // that does not already end with it; without one the caption shows as given.
  QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());

  std::unique_ptr<QWidget> shown;
  if (window == "processing") shown = std::make_unique<TfrmProcessing>();
  if (window == "copy") shown = std::make_unique<TfrmCopyFiles>();
  if (window == "leftorright") shown = std::make_unique<TfrmLeftorRight>();
  if (window == "preview") {
    auto preview = std::make_unique<TfrmViewDual>();
    preview->LoadPreview("File: MAIN.FRM", TLines{}, TMarkedList{});
    shown = std::move(preview);
  }
  QVERIFY(shown);
  QVERIFY(shown->isWindow());
  QCOMPARE(shown->windowTitle(), caption);
}

void TestShellWindows::messageBoxesHaveTheFixedButtonSets_data() {
  QTest::addColumn<TMsgKind>("kind");
  QTest::addColumn<TButtons>("buttons");
  QTest::addColumn<int>("icon");
  QTest::addColumn<int>("standardButtons");
  QTest::addColumn<int>("pressed");
  QTest::addColumn<TAnswer>("answer");
  QTest::newRow("information OK") << TMsgKind::Information << TButtons::Ok << int(QMessageBox::Information)
                                  << int(QMessageBox::Ok) << int(QMessageBox::Ok) << TAnswer::Ok;
  QTest::newRow("warning OK Cancel") << TMsgKind::Warning << TButtons::OkCancel << int(QMessageBox::Warning)
                                     << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel)
                                     << TAnswer::Cancel;
  QTest::newRow("error OK") << TMsgKind::Error << TButtons::Ok << int(QMessageBox::Critical) << int(QMessageBox::Ok)
                            << int(QMessageBox::Ok) << TAnswer::Ok;
  QTest::newRow("confirmation Yes No") << TMsgKind::Confirmation << TButtons::YesNo << int(QMessageBox::Question)
                                       << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No)
                                       << TAnswer::No;
  QTest::newRow("confirmation Yes No Cancel")
      << TMsgKind::Confirmation << TButtons::YesNoCancel << int(QMessageBox::Question)
      << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(QMessageBox::Yes) << TAnswer::Yes;
  QTest::newRow("confirmation Yes No default No")
      << TMsgKind::Confirmation << TButtons::YesNoDefaultNo << int(QMessageBox::Question)
      << int(QMessageBox::Yes | QMessageBox::No) << -1 << TAnswer::No;
  QTest::newRow("confirmation Yes to all")
      << TMsgKind::Confirmation << TButtons::YesAllNoCancel << int(QMessageBox::Question)
      << int(QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel)
      << int(QMessageBox::YesToAll) << TAnswer::YesToAll;
  QTest::newRow("Yes No closed without a button") << TMsgKind::Confirmation << TButtons::YesNo
                                                  << int(QMessageBox::Question) << int(QMessageBox::Yes | QMessageBox::No)
                                                  << -1 << TAnswer::No;
}

void TestShellWindows::messageBoxesHaveTheFixedButtonSets() {
  QFETCH(TMsgKind, kind);
  QFETCH(TButtons, buttons);
  QFETCH(int, icon);
  QFETCH(int, standardButtons);
  QFETCH(int, pressed);
  QFETCH(TAnswer, answer);
  QString text;
  ViewerServices().ExecModal = [&](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    text = box.text();
    [&] {
      QCOMPARE(box.windowTitle(), QStringLiteral("Quillmate/VB 3.0"));
      QCOMPARE(int(box.icon()), icon);
      QCOMPARE(int(box.standardButtons()), standardButtons);
    }();
    return pressed;
  };
  TMessageBoxes boxes;
  QCOMPARE(boxes.Ask(kind, buttons, "Delete all files in C:\\P\\.\\STYLED\\?"), answer);
  QCOMPARE(text, QStringLiteral("Delete all files in C:\\P\\.\\STYLED\\?"));
}

void TestShellWindows::messageBoxesAreNotOwnedByADisabledWindow() {
  QWidget window;
  window.show();
  QApplication::setActiveWindow(&window);
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QCOMPARE(TMessageBoxes::BoxOwner(), &window);
  window.setEnabled(false);
  QCOMPARE(TMessageBoxes::BoxOwner(), nullptr);

  bool enabled = false;
  ViewerServices().ExecModal = [&](QDialog& dialog) {
    enabled = dialog.isEnabled();
    return int(QMessageBox::Ok);
  };
  TMessageBoxes().Show(TMsgKind::Information, "Conversion Completed.");
  QVERIFY(enabled);

  TMessageBoxes busy;
  busy.BeginBusy();
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  busy.EndBusy();
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestShellWindows::recentFilesMenuMirrorsTheList() {
  QMenu file;
  QAction* exit = file.addAction("E&xit");
  TLastUsedMenu recent(&file);
  QCOMPARE(recent.MaxItems(), 4);
  QVERIFY(recent.AddNumbers());
  QVERIFY(recent.AddSeperator());
  recent.AddFile("/p/IGNORED.MAK");  // no menu yet
  QCOMPARE(recent.List().Count(), 0);

  recent.SetMenuItem(&file);
  recent.SetINISection("RecentFiles");
  recent.AddFile("/p/A.MAK");
  recent.AddFile("/p/R&D.VBP");
  recent.AddFile("/p/C.MAK");
  recent.AddFile("/p/A.MAK");
  recent.AddFile("/p/E.MAK");
  recent.AddFile("/p/F.MAK");  // the fifth: the oldest (R&D) falls off

  QStringList texts, names;
  for (QAction* entry : recent.Entries()) {
    texts << entry->text();
    names << entry->objectName();
  }
  QCOMPARE(texts, (QStringList{"&1  /p/F.MAK", "&2  /p/E.MAK", "&3  /p/A.MAK", "&4  /p/C.MAK"}));
  QCOMPARE(names, (QStringList{"LastFiles_Menu3", "LastFiles_Menu2", "LastFiles_Menu1", "LastFiles_Menu0"}));
  const QList<QAction*> actions = file.actions();
  QCOMPARE(actions.size(), 1 + 1 + 4);
  QCOMPARE(actions[0], exit);
  QCOMPARE(actions[1], recent.Separator());
  QCOMPARE(actions.mid(2), recent.Entries());

  std::string chosen;
  recent.OnMenuClick = [&](const std::string& path) { chosen = path; };
  recent.Entries()[2]->trigger();
  QCOMPARE(chosen, std::string("/p/A.MAK"));

  recent.AddFile("/p/X&Y.MAK");
  QCOMPARE(recent.Entries()[0]->text(), QStringLiteral("&1  /p/X&&Y.MAK"));
  recent.Entries()[0]->trigger();
  QCOMPARE(chosen, std::string("/p/X&Y.MAK"));
}

void TestShellWindows::recentFilesMenuReloadsFromTheSettingsFile() {
  test::TempDir dir;
  dir.Write("VBQUILL3.INI", "[RecentFiles]\r\nItem1=/p/ONE.VBP\r\nItem2=/p/TWO.MAK\r\nItem5=/p/FIVE.MAK\r\n");
  QMenu file;
  TLastUsedMenu recent(&file);
  recent.SetINISection("RecentFiles");
  recent.SetMaxItems(6);
  recent.SetMenuItem(&file);
  recent.AddFile("/p/OLD.MAK");
  recent.LoadFromINI();
  QStringList texts;
  for (QAction* entry : recent.Entries()) texts << entry->text();
  QCOMPARE(texts, (QStringList{"&1  /p/ONE.VBP", "&2  /p/TWO.MAK", "&3  /p/FIVE.MAK"}));
  QCOMPARE(file.actions().size(), 1 + 3);  // one separator, the old entry gone

  recent.AddFile("/p/NEW.MAK");
  QVERIFY(recent.SaveToINI());
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), std::string("/p/NEW.MAK"));
  QCOMPARE(GetPrivateProfileString("RecentFiles", "Item4", "", "VBQUILL3.INI"), std::string("/p/FIVE.MAK"));
}

void TestShellWindows::recentFilesMenuWithoutNumbersOrSeparator() {
  QMenu file;
  TLastUsedMenu recent(&file);
  recent.SetAddSeperator(false);
  recent.SetAddNumbers(false);
  recent.SetMenuItem(&file);
  recent.AddFile("/p/A.MAK");
  recent.AddFile("/p/B.MAK");
  QVERIFY(recent.Separator() == nullptr);
  QCOMPARE(file.actions().size(), 2);
  QCOMPARE(recent.Entries()[0]->text(), QStringLiteral("/p/B.MAK"));
  recent.SetAddNumbers(true);
  QCOMPARE(recent.Entries()[1]->text(), QStringLiteral("&2  /p/A.MAK"));
}

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
