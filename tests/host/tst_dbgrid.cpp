// SPDX-License-Identifier: MIT
// The data grid: a title wider than its column narrows the titles' letters until it shows whole
// (within limits), titles that fit keep the ordinary letters; Tab leaves the grid; Ctrl+C copies
// rows with their titles.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "dbgrid.h"

using namespace margem;

class TstDbGrid : public QObject {
  Q_OBJECT

  // A form with an edit, a grid of three subgroups and another edit, shown and active.
  QWidget m_form;
  QLineEdit* m_before = new QLineEdit(&m_form);
  TDBGrid* m_grid = new TDBGrid(QStringLiteral("dbgGrupo1"), &m_form);
  QLineEdit* m_after = new QLineEdit(&m_form);
  TClientDataSet m_rows{QStringLiteral("cdsGrupo1")};
  TDataSource m_source{QStringLiteral("dtsGrupo1")};

 private slots:
  void initTestCase() {
    m_rows.AddField(QStringLiteral("NMSUBGRPROD"), FieldType::String, 40)->DisplayLabel =
        QStringLiteral("Grupo");
    TField* profit = m_rows.AddField(QStringLiteral("VRLUCRO"), FieldType::Float);
    profit->DisplayLabel = QStringLiteral("Vr. Lucro");
    profit->DisplayFormat = QStringLiteral("#,##0.00");
    m_rows.CreateDataSet();
    for (const auto& [name, value] :
         {std::pair{"DOCES", 1234.5}, {"SALGADOS", -7.0}, {"BOLO", 0.0}}) {
      m_rows.Append();
      m_rows.FieldByName(QStringLiteral("NMSUBGRPROD"))->SetAsString(QString::fromLatin1(name));
      m_rows.FieldByName(QStringLiteral("VRLUCRO"))->SetAsFloat(value);
      m_rows.Post();
    }
    m_source.SetDataSet(&m_rows);
    m_grid->SetDataSource(&m_source);
    m_grid->SetColumns({{QStringLiteral("NMSUBGRPROD"), {}, 170, Qt::AlignLeft, {}},
                        {QStringLiteral("VRLUCRO"), {}, 80, Qt::AlignRight, {}}});
    auto* layout = new QVBoxLayout(&m_form);
    for (QWidget* widget : {static_cast<QWidget*>(m_before), static_cast<QWidget*>(m_grid),
                            static_cast<QWidget*>(m_after)})
      layout->addWidget(widget);
    m_form.show();
    QApplication::setActiveWindow(&m_form);
    QVERIFY(QTest::qWaitForWindowActive(&m_form));
  }

  void tabLeavesTheGrid_data() {
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Tab") << false;
    QTest::newRow("Shift+Tab") << true;
  }
  void tabLeavesTheGrid() {
    QFETCH(bool, backwards);
    m_grid->setFocus();
    m_rows.First();
    QTest::keyClick(m_grid, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                    backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), backwards ? m_before : m_after);
    QCOMPARE(m_rows.RecNo(), 0);
  }

  void copyGivesTitlesAndRows_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("copied");
    const QString titles = QStringLiteral("Grupo\tVr. Lucro\n");
    QTest::newRow("none selected: every row")
        << QList<int>{} << titles + "DOCES\t1.234,50\nSALGADOS\t-7,00\nBOLO\t0,00\n";
    QTest::newRow("two rows") << QList<int>{2, 0} << titles + "DOCES\t1.234,50\nBOLO\t0,00\n";
  }
  void copyGivesTitlesAndRows() {
    QFETCH(QList<int>, selected);
    QFETCH(QString, copied);
    m_grid->setFocus();
    m_grid->clearSelection();
    for (int row : selected)
      m_grid->selectionModel()->select(m_grid->Model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(m_grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), copied);
  }

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
    grid.SetColumns({{QStringLiteral("VRPEIMDEVAVEOU"), title, width, Qt::AlignRight, {}}});
    const QFontMetrics shown(grid.horizontalHeader()->font());
    QCOMPARE(grid.horizontalHeader()->font().stretch() < 100 &&
                 grid.horizontalHeader()->font().stretch() != 0,
             narrowed);
    QVERIFY(shown.horizontalAdvance(title) + margins <= width || !narrowed);
  }
};

QTEST_MAIN(TstDbGrid)
#include "tst_dbgrid.moc"
