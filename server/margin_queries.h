// SPDX-License-Identifier: MIT
// The SQL behind the three calls of "ORE01400.rdmMargem". Each function runs its query with
// bound parameters and hands back the packet's columns with a cursor whose columns follow them
// one for one. Raises DatabaseError when the database fails.
//
// Row order: GetMargem's items and margin rows both list the rows common to every option first
// (empty option number), then each option's rows together, options by ascending number; items
// in the order they were written, margin rows in the order of their subgroup's first item.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "calendar_day.h"
#include "database.h"
#include "packet_columns.h"

namespace margem::server {

struct PacketQuery {
  std::span<const PacketColumn> columns;
  std::unique_ptr<Cursor> cursor;
};

// A timestamp column read as text "YYYY-MM-DDTHH:MM:SS" on either database.
std::string dateTimeText(Dialect dialect, const std::string& column);

// Every quote that can be picked, by number.
PacketQuery queryLookup(Connection& db);
// The header of the quote with this number (numbers are unique across branches).
PacketQuery queryHeader(Connection& db, const std::string& number);
// The item rows of one quote.
PacketQuery queryItems(Connection& db, const std::string& branch, const std::string& number);
// One row per option and subgroup of one quote: values and freight summed, the variable-cost
// percentages weighted by item value.
PacketQuery queryMargins(Connection& db, const std::string& branch, const std::string& number);
// The margin rows of every quote of the branch included from the first to the last day, both
// whole days included, each with its quote's service fixed-expense percentage; in no particular
// order.
PacketQuery queryPeriodMargins(Connection& db, const std::string& branch, CalendarDay first,
                               CalendarDay last);

}  // namespace margem::server
