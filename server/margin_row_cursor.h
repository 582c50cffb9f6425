// SPDX-License-Identifier: MIT
// Margin rows (one per quote, option and subgroup) read as a Cursor whose columns follow the
// 15 margin-row columns, optionally followed by the quote's service fixed-expense percentage.
//
// The database hands over the narrow item rows one quote after another; they are summed here
// per option and subgroup a quote at a time, so that no sort or grouping of the whole period is
// needed and a million-row period streams out at little more than the cost of reading it. The
// names, codes, flags and discounts the sums are shown with come from three small queries over
// the same quotes (their quotes, their options, the subgroups), made first. An item whose quote,
// option or subgroup was written after the call began is left out.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "database.h"

namespace margem::server {

// What the rows are read for. One quote's rows come as GetMargem lists them: common rows first,
// options by number, subgroups by first item. A period's rows come in no particular order, and
// their items are fetched from the database a batch at a time, since a period may hold millions.
enum class MarginRowScope { Quote, Period };

class MarginRowCursor : public Cursor {
 public:
  // `quoteFilter` selects the quotes (alias q) with its `params`. Column 15, past the
  // margin-row columns, is the quote's service fixed-expense percentage.
  MarginRowCursor(Connection& db, const std::string& quoteFilter, const SqlParams& params,
                  MarginRowScope scope);

  bool atEnd() const override;
  void next() override;
  bool isNull(int column) const override;
  std::string_view text(int column) const override;
  double real(int column) const override;
  std::int64_t integer(int column) const override {
    return static_cast<std::int64_t>(real(column));
  }

 private:
  struct QuoteInfo {
    std::string branch, number;
    double serviceExpense = 0;
    bool hasServiceExpense = false;
  };
  struct OptionInfo {
    std::string number;
    double discount = 0;
  };
  struct SubgroupInfo {
    std::string group, code, name, sharesFreight, takesDiscounts, isFreight;
    double expense = 0;
  };
  // The items of one quote, option and subgroup, summed.
  struct Group {
    const OptionInfo* option;  // null for the rows common to every option
    const SubgroupInfo* subgroup;
    std::int64_t firstItem;
    double total = 0, weightedMaterials = 0, weightedOther = 0;
    double materials = 0, other = 0;  // plain sums, for the mean when the total is 0
    double freight = 0;
    int items = 0;
  };
  struct GroupKey {
    std::int64_t option, subgroup;
    bool operator==(const GroupKey&) const = default;
  };
  struct GroupKeyHash {
    std::size_t operator()(const GroupKey& key) const {
      return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(key.option) * 1000003u +
                                        static_cast<std::uint64_t>(key.subgroup));
    }
  };

  // Sums the items of the next quote that has any row to show into m_groups.
  void readQuote();
  void addItem();
  const Group& current() const { return m_groups[m_current]; }

  std::unordered_map<std::int64_t, QuoteInfo> m_quotes;
  std::unordered_map<std::int64_t, OptionInfo> m_options;
  std::unordered_map<std::int64_t, SubgroupInfo> m_subgroups;
  std::unique_ptr<Cursor> m_items;
  MarginRowScope m_scope;
  const QuoteInfo* m_quote = nullptr;
  std::vector<Group> m_groups;  // of m_quote
  std::unordered_map<GroupKey, std::size_t, GroupKeyHash> m_groupIndex;
  std::size_t m_current = 0;
};

}  // namespace margem::server
