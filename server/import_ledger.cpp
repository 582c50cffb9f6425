// SPDX-License-Identifier: MIT
#include "import_ledger.h"

#include <bit>
#include <functional>
#include <optional>

namespace margem::server {
namespace {

constexpr std::uint64_t kAbsent = 0x9E3779B97F4A7C15ULL;

std::uint64_t fingerprint(const std::string& text) { return std::hash<std::string>{}(text); }
std::uint64_t fingerprint(double value) { return std::bit_cast<std::uint64_t>(value + 0.0); }
std::uint64_t fingerprint(const std::optional<double>& value) {
  return value ? fingerprint(*value) : kAbsent;
}

constexpr std::array<ImportColumn, 12> kHeaderColumns = {ImportColumn::Branch,
                                                         ImportColumn::Sequence,
                                                         ImportColumn::EventAt,
                                                         ImportColumn::IncludedAt,
                                                         ImportColumn::ClientTradeName,
                                                         ImportColumn::ClientName,
                                                         ImportColumn::EventType,
                                                         ImportColumn::ServiceType,
                                                         ImportColumn::ServiceExpense,
                                                         ImportColumn::Guests,
                                                         ImportColumn::Hall,
                                                         ImportColumn::Commission};

std::array<std::uint64_t, 12> headerOf(const QuoteSpec& q) {
  return {fingerprint(q.branch),
          fingerprint(q.sequence),
          fingerprint(q.eventAt),
          fingerprint(q.includedAt),
          fingerprint(q.clientTradeName),
          fingerprint(q.clientName),
          fingerprint(q.eventType),
          fingerprint(q.serviceType),
          fingerprint(q.serviceExpensePct),
          fingerprint(q.guests),
          fingerprint(q.hall),
          fingerprint(q.commissionPct)};
}

std::string subgroupName(const SubgroupSpec& spec) { return spec.groupCode + "/" + spec.code; }

}  // namespace

ImportLedger::ImportLedger(Connection& db, bool replace)
    : m_db(db), m_lookup(db), m_replace(replace) {}

void ImportLedger::startFile(int fileIndex, std::string fileName) {
  m_here = {fileIndex, 0};
  if (static_cast<std::size_t>(fileIndex) >= m_files.size()) m_files.resize(fileIndex + 1);
  m_files[fileIndex] = std::move(fileName);
}

std::string ImportLedger::where(const Place& place) const {
  std::string text = "da linha " + std::to_string(place.line);
  if (place.file != m_here.file) text += " de " + m_files[place.file];
  return text;
}

bool ImportLedger::admit(const ImportRow& row, int line, RowReader& reader) {
  m_here.line = line;
  bool agrees = admitQuote(row, reader);
  if (row.hasItem) {
    std::size_t subgroup = 0;
    agrees = admitSubgroup(row, reader, subgroup) && agrees;
    agrees = admitProduct(row, reader, subgroup) && agrees;
    if (agrees) ++m_counts.items;
  }
  return agrees;
}

bool ImportLedger::admitQuote(const ImportRow& row, RowReader& reader) {
  const auto header = headerOf(row.quote);
  auto found = m_quotes.find(row.quote.number);
  if (found == m_quotes.end()) {
    const bool exists = m_lookup.findQuote(row.quote.number).has_value();
    const bool refused = exists && !m_replace;
    if (refused) {
      reader.complain(ImportColumn::Number,
                      existingQuoteMessage(row.quote.number) + " Use --replace para substituí-lo.");
    }
    (exists ? m_counts.quotesReplaced : m_counts.quotesAdded) += refused ? 0 : 1;
    found = m_quotes.emplace(row.quote.number, QuoteSeen{m_here, header, refused, {}}).first;
    if (refused) return false;
  }
  QuoteSeen& quote = found->second;
  if (quote.refused) return false;  // told once, on its first line
  bool agrees = true;
  for (std::size_t i = 0; i < kHeaderColumns.size(); ++i) {
    if (header[i] == quote.header[i]) continue;
    reader.complain(kHeaderColumns[i], "difere " + where(quote.first) + ", do mesmo orçamento " +
                                           row.quote.number +
                                           " (as linhas de um orçamento repetem o cabeçalho)");
    agrees = false;
  }
  if (!agrees || row.option.empty()) return agrees;
  for (const OptionSeen& option : quote.options) {
    if (option.number != row.option) continue;
    if (option.discount == row.optionDiscount) return true;
    reader.complain(ImportColumn::OptionDiscount, "difere " + where(option.first) +
                                                      ", da mesma opção " + row.option +
                                                      " do orçamento " + row.quote.number);
    return false;
  }
  quote.options.push_back({row.option, row.optionDiscount, m_here});
  ++m_counts.options;
  return true;
}

bool ImportLedger::admitSubgroup(const ImportRow& row, RowReader& reader, std::size_t& index) {
  const SubgroupSpec& spec = row.subgroup;
  const auto key = std::make_pair(spec.groupCode, spec.code);
  const auto found = m_subgroupIndex.find(key);
  if (found == m_subgroupIndex.end()) {
    index = m_subgroups.size();
    m_subgroupIndex.emplace(key, index);
    m_subgroups.push_back({spec, m_here});
    countSubgroup(spec);
    return true;
  }
  index = found->second;
  const SubgroupSeen& seen = m_subgroups[index];
  const std::pair<ImportColumn, bool> same[] = {
      {ImportColumn::GroupName, seen.spec.groupName == spec.groupName},
      {ImportColumn::SubgroupName, seen.spec.name == spec.name},
      {ImportColumn::SubgroupExpense, seen.spec.expensePct == spec.expensePct},
      {ImportColumn::TakesDiscounts, seen.spec.takesDiscounts == spec.takesDiscounts},
      {ImportColumn::SharesFreight, seen.spec.sharesFreight == spec.sharesFreight},
      {ImportColumn::IsFreight, seen.spec.isFreight == spec.isFreight}};
  bool agrees = true;
  for (const auto& [column, equal] : same) {
    if (equal) continue;
    reader.complain(column, "difere " + where(seen.first) + ", do mesmo subgrupo " +
                                subgroupName(spec) +
                                " (as linhas de um subgrupo repetem a sua definição)");
    agrees = false;
  }
  return agrees;
}

// A subgroup met for the first time is new, or an existing one that may take a new definition.
void ImportLedger::countSubgroup(const SubgroupSpec& spec) {
  auto cursor = m_db.query(
      "SELECT s.name, s.expense_pct, s.takes_discounts, s.shares_freight, s.is_freight"
      " FROM product_subgroup s JOIN product_group g ON g.id = s.group_id"
      " WHERE g.code = ? AND s.code = ?",
      {spec.groupCode, spec.code});
  if (cursor->atEnd()) {
    ++m_counts.subgroupsCreated;
  } else if (cursor->text(0) != spec.name || cursor->real(1) != spec.expensePct ||
             cursor->text(2) != spec.takesDiscounts || cursor->text(3) != spec.sharesFreight ||
             cursor->text(4) != spec.isFreight) {
    ++m_counts.subgroupsChanged;
  }
}

bool ImportLedger::admitProduct(const ImportRow& row, RowReader& reader, std::size_t subgroup) {
  const std::string& code = row.item.productCode;
  const auto found = m_products.find(code);
  if (found != m_products.end()) {
    if (found->second.subgroup == subgroup) return true;
    reader.complain(ImportColumn::Subgroup,
                    "o produto " + code + " está no subgrupo " +
                        subgroupName(m_subgroups[found->second.subgroup].spec) + " " +
                        where(found->second.first) + "; um produto pertence a um só subgrupo");
    return false;
  }
  auto cursor = m_db.query(
      "SELECT g.code, s.code FROM product p JOIN product_subgroup s ON s.id = p.subgroup_id"
      " JOIN product_group g ON g.id = s.group_id WHERE p.code = ?",
      {code});
  const SubgroupSpec& spec = m_subgroups[subgroup].spec;
  if (!cursor->atEnd() && (cursor->text(0) != spec.groupCode || cursor->text(1) != spec.code)) {
    reader.complain(ImportColumn::Subgroup, "o produto " + code + " já está no subgrupo " +
                                                std::string(cursor->text(0)) + "/" +
                                                std::string(cursor->text(1)) +
                                                " no banco; um produto pertence a um só subgrupo");
    return false;
  }
  if (cursor->atEnd()) ++m_counts.productsCreated;
  m_products.emplace(code, ProductSeen{subgroup, m_here});
  return true;
}

}  // namespace margem::server
