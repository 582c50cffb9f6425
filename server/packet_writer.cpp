// SPDX-License-Identifier: MIT
#include "packet_writer.h"

#include <charconv>
#include <cmath>

#include "utf8_step.h"

namespace margem::server {
namespace {

const char* typeName(ColumnType type) {
  switch (type) {
    case ColumnType::String:
      return "string";
    case ColumnType::Float:
      return "float";
    case ColumnType::DateTime:
      return "datetime";
  }
  return "string";
}

}  // namespace

PacketWriter::PacketWriter(Sink sink, std::size_t flushBytes)
    : m_sink(std::move(sink)), m_flushBytes(flushBytes) {
  m_buffer.reserve(flushBytes + 1024);
}

void PacketWriter::raw(std::string_view text) { m_buffer += text; }

bool PacketWriter::flush() {
  if (m_open && !m_buffer.empty()) m_open = m_sink(m_buffer);
  m_buffer.clear();
  return m_open;
}

void PacketWriter::fields(std::span<const PacketColumn> columns) {
  m_buffer += "{\"fields\":[";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i) m_buffer += ',';
    m_buffer += "{\"name\":\"";
    m_buffer += columns[i].name;
    m_buffer += "\",\"type\":\"";
    m_buffer += typeName(columns[i].type);
    m_buffer += '"';
    if (columns[i].type == ColumnType::String) {
      m_buffer += ",\"size\":";
      m_buffer += std::to_string(columns[i].size);
    }
    m_buffer += '}';
  }
  m_buffer += "],\"rows\":[";
}

void PacketWriter::string(std::string_view text, int size) {
  const std::size_t limit = size > 0 ? static_cast<std::size_t>(size) : text.size();
  m_buffer += '"';
  std::size_t position = 0;
  for (std::size_t characters = 0; position < text.size() && characters < limit; ++characters) {
    const char c = text[position];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const Utf8Step step = utf8Step(text, position);
      if (step.valid) {
        m_buffer.append(text.substr(position, step.length));
      } else {
        m_buffer += kReplacementCharacter;
      }
      position += step.length;
      continue;
    }
    ++position;
    switch (c) {
      case '"':
        m_buffer += "\\\"";
        break;
      case '\\':
        m_buffer += "\\\\";
        break;
      case '\n':
        m_buffer += "\\n";
        break;
      case '\r':
        m_buffer += "\\r";
        break;
      case '\t':
        m_buffer += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char hex[] = "0123456789abcdef";
          m_buffer += "\\u00";
          m_buffer += hex[(c >> 4) & 0xF];
          m_buffer += hex[c & 0xF];
        } else {
          m_buffer += c;
        }
    }
  }
  m_buffer += '"';
}

void PacketWriter::number(double value) {
  if (!std::isfinite(value)) {
    m_buffer += "null";
    return;
  }
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  m_buffer.append(text, end);
}

bool PacketWriter::packet(std::span<const PacketColumn> columns, Cursor& cursor) {
  fields(columns);
  bool firstRow = true;
  for (; !cursor.atEnd(); cursor.next()) {
    m_buffer += firstRow ? "[" : ",[";
    firstRow = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i) m_buffer += ',';
      const int column = static_cast<int>(i);
      if (cursor.isNull(column)) {
        m_buffer += "null";
      } else if (columns[i].type == ColumnType::Float) {
        number(cursor.real(column));
      } else {
        string(cursor.text(column), columns[i].size);
      }
    }
    m_buffer += ']';
    if (m_buffer.size() >= m_flushBytes && !flush()) return false;
  }
  m_buffer += "]}";
  return m_open;
}

}  // namespace margem::server
