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
  files << QDir(UserConfigFolder()).filePath(QStringLiteral("margem.ini"));
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

// A whole number from low to high, or nothing.
std::optional<int> wholeNumber(const char* variable, const QString& key, int low, int high) {
  const auto inRange = [low, high](const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= low && number <= high;
  };
  const auto text = lookup(variable, key, inRange);
  return text ? std::optional<int>(text->toInt()) : std::nullopt;
}

}  // namespace

QString UserConfigFolder() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::home().filePath(QStringLiteral(".config"));
  return QDir(config).filePath(QStringLiteral("margem"));
}

QString WebURL() {
  return lookup("MARGEM_SERVER_HOST", QStringLiteral("WebURL"), anyText)
      .value_or(QStringLiteral("127.0.0.1"));
}

int WebPort() {
  return wholeNumber("MARGEM_SERVER_PORT", QStringLiteral("WebPort"), 1, 65535).value_or(8211);
}

QString WebToken() {
  return lookup("MARGEM_SERVER_TOKEN", QStringLiteral("Token"), anyText).value_or(QString());
}

int CallTimeoutSeconds() {
  return wholeNumber("MARGEM_SERVER_TIMEOUT", QStringLiteral("Timeout"), 1, 3600).value_or(60);
}

int MaxReplyMegabytes() {
  return wholeNumber("MARGEM_SERVER_MAX_REPLY_MB", QStringLiteral("MaxReplyMB"), 1, 4096)
      .value_or(256);
}

}  // namespace margem
