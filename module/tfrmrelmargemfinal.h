// SPDX-License-Identifier: MIT
// The report screen of the final margin (screen ORE01401, report ORE014). Created by each print
// of the workspace, it copies the workspace's current figures into cdsMargemRel, five rows per
// option in option order and scenario order 1 to 5, then leaves the workspace showing the
// scenarios its buttons select. The report's query receives the current quote's key through
// rpddPadraoBeforeGetQueryParams.
//
// Rows of cdsMargemRel (CDVALOR "1" is the current value, "2".."5" the ladder's scenarios):
//   VRTOTAL1   scenario 1: option total minus discount, rounded to 2 decimals; others: the
//              workspace's nedVr<k>Op<n>
//   VRPESSOA1  scenario 1: VRTOTAL1 per guest, rounded to 2 decimals (0 without guests); others:
//              the workspace's nedPs<k>Op<n>
//   VRLUCRO1, VRLUCRODIFER  the scenario's profit and differentiated profit
//   VRCUSTO, VRPELUCRO, VRCUSTODIFER  always empty
#pragma once

#include "clientdataset.h"
#include "forms/dadosgerrel.h"
#include "reportdialog.h"

class TfrmRelMargemFinal : public margem::TfrmDadosGerRel {
  Q_OBJECT
 public:
  explicit TfrmRelMargemFinal(QWidget* parent = nullptr);
  ~TfrmRelMargemFinal() override;

  margem::TClientDataSet* cdsMargemRel = nullptr;
  margem::TDataSource* dtsMargemRel = nullptr;

  // Builds the report rows from the workspace; with no workspace or no quote the set stays empty.
  void FormCreate() override;
  // Hands the report's query the current quote's branch ("P_CDFILIAL") and number
  // ("P_NRORCAEVENTO") where the query declares them; flag is left as it came.
  void rpddPadraoBeforeGetQueryParams(margem::ReportParams& params, bool& flag);

 private:
  void BuildForm();
  void DefineMargemRelFields();
  void AppendOptionRows(int n, double guests);
};
