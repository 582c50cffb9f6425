// SPDX-License-Identifier: MIT
// Calls the server over HTTP as a client of the protocol would, and reads data packets back.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace servertest {

struct HttpReply {
  int status = 0;       // 0 when no answer came
  nlohmann::json body;  // discarded when the body is not JSON
};

class RpcClient {
 public:
  explicit RpcClient(int port, std::string token = {});

  // POST of a raw body to /rpc/<module>.
  HttpReply post(const std::string& body, const std::string& module = "ORE01400.rdmMargem") const;
  // One call with id 1; the reply as it came.
  HttpReply call(const std::string& method, const nlohmann::json& params) const;
  // The `result` of a call that must succeed; fails the test otherwise (empty json then).
  nlohmann::json result(const std::string& method, const nlohmann::json& params) const;
  HttpReply get(const std::string& path) const;

 private:
  int m_port;
  std::string m_token;
};

// The field names of a packet, in order.
std::vector<std::string> fieldNames(const nlohmann::json& packet);
// The index of a field by name; -1 when absent.
int fieldIndex(const nlohmann::json& packet, const std::string& name);
// The value of `field` in every row.
std::vector<nlohmann::json> column(const nlohmann::json& packet, const std::string& field);

}  // namespace servertest
