// SPDX-License-Identifier: MIT
#include "analysis/chartselector.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedBarSeries>
#include <QVBoxLayout>

#include "analysis/chartseries.h"
#include "analysis/charttexts.h"
#include "analysis/chartwindow.h"
#include "displaytext.h"
#include "project/sourcemgt.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

constexpr int kSampleValues = 10;

// Ten sample values between 10 and 100, the same on every start.
std::vector<TChartPoint> SamplePoints() {
  std::vector<TChartPoint> points;
  unsigned state = 12345;
  for (int i = 0; i < kSampleValues; ++i) {
    state = state * 1103515245u + 12345u;
    points.push_back({std::to_string(i + 1), static_cast<double>(10 + (state >> 16) % 91), false});
  }
  return points;
}

}  // namespace

TfrmChartSelector::TfrmChartSelector(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmChartSelector"));
  setWindowTitle(QText(chartmsg::SelectorCaption));
  setModal(true);

  lbxChoices = new QListWidget(this);
  lbxChoices->setObjectName(QStringLiteral("lbxChoices"));
  for (int kind = 0; kind < kChartKindCount; ++kind) {
    lbxChoices->addItem(QText(ChartInfo(static_cast<TChartKind>(kind)).ListText));
  }
  memoDescription = new QPlainTextEdit(this);
  memoDescription->setObjectName(QStringLiteral("memoDescription"));
  memoDescription->setReadOnly(true);
  memoDescription->setMaximumHeight(72);

  SampleChart = new QChart;
  SampleChart->setTitle(QText(chartmsg::SampleTitle));
  SampleChart->legend()->hide();
  SampleChart->setAnimationOptions(QChart::NoAnimation);
  SampleChart->setBackgroundRoundness(0);
  SampleChart->setBackgroundPen(Qt::NoPen);
  SampleChart->setMargins(QMargins(2, 2, 2, 2));
  chartSample = new QChartView(SampleChart);
  chartSample->setObjectName(QStringLiteral("chartSample"));
  chartSample->setRenderHint(QPainter::Antialiasing);
  chartSample->setFrameShape(QFrame::NoFrame);
  chartSample->setMinimumSize(200, 150);
  lblSampleFoot = new QLabel(QText(chartmsg::SampleFoot));
  lblSampleFoot->setObjectName(QStringLiteral("lblSampleFoot"));
  lblSampleFoot->setAlignment(Qt::AlignHCenter);
  QFont foot = lblSampleFoot->font();
  foot.setItalic(true);
  lblSampleFoot->setFont(foot);
  lblSampleFoot->setStyleSheet(QStringLiteral("color: red; background: white;"));
  auto* sample = new QWidget(this);
  sample->setObjectName(QStringLiteral("pnlSample"));
  sample->setAutoFillBackground(true);
  QPalette white = sample->palette();
  white.setColor(QPalette::Window, Qt::white);
  sample->setPalette(white);
  auto* sampleLayout = new QVBoxLayout(sample);
  sampleLayout->setContentsMargins(0, 0, 0, 4);
  sampleLayout->setSpacing(0);
  sampleLayout->addWidget(chartSample, 1);
  sampleLayout->addWidget(lblSampleFoot);

  btnCreateChart = new QPushButton(QText(chartmsg::Create), this);
  btnCreateChart->setObjectName(QStringLiteral("btnCreateChart"));
  btnCreateChart->setDefault(true);
  btnClose = new QPushButton(QText(chartmsg::Close), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnCreateChart);
  buttons->addWidget(btnClose);
  auto* grid = new QGridLayout(this);
  grid->addWidget(lbxChoices, 0, 0);
  grid->addWidget(memoDescription, 1, 0);
  grid->addWidget(sample, 0, 1, 2, 1);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  resize(560, 320);

  // A click makes a row current before it selects it: the choice is read once the selection has
  // followed, for the mouse as for the keyboard.
  connect(lbxChoices, &QListWidget::itemSelectionChanged, this, [this] { lbxChoicesClick(); });
  connect(lbxChoices, &QListWidget::itemDoubleClicked, this, [this] { btnCreateChartClick(); });
  connect(btnCreateChart, &QPushButton::clicked, this, [this] { btnCreateChartClick(); });
  connect(btnClose, &QPushButton::clicked, this, &TfrmChartSelector::btnCloseClick);

  FormCreate();
}

void TfrmChartSelector::FormCreate() {
  const std::vector<TChartPoint> points = SamplePoints();
  FBarSample = MakeBarSeries(points);
  FBarSample->setParent(this);
  FPieSample = MakePieSeries(points);
  FPieSample->setParent(this);
  for (QPieSlice* slice : FPieSample->slices()) slice->setLabelVisible(false);
}

void TfrmChartSelector::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

// Every showing starts with the first kind chosen, also after it was deselected (Ctrl+click).
void TfrmChartSelector::FormShow() {
  {
    const QSignalBlocker quiet(lbxChoices);
    lbxChoices->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  }
  lbxChoicesClick();
}

int TfrmChartSelector::SelectedKind() const {
  const int row = lbxChoices->currentRow();
  return row < 0 || !lbxChoices->item(row)->isSelected() ? static_cast<int>(TChartKind::None) : row;
}

bool TfrmChartSelector::BarSampleShown() const { return SampleChart->series().contains(FBarSample); }
bool TfrmChartSelector::PieSampleShown() const { return SampleChart->series().contains(FPieSample); }

void TfrmChartSelector::AttachSample(QAbstractSeries* series, bool attach) {
  const bool attached = SampleChart->series().contains(series);
  if (attach && !attached) {
    SampleChart->addSeries(series);
  } else if (!attach && attached) {
    SampleChart->removeSeries(series);
    // Detached, the series is the dialog's again.
    series->setParent(this);
  }
}

void TfrmChartSelector::lbxChoicesClick() {
  AttachSample(FBarSample, false);
  AttachSample(FPieSample, false);
  memoDescription->clear();
  const int kind = SelectedKind();
  if (kind < 0 || kind >= kChartKindCount) return;
  const TChartInfo& info = ChartInfo(static_cast<TChartKind>(kind));
  AttachSample(info.Sample == TSeriesKind::Pie ? static_cast<QAbstractSeries*>(FPieSample) : FBarSample, true);
  QStringList lines;
  for (std::string_view line : info.Description) lines << QText(line);
  memoDescription->setPlainText(lines.join(QLatin1Char('\n')));
  memoDescription->moveCursor(QTextCursor::Start);
  memoDescription->ensureCursorVisible();
}

TfrmChart* TfrmChartSelector::btnCreateChartClick() {
  const int kind = SelectedKind();
  TSourceMgt* project = Project ? Project() : nullptr;
  if (const std::optional<TChartRefusal> refusal = CheckChartRequest(kind, project)) {
    ViewerPrompts().Show(refusal->Kind, std::string(refusal->Text));
    return nullptr;
  }
  const TChartInfo& info = ChartInfo(static_cast<TChartKind>(kind));
  auto* chart = new TfrmChart;
  {
    TBusyScope busy(ViewerPrompts());
    const std::vector<TChartPoint> points = BuildChartPoints(*project, static_cast<TChartKind>(kind));
    chart->setWindowTitle(QText(info.Caption));
    if (info.Series == TSeriesKind::Pie) {
      chart->ShowPieChart(points);
    } else {
      chart->ShowBarChart(points);
    }
    chart->SetChartTitle(info.Title);
  }
  if (ShowChart) {
    ShowChart(chart);
  } else {
    chart->show();
  }
  return chart;
}

void TfrmChartSelector::btnCloseClick() { reject(); }

}  // namespace qm
