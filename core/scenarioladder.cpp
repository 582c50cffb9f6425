// SPDX-License-Identifier: MIT
// The five price scenarios of an option: totals, per-guest values and their profit figures.
// Every step reads the value it continues from back out of its cell. Working values are extended
// precision; a cell takes a double.
#include "profit.h"

namespace margem {

namespace {

using Extended = long double;

constexpr int kScenarios = 5;

double Stored(Extended value) { return static_cast<double>(value); }

}  // namespace

void FillScenarioLadder(ScenarioCells& cells, double totalItem, double discount, double guests,
                        const std::function<ProfitPair(int scenario)>& calcProfit) {
  cells.Set(LadderRow::Total, 1, Stored(Extended(totalItem) - discount));
  cells.Set(LadderRow::PerGuest, 1,
            guests > 0 ? Stored(Extended(cells.Get(LadderRow::Total, 1)) / guests) : 0);
  // Each lower scenario charges one currency unit less per guest than the one before it.
  for (int k = 2; k <= kScenarios; ++k) {
    cells.Set(LadderRow::PerGuest, k, Stored(Extended(cells.Get(LadderRow::PerGuest, k - 1)) - 1));
  }
  for (int k = 2; k <= kScenarios; ++k) {
    cells.Set(LadderRow::Total, k, Stored(Extended(guests) * cells.Get(LadderRow::PerGuest, k)));
  }
  for (int k = 1; k <= kScenarios; ++k) WriteScenarioFigures(cells, k, calcProfit(k));
}

void WriteScenarioFigures(ScenarioCells& cells, int scenario, const ProfitPair& pair) {
  cells.Set(LadderRow::Profit, scenario, pair.profit);
  const Extended total = cells.Get(LadderRow::Total, scenario);
  const Extended profitShown = cells.Get(LadderRow::Profit, scenario);
  // Both percentages are of the scenario's sale value, never of its cost.
  cells.Set(LadderRow::ProfitPct, scenario, total > 0 ? Stored(profitShown * 100 / total) : 0);
  cells.Set(LadderRow::DiffProfitPct, scenario,
            total > 0 ? Stored(Extended(pair.differentiated) * 100 / total) : 0);
}

void DeriveScenarioPair(ScenarioCells& cells, int scenario, bool totalEdited, double guests) {
  if (totalEdited) {
    const Extended total = cells.Get(LadderRow::Total, scenario);
    cells.Set(LadderRow::PerGuest, scenario, guests > 0 ? Stored(total / guests) : 0);
  } else {
    cells.Set(LadderRow::Total, scenario,
              Stored(Extended(guests) * cells.Get(LadderRow::PerGuest, scenario)));
  }
}

}  // namespace margem
