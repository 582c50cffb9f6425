// SPDX-License-Identifier: MIT
// The package's entries: unit initialization guarded by per-unit counters, the language file
// beside the library, and IniProc.
#include "pkg_ore01400.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>
#include <array>
#include <memory>

#include "cli_ore01400.h"

namespace {

const std::array<PackageUnitInfo, 5> kUnits{{{"Cli_ore01400", 1},
                                            {"Cli_ore01401", 0},
                                            {"Cli_ore01402", 0},
                                            {"Cli_ore01403", 0},
                                            {"Cli_ore01404", 0}}};

const std::array<const char*, 5> kRequires{
    {"libmargem_host.so", "libQt6Widgets.so.6", "libQt6Charts.so.6",
     "libQt6PrintSupport.so.6", "libQt6Core.so.6"}};

const PackageInfoTable kInfoTable{"Pkg_ore01400", int(kUnits.size()), kUnits.data(),
                                  int(kRequires.size()), kRequires.data()};

// How many times each unit was initialized without a matching finalization.
std::array<int, kUnits.size()> unitCounters{};

void InitializeUnit(std::size_t unit) {
  if (unitCounters[unit]++ > 0) return;
  if (unit == 0) Cli_ore01400::Initialization();
}

void FinalizeUnit(std::size_t unit) {
  if (unitCounters[unit] > 0) --unitCounters[unit];
}

// The translation file that stands beside the library (Pkg_ore01400_<locale>.qm), if any.
std::unique_ptr<QTranslator> languageModule;

QString LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&IniProc), &info) == 0 || info.dli_fname == nullptr)
    return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

void LoadLanguageModule() {
  if (languageModule || QCoreApplication::instance() == nullptr) return;
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(QLocale(), "Pkg_ore01400", "_", LibraryFolder())) {
    QCoreApplication::installTranslator(translator.get());
    languageModule = std::move(translator);
  }
}

void ReleaseLanguageModule() {
  if (!languageModule) return;
  QCoreApplication::removeTranslator(languageModule.get());
  languageModule.reset();
}

}  // namespace

extern "C" {

void IniProc() { Cli_ore01400::CriaMargemFinal(); }

void Initialize() {
  LoadLanguageModule();
  for (std::size_t unit = 0; unit < kUnits.size(); ++unit) InitializeUnit(unit);
}

void Finalize() {
  for (std::size_t unit = kUnits.size(); unit-- > 0;) FinalizeUnit(unit);
  if (unitCounters[0] == 0) ReleaseLanguageModule();
}

const PackageInfoTable* GetPackageInfoTable() { return &kInfoTable; }
}
