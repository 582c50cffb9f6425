// SPDX-License-Identifier: MIT
#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "utf8_step.h"

namespace margem::server {
namespace {

// Windows-1252 departs from Latin-1 only in 0x80-0x9F; its five unassigned bytes keep their
// Latin-1 (control) meaning.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendCodePoint(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string lowered(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

}  // namespace

std::optional<TextEncoding> encodingNamed(std::string_view name) {
  const std::string key = lowered(name);
  if (key == "utf-8" || key == "utf8") return TextEncoding::Utf8;
  if (key == "windows-1252" || key == "cp1252" || key == "latin1" || key == "iso-8859-1") {
    return TextEncoding::Windows1252;
  }
  return std::nullopt;
}

TextEncoding detectEncoding(std::istream& in) {
  constexpr std::size_t kChunk = 1 << 16;
  std::string buffer;
  std::string chunk(kChunk, '\0');
  while (in) {
    in.read(chunk.data(), kChunk);
    buffer.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    const bool last = !in;
    std::size_t position = 0;
    while (position < buffer.size()) {
      const auto ascii = std::find_if(buffer.begin() + static_cast<std::ptrdiff_t>(position),
                                      buffer.end(), [](char c) { return c & 0x80; });
      position = static_cast<std::size_t>(ascii - buffer.begin());
      if (position == buffer.size()) break;
      // A sequence cut by the end of the chunk is judged with the next one.
      if (!last && buffer.size() - position < 4) break;
      const Utf8Step step = utf8Step(buffer, position);
      if (!step.valid) return TextEncoding::Windows1252;
      position += step.length;
    }
    buffer.erase(0, position);
  }
  return TextEncoding::Utf8;
}

void appendWindows1252AsUtf8(std::string_view text, std::string& out) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      appendCodePoint(kHighControls[byte - 0x80], out);
    } else {
      appendCodePoint(byte, out);
    }
  }
}

}  // namespace margem::server
