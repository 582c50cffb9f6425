// SPDX-License-Identifier: MIT
// The C entries every module package exports, as the host calls them. GetPackageInfoTable
// answers the package's name, units and required libraries in this layout.
#pragma once

extern "C" {

struct HostPackageUnit {
  const char* name;
  int hasInitialization;
};

struct HostPackageInfo {
  const char* packageName;
  int unitCount;
  const HostPackageUnit* units;
  int requiresCount;
  const char* const* requiredLibraries;
};

using PackageEntry = void (*)();
using PackageInfoEntry = const HostPackageInfo* (*)();
}
