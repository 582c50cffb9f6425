// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "packagelibrary.h"

class TstPackageLibrary : public QObject {
  Q_OBJECT

  QTemporaryDir m_dir;

  QString binFile(const QString& name) const {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
  }

 private slots:
  void unusablePackageIsExplained_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("problemStart");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("libPkg_ore01400.so"))
                             << "O pacote do módulo \"Margem Final\" não foi encontrado em";
    QTest::newRow("not a library") << m_dir.filePath(QStringLiteral("texto.so"))
                                   << "Não foi possível carregar o pacote texto.so:";
    QTest::newRow("library without IniProc") << binFile(QStringLiteral("libmargem_host.so"))
                                             << "O pacote libmargem_host.so não contém a entrada IniProc";
  }

  void unusablePackageIsExplained() {
    QFETCH(QString, path);
    QFETCH(QString, problemStart);
    QFile text(m_dir.filePath(QStringLiteral("texto.so")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("isto não é uma biblioteca");
    text.close();

    PackageLibrary package(path);
    QVERIFY(!package.Load());
    QVERIFY(!package.Usable());
    QVERIFY2(package.Problem().startsWith(problemStart), qPrintable(package.Problem()));
    package.IniProc();  // does nothing without the entry
  }

  void realPackageDescribesItsUnits() {
    const QString path = binFile(QStringLiteral("libPkg_ore01400.so"));
    if (!QFile::exists(path)) QSKIP("the package is not built in this build folder");
    PackageLibrary package(path);
    QVERIFY2(package.Load(), qPrintable(package.Problem()));
    QVERIFY(package.Usable());
    const QString description = package.Description().join(QLatin1Char('\n'));
    QVERIFY2(description.contains(QStringLiteral("Unidades: Cli_ore01400, Cli_ore01401")), qPrintable(description));
    package.Unload();
    QVERIFY(!package.Usable());
  }
};

QTEST_MAIN(TstPackageLibrary)
#include "tst_packagelibrary.moc"
