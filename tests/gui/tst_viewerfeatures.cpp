// SPDX-License-Identifier: MIT
// The viewers as a user meets them: tab stops and linked scrolling after Diff, whole-word search
// and the search keys, Diff in the preview, the pane captions and widths, the button bar of a
// small window, and sources shown through the chosen code page.

#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "bigtext.h"
#include "displaytext.h"
#include "temp_dir.h"
#include "viewers/viewdual.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

using namespace qm;

Q_DECLARE_METATYPE(qm::TCodePage)

namespace {

class RecordingPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons, const std::string& text) override {
    Texts.push_back(text);
    return TAnswer::Ok;
  }
  void BeginBusy() override {}
  void EndBusy() override {}
  std::vector<std::string> Texts;
};

void ShowAndWait(QWidget& window, QSize size = QSize(640, 480)) {
  window.resize(size);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCoreApplication::processEvents();
}

// count lines "<prefix> <n>", each indented by a tab, with CRLF endings.
std::string TabbedLines(int count, const std::string& prefix) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += "\t" + prefix + " " + std::to_string(i) + "\tx = 1\r\n";
  return bytes;
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class TestViewerFeatures : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void diffDrawsTabsAsLoadingDoes();
  void linkedScrollingAfterDiff_data();
  void linkedScrollingAfterDiff();
  void wholeWordSearch_data();
  void wholeWordSearch();
  void searchKeys();
  void findNextOrder_data();
  void findNextOrder();
  void previewDiffButton();
  void paneCaptions();
  void panesShareTheWidthUntilTheUserMovesTheSplitter();
  void buttonBarFallsBackToIcons();
  void codePagesDecode_data();
  void codePagesDecode();
  void viewFollowsTheDisplayCodePage_data();
  void viewFollowsTheDisplayCodePage();

 private:
  RecordingPrompts prompts;
};

void TestViewerFeatures::init() {
  prompts.Texts.clear();
  ViewerServices().Prompts = &prompts;
  ViewerServices().ExecModal = [](QDialog&) { return int(QDialog::Rejected); };
  SetDisplayEncoding({});
}

void TestViewerFeatures::cleanup() {
  ViewerServices() = TViewerServices{};
  SetDisplayEncoding({});
}

void TestViewerFeatures::diffDrawsTabsAsLoadingDoes() {
  test::TempDir dir;
  // The output has its tabs expanded by the engine; the source still holds them.
  TfrmViewDualMDI window(dir.Write("b.frm", TabbedLines(30, "b")), dir.Write("a.frm", TabbedLines(30, "a")));
  ShowAndWait(window);
  std::vector<QString> shown;
  for (int i = 0; i < window.memoCodeBefore->Count(); ++i) shown.push_back(window.memoCodeBefore->DisplayText(i));
  QCOMPARE(shown.front(), QStringLiteral("        b 0     x = 1"));

  window.btnDiffClick();
  TBigText* before = window.memoCodeBefore;
  int matched = 0;
  for (int i = 0; i < before->Count(); ++i) {
    const std::string line = before->GetLine(i);
    QVERIFY2(line.find('\t') == std::string::npos, line.c_str());
    if (line.empty()) continue;
    QCOMPARE(before->DisplayText(i), shown[static_cast<std::size_t>(matched++)]);
  }
  QCOMPARE(matched, 30);
  // A line added with its tabs (the preview's source lines) is drawn with the same stops.
  TBigText pane;
  pane.AddLine("ab\tc", clBlack, clWindow, false);
  QCOMPARE(pane.DisplayText(0), QStringLiteral("ab      c"));
}

void TestViewerFeatures::linkedScrollingAfterDiff_data() {
  QTest::addColumn<bool>("diff");
  QTest::addColumn<bool>("wheel");  // else Page Down in the pane
  QTest::addColumn<bool>("afterPane");

  QTest::newRow("before Diff, keys in the before pane") << false << false << false;
  QTest::newRow("before Diff, wheel in the after pane") << false << true << true;
  QTest::newRow("after Diff, keys in the before pane") << true << false << false;
  QTest::newRow("after Diff, keys in the after pane") << true << false << true;
  QTest::newRow("after Diff, wheel in the after pane") << true << true << true;
}

void TestViewerFeatures::linkedScrollingAfterDiff() {
  QFETCH(bool, diff);
  QFETCH(bool, wheel);
  QFETCH(bool, afterPane);

  test::TempDir dir;
  TfrmViewDualMDI window(dir.Write("b.frm", TabbedLines(200, "b")), dir.Write("a.frm", TabbedLines(200, "a")));
  ShowAndWait(window);
  if (diff) window.btnDiffClick();
  TBigText* pane = afterPane ? window.memoCodeAfter : window.memoCodeBefore;
  TBigText* other = afterPane ? window.memoCodeBefore : window.memoCodeAfter;
  if (wheel) {
    const QPoint at = pane->viewport()->rect().center();
    QWheelEvent event(at, pane->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pane->viewport(), &event);
  } else {
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_PageDown);
  }
  const int top = pane->TopLine();
  QVERIFY(top > 0);
  QCOMPARE(other->TopLine(), diff ? top : 0);
  QCOMPARE(window.Panes->ScrollBothBar->value(), diff ? top : 0);
}

void TestViewerFeatures::wholeWordSearch_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("wholeWord");
  QTest::addColumn<bool>("matchCase");
  QTest::addColumn<int>("hit");    // the line of the hit; -1: not found
  QTest::addColumn<int>("start");  // where the hit starts in its line

  // Lines: 0 "Sub Start", 1 "x = Counter + 1", 2 "Count_All = 2", 3 "n = Count", 4 "' count(3)"
  QTest::newRow("substring without whole word") << "Count" << false << false << 1 << 4;
  QTest::newRow("a longer word is no hit") << "Count" << true << true << 3 << 4;
  QTest::newRow("underscore continues a word") << "Count" << true << false << 3 << 4;
  QTest::newRow("bounded by a parenthesis") << "count" << true << true << 4 << 2;
  QTest::newRow("word at the line's end") << "= Count" << true << false << 3 << 2;
  QTest::newRow("no whole word anywhere") << "ount" << true << false << -1 << 0;
}

void TestViewerFeatures::wholeWordSearch() {
  QFETCH(QString, text);
  QFETCH(bool, wholeWord);
  QFETCH(bool, matchCase);
  QFETCH(int, hit);
  QFETCH(int, start);

  TBigText pane;
  pane.resize(300, 30);
  for (const char* line : {"Sub Start", "x = Counter + 1", "Count_All = 2", "n = Count", "' count(3)"}) {
    pane.AddLine(line, clBlack, clWindow, false);
  }
  // Lines enough below the text that every hit can become the top line.
  for (int i = 0; i < 40; ++i) pane.AddLine("", clBlack, clWindow, false);
  pane.RecalcRange();
  QCOMPARE(pane.Search(text, true, matchCase, wholeWord), hit >= 0);
  QCOMPARE(pane.HitLine(), hit);
  QCOMPARE(pane.HitStart(), start);
  if (hit >= 0) QCOMPARE(pane.HitLength(), text.size());
}

void TestViewerFeatures::searchKeys() {
  test::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += (i % 30 == 10 ? "Dim Total\r\n" : "x = 1\r\n");
  TfrmViewDual preview;
  TLines lines = SplitLines(bytes);
  TMarkedList marked;
  for (const std::string& line : lines) marked.push_back({line, NewUnchangedMark()});
  preview.LoadPreview("File: T.BAS", lines, marked);
  ShowAndWait(preview);
  preview.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&preview));
  TFindDialog* find = preview.Panes->Search->dlgFind();

  // F3 with nothing to look for opens the dialog, as Ctrl+F does.
  preview.memoCodeBefore->setFocus();
  QTest::keyClick(&preview, Qt::Key_F3);
  QVERIFY(find->isVisible());
  find->hide();
  QTest::keyClick(&preview, Qt::Key_F, Qt::ControlModifier);
  QVERIFY(find->isVisible());
  QVERIFY(preview.Panes->SearchBefore);  // the pane with the focus
  find->SetFindText(QStringLiteral("total"));
  find->hide();

  preview.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&preview));
  std::vector<int> hits;
  for (auto [key, modifiers] : {std::pair{Qt::Key_F3, Qt::NoModifier}, {Qt::Key_F3, Qt::NoModifier},
                                {Qt::Key_F3, Qt::ShiftModifier}}) {
    QTest::keyClick(&preview, key, modifiers);
    hits.push_back(preview.memoCodeBefore->HitLine());
  }
  QCOMPARE(hits, (std::vector<int>{10, 40, 10}));
  QCOMPARE(preview.memoCodeAfter->TopLine(), 0);
  QVERIFY(prompts.Texts.empty());
}

void TestViewerFeatures::findNextOrder_data() {
  QTest::addColumn<bool>("down");
  QTest::addColumn<QString>("order");  // the hits as line:column, in the order F3 finds them

  // Lines: 0 "' Total", 1 "Total = Total + 1", 2 "x = 1", 3 "Print Total", then filler.
  // Before the first hit the search starts below the top line, as it always has.
  QTest::newRow("downward visits every hit of a line") << true << "1:0 1:8 3:6";
  QTest::newRow("upward from the end comes back in reverse") << false << "3:6 1:8 1:0 0:2";
}

void TestViewerFeatures::findNextOrder() {
  QFETCH(bool, down);
  QFETCH(QString, order);
  TBigText pane;
  pane.resize(400, 120);
  for (const char* line : {"' Total", "Total = Total + 1", "x = 1", "Print Total"}) {
    pane.AddLine(line, clBlack, clWindow, false);
  }
  for (int i = 0; i < 60; ++i) pane.AddLine("", clBlack, clWindow, false);
  pane.RecalcRange();
  // Upward starts below the text, so that the first hit found is the last one.
  if (!down) pane.ScrollToLine(5);
  const QStringList expected = order.split(QLatin1Char(' '));
  QStringList found;
  while (pane.Search(QStringLiteral("total"), down, false)) {
    found << QStringLiteral("%1:%2").arg(pane.HitLine()).arg(pane.HitStart());
    QVERIFY(found.size() <= expected.size());
  }
  QCOMPARE(found, expected);
  // The last hit stays marked after the miss.
  QCOMPARE(QStringLiteral("%1:%2").arg(pane.HitLine()).arg(pane.HitStart()), expected.back());
}

void TestViewerFeatures::previewDiffButton() {
  TfrmViewDual preview;
  const TLines before = {"Sub A()", "x=1", "End Sub"};
  TMarkedList after = {{"Sub A()", NewUnchangedMark()}, {"    x = 1", NewChangedMark()}, {"End Sub", NewUnchangedMark()}};
  preview.LoadPreview("File: A.BAS", before, after);
  ShowAndWait(preview);
  QCOMPARE(preview.btnDiff->text(), QStringLiteral("Diff"));
  QVERIFY(!preview.Panes->Linked());
  QTest::mouseClick(preview.btnDiff, Qt::LeftButton);
  QVERIFY(preview.Panes->Linked());
  // The rows are aligned: the changed line faces its source line.
  QCOMPARE(preview.memoCodeBefore->Count(), preview.memoCodeAfter->Count());
  std::vector<std::string> rows;
  for (int i = 0; i < preview.memoCodeBefore->Count(); ++i) {
    rows.push_back(preview.memoCodeBefore->GetLine(i) + "|" + preview.memoCodeAfter->GetLine(i));
  }
  QCOMPARE(rows, (std::vector<std::string>{"Sub A()|Sub A()", "x=1|    x = 1", "End Sub|End Sub"}));
  QVERIFY(preview.memoCodeAfter->GetLineAttributes(1).BackColor != preview.memoCodeAfter->GetLineAttributes(0).BackColor);
  // The next file scrolls its panes alone again.
  preview.LoadPreview("File: B.BAS", before, after);
  QVERIFY(!preview.Panes->Linked());
}

void TestViewerFeatures::paneCaptions() {
  test::TempDir dir;
  TfrmViewDualMDI mdi(dir.Write("b.frm", "x\r\n"), dir.Write("a.frm", "y\r\n"));
  TfrmViewDual preview;
  for (TDualPanes* panes : {mdi.Panes, preview.Panes}) {
    QCOMPARE(panes->lblBefore->text(), QStringLiteral("Before"));
    QCOMPARE(panes->lblAfter->text(), QStringLiteral("After"));
    QVERIFY(panes->lblBefore->parentWidget()->isAncestorOf(panes->memoCodeBefore));
    QVERIFY(panes->lblAfter->parentWidget()->isAncestorOf(panes->memoCodeAfter));
  }
}

void TestViewerFeatures::panesShareTheWidthUntilTheUserMovesTheSplitter() {
  test::TempDir dir;
  TfrmViewDualMDI window(dir.Write("b.frm", "x\r\n"), dir.Write("a.frm", "y\r\n"));
  QSplitter* splitter = window.Panes->Splitter;
  auto equal = [&] { return std::abs(splitter->sizes()[0] - splitter->sizes()[1]) <= 1; };
  ShowAndWait(window, QSize(600, 400));
  QVERIFY(equal());
  window.resize(900, 400);
  QCoreApplication::processEvents();
  QVERIFY(equal());

  // The user drags the splitter to about a quarter of the width.
  QSplitterHandle* handle = splitter->handle(1);
  const QPoint grip = handle->rect().center();
  const int target = splitter->width() / 4;
  QTest::mousePress(handle, Qt::LeftButton, {}, grip);
  QMouseEvent move(QEvent::MouseMove, QPointF(grip.x() - (handle->x() - target), grip.y()),
                   handle->mapToGlobal(QPointF(grip.x() - (handle->x() - target), grip.y())), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &move);
  QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(grip.x() - (handle->x() - target), grip.y()));
  QVERIFY(window.Panes->UserMovedSplitter());
  const double share = window.Panes->BeforeShare();
  QVERIFY2(share > 0.15 && share < 0.35, QByteArray::number(share));

  window.resize(600, 400);
  QCoreApplication::processEvents();
  const QList<int> sizes = splitter->sizes();
  QVERIFY(std::abs(sizes[0] - share * (sizes[0] + sizes[1])) <= 1.5);
}

void TestViewerFeatures::buttonBarFallsBackToIcons() {
  test::TempDir dir;
  TfrmViewDualMDI window(dir.Write("b.frm", "x\r\n"), dir.Write("a.frm", "y\r\n"));
  ShowAndWait(window, QSize(640, 300));
  for (QToolButton* button : {window.btnClose, window.btnPrint, window.btnDiff}) {
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
  }
  window.resize(120, 300);
  QCoreApplication::processEvents();
  for (QToolButton* button : {window.btnClose, window.btnPrint, window.btnDiff}) {
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QVERIFY(!button->toolTip().isEmpty());
    QVERIFY(button->isVisible());
  }
  window.resize(640, 300);
  QCoreApplication::processEvents();
  QCOMPARE(window.btnDiff->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
}

void TestViewerFeatures::codePagesDecode_data() {
  QTest::addColumn<TCodePage>("page");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("text");

  using P = TCodePage;
  QTest::newRow("Western") << P::Windows1252 << QByteArray("caf\xE9 \x80") << Utf8("café €");
  QTest::newRow("Japanese") << P::ShiftJIS << QByteArray("\x93\xFA\x96\x7B\x95\x5C") << Utf8("日本表");
  QTest::newRow("Chinese Simplified") << P::GBK << QByteArray("\xD6\xD0\xCE\xC4") << Utf8("中文");
  QTest::newRow("Chinese Traditional") << P::Big5 << QByteArray("\xA4\xA4\xA4\xE5") << Utf8("中文");
  QTest::newRow("Korean") << P::Korean949 << QByteArray("\xC7\xD1\xB1\xB9") << Utf8("한국");
  QTest::newRow("Cyrillic") << P::Cyrillic1251 << QByteArray("\xCF\xF0\xE8") << Utf8("При");
  QTest::newRow("Central European") << P::CentralEuropean1250 << QByteArray("\x8A\xE8") << Utf8("Šč");
  QTest::newRow("Greek") << P::Greek1253 << QByteArray("\xC1\xE2") << Utf8("Αβ");
  QTest::newRow("Turkish") << P::Turkish1254 << QByteArray("\xD0\xFD") << Utf8("Ğı");
  QTest::newRow("Hebrew") << P::Hebrew1255 << QByteArray("\xF9") << Utf8("ש");
  QTest::newRow("Arabic") << P::Arabic1256 << QByteArray("\xC7") << Utf8("ا");
  QTest::newRow("Baltic") << P::Baltic1257 << QByteArray("\xC0") << Utf8("Ą");
  QTest::newRow("Vietnamese") << P::Vietnamese1258 << QByteArray("\xC3") << Utf8("Ă");
  QTest::newRow("Thai") << P::Thai874 << QByteArray("\xA1") << Utf8("ก");
  QTest::newRow("UTF-8") << P::Utf8 << QByteArray("\xE6\x97\xA5 \xC3\xA9") << Utf8("日 é");
}

void TestViewerFeatures::codePagesDecode() {
  QFETCH(TCodePage, page);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, text);
  QVERIFY(CanDecode(page));
  const std::string raw = bytes.toStdString();
  QCOMPARE(DecodeBytes(raw, page), text);
  QCOMPARE(EncodeText(text, page), raw);
  // The entry point other windows use follows the display choice.
  SetDisplayEncoding({page, TCodePage::Windows1252});
  QCOMPARE(FromDisplayBytes(raw), text);
  QCOMPARE(ToDisplayBytes(text), raw);
}

void TestViewerFeatures::viewFollowsTheDisplayCodePage_data() {
  QTest::addColumn<TCodePage>("choice");
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("shown");   // the second line as drawn
  QTest::addColumn<QString>("search");  // found on the second line

  using P = TCodePage;
  QTest::newRow("Shift-JIS chosen") << P::ShiftJIS << QByteArray("Sub A()\r\n' \x93\xFA\x96\x7B\x8C\xEA\r\n")
                                    << Utf8("' 日本語") << Utf8("本語");
  QTest::newRow("Auto finds UTF-8") << P::Auto << QByteArray("Sub A()\r\n' caf\xC3\xA9\r\n") << Utf8("' café")
                                    << Utf8("CAFÉ");
  QTest::newRow("Auto falls back to Windows-1252") << P::Auto << QByteArray("Sub A()\r\n' caf\xE9\r\n")
                                                   << Utf8("' café") << Utf8("café");
}

void TestViewerFeatures::viewFollowsTheDisplayCodePage() {
  QFETCH(TCodePage, choice);
  QFETCH(QByteArray, file);
  QFETCH(QString, shown);
  QFETCH(QString, search);

  test::TempDir dir;
  TfrmViewSingleMDI window("File: A.FRM", dir.Write("A.FRM", file.toStdString()));
  ShowAndWait(window, QSize(400, 200));
  SetDisplayEncoding({choice, TCodePage::Windows1252});
  QCOMPARE(window.memoSource->DisplayText(1), shown);
  QVERIFY(window.memoSource->Search(search, true, false));
  // The bytes stay as read.
  QCOMPARE(window.memoSource->GetLine(1), file.toStdString().substr(9, file.size() - 11));
}

QTEST_MAIN(TestViewerFeatures)
#include "tst_viewerfeatures.moc"
