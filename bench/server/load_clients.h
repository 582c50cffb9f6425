// SPDX-License-Identifier: MIT
// Many clients calling GetMargem at once for a bounded time, each on its own keep-alive
// connection, each call a random quote of the list given; and one client that makes each call
// on a new connection, as a desktop that has just started does.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchserver {

using QuoteKeys = std::vector<std::pair<std::string, std::string>>;  // (branch, number)

struct LoadResult {
  long calls = 0;
  long errors = 0;
  double seconds = 0;
  double p99Ms = 0;
  // Clients that had every call answered and never waited longer than kServedWaitMs for one.
  int clientsServed = 0;
  // Failed calls by kind: "httplib <error>", "status <code>" or "head mismatch".
  std::map<std::string, long> failures;
  // The first failed reply of each kind, cut short, to tell what the server answered.
  std::map<std::string, std::string> samples;
};

inline constexpr double kServedWaitMs = 5000;

// Client c connects from sourceAddresses[c % size] (a loopback address), or from the system's
// choice when the list is empty.
LoadResult runGetMargemLoad(int port, const QuoteKeys& quotes, int clients, double seconds,
                            const std::vector<std::string>& sourceAddresses = {});

// At most `calls` calls, for at most `seconds`, one after another, each on a connection of its
// own.
LoadResult runFreshConnectionCalls(int port, const QuoteKeys& quotes, int calls, double seconds);

}  // namespace benchserver
