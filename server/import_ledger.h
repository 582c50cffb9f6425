// SPDX-License-Identifier: MIT
// What an import must remember from line to line to check that the lines agree with each other
// and with the database, and to count what it will write. It keeps one entry per quote, option,
// subgroup and product met, never one per line, so its memory does not grow with the items:
//  - every line of a quote repeats the same header (a fingerprint of it is kept);
//  - every line of an option repeats the same discount;
//  - every line of a subgroup repeats the same definition;
//  - a product belongs to one subgroup, in the files and in the database;
//  - a quote that exists in the database is refused unless it is to be replaced.
#pragma once

#include <array>
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

struct ImportCounts {
  std::int64_t quotesAdded = 0;
  std::int64_t quotesReplaced = 0;
  std::int64_t options = 0;
  std::int64_t items = 0;
  std::int64_t subgroupsCreated = 0;
  std::int64_t subgroupsChanged = 0;  // existing subgroups that take a new definition
  std::int64_t productsCreated = 0;
};

class ImportLedger {
 public:
  ImportLedger(Connection& db, bool replace);

  // The files' lines are told apart by the index of their file.
  void startFile(int fileIndex, std::string fileName);
  // Checks a line read without problems against the lines before it and the database; false
  // when it disagrees (reported through the reader).
  bool admit(const ImportRow& row, int line, RowReader& reader);
  const ImportCounts& counts() const { return m_counts; }

 private:
  static constexpr std::size_t kHeaderFields = 12;
  struct Place {
    int file;
    int line;
  };
  struct OptionSeen {
    std::string number;
    double discount;
    Place first;
  };
  struct QuoteSeen {
    Place first;
    std::array<std::uint64_t, kHeaderFields> header;
    bool refused;  // exists in the database and is not to be replaced
    std::vector<OptionSeen> options;
  };
  struct SubgroupSeen {
    SubgroupSpec spec;
    Place first;
  };
  struct ProductSeen {
    std::size_t subgroup;  // index into m_subgroupKeys
    Place first;
  };

  std::string where(const Place& place) const;
  bool admitQuote(const ImportRow& row, RowReader& reader);
  bool admitSubgroup(const ImportRow& row, RowReader& reader, std::size_t& index);
  bool admitProduct(const ImportRow& row, RowReader& reader, std::size_t subgroup);
  void countSubgroup(const SubgroupSpec& spec);

  Connection& m_db;
  QuoteWriter m_lookup;
  bool m_replace;
  Place m_here{0, 0};
  std::vector<std::string> m_files;
  std::unordered_map<std::string, QuoteSeen> m_quotes;
  std::map<std::pair<std::string, std::string>, std::size_t> m_subgroupIndex;
  std::vector<SubgroupSeen> m_subgroups;
  std::unordered_map<std::string, ProductSeen> m_products;
  ImportCounts m_counts;
};

}  // namespace margem::server
