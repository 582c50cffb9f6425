// SPDX-License-Identifier: MIT
// Small framework functions that need no screen.
#pragma once

#include <QString>

namespace margem {

// True for an empty text or one made only of blanks.
bool EmptyString(const QString& text);

// Blanks trimmed, then left-padded with "0" to size characters: Ajusta("123", 10) is
// "0000000123". A text already longer than size is returned trimmed, uncut.
QString Ajusta(const QString& text, int size);

// Rounds half away from zero to a number of decimals: 99.996 gives 100.00, -0.125 gives -0.13.
double RoundDec(double value, int decimals);

}  // namespace margem
