// SPDX-License-Identifier: MIT
// "Preço Alvo": the target's column and the break-even columns, the sentences that explain a
// missing total, and "Aplicar".
#include "tfrmprecoalvo.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "buttonflat.h"
#include "guard.h"
#include "numberedit.h"
#include "ptbr.h"

namespace {

using Outcome = margem::TargetAnswer::Outcome;

const QString kNone = QStringLiteral("—");

enum Column { kTarget, kBreakEven, kDiffBreakEven };

// A figure of that kind as a sentence quotes it: "30,00 %", or money "1.234,56".
QString Quoted(int kind, double value) {
  const QString number = margem::FormatNumber(value, 2);
  return kind == int(margem::TargetKind::Profit) ? number : number + QStringLiteral(" %");
}

// Why the target shows no total, or that the total shown passes it; empty when it shows it.
QString TargetSentence(int kind, double target, const margem::TargetAnswer& answer) {
  const QString name = QString::fromUtf8(TfrmPrecoAlvo::kKindNames[kind]);
  switch (answer.outcome) {
    case Outcome::Reached:
      return answer.exact ? QString()
                          : QStringLiteral(
                                "Nenhum valor total dá exatamente %1: este é o que "
                                "mais se aproxima, acima dele.")
                                .arg(Quoted(kind, target));
    case Outcome::Flat:
      return QStringLiteral("O %1 desta opção não muda com o valor total: fica em %2.")
          .arg(name, Quoted(kind, answer.limit));
    case Outcome::Unreachable:
      break;
  }
  const QString way =
      answer.limit < target ? QStringLiteral("não chega a") : QStringLiteral("não desce a");
  const QString why = answer.unbounded
                          ? QStringLiteral("quanto maior o valor total, mais se aproxima de %1.")
                          : QStringLiteral("mesmo com o menor valor total, 0,01, fica em %1.");
  return QStringLiteral("O %1 desta opção %2 %3: ").arg(name, way, Quoted(kind, target)) +
         why.arg(Quoted(kind, answer.limit));
}

// Why a break-even shows no total; empty when it has one.
QString BreakEvenSentence(const QString& title, const QString& profit,
                          const margem::TargetAnswer& answer) {
  QString why;
  if (answer.outcome == Outcome::Reached) return why;
  if (answer.outcome == Outcome::Flat) {
    why = QStringLiteral("o %1 não muda com o valor total (fica em %2).")
              .arg(profit, margem::FormatNumber(answer.limit, 2));
  } else if (answer.limit < 0) {
    why = QStringLiteral("o %1 fica negativo em qualquer valor total.").arg(profit);
  } else {
    why = QStringLiteral("o %1 não fica negativo em nenhum valor total.").arg(profit);
  }
  return title + QStringLiteral(": ") + why;
}

}  // namespace

TfrmPrecoAlvo::TfrmPrecoAlvo(margem::TargetPriceSolver solver, double guests, int option,
                             double target, Apply apply, QWidget* parent)
    : margem::TForm(parent),
      m_solver(std::move(solver)),
      m_guests(guests),
      m_option(option),
      m_initialTarget(target),
      m_apply(std::move(apply)) {
  BuildForm();
  connect(nedAlvo, &margem::TNumberEdit::changed, this,
          [this] { margem::Guarded(this, [this] { nedAlvoChange(); }); });
  connect(cboTipoAlvo, &QComboBox::currentIndexChanged, this,
          [this] { margem::Guarded(this, [this] { nedAlvoChange(); }); });
  connect(sbtAplicar, &QAbstractButton::clicked, this,
          [this] { margem::Guarded(this, [this] { sbtAplicarClick(); }); });
  connect(sbtFechar, &QAbstractButton::clicked, this, [this] { Close(); });
}

void TfrmPrecoAlvo::FormCreate() {
  margem::TForm::FormCreate();
  ShowBreakEvens();
  nedAlvo->SetNumber(m_initialTarget);
  nedAlvoChange();
  nedAlvo->setFocus();
  nedAlvo->selectAll();
}

void TfrmPrecoAlvo::ShowColumn(int column, const margem::TargetAnswer& answer) {
  std::array<QLineEdit*, 5>& shown = cells[column];
  if (answer.outcome != Outcome::Reached) {
    for (QLineEdit* cell : shown) cell->setText(kNone);
    return;
  }
  const margem::ScenarioColumn figures = m_solver.ColumnAt(answer.total, m_guests);
  const double values[5] = {figures.total, figures.perGuest, figures.profit, figures.profitPct,
                            figures.diffProfitPct};
  for (int row = 0; row < 5; ++row) shown[row]->setText(margem::FormatNumber(values[row], 2));
  if (m_guests <= 0) shown[int(margem::LadderRow::PerGuest)]->setText(kNone);
}

void TfrmPrecoAlvo::ShowBreakEvens() {
  const margem::TargetAnswer breakEven = m_solver.BreakEven();
  const margem::TargetAnswer diffBreakEven = m_solver.DifferentiatedBreakEven();
  ShowColumn(kBreakEven, breakEven);
  ShowColumn(kDiffBreakEven, diffBreakEven);
  QStringList sentences;
  for (const QString& sentence :
       {BreakEvenSentence(QStringLiteral("Sem ponto de equilíbrio"), QStringLiteral("lucro"),
                          breakEven),
        BreakEvenSentence(QStringLiteral("Sem equilíbrio diferenciado"),
                          QStringLiteral("lucro diferenciado"), diffBreakEven)})
    if (!sentence.isEmpty()) sentences << sentence;
  lblEquilibrio->setText(sentences.join(QLatin1Char('\n')));
}

void TfrmPrecoAlvo::nedAlvoChange() {
  const int kind = cboTipoAlvo->currentIndex();
  const double target = nedAlvo->GetNumber();
  m_answer = m_solver.Solve(static_cast<margem::TargetKind>(kind), target);
  ShowColumn(kTarget, m_answer);
  lblMensagem->setText(TargetSentence(kind, target, m_answer));
  sbtAplicar->setEnabled(m_answer.outcome == Outcome::Reached);
}

void TfrmPrecoAlvo::sbtAplicarClick() {
  if (m_answer.outcome != Outcome::Reached) return;
  m_apply(cboCenario->currentIndex() + 2, m_answer.total);
  Close();
}

void TfrmPrecoAlvo::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    margem::TForm::keyPressEvent(event);
    return;
  }
  event->accept();
  if (focusWidget() == sbtFechar) {
    Close();
  } else if (sbtAplicar->isEnabled()) {
    margem::Guarded(this, [this] { sbtAplicarClick(); });
  }
}
