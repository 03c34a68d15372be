// SPDX-License-Identifier: MIT
#include "analysis/chartwindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QHorizontalStackedBarSeries>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

#include "analysis/chartseries.h"
#include "analysis/charttexts.h"
#include "displaytext.h"
#include "messages.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

// The width a bar's slot needs for its label written upwards.
constexpr int kSlotWidth = 18;
// Between the rows of lying bars, beyond the height of a name.
constexpr int kRowGap = 6;
constexpr int kAxisMargin = 120;
// Saved images are at least this large, and twice the size shown.
constexpr QSize kSmallestImage(640, 400);
constexpr int kImageScale = 2;

QPushButton* MakeButton(QWidget* parent, std::string_view text, const char* name) {
  auto* button = new QPushButton(QText(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TfrmChart::TfrmChart(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("frmChart"));

  btnClose = MakeButton(this, chartmsg::CloseButton, "btnClose");
  btnPrint = MakeButton(this, chartmsg::PrintButton, "btnPrint");
  btnSaveImage = MakeButton(this, chartmsg::SaveImageButton, "btnSaveImage");

  Chart = new QChart;
  Chart->setAnimationOptions(QChart::NoAnimation);
  Chart->legend()->hide();
  chartView = new QChartView(Chart);
  chartView->setObjectName(QStringLiteral("chartView"));
  chartView->setRenderHint(QPainter::Antialiasing);
  chartView->setMinimumSize(320, 240);
  scrollChart = new QScrollArea(this);
  scrollChart->setObjectName(QStringLiteral("scrollChart"));
  scrollChart->setWidgetResizable(true);
  scrollChart->setFrameShape(QFrame::NoFrame);
  scrollChart->setWidget(chartView);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(btnClose);
  bar->addWidget(btnPrint);
  bar->addWidget(btnSaveImage);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(scrollChart, 1);

  connect(btnClose, &QPushButton::clicked, this, &TfrmChart::btnCloseClick);
  connect(btnPrint, &QPushButton::clicked, this, &TfrmChart::btnPrintClick);
  connect(btnSaveImage, &QPushButton::clicked, this, &TfrmChart::btnSaveImageClick);
}

void TfrmChart::DetachSeries() {
  Chart->removeAllSeries();
  for (QAbstractAxis* axis : Chart->axes()) {
    Chart->removeAxis(axis);
    delete axis;
  }
  FBars = nullptr;
  FPie = nullptr;
  FLabelAxis = nullptr;
}

void TfrmChart::ShowBarChart(const std::vector<TChartPoint>& points) {
  DetachSeries();
  FPoints = points;
  FLayout = BarChartLayoutFor(points.size());
  // Lying bars are laid out from the bottom up: given in reverse, they read from the top down in
  // project order, as the list of files does.
  std::vector<TChartPoint> shown = points;
  if (FLayout.Horizontal) std::reverse(shown.begin(), shown.end());
  if (FLayout.Horizontal) {
    FBars = MakeHorizontalBarSeries(shown);
  } else {
    FBars = MakeBarSeries(shown);
  }
  Chart->addSeries(FBars);

  auto* labels = new QBarCategoryAxis;
  labels->append(CategoryLabels(shown));
  labels->setLabelsAngle(FLayout.LabelAngle);
  labels->setGridLineVisible(false);
  // A name is shown whole: the chart makes room for it rather than cutting it short.
  labels->setTruncateLabels(false);
  Chart->addAxis(labels, FLayout.Horizontal ? Qt::AlignLeft : Qt::AlignBottom);
  FBars->attachAxis(labels);
  FLabelAxis = labels;

  auto* values = new QValueAxis;
  double low = 0, high = 1;
  for (const TChartPoint& point : points) {
    low = std::min(low, point.Value);
    high = std::max(high, point.Value);
  }
  values->setRange(low, high);
  values->applyNiceNumbers();
  values->setLabelFormat(QStringLiteral("%.0f"));
  Chart->addAxis(values, FLayout.Horizontal ? Qt::AlignBottom : Qt::AlignLeft);
  FBars->attachAxis(values);

  connect(FBars, &QAbstractBarSeries::hovered, this, [this](bool hovered, int index) {
    const int count = static_cast<int>(FPoints.size());
    ShowHint(hovered, FLayout.Horizontal ? count - 1 - index : index);
  });
  FitWidthToPoints();
}

void TfrmChart::ShowPieChart(const std::vector<TChartPoint>& points) {
  DetachSeries();
  FPoints = points;
  FPie = MakePieSeries(points);
  FPie->setPieSize(0.6);
  Chart->addSeries(FPie);
  const QList<QPieSlice*> slices = FPie->slices();
  for (int i = 0; i < slices.size(); ++i) {
    connect(slices[i], &QPieSlice::hovered, this, [this, i](bool shown) { ShowHint(shown, i); });
  }
  FitWidthToPoints();
}

void TfrmChart::SetChartTitle(std::string_view title) {
  QFont font = Chart->titleFont();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  Chart->setTitleFont(font);
  Chart->setTitle(FromDisplayBytes(title));
}

void TfrmChart::FitWidthToPoints() {
  const int bars = FBars ? static_cast<int>(FPoints.size()) : 0;
  if (FBars && FLayout.Horizontal) {
    // One row per name: the chart grows taller than the window, which scrolls down; its width
    // follows the window, so the title stays in sight.
    const int row = QFontMetrics(FLabelAxis ? FLabelAxis->labelsFont() : font()).height() + kRowGap;
    chartView->setMinimumSize(320, std::max(240, bars * row + kAxisMargin));
    scrollChart->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return;
  }
  // Upright bars need a slot wide enough for the name written upwards.
  chartView->setMinimumSize(std::max(320, bars * kSlotWidth + kAxisMargin), 240);
  scrollChart->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TfrmChart::ShowHint(bool shown, int index) {
  if (!shown || index < 0 || static_cast<std::size_t>(index) >= FPoints.size()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(QCursor::pos(), FromDisplayBytes(ChartPointHint(FPoints[static_cast<std::size_t>(index)])), chartView);
}

void TfrmChart::btnCloseClick() { CloseViewerWindow(this); }

bool TfrmChart::PrintChart(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  chartView->render(&painter, page, chartView->viewport()->rect(), Qt::KeepAspectRatio);
  return painter.end();
}

void TfrmChart::btnPrintClick() {
  TBusyScope busy(ViewerPrompts());
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(Chart->title());
  if (!PrintChart(printer)) ViewerPrompts().Show(TMsgKind::Error, std::string(chartmsg::UnableToPrint));
}

bool TfrmChart::SaveImage(const QString& fileName) {
  const QSize shown = chartView->viewport()->size();
  bool saved = false;
  if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(shown);
    generator.setViewBox(QRect(QPoint(0, 0), shown));
    generator.setTitle(Chart->title());
    QPainter painter;
    if (painter.begin(&generator)) {
      chartView->render(&painter, QRectF(QPointF(0, 0), shown), chartView->viewport()->rect());
      saved = painter.end();
    }
  } else {
    const QSize size = shown.expandedTo(kSmallestImage) * kImageScale;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    chartView->render(&painter, QRectF(image.rect()), chartView->viewport()->rect(), Qt::KeepAspectRatio);
    painter.end();
    saved = image.save(fileName, "PNG");
  }
  if (!saved) ViewerPrompts().Show(TMsgKind::Error, msg::Format(chartmsg::UnableToSaveImage, ToDisplayBytes(fileName)));
  return saved;
}

void TfrmChart::btnSaveImageClick() {
  QString filter;
  QString fileName = QFileDialog::getSaveFileName(this, QText(chartmsg::SaveImageTitle),
                                                  Chart->title() + QStringLiteral(".png"),
                                                  QText(chartmsg::SaveImageFilter), &filter);
  if (fileName.isEmpty()) return;
  if (QFileInfo(fileName).suffix().isEmpty()) {
    fileName += filter.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
  }
  SaveImage(fileName);
}

}  // namespace qm
