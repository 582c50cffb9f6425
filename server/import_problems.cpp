// SPDX-License-Identifier: MIT
#include "import_problems.h"

#include "import_columns.h"

namespace margem::server {

void ImportProblems::add(int line, int column, const std::string& title,
                         const std::string& message) {
  if (full()) return;
  std::string text = m_file;
  if (line > 0) text += ", linha " + std::to_string(line);
  if (column > 0) {
    text += ", coluna " + spreadsheetColumnName(column);
    if (!title.empty()) text += " (" + title + ")";
  }
  m_messages.push_back(text + ": " + message);
}

}  // namespace margem::server
