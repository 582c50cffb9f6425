// SPDX-License-Identifier: MIT
// The five price scenarios of an option: totals, per-guest values and their profit figures.
// Every step reads the value it continues from back out of its cell.
#include "profit.h"

namespace margem {

namespace {

constexpr int kScenarios = 5;

}  // namespace

void FillScenarioLadder(ScenarioCells& cells, double totalItem, double discount, double guests,
                        const std::function<ProfitPair(int scenario)>& calcProfit) {
  cells.Set(LadderRow::Total, 1, totalItem - discount);
  cells.Set(LadderRow::PerGuest, 1, guests > 0 ? cells.Get(LadderRow::Total, 1) / guests : 0);
  // Each lower scenario charges one currency unit less per guest than the one before it.
  for (int k = 2; k <= kScenarios; ++k) {
    cells.Set(LadderRow::PerGuest, k, cells.Get(LadderRow::PerGuest, k - 1) - 1.0);
  }
  for (int k = 2; k <= kScenarios; ++k) {
    cells.Set(LadderRow::Total, k, guests * cells.Get(LadderRow::PerGuest, k));
  }
  for (int k = 1; k <= kScenarios; ++k) WriteScenarioFigures(cells, k, calcProfit(k));
}

void WriteScenarioFigures(ScenarioCells& cells, int scenario, const ProfitPair& pair) {
  cells.Set(LadderRow::Profit, scenario, pair.profit);
  const double total = cells.Get(LadderRow::Total, scenario);
  const double profitShown = cells.Get(LadderRow::Profit, scenario);
  // Both percentages are of the scenario's sale value, never of its cost.
  cells.Set(LadderRow::ProfitPct, scenario, total > 0 ? profitShown * 100 / total : 0);
  cells.Set(LadderRow::DiffProfitPct, scenario, total > 0 ? pair.differentiated * 100 / total : 0);
}

void DeriveScenarioPair(ScenarioCells& cells, int scenario, bool totalEdited, double guests) {
  if (totalEdited) {
    const double total = cells.Get(LadderRow::Total, scenario);
    cells.Set(LadderRow::PerGuest, scenario, guests > 0 ? total / guests : 0);
  } else {
    cells.Set(LadderRow::Total, scenario, guests * cells.Get(LadderRow::PerGuest, scenario));
  }
}

}  // namespace margem
