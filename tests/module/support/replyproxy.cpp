// SPDX-License-Identifier: MIT
#include "replyproxy.h"

#include <httplib.h>

#include <QByteArray>
#include <chrono>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

namespace testsupport {

struct ReplyProxy::Impl {
  explicit Impl(int serverPort) : upstream("127.0.0.1", serverPort) {}

  httplib::Server server;
  httplib::Client upstream;
  std::thread thread;
  int port = 0;
  std::mutex mutex;
  std::map<std::string, std::string> scripted;  // method -> the reply's member after "id"

  void answer(const httplib::Request& req, httplib::Response& res) {
    std::string method;
    nlohmann::json id;
    try {
      const nlohmann::json request = nlohmann::json::parse(req.body);
      method = request.value("method", std::string());
      id = request.value("id", nlohmann::json());
    } catch (const nlohmann::json::exception&) {
    }
    {
      std::lock_guard lock(mutex);
      const auto script = scripted.find(method);
      if (script != scripted.end()) {
        res.set_content(R"({"jsonrpc":"2.0","id":)" + id.dump() + "," + script->second + "}",
                        "application/json");
        return;
      }
    }
    const httplib::Result forwarded = upstream.Post(req.path, req.body, "application/json");
    if (!forwarded) {
      res.status = 502;
      return;
    }
    res.status = forwarded->status;
    res.set_content(forwarded->body, "application/json");
  }
};

ReplyProxy::ReplyProxy(int serverPort) : d(std::make_unique<Impl>(serverPort)) {
  d->server.Get("/health", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(R"({"status":"ok"})", "application/json");
  });
  d->server.Post(R"(/rpc/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
    d->answer(req, res);
  });
}

ReplyProxy::~ReplyProxy() {
  d->server.stop();
  if (d->thread.joinable()) d->thread.join();
}

bool ReplyProxy::Start() {
  d->port = d->server.bind_to_any_port("127.0.0.1");
  if (d->port <= 0) return false;
  d->thread = std::thread([this] { d->server.listen_after_bind(); });
  for (int i = 0; i < 200 && !d->server.is_running(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  qputenv("MARGEM_SERVER_HOST", "127.0.0.1");
  qputenv("MARGEM_SERVER_PORT", QByteArray::number(d->port));
  return d->server.is_running();
}

int ReplyProxy::Port() const { return d->port; }

void ReplyProxy::AnswerResult(const QString& method, const QString& resultJson) {
  std::lock_guard lock(d->mutex);
  d->scripted[method.toStdString()] = "\"result\":" + resultJson.toStdString();
}

void ReplyProxy::AnswerError(const QString& method, int code, const QString& message) {
  const nlohmann::json error = {{"code", code}, {"message", message.toStdString()}};
  std::lock_guard lock(d->mutex);
  d->scripted[method.toStdString()] = "\"error\":" + error.dump();
}

void ReplyProxy::Forward(const QString& method) {
  std::lock_guard lock(d->mutex);
  d->scripted.erase(method.toStdString());
}

}  // namespace testsupport
