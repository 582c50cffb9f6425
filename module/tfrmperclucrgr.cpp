// SPDX-License-Identifier: MIT
#include "tfrmperclucrgr.h"

#include "cli_ore01402.h"
#include "tfrmdadograf.h"
#include "tfrmdadograf_barchart.h"
#include "tfrmdadograf_charttools.h"

void TfrmPercLucrGr::FormCreate() {
  margem::TfrmPadrGraf::FormCreate();
  if (TfrmDadoGraf* data = Cli_ore01402::frmDadoGraf) {
    ShowRowsAsBars(*Chart(), *data->cdsPercLucrGrup, QStringLiteral("NMSUBGRPROD"),
                   QStringLiteral("VRPELUCRO"));
  }
}

bool TfrmPercLucrGr::SaveImage(const QString& path) const { return SaveChartImage(*this, path); }
