// SPDX-License-Identifier: MIT
#include "packetstorage.h"

#include "ptbr.h"

namespace margem {

QStringView CutToChars(QStringView text, int chars) {
  if (text.size() <= chars) return text;
  qsizetype units = 0;
  for (int counted = 0; counted < chars && units < text.size(); ++counted) {
    const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                      text[units + 1].isLowSurrogate();
    units += pair ? 2 : 1;
  }
  return text.first(units);
}

PacketStorage::PacketStorage(std::vector<PacketField> fields)
    : m_fields(std::move(fields)),
      m_nullBytes((m_fields.size() + 7) / 8),
      m_rows(m_nullBytes + 8 * m_fields.size()) {}

PacketStorage PacketStorage::clone() const {
  PacketStorage copy;
  copy.m_fields = m_fields;
  copy.m_nullBytes = m_nullBytes;
  copy.m_rows = m_rows.clone();
  copy.m_text = m_text.clone();
  return copy;
}

std::byte* PacketStorage::insertRecord(qsizetype row) {
  std::byte* rec = m_rows.insert(row);
  std::memset(rec, 0xff, m_nullBytes);
  std::memset(rec + m_nullBytes, 0, 8 * m_fields.size());
  return rec;
}

QVariant PacketStorage::value(const std::byte* rec, int field) const {
  if (isNull(rec, field)) return {};
  switch (m_fields[std::size_t(field)].type) {
    case FieldType::String:
      return text(rec, field).toString();
    case FieldType::Float:
      return number(rec, field);
    case FieldType::DateTime:
      return FromDateValue(number(rec, field));
  }
  return {};
}

void PacketStorage::releaseText(std::byte* rec, int field) {
  if (m_fields[std::size_t(field)].type == FieldType::String && !isNull(rec, field)) {
    m_text.markDead(std::uint32_t(text(rec, field).size()));
  }
}

void PacketStorage::setNull(std::byte* rec, int field) {
  releaseText(rec, field);
  rec[field >> 3] |= std::byte(1u << (field & 7));
}

void PacketStorage::setText(std::byte* rec, int field, QStringView value) {
  releaseText(rec, field);
  setTextRef(rec, field, m_text.append(CutToChars(value, m_fields[std::size_t(field)].size)));
}

void PacketStorage::compactTextIfWasteful() {
  if (m_text.dead() < 65536 || m_text.dead() < m_text.size() - m_text.dead()) return;
  TextArena live;
  live.reserve(m_text.size() - m_text.dead());
  for (qsizetype row = 0; row < rowCount(); ++row) {
    std::byte* rec = record(row);
    for (int f = 0; f < fieldCount(); ++f) {
      if (m_fields[std::size_t(f)].type == FieldType::String && !isNull(rec, f)) {
        setTextRef(rec, f, live.append(text(rec, f)));
      }
    }
  }
  m_text = std::move(live);
}

void PacketStorage::shrinkToFit() {
  m_rows.shrinkToFit();
  m_text.shrinkToFit();
}

}  // namespace margem
