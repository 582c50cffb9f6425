// SPDX-License-Identifier: MIT
// "Gráficos": the period check of the comparison chart.
#include <QDate>

#include "dateeditplus.h"
#include "mensErro.h"
#include "tfrmdadograf.h"

namespace {

// Day 0 of the date values; earlier days are refused.
const QDate kFirstDay(1899, 12, 30);

}  // namespace

void TfrmDadoGraf::Vd_DtIncDadoGraf() {
  const auto refuse = [this](margem::TDateEditPlus* edit, const QString& key) {
    edit->setFocus();
    margem::MensErro(msgPadrao.Msg(key));
  };
  depDeDtInc->CheckValidDate();
  depAteDtInc->CheckValidDate();
  if (depDeDtInc->IsEmpty()) refuse(depDeDtInc, QStringLiteral("depDeDtInc_inf"));
  if (depAteDtInc->IsEmpty()) refuse(depAteDtInc, QStringLiteral("depAteDtInc_inf"));
  const QDate first = depDeDtInc->GetDate();
  const QDate last = depAteDtInc->GetDate();
  if (!(last >= first)) refuse(depDeDtInc, QStringLiteral("DtIni>DtFin"));
  if (first < kFirstDay) refuse(depDeDtInc, QStringLiteral("Dt<0"));
  if (last < kFirstDay) refuse(depAteDtInc, QStringLiteral("Dt<0"));
}
