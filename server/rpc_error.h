// SPDX-License-Identifier: MIT
// A call refused with one of the protocol's errors: the HTTP status, the JSON-RPC code and a
// Portuguese sentence the user can act on (never a stack trace, SQL text or server path).
#pragma once

#include <stdexcept>
#include <string>

#include "database.h"

namespace margem::server {

namespace rpc_code {
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kServerError = -32000;
inline constexpr int kUnauthorized = -32001;
}  // namespace rpc_code

class RpcError : public std::runtime_error {
 public:
  RpcError(int httpStatus, int code, const std::string& message)
      : std::runtime_error(message), m_httpStatus(httpStatus), m_code(code) {}
  int httpStatus() const { return m_httpStatus; }
  int code() const { return m_code; }

 private:
  int m_httpStatus;
  int m_code;
};

// What a user reads when the database cannot answer.
inline constexpr const char* kDatabaseUnavailableMessage =
    "O banco de dados do servidor não está disponível no momento. Tente novamente em instantes "
    "ou avise o suporte.";

// What a user reads when the server's database file is not where the server looks for it.
inline constexpr const char* kDatabaseMissingMessage =
    "O banco de dados do servidor não foi encontrado. Verifique a configuração do servidor de "
    "aplicação ou avise o suporte.";

// What a user reads when a request body is over the limit.
inline constexpr const char* kTooLargeMessage = "A requisição excede o tamanho máximo de 64 KiB.";

// The sentence for a user about a database failure: missing, unusable as it is, or unavailable.
inline std::string userMessage(const DatabaseError& error) {
  if (dynamic_cast<const DatabaseMissing*>(&error)) return kDatabaseMissingMessage;
  if (const auto* unusable = dynamic_cast<const DatabaseUnusable*>(&error)) {
    return unusable->userMessage();
  }
  return kDatabaseUnavailableMessage;
}

}  // namespace margem::server
