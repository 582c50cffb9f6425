// SPDX-License-Identifier: MIT
// The server's connections as slow, idle or hostile clients hold them: deadlines for a request's
// head and body and for an idle kept-alive connection, refusals that close the connection they
// say they close, the Host check of a token-less loopback server, the caps on open connections,
// and calls that still go through while many connections sit half-sent.
#include <httplib.h>

#include <QTest>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "support/fixture_server.h"
#include "support/raw_connection.h"
#include "support/rpc_client.h"
#include "support/server_process.h"

using namespace servertest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kHeldConnections = 40;  // more than the old server had threads

std::string healthRequest(const std::string& host) {
  return "GET /health HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
}

}  // namespace

class TestServerConnections : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void deadlines_data();
  void deadlines();
  void refusalsCloseTheConnection_data();
  void refusalsCloseTheConnection();
  void hostHeader_data();
  void hostHeader();
  void callsGoThroughWhileConnectionsAreHeld();
  void connectionsOverTheCapAreRefused();

 private:
  // Short deadlines: one second each.
  FixtureServer m_hurried;
  // Default deadlines, at most two connections per client address; only the tests of the cap
  // connect to it from 127.0.0.1.
  FixtureServer m_capped;
  std::string m_serverHeader;
};

void TestServerConnections::initTestCase() {
  QString output;
  QVERIFY2(m_hurried.start(QFINDTESTDATA("data/margin_quotes.json"), &output,
                           {"--head-timeout", "1", "--body-timeout", "1", "--idle-timeout", "1"}),
           qPrintable(output));
  QVERIFY2(
      m_capped.start(QFINDTESTDATA("data/margin_quotes.json"), &output, {"--max-per-address", "2"}),
      qPrintable(output));
  QVERIFY(runTool({"--version"}, &output));
  QVERIFY2(output.startsWith("margem-server "), qPrintable(output));
  m_serverHeader = "Server: margem-server/" + output.mid(14).trimmed().toStdString() + "\r\n";
}

void TestServerConnections::deadlines_data() {
  QTest::addColumn<QString>("sent");      // at once, after connecting
  QTest::addColumn<bool>("trickle");      // then one byte every 200 ms
  QTest::addColumn<QString>("statuses");  // the replies before the server closes

  QTest::newRow("nothing sent") << "" << false << "";
  QTest::newRow("head trickling in") << "GET /health HTTP/1.1\r\n" << true << "";
  QTest::newRow("body shorter than announced")
      << "POST /rpc/ORE01400.rdmMargem HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100\r\n"
         "\r\n{\"jsonrpc\":"
      << false << "408";
  QTest::newRow("kept alive, then idle") << "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"
                                         << false << "200";
}

// With one-second deadlines each of these connections is closed within a few seconds (the
// defaults would hold them for 10 to 30).
void TestServerConnections::deadlines() {
  QFETCH(QString, sent);
  QFETCH(bool, trickle);
  QFETCH(QString, statuses);
  RawConnection connection(m_hurried.port());
  QVERIFY(connection.connected());
  const auto start = Clock::now();
  QVERIFY(connection.send(sent.toStdString()));
  std::string received;
  while (!connection.closedByServer() && Clock::now() - start < std::chrono::seconds(6)) {
    if (trickle) connection.send("X");
    received += connection.read(200);
  }
  QVERIFY2(connection.closedByServer(), received.c_str());
  QCOMPARE(QString::fromStdString(replyStatuses(received)), statuses);
}

void TestServerConnections::refusalsCloseTheConnection_data() {
  QTest::addColumn<QString>("sent");
  QTest::addColumn<QString>("status");

  // What follows each refused request would read as more requests if the connection went on.
  const QString more = QString("GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n").repeated(3);
  QTest::newRow("head over 8 KiB")
      << "GET /" + QString(9000, 'a') + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n" + more << "431";
  QTest::newRow("not HTTP") << "ABRE-TE SESAMO\r\n\r\n" + more << "400";
  QTest::newRow("body announced over 1 MiB")
      << "POST /rpc/ORE01400.rdmMargem HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 2000000\r\n"
         "\r\n" +
             more.repeated(200)
      << "413";
}

void TestServerConnections::refusalsCloseTheConnection() {
  QFETCH(QString, sent);
  QFETCH(QString, status);
  RawConnection connection(m_hurried.port());
  QVERIFY(connection.connected());
  connection.send(sent.toStdString());
  const std::string received = connection.read(5000);
  QVERIFY(connection.closedByServer());
  QCOMPARE(QString::fromStdString(replyStatuses(received)), status);
  QVERIFY2(received.find("Connection: close\r\n") != std::string::npos, received.c_str());
  QVERIFY2(received.find(m_serverHeader) != std::string::npos, received.c_str());
}

void TestServerConnections::hostHeader_data() {
  QTest::addColumn<QString>("host");
  QTest::addColumn<QString>("status");
  QTest::newRow("address and port") << "127.0.0.1:8211"
                                    << "200";
  QTest::newRow("other loopback address") << "127.9.8.7"
                                          << "200";
  QTest::newRow("localhost") << "localhost:8211"
                             << "200";
  QTest::newRow("LOCALHOST") << "LOCALHOST"
                             << "200";
  QTest::newRow("name under localhost") << "margem.localhost"
                                        << "200";
  QTest::newRow("IPv6 loopback") << "[::1]:8211"
                                 << "200";
  QTest::newRow("another name") << "margem.example.com"
                                << "403";
  QTest::newRow("name that starts like loopback") << "127.0.0.1.nip.io"
                                                  << "403";
  QTest::newRow("name that starts like localhost") << "localhost.example.com:8211"
                                                   << "403";
  QTest::newRow("another address") << "192.168.0.10"
                                   << "403";
}

// The server has no token and listens on loopback: only a loopback Host is answered.
void TestServerConnections::hostHeader() {
  QFETCH(QString, host);
  QFETCH(QString, status);
  RawConnection connection(m_hurried.port());
  connection.send(healthRequest(host.toStdString()));
  const std::string received = connection.read(5000);
  QCOMPARE(QString::fromStdString(replyStatuses(received)), status);
  QVERIFY2(received.find(m_serverHeader) != std::string::npos, received.c_str());
}

// Connections that sent half a request hold no thread: a call made meanwhile is answered at once.
void TestServerConnections::callsGoThroughWhileConnectionsAreHeld() {
  std::vector<std::unique_ptr<RawConnection>> held;
  for (int i = 0; i < kHeldConnections; ++i) {
    const std::string from = "127.0.1." + std::to_string(10 + i);
    held.push_back(std::make_unique<RawConnection>(m_capped.port(), from.c_str()));
    QVERIFY(held.back()->send("POST /rpc/ORE01400.rdmMargem HTTP/1.1\r\nContent-Le"));
  }
  httplib::Client client("127.0.0.1", m_capped.port());
  client.set_read_timeout(3);
  const auto reply = client.Post("/rpc/ORE01400.rdmMargem",
                                 R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""]})",
                                 "application/json");
  QVERIFY(reply);
  QCOMPARE(reply->status, 200);
}

void TestServerConnections::connectionsOverTheCapAreRefused() {
  auto first = std::make_unique<RawConnection>(m_capped.port(), "127.0.2.1");
  RawConnection second(m_capped.port(), "127.0.2.1");
  QVERIFY(first->connected() && second.connected());
  {
    RawConnection third(m_capped.port(), "127.0.2.1");
    third.send(healthRequest("127.0.0.1"));
    const std::string refused = third.read(5000);
    QCOMPARE(QString::fromStdString(replyStatuses(refused)), QString("503"));
    QVERIFY2(refused.find("Retry-After: ") != std::string::npos, refused.c_str());
    QVERIFY(third.closedByServer());
  }
  // Another address is still served, and a place given back is taken again once the server has
  // seen it go.
  QCOMPARE(RpcClient(m_capped.port()).get("/health").status, 200);
  first.reset();
  QString status;
  for (int attempt = 0; attempt < 20 && status != "200"; ++attempt) {
    RawConnection again(m_capped.port(), "127.0.2.1");
    again.send(healthRequest("127.0.0.1"));
    status = QString::fromStdString(replyStatuses(again.read(5000)));
    if (status != "200") std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  QCOMPARE(status, QString("200"));
}

QTEST_GUILESS_MAIN(TestServerConnections)
#include "tst_server_connections.moc"
