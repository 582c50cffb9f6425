// SPDX-License-Identifier: MIT
// "Margem Final": an option's profit in one scenario over its subgroup rows, the number shown in
// a named number edit, and the five-by-five scenario ladder of an option.
#include <stdexcept>

#include "numberedit.h"
#include "scenariokey.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"

margem::TNumberEdit* TfrmMargemFinal::NumberEdit(const QString& name) {
  auto* edit = Find<margem::TNumberEdit>(name);
  if (edit == nullptr)
    throw std::invalid_argument(
        QStringLiteral("Campo numérico \"%1\" não existe nesta tela.").arg(name).toStdString());
  return edit;
}

long double TfrmMargemFinal::Campo(const QString& name) { return NumberEdit(name)->GetNumber(); }

margem::ProfitPair TfrmMargemFinal::CalcLucro(const QString& key, int k) {
  const int n = scenariokey::Option(key);
  margem::TClientDataSet* grupo = cdsGrupo(n);
  if (grupo == nullptr)
    throw std::invalid_argument(
        QStringLiteral("Cenário \"%1\" não existe nesta tela.").arg(key).toStdString());
  const double v1 = static_cast<double>(Campo(QStringLiteral("nedVr1Op%1").arg(n)));
  const double vk = static_cast<double>(Campo(QStringLiteral("nedVr") + key));
  const double serv = cdsVdOrca->FieldByName(QStringLiteral("VRPEDESFIXASERV"))->AsFloat();
  return margem::CalcScenarioProfit(*grupo, v1, vk, serv, k);
}

void TfrmMargemFinal::GravaValor(int n) {
  const OptionSheet* sheet = Sheet(n);
  if (sheet == nullptr) return;
  OptionLadderCells cells(*sheet);
  margem::FillScenarioLadder(
      cells, cdsMargem->FieldByName(QStringLiteral("VRTOTALITEM"))->AsFloat(),
      cdsMargem->FieldByName(QStringLiteral("VRDESCORCEVE"))->AsFloat(),
      cdsVdOrca->FieldByName(QStringLiteral("QTCONVORCEVE"))->AsFloat(),
      [this, n](int k) { return CalcLucro(scenariokey::Make(k, n), k); });
}
