// SPDX-License-Identifier: MIT
#include "csv_writer.h"

#include <charconv>

namespace margem::server {

void CsvWriter::separate() {
  if (m_lineStarted) m_out.put(';');
  m_lineStarted = true;
}

void CsvWriter::text(std::string_view value) {
  separate();
  if (value.find_first_of(";\"\r\n") == std::string_view::npos) {
    m_out << value;
    return;
  }
  m_out.put('"');
  for (const char c : value) {
    if (c == '"') m_out.put('"');
    m_out.put(c);
  }
  m_out.put('"');
}

void CsvWriter::number(double value) {
  separate();
  // Fixed notation (a file reader takes no exponents), the fewest digits that read back the
  // same double; the largest double takes 309 digits.
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  for (char* c = buffer; c != end; ++c) {
    if (*c == '.') *c = ',';
  }
  m_out.write(buffer, end - buffer);
}

void CsvWriter::number(const std::optional<double>& value) {
  if (value) {
    number(*value);
  } else {
    text({});
  }
}

void CsvWriter::fields(std::string_view written) {
  separate();
  m_out << written;
}

void CsvWriter::endLine() {
  m_out << "\r\n";
  m_lineStarted = false;
}

std::string brazilianDateTime(std::string_view iso) {
  if (iso.size() < 19) return std::string(iso);
  std::string text;
  text.reserve(19);
  text.append(iso.substr(8, 2)).append("/").append(iso.substr(5, 2)).append("/");
  text.append(iso.substr(0, 4)).append(" ").append(iso.substr(11, 8));
  return text;
}

}  // namespace margem::server
