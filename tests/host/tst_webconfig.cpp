// SPDX-License-Identifier: MIT
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "webconfig.h"

class TstWebConfig : public QObject {
  Q_OBJECT

  QTemporaryDir m_config;

  // margem.ini in the user's configuration folder with that text; none for a null text.
  void writeIni(const QString& ini) {
    const QString file = m_config.filePath(QStringLiteral("margem/margem.ini"));
    QFile::remove(file);
    if (ini.isNull()) return;
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(ini.toUtf8());
  }

  static void setOrUnset(const char* name, const QString& value) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value.toUtf8());
  }

 private slots:
  void initTestCase() {
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    QDir(m_config.path()).mkpath(QStringLiteral("margem"));
  }

  void environmentOverIni_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("envHost");
    QTest::addColumn<QString>("envPort");
    QTest::addColumn<QString>("envToken");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("token");
    const QString ini = QStringLiteral("[Servidor]\nWebURL=srv-eventos\nWebPort=9300\nToken=abc\n");
    QTest::newRow("defaults") << QString() << QString() << QString() << QString() << "127.0.0.1"
                              << 8211 << "";
    QTest::newRow("ini file") << ini << QString() << QString() << QString() << "srv-eventos" << 9300
                              << "abc";
    QTest::newRow("environment wins") << ini << "srv-matriz"
                                      << "9400"
                                      << "xyz"
                                      << "srv-matriz" << 9400 << "xyz";
    QTest::newRow("bad port in environment")
        << ini << QString() << "porta" << QString() << "srv-eventos" << 9300 << "abc";
    QTest::newRow("port out of range in ini")
        << QStringLiteral("[Servidor]\nWebPort=99999\n") << QString() << QString() << QString()
        << "127.0.0.1" << 8211 << "";
    QTest::newRow("blank environment ignored")
        << ini << "  " << QString() << QString() << "srv-eventos" << 9300 << "abc";
  }

  void environmentOverIni() {
    QFETCH(QString, ini);
    QFETCH(QString, envHost);
    QFETCH(QString, envPort);
    QFETCH(QString, envToken);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, token);
    writeIni(ini);
    setOrUnset("MARGEM_SERVER_HOST", envHost);
    setOrUnset("MARGEM_SERVER_PORT", envPort);
    setOrUnset("MARGEM_SERVER_TOKEN", envToken);
    QCOMPARE(margem::WebURL(), host);
    QCOMPARE(margem::WebPort(), port);
    QCOMPARE(margem::WebToken(), token);
  }

  void callLimits_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("envTimeout");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("megabytes");
    QTest::newRow("defaults") << QString() << QString() << 60 << 256;
    QTest::newRow("ini file") << "[Servidor]\nTimeout=90\nMaxReplyMB=512\n"
                              << QString() << 90 << 512;
    QTest::newRow("environment wins") << "[Servidor]\nTimeout=90\n"
                                      << "15" << 15 << 256;
    QTest::newRow("out of range skipped") << "[Servidor]\nTimeout=0\nMaxReplyMB=99999\n"
                                          << QString() << 60 << 256;
  }

  void callLimits() {
    QFETCH(QString, ini);
    QFETCH(QString, envTimeout);
    QFETCH(int, seconds);
    QFETCH(int, megabytes);
    writeIni(ini);
    setOrUnset("MARGEM_SERVER_TIMEOUT", envTimeout);
    QCOMPARE(margem::CallTimeoutSeconds(), seconds);
    QCOMPARE(margem::MaxReplyMegabytes(), megabytes);
  }
};

QTEST_MAIN(TstWebConfig)
#include "tst_webconfig.moc"
