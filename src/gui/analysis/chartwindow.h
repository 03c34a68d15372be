// SPDX-License-Identifier: MIT
#pragma once

// A chart window: one statistic of the project as bars or as a pie, a snapshot taken when it was
// made. A child window of the main window; several can be open at once.

#include <QWidget>

#include <string>
#include <vector>

#include "analysis/statistics.h"

class QPrinter;
class QPushButton;
class QScrollArea;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QAbstractBarSeries;
class QBarCategoryAxis;
class QPieSeries;
QT_END_NAMESPACE

namespace qm {

class TfrmChart : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmChart(QWidget* parent = nullptr);

  QPushButton* btnClose = nullptr;
  QPushButton* btnPrint = nullptr;
  QPushButton* btnSaveImage = nullptr;
  QScrollArea* scrollChart = nullptr;
  QChartView* chartView = nullptr;
  QChart* Chart = nullptr;

  // Replace the series shown by bars or a pie of the points.
  void ShowBarChart(const std::vector<TChartPoint>& points);
  void ShowPieChart(const std::vector<TChartPoint>& points);
  void SetChartTitle(std::string_view title);

  // The series attached, if any.
  // Upright bars (a QStackedBarSeries) or, for many points, lying ones
  // (a QHorizontalStackedBarSeries).
  QAbstractBarSeries* BarSeries() const { return FBars; }
  // The axis that names the bars, if bars are shown.
  QBarCategoryAxis* LabelAxis() const { return FLabelAxis; }
  const TBarChartLayout& BarLayout() const { return FLayout; }
  QPieSeries* PieSeries() const { return FPie; }
  const std::vector<TChartPoint>& Points() const { return FPoints; }

  void btnCloseClick();
  // Prints the chart at once on the default printer, landscape, one page, under the busy cursor.
  void btnPrintClick();
  // Asks for a file name and saves the chart as PNG or SVG.
  void btnSaveImageClick();

  // Draws the chart on one page of the printer, scaled to fit; false when it cannot print.
  bool PrintChart(QPrinter& printer);
  // Saves the chart under the name: SVG for a name ending in .svg, else PNG at twice the size
  // shown. False, with a message, when the file cannot be written.
  bool SaveImage(const QString& fileName);

 private:
  void DetachSeries();
  void ShowHint(bool shown, int index);
  void FitWidthToPoints();

  std::vector<TChartPoint> FPoints;
  QAbstractBarSeries* FBars = nullptr;
  QBarCategoryAxis* FLabelAxis = nullptr;
  TBarChartLayout FLayout;
  QPieSeries* FPie = nullptr;
};

}  // namespace qm
