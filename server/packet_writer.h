// SPDX-License-Identifier: MIT
// Writes data packets as JSON text, {"fields":[...],"rows":[[...],...]}, straight from a database
// cursor into an output buffer that is handed on whenever it fills, so that a reply of a million
// rows never sits whole in memory.
//
// Texts longer than their column are cut to the column's width (counted in characters); bytes of
// a text that are not UTF-8 (another tool may have written them) become U+FFFD, each ill-formed
// sequence one character, so that the client still reads the reply; numbers that are not finite
// are written as null.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "database.h"
#include "packet_columns.h"

namespace margem::server {

class PacketWriter {
 public:
  // `sink` receives the text in pieces; it returns false when the reader has gone away, which
  // stops the writing.
  using Sink = std::function<bool(std::string_view)>;
  explicit PacketWriter(Sink sink, std::size_t flushBytes = 64 * 1024);

  void raw(std::string_view text);
  // Writes one packet with every remaining row of the cursor. False when the sink stopped.
  bool packet(std::span<const PacketColumn> columns, Cursor& cursor);
  // Hands on what is buffered. False when the sink stopped.
  bool flush();

 private:
  void fields(std::span<const PacketColumn> columns);
  void string(std::string_view text, int size);
  void number(double value);

  Sink m_sink;
  std::size_t m_flushBytes;
  std::string m_buffer;
  bool m_open = true;
};

}  // namespace margem::server
