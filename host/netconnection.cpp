// SPDX-License-Identifier: MIT
#include "netconnection.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "mensErro.h"
#include "rpcrequest.h"
#include "webconfig.h"
#include "workwait.h"

namespace margem {

QString ConnectionFailedMessage(const QString& host, int port) {
  return QStringLiteral(
             "Não foi possível conectar ao servidor de aplicação em %1:%2. Verifique se ele está "
             "em execução.")
      .arg(host)
      .arg(port);
}

namespace {

// A host written as a URL ("http://host/") is taken for its host name.
std::string hostName(const QString& host) {
  QString name = host.trimmed();
  if (name.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)) name = name.mid(7);
  while (name.endsWith(QLatin1Char('/'))) name.chop(1);
  return name.toStdString();
}

// A reply body received in blocks of fixed size and joined once at the end into exactly its
// length. A chunked reply has no length up front; growing one string as it arrives would hold the
// old and the doubled buffer at once, and a period reply runs to hundreds of megabytes.
class BlockBody {
 public:
  void Append(const char* data, std::size_t size) {
    while (size > 0) {
      if (m_blocks.empty() || m_blocks.back().size() == kBlockBytes) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(kBlockBytes);
      }
      std::string& block = m_blocks.back();
      const std::size_t taken = std::min(size, kBlockBytes - block.size());
      block.append(data, taken);
      data += taken;
      size -= taken;
      m_size += taken;
    }
  }

  bool Empty() const { return m_size == 0; }
  std::size_t Size() const { return m_size; }

  // The whole body; each block is released as soon as it is copied.
  std::string Join() {
    std::string body;
    body.reserve(m_size);
    for (std::string& block : m_blocks) {
      body.append(block);
      std::string().swap(block);
    }
    m_blocks.clear();
    m_size = 0;
    return body;
  }

 private:
  static constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
  std::vector<std::string> m_blocks;
  std::size_t m_size = 0;
};

// Connections switched on now, the last one switched on at the end.
std::vector<const TNetConnection*>& connectedOnes() {
  static std::vector<const TNetConnection*> list;
  return list;
}

using Clock = std::chrono::steady_clock;

std::shared_ptr<httplib::Client> newClient(const std::string& host, int port) {
  auto client = std::make_shared<httplib::Client>(host, port);
  client->set_keep_alive(true);
  // Small requests on a kept-alive socket must not wait for the peer's delayed ACK.
  client->set_tcp_nodelay(true);
  return client;
}

// One HTTP exchange as the worker thread runs it. The user-interface thread only reads it once
// the worker has ended; when it gives up waiting it calls Abandon, which shuts the socket down
// from yet another thread (the client's stop may wait for a connection attempt to end).
class Exchange {
 public:
  Exchange(std::shared_ptr<httplib::Client> client, std::string host, int port,
           Clock::time_point deadline, std::size_t maxBytes, int connectTimeoutMs)
      : m_client(std::move(client)),
        m_host(std::move(host)),
        m_port(port),
        m_deadline(deadline),
        m_maxBytes(maxBytes),
        m_connectTimeoutMs(connectTimeoutMs) {}

  // Sends the request; a kept-alive connection that the server closed just as the request went
  // out ends without a byte of reply: every call only reads, so it goes once more on a new one.
  void Run(httplib::Request request) {
    request.content_receiver = [this](const char* data, std::size_t size, std::uint64_t,
                                      std::uint64_t) {
      if (m_abandoned.load()) return false;
      if (m_body.Size() + size > m_maxBytes) {
        m_tooLarge = true;
        return false;
      }
      m_body.Append(data, size);
      return true;
    };
    m_result = send(request);
    const httplib::Error error = m_result->error();
    if (!*m_result && m_body.Empty() && !m_abandoned.load() && remainingMs() > 0 &&
        (error == httplib::Error::Read || error == httplib::Error::Write)) {
      replaceClient(newClient(m_host, m_port));
      m_result = send(request);
    }
  }

  void Abandon() {
    m_abandoned.store(true);
    std::shared_ptr<httplib::Client> client = Client();
    std::thread([client] { client->stop(); }).detach();
  }

  std::shared_ptr<httplib::Client> Client() {
    std::lock_guard lock(m_clientMutex);
    return m_client;
  }
  httplib::Result& Result() { return *m_result; }
  bool TooLarge() const { return m_tooLarge; }
  std::string Body() { return m_body.Join(); }
  bool ReceivedNothing() const { return m_body.Empty(); }
  qint64 remainingMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now()).count();
  }

 private:
  httplib::Result send(const httplib::Request& request) {
    std::shared_ptr<httplib::Client> client = Client();
    const auto remaining = std::chrono::milliseconds(std::max<qint64>(1, remainingMs()));
    client->set_connection_timeout(
        std::min(remaining, std::chrono::milliseconds(m_connectTimeoutMs)));
    client->set_read_timeout(remaining);
    client->set_write_timeout(remaining);
    return client->send(request);
  }

  void replaceClient(std::shared_ptr<httplib::Client> client) {
    std::lock_guard lock(m_clientMutex);
    m_client = std::move(client);
  }

  std::mutex m_clientMutex;
  std::shared_ptr<httplib::Client> m_client;
  const std::string m_host;
  const int m_port;
  const Clock::time_point m_deadline;
  const std::size_t m_maxBytes;
  const int m_connectTimeoutMs;
  std::atomic<bool> m_abandoned{false};
  bool m_tooLarge = false;
  BlockBody m_body;
  std::optional<httplib::Result> m_result;
};

}  // namespace

class TNetConnection::Impl {
 public:
  bool connected = false;
  qint64 nextId = 1;
  std::shared_ptr<httplib::Client> client;
  std::string clientHost;
  int clientPort = 0;
  QString serverSoftware;

  std::shared_ptr<httplib::Client> clientFor(const TNetConnection& c) {
    const std::string host = hostName(c.Host);
    if (!client || host != clientHost || c.Port != clientPort) {
      client = newClient(host, c.Port);
      clientHost = host;
      clientPort = c.Port;
    }
    return client;
  }

  // Runs one exchange off the user-interface thread within timeoutMs. Null when the time ran
  // out: the exchange is abandoned and the connection forgotten.
  std::shared_ptr<Exchange> exchange(const TNetConnection& c, httplib::Request request,
                                     int timeoutMs, std::size_t maxBytes) {
    auto job = std::make_shared<Exchange>(clientFor(c), clientHost, clientPort,
                                          Clock::now() + std::chrono::milliseconds(timeoutMs),
                                          maxBytes, c.ConnectTimeoutMs);
    const bool ended = WaitForWork(
        [job, request = std::move(request)]() mutable { job->Run(std::move(request)); }, timeoutMs);
    if (!ended) {
      job->Abandon();
      client.reset();
      return nullptr;
    }
    client = job->Client();
    return job;
  }
};

TNetConnection::TNetConnection(QString name, QObject* parent)
    : QObject(parent),
      ReplyTimeoutMs(CallTimeoutSeconds() * 1000),
      MaxReplyBytes(qint64{MaxReplyMegabytes()} << 20),
      d(std::make_unique<Impl>()) {
  setObjectName(name);
  // The HTTP library writes to its sockets without MSG_NOSIGNAL: a server that closes the
  // connection while a request is being written would end the whole program with SIGPIPE
  // instead of giving the failed call its message.
  static const bool pipeSignalIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  Q_UNUSED(pipeSignalIgnored);
}

TNetConnection::~TNetConnection() { std::erase(connectedOnes(), this); }

bool TNetConnection::Connected() const { return d->connected; }

QString TNetConnection::ServerSoftware() const { return d->serverSoftware; }

QString ConnectedServerSoftware() {
  return connectedOnes().empty() ? QString() : connectedOnes().back()->ServerSoftware();
}

void TNetConnection::SetConnected(bool connected) {
  if (connected == d->connected) return;
  if (!connected) {
    d->client.reset();
    d->connected = false;
    d->serverSoftware.clear();
    std::erase(connectedOnes(), this);
    emit connectedChanged(false);
    return;
  }
  if (BeforeConnect) BeforeConnect(*this);
  httplib::Request request;
  request.method = "GET";
  request.path = "/health";
  const std::shared_ptr<Exchange> health =
      d->exchange(*this, std::move(request), ConnectTimeoutMs, std::size_t{1} << 20);
  // A server whose database is not ready answers 503: it runs, and each call will say what its
  // database lacks, as it did before it had a readiness answer.
  const int status = health && health->Result() ? health->Result()->status : 0;
  if (status != 200 && status != 503) {
    d->client.reset();
    MensErro(ConnectionFailedMessage(Host, Port));
  }
  d->serverSoftware =
      QString::fromStdString(health->Result()->get_header_value("Server")).trimmed();
  d->connected = true;
  connectedOnes().push_back(this);
  emit connectedChanged(true);
}

ServerReply TNetConnection::Call(const QString& method, const QVariantList& params) {
  ServerReply reply;
  reply.host = Host;
  reply.port = Port;
  reply.maxReplyBytes = MaxReplyBytes;
  const std::string body = WriteRpcRequest(d->nextId++, method, params);
  if (!d->connected) {
    reply.status = ServerReply::NotConnected;
    return reply;
  }
  httplib::Request request;
  request.method = "POST";
  request.path = "/rpc/" + ServerName.toStdString();
  if (!Token.isEmpty()) request.set_header("Authorization", "Bearer " + Token.toStdString());
  request.set_header("Content-Type", "application/json");
  request.body = body;

  const std::shared_ptr<Exchange> job =
      d->exchange(*this, std::move(request), ReplyTimeoutMs,
                  static_cast<std::size_t>(std::max<qint64>(0, MaxReplyBytes)));
  if (!job) {
    reply.status = ServerReply::Timeout;
    reply.detail = QStringLiteral("deadline of %1 ms passed").arg(ReplyTimeoutMs);
    return reply;
  }
  if (job->TooLarge()) {
    reply.status = ServerReply::TooLarge;
    d->client.reset();
    return reply;
  }
  httplib::Result& result = job->Result();
  if (!result) {
    const httplib::Error error = result.error();
    reply.detail = QString::fromStdString(httplib::to_string(error));
    if (error == httplib::Error::Connection || error == httplib::Error::ConnectionTimeout ||
        error == httplib::Error::Write)
      reply.status = ServerReply::Refused;
    else if (error == httplib::Error::Read && job->remainingMs() < ReplyTimeoutMs / 10)
      reply.status = ServerReply::Timeout;
    else
      reply.status = ServerReply::BadReply;
    d->client.reset();
    return reply;
  }
  try {
    reply.rpc = ReadRpcReply(job->Body());
  } catch (const std::exception& e) {
    reply.status = ServerReply::BadReply;
    reply.detail =
        QStringLiteral("HTTP %1: %2").arg(result->status).arg(QString::fromUtf8(e.what()));
    return reply;
  }
  if (reply.rpc.isError) {
    reply.status = ServerReply::RpcError;
  } else if (result->status != 200) {
    reply.status = ServerReply::BadReply;
    reply.detail = QStringLiteral("HTTP %1").arg(result->status);
  } else {
    reply.status = ServerReply::Ok;
  }
  return reply;
}

}  // namespace margem
