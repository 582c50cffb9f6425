// SPDX-License-Identifier: MIT
// Date values: days since 30/12/1899, the fraction being the time of day. Before that day the
// whole part counts back and the time is still added as a positive fraction away from zero
// (-1.25 is 29/12/1899 06:00), the convention of the toolkit the module came from.
#pragma once

#include <optional>

namespace margem {

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, msec = 0;
};

bool IsCalendarDay(int year, int month, int day);  // years 1 to 9999
// nullopt when the parts name no real day or time of day.
std::optional<double> DateValueFromParts(const DateParts& parts);
DateParts PartsFromDateValue(double value);  // rounded to the millisecond

}  // namespace margem
