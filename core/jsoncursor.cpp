// SPDX-License-Identifier: MIT
#include "jsoncursor.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "datapacket.h"
#include "datevalue.h"

namespace margem {

namespace {

constexpr int kMaxDepth = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects a text into a QString.
struct StringSink {
  QString text;
  void ascii(const char* s, qsizetype n) { text.append(QLatin1StringView(s, n)); }
  void codePoint(char32_t cp) { text.append(QChar::fromUcs4(cp)); }
};

// Writes a text into an arena's tail, keeping at most `room` characters.
struct ArenaSink {
  char16_t* out;
  int room;
  std::size_t units = 0;
  void ascii(const char* s, qsizetype n) {
    const qsizetype keep = n < room ? n : room;
    for (qsizetype i = 0; i < keep; ++i) out[units + std::size_t(i)] = char16_t(uchar(s[i]));
    units += std::size_t(keep);
    room -= int(keep);
  }
  void codePoint(char32_t cp) {
    if (room == 0) return;
    --room;
    if (cp < 0x10000) {
      out[units++] = char16_t(cp);
    } else {
      out[units++] = QChar::highSurrogate(cp);
      out[units++] = QChar::lowSurrogate(cp);
    }
  }
};

// Checks a text and keeps nothing.
struct NullSink {
  void ascii(const char*, qsizetype) {}
  void codePoint(char32_t) {}
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

JsonCursor::JsonCursor(std::string_view text, QString subject)
    : m_begin(text.data()),
      m_p(text.data()),
      m_end(text.data() + text.size()),
      m_subject(std::move(subject)) {}

char JsonCursor::peek() {
  while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t')) ++m_p;
  return m_p < m_end ? *m_p : '\0';
}

void JsonCursor::expect(char c) {
  if (peek() != c || m_p >= m_end) {
    fail(QStringLiteral("esperado '%1', %2").arg(QString(QLatin1Char(c)), found()));
  }
  ++m_p;
}

bool JsonCursor::consume(char c) {
  if (peek() == c && m_p < m_end) {
    ++m_p;
    return true;
  }
  return false;
}

void JsonCursor::expectNull() {
  if (peek() != 'n' || m_end - m_p < 4 || std::memcmp(m_p, "null", 4) != 0) {
    fail(QStringLiteral("valor inválido, %1").arg(found()));
  }
  m_p += 4;
}

void JsonCursor::expectEnd() {
  if (peek() != '\0' || m_p != m_end) {
    fail(QStringLiteral("conteúdo a mais depois do fim do valor, %1").arg(found()));
  }
}

QString JsonCursor::found() const {
  if (m_p >= m_end) return QStringLiteral("mas o texto terminou");
  const uchar c = uchar(*m_p);
  if (c >= 0x21 && c < 0x7f) return QStringLiteral("encontrado '%1'").arg(QLatin1Char(char(c)));
  return QStringLiteral("encontrado o byte 0x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
}

void JsonCursor::fail(const QString& what) const {
  QString message = m_subject;
  if (row > 0) message += QStringLiteral(" na linha %1").arg(row);
  if (field) {
    message += (row > 0 ? QStringLiteral(", campo %1") : QStringLiteral(" no campo %1")).arg(*field);
  }
  message += QStringLiteral(": %1 (posição %2 do texto).").arg(what).arg(m_p - m_begin + 1);
  throw PacketError(message.toStdString());
}

template <class Sink>
void JsonCursor::readStringBody(Sink& sink) {
  for (;;) {
    const char* run = m_p;
    while (m_p < m_end) {
      const uchar c = uchar(*m_p);
      if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
      ++m_p;
    }
    if (m_p != run) sink.ascii(run, m_p - run);
    if (m_p >= m_end) fail(QStringLiteral("texto sem as aspas de fechamento"));
    const uchar c = uchar(*m_p);
    if (c == '"') {
      ++m_p;
      return;
    }
    if (c == '\\') {
      sink.codePoint(readEscape());
    } else if (c < 0x20) {
      fail(QStringLiteral("caractere de controle sem escape dentro de um texto"));
    } else {
      sink.codePoint(readUtf8());
    }
  }
}

char32_t JsonCursor::readEscape() {
  // m_p is on the backslash.
  if (m_end - m_p < 2) {
    ++m_p;
    fail(QStringLiteral("escape incompleto no fim do texto"));
  }
  const char kind = m_p[1];
  m_p += 2;
  switch (kind) {
    case '"': return U'"';
    case '\\': return U'\\';
    case '/': return U'/';
    case 'b': return U'\b';
    case 'f': return U'\f';
    case 'n': return U'\n';
    case 'r': return U'\r';
    case 't': return U'\t';
    case 'u': break;
    default:
      m_p -= 1;
      fail(QStringLiteral("escape inválido '\\%1'").arg(QLatin1Char(kind)));
  }
  auto hex4 = [this]() -> char32_t {
    if (m_end - m_p < 4) fail(QStringLiteral("escape \\u incompleto"));
    char32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const int h = HexValue(m_p[i]);
      if (h < 0) fail(QStringLiteral("escape \\u com dígito hexadecimal inválido"));
      v = v * 16 + char32_t(h);
    }
    m_p += 4;
    return v;
  };
  const char32_t first = hex4();
  if (first >= 0xDC00 && first <= 0xDFFF) {
    fail(QStringLiteral("escape \\u de meio par substituto (surrogate) isolado"));
  }
  if (first < 0xD800 || first > 0xDBFF) return first;
  if (m_end - m_p < 2 || m_p[0] != '\\' || m_p[1] != 'u') {
    fail(QStringLiteral("escape \\u de par substituto (surrogate) sem a segunda metade"));
  }
  m_p += 2;
  const char32_t second = hex4();
  if (second < 0xDC00 || second > 0xDFFF) {
    fail(QStringLiteral("escape \\u de par substituto (surrogate) com segunda metade inválida"));
  }
  return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

char32_t JsonCursor::readUtf8() {
  const uchar lead = uchar(*m_p);
  int more;
  char32_t cp;
  uchar low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    fail(QStringLiteral("UTF-8 inválido"));
  }
  if (m_end - m_p <= more) fail(QStringLiteral("UTF-8 incompleto no fim do texto"));
  for (int i = 1; i <= more; ++i) {
    const uchar c = uchar(m_p[i]);
    if (c < low || c > high) {
      m_p += i;
      fail(QStringLiteral("UTF-8 inválido"));
    }
    low = 0x80;
    high = 0xBF;
    cp = (cp << 6) | (c & 0x3F);
  }
  m_p += more + 1;
  return cp;
}

QString JsonCursor::readString() {
  if (peek() != '"') fail(QStringLiteral("esperado um texto, %1").arg(found()));
  ++m_p;
  StringSink sink;
  readStringBody(sink);
  return sink.text;
}

TextRef JsonCursor::readText(TextArena& arena, int maxChars) {
  if (peek() != '"') fail(QStringLiteral("esperado um texto ou null, %1").arg(found()));
  ++m_p;
  ArenaSink sink{arena.reserveTail(2 * std::size_t(maxChars)), maxChars};
  readStringBody(sink);
  return arena.commit(sink.units);
}

double JsonCursor::readNumber() {
  peek();
  const char* start = m_p;
  const char* q = m_p;
  auto digits = [&]() {
    if (q >= m_end || !IsDigit(*q)) {
      m_p = q;
      fail(QStringLiteral("número inválido, %1").arg(found()));
    }
    while (q < m_end && IsDigit(*q)) ++q;
  };
  if (q < m_end && *q == '-') ++q;
  if (q < m_end && *q == '0') {
    ++q;
  } else {
    digits();
  }
  if (q < m_end && *q == '.') {
    ++q;
    digits();
  }
  if (q < m_end && (*q == 'e' || *q == 'E')) {
    ++q;
    if (q < m_end && (*q == '+' || *q == '-')) ++q;
    digits();
  }
  double value = 0;
  const auto [end, error] = std::from_chars(start, q, value);
  if (error == std::errc::result_out_of_range || (error == std::errc() && !std::isfinite(value))) {
    fail(QStringLiteral("número fora do alcance de um número de ponto flutuante: %1")
             .arg(QLatin1StringView(start, qMin<qsizetype>(q - start, 40))));
  }
  if (error != std::errc() || end != q) fail(QStringLiteral("número inválido"));
  m_p = q;
  return value;
}

double JsonCursor::readDate() {
  if (peek() != '"') fail(QStringLiteral("esperada uma data ou null, %1").arg(found()));
  const char* s = m_p + 1;
  auto num = [s](int from, int count) {
    int v = 0;
    for (int i = from; i < from + count; ++i) {
      if (!IsDigit(s[i])) return -1;
      v = v * 10 + (s[i] - '0');
    }
    return v;
  };
  std::optional<double> value;
  if (m_end - s >= 20 && s[19] == '"' && s[4] == '-' && s[7] == '-' && s[10] == 'T' &&
      s[13] == ':' && s[16] == ':') {
    DateParts parts{num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2), 0};
    value = DateValueFromParts(parts);
  }
  if (!value) {
    const char* start = m_p;
    const QString text = readString();
    m_p = start;
    fail(QStringLiteral("\"%1\" não é uma data no formato AAAA-MM-DDTHH:MM:SS")
             .arg(text.left(40)));
  }
  m_p = s + 20;
  return *value;
}

void JsonCursor::skipValue() { skipValue(0); }

void JsonCursor::skipValue(int depth) {
  if (depth > kMaxDepth) fail(QStringLiteral("valores aninhados demais"));
  const char c = peek();
  if (c == '"') {
    ++m_p;
    NullSink sink;
    readStringBody(sink);
  } else if (c == '{') {
    ++m_p;
    if (consume('}')) return;
    do {
      if (peek() != '"') fail(QStringLiteral("esperado o nome de um membro, %1").arg(found()));
      ++m_p;
      NullSink sink;
      readStringBody(sink);
      expect(':');
      skipValue(depth + 1);
    } while (consume(','));
    expect('}');
  } else if (c == '[') {
    ++m_p;
    if (consume(']')) return;
    do {
      skipValue(depth + 1);
    } while (consume(','));
    expect(']');
  } else if (c == '-' || IsDigit(c)) {
    readNumber();
  } else {
    for (const char* literal : {"null", "true", "false"}) {
      const std::size_t n = std::strlen(literal);
      if (std::size_t(m_end - m_p) >= n && std::memcmp(m_p, literal, n) == 0) {
        m_p += n;
        return;
      }
    }
    fail(QStringLiteral("valor JSON inválido, %1").arg(found()));
  }
}

}  // namespace margem
