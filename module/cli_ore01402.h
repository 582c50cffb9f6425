// SPDX-License-Identifier: MIT
// Unit Cli_ore01402: the chart-data screen "Gráficos" and its one instance. The chart screens read
// its data sets and period through frmDadoGraf.
#pragma once

#include <QPointer>

class TfrmDadoGraf;

namespace Cli_ore01402 {

// The chart-data screen; set while boIdCriado is true.
extern QPointer<TfrmDadoGraf> frmDadoGraf;
// True from the creation of the chart-data screen until its close.
extern bool boIdCriado;

// Creates the chart-data screen unless it exists, shows it modally and returns when it closes.
// The wait cursor is on while the screen is being created.
void CriaDadoGraf();

}  // namespace Cli_ore01402
