// SPDX-License-Identifier: MIT
// The server's answers: `POST /rpc/ORE01400.rdmMargem` (JSON-RPC 2.0) and `GET /health`; any
// other request is answered 404.
//
// A call is checked on the I/O thread: a body over 64 KiB gets 413, a missing or wrong bearer
// token 401 (compared in constant time), another module's name 404, then the protocol's error
// codes for the request and its params. Its queries then run on a database worker
// (call_execution.h). /health needs no token and answers 200 {"status":"ok","database":"ok"}
// when a trivial query works, 503 {"status":"unavailable","database":"<why>"} otherwise.
#pragma once

#include <string>

#include "connection_pool.h"
#include "http_exchange.h"
#include "worker_pool.h"

namespace margem::server {

class RpcService : public RequestHandler {
 public:
  RpcService(ConnectionPool& pool, WorkerPool& workers, std::string token);
  void handle(HttpRequest request, std::shared_ptr<ReplyChannel> reply) override;

 private:
  void call(HttpRequest request, std::shared_ptr<ReplyChannel> reply);
  void health(std::shared_ptr<ReplyChannel> reply);

  ConnectionPool& m_pool;
  WorkerPool& m_workers;
  std::string m_token;
};

// Compares in time that depends only on the length of `expected`.
bool sameSecret(std::string_view given, std::string_view expected);

}  // namespace margem::server
