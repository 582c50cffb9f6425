// SPDX-License-Identifier: MIT
// The scenario ladder of a loaded quote and what-if editing driven as a user: typed totals and
// per-guest values, the scenario buttons and "Ver Opção".
#include <QTest>

#include "buttonflat.h"
#include "dbgrid.h"
#include "messagelog.h"
#include "numberedit.h"
#include "scenariokey.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

namespace {

// The text the subgroup grid of option n shows in column for the subgroup named name.
QString GridText(TfrmMargemFinal* form, int n, const QString& name, int column) {
  margem::TDataSetModel* model = form->dbgGrupo(n)->Model();
  for (int row = 0; row < model->rowCount(); ++row)
    if (model->index(row, 0).data().toString() == name)
      return model->index(row, column).data().toString();
  return QStringLiteral("<no row %1>").arg(name);
}

QString ValueColumnField(TfrmMargemFinal* form, int n) {
  return form->dbgGrupo(n)->Model()->columns().at(1).fieldName;
}

}  // namespace

class WhatIfTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("whatif_two_subgroups.json"),
                             QStringLiteral("loading_quotes.json")}),
             qPrintable(m_server.Error()));
    m_form = OpenWorkspace();
    QVERIFY(m_form != nullptr);
  }
  void init() {
    m_log.Clear();
    EnterQuote(m_form, QStringLiteral("201"));
    QCOMPARE(m_log.Messages(), QStringList());
  }
  void cleanupTestCase() { CloseWorkspace(); }

  // Two subgroups, 100 guests, a current total of 1 000: the ladder of the worked example.
  void ladderOfTheWorkedExample_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("Valor Total") << "nedVr" << QList<double>{1000, 900, 800, 700, 600};
    QTest::newRow("Vr. por Pessoa") << "nedPs" << QList<double>{10, 9, 8, 7, 6};
    QTest::newRow("Valor Lucro") << "nedLu" << QList<double>{440, 360};
    QTest::newRow("% Lucro") << "nedPl" << QList<double>{44, 40};
    QTest::newRow("% Lucro Diferenciado") << "nedDi" << QList<double>{49, 44.07};
  }
  void ladderOfTheWorkedExample() {
    QFETCH(QString, prefix);
    QFETCH(QList<double>, values);
    for (int k = 1; k <= values.size(); ++k)
      for (int n = 1; n <= 2; ++n)
        QCOMPARE(Cell(m_form, qPrintable(prefix), k, n), values[k - 1]);
  }

  void loadShowsScenarioOneInTheSubgroupGrid() {
    QVERIFY(m_form->sbtVr(1, 1)->isChecked());
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRTOTALITEM"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 1), QStringLiteral("600,00"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 5), QStringLiteral("50,00"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 6), QStringLiteral("300,00"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO DOIS"), 6), QStringLiteral("140,00"));
  }

  void ladderOfADiscountedOption() {
    EnterQuote(m_form, QStringLiteral("202"));
    for (int k = 1; k <= 5; ++k) {
      QCOMPARE(Cell(m_form, "nedVr", k, 1), 10000.0 - 100 * (k - 1));
      QCOMPARE(Cell(m_form, "nedPs", k, 1), 100.0 - (k - 1));
    }
  }

  // 850 typed as the total of scenario 3 of option 2: per guest 8,50; profit 180 + 140.
  void typedTotalRecomputesOnlyItsColumn() {
    m_form->pgcPadrao->setCurrentWidget(m_form->tshOpcao(2));
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr3Op2")), QStringLiteral("850"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(Cell(m_form, "nedPs", 3, 2), 8.5);
    QCOMPARE(Cell(m_form, "nedLu", 3, 2), 320.0);
    QCOMPARE(Cell(m_form, "nedPl", 3, 2), 37.65);
    QCOMPARE(Cell(m_form, "nedDi", 3, 2), 41.18);
    for (int k : {1, 2, 4, 5}) QCOMPARE(Cell(m_form, "nedVr", k, 2), 1000.0 - 100 * (k - 1));
    QCOMPARE(Cell(m_form, "nedLu", 2, 2), 360.0);
    QCOMPARE(Cell(m_form, "nedVr", 3, 1), 800.0);
    QCOMPARE(ValueColumnField(m_form, 2), QStringLiteral("VRTOTALITEM"));
    QCOMPARE(GridText(m_form, 2, QStringLiteral("GRUPO UM"), 6), QStringLiteral("300,00"));
  }

  // The per-guest value derived from a typed total is written by code, so its own change handler
  // stays out: were it to answer, it would set the total back to 100 x 8,51 = 851,00.
  void typedTotalKeepsItsCents() {
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr3Op1")),
             QStringLiteral("850,55"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(Cell(m_form, "nedVr", 3, 1), 850.55);
    QCOMPARE(Cell(m_form, "nedPs", 3, 1), 8.51);
  }

  // A per-guest value typed into scenario 2 while scenario 5 is selected: column 2 follows, the
  // grid keeps scenario 5's figures.
  void typedPerGuestKeepsTheSelectedScenarioInTheGrid() {
    Click(m_form->sbtVr(5, 1));
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRVENDA"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 1), QStringLiteral("200,00"));
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedPs2Op1")), QStringLiteral("9,5"));
    QCOMPARE(Cell(m_form, "nedVr", 2, 1), 950.0);
    QCOMPARE(Cell(m_form, "nedLu", 2, 1), 400.0);
    QCOMPARE(Cell(m_form, "nedPl", 2, 1), 42.11);
    QVERIFY(m_form->sbtVr(5, 1)->isChecked());
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRVENDA"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 1), QStringLiteral("200,00"));
  }

  void editingTheSelectedScenarioShowsItsFigures() {
    Click(m_form->sbtVr(4, 1));
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr4Op1")), QStringLiteral("850"));
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRVENDA"));
    QCOMPARE(GridText(m_form, 1, QStringLiteral("GRUPO UM"), 1), QStringLiteral("450,00"));
  }

  void valorAtualSwitchesTheValueColumnBack() {
    Click(m_form->sbtVr(3, 1));
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRVENDA"));
    Click(m_form->sbtVr(1, 1));
    QCOMPARE(ValueColumnField(m_form, 1), QStringLiteral("VRTOTALITEM"));
    QCOMPARE(m_form->dbgGrupo(1)->Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Vr. Venda"));
    QVERIFY(m_form->sbtVr(1, 1)->isChecked());
    QVERIFY(!m_form->sbtVr(3, 1)->isChecked());
  }

  void valuesWrittenByCodeStartNoComputation() {
    MoveFocus(m_form->dbgGrupo(1));
    m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr3Op1"))->SetNumber(123);
    m_form->Find<margem::TNumberEdit>(QStringLiteral("nedPs4Op1"))->SetNumber(50);
    QCOMPARE(Cell(m_form, "nedPs", 3, 1), 8.0);
    QCOMPARE(Cell(m_form, "nedVr", 4, 1), 700.0);
    QCOMPARE(Cell(m_form, "nedLu", 3, 1), Cell(m_form, "nedLu", 3, 2));
  }

  void verOpcaoTogglesTheProductGrid() {
    margem::TButtonFlat* toggle = m_form->sbtVerOpcao(1);
    QVERIFY(!m_form->dbgOpcao(1)->isHidden());
    Click(toggle);
    QVERIFY(m_form->dbgOpcao(1)->isHidden());
    QVERIFY(!toggle->isChecked());
    Click(toggle);
    QVERIFY(!m_form->dbgOpcao(1)->isHidden());
    QVERIFY(toggle->isChecked());
    toggle->setChecked(false);  // out of step with the grid
    Click(toggle);
    QCOMPARE(toggle->isChecked(), !m_form->dbgOpcao(1)->isHidden());
  }

  // The tenth option of a quote with ten (one subgroup, SALGADOS: 3 006 at 30 % materials, 10 %
  // other costs, 50 % expense of which the service counts 20 %), driven through its own controls.
  // Scenario 5 at 2 000: 2 000 - 901,80 - 200 - 200 = 698,20. Scenario 2 at 2 906: 1 423,00.
  void tenthOptionThroughItsControls() {
    EnterQuote(m_form, QStringLiteral("302"));
    QCOMPARE(m_log.Messages(), QStringList());
    m_form->pgcPadrao->setCurrentWidget(m_form->tshOpcao(10));
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr5Op10")),
             QStringLiteral("2000"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(Cell(m_form, "nedPs", 5, 10), 20.0);
    QCOMPARE(Cell(m_form, "nedLu", 5, 10), 698.2);
    QCOMPARE(Cell(m_form, "nedPl", 5, 10), 34.91);
    QCOMPARE(Cell(m_form, "nedDi", 5, 10), 34.91);
    QCOMPARE(Cell(m_form, "nedVr", 4, 10), 2706.0);
    QCOMPARE(Cell(m_form, "nedVr", 5, 9), 2306.0);

    Click(m_form->sbtVr(2, 10));
    QVERIFY(m_form->sbtVr(2, 10)->isChecked());
    QVERIFY(!m_form->sbtVr(1, 10)->isChecked());
    QVERIFY(m_form->sbtVr(1, 9)->isChecked());
    QCOMPARE(ValueColumnField(m_form, 10), QStringLiteral("VRVENDA"));
    QCOMPARE(ValueColumnField(m_form, 9), QStringLiteral("VRTOTALITEM"));
    QCOMPARE(GridText(m_form, 10, QStringLiteral("SALGADOS"), 1), QStringLiteral("2.906,00"));
    QCOMPARE(GridText(m_form, 10, QStringLiteral("SALGADOS"), 6), QStringLiteral("1.423,00"));

    margem::TButtonFlat* toggle = m_form->sbtVerOpcao(10);
    QVERIFY(!m_form->dbgOpcao(10)->isHidden());
    const bool firstHidden = m_form->dbgOpcao(1)->isHidden();
    Click(toggle);
    QVERIFY(m_form->dbgOpcao(10)->isHidden());
    QVERIFY(!toggle->isChecked());
    QCOMPARE(m_form->dbgOpcao(1)->isHidden(), firstHidden);
    QVERIFY(m_form->sbtVerOpcao(1)->isChecked());
    QCOMPARE(m_log.Messages(), QStringList());
  }

  void keysAreReadFromControlNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("scenario");
    QTest::newRow("option 10 total") << "nedVr2Op10" << "2Op10" << 10 << 2;
    QTest::newRow("option 10 button") << "sbtVr2Op10" << "2Op10" << 10 << 2;
    QTest::newRow("option 1 per guest") << "nedPs5Op1" << "5Op1" << 1 << 5;
  }
  void keysAreReadFromControlNames() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(int, option);
    QFETCH(int, scenario);
    QCOMPARE(scenariokey::OfControl(name), key);
    QCOMPARE(scenariokey::Option(key), option);
    QCOMPARE(scenariokey::Scenario(key), scenario);
    QCOMPARE(scenariokey::OptionPart(key), QStringLiteral("Op%1").arg(option));
    QCOMPARE(scenariokey::OptionOfToggle(QStringLiteral("sbtVerOpcao%1").arg(option)), option);
  }

 private:
  ServerFixture m_server;
  MessageLog m_log;
  TfrmMargemFinal* m_form = nullptr;
};

QTEST_MAIN(WhatIfTest)
#include "tst_whatif.moc"
