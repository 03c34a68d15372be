// SPDX-License-Identifier: MIT
// The chart selector and the chart windows on the example project: the selector's texts, samples
// and messages, Create of every kind, saving images and printing.

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFontMetrics>
#include <QHorizontalStackedBarSeries>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "analysis/chartselector.h"
#include "analysis/chartseries.h"
#include "analysis/chartwindow.h"
#include "messages.h"
#include "project/sourcemgt.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"
#include "temp_dir.h"
#include "viewers/viewerservices.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

struct Message {
  TMsgKind Kind;
  std::string Text;
};

class RecordingPrompts : public IPrompts {
 public:
  TAnswer Ask(TMsgKind kind, TButtons, const std::string& text) override {
    Messages.push_back({kind, text});
    return TAnswer::Ok;
  }
  void BeginBusy() override { ++Busy; }
  void EndBusy() override { --Busy; }
  std::vector<Message> Messages;
  int Busy = 0;
};

// The values of the bars in category order (the bars are spread over their colour's sets).
QList<qreal> BarValues(const QAbstractBarSeries& series) {
  QList<qreal> values;
  const QList<QBarSet*> sets = series.barSets();
  if (sets.isEmpty()) return values;
  for (int i = 0; i < sets.front()->count(); ++i) {
    qreal sum = 0;
    for (QBarSet* set : sets) sum += set->at(i);
    values << sum;
  }
  return values;
}

}  // namespace

class TestCharts : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void selectorTextsAndSample();
  void choosingAKindShowsItsSample_data();
  void choosingAKindShowsItsSample();
  void clickingAKindShowsItsSample();
  void reopeningAfterADeselectChoosesTheFirstKind();
  void createRefusesWithTheFourMessages_data();
  void createRefusesWithTheFourMessages();
  void createOpensAChartWindow_data();
  void createOpensAChartWindow();
  void chartsCommandShowsTheSelectorModally();
  void everyBarItsOwnColourAndDistinctLabels();
  void manyFilesNameEveryBar();
  void saveImageWritesPngAndSvg();
  void printDrawsOnePage();

 private:
  TSourceMgt* OpenExample();

  RecordingPrompts prompts_;
  QStringList modal_;
  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<TQuillmateWindows> windows_;
};

void TestCharts::init() {
  dir_ = std::make_unique<test::TempDir>();
  windows_ = std::make_unique<TQuillmateWindows>();
  prompts_ = RecordingPrompts();
  modal_.clear();
  windows_->frmMain->SetPrompts(&prompts_);
  ViewerServices().Prompts = &prompts_;
  ViewerServices().ExecModal = [this](QDialog& dialog) {
    modal_ << QString::fromLatin1(dialog.metaObject()->className());
    dialog.show();
    return int(QDialog::Rejected);
  };
}

void TestCharts::cleanup() {
  QVERIFY2(prompts_.Messages.empty(), prompts_.Messages.empty() ? "" : prompts_.Messages.front().Text.c_str());
  QCOMPARE(prompts_.Busy, 0);
  windows_.reset();
  ViewerServices() = TViewerServices();
  dir_.reset();
}

TSourceMgt* TestCharts::OpenExample() {
  const fs::path target = fs::path(dir_->Dir()) / "vb4";
  fs::copy(EXAMPLES_DIR "/vb4", target, fs::copy_options::recursive);
  if (!windows_->frmMain->OpenProject((target / "Inventory.vbp").string())) return nullptr;
  return windows_->frmMain->Project();
}

void TestCharts::selectorTextsAndSample() {
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  QStringList texts;
  for (int i = 0; i < selector.lbxChoices->count(); ++i) texts << selector.lbxChoices->item(i)->text();
  QCOMPARE(texts, (QStringList{"File sizes of each module", "Type of files in the project", "Routines per module",
                               "Globals per module", "Lines of code per module", "% of comments to code per module",
                               "% of whitespace to code per module"}));
  QCOMPARE(selector.SampleChart->title(), QStringLiteral("Chart Sample"));
  QCOMPARE(selector.lblSampleFoot->text(), QStringLiteral("Quillmate/VB"));
  QVERIFY(selector.lblSampleFoot->font().italic());
  QVERIFY(selector.lblSampleFoot->styleSheet().contains(QLatin1String("color: red")));
  QVERIFY(selector.SampleChart->axes().isEmpty());
  QVERIFY(!selector.SampleChart->legend()->isVisible());
  QCOMPARE(BarValues(*selector.BarSample()).size(), 10);
  QCOMPARE(selector.PieSample()->count(), 10);
  QCOMPARE(selector.btnCreateChart->text(), QStringLiteral("C&reate"));
  QVERIFY(selector.btnCreateChart->isDefault());
  QCOMPARE(selector.btnClose->text(), QStringLiteral("&Close"));

  // Every showing starts with the first kind; Escape closes.
  selector.lbxChoices->setCurrentRow(4);
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  QCOMPARE(selector.SelectedKind(), 0);
  QCOMPARE(selector.memoDescription->toPlainText(),
           QStringLiteral("Produce a bar graph of all of\nthe files in the project along\nwith their respective sizes."));
  QTest::keyClick(&selector, Qt::Key_Escape);
  QVERIFY(!selector.isVisible());
}

void TestCharts::choosingAKindShowsItsSample_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<bool>("pie");
  QTest::addColumn<QString>("description");
  QTest::newRow("sizes") << 0 << false << "Produce a bar graph of all of\nthe files in the project along\nwith their respective sizes.";
  QTest::newRow("types") << 1 << true << "Create a pie chart that breaks\ndown files by their extension.";
  QTest::newRow("routines") << 2 << false << "Produce a bar graph showing\n# of routines in each file.";
  QTest::newRow("globals: described as pie, sampled as bars") << 3 << false
                                                             << "Create a pie chart showing\n# of globals in each file.";
  QTest::newRow("lines") << 4 << false << "Create a bar graph showing each\nmodule with its lines of code.";
  QTest::newRow("comments") << 5 << false << "Create a bar graph showing\n% of comments vs. code.";
  QTest::newRow("whitespace") << 6 << false << "Create a bar graph showing\n% of whitespace vs. code.";
}

void TestCharts::choosingAKindShowsItsSample() {
  QFETCH(int, kind);
  QFETCH(bool, pie);
  QFETCH(QString, description);
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  selector.lbxChoices->setCurrentRow(kind == 1 ? 2 : 1);
  selector.lbxChoices->setCurrentRow(kind);
  QCOMPARE(selector.PieSampleShown(), pie);
  QCOMPARE(selector.BarSampleShown(), !pie);
  QCOMPARE(selector.SampleChart->series().size(), 1);
  QCOMPARE(selector.memoDescription->toPlainText(), description);
}

// The mouse chooses as the keyboard does: a click on a name shows its description and sample.
void TestCharts::clickingAKindShowsItsSample() {
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  QListWidget* list = selector.lbxChoices;
  for (int kind : {2, 1, 5}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(kind)).center());
    QCOMPARE(selector.SelectedKind(), kind);
    QVERIFY(!selector.memoDescription->toPlainText().isEmpty());
    QCOMPARE(selector.memoDescription->toPlainText().split(QLatin1Char('\n')).front(),
             QText(ChartInfo(static_cast<TChartKind>(kind)).Description.front()));
    QCOMPARE(selector.PieSampleShown(), kind == 1);
  }
  selector.hide();
}

// The first kind deselected with Ctrl+click: the next showing chooses it again, and Create makes
// its chart instead of asking for a choice.
void TestCharts::reopeningAfterADeselectChoosesTheFirstKind() {
  QVERIFY(OpenExample());
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  QListWidget* list = selector.lbxChoices;
  QCOMPARE(selector.SelectedKind(), 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(list->item(0)).center());
  QCOMPARE(selector.SelectedKind(), int(TChartKind::None));
  QVERIFY(selector.memoDescription->toPlainText().isEmpty());
  selector.hide();
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  QCOMPARE(selector.SelectedKind(), 0);
  QVERIFY(selector.BarSampleShown());
  QVERIFY(!selector.memoDescription->toPlainText().isEmpty());
  QTest::mouseClick(selector.btnCreateChart, Qt::LeftButton);
  QVERIFY(prompts_.Messages.empty());
  QTRY_COMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 1);
  selector.hide();
}

void TestCharts::createRefusesWithTheFourMessages_data() {
  QTest::addColumn<int>("setup");  // 0 nothing chosen, 1 no project, 2 project without items
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("text");
  QTest::newRow("nothing chosen") << 0 << int(TMsgKind::Information) << QString::fromLatin1(msg::ChartNothingSelected.data());
  QTest::newRow("no project") << 1 << int(TMsgKind::Warning) << QString::fromLatin1(msg::ChartNoProject.data());
  QTest::newRow("no items") << 2 << int(TMsgKind::Warning) << QString::fromLatin1(msg::ChartNoCode.data());
}

void TestCharts::createRefusesWithTheFourMessages() {
  QFETCH(int, setup);
  QFETCH(int, kind);
  QFETCH(QString, text);
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  TSourceMgt empty;
  if (setup == 0) {
    QVERIFY(OpenExample());
    selector.lbxChoices->setCurrentRow(-1);
  } else {
    selector.lbxChoices->setCurrentRow(0);
    if (setup == 2) selector.Project = [&empty] { return &empty; };
  }
  QCOMPARE(selector.btnCreateChartClick(), nullptr);
  QCOMPARE(prompts_.Messages.size(), std::size_t(1));
  QCOMPARE(int(prompts_.Messages.front().Kind), kind);
  QCOMPARE(QString::fromStdString(prompts_.Messages.front().Text), text);
  prompts_.Messages.clear();
  QCOMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 0);
}

void TestCharts::createOpensAChartWindow_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QList<qreal>>("values");  // empty for the pie
  QTest::addColumn<QStringList>("labels");
  const QStringList items = {"frmMain.frm", "frmAbout.frm", "UTILS.BAS", "STOCK.BAS", "CItem.cls"};
  QTest::newRow("sizes") << 0 << "Chart: Files in project by size" << "Files in project by size" << QList<qreal>{}
                         << items;
  QTest::newRow("types") << 1 << "Chart: Files in project by type of file" << "Files in project by type of file"
                         << QList<qreal>{2, 1, 2} << QStringList{".BAS 40 %", ".cls 20 %", ".frm 40 %"};
  QTest::newRow("routines") << 2 << "Chart: Routines per module" << "Routines per module" << QList<qreal>{} << items;
  QTest::newRow("globals") << 3 << "Chart: Globals per module" << "Globals per module" << QList<qreal>{} << items;
  QTest::newRow("lines") << 4 << "Chart: Lines of code per file" << "Lines of code per file" << QList<qreal>{} << items;
  QTest::newRow("comments") << 5 << "Chart: Percent of comments vs. code" << "Percent of comments vs. code"
                            << QList<qreal>{} << items;
  QTest::newRow("whitespace") << 6 << "Chart: Percent of whitespace vs. code" << "Percent of whitespace vs. code"
                              << QList<qreal>{} << items;
}

void TestCharts::createOpensAChartWindow() {
  QFETCH(int, kind);
  QFETCH(QString, caption);
  QFETCH(QString, title);
  QFETCH(QList<qreal>, values);
  QFETCH(QStringList, labels);
  TSourceMgt* project = OpenExample();
  QVERIFY(project);
  TfrmChartSelector& selector = *windows_->frmChartSelector;
  selector.lbxChoices->setCurrentRow(kind);
  TfrmChart* chart = selector.btnCreateChartClick();
  QVERIFY(chart);
  QCOMPARE(prompts_.Busy, 0);
  QCOMPARE(windows_->frmMain->mdiClient->activeSubWindow()->widget(), chart);
  QCOMPARE(chart->windowTitle(), caption);
  QCOMPARE(chart->Chart->title(), title);
  QCOMPARE(chart->Chart->series().size(), 1);
  const std::vector<TChartPoint> points = BuildChartPoints(*project, static_cast<TChartKind>(kind));
  if (kind == 1) {
    QVERIFY(chart->PieSeries() && !chart->BarSeries());
    QStringList marks;
    QList<qreal> slices;
    for (QPieSlice* slice : chart->PieSeries()->slices()) {
      marks << slice->label();
      slices << slice->value();
      QVERIFY(slice->isLabelVisible());
    }
    QCOMPARE(marks, labels);
    QCOMPARE(slices, values);
  } else {
    QVERIFY(chart->BarSeries() && !chart->PieSeries());
    QList<qreal> expected;
    for (const TChartPoint& point : points) expected << point.Value;
    QCOMPARE(BarValues(*chart->BarSeries()), expected);
    QCOMPARE(BarValues(*chart->BarSeries()).size(), 5);
    QVERIFY(!chart->BarSeries()->isLabelsVisible());
    QCOMPARE(chart->BarSeries()->barWidth(), 0.4);
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->Chart->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QCOMPARE(axis->categories(), labels);
    QCOMPARE(axis->labelsAngle(), -90);
  }
  // Several at once, each a snapshot.
  QVERIFY(selector.btnCreateChartClick());
  QCOMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 2);
  for (RFile* item : project->Items()) QVERIFY(!item->Loaded);
}

void TestCharts::chartsCommandShowsTheSelectorModally() {
  QVERIFY(OpenExample());
  QAction* charts = windows_->frmMain->ToolbarAction(TShellCommand::Charts);
  QVERIFY(charts->isEnabled());
  charts->trigger();
  QCOMPARE(modal_, QStringList{"qm::TfrmChartSelector"});
  QCOMPARE(windows_->frmChartSelector->SelectedKind(), 0);
  QListWidget* list = windows_->frmChartSelector->lbxChoices;
  const QPoint at = list->visualItemRect(list->item(4)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  QTRY_COMPARE(windows_->frmMain->mdiClient->subWindowList().size(), 1);
  QCOMPARE(windows_->frmMain->mdiClient->subWindowList().front()->widget()->windowTitle(),
           QStringLiteral("Chart: Lines of code per file"));
}

void TestCharts::everyBarItsOwnColourAndDistinctLabels() {
  std::vector<TChartPoint> points;
  for (int i = 0; i < 40; ++i) points.push_back({i % 2 ? "Same.bas" : "Form" + std::to_string(i) + ".frm", double(i), false});
  TfrmChart chart;
  chart.ShowBarChart(points);
  const QList<QBarSet*> sets = chart.BarSeries()->barSets();
  // Neighbouring bars never share a colour; the colours repeat only after the palette.
  for (int i = 1; i < 40; ++i) QVERIFY(PointColor(std::size_t(i)) != PointColor(std::size_t(i - 1)));
  for (int i = 0; i < 40; ++i) {
    int holders = 0;
    for (QBarSet* set : sets) holders += set->at(i) != 0 ? 1 : 0;
    QVERIFY(holders <= 1);
  }
  // Many bars lie across the chart, one row each: the chart grows taller, never wider.
  auto* axis = qobject_cast<QBarCategoryAxis*>(chart.Chart->axes(Qt::Vertical).value(0));
  QVERIFY(axis);
  QCOMPARE(axis->count(), 40);
  QVERIFY(chart.chartView->minimumHeight() >= 40 * QFontMetrics(axis->labelsFont()).height());
  QCOMPARE(chart.chartView->minimumWidth(), 320);
}

// A project of fifty files: every bar is named, level and whole, beside its bar; the chart fits the
// window's width with its title in sight; the pointer on a bar shows its name and value; a saved
// image holds the whole chart.
void TestCharts::manyFilesNameEveryBar() {
  std::vector<TChartPoint> points;
  for (int i = 0; i < 50; ++i) {
    points.push_back({(i % 3 ? "frmCustomerOrder" : "modReportPrinting") + std::to_string(i) + (i % 3 ? ".frm" : ".bas"),
                      double(100 + 37 * i % 900), false});
  }
  auto* chart = new TfrmChart;
  chart->setWindowTitle(QStringLiteral("Chart: Lines of code per file"));
  chart->ShowBarChart(points);
  chart->SetChartTitle("Lines of code per file");
  windows_->frmMain->resize(900, 700);
  windows_->frmMain->show();
  QVERIFY(QTest::qWaitForWindowExposed(windows_->frmMain.get()));
  windows_->frmMain->AddViewer(chart);
  QMdiSubWindow* sub = windows_->frmMain->mdiClient->subWindowList().value(0);
  QVERIFY(sub);
  sub->resize(640, 560);
  QTest::qWait(50);

  QVERIFY(chart->BarLayout().Horizontal);
  QVERIFY(qobject_cast<QHorizontalStackedBarSeries*>(chart->BarSeries()));
  QBarCategoryAxis* axis = chart->LabelAxis();
  QVERIFY(axis);
  QCOMPARE(axis->count(), 50);
  // Categories count from the bottom: the first file stands on top.
  QCOMPARE(axis->categories().back(), QStringLiteral("modReportPrinting0.bas"));
  QCOMPARE(axis->categories().front(), QStringLiteral("frmCustomerOrder49.frm"));
  QCOMPARE(axis->labelsAngle(), 0);
  QVERIFY(!axis->truncateLabels());
  // The chart is as wide as the window (no sideways scrolling) and starts with its title.
  QVERIFY(chart->chartView->width() <= chart->scrollChart->viewport()->width());
  QCOMPARE(chart->scrollChart->verticalScrollBar()->value(), 0);
  QVERIFY(chart->Chart->plotArea().top() > QFontMetrics(chart->Chart->titleFont()).height());
  // Rows high enough for their names.
  QVERIFY(chart->Chart->plotArea().height() / 50 >= QFontMetrics(axis->labelsFont()).height());

  // The pointer on a bar (the eighth from the bottom): its name and value.
  emit chart->BarSeries()->hovered(true, 7, chart->BarSeries()->barSets().value(0));
  QTRY_VERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), QString::fromStdString(ChartPointHint(points[42])));
  emit chart->BarSeries()->hovered(false, 7, chart->BarSeries()->barSets().value(0));

  const QString png = QString::fromStdString(*dir_ / "many.png");
  QVERIFY(chart->SaveImage(png));
  QImage image;
  QVERIFY(image.load(png));
  QVERIFY(image.height() >= chart->chartView->height());

  if (const QByteArray shots = qgetenv("QUILLMATE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    windows_->frmMain->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/screenshot-chart-50-files.png"));
    image.save(QString::fromLocal8Bit(shots) + QStringLiteral("/chart-50-files-saved.png"));
  }
}

void TestCharts::saveImageWritesPngAndSvg() {
  TfrmChart chart;
  chart.ShowBarChart({{"A.frm", 3, false}, {"B.bas", 5, false}});
  chart.SetChartTitle("Routines per module");
  chart.resize(500, 400);
  chart.show();
  QVERIFY(QTest::qWaitForWindowExposed(&chart));
  const QString png = QString::fromStdString(*dir_ / "chart.png");
  QVERIFY(chart.SaveImage(png));
  QImage image;
  QVERIFY(image.load(png));
  QVERIFY(image.width() >= chart.chartView->viewport()->width());
  QVERIFY(image.height() >= chart.chartView->viewport()->height());
  const QString svg = QString::fromStdString(*dir_ / "chart.svg");
  QVERIFY(chart.SaveImage(svg));
  QFile file(svg);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  QVERIFY(text.contains("<svg"));
  QVERIFY(text.contains("Routines per module"));

  QVERIFY(!chart.SaveImage(QString::fromStdString(*dir_ / "missing/dir/chart.png")));
  QCOMPARE(prompts_.Messages.size(), std::size_t(1));
  QCOMPARE(int(prompts_.Messages.front().Kind), int(TMsgKind::Error));
  prompts_.Messages.clear();
}

void TestCharts::printDrawsOnePage() {
  TfrmChart chart;
  chart.ShowPieChart({{".BAS", 2, false}, {".frm", 1, false}});
  chart.show();
  QVERIFY(QTest::qWaitForWindowExposed(&chart));
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageOrientation(QPageLayout::Landscape);
  const std::string pdf = *dir_ / "chart.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  QVERIFY(chart.PrintChart(printer));
  QFile file(QString::fromStdString(pdf));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("%PDF"));
  QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
}

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
