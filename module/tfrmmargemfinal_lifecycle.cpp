// SPDX-License-Identifier: MIT
// "Margem Final": creation and close, the connection's configuration, the client name, the
// enabled state of the print and chart buttons, and the screens they open.
#include <QLineEdit>

#include "cli_ore01400.h"
#include "cli_ore01401.h"
#include "cli_ore01402.h"
#include "framework.h"
#include "netconnection.h"
#include "pagesheets.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"
#include "webconfig.h"

const TfrmMargemFinal::OptionSheet* TfrmMargemFinal::Sheet(int n) const {
  return n >= 1 && n <= 10 ? m_sheets[n - 1] : nullptr;
}

margem::TClientDataSet* TfrmMargemFinal::cdsOpcao(int n) const {
  return Sheet(n) ? Sheet(n)->cdsOpcao : nullptr;
}
margem::TClientDataSet* TfrmMargemFinal::cdsGrupo(int n) const {
  return Sheet(n) ? Sheet(n)->cdsGrupo : nullptr;
}
margem::TDataSource* TfrmMargemFinal::dtsOpcao(int n) const {
  return Sheet(n) ? Sheet(n)->dtsOpcao : nullptr;
}
margem::TDataSource* TfrmMargemFinal::dtsGrupo(int n) const {
  return Sheet(n) ? Sheet(n)->dtsGrupo : nullptr;
}
QWidget* TfrmMargemFinal::tshOpcao(int n) const { return Sheet(n) ? Sheet(n)->tsh : nullptr; }
margem::TDBGrid* TfrmMargemFinal::dbgOpcao(int n) const {
  return Sheet(n) ? Sheet(n)->dbgOpcao : nullptr;
}
margem::TDBGrid* TfrmMargemFinal::dbgGrupo(int n) const {
  return Sheet(n) ? Sheet(n)->dbgGrupo : nullptr;
}
QFrame* TfrmMargemFinal::panOpcao(int n) const { return Sheet(n) ? Sheet(n)->panOpcao : nullptr; }
margem::TButtonFlat* TfrmMargemFinal::sbtVerOpcao(int n) const {
  return Sheet(n) ? Sheet(n)->sbtVerOpcao : nullptr;
}
margem::TButtonFlat* TfrmMargemFinal::sbtVr(int k, int n) const {
  return Sheet(n) && k >= 1 && k <= 5 ? Sheet(n)->sbtVr[k - 1] : nullptr;
}
margem::TButtonFlat* TfrmMargemFinal::sbtPrecoAlvo(int n) const {
  return Sheet(n) ? Sheet(n)->sbtPrecoAlvo : nullptr;
}

void TfrmMargemFinal::FormCreate() {
  margem::TfrmPadraoGrid::FormCreate();
  netMargem->SetConnected(true);
  cdsMargem->CreateDataSet();
  for (int n = 2; n <= 10; ++n) {
    auto* sheet = Find<QWidget>(QStringLiteral("tshOpcao%1").arg(n));
    margem::SetTabVisible(pgcPadrao, sheet, false);
  }
  sbtVerOpcao(1)->setChecked(!dbgOpcao(1)->isHidden());
  dtsVdOrcaStateChange(dtsVdOrca);
}

void TfrmMargemFinal::FormClose(margem::CloseAction& action) {
  netMargem->SetConnected(false);
  Cli_ore01400::boIdCriado = false;
  margem::TfrmPadraoGrid::FormClose(action);
}

void TfrmMargemFinal::netMargemBeforeConnect(margem::TNetConnection& sender) {
  sender.Host = margem::WebURL();
  sender.Port = margem::WebPort();
  sender.Token = margem::WebToken();
}

void TfrmMargemFinal::cdsVdOrcaCalcFields(margem::TClientDataSet& dataSet) {
  const QString tradeName = dataSet.FieldByName(QStringLiteral("NMFANTCLIE"))->AsString();
  margem::TField* shown = dataSet.FieldByName(QStringLiteral("NOMECLIENTE"));
  if (margem::EmptyString(tradeName))
    shown->SetAsString(dataSet.FieldByName(QStringLiteral("NMCLIEORCEVE"))->AsString());
  else
    shown->SetAsString(tradeName);
}

// Print and chart act on the shown quote: besides the browse state they need the header's row,
// so that an unknown number never prints or charts the previous quote's figures.
void TfrmMargemFinal::dtsVdOrcaStateChange(QObject*) {
  const bool quoteShown =
      cdsVdOrca->state() == margem::TClientDataSet::dsBrowse && !cdsVdOrca->IsEmpty();
  sbtImprimir->setEnabled(quoteShown);
  mnuImprimir->setEnabled(sbtImprimir->isEnabled());
  sbtGrafico->setEnabled(!margem::EmptyString(edtNrOrcamento->text()) && quoteShown);
  sbtExportar->setEnabled(quoteShown);
  mnuExportar->setEnabled(quoteShown);
}

void TfrmMargemFinal::sbtImprimirClick(QObject*) { Cli_ore01401::CriaRelMargemFinal(); }

void TfrmMargemFinal::sbtGraficoClick(QObject*) { Cli_ore01402::CriaDadoGraf(); }

void TfrmMargemFinal::Grficos1Click(QObject*) { sbtGraficoClick(sbtGrafico); }
