// SPDX-License-Identifier: MIT
#include "margin_queries.h"

#include "margin_row_cursor.h"

namespace margem::server {
namespace {

const std::string kItemJoins =
    " JOIN branch b ON b.id = q.branch_id"
    " JOIN quote_item i ON i.quote_id = q.id"
    " LEFT JOIN quote_option o ON o.id = i.option_id"
    " JOIN product p ON p.id = i.product_id"
    " JOIN product_subgroup s ON s.id = p.subgroup_id"
    " JOIN product_group g ON g.id = s.group_id";

const std::string kBranchFilter = "q.branch_id = (SELECT id FROM branch WHERE code = ?)";

}  // namespace

std::string dateTimeText(Dialect dialect, const std::string& column) {
  if (dialect == Dialect::Sqlite) return column;  // stored as "YYYY-MM-DDTHH:MM:SS"
  return "to_char(" + column + ", 'YYYY-MM-DD\"T\"HH24:MI:SS')";
}

PacketQuery queryLookup(Connection& db) {
  return {lookupColumns(),
          db.query("SELECT q.number, b.code FROM quote q JOIN branch b ON b.id = q.branch_id"
                   " ORDER BY q.number",
                   {})};
}

PacketQuery queryHeader(Connection& db, const std::string& number) {
  const std::string sql = "SELECT b.code, q.number, q.sequence, " +
                          dateTimeText(db.dialect(), "q.event_at") +
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
  return {marginColumns(),
          std::make_unique<MarginRowCursor>(db, kBranchFilter + " AND q.number = ?",
                                            SqlParams{branch, number}, MarginRowScope::Quote)};
}

// The rows of a period come in no particular order: the client only averages them.
PacketQuery queryPeriodMargins(Connection& db, const std::string& branch, CalendarDay first,
                               CalendarDay last) {
  return {periodMarginColumns(),
          std::make_unique<MarginRowCursor>(
              db, kBranchFilter + " AND q.included_at >= ? AND q.included_at <= ?",
              SqlParams{branch, first.startText(), last.endText()}, MarginRowScope::Period)};
}

}  // namespace margem::server
