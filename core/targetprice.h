// SPDX-License-Identifier: MIT
// The target price of an option: the scenario total at which its ladder shows a chosen "% Lucro",
// "% Lucro Diferenciado" or "Valor Lucro", and the totals at which it breaks even. Every figure is
// taken through the scenario computation and the ladder's figure rule, on cells that keep two
// decimals as the ladder's number edits do. Totals are whole cents from 0,01 to kMaxTotal.
#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

#include "profit.h"

namespace margem {

enum class TargetKind { ProfitPct, DiffProfitPct, Profit };

// One scenario column as the ladder shows it at a total.
struct ScenarioColumn {
  double total = 0;
  double perGuest = 0;  // 0 when there are no guests, as the ladder shows it
  double profit = 0;
  double profitPct = 0;
  double diffProfitPct = 0;
};

struct TargetAnswer {
  enum class Outcome {
    Reached,      // the figure at total shows the target, or the value nearest past it
    Unreachable,  // no total shows the target; limit is the nearest value one shows
    Flat,         // the figure does not move with the total; limit is the value it keeps
  };
  Outcome outcome = Outcome::Flat;
  // Reached: the answer. Where the figure rises with the total it is the lowest total showing at
  // least the target; where it falls, the highest. Unreachable: the total that gets closest.
  double total = 0;
  bool exact = false;  // Reached: the figure at total is the target itself
  double limit = 0;    // Unreachable, Flat
  // Unreachable: the limit is only approached as the total grows without end; total is then
  // kMaxTotal, which says nothing to a user.
  bool unbounded = false;
};

class TargetPriceSolver {
 public:
  static constexpr double kMaxTotal = 999'999'999'999.99;

  // rows: the option's subgroup rows after a current-value run (their fixed amounts are read);
  // currentTotal: the option's current total as its ladder holds it; serv: the service's
  // fixed-expense percentage.
  TargetPriceSolver(std::vector<SubgroupRow> rows, double currentTotal, double serv);

  // What a scenario column of the ladder shows once total is typed into its "Valor Total".
  ScenarioColumn ColumnAt(double total, double guests) const;
  // The total at which the figure of that kind shows target (taken to two decimals).
  TargetAnswer Solve(TargetKind kind, double target) const;
  // The total at which "Valor Lucro" shows 0,00, and the one at which the differentiated profit,
  // taken to the cent, is 0,00.
  TargetAnswer BreakEven() const;
  TargetAnswer DifferentiatedBreakEven() const;

 private:
  enum class Figure { ProfitPct, DiffProfitPct, Profit, DiffProfit };
  // One of the pair on positive totals: slope × total + intercept.
  struct Line {
    long double slope = 0;
    long double intercept = 0;
  };

  ProfitPair PairAt(double total) const;
  double FigureAt(Figure figure, qint64 cents) const;
  TargetAnswer Reach(Figure figure, double target) const;
  const Line& LineOf(Figure figure) const;
  qint64 Crossing(Figure figure, long double value, long double shift) const;
  template <class Holds>
  std::optional<qint64> Boundary(const Holds& holds, qint64 inside, qint64 outside,
                                 bool insideHolds, Figure figure, double target) const;

  std::vector<SubgroupRow> m_rows;
  double m_currentTotal;
  double m_serv;
  Line m_profit;
  Line m_differentiated;
};

}  // namespace margem
