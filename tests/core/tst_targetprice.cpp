// SPDX-License-Identifier: MIT
// The target price of an option, checked against what the ladder itself shows at the answer: the
// subgroup set computed for a scenario total and the ladder's figure rule on two-decimal cells.
#include <QRandomGenerator>
#include <QtTest>

#include "subgroupset.h"
#include "targetprice.h"

using namespace margem;
using namespace testsupport;

namespace {

using Outcome = TargetAnswer::Outcome;

// One option as the workspace holds it: its subgroup set after the current-value run.
class Option {
 public:
  Option(const QList<Subgroup>& rows, double currentTotal, double serv)
      : m_currentTotal(RoundDec(currentTotal, 2)), m_serv(serv) {
    DefineGrupoFields(m_set);
    Fill(m_set, rows);
    CalcScenarioProfit(m_set, m_currentTotal, m_currentTotal, m_serv, 1);
  }
  TargetPriceSolver Solver() const {
    return TargetPriceSolver(ReadSubgroupRows(m_set), m_currentTotal, m_serv);
  }
  // What the ladder shows in a scenario column once total is typed into it; kind -1 is the
  // differentiated profit to the cent, which no cell shows.
  double Shown(int kind, double total) {
    EditCells cells;
    cells.Set(LadderRow::Total, 1, m_currentTotal);
    cells.Set(LadderRow::Total, 2, total);
    const ProfitPair pair = CalcScenarioProfit(m_set, cells.Get(LadderRow::Total, 1),
                                               cells.Get(LadderRow::Total, 2), m_serv, 2);
    if (kind < 0) return RoundDec(pair.differentiated, 2);
    WriteScenarioFigures(cells, 2, pair);
    const LadderRow rows[] = {LadderRow::ProfitPct, LadderRow::DiffProfitPct, LadderRow::Profit};
    return cells.Get(rows[kind], 2);
  }

 private:
  TClientDataSet m_set;
  double m_currentTotal;
  double m_serv;
};

// The answer shows the target (or the value just past it), the cents on its lower side do not; an
// unreachable target's limit is what the closest total shows, the target beyond it everywhere.
void CheckAnswer(Option& option, int kind, double target, const TargetAnswer& answer) {
  const auto shown = [&](double total) { return option.Shown(kind, total); };
  const QList<double> probes{1000, 1e6, TargetPriceSolver::kMaxTotal};
  if (answer.outcome == Outcome::Flat) {
    // A percentage proportional to the total keeps its value but for its last hundredth.
    for (double total : probes) QVERIFY(std::abs(shown(total) - answer.limit) < 0.015);
    return;
  }
  if (answer.outcome == Outcome::Unreachable) {
    QCOMPARE(shown(answer.total), answer.limit);
    for (double total : probes) QVERIFY((shown(total) < target) == (answer.limit < target));
    return;
  }
  QCOMPARE(answer.total, RoundDec(answer.total, 2));
  QVERIFY(shown(answer.total) >= target);
  QCOMPARE(shown(answer.total) == target, answer.exact);
  const double step = shown(1e7) > shown(1) ? -0.01 : 0.01;
  for (int cents = 1; cents <= 8; ++cents) {
    const double total = RoundDec(answer.total + step * cents, 2);
    if (total < 0.01) break;
    QVERIFY2(shown(total) < target, qPrintable(QStringLiteral("%1 also reaches").arg(total)));
  }
}

Subgroup RandomSubgroup(QRandomGenerator& random) {
  const auto pick = [&](const QStringList& texts) { return texts[random.bounded(texts.size())]; };
  const auto amount = [&](double low, double high) {
    return random.bounded(5) == 0 ? 0.0 : RoundDec(low + random.generateDouble() * (high - low), 2);
  };
  return {amount(-300, 6000), pick({"S", "S", "N", "", "x"}),
          amount(0, 60),      amount(0, 30),
          amount(0, 120),     pick({"S", "N"}),
          amount(0, 400),     pick({"S", "N", "N"})};
}

}  // namespace

class TestTargetPrice : public QObject {
  Q_OBJECT

 private slots:
  // The worked example: profit 0,8 T - 360 (up towards 80 %), differentiated 14/15 T - 443,33.
  // Kept values earn alike at every total, their percentage falls to 0. value: total or limit.
  void outcomes_data() {
    QTest::addColumn<QList<Subgroup>>("rows");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("target");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("unbounded");
    const QList<Subgroup> example{kG1, kG2};
    const QList<Subgroup> kept{Subgroup{600, "N", 30, 10, 50}, Subgroup{400, "N", 40, 5, 100}};
    const int reached = int(Outcome::Reached);
    const int unreachable = int(Outcome::Unreachable);
    // 719,93 shows a profit of 215,94, that is 29,99 %; 719,94 shows 215,95, 30,00 %.
    QTest::newRow("% Lucro 30") << example << 0 << 30.0 << reached << 719.94 << false;
    QTest::newRow("Valor Lucro 100") << example << 2 << 100.0 << reached << 575.0 << false;
    QTest::newRow("% Lucro Diferenciado 40") << example << 1 << 40.0 << reached << 831.18 << false;
    QTest::newRow("above the ceiling") << example << 0 << 80.01 << unreachable << 80.0 << true;
    QTest::newRow("kept values earn alike")
        << kept << 2 << 500.0 << int(Outcome::Flat) << 440.0 << false;
    QTest::newRow("always above") << kept << 0 << -5.0 << unreachable << 0.0 << true;
  }
  void outcomes() {
    QFETCH(QList<Subgroup>, rows);
    QFETCH(int, kind);
    QFETCH(double, target);
    QFETCH(int, outcome);
    QFETCH(double, value);
    QFETCH(bool, unbounded);
    Option option(rows, 1000, kServ);
    const TargetAnswer answer = option.Solver().Solve(static_cast<TargetKind>(kind), target);
    QCOMPARE(int(answer.outcome), outcome);
    QCOMPARE(answer.outcome == Outcome::Reached ? answer.total : answer.limit, value);
    QCOMPARE(answer.unbounded, unbounded);
    CheckAnswer(option, kind, target, answer);
  }

  // Random options: flags "S", "N" and others, freight sharing, zero and negative values, a
  // current total that may be zero or negative; targets that some total shows and any others.
  void randomOptions_data() {
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 300; ++seed)
      QTest::newRow(qPrintable(QString::number(seed))) << seed;
  }
  void randomOptions() {
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QList<Subgroup> rows;
    double quoted = 0;
    for (int i = 0, count = random.bounded(1, 9); i < count; ++i) {
      rows << RandomSubgroup(random);
      quoted += rows.last().total;
    }
    const double discounts[] = {0, quoted * 0.05, quoted * 0.2, quoted, quoted + 500};
    const double currentTotal = quoted - discounts[random.bounded(5)];
    Option option(rows, currentTotal, RoundDec(random.generateDouble() * 100, 2));
    const TargetPriceSolver solver = option.Solver();
    for (int kind = 0; kind < 3; ++kind) {
      const double shownSomewhere =
          option.Shown(kind, RoundDec(random.bounded(1, 2'000'000) / 100.0, 2));
      const double anyTarget = RoundDec(
          kind == 2 ? random.bounded(-20000, 20000) / 1.7 : random.bounded(-100, 100) / 1.3, 2);
      for (double target : {shownSomewhere, anyTarget}) {
        CheckAnswer(option, kind, target, solver.Solve(static_cast<TargetKind>(kind), target));
      }
    }
    CheckAnswer(option, 2, 0, solver.BreakEven());
    CheckAnswer(option, -1, 0, solver.DifferentiatedBreakEven());
  }
};

QTEST_GUILESS_MAIN(TestTargetPrice)
#include "tst_targetprice.moc"
