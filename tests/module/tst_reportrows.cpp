// SPDX-License-Identifier: MIT
// The report screen ORE01401 as the print button opens it: the rows it builds from the workspace,
// the query parameters it hands the report, and the workspace it leaves behind.
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "buttonflat.h"
#include "cli_ore01401.h"
#include "formhost.h"
#include "numberedit.h"
#include "reportdialog.h"
#include "tfrmrelmargemfinal.h"
#include "tst_report_workspace.h"

using margem::TClientDataSet;
using reporttest::Cell;

class TestReportRows : public QObject {
  Q_OBJECT

 private:
  testsupport::ServerFixture m_server;
  testsupport::MessageLog m_log;
  TfrmMargemFinal* m_workspace = nullptr;

  std::unique_ptr<TfrmRelMargemFinal> CreateReport() {
    return std::unique_ptr<TfrmRelMargemFinal>(margem::CreateForm<TfrmRelMargemFinal>());
  }

  // VRVENDA of every subgroup row of option n, as its grid shows them.
  QList<double> SaleValues(int n) {
    QList<double> values;
    TClientDataSet& grupo = *m_workspace->cdsGrupo(n);
    for (qsizetype row = 0; row < grupo.RecordCount(); ++row)
      values << Cell(grupo, row, "VRVENDA").toDouble();
    return values;
  }

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("report_three_options.json"),
                             QStringLiteral("report_rounding.json")}),
             qPrintable(m_server.Error()));
  }

  void init() {
    m_log.Clear();
    m_workspace = reporttest::OpenWorkspace();
    QVERIFY(m_workspace);
  }

  void cleanup() { reporttest::CloseWorkspace(); }

  void threeOptionsGiveFifteenRowsInOptionAndScenarioOrder() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    QCOMPARE(m_workspace->cdsMargem->RecordCount(), 3);

    auto report = CreateReport();
    const TClientDataSet& rows = *report->cdsMargemRel;
    QCOMPARE(rows.RecordCount(), 15);
    const QStringList options{QStringLiteral("02"), QStringLiteral("05"), QStringLiteral("07")};
    for (int row = 0; row < 15; ++row) {
      const int n = row / 5 + 1;
      const int k = row % 5 + 1;
      QCOMPARE(Cell(rows, row, "NROPCAITOREV").toString(), options[n - 1]);
      QCOMPARE(Cell(rows, row, "CDVALOR").toString(), QString::number(k));
      QCOMPARE(Cell(rows, row, "CDFILIAL").toString(), QStringLiteral("0001"));
      QCOMPARE(Cell(rows, row, "NRORCAEVENTO").toString(), QStringLiteral("0000000702"));
      for (const char* empty : {"VRCUSTO", "VRPELUCRO", "VRCUSTODIFER"})
        QVERIFY2(Cell(rows, row, empty).isNull(), empty);

      // Ordinals 1..3 stand for options 02, 05 and 07: every figure is the one the option's
      // ladder shows for the scenario.
      const QString key = QStringLiteral("%1Op%2").arg(k).arg(n);
      QCOMPARE(Cell(rows, row, "VRTOTAL1").toDouble(),
               static_cast<double>(m_workspace->Campo(QStringLiteral("nedVr") + key)));
      QCOMPARE(Cell(rows, row, "VRPESSOA1").toDouble(),
               static_cast<double>(m_workspace->Campo(QStringLiteral("nedPs") + key)));
      const double shownProfit =
          static_cast<double>(m_workspace->Campo(QStringLiteral("nedLu") + key));
      QVERIFY2(std::abs(Cell(rows, row, "VRLUCRO1").toDouble() - shownProfit) < 0.0051,
               qPrintable(key));
    }
    // Option 02: items 10 000, discount 500, 100 guests.
    QCOMPARE(Cell(rows, 0, "VRTOTALITEM").toDouble(), 10000.0);
    QCOMPARE(Cell(rows, 0, "VRDESCORCEVE").toDouble(), 500.0);
    QCOMPARE(Cell(rows, 0, "VRTOTAL1").toDouble(), 9500.0);
    QCOMPARE(Cell(rows, 0, "VRPESSOA1").toDouble(), 95.0);
    QVERIFY(m_log.Messages().isEmpty());
  }

  void currentValueIsRoundedToCentsAndNoGuestsGiveNoPerPersonValue() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("100"));
    auto report = CreateReport();
    const TClientDataSet& rows = *report->cdsMargemRel;
    QCOMPARE(rows.RecordCount(), 5);
    QCOMPARE(Cell(rows, 0, "VRTOTAL1").toDouble(), 100.0);  // 100 − 0,004 = 99,996
    QCOMPARE(Cell(rows, 0, "VRDESCORCEVE").toDouble(), 0.004);
    QCOMPARE(Cell(rows, 0, "VRPESSOA1").toDouble(), 0.0);
  }

  void totalTypedInTheWorkspaceIsPrinted() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    auto* edit = m_workspace->findChild<margem::TNumberEdit*>(QStringLiteral("nedVr3Op2"));
    QVERIFY(edit);
    testsupport::TypeText(edit, QStringLiteral("9000"));
    testsupport::MoveFocus(m_workspace->dbgGrupo(2));
    QCOMPARE(edit->GetNumber(), 9000.0);

    auto report = CreateReport();
    const TClientDataSet& rows = *report->cdsMargemRel;
    const int row = 5 + 2;  // option 05, scenario 3
    QCOMPARE(Cell(rows, row, "CDVALOR").toString(), QStringLiteral("3"));
    QCOMPARE(Cell(rows, row, "VRTOTAL1").toDouble(), 9000.0);
    QCOMPARE(Cell(rows, row, "VRPESSOA1").toDouble(), 90.0);  // 100 guests
  }

  // Computing all five scenarios must not leave scenario 5 in the grids: each option goes back to
  // the scenario its buttons select, and the rows do not depend on which one that is.
  void workspaceShowsTheSelectedScenariosAfterTheReport() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    testsupport::Click(m_workspace->sbtVr(3, 1));
    QVERIFY(m_workspace->sbtVr(3, 1)->isChecked());
    const QList<double> option1 = SaleValues(1);
    const QList<double> option2 = SaleValues(2);
    const QList<double> option3 = SaleValues(3);
    auto scenario3Report = CreateReport();
    QCOMPARE(SaleValues(1), option1);
    QCOMPARE(SaleValues(2), option2);
    QCOMPARE(SaleValues(3), option3);
    QVERIFY(m_workspace->sbtVr(3, 1)->isChecked());

    testsupport::Click(m_workspace->sbtVr(5, 1));
    QVERIFY(SaleValues(1) != option1);
    testsupport::Click(m_workspace->sbtVr(1, 1));
    auto scenario1Report = CreateReport();
    const TClientDataSet& a = *scenario3Report->cdsMargemRel;
    const TClientDataSet& b = *scenario1Report->cdsMargemRel;
    QCOMPARE(a.RecordCount(), b.RecordCount());
    for (qsizetype row = 0; row < a.RecordCount(); ++row)
      for (const char* field : {"VRTOTAL1", "VRPESSOA1", "VRLUCRO1", "VRLUCRODIFER"})
        QCOMPARE(Cell(a, row, field), Cell(b, row, field));
  }

  void queryParametersCarryTheCurrentQuote_data() {
    QTest::addColumn<QStringList>("declared");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QVariant>("branch");
    QTest::addColumn<QVariant>("number");
    const QVariant none;
    QTest::newRow("branch and number")
        << QStringList{QStringLiteral("P_CDFILIAL"), QStringLiteral("P_NRORCAEVENTO")} << true
        << QVariant(QStringLiteral("0001")) << QVariant(QStringLiteral("0000000702"));
    QTest::newRow("number only") << QStringList{QStringLiteral("P_NRORCAEVENTO")} << true << none
                                 << QVariant(QStringLiteral("0000000702"));
    QTest::newRow("case of names ignored") << QStringList{QStringLiteral("p_cdfilial")} << false
                                           << QVariant(QStringLiteral("0001")) << none;
    QTest::newRow("neither") << QStringList{QStringLiteral("P_OUTRO")} << false << none << none;
  }

  void queryParametersCarryTheCurrentQuote() {
    QFETCH(QStringList, declared);
    QFETCH(bool, flag);
    QFETCH(QVariant, branch);
    QFETCH(QVariant, number);
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    auto report = CreateReport();

    margem::ReportParams params(declared);
    bool handed = flag;
    report->rpddPadraoBeforeGetQueryParams(params, handed);
    QCOMPARE(handed, flag);
    QCOMPARE(params.Names(), declared);
    QCOMPARE(params.Param(QStringLiteral("P_CDFILIAL")), branch);
    QCOMPARE(params.Param(QStringLiteral("P_NRORCAEVENTO")), number);
    if (declared.contains(QStringLiteral("P_OUTRO")))
      QVERIFY(params.Param(QStringLiteral("P_OUTRO")).isNull());
  }

  void withoutQuoteTheReportIsEmptyAndSaysNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("nothing loaded") << QString();
    QTest::newRow("number without quote") << QStringLiteral("999999");
  }

  void withoutQuoteTheReportIsEmptyAndSaysNothing() {
    QFETCH(QString, typed);
    if (!typed.isEmpty()) reporttest::LoadQuote(m_workspace, typed);
    m_log.Clear();
    auto report = CreateReport();
    QCOMPARE(report->cdsMargemRel->RecordCount(), 0);
    margem::ReportParams params({QStringLiteral("P_CDFILIAL"), QStringLiteral("P_NRORCAEVENTO")});
    bool flag = true;
    report->rpddPadraoBeforeGetQueryParams(params, flag);
    QCOMPARE(params.Param(QStringLiteral("P_NRORCAEVENTO")).toString(), QString());
    QVERIFY(m_log.Messages().isEmpty());
  }

  // Each print builds a new screen, shown modally, with its rows taken from the workspace then.
  void printingTwiceBuildsTwoForms() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    QList<double> secondScenarioTotals;
    int shown = 0;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&]() {
      TfrmRelMargemFinal* form = Cli_ore01401::frmRelMargemFinal;
      if (!form || !form->isVisible()) return;
      ++shown;
      secondScenarioTotals << Cell(*form->cdsMargemRel, 1, "VRTOTAL1").toDouble();
      form->Close();
    });
    closer.start();

    m_workspace->sbtImprimirClick(m_workspace->sbtImprimir);
    QVERIFY(Cli_ore01401::frmRelMargemFinal.isNull());
    auto* edit = m_workspace->findChild<margem::TNumberEdit*>(QStringLiteral("nedVr2Op1"));
    testsupport::TypeText(edit, QStringLiteral("9100"));
    testsupport::MoveFocus(m_workspace->dbgGrupo(1));
    m_workspace->sbtImprimirClick(m_workspace->sbtImprimir);
    QVERIFY(Cli_ore01401::frmRelMargemFinal.isNull());

    QCOMPARE(shown, 2);
    QCOMPARE(secondScenarioTotals.size(), 2);
    QCOMPARE(secondScenarioTotals[1], 9100.0);
    QVERIFY(secondScenarioTotals[0] != 9100.0);
  }
};

QTEST_MAIN(TestReportRows)
#include "tst_reportrows.moc"
