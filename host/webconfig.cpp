// SPDX-License-Identifier: MIT
#include "webconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <optional>

namespace margem {
namespace {

QStringList iniFiles() {
  QStringList files;
  if (QCoreApplication::instance())
    files << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("margem.ini"));
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::home().filePath(QStringLiteral(".config"));
  files << QDir(config).filePath(QStringLiteral("margem/margem.ini"));
  return files;
}

// The first non-empty value among the environment variable and the INI files that passes accept.
template <class Accept>
std::optional<QString> lookup(const char* variable, const QString& key, Accept accept) {
  const QString fromEnv = qEnvironmentVariable(variable).trimmed();
  if (!fromEnv.isEmpty() && accept(fromEnv)) return fromEnv;
  for (const QString& file : iniFiles()) {
    if (!QFileInfo::exists(file)) continue;
    QSettings ini(file, QSettings::IniFormat);
    const QString value = ini.value(QStringLiteral("Servidor/") + key).toString().trimmed();
    if (!value.isEmpty() && accept(value)) return value;
  }
  return std::nullopt;
}

bool anyText(const QString&) { return true; }

bool validPort(const QString& text) {
  bool ok = false;
  const int port = text.toInt(&ok);
  return ok && port >= 1 && port <= 65535;
}

}  // namespace

QString WebURL() {
  return lookup("MARGEM_SERVER_HOST", QStringLiteral("WebURL"), anyText)
      .value_or(QStringLiteral("127.0.0.1"));
}

int WebPort() {
  const auto port = lookup("MARGEM_SERVER_PORT", QStringLiteral("WebPort"), validPort);
  return port ? port->toInt() : 8211;
}

QString WebToken() {
  return lookup("MARGEM_SERVER_TOKEN", QStringLiteral("Token"), anyText).value_or(QString());
}

}  // namespace margem
