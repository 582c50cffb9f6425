// SPDX-License-Identifier: MIT
// Unit Cli_ore01404: the chart "Comparativo do Percentual de Lucro X Média do Período".
#pragma once

#include <QPointer>

class TfrmCompPerLucMed;

namespace Cli_ore01404 {

// The comparison chart screen created last.
extern QPointer<TfrmCompPerLucMed> frmCompPerLucMed;

}  // namespace Cli_ore01404
