// SPDX-License-Identifier: MIT
// The option profit per price scenario over subgroup rows, and the scenario ladder over cells
// that keep two decimals as the screen's number edits do.
#include <QSignalSpy>
#include <QtTest>
#include <array>
#include <bit>

#include "framework.h"
#include "profit.h"
#include "subgroupset.h"

using namespace margem;
using namespace testsupport;

namespace {

double At(const TClientDataSet& set, qsizetype row, const char* field) {
  return set.ValueAt(row, set.FieldByName(field)->Index()).toDouble();
}

QList<double> Column(const TClientDataSet& set, const char* field) {
  QList<double> values;
  for (qsizetype row = 0; row < set.RecordCount(); ++row) values << At(set, row, field);
  return values;
}

// The bit pattern of a double, so that a comparison sees the last bit.
qint64 Bits(double value) { return std::bit_cast<qint64>(value); }

// Ladder cells that hold exactly the double they are given.
class ExactCells : public ScenarioCells {
 public:
  double Get(LadderRow row, int scenario) const override { return m_cells.at(Slot(row, scenario)); }
  void Set(LadderRow row, int scenario, double value) override {
    m_cells.at(Slot(row, scenario)) = value;
  }

 private:
  static std::size_t Slot(LadderRow row, int scenario) {
    return static_cast<std::size_t>(row) * 5 + static_cast<std::size_t>(scenario - 1);
  }
  std::array<double, 25> m_cells{};
};

// Element by element, so that a cell holding -0 (0 guests times a negative value) reads as 0.
void CompareRow(const QList<double>& actual, const QList<double>& expected) {
  QCOMPARE(actual.size(), expected.size());
  for (qsizetype i = 0; i < actual.size(); ++i) QCOMPARE(actual.at(i), expected.at(i));
}

}  // namespace

Q_DECLARE_METATYPE(QList<Subgroup>)

class TestProfit : public QObject {
  Q_OBJECT

 private:
  // A subgroup set with the example's two rows.
  void MakeExample(TClientDataSet& set) {
    DefineGrupoFields(set);
    Fill(set, {kG1, kG2});
  }

 private slots:
  void shownColumnsCarryTheirTitles_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::newRow("subgroup") << "NMSUBGRPROD"
                              << "Grupo";
    QTest::newRow("quoted value") << "VRTOTALITEM"
                                  << "Vr. Venda";
    QTest::newRow("scenario value") << "VRVENDA"
                                    << "Vr. Venda";
    QTest::newRow("materials") << "VRPEIMDEVAVEMP"
                               << "% IDVV MP";
    QTest::newRow("other costs") << "VRPEIMDEVAVEOU"
                                 << "% IDVV Outros";
    QTest::newRow("expense") << "VRPEDESFIXASBGR"
                             << "% Despesa";
    QTest::newRow("profit percentage") << "VRPELUCRO"
                                       << "% Lucro";
    QTest::newRow("profit") << "VRLUCRO"
                            << "Vr. Lucro";
  }
  void shownColumnsCarryTheirTitles() {
    QFETCH(QString, field);
    QFETCH(QString, label);
    TClientDataSet set;
    DefineGrupoFields(set);
    QCOMPARE(set.FieldCount(), 22);
    QCOMPARE(set.FieldByName(field)->DisplayLabel, label);
    if (field != "NMSUBGRPROD") {
      QCOMPARE(set.FieldByName(field)->DisplayFormat, QStringLiteral("#,##0.00"));
    }
  }

  void currentScenarioOfTheExample() {
    TClientDataSet set;
    MakeExample(set);
    const ProfitPair pair = CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    QCOMPARE(pair.profit, 440.0);
    QCOMPARE(pair.differentiated, 490.0);
    QCOMPARE(Column(set, "VRVENDA"), (QList<double>{600, 400}));
    QCOMPARE(Column(set, "VRLUCRO"), (QList<double>{300, 140}));
    QCOMPARE(Column(set, "VRPELUCRO"), (QList<double>{50, 35}));
    QCOMPARE(Column(set, "VRLUCROAUX"), (QList<double>{180, 160}));
    QCOMPARE(At(set, 0, "VRDIFERMATPRI"), 210.0);
  }

  void lowerScenarioReusesTheFixedAmounts() {
    TClientDataSet set;
    MakeExample(set);
    CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    const ProfitPair pair = CalcScenarioProfit(set, 1000, 900, kServ, 2);
    QCOMPARE(pair.profit, 360.0);
    QCOMPARE(pair.differentiated, 396.0 + 2.0 / 3.0);
    QCOMPARE(Column(set, "VRVENDA"), (QList<double>{500, 400}));
    QCOMPARE(Column(set, "VRLUCRO"), (QList<double>{220, 140}));
    QCOMPARE(Column(set, "VRPELUCRO"), (QList<double>{44, 35}));
    QCOMPARE(Column(set, "VRPEIMDEVAVEMP"), (QList<double>{36, 40}));
    QCOMPARE(Column(set, "VRPEIMDEVAVEOU"), (QList<double>{10, 5}));
    QCOMPARE(Column(set, "VRPEDESFIXASBGR"), (QList<double>{50, 100}));
  }

  void anyOrderOfRunsGivesTheSameFigures() {
    TClientDataSet set;
    MakeExample(set);
    CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    const ProfitPair first = CalcScenarioProfit(set, 1000, 800, kServ, 3);
    CalcScenarioProfit(set, 1000, 600, kServ, 5);
    CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    const ProfitPair again = CalcScenarioProfit(set, 1000, 800, kServ, 3);
    QCOMPARE(again.profit, first.profit);
    QCOMPARE(again.differentiated, first.differentiated);
    QCOMPARE(At(set, 0, "VRPEIMDEVAVEMP"), 180.0 * 100 / 400);

    const ProfitPair current = CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    QCOMPARE(current.profit, 440.0);
    QCOMPARE(At(set, 0, "VRPEIMDEVAVEMP"), 30.0);
  }

  // Which subgroups follow the scenario's price and which keep their value.
  void saleValueOfEachSubgroup_data() {
    QTest::addColumn<QList<Subgroup>>("rows");
    QTest::addColumn<double>("v1");
    QTest::addColumn<double>("vk");
    QTest::addColumn<QList<double>>("sale");
    const Subgroup s{600, "S"};
    const Subgroup n{400, "N"};
    QTest::newRow("all follow") << QList{s, Subgroup{400, "S"}} << 1000.0 << 800.0
                                << QList<double>{480, 320};
    QTest::newRow("none follows") << QList{Subgroup{600, "N"}, n} << 1000.0 << 800.0
                                  << QList<double>{600, 400};
    QTest::newRow("followers absorb the kept ones")
        << QList{s, n, Subgroup{200, "S"}} << 1200.0 << 960.0 << QList<double>{420, 400, 140};
    QTest::newRow("flag neither: counted in the base, value kept")
        << QList{Subgroup{600, ""}, n, Subgroup{400, "S"}} << 1400.0 << 1260.0
        << QList<double>{600, 400, 344};
    // A = (300 - 270) + (100 - 90) = 40, all taken from the one follower: 540 - 40.
    QTest::newRow("kept shift summed over the kept ones")
        << QList{s, Subgroup{300, "N"}, Subgroup{100, "N"}} << 1000.0 << 900.0
        << QList<double>{500, 300, 100};
    QTest::newRow("flags are case-sensitive")
        << QList{s, Subgroup{400, "s"}} << 1000.0 << 900.0 << QList<double>{540, 400};
    // "n" is not "N": the row keeps its value and moves nothing onto the followers.
    QTest::newRow("lowercase n is neither")
        << QList{s, Subgroup{400, "n"}} << 1000.0 << 900.0 << QList<double>{540, 400};
    // ... and it counts in the base: B = 480 + 320, so the follower takes 60 % of A = 100.
    QTest::newRow("lowercase n beside a kept one")
        << QList{s, Subgroup{400, "n"}, Subgroup{500, "N"}} << 1500.0 << 1200.0
        << QList<double>{420, 400, 500};
    QTest::newRow("no current value") << QList{s, n} << 0.0 << 900.0 << QList<double>{0, 400};
    QTest::newRow("negative current value")
        << QList{s, n} << -10.0 << 900.0 << QList<double>{0, 400};
  }
  void saleValueOfEachSubgroup() {
    QFETCH(QList<Subgroup>, rows);
    QFETCH(double, v1);
    QFETCH(double, vk);
    QFETCH(QList<double>, sale);
    TClientDataSet set;
    DefineGrupoFields(set);
    Fill(set, rows);
    CalcScenarioProfit(set, v1, v1, kServ, 1);
    CalcScenarioProfit(set, v1, vk, kServ, 2);
    QCOMPARE(Column(set, "VRVENDA"), sale);
  }

  void keptSubgroupsKeepTheProfitOfTheCurrentValue() {
    TClientDataSet set;
    DefineGrupoFields(set);
    Fill(set, {Subgroup{600, "N", 30, 10, 50}, Subgroup{400, "N", 40, 5, 100}});
    const ProfitPair current = CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    const ProfitPair lower = CalcScenarioProfit(set, 1000, 700, kServ, 4);
    QCOMPARE(lower.profit, current.profit);
  }

  void currentScenarioCostsTheQuotedValueWhateverTheTotal() {
    TClientDataSet withTotal;
    MakeExample(withTotal);
    TClientDataSet withoutTotal;
    MakeExample(withoutTotal);
    const ProfitPair a = CalcScenarioProfit(withTotal, 1000, 1000, kServ, 1);
    const ProfitPair b = CalcScenarioProfit(withoutTotal, 0, 0, kServ, 1);
    QCOMPARE(b.profit, a.profit);
    QCOMPARE(b.differentiated, a.differentiated);
    QCOMPARE(Column(withoutTotal, "VRVENDA"), (QList<double>{0, 400}));
    QCOMPARE(Column(withoutTotal, "VRLUCRO"), Column(withTotal, "VRLUCRO"));
  }

  // A sale value of zero or below: no percentage, the fixed materials still cost.
  void saleValueZeroOrNegative_data() {
    QTest::addColumn<double>("vk");
    QTest::addColumn<double>("profit");
    QTest::newRow("zero") << 0.0 << -120.0;
    // M = -200: -200 - 120 - (-20) - (-20)
    QTest::newRow("negative") << -200.0 << -280.0;
  }
  void saleValueZeroOrNegative() {
    QFETCH(double, vk);
    QFETCH(double, profit);
    TClientDataSet set;
    DefineGrupoFields(set);
    Fill(set, {Subgroup{400, "S", 30, 10, 50, "N", 0, "N"}});
    CalcScenarioProfit(set, 400, 400, kServ, 1);
    const ProfitPair pair = CalcScenarioProfit(set, 400, vk, kServ, 2);
    QCOMPARE(At(set, 0, "VRVENDA"), vk);
    QCOMPARE(At(set, 0, "VRLUCRO"), profit);
    QCOMPARE(At(set, 0, "VRPELUCRO"), 0.0);
    QCOMPARE(At(set, 0, "VRPEIMDEVAVEMP"), 0.0);
    QCOMPARE(pair.profit, profit);
  }

  // How a subgroup's freight flags decide its part of the differentiated profit. One subgroup of
  // 500 (materials 20 %, other 10 %, expense 50 % of which the service counts 20 %), freight 50.
  void differentiatedProfitByFreightFlags_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("sharesFreight");
    QTest::addColumn<QString>("isFreight");
    QTest::addColumn<double>("profit");
    QTest::addColumn<double>("differentiated");
    QTest::newRow("plain subgroup") << 500.0 << "N"
                                    << "N" << 300.0 << 300.0;
    QTest::newRow("takes the freight") << 500.0 << "S"
                                       << "N" << 300.0 << 330.0;
    QTest::newRow("freight subgroup, no sharing") << 500.0 << "N"
                                                  << "S" << 300.0 << 0.0;
    QTest::newRow("freight subgroup, sharing") << 500.0 << "S"
                                               << "S" << 300.0 << 330.0;
    QTest::newRow("nothing to share the freight over") << 0.0 << "S"
                                                       << "N" << 0.0 << 0.0;
    QTest::newRow("lowercase s shares no freight") << 500.0 << "s"
                                                   << "N" << 300.0 << 300.0;
    QTest::newRow("lowercase s is no freight subgroup") << 500.0 << "N"
                                                        << "s" << 300.0 << 300.0;
  }
  void differentiatedProfitByFreightFlags() {
    QFETCH(double, total);
    QFETCH(QString, sharesFreight);
    QFETCH(QString, isFreight);
    QFETCH(double, profit);
    QFETCH(double, differentiated);
    TClientDataSet set;
    DefineGrupoFields(set);
    Fill(set, {Subgroup{total, "S", 20, 10, 50, sharesFreight, 50, isFreight}});
    const ProfitPair pair = CalcScenarioProfit(set, total, total, kServ, 1);
    QCOMPARE(pair.profit, profit);
    QCOMPARE(pair.differentiated, differentiated);
  }

  // The figures are worked out at extended precision and rounded to a double only where they are
  // stored; each term of the option's profit is a double of its own. On these inputs a double
  // anywhere in between changes the last bit.
  void figuresKeepExtendedPrecision_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("vk");
    QTest::addColumn<int>("scenario");
    QTest::newRow("current value") << 1000.09 << 1000.09 << 1;
    QTest::newRow("lower scenario") << 1000.01 << 500.09 << 2;
  }
  void figuresKeepExtendedPrecision() {
    QFETCH(double, total);
    QFETCH(double, vk);
    QFETCH(int, scenario);
    using Extended = long double;
    TClientDataSet set;
    DefineGrupoFields(set);
    Fill(set, {Subgroup{total, "S", 27.5, 10, 50}});
    CalcScenarioProfit(set, total, total, kServ, 1);
    const ProfitPair pair = CalcScenarioProfit(set, total, vk, kServ, scenario);

    const Extended m = scenario == 1 ? total : At(set, 0, "VRVENDA");
    const Extended mp = scenario == 1 ? 27.5L * m / 100 : Extended(At(set, 0, "VRLUCROAUX"));
    const Extended ou = 10.0L * m / 100;
    const Extended ds = (50.0L * m / 100) * kServ / 100;
    double profit = 0;
    for (const Extended term : {m, -mp, -ou, -ds}) {
      profit = static_cast<double>(Extended(profit) + static_cast<double>(term));
    }
    QCOMPARE(Bits(At(set, 0, "VRLUCRO")), Bits(static_cast<double>(m - mp - ou - ds)));
    QCOMPARE(Bits(At(set, 0, "VRPELUCRO")),
             Bits(static_cast<double>(Extended(At(set, 0, "VRLUCRO")) * 100 / m)));
    if (scenario > 1) {
      QCOMPARE(Bits(At(set, 0, "VRPEIMDEVAVEMP")), Bits(static_cast<double>(mp * 100 / m)));
    }
    QCOMPARE(Bits(pair.profit), Bits(profit));
  }

  void optionWithoutRows() {
    TClientDataSet set;
    DefineGrupoFields(set);
    set.CreateDataSet();
    const ProfitPair pair = CalcScenarioProfit(set, 1000, 900, kServ, 2);
    QCOMPARE(pair.profit, 0.0);
    QCOMPARE(pair.differentiated, 0.0);
    QVERIFY(!set.ControlsDisabled());
  }

  void viewsWaitForTheEndOfTheRun() {
    TClientDataSet set;
    DefineGrupoFields(set);
    set.AddField("MARCA", FieldType::Float)->Calculated = true;  // so that posts call back
    Fill(set, {kG1, kG2});
    set.MoveTo(1);
    int posted = 0;
    bool disabledWhilePosting = true;
    set.OnCalcFields = [&](TClientDataSet& s) {
      ++posted;
      disabledWhilePosting &= s.ControlsDisabled();
    };
    QSignalSpy changed(&set, &TClientDataSet::rowChanged);
    QSignalSpy reset(&set, &TClientDataSet::rowsReset);
    CalcScenarioProfit(set, 1000, 1000, kServ, 1);
    QCOMPARE(posted, 2);
    QVERIFY(disabledWhilePosting);
    QCOMPARE(changed.count(), 0);
    QVERIFY(reset.count() >= 1);
    QVERIFY(!set.ControlsDisabled());
    QCOMPARE(set.RecNo(), 0);
  }

  // A row that cannot be read ends the run: the rows before it keep their new figures, it keeps
  // its old ones, and the set is back on its first row with its views told again.
  void failureHalfwayLeavesTheSetUsable() {
    TClientDataSet model;
    DefineGrupoFields(model);
    TClientDataSet set;
    for (int i = 0; i < model.FieldCount(); ++i) {
      const TField* field = model.Field(i);
      const bool freight = field->FieldName() == "VRFRETE";
      set.AddField(field->FieldName(), freight ? FieldType::String : field->DataType(),
                   freight ? 10 : field->Size());
    }
    Fill(set, {kG1, kG1});
    set.MoveTo(1);
    set.Edit();
    set.FieldByName("VRFRETE")->SetAsString("muito");
    set.Post();

    QVERIFY_THROWS_EXCEPTION(DataSetError, CalcScenarioProfit(set, 1200, 1200, kServ, 1));
    QVERIFY(!set.ControlsDisabled());
    QCOMPARE(set.state(), TClientDataSet::dsBrowse);
    QCOMPARE(set.RecNo(), 0);
    QCOMPARE(At(set, 0, "VRLUCRO"), 300.0);
    QVERIFY(!set.ValueAt(1, set.FieldByName("VRLUCRO")->Index()).isValid());
  }

  void ladderOfTheExampleQuote() {
    EditCells cells;
    QList<int> scenarios;
    FillScenarioLadder(cells, 10500, 500, 100, [&](int k) {
      scenarios << k;
      return ProfitPair{};
    });
    QCOMPARE(scenarios, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(cells.Row(LadderRow::Total), (QList<double>{10000, 9900, 9800, 9700, 9600}));
    QCOMPARE(cells.Row(LadderRow::PerGuest), (QList<double>{100, 99, 98, 97, 96}));
  }

  void ladderWithTheOptionsProfit() {
    TClientDataSet set;
    MakeExample(set);
    EditCells cells;
    FillScenarioLadder(cells, 1000, 0, 100, [&](int k) {
      return CalcScenarioProfit(set, cells.Get(LadderRow::Total, 1), cells.Get(LadderRow::Total, k),
                                kServ, k);
    });
    QCOMPARE(cells.Row(LadderRow::PerGuest), (QList<double>{10, 9, 8, 7, 6}));
    QCOMPARE(cells.Row(LadderRow::Total), (QList<double>{1000, 900, 800, 700, 600}));
    QCOMPARE(cells.Get(LadderRow::Profit, 1), 440.0);
    QCOMPARE(cells.Get(LadderRow::ProfitPct, 1), 44.0);
    QCOMPARE(cells.Get(LadderRow::DiffProfitPct, 1), 49.0);
    QCOMPARE(cells.Get(LadderRow::Profit, 2), 360.0);
    QCOMPARE(cells.Get(LadderRow::ProfitPct, 2), 40.0);
    QCOMPARE(cells.Get(LadderRow::DiffProfitPct, 2), 44.07);
    // The rows are left with the last scenario's figures.
    QCOMPARE(At(set, 0, "VRVENDA"), 200.0);
  }

  // Each step continues from what the cell before it shows. Every scenario earns 100 and a
  // differentiated 200.
  void ladderEdges_data() {
    QTest::addColumn<double>("totalItem");
    QTest::addColumn<double>("discount");
    QTest::addColumn<double>("guests");
    QTest::addColumn<QList<double>>("perGuest");
    QTest::addColumn<QList<double>>("totals");
    QTest::addColumn<QList<double>>("profitPct");
    QTest::addColumn<QList<double>>("diffPct");
    QTest::newRow("no guests") << 1000.0 << 0.0 << 0.0 << QList<double>{0, -1, -2, -3, -4}
                               << QList<double>{1000, 0, 0, 0, 0} << QList<double>{10, 0, 0, 0, 0}
                               << QList<double>{20, 0, 0, 0, 0};
    QTest::newRow("per guest below 4")
        << 250.0 << 0.0 << 100.0 << QList<double>{2.5, 1.5, 0.5, -0.5, -1.5}
        << QList<double>{250, 150, 50, -50, -150} << QList<double>{40, 66.67, 200, 0, 0}
        << QList<double>{80, 133.33, 400, 0, 0};
    QTest::newRow("discount above the total")
        << 1000.0 << 1500.0 << 100.0 << QList<double>{-5, -6, -7, -8, -9}
        << QList<double>{-500, -600, -700, -800, -900} << QList<double>{0, 0, 0, 0, 0}
        << QList<double>{0, 0, 0, 0, 0};
    QTest::newRow("per guest as shown, in cents")
        << 1000.0 << 0.0 << 3.0 << QList<double>{333.33, 332.33, 331.33, 330.33, 329.33}
        << QList<double>{1000, 996.99, 993.99, 990.99, 987.99}
        << QList<double>{10, 10.03, 10.06, 10.09, 10.12}
        << QList<double>{20, 20.06, 20.12, 20.18, 20.24};
  }
  void ladderEdges() {
    QFETCH(double, totalItem);
    QFETCH(double, discount);
    QFETCH(double, guests);
    QFETCH(QList<double>, perGuest);
    QFETCH(QList<double>, totals);
    QFETCH(QList<double>, profitPct);
    QFETCH(QList<double>, diffPct);
    EditCells cells;
    FillScenarioLadder(cells, totalItem, discount, guests, [](int) {
      return ProfitPair{100, 200};
    });
    CompareRow(cells.Row(LadderRow::PerGuest), perGuest);
    CompareRow(cells.Row(LadderRow::Total), totals);
    CompareRow(cells.Row(LadderRow::Profit), {100, 100, 100, 100, 100});
    CompareRow(cells.Row(LadderRow::ProfitPct), profitPct);
    CompareRow(cells.Row(LadderRow::DiffProfitPct), diffPct);
  }

  // "% Lucro" continues from the profit as shown; the differentiated one from the exact pair.
  void percentagesFromShownProfitAndExactPair() {
    EditCells cells;
    cells.Set(LadderRow::Total, 3, 10);
    WriteScenarioFigures(cells, 3, ProfitPair{100.006, 100.006});
    QCOMPARE(cells.Get(LadderRow::Profit, 3), 100.01);
    QCOMPARE(cells.Get(LadderRow::ProfitPct, 3), 1000.1);
    QCOMPARE(cells.Get(LadderRow::DiffProfitPct, 3), 1000.06);
  }

  // Both percentages are taken at extended precision; a double product before the division
  // changes their last bit here.
  void ladderPercentagesKeepExtendedPrecision() {
    using Extended = long double;
    ExactCells cells;
    cells.Set(LadderRow::Total, 2, 850.55);
    WriteScenarioFigures(cells, 2, ProfitPair{151.60, 163.945678});
    QCOMPARE(Bits(cells.Get(LadderRow::ProfitPct, 2)),
             Bits(static_cast<double>(Extended(151.60) * 100 / Extended(850.55))));
    QCOMPARE(Bits(cells.Get(LadderRow::DiffProfitPct, 2)),
             Bits(static_cast<double>(Extended(163.945678) * 100 / Extended(850.55))));
  }

  void derivedPairOfAnEditedScenario_data() {
    QTest::addColumn<bool>("totalEdited");
    QTest::addColumn<double>("typed");
    QTest::addColumn<double>("guests");
    QTest::addColumn<double>("derived");
    QTest::newRow("total over guests") << true << 800.0 << 40.0 << 20.0;
    QTest::newRow("total, no guests") << true << 800.0 << 0.0 << 0.0;
    QTest::newRow("total zero") << true << 0.0 << 40.0 << 0.0;
    QTest::newRow("total negative") << true << -400.0 << 40.0 << -10.0;
    QTest::newRow("total in thirds") << true << 1000.0 << 3.0 << 333.33;
    QTest::newRow("per guest times guests") << false << 20.0 << 40.0 << 800.0;
    QTest::newRow("per guest, no guests") << false << 20.0 << 0.0 << 0.0;
  }
  void derivedPairOfAnEditedScenario() {
    QFETCH(bool, totalEdited);
    QFETCH(double, typed);
    QFETCH(double, guests);
    QFETCH(double, derived);
    EditCells cells;
    for (LadderRow row : {LadderRow::Total, LadderRow::PerGuest}) {
      for (int k = 1; k <= 5; ++k) cells.Set(row, k, 7);
    }
    const LadderRow edited = totalEdited ? LadderRow::Total : LadderRow::PerGuest;
    const LadderRow other = totalEdited ? LadderRow::PerGuest : LadderRow::Total;
    cells.Set(edited, 3, typed);
    DeriveScenarioPair(cells, 3, totalEdited, guests);
    QCOMPARE(cells.Get(other, 3), derived);
    QCOMPARE(cells.Get(edited, 3), typed);
    QCOMPARE(cells.Row(other), (QList<double>{7, 7, derived, 7, 7}));
  }
};

QTEST_GUILESS_MAIN(TestProfit)
#include "tst_profit.moc"
