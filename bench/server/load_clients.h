// SPDX-License-Identifier: MIT
// Many clients calling GetMargem at once for a bounded time, each on its own keep-alive
// connection, each call a random quote of the list given.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace benchserver {

struct LoadResult {
  long calls = 0;
  long errors = 0;
  double seconds = 0;
  double p99Ms = 0;
};

// quotes: (branch, number) pairs.
LoadResult runGetMargemLoad(int port,
                            const std::vector<std::pair<std::string, std::string>>& quotes,
                            int clients, double seconds);

}  // namespace benchserver
