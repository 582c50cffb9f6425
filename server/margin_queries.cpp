// SPDX-License-Identifier: MIT
#include "margin_queries.h"

namespace margem::server {
namespace {

std::string dateTimeText(Dialect dialect, const std::string& column) {
  if (dialect == Dialect::Sqlite) return column;  // stored as "YYYY-MM-DDTHH:MM:SS"
  return "to_char(" + column + ", 'YYYY-MM-DD\"T\"HH24:MI:SS')";
}

// Sums per quote, option and subgroup over the items that `filter` selects (quote q, item i),
// joined afterwards to the names and flags they are shown with. Summing narrow rows first keeps
// the grouping cheap when a period holds a million of them.
std::string marginRowsSql(const std::string& filter, const std::string& extraColumns,
                          const std::string& order) {
  return "WITH m AS ("
         " SELECT i.quote_id, i.option_id, p.subgroup_id, SUM(i.value) AS total,"
         " SUM(i.value * i.materials_pct) AS materials, SUM(i.value * i.other_pct) AS other,"
         " AVG(i.materials_pct) AS plain_materials, AVG(i.other_pct) AS plain_other,"
         " SUM(i.freight) AS freight, MIN(i.id) AS first_item"
         " FROM quote q JOIN quote_item i ON i.quote_id = q.id"
         " JOIN product p ON p.id = i.product_id"
         " WHERE " + filter +
         " GROUP BY i.quote_id, i.option_id, p.subgroup_id)"
         // Percentages weighted by item value; the plain mean when the values add up to
         // nothing, so that a subgroup of zero-valued items still shows its costs. Common rows
         // carry no option discount.
         " SELECT b.code, q.number, COALESCE(o.number, ''), COALESCE(o.discount, 0), m.total,"
         " g.code, s.code, s.name,"
         " CASE WHEN m.total <> 0 THEN m.materials / m.total ELSE m.plain_materials END,"
         " CASE WHEN m.total <> 0 THEN m.other / m.total ELSE m.plain_other END,"
         " s.expense_pct, s.shares_freight, m.freight, s.takes_discounts, s.is_freight" +
         extraColumns +
         " FROM m JOIN quote q ON q.id = m.quote_id"
         " JOIN branch b ON b.id = q.branch_id"
         " LEFT JOIN quote_option o ON o.id = m.option_id"
         " JOIN product_subgroup s ON s.id = m.subgroup_id"
         " JOIN product_group g ON g.id = s.group_id"
         " LEFT JOIN service_type st ON st.id = q.service_type_id" +
         order;
}

const std::string kItemJoins =
    " JOIN branch b ON b.id = q.branch_id"
    " JOIN quote_item i ON i.quote_id = q.id"
    " LEFT JOIN quote_option o ON o.id = i.option_id"
    " JOIN product p ON p.id = i.product_id"
    " JOIN product_subgroup s ON s.id = p.subgroup_id"
    " JOIN product_group g ON g.id = s.group_id";

const std::string kBranchFilter = "q.branch_id = (SELECT id FROM branch WHERE code = ?)";

}  // namespace

PacketQuery queryLookup(Connection& db) {
  return {lookupColumns(),
          db.query("SELECT q.number, b.code FROM quote q JOIN branch b ON b.id = q.branch_id"
                   " ORDER BY q.number",
                   {})};
}

PacketQuery queryHeader(Connection& db, const std::string& number) {
  const std::string sql =
      "SELECT b.code, q.number, q.sequence, " + dateTimeText(db.dialect(), "q.event_at") +
      ", c.trade_name, q.client_name, et.name, st.name, q.guests, h.name,"
      " st.fixed_expense_pct, q.commission_pct"
      " FROM quote q JOIN branch b ON b.id = q.branch_id"
      " LEFT JOIN client c ON c.id = q.client_id"
      " LEFT JOIN event_type et ON et.id = q.event_type_id"
      " LEFT JOIN service_type st ON st.id = q.service_type_id"
      " LEFT JOIN hall h ON h.id = q.hall_id"
      " WHERE q.number = ?";
  return {headerColumns(), db.query(sql, {number})};
}

PacketQuery queryItems(Connection& db, const std::string& branch, const std::string& number) {
  const std::string sql =
      "SELECT b.code, q.number, COALESCE(o.number, ''), g.code, s.code, s.name, i.value,"
      " s.expense_pct, i.other_pct, i.materials_pct, p.code, p.name, p.unit"
      " FROM quote q" +
      kItemJoins +
      " WHERE b.code = ? AND q.number = ?"
      " ORDER BY COALESCE(o.number, ''), i.id";
  return {itemColumns(), db.query(sql, {branch, number})};
}

PacketQuery queryMargins(Connection& db, const std::string& branch, const std::string& number) {
  const std::string sql =
      marginRowsSql(kBranchFilter + " AND q.number = ?", "",
                    " ORDER BY COALESCE(o.number, ''), m.first_item");
  return {marginColumns(), db.query(sql, {branch, number})};
}

// The rows of a period come in no particular order: the client only averages them.
PacketQuery queryPeriodMargins(Connection& db, const std::string& branch, CalendarDay first,
                               CalendarDay last) {
  const std::string sql =
      marginRowsSql(kBranchFilter + " AND q.included_at >= ? AND q.included_at < ?",
                    ", st.fixed_expense_pct", "");
  return {periodMarginColumns(),
          db.query(sql, {branch, first.startText(), last.following().startText()})};
}

}  // namespace margem::server
