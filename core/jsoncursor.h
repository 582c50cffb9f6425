// SPDX-License-Identifier: MIT
// Strict, streaming reading of JSON text (RFC 8259) for the packet and reply readers: no document
// tree, values are read where the caller expects them. Texts must be valid UTF-8; numbers must fit
// a double. Every fault raises PacketError with a Portuguese message that names the subject, the
// row and field being read (when set) and the byte position.
#pragma once

#include <QString>
#include <string_view>

#include "textarena.h"

namespace margem {

class JsonCursor {
 public:
  JsonCursor(std::string_view text, QString subject);

  const char* position() const { return m_p; }
  void seek(const char* position) { m_p = position; }
  std::size_t remaining() const { return std::size_t(m_end - m_p); }

  // The next significant character, whitespace skipped; '\0' at the end of the text.
  char peek();
  void expect(char c);
  bool consume(char c);  // consumes c when it comes next
  void expectNull();
  void expectEnd();  // only whitespace may follow

  QString readString();
  // Reads a text into the arena's tail, keeping at most maxChars characters (the rest is checked
  // and dropped).
  TextRef readText(TextArena& arena, int maxChars);
  double readNumber();
  // "YYYY-MM-DDTHH:MM:SS" as days since 30/12/1899, the fraction being the time of day.
  double readDate();
  void skipValue();

  [[noreturn]] void fail(const QString& what) const;
  QString found() const;  // what stands at the position, for messages

  // Context named by messages: rows count from 1 (0: none); the field's name (nullptr: none).
  qsizetype row = 0;
  const QString* field = nullptr;

 private:
  template <class Sink>
  void readStringBody(Sink& sink);
  char32_t readEscape();
  char32_t readUtf8();
  void skipValue(int depth);

  const char* m_begin;
  const char* m_p;
  const char* m_end;
  QString m_subject;
};

}  // namespace margem
