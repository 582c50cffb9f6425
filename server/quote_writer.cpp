// SPDX-License-Identifier: MIT
#include "quote_writer.h"

#include <stdexcept>

#include "calendar_day.h"
#include "utf8_step.h"

namespace margem::server {
namespace {

const std::string& fitting(const std::string& text, int width, const char* what) {
  if (utf8Length(text) > static_cast<std::size_t>(width)) {
    throw std::invalid_argument(std::string(what) + " \"" + text + "\" passa de " +
                                std::to_string(width) + " caracteres");
  }
  return text;
}

SqlValue optionalNumber(const std::optional<double>& value) {
  return value ? SqlValue(*value) : SqlValue(nullptr);
}

SqlValue optionalId(const std::optional<std::int64_t>& value) {
  return value ? SqlValue(*value) : SqlValue(nullptr);
}

}  // namespace

QuoteWriter::QuoteWriter(Connection& db) : m_db(db) {}

std::int64_t QuoteWriter::named(const std::string& table, const std::string& column,
                                const std::string& value, int width) {
  const auto key = std::make_tuple(table, value);
  if (const auto found = m_names.find(key); found != m_names.end()) return found->second;
  fitting(value, width, column.c_str());
  auto cursor = m_db.query("SELECT id FROM " + table + " WHERE " + column + " = ?", {value});
  const std::int64_t id =
      cursor->atEnd()
          ? m_db.insert("INSERT INTO " + table + " (" + column + ") VALUES (?)", {value})
          : cursor->integer(0);
  m_names[key] = id;
  return id;
}

std::optional<std::int64_t> QuoteWriter::optionalNamed(const std::string& table,
                                                       const std::string& column,
                                                       const std::string& value, int width) {
  if (value.empty()) return std::nullopt;
  return named(table, column, value, width);
}

std::int64_t QuoteWriter::branchId(const std::string& code) {
  const auto key = std::make_tuple(std::string("branch"), code);
  if (const auto found = m_names.find(key); found != m_names.end()) return found->second;
  fitting(code, 4, "filial");
  auto cursor = m_db.query("SELECT id FROM branch WHERE code = ?", {code});
  const std::int64_t id =
      cursor->atEnd()
          ? m_db.insert("INSERT INTO branch (code, name) VALUES (?, ?)", {code, "Filial " + code})
          : cursor->integer(0);
  m_names[key] = id;
  return id;
}

std::int64_t QuoteWriter::serviceTypeId(const std::string& name, double pct) {
  auto cursor = m_db.query("SELECT id FROM service_type WHERE name = ? AND fixed_expense_pct = ?",
                           {name, pct});
  if (!cursor->atEnd()) return cursor->integer(0);
  return m_db.insert("INSERT INTO service_type (name, fixed_expense_pct) VALUES (?, ?)",
                     {fitting(name, 30, "tipo de serviço"), pct});
}

std::int64_t QuoteWriter::defineSubgroup(const SubgroupSpec& spec) {
  const std::int64_t groupId = [&] {
    auto cursor = m_db.query("SELECT id FROM product_group WHERE code = ?", {spec.groupCode});
    if (!cursor->atEnd()) return cursor->integer(0);
    return m_db.insert(
        "INSERT INTO product_group (code, name) VALUES (?, ?)",
        {fitting(spec.groupCode, 10, "grupo"),
         fitting(spec.groupName.empty() ? spec.groupCode : spec.groupName, 40, "nome do grupo")});
  }();
  fitting(spec.code, 10, "subgrupo");
  fitting(spec.name, 40, "nome do subgrupo");
  for (const auto* flag : {&spec.takesDiscounts, &spec.sharesFreight, &spec.isFreight}) {
    fitting(*flag, 1, "indicador do subgrupo");
  }
  auto cursor = m_db.query("SELECT id FROM product_subgroup WHERE group_id = ? AND code = ?",
                           {groupId, spec.code});
  std::int64_t id = 0;
  if (cursor->atEnd()) {
    id = m_db.insert(
        "INSERT INTO product_subgroup (group_id, code, name, expense_pct, takes_discounts,"
        " shares_freight, is_freight) VALUES (?, ?, ?, ?, ?, ?, ?)",
        {groupId, spec.code, spec.name, spec.expensePct, spec.takesDiscounts, spec.sharesFreight,
         spec.isFreight});
  } else {
    id = cursor->integer(0);
    cursor.reset();
    m_db.query(
        "UPDATE product_subgroup SET name = ?, expense_pct = ?, takes_discounts = ?,"
        " shares_freight = ?, is_freight = ? WHERE id = ?",
        {spec.name, spec.expensePct, spec.takesDiscounts, spec.sharesFreight, spec.isFreight, id});
  }
  m_subgroups[spec.code] = id;
  return id;
}

// A subgroup named only by its code is found in any group, or created in group "GERAL".
std::int64_t QuoteWriter::subgroupId(const std::string& code) {
  if (const auto found = m_subgroups.find(code); found != m_subgroups.end()) {
    return found->second;
  }
  auto cursor = m_db.query("SELECT id FROM product_subgroup WHERE code = ? ORDER BY id", {code});
  if (!cursor->atEnd()) return m_subgroups[code] = cursor->integer(0);
  cursor.reset();
  return defineSubgroup({"GERAL", "GERAL", code, code});
}

// A product belongs to one subgroup: an item that files a known product under another subgroup
// is refused rather than silently counted where the product was first filed.
std::int64_t QuoteWriter::productId(const ItemSpec& item) {
  return productId(item, subgroupId(item.subgroupCode));
}

std::int64_t QuoteWriter::productId(const ItemSpec& item, std::int64_t subgroup) {
  if (const auto found = m_products.find(item.productCode); found != m_products.end()) {
    if (found->second.subgroup != subgroup) refuseProductMove(item);
    return found->second.id;
  }
  fitting(item.productCode, 20, "produto");
  auto cursor =
      m_db.query("SELECT id, subgroup_id FROM product WHERE code = ?", {item.productCode});
  if (!cursor->atEnd()) {
    const ProductRef product{cursor->integer(0), cursor->integer(1)};
    if (product.subgroup != subgroup) refuseProductMove(item);
    m_products[item.productCode] = product;
    return product.id;
  }
  cursor.reset();
  const std::string name = item.productName.empty() ? item.productCode : item.productName;
  const std::int64_t id =
      m_db.insert("INSERT INTO product (code, name, unit, subgroup_id) VALUES (?, ?, ?, ?)",
                  {item.productCode, fitting(name, 50, "nome do produto"),
                   fitting(item.unit, 10, "unidade"), subgroup});
  m_products[item.productCode] = {id, subgroup};
  return id;
}

void QuoteWriter::refuseProductMove(const ItemSpec& item) const {
  throw std::invalid_argument("o produto \"" + item.productCode +
                              "\" já pertence a outro subgrupo que não \"" + item.subgroupCode +
                              "\"");
}

std::string QuoteWriter::timestamp(const std::string& text, const char* what) const {
  if (!CalendarDay::parse(text)) {
    throw std::invalid_argument(std::string(what) + " \"" + text +
                                "\" não está no formato AAAA-MM-DDTHH:MM:SS");
  }
  return text;
}

std::string existingQuoteMessage(const std::string& number) {
  return "o orçamento " + number + " já existe.";
}

std::optional<std::int64_t> QuoteWriter::findQuote(const std::string& number) {
  auto cursor = m_db.query("SELECT id FROM quote WHERE number = ?", {number});
  if (cursor->atEnd()) return std::nullopt;
  return cursor->integer(0);
}

void QuoteWriter::removeQuote(std::int64_t quoteId) {
  m_db.query("DELETE FROM quote_item WHERE quote_id = ?", {quoteId});
  m_db.query("DELETE FROM quote_option WHERE quote_id = ?", {quoteId});
  m_db.query("DELETE FROM quote WHERE id = ?", {quoteId});
}

std::int64_t QuoteWriter::addQuote(const QuoteSpec& spec) {
  if (findQuote(spec.number)) throw std::invalid_argument(existingQuoteMessage(spec.number));
  const std::int64_t branch = branchId(spec.branch);
  const auto client = optionalNamed("client", "trade_name", spec.clientTradeName, 50);
  const auto eventType = optionalNamed("event_type", "name", spec.eventType, 30);
  const auto hall = optionalNamed("hall", "name", spec.hall, 50);
  SqlParams params{
      branch,
      fitting(spec.number, 10, "número do orçamento"),
      fitting(spec.sequence, 2, "sequência"),
      spec.eventAt.empty() ? SqlValue(nullptr) : SqlValue(timestamp(spec.eventAt, "evento")),
      timestamp(spec.includedAt, "inclusão"),
      optionalId(client),
      fitting(spec.clientName, 50, "cliente"),
      optionalId(eventType)};
  if (spec.serviceType.empty()) {
    params.emplace_back(nullptr);
  } else {
    params.emplace_back(serviceTypeId(spec.serviceType, spec.serviceExpensePct));
  }
  params.push_back(optionalNumber(spec.guests));
  params.push_back(optionalId(hall));
  params.push_back(optionalNumber(spec.commissionPct));
  return m_db.insert(
      "INSERT INTO quote (branch_id, number, sequence, event_at, included_at, client_id,"
      " client_name, event_type_id, service_type_id, guests, hall_id, commission_pct)"
      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      params);
}

std::int64_t QuoteWriter::addOption(std::int64_t quoteId, const std::string& number,
                                    double discount) {
  return m_db.insert("INSERT INTO quote_option (quote_id, number, discount) VALUES (?, ?, ?)",
                     {quoteId, fitting(number, 2, "opção"), discount});
}

void QuoteWriter::addItem(std::int64_t quoteId, std::optional<std::int64_t> optionId,
                          const ItemSpec& item) {
  m_db.insert(
      "INSERT INTO quote_item (quote_id, option_id, product_id, value, materials_pct,"
      " other_pct, freight) VALUES (?, ?, ?, ?, ?, ?, ?)",
      {quoteId, optionalId(optionId), productId(item), item.value, item.materialsPct, item.otherPct,
       item.freight});
}

}  // namespace margem::server
