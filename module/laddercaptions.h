// SPDX-License-Identifier: MIT
// The captions of an option's price ladder, as the workspace, its copies and exports, and the
// target-price dialog show them: the scenario columns (k = 1..5) and the rows (in LadderRow
// order).
#pragma once

inline constexpr const char* kScenarioCaptions[5] = {"Valor Atual", "Valor 02", "Valor 03",
                                                     "Valor 04", "Valor 05"};
inline constexpr const char* kLadderCaptions[5] = {"Valor Total", "Vr. por Pessoa", "Valor Lucro",
                                                   "% Lucro", "% Lucro Diferenciado"};
