// SPDX-License-Identifier: MIT
// The bar texts of a chart screen's chart, on a chart of the group chart's size: every name shows
// whole, inside the chart and apart from the others, however many and long; every value mark has
// two decimals in pt_BR.
#include <QChartView>
#include <QTest>

#include "clientdataset.h"
#include "tfrmdadograf_barchart.h"
#include "tfrmdadograf_bartexts.h"

namespace {

QStringList Names(int count, const QString& stem) {
  QStringList names;
  for (int i = 1; i <= count; ++i) names << QStringLiteral("%1 %2").arg(stem).arg(i);
  return names;
}

}  // namespace

class BarChartTest : public QObject {
  Q_OBJECT

 private slots:
  void namesShowWholeAndMarksTwoDecimals_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("width");
    QTest::newRow("three short") << QStringList{"DOCES", "BEBIDAS", "Média"} << 604;
    QTest::newRow("twelve of 38 letters or more")
        << Names(12, QStringLiteral("PRATO PRINCIPAL ESPECIAL CASA Opção 0")) << 604;
    QTest::newRow("forty") << Names(40, QStringLiteral("SOBREMESAS E DOCES FINOS Opção")) << 604;
  }
  void namesShowWholeAndMarksTwoDecimals() {
    QFETCH(QStringList, names);
    QFETCH(int, width);
    margem::TClientDataSet rows(QStringLiteral("cdsPercLucrGrup"));
    rows.AddField(QStringLiteral("NMSUBGRPROD"), margem::FieldType::String, 40);
    rows.AddField(QStringLiteral("VRPELUCRO"), margem::FieldType::Float);
    rows.CreateDataSet();
    const QList<double> values{44, 46.4, -7.125, 1234.5};
    for (int i = 0; i < names.size(); ++i) {
      rows.Append();
      rows.FieldByName(QStringLiteral("NMSUBGRPROD"))->SetAsString(names[i]);
      rows.FieldByName(QStringLiteral("VRPELUCRO"))->SetAsFloat(values[i % values.size()]);
      rows.Post();
    }
    QChartView view;
    view.resize(width, 461);
    view.show();
    ShowRowsAsBars(*view.chart(), rows, QStringLiteral("NMSUBGRPROD"), QStringLiteral("VRPELUCRO"));
    QTest::qWait(50);

    const QRectF chartArea(QPointF(0, 0), view.chart()->size());
    const QList<ShownBarText> shown = BarNames(*view.chart());
    QCOMPARE(shown.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
      QCOMPARE(shown[i].text, names[i]);
      QVERIFY2(chartArea.contains(shown[i].area), qPrintable(names[i]));
      if (i > 0) QVERIFY2(!shown[i].area.intersects(shown[i - 1].area), qPrintable(names[i]));
    }
    const QStringList expected{"44,00", "46,40", "-7,13", "1.234,50"};
    const QList<ShownBarText> marks = BarMarks(*view.chart());
    for (int i = 0; i < names.size(); ++i) QCOMPARE(marks[i].text, expected[i % expected.size()]);
  }
};

QTEST_MAIN(BarChartTest)
#include "tst_barchart.moc"
