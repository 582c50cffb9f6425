// SPDX-License-Identifier: MIT
// "Gráficos": the chart-data screen. The user picks one of two bar charts and, for the
// comparison chart, a period of quote inclusion dates; the chart button computes the chart's rows
// into this screen's data sets from the quote loaded in "Margem Final" and shows the chart.
//
//   "Percentual de Lucro por Grupo": the profit percentage of every subgroup row of the quote.
//   "Comparativo do Percentual de Lucro X Média do Período": the mean profit percentage of each
//   option of the quote against the mean of all quotes of the branch included in the period.
//
// Every component is a public member named as the screen names it (objectName the same). The
// working data sets are empty between chart requests: each request fills them and empties them
// when it ends, whether it showed a chart or stopped on a message.
//
// Handlers that Qt calls run inside margem::Guarded; the methods called from code let the silent
// abort of MensErro travel to their caller.
#pragma once

#include <QString>

#include "chartdata.h"
#include "forms/dadosgraf.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace margem {
class TDataSource;
class TDateEditPlus;
}  // namespace margem

class TfrmDadoGraf : public margem::TfrmDadosGraf {
  Q_OBJECT
 public:
  explicit TfrmDadoGraf(QWidget* parent = nullptr);
  ~TfrmDadoGraf() override;

  // --- Components -------------------------------------------------------------------------
  QGroupBox* grbDadoGraf = nullptr;
  QRadioButton* rbtGrafGrup = nullptr;         // "Percentual de Lucro por Grupo"
  QRadioButton* rbtPercGrupxMedPer = nullptr;  // "Comparativo do Percentual de Lucro X Média…"
  QGroupBox* grbDtInclu = nullptr;             // "Data de Inclusão"
  QLabel* lblDe = nullptr;
  QLabel* lblAte = nullptr;
  margem::TDateEditPlus* depDeDtInc = nullptr;   // first day of the period
  margem::TDateEditPlus* depAteDtInc = nullptr;  // last day of the period

  margem::TClientDataSet* cdsOrcamento = nullptr;     // margin rows of the current quote
  margem::TClientDataSet* cdsPercLucrGrup = nullptr;  // group chart: one row per margin row
  margem::TClientDataSet* cdsMediaOrca = nullptr;     // per margin row, labelled by option
  margem::TClientDataSet* cdsValorOpc = nullptr;      // per option: sum and count of percentages
  margem::TClientDataSet* cdsAuxMediaOrca = nullptr;  // comparison chart: options and "Média"
  margem::TClientDataSet* cdsMarTLuc = nullptr;       // margin rows of the period
  margem::TClientDataSet* cdsPercTLuc = nullptr;      // scratch rows of the period mean
  margem::TDataSource* dtsPercLucrGrup = nullptr;

  // --- Handlers ---------------------------------------------------------------------------
  void FormCreate() override;
  void FormClose(margem::CloseAction& action) override;
  void rbtGrafGrupClick(QObject* sender);         // the period is not used: disabled, kept
  void rbtPercGrupxMedPerClick(QObject* sender);  // the period is used: enabled
  void depDeDtIncExit(QObject* sender);
  void depAteDtIncExit(QObject* sender);
  // The chart request: computes the chosen chart's rows, shows the chart modally, and empties
  // the working data sets however it ends.
  void sbtGraficoClick(QObject* sender);

  // --- Steps of the chart request ---------------------------------------------------------
  // The period check; the first failure focuses the edit to correct and ends in MensErro.
  void Vd_DtIncDadoGraf();
  // Fetches the margin rows of the quote shown in "Margem Final" and computes the group chart's
  // rows (and, for the comparison chart, each option's mean, summed per option by
  // margem::ValorOpcao). An option number that is not decimal digits ends in MensErro naming it.
  void Calcula_lucro();
  // Keeps one row per option for the comparison chart.
  void Exclui_Registro();
  // Fetches the margin rows of the branch's quotes included in the period and inserts their mean
  // "Média" among the option rows; a period without quotes ends in MensErro.
  void Calcula_T_Lucro();
  // Empties the working data sets.
  void Esvazia();

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;  // the date edits' exit
  void BuildForm();
  void DefineDataSets();
  void BindHandlers();
  margem::ChartDataSets Sets() const;
  void LoadPeriodRows();  // GetMargTLuc for the branch and period into cdsMarTLuc
};
