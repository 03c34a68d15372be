// SPDX-License-Identifier: MIT
#include <QElapsedTimer>
#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <fstream>
#include <string>

#include "bigtext.h"
#include "displaytext.h"

using namespace qm;

namespace {

// Sizes the view so that exactly the given whole lines and columns fit, with a part of a row and
// of a column to spare (partial rows are drawn but do not count).
void FitView(TBigText& view, int lines, int columns) {
  const int extraW = view.width() - view.viewport()->width();
  const int extraH = view.height() - view.viewport()->height();
  view.resize(columns * view.CellWidth() + view.CellWidth() / 2 + extraW,
              lines * view.CellHeight() + view.CellHeight() / 2 + extraH);
}

// CPU time of this thread in milliseconds: unlike the wall clock it does not count the time other
// processes on a busy machine take.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void Fill(TBigText& view, int count) {
  for (int i = 0; i < count; ++i) view.AddLine("line " + std::to_string(i), clBlack, clWindow, false);
  view.RecalcRange();
}

std::string WriteFile(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
  const std::string path = dir.filePath(name).toStdString();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace

class TestBigText : public QObject {
  Q_OBJECT

 private:
  // A shown view of 10 whole lines and 40 whole columns in a fixed-pitch font.
  std::unique_ptr<TBigText> MakeView(int lines = 10, int columns = 40) {
    auto view = std::make_unique<TBigText>();
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(11);
    view->SetFont(font);
    view->resize(300, 200);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) return nullptr;
    FitView(*view, lines, columns);
    return view;
  }

 private slots:
  void ranges_data();
  void ranges();
  void keys_data();
  void keys();
  void keyHandledByReceiver();
  void scrollActions_data();
  void scrollActions();
  void scrollBarMovesView();
  void scrollToLine_data();
  void scrollToLine();
  void getLine_data();
  void getLine();
  void search_data();
  void search();
  void tabStops_data();
  void tabStops();
  void loadFromFile();
  void loadMissingFile();
  void lineCap_data();
  void lineCap();
  void drawing_data();
  void drawing();
  void tabLineScrolledRight_data();
  void tabLineScrolledRight();
  void mouse();
  void align_data();
  void align();
  void codePage();
  void colours_data();
  void colours();
  void performance();
};

void TestBigText::ranges_data() {
  QTest::addColumn<int>("lines");
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("vertRange");
  QTest::addColumn<int>("horzRange");
  QTest::newRow("empty") << 10 << 40 << 0 << 0 << 215;
  QTest::newRow("fewer lines than fit") << 10 << 40 << 5 << 0 << 215;
  QTest::newRow("exactly one page") << 10 << 40 << 10 << 0 << 215;
  QTest::newRow("one line more") << 10 << 40 << 11 << 1 << 215;
  QTest::newRow("many lines") << 10 << 40 << 1000 << 990 << 215;
  QTest::newRow("wider than 255 columns") << 10 << 300 << 20 << 10 << 0;
}

void TestBigText::ranges() {
  QFETCH(int, lines);
  QFETCH(int, columns);
  QFETCH(int, count);
  QFETCH(int, vertRange);
  QFETCH(int, horzRange);
  auto view = MakeView(lines, columns);
  QVERIFY(view);
  Fill(*view, count);
  QCOMPARE(view->VisibleLines(), lines);
  QCOMPARE(view->VisibleColumns(), columns);
  QCOMPARE(view->VertRange(), vertRange);
  QCOMPARE(view->HorzRange(), horzRange);
  QCOMPARE(view->verticalScrollBar()->maximum(), vertRange);
  QCOMPARE(view->horizontalScrollBar()->maximum(), horzRange);

  // Positions at the end stay inside the range when the view grows or loses its lines.
  view->ScrollVert(scBottom);
  view->ScrollHorz(scBottom);
  view->resize(view->width() + 10 * view->CellWidth(), view->height() + 5 * view->CellHeight());
  QVERIFY(view->TopLine() <= view->VertRange());
  QVERIFY(view->HorzPos() <= view->HorzRange());
  view->Clear();
  QCOMPARE(view->Count(), 0);
  QCOMPARE(view->TopLine(), 0);
  QCOMPARE(view->VertRange(), 0);
}

void TestBigText::keys_data() {
  QTest::addColumn<int>("startTop");
  QTest::addColumn<int>("startHorz");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("horz");
  const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
            alt = Qt::AltModifier;
  // 100 lines, 10 visible (vertical range 0..90); 40 columns (horizontal range 0..215, page 20).
  QTest::newRow("Down") << 5 << 0 << int(Qt::Key_Down) << none << 6 << 0;
  QTest::newRow("Down at the end") << 90 << 0 << int(Qt::Key_Down) << none << 90 << 0;
  QTest::newRow("Up") << 5 << 0 << int(Qt::Key_Up) << none << 4 << 0;
  QTest::newRow("Up at the top") << 0 << 0 << int(Qt::Key_Up) << none << 0 << 0;
  QTest::newRow("Ctrl+Down acts as Down") << 5 << 0 << int(Qt::Key_Down) << ctrl << 6 << 0;
  QTest::newRow("PageDown") << 5 << 0 << int(Qt::Key_PageDown) << none << 15 << 0;
  QTest::newRow("PageDown near the end") << 85 << 0 << int(Qt::Key_PageDown) << none << 90 << 0;
  QTest::newRow("PageUp") << 25 << 0 << int(Qt::Key_PageUp) << none << 15 << 0;
  QTest::newRow("PageUp near the top") << 5 << 0 << int(Qt::Key_PageUp) << none << 0 << 0;
  QTest::newRow("Ctrl+End") << 5 << 7 << int(Qt::Key_End) << ctrl << 90 << 7;
  QTest::newRow("Ctrl+Home") << 50 << 7 << int(Qt::Key_Home) << ctrl << 0 << 7;
  QTest::newRow("Home") << 50 << 30 << int(Qt::Key_Home) << none << 50 << 0;
  QTest::newRow("End") << 50 << 30 << int(Qt::Key_End) << none << 50 << 215;
  QTest::newRow("Ctrl+Shift+Home acts as Home") << 50 << 30 << int(Qt::Key_Home) << (ctrl | shift)
                                                << 50 << 0;
  QTest::newRow("Ctrl+Alt+End acts as End") << 50 << 30 << int(Qt::Key_End) << (ctrl | alt) << 50
                                            << 215;
  QTest::newRow("Right") << 0 << 30 << int(Qt::Key_Right) << none << 0 << 31;
  QTest::newRow("Right at the end") << 0 << 215 << int(Qt::Key_Right) << none << 0 << 215;
  QTest::newRow("Left") << 0 << 30 << int(Qt::Key_Left) << none << 0 << 29;
  QTest::newRow("Left at the start") << 0 << 0 << int(Qt::Key_Left) << none << 0 << 0;
  QTest::newRow("Ctrl+Right") << 0 << 30 << int(Qt::Key_Right) << ctrl << 0 << 50;
  QTest::newRow("Ctrl+Right near the end") << 0 << 200 << int(Qt::Key_Right) << ctrl << 0 << 215;
  QTest::newRow("Ctrl+Left") << 0 << 30 << int(Qt::Key_Left) << ctrl << 0 << 10;
  QTest::newRow("Ctrl+Left near the start") << 0 << 15 << int(Qt::Key_Left) << ctrl << 0 << 0;
  QTest::newRow("Shift+Ctrl+Right acts as Right") << 0 << 30 << int(Qt::Key_Right)
                                                  << (ctrl | shift) << 0 << 31;
}

void TestBigText::keys() {
  QFETCH(int, startTop);
  QFETCH(int, startHorz);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, top);
  QFETCH(int, horz);
  auto view = MakeView();
  QVERIFY(view);
  Fill(*view, 100);
  view->ScrollToLine(startTop);
  view->ScrollHorz(scPosition, startHorz);
  QCOMPARE(view->TopLine(), startTop);
  QCOMPARE(view->HorzPos(), startHorz);
  QTest::keyClick(view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(view->TopLine(), top);
  QCOMPARE(view->HorzPos(), horz);
  QCOMPARE(view->verticalScrollBar()->value(), top);
  QCOMPARE(view->horizontalScrollBar()->value(), horz);
}

void TestBigText::keyHandledByReceiver() {
  auto view = MakeView();
  QVERIFY(view);
  Fill(*view, 100);
  int seen = 0;
  connect(view.get(), &TBigText::OnKeyDown, view.get(), [&](int& key, Qt::KeyboardModifiers) {
    seen = key;
    if (key == Qt::Key_Down) key = 0;
  });
  QTest::keyClick(view.get(), Qt::Key_Down);
  QCOMPARE(seen, int(Qt::Key_Down));
  QCOMPARE(view->TopLine(), 0);
  QTest::keyClick(view.get(), Qt::Key_PageDown);
  QCOMPARE(view->TopLine(), 10);
}

void TestBigText::scrollActions_data() {
  QTest::addColumn<bool>("vertical");
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("pos");
  QTest::addColumn<int>("expected");
  // 100 lines, 10 visible: vertical range 0..90.
  QTest::newRow("thumb inside the range") << true << 40 << 0 << int(scTrack) << 42 << 42;
  QTest::newRow("thumb released beyond the end") << true << 40 << 0 << int(scPosition) << 500 << 90;
  QTest::newRow("thumb below 0") << true << 40 << 50 << int(scTrack) << -3 << 0;
  QTest::newRow("to the end") << true << 40 << 3 << int(scBottom) << 0 << 90;
  QTest::newRow("end of scrolling moves nothing") << true << 40 << 3 << int(scEndScroll) << 0 << 3;
  // Horizontal pages are half the visible columns, rounded toward zero.
  QTest::newRow("odd columns page forward") << false << 41 << 10 << int(scPageDown) << 0 << 30;
  QTest::newRow("odd columns page back") << false << 41 << 30 << int(scPageUp) << 0 << 10;
  QTest::newRow("horizontal to the end") << false << 41 << 0 << int(scBottom) << 0 << 214;
  QTest::newRow("horizontal thumb beyond") << false << 41 << 0 << int(scTrack) << 999 << 214;
}

void TestBigText::scrollActions() {
  QFETCH(bool, vertical);
  QFETCH(int, columns);
  QFETCH(int, start);
  QFETCH(int, code);
  QFETCH(int, pos);
  QFETCH(int, expected);
  auto view = MakeView(10, columns);
  QVERIFY(view);
  Fill(*view, 100);
  if (vertical) {
    view->ScrollVert(scPosition, start);
    view->ScrollVert(TScrollCode(code), pos);
    QCOMPARE(view->TopLine(), expected);
  } else {
    view->ScrollHorz(scPosition, start);
    view->ScrollHorz(TScrollCode(code), pos);
    QCOMPARE(view->HorzPos(), expected);
  }
}

void TestBigText::scrollBarMovesView() {
  auto view = MakeView();
  QVERIFY(view);
  Fill(*view, 100);
  QList<int> tops;
  connect(view.get(), &TBigText::TopLineChanged, view.get(), [&](int top) { tops << top; });
  view->verticalScrollBar()->setValue(37);
  QCOMPARE(view->TopLine(), 37);
  view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QCOMPARE(view->TopLine(), 47);
  view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QCOMPARE(view->HorzPos(), 20);
  QCOMPARE(tops, QList<int>({37, 47}));
}

void TestBigText::scrollToLine_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("top");
  QTest::newRow("negative shows the first line") << 100 << -5 << 0;
  QTest::newRow("first line") << 100 << 0 << 0;
  QTest::newRow("inside") << 100 << 42 << 42;
  QTest::newRow("end of the range") << 100 << 90 << 90;
  QTest::newRow("on the last page") << 100 << 95 << 90;
  QTest::newRow("the line count") << 100 << 100 << 90;
  QTest::newRow("far beyond the end") << 100 << 100000 << 90;
  QTest::newRow("fewer lines than fit") << 5 << 3 << 0;
  QTest::newRow("empty view") << 0 << 3 << 0;
}

void TestBigText::scrollToLine() {
  QFETCH(int, count);
  QFETCH(int, index);
  QFETCH(int, top);
  auto view = MakeView();
  QVERIFY(view);
  Fill(*view, count);
  view->ScrollHorz(scPosition, 7);
  view->ScrollToLine(index);
  QCOMPARE(view->TopLine(), top);
  QCOMPARE(view->HorzPos(), 7);
}

void TestBigText::getLine_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QByteArray>("text");
  QTest::newRow("first") << 0 << QByteArray("Option Explicit");
  QTest::newRow("bytes kept as read") << 1 << QByteArray("x = \"\x93quoted\x94 caf\xE9\"");
  QTest::newRow("empty line") << 2 << QByteArray("");
  QTest::newRow("last") << 3 << QByteArray("End Sub");
  QTest::newRow("at the end") << 4 << QByteArray("");
  QTest::newRow("beyond the end") << 1000 << QByteArray("");
  QTest::newRow("negative") << -1 << QByteArray("");
}

void TestBigText::getLine() {
  QFETCH(int, index);
  QFETCH(QByteArray, text);
  TBigText view;
  for (const char* line : {"Option Explicit", "x = \"\x93quoted\x94 caf\xE9\"", "", "End Sub"}) {
    QVERIFY(view.AddLine(line));
  }
  QCOMPARE(QByteArray::fromStdString(view.GetLine(index)), text);
}

void TestBigText::search_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("downward");
  QTest::addColumn<bool>("matchCase");
  QTest::addColumn<int>("startTop");
  QTest::addColumn<bool>("found");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("hit");  // the line of the hit, -1 for none
  // Lines: 0 "Dim alpha", 1 "Beta = 1", 2 "gamma", 3 "beta delta", 4 "' \xE9t\xE9" (cp1252
  // accented), then "filler n" up to 97 "target here", 99 lines in all; ten visible lines,
  // vertical range 0..89. A hit already on screen leaves the view where it is; one off screen
  // comes to stand a third of a page from the top.
  QTest::newRow("downward never examines the top line")
      << QByteArray("alpha") << true << false << 0 << false << 0 << -1;
  QTest::newRow("downward finds the next line") << QByteArray("beta") << true << false << 0 << true
                                                << 0 << 1;
  QTest::newRow("match case skips other case") << QByteArray("beta") << true << true << 0 << true
                                               << 0 << 3;
  QTest::newRow("case differs, match case") << QByteArray("BETA DELTA") << true << true << 0
                                            << false << 0 << -1;
  QTest::newRow("case differs, no match case") << QByteArray("BETA DELTA") << true << false << 0
                                               << true << 0 << 3;
  QTest::newRow("accented letters ignore case") << QByteArray("\xC9T\xC9") << true << false << 0
                                                << true << 0 << 4;
  QTest::newRow("upward from line 0 finds nothing") << QByteArray("alpha") << false << false << 0
                                                    << false << 0 << -1;
  QTest::newRow("upward finds the nearest above") << QByteArray("beta") << false << false << 20
                                                  << true << 0 << 3;
  QTest::newRow("upward never examines the top line") << QByteArray("gamma") << false << false
                                                      << 2 << false << 2 << -1;
  QTest::newRow("hit on the last page scrolls to the end")
      << QByteArray("target") << true << false << 0 << true << 89 << 97;
  QTest::newRow("hit below the page stands a third down")
      << QByteArray("filler 40") << true << false << 0 << true << 37 << 40;
  QTest::newRow("nothing below") << QByteArray("alpha") << true << false << 5 << false << 5 << -1;
}

void TestBigText::search() {
  QFETCH(QByteArray, text);
  QFETCH(bool, downward);
  QFETCH(bool, matchCase);
  QFETCH(int, startTop);
  QFETCH(bool, found);
  QFETCH(int, top);
  QFETCH(int, hit);
  auto view = MakeView();
  QVERIFY(view);
  view->AddLine("Dim alpha", clBlack, clWindow, false);
  view->AddLine("Beta = 1", clBlack, clYellow, false);
  view->AddLine("gamma", clBlack, clWindow, false);
  view->AddLine("beta delta", clBlue, clSilver, false);
  view->AddLine("' \xE9t\xE9", clBlack, clWindow, false);
  for (int i = 5; i < 97; ++i) view->AddLine("filler " + std::to_string(i), clBlack, clWindow, false);
  view->AddLine("target here", clGray, clWindow, false);
  view->AddLine("filler 98", clBlack, clWindow, false);
  view->RecalcRange();
  view->ScrollHorz(scPosition, 3);
  view->ScrollToLine(startTop);
  QCOMPARE(view->TopLine(), startTop);

  std::vector<TTextAttributes> before;
  for (int i = 0; i < view->Count(); ++i) before.push_back(view->GetLineAttributes(i));
  QCOMPARE(view->Search(text.toStdString(), downward, matchCase), found);
  QCOMPARE(view->TopLine(), top);
  QCOMPARE(view->HitLine(), hit);
  // A hit that starts left of the first visible column brings the line's start into view.
  QCOMPARE(view->HorzPos(), found ? 0 : 3);
  // The hit is drawn over its line: every line keeps its own colours.
  for (int i = 0; i < view->Count(); ++i) QVERIFY(view->GetLineAttributes(i) == before[i]);
}

void TestBigText::tabStops_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<QByteArray>("expanded");
  QTest::newRow("tab at the start") << QByteArray("\tX") << QByteArray("        X");
  QTest::newRow("two letters, tab, letter") << QByteArray("ab\tc") << QByteArray("ab      c");
  QTest::newRow("one blank to the stop") << QByteArray("abcdefg\tx") << QByteArray("abcdefg x");
  QTest::newRow("tab on a stop is 8 blanks") << QByteArray("abcdefgh\tx")
                                             << QByteArray("abcdefgh        x");
  QTest::newRow("two tabs") << QByteArray("\t\tEnd If") << QByteArray("                End If");
  QTest::newRow("tab after a tab's blanks") << QByteArray("a\tb\tc")
                                            << QByteArray("a       b       c");
  QTest::newRow("trailing tab") << QByteArray("x\t") << QByteArray("x       ");
  QTest::newRow("no tab") << QByteArray("Dim i As Integer") << QByteArray("Dim i As Integer");
  QTest::newRow("empty") << QByteArray("") << QByteArray("");
}

void TestBigText::tabStops() {
  QFETCH(QByteArray, line);
  QFETCH(QByteArray, expanded);
  QCOMPARE(QByteArray::fromStdString(ExpandTabStops(line.toStdString())), expanded);
}

void TestBigText::loadFromFile() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const std::string path =
      WriteFile(dir, "Module1.bas", "Sub Main()\r\n\tx = 1\r\n\r\nab\tc\rEnd Sub\n\xE9t\xE9\r\n");
  auto view = MakeView();
  QVERIFY(view);
  view->AddLine("left over", clRed, clWhite, true);
  view->ScrollHorz(scPosition, 5);
  std::string err;
  QVERIFY(view->LoadFromFile(path, &err));
  QCOMPARE(view->Count(), 6);
  QCOMPARE(view->GetLine(0), std::string("Sub Main()"));
  QCOMPARE(view->GetLine(1), std::string("        x = 1"));
  QCOMPARE(view->GetLine(2), std::string());
  QCOMPARE(view->GetLine(3), std::string("ab      c"));
  QCOMPARE(view->GetLine(4), std::string("End Sub"));
  QCOMPARE(view->GetLine(5), std::string("\xE9t\xE9"));
  const TTextAttributes attributes = view->GetLineAttributes(3);
  QCOMPARE(attributes.TextColor, clWindowText);
  QCOMPARE(attributes.BackColor, clWindow);
  QCOMPARE(int(attributes.Alignment), int(taLeftJustify));
  QCOMPARE(int(attributes.Style), 0);
  QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);
  QCOMPARE(view->TopLine(), 0);
}

void TestBigText::loadMissingFile() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  TBigText view;
  view.AddLine("left over");
  std::string err;
  QVERIFY(!view.LoadFromFile(dir.filePath("missing.frm").toStdString(), &err));
  QCOMPARE(view.Count(), 0);
  QVERIFY(!err.empty());
  QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
}

void TestBigText::lineCap_data() {
  QTest::addColumn<int>("maxLines");
  QTest::addColumn<int>("purgeLines");
  QTest::addColumn<int>("adds");
  QTest::addColumn<int>("count");
  QTest::addColumn<QByteArray>("firstLine");
  QTest::addColumn<QByteArray>("error");
  QTest::newRow("no cap") << 0 << 0 << 40000 << 40000 << QByteArray("line 0") << QByteArray();
  QTest::newRow("below the cap") << 10 << 4 << 10 << 10 << QByteArray("line 0") << QByteArray();
  QTest::newRow("oldest lines purged at the cap")
      << 10 << 4 << 11 << 7 << QByteArray("line 4") << QByteArray();
  QTest::newRow("purged twice") << 10 << 4 << 15 << 7 << QByteArray("line 8") << QByteArray();
  QTest::newRow("purge more than held") << 3 << 200 << 4 << 1 << QByteArray("line 3")
                                        << QByteArray();
  QTest::newRow("cap reached without purging")
      << 10 << 0 << 11 << 10 << QByteArray("line 0") << QByteArray("Maximum line count at line 10");
  QTest::newRow("32000 lines cap any view with a cap")
      << 60000 << 0 << 32002 << 32001 << QByteArray("line 0")
      << QByteArray("Maximum line count at line 32001");
}

void TestBigText::lineCap() {
  QFETCH(int, maxLines);
  QFETCH(int, purgeLines);
  QFETCH(int, adds);
  QFETCH(int, count);
  QFETCH(QByteArray, firstLine);
  QFETCH(QByteArray, error);
  TBigText view;
  view.SetMaxLines(maxLines);
  view.SetPurgeLines(purgeLines);
  std::string err;
  int failures = 0;
  for (int i = 0; i < adds; ++i) {
    if (!view.AddLine("line " + std::to_string(i), clBlack, clWindow, false, &err)) ++failures;
  }
  QCOMPARE(view.Count(), count);
  QCOMPARE(QByteArray::fromStdString(view.GetLine(0)), firstLine);
  QCOMPARE(failures, error.isEmpty() ? 0 : 1);
  QCOMPARE(QByteArray::fromStdString(err), error);
}

void TestBigText::drawing_data() {
  QTest::addColumn<bool>("fillBack");
  QTest::addColumn<int>("alignment");
  QTest::addColumn<bool>("rightEdgeInLineColour");
  QTest::addColumn<bool>("leftEdgeInLineColour");
  QTest::newRow("fill back, left") << true << int(taLeftJustify) << true << true;
  QTest::newRow("text only, left") << false << int(taLeftJustify) << false << true;
  QTest::newRow("text only, right") << false << int(taRightJustify) << true << false;
  QTest::newRow("text only, centred") << false << int(taCenter) << false << false;
}

void TestBigText::drawing() {
  QFETCH(bool, fillBack);
  QFETCH(int, alignment);
  QFETCH(bool, rightEdgeInLineColour);
  QFETCH(bool, leftEdgeInLineColour);
  auto view = MakeView(5, 40);
  QVERIFY(view);
  view->SetFillBack(fillBack);
  view->SetColor(clWhite);
  view->AddLine("XXXXXXXXXX", TTextAttributes{clBlack, clYellow, std::uint8_t(alignment), 0}, false);
  view->RecalcRange();
  const QImage image = view->viewport()->grab().toImage();
  const int y = view->CellHeight() / 2;
  const QColor yellow(255, 255, 0);
  QCOMPARE(image.pixelColor(image.width() - 1, y) == yellow, rightEdgeInLineColour);
  QCOMPARE(image.pixelColor(0, y) == yellow, leftEdgeInLineColour);
  // Below the last line the view's own colour shows.
  QCOMPARE(image.pixelColor(image.width() / 2, 3 * view->CellHeight()), QColor(Qt::white));
}

namespace {

// Whether anything is drawn on the row: a line in black on white leaves no other pixel.
bool RowHasText(const QImage& image, int top, int height) {
  for (int y = top; y < top + height && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    }
  }
  return false;
}

}  // namespace

void TestBigText::tabLineScrolledRight_data() {
  QTest::addColumn<QByteArray>("line");
  QTest::addColumn<int>("columns");
  QTest::addColumn<bool>("drawn");
  // "\tx = 1" is 6 bytes but 13 columns drawn: scrolled by 7 it still shows " x = 1".
  QTest::newRow("tab line scrolled past its byte length") << QByteArray("\tx = 1") << 7 << true;
  QTest::newRow("two tabs scrolled past their byte length") << QByteArray("\t\tEnd If") << 12 << true;
  QTest::newRow("tab line scrolled past its drawn length") << QByteArray("\tx = 1") << 14 << false;
  QTest::newRow("plain line scrolled past its length") << QByteArray("x = 1") << 7 << false;
}

void TestBigText::tabLineScrolledRight() {
  QFETCH(QByteArray, line);
  QFETCH(int, columns);
  QFETCH(bool, drawn);
  auto view = MakeView(5, 40);
  QVERIFY(view);
  view->SetColor(clWhite);
  view->AddLine(line.toStdString(), clBlack, clWhite, false);
  view->AddLine(std::string(120, '-'), clWhite, clWhite, false);  // lets the view scroll far right
  view->RecalcRange();
  view->horizontalScrollBar()->setValue(columns);
  QCOMPARE(view->HorzPos(), columns);
  const QImage image = view->viewport()->grab().toImage();
  QCOMPARE(RowHasText(image, 0, view->CellHeight()), drawn);
}

void TestBigText::mouse() {
  auto view = MakeView();
  QVERIFY(view);
  int clicks = 0;
  QList<int> downs, ups;
  connect(view.get(), &TBigText::OnClick, view.get(), [&] { ++clicks; });
  connect(view.get(), &TBigText::OnMouseDown, view.get(),
          [&](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int) { downs << int(button) << x; });
  connect(view.get(), &TBigText::OnMouseUp, view.get(),
          [&](Qt::MouseButton button, Qt::KeyboardModifiers, int, int y) { ups << int(button) << y; });
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(12, 7));
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(3, 4));
  QCOMPARE(clicks, 1);
  QCOMPARE(downs, QList<int>({int(Qt::LeftButton), 12, int(Qt::RightButton), 3}));
  QCOMPARE(ups, QList<int>({int(Qt::LeftButton), 7, int(Qt::RightButton), 4}));
}

void TestBigText::align_data() {
  QTest::addColumn<int>("align");
  QTest::addColumn<QRect>("placed");
  // Parent 300 x 200; the view starts at (10, 10), 50 x 40.
  QTest::newRow("none keeps its place") << int(alNone) << QRect(10, 10, 50, 40);
  QTest::newRow("client fills the parent") << int(alClient) << QRect(0, 0, 300, 200);
  QTest::newRow("top spans the width") << int(alTop) << QRect(0, 0, 300, 40);
  QTest::newRow("bottom spans the width") << int(alBottom) << QRect(0, 160, 300, 40);
  QTest::newRow("left spans the height") << int(alLeft) << QRect(0, 0, 50, 200);
  QTest::newRow("right spans the height") << int(alRight) << QRect(250, 0, 50, 200);
}

void TestBigText::align() {
  QFETCH(int, align);
  QFETCH(QRect, placed);
  QWidget parent;
  parent.resize(200, 100);
  auto* view = new TBigText(&parent);
  view->setGeometry(10, 10, 50, 40);
  view->SetAlign(TAlign(align));
  parent.resize(300, 200);
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  QCOMPARE(view->geometry(), placed);
}

void TestBigText::codePage() {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  QCOMPARE(ToDisplayBytes(FromDisplayBytes(all)), all);
  QCOMPARE(FromDisplayBytes("\x80\x93\x9F\xE9"), QString::fromUtf8("\u20AC\u201C\u0178\u00E9"));
  QCOMPARE(ToDisplayBytes(QString::fromUtf8("a\u6F22\U0001F600b")), std::string("a??b"));
  QCOMPARE(UpperCaseCp1252("abz \xE9\xF7\xFF\x9A\x9C\x9E"), std::string("ABZ \xC9\xF7\x9F\x8A\x8C\x8E"));
}

void TestBigText::colours_data() {
  QTest::addColumn<uint>("color");
  QTest::addColumn<QColor>("expected");
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  QTest::newRow("yellow") << uint(clYellow) << QColor(255, 255, 0);
  QTest::newRow("navy keeps blue in the high byte") << uint(clNavy) << QColor(0, 0, 128);
  QTest::newRow("silver") << uint(clSilver) << QColor(192, 192, 192);
  QTest::newRow("palette mode byte ignored") << uint(0x02000080) << QColor(128, 0, 0);
  QTest::newRow("window is the base colour") << uint(clWindow) << QColor(1, 2, 3);
  QTest::newRow("window text is the text colour") << uint(clWindowText) << QColor(4, 5, 6);
}

void TestBigText::colours() {
  QFETCH(uint, color);
  QFETCH(QColor, expected);
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  QCOMPARE(ToQColor(TColor(color), palette), expected);
}

// Figures for the performance notes; prints only, never fails on time.
void TestBigText::performance() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  std::string bytes;
  for (int i = 0; i < 100000; ++i) {
    bytes += "\tIf x" + std::to_string(i) + " = 1 Then y = \"some text of a line\" ' comment\r\n";
  }
  const std::string path = WriteFile(dir, "Big.bas", bytes);
  auto view = MakeView(40, 100);
  QVERIFY(view);

  QElapsedTimer timer;
  timer.start();
  double cpu = ThreadCpuMs();
  QVERIFY(view->LoadFromFile(path));
  const double loadMs = double(timer.nsecsElapsed()) / 1e6;
  const double loadCpuMs = ThreadCpuMs() - cpu;
  timer.restart();
  view->viewport()->repaint();
  const double paintMs = double(timer.nsecsElapsed()) / 1e6;
  QCOMPARE(view->Count(), 100000);

  // A step as the user sees it (contents moved, the one exposed row drawn when the event loop
  // flushes) and a step followed by a full repaint of every visible row; wall and CPU time in
  // microseconds per step.
  auto stepCost = [&](int top, bool fullRepaint) {
    view->ScrollToLine(top);
    view->viewport()->repaint();
    constexpr int kSteps = 400;
    QElapsedTimer steps;
    steps.start();
    const double startCpu = ThreadCpuMs();
    for (int i = 0; i < kSteps; ++i) {
      view->ScrollVert(i % 2 ? scLineUp : scLineDown);
      if (fullRepaint) {
        view->viewport()->repaint();
      } else {
        QCoreApplication::processEvents();
      }
    }
    return std::pair(double(steps.nsecsElapsed()) / kSteps / 1e3,
                     (ThreadCpuMs() - startCpu) / kSteps * 1e3);
  };
  const auto exposedAtStart = stepCost(0, false);
  const auto exposedAtEnd = stepCost(99000, false);
  const auto fullAtStart = stepCost(0, true);
  const auto fullAtEnd = stepCost(99000, true);
  qInfo("load of 100,000 lines (%zu bytes): %.1f ms (CPU %.1f ms), then the first paint: %.1f ms",
        bytes.size(), loadMs, loadCpuMs, paintMs);
  qInfo("scroll step, exposed row drawn: %.0f us (CPU %.0f) at line 0, %.0f us (CPU %.0f) at "
        "line 99,000",
        exposedAtStart.first, exposedAtStart.second, exposedAtEnd.first, exposedAtEnd.second);
  qInfo("scroll step, full repaint: %.0f us (CPU %.0f) at line 0, %.0f us (CPU %.0f) at line "
        "99,000",
        fullAtStart.first, fullAtStart.second, fullAtEnd.first, fullAtEnd.second);
}

QTEST_MAIN(TestBigText)
#include "tst_bigtext.moc"
