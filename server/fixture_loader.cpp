// SPDX-License-Identifier: MIT
#include "fixture_loader.h"

#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "quote_writer.h"

namespace margem::server {
namespace {

using nlohmann::json;

// Reads the members of one object, naming it in every complaint.
class Entry {
 public:
  Entry(const json& value, std::string where) : m_value(value), m_where(std::move(where)) {
    if (!value.is_object()) complain("deve ser um objeto");
  }
  std::string text(const char* key, const std::string& fallback = "") const {
    const auto found = m_value.find(key);
    if (found == m_value.end() || found->is_null()) return fallback;
    if (!found->is_string()) complain(std::string("\"") + key + "\" deve ser texto");
    return found->get<std::string>();
  }
  std::string requiredText(const char* key) const {
    if (!m_value.contains(key)) complain(std::string("falta \"") + key + "\"");
    return text(key);
  }
  std::optional<double> number(const char* key) const {
    const auto found = m_value.find(key);
    if (found == m_value.end() || found->is_null()) return std::nullopt;
    if (!found->is_number()) complain(std::string("\"") + key + "\" deve ser número");
    return found->get<double>();
  }
  const json& list(const char* key) const {
    static const json empty = json::array();
    const auto found = m_value.find(key);
    if (found == m_value.end()) return empty;
    if (!found->is_array()) complain(std::string("\"") + key + "\" deve ser uma lista");
    return *found;
  }
  const std::string& where() const { return m_where; }

 private:
  [[noreturn]] void complain(const std::string& what) const {
    throw std::invalid_argument(m_where + ": " + what);
  }
  const json& m_value;
  std::string m_where;
};

void loadQuote(QuoteWriter& writer, const Entry& quote) {
  QuoteSpec spec;
  spec.branch = quote.requiredText("branch");
  spec.number = quote.requiredText("number");
  spec.sequence = quote.text("sequence", "01");
  spec.eventAt = quote.text("event");
  spec.includedAt = quote.requiredText("included");
  spec.clientTradeName = quote.text("clientTradeName");
  spec.clientName = quote.text("clientName");
  spec.eventType = quote.text("eventType");
  spec.serviceType = quote.text("serviceType");
  spec.serviceExpensePct = quote.number("serviceExpense").value_or(0);
  spec.guests = quote.number("guests");
  spec.hall = quote.text("hall");
  spec.commissionPct = quote.number("commission");
  if (spec.serviceType.empty() && quote.number("serviceExpense")) spec.serviceType = "Serviço";
  std::int64_t quoteId = 0;
  try {
    quoteId = writer.addQuote(spec);
  } catch (const std::invalid_argument& refused) {
    throw std::invalid_argument(quote.where() + ": " + refused.what());
  }

  std::map<std::string, std::int64_t> options;
  const auto& optionList = quote.list("options");
  for (std::size_t i = 0; i < optionList.size(); ++i) {
    const Entry option(optionList[i], quote.where() + ", opção " + std::to_string(i + 1));
    const std::string number = option.requiredText("number");
    if (options.contains(number)) {
      throw std::invalid_argument(option.where() + ": opção \"" + number + "\" repetida");
    }
    options[number] = writer.addOption(quoteId, number, option.number("discount").value_or(0));
  }

  const auto& itemList = quote.list("items");
  for (std::size_t i = 0; i < itemList.size(); ++i) {
    const Entry entry(itemList[i], quote.where() + ", item " + std::to_string(i + 1));
    ItemSpec item;
    item.productCode = entry.requiredText("product");
    item.productName = entry.text("productName");
    item.unit = entry.text("unit");
    item.subgroupCode = entry.requiredText("subgroup");
    item.value = entry.number("value").value_or(0);
    item.materialsPct = entry.number("materials").value_or(0);
    item.otherPct = entry.number("other").value_or(0);
    item.freight = entry.number("freight").value_or(0);
    const std::string optionNumber = entry.text("option");
    std::optional<std::int64_t> optionId;
    if (!optionNumber.empty()) {
      auto found = options.find(optionNumber);
      if (found == options.end()) {
        found = options.emplace(optionNumber, writer.addOption(quoteId, optionNumber, 0)).first;
      }
      optionId = found->second;
    }
    writer.addItem(quoteId, optionId, item);
  }
}

}  // namespace

void loadFixture(Connection& db, const std::string& jsonText) {
  const json document = json::parse(jsonText, nullptr, false);
  if (document.is_discarded()) throw std::invalid_argument("o arquivo não é um JSON válido");
  const Entry root(document, "arquivo");

  Transaction transaction(db);
  QuoteWriter writer(db);
  const auto& subgroups = root.list("subgroups");
  for (std::size_t i = 0; i < subgroups.size(); ++i) {
    const Entry entry(subgroups[i], "subgrupo " + std::to_string(i + 1));
    SubgroupSpec spec;
    spec.groupCode = entry.requiredText("group");
    spec.groupName = entry.text("groupName", spec.groupCode);
    spec.code = entry.requiredText("code");
    spec.name = entry.text("name", spec.code);
    spec.expensePct = entry.number("expense").value_or(0);
    spec.takesDiscounts = entry.text("discounts", "S");
    spec.sharesFreight = entry.text("freightShare", "N");
    spec.isFreight = entry.text("freight", "N");
    writer.defineSubgroup(spec);
  }
  const auto& quotes = root.list("quotes");
  for (std::size_t i = 0; i < quotes.size(); ++i) {
    const Entry quote(quotes[i], "orçamento " + std::to_string(i + 1));
    loadQuote(writer, quote);
  }
  transaction.commit();
}

}  // namespace margem::server
