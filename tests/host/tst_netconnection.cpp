// SPDX-License-Identifier: MIT
// The connection against a small HTTP server on an ephemeral loopback port, started here.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <thread>

#include "checkresultserv.h"
#include "mensErro.h"
#include "netconnection.h"

using namespace margem;
using nlohmann::json;

namespace {

const char* const kPacket =
    R"({"fields":[{"name":"NRORCAEVENTO","type":"string","size":10},{"name":"CDFILIAL","type":"string","size":4}],)"
    R"("rows":[["0000000001","0001"],["0000000002","0002"]]})";

std::string resultReply(const json& request, const std::string& result) {
  return R"({"jsonrpc":"2.0","id":)" + request["id"].dump() + R"(,"result":)" + result + "}";
}

// Answers by method name: GetOrca a packet; Chunked the same packet in chunks; Erro an error
// reply; Lento after a second (or after its first parameter's milliseconds); Grande a reply of
// up to 256 MB; Lixo something that is no reply. A token, when set, is required.
class TestServer {
 public:
  explicit TestServer(std::string token = {}) : m_token(std::move(token)) {
    m_server.Get("/health", [this](const httplib::Request&, httplib::Response& res) {
      res.status = m_healthStatus;
      res.set_header("Server", "margem-server/9.9");
      res.set_content(R"({"status":"ok"})", "application/json");
    });
    m_server.Post(R"(/rpc/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
      {
        std::lock_guard lock(m_mutex);
        m_lastBody = req.body;
        m_lastPath = req.path;
        m_lastAuthorization = req.get_header_value("Authorization");
      }
      const json request = json::parse(req.body);
      if (!m_token.empty() && req.get_header_value("Authorization") != "Bearer " + m_token) {
        res.status = 401;
        res.set_content(
            R"({"jsonrpc":"2.0","id":null,"error":{"code":-32001,"message":"Acesso não autorizado."}})",
            "application/json");
        return;
      }
      const std::string method = request["method"];
      if (method == "Erro") {
        res.set_content(
            R"({"jsonrpc":"2.0","id":)" + request["id"].dump() +
                R"(,"error":{"code":-32602,"message":"Número do orçamento inválido."}})",
            "application/json");
      } else if (method == "Lento") {
        const json& params = request["params"];
        const int ms = !params.empty() && params[0].is_number() ? params[0].get<int>() : 1000;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        res.set_content(resultReply(request, "null"), "application/json");
      } else if (method == "Lixo") {
        res.set_content("<html>erro</html>", "text/html");
      } else if (method == "Grande") {
        // Up to 256 MB in chunks of 64 KB, for as long as the client reads.
        res.set_chunked_content_provider(
            "application/json", [this](size_t offset, httplib::DataSink& sink) {
              static const std::string block(64 << 10, ' ');
              if (offset >= (std::size_t{256} << 20) || !sink.write(block.data(), block.size()))
                return false;
              m_bigBytes = offset + block.size();
              return true;
            });
      } else if (method == "Chunked") {
        const auto body = std::make_shared<std::string>(resultReply(request, kPacket));
        res.set_chunked_content_provider(
            "application/json", [body](size_t offset, httplib::DataSink& sink) {
              const size_t piece = std::min<size_t>(7, body->size() - offset);
              sink.write(body->data() + offset, piece);
              if (offset + piece == body->size()) sink.done();
              return true;
            });
      } else {
        res.set_content(resultReply(request, kPacket), "application/json");
      }
    });
    m_server.set_keep_alive_timeout(1);
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    for (int i = 0; i < 200 && !m_server.is_running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~TestServer() { Stop(); }

  void Stop() {
    m_server.stop();
    if (m_thread.joinable()) m_thread.join();
  }
  int Port() const { return m_port; }
  void SetHealthStatus(int status) { m_healthStatus = status; }
  std::string LastBody() {
    std::lock_guard lock(m_mutex);
    return m_lastBody;
  }
  std::string LastPath() {
    std::lock_guard lock(m_mutex);
    return m_lastPath;
  }
  std::size_t BigBytesSent() const { return m_bigBytes; }
  std::string LastAuthorization() {
    std::lock_guard lock(m_mutex);
    return m_lastAuthorization;
  }

 private:
  httplib::Server m_server;
  std::string m_token;
  int m_port = 0;
  std::thread m_thread;
  std::mutex m_mutex;
  std::string m_lastBody, m_lastPath, m_lastAuthorization;
  std::atomic<std::size_t> m_bigBytes{0};
  std::atomic<int> m_healthStatus{200};
};

// A bare loopback server: answers GET /health itself and hands every other connection, with
// the start of its request already read, to onCall, which answers or closes it.
class RawServer {
 public:
  explicit RawServer(std::function<void(int peer, std::string_view request)> onCall)
      : m_onCall(std::move(onCall)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    ::listen(m_listener, 8);
    m_thread = std::thread([this] {
      for (;;) {
        const int peer = ::accept(m_listener, nullptr, nullptr);
        if (peer < 0) return;
        char head[4096] = {};
        ::recv(peer, head, sizeof head - 1, 0);
        if (std::string_view(head).starts_with("GET /health"))
          Answer(peer, R"({"status":"ok"})");
        else
          m_onCall(peer, head);
        ::close(peer);
      }
    });
  }
  ~RawServer() {
    ::shutdown(m_listener, SHUT_RDWR);
    ::close(m_listener);
    m_thread.join();
  }
  int Port() const { return m_port; }

  static void Answer(int peer, const std::string& content) {
    const std::string reply =
        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
        "Connection: close\r\nContent-Length: " +
        std::to_string(content.size()) + "\r\n\r\n" + content;
    ::send(peer, reply.data(), reply.size(), MSG_NOSIGNAL);
  }

 private:
  std::function<void(int, std::string_view)> m_onCall;
  int m_listener = -1;
  int m_port = 0;
  std::thread m_thread;
};

// A loopback port where nothing listens any more.
int closedPort() {
  TestServer gone;
  const int port = gone.Port();
  gone.Stop();
  return port;
}

}  // namespace

class TstNetConnection : public QObject {
  Q_OBJECT

  QStringList m_messages;
  std::unique_ptr<TestServer> m_server;

  // A connection to the test server, connected through BeforeConnect as the forms do.
  std::unique_ptr<TNetConnection> connectTo(int port, const QString& token = {}) {
    auto connection = std::make_unique<TNetConnection>(QStringLiteral("netMargem"));
    connection->ServerName = QStringLiteral("ORE01400.rdmMargem");
    connection->ReplyTimeoutMs = 300;
    connection->BeforeConnect = [port, token](TNetConnection& c) {
      c.Host = QStringLiteral("127.0.0.1");
      c.Port = port;
      c.Token = token;
    };
    connection->SetConnected(true);
    return connection;
  }

  // What CheckResultServ(reply, true, 0) shows, or "" when it returns the result.
  QString messageOf(const ServerReply& reply) {
    m_messages.clear();
    try {
      CheckResultServ(reply, true, 0);
    } catch (const SilentAbort&) {
    }
    return m_messages.join(QLatin1Char('|'));
  }

 private slots:
  void init() {
    m_messages.clear();
    SetMessageRecorder([this](const QString& text) { m_messages << text; });
    m_server = std::make_unique<TestServer>();
  }
  void cleanup() {
    m_server.reset();
    SetMessageRecorder(nullptr);
  }

  void replyBecomesDataOrMessage_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("result") << "GetOrca" << int(ServerReply::Ok) << "";
    QTest::newRow("chunked result") << "Chunked" << int(ServerReply::Ok) << "";
    QTest::newRow("error reply") << "Erro" << int(ServerReply::RpcError)
                                 << "Número do orçamento inválido.";
    QTest::newRow("time-out") << "Lento" << int(ServerReply::Timeout)
                              << "O servidor de aplicação não respondeu a tempo. Tente novamente.";
    QTest::newRow("no reply") << "Lixo" << int(ServerReply::BadReply)
                              << "Resposta inválida do servidor de aplicação.";
  }

  void replyBecomesDataOrMessage() {
    QFETCH(QString, method);
    QFETCH(int, status);
    QFETCH(QString, message);
    auto connection = connectTo(m_server->Port());
    QVERIFY(connection->Connected());
    const ServerReply reply = connection->Call(method, {QString()});
    QCOMPARE(int(reply.status), status);
    QCOMPARE(messageOf(reply), message);
    if (status == ServerReply::Ok) {
      const DataPacket& packet = CheckResultServ(reply, true, 0).Packet();
      QCOMPARE(packet.RowCount(), 2);
      QCOMPARE(packet.String(1, 0), QStringLiteral("0000000002"));
    }
  }

  void theConnectionIsUsableAfterATimeout() {
    auto connection = connectTo(m_server->Port());
    QCOMPARE(int(connection->Call(QStringLiteral("Lento"), {}).status), int(ServerReply::Timeout));
    QCOMPARE(int(connection->Call(QStringLiteral("GetOrca"), {QString()}).status),
             int(ServerReply::Ok));
  }

  // While a call waits the user-interface thread runs its timers and repaints, but a key typed
  // or a button clicked in between reaches nothing.
  void waitingCallTakesNoUserInput() {
    auto connection = connectTo(m_server->Port());
    connection->ReplyTimeoutMs = 10000;
    QLineEdit edit;
    QPushButton button;
    edit.show();
    button.show();
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
      ++ticks;
      QTest::keyClicks(&edit, QStringLiteral("9"));
      QTest::mouseClick(&button, Qt::LeftButton);
    });
    timer.start(100);
    const ServerReply reply = connection->Call(QStringLiteral("Lento"), {2000});
    timer.stop();
    QCOMPARE(int(reply.status), int(ServerReply::Ok));
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    QCOMPARE(edit.text(), QString());
    QCOMPARE(clicks, 0);
  }

  // A server that sends one byte a second never lets a read time out; the call's deadline
  // still ends it, with the time-out message.
  void tricklingServerEndsAtTheDeadline() {
    RawServer server([](int peer, std::string_view) {
      const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n";
      for (char byte : head) {
        if (::send(peer, &byte, 1, MSG_NOSIGNAL) != 1) return;
        std::this_thread::sleep_for(std::chrono::seconds(1));
      }
    });
    auto connection = connectTo(server.Port());
    connection->ReplyTimeoutMs = 2500;
    QElapsedTimer clock;
    clock.start();
    const ServerReply reply = connection->Call(QStringLiteral("GetOrca"), {QString()});
    QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(messageOf(reply),
             QStringLiteral("O servidor de aplicação não respondeu a tempo. Tente novamente."));
  }

  // A reply over the limit is refused as soon as it passes it: the server is stopped from
  // sending the rest.
  void replyOverTheLimitIsRefused() {
    auto connection = connectTo(m_server->Port());
    connection->MaxReplyBytes = 1 << 20;
    const ServerReply reply = connection->Call(QStringLiteral("Grande"), {});
    QCOMPARE(int(reply.status), int(ServerReply::TooLarge));
    QVERIFY(messageOf(reply).startsWith(
        QStringLiteral("A resposta do servidor de aplicação passou do limite de 1 MB")));
    QTest::qWait(200);
    QVERIFY2(m_server->BigBytesSent() < (std::size_t{32} << 20),
             qPrintable(QString::number(m_server->BigBytesSent())));
    QCOMPARE(int(connection->Call(QStringLiteral("GetOrca"), {QString()}).status),
             int(ServerReply::Ok));
  }

  void requestCarriesMethodParamsAndPath() {
    auto connection = connectTo(m_server->Port());
    connection->Call(QStringLiteral("GetMargTLuc"),
                     {QStringLiteral("0001"), 2.5, QDateTime(QDate(2005, 3, 31), QTime(20, 15, 5)),
                      QVariant(), QStringLiteral("São João")});
    const json body = json::parse(m_server->LastBody());
    QCOMPARE(QString::fromStdString(body["jsonrpc"]), QStringLiteral("2.0"));
    QCOMPARE(QString::fromStdString(body["method"]), QStringLiteral("GetMargTLuc"));
    QVERIFY(body["id"].is_number_integer());
    const json expected = json::parse(R"(["0001",2.5,"2005-03-31T20:15:05",null,"São João"])");
    QCOMPARE(QString::fromStdString(body["params"].dump()),
             QString::fromStdString(expected.dump()));
    QCOMPARE(QString::fromStdString(m_server->LastPath()),
             QStringLiteral("/rpc/ORE01400.rdmMargem"));
    QVERIFY(m_server->LastAuthorization().empty());
  }

  void tokenIsSentAsBearer_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("message");
    QTest::newRow("right token") << "segredo"
                                 << "";
    QTest::newRow("wrong token") << "outro"
                                 << "Acesso não autorizado.";
    QTest::newRow("no token") << ""
                              << "Acesso não autorizado.";
  }

  void tokenIsSentAsBearer() {
    QFETCH(QString, token);
    QFETCH(QString, message);
    m_server = std::make_unique<TestServer>("segredo");
    auto connection = connectTo(m_server->Port(), token);
    const ServerReply reply = connection->Call(QStringLiteral("GetOrca"), {QString()});
    QCOMPARE(messageOf(reply), message);
    if (!token.isEmpty())
      QCOMPARE(QString::fromStdString(m_server->LastAuthorization()),
               QStringLiteral("Bearer ") + token);
  }

  void serverDownAtConnect() {
    const int port = closedPort();
    std::unique_ptr<TNetConnection> connection;
    QVERIFY_THROWS_EXCEPTION(SilentAbort, connection = connectTo(port));
    QCOMPARE(m_messages,
             QStringList{QStringLiteral(
                             "Não foi possível conectar ao servidor de aplicação em 127.0.0.1:%1. "
                             "Verifique se ele está em execução.")
                             .arg(port)});
  }

  void serverGoneAfterConnect() {
    auto connection = connectTo(m_server->Port());
    const int port = m_server->Port();
    m_server->Stop();
    const ServerReply reply = connection->Call(QStringLiteral("GetOrca"), {QString()});
    QCOMPARE(int(reply.status), int(ServerReply::Refused));
    QCOMPARE(messageOf(reply),
             QStringLiteral("Não foi possível conectar ao servidor de aplicação em 127.0.0.1:%1. "
                            "Verifique se ele está em execução.")
                 .arg(port));
  }

  // The server closes the connection while a large request is still being written: the call
  // fails with a message and the program goes on.
  // A connection closed before any reply (as a kept-alive one the server has just let go) costs
  // the call one more try on a new connection; a second close fails it with its message, also
  // while a large request is still being written.
  void connectionClosedBeforeTheReply_data() {
    QTest::addColumn<int>("closing");
    QTest::addColumn<int>("requestBytes");
    QTest::addColumn<bool>("answered");
    QTest::newRow("closed once") << 1 << 10 << true;
    QTest::newRow("closed twice") << 2 << 10 << false;
    QTest::newRow("closed while writing") << 1000 << (4 << 20) << false;
  }
  void connectionClosedBeforeTheReply() {
    QFETCH(int, closing);
    QFETCH(int, requestBytes);
    QFETCH(bool, answered);
    std::atomic<int> calls{0};
    RawServer server([&calls, closing](int peer, std::string_view) {
      if (calls++ >= closing) RawServer::Answer(peer, R"({"jsonrpc":"2.0","id":1,"result":null})");
    });
    auto connection = connectTo(server.Port());
    const ServerReply reply =
        connection->Call(QStringLiteral("GetOrca"), {QString(requestBytes, QLatin1Char('9'))});
    QCOMPARE(reply.status == ServerReply::Ok, answered);
    QCOMPARE(calls.load(), 2);
    if (!answered) QVERIFY(!messageOf(reply).isEmpty());
  }

  void switchedOffConnectionDoesNotCall() {
    auto connection = connectTo(m_server->Port());
    connection->SetConnected(false);
    QVERIFY(!connection->Connected());
    const ServerReply reply = connection->Call(QStringLiteral("GetOrca"), {QString()});
    QCOMPARE(int(reply.status), int(ServerReply::NotConnected));
    QVERIFY(m_server->LastBody().empty());
    QVERIFY(!messageOf(reply).isEmpty());
    m_messages.clear();
    QVERIFY(CheckResultServ(reply, false, 0).IsNull());  // raise false: no message, Null
    QVERIFY(m_messages.isEmpty());
  }

  // A server up without its database connects; its calls then say what the database lacks.
  void serverWithoutItsDatabaseConnects() {
    m_server->SetHealthStatus(503);
    auto connection = connectTo(m_server->Port());
    QVERIFY(connection->Connected());
    QVERIFY(m_messages.isEmpty());
  }

  void serverNamesItselfWhileConnected() {
    auto connection = connectTo(m_server->Port());
    QCOMPARE(connection->ServerSoftware(), QStringLiteral("margem-server/9.9"));
    QCOMPARE(ConnectedServerSoftware(), QStringLiteral("margem-server/9.9"));
    connection->SetConnected(false);
    QCOMPARE(ConnectedServerSoftware(), QString());
  }

  void beforeConnectRunsOnceAtSwitchOn() {
    int runs = 0;
    TNetConnection connection(QStringLiteral("netMargem"));
    const int port = m_server->Port();
    connection.BeforeConnect = [&](TNetConnection& c) {
      ++runs;
      c.Host = QStringLiteral("127.0.0.1");
      c.Port = port;
    };
    connection.SetConnected(true);
    connection.SetConnected(true);
    QCOMPARE(runs, 1);
    connection.SetConnected(false);
    connection.SetConnected(true);
    QCOMPARE(runs, 2);
  }

  void parameterThatCannotTravelIsRefused_data() {
    QTest::addColumn<QVariant>("value");
    QTest::newRow("not finite") << QVariant(qInf());
    QTest::newRow("not a value kind") << QVariant(QStringList{QStringLiteral("a")});
  }

  void parameterThatCannotTravelIsRefused() {
    QFETCH(QVariant, value);
    auto connection = connectTo(m_server->Port());
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             connection->Call(QStringLiteral("GetOrca"), {value}));
  }
};

QTEST_MAIN(TstNetConnection)
#include "tst_netconnection.moc"
