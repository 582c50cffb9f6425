// SPDX-License-Identifier: MIT
// The server's life around its calls: its command line, an address already taken, a SQLite
// database that is not there (serve never creates it, the tools do) or replaced while served,
// PostgreSQL connections ended under it, and stopping on SIGTERM, at once after start and with a
// long call in flight.
#include <httplib.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

constexpr int kPeriodRows = 60000;

// Lookups made by `callers` clients at once, `each` calls apiece on kept-alive connections; how
// many did not list `quotes` quotes.
int wrongLookups(int port, std::size_t quotes, int callers, int each) {
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int c = 0; c < callers; ++c) {
    threads.emplace_back([&] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      client.set_read_timeout(30);
      for (int i = 0; i < each; ++i) {
        const auto reply = client.Post(
            "/rpc/ORE01400.rdmMargem",
            R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""]})", "application/json");
        const json body = reply ? json::parse(reply->body, nullptr, false) : json();
        if (!body.is_object() || !body.contains("result") ||
            body["result"]["rows"].size() != quotes) {
          ++wrong;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  return wrong;
}

}  // namespace

class TestServerLifecycle : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void commandLine_data();
  void commandLine();
  void secondServerOnATakenAddressDoesNotStart();
  void serveLeavesAMissingDatabaseAlone();
  void replacedDatabaseFileIsFollowed();
  void endedPostgresConnectionsAreReplaced();
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

void TestServerLifecycle::commandLine_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<bool>("succeeds");
  QTest::addColumn<QString>("says");
  const QString nowhere = "sqlite:/nao/existe/margem.db";
  QTest::newRow("version") << QStringList{"--version"} << true << "margem-server 1.";
  QTest::newRow("serve --help") << QStringList{"serve", "--help"} << true << "--max-per-address N";
  QTest::newRow("fixture --help") << QStringList{"fixture", "-h"} << true << "ARQUIVO.json";
  QTest::newRow("every address without a token")
      << QStringList{"serve", "--db", nowhere, "--listen", "0.0.0.0:0"} << false
      << "--insecure-no-token";
  QTest::newRow("empty token") << QStringList{"serve", "--db", nowhere, "--token", ""} << false
                               << "não pode ser vazio";
}

// A server that should not start must end at once; one that started by mistake is ended.
void TestServerLifecycle::commandLine() {
  QFETCH(QStringList, arguments);
  QFETCH(bool, succeeds);
  QFETCH(QString, says);
  QString output;
  QCOMPARE(runTool(arguments, &output, 10000), succeeds);
  QVERIFY2(output.contains(says), qPrintable(output));
}

void TestServerLifecycle::secondServerOnATakenAddressDoesNotStart() {
  TestDatabase database;
  QVERIFY(runTool({"init", "--db", database.location()}));
  ServerProcess first;
  QVERIFY(first.start(database.location()));
  const QString address = QStringLiteral("127.0.0.1:%1").arg(first.port());
  QString output;
  QVERIFY(!runTool({"serve", "--db", database.location(), "--listen", address}, &output, 10000));
  QVERIFY2(output.contains("O endereço " + address + " já está em uso."), qPrintable(output));
  QCOMPARE(RpcClient(first.port()).get("/health").status, 200);
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

// Another file moved over the served one is what every connection reads from then on; once the
// file is deleted, calls say so.
void TestServerLifecycle::replacedDatabaseFileIsFollowed() {
  if (backendUnderTest() != Backend::Sqlite) QSKIP("only a SQLite database is a file to replace");
  QTemporaryDir dir;
  const QString served = dir.filePath("margem.db");
  const QString next = dir.filePath("nova.db");
  QVERIFY(
      runTool({"fixture", "--db", "sqlite:" + served, QFINDTESTDATA("data/margin_quotes.json")}));
  QVERIFY(runTool({"demo", "--db", "sqlite:" + next, "--quotes", "5"}));
  ServerProcess server;
  QVERIFY(server.start("sqlite:" + served));
  QCOMPARE(wrongLookups(server.port(), 8, 6, 5), 0);

  std::filesystem::rename(next.toStdString(), served.toStdString());
  QCOMPARE(wrongLookups(server.port(), 5, 6, 5), 0);

  std::filesystem::remove(served.toStdString());
  const RpcClient client(server.port());
  const HttpReply reply = client.call("GetOrca", {""});
  QCOMPARE(reply.body["error"]["code"].get<int>(), -32000);
  const std::string message = reply.body["error"]["message"];
  QVERIFY2(message.find("não foi encontrado") != std::string::npos, message.c_str());
  QCOMPARE(client.get("/health").status, 503);
}

// Connections the database ended while they sat idle in the pool (as a PostgreSQL restart ends
// them) fail no call.
void TestServerLifecycle::endedPostgresConnectionsAreReplaced() {
  if (backendUnderTest() != Backend::Postgres) QSKIP("PostgreSQL connections only");
  TestDatabase database;
  QVERIFY(
      runTool({"fixture", "--db", database.location(), QFINDTESTDATA("data/margin_quotes.json")}));
  ServerProcess server;
  QVERIFY(server.start(database.location()));
  for (int round = 0; round < 2; ++round) {
    QCOMPARE(wrongLookups(server.port(), 8, 6, 3), 0);
    database.endConnections();
    QCOMPARE(wrongLookups(server.port(), 8, 1, 12), 0);
    QCOMPARE(wrongLookups(server.port(), 8, 6, 3), 0);
  }
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
