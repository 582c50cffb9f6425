// SPDX-License-Identifier: MIT
// The form description of "Comparativo do Percentual de Lucro X Média do Período": caption,
// size and the message table of the title.
#include "tfrmcompperlucmed.h"
#include "tfrmdadograf_charttools.h"

TfrmCompPerLucMed::TfrmCompPerLucMed(QWidget* parent) : margem::TfrmPadrGraf(parent) {
  setObjectName(QStringLiteral("frmCompPerLucMed"));
  Caption = QStringLiteral("Comparativo do Percentual de Lucro X Média do Período");
  Position = QPoint(337, 221);
  msgPadrao.SetLines({QStringLiteral("Periodo|Período: "), QStringLiteral("a|à")});
  AddChartTools(*this, QStringLiteral("comparativo"));
}
