// SPDX-License-Identifier: MIT
// Many clients calling GetMargem at once for a bounded time, each on its own keep-alive
// connection, each call a random quote of the list given.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchserver {

struct LoadResult {
  long calls = 0;
  long errors = 0;
  double seconds = 0;
  double p99Ms = 0;
  // Failed calls by kind: "httplib <error>", "status <code>" or "head mismatch".
  std::map<std::string, long> failures;
  // The first failed reply of each kind, cut short, to tell what the server answered.
  std::map<std::string, std::string> samples;
};

// quotes: (branch, number) pairs.
LoadResult runGetMargemLoad(int port,
                            const std::vector<std::pair<std::string, std::string>>& quotes,
                            int clients, double seconds);

}  // namespace benchserver
