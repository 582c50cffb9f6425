// SPDX-License-Identifier: MIT
// The components of one option sheet of "Margem Final" (option n of the quote), built from one
// template by TfrmMargemFinal::BuildOptionSheet. Every component also carries its name
// (dbgOpcao3, nedVr2Op3, sbtVr5Op3, …) as objectName.
#pragma once

#include <QButtonGroup>
#include <QFrame>
#include <QWidget>
#include <array>

#include "buttonflat.h"
#include "clientdataset.h"
#include "dbgrid.h"
#include "laddercaptions.h"
#include "numberedit.h"
#include "profit.h"
#include "tfrmmargemfinal.h"

struct TfrmMargemFinal::OptionSheet {
  QWidget* tsh = nullptr;  // tshPadrao for option 1, tshOpcao<n> for the others
  margem::TDBGrid* dbgOpcao = nullptr;
  QFrame* panOpcao = nullptr;
  margem::TButtonFlat* sbtVerOpcao = nullptr;
  // ladder[row][k-1]: rows in LadderRow order (nedVr, nedPs, nedLu, nedPL, nedDi).
  std::array<std::array<margem::TNumberEdit*, 5>, 5> ladder{};
  std::array<margem::TButtonFlat*, 5> sbtVr{};  // sbtVr<k>Op<n>, Tag k
  QButtonGroup* scenarioGroup = nullptr;
  margem::TButtonFlat* sbtPrecoAlvo = nullptr;  // sbtPrecoAlvo<n>, "Preço alvo"
  margem::TDBGrid* dbgGrupo = nullptr;
  margem::TClientDataSet* cdsOpcao = nullptr;
  margem::TClientDataSet* cdsGrupo = nullptr;
  margem::TDataSource* dtsOpcao = nullptr;
  margem::TDataSource* dtsGrupo = nullptr;

  margem::TNumberEdit* Cell(margem::LadderRow row, int k) const {
    return ladder[static_cast<int>(row)][k - 1];
  }
};

// The ladder of one option as a table: the scenario captions, then each row's caption and its
// five numbers as the edits hold them.
margem::SheetTable LadderTable(const TfrmMargemFinal::OptionSheet& sheet);
// The ladder's context menu at `position` of panOpcao: "Copiar valor" (the number under it, as
// shown) and "Copiar quadro" (LadderTable as tab-separated text, numbers in pt_BR). Disabled
// cells pass their right click on to the panel, so their values can be copied too.
void ShowLadderMenu(const TfrmMargemFinal::OptionSheet& sheet, const QPoint& position);

// The 25 number edits of one option's panel as the ladder's cells: values are read back from the
// edits, so each step goes on from what an edit holds (two decimals).
class OptionLadderCells : public margem::ScenarioCells {
 public:
  explicit OptionLadderCells(const TfrmMargemFinal::OptionSheet& sheet) : m_sheet(sheet) {}
  double Get(margem::LadderRow row, int scenario) const override {
    return m_sheet.Cell(row, scenario)->GetNumber();
  }
  void Set(margem::LadderRow row, int scenario, double value) override {
    m_sheet.Cell(row, scenario)->SetNumber(value);
  }

 private:
  const TfrmMargemFinal::OptionSheet& m_sheet;
};
