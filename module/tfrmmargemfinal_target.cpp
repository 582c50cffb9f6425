// SPDX-License-Identifier: MIT
// "Margem Final": the target price of an option. The "Preço alvo" button of each option tab, and
// Ctrl+T for the tab on show, open "Preço Alvo" on the option's subgroup rows as its ladder reads
// them; "Aplicar" there types the total into the chosen scenario's "Valor Total", so that the
// column and the subgroup grid follow through the what-if handlers exactly as for the user.
#include <QAction>

#include "formhost.h"
#include "guard.h"
#include "mensErro.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"
#include "tfrmprecoalvo.h"

void TfrmMargemFinal::BindTargetPriceHandlers() {
  connect(PrecoAlvo1, &QAction::triggered, this,
          [this] { margem::Guarded(this, [this] { PrecoAlvo1Click(PrecoAlvo1); }); });
  for (OptionSheet* sheet : m_sheets) {
    margem::TButtonFlat* button = sheet->sbtPrecoAlvo;
    connect(button, &QAbstractButton::clicked, this, [this, button] {
      margem::Guarded(this, [this, button] { sbtPrecoAlvo1Click(button); });
    });
  }
}

void TfrmMargemFinal::sbtPrecoAlvo1Click(QObject* sender) {
  for (int n = 1; n <= 10; ++n) {
    const OptionSheet* sheet = Sheet(n);
    if (sheet->sbtPrecoAlvo != sender) continue;
    const double serv = cdsVdOrca->FieldByName(QStringLiteral("VRPEDESFIXASERV"))->AsFloat();
    const double guests = cdsVdOrca->FieldByName(QStringLiteral("QTCONVORCEVE"))->AsFloat();
    const double currentTotal = sheet->Cell(margem::LadderRow::Total, 1)->GetNumber();
    margem::TargetPriceSolver solver(margem::ReadSubgroupRows(*sheet->cdsGrupo), currentTotal,
                                     serv);
    const double currentPct = sheet->Cell(margem::LadderRow::ProfitPct, 1)->GetNumber();
    margem::ShowModal(margem::CreateForm<TfrmPrecoAlvo>(
        std::move(solver), guests, n, currentPct,
        [this, n](int k, double total) { AplicaPrecoAlvo(n, k, total); }));
    return;
  }
}

void TfrmMargemFinal::PrecoAlvo1Click(QObject*) {
  for (const OptionSheet* sheet : m_sheets) {
    if (sheet->tsh != pgcPadrao->currentWidget()) continue;
    if (!sheet->sbtPrecoAlvo->isEnabled())
      margem::MensErro(QStringLiteral("Escolha um orçamento para calcular o preço alvo."));
    sbtPrecoAlvo1Click(sheet->sbtPrecoAlvo);
    return;
  }
}

void TfrmMargemFinal::AplicaPrecoAlvo(int n, int k, double total) {
  const OptionSheet* sheet = Sheet(n);
  if (sheet == nullptr || k < 2 || k > 5) return;
  margem::TNumberEdit* edit = sheet->Cell(margem::LadderRow::Total, k);
  edit->setFocus(Qt::OtherFocusReason);
  edit->SetNumber(total);
}
