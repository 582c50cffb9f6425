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
// True for the values of 01/01/0001 00:00 to 31/12/9999 23:59:59.999, the days a date can name.
bool IsDateValue(double value);
// nullopt when the parts name no real day or time of day.
std::optional<double> DateValueFromParts(const DateParts& parts);
// Rounded to the millisecond. A value before the first day reads as 01/01/0001 00:00, one after
// the last as 31/12/9999 23:59:59.999; NaN reads as 30/12/1899.
DateParts PartsFromDateValue(double value);

}  // namespace margem
