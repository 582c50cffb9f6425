// SPDX-License-Identifier: MIT
#include "import_values.h"

#include <charconv>
#include <cstdio>

#include "calendar_day.h"

namespace margem::server {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view text) {
  for (const char c : text) {
    if (!isDigit(c)) return false;
  }
  return !text.empty();
}

// Digits in threes after the first group of one to three, e.g. "1.234.567" with '.'.
bool groupedInThrees(std::string_view digits, char group) {
  const std::size_t first = digits.find(group);
  if (first == std::string_view::npos) return allDigits(digits);
  if (first == 0 || first > 3 || !allDigits(digits.substr(0, first))) return false;
  for (std::size_t at = first; at < digits.size(); at += 4) {
    if (digits[at] != group || at + 4 > digits.size() || !allDigits(digits.substr(at + 1, 3))) {
      return false;
    }
  }
  return true;
}

std::optional<int> number(std::string_view text, std::size_t least, std::size_t most) {
  if (text.size() < least || text.size() > most || !allDigits(text)) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// "hh:mm" or "hh:mm:ss", the hour with one or two digits.
std::optional<std::string> timeOfDay(std::string_view text) {
  if (text.empty()) return "00:00:00";
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto hour = number(text.substr(0, colon), 1, 2);
  std::string_view rest = text.substr(colon + 1);
  std::string_view seconds = "00";
  if (const std::size_t second = rest.find(':'); second != std::string_view::npos) {
    seconds = rest.substr(second + 1);
    rest = rest.substr(0, second);
  }
  const auto minute = number(rest, 2, 2);
  const auto sec = number(seconds, 2, 2);
  if (!hour || !minute || !sec) return std::nullopt;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", *hour, *minute, *sec);
  return std::string(buffer);
}

std::optional<std::string> checkedDateTime(std::optional<int> year, std::optional<int> month,
                                           std::optional<int> day, std::string_view time) {
  const auto clock = timeOfDay(time);
  if (!year || !month || !day || !clock) return std::nullopt;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%s", *year, *month, *day, clock->c_str());
  if (!CalendarDay::parse(buffer)) return std::nullopt;
  return std::string(buffer);
}

}  // namespace

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<DecimalMark> decimalMarkShownBy(std::string_view text) {
  const std::size_t last = text.find_last_of(",.");
  if (last == std::string_view::npos) return std::nullopt;
  const char mark = text[last];
  const char other = mark == ',' ? '.' : ',';
  const DecimalMark shown = mark == ',' ? DecimalMark::Comma : DecimalMark::Point;
  if (text.find(other) != std::string_view::npos) return shown;
  if (text.find(mark) != last) return mark == ',' ? DecimalMark::Point : DecimalMark::Comma;
  std::size_t digitsAfter = 0;
  while (last + 1 + digitsAfter < text.size() && isDigit(text[last + 1 + digitsAfter])) {
    ++digitsAfter;
  }
  if (digitsAfter == 3) return std::nullopt;
  return shown;
}

std::optional<double> parseNumber(std::string_view text, DecimalMark mark) {
  text = trimmed(text);
  if (text.starts_with("R$")) text = trimmed(text.substr(2));
  if (text.ends_with('%')) text = trimmed(text.substr(0, text.size() - 1));
  std::string plain;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    if (text[0] == '-') plain += '-';
    text.remove_prefix(1);
  }
  const char decimal = mark == DecimalMark::Comma ? ',' : '.';
  const char group = mark == DecimalMark::Comma ? '.' : ',';
  const std::size_t point = text.find(decimal);
  const std::string_view whole = text.substr(0, point);
  if (!groupedInThrees(whole, group)) return std::nullopt;
  for (const char c : whole) {
    if (c != group) plain += c;
  }
  if (point != std::string_view::npos) {
    const std::string_view fraction = text.substr(point + 1);
    if (!allDigits(fraction)) return std::nullopt;
    plain += '.';
    plain += fraction;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

std::optional<std::string> parseDateTime(std::string_view text) {
  text = trimmed(text);
  const std::size_t space = text.find_first_of(" T");
  const std::string_view date = text.substr(0, space);
  const std::string_view time =
      space == std::string_view::npos ? std::string_view() : trimmed(text.substr(space + 1));
  if (space != std::string_view::npos && time.empty()) return std::nullopt;
  if (date.size() == 10 && date[4] == '-' && date[7] == '-') {
    return checkedDateTime(number(date.substr(0, 4), 4, 4), number(date.substr(5, 2), 2, 2),
                           number(date.substr(8, 2), 2, 2), time);
  }
  if (text.find('T') != std::string_view::npos) return std::nullopt;
  const std::size_t slash = date.find('/');
  const std::size_t second = date.find('/', slash == std::string_view::npos ? slash : slash + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return checkedDateTime(number(date.substr(second + 1), 4, 4),
                         number(date.substr(slash + 1, second - slash - 1), 1, 2),
                         number(date.substr(0, slash), 1, 2), time);
}

std::optional<std::string> parseFlag(std::string_view text) {
  text = trimmed(text);
  if (text == "S" || text == "s") return "S";
  if (text == "N" || text == "n") return "N";
  return std::nullopt;
}

std::string filledCode(std::string_view text, std::size_t width) {
  const std::string_view code = trimmed(text);
  if (!allDigits(code) || code.size() >= width) return std::string(code);
  return std::string(width - code.size(), '0') + std::string(code);
}

}  // namespace margem::server
