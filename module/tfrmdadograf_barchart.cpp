// SPDX-License-Identifier: MIT
#include "tfrmdadograf_barchart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLocale>
#include <QSet>
#include <QValueAxis>
#include <algorithm>

#include "clientdataset.h"
#include "framework.h"
#include "tfrmdadograf_bartexts.h"

namespace {

const QChar kInvisibleMark(0x200B);  // zero-width space: keeps repeated labels apart

QStringList UniqueCategories(const QStringList& labels) {
  QStringList categories;
  QSet<QString> seen;
  for (QString label : labels) {
    while (seen.contains(label)) label += kInvisibleMark;
    seen.insert(label);
    categories << label;
  }
  return categories;
}

QBarSeries* FirstBarSeries(const QChart& chart) {
  for (QAbstractSeries* series : chart.series()) {
    if (auto* bars = qobject_cast<QBarSeries*>(series)) return bars;
  }
  return nullptr;
}

}  // namespace

void ShowRowsAsBars(QChart& chart, const margem::TClientDataSet& rows, const QString& labelField,
                    const QString& valueField) {
  const int labelIndex = rows.FieldByName(labelField)->Index();
  const int valueIndex = rows.FieldByName(valueField)->Index();

  QStringList labels;
  auto* set = new QBarSet(QStringLiteral("Bar"));
  set->setColor(Qt::darkGreen);
  set->setBorderColor(Qt::darkGreen);
  set->setLabelColor(Qt::black);
  double low = 0;
  double high = 0;
  for (qsizetype row = 0; row < rows.RecordCount(); ++row) {
    labels << rows.ValueAt(row, labelIndex).toString();
    const double value = margem::RoundDec(rows.ValueAt(row, valueIndex).toDouble(), 2);
    set->append(value);
    low = std::min(low, value);
    high = std::max(high, value);
  }

  chart.removeAllSeries();
  for (QAbstractAxis* axis : chart.axes()) {
    chart.removeAxis(axis);
    delete axis;
  }

  auto* series = new QBarSeries;
  series->append(set);
  chart.addSeries(series);
  chart.setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
  chart.setLocalizeNumbers(true);
  chart.legend()->hide();

  // The axis places the bars; their names and values are the bar texts' own, never cut.
  auto* categories = new QBarCategoryAxis;
  categories->append(UniqueCategories(labels));
  categories->setLabelsVisible(false);
  chart.addAxis(categories, Qt::AlignBottom);
  series->attachAxis(categories);

  auto* values = new QValueAxis;
  const double margin = std::max(1.0, (high - low) * 0.15);  // room for the value above a bar
  values->setRange(low < 0 ? low - margin : 0, high + margin);
  values->applyNiceNumbers();
  values->setLabelFormat(QStringLiteral("%.0f"));
  chart.addAxis(values, Qt::AlignLeft);
  series->attachAxis(values);
  AddBarTexts(chart, *series, labels);
}

QStringList BarLabels(const QChart& chart) {
  QStringList labels;
  for (QAbstractAxis* axis : chart.axes(Qt::Horizontal)) {
    if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
      for (QString label : categories->categories()) labels << label.remove(kInvisibleMark);
    }
  }
  return labels;
}

QList<double> BarValues(const QChart& chart) {
  QList<double> values;
  if (QBarSeries* series = FirstBarSeries(chart); series && !series->barSets().isEmpty()) {
    const QBarSet* set = series->barSets().first();
    for (int i = 0; i < set->count(); ++i) values << set->at(i);
  }
  return values;
}
