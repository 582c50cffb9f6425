// SPDX-License-Identifier: MIT
#include "rpc_request.h"

#include <algorithm>
#include <cctype>

#include "rpc_error.h"

namespace margem::server {
namespace {

[[noreturn]] void invalidRequest() {
  throw RpcError(400, rpc_code::kInvalidRequest,
                 "A requisição não é uma chamada JSON-RPC 2.0 válida.");
}

}  // namespace

RpcRequest parseRpcRequest(std::string_view body) {
  nlohmann::json document = nlohmann::json::parse(body, nullptr, false);
  if (document.is_discarded()) {
    throw RpcError(400, rpc_code::kParseError, "A requisição recebida não é um JSON válido.");
  }
  if (!document.is_object()) invalidRequest();
  const auto version = document.find("jsonrpc");
  if (version == document.end() || *version != "2.0") invalidRequest();
  const auto method = document.find("method");
  if (method == document.end() || !method->is_string()) invalidRequest();

  RpcRequest request;
  request.method = method->get<std::string>();
  if (const auto id = document.find("id"); id != document.end()) {
    if (!id->is_string() && !id->is_number() && !id->is_null()) invalidRequest();
    request.id = *id;
  }
  if (const auto params = document.find("params"); params != document.end()) {
    // Params by name (an object) are valid JSON-RPC; the call refuses them as params.
    if (!params->is_array() && !params->is_object()) invalidRequest();
    request.params = *params;
  }
  return request;
}

std::string printableName(std::string_view name) {
  constexpr std::size_t kLongest = 40;
  const bool fit =
      !name.empty() && name.size() <= kLongest && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
      });
  return fit ? std::string(name) : std::string();
}

std::string rpcErrorReply(const nlohmann::json& id, int code, const std::string& message) {
  nlohmann::ordered_json reply = {
      {"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
  return reply.dump();
}

}  // namespace margem::server
