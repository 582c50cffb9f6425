// SPDX-License-Identifier: MIT
// Unit Cli_ore01401: the final-margin report screen and its creation.
#pragma once

#include <QPointer>

class TfrmRelMargemFinal;

namespace Cli_ore01401 {

// The report screen last created; null once it is closed.
extern QPointer<TfrmRelMargemFinal> frmRelMargemFinal;

// Creates a new report screen (every call builds one, with its rows taken from the workspace at
// that moment), shows it modally and returns when it closes. Errors while creating pass to the
// caller.
void CriaRelMargemFinal();

}  // namespace Cli_ore01401
