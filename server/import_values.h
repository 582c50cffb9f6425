// SPDX-License-Identifier: MIT
// Reads the values of a quote file's fields as spreadsheet programs in Brazil write them. Every
// reader returns nothing when the text is not a value of its kind; blanks around a value are
// ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace margem::server {

// The decimal mark of a whole file; the other of the two marks may group thousands.
enum class DecimalMark { Comma, Point };

// The mark a number's text shows to be the decimal one: "1.234,5" and "12,50" show a comma,
// "1,234.5" and "12.5" a point; "1.234", "1,234" and "12" could be either and show nothing.
std::optional<DecimalMark> decimalMarkShownBy(std::string_view text);

// A number written with the given decimal mark, thousands optionally grouped by the other mark
// in threes ("1.234,56"); a leading "R$" and a trailing "%" are allowed.
std::optional<double> parseNumber(std::string_view text, DecimalMark mark);

// "dd/mm/aaaa", "dd/mm/aaaa hh:mm", "dd/mm/aaaa hh:mm:ss" (day, month and hour may have one
// digit) or ISO "aaaa-mm-dd[Thh:mm[:ss]]" (a blank may stand for the T), a date of the calendar;
// returned as "YYYY-MM-DDTHH:MM:SS".
std::optional<std::string> parseDateTime(std::string_view text);

// "S" or "N" in either case, returned in upper case.
std::optional<std::string> parseFlag(std::string_view text);

// A code of fixed width as the screens fill it: blanks trimmed, and when only digits remain,
// zeros put in front up to the width ("123" → "0000000123"), so that a code a spreadsheet read
// as a number comes back whole.
std::string filledCode(std::string_view text, std::size_t width);

std::string_view trimmed(std::string_view text);

}  // namespace margem::server
