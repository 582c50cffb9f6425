// SPDX-License-Identifier: MIT
#include "period_packet_parser.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

namespace benchserver {
namespace {

constexpr std::size_t kCompactAfter = 1 << 20;

[[noreturn]] void malformed(const char* what) {
  throw std::runtime_error(std::string("malformed reply: ") + what);
}

}  // namespace

void PeriodPacketParser::feed(std::string_view piece) {
  m_buffer.append(piece);
  if (!m_inRows && !parseFields()) return;
  while (!m_done && parseRow()) {
  }
  if (m_position > kCompactAfter) {
    m_buffer.erase(0, m_position);
    m_position = 0;
  }
}

void PeriodPacketParser::finish() {
  if (!m_done) malformed("the rows never ended");
}

double PeriodPacketParser::meanProfitPercent() const {
  return m_rows ? static_cast<double>(m_sum / m_rows) : 0.0;
}

bool PeriodPacketParser::parseFields() {
  const std::string_view marker = ",\"rows\":[";
  const auto rowsAt = m_buffer.find(marker);
  if (rowsAt == std::string::npos) return false;
  const auto fieldsAt = m_buffer.find("\"fields\":");
  if (fieldsAt == std::string::npos || fieldsAt > rowsAt) malformed("no fields");
  const auto fieldsText = std::string_view(m_buffer).substr(fieldsAt + 9, rowsAt - fieldsAt - 9);
  const auto fields = nlohmann::json::parse(fieldsText);
  m_columns = static_cast<int>(fields.size());
  for (int i = 0; i < m_columns; ++i) {
    const std::string name = fields[i].at("name");
    if (name == "VRTOTALITEM") m_total = i;
    if (name == "VRPEIMDEVAVEMP") m_materials = i;
    if (name == "VRPEIMDEVAVEOU") m_other = i;
    if (name == "VRPEDESFIXASBGR") m_expense = i;
    if (name == "VRPEDESFIXASERV") m_service = i;
  }
  if (m_total < 0 || m_materials < 0 || m_other < 0 || m_expense < 0 || m_service < 0) {
    malformed("a margin column is missing");
  }
  m_position = rowsAt + marker.size();
  m_inRows = true;
  return true;
}

bool PeriodPacketParser::parseValue(std::size_t& position, double* number) {
  const std::string_view text(m_buffer);
  if (position >= text.size()) return false;
  const char c = text[position];
  if (c == '"') {
    m_scratch.clear();
    for (std::size_t i = position + 1; i < text.size(); ++i) {
      if (text[i] == '"') {
        position = i + 1;
        return true;
      }
      if (text[i] == '\\') {
        if (++i >= text.size()) return false;
        const char escaped = text[i];
        m_scratch += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        if (escaped == 'u') i += 4;
      } else {
        m_scratch += text[i];
      }
    }
    return false;
  }
  if (c == 'n') {
    if (position + 4 > text.size()) return false;
    if (text.substr(position, 4) != "null") malformed("bad literal");
    *number = 0;  // a null number reads 0
    position += 4;
    return true;
  }
  std::size_t end = position;
  while (end < text.size() && text[end] != ',' && text[end] != ']') ++end;
  if (end >= text.size()) return false;
  const auto [stop, error] = std::from_chars(text.data() + position, text.data() + end, *number);
  if (error != std::errc() || stop != text.data() + end) malformed("bad number");
  position = end;
  return true;
}

bool PeriodPacketParser::parseRow() {
  std::size_t position = m_position;
  const std::string_view text(m_buffer);
  if (position < text.size() && text[position] == ',') ++position;
  if (position >= text.size()) return false;
  if (text[position] == ']') {
    m_done = true;
    m_position = position + 1;
    return false;
  }
  if (text[position] != '[') malformed("a row is not an array");
  ++position;
  double values[32] = {};
  for (int column = 0; column < m_columns; ++column) {
    if (column > 0) {
      if (position >= text.size()) return false;
      if (text[position] != ',') malformed("row too short");
      ++position;
    }
    double number = 0;
    if (!parseValue(position, &number)) return false;
    if (column < 32) values[column] = number;
  }
  if (position >= text.size()) return false;
  if (text[position] != ']') malformed("row too long");
  m_position = position + 1;

  // The chart's period mean: each row's profit percentage, unweighted.
  const long double total = values[m_total];
  long double profitPercent = 0;
  if (total > 0) {
    const long double materials = values[m_materials] * total / 100;
    const long double other = values[m_other] * total / 100;
    long double expense = values[m_expense] * total / 100;
    expense = values[m_service] * expense / 100;
    const double profit = static_cast<double>(total - materials - other - expense);
    profitPercent = profit * 100.0L / total;
  }
  m_sum += profitPercent;
  ++m_rows;
  return true;
}

}  // namespace benchserver
