// SPDX-License-Identifier: MIT
// The column lists of the data packets that the remote module "ORE01400.rdmMargem" answers with:
// names, types and text widths exactly as the client's data sets declare them.
#pragma once

#include <span>

namespace margem::server {

enum class ColumnType { String, Float, DateTime };

struct PacketColumn {
  const char* name;
  ColumnType type;
  int size;  // characters, for strings
};

// GetOrca with an empty number: the lookup list.
std::span<const PacketColumn> lookupColumns();
// GetOrca with a number: the quote's header.
std::span<const PacketColumn> headerColumns();
// GetMargem element 0: the item rows.
std::span<const PacketColumn> itemColumns();
// GetMargem element 1: the 15 margin-row columns (one row per option and subgroup).
std::span<const PacketColumn> marginColumns();
// GetMargTLuc: the 15 margin-row columns, then the quote's service fixed-expense percentage.
std::span<const PacketColumn> periodMarginColumns();

}  // namespace margem::server
