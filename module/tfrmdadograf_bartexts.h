// SPDX-License-Identifier: MIT
// The texts of a bar chart drawn by ShowRowsAsBars: the name under each bar and the value mark
// above it (below a negative bar), laid out again whenever the plot area changes.
//
// A value mark shows its value with two decimals in pt_BR ("44,00", "1.234,56"), turned upright
// when the bars are narrower than it. A name is never cut: it is wrapped to its bar's width when
// every name fits in three lines that way; otherwise names are turned upright and wrapped into as
// many lines as the bar's width holds; failing that the letters shrink (not below 7 pixels) and,
// as a last resort, turned names take one line of whatever length they need. The room below the
// plot grows to hold them. Both texts carry the bar's whole name (and value) as their tooltip.
#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QBarSeries;
class QChart;
QT_END_NAMESPACE

// Lays out names and marks for the bars of `series` (one bar set) on `chart`; they go with the
// series.
void AddBarTexts(QChart& chart, QBarSeries& series, const QStringList& names);

// What a chart's bar texts show, left to right: each one's whole text and the rectangle it takes
// in the chart's coordinates.
struct ShownBarText {
  QString text;
  QRectF area;
};
QList<ShownBarText> BarNames(const QChart& chart);
QList<ShownBarText> BarMarks(const QChart& chart);
