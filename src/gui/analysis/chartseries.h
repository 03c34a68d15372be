// SPDX-License-Identifier: MIT
#pragma once

// The two series of the charts, built from the core's points: bars each in its own colour, and
// pie slices each in its own colour with their label and percentage.

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

#include "analysis/statistics.h"

QT_BEGIN_NAMESPACE
class QPieSeries;
class QStackedBarSeries;
class QHorizontalStackedBarSeries;
QT_END_NAMESPACE

namespace qm {

// The colour of the point at index: a palette of distinct colours, repeated.
QColor PointColor(std::size_t index);

// Bars with one colour per point, about 40 % of their slot wide, without value marks. The
// points' colours repeat after the palette's length, so the bars are spread over that many bar
// sets, each holding its own points' values and zero elsewhere.
QStackedBarSeries* MakeBarSeries(const std::vector<TChartPoint>& points);
// The same bars lying across the chart (for many points, named beside each bar).
QHorizontalStackedBarSeries* MakeHorizontalBarSeries(const std::vector<TChartPoint>& points);

// The labels of the bottom axis, one per point. The axis merges equal labels, so a label met
// before is made distinct by zero-width spaces that do not show.
QStringList CategoryLabels(const std::vector<TChartPoint>& points);

// Slices with one colour per point, their marks showing the label and the percentage.
QPieSeries* MakePieSeries(const std::vector<TChartPoint>& points);

// A slice's mark: the label, a blank and the rounded percentage ("BAS 33 %").
QString SliceMark(const QString& label, double percentage);

}  // namespace qm
