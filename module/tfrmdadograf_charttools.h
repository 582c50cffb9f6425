// SPDX-License-Identifier: MIT
// What every chart screen offers besides its chart: a tool panel above the chart with
// "Salvar imagem" (the chart as a PNG file the user names) and "Imprimir" (the chart on a printer
// the user picks, scaled to the page).
#pragma once

#include <QString>

namespace margem {
class TfrmPadrGraf;
}

// Adds the tool panel (panGrafico with sbtSalvarImagem and sbtImprimir) to a chart screen.
void AddChartTools(margem::TfrmPadrGraf& screen);

// Writes the chart as shown to a PNG file; false when the file cannot be written.
bool SaveChartImage(const margem::TfrmPadrGraf& screen, const QString& path);

// Asks where to save the chart and saves it; a file that cannot be written ends in MensErro.
void AskAndSaveChartImage(margem::TfrmPadrGraf& screen);

// Asks for a printer and prints the chart on one page; a printer that cannot start ends in
// MensErro.
void PrintChart(margem::TfrmPadrGraf& screen);
