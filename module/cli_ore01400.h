// SPDX-License-Identifier: MIT
// Unit Cli_ore01400: the one "Margem Final" workspace form and its creation.
#pragma once

#include <QPointer>

class TfrmMargemFinal;

namespace Cli_ore01400 {

// The workspace form; set when it is created, null once it is gone.
extern QPointer<TfrmMargemFinal> frmMargemFinal;
// True from the creation of the workspace form until its close. While true, frmMargemFinal is a
// living form and no second one is created.
extern bool boIdCriado;

// Creates the workspace once (its FormCreate connects to the server) and shows it as a child
// window of the host, restored to normal state; a second call only brings the same form forward.
// Errors while creating pass to the caller, and the next call tries again.
void CriaMargemFinal();

// Unit initialization, run once by the package's Initialize.
void Initialization();

}  // namespace Cli_ore01400
