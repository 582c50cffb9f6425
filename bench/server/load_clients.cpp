// SPDX-License-Identifier: MIT
#include "load_clients.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

namespace benchserver {

LoadResult runGetMargemLoad(int port,
                            const std::vector<std::pair<std::string, std::string>>& quotes,
                            int clients, double seconds) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto deadline =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  std::vector<std::vector<double>> latencies(clients);
  std::vector<std::map<std::string, long>> failures(clients);
  std::vector<std::map<std::string, std::string>> samples(clients);
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);  // as the module's client: no wait for delayed ACKs
      client.set_read_timeout(30);
      std::mt19937 random(c + 1);
      for (long id = 1; Clock::now() < deadline; ++id) {
        const auto& [branch, number] = quotes[random() % quotes.size()];
        const nlohmann::json request = {
            {"jsonrpc", "2.0"}, {"id", id}, {"method", "GetMargem"}, {"params", {branch, number}}};
        const auto sent = Clock::now();
        const auto reply =
            client.Post("/rpc/ORE01400.rdmMargem", request.dump(), "application/json");
        const auto received = Clock::now();
        const std::string expectedHead =
            R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"result":[{"fields")";
        std::string kind;
        if (!reply) {
          kind = "httplib " + httplib::to_string(reply.error());
        } else if (reply->status != 200) {
          kind = "status " + std::to_string(reply->status);
        } else if (reply->body.rfind(expectedHead, 0) != 0) {
          kind = "head mismatch";
        }
        if (!kind.empty()) {
          ++failures[c][kind];
          if (reply) samples[c].emplace(kind, reply->body.substr(0, 200));
          continue;
        }
        latencies[c].push_back(std::chrono::duration<double, std::milli>(received - sent).count());
      }
    });
  }
  for (auto& thread : threads) thread.join();

  LoadResult result;
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::vector<double> all;
  for (int c = 0; c < clients; ++c) {
    all.insert(all.end(), latencies[c].begin(), latencies[c].end());
    for (const auto& [kind, count] : failures[c]) {
      result.failures[kind] += count;
      result.errors += count;
    }
    result.samples.insert(samples[c].begin(), samples[c].end());
  }
  result.calls = static_cast<long>(all.size());
  if (!all.empty()) {
    const std::size_t index = std::min(all.size() - 1, all.size() * 99 / 100);
    std::nth_element(all.begin(), all.begin() + index, all.end());
    result.p99Ms = all[index];
  }
  return result;
}

}  // namespace benchserver
