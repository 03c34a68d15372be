// SPDX-License-Identifier: MIT
#include "analysis/chartwindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

#include "analysis/chartseries.h"
#include "analysis/charttexts.h"
#include "cp1252.h"
#include "messages.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

// The width a bar's slot needs for its label written upwards.
constexpr int kSlotWidth = 18;
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
}

void TfrmChart::ShowBarChart(const std::vector<TChartPoint>& points) {
  DetachSeries();
  FPoints = points;
  FBars = MakeBarSeries(points);
  Chart->addSeries(FBars);

  auto* labels = new QBarCategoryAxis;
  labels->append(CategoryLabels(points));
  labels->setLabelsAngle(-90);
  labels->setGridLineVisible(false);
  Chart->addAxis(labels, Qt::AlignBottom);
  FBars->attachAxis(labels);

  auto* values = new QValueAxis;
  double low = 0, high = 1;
  for (const TChartPoint& point : points) {
    low = std::min(low, point.Value);
    high = std::max(high, point.Value);
  }
  values->setRange(low, high);
  values->applyNiceNumbers();
  values->setLabelFormat(QStringLiteral("%.0f"));
  Chart->addAxis(values, Qt::AlignLeft);
  FBars->attachAxis(values);

  connect(FBars, &QStackedBarSeries::hovered, this, [this](bool shown, int index) { ShowHint(shown, index); });
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
  Chart->setTitle(FromCp1252(title));
}

void TfrmChart::FitWidthToPoints() {
  // With many bars the chart grows wider than the window, and the window scrolls.
  const int wanted = FBars ? static_cast<int>(FPoints.size()) * kSlotWidth + kAxisMargin : 0;
  chartView->setMinimumWidth(std::max(320, wanted));
}

void TfrmChart::ShowHint(bool shown, int index) {
  if (!shown || index < 0 || static_cast<std::size_t>(index) >= FPoints.size()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(QCursor::pos(), FromCp1252(ChartPointHint(FPoints[static_cast<std::size_t>(index)])), chartView);
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
  if (!saved) ViewerPrompts().Show(TMsgKind::Error, msg::Format(chartmsg::UnableToSaveImage, ToCp1252(fileName)));
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
