// SPDX-License-Identifier: MIT
#include "csv_reader.h"

#include <cstring>

namespace margem::server {
namespace {

constexpr std::size_t kReadBytes = 1 << 18;
constexpr std::size_t kLongestRecord = 1 << 20;

}  // namespace

CsvReader::CsvReader(std::istream& in, TextEncoding encoding)
    : m_in(in), m_encoding(encoding), m_raw(kReadBytes, '\0') {}

bool CsvReader::fill() {
  if (m_atEnd) return false;
  m_buffer.erase(0, m_position);
  m_position = 0;
  m_in.read(m_raw.data(), static_cast<std::streamsize>(m_raw.size()));
  const auto count = static_cast<std::size_t>(m_in.gcount());
  std::string_view chunk(m_raw.data(), count);
  if (m_bytesRead == 0 && chunk.starts_with(kUtf8ByteOrderMark)) {
    chunk.remove_prefix(kUtf8ByteOrderMark.size());
  }
  m_bytesRead += count;
  if (m_encoding == TextEncoding::Windows1252) {
    appendWindows1252AsUtf8(chunk, m_buffer);
  } else {
    m_buffer.append(chunk);
  }
  if (count < m_raw.size()) m_atEnd = true;
  return count > 0;
}

// The separator is the one of ";" and "," that the first line holds more of outside quotes.
void CsvReader::detectSeparator() {
  while (m_buffer.find('\n') == std::string::npos && m_buffer.size() < kLongestRecord && fill()) {
  }
  int semicolons = 0;
  int commas = 0;
  bool quoted = false;
  for (const char c : m_buffer) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') break;
    semicolons += c == ';';
    commas += c == ',';
  }
  m_separator = commas > semicolons ? ',' : ';';
}

std::string& CsvReader::startField(CsvRecord& record, int line) {
  if (record.m_size == record.m_fields.size()) {
    record.m_fields.emplace_back();
    record.m_lines.push_back(line);
  }
  record.m_lines[record.m_size] = line;
  std::string& field = record.m_fields[record.m_size++];
  field.clear();
  return field;
}

// Reads one record from m_position on; NeedMore when the buffer ends inside it (nothing is
// consumed then, and the record is read again once more text is there).
CsvReader::Outcome CsvReader::parse(CsvRecord& record) {
  const char* data = m_buffer.data();
  const std::size_t end = m_buffer.size();
  std::size_t pos = m_position;
  int line = m_line;
  record.m_size = 0;
  record.m_line = line;
  for (;;) {
    std::string& field = startField(record, line);
    if (pos < end && data[pos] == '"') {
      const int column = static_cast<int>(record.m_size);
      const int openedOn = line;
      ++pos;
      for (;;) {
        const void* quote = std::memchr(data + pos, '"', end - pos);
        const std::size_t stop = quote ? static_cast<const char*>(quote) - data : end;
        for (std::size_t i = pos; i < stop; ++i) line += data[i] == '\n';
        field.append(data + pos, stop - pos);
        pos = stop;
        if (pos + 1 >= end && !m_atEnd) return Outcome::NeedMore;
        if (pos >= end) {
          throw CsvSyntaxError(openedOn, column,
                               "aspas abertas e não fechadas até o fim do arquivo");
        }
        if (pos + 1 < end && data[pos + 1] == '"') {
          field += '"';
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
    }
    const std::size_t start = pos;
    const char separator = m_separator;
    while (pos < end && data[pos] != separator && data[pos] != '\n' && data[pos] != '\r') ++pos;
    field.append(data + start, pos - start);
    if (pos >= end) {
      if (!m_atEnd) return Outcome::NeedMore;
      break;
    }
    if (data[pos] == separator) {
      ++pos;
      continue;
    }
    if (data[pos] == '\r') {
      if (pos + 1 >= end && !m_atEnd) return Outcome::NeedMore;
      if (pos + 1 < end && data[pos + 1] == '\n') ++pos;
    }
    ++pos;
    ++line;
    break;
  }
  m_position = pos;
  m_line = line;
  return Outcome::Record;
}

bool CsvReader::next(CsvRecord& record) {
  if (!m_started) {
    m_started = true;
    detectSeparator();
  }
  for (;;) {
    if (m_position >= m_buffer.size() && !fill()) return false;
    if (parse(record) == Outcome::NeedMore) {
      if (m_buffer.size() - m_position > kLongestRecord) {
        throw CsvSyntaxError(m_line, 1, "registro longo demais (aspas abertas e não fechadas?)");
      }
      fill();
      continue;
    }
    for (std::size_t i = 0; i < record.m_size; ++i) {
      if (!record.m_fields[i].empty()) return true;
    }
  }
}

}  // namespace margem::server
