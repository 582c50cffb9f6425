// SPDX-License-Identifier: MIT
// The profit of one option in one price scenario, row by row, on plain values.
#include "scenarioprofit.h"

namespace margem {

namespace {

using Extended = long double;

// A result element is a double, and so is each term it takes: the term is rounded to a double,
// then added to or subtracted from the element on its own at extended precision, as every other
// running sum here and in the chart figures, and the element kept as a double.
void AddTerm(double& total, Extended term) {
  total = static_cast<double>(Extended(total) + static_cast<double>(term));
}
void SubtractTerm(double& total, Extended term) {
  total = static_cast<double>(Extended(total) - static_cast<double>(term));
}

// The subgroups flagged "S" follow the scenario's price and absorb, in proportion, what the
// subgroups that keep their value would have moved; every other subgroup keeps its value. The
// scaled value is stored before its share is read back from it.
double SaleValue(const SubgroupRow& row, const ScenarioRun& run, const ScenarioBases& bases) {
  const Extended ti = row.totalItem;
  if (row.price != PriceFlag::Follows) return row.totalItem;
  if (run.v1 <= 0) return 0;
  const Extended scaled = static_cast<double>((Extended(run.vk) * ti) / Extended(run.v1));
  const Extended share = bases.discountBase > 0 ? scaled * 100 / bases.discountBase : 0;
  return static_cast<double>(scaled - bases.keptShift * share / 100);
}

// The row's part of the differentiated profit: the option's freight is spread over the
// subgroups flagged for it; freight subgroups not flagged so are left out.
void AddDifferentiated(const SubgroupRow& row, const ScenarioRun& run, const ScenarioBases& bases,
                       Extended m, SubgroupFigures& figures, double& differentiated) {
  const Extended serv = run.serv;
  if (row.sharesFreight) {
    const Extended r = bases.freightBase > 0 ? m * 100 / bases.freightBase : 0;
    const Extended mf = row.freight * r / 100 + m;
    Extended dmp;
    if (run.current) {
      dmp = row.materialPct * mf / 100;
      figures.fixedFreightMaterial = static_cast<double>(dmp);
    } else {
      dmp = row.fixedFreightMaterial;
    }
    AddTerm(differentiated, mf);
    SubtractTerm(differentiated, dmp);
    SubtractTerm(differentiated, row.otherPct * mf / 100);
    SubtractTerm(differentiated, (row.expensePct * mf / 100) * serv / 100);
  } else if (!row.isFreight) {
    AddTerm(differentiated, figures.profit);
  }
}

}  // namespace

PriceFlag PriceFlagOf(const QString& flag) {
  if (flag == QLatin1String("S")) return PriceFlag::Follows;
  if (flag == QLatin1String("N")) return PriceFlag::Keeps;
  return PriceFlag::Other;
}

void AddToBases(ScenarioBases& bases, const SubgroupRow& row, const ScenarioRun& run) {
  const Extended ti = row.totalItem;
  const Extended v1 = run.v1;
  const Extended vk = run.vk;
  if (row.price == PriceFlag::Keeps) {
    bases.keptShift = v1 > 0 ? (ti + bases.keptShift) - (vk * ti) / v1 : 0;
  } else if (v1 > 0) {
    bases.discountBase += (vk * ti) / v1;
  }
  if (row.sharesFreight) bases.freightBase += ti;
}

// The costs are taken on the value M: the quoted value in the current scenario, the sale value in
// the others. The materials cost is fixed by the current scenario: the others reuse its amount.
SubgroupFigures ComputeSubgroup(const SubgroupRow& row, const ScenarioRun& run,
                                const ScenarioBases& bases, ProfitPair& totals) {
  SubgroupFigures figures;
  figures.sale = SaleValue(row, run, bases);
  const Extended serv = run.serv;
  const Extended m = run.current ? Extended(row.totalItem) : Extended(figures.sale);
  const Extended mp = run.current ? row.materialPct * m / 100 : Extended(row.fixedMaterial);
  const Extended ou = row.otherPct * m / 100;
  const Extended ds = (row.expensePct * m / 100) * serv / 100;
  figures.profit = static_cast<double>(m - mp - ou - ds);
  if (run.current) {
    figures.fixedMaterial = static_cast<double>(mp);
    figures.materialPct = row.materialPct;
  } else {
    figures.materialPct = m > 0 ? static_cast<double>(mp * 100 / m) : 0;
  }
  AddTerm(totals.profit, m);
  SubtractTerm(totals.profit, mp);
  SubtractTerm(totals.profit, ou);
  SubtractTerm(totals.profit, ds);
  figures.profitPct = m > 0 ? static_cast<double>(Extended(figures.profit) * 100 / m) : 0;
  AddDifferentiated(row, run, bases, m, figures, totals.differentiated);
  return figures;
}

ProfitPair ScenarioProfit(const std::vector<SubgroupRow>& rows, const ScenarioRun& run) {
  ScenarioBases bases;
  for (const SubgroupRow& row : rows) AddToBases(bases, row, run);
  ProfitPair totals;
  for (const SubgroupRow& row : rows) ComputeSubgroup(row, run, bases, totals);
  return totals;
}

}  // namespace margem
