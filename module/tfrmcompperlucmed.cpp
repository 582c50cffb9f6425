// SPDX-License-Identifier: MIT
#include "tfrmcompperlucmed.h"

#include "cli_ore01402.h"
#include "dateeditplus.h"
#include "ptbr.h"
#include "tfrmdadograf.h"
#include "tfrmdadograf_barchart.h"
#include "tfrmdadograf_charttools.h"

void TfrmCompPerLucMed::FormCreate() {
  margem::TfrmPadrGraf::FormCreate();
  TfrmDadoGraf* data = Cli_ore01402::frmDadoGraf;
  if (!data) return;
  // "Período: " ends in a blank, so two blanks follow the colon.
  SetTitleLines({msgPadrao.Msg(QStringLiteral("Periodo")) + u' ' +
                 margem::FormatDate(data->depDeDtInc->GetDate()) + u' ' +
                 msgPadrao.Msg(QStringLiteral("a")) + u' ' +
                 margem::FormatDate(data->depAteDtInc->GetDate())});
  ShowRowsAsBars(*Chart(), *data->cdsAuxMediaOrca, QStringLiteral("NMORCAMENTO"),
                 QStringLiteral("VRLUCOPC"));
}

bool TfrmCompPerLucMed::SaveImage(const QString& path) const { return SaveChartImage(*this, path); }
