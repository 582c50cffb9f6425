// SPDX-License-Identifier: MIT
#include "cli_ore01400.h"

#include "formhost.h"
#include "screencursor.h"
#include "tfrmmargemfinal.h"

namespace Cli_ore01400 {

QPointer<TfrmMargemFinal> frmMargemFinal;
bool boIdCriado = false;

void Initialization() { boIdCriado = false; }

void CriaMargemFinal() {
  margem::SetScreenCursor(margem::crHourGlass);
  if (!boIdCriado) {
    auto* form = new TfrmMargemFinal();
    try {
      form->FormCreate();
    } catch (...) {
      delete form;
      margem::SetScreenCursor(margem::crDefault);
      throw;
    }
    frmMargemFinal = form;
    boIdCriado = true;
  }
  margem::ShowMdiChild(frmMargemFinal);
  margem::SetWindowStateNormal(frmMargemFinal);
  margem::SetScreenCursor(margem::crDefault);
}

}  // namespace Cli_ore01400
