// SPDX-License-Identifier: MIT
// The connection to the application server: one remote call is one HTTP POST of a JSON-RPC 2.0
// request to /rpc/<ServerName> on Host:Port (Bearer token when one is set). A call is synchronous
// for its caller, but the request runs on a worker thread while the user-interface thread waits
// without taking user input (workwait.h). The whole call, connection and every read included, has
// one deadline (ReplyTimeoutMs); a reply longer than MaxReplyBytes is refused as soon as it passes
// the limit, without reading the rest. A call never raises for a failed reply: the status says
// what happened and CheckResultServ turns it into the user's message. A call whose kept-alive
// connection the server closed before any reply is sent once more on a new connection (the calls
// only read).
#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

#include "hostexport.h"
#include "servervalue.h"

namespace margem {

struct MARGEM_HOST_EXPORT ServerReply {
  enum Status {
    Ok,            // rpc holds the server's result
    RpcError,      // rpc holds the server's error code and message
    Refused,       // no server answers at Host:Port
    Timeout,       // no connection or no whole reply before the call's deadline
    TooLarge,      // the reply passed MaxReplyBytes
    BadReply,      // the server answered something that is no JSON-RPC reply
    NotConnected,  // the connected switch is off
  };
  Status status = NotConnected;
  RpcReply rpc;
  QString host;  // where the call went, for the connection message
  int port = 0;
  qint64 maxReplyBytes = 0;  // the limit a TooLarge reply passed
  QString detail;            // technical detail of a failure (not shown to the user)
};

class MARGEM_HOST_EXPORT TNetConnection : public QObject {
  Q_OBJECT
 public:
  explicit TNetConnection(QString name = {}, QObject* parent = nullptr);
  ~TNetConnection() override;

  QString ServerName;  // the remote data module, the last segment of the call's path
  QString Host;
  int Port = 0;
  QString Token;                // empty: no Authorization header
  int ConnectTimeoutMs = 5000;  // also the deadline of the check made when switched on
  int ReplyTimeoutMs;           // the whole call's deadline; CallTimeoutSeconds() to start with
  qint64 MaxReplyBytes;         // the largest reply taken; MaxReplyMegabytes() to start with
  bool ThrowException = false;  // kept for the form's description; Call never raises for a reply
  // Runs when the switch goes on, before the server is reached; it may set Host, Port, Token.
  std::function<void(TNetConnection&)> BeforeConnect;

  // On: runs BeforeConnect, then asks GET /health; a server that does not answer gives
  // MensErro("Não foi possível conectar ao servidor de aplicação em HOST:PORT. Verifique se ele
  // está em execução.") and the switch stays off. Off: forgets the open connection. Setting the
  // state it already has does nothing.
  void SetConnected(bool connected);
  bool Connected() const;
  // The server's program and version as its health answer named them in its "Server" header
  // ("margem-server/1.0"); empty when not connected or when the server did not say.
  QString ServerSoftware() const;

  // One remote call. Parameters: QString is a JSON string, double/int a number, bool a boolean,
  // QDateTime (or QDate) "YYYY-MM-DDTHH:MM:SS", an invalid or null QVariant null. Another type, or
  // a number that is not finite, raises std::invalid_argument.
  ServerReply Call(const QString& method, const QVariantList& params);

 signals:
  void connectedChanged(bool connected);

 private:
  class Impl;
  std::unique_ptr<Impl> d;
};

// The connection message, also used by CheckResultServ.
MARGEM_HOST_EXPORT QString ConnectionFailedMessage(const QString& host, int port);

// ServerSoftware of a connection that is switched on now (the one switched on last); empty when
// none is.
MARGEM_HOST_EXPORT QString ConnectedServerSoftware();

}  // namespace margem
