// SPDX-License-Identifier: MIT
// The database side of a call, run on a database worker. Its queries run first, on a leased
// connection, so that a database failure is a -32000 reply with a sentence for the user; when
// the leased connection turns out to be broken the call goes once more on a fresh one (every
// call only reads), so that a database that came back answers at once. The rows then stream out
// as {"jsonrpc":"2.0","id":...,"result":...}, no faster than the client reads them; a failure
// past that point breaks the reply off.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "connection_pool.h"
#include "http_exchange.h"
#include "margem_methods.h"

namespace margem::server {

void executeCall(ConnectionPool& pool, const CallRunner& runner, const nlohmann::json& id,
                 const std::string& method, ReplyChannel& reply);

// Empty when the database answers a trivial query; otherwise the sentence for a user.
std::string databaseProblem(ConnectionPool& pool);

}  // namespace margem::server
