// SPDX-License-Identifier: MIT
#include "margin_row_cursor.h"

#include <algorithm>
#include <limits>

namespace margem::server {
namespace {

// Columns of the items query.
enum Item {
  kQuoteId,
  kOptionId,
  kSubgroupId,
  kItemId,
  kItemValue,
  kItemMaterials,
  kItemOther,
  kItemFreight
};

// The margin-row columns, in packet order.
enum Column {
  kBranch,
  kNumber,
  kOption,
  kDiscount,
  kValue,
  kGroup,
  kSubgroup,
  kSubgroupName,
  kMaterialsPct,
  kOtherPct,
  kExpensePct,
  kSharesFreight,
  kFreightValue,
  kTakesDiscounts,
  kIsFreight,
  kServiceExpense
};

// The option key of the items common to every option.
constexpr std::int64_t kCommon = std::numeric_limits<std::int64_t>::min();

const std::string kEmpty;

}  // namespace

MarginRowCursor::MarginRowCursor(Connection& db, const std::string& quoteFilter,
                                 const SqlParams& params, MarginRowScope scope)
    : m_scope(scope) {
  for (auto c = db.query("SELECT s.id, g.code, s.code, s.name, s.expense_pct, s.shares_freight,"
                         " s.takes_discounts, s.is_freight"
                         " FROM product_subgroup s JOIN product_group g ON g.id = s.group_id",
                         {});
       !c->atEnd(); c->next()) {
    m_subgroups[c->integer(0)] = {std::string(c->text(1)),
                                  std::string(c->text(2)),
                                  std::string(c->text(3)),
                                  std::string(c->text(5)),
                                  std::string(c->text(6)),
                                  std::string(c->text(7)),
                                  c->real(4)};
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

  // The order keeps each quote's items together; the quotes' index of branch and inclusion date
  // already reads them so, without a sort. This query comes last, since the connection runs no
  // other statement while a period's items are read in batches.
  const std::string items =
      "SELECT i.quote_id, i.option_id, p.subgroup_id, i.id, i.value, i.materials_pct,"
      " i.other_pct, i.freight"
      " FROM quote q JOIN quote_item i ON i.quote_id = q.id"
      " JOIN product p ON p.id = i.product_id WHERE " +
      quoteFilter + " ORDER BY q.included_at, q.id";
  m_items =
      scope == MarginRowScope::Period ? db.queryInBatches(items, params) : db.query(items, params);
  readQuote();
}

void MarginRowCursor::readQuote() {
  m_groups.clear();
  m_current = 0;
  while (m_groups.empty() && !m_items->atEnd()) {
    const std::int64_t quoteId = m_items->integer(kQuoteId);
    const auto quote = m_quotes.find(quoteId);
    m_quote = quote == m_quotes.end() ? nullptr : &quote->second;
    m_groupIndex.clear();
    for (; !m_items->atEnd() && m_items->integer(kQuoteId) == quoteId; m_items->next()) {
      if (m_quote) addItem();
    }
  }
  if (m_scope == MarginRowScope::Quote) {
    const auto optionNumber = [](const Group& g) -> const std::string& {
      return g.option ? g.option->number : kEmpty;
    };
    std::sort(m_groups.begin(), m_groups.end(), [&](const Group& a, const Group& b) {
      const int byNumber = optionNumber(a).compare(optionNumber(b));
      return byNumber != 0 ? byNumber < 0 : a.firstItem < b.firstItem;
    });
  }
}

void MarginRowCursor::addItem() {
  const bool common = m_items->isNull(kOptionId);
  const GroupKey key{common ? kCommon : m_items->integer(kOptionId), m_items->integer(kSubgroupId)};
  auto [slot, added] = m_groupIndex.try_emplace(key, m_groups.size());
  if (added) {
    const OptionInfo* option = nullptr;
    if (!common) {
      const auto found = m_options.find(key.option);
      if (found != m_options.end()) option = &found->second;
    }
    const auto subgroup = m_subgroups.find(key.subgroup);
    if ((!common && !option) || subgroup == m_subgroups.end()) {
      slot->second = std::numeric_limits<std::size_t>::max();  // its items are left out
      return;
    }
    m_groups.push_back({option, &subgroup->second, m_items->integer(kItemId)});
  }
  if (slot->second == std::numeric_limits<std::size_t>::max()) return;
  Group& group = m_groups[slot->second];
  const double value = m_items->real(kItemValue);
  const double materials = m_items->real(kItemMaterials);
  const double other = m_items->real(kItemOther);
  group.firstItem = std::min(group.firstItem, m_items->integer(kItemId));
  group.total += value;
  group.weightedMaterials += value * materials;
  group.weightedOther += value * other;
  group.materials += materials;
  group.other += other;
  group.freight += m_items->real(kItemFreight);
  ++group.items;
}

bool MarginRowCursor::atEnd() const { return m_current >= m_groups.size(); }

void MarginRowCursor::next() {
  if (++m_current >= m_groups.size()) readQuote();
}

bool MarginRowCursor::isNull(int column) const {
  return column == kServiceExpense && !m_quote->hasServiceExpense;
}

std::string_view MarginRowCursor::text(int column) const {
  const Group& group = current();
  switch (column) {
    case kBranch:
      return m_quote->branch;
    case kNumber:
      return m_quote->number;
    case kOption:
      return group.option ? group.option->number : kEmpty;
    case kGroup:
      return group.subgroup->group;
    case kSubgroup:
      return group.subgroup->code;
    case kSubgroupName:
      return group.subgroup->name;
    case kSharesFreight:
      return group.subgroup->sharesFreight;
    case kTakesDiscounts:
      return group.subgroup->takesDiscounts;
    case kIsFreight:
      return group.subgroup->isFreight;
    default:
      return kEmpty;
  }
}

// Percentages weighted by item value; the plain mean when the values add up to nothing, so that
// a subgroup of zero-valued items still shows its costs.
double MarginRowCursor::real(int column) const {
  const Group& group = current();
  switch (column) {
    case kDiscount:
      return group.option ? group.option->discount : 0.0;  // common rows: none
    case kValue:
      return group.total;
    case kMaterialsPct:
      return group.total != 0 ? group.weightedMaterials / group.total
                              : group.materials / group.items;
    case kOtherPct:
      return group.total != 0 ? group.weightedOther / group.total : group.other / group.items;
    case kExpensePct:
      return group.subgroup->expense;
    case kFreightValue:
      return group.freight;
    case kServiceExpense:
      return m_quote->serviceExpense;
    default:
      return 0;
  }
}

}  // namespace margem::server
