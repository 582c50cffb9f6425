// SPDX-License-Identifier: MIT
// Drives the "Margem Final" workspace as a user does: opened through the package entry, a quote
// number typed into the filter panel and the focus moved out of it (which loads the quote).
#pragma once

#include <QString>

class TfrmMargemFinal;

namespace testsupport {

// Initializes the package once, calls IniProc and returns the workspace, shown and active.
TfrmMargemFinal* OpenWorkspace();
// Closes the workspace (if open) and waits until the form is gone.
void CloseWorkspace();
// Focus into the filter panel (the screen is cleared), number typed, focus out to option 1's
// subgroup grid (the quote is loaded).
void EnterQuote(TfrmMargemFinal* form, const QString& number);
// How many of the ten option tabs show.
int VisibleTabs(TfrmMargemFinal* form);
// The number shown in a ladder edit, e.g. Cell(form, "nedPs", 3, 2).
double Cell(TfrmMargemFinal* form, const char* prefix, int k, int n);

}  // namespace testsupport
