// SPDX-License-Identifier: MIT
#include "netconnection.h"

#include <httplib.h>

#include <QElapsedTimer>
#include <chrono>
#include <stdexcept>

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

  QElapsedTimer clock;
  clock.start();
  const httplib::Result result =
      d->clientFor(*this).Post(path.c_str(), headers, body, "application/json");
  if (!result) {
    const httplib::Error error = result.error();
    reply.detail = QString::fromStdString(httplib::to_string(error));
    if (error == httplib::Error::Connection || error == httplib::Error::ConnectionTimeout ||
        error == httplib::Error::Write)
      reply.status = ServerReply::Refused;
    else if (error == httplib::Error::Read && clock.elapsed() >= ReplyTimeoutMs * 9 / 10)
      reply.status = ServerReply::Timeout;
    else
      reply.status = ServerReply::BadReply;
    d->client.reset();
    return reply;
  }
  try {
    reply.rpc = ReadRpcReply(result->body);
  } catch (const std::exception& e) {
    reply.status = ServerReply::BadReply;
    reply.detail = QStringLiteral("HTTP %1: %2").arg(result->status).arg(QString::fromUtf8(e.what()));
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
