// SPDX-License-Identifier: MIT
// The data grid's titles: a title wider than its column narrows the titles' letters until it
// shows whole (within limits); titles that fit keep the ordinary letters.
#include <QHeaderView>
#include <QTest>

#include "dbgrid.h"

using namespace margem;

class TstDbGrid : public QObject {
  Q_OBJECT

 private slots:
  void titlesShowWhole_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("narrowed");
    QTest::newRow("fits") << "Grupo" << 170 << false;
    QTest::newRow("a little too wide") << "% IDVV Outros" << 0 << true;
  }
  void titlesShowWhole() {
    QFETCH(QString, title);
    QFETCH(int, width);
    QFETCH(bool, narrowed);
    TDBGrid grid(QStringLiteral("dbgTeste"));
    const QFontMetrics plain(grid.horizontalHeader()->font());
    const int margins = 2 * grid.style()->pixelMetric(QStyle::PM_HeaderMargin) + 2;
    // A column a tenth narrower than the plain title needs.
    if (width == 0) width = (plain.horizontalAdvance(title) + margins) * 9 / 10;
    grid.SetColumns({{QStringLiteral("VRPEIMDEVAVEOU"), title, width, Qt::AlignRight}});
    const QFontMetrics shown(grid.horizontalHeader()->font());
    QCOMPARE(grid.horizontalHeader()->font().stretch() < 100 &&
                 grid.horizontalHeader()->font().stretch() != 0,
             narrowed);
    QVERIFY(shown.horizontalAdvance(title) + margins <= width || !narrowed);
  }
};

QTEST_MAIN(TstDbGrid)
#include "tst_dbgrid.moc"
