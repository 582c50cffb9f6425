// SPDX-License-Identifier: MIT
// The help window of a screen: its help page (HTML) in a window of its own beside the screen,
// titled "Ajuda — <screen>", which the user keeps open while working and closes with "Fechar" or
// Escape. A screen has at most one: asking again brings it forward. It goes with its screen.
#pragma once

#include <QString>
#include <QWidget>

#include "hostexport.h"

namespace margem {

// Shows (or brings forward) the help window of `screen`; returns it.
MARGEM_HOST_EXPORT QWidget* ShowHelpWindow(QWidget* screen, const QString& title,
                                           const QString& html);

}  // namespace margem
