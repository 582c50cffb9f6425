// SPDX-License-Identifier: MIT
// The package Pkg_ore01400 as the host sees it: plain C entries, looked up by name after the
// host loads libPkg_ore01400.so.
//   Initialize   runs the initialization of the package's units, in order, once each;
//   IniProc      opens "Margem Final" (a second call brings the open one forward);
//   Finalize     runs the units' finalization in reverse order, once each;
//   GetPackageInfoTable  the package's units and the libraries it requires.
#pragma once

extern "C" {

struct PackageUnitInfo {
  const char* name;
  int hasInitialization;  // 1 when the unit has initialization work of its own
};

struct PackageInfoTable {
  const char* packageName;
  int unitCount;
  const PackageUnitInfo* units;
  int requiresCount;
  const char* const* requiredLibraries;
};

void IniProc();
void Initialize();
void Finalize();
const PackageInfoTable* GetPackageInfoTable();
}
