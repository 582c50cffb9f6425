// SPDX-License-Identifier: MIT
// "Margem Final" (screen ORE01400): the workspace of one event quote. A filter panel picks the
// quote, a data panel shows its header, and one tab per option (at most ten) shows the option's
// products, its five-by-five ladder of price scenarios and its product subgroups with costs and
// profit.
//
// Every component is a public member named as the screen names it (objectName the same), so the
// report and chart screens read the current quote, its figures and the connection from here.
// The per-option controls are also reached by name, ignoring letter case, through
// FindComponent("nedVr3Op10"); the scenario key "3Op10" is scenario 3 of option 10.
//
// Handlers that Qt calls run inside margem::Guarded; handlers called from code ("a click
// performed") let exceptions travel to their caller.
#pragma once

#include <QPointer>
#include <QString>
#include <array>

#include "clientdataset.h"
#include "forms/padraogrid.h"
#include "profit.h"
#include "spreadsheet.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollArea;
class QButtonGroup;

namespace margem {
class TBtnPesquisa;
class TButtonFlat;
class TDBGrid;
class TDBText;
class TNetConnection;
class TNumberEdit;
}  // namespace margem

class TfrmMargemFinal : public margem::TfrmPadraoGrid {
  Q_OBJECT
 public:
  explicit TfrmMargemFinal(QWidget* parent = nullptr);
  ~TfrmMargemFinal() override;

  // --- Components -------------------------------------------------------------------------
  margem::TButtonFlat* sbtGrafico = nullptr;   // "Gráficos"
  QAction* Grficos1 = nullptr;                 // "&Gráficos", Ctrl+G, under mnuManutencao
  QAction* PrecoAlvo1 = nullptr;               // "&Preço alvo", Ctrl+T, under mnuManutencao
  margem::TButtonFlat* sbtExportar = nullptr;  // "Exportar", enabled as sbtImprimir
  QAction* mnuExportar = nullptr;              // "&Exportar", Ctrl+E, under mnuManutencao

  QFrame* panFiltro = nullptr;
  QLabel* lblNrOrcamento = nullptr;
  QLineEdit* edtNrOrcamento = nullptr;
  margem::TBtnPesquisa* btnNrOrcamento = nullptr;

  QFrame* panDados = nullptr;
  margem::TDBText* dbeCliente = nullptr;
  margem::TDBText* dbeServico = nullptr;
  margem::TDBText* dbeLocal = nullptr;
  margem::TDBText* DBText2 = nullptr;  // "Comissão"
  margem::TDBText* DBText1 = nullptr;  // "Despesa Fixa"
  margem::TDBText* dbeEvento = nullptr;
  margem::TDBText* dbeDtEvento = nullptr;
  margem::TDBText* dbeQtConv = nullptr;

  margem::TNetConnection* netMargem = nullptr;

  margem::TClientDataSet* cdsOrca = nullptr;       // lookup list
  margem::TClientDataSet* cdsVdOrca = nullptr;     // header of the shown quote
  margem::TClientDataSet* cdsItemOrca = nullptr;   // item rows of all options
  margem::TClientDataSet* cdsOrcamento = nullptr;  // subgroup rows of all options
  margem::TClientDataSet* cdsMargem = nullptr;     // one row per option: total and discount
  margem::TDataSource* dtsOrca = nullptr;
  margem::TDataSource* dtsVdOrca = nullptr;
  margem::TDataSource* dtsItemOrca = nullptr;

  // Per-option components, n = 1..10, k = 1..5 (nullptr outside those ranges).
  margem::TClientDataSet* cdsOpcao(int n) const;
  margem::TClientDataSet* cdsGrupo(int n) const;
  margem::TDataSource* dtsOpcao(int n) const;
  margem::TDataSource* dtsGrupo(int n) const;
  QWidget* tshOpcao(int n) const;  // tshPadrao for n = 1
  margem::TDBGrid* dbgOpcao(int n) const;
  margem::TDBGrid* dbgGrupo(int n) const;
  QFrame* panOpcao(int n) const;
  margem::TButtonFlat* sbtVerOpcao(int n) const;
  margem::TButtonFlat* sbtVr(int k, int n) const;
  margem::TButtonFlat* sbtPrecoAlvo(int n) const;  // "Preço alvo" beside the ladder

  // --- What other screens use -------------------------------------------------------------
  // The branch code of the shown quote; empty until a quote is chosen.
  QString CdFilial() const { return m_cdFilial; }
  // The number shown in the number edit of that name (letter case ignored). A name that is no
  // number edit of this form raises std::invalid_argument.
  long double Campo(const QString& name);
  // Scenario k of the option named by the key ("3Op10"): rewrites the option's subgroup rows with
  // the scenario's figures and returns its profit and differentiated profit.
  margem::ProfitPair CalcLucro(const QString& key, int k);
  // For every option on show, performs the click of its scenario button that is down, so that
  // the subgroup grids show what the buttons say again.
  void ShowSelectedScenarios();
  // The shown quote as a spreadsheet table: the header's fields, then for every option on show
  // its tab caption, its ladder (five scenarios by five rows, numbers as the edits hold them),
  // its subgroup grid at the selected scenario and its product grid, titles first.
  margem::SheetTable QuoteTable() const;
  // Writes QuoteTable to path (XLSX for a .xlsx name, CSV otherwise) and says where in the
  // status bar; a file that cannot be written ends in MensErro.
  void ExportQuote(const QString& path) const;

  // --- Handlers ---------------------------------------------------------------------------
  void FormCreate() override;
  void FormClose(margem::CloseAction& action) override;
  void netMargemBeforeConnect(margem::TNetConnection& sender);
  void cdsVdOrcaCalcFields(margem::TClientDataSet& dataSet);
  void dtsVdOrcaStateChange(QObject* sender);
  void sbtImprimirClick(QObject* sender);
  void sbtGraficoClick(QObject* sender);
  void Grficos1Click(QObject* sender);
  void sbtExportarClick(QObject* sender);  // asks for the file, then ExportQuote

  // Quote selection and loading.
  void btnNrOrcamentoBeforePesq(QObject* sender, bool& flag);
  void btnNrOrcamentoAfterPesq(QObject* sender);
  void panFiltroEnter(QObject* sender);
  void panFiltroExit(QObject* sender);
  void Vd_NrOrca(bool report);
  void GravaOpcao(margem::TClientDataSet* target);
  void GravaGrupo(margem::TClientDataSet* target);

  // Scenario ladder and what-if editing.
  void GravaValor(int n);
  void AlteraValor(const QString& key, bool totalEdited);
  void nedVr2Op1Change(QObject* sender);
  void nedPs2Op1Change(QObject* sender);
  void sbtVr1Op1Click(QObject* sender);
  void sbtVerOpcao1Click(QObject* sender);

  // Target price: "Preço Alvo" on the option of the button, or (Ctrl+T) of the tab on show; a
  // tab whose ladder is not filled yet gets a message. Applying writes the total into "Valor
  // Total" of scenario k of option n as typed: the edit takes the focus and its value changes.
  void sbtPrecoAlvo1Click(QObject* sender);
  void PrecoAlvo1Click(QObject* sender);
  void AplicaPrecoAlvo(int n, int k, double total);

  // The components of one option sheet (tfrmmargemfinal_sheet.h).
  struct OptionSheet;

 private:
  void BuildForm();
  void BuildQuotePanel();
  void BuildOptionSheet(int n);
  void DefineDataSets();
  void BindHandlers();
  void BindTargetPriceHandlers();
  void OnFocusChanged(QWidget* old, QWidget* now);
  margem::TNumberEdit* NumberEdit(const QString& name);
  const OptionSheet* Sheet(int n) const;
  void LoadQuote();
  // The item pass: each option's products into its cdsOpcao; optionList[i] receives the
  // option number of the (i+1)-th option met.
  void CopyItemRows(std::array<QString, 10>& optionList);
  // The subgroup pass: each option's subgroups into its cdsGrupo and its total into cdsMargem;
  // false when no margin row results.
  bool CopySubgroupRows();
  void ShowOptions(const std::array<QString, 10>& optionList);

  class ControlsDisabled;

  QString m_cdFilial;
  std::array<OptionSheet*, 10> m_sheets{};
  bool m_focusInFiltro = false;  // the focus is inside panFiltro
  bool m_inFiltroExit = false;   // panFiltroExit is running
};
