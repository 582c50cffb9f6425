// SPDX-License-Identifier: MIT
// The bar chart of a chart screen: one green bar per row of a chart-data set, in the set's row
// order, named by one field of the row and as high as another, with its value written above it
// in Brazilian Portuguese with two decimals (1.234,56); names are never cut
// (tfrmdadograf_bartexts.h).
//
// Bar heights are the field values rounded to cents, the precision the marks show. Two rows with
// the same label (a long subgroup name cut to its 40 characters) still get a bar each: the chart
// tells their categories apart by invisible marks appended to the repeated label.
#pragma once

#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace margem {
class TClientDataSet;
}

// Replaces every series and axis of `chart` by the bars of `rows`. The set is read without
// moving its cursor. A field that `rows` does not have raises margem::DataSetError.
void ShowRowsAsBars(QChart& chart, const margem::TClientDataSet& rows, const QString& labelField,
                    const QString& valueField);

// The bar labels of a chart drawn by ShowRowsAsBars, as the rows gave them (invisible marks
// removed), left to right.
QStringList BarLabels(const QChart& chart);

// The bar heights of a chart drawn by ShowRowsAsBars, left to right.
QList<double> BarValues(const QChart& chart);
