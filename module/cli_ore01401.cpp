// SPDX-License-Identifier: MIT
#include "cli_ore01401.h"

#include "formhost.h"
#include "tfrmrelmargemfinal.h"

namespace Cli_ore01401 {

QPointer<TfrmRelMargemFinal> frmRelMargemFinal;

void CriaRelMargemFinal() {
  frmRelMargemFinal = margem::CreateForm<TfrmRelMargemFinal>();
  margem::ShowModal(frmRelMargemFinal);
}

}  // namespace Cli_ore01401
