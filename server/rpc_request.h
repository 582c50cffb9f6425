// SPDX-License-Identifier: MIT
// Reads one JSON-RPC 2.0 request object from a request body.
// Raises RpcError: -32700 (HTTP 400) for a body that is not JSON, -32600 (HTTP 400) for JSON that
// is not a single request object with "jsonrpc":"2.0", a method name and, when present, params
// as an array or an object and a string, number or null id.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace margem::server {

struct RpcRequest {
  nlohmann::json id;  // null when the request carried none
  std::string method;
  nlohmann::json params = nlohmann::json::array();  // an object when given by name
};

RpcRequest parseRpcRequest(std::string_view body);

// A name sent by a client, fit to be quoted in a reply or a log line: letters, digits, '_' and
// '.', at most 40 of them. Anything else gives an empty text.
std::string printableName(std::string_view name);

// The reply envelope around an error.
std::string rpcErrorReply(const nlohmann::json& id, int code, const std::string& message);

}  // namespace margem::server
