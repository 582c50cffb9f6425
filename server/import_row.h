// SPDX-License-Identifier: MIT
// One line of a quote file read into the quote, option, subgroup and item it describes. Each
// field is checked on its own (numbers, dates, S/N flags, widths of texts, required values) and
// every problem is reported with its line and column. A line whose Produto is empty carries no
// item (a quote, or an option, without items): its other item columns must be empty too.
#pragma once

#include <string>

#include "csv_reader.h"
#include "import_layout.h"
#include "import_problems.h"
#include "quote_writer.h"

namespace margem::server {

struct ImportRow {
  QuoteSpec quote;
  std::string option;  // empty: no option (an item common to every option, or no item)
  double optionDiscount = 0;
  bool hasItem = false;
  SubgroupSpec subgroup;
  ItemSpec item;
};

class RowReader {
 public:
  RowReader(const ImportLayout& layout, DecimalMark mark, ImportProblems& problems);

  // False when the line has problems; they are reported.
  bool read(const CsvRecord& record, ImportRow& row);
  // Reports a problem in a column of the line last read.
  void complain(ImportColumn column, const std::string& message);

 private:
  std::string_view raw(ImportColumn column) const;
  std::string checked(ImportColumn column, std::string value, std::size_t width);
  // Verbatim; blanks trimmed; blanks trimmed and digits filled with zeros to the width.
  std::string text(ImportColumn column, std::size_t width);
  std::string code(ImportColumn column, std::size_t width);
  std::string filled(ImportColumn column, std::size_t width);
  std::optional<double> number(ImportColumn column);
  std::string dateTime(ImportColumn column);
  std::string flag(ImportColumn column, const char* fallback);
  void required(ImportColumn column, const std::string& value);
  void readQuote(ImportRow& row);
  void readItem(ImportRow& row);

  const ImportLayout& m_layout;
  DecimalMark m_mark;
  ImportProblems& m_problems;
  const CsvRecord* m_record = nullptr;
  bool m_faulty = false;
};

}  // namespace margem::server
