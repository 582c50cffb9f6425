// SPDX-License-Identifier: MIT
#include "cli_ore01402.h"

#include <QScopeGuard>

#include "formhost.h"
#include "screencursor.h"
#include "tfrmdadograf.h"

namespace Cli_ore01402 {

QPointer<TfrmDadoGraf> frmDadoGraf;
bool boIdCriado = false;

void CriaDadoGraf() {
  margem::SetScreenCursor(margem::crHourGlass);
  auto normalCursor = qScopeGuard([] { margem::SetScreenCursor(margem::crDefault); });
  if (!boIdCriado) {
    frmDadoGraf = margem::CreateForm<TfrmDadoGraf>();
    boIdCriado = true;
  }
  // The wait cursor covers the creation only; the user works in the screen with the normal one.
  margem::SetScreenCursor(margem::crDefault);
  margem::ShowModal(frmDadoGraf);
  margem::SetWindowStateNormal(frmDadoGraf);
}

}  // namespace Cli_ore01402
