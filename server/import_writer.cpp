// SPDX-License-Identifier: MIT
#include "import_writer.h"

namespace margem::server {
namespace {

constexpr std::size_t kItemBatch = 20000;

}  // namespace

ImportWriter::ImportWriter(Connection& db, bool replace)
    : m_db(db), m_writer(db), m_replace(replace) {
  m_items.reserve(kItemBatch);
}

std::int64_t ImportWriter::quoteId(const QuoteSpec& quote) {
  if (const auto found = m_quotes.find(quote.number); found != m_quotes.end()) {
    return found->second;
  }
  if (m_replace) {
    if (const auto existing = m_writer.findQuote(quote.number)) m_writer.removeQuote(*existing);
  }
  return m_quotes[quote.number] = m_writer.addQuote(quote);
}

std::int64_t ImportWriter::optionId(std::int64_t quote, const ImportRow& row) {
  const auto key = std::make_pair(quote, row.option);
  if (const auto found = m_options.find(key); found != m_options.end()) return found->second;
  return m_options[key] = m_writer.addOption(quote, row.option, row.optionDiscount);
}

std::int64_t ImportWriter::productId(const ImportRow& row) {
  if (const auto found = m_products.find(row.item.productCode); found != m_products.end()) {
    return found->second;
  }
  const auto key = std::make_pair(row.subgroup.groupCode, row.subgroup.code);
  auto subgroup = m_subgroups.find(key);
  if (subgroup == m_subgroups.end()) {
    subgroup = m_subgroups.emplace(key, m_writer.defineSubgroup(row.subgroup)).first;
  }
  return m_products[row.item.productCode] = m_writer.productId(row.item, subgroup->second);
}

void ImportWriter::write(const ImportRow& row) {
  const std::int64_t quote = quoteId(row.quote);
  const std::int64_t option = row.option.empty() ? 0 : optionId(quote, row);
  if (!row.hasItem) return;
  const ItemSpec& item = row.item;
  SqlParams params{quote,         nullptr,     productId(row), item.value, item.materialsPct,
                   item.otherPct, item.freight};
  if (option) params[1] = option;  // else common to every option
  m_items.push_back(std::move(params));
  if (m_items.size() >= kItemBatch) flush();
}

void ImportWriter::finish() { flush(); }

// PostgreSQL takes no other statement while a bulk copy is open, so items go in batches between
// the quotes' own inserts.
void ImportWriter::flush() {
  if (m_items.empty()) return;
  auto items = m_db.bulkInsert("quote_item", {"quote_id", "option_id", "product_id", "value",
                                              "materials_pct", "other_pct", "freight"});
  for (const auto& row : m_items) items->add(row);
  items->finish();
  m_items.clear();
}

}  // namespace margem::server
