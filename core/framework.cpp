// SPDX-License-Identifier: MIT
#include "framework.h"

#include <charconv>
#include <cmath>
#include <string>

namespace margem {

namespace {

bool IsBlank(QChar c) { return c.unicode() <= u' '; }

QString TrimBlanks(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.mid(first, last - first);
}

}  // namespace

bool EmptyString(const QString& text) {
  for (QChar c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

QString Ajusta(const QString& text, int size) {
  const QString trimmed = TrimBlanks(text);
  if (trimmed.size() >= size) return trimmed;
  return QString(size - trimmed.size(), QLatin1Char('0')) + trimmed;
}

// Rounds the shortest decimal text that reads back as the value, so that a binary neighbour of a
// decimal half (1.005 is stored as 1.00499999999999989...) rounds as the decimal it stands for.
double RoundDec(double value, int decimals) {
  if (!std::isfinite(value) || value == 0) return value;
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  const std::string repr(text, written.ptr);
  const bool negative = repr[0] == '-';
  const std::size_t mark = repr.find('e');
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < mark; ++i) {
    if (repr[i] != '.') digits += repr[i];
  }
  const int exponent = std::stoi(repr.substr(mark + 1));
  // Digits that stand at or above the rounding place.
  const long kept = long(exponent) + 1 + decimals;
  if (kept >= long(digits.size())) return value;
  if (kept < 0) return 0.0;
  std::string rounded = digits.substr(0, std::size_t(kept));
  if (digits[std::size_t(kept)] >= '5') {
    long i = kept - 1;
    while (i >= 0 && rounded[std::size_t(i)] == '9') rounded[std::size_t(i--)] = '0';
    if (i >= 0) {
      ++rounded[std::size_t(i)];
    } else {
      rounded.insert(rounded.begin(), '1');
    }
  }
  if (rounded.empty()) return 0.0;
  const std::string result = (negative ? "-" : "") + rounded + "e" + std::to_string(-long(decimals));
  double out = 0;
  std::from_chars(result.data(), result.data() + result.size(), out);
  return out == 0 ? 0.0 : out;
}

}  // namespace margem
