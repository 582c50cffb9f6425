// SPDX-License-Identifier: MIT
#include "rpc_client.h"

#include <httplib.h>

#include <QTest>

namespace servertest {
namespace {

HttpReply toReply(const httplib::Result& result) {
  HttpReply reply;
  if (!result) return reply;
  reply.status = result->status;
  reply.body = nlohmann::json::parse(result->body, nullptr, false);
  return reply;
}

}  // namespace

RpcClient::RpcClient(int port, std::string token) : m_port(port), m_token(std::move(token)) {}

HttpReply RpcClient::post(const std::string& body, const std::string& module) const {
  httplib::Client client("127.0.0.1", m_port);
  client.set_read_timeout(60);
  httplib::Headers headers;
  if (!m_token.empty()) headers.emplace("Authorization", "Bearer " + m_token);
  return toReply(client.Post(("/rpc/" + module).c_str(), headers, body, "application/json"));
}

HttpReply RpcClient::call(const std::string& method, const nlohmann::json& params) const {
  const nlohmann::json request = {
      {"jsonrpc", "2.0"}, {"id", 1}, {"method", method}, {"params", params}};
  return post(request.dump());
}

nlohmann::json RpcClient::result(const std::string& method, const nlohmann::json& params) const {
  const HttpReply reply = call(method, params);
  if (reply.status != 200 || !reply.body.is_object() || !reply.body.contains("result")) {
    QTest::qFail(("call " + method + " failed: HTTP " + std::to_string(reply.status) + " " +
                  reply.body.dump())
                     .c_str(),
                 __FILE__, __LINE__);
    return {};
  }
  return reply.body["result"];
}

HttpReply RpcClient::get(const std::string& path) const {
  httplib::Client client("127.0.0.1", m_port);
  return toReply(client.Get(path.c_str()));
}

std::vector<std::string> fieldNames(const nlohmann::json& packet) {
  std::vector<std::string> names;
  for (const auto& field : packet.at("fields")) names.push_back(field.at("name"));
  return names;
}

int fieldIndex(const nlohmann::json& packet, const std::string& name) {
  const auto names = fieldNames(packet);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

std::vector<nlohmann::json> column(const nlohmann::json& packet, const std::string& field) {
  const int index = fieldIndex(packet, field);
  std::vector<nlohmann::json> values;
  for (const auto& row : packet.at("rows")) values.push_back(index < 0 ? nullptr : row[index]);
  return values;
}

}  // namespace servertest
