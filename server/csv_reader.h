// SPDX-License-Identifier: MIT
// Reads a CSV file a record at a time, as spreadsheet programs write them: ";" or "," between
// fields (whichever the first line uses more of), fields in double quotes holding separators,
// doubled quotes and line breaks, lines ending in CRLF or LF, an optional UTF-8 byte-order mark.
// Text comes out as UTF-8 whatever the file's encoding. Records made only of empty fields (blank
// lines, rows of separators) are skipped. Memory stays within one record and one read buffer.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text_encoding.h"

namespace margem::server {

// A quote opened and never closed, or a record too long to be one: the rest of the file cannot
// be read reliably.
class CsvSyntaxError : public std::runtime_error {
 public:
  CsvSyntaxError(int line, int column, const std::string& message)
      : std::runtime_error(message), line(line), column(column) {}
  int line;
  int column;  // from 1
};

class CsvRecord {
 public:
  std::size_t size() const { return m_size; }
  std::string_view field(std::size_t index) const {
    return index < m_size ? std::string_view(m_fields[index]) : std::string_view();
  }
  // The line on which a field starts, counted from 1.
  int lineOf(std::size_t index) const { return index < m_size ? m_lines[index] : m_line; }
  int line() const { return m_line; }

 private:
  friend class CsvReader;
  std::vector<std::string> m_fields;  // kept between records so their memory is reused
  std::vector<int> m_lines;
  std::size_t m_size = 0;
  int m_line = 1;
};

class CsvReader {
 public:
  CsvReader(std::istream& in, TextEncoding encoding);

  // The next record; false at the end of the file. Raises CsvSyntaxError.
  bool next(CsvRecord& record);
  char separator() const { return m_separator; }
  // Bytes of the file read so far, for progress reports.
  std::uint64_t bytesRead() const { return m_bytesRead; }

 private:
  enum class Outcome { Record, NeedMore };
  bool fill();
  void detectSeparator();
  Outcome parse(CsvRecord& record);
  std::string& startField(CsvRecord& record, int line);

  std::istream& m_in;
  TextEncoding m_encoding;
  std::string m_buffer;  // decoded text not yet taken
  std::size_t m_position = 0;
  std::string m_raw;
  bool m_atEnd = false;
  bool m_started = false;
  char m_separator = ';';
  int m_line = 1;
  std::uint64_t m_bytesRead = 0;
};

}  // namespace margem::server
