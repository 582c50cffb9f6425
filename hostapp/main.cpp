// SPDX-License-Identifier: MIT
// margem-host [--open]: the desktop host. Loads the package beside itself, runs its Initialize,
// opens "Margem Final" at start with --open, and runs Finalize when the last window closes.
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "hostapplication.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "packagelibrary.h"

int main(int argc, char** argv) {
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  HostApplication app(argc, argv);
  HostApplication::setApplicationName(QStringLiteral("margem-host"));
  HostApplication::setApplicationDisplayName(QStringLiteral("Gestão de Eventos"));

  // Qt's own dialogs (message box buttons, file dialogs) in Portuguese when the translation is there.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    HostApplication::installTranslator(&qtTexts);

  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("Hospedeiro do módulo Margem Final."));
  options.addHelpOption();
  options.addOption({QStringLiteral("open"), QStringLiteral("Abre a tela \"Margem Final\" ao iniciar.")});
  options.process(app);

  PackageLibrary package(DefaultPackagePath());
  package.Load();

  MainWindow window(package);
  window.show();
  QTimer::singleShot(0, &window, [&] {
    if (!package.Usable())
      margem::ShowErrorMessage(package.Problem());
    else if (options.isSet(QStringLiteral("open")))
      window.OpenMargemFinal();
  });
  const int status = HostApplication::exec();
  package.Unload();
  return status;
}
