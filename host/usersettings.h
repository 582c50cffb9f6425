// SPDX-License-Identifier: MIT
// What the programs remember for their user between runs (where the main window stood, the last
// folder of each kind of file saved): the INI file margem-user.ini in UserConfigFolder()
// (~/.config/margem/margem-user.ini), apart from the server settings of margem.ini.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT std::unique_ptr<QSettings> UserSettings();

}  // namespace margem
