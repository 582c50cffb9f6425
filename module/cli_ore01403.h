// SPDX-License-Identifier: MIT
// Unit Cli_ore01403: the chart "Percentual de Lucro por Grupo".
#pragma once

#include <QPointer>

class TfrmPercLucrGr;

namespace Cli_ore01403 {

// The group chart screen created last.
extern QPointer<TfrmPercLucrGr> frmPercLucrGr;

}  // namespace Cli_ore01403
