// SPDX-License-Identifier: MIT
// Writes checked import lines into the database, inside the caller's transaction. A quote is
// written on its first line (an existing one first removed whole when replacing), an option on
// its first line, subgroups and products on first use; items are gathered and written in bulk.
// It keeps one entry per quote, option, subgroup and product, and a bounded batch of items.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database.h"
#include "import_row.h"
#include "quote_writer.h"

namespace margem::server {

class ImportWriter {
 public:
  ImportWriter(Connection& db, bool replace);

  void write(const ImportRow& row);
  // Writes the items still gathered; call before committing.
  void finish();

 private:
  std::int64_t quoteId(const QuoteSpec& quote);
  std::int64_t optionId(std::int64_t quote, const ImportRow& row);
  std::int64_t productId(const ImportRow& row);
  void flush();

  Connection& m_db;
  QuoteWriter m_writer;
  bool m_replace;
  std::unordered_map<std::string, std::int64_t> m_quotes;
  std::map<std::pair<std::int64_t, std::string>, std::int64_t> m_options;
  std::map<std::pair<std::string, std::string>, std::int64_t> m_subgroups;
  std::unordered_map<std::string, std::int64_t> m_products;
  std::vector<SqlParams> m_items;
};

}  // namespace margem::server
