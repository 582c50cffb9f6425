// SPDX-License-Identifier: MIT
// Form description of the report screen "Margem Final" (ORE01401, report ORE014): captions, the
// report rows' data set and its fields, the report dialog's report and handler.
#include <memory>

#include "cli_ore01400.h"
#include "cli_ore01401_ore014report.h"
#include "tfrmmargemfinal.h"
#include "tfrmrelmargemfinal.h"

void TfrmRelMargemFinal::BuildForm() {
  setObjectName(QStringLiteral("frmRelMargemFinal"));
  Caption = QStringLiteral("Margem Final");
  setWindowTitle(Caption);
  lblCodTela->setText(QStringLiteral("ORE01401"));
  lblCodRel->setText(QStringLiteral("ORE014"));

  cdsMargemRel = new margem::TClientDataSet(QStringLiteral("cdsMargemRel"), this);
  DefineMargemRelFields();
  dtsMargemRel = new margem::TDataSource(QStringLiteral("dtsMargemRel"), this);
  dtsMargemRel->SetDataSet(cdsMargemRel);

  rpddPadrao->ReportCode = QStringLiteral("ORE014");
  rpddPadrao->DataSource = dtsMargemRel;
  rpddPadrao->SetReport(std::make_shared<Cli_ore01401::TOre014Report>([]() {
    TfrmMargemFinal* workspace = Cli_ore01400::frmMargemFinal;
    return workspace ? workspace->netMargem : nullptr;
  }));
  rpddPadrao->BeforeGetQueryParams = [this](margem::ReportParams& params, bool& flag) {
    rpddPadraoBeforeGetQueryParams(params, flag);
  };
  rpddPadrao->AttachTo(*this);

  setFixedSize(sizeHint().expandedTo(QSize(420, 90)));
}

void TfrmRelMargemFinal::DefineMargemRelFields() {
  using margem::FieldType;
  cdsMargemRel->AddField(QStringLiteral("CDFILIAL"), FieldType::String, 4);
  cdsMargemRel->AddField(QStringLiteral("NRORCAEVENTO"), FieldType::String, 10);
  cdsMargemRel->AddField(QStringLiteral("NROPCAITOREV"), FieldType::String, 2);
  cdsMargemRel->AddField(QStringLiteral("VRDESCORCEVE"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRTOTALITEM"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("CDVALOR"), FieldType::String, 1);
  cdsMargemRel->AddField(QStringLiteral("VRTOTAL1"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRPESSOA1"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRLUCRO1"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRCUSTO"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRPELUCRO"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRCUSTODIFER"), FieldType::Float);
  cdsMargemRel->AddField(QStringLiteral("VRLUCRODIFER"), FieldType::Float);
}
