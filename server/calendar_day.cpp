// SPDX-License-Identifier: MIT
#include "calendar_day.h"

#include <charconv>
#include <cstdio>

namespace margem::server {
namespace {

// Reads exactly `width` decimal digits at `position`.
std::optional<int> digits(std::string_view text, std::size_t position, std::size_t width) {
  if (position + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = position; i < position + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool validTime(std::string_view time) {
  if (time.size() != 8 || time[2] != ':' || time[5] != ':') return false;
  const auto h = digits(time, 0, 2), m = digits(time, 3, 2), s = digits(time, 6, 2);
  return h && m && s && *h < 24 && *m < 60 && *s < 60;
}

}  // namespace

std::optional<CalendarDay> CalendarDay::parse(std::string_view text) {
  if (text.size() != 10 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
  if (!y || !m || !d) return std::nullopt;
  if (text.size() == 19 && ((text[10] != 'T' && text[10] != ' ') || !validTime(text.substr(11)))) {
    return std::nullopt;
  }
  const std::chrono::year_month_day day{std::chrono::year(*y),
                                        std::chrono::month(static_cast<unsigned>(*m)),
                                        std::chrono::day(static_cast<unsigned>(*d))};
  if (!day.ok()) return std::nullopt;
  return CalendarDay(day);
}

std::string CalendarDay::startText() const {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT00:00:00", static_cast<int>(m_day.year()),
                static_cast<unsigned>(m_day.month()), static_cast<unsigned>(m_day.day()));
  return buffer;
}

CalendarDay CalendarDay::following() const {
  return CalendarDay(
      std::chrono::year_month_day(std::chrono::sys_days(m_day) + std::chrono::days(1)));
}

}  // namespace margem::server
