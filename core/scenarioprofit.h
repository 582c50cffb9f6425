// SPDX-License-Identifier: MIT
// The arithmetic of an option's profit in one price scenario on plain row values, with no data
// set: the subgroup-set computation (profit.h) writes what it gives into the rows, and the target
// price solver (targetprice.h) evaluates the same arithmetic at many totals without writing.
//
// Working values are extended precision; what a row stores is a double, and a later step that
// reads a stored figure reads the double, exactly as a run over the data set does.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace margem {

// The option's two totals in a scenario: its profit, and its differentiated profit, in which the
// option's freight is spread over the subgroups flagged for it.
struct ProfitPair {
  double profit = 0;
  double differentiated = 0;
};

// How a subgroup's sale value moves with the scenario's price (IDDESCONTOSBGR): "S" follows it,
// "N" keeps its value, any other text keeps its value yet counts in the base the followers share.
enum class PriceFlag { Follows, Keeps, Other };
PriceFlag PriceFlagOf(const QString& flag);

// What the computation reads of one subgroup row.
struct SubgroupRow {
  double totalItem = 0;  // VRTOTALITEM, the value as quoted
  PriceFlag price = PriceFlag::Other;
  bool sharesFreight = false;       // IDDIFEFRETESBGR is "S"
  bool isFreight = false;           // IDFRETESBGR is "S"
  double materialPct = 0;           // VRPEMATPAUX, as delivered
  double otherPct = 0;              // VRPEOUTRAUX, as delivered
  double expensePct = 0;            // VRPEDESPAUX, as delivered
  double freight = 0;               // VRFRETE
  double fixedMaterial = 0;         // VRLUCROAUX, left by the last current-value run
  double fixedFreightMaterial = 0;  // VRDIFERMATPRI, left by the last current-value run
};

// The inputs of one run.
struct ScenarioRun {
  double v1 = 0;         // the option's current total
  double vk = 0;         // its total in the scenario
  double serv = 0;       // the fixed-expense percentage of the event's service type
  bool current = false;  // the current-value scenario: the fixed amounts are taken here
};

// What the first pass over all rows gathers before any row is computed.
struct ScenarioBases {
  long double keptShift = 0;     // how much the subgroups that keep their value would have moved
  long double discountBase = 0;  // the scenario value of the subgroups that follow the price
  long double freightBase = 0;   // the current value of the subgroups that share the freight
};
// Adds one row to the bases; reads only its value and its two sharing flags.
void AddToBases(ScenarioBases& bases, const SubgroupRow& row, const ScenarioRun& run);

// The figures a run gives one row.
struct SubgroupFigures {
  double sale = 0;         // VRVENDA
  double materialPct = 0;  // VRPEIMDEVAVEMP shown
  double profit = 0;       // VRLUCRO
  double profitPct = 0;    // VRPELUCRO
  // Written by the current-value run only: VRLUCROAUX, and VRDIFERMATPRI for a row that shares
  // the freight.
  std::optional<double> fixedMaterial;
  std::optional<double> fixedFreightMaterial;
};
// Computes one row after the first pass and adds its terms to the option's totals.
SubgroupFigures ComputeSubgroup(const SubgroupRow& row, const ScenarioRun& run,
                                const ScenarioBases& bases, ProfitPair& totals);

// The option's two totals over its rows, nothing written.
ProfitPair ScenarioProfit(const std::vector<SubgroupRow>& rows, const ScenarioRun& run);

}  // namespace margem
