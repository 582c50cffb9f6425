// SPDX-License-Identifier: MIT
// What the user reads about "Margem Final": the help page that "Ajuda" (F1) opens, and the
// meaning of each row caption, column title and header label, which the page lists and the
// screen shows as tooltips.
#pragma once

#include <QString>

namespace Cli_ore01400 {

// The help page, HTML.
QString MargemFinalHelpPage();

// The meaning of a caption of the screen ("% IDVV MP", "Valor Total", "Despesa Fixa", …), one
// or two sentences; empty for a caption it does not explain.
QString MeaningOf(const QString& caption);

}  // namespace Cli_ore01400
