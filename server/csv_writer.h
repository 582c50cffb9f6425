// SPDX-License-Identifier: MIT
// Writes CSV as spreadsheet programs in Brazil read it: ";" between fields, a decimal comma,
// CRLF at the end of each line, fields holding ";", quotes or line breaks in double quotes.
// Numbers are written with as many digits as it takes to read the same double back.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace margem::server {

class CsvWriter {
 public:
  explicit CsvWriter(std::ostream& out) : m_out(out) {}

  void text(std::string_view value);
  void number(double value);
  void number(const std::optional<double>& value);  // nothing: an empty field
  // Fields another writer already made (written without their line's end), repeated here.
  void fields(std::string_view written);
  void endLine();

 private:
  void separate();
  std::ostream& m_out;
  bool m_lineStarted = false;
};

// "YYYY-MM-DDTHH:MM:SS" as "dd/mm/aaaa hh:mm:ss"; empty stays empty.
std::string brazilianDateTime(std::string_view isoDateTime);

}  // namespace margem::server
