// SPDX-License-Identifier: MIT
// "Gráficos": the chart request and the emptying of the working data sets.
#include <QRadioButton>

#include "cli_ore01403.h"
#include "cli_ore01404.h"
#include "formhost.h"
#include "tfrmcompperlucmed.h"
#include "tfrmdadograf.h"
#include "tfrmperclucrgr.h"

void TfrmDadoGraf::sbtGraficoClick(QObject*) {
  try {
    // The quote's rows are fetched first, whichever chart and whatever the period holds.
    Calcula_lucro();
    if (rbtGrafGrup->isChecked()) {
      Cli_ore01403::frmPercLucrGr = margem::CreateForm<TfrmPercLucrGr>();
      margem::ShowModal(Cli_ore01403::frmPercLucrGr);
    } else {
      Vd_DtIncDadoGraf();
      Exclui_Registro();
      Calcula_T_Lucro();
      Cli_ore01404::frmCompPerLucMed = margem::CreateForm<TfrmCompPerLucMed>();
      margem::ShowModal(Cli_ore01404::frmCompPerLucMed);
    }
  } catch (...) {
    Esvazia();
    throw;
  }
  Esvazia();
}

void TfrmDadoGraf::Esvazia() {
  for (margem::TClientDataSet* set : {cdsValorOpc, cdsMediaOrca, cdsAuxMediaOrca, cdsPercLucrGrup}) {
    // A step stopped halfway may have left a row pending; it is dropped with the rest.
    if (set->state() == margem::TClientDataSet::dsEdit ||
        set->state() == margem::TClientDataSet::dsInsert) {
      set->Cancel();
    }
    set->EmptyDataSet();
  }
}
