// SPDX-License-Identifier: MIT
// Reads one JSON-RPC 2.0 request object from a request body.
// Raises RpcError: -32700 (HTTP 400) for a body that is not JSON, -32600 (HTTP 400) for JSON that
// is not a single request object with "jsonrpc":"2.0", a method name and, when present, a params
// array and a string, number or null id.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace margem::server {

struct RpcRequest {
  nlohmann::json id;  // null when the request carried none
  std::string method;
  nlohmann::json params = nlohmann::json::array();
};

RpcRequest parseRpcRequest(std::string_view body);

// The reply envelope around an error.
std::string rpcErrorReply(const nlohmann::json& id, int code, const std::string& message);

}  // namespace margem::server
