// SPDX-License-Identifier: MIT
// "Preço Alvo": the target price of one option of "Margem Final", a modal dialog. The user picks
// the figure to reach ("% Lucro", "% Lucro Diferenciado" or "Valor Lucro"), types its value and
// picks the scenario to fill ("Valor 02" … "Valor 05"). As the value is typed the dialog shows
// three columns of the option's ladder: at the total that reaches the target, at the break-even
// (profit 0) and at the differentiated break-even, each with its total, price per guest, profit,
// "% Lucro" and "% Lucro Diferenciado", worked out as the ladder would show them. A target that no
// total reaches, or a break-even that does not exist, shows "—" and a sentence saying why; the
// per-guest price shows "—" when the quote has no guests.
//
// "Aplicar" (or Enter) hands the total and the scenario to the workspace, which writes it into
// that scenario's "Valor Total" as typed, and closes; it is disabled while no total reaches the
// target. "Fechar" (or Esc) closes and changes nothing.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "forms/form.h"
#include "targetprice.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace margem {
class TButtonFlat;
class TNumberEdit;
}  // namespace margem

class TfrmPrecoAlvo : public margem::TForm {
  Q_OBJECT
 public:
  // Writes total into the "Valor Total" of scenario k (2 to 5) of the option.
  using Apply = std::function<void(int k, double total)>;

  // solver: the option's; guests: the quote's guest count; option: the option ordinal, for the
  // caption; target: the value the target edit starts with.
  TfrmPrecoAlvo(margem::TargetPriceSolver solver, double guests, int option, double target,
                Apply apply, QWidget* parent = nullptr);

  // The figures a target may be set for, in TargetKind order, as cboTipoAlvo lists them.
  static constexpr const char* kKindNames[3] = {"% Lucro", "% Lucro Diferenciado", "Valor Lucro"};

  // --- Components -------------------------------------------------------------------------
  QComboBox* cboTipoAlvo = nullptr;  // kKindNames
  margem::TNumberEdit* nedAlvo = nullptr;
  QComboBox* cboCenario = nullptr;  // "Valor 02" … "Valor 05", scenario k = index + 2
  // cells[column][row]: columns target, break-even, differentiated break-even; rows in
  // LadderRow order. Named edt<row prefix><Alvo|Equil|EquilDif> (edtVrAlvo, edtPsEquil, …).
  std::array<std::array<QLineEdit*, 5>, 3> cells{};
  QLabel* lblMensagem = nullptr;    // why the target shows no total, or that it is the nearest
  QLabel* lblEquilibrio = nullptr;  // why a break-even shows no total
  margem::TButtonFlat* sbtAplicar = nullptr;
  margem::TButtonFlat* sbtFechar = nullptr;

  // --- Handlers ---------------------------------------------------------------------------
  void FormCreate() override;  // the break-evens, then the target's column
  void nedAlvoChange();        // also when the target's kind changes
  void sbtAplicarClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildForm();
  void ShowColumn(int column, const margem::TargetAnswer& answer);
  void ShowBreakEvens();

  margem::TargetPriceSolver m_solver;
  double m_guests;
  int m_option;
  double m_initialTarget;
  Apply m_apply;
  margem::TargetAnswer m_answer;
};
