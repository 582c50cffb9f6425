// SPDX-License-Identifier: MIT
// Reads a GetMargTLuc reply as it arrives, piece by piece, the way a client loads it: every
// value of every row is decoded (texts unescaped, numbers converted), and each row's profit
// percentage is averaged as the chart's period mean does (unweighted, a row of no value counts
// 0 %). Throws std::runtime_error on a reply that is not such a packet.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace benchserver {

class PeriodPacketParser {
 public:
  void feed(std::string_view piece);
  // Call after the last piece; throws when the packet is incomplete.
  void finish();

  std::size_t rows() const { return m_rows; }
  double meanProfitPercent() const;

 private:
  bool parseFields();
  bool parseRow();  // false: more input is needed
  bool parseValue(std::size_t& position, double* number);

  std::string m_buffer;
  std::size_t m_position = 0;
  bool m_inRows = false;
  bool m_done = false;
  int m_columns = 0;
  int m_total = -1, m_materials = -1, m_other = -1, m_expense = -1, m_service = -1;
  std::size_t m_rows = 0;
  long double m_sum = 0;
  std::string m_scratch;
};

}  // namespace benchserver
