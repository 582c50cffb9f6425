// SPDX-License-Identifier: MIT
// Steps through text that should be UTF-8 but may not be (text that another tool wrote into the
// database): one character at a time, telling a well-formed sequence from an ill-formed one.
#pragma once

#include <cstddef>
#include <string_view>

namespace margem::server {

struct Utf8Step {
  std::size_t length;  // bytes taken, at least 1
  bool valid;          // false: the bytes stand for one U+FFFD
};

// The character that starts at `position` (< text.size()). An ill-formed sequence is taken as
// its maximal subpart, the longest start of a well-formed sequence (one byte at least), as
// Unicode recommends for replacing it: "\xE2\x82X" is one replacement and "X".
Utf8Step utf8Step(std::string_view text, std::size_t position);

// The characters of UTF-8 text: its bytes that do not continue a sequence.
std::size_t utf8Length(std::string_view text);

// Whether the text is well-formed UTF-8 throughout.
bool isWellFormedUtf8(std::string_view text);

// U+FFFD REPLACEMENT CHARACTER in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace margem::server
