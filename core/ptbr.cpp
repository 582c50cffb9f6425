// SPDX-License-Identifier: MIT
#include "ptbr.h"

#include <QRegularExpression>
#include <cmath>

#include "datevalue.h"
#include "framework.h"

namespace margem {

namespace {

QString GroupThousands(const QString& digits) {
  QString grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += QLatin1Char('.');
    grouped += digits[i];
  }
  return grouped;
}

bool IsDigits(QStringView text) {
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// The number part of a display format ("#,##0.00") and the literal text around it.
struct NumberPattern {
  QString prefix, suffix;
  bool thousands = false;
  int minInteger = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
};

NumberPattern ParsePattern(const QString& format) {
  static const QString kPatternChars = QStringLiteral("#0,.");
  NumberPattern p;
  qsizetype start = 0;
  while (start < format.size() && !kPatternChars.contains(format[start])) ++start;
  qsizetype end = start;
  while (end < format.size() && kPatternChars.contains(format[end])) ++end;
  p.prefix = format.left(start);
  p.suffix = format.mid(end);
  bool inDecimals = false;
  for (qsizetype i = start; i < end; ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('.')) {
      inDecimals = true;
    } else if (c == QLatin1Char(',')) {
      if (!inDecimals) p.thousands = true;
    } else if (inDecimals) {
      ++p.maxDecimals;
      if (c == QLatin1Char('0')) p.minDecimals = p.maxDecimals;
    } else if (c == QLatin1Char('0')) {
      ++p.minInteger;
    }
  }
  return p;
}

QString FormatWith(double value, const NumberPattern& p) {
  const double rounded = RoundDec(value, p.maxDecimals);
  const QString text = QString::number(std::fabs(rounded), 'f', p.maxDecimals);
  QString integer = text.section(QLatin1Char('.'), 0, 0);
  QString fraction = text.section(QLatin1Char('.'), 1);
  while (fraction.size() > p.minDecimals && fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
  qsizetype zeros = 0;
  while (zeros < integer.size() && integer[zeros] == QLatin1Char('0')) ++zeros;
  integer.remove(0, zeros);
  if (integer.size() < p.minInteger) integer.prepend(QString(p.minInteger - integer.size(), u'0'));
  QString number = p.thousands ? GroupThousands(integer) : integer;
  if (!fraction.isEmpty()) number += QLatin1Char(',') + fraction;
  if (rounded < 0) number.prepend(QLatin1Char('-'));
  return p.prefix + number + p.suffix;
}

}  // namespace

QString FormatNumber(double value, int decimals) {
  NumberPattern p;
  p.thousands = true;
  p.minInteger = 1;
  p.minDecimals = p.maxDecimals = decimals;
  return FormatWith(value, p);
}

QString FormatDisplay(double value, const QString& displayFormat) {
  if (displayFormat.isEmpty()) {
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
  }
  return FormatWith(value, ParsePattern(displayFormat));
}

std::optional<double> ParseNumber(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return 0.0;
  QStringView rest(t);
  bool negative = false;
  if (rest.startsWith(QLatin1Char('-')) || rest.startsWith(QLatin1Char('+'))) {
    negative = rest.front() == QLatin1Char('-');
    rest = rest.mid(1);
  }
  const qsizetype comma = rest.indexOf(QLatin1Char(','));
  const QStringView integer = comma < 0 ? rest : rest.left(comma);
  const QStringView fraction = comma < 0 ? QStringView() : rest.mid(comma + 1);
  if (integer.isEmpty() && fraction.isEmpty()) return std::nullopt;
  if (!IsDigits(fraction)) return std::nullopt;
  QString digits;
  if (integer.contains(QLatin1Char('.'))) {
    const auto groups = integer.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < groups.size(); ++i) {
      const qsizetype size = groups[i].size();
      if (!IsDigits(groups[i]) || size == 0 || size > 3 || (i > 0 && size != 3)) {
        return std::nullopt;
      }
      digits += groups[i];
    }
  } else {
    if (!IsDigits(integer)) return std::nullopt;
    digits = integer.toString();
  }
  const QString machine =
      (digits.isEmpty() ? QStringLiteral("0") : digits) + QLatin1Char('.') + fraction.toString() +
      u'0';
  bool ok = false;
  const double value = machine.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

QString FormatDate(const QDate& date) {
  return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FormatDateTime(const QDateTime& value) {
  return value.isValid() ? value.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
}

std::optional<QDate> ParseDate(const QString& text) {
  static const QRegularExpression kDate(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
  const auto match = kDate.match(text.trimmed());
  if (!match.hasMatch()) return std::nullopt;
  const int day = match.captured(1).toInt();
  const int month = match.captured(2).toInt();
  const int year = match.captured(3).toInt();
  if (!IsCalendarDay(year, month, day)) return std::nullopt;
  return QDate(year, month, day);
}

double ToDateValue(const QDateTime& value) {
  if (!value.isValid()) return 0;
  const QDate d = value.date();
  const QTime t = value.time();
  return DateValueFromParts({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()})
      .value_or(0);
}

QDateTime FromDateValue(double days) {
  const DateParts p = PartsFromDateValue(days);
  return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second, p.msec),
                   Qt::UTC);
}

}  // namespace margem
