// SPDX-License-Identifier: MIT
// The problems found in the files of one import, each naming the file, the line and, where there
// is one, the column (as a spreadsheet letters it, with its title). At most kMostProblems are
// kept: past that the import stops looking.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace margem::server {

inline constexpr std::size_t kMostProblems = 100;

class ImportProblems {
 public:
  void setFile(std::string name) { m_file = std::move(name); }
  const std::string& file() const { return m_file; }

  // column 0: the problem concerns the whole line; line 0: the whole file.
  void add(int line, int column, const std::string& title, const std::string& message);
  void add(int line, const std::string& message) { add(line, 0, {}, message); }

  bool empty() const { return m_messages.empty(); }
  bool full() const { return m_messages.size() >= kMostProblems; }
  const std::vector<std::string>& messages() const { return m_messages; }

 private:
  std::string m_file;
  std::vector<std::string> m_messages;
};

}  // namespace margem::server
