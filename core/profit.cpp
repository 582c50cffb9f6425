// SPDX-License-Identifier: MIT
// The profit of one option in one price scenario, computed over the option's subgroup rows.
#include "profit.h"

namespace margem {

namespace {

const QString kYes = QStringLiteral("S");

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

// The values of one row that the computation reads, through number(field) and text(field).
template <class Number, class Text>
SubgroupRow ReadRow(const GrupoFields& f, Number number, Text text) {
  SubgroupRow row;
  row.totalItem = number(f.totalItem);
  row.price = PriceFlagOf(text(f.followsPrice));
  row.sharesFreight = text(f.sharesFreight) == kYes;
  row.isFreight = text(f.isFreight) == kYes;
  row.materialPct = number(f.deliveredMaterialPct);
  row.otherPct = number(f.deliveredOtherPct);
  row.expensePct = number(f.deliveredExpensePct);
  row.freight = number(f.freight);
  row.fixedMaterial = number(f.fixedMaterial);
  row.fixedFreightMaterial = number(f.fixedFreightMaterial);
  return row;
}

// The current row's values.
SubgroupRow ReadCurrentRow(const GrupoFields& f) {
  return ReadRow(
      f, [](const TField* field) { return field->AsFloat(); },
      [](const TField* field) { return field->AsString(); });
}

// The first pass reads only what the bases need, so that a row it cannot compute stops the run
// when the second pass reaches it, after the rows before it have been written.
ScenarioBases SumBases(TClientDataSet& set, const GrupoFields& f, const ScenarioRun& run) {
  ScenarioBases bases;
  for (set.First(); !set.Eof(); set.Next()) {
    SubgroupRow row;
    row.totalItem = f.totalItem->AsFloat();
    row.price = PriceFlagOf(f.followsPrice->AsString());
    row.sharesFreight = f.sharesFreight->AsString() == kYes;
    AddToBases(bases, row, run);
  }
  return bases;
}

void WriteRow(const GrupoFields& f, const ScenarioRun& run, const ScenarioBases& bases,
              ProfitPair& result) {
  const SubgroupRow row = ReadCurrentRow(f);
  const SubgroupFigures figures = ComputeSubgroup(row, run, bases, result);
  f.venda->SetAsFloat(figures.sale);
  f.profit->SetAsFloat(figures.profit);
  if (figures.fixedMaterial) f.fixedMaterial->SetAsFloat(*figures.fixedMaterial);
  f.materialPct->SetAsFloat(figures.materialPct);
  f.otherPct->SetAsFloat(row.otherPct);
  f.expensePct->SetAsFloat(row.expensePct);
  f.profitPct->SetAsFloat(figures.profitPct);
  if (figures.fixedFreightMaterial) {
    f.fixedFreightMaterial->SetAsFloat(*figures.fixedFreightMaterial);
  }
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

std::vector<SubgroupRow> ReadSubgroupRows(const TClientDataSet& grupo) {
  const GrupoFields fields(grupo);
  std::vector<SubgroupRow> rows;
  rows.reserve(static_cast<std::size_t>(grupo.RecordCount()));
  for (qsizetype i = 0; i < grupo.RecordCount(); ++i) {
    rows.push_back(ReadRow(
        fields, [&](const TField* field) { return grupo.ValueAt(i, field->Index()).toDouble(); },
        [&](const TField* field) { return grupo.ValueAt(i, field->Index()).toString(); }));
  }
  return rows;
}

ProfitPair CalcScenarioProfit(TClientDataSet& grupo, double v1, double vk, double serv,
                              int scenario) {
  ProfitPair result;
  grupo.DisableControls();
  try {
    const GrupoFields fields(grupo);
    const ScenarioRun run{v1, vk, serv, scenario == 1};
    const ScenarioBases bases = SumBases(grupo, fields, run);
    for (grupo.First(); !grupo.Eof(); grupo.Next()) {
      grupo.Edit();
      WriteRow(fields, run, bases, result);
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
