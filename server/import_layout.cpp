// SPDX-License-Identifier: MIT
#include "import_layout.h"

namespace margem::server {

bool isNumberColumn(ImportColumn column) {
  switch (column) {
    case ImportColumn::ServiceExpense:
    case ImportColumn::Guests:
    case ImportColumn::Commission:
    case ImportColumn::OptionDiscount:
    case ImportColumn::SubgroupExpense:
    case ImportColumn::Value:
    case ImportColumn::Materials:
    case ImportColumn::Other:
    case ImportColumn::Freight:
      return true;
    default:
      return false;
  }
}

bool ImportLayout::read(const CsvRecord& header, ImportProblems& problems) {
  bool readable = true;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string title(trimmed(header.field(i)));
    const int column = static_cast<int>(i) + 1;
    const auto known = columnTitled(title);
    if (!known) {
      if (title.empty()) continue;  // a blank title over empty cells, as spreadsheets leave
      problems.add(header.line(), column, title, "coluna desconhecida");
      readable = false;
    } else if (auto& slot = m_index[static_cast<std::size_t>(*known)]; slot) {
      problems.add(header.line(), column, title,
                   "coluna repetida (já é a coluna " +
                       spreadsheetColumnName(static_cast<int>(*slot) + 1) + ")");
      readable = false;
    } else {
      slot = i;
      m_titled.resize(i + 1);
      m_titled[i] = true;
    }
  }
  for (const ImportColumn column : allImportColumns()) {
    if (isRequiredColumn(column) && !indexOf(column)) {
      problems.add(header.line(), std::string("falta a coluna \"") + columnTitle(column) + "\"");
      readable = false;
    }
  }
  return readable;
}

std::optional<DecimalMark> ImportLayout::decimalMarkShownBy(const CsvRecord& record) const {
  for (const ImportColumn column : allImportColumns()) {
    if (!isNumberColumn(column) || !indexOf(column)) continue;
    if (const auto mark = margem::server::decimalMarkShownBy(record.field(*indexOf(column)))) {
      return mark;
    }
  }
  return std::nullopt;
}

}  // namespace margem::server
