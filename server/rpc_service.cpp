// SPDX-License-Identifier: MIT
#include "rpc_service.h"

#include <httplib.h>

#include <iostream>
#include <memory>

#include "margem_methods.h"
#include "request_body.h"
#include "rpc_error.h"

namespace margem::server {
namespace {

constexpr const char* kJson = "application/json";
const std::string kRpcPrefix = "/rpc/";

void replyError(httplib::Response& res, int status, const nlohmann::json& id, int code,
                const std::string& message) {
  res.status = status;
  res.set_content(rpcErrorReply(id, code, message), kJson);
}

void logFailure(const std::string& method, const std::exception& error) {
  std::cerr << "margem-server: " << method << " failed: " << error.what() << std::endl;
}

void replyTooLarge(httplib::Response& res) {
  replyError(res, 413, nullptr, rpc_code::kInvalidRequest,
             "A requisição excede o tamanho máximo de 64 KiB.");
}

// What is left of the request was never read, so the connection cannot carry another one.
void closeAfterReply(httplib::Response& res) { res.set_header("Connection", "close"); }

// A call whose queries have run. The cursors go before the connection they read from.
struct ActiveCall {
  ConnectionPool::Lease lease;
  CallResult result;
};

// The call's result streamed as `{"jsonrpc":"2.0","id":...,"result":...}`.
void streamResult(httplib::Response& res, const nlohmann::json& id,
                  std::shared_ptr<ActiveCall> call, std::string method) {
  res.status = 200;
  std::string head = "{\"jsonrpc\":\"2.0\",\"id\":" + id.dump() + ",\"result\":";
  res.set_chunked_content_provider(
      kJson, [call, head = std::move(head), method = std::move(method)](std::size_t,
                                                                        httplib::DataSink& sink) {
        PacketWriter writer(
            [&sink](std::string_view text) { return sink.write(text.data(), text.size()); });
        try {
          writer.raw(head);
          if (!call->result.write(writer)) return false;
          writer.raw("}");
          if (!writer.flush()) return false;
        } catch (const std::exception& error) {
          // The reply has begun: all that is left is to break it off.
          logFailure(method, error);
          call->result.packets.clear();
          call->lease.discard();
          return false;
        }
        sink.done();
        return true;
      });
}

}  // namespace

bool sameSecret(std::string_view given, std::string_view expected) {
  unsigned char difference = given.size() == expected.size() ? 0 : 1;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char g = given.empty() ? '\0' : given[i % given.size()];
    difference |= static_cast<unsigned char>(g ^ expected[i]);
  }
  return difference == 0;
}

RpcService::RpcService(ConnectionPool& pool, std::string token)
    : m_pool(pool), m_token(std::move(token)) {}

void RpcService::install(httplib::Server& server) {
  server.set_payload_max_length(kDrainedBodyBytes);

  server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    if (req.path.starts_with(kRpcPrefix) && announcesOversizedBody(req)) {
      replyTooLarge(res);
      closeAfterReply(res);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  // Answers the server's own refusals (unknown path, oversized chunked body) in the protocol's
  // form; replies that already carry a body pass unchanged.
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) {
      replyTooLarge(res);
      closeAfterReply(res);
    } else if (res.status == 404) {
      replyError(res, 404, nullptr, rpc_code::kMethodNotFound,
                 "Endereço não atendido por este servidor.");
    } else {
      replyError(res, res.status, nullptr, rpc_code::kInvalidRequest,
                 "A requisição não pôde ser atendida pelo servidor.");
    }
  });

  server.Get("/health", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(R"({"status":"ok"})", kJson);
  });

  // The body is read here, piece by piece, so that a chunked body without a length also stops
  // at the limit instead of being held whole. It is read before any refusal, so that the
  // connection is at the next request whatever the answer.
  server.Post(R"(/rpc/([^/]+))", [this](const httplib::Request& req, httplib::Response& res,
                                        const httplib::ContentReader& reader) {
    const RequestBody body = readRequestBody(reader);
    if (!body.readToEnd) closeAfterReply(res);
    if (body.tooLarge) {
      replyTooLarge(res);
      return;
    }
    if (!m_token.empty()) {
      const std::string header = req.get_header_value("Authorization");
      const std::string_view scheme = "Bearer ";
      const std::string_view given = header.starts_with(scheme)
                                         ? std::string_view(header).substr(scheme.size())
                                         : std::string_view();
      if (!sameSecret(given, m_token)) {
        replyError(res, 401, nullptr, rpc_code::kUnauthorized,
                   "Acesso negado: o token de acesso ao servidor está ausente ou incorreto.");
        return;
      }
    }
    if (req.matches[1] != kModuleName) {
      replyError(res, 404, nullptr, rpc_code::kMethodNotFound,
                 "Este servidor não atende o módulo remoto solicitado.");
      return;
    }

    nlohmann::json id = nullptr;
    std::string method;
    try {
      RpcRequest request = parseRpcRequest(body.text);
      id = request.id;
      method = request.method;
      CallRunner runner = planCall(request);
      auto call = std::make_shared<ActiveCall>(ActiveCall{m_pool.acquire(), {}});
      try {
        call->result = runner(*call->lease);
      } catch (...) {
        call->lease.discard();
        throw;
      }
      streamResult(res, id, std::move(call), std::move(method));
    } catch (const RpcError& error) {
      replyError(res, error.httpStatus(), id, error.code(), error.what());
    } catch (const DatabaseMissing& error) {
      logFailure(method, error);
      replyError(res, 200, id, rpc_code::kServerError, kDatabaseMissingMessage);
    } catch (const DatabaseError& error) {
      logFailure(method, error);
      replyError(res, 200, id, rpc_code::kServerError, kDatabaseUnavailableMessage);
    } catch (const std::exception& error) {
      logFailure(method, error);
      replyError(res, 200, id, rpc_code::kServerError,
                 "O servidor não conseguiu atender a chamada. Tente novamente ou avise o "
                 "suporte.");
    }
  });
}

}  // namespace margem::server
