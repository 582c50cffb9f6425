// SPDX-License-Identifier: MIT
// The HTTP face of the server: `POST /rpc/ORE01400.rdmMargem` (JSON-RPC 2.0) and `GET /health`.
//
// Requests over 64 KiB get 413, a missing or wrong bearer token 401 (the token is compared in
// constant time), another module's name 404, and the protocol's error codes otherwise; the body
// is read first in every case (request_body.h), so a kept-alive connection stays in step. A call's
// queries run before anything is answered, so a database failure is a -32000 reply; the rows are
// then streamed to the client as chunked JSON.
#pragma once

#include <string>

#include "connection_pool.h"

namespace httplib {
class Server;
}

namespace margem::server {

class RpcService {
 public:
  RpcService(ConnectionPool& pool, std::string token);
  void install(httplib::Server& server);

 private:
  ConnectionPool& m_pool;
  std::string m_token;
};

// Compares in time that depends only on the length of `expected`.
bool sameSecret(std::string_view given, std::string_view expected);

}  // namespace margem::server
