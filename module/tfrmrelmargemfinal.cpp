// SPDX-License-Identifier: MIT
// The report rows and the report query's parameters, from the workspace's current quote.
#include "tfrmrelmargemfinal.h"

#include "cli_ore01400.h"
#include "framework.h"
#include "tfrmmargemfinal.h"

namespace {

using margem::TClientDataSet;

// The workspace that is open, or nullptr.
TfrmMargemFinal* Workspace() { return Cli_ore01400::frmMargemFinal; }

// A field of the current row of a set; empty when the set is closed or has no rows.
QString CurrentText(const TClientDataSet* set, const QString& field) {
  if (!set || !set->Active() || set->IsEmpty()) return {};
  return set->FieldByName(field)->AsString();
}

double CurrentNumber(const TClientDataSet* set, const QString& field) {
  if (!set || !set->Active() || set->IsEmpty()) return 0;
  return set->FieldByName(field)->AsFloat();
}

}  // namespace

TfrmRelMargemFinal::TfrmRelMargemFinal(QWidget* parent) : margem::TfrmDadosGerRel(parent) {
  BuildForm();
}

TfrmRelMargemFinal::~TfrmRelMargemFinal() = default;

void TfrmRelMargemFinal::FormCreate() {
  margem::TfrmDadosGerRel::FormCreate();
  cdsMargemRel->CreateDataSet();

  TfrmMargemFinal* workspace = Workspace();
  const QString number =
      CurrentText(workspace ? workspace->cdsVdOrca : nullptr, QStringLiteral("NRORCAEVENTO"));
  if (!number.isEmpty()) rpddPadrao->FileName = QStringLiteral("margem-") + number;
  if (!workspace || !workspace->cdsMargem->Active() || workspace->cdsMargem->IsEmpty()) return;

  // Computing the five scenarios of every option rewrites the options' subgroup rows; whatever
  // happens, the workspace goes back to showing the scenario each option's buttons select.
  try {
    TClientDataSet& margem = *workspace->cdsMargem;
    const double guests = CurrentNumber(workspace->cdsVdOrca, QStringLiteral("QTCONVORCEVE"));
    QString previousOption = QStringLiteral("&&&&&");
    int n = 0;
    margem.First();
    while (!margem.Eof()) {
      const QString option = margem.FieldByName(QStringLiteral("NROPCAITOREV"))->AsString();
      if (option != previousOption) {
        previousOption = option;
        ++n;
      }
      AppendOptionRows(n, guests);
      margem.Next();
    }
  } catch (...) {
    workspace->ShowSelectedScenarios();
    throw;
  }
  workspace->ShowSelectedScenarios();
}

void TfrmRelMargemFinal::AppendOptionRows(int n, double guests) {
  TfrmMargemFinal* workspace = Workspace();
  const TClientDataSet& option = *workspace->cdsMargem;
  const double itemTotal = option.FieldByName(QStringLiteral("VRTOTALITEM"))->AsFloat();
  const double discount = option.FieldByName(QStringLiteral("VRDESCORCEVE"))->AsFloat();

  auto field = [this](const char* name) { return cdsMargemRel->FieldByName(QLatin1String(name)); };
  auto appendRow = [&](int k) {
    cdsMargemRel->Append();
    for (const char* name : {"CDFILIAL", "NRORCAEVENTO", "NROPCAITOREV"})
      field(name)->SetAsString(option.FieldByName(QLatin1String(name))->AsString());
    field("VRDESCORCEVE")->SetAsFloat(discount);
    field("VRTOTALITEM")->SetAsFloat(itemTotal);
    field("CDVALOR")->SetAsString(QString::number(k));
  };
  auto storeProfit = [&](int k) {
    const margem::ProfitPair pair = workspace->CalcLucro(QStringLiteral("%1Op%2").arg(k).arg(n), k);
    field("VRLUCRO1")->SetAsFloat(pair.profit);
    field("VRLUCRODIFER")->SetAsFloat(pair.differentiated);
    cdsMargemRel->Post();
  };

  appendRow(1);
  field("VRTOTAL1")->SetAsFloat(margem::RoundDec(itemTotal - discount, 2));
  field("VRPESSOA1")
      ->SetAsFloat(guests > 0 ? margem::RoundDec(field("VRTOTAL1")->AsFloat() / guests, 2) : 0.0);
  storeProfit(1);

  for (int k = 2; k <= 5; ++k) {
    appendRow(k);
    const QString key = QStringLiteral("%1Op%2").arg(k).arg(n);
    field("VRTOTAL1")
        ->SetAsFloat(static_cast<double>(workspace->Campo(QStringLiteral("nedVr") + key)));
    field("VRPESSOA1")
        ->SetAsFloat(static_cast<double>(workspace->Campo(QStringLiteral("nedPs") + key)));
    storeProfit(k);
  }
}

void TfrmRelMargemFinal::rpddPadraoBeforeGetQueryParams(margem::ReportParams& params, bool& flag) {
  Q_UNUSED(flag);
  TfrmMargemFinal* workspace = Workspace();
  const TClientDataSet* quote = workspace ? workspace->cdsVdOrca : nullptr;
  if (margem::ExistParam(params, QStringLiteral("P_CDFILIAL")))
    params.SetParam(QStringLiteral("P_CDFILIAL"),
                    QVariant(CurrentText(quote, QStringLiteral("CDFILIAL"))));
  if (margem::ExistParam(params, QStringLiteral("P_NRORCAEVENTO")))
    params.SetParam(QStringLiteral("P_NRORCAEVENTO"),
                    QVariant(CurrentText(quote, QStringLiteral("NRORCAEVENTO"))));
}
