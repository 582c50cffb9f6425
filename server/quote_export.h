// SPDX-License-Identifier: MIT
// Writes quotes in the import format (IMPORT.md): a UTF-8 byte-order mark, the titles, then one
// line per item with its quote's, option's and subgroup's columns; an option without items, or a
// quote without any, as one line whose item columns are empty. Quotes come in number order,
// each quote's items in the order they were written, so that importing the file into an empty
// database gives back the same quotes. Raises DatabaseError.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "calendar_day.h"
#include "database.h"

namespace margem::server {

struct ExportRequest {
  std::string branch;               // empty: every branch
  std::optional<CalendarDay> from;  // inclusion day, both ends included
  std::optional<CalendarDay> to;
};

struct ExportCounts {
  std::int64_t quotes = 0;
  std::int64_t lines = 0;
};

ExportCounts exportQuotes(Connection& db, const ExportRequest& request, std::ostream& out);

}  // namespace margem::server
