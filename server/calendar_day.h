// SPDX-License-Identifier: MIT
// A calendar day as the calls carry it: parsed from "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SS" (the
// time of day is read and dropped, since periods are whole days).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace margem::server {

class CalendarDay {
 public:
  // Nothing when the text is not a valid date or date-time in that form.
  static std::optional<CalendarDay> parse(std::string_view text);

  // "YYYY-MM-DDT00:00:00", the first moment of the day.
  std::string startText() const;
  CalendarDay following() const;

 private:
  explicit CalendarDay(std::chrono::year_month_day day) : m_day(day) {}
  std::chrono::year_month_day m_day;
};

}  // namespace margem::server
