// SPDX-License-Identifier: MIT
// Margin rows (one per quote, option and subgroup) read as a Cursor whose columns follow the
// 15 margin-row columns, optionally followed by the quote's service fixed-expense percentage.
//
// The database sums the narrow item rows per quote, option and subgroup; the names, codes,
// flags and discounts those sums are shown with come from three small queries over the same
// quotes (their quotes, their options, the subgroups) and are joined here, row by row, as the
// sums stream out. A period of a million rows so costs little more than summing it.
// A group whose quote or option was written after the call began is left out.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "database.h"

namespace margem::server {

class MarginRowCursor : public Cursor {
 public:
  // `quoteFilter` selects the quotes (alias q) with its `params`; `byOption` orders the rows as
  // GetMargem lists them (common rows first, options by number, subgroups by first item);
  // `withServiceExpense` adds the 16th column.
  MarginRowCursor(Connection& db, const std::string& quoteFilter, const SqlParams& params,
                  bool byOption, bool withServiceExpense);

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

  void settle();  // skips groups whose quote or option is unknown and points at the current one

  std::unordered_map<std::int64_t, QuoteInfo> m_quotes;
  std::unordered_map<std::int64_t, OptionInfo> m_options;
  std::unordered_map<std::int64_t, SubgroupInfo> m_subgroups;
  std::unique_ptr<Cursor> m_sums;
  bool m_withServiceExpense;
  const QuoteInfo* m_quote = nullptr;
  const OptionInfo* m_option = nullptr;  // null for rows common to every option
  const SubgroupInfo* m_subgroup = nullptr;
};

}  // namespace margem::server
