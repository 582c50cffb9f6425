// SPDX-License-Identifier: MIT
#include "load_clients.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

namespace benchserver {
namespace {

using Clock = std::chrono::steady_clock;

// What one client saw.
struct ClientRecord {
  std::vector<double> latencies;
  std::map<std::string, long> failures;
  std::map<std::string, std::string> samples;
  double longestWaitMs = 0;
};

// One GetMargem call on `client`, recorded.
void call(httplib::Client& client, const QuoteKeys& quotes, std::mt19937& random, long id,
          ClientRecord& record) {
  const auto& [branch, number] = quotes[random() % quotes.size()];
  const nlohmann::json request = {
      {"jsonrpc", "2.0"}, {"id", id}, {"method", "GetMargem"}, {"params", {branch, number}}};
  const auto sent = Clock::now();
  const auto reply = client.Post("/rpc/ORE01400.rdmMargem", request.dump(), "application/json");
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
    ++record.failures[kind];
    if (reply) record.samples.emplace(kind, reply->body.substr(0, 200));
    return;
  }
  record.latencies.push_back(std::chrono::duration<double, std::milli>(received - sent).count());
}

LoadResult summarize(const std::vector<ClientRecord>& records, Clock::time_point start) {
  LoadResult result;
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::vector<double> all;
  for (const ClientRecord& record : records) {
    all.insert(all.end(), record.latencies.begin(), record.latencies.end());
    long failed = 0;
    for (const auto& [kind, count] : record.failures) {
      result.failures[kind] += count;
      failed += count;
    }
    result.errors += failed;
    result.samples.insert(record.samples.begin(), record.samples.end());
    if (failed == 0 && !record.latencies.empty() && record.longestWaitMs <= kServedWaitMs) {
      ++result.clientsServed;
    }
  }
  result.calls = static_cast<long>(all.size());
  if (!all.empty()) {
    const std::size_t index = std::min(all.size() - 1, all.size() * 99 / 100);
    std::nth_element(all.begin(), all.begin() + index, all.end());
    result.p99Ms = all[index];
  }
  return result;
}

Clock::time_point after(Clock::time_point start, double seconds) {
  return start +
         std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

}  // namespace

LoadResult runGetMargemLoad(int port, const QuoteKeys& quotes, int clients, double seconds,
                            const std::vector<std::string>& sourceAddresses) {
  const auto start = Clock::now();
  const auto deadline = after(start, seconds);
  std::vector<ClientRecord> records(clients);
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);  // as the module's client: no wait for delayed ACKs
      client.set_read_timeout(30);
      if (!sourceAddresses.empty()) {
        const std::string from = sourceAddresses[c % sourceAddresses.size()];
        client.set_socket_options([from](socket_t socket) {
          sockaddr_in local{};
          local.sin_family = AF_INET;
          ::inet_pton(AF_INET, from.c_str(), &local.sin_addr);
          ::bind(socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
        });
      }
      std::mt19937 random(c + 1);
      ClientRecord& record = records[c];
      auto lastAnswer = start;
      for (long id = 1; Clock::now() < deadline; ++id) {
        const std::size_t answered = record.latencies.size();
        call(client, quotes, random, id, record);
        if (record.latencies.size() > answered) {
          const auto now = Clock::now();
          record.longestWaitMs =
              std::max(record.longestWaitMs,
                       std::chrono::duration<double, std::milli>(now - lastAnswer).count());
          lastAnswer = now;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  return summarize(records, start);
}

LoadResult runFreshConnectionCalls(int port, const QuoteKeys& quotes, int calls, double seconds) {
  const auto start = Clock::now();
  const auto deadline = after(start, seconds);
  std::vector<ClientRecord> records(1);
  std::mt19937 random(7);
  for (long id = 1; id <= calls && Clock::now() < deadline; ++id) {
    httplib::Client client("127.0.0.1", port);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(30);
    call(client, quotes, random, id, records[0]);
  }
  return summarize(records, start);
}

}  // namespace benchserver
