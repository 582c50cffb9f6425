// SPDX-License-Identifier: MIT
// The server's life around its calls: a SQLite database that is not there (serve never creates
// it, the tools do).
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

class TestServerLifecycle : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void serveLeavesAMissingDatabaseAlone();
  void toolsCreateAMissingDatabase_data();
  void toolsCreateAMissingDatabase();
};

void TestServerLifecycle::initTestCase() {
  if (const QString reason = backendUnavailableReason(); !reason.isEmpty()) {
    QSKIP(qPrintable(reason));
  }
}

void TestServerLifecycle::serveLeavesAMissingDatabaseAlone() {
  if (backendUnderTest() != Backend::Sqlite) QSKIP("only a SQLite database is a file to create");
  QTemporaryDir dir;
  const QString path = dir.filePath("nova/margem.db");
  ServerProcess server;
  QVERIFY(server.start("sqlite:" + path));
  const RpcClient client(server.port());
  for (int attempt = 0; attempt < 2; ++attempt) {
    const HttpReply reply = client.call("GetOrca", {""});
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body["error"]["code"].get<int>(), -32000);
    const std::string message = reply.body["error"]["message"];
    QVERIFY2(message.find("não foi encontrado") != std::string::npos, message.c_str());
    QVERIFY2(message.find("nova") == std::string::npos, message.c_str());
  }
  QVERIFY(!QFileInfo::exists(path));
  QVERIFY(!QFileInfo::exists(dir.filePath("nova")));

  // Created later, the database is served from the next call on.
  QVERIFY(runTool({"init", "--db", "sqlite:" + path}));
  const json lookup = client.result("GetOrca", {""});
  QCOMPARE(lookup["rows"].size(), 0u);
}

void TestServerLifecycle::toolsCreateAMissingDatabase_data() {
  QTest::addColumn<QStringList>("arguments");  // the database follows them
  QTest::addColumn<int>("quotes");
  QTest::newRow("init") << QStringList{"init"} << 0;
  QTest::newRow("demo") << QStringList{"demo", "--quotes", "5"} << 5;
  QTest::newRow("fixture") << QStringList{"fixture", QFINDTESTDATA("data/margin_quotes.json")} << 8;
}

void TestServerLifecycle::toolsCreateAMissingDatabase() {
  if (backendUnderTest() != Backend::Sqlite) QSKIP("only a SQLite database is a file to create");
  QFETCH(QStringList, arguments);
  QFETCH(int, quotes);
  QTemporaryDir dir;
  const QString location = "sqlite:" + dir.filePath("dois/niveis/margem.db");
  QString output;
  QVERIFY2(runTool(arguments + QStringList{"--db", location}, &output), qPrintable(output));
  ServerProcess server;
  QVERIFY(server.start(location));
  QCOMPARE(RpcClient(server.port()).result("GetOrca", {""})["rows"].size(), std::size_t(quotes));
}

QTEST_GUILESS_MAIN(TestServerLifecycle)
#include "tst_server_lifecycle.moc"
