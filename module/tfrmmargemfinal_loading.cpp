// SPDX-License-Identifier: MIT
// "Margem Final": choosing a quote (typed or looked up), clearing the screen on entering the filter
// panel, and loading the quote on leaving it: the header, then the item and subgroup rows spread
// over up to ten options, every option's ladder and its subgroups at the current value.
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>
#include <array>

#include "busyanimation.h"
#include "checkresultserv.h"
#include "formhost.h"
#include "framework.h"
#include "mensErro.h"
#include "netconnection.h"
#include "pagesheets.h"
#include "replyelement.h"
#include "statusmessage.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"

namespace {

constexpr int kMaxOptions = 10;

margem::ServerValue CallServer(margem::TNetConnection* connection, const QString& method,
                               const QVariantList& params) {
  return margem::CheckResultServ(connection->Call(method, params), true, 0);
}

// How many options the rows of a reply list: runs of rows with the same non-empty option number.
int OptionsListed(margem::TClientDataSet& rows) {
  if (!rows.Active()) return 0;
  margem::TField* option = rows.FieldByName(QStringLiteral("NROPCAITOREV"));
  int count = 0;
  QString current;
  for (qsizetype row = 0; row < rows.RecordCount(); ++row) {
    const QString rowOption = rows.ValueAt(row, option->Index()).toString();
    if (rowOption != current && !margem::EmptyString(rowOption)) ++count;
    current = rowOption;
  }
  return count;
}

// Hides the busy animation on every way out of the load.
struct BusyAnimation {
  explicit BusyAnimation(QWidget* form) { margem::ActiveShowAvi(form, 1); }
  ~BusyAnimation() { margem::DeactiveShowAvi(); }
  BusyAnimation(const BusyAnimation&) = delete;
  BusyAnimation& operator=(const BusyAnimation&) = delete;
};

}  // namespace

// The grids of the option data sets stay still while the passes fill them, and show the sets
// once, whole, when the passes end (also when one fails).
class TfrmMargemFinal::ControlsDisabled {
 public:
  explicit ControlsDisabled(TfrmMargemFinal* form) : m_form(form) {
    for (int n = 1; n <= kMaxOptions; ++n) {
      m_form->cdsOpcao(n)->DisableControls();
      m_form->cdsGrupo(n)->DisableControls();
    }
  }
  ~ControlsDisabled() {
    for (int n = 1; n <= kMaxOptions; ++n) {
      m_form->cdsOpcao(n)->EnableControls();
      m_form->cdsGrupo(n)->EnableControls();
    }
  }
  ControlsDisabled(const ControlsDisabled&) = delete;
  ControlsDisabled& operator=(const ControlsDisabled&) = delete;

 private:
  TfrmMargemFinal* m_form;
};

void TfrmMargemFinal::btnNrOrcamentoBeforePesq(QObject*, bool&) {
  cdsOrca->LoadPacket(CallServer(netMargem, QStringLiteral("GetOrca"), {QString()}).Packet());
}

void TfrmMargemFinal::btnNrOrcamentoAfterPesq(QObject*) {
  m_cdFilial = cdsOrca->FieldByName(QStringLiteral("CDFILIAL"))->AsString();
  edtNrOrcamento->setText(cdsOrca->FieldByName(QStringLiteral("NRORCAEVENTO"))->AsString());
}

void TfrmMargemFinal::panFiltroEnter(QObject*) {
  margem::ClearStatusMessage();
  cdsVdOrca->Close();
  cdsItemOrca->Close();
  for (const OptionSheet* sheet : m_sheets) {
    sheet->cdsOpcao->Close();
    sheet->cdsGrupo->Close();
    for (const auto& row : sheet->ladder)
      for (margem::TNumberEdit* cell : row) cell->SetNumber(0);
    sheet->panOpcao->setEnabled(false);
  }
  pgcPadrao->setCurrentWidget(tshPadrao);
}

void TfrmMargemFinal::Vd_NrOrca(bool report) {
  try {
    const QString text = edtNrOrcamento->text();
    if (margem::EmptyString(text)) {
      if (report) margem::MensErro(msgPadrao.Msg(QStringLiteral("ORCA_N_INF")), true);
      return;
    }
    edtNrOrcamento->setText(margem::Ajusta(text, 10));
    cdsVdOrca->LoadPacket(
        CallServer(netMargem, QStringLiteral("GetOrca"), {edtNrOrcamento->text()}).Packet());
    if (cdsVdOrca->IsEmpty()) margem::MensErro(msgPadrao.Msg(QStringLiteral("ORCA_N_CAD")), true);
    m_cdFilial = cdsVdOrca->FieldByName(QStringLiteral("CDFILIAL"))->AsString();
  } catch (...) {
    edtNrOrcamento->setFocus();
    throw;
  }
}

void TfrmMargemFinal::panFiltroExit(QObject*) {
  Vd_NrOrca(true);
  for (int n = 1; n <= kMaxOptions; ++n) {
    cdsOpcao(n)->CreateDataSet();
    cdsGrupo(n)->CreateDataSet();
    panOpcao(n)->setEnabled(true);
  }
  QWidget* mainForm = margem::MainForm();
  BusyAnimation busy(mainForm != nullptr ? mainForm : window());
  LoadQuote();
}

void TfrmMargemFinal::LoadQuote() {
  margem::ClearStatusMessage();
  const margem::ServerValue reply =
      CallServer(netMargem, QStringLiteral("GetMargem"), {m_cdFilial, edtNrOrcamento->text()});
  ControlsDisabled quiet(this);
  LoadReplyElement(*cdsItemOrca, reply[0]);
  std::array<QString, kMaxOptions> optionList;
  CopyItemRows(optionList);
  LoadReplyElement(*cdsOrcamento, reply[1]);
  if (!CopySubgroupRows()) return;
  ShowOptions(optionList);
  // Only ten options have tabs: say so, without stopping the user, when the quote has more.
  const int options = std::max(OptionsListed(*cdsItemOrca), OptionsListed(*cdsOrcamento));
  if (options > kMaxOptions)
    margem::ShowStatusMessage(
        QStringLiteral("Orçamento com %1 opções: exibidas as 10 primeiras.").arg(options));
}

void TfrmMargemFinal::CopyItemRows(std::array<QString, 10>& optionList) {
  if (!cdsItemOrca->Active() || cdsItemOrca->IsEmpty()) return;
  margem::TField* option = cdsItemOrca->FieldByName(QStringLiteral("NROPCAITOREV"));
  QString current;
  int counter = 0;
  for (cdsItemOrca->First(); !cdsItemOrca->Eof(); cdsItemOrca->Next()) {
    const QString rowOption = option->AsString();
    if (rowOption != current) {
      if (counter == kMaxOptions) break;
      current = rowOption;
      optionList[counter] = rowOption;
      ++counter;
    }
    if (counter > 0) GravaOpcao(cdsOpcao(counter));
  }
}

bool TfrmMargemFinal::CopySubgroupRows() {
  cdsMargem->EmptyDataSet();
  QString current;
  int counter = 0;
  long double commonTotal = 0;
  margem::TField* option = cdsOrcamento->FieldByName(QStringLiteral("NROPCAITOREV"));
  margem::TField* total = cdsOrcamento->FieldByName(QStringLiteral("VRTOTALITEM"));
  margem::TField* marginTotal = cdsMargem->FieldByName(QStringLiteral("VRTOTALITEM"));
  auto copyKey = [this] {
    for (const char* name : {"CDFILIAL", "NRORCAEVENTO", "NROPCAITOREV", "VRDESCORCEVE"})
      cdsMargem->FieldByName(QLatin1String(name))
          ->SetValue(cdsOrcamento->FieldByName(QLatin1String(name))->Value());
  };

  for (cdsOrcamento->First(); !cdsOrcamento->Eof(); cdsOrcamento->Next()) {
    const QString rowOption = option->AsString();
    if (rowOption != current) {
      if (counter == kMaxOptions) break;
      current = rowOption;
      ++counter;
    }
    if (counter == 0) {
      for (int n = 1; n <= kMaxOptions; ++n) GravaGrupo(cdsGrupo(n));
    } else {
      GravaGrupo(cdsGrupo(counter));
    }
    if (margem::EmptyString(rowOption)) {
      commonTotal += total->AsFloat();
      continue;
    }
    if (cdsMargem->Locate(QStringLiteral("NROPCAITOREV"), {current})) {
      cdsMargem->Edit();
    } else {
      cdsMargem->Append();
      copyKey();
    }
    marginTotal->SetAsFloat(marginTotal->AsFloat() + total->AsFloat());
    cdsMargem->Post();
  }

  if (cdsMargem->IsEmpty() && commonTotal > 0) {
    cdsOrcamento->First();
    cdsMargem->Append();
    copyKey();
    marginTotal->SetAsFloat(static_cast<double>(commonTotal));
    cdsMargem->Post();
  } else if (!cdsMargem->IsEmpty()) {
    for (cdsMargem->First(); !cdsMargem->Eof(); cdsMargem->Next()) {
      cdsMargem->Edit();
      marginTotal->SetAsFloat(static_cast<double>(marginTotal->AsFloat() + commonTotal));
      cdsMargem->Post();
    }
  }
  return !cdsMargem->IsEmpty();
}

void TfrmMargemFinal::ShowOptions(const std::array<QString, 10>& optionList) {
  bool matched = false;
  for (int n = 1; n <= kMaxOptions; ++n) {
    const QString& entry = optionList[n - 1];
    if (n > 1) margem::SetTabVisible(pgcPadrao, tshOpcao(n), !margem::EmptyString(entry));
    if (!margem::EmptyString(entry) && cdsMargem->Locate(QStringLiteral("NROPCAITOREV"), {entry})) {
      GravaValor(n);
      matched = true;
    }
    sbtVerOpcao(n)->setChecked(true);
    sbtVr(1, n)->setChecked(true);
    sbtVr1Op1Click(sbtVr(1, n));
  }
  if (!matched) {
    cdsMargem->First();
    GravaValor(1);
    // The ladder left scenario 5's figures in option 1's rows: show the selected scenario again.
    if (QAbstractButton* selected = Sheet(1)->scenarioGroup->checkedButton())
      sbtVr1Op1Click(selected);
  }
}

void TfrmMargemFinal::GravaOpcao(margem::TClientDataSet* target) {
  target->Insert();
  for (const char* name :
       {"CDFILIAL", "NRORCAEVENTO", "NROPCAITOREV", "CDARVPROD", "NMPRODUTO", "SGUNIDADE"})
    target->FieldByName(QLatin1String(name))
        ->SetAsString(cdsItemOrca->FieldByName(QLatin1String(name))->AsString());
  target->Post();
}

void TfrmMargemFinal::GravaGrupo(margem::TClientDataSet* target) {
  margem::TClientDataSet* source = cdsOrcamento;
  auto from = [source](const char* name) { return source->FieldByName(QLatin1String(name)); };
  auto to = [target](const char* name) { return target->FieldByName(QLatin1String(name)); };
  const QVariantList key{from("CDGRUPPRODREL")->AsString(), from("CDSUBGRPRODREL")->AsString()};
  if (target->Locate(QStringLiteral("CDGRUPPRODREL;CDSUBGRPRODREL"), key)) {
    target->Edit();
  } else {
    target->Insert();
    for (const char* name : {"CDFILIAL", "NRORCAEVENTO", "NROPCAITOREV", "CDGRUPPRODREL",
                             "CDSUBGRPRODREL", "NMSUBGRPROD"})
      to(name)->SetAsString(from(name)->AsString());
    for (const char* name : {"VRPEIMDEVAVEMP", "VRPEIMDEVAVEOU", "VRPEDESFIXASBGR"})
      to(name)->SetValue(from(name)->Value());
    // Kept as delivered: the profit calculation rewrites the three shown percentages.
    to("VRPEMATPAUX")->SetValue(from("VRPEIMDEVAVEMP")->Value());
    to("VRPEOUTRAUX")->SetValue(from("VRPEIMDEVAVEOU")->Value());
    to("VRPEDESPAUX")->SetValue(from("VRPEDESFIXASBGR")->Value());
    to("VRFRETE")->SetValue(from("VRFRETE")->Value());
    for (const char* name : {"IDDIFEFRETESBGR", "IDDESCONTOSBGR", "IDFRETESBGR"})
      to(name)->SetAsString(from(name)->AsString());
  }
  to("VRTOTALITEM")->SetAsFloat(to("VRTOTALITEM")->AsFloat() + from("VRTOTALITEM")->AsFloat());
  target->Post();
}
