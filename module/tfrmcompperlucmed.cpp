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
  // "Período: " ends in a blank, so two blanks follow the colon. The chart lays its title out
  // as rich text, which would merge them: the second one is a no-break space.
  const QString title = msgPadrao.Msg(QStringLiteral("Periodo")) + u' ' +
                        margem::FormatDate(data->depDeDtInc->GetDate()) + u' ' +
                        msgPadrao.Msg(QStringLiteral("a")) + u' ' +
                        margem::FormatDate(data->depAteDtInc->GetDate());
  Chart()->setTitle(QString(title).replace(QStringLiteral("  "), QStringLiteral(" \u00A0")));
  ShowRowsAsBars(*Chart(), *data->cdsAuxMediaOrca, QStringLiteral("NMORCAMENTO"),
                 QStringLiteral("VRLUCOPC"));
}

bool TfrmCompPerLucMed::SaveImage(const QString& path) const { return SaveChartImage(*this, path); }
