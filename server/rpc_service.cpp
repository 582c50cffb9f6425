// SPDX-License-Identifier: MIT
#include "rpc_service.h"

#include "call_execution.h"
#include "rpc_error.h"
#include "rpc_request.h"

namespace margem::server {
namespace {

const std::string kRpcPrefix = "/rpc/";

}  // namespace

bool sameSecret(std::string_view given, std::string_view expected) {
  unsigned char difference = given.size() == expected.size() ? 0 : 1;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char g = given.empty() ? '\0' : given[i % given.size()];
    difference |= static_cast<unsigned char>(g ^ expected[i]);
  }
  return difference == 0;
}

RpcService::RpcService(ConnectionPool& pool, WorkerPool& workers, std::string token)
    : m_pool(pool), m_workers(workers), m_token(std::move(token)) {}

void RpcService::handle(HttpRequest request, std::shared_ptr<ReplyChannel> reply) {
  if (request.method == "POST" && request.target.starts_with(kRpcPrefix)) {
    return call(std::move(request), std::move(reply));
  }
  if (request.method == "GET" && request.target == "/health") return health(std::move(reply));
  reply->name("-");
  reply->send(404, rpcErrorReply(nullptr, rpc_code::kMethodNotFound,
                                 "Endereço não atendido por este servidor."));
}

void RpcService::call(HttpRequest request, std::shared_ptr<ReplyChannel> reply) {
  reply->name("-");
  if (request.bodyTooLarge) {
    return reply->send(413, rpcErrorReply(nullptr, rpc_code::kInvalidRequest, kTooLargeMessage));
  }
  if (!m_token.empty()) {
    const std::string_view scheme = "Bearer ";
    const std::string_view header = request.authorization;
    const std::string_view given =
        header.starts_with(scheme) ? header.substr(scheme.size()) : std::string_view();
    if (!sameSecret(given, m_token)) {
      return reply->send(
          401, rpcErrorReply(nullptr, rpc_code::kUnauthorized,
                             "Acesso negado: o token de acesso ao servidor está ausente ou "
                             "incorreto."));
    }
  }
  if (std::string_view(request.target).substr(kRpcPrefix.size()) != kModuleName) {
    return reply->send(404, rpcErrorReply(nullptr, rpc_code::kMethodNotFound,
                                          "Este servidor não atende o módulo remoto solicitado."));
  }

  nlohmann::json id = nullptr;
  try {
    RpcRequest rpc = parseRpcRequest(request.body);
    id = rpc.id;
    const std::string name = printableName(rpc.method);
    reply->name(name.empty() ? "?" : name);
    m_workers.post([&pool = m_pool, runner = planCall(rpc), id, method = name, reply] {
      executeCall(pool, runner, id, method, *reply);
    });
  } catch (const RpcError& error) {
    reply->send(error.httpStatus(), rpcErrorReply(id, error.code(), error.what()));
  }
}

void RpcService::health(std::shared_ptr<ReplyChannel> reply) {
  m_workers.post([&pool = m_pool, reply] {
    const std::string problem = databaseProblem(pool);
    if (problem.empty()) return reply->send(200, R"({"status":"ok","database":"ok"})");
    reply->send(503,
                nlohmann::ordered_json{{"status", "unavailable"}, {"database", problem}}.dump());
  });
}

}  // namespace margem::server
