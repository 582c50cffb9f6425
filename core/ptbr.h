// SPDX-License-Identifier: MIT
// Brazilian Portuguese text for numbers and dates: 1.234,56 and dd/mm/aaaa.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace margem {

// "1.234,56" with the given decimals, thousands separated, minus sign in front, no currency.
QString FormatNumber(double value, int decimals = 2);
// Applies a display format: "#,##0.00" -> "1.234,56"; "#,##0.00 %" -> "1.234,56 %".
QString FormatDisplay(double value, const QString& displayFormat);
// Reads what a user types in pt_BR ("1.234,56", "1234,5", "-3"); a blank text reads 0; nullopt
// when it is no number (dots must group thousands: "1.5" is refused).
std::optional<double> ParseNumber(const QString& text);

QString FormatDate(const QDate& date);          // "dd/MM/yyyy"
QString FormatDateTime(const QDateTime& value);  // "dd/MM/yyyy HH:mm"
std::optional<QDate> ParseDate(const QString& text);  // "dd/mm/aaaa", a real calendar day

// Days since 30/12/1899 (the fraction is the time of day), and back. The wall-clock date and time
// are what count: FromDateValue gives a UTC QDateTime so that no zone rule can shift them, and
// ToDateValue reads the date and time of whatever it is given (an invalid one reads 0).
double ToDateValue(const QDateTime& value);
QDateTime FromDateValue(double days);

}  // namespace margem
