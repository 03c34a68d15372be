// SPDX-License-Identifier: MIT
// The source viewers: shared scrolling of the two-pane windows, search through the find dialog,
// the Diff command, the modal preview, printing and the printed report.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

#include "analysis/linediff.h"
#include "bigtext.h"
#include "temp_dir.h"
#include "shell/listing.h"
#include "viewers/bigtextreporter.h"
#include "viewers/leftorright.h"
#include "viewers/markcolors.h"
#include "viewers/processingnotice.h"
#include "viewers/viewdual.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;

Q_DECLARE_METATYPE(qm::TPrintSide)

namespace {

struct Message {
  TMsgKind Kind;
  TButtons Buttons;
  std::string Text;
};

// Records every message; the fixture fails a test that leaves one unchecked.
class RecordingPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    Messages.push_back({kind, buttons, text});
    return TAnswer::Ok;
  }
  void BeginBusy() override { ++Busy; }
  void EndBusy() override { --Busy; }

  std::vector<Message> Take() { return std::exchange(Messages, {}); }

  std::vector<Message> Messages;
  int Busy = 0;
};

// File contents of count lines "<prefix> <n>", with CRLF endings.
std::string NumberedLines(int count, const std::string& prefix) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += prefix + " " + std::to_string(i) + "\r\n";
  return bytes;
}

std::string JoinLines(const QStringList& lines) {
  std::string bytes;
  for (const QString& line : lines) bytes += ToDisplayBytes(line) + "\r\n";
  return bytes;
}

void ShowAndWait(QWidget& window, QSize size = QSize(640, 480)) {
  window.resize(size);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCoreApplication::processEvents();
}

QAction* MenuItem(QMenu* menu, const QString& text) {
  if (!menu) return nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// Counts how often a widget is shown.
class ShowCounter : public QObject {
 public:
  int Shows = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++Shows;
    return false;
  }
};

QString PdfText(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

void UsePdf(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

}  // namespace

class TestViewers : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void openers_data();
  void openers();
  void closeFreesMdiWindow();

  void scrollBarMaximum_data();
  void scrollBarMaximum();
  void sharedBarScrollsBothPanes_data();
  void sharedBarScrollsBothPanes();

  void searchFromPopup_data();
  void searchFromPopup();
  void findNext_data();
  void findNext();

  void diffFillsPanes_data();
  void diffFillsPanes();
  void diffWithUnreadableFile();

  void previewFillsPanesAndCloses_data();
  void previewFillsPanesAndCloses();

  void leftOrRightAnswers_data();
  void leftOrRightAnswers();
  void printChoosesPane_data();
  void printChoosesPane();

  void paginate_data();
  void paginate();
  void reportText_data();
  void reportText();
  void longLinesWrap();

 private:
  RecordingPrompts prompts;
  QStringList modalDialogs;                 // class names of the dialogs run modally
  std::function<int(QDialog&)> modalAnswer;  // answers a modal dialog without blocking
};

void TestViewers::init() {
  prompts.Messages.clear();
  prompts.Busy = 0;
  modalDialogs.clear();
  modalAnswer = nullptr;
  ViewerServices().Prompts = &prompts;
  ViewerServices().ExecModal = [this](QDialog& dialog) {
    modalDialogs << QString::fromLatin1(dialog.metaObject()->className());
    return modalAnswer ? modalAnswer(dialog) : int(QDialog::Rejected);
  };
}

void TestViewers::cleanup() {
  QVERIFY2(prompts.Messages.empty(),
           ("unchecked message: " + (prompts.Messages.empty() ? "" : prompts.Messages.front().Text)).c_str());
  QCOMPARE(prompts.Busy, 0);
  ViewerServices() = TViewerServices{};
}

// ---------------------------------------------------------------------------------------------
// Opening

void TestViewers::openers_data() {
  QTest::addColumn<bool>("dual");
  QTest::addColumn<bool>("fileExists");
  QTest::newRow("single viewer") << false << true;
  QTest::newRow("before/after viewer") << true << true;
  QTest::newRow("single viewer, missing file") << false << false;
  QTest::newRow("before/after viewer, missing output") << true << false;
}

void TestViewers::openers() {
  QFETCH(bool, dual);
  QFETCH(bool, fileExists);

  test::TempDir dir;
  const std::string source = dir.Write("MAIN.FRM", NumberedLines(7, "source"));
  const std::string other = fileExists ? dir.Write("out.frm", NumberedLines(9, "out")) : dir / "out.frm";
  std::unique_ptr<QWidget> window;
  TBigText* pane = nullptr;
  if (dual) {
    auto* mdi = new TfrmViewDualMDI(source, other);
    window.reset(mdi);
    QCOMPARE(mdi->memoCodeBefore->Count(), 7);
    pane = mdi->memoCodeAfter;
  } else {
    window.reset(new TfrmViewSingleMDI(FileCaption(source), other));
    pane = static_cast<TfrmViewSingleMDI*>(window.get())->memoSource;
  }
  QCOMPARE(window->windowTitle(), "File: " + QString::fromStdString(source));
  QCOMPARE(pane->Count(), fileExists ? 9 : 0);
  const auto messages = prompts.Take();
  QCOMPARE(int(messages.size()), fileExists ? 0 : 1);
  if (!fileExists) {
    QCOMPARE(messages[0].Kind, TMsgKind::Error);
    QVERIFY(messages[0].Text.find("out.frm") != std::string::npos);
  }
  QCOMPARE(ProjectFileCaption("SAMPLE.MAK"), std::string("Project File: SAMPLE.MAK"));
}

void TestViewers::closeFreesMdiWindow() {
  test::TempDir dir;
  const std::string source = dir.Write("A.BAS", NumberedLines(3, "a"));
  QMdiArea area;
  QPointer<TfrmViewDualMDI> dual = new TfrmViewDualMDI(source, source);
  QPointer<TfrmViewSingleMDI> single = new TfrmViewSingleMDI(FileCaption(source), source);
  area.addSubWindow(dual);
  area.addSubWindow(single);
  ShowAndWait(area);
  QCOMPARE(area.subWindowList().size(), 2);

  dual->btnClose->click();
  single->btnClose->click();
  QTRY_VERIFY(dual.isNull() && single.isNull());
  QTRY_COMPARE(area.subWindowList().size(), 0);
}

// ---------------------------------------------------------------------------------------------
// Shared scroll bar

void TestViewers::scrollBarMaximum_data() {
  QTest::addColumn<int>("beforeCount");
  QTest::addColumn<int>("afterCount");
  QTest::addColumn<int>("longerCount");  // the bar's maximum is this less the visible lines; 0: 1

  QTest::newRow("10 before against 300 after") << 10 << 300 << 300;
  QTest::newRow("300 before against 10 after") << 300 << 10 << 300;
  QTest::newRow("both shorter than the view") << 5 << 8 << 0;
  QTest::newRow("both empty") << 0 << 0 << 0;
}

void TestViewers::scrollBarMaximum() {
  QFETCH(int, beforeCount);
  QFETCH(int, afterCount);
  QFETCH(int, longerCount);

  test::TempDir dir;
  TfrmViewDualMDI window(dir.Write("b.frm", NumberedLines(beforeCount, "b")),
                         dir.Write("a.frm", NumberedLines(afterCount, "a")));
  for (const QSize size : {QSize(640, 480), QSize(640, 300)}) {
    ShowAndWait(window, size);
    QScrollBar* bar = window.Panes->ScrollBothBar;
    const int visible = window.memoCodeAfter->VisibleLines();
    QVERIFY2(visible > 10, "the test needs a view taller than 10 lines");
    QCOMPARE(window.memoCodeBefore->VisibleLines(), visible);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->maximum(), longerCount > 0 ? longerCount - visible : 1);
    QCOMPARE(bar->pageStep(), visible - 1);
  }
}

void TestViewers::sharedBarScrollsBothPanes_data() {
  QTest::addColumn<int>("beforeCount");
  QTest::addColumn<int>("afterCount");
  QTest::addColumn<int>("barPosition");  // -1: the bar's maximum
  QTest::addColumn<int>("beforeTop");    // -1: the end of the pane's own range
  QTest::addColumn<int>("afterTop");

  QTest::newRow("10 against 300, bar at its end") << 10 << 300 << -1 << 0 << -1;
  QTest::newRow("both long, bar at 5") << 100 << 200 << 5 << 5 << 5;
  QTest::newRow("before stops at its own end") << 50 << 300 << 100 << -1 << 100;
}

void TestViewers::sharedBarScrollsBothPanes() {
  QFETCH(int, beforeCount);
  QFETCH(int, afterCount);
  QFETCH(int, barPosition);
  QFETCH(int, beforeTop);
  QFETCH(int, afterTop);

  test::TempDir dir;
  TfrmViewDualMDI window(dir.Write("b.frm", NumberedLines(beforeCount, "b")),
                         dir.Write("a.frm", NumberedLines(afterCount, "a")));
  ShowAndWait(window);
  QScrollBar* bar = window.Panes->ScrollBothBar;
  bar->setValue(barPosition < 0 ? bar->maximum() : barPosition);

  TBigText* before = window.memoCodeBefore;
  TBigText* after = window.memoCodeAfter;
  QCOMPARE(before->TopLine(), beforeTop < 0 ? before->VertRange() : beforeTop);
  QCOMPARE(after->TopLine(), afterTop < 0 ? after->VertRange() : afterTop);
  if (barPosition < 0) {
    // The last page of the longer pane is in view.
    QCOMPARE(after->TopLine() + after->VisibleLines(), afterCount);
  }

  // A pane scrolled alone leaves the other one and the shared bar where they are.
  const int barValue = bar->value();
  const int beforeTopNow = before->TopLine();
  after->ScrollToLine(0);
  QCOMPARE(bar->value(), barValue);
  QCOMPARE(before->TopLine(), beforeTopNow);
}

// ---------------------------------------------------------------------------------------------
// Search

void TestViewers::searchFromPopup_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<bool>("afterPane");

  QTest::newRow("before/after viewer, after pane") << "mdi" << true;
  QTest::newRow("before/after viewer, before pane") << "mdi" << false;
  QTest::newRow("preview, after pane") << "preview" << true;
  QTest::newRow("preview, before pane") << "preview" << false;
}

void TestViewers::searchFromPopup() {
  QFETCH(QString, window);
  QFETCH(bool, afterPane);

  // The text stands in both panes, on different lines.
  QStringList before;
  QStringList after;
  for (int i = 0; i < 100; ++i) {
    before << (i == 12 ? QStringLiteral("Dim needle As Integer") : QStringLiteral("before %1").arg(i));
    after << (i == 25 ? QStringLiteral("Dim needle As Integer") : QStringLiteral("after %1").arg(i));
  }

  test::TempDir dir;
  std::unique_ptr<QWidget> owner;
  TDualPanes* panes = nullptr;
  if (window == "mdi") {
    auto* mdi = new TfrmViewDualMDI(dir.Write("b.frm", JoinLines(before)),
                                    dir.Write("a.frm", JoinLines(after)));
    owner.reset(mdi);
    panes = mdi->Panes;
  } else {
    auto* preview = new TfrmViewDual;
    owner.reset(preview);
    TLines beforeLines;
    TMarkedList afterLines;
    for (const QString& line : before) beforeLines.push_back(ToDisplayBytes(line));
    for (const QString& line : after) afterLines.push_back({ToDisplayBytes(line), NewUnchangedMark()});
    preview->LoadPreview("File: MAIN.FRM", beforeLines, afterLines);
    panes = preview->Panes;
  }
  ShowAndWait(*owner);

  TBigText* searched = afterPane ? panes->memoCodeAfter : panes->memoCodeBefore;
  TBigText* other = afterPane ? panes->memoCodeBefore : panes->memoCodeAfter;
  // The other pane's search first, so that the flag has to change.
  QAction* otherSearch = MenuItem(other->PopUpMenu(), QStringLiteral("&Search"));
  QAction* search = MenuItem(searched->PopUpMenu(), QStringLiteral("&Search"));
  QVERIFY(otherSearch && search);
  otherSearch->trigger();
  search->trigger();
  QCOMPARE(panes->SearchBefore, !afterPane);

  TFindDialog* dlgFind = panes->Search->dlgFind();
  QVERIFY(dlgFind->isVisible());
  QVERIFY(dlgFind->Down());  // the dialog starts downward
  dlgFind->SetFindText(QStringLiteral("NEEDLE"));
  dlgFind->btnFindNext->click();

  const int hit = afterPane ? 25 : 12;
  QCOMPARE(searched->HitLine(), hit);
  QVERIFY(searched->TopLine() <= hit && hit < searched->TopLine() + searched->VisibleLines());
  QCOMPARE(other->TopLine(), 0);
  QCOMPARE(other->HitLine(), -1);
  QVERIFY(prompts.Take().empty());
}

void TestViewers::findNext_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<int>("startTop");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("down");
  QTest::addColumn<bool>("matchCase");
  QTest::addColumn<int>("expectedHit");  // the hit's line; -1: "Not Found", the view stays

  // Line 30 of the 80 lines reads "    MsgBox Title$"; every other line is "line <n>".
  QTest::newRow("upward at the top") << "single" << 0 << "line" << false << false << -1;
  QTest::newRow("upward at the top, two panes") << "dual" << 0 << "line" << false << false << -1;
  QTest::newRow("downward, any case") << "single" << 0 << "msgbox" << true << false << 30;
  QTest::newRow("upward, two panes") << "dual" << 40 << "Title$" << false << false << 30;
  QTest::newRow("match case, other case") << "single" << 0 << "msgbox" << true << true << -1;
}

void TestViewers::findNext() {
  QFETCH(QString, window);
  QFETCH(int, startTop);
  QFETCH(QString, text);
  QFETCH(bool, down);
  QFETCH(bool, matchCase);
  QFETCH(int, expectedHit);

  QStringList lines;
  for (int i = 0; i < 80; ++i) lines << (i == 30 ? QStringLiteral("    MsgBox Title$") : QStringLiteral("line %1").arg(i));
  test::TempDir dir;
  const std::string file = dir.Write("M.BAS", JoinLines(lines));

  std::unique_ptr<QWidget> owner;
  TBigText* pane = nullptr;
  TPaneSearch* search = nullptr;
  if (window == "single") {
    auto* single = new TfrmViewSingleMDI(FileCaption(file), file);
    owner.reset(single);
    pane = single->memoSource;
    search = single->Search;
    ShowAndWait(*owner);
    single->btnSearch->click();
  } else {
    auto* dual = new TfrmViewDualMDI(file, file);
    owner.reset(dual);
    pane = dual->memoCodeAfter;
    search = dual->Panes->Search;
    ShowAndWait(*owner);
    dual->Panes->mnuSearchAfterClick();
  }
  QVERIFY(search->dlgFind()->isVisible());
  pane->ScrollToLine(startTop);
  QCOMPARE(pane->TopLine(), startTop);

  search->dlgFind()->SetFindText(text);
  search->dlgFind()->SetDown(down);
  search->dlgFind()->SetMatchCase(matchCase);
  search->dlgFind()->btnFindNext->click();

  // A miss is said in the find dialog and in the window's status line; no box has to be closed.
  const auto messages = prompts.Take();
  QVERIFY(messages.empty());
  auto* status = owner->findChild<TViewerStatus*>();
  QVERIFY(status);
  if (expectedHit < 0) {
    QCOMPARE(pane->TopLine(), startTop);
    QCOMPARE(pane->HitLine(), -1);
    QCOMPARE(search->dlgFind()->Result(), QStringLiteral("Not Found"));
    QCOMPARE(status->Message(), QStringLiteral("Not Found"));
  } else {
    QCOMPARE(pane->HitLine(), expectedHit);
    QVERIFY(pane->TopLine() <= expectedHit && expectedHit < pane->TopLine() + pane->VisibleLines());
    QVERIFY(search->dlgFind()->Result().isEmpty());
    QVERIFY(status->Message().isEmpty());
  }
}

// ---------------------------------------------------------------------------------------------
// Diff command

namespace {

struct ExpectedCell {
  TColor Text;
  TColor Back;
};

// Colours of a row kind ('=' equal, '~' changed, '-' deleted, '+' inserted) in each pane.
ExpectedCell LeftColours(QChar kind) {
  constexpr TColor blue = 0x00FF0000;
  constexpr TColor silver = 0x00C0C0C0;
  switch (kind.toLatin1()) {
    case '~': return {clBlack, clYellow};
    case '-': return {blue, clYellow};
    case '+': return {clBlack, silver};
    default: return {clBlack, clWindow};
  }
}

ExpectedCell RightColours(QChar kind) {
  constexpr TColor blue = 0x00FF0000;
  constexpr TColor silver = 0x00C0C0C0;
  switch (kind.toLatin1()) {
    case '~': return {clBlack, clYellow};
    case '-': return {clBlack, silver};
    case '+': return {blue, clYellow};
    default: return {clBlack, clWindow};
  }
}

}  // namespace

void TestViewers::diffFillsPanes_data() {
  QTest::addColumn<QStringList>("before");
  QTest::addColumn<QStringList>("after");
  QTest::addColumn<QStringList>("rows");  // "<kind><left>|<right>", kinds as in LeftColours

  QTest::newRow("one line changed") << QStringList{"A", "X", "C"} << QStringList{"A", "Y", "C"}
                                    << QStringList{"=A|A", "~X|Y", "=C|C"};
  QTest::newRow("empty before") << QStringList{} << QStringList{"P", "Q", "R"}
                                << QStringList{"+|P", "+|Q", "+|R"};
  QTest::newRow("swapped lines") << QStringList{"A", "B"} << QStringList{"B", "A"}
                                 << QStringList{"+|B", "=A|A", "-B|"};
  QTest::newRow("longest block first")
      << QStringList{"P", "A", "B", "C", "D", "E"} << QStringList{"A", "B", "Q", "B", "C", "D", "E"}
      << QStringList{"-P|", "=A|A", "+|B", "+|Q", "=B|B", "=C|C", "=D|D", "=E|E"};
  QTest::newRow("blanks and case count")
      << QStringList{"Dim a", "", "x = 1"} << QStringList{"Dim A", "", "x = 1 "}
      << QStringList{"~Dim a|Dim A", "=|", "~x = 1|x = 1 "};
  QStringList many;
  QStringList manyRows;
  for (int i = 0; i < 120; ++i) {
    many << QStringLiteral("Line %1").arg(i);
    manyRows << QStringLiteral("=Line %1|Line %1").arg(i);
  }
  QTest::newRow("long equal files") << many << many << manyRows;
}

void TestViewers::diffFillsPanes() {
  QFETCH(QStringList, before);
  QFETCH(QStringList, after);
  QFETCH(QStringList, rows);

  test::TempDir dir;
  const std::string source = dir.Write("MAIN.FRM", JoinLines(before));
  const std::string output = dir.Write("STYLED/MAIN.FRM", "stale\r\n");
  TfrmViewDualMDI window(source, output);
  QCOMPARE(window.memoCodeAfter->GetLine(0), std::string("stale"));
  // The command reads the files afresh, not what the panes showed.
  dir.Write("STYLED/MAIN.FRM", JoinLines(after));

  TfrmProcessingNotice notice;
  ShowCounter shows;
  notice.installEventFilter(&shows);
  ViewerServices().ProcessingNotice = &notice;
  ShowAndWait(window);
  window.Panes->ScrollBothBar->setValue(window.Panes->ScrollBothBar->maximum());

  QAction* diff = MenuItem(window.memoCodeAfter->PopUpMenu(), QStringLiteral("&Diff"));
  QVERIFY(diff);
  QVERIFY(MenuItem(window.memoCodeBefore->PopUpMenu(), QStringLiteral("&Diff")));
  diff->trigger();

  QCOMPARE(shows.Shows, 1);
  QVERIFY(!notice.isVisible());
  QCOMPARE(notice.windowTitle(), QStringLiteral("Processing..."));

  TBigText* left = window.memoCodeBefore;
  TBigText* right = window.memoCodeAfter;
  QCOMPARE(left->Count(), int(rows.size()));
  QCOMPARE(right->Count(), int(rows.size()));
  for (int i = 0; i < rows.size(); ++i) {
    const QChar kind = rows[i].front();
    const QStringList texts = rows[i].mid(1).split('|');
    const ExpectedCell l = LeftColours(kind);
    const ExpectedCell r = RightColours(kind);
    const QByteArray where = rows[i].toUtf8();
    QVERIFY2(left->GetLine(i) == ToDisplayBytes(texts[0]), where);
    QVERIFY2(right->GetLine(i) == ToDisplayBytes(texts[1]), where);
    QVERIFY2(left->GetLineAttributes(i).TextColor == l.Text, where);
    QVERIFY2(left->GetLineAttributes(i).BackColor == l.Back, where);
    QVERIFY2(right->GetLineAttributes(i).TextColor == r.Text, where);
    QVERIFY2(right->GetLineAttributes(i).BackColor == r.Back, where);
  }

  // Synchronised to the new contents.
  const int visible = right->VisibleLines();
  const int expectedMax = rows.size() - visible > 0 ? int(rows.size()) - visible : 1;
  QCOMPARE(window.Panes->ScrollBothBar->maximum(), expectedMax);
  QCOMPARE(window.Panes->ScrollBothBar->value(), 0);
  QCOMPARE(left->TopLine(), 0);
  QCOMPARE(right->TopLine(), 0);
  QVERIFY(prompts.Take().empty());
}

void TestViewers::diffWithUnreadableFile() {
  test::TempDir dir;
  const std::string source = dir.Write("MAIN.FRM", "A\r\nB\r\n");
  const std::string output = dir.Write("out/MAIN.FRM", "A\r\nC\r\n");
  TfrmViewDualMDI window(source, output);
  std::filesystem::remove(output);
  ShowAndWait(window);

  window.btnDiff->click();

  const auto messages = prompts.Take();
  QCOMPARE(int(messages.size()), 1);
  QCOMPARE(messages[0].Kind, TMsgKind::Error);
  QVERIFY(messages[0].Text.find("out/MAIN.FRM") != std::string::npos);
  // The panes keep what they showed.
  QCOMPARE(window.memoCodeBefore->Count(), 2);
  QCOMPARE(window.memoCodeAfter->GetLine(1), std::string("C"));
}

// ---------------------------------------------------------------------------------------------
// The modal preview of a processing run

void TestViewers::previewFillsPanesAndCloses_data() {
  QTest::addColumn<bool>("cancel");
  QTest::newRow("Close") << false;
  QTest::newRow("Cancel processing") << true;
}

void TestViewers::previewFillsPanesAndCloses() {
  QFETCH(bool, cancel);

  TfrmViewDual preview;
  // Contents of an earlier file must not survive.
  preview.LoadPreview("File: OLD.BAS", {"old 1", "old 2", "old 3", "old 4"}, {});

  const TLines before = {"Sub Main()", "x=1", "End Sub"};
  const TMarkedList after = {{"Sub Main()", NewUnchangedMark()},
                             {"    x = 1", NewChangedMark()},
                             {"End Sub", NewUnchangedMark()},
                             {"", NewChangedMark()}};
  // What the window held while it ran modally.
  QDialog* ranModally = nullptr;
  QString caption;
  TLines shownBefore;
  std::vector<TColor> beforeBacks;
  std::vector<std::pair<std::string, TColorObject>> shownAfter;
  modalAnswer = [&](QDialog& dialog) {
    ranModally = &dialog;
    caption = preview.windowTitle();
    for (int i = 0; i < preview.memoCodeBefore->Count(); ++i) {
      shownBefore.push_back(preview.memoCodeBefore->GetLine(i));
      beforeBacks.push_back(preview.memoCodeBefore->GetLineAttributes(i).BackColor);
    }
    for (int i = 0; i < preview.memoCodeAfter->Count(); ++i) {
      const TTextAttributes a = preview.memoCodeAfter->GetLineAttributes(i);
      shownAfter.push_back({preview.memoCodeAfter->GetLine(i), {a.TextColor, a.BackColor}});
    }
    preview.show();
    (cancel ? preview.btnCancel : preview.btnClose)->click();
    return preview.result();
  };
  const bool goOn = preview.ShowPreview("File: MAIN.FRM", before, after);

  QCOMPARE(ranModally, static_cast<QDialog*>(&preview));
  QCOMPARE(caption, QStringLiteral("File: MAIN.FRM"));
  QVERIFY(shownBefore == before);
  QVERIFY(beforeBacks == std::vector<TColor>(3, clWindow));
  QCOMPARE(int(shownAfter.size()), 4);
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(shownAfter[i].first, after[i].Text);
    QVERIFY(shownAfter[i].second == MarkColors(after[i].Mark));
  }
  QCOMPARE(goOn, !cancel);
  QVERIFY(!preview.isVisible());
}

// ---------------------------------------------------------------------------------------------
// Printing

void TestViewers::leftOrRightAnswers_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<TPrintSide>("expected");
  QTest::newRow("Escape") << "escape" << TPrintSide::Cancel;
  QTest::newRow("&Left") << "left" << TPrintSide::Left;
  QTest::newRow("&Right") << "right" << TPrintSide::Right;
}

void TestViewers::leftOrRightAnswers() {
  QFETCH(QString, action);
  QFETCH(TPrintSide, expected);

  TfrmLeftorRight question;
  question.show();
  QVERIFY(QTest::qWaitForWindowExposed(&question));
  if (action == "escape") QTest::keyClick(&question, Qt::Key_Escape);
  if (action == "left") question.btnLeft->click();
  if (action == "right") question.btnRight->click();
  QVERIFY(!question.isVisible());
  QCOMPARE(TfrmLeftorRight::SideOf(question.result()), expected);
}

void TestViewers::printChoosesPane_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<TPrintSide>("answer");
  QTest::addColumn<QString>("printed");  // prefix of the printed lines; empty: no report

  QTest::newRow("two panes, Cancel") << "mdi" << TPrintSide::Cancel << "";
  QTest::newRow("two panes, Left") << "mdi" << TPrintSide::Left << "before";
  QTest::newRow("two panes, Right") << "mdi" << TPrintSide::Right << "after";
  QTest::newRow("preview, Cancel") << "preview" << TPrintSide::Cancel << "";
  QTest::newRow("preview, Right") << "preview" << TPrintSide::Right << "after";
  QTest::newRow("single pane, no question") << "single" << TPrintSide::Cancel << "before";
}

void TestViewers::printChoosesPane() {
  QFETCH(QString, window);
  QFETCH(TPrintSide, answer);
  QFETCH(QString, printed);
  if (!printed.isEmpty() && QStandardPaths::findExecutable("pdftotext").isEmpty()) {
    QSKIP("pdftotext is not installed");
  }

  test::TempDir dir;
  const std::string source = dir.Write("MAIN.FRM", NumberedLines(5, "before"));
  const std::string output = dir.Write("OUT.FRM", NumberedLines(5, "after"));
  const QString pdf = QString::fromStdString(dir / "report.pdf");
  QString docName;

  modalAnswer = [&](QDialog& dialog) -> int {
    if (qobject_cast<TfrmLeftorRight*>(&dialog)) {
      return answer == TPrintSide::Left    ? TfrmLeftorRight::mrLeft
             : answer == TPrintSide::Right ? TfrmLeftorRight::mrRight
                                           : TfrmLeftorRight::mrCancel;
    }
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
      docName = preview->printer()->docName();
      UsePdf(*preview->printer(), pdf);
      emit preview->paintRequested(preview->printer());
    }
    return QDialog::Rejected;
  };

  std::unique_ptr<QWidget> owner;
  std::string caption = FileCaption(source);
  if (window == "mdi") {
    auto* mdi = new TfrmViewDualMDI(source, output);
    owner.reset(mdi);
    mdi->btnPrint->click();
  } else if (window == "preview") {
    auto* preview = new TfrmViewDual;
    owner.reset(preview);
    caption = "File: MAIN.FRM";
    TLines before;
    TMarkedList after;
    for (int i = 0; i < 5; ++i) {
      before.push_back("before " + std::to_string(i));
      after.push_back({"after " + std::to_string(i), NewChangedMark()});
    }
    preview->LoadPreview(caption, before, after);
    preview->btnPrint->click();
  } else {
    auto* single = new TfrmViewSingleMDI(caption, source);
    owner.reset(single);
    single->btnPrint->click();
  }

  QStringList expectedDialogs;
  if (window != "single") expectedDialogs << "qm::TfrmLeftorRight";
  if (!printed.isEmpty()) expectedDialogs << "QPrintPreviewDialog";
  QCOMPARE(modalDialogs, expectedDialogs);
  if (printed.isEmpty()) return;

  // The file is named once in the header, and the print dialog offers MAIN.pdf, not the title.
  QCOMPARE(docName, QStringLiteral("MAIN"));
  const QString text = PdfText(pdf);
  const QString file = QString::fromStdString(ListingFile(caption));
  QVERIFY2(text.contains("Filename: " + file), qPrintable(text));
  QVERIFY2(!text.contains("File: "), qPrintable(text));
  for (int i = 0; i < 5; ++i) QVERIFY(text.contains(printed + " " + QString::number(i)));
  const QString otherPrefix = printed == "before" ? "after " : "before ";
  QVERIFY(!text.contains(otherPrefix));
}

void TestViewers::paginate_data() {
  QTest::addColumn<int>("lineCount");
  QTest::addColumn<int>("pageHeight");
  QTest::addColumn<QString>("expected");  // "<first>+<count>" per page, 'T' after the title page

  // Header 20, title 30, rows 10: the first page holds 5 rows, later pages 8.
  QTest::newRow("no lines") << 0 << 100 << "0+0T";
  QTest::newRow("one page") << 5 << 100 << "0+5T";
  QTest::newRow("one more row") << 6 << 100 << "0+5T 5+1";
  QTest::newRow("three pages") << 22 << 100 << "0+5T 5+8 13+8 21+1";
  QTest::newRow("no room for a row") << 3 << 25 << "0+1T 1+1 2+1";
}

void TestViewers::paginate() {
  QFETCH(int, lineCount);
  QFETCH(int, pageHeight);
  QFETCH(QString, expected);

  QStringList pages;
  for (const TReportPage& page : PaginateReport(lineCount, pageHeight, 20, 30, 10)) {
    pages << QStringLiteral("%1+%2%3").arg(page.FirstLine).arg(page.LineCount).arg(page.HasTitle ? "T" : "");
  }
  QCOMPARE(pages.join(' '), expected);
}

void TestViewers::reportText_data() {
  QTest::addColumn<int>("lineCount");
  QTest::addColumn<int>("expectedPages");

  // A4 with 15 mm margins holds a little over 60 rows of 10-point Courier New.
  QTest::newRow("no lines") << 0 << 1;
  QTest::newRow("a few lines") << 3 << 1;
  QTest::newRow("three pages") << 150 << 3;
}

void TestViewers::reportText() {
  QFETCH(int, lineCount);
  QFETCH(int, expectedPages);
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");

  TLines lines;
  for (int i = 0; i < lineCount; ++i) {
    // Windows-1252 bytes print as their characters; "\xE9" is e acute.
    lines.push_back("Row " + std::to_string(1000 + i) + " Caf\xE9 ' comment");
  }
  const QDateTime printedAt(QDate(2024, 3, 9), QTime(14, 5, 0));
  TfrmBigTextReporter report(lines, "File: C:\\VB\\MAIN.FRM", printedAt);

  test::TempDir dir;
  const QString pdf = QString::fromStdString(dir / "report.pdf");
  QPrinter printer(QPrinter::HighResolution);
  UsePdf(printer, pdf);
  QCOMPARE(report.Print(&printer), expectedPages);

  QStringList pages = PdfText(pdf).split('\f');
  if (pages.size() > 1 && pages.last().trimmed().isEmpty()) pages.removeLast();
  QCOMPARE(int(pages.size()), expectedPages);

  const QString title = QStringLiteral("Quillmate/VB Report Generator");
  int nextRow = 0;
  for (int p = 0; p < pages.size(); ++p) {
    const QString& page = pages[p];
    QVERIFY2(page.contains("Filename: C:\\VB\\MAIN.FRM"), qPrintable(page));
    QVERIFY2(page.contains("Printed at " + report.PrintedAtText()), qPrintable(page));
    QVERIFY2(page.contains(QStringLiteral("Page %1").arg(p + 1)), qPrintable(page));
    QCOMPARE(page.count(title), p == 0 ? 1 : 0);
    // Detail rows continue page after page in order; the header stands above them.
    const int headerAt = page.indexOf("Filename: ");
    int at = 0;
    while (nextRow < lineCount) {
      const int found = page.indexOf(QStringLiteral("Row %1 Café ' comment").arg(1000 + nextRow), at);
      if (found < 0) break;
      QVERIFY(found > headerAt);
      at = found;
      ++nextRow;
    }
  }
  QCOMPARE(nextRow, lineCount);
}

// A line longer than the page goes on on marked continuation rows, and every word of it is printed.
void TestViewers::longLinesWrap() {
  std::string longLine = "MsgBox \"";
  for (int i = 0; i < 40; ++i) longLine += "word" + std::to_string(100 + i) + " ";
  longLine += "\"";
  TfrmBigTextReporter report({"Sub Main()", "\t" + longLine, "End Sub"}, "File: C:\\VB\\MAIN.BAS",
                             QDateTime(QDate(2024, 3, 9), QTime(14, 5, 0)));
  const QStringList rows = report.PrintedRows(80);
  QVERIFY(rows.size() >= 6);
  QCOMPARE(rows.front(), QStringLiteral("Sub Main()"));
  QCOMPARE(rows.back(), QStringLiteral("End Sub"));
  QVERIFY(rows[1].startsWith(QStringLiteral("        MsgBox")));  // the tab expanded
  for (int i = 2; i < rows.size() - 1; ++i) {
    QVERIFY2(rows[i].startsWith(QStringLiteral("\u00BB ")), qPrintable(rows[i]));
    QVERIFY(rows[i].size() <= 80);
  }
  QCOMPARE(rows.mid(1, rows.size() - 2).join(QString()).remove(QStringLiteral("\u00BB ")),
           QString::fromLatin1(("        " + longLine).c_str()));

  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
  test::TempDir dir;
  const QString pdf = QString::fromStdString(dir / "report.pdf");
  QPrinter printer(QPrinter::HighResolution);
  UsePdf(printer, pdf);
  QCOMPARE(report.Print(&printer), 1);
  const QString text = PdfText(pdf);
  for (int i = 0; i < 40; ++i) QVERIFY2(text.contains(QStringLiteral("word%1").arg(100 + i)), qPrintable(text));
  QVERIFY(text.contains(QStringLiteral("\u00BB")));
  if (const QByteArray shot = qgetenv("QUILLMATE_SCREENSHOT_DIR"); !shot.isEmpty()) {
    QFile::copy(pdf, QString::fromLocal8Bit(shot) + QStringLiteral("/printed-wrapped.pdf"));
  }
}

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"
