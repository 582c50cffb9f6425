// SPDX-License-Identifier: MIT
// The protocol's refusals answered by the real server over HTTP: every row of the error table,
// the body limit, the bearer token, a database that cannot be reached, many calls at once and a
// clean stop on SIGTERM.
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "support/fixture_server.h"
#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

// A user's message is a sentence that never shows the server's inside (no SQL, no file path,
// no library text) nor echoes a long request back.
void verifyUserMessage(const std::string& message) {
  QVERIFY2(message.size() > 10 && message.size() < 300, message.c_str());
  for (const char* inside : {"SELECT", "sqlite", "SQLITE", "/tmp", ".db", "libpq", "what()",
                             "postgres", "FATAL", "syntax"}) {
    QVERIFY2(message.find(inside) == std::string::npos, message.c_str());
  }
}

void verifyUserMessage(const json& body) {
  verifyUserMessage(body.at("error").at("message").get<std::string>());
}

constexpr const char* kToken = "s3gr3d0-longo";
constexpr const char* kLookupCall = R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""]})";

std::string bigBody() {
  return R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[")" + std::string(70 * 1024, '0') +
         R"("]})";
}

}  // namespace

class TestServerProtocol : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();

  void errorTable_data();
  void errorTable();
  void bodyOverLimitIsRefused();
  void otherModuleIsNotFound();
  void healthAnswersWithoutToken();
  void token_data();
  void token();
  void refusedCallLeavesTheConnectionInStep_data();
  void refusedCallLeavesTheConnectionInStep();
  void unreachableDatabaseAnswersServerErrorAndKeepsServing();
  void concurrentCallsAllSucceed();
  void stopsCleanlyOnSigterm();

 private:
  std::unique_ptr<FixtureServer> m_server;
  std::unique_ptr<RpcClient> m_client;
  std::unique_ptr<TestDatabase> m_tokenDatabase;
  std::unique_ptr<ServerProcess> m_tokenServer;

  // The server that asks for kToken, started on first use.
  bool startTokenServer();
};

bool TestServerProtocol::startTokenServer() {
  if (m_tokenServer) return true;
  m_tokenDatabase = std::make_unique<TestDatabase>();
  if (!runTool({"init", "--db", m_tokenDatabase->location()})) return false;
  m_tokenServer = std::make_unique<ServerProcess>();
  return m_tokenServer->start(m_tokenDatabase->location(), {"--token", kToken});
}

void TestServerProtocol::initTestCase() {
  if (const QString reason = backendUnavailableReason(); !reason.isEmpty()) {
    QSKIP(qPrintable(reason));
  }
  m_server = std::make_unique<FixtureServer>();
  QString output;
  QVERIFY2(m_server->start(QFINDTESTDATA("data/margin_quotes.json"), &output), qPrintable(output));
  m_client = std::make_unique<RpcClient>(m_server->port());
}

void TestServerProtocol::cleanupTestCase() {
  m_tokenServer.reset();
  m_tokenDatabase.reset();
  m_server.reset();
}

void TestServerProtocol::errorTable_data() {
  QTest::addColumn<QString>("body");
  QTest::addColumn<int>("status");
  QTest::addColumn<int>("code");

  const auto call = [](const char* method, const char* params) {
    return QStringLiteral(R"({"jsonrpc":"2.0","id":7,"method":"%1","params":%2})")
        .arg(method, params);
  };
  QTest::newRow("not JSON") << "{\"jsonrpc\":" << 400 << -32700;
  QTest::newRow("empty body") << "" << 400 << -32700;
  QTest::newRow("batch array") << R"([{"jsonrpc":"2.0","id":1,"method":"GetOrca"}])" << 400
                               << -32600;
  QTest::newRow("no version") << R"({"id":1,"method":"GetOrca","params":[""]})" << 400 << -32600;
  QTest::newRow("version 1.0") << R"({"jsonrpc":"1.0","id":1,"method":"GetOrca","params":[""]})"
                               << 400 << -32600;
  QTest::newRow("method not text")
      << R"({"jsonrpc":"2.0","id":1,"method":5,"params":[""]})" << 400 << -32600;
  QTest::newRow("params by name") << call("GetOrca", R"({"n":""})") << 200 << -32602;
  QTest::newRow("params a text") << call("GetOrca", R"("0000000123")") << 400 << -32600;
  QTest::newRow("id object") << R"({"jsonrpc":"2.0","id":{},"method":"GetOrca","params":[""]})"
                             << 400 << -32600;
  QTest::newRow("unknown method") << call("ApagaTudo", "[]") << 200 << -32601;
  QTest::newRow("method name case") << call("getorca", R"([""])") << 200 << -32601;
  QTest::newRow("long method name")
      << call(QString(60000, 'G').toLatin1().constData(), "[]") << 200 << -32601;
  QTest::newRow("no params") << R"({"jsonrpc":"2.0","id":7,"method":"GetOrca"})" << 200 << -32602;
  QTest::newRow("too many params") << call("GetOrca", R"(["",""])") << 200 << -32602;
  QTest::newRow("too few params") << call("GetMargem", R"(["0001"])") << 200 << -32602;
  QTest::newRow("number not text") << call("GetOrca", "[123]") << 200 << -32602;
  QTest::newRow("null branch") << call("GetMargem", R"([null,"0000000123"])") << 200 << -32602;
  QTest::newRow("number too long") << call("GetOrca", R"(["00000001234"])") << 200 << -32602;
  QTest::newRow("branch too long")
      << call("GetMargem", R"(["00001","0000000123"])") << 200 << -32602;
  QTest::newRow("five accented characters")
      << call("GetMargem", R"(["ÇÃÕÉÍ","0000000123"])") << 200 << -32602;
  QTest::newRow("impossible date")
      << call("GetMargTLuc", R"(["0001","2005-02-30T00:00:00","2005-03-01T00:00:00"])") << 200
      << -32602;
  QTest::newRow("date as number") << call("GetMargTLuc", R"(["0001",38412,"2005-03-01T00:00:00"])")
                                  << 200 << -32602;
  QTest::newRow("date in pt_BR form")
      << call("GetMargTLuc", R"(["0001","01/03/2005","31/03/2005"])") << 200 << -32602;
  QTest::newRow("date with zone") << call(
                                         "GetMargTLuc",
                                         R"(["0001","2005-03-01T00:00:00Z","2005-03-31T00:00:00"])")
                                  << 200 << -32602;
  QTest::newRow("plain first date")
      << call("GetMargTLuc", R"(["0001","2005-03-01","2005-03-31T00:00:00"])") << 200 << -32602;
  QTest::newRow("plain last date")
      << call("GetMargTLuc", R"(["0001","2005-03-01T00:00:00","2005-03-31"])") << 200 << -32602;
  QTest::newRow("space instead of T")
      << call("GetMargTLuc", R"(["0001","2005-03-01 00:00:00","2005-03-31T00:00:00"])") << 200
      << -32602;
  QTest::newRow("date-time without seconds")
      << call("GetMargTLuc", R"(["0001","2005-03-01T00:00","2005-03-31T00:00:00"])") << 200
      << -32602;
  QTest::newRow("SQL in a text") << call("GetMargem", R"(["0001","1' OR '1'='1"])") << 200
                                 << -32602;
}

void TestServerProtocol::errorTable() {
  QFETCH(QString, body);
  QFETCH(int, status);
  QFETCH(int, code);
  const HttpReply reply = m_client->post(body.toStdString());
  QCOMPARE(reply.status, status);
  QVERIFY2(reply.body.is_object(), "the reply is JSON");
  QCOMPARE(reply.body.value("jsonrpc", ""), std::string("2.0"));
  QVERIFY(!reply.body.contains("result"));
  QCOMPARE(reply.body["error"]["code"].get<int>(), code);
  verifyUserMessage(reply.body);
  if (status == 200) QCOMPARE(reply.body["id"].get<int>(), 7);
}

void TestServerProtocol::bodyOverLimitIsRefused() {
  const HttpReply sized = m_client->post(bigBody());
  QCOMPARE(sized.status, 413);
  QCOMPARE(sized.body["error"]["code"].get<int>(), -32600);
  verifyUserMessage(sized.body);

  // Without a Content-Length the limit holds while the body is read.
  httplib::Client client("127.0.0.1", m_server->port());
  const std::string body = bigBody();
  const auto chunked = client.Post(
      "/rpc/ORE01400.rdmMargem",
      [&body](std::size_t offset, httplib::DataSink& sink) {
        const std::size_t piece = std::min<std::size_t>(8192, body.size() - offset);
        sink.write(body.data() + offset, piece);
        if (offset + piece == body.size()) sink.done();
        return true;
      },
      "application/json");
  QVERIFY(chunked);
  QCOMPARE(chunked->status, 413);
  QCOMPARE(json::parse(chunked->body)["error"]["code"].get<int>(), -32600);

  // A body just under the limit is read and judged on its content.
  std::string fits = R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""],"pad":")";
  fits += std::string(64 * 1024 - fits.size() - 2, ' ') + "\"}";
  QCOMPARE(fits.size(), std::size_t(64 * 1024));
  QCOMPARE(m_client->post(fits).status, 200);
}

void TestServerProtocol::otherModuleIsNotFound() {
  const HttpReply reply = m_client->post(
      R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""]})", "ORE01500.rdmOutro");
  QCOMPARE(reply.status, 404);
}

void TestServerProtocol::healthAnswersWithoutToken() {
  TestDatabase database;
  QVERIFY(runTool({"init", "--db", database.location()}));
  ServerProcess server;
  QVERIFY(server.start(database.location(), {"--token", "segredo"}));
  const HttpReply health = RpcClient(server.port()).get("/health");
  QCOMPARE(health.status, 200);
  QVERIFY2(health.body == json::parse(R"({"status":"ok","database":"ok"})"),
           health.body.dump().c_str());
}

void TestServerProtocol::token_data() {
  QTest::addColumn<QString>("authorization");
  QTest::addColumn<int>("status");
  QTest::newRow("right token") << "Bearer s3gr3d0-longo" << 200;
  QTest::newRow("no header") << "" << 401;
  QTest::newRow("wrong token") << "Bearer s3gr3d0-lOngo" << 401;
  QTest::newRow("prefix of the token") << "Bearer s3gr3d0" << 401;
  QTest::newRow("token and more") << "Bearer s3gr3d0-longo-e-mais" << 401;
  QTest::newRow("empty bearer") << "Bearer " << 401;
  QTest::newRow("other scheme") << "Basic s3gr3d0-longo" << 401;
}

void TestServerProtocol::token() {
  QFETCH(QString, authorization);
  QFETCH(int, status);
  QVERIFY(startTokenServer());

  httplib::Client client("127.0.0.1", m_tokenServer->port());
  httplib::Headers headers;
  if (!authorization.isEmpty()) headers.emplace("Authorization", authorization.toStdString());
  const auto reply =
      client.Post("/rpc/ORE01400.rdmMargem", headers, kLookupCall, "application/json");
  QVERIFY(reply);
  QCOMPARE(reply->status, status);
  const json body = json::parse(reply->body);
  if (status == 401) {
    QCOMPARE(body["error"]["code"].get<int>(), -32001);
    verifyUserMessage(body);
  } else {
    QVERIFY(body.contains("result"));
  }
}

void TestServerProtocol::refusedCallLeavesTheConnectionInStep_data() {
  QTest::addColumn<bool>("withToken");  // the server asks for a token, and the second call has it
  QTest::addColumn<QString>("authorization");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("body");
  QTest::addColumn<int>("status");

  const QString rpc = QStringLiteral("/rpc/ORE01400.rdmMargem");
  const QString call = kLookupCall;
  QTest::newRow("wrong token") << true << "Bearer errado" << rpc << call << 401;
  QTest::newRow("no token") << true << "" << rpc << call << 401;
  QTest::newRow("other module") << false << ""
                                << "/rpc/ORE01500.rdmOutro" << call << 404;
  QTest::newRow("unknown path") << false << ""
                                << "/outro" << call << 404;
  QTest::newRow("body over the limit")
      << false << "" << rpc << QString::fromStdString(bigBody()) << 413;
}

// The refused request's body must not be read as the start of the next request on the same
// kept-alive connection.
void TestServerProtocol::refusedCallLeavesTheConnectionInStep() {
  QFETCH(bool, withToken);
  QFETCH(QString, authorization);
  QFETCH(QString, path);
  QFETCH(QString, body);
  QFETCH(int, status);
  if (withToken) QVERIFY(startTokenServer());
  httplib::Client client("127.0.0.1", withToken ? m_tokenServer->port() : m_server->port());
  client.set_keep_alive(true);
  client.set_read_timeout(10);

  httplib::Headers refused;
  if (!authorization.isEmpty()) refused.emplace("Authorization", authorization.toStdString());
  // The body follows the headers a moment later, once the server could have answered them.
  const std::string payload = body.toStdString();
  const auto first = client.Post(
      path.toStdString().c_str(), refused, payload.size(),
      [&payload](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
        if (offset == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return sink.write(payload.data() + offset, length);
      },
      "application/json");
  QVERIFY2(first, httplib::to_string(first.error()).c_str());
  QCOMPARE(first->status, status);

  httplib::Headers allowed;
  if (withToken) allowed.emplace("Authorization", std::string("Bearer ") + kToken);
  const auto second = client.Post("/rpc/ORE01400.rdmMargem", allowed,
                                  R"({"jsonrpc":"2.0","id":2,"method":"GetOrca","params":[""]})",
                                  "application/json");
  QVERIFY2(second, httplib::to_string(second.error()).c_str());
  QCOMPARE(second->status, 200);
  const json reply = json::parse(second->body, nullptr, false);
  QVERIFY2(reply.is_object() && reply.contains("result"), second->body.c_str());
  QCOMPARE(reply["id"].get<int>(), 2);
}

void TestServerProtocol::unreachableDatabaseAnswersServerErrorAndKeepsServing() {
  QTemporaryDir dir;
  QString location;
  const QString blocker = dir.filePath("ocupado");
  if (backendUnderTest() == Backend::Sqlite) {
    // The database's folder is a plain file: nothing can be opened until it is moved away.
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    location = "sqlite:" + blocker + "/margem.db";
  } else {
    const QString admin = qEnvironmentVariable("MARGEM_TEST_PG");
    location = admin + " dbname=margem_que_nao_existe connect_timeout=2";
  }
  ServerProcess server;
  QVERIFY(server.start(location));
  const RpcClient client(server.port());
  for (int attempt = 0; attempt < 2; ++attempt) {
    const HttpReply reply = client.call("GetMargem", {"0001", "0000000123"});
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body["error"]["code"].get<int>(), -32000);
    QCOMPARE(reply.body["id"].get<int>(), 1);
    verifyUserMessage(reply.body);
    const HttpReply health = client.get("/health");
    QCOMPARE(health.status, 503);
    QCOMPARE(health.body.value("status", ""), std::string("unavailable"));
    verifyUserMessage(health.body.value("database", ""));
  }
  // Parameters are still checked first.
  QCOMPARE(client.call("GetOrca", {1}).body["error"]["code"].get<int>(), -32602);

  if (backendUnderTest() == Backend::Sqlite) {
    QVERIFY(QFile::remove(blocker));
    QVERIFY(QDir(dir.path()).mkdir("ocupado"));
    QVERIFY(runTool({"fixture", "--db", location, QFINDTESTDATA("data/margin_quotes.json")}));
    const HttpReply recovered = client.call("GetOrca", {"0000000123"});
    QVERIFY2(recovered.body.contains("result"), recovered.body.dump().c_str());
    QCOMPARE(recovered.body["result"]["rows"].size(), 1u);
    QCOMPARE(client.get("/health").status, 200);
  }
}

void TestServerProtocol::concurrentCallsAllSucceed() {
  constexpr int kClients = 8;
  constexpr int kCallsEach = 25;
  std::atomic<int> good{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", m_server->port());
      client.set_read_timeout(30);
      for (int i = 0; i < kCallsEach; ++i) {
        const json request = {
            {"jsonrpc", "2.0"},
            {"id", c * 1000 + i},
            {"method", i % 2 ? "GetMargem" : "GetMargTLuc"},
            {"params", i % 2 ? json{"0001", "0000000123"}
                             : json{"0001", "2005-03-01T00:00:00", "2005-03-31T00:00:00"}}};
        const auto reply =
            client.Post("/rpc/ORE01400.rdmMargem", request.dump(), "application/json");
        if (!reply || reply->status != 200) continue;
        const json body = json::parse(reply->body, nullptr, false);
        if (body.is_object() && body.contains("result") && body["id"] == c * 1000 + i) ++good;
      }
    });
  }
  for (auto& client : clients) client.join();
  QCOMPARE(good.load(), kClients * kCallsEach);
}

void TestServerProtocol::stopsCleanlyOnSigterm() {
  ServerProcess server;
  QVERIFY(server.start(m_server->location()));
  QCOMPARE(RpcClient(server.port()).call("GetOrca", {""}).status, 200);
  QCOMPARE(server.stop(), 0);
  QVERIFY(server.standardOutput().contains("margem-server parado"));
}

QTEST_GUILESS_MAIN(TestServerProtocol)
#include "tst_server_protocol.moc"
