// SPDX-License-Identifier: MIT
#include "netconnection.h"

#include <httplib.h>

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "mensErro.h"
#include "rpcrequest.h"

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

}  // namespace

class TNetConnection::Impl {
 public:
  bool connected = false;
  qint64 nextId = 1;
  std::unique_ptr<httplib::Client> client;
  std::string clientHost;
  int clientPort = 0;

  httplib::Client& clientFor(const TNetConnection& c) {
    const std::string host = hostName(c.Host);
    if (!client || host != clientHost || c.Port != clientPort) {
      client = std::make_unique<httplib::Client>(host, c.Port);
      clientHost = host;
      clientPort = c.Port;
      client->set_keep_alive(true);
      // Small requests on a kept-alive socket must not wait for the peer's delayed ACK.
      client->set_tcp_nodelay(true);
    }
    client->set_connection_timeout(std::chrono::milliseconds(c.ConnectTimeoutMs));
    client->set_read_timeout(std::chrono::milliseconds(c.ReplyTimeoutMs));
    client->set_write_timeout(std::chrono::milliseconds(c.ReplyTimeoutMs));
    return *client;
  }
};

TNetConnection::TNetConnection(QString name, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>()) {
  setObjectName(name);
  // The HTTP library writes to its sockets without MSG_NOSIGNAL: a server that closes the
  // connection while a request is being written would end the whole program with SIGPIPE
  // instead of giving the failed call its message.
  static const bool pipeSignalIgnored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  Q_UNUSED(pipeSignalIgnored);
}

TNetConnection::~TNetConnection() = default;

bool TNetConnection::Connected() const { return d->connected; }

void TNetConnection::SetConnected(bool connected) {
  if (connected == d->connected) return;
  if (!connected) {
    d->client.reset();
    d->connected = false;
    emit connectedChanged(false);
    return;
  }
  if (BeforeConnect) BeforeConnect(*this);
  httplib::Client& client = d->clientFor(*this);
  client.set_read_timeout(std::chrono::milliseconds(ConnectTimeoutMs));
  const httplib::Result health = client.Get("/health");
  if (!health || health->status != 200) {
    d->client.reset();
    MensErro(ConnectionFailedMessage(Host, Port));
  }
  d->connected = true;
  emit connectedChanged(true);
}

ServerReply TNetConnection::Call(const QString& method, const QVariantList& params) {
  ServerReply reply;
  reply.host = Host;
  reply.port = Port;
  const std::string body = WriteRpcRequest(d->nextId++, method, params);
  if (!d->connected) {
    reply.status = ServerReply::NotConnected;
    return reply;
  }
  httplib::Headers headers;
  if (!Token.isEmpty()) headers.emplace("Authorization", "Bearer " + Token.toStdString());
  const std::string path = "/rpc/" + ServerName.toStdString();

  httplib::Request request;
  request.method = "POST";
  request.path = path;
  request.headers = std::move(headers);
  request.body = body;
  request.set_header("Content-Type", "application/json");
  BlockBody received;
  request.content_receiver = [&received](const char* data, std::size_t size, std::uint64_t,
                                         std::uint64_t) {
    received.Append(data, size);
    return true;
  };

  QElapsedTimer clock;
  clock.start();
  // A read that ends this close to the reply time-out ended by it.
  const auto timedOut = [this, &clock] { return clock.elapsed() >= ReplyTimeoutMs * 9 / 10; };
  httplib::Result result = d->clientFor(*this).send(request);
  // A kept-alive connection that the server closed just as the request went out ends without a
  // byte of reply. Every call only reads, so it goes once more on a new connection.
  if (!result && received.Empty() && !timedOut() &&
      (result.error() == httplib::Error::Read || result.error() == httplib::Error::Write)) {
    d->client.reset();
    clock.restart();
    result = d->clientFor(*this).send(request);
  }
  if (!result) {
    const httplib::Error error = result.error();
    reply.detail = QString::fromStdString(httplib::to_string(error));
    if (error == httplib::Error::Connection || error == httplib::Error::ConnectionTimeout ||
        error == httplib::Error::Write)
      reply.status = ServerReply::Refused;
    else if (error == httplib::Error::Read && timedOut())
      reply.status = ServerReply::Timeout;
    else
      reply.status = ServerReply::BadReply;
    d->client.reset();
    return reply;
  }
  try {
    reply.rpc = ReadRpcReply(received.Join());
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
