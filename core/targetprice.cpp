// SPDX-License-Identifier: MIT
// The scenario total that reaches a chosen profit figure, and the break-even totals.
#include "targetprice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "framework.h"

namespace margem {

namespace {

using Extended = long double;

constexpr qint64 kMinCents = 1;
constexpr qint64 kMaxCents = 99'999'999'999'999;
constexpr int kColumn = 2;  // any scenario past the current value: they all compute alike
constexpr int kMaxScan = 4096;
// An intercept this small moves no percentage shown by a hundredth at any total from 0,01 on;
// it is what is left of none by the rounding of the two sums the line is drawn through.
constexpr long double kNoIntercept = 1e-7L;

double Total(qint64 cents) { return static_cast<double>(cents) / 100; }

// What a two-decimal number edit holds when given value.
double Held(double value) { return std::isfinite(value) ? RoundDec(value, 2) : 0; }

// One scenario column of the ladder, each cell holding what its number edit would.
class ColumnCells : public ScenarioCells {
 public:
  double Get(LadderRow row, int) const override { return m_cells[Slot(row)]; }
  void Set(LadderRow row, int, double value) override { m_cells[Slot(row)] = Held(value); }

 private:
  static std::size_t Slot(LadderRow row) { return static_cast<std::size_t>(row); }
  std::array<double, 5> m_cells{};
};

}  // namespace

TargetPriceSolver::TargetPriceSolver(std::vector<SubgroupRow> rows, double currentTotal,
                                     double serv)
    : m_rows(std::move(rows)), m_currentTotal(currentTotal), m_serv(serv) {
  // On positive totals no guard of the computation changes side (the current total, the
  // discount base and the freight base keep their signs), so each of the pair is one line.
  constexpr double kLow = 1;
  constexpr double kHigh = 1'000'000;
  const ProfitPair low = PairAt(kLow);
  const ProfitPair high = PairAt(kHigh);
  const auto line = [&](double atLow, double atHigh) {
    Line result;
    result.slope = (Extended(atHigh) - atLow) / (kHigh - kLow);
    result.intercept = atLow - result.slope * kLow;
    return result;
  };
  m_profit = line(low.profit, high.profit);
  m_differentiated = line(low.differentiated, high.differentiated);
}

ProfitPair TargetPriceSolver::PairAt(double total) const {
  return ScenarioProfit(m_rows, ScenarioRun{m_currentTotal, total, m_serv, false});
}

ScenarioColumn TargetPriceSolver::ColumnAt(double total, double guests) const {
  ColumnCells cells;
  cells.Set(LadderRow::Total, kColumn, total);
  DeriveScenarioPair(cells, kColumn, true, guests);
  WriteScenarioFigures(cells, kColumn, PairAt(cells.Get(LadderRow::Total, kColumn)));
  return {cells.Get(LadderRow::Total, kColumn), cells.Get(LadderRow::PerGuest, kColumn),
          cells.Get(LadderRow::Profit, kColumn), cells.Get(LadderRow::ProfitPct, kColumn),
          cells.Get(LadderRow::DiffProfitPct, kColumn)};
}

double TargetPriceSolver::FigureAt(Figure figure, qint64 cents) const {
  ColumnCells cells;
  cells.Set(LadderRow::Total, kColumn, Total(cents));
  const ProfitPair pair = PairAt(cells.Get(LadderRow::Total, kColumn));
  if (figure == Figure::DiffProfit) return Held(pair.differentiated);
  WriteScenarioFigures(cells, kColumn, pair);
  switch (figure) {
    case Figure::ProfitPct:
      return cells.Get(LadderRow::ProfitPct, kColumn);
    case Figure::DiffProfitPct:
      return cells.Get(LadderRow::DiffProfitPct, kColumn);
    default:
      return cells.Get(LadderRow::Profit, kColumn);
  }
}

TargetAnswer TargetPriceSolver::Solve(TargetKind kind, double target) const {
  switch (kind) {
    case TargetKind::ProfitPct:
      return Reach(Figure::ProfitPct, target);
    case TargetKind::DiffProfitPct:
      return Reach(Figure::DiffProfitPct, target);
    default:
      return Reach(Figure::Profit, target);
  }
}

TargetAnswer TargetPriceSolver::BreakEven() const { return Reach(Figure::Profit, 0); }

TargetAnswer TargetPriceSolver::DifferentiatedBreakEven() const {
  return Reach(Figure::DiffProfit, 0);
}

const TargetPriceSolver::Line& TargetPriceSolver::LineOf(Figure figure) const {
  const bool differentiated = figure == Figure::DiffProfitPct || figure == Figure::DiffProfit;
  return differentiated ? m_differentiated : m_profit;
}

// The cent at which the figure's line crosses value: a money figure is its line, a percentage
// its line over the total (intercept moved by shift first). Outside [0,01; kMaxTotal] the
// nearest end is taken.
qint64 TargetPriceSolver::Crossing(Figure figure, Extended value, Extended shift) const {
  const Line& line = LineOf(figure);
  const Extended intercept = line.intercept + shift;
  Extended total;
  if (figure == Figure::Profit || figure == Figure::DiffProfit) {
    total = (value - intercept) / line.slope;
  } else {
    total = 100 * intercept / (value - 100 * line.slope);
  }
  if (!std::isfinite(static_cast<double>(total)) || total * 100 < kMinCents) return kMinCents;
  if (total * 100 > kMaxCents) return kMaxCents;
  return static_cast<qint64>(std::llround(static_cast<double>(total * 100)));
}

// The cent nearest `outside` (where holds is false) among those where holds is true, starting
// from `inside` (where it holds): out from the guess by doubling steps to bracket the change, and
// halving the bracket to one cent. "% Lucro" is taken from the profit as shown, to the cent, so
// it drops a little between two steps of the profit and, near the crossing, wavers across the
// target; it can show the target again past `outside`, as far as a profit half a cent higher
// would carry it (`reach`). Those cents are looked at from the far end, at most kMaxScan of them.
template <class Holds>
std::optional<qint64> TargetPriceSolver::Boundary(const Holds& holds, qint64 inside, qint64 outside,
                                                  bool insideHolds, Figure figure,
                                                  double target) const {
  const qint64 dir = outside > inside ? 1 : -1;
  const auto between = [&](qint64 cents) {
    return (cents - inside) * dir > 0 && (outside - cents) * dir > 0;
  };
  const Extended boundary = Extended(target) - 0.005L;  // the lowest value shown as the target
  const qint64 guess = Crossing(figure, boundary, 0);
  if (between(guess)) {
    const bool guessHolds = holds(guess);
    (guessHolds ? inside : outside) = guess;
    insideHolds |= guessHolds;
    const qint64 away = guessHolds ? dir : -dir;
    for (qint64 step = 1; between(guess + away * step); step *= 2) {
      const qint64 probe = guess + away * step;
      if (holds(probe) != guessHolds) {
        (guessHolds ? outside : inside) = probe;
        insideHolds = true;
        break;
      }
      (guessHolds ? inside : outside) = probe;
    }
  }
  if (!insideHolds && !holds(inside)) return std::nullopt;
  while ((outside - inside) * dir > 1) {
    const qint64 middle = inside + (outside - inside) / 2;
    (holds(middle) ? inside : outside) = middle;
  }
  qint64 reach = inside + 2 * dir;
  if (figure == Figure::ProfitPct) {
    const qint64 far = Crossing(figure, boundary, 0.005L) + 2 * dir;
    if ((far - reach) * dir > 0) reach = far;
  }
  reach = std::clamp(reach, kMinCents, kMaxCents);
  for (int scanned = 0; (reach - inside) * dir > 0 && scanned < kMaxScan; ++scanned, reach -= dir) {
    if (holds(reach)) return reach;
  }
  return inside;
}

// The pair is linear in the total, so the crossing is solved on that line first (Crossing); the
// answer is then found and checked cent by cent through the scenario computation itself.
TargetAnswer TargetPriceSolver::Reach(Figure figure, double target) const {
  target = Held(target);
  const bool percentage = figure == Figure::ProfitPct || figure == Figure::DiffProfitPct;
  const Line& line = LineOf(figure);
  TargetAnswer answer;
  const double atMax = FigureAt(figure, kMaxCents);
  // A percentage of the smallest totals is mostly the rounding of the profit to the cent; it
  // heads for the sign of the line's intercept there, so only money is read at that end.
  const double atMin = percentage ? 0 : FigureAt(figure, kMinCents);
  const auto unreachable = [&](qint64 cents, double limit) {
    answer.outcome = TargetAnswer::Outcome::Unreachable;
    answer.total = Total(cents);
    answer.limit = limit;
    answer.unbounded = cents == kMaxCents;
    return answer;
  };
  if (percentage ? std::fabs(line.intercept) < kNoIntercept : line.slope == 0) {
    answer.limit = atMax;
    return answer;
  }
  const bool rising = percentage ? line.intercept < 0 : line.slope > 0;
  const auto atLeast = [&](qint64 cents) { return FigureAt(figure, cents) >= target; };
  std::optional<qint64> cents;
  if (rising) {
    if (atMax < target) return unreachable(kMaxCents, atMax);
    if (!percentage && atMin > target) return unreachable(kMinCents, atMin);
    cents = !percentage && atMin == target
                ? kMinCents
                : Boundary(atLeast, kMaxCents, kMinCents, true, figure, target);
  } else {
    if (!percentage && atMin < target) return unreachable(kMinCents, atMin);
    // Falling towards what the largest total shows, it never comes down to a target at or
    // below that value.
    if (atMax >= target) return unreachable(kMaxCents, atMax);
    cents = Boundary(atLeast, kMinCents, kMaxCents, !percentage, figure, target);
    if (!cents) return unreachable(kMinCents, FigureAt(figure, kMinCents));
  }
  answer.outcome = TargetAnswer::Outcome::Reached;
  answer.total = Total(*cents);
  answer.exact = FigureAt(figure, *cents) == target;
  return answer;
}

}  // namespace margem
