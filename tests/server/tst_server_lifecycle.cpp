// SPDX-License-Identifier: MIT
// The server's life around its calls: a SQLite database that is not there (serve never creates
// it, the tools do) and stopping on SIGTERM, at once after start and with a long call in flight.
#include <httplib.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

constexpr int kPeriodRows = 60000;

}  // namespace

class TestServerLifecycle : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void serveLeavesAMissingDatabaseAlone();
  void toolsCreateAMissingDatabase_data();
  void toolsCreateAMissingDatabase();
  void stopsOnSigtermRightAfterListening();
  void callInFlightAtSigtermCompletes();
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

// A signal that comes as soon as the server says it listens still stops it.
void TestServerLifecycle::stopsOnSigtermRightAfterListening() {
  TestDatabase database;
  QVERIFY(runTool({"init", "--db", database.location()}));
  for (int round = 0; round < 5; ++round) {
    ServerProcess server;
    QVERIFY(server.start(database.location()));
    QCOMPARE(server.stop(), 0);
    QVERIFY(server.standardOutput().contains("margem-server parado"));
  }
}

// SIGTERM while a period of many rows streams out: the reply still ends whole, then the server
// exits cleanly.
void TestServerLifecycle::callInFlightAtSigtermCompletes() {
  TestDatabase database;
  QString output;
  QVERIFY2(runTool({"demo", "--db", database.location(), "--quotes", "5", "--margin-rows",
                    QString::number(kPeriodRows)},
                   &output),
           qPrintable(output));
  ServerProcess server;
  QVERIFY(server.start(database.location()));

  std::atomic<bool> streaming{false};
  std::string body;
  bool answered = false;
  int status = 0;
  std::thread caller([&] {
    httplib::Client client("127.0.0.1", server.port());
    client.set_read_timeout(60);
    httplib::Request req;
    req.method = "POST";
    req.path = "/rpc/ORE01400.rdmMargem";
    req.set_header("Content-Type", "application/json");
    req.body = R"({"jsonrpc":"2.0","id":1,"method":"GetMargTLuc",)"
               R"("params":["0099","2025-01-01T00:00:00","2025-12-31T00:00:00"]})";
    req.content_receiver = [&](const char* data, std::size_t length, std::uint64_t, std::uint64_t) {
      body.append(data, length);
      if (!streaming.exchange(true)) {
        // A slow reader keeps the server writing while the signal arrives.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
      }
      return true;
    };
    httplib::Response res;
    httplib::Error error = httplib::Error::Success;
    answered = client.send(req, res, error);
    status = res.status;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!streaming && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const bool started = streaming;
  const int exitCode = server.stop();
  caller.join();

  QVERIFY(started);
  QCOMPARE(exitCode, 0);
  QVERIFY(answered);
  QCOMPARE(status, 200);
  const json reply = json::parse(body, nullptr, false);
  QVERIFY2(reply.is_object() && reply.contains("result"), body.substr(0, 200).c_str());
  QCOMPARE(reply["result"]["rows"].size(), std::size_t(kPeriodRows));
}

QTEST_GUILESS_MAIN(TestServerLifecycle)
#include "tst_server_lifecycle.moc"
