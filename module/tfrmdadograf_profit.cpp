// SPDX-License-Identifier: MIT
// "Gráficos": the server calls behind the chart figures. The rows come from the quote shown in
// "Margem Final" and from its branch's quotes of the period, through the workspace's connection;
// the arithmetic lives in core (chartdata.h).
#include <QLineEdit>
#include <QRadioButton>
#include <QVariantList>

#include "checkresultserv.h"
#include "cli_ore01400.h"
#include "dateeditplus.h"
#include "mensErro.h"
#include "tfrmdadograf.h"
#include "tfrmmargemfinal.h"

namespace {

TfrmMargemFinal& Workspace() {
  if (!Cli_ore01400::frmMargemFinal) {
    margem::MensErro(
        QStringLiteral("A tela \"Margem Final\" deve estar aberta para gerar os gráficos."));
  }
  return *Cli_ore01400::frmMargemFinal;
}

// A reply that is no packet (Null) is a packet without rows: the set keeps its fields, empty.
void LoadRows(margem::TClientDataSet& set, const margem::ServerValue& value) {
  if (value.kind() == margem::ServerValue::Kind::Null) {
    if (set.Active()) {
      set.EmptyDataSet();
    } else {
      set.CreateDataSet();
    }
    return;
  }
  set.LoadPacket(value.Packet());
}

// The service fixed-expense percentage of the quote shown in the workspace (0 before one is).
double ServiceExpensePct(const TfrmMargemFinal& workspace) {
  const margem::TClientDataSet& header = *workspace.cdsVdOrca;
  if (!header.Active() || header.IsEmpty()) return 0;
  return header.FieldByName(QStringLiteral("VRPEDESFIXASERV"))->AsFloat();
}

// Runs a step of the chart computation; an option number that is no number ends in its message.
template <class Step>
void WithOptionNumbersChecked(Step step) {
  try {
    step();
  } catch (const margem::OptionNumberError& error) {
    margem::MensErro(QString::fromUtf8(error.what()) +
                     QStringLiteral(" O número da opção deve ter somente algarismos."));
  }
}

}  // namespace

void TfrmDadoGraf::Calcula_lucro() {
  TfrmMargemFinal& workspace = Workspace();
  const QString branch = workspace.CdFilial();
  const margem::ServerValue reply =
      margem::CheckResultServ(workspace.netMargem->Call(QStringLiteral("GetMargem"),
                                                        {branch, workspace.edtNrOrcamento->text()}),
                              true, 0);
  if (reply.kind() == margem::ServerValue::Kind::Packet) {
    margem::MensErro(QStringLiteral("Resposta inválida do servidor de aplicação."));
  }
  LoadRows(*cdsOrcamento, reply.kind() == margem::ServerValue::Kind::Array && reply.Size() > 1
                              ? reply[1]
                              : margem::ServerValue());
  WithOptionNumbersChecked([&] {
    margem::CalculaLucro(Sets(), ServiceExpensePct(workspace), rbtPercGrupxMedPer->isChecked(),
                         msgPadrao.Msg(QStringLiteral("Opc")));
  });
}

void TfrmDadoGraf::Exclui_Registro() {
  WithOptionNumbersChecked([&] { margem::ExcluiRegistro(Sets()); });
}

void TfrmDadoGraf::Calcula_T_Lucro() {
  LoadPeriodRows();
  if (!margem::CalculaTLucro(Sets(), msgPadrao.Msg(QStringLiteral("Media")))) {
    margem::MensErro(msgPadrao.Msg(QStringLiteral("N_Orca")));
  }
}

void TfrmDadoGraf::LoadPeriodRows() {
  TfrmMargemFinal& workspace = Workspace();
  const QString branch = workspace.CdFilial();
  // A period may hold a million rows: the rows of the last request are dropped before the new
  // ones arrive, and the reply lives only until its rows are in cdsMarTLuc.
  for (margem::TClientDataSet* set : {cdsMarTLuc, cdsPercTLuc}) {
    if (set->Active()) set->EmptyDataSet();
  }
  const margem::ServerValue reply = margem::CheckResultServ(
      workspace.netMargem->Call(QStringLiteral("GetMargTLuc"),
                                {branch, depDeDtInc->GetDate(), depAteDtInc->GetDate()}),
      true, 0);
  if (reply.kind() == margem::ServerValue::Kind::Array) {
    margem::MensErro(QStringLiteral("Resposta inválida do servidor de aplicação."));
  }
  LoadRows(*cdsMarTLuc, reply);
}
