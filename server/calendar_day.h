// SPDX-License-Identifier: MIT
// A calendar day as the calls carry it: parsed from a date-time "YYYY-MM-DDTHH:MM:SS", the only
// form dates travel in (the time of day is checked and dropped, since periods are whole days).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace margem::server {

class CalendarDay {
 public:
  // Nothing when the text is not a valid date-time in exactly that form.
  static std::optional<CalendarDay> parse(std::string_view text);

  // "YYYY-MM-DDT00:00:00", the first moment of the day.
  std::string startText() const;
  // "YYYY-MM-DDT23:59:59.999999", the last moment of the day that a timestamp can hold; a
  // period of days is the timestamps from the first day's start to the last day's end, both
  // included, which holds on the last day a calendar has too.
  std::string endText() const;

 private:
  explicit CalendarDay(std::chrono::year_month_day day) : m_day(day) {}
  std::string text(const char* timeOfDay) const;
  std::chrono::year_month_day m_day;
};

}  // namespace margem::server
