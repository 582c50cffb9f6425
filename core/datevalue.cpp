// SPDX-License-Identifier: MIT
#include "datevalue.h"

#include <cmath>

namespace margem {

namespace {

constexpr long long kMsPerDay = 86400000;
// Days from 01/01/1970 to 30/12/1899.
constexpr long long kEpochShift = -25569;
// 01/01/0001 and 31/12/9999, and the last millisecond of a day as a fraction of it.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;
constexpr double kLastTime = double(kMsPerDay - 1) / double(kMsPerDay);
// The first and last moments, laid out as DateValueFromParts lays them out.
constexpr double kFirstValue = kFirstDay - kLastTime;
constexpr double kLastValue = kLastDay + kLastTime;

// Days since 01/01/1970 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2));
}

}  // namespace

bool IsCalendarDay(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsDateValue(double value) { return value >= kFirstValue && value <= kLastValue; }

std::optional<double> DateValueFromParts(const DateParts& p) {
  if (!IsCalendarDay(p.year, p.month, p.day)) return std::nullopt;
  if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 ||
      p.second > 59 || p.msec < 0 || p.msec > 999) {
    return std::nullopt;
  }
  const double days = double(DaysFromCivil(p.year, unsigned(p.month), unsigned(p.day)) - kEpochShift);
  const double time =
      double(((p.hour * 60LL + p.minute) * 60 + p.second) * 1000 + p.msec) / double(kMsPerDay);
  return days < 0 ? days - time : days + time;
}

DateParts PartsFromDateValue(double value) {
  DateParts parts;
  if (std::isnan(value)) return parts;
  if (value < kFirstValue) value = kFirstDay;
  if (value > kLastValue) value = kLastValue;
  double whole = std::trunc(value);
  long long ms = std::llround(std::fabs(value - whole) * double(kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    whole += value < 0 ? -1 : 1;
  }
  CivilFromDays((long long)whole + kEpochShift, parts.year, parts.month, parts.day);
  parts.msec = int(ms % 1000);
  parts.second = int(ms / 1000 % 60);
  parts.minute = int(ms / 60000 % 60);
  parts.hour = int(ms / 3600000);
  return parts;
}

}  // namespace margem
