// SPDX-License-Identifier: MIT
// The two encodings spreadsheet programs in Brazil write text files in: UTF-8 (with or without a
// byte-order mark) and Windows-1252. A file that is not valid UTF-8 throughout is taken as
// Windows-1252, whose every byte stands for one character.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace margem::server {

enum class TextEncoding { Utf8, Windows1252 };

// "utf-8" or "windows-1252" and their usual other names, in any letter case; nothing otherwise.
std::optional<TextEncoding> encodingNamed(std::string_view name);

// Reads the stream to its end and tells which of the two encodings it is written in.
TextEncoding detectEncoding(std::istream& in);

// Appends Windows-1252 text to `out` as UTF-8.
void appendWindows1252AsUtf8(std::string_view text, std::string& out);

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace margem::server
