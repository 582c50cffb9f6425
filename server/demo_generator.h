// SPDX-License-Identifier: MIT
// Writes the demo database: a few branches, event quotes over 2025 and 2026 with one to ten
// options, believable sale values, cost percentages and flags. The same seed always writes the
// same data. Optionally adds a benchmark branch holding a given number of margin rows.
//
// Fixed quotes (the same for every seed), for tests and for trying the screens:
//   0000000001  branch 0001, three options plus rows common to all of them; the client has no
//               registered trade name, so the name written on the quote is shown
//   0000000002  branch 0001, no options: every item is common
//   0000000003  branch 0001, twelve options (more than the screen's ten)
//   0000000004  branch 0002, a quote without any item
//   0000000005  branch 0002, ten options, a registered client
// The other quotes are numbered from 0000000006 on. The benchmark branch is 0099; its quotes,
// numbered from 9000000001, were all included during 2025.
#pragma once

#include <cstdint>

#include "database.h"

namespace margem::server {

struct DemoOptions {
  std::uint32_t seed = 1;
  int quotes = 200;             // total, fixed ones included (at least the five fixed ones)
  std::int64_t marginRows = 0;  // rows of the benchmark branch; 0 for none
};

// Raises DatabaseError, or std::invalid_argument when the database already holds quotes.
void writeDemo(Connection& db, const DemoOptions& options);

}  // namespace margem::server
