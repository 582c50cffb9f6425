// SPDX-License-Identifier: MIT
#include "margin_row_cursor.h"

namespace margem::server {
namespace {

// Columns of the sums query.
enum Sum {
  kQuoteId, kOptionId, kSubgroupId, kTotal, kMaterials, kOther, kPlainMaterials, kPlainOther,
  kFreight
};

// The margin-row columns, in packet order.
enum Column {
  kBranch, kNumber, kOption, kDiscount, kValue, kGroup, kSubgroup, kSubgroupName,
  kMaterialsPct, kOtherPct, kExpensePct, kSharesFreight, kFreightValue, kTakesDiscounts,
  kIsFreight, kServiceExpense
};

const std::string kEmpty;

}  // namespace

MarginRowCursor::MarginRowCursor(Connection& db, const std::string& quoteFilter,
                                 const SqlParams& params, bool byOption, bool withServiceExpense)
    : m_withServiceExpense(withServiceExpense) {
  for (auto c = db.query("SELECT s.id, g.code, s.code, s.name, s.expense_pct, s.shares_freight,"
                         " s.takes_discounts, s.is_freight"
                         " FROM product_subgroup s JOIN product_group g ON g.id = s.group_id",
                         {});
       !c->atEnd(); c->next()) {
    m_subgroups[c->integer(0)] = {std::string(c->text(1)), std::string(c->text(2)),
                                  std::string(c->text(3)), std::string(c->text(5)),
                                  std::string(c->text(6)), std::string(c->text(7)), c->real(4)};
  }
  for (auto c = db.query("SELECT q.id, b.code, q.number, st.fixed_expense_pct FROM quote q"
                         " JOIN branch b ON b.id = q.branch_id"
                         " LEFT JOIN service_type st ON st.id = q.service_type_id WHERE " +
                             quoteFilter,
                         params);
       !c->atEnd(); c->next()) {
    m_quotes[c->integer(0)] = {std::string(c->text(1)), std::string(c->text(2)), c->real(3),
                               !c->isNull(3)};
  }
  for (auto c = db.query("SELECT o.id, o.number, o.discount FROM quote_option o"
                         " JOIN quote q ON q.id = o.quote_id WHERE " +
                             quoteFilter,
                         params);
       !c->atEnd(); c->next()) {
    m_options[c->integer(0)] = {std::string(c->text(1)), c->real(2)};
  }

  // Percentages weighted by item value; the plain mean when the values add up to nothing, so
  // that a subgroup of zero-valued items still shows its costs.
  std::string sums =
      "SELECT i.quote_id, i.option_id, p.subgroup_id, SUM(i.value),"
      " SUM(i.value * i.materials_pct), SUM(i.value * i.other_pct),"
      " AVG(i.materials_pct), AVG(i.other_pct), SUM(i.freight)"
      " FROM quote q JOIN quote_item i ON i.quote_id = q.id"
      " JOIN product p ON p.id = i.product_id";
  if (byOption) sums += " LEFT JOIN quote_option o ON o.id = i.option_id";
  sums += " WHERE " + quoteFilter + " GROUP BY i.quote_id, i.option_id, p.subgroup_id";
  if (byOption) sums += " ORDER BY MAX(COALESCE(o.number, '')), MIN(i.id)";
  m_sums = db.query(sums, params);
  settle();
}

void MarginRowCursor::settle() {
  for (; !m_sums->atEnd(); m_sums->next()) {
    const auto quote = m_quotes.find(m_sums->integer(kQuoteId));
    const auto subgroup = m_subgroups.find(m_sums->integer(kSubgroupId));
    if (quote == m_quotes.end() || subgroup == m_subgroups.end()) continue;
    m_option = nullptr;
    if (!m_sums->isNull(kOptionId)) {
      const auto option = m_options.find(m_sums->integer(kOptionId));
      if (option == m_options.end()) continue;
      m_option = &option->second;
    }
    m_quote = &quote->second;
    m_subgroup = &subgroup->second;
    return;
  }
}

bool MarginRowCursor::atEnd() const { return m_sums->atEnd(); }

void MarginRowCursor::next() {
  m_sums->next();
  settle();
}

bool MarginRowCursor::isNull(int column) const {
  switch (column) {
    case kValue: return m_sums->isNull(kTotal);
    case kFreightValue: return m_sums->isNull(kFreight);
    case kServiceExpense: return !m_quote->hasServiceExpense;
    default: return false;
  }
}

std::string_view MarginRowCursor::text(int column) const {
  switch (column) {
    case kBranch: return m_quote->branch;
    case kNumber: return m_quote->number;
    case kOption: return m_option ? m_option->number : kEmpty;
    case kGroup: return m_subgroup->group;
    case kSubgroup: return m_subgroup->code;
    case kSubgroupName: return m_subgroup->name;
    case kSharesFreight: return m_subgroup->sharesFreight;
    case kTakesDiscounts: return m_subgroup->takesDiscounts;
    case kIsFreight: return m_subgroup->isFreight;
    default: return kEmpty;
  }
}

double MarginRowCursor::real(int column) const {
  const double total = m_sums->real(kTotal);
  switch (column) {
    case kDiscount: return m_option ? m_option->discount : 0.0;  // common rows: no discount
    case kValue: return total;
    case kMaterialsPct:
      return total != 0 ? m_sums->real(kMaterials) / total : m_sums->real(kPlainMaterials);
    case kOtherPct:
      return total != 0 ? m_sums->real(kOther) / total : m_sums->real(kPlainOther);
    case kExpensePct: return m_subgroup->expense;
    case kFreightValue: return m_sums->real(kFreight);
    case kServiceExpense: return m_quote->serviceExpense;
    default: return 0;
  }
}

}  // namespace margem::server
