// SPDX-License-Identifier: MIT
// The busy animation: an overlay ("Aguarde…" with a spinner) laid over a form while the user
// interface thread is blocked by a server call. ActiveShowAvi paints it before returning, so it is
// on screen during the call; DeactiveShowAvi removes it. One overlay at a time: showing it again
// moves it to the new form. A null form means the host's main window (or the active window).
#pragma once

#include <QWidget>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT void ActiveShowAvi(QWidget* form, int kind);
MARGEM_HOST_EXPORT void DeactiveShowAvi();
// The overlay now shown, or nullptr (for tests).
MARGEM_HOST_EXPORT QWidget* BusyOverlay();

}  // namespace margem
