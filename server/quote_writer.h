// SPDX-License-Identifier: MIT
// Writes quotes and everything they refer to. Branches, clients, event and service types, halls,
// groups, subgroups and products are looked up by their code or name and created when missing,
// so that the demo generator and fixture files can simply name them. The caller owns the
// transaction. Texts longer than their column, dates not in the form "YYYY-MM-DDTHH:MM:SS" and a
// known product filed under another subgroup are refused with std::invalid_argument naming the
// value, so that SQLite keeps the same rules PostgreSQL does; so is a quote whose number exists.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "database.h"

namespace margem::server {

struct SubgroupSpec {
  std::string groupCode;
  std::string groupName;
  std::string code;
  std::string name;
  double expensePct = 0;
  std::string takesDiscounts = "S";  // IDDESCONTOSBGR
  std::string sharesFreight = "N";   // IDDIFEFRETESBGR
  std::string isFreight = "N";       // IDFRETESBGR
};

struct QuoteSpec {
  std::string branch;
  std::string number;
  std::string sequence = "01";
  std::string eventAt;          // "YYYY-MM-DDTHH:MM:SS" or empty
  std::string includedAt;       // "YYYY-MM-DDTHH:MM:SS"
  std::string clientTradeName;  // empty: no registered client
  std::string clientName;
  std::string eventType;
  std::string serviceType;
  double serviceExpensePct = 0;
  std::optional<double> guests;
  std::string hall;
  std::optional<double> commissionPct;
};

struct ItemSpec {
  std::string productCode;
  std::string productName;
  std::string unit;
  std::string subgroupCode;
  double value = 0;
  double materialsPct = 0;
  double otherPct = 0;
  double freight = 0;
};

// "o orçamento 0000000123 já existe."
std::string existingQuoteMessage(const std::string& number);

class QuoteWriter {
 public:
  explicit QuoteWriter(Connection& db);

  // Creates the subgroup or brings an existing one (same group and code) to this definition.
  std::int64_t defineSubgroup(const SubgroupSpec& spec);
  // Refuses a quote number that exists, with existingQuoteMessage().
  std::int64_t addQuote(const QuoteSpec& spec);
  std::optional<std::int64_t> findQuote(const std::string& number);
  // Deletes the quote with its options and items; what they refer to stays.
  void removeQuote(std::int64_t quoteId);
  std::int64_t addOption(std::int64_t quoteId, const std::string& number, double discount);
  // optionId empty: the item is common to every option of the quote.
  void addItem(std::int64_t quoteId, std::optional<std::int64_t> optionId, const ItemSpec& item);

  // The item's product, created when missing; its subgroup is named by code alone, or given.
  std::int64_t productId(const ItemSpec& item);
  std::int64_t productId(const ItemSpec& item, std::int64_t subgroupId);
  std::int64_t branchId(const std::string& code);

 private:
  std::int64_t named(const std::string& table, const std::string& column, const std::string& value,
                     int width);
  std::optional<std::int64_t> optionalNamed(const std::string& table, const std::string& column,
                                            const std::string& value, int width);
  std::int64_t subgroupId(const std::string& code);
  std::int64_t serviceTypeId(const std::string& name, double pct);
  std::string timestamp(const std::string& text, const char* what) const;
  [[noreturn]] void refuseProductMove(const ItemSpec& item) const;

  struct ProductRef {
    std::int64_t id;
    std::int64_t subgroup;
  };

  Connection& m_db;
  std::map<std::tuple<std::string, std::string>, std::int64_t> m_names;
  std::map<std::string, std::int64_t> m_subgroups;
  std::map<std::string, ProductRef> m_products;
};

}  // namespace margem::server
