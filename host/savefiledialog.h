// SPDX-License-Identifier: MIT
// Asking where to save a file. The dialog starts in the folder where the user last saved a file
// of the same kind ("pdf", "imagem", "planilha"; remembered in UserSettings, group "Pastas"), or
// in the Documents folder the first time (the home folder when there is none), with the suggested
// name filled in. `filters` are the dialog's file types ("Planilha CSV (*.csv)"); a name typed
// without an extension, or with another listed type's, takes the chosen type's. The chosen folder
// is remembered for the kind. Returns the path, or an empty text when the user cancelled.
#pragma once

#include <QString>
#include <QStringList>

#include "hostexport.h"

class QWidget;

namespace margem {

MARGEM_HOST_EXPORT QString AskSaveFileName(QWidget* parent, const QString& kind,
                                           const QString& title, const QString& suggestedName,
                                           const QStringList& filters);

// The folder a save dialog of that kind starts in.
MARGEM_HOST_EXPORT QString SaveFolder(const QString& kind);

}  // namespace margem
