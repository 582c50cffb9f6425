// SPDX-License-Identifier: MIT
#include "usersettings.h"

#include <QDir>

#include "webconfig.h"

namespace margem {

std::unique_ptr<QSettings> UserSettings() {
  return std::make_unique<QSettings>(
      QDir(UserConfigFolder()).filePath(QStringLiteral("margem-user.ini")), QSettings::IniFormat);
}

}  // namespace margem
