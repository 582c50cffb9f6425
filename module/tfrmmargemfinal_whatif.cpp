// SPDX-License-Identifier: MIT
// "Margem Final": what-if editing. A total or per-guest value typed into scenarios 2 to 5
// recomputes that scenario alone; the scenario buttons choose which scenario the subgroup grid
// shows; "Ver Opção" shows or hides the product grid. A value written by code never starts a
// computation: the change handlers act only for the edit that holds the focus.
#include "dbgrid.h"
#include "numberedit.h"
#include "scenariokey.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"

namespace {

bool IsDown(QObject* button) {
  auto* flat = qobject_cast<margem::TButtonFlat*>(button);
  return flat != nullptr && flat->isChecked();
}

}  // namespace

void TfrmMargemFinal::nedVr2Op1Change(QObject* sender) {
  const QString key = scenariokey::OfControl(sender->objectName());
  QWidget* active = ActiveControl();
  if (active == nullptr || active->objectName() != QStringLiteral("nedVr") + key) return;
  AlteraValor(key, true);
  if (QObject* button = FindComponent(QStringLiteral("sbtVr") + key); IsDown(button))
    sbtVr1Op1Click(button);
}

void TfrmMargemFinal::nedPs2Op1Change(QObject* sender) {
  const QString key = scenariokey::OfControl(sender->objectName());
  QWidget* active = ActiveControl();
  if (active == nullptr || active->objectName() != QStringLiteral("nedPs") + key) return;
  AlteraValor(key, false);
  if (QObject* button = FindComponent(QStringLiteral("sbtVr") + key); IsDown(button))
    sbtVr1Op1Click(button);
}

void TfrmMargemFinal::AlteraValor(const QString& key, bool totalEdited) {
  const int k = scenariokey::Scenario(key);
  const OptionSheet* sheet = Sheet(scenariokey::Option(key));
  if (sheet == nullptr || k < 1 || k > 5) return;
  OptionLadderCells cells(*sheet);
  margem::DeriveScenarioPair(cells, k, totalEdited,
                             cdsVdOrca->FieldByName(QStringLiteral("QTCONVORCEVE"))->AsFloat());
  margem::WriteScenarioFigures(cells, k, CalcLucro(key, k));
  // CalcLucro left the edited scenario's figures in the rows: show the selected one again.
  const QString optionPart = scenariokey::OptionPart(key);
  for (int i = 1; i <= 5; ++i)
    if (QObject* button = FindComponent(QStringLiteral("sbtVr%1").arg(i) + optionPart);
        IsDown(button))
      sbtVr1Op1Click(button);
}

void TfrmMargemFinal::sbtVr1Op1Click(QObject* sender) {
  const QString key = scenariokey::OfControl(sender->objectName());
  const int n = scenariokey::Option(key);
  const auto* button = qobject_cast<margem::TButtonFlat*>(sender);
  const OptionSheet* sheet = Sheet(n);
  if (button == nullptr || sheet == nullptr) return;
  CalcLucro(key, button->Tag);
  const QString from = button->Tag == 1 ? QStringLiteral("VRVENDA") : QStringLiteral("VRTOTALITEM");
  const QString to = button->Tag == 1 ? QStringLiteral("VRTOTALITEM") : QStringLiteral("VRVENDA");
  const int column = margem::IndiceCol(sheet->dbgGrupo, from);
  if (column < 0) return;
  sheet->dbgGrupo->Model()->setColumnField(column, to);
  sheet->dbgGrupo->Model()->setColumnTitle(column, sheet->cdsGrupo->FieldByName(to)->Label());
}

void TfrmMargemFinal::sbtVerOpcao1Click(QObject* sender) {
  const OptionSheet* sheet = Sheet(scenariokey::OptionOfToggle(sender->objectName()));
  if (sheet == nullptr) return;
  sheet->dbgOpcao->setVisible(sheet->dbgOpcao->isHidden());
  sheet->sbtVerOpcao->setChecked(!sheet->dbgOpcao->isHidden());
}

void TfrmMargemFinal::ShowSelectedScenarios() {
  for (const OptionSheet* sheet : m_sheets) {
    if (!sheet->cdsGrupo->Active()) continue;
    if (QAbstractButton* selected = sheet->scenarioGroup->checkedButton())
      sbtVr1Op1Click(selected);
  }
}
