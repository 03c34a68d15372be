// SPDX-License-Identifier: MIT
#include "analysis/chartseries.h"

#include <QBarSet>
#include <QHorizontalStackedBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QSet>
#include <QStackedBarSeries>

#include <array>
#include <cmath>

#include "displaytext.h"

namespace qm {

namespace {

// The classic sixteen colours without white (unseen on the chart's background) and black.
constexpr std::array<QRgb, 14> kPalette = {
    0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0x808080, 0xC0C0C0,
};

constexpr qreal kBarWidth = 0.4;

}  // namespace

QColor PointColor(std::size_t index) { return QColor::fromRgb(kPalette[index % kPalette.size()]); }

namespace {

// Each point's bar in the set of its colour, the other sets holding 0 there.
template <typename Series>
Series* MakeStackedBars(const std::vector<TChartPoint>& points) {
  auto* series = new Series;
  series->setBarWidth(kBarWidth);
  series->setLabelsVisible(false);
  const std::size_t sets = std::min(points.size(), kPalette.size());
  for (std::size_t s = 0; s < sets; ++s) {
    auto* set = new QBarSet(QString());
    set->setColor(PointColor(s));
    set->setBorderColor(PointColor(s).darker(150));
    QList<qreal> values(static_cast<qsizetype>(points.size()), 0.0);
    for (std::size_t i = s; i < points.size(); i += kPalette.size()) values[static_cast<qsizetype>(i)] = points[i].Value;
    set->append(values);
    series->append(set);
  }
  return series;
}

}  // namespace

QStackedBarSeries* MakeBarSeries(const std::vector<TChartPoint>& points) {
  return MakeStackedBars<QStackedBarSeries>(points);
}

QHorizontalStackedBarSeries* MakeHorizontalBarSeries(const std::vector<TChartPoint>& points) {
  return MakeStackedBars<QHorizontalStackedBarSeries>(points);
}

QStringList CategoryLabels(const std::vector<TChartPoint>& points) {
  QStringList labels;
  QSet<QString> seen;
  labels.reserve(static_cast<qsizetype>(points.size()));
  for (const TChartPoint& point : points) {
    QString label = FromDisplayBytes(point.Label);
    while (seen.contains(label)) label += QChar(0x200B);
    seen.insert(label);
    labels << label;
  }
  return labels;
}

QString SliceMark(const QString& label, double percentage) {
  return QStringLiteral("%1 %2 %").arg(label).arg(std::lround(percentage));
}

QPieSeries* MakePieSeries(const std::vector<TChartPoint>& points) {
  auto* series = new QPieSeries;
  double total = 0;
  for (const TChartPoint& point : points) total += point.Value;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const QString label = FromDisplayBytes(points[i].Label);
    QPieSlice* slice = series->append(label, points[i].Value);
    slice->setColor(PointColor(i));
    slice->setBorderColor(PointColor(i).darker(150));
    slice->setLabel(SliceMark(label, total > 0 ? points[i].Value / total * 100 : 0));
    slice->setLabelVisible(true);
  }
  return series;
}

}  // namespace qm
