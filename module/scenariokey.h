// SPDX-License-Identifier: MIT
// The scenario key of "Margem Final": scenario digit k, "Op", option ordinal n ("3Op10"), and how
// it is read back out of the names of the per-option controls (nedVr3Op10, sbtVr2Op1,
// sbtVerOpcao10). Positions count from 1; a copy that runs past the end of a text stops there.
#pragma once

#include <QString>

namespace scenariokey {

// The count characters of text from position (1-based), fewer when the text ends earlier.
QString Copy(const QString& text, int position, int count);

// "3Op10" for k = 3, n = 10.
QString Make(int k, int n);
// The key inside a total, per-guest or scenario button name: nedVr3Op10 gives 3Op10.
QString OfControl(const QString& name);
// The option ordinal of a key: 3Op10 gives 10 (0 when it is not a number).
int Option(const QString& key);
// The scenario number of a key: its first character's value (0 when it is no digit).
int Scenario(const QString& key);
// "Op" and the option ordinal of a key: 3Op10 gives Op10.
QString OptionPart(const QString& key);
// The option ordinal of a "Ver Opção" button: sbtVerOpcao10 gives 10.
int OptionOfToggle(const QString& name);

}  // namespace scenariokey
