// SPDX-License-Identifier: MIT
// The module package loaded at run time: libPkg_ore01400.so from the host's own folder, with its
// C entries Initialize, Finalize, IniProc and GetPackageInfoTable. Load() maps the library and
// runs Initialize; Unload() runs Finalize (the library stays mapped until the process ends, so no
// code of a closed form is pulled from under Qt). A package that cannot be loaded, or that lacks
// IniProc, leaves a Portuguese explanation in Problem() and the host running without it.
#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include "packageabi.h"

class PackageLibrary {
 public:
  explicit PackageLibrary(QString path);
  ~PackageLibrary();

  bool Load();
  void Unload();
  bool Usable() const { return m_iniProc != nullptr; }
  QString Problem() const { return m_problem; }
  QString Path() const { return m_library.fileName(); }

  // Calls IniProc; raises nothing itself (the caller guards it).
  void IniProc();
  // The package's units and required libraries, as lines for the "about" box.
  QStringList Description() const;

 private:
  QLibrary m_library;
  QString m_problem;
  PackageEntry m_iniProc = nullptr;
  PackageEntry m_finalize = nullptr;
  PackageInfoEntry m_infoTable = nullptr;
  bool m_initialized = false;
};

// The package's path beside the running executable.
QString DefaultPackagePath();
