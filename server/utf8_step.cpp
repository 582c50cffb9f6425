// SPDX-License-Identifier: MIT
#include "utf8_step.h"

namespace margem::server {

Utf8Step utf8Step(std::string_view text, std::size_t position) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(position);
  if (lead < 0x80) return {1, true};

  // Continuation bytes that follow the lead, and the range of the first of them, which rules
  // out overlong forms, surrogates and code points over U+10FFFF.
  std::size_t following = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    following = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    following = 2;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    following = 3;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, false};
  }
  for (std::size_t k = 1; k <= following; ++k) {
    const std::size_t i = position + k;
    if (i >= text.size() || byte(i) < low || byte(i) > high) return {k, false};
    low = 0x80;
    high = 0xBF;
  }
  return {following + 1, true};
}

std::size_t utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

bool isWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = utf8Step(text, i);
    if (!step.valid) return false;
    i += step.length;
  }
  return true;
}

}  // namespace margem::server
