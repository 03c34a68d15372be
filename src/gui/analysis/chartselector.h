// SPDX-License-Identifier: MIT
#pragma once

// The chart selector: the seven statistics of the project, a description and a small sample of
// the chosen one, and Create, which opens a chart window of it. Created once at start-up and shown
// modally; every showing starts with the first statistic chosen.

#include <QDialog>

#include <functional>

#include "analysis/statistics.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

QT_BEGIN_NAMESPACE
class QAbstractSeries;
class QChart;
class QChartView;
class QPieSeries;
class QStackedBarSeries;
QT_END_NAMESPACE

namespace qm {

class TSourceMgt;
class TfrmChart;

class TfrmChartSelector : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmChartSelector(QWidget* parent = nullptr);

  // The open project, if any, and where a new chart window goes (the main window's client area).
  std::function<TSourceMgt*()> Project;
  std::function<void(QWidget*)> ShowChart;

  QListWidget* lbxChoices = nullptr;
  QPlainTextEdit* memoDescription = nullptr;
  QChartView* chartSample = nullptr;
  QChart* SampleChart = nullptr;
  QLabel* lblSampleFoot = nullptr;
  QPushButton* btnCreateChart = nullptr;
  QPushButton* btnClose = nullptr;

  // The chosen kind; 7 when nothing is chosen.
  int SelectedKind() const;
  // The sample series attached now.
  QStackedBarSeries* BarSample() const { return FBarSample; }
  QPieSeries* PieSample() const { return FPieSample; }
  bool BarSampleShown() const;
  bool PieSampleShown() const;

  void FormShow();
  void lbxChoicesClick();
  // Opens a chart window of the chosen kind, or shows why not; the window made, if any.
  TfrmChart* btnCreateChartClick();
  void btnCloseClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void AttachSample(QAbstractSeries* series, bool attach);

  QStackedBarSeries* FBarSample = nullptr;
  QPieSeries* FPieSample = nullptr;
};

}  // namespace qm
