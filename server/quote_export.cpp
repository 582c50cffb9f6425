// SPDX-License-Identifier: MIT
#include "quote_export.h"

#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "csv_writer.h"
#include "import_columns.h"
#include "margin_queries.h"
#include "text_encoding.h"

namespace margem::server {
namespace {

std::optional<double> optionalReal(const Cursor& row, int column) {
  if (row.isNull(column)) return std::nullopt;
  return row.real(column);
}

std::vector<std::int64_t> quoteIds(Connection& db, const ExportRequest& request) {
  std::string sql = "SELECT q.id FROM quote q JOIN branch b ON b.id = q.branch_id WHERE 1 = 1";
  SqlParams params;
  if (!request.branch.empty()) {
    sql += " AND b.code = ?";
    params.emplace_back(request.branch);
  }
  if (request.from) {
    sql += " AND q.included_at >= ?";
    params.emplace_back(request.from->startText());
  }
  if (request.to) {
    sql += " AND q.included_at <= ?";
    params.emplace_back(request.to->endText());
  }
  std::vector<std::int64_t> ids;
  for (auto row = db.query(sql + " ORDER BY q.number", params); !row->atEnd(); row->next()) {
    ids.push_back(row->integer(0));
  }
  return ids;
}

// The quote's columns, written once and repeated on each of its lines.
std::string headerFields(Connection& db, std::int64_t quoteId) {
  const std::string sql =
      "SELECT b.code, q.number, q.sequence, " + dateTimeText(db.dialect(), "q.event_at") + ", " +
      dateTimeText(db.dialect(), "q.included_at") +
      ", c.trade_name, q.client_name, et.name, st.name, st.fixed_expense_pct, q.guests, h.name,"
      " q.commission_pct"
      " FROM quote q JOIN branch b ON b.id = q.branch_id"
      " LEFT JOIN client c ON c.id = q.client_id"
      " LEFT JOIN event_type et ON et.id = q.event_type_id"
      " LEFT JOIN service_type st ON st.id = q.service_type_id"
      " LEFT JOIN hall h ON h.id = q.hall_id"
      " WHERE q.id = ?";
  auto row = db.query(sql, {quoteId});
  std::ostringstream text;
  CsvWriter fields(text);
  for (int column = 0; column < 3; ++column) fields.text(row->text(column));
  fields.text(brazilianDateTime(row->text(3)));
  fields.text(brazilianDateTime(row->text(4)));
  for (int column = 5; column < 9; ++column) fields.text(row->text(column));
  fields.number(optionalReal(*row, 9));
  fields.number(optionalReal(*row, 10));
  fields.text(row->text(11));
  fields.number(optionalReal(*row, 12));
  return text.str();
}

class QuoteLines {
 public:
  QuoteLines(Connection& db, std::ostream& out) : m_db(db), m_out(out) {}

  std::int64_t write(std::int64_t quoteId) {
    const std::string header = headerFields(m_db, quoteId);
    std::int64_t lines = 0;
    std::set<std::string> optionsWithItems;
    for (auto item = m_db.query(kItemsSql, {quoteId}); !item->atEnd(); item->next(), ++lines) {
      m_out.fields(header);
      m_out.text(item->text(0));
      m_out.number(optionalReal(*item, 1));
      for (int column = 2; column < 6; ++column) m_out.text(item->text(column));
      m_out.number(item->real(6));
      for (int column = 7; column < 13; ++column) m_out.text(item->text(column));
      for (int column = 13; column < 17; ++column) m_out.number(item->real(column));
      m_out.endLine();
      if (!item->isNull(0)) optionsWithItems.emplace(item->text(0));
    }
    for (auto option = m_db.query("SELECT number, discount FROM quote_option WHERE quote_id = ?"
                                  " ORDER BY number",
                                  {quoteId});
         !option->atEnd(); option->next()) {
      if (optionsWithItems.contains(std::string(option->text(0)))) continue;
      writeWithoutItem(header, option->text(0), option->real(1));
      ++lines;
    }
    if (lines == 0) {
      writeWithoutItem(header, {}, std::nullopt);
      ++lines;
    }
    return lines;
  }

 private:
  static constexpr const char* kItemsSql =
      "SELECT o.number, o.discount, g.code, g.name, s.code, s.name, s.expense_pct,"
      " s.takes_discounts, s.shares_freight, s.is_freight, p.code, p.name, p.unit,"
      " i.value, i.materials_pct, i.other_pct, i.freight"
      " FROM quote_item i LEFT JOIN quote_option o ON o.id = i.option_id"
      " JOIN product p ON p.id = i.product_id"
      " JOIN product_subgroup s ON s.id = p.subgroup_id"
      " JOIN product_group g ON g.id = s.group_id"
      " WHERE i.quote_id = ? ORDER BY i.id";

  void writeWithoutItem(const std::string& header, std::string_view option,
                        std::optional<double> discount) {
    m_out.fields(header);
    m_out.text(option);
    m_out.number(discount);
    for (const ImportColumn column : allImportColumns()) {
      if (isItemColumn(column)) m_out.text({});
    }
    m_out.endLine();
  }

  Connection& m_db;
  CsvWriter m_out;
};

}  // namespace

ExportCounts exportQuotes(Connection& db, const ExportRequest& request, std::ostream& out) {
  out << kUtf8ByteOrderMark;
  CsvWriter titles(out);
  for (const ImportColumn column : allImportColumns()) titles.text(columnTitle(column));
  titles.endLine();
  ExportCounts counts;
  QuoteLines lines(db, out);
  for (const std::int64_t id : quoteIds(db, request)) {
    counts.lines += lines.write(id);
    ++counts.quotes;
  }
  return counts;
}

}  // namespace margem::server
