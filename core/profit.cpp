// SPDX-License-Identifier: MIT
// The profit of one option in one price scenario, computed over the option's subgroup rows.
#include "profit.h"

namespace margem {

namespace {

using Extended = long double;

const QString kYes = QStringLiteral("S");
const QString kNo = QStringLiteral("N");

// The fields of a subgroup row that the computation reads or writes, looked up once.
struct GrupoFields {
  explicit GrupoFields(const TClientDataSet& set)
      : totalItem(set.FieldByName(QStringLiteral("VRTOTALITEM"))),
        venda(set.FieldByName(QStringLiteral("VRVENDA"))),
        materialPct(set.FieldByName(QStringLiteral("VRPEIMDEVAVEMP"))),
        otherPct(set.FieldByName(QStringLiteral("VRPEIMDEVAVEOU"))),
        expensePct(set.FieldByName(QStringLiteral("VRPEDESFIXASBGR"))),
        profitPct(set.FieldByName(QStringLiteral("VRPELUCRO"))),
        profit(set.FieldByName(QStringLiteral("VRLUCRO"))),
        fixedMaterial(set.FieldByName(QStringLiteral("VRLUCROAUX"))),
        deliveredMaterialPct(set.FieldByName(QStringLiteral("VRPEMATPAUX"))),
        deliveredOtherPct(set.FieldByName(QStringLiteral("VRPEOUTRAUX"))),
        deliveredExpensePct(set.FieldByName(QStringLiteral("VRPEDESPAUX"))),
        sharesFreight(set.FieldByName(QStringLiteral("IDDIFEFRETESBGR"))),
        freight(set.FieldByName(QStringLiteral("VRFRETE"))),
        followsPrice(set.FieldByName(QStringLiteral("IDDESCONTOSBGR"))),
        fixedFreightMaterial(set.FieldByName(QStringLiteral("VRDIFERMATPRI"))),
        isFreight(set.FieldByName(QStringLiteral("IDFRETESBGR"))) {}

  TField* totalItem;
  TField* venda;
  TField* materialPct;
  TField* otherPct;
  TField* expensePct;
  TField* profitPct;
  TField* profit;
  TField* fixedMaterial;
  TField* deliveredMaterialPct;
  TField* deliveredOtherPct;
  TField* deliveredExpensePct;
  TField* sharesFreight;
  TField* freight;
  TField* followsPrice;
  TField* fixedFreightMaterial;
  TField* isFreight;
};

// The inputs of one run, at extended precision.
struct Scenario {
  Extended v1;
  Extended vk;
  Extended serv;
  bool current;  // scenario 1: the fixed amounts are taken here
};

// What the first pass gathers over all rows.
struct Bases {
  Extended keptShift = 0;     // how much the subgroups that keep their value would have moved
  Extended discountBase = 0;  // the scenario value of the subgroups that follow the price
  Extended freightBase = 0;   // the current value of the subgroups that share the freight
};

// A result element is a double, and so is each term it takes: the term is rounded to a double,
// then added to or subtracted from the element on its own at extended precision, as every other
// running sum here and in the chart figures, and the element kept as a double.
void AddTerm(double& total, Extended term) {
  total = static_cast<double>(Extended(total) + static_cast<double>(term));
}
void SubtractTerm(double& total, Extended term) {
  total = static_cast<double>(Extended(total) - static_cast<double>(term));
}

Bases SumBases(TClientDataSet& set, const GrupoFields& f, const Scenario& s) {
  Bases bases;
  for (set.First(); !set.Eof(); set.Next()) {
    const Extended ti = f.totalItem->AsFloat();
    if (f.followsPrice->AsString() == kNo) {
      bases.keptShift = s.v1 > 0 ? (ti + bases.keptShift) - (s.vk * ti) / s.v1 : 0;
    } else if (s.v1 > 0) {
      bases.discountBase += (s.vk * ti) / s.v1;
    }
    if (f.sharesFreight->AsString() == kYes) bases.freightBase += ti;
  }
  return bases;
}

// The subgroups flagged "S" follow the scenario's price and absorb, in proportion, what the
// subgroups that keep their value would have moved; every other subgroup keeps its value.
void WriteSaleValue(const GrupoFields& f, const Scenario& s, const Bases& bases) {
  const Extended ti = f.totalItem->AsFloat();
  if (f.followsPrice->AsString() != kYes) {
    f.venda->SetAsFloat(static_cast<double>(ti));
    return;
  }
  if (s.v1 <= 0) {
    f.venda->SetAsFloat(0);
    return;
  }
  f.venda->SetAsFloat(static_cast<double>((s.vk * ti) / s.v1));
  const Extended scaled = f.venda->AsFloat();
  const Extended share = bases.discountBase > 0 ? scaled * 100 / bases.discountBase : 0;
  f.venda->SetAsFloat(static_cast<double>(scaled - bases.keptShift * share / 100));
}

// Writes the row's costs and profit and adds them to the option's profit; returns the value on
// which the costs were taken. The materials cost is fixed by the current scenario: the other
// scenarios reuse the amount it stored.
Extended WriteCostsAndProfit(const GrupoFields& f, const Scenario& s, double& optionProfit) {
  const Extended m = s.current ? Extended(f.totalItem->AsFloat()) : Extended(f.venda->AsFloat());
  const Extended mp = s.current ? f.deliveredMaterialPct->AsFloat() * m / 100
                                : Extended(f.fixedMaterial->AsFloat());
  const Extended ou = f.deliveredOtherPct->AsFloat() * m / 100;
  const Extended ds = (f.deliveredExpensePct->AsFloat() * m / 100) * s.serv / 100;
  f.profit->SetAsFloat(static_cast<double>(m - mp - ou - ds));
  if (s.current) {
    f.fixedMaterial->SetAsFloat(static_cast<double>(mp));
    f.materialPct->SetAsFloat(f.deliveredMaterialPct->AsFloat());
  } else {
    f.materialPct->SetAsFloat(m > 0 ? static_cast<double>(mp * 100 / m) : 0);
  }
  f.otherPct->SetAsFloat(f.deliveredOtherPct->AsFloat());
  f.expensePct->SetAsFloat(f.deliveredExpensePct->AsFloat());

  AddTerm(optionProfit, m);
  SubtractTerm(optionProfit, mp);
  SubtractTerm(optionProfit, ou);
  SubtractTerm(optionProfit, ds);
  return m;
}

// The row's part of the differentiated profit: the option's freight is spread over the
// subgroups flagged for it; freight subgroups not flagged so are left out.
void AddDifferentiated(const GrupoFields& f, const Scenario& s, const Bases& bases, Extended m,
                       double& differentiated) {
  if (f.sharesFreight->AsString() == kYes) {
    const Extended r = bases.freightBase > 0 ? m * 100 / bases.freightBase : 0;
    const Extended mf = f.freight->AsFloat() * r / 100 + m;
    Extended dmp;
    if (s.current) {
      dmp = f.materialPct->AsFloat() * mf / 100;
      f.fixedFreightMaterial->SetAsFloat(static_cast<double>(dmp));
    } else {
      dmp = f.fixedFreightMaterial->AsFloat();
    }
    AddTerm(differentiated, mf);
    SubtractTerm(differentiated, dmp);
    SubtractTerm(differentiated, f.otherPct->AsFloat() * mf / 100);
    SubtractTerm(differentiated, (f.expensePct->AsFloat() * mf / 100) * s.serv / 100);
  } else if (f.isFreight->AsString() != kYes) {
    AddTerm(differentiated, f.profit->AsFloat());
  }
}

void WriteRow(const GrupoFields& f, const Scenario& s, const Bases& bases, ProfitPair& result) {
  WriteSaleValue(f, s, bases);
  const Extended m = WriteCostsAndProfit(f, s, result.profit);
  f.profitPct->SetAsFloat(m > 0 ? static_cast<double>(Extended(f.profit->AsFloat()) * 100 / m) : 0);
  AddDifferentiated(f, s, bases, m, result.differentiated);
}

// Ends a run however it ended: a row left half-written is dropped, the set returns to its first
// row and its views are told to refresh.
void EndRun(TClientDataSet& set) {
  try {
    if (set.state() == TClientDataSet::dsEdit || set.state() == TClientDataSet::dsInsert) {
      set.Cancel();
    }
    if (set.Active()) set.First();
  } catch (...) {
    set.EnableControls();
    throw;
  }
  set.EnableControls();
}

}  // namespace

void DefineGrupoFields(TClientDataSet& grupo) {
  const auto text = [&](const char* name, int size, const char* label = nullptr) {
    TField* field = grupo.AddField(QString::fromLatin1(name), FieldType::String, size);
    if (label) field->DisplayLabel = QString::fromUtf8(label);
  };
  const auto number = [&](const char* name, const char* label = nullptr) {
    TField* field = grupo.AddField(QString::fromLatin1(name), FieldType::Float);
    if (label) {
      field->DisplayLabel = QString::fromUtf8(label);
      field->DisplayFormat = QStringLiteral("#,##0.00");
    }
  };
  text("CDFILIAL", 4);
  text("NRORCAEVENTO", 10);
  text("NROPCAITOREV", 2);
  text("CDGRUPPRODREL", 10);
  text("CDSUBGRPRODREL", 10);
  text("NMSUBGRPROD", 40, "Grupo");
  number("VRTOTALITEM", "Vr. Venda");
  number("VRVENDA", "Vr. Venda");
  number("VRPEIMDEVAVEMP", "% IDVV MP");
  number("VRPEIMDEVAVEOU", "% IDVV Outros");
  number("VRPEDESFIXASBGR", "% Despesa");
  number("VRPELUCRO", "% Lucro");
  number("VRLUCRO", "Vr. Lucro");
  number("VRLUCROAUX");
  number("VRPEMATPAUX");
  number("VRPEOUTRAUX");
  number("VRPEDESPAUX");
  text("IDDIFEFRETESBGR", 1);
  number("VRFRETE");
  text("IDDESCONTOSBGR", 1);
  number("VRDIFERMATPRI");
  text("IDFRETESBGR", 1);
}

ProfitPair CalcScenarioProfit(TClientDataSet& grupo, double v1, double vk, double serv,
                              int scenario) {
  ProfitPair result;
  grupo.DisableControls();
  try {
    const GrupoFields fields(grupo);
    const Scenario s{v1, vk, serv, scenario == 1};
    const Bases bases = SumBases(grupo, fields, s);
    for (grupo.First(); !grupo.Eof(); grupo.Next()) {
      grupo.Edit();
      WriteRow(fields, s, bases, result);
      grupo.Post();
    }
  } catch (...) {
    EndRun(grupo);
    throw;
  }
  EndRun(grupo);
  return result;
}

}  // namespace margem
