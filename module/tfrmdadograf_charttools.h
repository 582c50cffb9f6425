// SPDX-License-Identifier: MIT
// What every chart screen offers besides its chart: a tool panel above the chart with
// "Salvar imagem" (the chart as a PNG file the user names) and "Imprimir" (the chart on a printer
// the user picks, scaled to the page). The image is twice the size the chart shows at, headed by
// the screen's caption and the quote shown in "Margem Final" (number and client).
#pragma once

#include <QString>

namespace margem {
class TfrmPadrGraf;
}

// Adds the tool panel (panGrafico with sbtSalvarImagem and sbtImprimir) to a chart screen;
// `imageName` names its images ("grupo": margem-grupo-0000000123.png).
void AddChartTools(margem::TfrmPadrGraf& screen, const QString& imageName);

// Writes the chart's image to a PNG file; false when the file cannot be written.
bool SaveChartImage(const margem::TfrmPadrGraf& screen, const QString& path);

// Asks where to save the chart (the last folder an image went to, the name margem-<imageName>-
// <quote>.png suggested), saves it and says where in the status bar; a file that cannot be
// written ends in MensErro.
void AskAndSaveChartImage(margem::TfrmPadrGraf& screen, const QString& imageName);

// Asks for a printer and prints the chart on one page; a printer that cannot start ends in
// MensErro.
void PrintChart(margem::TfrmPadrGraf& screen);
