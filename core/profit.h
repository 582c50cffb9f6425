// SPDX-License-Identifier: MIT
// The profit of one option of a quote in one price scenario, over the option's subgroup rows,
// and the five-by-five scenario ladder of an option, with no screen involved.
#pragma once

#include <functional>
#include <vector>

#include "clientdataset.h"
#include "scenarioprofit.h"

namespace margem {

// Adds the field list of an option's subgroup set (cdsGrupo<n>) to an inactive set, with the labels
// and formats its grid shows; the caller opens the set.
void DefineGrupoFields(TClientDataSet& grupo);

// Rewrites the computed fields of every subgroup row of one option (VRVENDA, VRLUCRO, VRPELUCRO,
// the shown percentages and, in scenario 1, the fixed amounts VRLUCROAUX and VRDIFERMATPRI) for
// scenario `scenario` (1 = the current value) and returns the option's two totals.
//   v1: the option's current total; vk: its total in the scenario; serv: the fixed-expense
//   percentage of the event's service type.
// Views of the set are not notified during the run; whatever happens the set ends on its first
// row with its controls enabled again. Errors of the data set pass to the caller: rows posted
// before the error keep their new figures, the row being written when it struck is left as it was.
ProfitPair CalcScenarioProfit(TClientDataSet& grupo, double v1, double vk, double serv,
                              int scenario);

// The rows of a subgroup set as the scenario computation reads them, in order, without moving
// its cursor or telling its views (a closed set has none).
std::vector<SubgroupRow> ReadSubgroupRows(const TClientDataSet& grupo);

// The rows of the scenario ladder of one option.
enum class LadderRow { Total, PerGuest, Profit, ProfitPct, DiffProfitPct };

// The 25 number cells of one option's ladder. Values live only in the cells: every step reads an
// earlier value back from its cell, so it continues from the value as the cell holds it (a number
// edit keeps two decimals).
class ScenarioCells {
 public:
  virtual ~ScenarioCells() = default;
  virtual double Get(LadderRow row, int scenario) const = 0;
  virtual void Set(LadderRow row, int scenario, double value) = 0;
};

// Fills the whole ladder of an option from its margin row (total and discount) and the guest
// count: the current total and per-guest value, four per-guest values one currency unit lower
// each, their totals, then the figures of scenarios 1 to 5 through calcProfit(k).
void FillScenarioLadder(ScenarioCells& cells, double totalItem, double discount, double guests,
                        const std::function<ProfitPair(int scenario)>& calcProfit);

// The scenario-figures rule: profit, profit percentage and differentiated profit percentage of
// one scenario from its totals and the computed pair.
void WriteScenarioFigures(ScenarioCells& cells, int scenario, const ProfitPair& pair);

// After the user changed a scenario's total (totalEdited) or its per-guest value, derives the
// other one of the pair through the guest count.
void DeriveScenarioPair(ScenarioCells& cells, int scenario, bool totalEdited, double guests);

}  // namespace margem
