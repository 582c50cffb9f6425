// SPDX-License-Identifier: MIT
#include "call_execution.h"

#include <optional>

#include "call_log.h"
#include "rpc_error.h"
#include "rpc_request.h"

namespace margem::server {
namespace {

void logFailure(const std::string& method, const std::exception& error) {
  logLine("margem-server: " + method + " falhou: " + error.what());
}

// A call whose queries have run. The cursors go before the connection they read from.
struct ActiveCall {
  ConnectionPool::Lease lease;
  CallResult result;
};

ActiveCall runQueries(ConnectionPool& pool, const CallRunner& runner, const std::string& method) {
  ActiveCall call{pool.acquire(), {}};
  try {
    call.result = runner(*call.lease);
    return call;
  } catch (const DatabaseError& error) {
    if (call.lease->healthy()) throw;
    logFailure(method, error);
  }
  call.lease.discard();
  call.lease = pool.acquireFresh();
  try {
    call.result = runner(*call.lease);
  } catch (...) {
    call.lease.discard();
    throw;
  }
  return call;
}

// A reply that fits in the writer's first piece goes to the connection whole, in one hand-over;
// a longer one is streamed piece by piece, each hand-over waiting for the client to take it.
void streamResult(ActiveCall& call, const nlohmann::json& id, const std::string& method,
                  ReplyChannel& reply) {
  std::optional<std::string> first;
  bool streaming = false;
  PacketWriter writer([&](std::string_view text) {
    if (!streaming && !first) {
      first.emplace(text);
      return true;
    }
    if (!streaming) {
      streaming = true;
      if (!reply.stream(std::move(*first))) return false;
    }
    return reply.stream(std::string(text));
  });
  bool complete = false;
  try {
    writer.raw("{\"jsonrpc\":\"2.0\",\"id\":" + id.dump() + ",\"result\":");
    if (call.result.write(writer)) {
      writer.raw("}");
      complete = writer.flush();
    }
  } catch (const std::exception& error) {
    // The reply has begun: all that is left is to break it off.
    logFailure(method, error);
    call.result.packets.clear();
    call.lease.discard();
  }
  if (complete && !streaming) return reply.send(200, first.value_or(std::string()));
  reply.endStream(complete);
}

}  // namespace

void executeCall(ConnectionPool& pool, const CallRunner& runner, const nlohmann::json& id,
                 const std::string& method, ReplyChannel& reply) {
  std::string message;
  try {
    ActiveCall call = runQueries(pool, runner, method);
    return streamResult(call, id, method, reply);
  } catch (const DatabaseError& error) {
    logFailure(method, error);
    message = userMessage(error);
  } catch (const std::exception& error) {
    logFailure(method, error);
    message = "O servidor não conseguiu atender a chamada. Tente novamente ou avise o suporte.";
  }
  reply.send(200, rpcErrorReply(id, rpc_code::kServerError, message));
}

std::string databaseProblem(ConnectionPool& pool) {
  const CallRunner probe = [](Connection& db) {
    db.query("SELECT 1", {});
    return CallResult{};
  };
  try {
    runQueries(pool, probe, "/health");
    return {};
  } catch (const DatabaseError& error) {
    return userMessage(error);
  }
}

}  // namespace margem::server
