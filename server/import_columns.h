// SPDX-License-Identifier: MIT
// The columns of a quote file (one row per item, the quote's, option's and subgroup's columns
// repeated on each row) and the titles that name them. A title is matched ignoring letter case,
// accents, blanks and punctuation, so "DATA DO EVENTO" and "data_do_evento" both name the event
// date; a flag's title may leave out its "(S/N)".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace margem::server {

enum class ImportColumn {
  Branch,
  Number,
  Sequence,
  EventAt,
  IncludedAt,
  ClientTradeName,
  ClientName,
  EventType,
  ServiceType,
  ServiceExpense,
  Guests,
  Hall,
  Commission,
  Option,
  OptionDiscount,
  Group,
  GroupName,
  Subgroup,
  SubgroupName,
  SubgroupExpense,
  TakesDiscounts,
  SharesFreight,
  IsFreight,
  Product,
  ProductName,
  Unit,
  Value,
  Materials,
  Other,
  Freight,
};

inline constexpr std::size_t kImportColumnCount =
    static_cast<std::size_t>(ImportColumn::Freight) + 1;

// Every column in the order the export writes them.
const std::array<ImportColumn, kImportColumnCount>& allImportColumns();

// The title the export writes, e.g. "Data do evento".
const char* columnTitle(ImportColumn column);

// The column a title in a file names, if any.
std::optional<ImportColumn> columnTitled(std::string_view title);

// Whether a file must have the column (its rows may still leave it empty where allowed).
bool isRequiredColumn(ImportColumn column);

// Whether the column describes the item (its subgroup and product), empty on a row that only
// carries a quote or an option without items.
bool isItemColumn(ImportColumn column);

// A spreadsheet's name for the n-th column, counted from 1: A ... Z, AA, AB ...
std::string spreadsheetColumnName(int column);

}  // namespace margem::server
