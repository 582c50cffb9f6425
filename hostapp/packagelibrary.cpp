// SPDX-License-Identifier: MIT
#include "packagelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DefaultPackagePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libPkg_ore01400.so"));
}

PackageLibrary::PackageLibrary(QString path) : m_library(std::move(path)) {}

PackageLibrary::~PackageLibrary() { Unload(); }

bool PackageLibrary::Load() {
  const QString path = m_library.fileName();
  if (!QFileInfo::exists(path)) {
    m_problem = QStringLiteral(
                    "O pacote do módulo \"Margem Final\" não foi encontrado em %1. Reinstale o "
                    "sistema ou gere-o novamente com scripts/build.")
                    .arg(path);
    return false;
  }
  if (!m_library.load()) {
    m_problem = QStringLiteral("Não foi possível carregar o pacote %1: %2")
                    .arg(QFileInfo(path).fileName(), m_library.errorString());
    return false;
  }
  const auto entry = [this](const char* name) {
    return reinterpret_cast<PackageEntry>(m_library.resolve(name));
  };
  const PackageEntry initialize = entry("Initialize");
  m_finalize = entry("Finalize");
  m_infoTable = reinterpret_cast<PackageInfoEntry>(m_library.resolve("GetPackageInfoTable"));
  const PackageEntry iniProc = entry("IniProc");
  if (!iniProc) {
    m_problem = QStringLiteral(
                    "O pacote %1 não contém a entrada IniProc: ele não é um módulo que este sistema "
                    "possa abrir.")
                    .arg(QFileInfo(path).fileName());
    return false;
  }
  if (initialize) initialize();
  m_initialized = true;
  m_iniProc = iniProc;
  return true;
}

void PackageLibrary::Unload() {
  if (m_initialized && m_finalize) m_finalize();
  m_initialized = false;
  m_iniProc = nullptr;
}

void PackageLibrary::IniProc() {
  if (m_iniProc) m_iniProc();
}

QStringList PackageLibrary::Description() const {
  QStringList lines;
  lines << QStringLiteral("Pacote: %1").arg(QDir::toNativeSeparators(m_library.fileName()));
  const HostPackageInfo* info = m_infoTable ? m_infoTable() : nullptr;
  if (!info) return lines;
  QStringList units;
  for (int i = 0; i < info->unitCount; ++i) units << QString::fromUtf8(info->units[i].name);
  QStringList required;
  for (int i = 0; i < info->requiresCount; ++i) required << QString::fromUtf8(info->requiredLibraries[i]);
  lines << QStringLiteral("Nome: %1").arg(QString::fromUtf8(info->packageName))
        << QStringLiteral("Unidades: %1").arg(units.join(QStringLiteral(", ")))
        << QStringLiteral("Requer: %1").arg(required.join(QStringLiteral(", ")));
  return lines;
}
