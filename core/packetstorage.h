// SPDX-License-Identifier: MIT
// The compact storage of a list of rows with a fixed field list, shared by data packets and client
// data sets. A row is one fixed-size record: a Null bitmap, then eight bytes per field (a double
// for floats and date-times, an offset and a length into the text arena for texts). A one-million
// row packet of sixteen columns thus holds 130 bytes per row besides its text.
#pragma once

#include <QStringView>
#include <QVariant>
#include <cstring>
#include <vector>

#include "datapacket.h"
#include "rowbuffer.h"
#include "textarena.h"

namespace margem {

// Text cut to a number of characters (a surrogate pair is one character).
QStringView CutToChars(QStringView text, int chars);

class PacketStorage {
 public:
  PacketStorage() = default;
  explicit PacketStorage(std::vector<PacketField> fields);
  PacketStorage(PacketStorage&&) noexcept = default;
  PacketStorage& operator=(PacketStorage&&) noexcept = default;

  PacketStorage clone() const;

  const std::vector<PacketField>& fields() const { return m_fields; }
  int fieldCount() const { return int(m_fields.size()); }
  qsizetype rowCount() const { return m_rows.size(); }
  RowBuffer& rows() { return m_rows; }
  TextArena& text() { return m_text; }
  const TextArena& text() const { return m_text; }

  std::byte* record(qsizetype row) { return m_rows.at(row); }
  const std::byte* record(qsizetype row) const { return m_rows.at(row); }
  // A new record at row (0 <= row <= rowCount()), every value Null.
  std::byte* insertRecord(qsizetype row);
  std::byte* appendRecord() { return insertRecord(rowCount()); }

  bool isNull(const std::byte* rec, int field) const {
    return (std::to_integer<unsigned>(rec[field >> 3]) >> (field & 7)) & 1u;
  }
  double number(const std::byte* rec, int field) const {
    double value;
    std::memcpy(&value, slot(rec, field), sizeof value);
    return value;
  }
  QStringView text(const std::byte* rec, int field) const {
    TextRef ref;
    std::memcpy(&ref, slot(rec, field), sizeof ref);
    return m_text.view(ref);
  }
  // Reads Null as an invalid QVariant, text as QString, numbers as double (dates too).
  QVariant value(const std::byte* rec, int field) const;

  void setNull(std::byte* rec, int field);
  void setText(std::byte* rec, int field, QStringView value);  // cut to the field's size
  // For readers that wrote the text at the arena's tail themselves.
  void setTextRef(std::byte* rec, int field, TextRef ref) {
    std::memcpy(slot(rec, field), &ref, sizeof ref);
    rec[field >> 3] &= std::byte(~(1u << (field & 7)));
  }
  void setNumber(std::byte* rec, int field, double value) {
    std::memcpy(slot(rec, field), &value, sizeof value);
    rec[field >> 3] &= std::byte(~(1u << (field & 7)));
  }

  // Drops dead text once it outweighs the live text.
  void compactTextIfWasteful();
  void shrinkToFit();

 private:
  std::byte* slot(std::byte* rec, int field) const { return rec + m_nullBytes + 8 * field; }
  const std::byte* slot(const std::byte* rec, int field) const {
    return rec + m_nullBytes + 8 * field;
  }
  void releaseText(std::byte* rec, int field);

  std::vector<PacketField> m_fields;
  std::size_t m_nullBytes = 0;
  RowBuffer m_rows;
  TextArena m_text;
};

}  // namespace margem
