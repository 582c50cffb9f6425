// SPDX-License-Identifier: MIT
// Where each column of a quote file stands, read from its first line (the titles).
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "csv_reader.h"
#include "import_columns.h"
#include "import_problems.h"
#include "import_values.h"

namespace margem::server {

class ImportLayout {
 public:
  // Reports titles it does not know, columns given twice and required columns missing; false
  // when there is any of them.
  bool read(const CsvRecord& header, ImportProblems& problems);

  // The field index of a column the file has.
  std::optional<std::size_t> indexOf(ImportColumn column) const {
    return m_index[static_cast<std::size_t>(column)];
  }
  // Whether a field index lies under a known title (a blank title over empty cells is allowed).
  bool isTitled(std::size_t index) const { return index < m_titled.size() && m_titled[index]; }

  // The decimal mark the record's numbers show, if any of them shows one.
  std::optional<DecimalMark> decimalMarkShownBy(const CsvRecord& record) const;

 private:
  std::array<std::optional<std::size_t>, kImportColumnCount> m_index{};
  std::vector<bool> m_titled;
};

// Whether the column holds numbers.
bool isNumberColumn(ImportColumn column);

}  // namespace margem::server
