// SPDX-License-Identifier: MIT
#include "calendar_day.h"

#include <cstdio>

namespace margem::server {
namespace {

constexpr std::size_t kDateTimeLength = 19;  // YYYY-MM-DDTHH:MM:SS

// Reads exactly `width` decimal digits at `position`.
std::optional<int> digits(std::string_view text, std::size_t position, std::size_t width) {
  int value = 0;
  for (std::size_t i = position; i < position + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool validTime(std::string_view time) {
  if (time[2] != ':' || time[5] != ':') return false;
  const auto h = digits(time, 0, 2), m = digits(time, 3, 2), s = digits(time, 6, 2);
  return h && m && s && *h < 24 && *m < 60 && *s < 60;
}

}  // namespace

std::optional<CalendarDay> CalendarDay::parse(std::string_view text) {
  if (text.size() != kDateTimeLength) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || text[10] != 'T') return std::nullopt;
  const auto y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
  if (!y || !m || !d || !validTime(text.substr(11))) return std::nullopt;
  const std::chrono::year_month_day day{std::chrono::year(*y),
                                        std::chrono::month(static_cast<unsigned>(*m)),
                                        std::chrono::day(static_cast<unsigned>(*d))};
  if (!day.ok()) return std::nullopt;
  return CalendarDay(day);
}

std::string CalendarDay::startText() const { return text("00:00:00"); }

std::string CalendarDay::endText() const { return text("23:59:59.999999"); }

std::string CalendarDay::text(const char* timeOfDay) const {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%s", static_cast<int>(m_day.year()),
                static_cast<unsigned>(m_day.month()), static_cast<unsigned>(m_day.day()),
                timeOfDay);
  return buffer;
}

}  // namespace margem::server
